#pragma once

#include <QString>

#include <functional>

struct sqlite3;

namespace Dao {

// SQLite's full integrity check of a database file, with the check of each of its full-text
// indexes. Damage confined to indexes (an index that lacks rows of its table, holds rows its
// table has not, or a full-text index that differs from its texts) is mended by rebuilding those
// indexes in one transaction, which is kept only when the check then passes; any other damage
// marks the file damaged (Damage), so that nothing more is written to it.
namespace Integrity {

enum class Outcome {
    Whole,       // the check passed
    Mended,      // the check found damage to indexes alone, and rebuilding them mended it
    Damaged,     // the file is damaged otherwise; it is marked, and detail says how
    Unfinished,  // the check ran out of time or was stopped; the file is taken as it is
};

struct Finding
{
    Outcome outcome = Outcome::Unfinished;
    QString detail;   // the first problem found, for Damaged
};

// Checks the file open on db within the bounds of the calling thread (Dao::Deadline) and mends
// damage to indexes on it.
Finding checkAndMend(sqlite3 *db);

// Checks a copy of the file at path, taken in short reads so that other connections to the file
// are kept waiting no longer than by any other read; the check of the copy then takes as long as
// it needs, within maxMilliseconds, while the file itself is used as ever. Damage to indexes
// that the copy shows is mended on the file itself; other damage marks the file. The copy is
// made in folder and removed again. stopped is asked now and then; when it answers true, the
// check ends Unfinished.
Finding checkCopy(const QString &path, const QString &folder, int maxMilliseconds,
                  const std::function<bool()> &stopped);

} // namespace Integrity
} // namespace Dao
