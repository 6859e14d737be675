#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Plain SQL on a database file, for setting up and reading back what the program did.
// Failures throw std::runtime_error with SQLite's message.
void execSql(const QString &file, const QString &sql);
QVariant sqlValue(const QString &file, const QString &sql);
QList<qlonglong> sqlNumbers(const QString &file, const QString &sql);
