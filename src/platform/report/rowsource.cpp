#include "platform/report/rowsource.h"

#include "platform/db/recordset.h"

ListRowSource::ListRowSource(QList<QVariantMap> rows) : m_rows(std::move(rows)) {}

bool ListRowSource::next()
{
    if (m_pos < int(m_rows.size()))
        ++m_pos;
    return m_pos < int(m_rows.size());
}

QVariant ListRowSource::value(const QString &field) const
{
    if (m_pos < 0 || m_pos >= int(m_rows.size()))
        return QVariant();
    const QVariantMap &row = m_rows.at(m_pos);
    const auto it = row.constFind(field);
    if (it != row.constEnd())
        return it.value();
    for (auto i = row.constBegin(); i != row.constEnd(); ++i) {
        if (i.key().compare(field, Qt::CaseInsensitive) == 0)
            return i.value();
    }
    return QVariant();
}

QStringList ListRowSource::fieldNames() const
{
    if (m_pos >= 0 && m_pos < int(m_rows.size()))
        return m_rows.at(m_pos).keys();
    return m_rows.isEmpty() ? QStringList() : m_rows.first().keys();
}

RecordsetRowSource::RecordsetRowSource(Dao::Recordset &recordset) : m_rs(&recordset) {}

RecordsetRowSource::RecordsetRowSource(std::unique_ptr<Dao::Recordset> recordset)
    : m_owned(std::move(recordset)), m_rs(m_owned.get())
{
}

RecordsetRowSource::~RecordsetRowSource() = default;

bool RecordsetRowSource::next()
{
    if (!m_rs)
        return false;
    if (!m_started) {
        // A recordset opens on its first row; forward-only ones cannot move back to it.
        m_started = true;
        return !m_rs->EOF_();
    }
    if (m_rs->EOF_())
        return false;
    m_rs->MoveNext();
    return !m_rs->EOF_();
}

QVariant RecordsetRowSource::value(const QString &field) const
{
    if (!m_rs || !m_started || m_rs->EOF_() || m_rs->BOF() || !m_rs->HasField(field))
        return QVariant();
    return m_rs->Field(field);
}

QStringList RecordsetRowSource::fieldNames() const
{
    QStringList names;
    if (!m_rs)
        return names;
    for (int i = 0; i < m_rs->FieldCount(); ++i)
        names.append(m_rs->FieldName(i));
    return names;
}

void RecordsetRowSource::rewind()
{
    if (m_rs && m_started && !(m_rs->BOF() && m_rs->EOF_()))
        m_rs->MoveFirst();
    m_started = false;
}

std::shared_ptr<const ReportRow::Index> ReportRow::indexOf(const QStringList &names)
{
    // Each lower-case name leads to its field (the last of equal names, case aside), and so
    // does each name as spelled, so that a field asked for as it is spelled needs no folding.
    auto index = std::make_shared<Index>();
    for (int i = 0; i < names.size(); ++i)
        index->insert(names.at(i).toLower(), i);
    for (const QString &name : names) {
        const QString lower = name.toLower();
        if (name != lower)
            index->insert(name, index->value(lower));
    }
    return index;
}

ReportRow ReportRow::fromSource(const RowSource &source, const QStringList &names,
                                std::shared_ptr<const Index> index)
{
    ReportRow row;
    row.m_index = std::move(index);
    row.m_values.reserve(names.size());
    for (const QString &name : names)
        row.m_values.append(source.value(name));
    return row;
}

ReportRow ReportRow::fromSource(const RowSource &source)
{
    const QStringList names = source.fieldNames();
    return fromSource(source, names, indexOf(names));
}

ReportRow ReportRow::fromMap(const QVariantMap &values)
{
    ReportRow row;
    const QStringList names = values.keys();
    row.m_index = indexOf(names);
    for (const QString &name : names)
        row.m_values.append(values.value(name));
    return row;
}

int ReportRow::find(const QString &field) const
{
    if (!m_index)
        return -1;
    auto it = m_index->constFind(field);
    if (it == m_index->constEnd())
        it = m_index->constFind(field.toLower());
    return it == m_index->constEnd() ? -1 : it.value();
}
