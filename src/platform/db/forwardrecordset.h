#pragma once

#include "platform/db/bindings.h"
#include "platform/db/recordsetbase.h"
#include "platform/db/statement.h"

#include <optional>

namespace Dao {

// A read-only recordset that steps through its query once, holding one row at a time.
class ForwardRecordset final : public RecordsetBase
{
public:
    ForwardRecordset(Database &db, const QString &sql,
                     std::optional<Bindings> bindings = std::nullopt);

    void MoveFirst() override;   // only while on the first row
    void MoveNext() override;
    void MovePrevious() override { throw notSupported(); }
    void MoveLast() override;
    bool EOF_() const override { return m_eof; }
    bool BOF() const override { return m_empty; }
    int RecordCount() override { return m_reached; }
    int AbsolutePosition() const override { return m_eof ? -1 : m_reached - 1; }
    void Requery() override;
    void MoveToLastModified() override { throw notSupported(); }

protected:
    const QVector<QVariant> *currentValues() const override;
    QVariant currentKey() const override { return QVariant(); }
    void rowEdited(const QVariant &, const QVector<QVariant> &) override {}
    void rowAdded(const QVariant &, const QVector<QVariant> &) override {}
    void rowDeleted() override {}
    void releaseStatements() override { m_query.finalize(); }

private:
    void step();

    QString m_sql;
    std::optional<Bindings> m_bindings;
    Statement m_query;
    QVector<QVariant> m_values;
    int m_reached = 0;
    bool m_eof = true;
    bool m_empty = true;
};

} // namespace Dao
