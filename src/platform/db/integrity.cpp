#include "platform/db/integrity.h"

#include "platform/db/damage.h"
#include "platform/db/database.h"
#include "platform/db/deadline.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <cerrno>

#include <signal.h>

namespace Dao::Integrity {
namespace {

// What one run of the checks found.
struct Problems
{
    bool finished = true;     // false: out of time, or stopped
    QString other;            // the first problem that no rebuilt index mends
    QStringList indexes;      // indexes whose contents differ from their tables
    QStringList fullText;     // full-text indexes that differ from their texts
};

// The lines of SQLite's integrity check that concern the entries of one index alone.
const QRegularExpression &indexLine()
{
    static const QRegularExpression line(R"(^(?:row \d+ missing from index|wrong # of entries )"
                                         R"(in index|non-unique entry in index) (\S+)$)");
    return line;
}

QString quoted(const QString &name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

bool interrupted(int rc) { return (rc & 0xff) == SQLITE_INTERRUPT; }

bool damage(int rc) { return (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB; }

// Runs sql, collecting the first column of its rows. SQLite's code: a damaged file is not
// marked here, the caller decides what the answer means.
int rows(sqlite3 *db, const QString &sql, QStringList *out, QString *error)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (out)
            out->append(QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(st, 0))));
    }
    if (rc == SQLITE_DONE)
        rc = SQLITE_OK;
    if (rc != SQLITE_OK && error)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    return rc == SQLITE_OK ? rc : sqlite3_extended_errcode(db);
}

// A statement that fails on a file that cannot be read as it is, for what the checks report.
void fail(int rc, const QString &error, Problems &found)
{
    if (interrupted(rc))
        found.finished = false;
    else if (damage(rc))
        found.other = error;
    else
        throw DbError(error, rc);
}

QStringList fullTextIndexes(sqlite3 *db)
{
    QStringList names;
    QString error;
    const int rc = rows(db, "SELECT name FROM sqlite_schema WHERE type = 'table' AND "
                            "sql LIKE 'CREATE VIRTUAL TABLE % USING fts5%'",
                       &names, &error);
    if (rc != SQLITE_OK)
        throw DbError(error, rc);
    return names;
}

// A full-text index's own check against its texts: it answers that it is damaged when they
// differ.
int checkFullText(sqlite3 *db, const QString &name, QString *error)
{
    return rows(db, "INSERT INTO " + quoted(name) + " (" + quoted(name)
                        + ", rank) VALUES ('integrity-check', 1)",
                nullptr, error);
}

// What SQLite's check is run on: the whole file, or some tables with their indexes.
struct Scope
{
    bool wholeFile = true;
    QStringList tables;
};

// SQLite's check of the scope, then each full-text index's own check.
Problems examine(sqlite3 *db, const Scope &scope = {})
{
    Problems found;
    const QStringList checks = scope.wholeFile ? QStringList{QString()} : scope.tables;
    for (const QString &table : checks) {
        QStringList lines;
        QString error;
        const QString sql = table.isEmpty() ? "PRAGMA integrity_check(100)"
                                            : "PRAGMA integrity_check(" + quoted(table) + ")";
        const int rc = rows(db, sql, &lines, &error);
        if (rc != SQLITE_OK) {
            fail(rc, error, found);
            return found;
        }
        for (const QString &line : std::as_const(lines)) {
            if (line == QLatin1String("ok"))
                continue;
            const QRegularExpressionMatch m = indexLine().match(line);
            if (m.hasMatch()) {
                if (!found.indexes.contains(m.captured(1)))
                    found.indexes << m.captured(1);
            } else if (found.other.isEmpty()) {
                found.other = line;
            }
        }
    }
    if (!found.other.isEmpty())
        return found;
    for (const QString &name : fullTextIndexes(db)) {
        QString error;
        const int rc = checkFullText(db, name, &error);
        if (damage(rc))
            found.fullText << name;
        else if (rc != SQLITE_OK && (rc & 0xff) != SQLITE_READONLY)
            fail(rc, error, found);   // a file that may not be written is left unchecked here
        if (!found.finished)
            break;
    }
    return found;
}

// The tables the indexes belong to.
QStringList tablesOf(sqlite3 *db, const QStringList &indexes)
{
    QStringList tables;
    for (const QString &index : indexes) {
        QStringList owner;
        QString error;
        rows(db, "SELECT tbl_name FROM sqlite_schema WHERE name = '"
                     + QString(index).replace('\'', "''") + "'",
             &owner, &error);
        for (const QString &t : std::as_const(owner))
            if (!tables.contains(t))
                tables << t;
    }
    return tables;
}

// Rebuilds the damaged indexes in one transaction and checks their tables again inside it; the
// rebuild is kept only when that check passes.
bool mend(sqlite3 *db, const Problems &found)
{
    // The file is the program's own and its damage is known: the rebuild takes as long as it
    // needs.
    const Deadline::Lifted ownWork;
    if (rows(db, "BEGIN IMMEDIATE", nullptr, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    for (const QString &index : found.indexes)
        ok = ok && rows(db, "REINDEX " + quoted(index), nullptr, nullptr) == SQLITE_OK;
    for (const QString &name : found.fullText)
        ok = ok && rows(db, "INSERT INTO " + quoted(name) + " (" + quoted(name)
                                + ") VALUES ('rebuild')",
                        nullptr, nullptr)
                       == SQLITE_OK;
    if (ok) {
        const Problems again = examine(db, Scope{false, tablesOf(db, found.indexes)});
        ok = again.finished && again.other.isEmpty() && again.indexes.isEmpty()
             && again.fullText.isEmpty();
    }
    if (ok && rows(db, "COMMIT", nullptr, nullptr) == SQLITE_OK)
        return true;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

Finding damaged(const QString &detail) { return {Outcome::Damaged, detail}; }

// What a run of the checks comes to on the file open on db: the damage mended or named.
Finding settle(sqlite3 *db, const Problems &found)
{
    if (!found.finished)
        return {};
    if (!found.other.isEmpty()) {
        Damage::mark(db);
        return damaged(found.other);
    }
    if (found.indexes.isEmpty() && found.fullText.isEmpty()) {
        Damage::clear(db);
        return {Outcome::Whole, QString()};
    }
    if (!mend(db, found)) {
        Damage::mark(db);
        const QString what = (found.indexes + found.fullText).join(", ");
        return damaged("the index " + what + " could not be rebuilt");
    }
    Damage::clear(db);
    return {Outcome::Mended, QString()};
}

// Copies the file page by page, a few megabytes per read: another connection that writes
// meanwhile waits no longer than for a short read, and its write starts the copy again. After a
// few such new starts the rest is copied in one read, as any long read of the file would be.
int copyFile(sqlite3 *source, sqlite3 *target, const QElapsedTimer &clock, int maxMilliseconds,
             const std::function<bool()> &stopped)
{
    constexpr int kPagesPerRead = 1024;
    constexpr int kNewStarts = 5;
    sqlite3_backup *copy = sqlite3_backup_init(target, "main", source, "main");
    if (!copy)
        return sqlite3_extended_errcode(target);
    int rc = SQLITE_OK;
    int starts = 0;
    int left = -1;
    while (rc != SQLITE_DONE) {
        if (stopped() || clock.elapsed() > maxMilliseconds) {
            rc = SQLITE_INTERRUPT;
            break;
        }
        rc = sqlite3_backup_step(copy, starts > kNewStarts ? -1 : kPagesPerRead);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            QThread::msleep(50);
            continue;
        }
        if (rc != SQLITE_OK && rc != SQLITE_DONE)
            break;
        const int remaining = sqlite3_backup_remaining(copy);
        if (left >= 0 && remaining > left)
            ++starts;
        left = remaining;
    }
    const int finished = sqlite3_backup_finish(copy);
    return rc == SQLITE_DONE ? finished : rc;
}

// The folders of copies left behind by a copy of the program that ended during its check: their
// names carry the number of the process that made them.
void removeLeftCopies(const QString &folder)
{
    QDir dir(folder);
    for (const QString &name : dir.entryList({"vantix-check-*"}, QDir::Dirs)) {
        bool number = false;
        const qint64 pid = name.section('-', 2, 2).toLongLong(&number);
        if (number && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QDir(dir.filePath(name)).removeRecursively();
    }
}

struct Connection
{
    sqlite3 *db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
};

} // namespace

Finding checkAndMend(sqlite3 *db) { return settle(db, examine(db)); }

Finding checkCopy(const QString &path, const QString &folder, int maxMilliseconds,
                  const std::function<bool()> &stopped)
{
    QElapsedTimer clock;
    clock.start();
    removeLeftCopies(folder);
    QTemporaryDir dir(QDir(folder).filePath(
        QString("vantix-check-%1-XXXXXX").arg(QCoreApplication::applicationPid())));
    if (!dir.isValid())
        return {};
    const QString copyPath = dir.filePath("copy.db");
    Problems found;
    {
        Connection source;
        Connection copy;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &source.db,
                            SQLITE_OPEN_READONLY | SQLITE_OPEN_EXRESCODE, nullptr)
                != SQLITE_OK
            || sqlite3_open_v2(QFile::encodeName(copyPath).constData(), &copy.db,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE,
                               nullptr)
                   != SQLITE_OK)
            return {};
        sqlite3_busy_timeout(source.db, Database::busyTimeout());
        for (sqlite3 *db : {source.db, copy.db}) {
            sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
            sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        }
        sqlite3_exec(copy.db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr,
                     nullptr, nullptr);
        // Each page is read about once, by the copy and then by the check, so a small page
        // cache costs the run behind the login little time; the memory a thread took is kept
        // for the program's next threads, so a large one would lift the program's memory.
        for (sqlite3 *db : {source.db, copy.db})
            sqlite3_exec(db, "PRAGMA cache_size = -512", nullptr, nullptr, nullptr);
        const int copied = copyFile(source.db, copy.db, clock, maxMilliseconds, stopped);
        if (damage(copied)) {
            Damage::markFile(path);
            return damaged(QString::fromUtf8(sqlite3_errstr(copied)));
        }
        if (copied != SQLITE_OK)
            return {};
        sqlite3_close_v2(source.db);
        source.db = nullptr;
        // The check of the copy stops when its time is up or the caller asks it to.
        struct Watch
        {
            const QElapsedTimer &clock;
            int max;
            const std::function<bool()> &stopped;
        } watch{clock, maxMilliseconds, stopped};
        sqlite3_progress_handler(
            copy.db, 1000,
            [](void *p) {
                const auto *w = static_cast<const Watch *>(p);
                return w->stopped() || w->clock.elapsed() > w->max ? 1 : 0;
            },
            &watch);
        found = examine(copy.db);
    }
    if (!found.finished)
        return {};
    if (!found.other.isEmpty()) {
        Damage::markFile(path);
        return damaged(found.other);
    }
    if (found.indexes.isEmpty() && found.fullText.isEmpty())
        return {Outcome::Whole, QString()};
    // The copy shows damage to indexes alone: they are rebuilt on the file itself.
    auto db = Database::open(path);
    return settle(db->handle(), found);
}

} // namespace Dao::Integrity
