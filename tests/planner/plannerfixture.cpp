#include "plannerfixture.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/form.h"
#include "platform/controls/plannergrid.h"
#include "platform/report/pagemodel.h"

#include <QCoreApplication>

using namespace Generalen;

void PlannerTest::SetUp()
{
    file = sb.newBookingfile("planner.mdb");
    resetState();
    gDatabasePath = file;
    gUserName = "Anna Berg";
    gUserNo = 2;
    gFirstDay = "1";
    gOpeningTime = 480;
    gClosingTime = 1080;
    gPrimeStart = 480;
    gPrimeEnd = 960;
    gScheduleStart = 480;
    gScheduleEnd = 1080;
    gTimeUnits = 30;
    gMilitaryTime = true;
    gDateFormat = "dd-mm-yyyy";
    gDateFormat2 = "D N-m-y";
    sb.setNow(QDateTime(QDate(2024, 1, 10), QTime(9, 30)));
    gCurrentDay = day(2024, 1, 10);
}

void PlannerTest::TearDown()
{
    Forms::unloadAll();
    resetState();
}

qint64 PlannerTest::exec(const QString &sql)
{
    return execSql(file, sql);
}

namespace {
QString sqlValue(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("NULL") : QString::number(v.toLongLong());
}
} // namespace

int32_t PlannerTest::addGroup(const QString &name, int kind)
{
    return int32_t(exec(QString("INSERT INTO overgruppenavne (OverGruppenavn, Gruppeart) "
                                "VALUES ('%1', %2)").arg(name).arg(kind)));
}

int32_t PlannerTest::addType(const QString &name, int32_t group)
{
    return int32_t(exec(QString("INSERT INTO lokaliteter (Lokalitetsnavn, Overgruppenr, "
                                "gruppeart) VALUES ('%1', %2, 1)").arg(name).arg(group)));
}

int32_t PlannerTest::addItem(const QString &name, int32_t type, const QVariant &inaktiv,
                             const QVariant &inakstart, const QVariant &inakslut)
{
    return int32_t(exec(QString("INSERT INTO lokale (Lokalenavn, lokalinr, inaktiv, inakstart, "
                                "inakslut) VALUES ('%1', %2, %3, %4, %5)")
                            .arg(name)
                            .arg(type)
                            .arg(sqlValue(inaktiv), sqlValue(inakstart), sqlValue(inakslut))));
}

void PlannerTest::addBooking(int32_t nr, int32_t type, int32_t item, int32_t d, int start,
                             int end, const QString &text)
{
    exec(QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, "
                 "Lokalenr, kontonr, curacname) VALUES (%1, '%2', %3, %4, %5, %6, %7, 2, "
                 "'Anna Berg')")
             .arg(nr)
             .arg(text.isEmpty() ? QString("Booking %1").arg(nr) : text)
             .arg(d)
             .arg(start)
             .arg(end)
             .arg(type)
             .arg(item));
}

int32_t PlannerTest::day(int y, int m, int d)
{
    return Extrafunktioner::DateToDayNumber(QDate(y, m, d));
}

QStringList PlannerTest::keys(const PlannerGrid &grid)
{
    QStringList out;
    for (int i = 1; i <= grid.ItemCount(); ++i)
        out << grid.ItemKeyText(i);
    return out;
}

QList<int32_t> PlannerTest::columns(const PlannerGrid &grid)
{
    QList<int32_t> out;
    for (int c = 1; c <= grid.ColumnCount(); ++c)
        out << grid.ColumnResource(c);
    return out;
}

PlannerGrid *PlannerTest::printedGrid(const PageModel &pages)
{
    QList<PlannerGrid *> grids;
    if (Forms::isLoaded<Calendar>())
        grids << Forms::get<Calendar>()->cc;
    if (Forms::isLoaded<CalMdag>())
        grids << Forms::get<CalMdag>()->dd;
    for (PlannerGrid *grid : grids) {
        if (grid->printPages().title() == pages.title())
            return grid;
    }
    return nullptr;
}

void OneRoomTest::SetUp()
{
    PlannerTest::SetUp();
    group = addGroup("Rooms");
    type = addType("Meeting", group);
    aula = addItem("Aula", type);
    gCurrentGroupNo = group;
    gCurrentTypeNo = type;
    gCurrentItemNo = aula;
    gWeekStartDay = monday;
}

void TwoRoomsTest::SetUp()
{
    OneRoomTest::SetUp();
    lab = addItem("Lab", type);
    exec("INSERT INTO grptilk (gnr, pnr) VALUES (2, 2)");
    exec(QString::fromUtf8("UPDATE næstenøgle SET nextkey = 500"));
}

QVariant TwoRoomsTest::field(int32_t nr, const QString &name)
{
    return sqlValue(file, QString("SELECT \"%1\" FROM booking WHERE Bookingnr = %2")
                              .arg(name)
                              .arg(nr));
}
