#include "platform/db/statement.h"

#include "platform/db/damage.h"
#include "platform/db/dberror.h"

#include <sqlite3.h>

#include <utility>

namespace Dao {

namespace {
Statement::PrepareObserver &prepareObserver()
{
    static Statement::PrepareObserver observer;
    return observer;
}
} // namespace

void Statement::setPrepareObserver(PrepareObserver observer)
{
    prepareObserver() = std::move(observer);
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_stmt, &tail)
        != SQLITE_OK) {
        m_stmt = nullptr;
        throw lastError(db);
    }
    if (!m_stmt)
        throw DbError("The SQL text holds no statement.", SQLITE_MISUSE);
    for (; tail && *tail; ++tail) {
        if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') {
            finalize();
            throw DbError("Characters found after end of SQL statement.", 3142);
        }
    }
    if (const PrepareObserver &observer = prepareObserver())
        observer(db, sql);
}

Statement::~Statement() { finalize(); }

Statement::Statement(Statement &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_stmt(std::exchange(other.m_stmt, nullptr))
{}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        finalize();
        m_db = std::exchange(other.m_db, nullptr);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

void Statement::bind(int index, const QVariant &value, FieldKind kind)
{
    bindValue(m_stmt, index, value, kind);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const DbError error = lastError(m_db);
    sqlite3_reset(m_stmt);
    throw error;
}

void Statement::reset()
{
    if (!m_stmt)
        return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::finalize()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::value(int column, FieldKind kind) const
{
    return readColumn(m_stmt, column, kind);
}

DbError Statement::lastError(sqlite3 *db, const QString &context)
{
    const int code = sqlite3_extended_errcode(db);
    QString text;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        text = "The database file is locked by another user or program; try again in a moment.";
        break;
    case SQLITE_READONLY:
        // A file found damaged before is only read from then on.
        if (Damage::isMarked(db))
            return DbError(Damage::text(db, QString()), SQLITE_CORRUPT);
        text = "The database file cannot be written (it is read-only).";
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: {
        // The text names the file, so it is not prefixed with the context again.
        const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
        Damage::mark(db);
        return DbError(Damage::text(db, detail), code);
    }
    case SQLITE_INTERRUPT:
        text = "Reading the database file took too long and was stopped.";
        break;
    case SQLITE_FULL:
        text = "The disk is full; the change was not written.";
        break;
    default:
        text = QString::fromUtf8(sqlite3_errmsg(db));
        if (!text.isEmpty())
            text[0] = text[0].toUpper();
        if (!text.endsWith('.'))
            text += '.';
    }
    if (!context.isEmpty())
        text = context + ": " + text;
    return DbError(text, code);
}

} // namespace Dao
