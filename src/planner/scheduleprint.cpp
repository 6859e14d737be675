#include "planner/scheduleprint.h"

#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace SchedulePrint {

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

// Grid lines in light grey, items in colour, a ruler 40 points wide, and the columns per page.
void setPrintLayout(PlannerGrid &grid, int columnsPerPage)
{
    grid.SetPrintLayout(0xC0C0C0, false, 40, columnsPerPage);
}

// The printed span of the week prints, read afresh from the settings row (seconds there).
void setSpanFromSettings(PlannerGrid &grid)
{
    const QVariant start = LookupWhere("skemastart", "institutionsoplysninger", QString());
    const QVariant end = LookupWhere("skemaslut", "institutionsoplysninger", QString());
    grid.SetScheduleStart(SecondsToMinutes(start.toLongLong()));
    grid.SetScheduleEnd(SecondsToMinutes(end.toLongLong()));
}

} // namespace

void printDayScheme(PlannerGrid &grid, int32_t shownDay, const QString &groupAndType)
{
    setPrintLayout(grid, 6);
    grid.SetScheduleStart(gScheduleStart);
    grid.SetScheduleEnd(gScheduleEnd);
    grid.SetPrintTitle("Day Scheme" + QStringLiteral("  - ")
                       + Format(DayNumberToDate(shownDay), gDateFormat));
    grid.SetPrintSubTitle(groupAndType);
    grid.SetPrintTimeUnit(gTimeUnits);
    grid.Print();
}

void printWeekScheme(PlannerGrid &grid, const QString &itemName)
{
    setPrintLayout(grid, 7);
    setSpanFromSettings(grid);
    grid.SetPrintTitle("Ugeskema for uge " + QStringLiteral(" ")
                       + QString::number(ShownWeekNumber()));
    grid.SetPrintSubTitle(itemName);
    grid.SetPrintTimeUnit(gTimeUnits);
    grid.Print();
}

void fillFixedWeekSchedule(PlannerGrid &grid)
{
    grid.ClearItems();
    grid.SetFirstDay(gWeekStartDay);
    grid.SetDatePicture("D");

    const int32_t seasonEnd =
        DateToDayNumber(QDate(DayNumberToDate(gWeekStartDay).year() + 1, 7, 1));
    auto db = Dao::Database::open(gDatabasePath);
    // The item's series whose last day lies from the week's first day to the season's end:
    // the filter on the item reaches the booking table's item index, so only that item's
    // bookings are read, not every series booking of the file. The view's order is kept.
    auto rs = db->OpenRecordset("SELECT * FROM fastugetest WHERE lokalenr = :item "
                                "AND slutdato >= :from AND slutdato < :to",
                                Dao::Bindings(QVariantMap{{"item", gCurrentItemNo},
                                                          {"from", gWeekStartDay},
                                                          {"to", seasonEnd}}),
                                Dao::RecordsetType::Snapshot);
    while (!rs->EOF_()) {
        int offset = rs->Field("Bdato").toInt();
        if (offset == -1)
            offset = 6;
        const int start = rs->Field("bstart").toInt();
        const int end = rs->Field("bslut").toInt();
        const int32_t day = gWeekStartDay + offset;
        const QString text = rs->text("Beskrivelse");
        const int i = grid.AddItem(start, end, day, text, rs->text("gennr"));
        grid.SetItemText(i, text + " Start:" + rs->text("startdato") + " Slut:"
                                + rs->Field("slutdato").toString());
        grid.SetItemStart(i, start);
        grid.SetItemEnd(i, end);
        grid.SetItemDay(i, day);
        const QVariant colour = rs->Field("Bcolor");
        if (!colour.isNull())
            grid.SetItemColour(i, static_cast<quint32>(colour.toLongLong()));
        rs->MoveNext();
    }
    rs->Close();
    db->Close();
}

void printFixedWeekSchedule(PlannerGrid &grid, const QString &itemName)
{
    fillFixedWeekSchedule(grid);
    if (MsgBox::show("Vil du udskrive skemaet!", MsgBox::YesNo, "Fast ugeskema") == MsgBox::Yes) {
        grid.SetDatePicture("D");
        setPrintLayout(grid, 7);
        setSpanFromSettings(grid);
        grid.SetPrintTitle("Fast ugeskema for");
        grid.SetPrintSubTitle(itemName);
        grid.SetPrintTimeUnit(3);
        grid.Print();
    }
    grid.SetDatePicture("d N/m/y");
}

} // namespace SchedulePrint
