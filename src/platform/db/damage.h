#pragma once

#include <QString>

struct sqlite3;

namespace Dao {

// Files on which SQLite has reported damage ("database disk image is malformed"). Once a file
// is marked, every connection to it in this program only reads: nothing more is written to a
// damaged file, so a copy of it can still be restored from what it holds.
namespace Damage {

// Marks the main file of db damaged and stops db from writing.
void mark(sqlite3 *db);
// Marks the file at path damaged: connections opened to it from then on only read.
void markFile(const QString &path);
bool isMarked(sqlite3 *db);
// A file whose integrity check passed is healthy again (it was restored from a copy).
void clear(sqlite3 *db);
// The message for a damaged file: names the file and says what to do.
QString text(sqlite3 *db, const QString &detail);
QString textForFile(const QString &path, const QString &detail);

} // namespace Damage
} // namespace Dao
