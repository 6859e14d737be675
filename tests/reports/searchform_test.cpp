#include "fixtures/sandbox.h"
#include "fixtures/sqlhelpers.h"

#include "bookings/bookingform.h"
#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/monthpicker.h"
#include "platform/controls/plannergrid.h"
#include "reports/searchform.h"
#include "reports/searchinfoform.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;

namespace {

// Two rooms of one type and a projector of another kind; Anna (2) is logged in, Ben (3) may
// not be edited by her. Today is 2024-01-10.
class SearchformTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        file = sb.newBookingfile("search.mdb");
        sb.setNow(QDateTime(QDate(2024, 1, 10), QTime(9, 0)));
        today = DateToDayNumber(QDate(2024, 1, 10));
        exec("INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (2, 'Anna Berg', 'p'), "
             "(3, 'Ben Holm', 'p');"
             "INSERT INTO grptilk (gnr, pnr) VALUES (2, 2), (3, 3);"
             "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) VALUES "
             "(1, 'Rooms', 1), (2, 'AV', 2);"
             "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, gruppeart) "
             "VALUES (1, 'Meeting', 1, 1), (2, 'Projectors', 2, 2), (3, 'Halls', 1, 1);"
             "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart) VALUES "
             "(10, 'Aula', 1, 1), (11, 'Lab', 1, 1), (20, 'Beamer', 2, 2), (30, 'Hall', 3, 1)");
        book(100, "'Board meeting'", 10, 1, 600, 2);
        book(1100, "'Yoga'", 11, 1, 720, 2);
        book(102, "NULL", 20, 2, 480, 2);
        book(101, QString::fromUtf8("'ÆBLEKAGE fest'"), 11, 2, 510, 3);
        book(103, "'50% off_sale'", 30, 3, 600, 3);
        book(104, "'Later'", 10, 200, 600, 2);
        resetState();
        gDatabasePath = file;
        gUserNo = 2;
        gUserName = "Anna Berg";
        gDateFormat = "dd-mm-yyyy";
        gDateFormat2 = "D N-m-y";
        gFirstDay = "1";
        gOpeningTime = gScheduleStart = gPrimeStart = 480;
        gClosingTime = gScheduleEnd = 1080;
        gPrimeEnd = 960;
        gTimeUnits = 30;
        gMilitaryTime = true;
        gCurrentDay = today;
        gCurrentGroupNo = 2;
        gCurrentTypeNo = 2;
    }
    void TearDown() override
    {
        Forms::unloadAll();
        resetState();
    }
    void exec(const QString &sql) { execSql(file, sql); }
    void book(int nr, const QString &title, int item, int dayOffset, int start, int account)
    {
        exec(QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                     "Bgruppe, Lokalenr, kontonr) SELECT %1, %2, %3, %4, %4 + 60, lokalinr, "
                     "%5, %6 FROM lokale WHERE lokalenr = %5")
                 .arg(nr).arg(title).arg(today + dayOffset).arg(start).arg(item).arg(account));
    }
    Searchform *open()
    {
        auto *f = Forms::get<Searchform>();
        f->Show();
        f->Form_Activate();
        return f;
    }
    static QList<int> keys(const ListGrid &l)
    {
        QList<int> out;
        for (int r = 0; r < l.RowCount(); ++r)
            out << l.RowData(r);
        return out;
    }
    // Selects the listed booking n and presses Open Info.
    static void openBooking(Searchform *f, int n)
    {
        const int row = int(keys(*f->SList).indexOf(n));
        ASSERT_GE(row, 0);
        f->SList->setSelectedRow(row);
        f->Info->click();
    }

    Sandbox sb;
    QString file;
    int32_t today = 0;
};

TEST_F(SearchformTest, ActivationListsTheNextHalfYearOfEveryKind)
{
    Searchform *f = open();
    EXPECT_EQ(f->windowTitle(), "Vantix  -  Search  Bookings");
    QStringList columns;
    for (int c = 1; c <= f->SList->ColumnCount(); ++c)
        columns << f->SList->ColumnCaption(c) + " " + QString::number(f->SList->ColumnWidth(c));
    EXPECT_EQ(columns, QStringList({"Date 60", "Resource 120", "Booking 100", "From 40", "To 40",
                                    "Account 100"}));
    EXPECT_EQ(f->startd->text().toInt(), today);
    EXPECT_EQ(f->slutd->text().toInt(), today + 183);
    EXPECT_EQ(f->startdate->text(), "10-01-2024");
    EXPECT_EQ(keys(*f->SList), QList<int>({100, 1100, 102, 101, 103}));
    QStringList first;
    for (int c = 1; c <= 6; ++c)
        first << f->SList->CellText(0, c);
    EXPECT_EQ(first, QStringList({"11-01-2024", "Aula", "Board meeting", "10.00", "11.00",
                                  "Anna Berg"}));

    // Activation resets the period and the kinds, the keyword stays.
    f->SSB->setText("a");
    f->Optdom->click();
    f->slutdate->pick(QDate(2024, 1, 11));
    EXPECT_EQ(keys(*f->SList), QList<int>({100, 1100}));
    f->Form_Activate();
    EXPECT_EQ(f->gart2->text(), "2");
    EXPECT_EQ(f->slutd->text().toInt(), today + 183);
    EXPECT_EQ(f->SSB->text(), "a");
}

TEST_F(SearchformTest, TheKeywordIsFoundInNumberTitleOrAccountWithoutRegardToCase)
{
    struct Case { const char *keyword; QList<int> found; };
    const Case cases[] = {
        {"", {100, 1100, 102, 101, 103}},
        {" ", {100, 1100, 102, 101, 103}},   // the blank before every number
        {"board", {100}},
        {"BOARD", {100}},
        {"æble", {101}},
        {"Æble", {101}},
        {"ÆBLEkage", {101}},
        {"100", {100, 1100}},
        {"1100", {1100}},
        {"anna", {100, 1100, 102}},           // 102 has no title: found by its account
        {"%", {103}},
        {"_", {103}},
        {"'", {}},
        {"zzz", {}},
    };
    Searchform *f = open();
    for (const Case &c : cases) {
        const QString keyword = QString::fromUtf8(c.keyword);
        SCOPED_TRACE(keyword.toStdString());
        f->SSB->setText(keyword);
        EXPECT_EQ(keys(*f->SList), c.found);
    }
    EXPECT_FALSE(Searchform::Matches("x", 5, QVariant(), QVariant()));
}

TEST_F(SearchformTest, TheKindsLimitTheList)
{
    Searchform *f = open();
    f->Optadd->click();
    EXPECT_EQ(keys(*f->SList), QList<int>({102}));
    f->OptSA->click();
    EXPECT_TRUE(keys(*f->SList).isEmpty());
    f->Optdom->click();
    EXPECT_EQ(keys(*f->SList), QList<int>({100, 1100, 101, 103}));
    f->SSB->setText("yoga");
    f->Reset->click();
    EXPECT_TRUE(f->optall->isChecked());
    EXPECT_EQ(f->SSB->text(), "");
    EXPECT_EQ(keys(*f->SList).size(), 5);
}

TEST_F(SearchformTest, APeriodOfOneDayIsAcceptedAndAStartAfterTheEndRefused)
{
    Searchform *f = open();
    f->slutdate->pick(QDate(2024, 1, 12));
    f->startdate->pick(QDate(2024, 1, 12));
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(keys(*f->SList), QList<int>({102, 101}));

    f->SSB->setText("fest");
    f->startdate->pick(QDate(2024, 1, 13));
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "Startdate must be earlier than Enddate!");
    EXPECT_EQ(sb.shown().last().title, "Date Info");
    EXPECT_EQ(f->startd->text().toInt(), today + 2);
    EXPECT_EQ(f->startdate->date(), QDate(2024, 1, 12));
    EXPECT_EQ(keys(*f->SList), QList<int>({101}));

    f->slutdate->pick(QDate(2024, 1, 11));
    EXPECT_EQ(sb.lastText(), "Enddate must be later than Startdate!");
    EXPECT_EQ(f->slutd->text().toInt(), today + 2);
    EXPECT_EQ(keys(*f->SList), QList<int>({101}));
}

TEST_F(SearchformTest, The2001stMatchingBookingIsNotListed)
{
    exec(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                 " INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr,"
                 " kontonr) SELECT 5000 + i, 'Many', %1, i % 1000, i % 1000 + 1, 10, 2 FROM n")
             .arg(today + 10));
    Searchform *f = open();
    f->SSB->setText("many");
    EXPECT_EQ(f->SList->RowCount(), 2000);
    // The read that stopped at the 2000th row keeps no lock: another connection writes at once.
    exec("DELETE FROM booking WHERE Bookingnr = 5001");
}

// What another connection commits between two keystrokes is in the next list: a booking, a
// renamed item, a new account, a deletion.
TEST_F(SearchformTest, WhatAnotherConnectionCommitsBetweenKeystrokesIsListed)
{
    Searchform *f = open();
    f->SSB->setText("zed");
    EXPECT_TRUE(keys(*f->SList).isEmpty());
    exec("INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (6, 'Zed Lund', 'p');"
         "UPDATE lokale SET Lokalenavn = 'Great Hall' WHERE lokalenr = 30");
    book(105, "'Quiz'", 30, 3, 600, 6);
    f->SSB->setText("zed ");
    ASSERT_EQ(keys(*f->SList), QList<int>({105}));
    EXPECT_EQ(f->SList->CellText(0, 2), "Great Hall");
    EXPECT_EQ(f->SList->CellText(0, 6), "Zed Lund");
    exec("DELETE FROM booking WHERE Bookingnr = 105");
    f->SSB->setText("zed");
    EXPECT_TRUE(keys(*f->SList).isEmpty());
}

// A file moved into the bookingfile's place, or another bookingfile chosen, is what the next
// keystroke lists.
TEST_F(SearchformTest, AnotherFileAtThePathOrAnotherPathIsReadAfresh)
{
    Searchform *f = open();
    const QString copy = file + ".new";
    ASSERT_TRUE(QFile::copy(file, copy));
    execSql(copy, "DELETE FROM booking WHERE Bookingnr = 100");
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(copy, file));
    f->SSB->setText("o");
    EXPECT_EQ(keys(*f->SList), QList<int>({1100, 101, 103}));

    const QString other = sb.newBookingfile("other.mdb");
    execSql(other, QString("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart) "
                           "VALUES (10, 'Aula', 1, 1);"
                           "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                           "Lokalenr) VALUES (900, 'Choir', %1, 600, 660, 10)")
                       .arg(today + 1));
    gDatabasePath = other;
    f->SSB->setText("oi");
    EXPECT_EQ(keys(*f->SList), QList<int>({900}));
}

TEST_F(SearchformTest, OpenInfoOrADoubleClickWithoutASelectionOpensNothing)
{
    Searchform *f = open();
    f->Info->click();
    f->SList_DblClick();
    ASSERT_EQ(sb.shown().size(), 2);
    EXPECT_EQ(sb.lastText(), "No Booking Selected");
    EXPECT_EQ(sb.shown().last().title, "Service Message");
    EXPECT_EQ(gCurrentDay, today);
    EXPECT_EQ(gCurrentTypeNo, 2);
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
}

TEST_F(SearchformTest, FromTheDayViewAFoundBookingMovesTheViewAndOpensTheBookingForm)
{
    auto *day = Forms::get<Calendar>();
    day->Show();
    day->Form_Activate();
    // The booking tool bar's Search opens the form.
    Commands::run(Commands::BookingBar, 14, *day);
    ASSERT_TRUE(Forms::isLoaded<Searchform>());
    Searchform *f = open();
    openBooking(f, 1100);
    EXPECT_EQ(gCurrentDay, today + 1);
    EXPECT_EQ(gCurrentGroupNo, 1);
    EXPECT_EQ(gCurrentTypeNo, 1);
    EXPECT_EQ(day->aktueldato->Value(), today + 1);
    EXPECT_EQ(day->aktuelovergruppe->Text(), "Rooms");
    EXPECT_EQ(day->aktuelgruppe->Text(), "Meeting");
    EXPECT_EQ(day->grouptype->text(), "Rooms/Meeting");
    EXPECT_EQ(day->cc->ColumnCount(), 2);
    EXPECT_EQ(day->cc->FirstDay(), today + 1);
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(Forms::get<bookingform>()->Bookingnr->text(), "1100");
    EXPECT_FALSE(Forms::isLoaded<Searchform>());
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
}

TEST_F(SearchformTest, WithoutRightsTheReadOnlyViewOpens)
{
    Forms::get<Calendar>()->Form_Activate();
    openBooking(open(), 101);
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    ASSERT_TRUE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(Forms::get<Searchinfoform>()->Bookingnr->text(), "101");
    EXPECT_FALSE(Forms::isLoaded<Searchform>());
}

TEST_F(SearchformTest, FromTheWeekViewTheItemAndWeekFollowAndTheSearchStaysOpen)
{
    gCurrentItemNo = 20;
    gWeekStartDay = DateToDayNumber(QDate(2024, 1, 8));
    auto *week = Forms::get<CalMdag>();
    week->Form_Activate();
    Searchform *f = open();
    f->slutdate->pick(QDate(2024, 12, 31));
    openBooking(f, 104);   // a Monday-first week later in the year
    EXPECT_EQ(gCurrentItemNo, 10);
    EXPECT_EQ(gCurrentDay, today + 200);
    EXPECT_EQ(gWeekStartDay,
              DateToDayNumber(Extrafunktioner::WeekStartDate(QDate(2024, 1, 10).addDays(200))));
    EXPECT_EQ(week->dd->FirstDay(), gWeekStartDay);
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(Forms::get<bookingform>()->Bookingnr->text(), "104");
    EXPECT_TRUE(Forms::isLoaded<Searchform>());

    // The read-only road closes the search.
    openBooking(f, 103);
    EXPECT_TRUE(Forms::isLoaded<Searchinfoform>());
    EXPECT_FALSE(Forms::isLoaded<Searchform>());
}

TEST_F(SearchformTest, ABookingDeletedAfterTheFillIsReportedAndTheListRefreshed)
{
    Forms::get<Calendar>()->Form_Activate();
    Searchform *f = open();
    exec("DELETE FROM booking WHERE Bookingnr = 103");
    openBooking(f, 103);
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(),
              "The booking is no longer in the bookingfile. It may have been deleted.");
    EXPECT_EQ(sb.shown().last().title, "Service Message");
    EXPECT_EQ(keys(*f->SList), QList<int>({100, 1100, 102, 101}));
    EXPECT_EQ(gCurrentDay, today);
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
}

TEST_F(SearchformTest, ABookingWhoseItemIsGoneOpensWithoutMovingGroupOrType)
{
    Forms::get<Calendar>()->Form_Activate();
    Searchform *f = open();
    exec("DELETE FROM lokale WHERE lokalenr = 10");
    openBooking(f, 100);
    EXPECT_EQ(gCurrentDay, today + 1);
    EXPECT_EQ(gCurrentGroupNo, 2);
    EXPECT_EQ(gCurrentTypeNo, 2);
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(Forms::get<bookingform>()->Bookingnr->text(), "100");
}

// On a file of varied bookings (every kind, items and accounts that are gone, titles and
// account names that are Null, ties of day and time), each keyword and kind lists the rows of
// the stored query that the keyword finds, in its order.
TEST_F(SearchformTest, ListsTheStoredQuerysRowsThatTheKeywordFindsInItsOrder)
{
    exec(QString::fromUtf8(
             "INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (4, NULL, 'p'), "
             "(5, 'Åse Øst', 'p');"
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 900) "
             "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, "
             "kontonr) SELECT 5000 + i, CASE i % 6 WHEN 0 THEN NULL WHEN 1 THEN 'Æble ' || i "
             "WHEN 2 THEN 'board ' || i WHEN 3 THEN char(8490) || 'elvin 50%' WHEN 4 THEN 'Kick' "
             "ELSE 'Yoga' END, "
             "%1 + i % 40, 480 + i % 4 * 30, 600, CASE i % 7 WHEN 0 THEN 99 WHEN 1 THEN NULL "
             "ELSE (10, 11, 20, 30) END, 2 + i % 5 FROM n")
             .arg(today)
             .replace("(10, 11, 20, 30)", "CASE i % 4 WHEN 0 THEN 10 WHEN 1 THEN 11 WHEN 2 "
                                          "THEN 20 ELSE 30 END"));
    // More bookings that hold "Many" than the index offers the fill, few of them in the period.
    exec(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4100) "
                 "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, "
                 "kontonr) SELECT 10000 + i, 'Many ' || i, %1 + i %% 400 - 200, 540, 600, 10, 2 "
                 "FROM n")
             .arg(today)
             .replace("%%", "%"));
    Searchform *f = open();
    f->slutdate->pick(QDate(2024, 1, 10).addDays(35));
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    auto stored = [&](const QString &keyword, const QString &kinds) {
        QList<int> out;
        sqlite3_stmt *st = nullptr;
        const QByteArray sql = QString("SELECT Bookingnr, Beskrivelse, Kontonavn FROM "
                                       "searchforny WHERE Bdato BETWEEN %1 AND %2 AND "
                                       "gruppeart IN (%3)")
                                   .arg(today).arg(today + 35).arg(kinds).toUtf8();
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr), SQLITE_OK);
        auto text = [&](int c) {
            return sqlite3_column_type(st, c) == SQLITE_NULL
                       ? QVariant()
                       : QVariant(QString::fromUtf8(
                             reinterpret_cast<const char *>(sqlite3_column_text(st, c))));
        };
        while (sqlite3_step(st) == SQLITE_ROW)
            if (Searchform::Matches(keyword, sqlite3_column_int(st, 0), text(1), text(2)))
                out << sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        return out;
    };
    // "\u212a", the Kelvin sign, folds to an ASCII k. Keywords of three characters or more
    // are sought in the trigram index, in every case of each character; a keyword that many
    // bookings hold (more than the index offers the fill) by the period's bookings in turn.
    const char *const keywords[] = {"",        "æble",      "BOARD 1",   "50%",       " 51",
                                    "k",       "åse",       "\u212a",    "zzz",       "ÆBLE 1",
                                    "KELVIN 5", "\u212aelvin", "n 50%",   " 5012",     "5012",
                                    "åSE Ø",   "oga",       "\"x\"",     "Many",      "any 41"};
    for (const char *keyword : keywords) {
        for (QRadioButton *kind : {f->optall, f->Optadd}) {
            SCOPED_TRACE(QString::fromUtf8(keyword).toStdString() + " " + kind->text().toStdString());
            kind->click();
            f->SSB->setText(QString::fromUtf8(keyword));
            const QList<int> expected = stored(QString::fromUtf8(keyword),
                                               kind == f->optall ? "1, 2, 3" : "2");
            EXPECT_EQ(keys(*f->SList), expected);
        }
    }
    sqlite3_close(db);
}

TEST_F(SearchformTest, TheFillReadsThePeriodFromAnIndexInItsOrder)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    // A stand-in for the fill's own filter, which only the fill's connection knows.
    ASSERT_EQ(sqlite3_create_function_v2(
                  db, "search_listed", 4, SQLITE_UTF8, nullptr,
                  [](sqlite3_context *c, int, sqlite3_value **) { sqlite3_result_int(c, 1); },
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = ("EXPLAIN QUERY PLAN " + Searchform::SearchSql()).toUtf8();
    ASSERT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr), SQLITE_OK);
    QStringList plan;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        plan << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    const std::string text = plan.join('\n').toStdString();
    EXPECT_TRUE(plan.join('\n').contains("COVERING INDEX booking_search")) << text;
    EXPECT_FALSE(plan.join('\n').contains("TEMP B-TREE")) << text;
}

} // namespace
