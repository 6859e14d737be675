#include "platform/db/connectionpool.h"

#include "platform/db/damage.h"

#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

#include <optional>
#include <vector>

namespace Dao::ConnectionPool {
namespace {

// How many connections a thread keeps, and for how long.
constexpr size_t kMostKept = 3;
constexpr qint64 kKeptMilliseconds = 10000;

// The file a path names, and when it was last changed: a file put in its place or written to by
// anyone but SQLite (whose own commits the kept connection notices itself) is another file.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = 0;
    qint64 changedNs = 0;
    bool operator==(const FileStamp &o) const
    {
        return device == o.device && inode == o.inode && size == o.size
               && changedNs == o.changedNs;
    }
};

std::optional<FileStamp> stampOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileStamp{info.st_dev, info.st_ino, qint64(info.st_size),
                     qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

struct Kept
{
    sqlite3 *db = nullptr;
    QString path;
    FileStamp stamp;
    Shape shape;
    QElapsedTimer since;
};

struct Pool
{
    std::vector<Kept> kept;
    ~Pool()
    {
        for (const Kept &k : kept)
            sqlite3_close_v2(k.db);
    }
    // Closes what has been kept too long.
    void expire()
    {
        for (auto it = kept.begin(); it != kept.end();) {
            if (it->since.elapsed() > kKeptMilliseconds) {
                sqlite3_close_v2(it->db);
                it = kept.erase(it);
            } else {
                ++it;
            }
        }
    }
};

thread_local Pool t_pool;

int intOf(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    int value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        value = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return value;
}

} // namespace

Shape shapeOf(sqlite3 *db)
{
    return {intOf(db, "SELECT count(*) FROM pragma_function_list"),
            intOf(db, "PRAGMA cache_size")};
}

sqlite3 *take(const QString &path, Shape *shape)
{
    t_pool.expire();
    const std::optional<FileStamp> now = stampOf(path);
    for (auto it = t_pool.kept.begin(); it != t_pool.kept.end(); ++it) {
        if (it->path != path)
            continue;
        sqlite3 *db = it->db;
        const bool same = now && *now == it->stamp;
        const Shape kept = it->shape;
        t_pool.kept.erase(it);
        if (!same) {
            sqlite3_close_v2(db);
            return nullptr;
        }
        *shape = kept;
        return db;
    }
    return nullptr;
}

void release(sqlite3 *db, const QString &path, const Shape &shape)
{
    const std::optional<FileStamp> stamp = stampOf(path);
    const bool asOpened = stamp && sqlite3_get_autocommit(db) && !sqlite3_next_stmt(db, nullptr)
                          && !Damage::isMarked(db) && intOf(db, "PRAGMA query_only") == 0
                          && shapeOf(db).functions == shape.functions
                          && intOf(db, "PRAGMA cache_size") == shape.cacheSize;
    if (!asOpened) {
        sqlite3_close_v2(db);
        return;
    }
    t_pool.expire();
    if (t_pool.kept.size() >= kMostKept) {
        sqlite3_close_v2(t_pool.kept.front().db);
        t_pool.kept.erase(t_pool.kept.begin());
    }
    Kept k{db, path, *stamp, shape, QElapsedTimer()};
    k.since.start();
    t_pool.kept.push_back(std::move(k));
}

} // namespace Dao::ConnectionPool
