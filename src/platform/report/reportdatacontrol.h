#pragma once

#include "platform/db/bindings.h"
#include "platform/report/rowsource.h"

#include <QString>

#include <optional>

// A report's data control: a database file and a record source (a table, a stored query or
// SQL text, or SQLite's own text with bound values), opened as a snapshot each time the report runs and closed once its rows are read.
// Errors of the database (a missing file, a rejected statement) reach the caller as DbError.
class ReportDataControl final : public RowProvider
{
public:
    QString DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &path) { m_databaseName = path; }
    QString RecordSource() const { return m_recordSource; }
    void setRecordSource(const QString &source)
    {
        m_recordSource = source;
        m_bindings.reset();
    }
    // A SELECT with placeholders and their values, as Dao::Database::OpenRecordset takes them.
    void setRecordSource(const QString &sql, const Dao::Bindings &values)
    {
        m_recordSource = sql;
        m_bindings = values;
    }

    std::unique_ptr<RowSource> openRows() override;

private:
    QString m_databaseName;
    QString m_recordSource;
    std::optional<Dao::Bindings> m_bindings;
};
