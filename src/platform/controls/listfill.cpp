#include "platform/controls/listfill.h"

#include "platform/controls/listgrid.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace ListFill {

int fill(ListGrid &list, Dao::Recordset &records, const Rows &rows)
{
    if (list.RowCount() > 0)
        return 0;
    int added = 0;
    for (; !records.EOF_() && added < kMaxRows; records.MoveNext()) {
        if (rows.accept && !rows.accept(records))
            continue;
        list.AddRow(rows.cells(records).join(';'),
                    int(records.Field(rows.keyField).toLongLong()));
        ++added;
    }
    return added;
}

int fill(ListGrid &list, const QString &databasePath, const QString &source, const Rows &rows,
         const std::optional<Dao::Bindings> &values)
{
    if (list.RowCount() > 0)
        return 0;
    auto db = Dao::Database::open(databasePath);
    auto records = values ? db->OpenRecordset(source, *values, Dao::RecordsetType::ForwardOnly)
                          : db->OpenRecordset(source, Dao::RecordsetType::ForwardOnly);
    const int added = fill(list, *records, rows);
    records->Close();
    db->Close();
    return added;
}

} // namespace ListFill
