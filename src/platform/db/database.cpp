#include "platform/db/database.h"

#include "platform/db/connectionpool.h"
#include "platform/db/damage.h"
#include "platform/db/deadline.h"
#include "platform/db/forwardrecordset.h"
#include "platform/db/integrity.h"
#include "platform/db/jetfunctions.h"
#include "platform/db/jetsql.h"
#include "platform/db/rowsrecordset.h"
#include "platform/db/schemacheck.h"
#include "platform/db/statement.h"
#include "platform/db/tablerecordset.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QRandomGenerator>
#include <QThread>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>

namespace Dao {
namespace {

int g_busyTimeout = 3000;

// Waits for a file that another connection holds locked, in short sleeps, so that two copies
// of the program taking turns at the file both get their turn (SQLite's own handler sleeps
// ever longer and lets a busy neighbour take the file again and again).
int waitWhileBusy(void *state, int attempt)
{
    auto *timer = static_cast<QElapsedTimer *>(state);
    if (attempt == 0)
        timer->start();
    if (timer->elapsed() >= g_busyTimeout || Deadline::passed())
        return 0;
    QThread::usleep(200 + QRandomGenerator::global()->bounded(800));
    return 1;
}

// Refuses, before SQLite sees it, a file that cannot be a database: missing, a folder, empty
// or without SQLite's header. Nothing else is read here: the rest of the header changes with
// every commit of another connection, so it is judged only under the file's lock, by SQLite
// itself (a file shorter than its header says is refused as damaged when it is first read).
void checkFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw DbError(QString("Could not find file '%1'.").arg(path), 3024);
    if (!info.isFile())
        throw DbError(QString("'%1' is not a database file.").arg(path), 3343);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QString("The database file '%1' cannot be opened: %2.")
                          .arg(path, file.errorString()), 3051);
    const QByteArray magic = file.read(16);
    if (magic != QByteArrayLiteral("SQLite format 3\0"))
        throw DbError(QString("Unrecognized database format '%1'.").arg(path), 3343);
}

} // namespace

Database::Database(sqlite3 *db, const QString &path) : m_db(db), m_path(path) {}

Database::~Database()
{
    try {
        Close();
    } catch (...) {
    }
}

void Database::setBusyTimeout(int milliseconds) { g_busyTimeout = std::max(0, milliseconds); }

int Database::busyTimeout() { return g_busyTimeout; }

std::unique_ptr<Database> Database::open(const QString &path)
{
    checkFile(path);
    // A connection to the same file that this thread closed a moment ago serves again.
    ConnectionPool::Shape shape;
    sqlite3 *db = ConnectionPool::take(path, &shape);
    const bool fresh = !db;
    if (fresh) {
        // A connection serves one thread only (the pool keeps it for the thread that closed
        // it), so it takes no lock of its own around each call: a day view reads thousands of
        // columns.
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE
                                           | SQLITE_OPEN_NOMUTEX,
                                       nullptr);
        if (rc != SQLITE_OK) {
            const DbError error = db ? Statement::lastError(db, path)
                                     : DbError("Out of memory opening " + path + ".", rc);
            sqlite3_close_v2(db);
            throw error;
        }
        // A bookingfile may come from anywhere: its schema may not call functions with side
        // effects, write the schema itself, or load extensions.
        sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
        // No text or blob of ours comes near this; a larger one is refused, not built in memory.
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 64 * 1024 * 1024);
    }
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    std::unique_ptr<Database> database(new Database(db, path));
    sqlite3_busy_handler(db, waitWhileBusy, &database->m_busyTimer);
    if (fresh) {
        Deadline::watch(db);
        if (!registerJetFunctions(db))
            throw Statement::lastError(db, path);
        database->exec("PRAGMA cell_size_check = ON");
        shape = ConnectionPool::shapeOf(db);
    }
    database->m_shape = shape;
    // The file's tables, views and triggers must be our own before anything reads it. Once they
    // are, its schema is the program's own code, and its triggers may keep the full-text index
    // that the search reads (a virtual table, which an untrusted schema may not write).
    if (SchemaCheck::verify(db, path))
        sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 1, nullptr);
    if (Damage::isMarked(db))
        database->exec("PRAGMA query_only = ON");
    // Reading the schema proves the file is a database that we may read now.
    Statement check(db, "SELECT count(*) FROM sqlite_schema");
    check.step();
    return database;
}

void Database::checkOpen() const
{
    if (!m_db)
        throw DbError("The database connection is closed.", 3420);
}

void Database::exec(const char *sql)
{
    checkOpen();
    Statement statement(m_db, QString::fromUtf8(sql));
    while (statement.step()) {
    }
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &source)
{
    checkOpen();
    const ObjectInfo info = describeObject(m_db, source.trimmed());
    return OpenRecordset(source, info.found && !info.isView ? RecordsetType::Table
                                                            : RecordsetType::Dynaset);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &source, RecordsetType type)
{
    checkOpen();
    QString name = source.trimmed();
    if (name.startsWith('[') && name.endsWith(']'))
        name = name.mid(1, name.size() - 2);
    const ObjectInfo info = describeObject(m_db, name);
    QString sql;
    if (info.found) {
        if (type == RecordsetType::Table && !info.isView)
            return std::make_unique<TableRecordset>(*this, info);
        if (type == RecordsetType::Table)
            type = RecordsetType::Dynaset;   // a stored query opens as a dynaset
        sql = "SELECT * FROM " + JetSql::quoteName(info.name);
    } else {
        if (!source.trimmed().contains(QRegularExpression("\\s")))
            throw DbError(QString("Cannot find the table or query '%1'.").arg(source), 3078);
        sql = JetSql::toSqlite(source);
        const QString head = JetSql::leadingKeyword(sql);
        if (head != "SELECT" && head != "WITH")
            throw DbError(QString("Only a SELECT query can be opened as a recordset: '%1'.")
                              .arg(source), 3065);
        if (type == RecordsetType::Table)
            type = RecordsetType::Dynaset;
    }
    if (type == RecordsetType::ForwardOnly)
        return std::make_unique<ForwardRecordset>(*this, sql);
    return std::make_unique<RowsRecordset>(*this, sql, type);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &sql, const Bindings &values,
                                                   RecordsetType type)
{
    checkOpen();
    const QString head = JetSql::leadingKeyword(sql);
    if (head != "SELECT" && head != "WITH")
        throw DbError(QString("Only a SELECT query can be opened as a recordset: '%1'.")
                          .arg(sql), 3065);
    if (!sqlite3_stmt_readonly(Statement(m_db, sql).get()))
        throw DbError(QString("Only a query that reads can be opened as a recordset: '%1'.")
                          .arg(sql), 3065);
    if (type == RecordsetType::ForwardOnly)
        return std::make_unique<ForwardRecordset>(*this, sql, values);
    if (type == RecordsetType::Table)
        type = RecordsetType::Dynaset;
    return std::make_unique<RowsRecordset>(*this, sql, type, values);
}

void Database::Execute(const QString &jetSql)
{
    checkOpen();
    const QString sql = JetSql::toSqlite(jetSql);
    const QString head = JetSql::leadingKeyword(sql);
    if (head == "SELECT")
        throw DbError("Cannot execute a select query.", 3065);
    Statement statement(m_db, sql);
    while (statement.step()) {
    }
    m_recordsAffected = sqlite3_changes(m_db);
}

bool Database::CheckIntegrity(int maxMilliseconds)
{
    checkOpen();
    const Deadline bound(maxMilliseconds);
    const Integrity::Finding found = Integrity::checkAndMend(m_db);
    switch (found.outcome) {
    case Integrity::Outcome::Whole:
    case Integrity::Outcome::Mended:
        return true;
    case Integrity::Outcome::Unfinished:
        return false;
    case Integrity::Outcome::Damaged:
        break;
    }
    throw DbError(Damage::text(m_db, found.detail), SQLITE_CORRUPT);
}

bool Database::hasTable(const QString &name) const
{
    checkOpen();
    return describeObject(m_db, name).found;
}

void Database::Close()
{
    if (!m_db)
        return;
    const std::vector<RecordsetBase *> open = m_recordsets;
    for (RecordsetBase *recordset : open)
        recordset->detachFromDatabase();
    m_recordsets.clear();
    if (m_transDepth > 0) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_transDepth = 0;
    }
    ConnectionPool::release(m_db, m_path, m_shape);
    m_db = nullptr;
}

void Database::BeginTrans()
{
    checkOpen();
    if (m_transDepth == 0)
        exec("BEGIN IMMEDIATE");
    else
        exec(QStringLiteral("SAVEPOINT vantix_%1").arg(m_transDepth).toUtf8().constData());
    ++m_transDepth;
}

void Database::CommitTrans()
{
    checkOpen();
    if (m_transDepth == 0)
        throw DbError("Commit without a transaction.", 3034);
    if (m_transDepth == 1)
        exec("COMMIT");
    else
        exec(QStringLiteral("RELEASE vantix_%1").arg(m_transDepth - 1).toUtf8().constData());
    --m_transDepth;
}

void Database::Rollback()
{
    checkOpen();
    if (m_transDepth == 0)
        throw DbError("Rollback without a transaction.", 3034);
    if (m_transDepth == 1) {
        if (!sqlite3_get_autocommit(m_db))   // SQLite may have rolled back already
            exec("ROLLBACK");
    } else {
        const QByteArray name = QStringLiteral("vantix_%1").arg(m_transDepth - 1).toUtf8();
        exec(("ROLLBACK TO " + name).constData());
        exec(("RELEASE " + name).constData());
    }
    --m_transDepth;
}

void Database::attach(RecordsetBase *recordset) { m_recordsets.push_back(recordset); }

void Database::detach(RecordsetBase *recordset)
{
    m_recordsets.erase(std::remove(m_recordsets.begin(), m_recordsets.end(), recordset),
                       m_recordsets.end());
}

} // namespace Dao
