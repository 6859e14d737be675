#include "platform/db/damage.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <sqlite3.h>

namespace Dao::Damage {
namespace {

QMutex g_lock;

QSet<QString> &marked()
{
    static QSet<QString> files;
    return files;
}

QString fileOf(sqlite3 *db)
{
    const char *name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

// One key per file, however its path was written.
QString keyOfFile(const QString &file)
{
    if (file.isEmpty())
        return file;
    const QString canonical = QFileInfo(file).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(file).absoluteFilePath() : canonical;
}

QString keyOf(sqlite3 *db) { return keyOfFile(fileOf(db)); }

} // namespace

void mark(sqlite3 *db)
{
    const QString key = keyOf(db);
    if (key.isEmpty())
        return;
    {
        QMutexLocker guard(&g_lock);
        marked().insert(key);
    }
    sqlite3_exec(db, "PRAGMA query_only = ON", nullptr, nullptr, nullptr);
}

void markFile(const QString &path)
{
    const QString key = keyOfFile(path);
    if (key.isEmpty())
        return;
    QMutexLocker guard(&g_lock);
    marked().insert(key);
}

bool isMarked(sqlite3 *db)
{
    const QString key = keyOf(db);
    QMutexLocker guard(&g_lock);
    return !key.isEmpty() && marked().contains(key);
}

void clear(sqlite3 *db)
{
    const QString key = keyOf(db);
    bool was = false;
    {
        QMutexLocker guard(&g_lock);
        was = marked().remove(key);
    }
    if (was)
        sqlite3_exec(db, "PRAGMA query_only = OFF", nullptr, nullptr, nullptr);
}

QString text(sqlite3 *db, const QString &detail) { return textForFile(fileOf(db), detail); }

QString textForFile(const QString &path, const QString &detail)
{
    QString text = "The database file " + QDir::toNativeSeparators(path) + " is damaged";
    if (!detail.isEmpty())
        text += " (" + detail + ")";
    return text + ". Restore it from a copy; nothing more is written to it.";
}

} // namespace Dao::Damage
