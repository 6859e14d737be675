#include "fixtures/sandbox.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/periodpair.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Numbers 1..n from a recursive query, so no table is needed: even ones are listed, with
// an empty middle cell for multiples of four.
const char *kNumbers = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < ?) SELECT i, 'n' || i AS label FROM n ORDER BY i DESC";

ListFill::Rows evenRows()
{
    ListFill::Rows rows;
    rows.accept = [](const Dao::Recordset &rs) { return rs.integer("i") % 2 == 0; };
    rows.cells = [](const Dao::Recordset &rs) {
        return QStringList{rs.text("label"), rs.integer("i") % 4 == 0 ? QString() : "x",
                           "end"};
    };
    rows.keyField = "i";
    return rows;
}

} // namespace

TEST(ListFill, ListsPassingRecordsInOrderWithTheirKeysAndStopsAt2000)
{
    Sandbox box;
    const QString file = box.newBookingfile();
    ListGrid list;
    for (const char *c : {"A", "B", "C"})
        list.AddColumn(c, 60);

    EXPECT_EQ(ListFill::fill(list, file, kNumbers, evenRows(), QVariantList{9}), 4);
    ASSERT_EQ(list.RowCount(), 4);
    EXPECT_EQ(list.RowData(0), 8);   // the query's order, not the key's
    EXPECT_EQ(list.CellText(0, 1), "n8");
    EXPECT_EQ(list.CellText(0, 2), "");
    EXPECT_EQ(list.CellText(1, 2), "x");
    EXPECT_EQ(list.CellText(1, 3), "end");
    EXPECT_EQ(list.RowData(3), 2);

    // A list that has rows is left as it is.
    EXPECT_EQ(ListFill::fill(list, file, kNumbers, evenRows(), QVariantList{20}), 0);
    EXPECT_EQ(list.RowCount(), 4);

    list.ClearRows();
    EXPECT_EQ(ListFill::fill(list, file, kNumbers, evenRows(), QVariantList{4100}),
              ListFill::kMaxRows);
    EXPECT_EQ(list.RowData(ListFill::kMaxRows - 1), 4100 - 2 * (ListFill::kMaxRows - 1));

    list.ClearRows();
    ListFill::Rows all = evenRows();
    all.accept = nullptr;
    auto db = Dao::Database::open(file);
    auto rs = db->OpenRecordset(kNumbers, QVariantList{3});
    EXPECT_EQ(ListFill::fill(list, *rs, all), 3);   // no test: every record

    list.ClearRows();
    EXPECT_THROW(ListFill::fill(list, box.file("missing.mdb"), kNumbers, all, QVariantList{3}),
                 Dao::DbError);
}

TEST(PeriodPair, RefusesAStartAfterTheEndAndAnEndBeforeTheStart)
{
    struct Case
    {
        const char *name;
        bool changeStart;
        QDate picked;
        const char *message;   // nullptr: accepted
        int from, to;          // stored day numbers afterwards
    };
    // The stored period is 45000..45010.
    const Case cases[] = {
        {"start later", true, QDate(1900, 1, 1).addDays(45011),
         "Startdate must be earlier than Enddate!", 45000, 45010},
        {"start equal", true, QDate(1900, 1, 1).addDays(45010), nullptr, 45010, 45010},
        {"start earlier", true, QDate(1900, 1, 1).addDays(44990), nullptr, 44990, 45010},
        {"end earlier", false, QDate(1900, 1, 1).addDays(44999),
         "Enddate must be later than Startdate!", 45000, 45010},
        {"end equal", false, QDate(1900, 1, 1).addDays(45000), nullptr, 45000, 45000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox box;
        QWidget form;
        auto *start = new DatePicker(&form);
        auto *end = new DatePicker(&form);
        PeriodPair period(start, end, &form);
        period.setPeriod(45000, 45010);
        QSignalSpy checked(&period, &PeriodPair::periodChecked);
        (c.changeStart ? start : end)->pick(c.picked);
        EXPECT_EQ(checked.count(), 1);   // the list is refilled in both outcomes
        if (c.message) {
            ASSERT_EQ(box.shown().size(), 1);
            EXPECT_EQ(box.lastText(), c.message);
            EXPECT_EQ(box.shown().last().title, "Date Info");
        } else {
            EXPECT_TRUE(box.shown().isEmpty());
        }
        EXPECT_EQ(period.from(), c.from);
        EXPECT_EQ(period.to(), c.to);
        EXPECT_EQ(start->value(), c.from);   // a refused picker shows the stored day again
        EXPECT_EQ(end->value(), c.to);
    }
}
