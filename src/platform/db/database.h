#pragma once

#include "platform/db/bindings.h"
#include "platform/db/connectionpool.h"
#include "platform/db/dberror.h"

#include <QElapsedTimer>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;

namespace Dao {

class Recordset;
class RecordsetBase;

enum class RecordsetType {
    Table,       // live rows of one table in key order; Seek on the index "Primarykey"
    Dynaset,     // the rows selected at open; their values and edits are live
    Snapshot,    // a read-only copy of the rows selected at open
    ForwardOnly  // read-only, MoveNext only
};

// One connection to a database file (a bookingfile or paths.mdb). Cannot be copied; closes
// itself when destroyed (SQLite's connection may be kept for the next open of the same file on
// the same thread, ConnectionPool). Files are opened defensively: no code of the file's own runs
// beyond our schema's views and triggers, and a busy file is waited for a short while.
class Database
{
public:
    // Opens an existing database file read-write; throws DbError when it is missing, a folder,
    // empty, not a database, damaged or locked by another program. Never creates a file.
    static std::unique_ptr<Database> open(const QString &path);

    // How long a connection waits for a file that another connection holds locked, in
    // milliseconds (3000 unless set); applies to connections opened afterwards.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // source: a table name, a stored query (view) name, or SQL text in Jet's dialect.
    // Without a type, a table opens as Table and anything else as Dynaset.
    std::unique_ptr<Recordset> OpenRecordset(const QString &source);
    std::unique_ptr<Recordset> OpenRecordset(const QString &source, RecordsetType type);
    // A SELECT in SQLite's own dialect (not translated; names may be [bracketed]) whose
    // placeholders take the given values: "... WHERE Kontonr = :user AND Bdato >= :from".
    // Snapshot, Dynaset (written back as any dynaset over one table or writable stored query)
    // or ForwardOnly; Table opens as Dynaset. Throws DbError for a text that is not one SELECT
    // and for a placeholder without a value or a value without a placeholder.
    std::unique_ptr<Recordset> OpenRecordset(const QString &sql, const Bindings &values,
                                             RecordsetType type = RecordsetType::Snapshot);

    // Runs one Jet statement (translated to SQLite); throws DbError on failure, also for a
    // SELECT, which has nothing to execute.
    void Execute(const QString &jetSql);
    int RecordsAffected() const { return m_recordsAffected; }

    // Checks the whole file (SQLite's integrity_check and each full-text index's own check) for
    // at most maxMilliseconds, and mends damage confined to indexes by rebuilding them
    // (Dao::Integrity). Throws DbError (damaged()) for any other damage; from then on no
    // connection of this program writes to the file. Returns true when the file is whole or was
    // mended, false when the check ran out of time first (the file is then taken as it is;
    // damage shows when a statement meets it).
    bool CheckIntegrity(int maxMilliseconds = 2000);

    bool hasTable(const QString &name) const;   // table or view, case-blind
    QString path() const { return m_path; }
    void Close();
    bool isOpen() const { return m_db != nullptr; }

    // Transactions, for work that must happen whole or not at all. The outermost one takes the
    // file's write lock at once (BEGIN IMMEDIATE); nested ones are savepoints.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int transactionDepth() const { return m_transDepth; }

    sqlite3 *handle() const { return m_db; }

private:
    friend class RecordsetBase;
    Database(sqlite3 *db, const QString &path);
    void checkOpen() const;
    void exec(const char *sql);
    void attach(RecordsetBase *recordset);
    void detach(RecordsetBase *recordset);

    sqlite3 *m_db = nullptr;
    QString m_path;
    int m_recordsAffected = 0;
    int m_transDepth = 0;
    std::vector<RecordsetBase *> m_recordsets;   // open recordsets, closed with the connection
    QElapsedTimer m_busyTimer;                   // how long the file has been waited for
    ConnectionPool::Shape m_shape;               // what the connection was opened with
};

// Rolls back unless committed.
class Transaction
{
public:
    explicit Transaction(Database &db) : m_db(db) { m_db.BeginTrans(); }
    ~Transaction()
    {
        if (!m_done) {
            try { m_db.Rollback(); } catch (...) {}
        }
    }
    void commit() { m_db.CommitTrans(); m_done = true; }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Database &m_db;
    bool m_done = false;
};

} // namespace Dao
