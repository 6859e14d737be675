#include "platform/db/forwardrecordset.h"

namespace Dao {

ForwardRecordset::ForwardRecordset(Database &db, const QString &sql,
                                   std::optional<Bindings> bindings)
    : RecordsetBase(db, RecordsetType::ForwardOnly), m_sql(sql), m_bindings(std::move(bindings))
{
    Requery();
}

void ForwardRecordset::Requery()
{
    m_query = Statement(db(), m_sql);
    describeColumns(m_query.get(), 0, nullptr);
    if (m_bindings)
        m_bindings->bindTo(m_query.get());
    m_reached = 0;
    m_eof = false;
    step();
    m_empty = m_eof;
}

void ForwardRecordset::step()
{
    if (m_query.step()) {
        m_values = readRow(m_query.get(), 0);
        ++m_reached;
    } else {
        m_eof = true;
        m_values.clear();
        m_query.reset();   // lets go of the file's read lock at once
    }
}

const QVector<QVariant> *ForwardRecordset::currentValues() const
{
    return m_eof ? nullptr : &m_values;
}

void ForwardRecordset::MoveFirst()
{
    checkOpen();
    if (m_reached > 1 || (m_eof && !m_empty))
        throw notSupported();
}

void ForwardRecordset::MoveNext()
{
    checkOpen();
    if (m_eof)
        throw noCurrentRecord();
    step();
}

void ForwardRecordset::MoveLast()
{
    checkOpen();
    if (m_eof)
        return;
    while (true) {
        QVector<QVariant> last = m_values;
        step();
        if (m_eof) {
            m_values = last;
            m_eof = false;
            m_query.reset();
            return;
        }
    }
}

} // namespace Dao
