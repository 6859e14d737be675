#pragma once

#include <QString>

struct sqlite3;

namespace Dao {

// Connections that Database closed with nothing left on them, kept a short while for the next
// open of the same file on the same thread: that open then needs no new connection and no new
// reading of the file's schema by SQLite. A connection is kept only as it was opened (its page
// cache and its functions as they were) and handed out again only while its file is the same
// file, unchanged since.
namespace ConnectionPool {

// What a connection is like as Database opens it.
struct Shape
{
    int functions = 0;
    int cacheSize = 0;
};
Shape shapeOf(sqlite3 *db);

// A kept connection to the file at path, or nullptr; shape receives what it was opened with.
sqlite3 *take(const QString &path, Shape *shape);
// Keeps db for the next open of path when it is as it was opened and holds nothing open; closes
// it otherwise.
void release(sqlite3 *db, const QString &path, const Shape &shape);

} // namespace ConnectionPool
} // namespace Dao
