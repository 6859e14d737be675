#pragma once

#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3;

// A raw SQLite connection for checking the built database files, opened the way the program
// opens a bookingfile of its own layout: defensive, with the file's checked schema trusted.
// Failures throw
// std::runtime_error with SQLite's message.
class SqliteFile
{
public:
    explicit SqliteFile(const QString &path);
    ~SqliteFile();
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    void exec(const QString &sql);
    QList<QVariantList> rows(const QString &sql, const QVariantList &binds = {});
    QVariant value(const QString &sql, const QVariantList &binds = {});
    QStringList columnNames(const QString &sql);
    // Empty when sql prepares, else SQLite's message.
    QString prepareError(const QString &sql);
    // The query plan's detail lines, joined by "\n".
    QString queryPlan(const QString &sql);

    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};
