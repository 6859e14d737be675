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

ReportRow ReportRow::fromSource(const RowSource &source)
{
    ReportRow row;
    const QStringList names = source.fieldNames();
    for (const QString &name : names)
        row.m_values.insert(name.toLower(), source.value(name));
    return row;
}

ReportRow ReportRow::fromMap(const QVariantMap &values)
{
    ReportRow row;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        row.m_values.insert(it.key().toLower(), it.value());
    return row;
}
