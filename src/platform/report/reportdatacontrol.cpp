#include "platform/report/reportdatacontrol.h"

#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace {

// Keeps the connection open as long as the recordset that reads from it.
class OwnedRecordsetSource final : public RowSource
{
public:
    OwnedRecordsetSource(std::unique_ptr<Dao::Database> db, std::unique_ptr<Dao::Recordset> rs)
        : m_db(std::move(db)), m_rs(std::move(rs)), m_rows(*m_rs)
    {
    }
    ~OwnedRecordsetSource() override
    {
        m_rs->Close();
        m_rs.reset();
        m_db->Close();
    }
    bool next() override { return m_rows.next(); }
    QVariant value(const QString &field) const override { return m_rows.value(field); }
    QStringList fieldNames() const override { return m_rows.fieldNames(); }
    void rewind() override { m_rows.rewind(); }

private:
    std::unique_ptr<Dao::Database> m_db;
    std::unique_ptr<Dao::Recordset> m_rs;
    RecordsetRowSource m_rows;
};

} // namespace

std::unique_ptr<RowSource> ReportDataControl::openRows()
{
    if (m_recordSource.trimmed().isEmpty())
        return std::make_unique<ListRowSource>();
    auto db = Dao::Database::open(m_databaseName);
    auto rs = m_bindings
                  ? db->OpenRecordset(m_recordSource, *m_bindings, Dao::RecordsetType::Snapshot)
                  : db->OpenRecordset(m_recordSource, Dao::RecordsetType::Snapshot);
    return std::make_unique<OwnedRecordsetSource>(std::move(db), std::move(rs));
}
