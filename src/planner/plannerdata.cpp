#include "planner/plannerdata.h"

#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

namespace PlannerData {

using namespace Generalen;

void applyGridSettings(PlannerGrid &grid)
{
    grid.SetOpeningTime(gOpeningTime);
    grid.SetClosingTime(gClosingTime);
    grid.SetPrimeStart(gPrimeStart);
    grid.SetPrimeEnd(gPrimeEnd);
    grid.SetScheduleStart(gScheduleStart);
    grid.SetScheduleEnd(gScheduleEnd);
    grid.SetTimeUnit(gTimeUnits);
    grid.SetPrintTimeUnit(gTimeUnits);
    grid.SetAmPm(gAmPm);
    grid.SetMilitary(gMilitaryTime);
    grid.SetDatePicture(gDateFormat2);
}

bool isAvailableOn(const QVariant &inaktiv, const QVariant &inakstart, const QVariant &inakslut,
                   int32_t day)
{
    if (inaktiv.isNull())
        return false;
    if (!inaktiv.toBool())
        return true;
    const bool startsLater = !inakstart.isNull() && inakstart.toLongLong() > day;
    const bool endedBefore = !inakslut.isNull() && inakslut.toLongLong() < day;
    return startsLater || endedBefore;
}

QString resourceColumnsSql(int32_t type)
{
    // headerfor's own order, narrowed to one type.
    return QStringLiteral("SELECT lokalenr, Lokalenavn, inaktiv, inakstart, inakslut "
                          "FROM headerfor WHERE lokalinr = %1 "
                          "ORDER BY lokalinr, Lokalenavn, lokalenr")
        .arg(type);
}

namespace {

// The fields of a booking item, in the order loadBookings reads them.
const QString bookingFields = QStringLiteral(
    "SELECT Bookingnr, Beskrivelse, Bdato, bstart, bslut, curacname, Bcolor, Lokalenr, "
    "Tentative FROM booking ");

} // namespace

QString dayBookingsSql(int32_t type, int32_t day)
{
    return bookingFields
           + QStringLiteral("WHERE Bgruppe = %1 AND Bdato = %2 ORDER BY Bookingnr")
                 .arg(type)
                 .arg(day);
}

QString weekBookingsSql(int32_t item, int32_t firstDay)
{
    const qint64 lastDay = qint64(firstDay) + 6;
    return bookingFields
           + QStringLiteral("WHERE Lokalenr = %1 AND Bdato >= %2 AND Bdato <= %3 "
                            "ORDER BY Bookingnr")
                 .arg(item)
                 .arg(firstDay)
                 .arg(lastDay);
}

int loadResourceColumns(PlannerGrid &grid, int32_t type, int32_t day)
{
    int added = 0;
    auto db = Dao::Database::open(gDatabasePath);
    auto rs = db->OpenRecordset(resourceColumnsSql(type), Dao::RecordsetType::ForwardOnly);
    while (!rs->EOF_()) {
        if (isAvailableOn(rs->Field(2), rs->Field(3), rs->Field(4), day)) {
            const int column = grid.AddColumn(static_cast<qint32>(rs->Field(0).toLongLong()),
                                              rs->Field(1).toString());
            grid.SetColumnValue(column, 255);
            ++added;
        }
        rs->MoveNext();
    }
    rs->Close();
    db->Close();
    return added;
}

int loadBookings(PlannerGrid &grid, const QString &sql, bool withResource)
{
    int added = 0;
    auto db = Dao::Database::open(gDatabasePath);
    auto rs = db->OpenRecordset(sql, Dao::RecordsetType::ForwardOnly);
    while (!rs->EOF_()) {
        const QString key = QString::number(rs->Field(0).toLongLong());
        const QString text = rs->Field(1).toString();
        const auto day = static_cast<qint32>(rs->Field(2).toLongLong());
        const int start = rs->Field(3).toInt();
        const int end = rs->Field(4).toInt();
        const int i = grid.AddItem(start, end, day, text, key);
        grid.SetItemText(i, text);
        grid.SetItemAccountName(i, rs->Field(5).toString());
        grid.SetItemStart(i, start);
        grid.SetItemEnd(i, end);
        grid.SetItemDay(i, day);
        // A booking without a colour keeps the grid's own item colour.
        const QVariant colour = rs->Field(6);
        if (!colour.isNull())
            grid.SetItemColour(i, static_cast<quint32>(colour.toLongLong()));
        if (withResource)
            grid.SetItemResource(i, static_cast<qint32>(rs->Field(7).toLongLong()));
        grid.SetItemTentative(i, rs->Field(8).toBool());
        ++added;
        rs->MoveNext();
    }
    rs->Close();
    db->Close();
    return added;
}

void refillOnActivation(bool &failedBefore, const std::function<void()> &refill)
{
    try {
        refill();
        failedBefore = false;
    } catch (const Dao::DbError &e) {
        if (!failedBefore) {
            failedBefore = true;
            MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
        }
    }
}

} // namespace PlannerData
