#include "platform/db/rowsrecordset.h"

#include "platform/db/jetsql.h"
#include "platform/db/statement.h"

#include <QSet>

#include <sqlite3.h>

namespace Dao {

RowsRecordset::RowsRecordset(Database &db, const QString &sql, RecordsetType type,
                             std::optional<Bindings> bindings)
    : RecordsetBase(db, type), m_sql(sql), m_keyedSql(sql), m_bindings(std::move(bindings))
{
    if (type == RecordsetType::Dynaset) {
        const JetSql::SelectShape shape = JetSql::shapeOf(sql);
        if (!shape.singleSource.isEmpty()) {
            const ObjectInfo info = describeObject(this->db(), shape.singleSource);
            if (info.found && !info.key.isEmpty() && (!info.isView || info.hasTriggers)) {
                m_keyedSql = sql.left(shape.listOffset) + info.keyExpression() + ", "
                             + sql.mid(shape.listOffset);
                Statement probe(this->db(), m_keyedSql);
                describeColumns(probe.get(), 1, &info);
                m_first = 1;
            }
        }
    }
    if (m_first == 0) {
        Statement probe(this->db(), m_sql);
        describeColumns(probe.get(), 0, nullptr);
    }
    load();
}

void RowsRecordset::load()
{
    m_rows.clear();
    Statement query(db(), m_keyedSql);
    if (m_bindings)
        m_bindings->bindTo(query.get());
    while (query.step()) {
        Row row;
        if (m_first > 0)
            row.key = query.value(0, m_target.keyKind);
        row.values = readRow(query.get(), m_first);
        m_rows.append(std::move(row));
    }
    m_pos = m_rows.isEmpty() ? -1 : 0;
}

int RowsRecordset::firstLive(int from, int step) const
{
    for (int i = from; i >= 0 && i < m_rows.size(); i += step)
        if (!m_rows[i].deleted)
            return i;
    return step > 0 ? int(m_rows.size()) : -1;
}

bool RowsRecordset::EOF_() const
{
    return m_pos >= m_rows.size() || firstLive(0, 1) >= m_rows.size();
}

bool RowsRecordset::BOF() const
{
    return m_pos < 0 || firstLive(0, 1) >= m_rows.size();
}

const QVector<QVariant> *RowsRecordset::currentValues() const
{
    if (m_pos < 0 || m_pos >= m_rows.size())
        return nullptr;
    return &m_rows[m_pos].values;
}

bool RowsRecordset::currentDeleted() const
{
    return m_pos >= 0 && m_pos < m_rows.size() && m_rows[m_pos].deleted;
}

QVariant RowsRecordset::currentKey() const
{
    return (m_pos >= 0 && m_pos < m_rows.size()) ? m_rows[m_pos].key : QVariant();
}

void RowsRecordset::MoveFirst()
{
    checkOpen();
    discardEdit();
    const int i = firstLive(0, 1);
    m_pos = i < m_rows.size() ? i : -1;
}

void RowsRecordset::MoveLast()
{
    checkOpen();
    discardEdit();
    m_pos = firstLive(int(m_rows.size()) - 1, -1);
}

void RowsRecordset::MoveNext()
{
    checkOpen();
    if (m_pos >= m_rows.size())
        throw noCurrentRecord();
    discardEdit();
    m_pos = firstLive(m_pos + 1, 1);
}

void RowsRecordset::MovePrevious()
{
    checkOpen();
    if (m_pos < 0)
        throw noCurrentRecord();
    discardEdit();
    m_pos = firstLive(m_pos - 1, -1);
}

int RowsRecordset::RecordCount()
{
    checkOpen();
    int n = 0;
    for (const Row &row : m_rows)
        n += row.deleted ? 0 : 1;
    return n;
}

int RowsRecordset::AbsolutePosition() const
{
    if (m_pos < 0 || m_pos >= m_rows.size() || m_rows[m_pos].deleted)
        return -1;
    int n = 0;
    for (int i = 0; i < m_pos; ++i)
        n += m_rows[i].deleted ? 0 : 1;
    return n;
}

// The criteria are a Jet expression over the recordset's field names; each row's values are
// handed to SQLite as bound values of a one-row select, which evaluates the expression.
void RowsRecordset::find(const QString &criteria, int from)
{
    checkOpen();
    QStringList columns;
    QList<int> fields;
    QSet<QString> seen;
    for (int i = 0; i < m_columns.size(); ++i) {
        const QString folded = m_columns[i].name.toLower();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        columns.append("?" + QString::number(fields.size() + 1) + " AS "
                       + JetSql::quoteName(m_columns[i].name));
        fields.append(i);
    }
    Statement test(db(), "SELECT (" + JetSql::toSqlite(criteria) + ") FROM (SELECT "
                             + (columns.isEmpty() ? QString("1") : columns.join(", ")) + ")");
    discardEdit();
    for (int r = firstLive(from, 1); r < m_rows.size(); r = firstLive(r + 1, 1)) {
        for (int f = 0; f < fields.size(); ++f)
            test.bind(f + 1, m_rows[r].values[fields[f]], m_columns[fields[f]].kind);
        const bool match = test.step() && test.value(0).toDouble() != 0.0;
        test.reset();
        if (match) {
            m_pos = r;
            m_noMatch = false;
            return;
        }
    }
    m_noMatch = true;
}

void RowsRecordset::FindFirst(const QString &criteria) { find(criteria, 0); }

void RowsRecordset::FindNext(const QString &criteria)
{
    find(criteria, m_pos < 0 ? 0 : m_pos + 1);
}

void RowsRecordset::Requery()
{
    checkOpen();
    discardEdit();
    load();
}

void RowsRecordset::MoveToLastModified()
{
    checkOpen();
    for (int i = 0; i < m_rows.size(); ++i) {
        if (!m_rows[i].deleted && !m_lastModified.isNull() && m_rows[i].key == m_lastModified) {
            m_pos = i;
            return;
        }
    }
    throw noCurrentRecord();
}

void RowsRecordset::rowEdited(const QVariant &key, const QVector<QVariant> &values)
{
    m_rows[m_pos].key = key;
    m_rows[m_pos].values = values;
}

void RowsRecordset::rowAdded(const QVariant &key, const QVector<QVariant> &values)
{
    m_rows.append(Row{key, values, false});
    if (m_pos >= m_rows.size() - 1)
        m_pos = int(m_rows.size());   // past the end stays past the end
    if (m_rows.size() == 1)
        m_pos = 0;
}

void RowsRecordset::rowDeleted() { m_rows[m_pos].deleted = true; }

} // namespace Dao
