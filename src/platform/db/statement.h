#pragma once

#include "platform/db/sqlvalue.h"

#include <QString>
#include <QVariant>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

namespace Dao {

class DbError;

// One prepared SQLite statement: prepared once, reset and bound again for each use, finalized
// when destroyed. Errors become DbError with a text a message box can show.
class Statement
{
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &sql);   // throws DbError; one statement only
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    sqlite3_stmt *get() const { return m_stmt; }

    void bind(int index, const QVariant &value, FieldKind kind = FieldKind::Unknown);
    bool step();    // true: a row is there; false: done. Throws DbError.
    void reset();   // ready to run again, bindings cleared
    void finalize();

    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column, FieldKind kind = FieldKind::Unknown) const;

    // The text of the connection's last error, made readable.
    static DbError lastError(sqlite3 *db, const QString &context = QString());

    // Called with the connection and the text of every statement prepared from then on, after
    // it prepared; none unless set (tests use it to see what the program runs). Empty: off.
    using PrepareObserver = std::function<void(sqlite3 *db, const QString &sql)>;
    static void setPrepareObserver(PrepareObserver observer);

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace Dao
