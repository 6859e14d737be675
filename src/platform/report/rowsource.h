#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QHash>
#include <QVariantMap>

#include <memory>

namespace Dao {
class Recordset;
}

// The rows a report runs over. A source starts before its first row; next() moves to the
// next row and answers false when none is left. Field names are case-blind.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual bool next() = 0;
    virtual QVariant value(const QString &field) const = 0;
    virtual QStringList fieldNames() const = 0;
    // Back before the first row, so that the same source can feed another run.
    virtual void rewind() = 0;
};

// Rows given as maps of field name to value (every row may name its own fields).
class ListRowSource final : public RowSource
{
public:
    explicit ListRowSource(QList<QVariantMap> rows = {});
    void append(const QVariantMap &row) { m_rows.append(row); }
    int count() const { return int(m_rows.size()); }

    bool next() override;
    QVariant value(const QString &field) const override;
    QStringList fieldNames() const override;
    void rewind() override { m_pos = -1; }

private:
    QList<QVariantMap> m_rows;
    int m_pos = -1;
};

// The rows of a database recordset, walked from its current first row. The adapter owns the
// recordset when given a unique_ptr, otherwise it only borrows it.
class RecordsetRowSource final : public RowSource
{
public:
    explicit RecordsetRowSource(Dao::Recordset &recordset);
    explicit RecordsetRowSource(std::unique_ptr<Dao::Recordset> recordset);
    ~RecordsetRowSource() override;

    bool next() override;
    QVariant value(const QString &field) const override;
    QStringList fieldNames() const override;
    void rewind() override;

private:
    std::unique_ptr<Dao::Recordset> m_owned;
    Dao::Recordset *m_rs = nullptr;
    bool m_started = false;
};

// Opens a fresh row source for each run of a report: a report's data control.
class RowProvider
{
public:
    virtual ~RowProvider() = default;
    virtual std::unique_ptr<RowSource> openRows() = 0;
};

// One row as the report read it: its values by field name (case-blind). Rows read from one
// source share the index of their field names.
class ReportRow
{
public:
    using Index = QHash<QString, int>;

    ReportRow() = default;
    static ReportRow fromSource(const RowSource &source);
    static ReportRow fromMap(const QVariantMap &values);
    // The index of a row's field names, to be shared by the rows that have these names.
    static std::shared_ptr<const Index> indexOf(const QStringList &names);
    // The current row of the source, whose fields are names, indexed by index.
    static ReportRow fromSource(const RowSource &source, const QStringList &names,
                                std::shared_ptr<const Index> index);

    QVariant value(const QString &field) const
    {
        const int i = find(field);
        return i < 0 ? QVariant() : m_values.at(i);
    }
    bool hasField(const QString &field) const { return find(field) >= 0; }
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    int find(const QString &field) const;

    std::shared_ptr<const Index> m_index;
    QList<QVariant> m_values;
};
