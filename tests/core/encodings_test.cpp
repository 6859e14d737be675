#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "platform/report/reportformat.h"

#include <gtest/gtest.h>

using namespace Extrafunktioner;

namespace {
// Made while static objects are made, as a benchmark's constants are.
const int32_t kStaticDay = DateToDayNumber(QDate(2024, 1, 1));
const QDate kStaticDate = DayNumberToDate(45290);
} // namespace

TEST(Encodings, DayNumbersAreRightDuringStaticInitialisation)
{
    EXPECT_EQ(kStaticDay, 45290);
    EXPECT_EQ(kStaticDate, QDate(2024, 1, 1));
}

TEST(Encodings, DayNumbersCountFromNineteenHundred)
{
    const struct { QDate date; int n; } cases[] = {
        {QDate(1900, 1, 1), 0}, {QDate(1899, 12, 31), -1}, {QDate(2000, 1, 1), 36524},
        {QDate(1900, 1, 3), 2}, {QDate(1900, 3, 1), 59},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DateToDayNumber(c.date), c.n) << c.date.toString().toStdString();
        EXPECT_EQ(DayNumberToDate(c.n), c.date);
    }
    EXPECT_EQ(DateToDayNumber(QDateTime(QDate(2026, 12, 9), QTime(23, 59))),
              DateToDayNumber(QDateTime(QDate(2026, 12, 9), QTime(0, 0))));
}

TEST(Encodings, MinutesOfTheDay)
{
    EXPECT_EQ(TimeToMinutes(QTime(10, 30, 59)), 630);
    EXPECT_EQ(TimeToMinutes(QTime(23, 59, 59)), 1439);
    EXPECT_EQ(MinutesToTime(0), QTime(0, 0));
    EXPECT_EQ(MinutesToTime(600), QTime(10, 0));
}

TEST(Encodings, SecondsBecomeMinutesWithTiesToEven)
{
    const struct { int seconds; int minutes; } cases[] = {
        {90, 2}, {150, 2}, {210, 4}, {30, 0}, {28800, 480}, {28830, 480}, {28890, 482},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SecondsToMinutes(c.seconds), c.minutes) << c.seconds;
}

TEST(Encodings, DurationHoursRoundsAndWrapsPastMidnight)
{
    EXPECT_EQ(DurationHours(36000, 39600), 1);
    EXPECT_EQ(DurationHours(36000, 41400), 2);
    EXPECT_EQ(DurationHours(36000, 45000), 2);
    EXPECT_EQ(DurationHours(82800, 3600), 2);
}

TEST(Weeks, WeekStartFollowsTheFirstDaySetting)
{
    const QDate monday(2026, 12, 7), sunday(2026, 12, 13), saturday(2026, 12, 19);
    Generalen::gFirstDay = "1";
    EXPECT_EQ(WeekStartDate(monday), monday);
    EXPECT_EQ(WeekStartDate(sunday), monday);
    Generalen::gFirstDay = "0";
    EXPECT_EQ(WeekStartDate(sunday), sunday);
    EXPECT_EQ(WeekStartDate(saturday), sunday);
    EXPECT_EQ(WeekStartDate(monday), monday.addDays(-1));
    Generalen::gFirstDay.clear();
}

TEST(Weeks, ShownWeekNumberIsTheIsoWeek)
{
    const struct { QDate start; int week; } cases[] = {
        {QDate(2026, 12, 28), 53}, {QDate(2027, 1, 4), 1}, {QDate(2024, 1, 1), 1},
        {QDate(2026, 12, 27), 52},   // a Sunday-first week: the Monday-based week of that Sunday
    };
    for (const auto &c : cases) {
        Generalen::gWeekStartDay = DateToDayNumber(c.start);
        EXPECT_EQ(ShownWeekNumber(), c.week) << c.start.toString().toStdString();
    }
}

TEST(Format, DatesTimesAndNumbers)
{
    const QDate d(1900, 1, 3);
    EXPECT_EQ(Format(d, "dd-mm-yyyy"), "03-01-1900");
    EXPECT_EQ(Format(d, "mm/dd/yyyy"), "01/03/1900");
    EXPECT_EQ(Format(QDate(2026, 12, 10), "dddd"), "Thursday");
    EXPECT_EQ(Format(QDate(2026, 12, 10), "mmmm d, yyyy"), "December 10, 2026");
    EXPECT_EQ(Format(QTime(9, 5), "hh:mm"), "09:05");
    EXPECT_EQ(Format(QTime(9, 5), "HH.mm"), "09.05");
    EXPECT_EQ(Format(QTime(9, 5), "h:mm"), "9:05");
    EXPECT_EQ(Format(1234567.5, "#,##0.00"), "1,234,567.50");
    EXPECT_EQ(Format(1234.4, "#,##0"), "1,234");
    EXPECT_EQ(Format(75.0, "0.00"), "75.00");
    EXPECT_EQ(Format(375.0, "Fixed"), "375.00");
    EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
}

// Where the program's and the reports' formatting once differed: both now print alike.
TEST(Format, AgreesWithTheReportsOnHalvesAndMinutes)
{
    const struct { double value; const char *pattern; const char *text; } numbers[] = {
        {2.5, "#,##0", "3"},         // a half rounds away from zero, as the classic Format
        {-2.5, "#,##0", "-3"},
        {0.125, "0.00", "0.13"},
        {1.005, "0.00", "1.01"},     // stored a hair below its decimal text
        {1234.565, "Standard", "1,234.57"},
    };
    for (const auto &c : numbers) {
        EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.pattern << " " << c.value;
        EXPECT_EQ(ReportFormat::format(c.value, c.pattern), c.text);
    }
    const QDateTime t(QDate(2024, 3, 5), QTime(9, 7, 4));
    const struct { const char *pattern; const char *text; } dates[] = {
        {"mm:ss", "07:04"},          // "mm" before seconds is minutes
        {"hh \"at\" mm", "09 at 07"},
        {"dd-mm-yyyy hh:mm", "05-03-2024 09:07"},
        {"m/d/yy", "3/5/24"},
    };
    for (const auto &c : dates) {
        EXPECT_EQ(Format(t, c.pattern), c.text) << c.pattern;
        EXPECT_EQ(ReportFormat::format(t, c.pattern), c.text);
    }
    const QString saved = Generalen::gDateFormat;
    Generalen::gDateFormat = "mm/dd/yyyy";   // the program's short date is its own pattern
    EXPECT_EQ(Format(t.date(), "Short Date"), "03/05/2024");
    Generalen::gDateFormat = saved;
    EXPECT_EQ(RoundHalfEven(2.5), 2);        // a whole number taken from a fraction stays even
}
