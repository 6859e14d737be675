#include "platform/db/schemacheck.h"

#include "platform/db/dberror.h"
#include "platform/db/deadline.h"
#include "platform/db/statement.h"

#include <sqlite3.h>

#include <QSet>

#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace Dao::SchemaCheck {
namespace {

// How long reading a file's layout may take: our own layouts read in a few milliseconds.
constexpr int kCheckMilliseconds = 2000;

struct Registry
{
    std::vector<FileSchema> schemas;
    std::map<std::pair<const FileSchema *, int>, QStringList> models;
    // Layouts as read from files that were taken as they were, exactly as SQLite holds them
    // (version and rows in the file's own order): a file that holds one of them again is one
    // of ours without its rows being built and compared once more. A few files at most.
    QSet<QByteArray> accepted;
    std::mutex lock;
};

constexpr int kMaxAccepted = 16;

Registry &registry()
{
    static Registry r;
    return r;
}

bool isBlank(QChar c) { return c.isSpace(); }

bool isPunctuation(QChar c)
{
    return c == '(' || c == ')' || c == ',' || c == ';' || c == '=';
}

// Runs a script on a connection; throws DbError with what SQLite said.
void run(sqlite3 *db, const QString &sql, const QString &what)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        const int code = sqlite3_extended_errcode(db);
        sqlite3_free(error);
        throw DbError(what + ": " + text, code);
    }
}

int userVersion(sqlite3 *db)
{
    Statement version(db, "PRAGMA user_version");
    return version.step() ? sqlite3_column_int(version.get(), 0) : 0;
}

struct Match
{
    const FileSchema *schema = nullptr;
    int version = 0;   // the version whose layout the file holds
};

// The layout, and its version at or after the file's own, that the file holds exactly.
Match match(int fileVersion, const QStringList &rows)
{
    for (const FileSchema &schema : knownSchemas()) {
        const int current = currentVersion(schema);
        for (int v = std::max(0, fileVersion); v <= current; ++v) {
            if (model(schema, v) == rows)
                return {&schema, v};
        }
    }
    return {};
}

QString objectOf(const QString &row)
{
    const QStringList parts = row.split(QChar(0x1f));
    return parts.value(0) + " " + parts.value(1);
}

// What the file holds that none of our layouts does, or lacks, against the nearest layout.
QString difference(int fileVersion, const QStringList &rows)
{
    const FileSchema *nearest = nullptr;
    qsizetype best = -1;
    for (const FileSchema &schema : knownSchemas()) {
        const QStringList want = model(schema, currentVersion(schema));
        qsizetype common = 0;
        for (const QString &row : rows)
            common += want.contains(row) ? 1 : 0;
        if (common > best) {
            best = common;
            nearest = &schema;
        }
    }
    if (!nearest)
        return QString();
    const int current = currentVersion(*nearest);
    if (fileVersion > current)
        return QString("it was made by a newer version of this program (layout %1; this "
                       "program knows up to %2)").arg(fileVersion).arg(current);
    const QStringList want = model(*nearest, current);
    QStringList wantObjects;
    for (const QString &row : want)
        wantObjects << objectOf(row);
    for (const QString &row : rows) {
        if (want.contains(row))
            continue;
        const QString object = objectOf(row);
        if (wantObjects.contains(object))
            return QString("its %1 differs from the program's").arg(object);
        return QString("it holds a %1 of its own").arg(object);
    }
    for (const QString &row : want) {
        if (!rows.contains(row))
            return QString("it lacks the %1").arg(objectOf(row));
    }
    return QString();
}

DbError refusal(const QString &path, const QString &why)
{
    return DbError(QString("The file '%1' was not opened: its tables, views or triggers are "
                           "not this program's own%2.")
                       .arg(path, why.isEmpty() ? QString() : "; " + why),
                   ForeignLayout);
}

// Runs a read of the file's layout within the check's bound.
template<typename Read>
auto boundedRead(const QString &path, Read read)
{
    Deadline bound(kCheckMilliseconds);
    try {
        return read();
    } catch (const DbError &e) {
        if ((e.code() & 0xff) == Deadline::TimedOut)
            throw DbError(QString("The file '%1' was not opened: reading its layout took too "
                                  "long.").arg(path), ForeignLayout);
        throw;
    }
}

// Reads the file's version and layout within the check's bound.
std::pair<int, QStringList> readLayout(sqlite3 *db, const QString &path)
{
    return boundedRead(path, [db] { return std::pair<int, QStringList>(userVersion(db),
                                                                       fileRows(db)); });
}

// The file's version and schema rows as SQLite holds them, unchanged, in one text.
QByteArray rawLayout(sqlite3 *db, const QString &path)
{
    return boundedRead(path, [db] {
        QByteArray raw = QByteArray::number(userVersion(db));
        Statement read(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema");
        while (read.step()) {
            for (int column = 0; column < 4; ++column) {
                raw += '\x1f';
                raw.append(reinterpret_cast<const char *>(sqlite3_column_text(read.get(), column)),
                           sqlite3_column_bytes(read.get(), column));
            }
            raw += '\x1e';
        }
        return raw;
    });
}

bool wasAccepted(const QByteArray &raw)
{
    Registry &r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    return r.accepted.contains(raw);
}

void remember(const QByteArray &raw)
{
    Registry &r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    if (r.accepted.size() >= kMaxAccepted)
        r.accepted.clear();
    r.accepted.insert(raw);
}

void upgrade(sqlite3 *db, const QString &path)
{
    run(db, "BEGIN IMMEDIATE", "The file '" + path + "' could not be brought up to date");
    try {
        // Another copy of the program may have upgraded the file since it was read.
        const auto [version, rows] = readLayout(db, path);
        const Match found = match(version, rows);
        if (!found.schema)
            throw refusal(path, difference(version, rows));
        const int current = currentVersion(*found.schema);
        // The file is one of ours: its upgrade takes as long as its rows need.
        const Deadline::Lifted ownWork;
        for (const SchemaStep &step : found.schema->steps) {
            if (step.from >= found.version && step.from < current)
                run(db, step.upgrade, QString("Step %1").arg(step.from + 1));
        }
        run(db, QString("PRAGMA user_version = %1").arg(current), "Version");
        if (fileRows(db) != model(*found.schema, current))
            throw DbError("its steps do not lead to today's layout");
        run(db, "COMMIT", "Commit");
    } catch (const DbError &e) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        if (e.code() == ForeignLayout)
            throw;
        throw DbError(QString("The file '%1' could not be brought up to this version of the "
                              "program: %2").arg(path, e.description()),
                      e.code());
    }
}

} // namespace

void setKnownSchemas(std::vector<FileSchema> schemas)
{
    Registry &r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    r.models.clear();
    r.accepted.clear();
    r.schemas = std::move(schemas);
}

const std::vector<FileSchema> &knownSchemas() { return registry().schemas; }

QString normalise(const QString &sql)
{
    QString out;
    out.reserve(sql.size());
    bool pendingBlank = false;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c == '-' && i + 1 < n && sql.at(i + 1) == '-') {
            while (i < n && sql.at(i) != '\n')
                ++i;
            pendingBlank = true;
            continue;
        }
        if (c == '/' && i + 1 < n && sql.at(i + 1) == '*') {
            const qsizetype end = sql.indexOf("*/", i + 2);
            i = end < 0 ? n : end + 2;
            pendingBlank = true;
            continue;
        }
        if (isBlank(c)) {
            pendingBlank = true;
            ++i;
            continue;
        }
        if (pendingBlank && !out.isEmpty() && !isPunctuation(out.back()) && !isPunctuation(c))
            out += ' ';
        pendingBlank = false;
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const QChar close = c == '[' ? QChar(']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == close) {
                    // A doubled quote stands for itself inside the text.
                    if (close != ']' && j + 1 < n && sql.at(j + 1) == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype end = std::min(n, j + 1);
            out += sql.mid(i, end - i);
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    while (out.endsWith(';'))
        out.chop(1);
    return out;
}

QStringList fileRows(sqlite3 *db)
{
    QStringList rows;
    Statement read(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema");
    auto text = [&read](int column) {
        return QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(read.get(), column)));
    };
    while (read.step()) {
        rows << QStringList{text(0), text(1), text(2), normalise(text(3))}.join(QChar(0x1f));
    }
    rows.sort();
    return rows;
}

int currentVersion(const FileSchema &schema) { return int(schema.steps.size()); }

QStringList model(const FileSchema &schema, int version)
{
    Registry &r = registry();
    {
        std::lock_guard<std::mutex> hold(r.lock);
        const auto found = r.models.find({&schema, version});
        if (found != r.models.end())
            return found->second;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        throw DbError("Out of memory building the layout of " + schema.name + ".");
    }
    QStringList rows;
    try {
        run(db, schema.script, "The layout of " + schema.name);
        const int current = currentVersion(schema);
        if (userVersion(db) != current)
            throw DbError(QString("The layout of %1 is version %2 but has steps for %3.")
                              .arg(schema.name).arg(userVersion(db)).arg(current));
        for (int v = current - 1; v >= version; --v) {
            const SchemaStep &step = schema.steps.at(size_t(v));
            if (step.from != v)
                throw DbError(QString("The steps of %1 are out of order.").arg(schema.name));
            run(db, step.previous, QString("The layout of %1 version %2").arg(schema.name).arg(v));
        }
        rows = fileRows(db);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
    std::lock_guard<std::mutex> hold(r.lock);
    r.models[{&schema, version}] = rows;
    return rows;
}

bool verify(sqlite3 *db, const QString &path)
{
    if (knownSchemas().empty())
        return true;
    const QByteArray raw = rawLayout(db, path);
    if (wasAccepted(raw))
        return true;
    const auto [version, rows] = readLayout(db, path);
    const Match found = match(version, rows);
    if (!found.schema)
        throw refusal(path, difference(version, rows));
    const int current = currentVersion(*found.schema);
    // A file that holds today's layout under an older number is used as it is where it may
    // not be written.
    if (version == current || (found.version == current && sqlite3_db_readonly(db, "main") == 1)) {
        remember(raw);
        return true;
    }
    upgrade(db, path);
    return true;
}

} // namespace Dao::SchemaCheck
