#include "sqlite_file.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {

class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql)
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: "
                                     + text.toStdString());
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(const QVariantList &values)
    {
        for (int i = 0; i < values.size(); ++i) {
            const QVariant &v = values.at(i);
            const int n = i + 1;
            if (v.isNull())
                sqlite3_bind_null(m_stmt, n);
            else if (v.typeId() == QMetaType::Double)
                sqlite3_bind_double(m_stmt, n, v.toDouble());
            else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong
                     || v.typeId() == QMetaType::Bool)
                sqlite3_bind_int64(m_stmt, n, v.toLongLong());
            else
                sqlite3_bind_text(m_stmt, n, v.toString().toUtf8().constData(), -1,
                                  SQLITE_TRANSIENT);
        }
    }

    QList<QVariantList> all(sqlite3 *db)
    {
        QList<QVariantList> out;
        for (;;) {
            const int rc = sqlite3_step(m_stmt);
            if (rc == SQLITE_DONE)
                return out;
            if (rc != SQLITE_ROW)
                throw std::runtime_error(sqlite3_errmsg(db));
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(m_stmt); ++c) {
                switch (sqlite3_column_type(m_stmt, c)) {
                case SQLITE_INTEGER: row << qlonglong(sqlite3_column_int64(m_stmt, c)); break;
                case SQLITE_FLOAT: row << sqlite3_column_double(m_stmt, c); break;
                case SQLITE_NULL: row << QVariant(); break;
                case SQLITE_BLOB:
                    row << QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, c)),
                                      sqlite3_column_bytes(m_stmt, c));
                    break;
                default:
                    row << QString::fromUtf8(
                        reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c)));
                }
            }
            out << row;
        }
    }

    QStringList names() const
    {
        QStringList out;
        for (int c = 0; c < sqlite3_column_count(m_stmt); ++c)
            out << QString::fromUtf8(sqlite3_column_name(m_stmt, c));
        return out;
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace

SqliteFile::SqliteFile(const QString &path)
{
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error("cannot open " + file.toStdString() + ": " + message);
    }
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    // The built files hold the program's own layout, whose schema the program trusts once it
    // has checked it: its triggers keep the search's full-text index.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 1, nullptr);
}

SqliteFile::~SqliteFile() { sqlite3_close(m_db); }

void SqliteFile::exec(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string message = err ? err : "unknown error";
        sqlite3_free(err);
        throw std::runtime_error(message + " in: " + sql.toStdString());
    }
}

QList<QVariantList> SqliteFile::rows(const QString &sql, const QVariantList &binds)
{
    Statement st(m_db, sql);
    st.bind(binds);
    return st.all(m_db);
}

QVariant SqliteFile::value(const QString &sql, const QVariantList &binds)
{
    const QList<QVariantList> r = rows(sql, binds);
    return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
}

QStringList SqliteFile::columnNames(const QString &sql)
{
    Statement st(m_db, sql);
    return st.names();
}

QString SqliteFile::prepareError(const QString &sql)
{
    try {
        Statement st(m_db, sql);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

QString SqliteFile::queryPlan(const QString &sql)
{
    QStringList lines;
    for (const QVariantList &row : rows("EXPLAIN QUERY PLAN " + sql))
        lines << row.last().toString();
    return lines.join('\n');
}
