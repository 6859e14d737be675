#pragma once

#include "platform/db/recordsetbase.h"
#include "platform/db/statement.h"

namespace Dao {

// A table opened as a table: live rows in key order, read one at a time through the key, so a
// walk costs what it visits and sees the rows as they are now. Seek uses the key ("Primarykey").
class TableRecordset final : public RecordsetBase
{
public:
    TableRecordset(Database &db, const ObjectInfo &info);
    ~TableRecordset() override;

    void MoveFirst() override;
    void MoveNext() override;
    void MovePrevious() override;
    void MoveLast() override;
    bool EOF_() const override { return m_eof; }
    bool BOF() const override { return m_bof; }
    int RecordCount() override;
    int AbsolutePosition() const override;

    void SetIndex(const QString &index) override;
    void Seek(const QString &comparison, const QVariant &key) override;
    void FindFirst(const QString &criteria) override;
    void FindNext(const QString &criteria) override;
    void Requery() override;
    void MoveToLastModified() override;

protected:
    const QVector<QVariant> *currentValues() const override;
    bool currentDeleted() const override { return m_deleted; }
    QVariant currentKey() const override { return m_key; }
    void rowEdited(const QVariant &key, const QVector<QVariant> &values) override;
    void rowAdded(const QVariant &key, const QVector<QVariant> &values) override;
    void rowDeleted() override;
    void releaseStatements() override;

private:
    // Runs a statement that selects "key, *" and takes its first row as the current one;
    // false (and nothing changed) when it has none.
    bool takeRow(Statement &statement);
    bool loadKey(const QVariant &key);
    void find(const QString &criteria, bool fromCurrent);
    QString select(const QString &tail) const;

    ObjectInfo m_info;
    QString m_keyExpr;
    Statement m_first;
    Statement m_last;
    Statement m_next;
    Statement m_previous;
    Statement m_byKey;
    bool m_bof = true;
    bool m_eof = true;
    bool m_deleted = false;
    QVariant m_key;
    QVector<QVariant> m_values;
};

} // namespace Dao
