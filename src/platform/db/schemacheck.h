#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct sqlite3;

namespace Dao {

// One step in the history of a kind of file: how a file of version `from` becomes version
// `from` + 1.
struct SchemaStep
{
    int from = 0;
    QString upgrade;    // SQLite's own SQL, run on the file inside the upgrade's transaction
    QString previous;   // turns the layout of version `from` + 1 back into that of `from`; run
                        // only on a model in memory, to know what a file of that version holds
};

// The layout of one kind of file that the program opens: its tables, views, triggers and
// indexes are the only code such a file may hold.
struct FileSchema
{
    QString name;     // how messages call the kind of file
    QString script;   // builds today's layout; its PRAGMA user_version is today's version
    std::vector<SchemaStep> steps;   // one per earlier version, from version 0 on
};

// Database::open checks each file against the known layouts before anything reads it: a file
// whose schema is not exactly one of them (today's or an earlier version's) is refused, and a
// file of an earlier version is brought up to today's layout once, in one transaction.
namespace SchemaCheck {

// The code of a DbError for a file refused for its layout (or for taking too long to check).
constexpr int ForeignLayout = 3510;

// The layouts Database::open accepts. Without any, a file is opened as it is.
void setKnownSchemas(std::vector<FileSchema> schemas);
const std::vector<FileSchema> &knownSchemas();

// Checks the file open on db (at path, for messages) and upgrades it when it is of an earlier
// version. Throws DbError when it is refused or cannot be upgraded. Bounded in time. Returns
// whether the file's schema is to be trusted as the program's own: it holds one of the known
// layouts, or no layout is known and every file is taken as it is.
bool verify(sqlite3 *db, const QString &path);

// Today's version of a layout: the user_version its script writes.
int currentVersion(const FileSchema &schema);
// The schema rows of a layout at a version, built in memory, one text per row ("type name
// table sql", the SQL normalised), sorted.
QStringList model(const FileSchema &schema, int version);
// The same rows as read from an open file.
QStringList fileRows(sqlite3 *db);
// SQL text with comments dropped and blanks reduced to what separates words, so that texts
// that differ only in layout compare equal; quoted texts and names are kept as they are.
QString normalise(const QString &sql);

} // namespace SchemaCheck
} // namespace Dao
