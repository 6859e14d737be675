#include "platform/db/dbfile.h"

#include "platform/db/dberror.h"

#include <QFile>

#include <sqlite3.h>

namespace Dao {

void CreateDatabase(const QString &path, const QString &script)
{
    const QString tmp = path + ".tmp";
    QFile::remove(tmp);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(tmp.toUtf8().constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        const QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString("out of memory");
        sqlite3_close(db);
        throw DbError("Cannot create " + path + ": " + why);
    }
    char *err = nullptr;
    const QByteArray sql = "BEGIN;" + script.toUtf8() + ";COMMIT;";
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err);
    const QString why = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(tmp);
        throw DbError("Cannot create " + path + ": " + why);
    }
    QFile::remove(path);
    if (!QFile::rename(tmp, path)) {
        QFile::remove(tmp);
        throw DbError("Cannot create " + path);
    }
}

} // namespace Dao
