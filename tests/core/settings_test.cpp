#include "fixtures/sandbox.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/datepicker.h"

#include <QCalendarWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;

namespace {

const QDate kToday(2026, 12, 10);

struct Hostile
{
    const char *set;                       // SET clause on the settings row
    std::function<QVariant()> variable;    // what the program then uses
    QVariant expected;
};

// Every value of the settings row is checked as it is loaded: one out of its range is replaced
// by the value a new bookingfile comes with; one in range is used as it stands.
TEST(SettingsLoad, AValueOutOfRangeIsReplacedByItsDefault)
{
    const auto archive = [] { return QVariant(gArchiveDelay); };
    const auto purge = [] { return QVariant(gDeleteDelay); };
    const auto opening = [] { return QVariant(gOpeningTime); };
    const auto printEnd = [] { return QVariant(gScheduleEnd); };
    const auto tax = [] { return QVariant(gTaxPct); };
    const auto unit = [] { return QVariant(gTimeUnits); };
    const auto firstDay = [] { return QVariant(gFirstDay); };
    const auto formatNr = [] { return QVariant(gDateFormatNr); };
    const auto pattern = [] { return QVariant(gDateFormat); };
    const auto picture = [] { return QVariant(gDateFormat2); };
    const Hostile cases[] = {
        {"arCdEl = -2147483648", archive, 3},
        {"arCdEl = -2", archive, 3},
        {"arCdEl = 'soon'", archive, 3},
        {"arCdEl = NULL", archive, 3},
        {"arCdEl = 0", archive, 0},
        {"deldel = -1", purge, 548},
        {"deldel = 4000000000", purge, 548},
        {"deldel = 2.5", purge, 548},
        {"deldel = 2147483647", purge, 2147483647},
        {"Åbntid = 86400", opening, 480},
        {"Åbntid = -60", opening, 480},
        {"Åbntid = 'eight'", opening, 480},
        {"Åbntid = 86340", opening, 1439},
        {"Skemaslut = 10000000000", printEnd, 1320},
        {"taxpct = 100.5", tax, 25.0},
        {"taxpct = -0.01", tax, 25.0},
        {"taxpct = 'many'", tax, 25.0},
        {"taxpct = 100", tax, 100.0},
        {"taxpct = 0", tax, 0.0},
        {"Timeunits = 0", unit, 15},
        {"Timeunits = 7", unit, 15},   // no choice of Valgunits
        {"Timeunits = 60", unit, 60},
        {"FirstDay = '2'", firstDay, "1"},
        {"FirstDay = NULL", firstDay, "1"},
        {"FirstDay = '0'", firstDay, "0"},
        {"dateformatnr = 70000", formatNr, 1},
        {"dateformatnr = 2", formatNr, 2},
        {"dateformatstr1 = 'yyyy'", pattern, "dd-mm-yyyy"},
        {"dateformatstr1 = 'dd-mm-yy'", pattern, "dd-mm-yyyy"},
        {"dateformatstr1 = 'hh:mm'", pattern, "dd-mm-yyyy"},
        {"dateformatstr1 = ''", pattern, "dd-mm-yyyy"},
        {"dateformatstr1 = 'mm/dd/yyyy'", pattern, "mm/dd/yyyy"},
        {"dateformatstr1 = 'd.m.yyyy'", pattern, "d.m.yyyy"},
        {"dateformatstr2 = ''", picture, "D N-m-y"},
        {"dateformatstr2 = '<b>%1</b>'", picture, "D N-m-y"},
        {"dateformatstr2 = 'N/D/y'", picture, "N/D/y"},
    };
    Sandbox sandbox;
    const QString file = sandbox.newBookingfile("booking.mdb");
    for (const Hostile &c : cases) {
        SCOPED_TRACE(c.set);
        resetState();
        gDatabasePath = file;
        execSql(file, QString::fromUtf8("UPDATE institutionsoplysninger SET ") + c.set);
        ASSERT_TRUE(start::LoadSettings());
        EXPECT_EQ(c.variable(), c.expected);
        execSql(file, "UPDATE institutionsoplysninger SET arCdEl = 3, deldel = 548, "
                      "Åbntid = 28800, Skemaslut = 79200, taxpct = 25, Timeunits = 15, "
                      "FirstDay = '1', dateformatnr = 1, dateformatstr1 = 'dd-mm-yyyy', "
                      "dateformatstr2 = 'D N-m-y'");
    }
    resetState();
}

// Delays below 0 would archive and purge days that have not come yet: start-up uses the
// defaults instead, and the booking of tomorrow stays where it is.
TEST(SettingsLoad, NegativeDelaysNeitherArchiveNorPurgeDaysToCome)
{
    resetState();
    Sandbox sandbox;
    sandbox.setNow(QDateTime(kToday, QTime(9, 30)));
    const QString file = sandbox.newBookingfile("booking.mdb");
    sandbox.setChosenPath(file);
    execSql(file, "UPDATE institutionsoplysninger SET arCdEl = -2147483648, deldel = -5");
    const int tomorrow = DateToDayNumber(kToday) + 1;
    execSql(file, QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                          "kontonr) VALUES (1, 'Tomorrow', %1, 600, 660, 1)")
                      .arg(tomorrow));

    ASSERT_TRUE(start::StartUp());
    EXPECT_EQ(gArchiveDelay, 3);
    EXPECT_EQ(gDeleteDelay, 548);
    EXPECT_EQ(sqlValue(file, "SELECT count(*) FROM booking").toInt(), 1);
    EXPECT_EQ(sqlValue(file, "SELECT count(*) FROM bookingarkiv").toInt(), 0);
    resetState();
}

// The drop-down calendars of the lists and report dialogs start the week on the day the
// planner's does for the date form in use: Sunday with month-first dates, else Monday.
TEST(SettingsLoad, EveryCalendarStartsTheWeekOnTheSettingsFirstDay)
{
    resetState();
    DatePicker picker;
    picker.show();
    for (const auto &[firstDay, weekStart] :
         {std::pair{"0", Qt::Sunday}, std::pair{"1", Qt::Monday}}) {
        gFirstDay = firstDay;
        picker.showCalendar();
        EXPECT_EQ(picker.findChild<QCalendarWidget *>()->firstDayOfWeek(), weekStart);
        picker.hideCalendar();
    }
    resetState();
}

} // namespace
