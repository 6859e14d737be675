#pragma once

#include "platform/db/bindings.h"
#include "platform/db/recordsetbase.h"

#include <QString>

#include <optional>

namespace Dao {

// A dynaset or snapshot: the rows a query selects, read when it opens (or is requeried). A
// dynaset over one table, or over a stored query that its triggers write through, keeps each
// row's key and writes edits, new rows and deletes back; its own changes show at once.
class RowsRecordset final : public RecordsetBase
{
public:
    // sql: a translated SELECT, or SQLite's own text with placeholders for the bindings.
    RowsRecordset(Database &db, const QString &sql, RecordsetType type,
                  std::optional<Bindings> bindings = std::nullopt);

    void MoveFirst() override;
    void MoveNext() override;
    void MovePrevious() override;
    void MoveLast() override;
    bool EOF_() const override;
    bool BOF() const override;
    int RecordCount() override;
    int AbsolutePosition() const override;

    void FindFirst(const QString &criteria) override;
    void FindNext(const QString &criteria) override;
    void Requery() override;
    void MoveToLastModified() override;

protected:
    const QVector<QVariant> *currentValues() const override;
    bool currentDeleted() const override;
    QVariant currentKey() const override;
    void rowEdited(const QVariant &key, const QVector<QVariant> &values) override;
    void rowAdded(const QVariant &key, const QVector<QVariant> &values) override;
    void rowDeleted() override;
    void releaseStatements() override {}

private:
    struct Row
    {
        QVariant key;
        QVector<QVariant> values;
        bool deleted = false;
    };
    void load();
    int firstLive(int from, int step) const;
    void find(const QString &criteria, int from);

    QString m_sql;       // what the user asked for
    QString m_keyedSql;  // the same with the write key as its first column
    std::optional<Bindings> m_bindings;
    int m_first = 0;     // the first column that is a field
    QList<Row> m_rows;
    int m_pos = -1;      // -1 before the first row, m_rows.size() past the last
};

} // namespace Dao
