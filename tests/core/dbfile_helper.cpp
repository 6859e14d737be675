#include "dbfile_helper.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {
struct Closer
{
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
using Handle = std::unique_ptr<sqlite3, Closer>;

Handle openFile(const QString &file)
{
    sqlite3 *db = nullptr;
    const QByteArray name = file.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + name.toStdString());
    }
    return Handle(db);
}

[[noreturn]] void fail(sqlite3 *db, const QString &sql)
{
    throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in " + sql.toStdString());
}

QList<QVariant> firstColumn(const QString &file, const QString &sql)
{
    Handle db = openFile(file);
    sqlite3_stmt *st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db.get(), text.constData(), -1, &st, nullptr) != SQLITE_OK)
        fail(db.get(), sql);
    QList<QVariant> values;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        switch (sqlite3_column_type(st, 0)) {
        case SQLITE_NULL: values.append(QVariant()); break;
        case SQLITE_INTEGER: values.append(qlonglong(sqlite3_column_int64(st, 0))); break;
        case SQLITE_FLOAT: values.append(sqlite3_column_double(st, 0)); break;
        default:
            values.append(QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(st, 0))));
        }
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        fail(db.get(), sql);
    return values;
}
} // namespace

void execSql(const QString &file, const QString &sql)
{
    Handle db = openFile(file);
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(db.get(), text.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db.get(), sql);
}

QVariant sqlValue(const QString &file, const QString &sql)
{
    const QList<QVariant> values = firstColumn(file, sql);
    return values.isEmpty() ? QVariant() : values.first();
}

QList<qlonglong> sqlNumbers(const QString &file, const QString &sql)
{
    QList<qlonglong> numbers;
    for (const QVariant &v : firstColumn(file, sql))
        numbers.append(v.toLongLong());
    return numbers;
}
