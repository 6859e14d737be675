#pragma once

#include <QString>

namespace Dao {

// Creates a new database file at path from an SQL script (replacing any file there).
// Throws DbError when the file cannot be written or the script fails.
void CreateDatabase(const QString &path, const QString &script);

} // namespace Dao
