#include "reportfixture.h"

#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"
#include "reports/gudloebover.h"
#include "reports/myboo.h"
#include "reports/searchinfoform.h"
#include "reports/todays.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QRegularExpression>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Generalen;

namespace {

constexpr int kToday = 45999;   // 2025-12-10, the sandbox's today

// A planner view that only carries a window: enough to run a command row.
class OwnerView final : public PlannerView
{
public:
    Commands::View plannerView() const override { return Commands::DayView; }
    Form &form() override { return window; }
    PlannerGrid &grid() override { std::abort(); }
    void OpenBookingFile() override {}
    void CreateBookingFile() override {}
    void CopyBookingToClipboard() override {}
    void PasteBookingCommand() override {}
    void DeleteSelectedBooking() override {}
    void OpenBookingForEdit(int32_t) override {}
    void ShowBookingInfo(int32_t) override {}
    void PrintScheme() override {}
    void ShowSelectedInOtherView() override {}
    void ShowCurrentPlace() override {}
    Form window;
};

QList<int> keys(const ListGrid &list)
{
    QList<int> out;
    for (int r = 0; r < list.RowCount(); ++r)
        out << list.RowData(r);
    return out;
}

QStringList row(const ListGrid &list, int r)
{
    QStringList out;
    for (int c = 1; c <= list.ColumnCount(); ++c)
        out << list.CellText(r, c);
    return out;
}

class ListsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.sandbox.setNow(QDateTime(Extrafunktioner::DayNumberToDate(kToday), QTime(9, 0)));
        gDateFormat = "dd-mm-yyyy";
        gUserNo = 2;
        gUserName = "Anna Berg";
        gInstName = "Town Hall";
        gInstCity = "Aarhus";
        f.exec({"INSERT INTO Konti (ID, Kontonavn, Kontotlf, Kontotype, kontoowner) VALUES "
                "(2, 'Anna Berg', '86 12 34 61', 'p', NULL), (3, 'Ben Holm', '86 12 34 72', "
                "'p', NULL), (4, 'Project', '11', 'g', 2), (5, 'Club', '22', 'g', 3), "
                "(6, 'Loose', '33', 'g', NULL)",
                // Anna is in her own account, owns Project, is twice a member of Club and
                // a member of Loose, which has no owner.
                "INSERT INTO grptilk (gnr, pnr) VALUES (2, 2), (4, 2), (5, 2), (5, 2), (5, 3), "
                "(6, 2), (3, 3)",
                "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart) VALUES "
                "(10, 'Room A', 1, 1), (20, 'Projector', 2, 2), (30, 'Van', 3, 3)"});
    }
    void TearDown() override
    {
        Forms::unloadAll();
        resetState();
    }

    void book(int nr, int day, int account, int item, bool repeated = false,
              int start = 510, int end = 540, const QString &title = "Meeting")
    {
        f.exec({QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                        "Lokalenr, kontonr, gentagende, gennr) VALUES (%1, '%2', %3, %4, %5, "
                        "%6, %7, %8, %9)")
                    .arg(nr).arg(title).arg(day).arg(start).arg(end).arg(item).arg(account)
                    .arg(repeated ? 1 : 0).arg(repeated ? QString::number(nr) : "NULL")});
    }

    ReportFixture f;
};

// --- My bookings ---------------------------------------------------------------------------

class MyBookingsTest : public ListsTest
{
protected:
    void SetUp() override
    {
        ListsTest::SetUp();
        book(100, kToday, 2, 10);                 // private
        book(101, kToday + 1, 4, 20, true);       // owner, repeated
        book(102, kToday + 2, 5, 30);             // member, listed twice
        book(103, kToday + 3, 6, 10, true);       // member of an account without owner
        book(104, kToday, 3, 10);                 // Ben's own: not Anna's
        book(105, kToday + 32, 2, 10);            // after the period
        book(106, kToday - 1, 2, 10);             // before it
    }
    myboo *open()
    {
        auto *m = Forms::get<myboo>();
        m->Show();
        return m;
    }
};

TEST_F(MyBookingsTest, ListsTheUsersBookingsOfTheMonthWithTheirRelation)
{
    myboo *m = open();
    EXPECT_EQ(m->windowTitle(), "My Bookings");
    ASSERT_EQ(m->MBlist->ColumnCount(), 7);
    QStringList captions;
    for (int c = 1; c <= 7; ++c)
        captions << QString("%1 %2").arg(m->MBlist->ColumnCaption(c)).arg(m->MBlist->ColumnWidth(c));
    EXPECT_EQ(captions, QStringList({"Date 70", "Resource 110", "Booking 110", "From 60", "To 60",
                                     "Account 110", "Conn. 60"}));
    EXPECT_EQ(keys(*m->MBlist), QList<int>({100, 101, 102, 102, 103}));
    EXPECT_EQ(row(*m->MBlist, 0), QStringList({"10-12-2025", "Room A", "Meeting", "08:30", "09:00",
                                               "Anna Berg", "Private"}));
    EXPECT_EQ(m->MBlist->CellText(1, 7), "Owner");
    EXPECT_EQ(m->MBlist->CellText(2, 7), "Member");
    EXPECT_EQ(m->MBlist->CellText(4, 7), "Member");
    EXPECT_EQ(m->startdate->value(), kToday);
    EXPECT_EQ(m->slutdate->value(), kToday + 31);
    EXPECT_TRUE(m->OptO1->isChecked() && m->OptG1->isChecked() && m->OptT1->isChecked());
}

TEST_F(MyBookingsTest, EachFilterListsOnlyWhatItNames)
{
    struct Case { const char *name; QRadioButton *myboo::*option; QList<int> listed; };
    const Case cases[] = {{"private", &myboo::OptO2, {100}},
                          {"groupowner", &myboo::OptO3, {101}},
                          {"groupmember", &myboo::OptO4, {102, 102, 103}},
                          {"domestic", &myboo::OptG2, {100, 103}},
                          {"add-on", &myboo::OptG3, {101}},
                          {"stand-alone", &myboo::OptG4, {102, 102}},
                          {"single", &myboo::OptT2, {100, 102, 102}},
                          {"repeated", &myboo::OptT3, {101, 103}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        myboo *m = open();
        (m->*c.option)->click();
        EXPECT_EQ(keys(*m->MBlist), c.listed);
        m->Unload();
    }
}

TEST_F(MyBookingsTest, APeriodOfOneDayPassesAndAStartAfterTheEndIsRefused)
{
    myboo *m = open();
    m->slutdate->pick(Extrafunktioner::DayNumberToDate(kToday + 1));
    m->startdate->pick(Extrafunktioner::DayNumberToDate(kToday + 1));
    EXPECT_TRUE(f.sandbox.shown().isEmpty());
    EXPECT_EQ(keys(*m->MBlist), QList<int>({101}));

    m->startdate->pick(Extrafunktioner::DayNumberToDate(kToday + 5));
    ASSERT_EQ(f.sandbox.shown().size(), 1);
    EXPECT_EQ(f.sandbox.shown()[0].text, "Startdate must be earlier than Enddate!");
    EXPECT_EQ(f.sandbox.shown()[0].title, "Date Info");
    EXPECT_EQ(m->startdate->value(), kToday + 1);
    EXPECT_EQ(keys(*m->MBlist), QList<int>({101}));

    m->slutdate->pick(Extrafunktioner::DayNumberToDate(kToday - 1));
    EXPECT_EQ(f.sandbox.lastText(), "Enddate must be later than Startdate!");
    EXPECT_EQ(m->slutdate->value(), kToday + 1);
    EXPECT_EQ(keys(*m->MBlist), QList<int>({101}));
}

TEST_F(MyBookingsTest, OnlyTheFirst2000RowsAreListed)
{
    f.exec({QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                    "2001) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                    "Lokalenr, kontonr) SELECT 1000 + i, 'Many', %1, 600, 660, 10, 2 FROM n")
                .arg(kToday + 10)});
    myboo *m = open();
    ASSERT_EQ(m->MBlist->RowCount(), 2000);
    EXPECT_EQ(m->MBlist->RowData(0), 100);   // in the query's order
    EXPECT_EQ(m->MBlist->RowData(1999), 1000 + 1995);   // five bookings come first
}

TEST_F(MyBookingsTest, InfoOpensTheChosenBookingAndAsksForOneWhenNoneIsSelected)
{
    myboo *m = open();
    m->Info->click();
    EXPECT_EQ(f.sandbox.lastText(), "No Booking Selected");
    EXPECT_EQ(f.sandbox.shown().last().title, "Service Message");
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());

    m->MBlist->setSelectedRow(1);
    emit m->MBlist->DblClick();
    ASSERT_TRUE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(Forms::get<Searchinfoform>()->Bookingnr->text(), "101");
    EXPECT_TRUE(Forms::isLoaded<myboo>());
}

TEST_F(MyBookingsTest, ABookingDeletedSinceTheFillIsReportedAndTheListRefilled)
{
    myboo *m = open();
    f.exec({"DELETE FROM booking WHERE Bookingnr = 101"});
    m->MBlist->setSelectedRow(1);
    m->Info->click();
    EXPECT_EQ(f.sandbox.lastText(),
              "The booking is no longer in the bookingfile. It may have been deleted.");
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(keys(*m->MBlist), QList<int>({100, 102, 102, 103}));
}

TEST_F(MyBookingsTest, PrintsTheUsersPeriodAndTheInstitution)
{
    myboo *m = open();
    m->Printbutton->click();
    const QStringList texts = f.shownTexts();
    EXPECT_TRUE(texts.contains("Anna Berg bookings between 10-12-2025 and 10-01-2026"))
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Town Hall   Aarhus, 10-12-2025"));
    EXPECT_TRUE(texts.contains("Room A"));
}

TEST_F(MyBookingsTest, TheToolBarShowsTheOneListWithoutOwner)
{
    OwnerView view;
    Commands::run(Commands::BookingBar, 15, view);
    ASSERT_TRUE(Forms::isLoaded<myboo>());
    myboo *m = Forms::get<myboo>();
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(m->parentWidget(), nullptr);
    m->OptO2->click();
    Commands::run(Commands::BookingBar, 15, view);
    EXPECT_EQ(Forms::get<myboo>(), m);
    EXPECT_EQ(keys(*m->MBlist), QList<int>({100}));   // filters kept
}

// --- Today's bookings ----------------------------------------------------------------------

class TodaysTest : public ListsTest
{
protected:
    void SetUp() override
    {
        ListsTest::SetUp();
        book(200, kToday, 3, 20, false, 600, 660);
        book(201, kToday, 2, 10, false, 510, 540);
        book(202, kToday, 5, 30);
        book(203, kToday + 1, 2, 10);
    }
    Todays *open()
    {
        auto *t = Forms::get<Todays>();
        t->Show();
        return t;
    }
};

TEST_F(TodaysTest, ListsEveryBookingOfTheDayInTimeOrder)
{
    Todays *t = open();
    EXPECT_EQ(t->windowTitle(), "Vantix  -  Todays Bookings");
    QStringList captions;
    for (int c = 1; c <= t->Todaylist->ColumnCount(); ++c)
        captions << QString("%1 %2").arg(t->Todaylist->ColumnCaption(c))
                        .arg(t->Todaylist->ColumnWidth(c));
    EXPECT_EQ(captions, QStringList({"Resource 120", "Account 120", "Start 50", "End 50",
                                     "Contact 100"}));
    EXPECT_EQ(keys(*t->Todaylist), QList<int>({201, 202, 200}));
    EXPECT_EQ(row(*t->Todaylist, 0),
              QStringList({"Room A", "Anna Berg", "08:30", "09:00", "86 12 34 61"}));
    EXPECT_EQ(t->Fixdate->value(), kToday);
}

TEST_F(TodaysTest, TheDayAndTheKindChooseTheRows)
{
    Todays *t = open();
    t->OptGr3->click();
    EXPECT_EQ(keys(*t->Todaylist), QList<int>({200}));
    t->OptGr2->click();
    EXPECT_EQ(keys(*t->Todaylist), QList<int>({201}));
    t->Fixdate->pick(Extrafunktioner::DayNumberToDate(kToday + 1));
    EXPECT_EQ(keys(*t->Todaylist), QList<int>({203}));
    t->Fixdate->pick(Extrafunktioner::DayNumberToDate(kToday + 2));
    EXPECT_EQ(t->Todaylist->RowCount(), 0);
}

TEST_F(TodaysTest, SecondsAreRoundedToWholeMinutesAHalfToTheEvenOne)
{
    const std::pair<int, const char *> cases[] = {
        {30600, "08:30"}, {28830, "08:00"}, {28890, "08:02"}, {28859, "08:01"}, {0, "00:00"}};
    for (const auto &[seconds, shown] : cases)
        EXPECT_EQ(Todays::TimeCell(seconds), shown) << seconds;
}

TEST_F(TodaysTest, InfoOpensTheChosenBookingOrSaysWhyNot)
{
    Todays *t = open();
    t->Info->click();
    EXPECT_EQ(f.sandbox.lastText(), "No Booking Selected");
    EXPECT_EQ(f.sandbox.shown().last().title, "Service Message");
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());

    t->Todaylist->setSelectedRow(2);
    emit t->Todaylist->DblClick();
    ASSERT_TRUE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(Forms::get<Searchinfoform>()->Bookingnr->text(), "200");
    Forms::unload<Searchinfoform>();

    f.exec({"DELETE FROM booking WHERE Bookingnr = 202"});
    t->Todaylist->setSelectedRow(1);
    t->Info->click();
    EXPECT_EQ(f.sandbox.lastText(),
              "The booking is no longer in the bookingfile. It may have been deleted.");
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(keys(*t->Todaylist), QList<int>({201, 200}));
}

TEST_F(TodaysTest, PrintsTheDayAndTheToolBarShowsTheList)
{
    OwnerView view;
    Commands::run(Commands::BookingBar, 16, view);
    ASSERT_TRUE(Forms::isLoaded<Todays>());
    Todays *t = Forms::get<Todays>();
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(t->parentWidget(), nullptr);
    t->Fixdate->pick(Extrafunktioner::DayNumberToDate(kToday + 1));
    t->Printbutton->click();
    const QStringList texts = f.shownTexts();
    EXPECT_TRUE(texts.contains("Bookings on 11-12-2025")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Town Hall, Aarhus, 10-12-2025"));
}

// --- Expiring repeated bookings ------------------------------------------------------------

class ExpiryTest : public ListsTest
{
protected:
    // A weekly series of `count` bookings whose last one is on day `last`.
    void series(int head, int last, int count, const QString &title, int account = 2)
    {
        for (int i = 0; i < count; ++i)
            f.exec({QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                            "Lokalenr, kontonr, gentagende, gennr) VALUES (%1, '%2', %3, 600, "
                            "690, 10, %4, 1, %5)")
                        .arg(head + i).arg(title).arg(last - 7 * (count - 1 - i)).arg(account)
                        .arg(head)});
    }
    gudløbover *open()
    {
        auto *g = Forms::get<gudløbover>();
        g->Show();
        return g;
    }
};

TEST_F(ExpiryTest, ListsTheSeriesEndingInTheNextMonth)
{
    series(300, kToday, 3, "Choir");            // ends today
    series(310, kToday + 31, 2, "Yoga", 5);     // ends on the last day of the period
    series(320, kToday + 32, 3, "Chess");       // one day too late
    series(330, kToday - 1, 3, "Bridge");       // ended yesterday
    book(340, kToday + 3, 2, 10);               // a single booking
    gudløbover *g = open();
    EXPECT_EQ(g->windowTitle(), "Vantix - Repeated Bookings / Expire Dates");
    QStringList captions;
    for (int c = 1; c <= g->ul->ColumnCount(); ++c)
        captions << QString("%1 %2").arg(g->ul->ColumnCaption(c)).arg(g->ul->ColumnWidth(c));
    EXPECT_EQ(captions, QStringList({"Booking 125", "Exp. Date 70", "Start 50", "End 50",
                                     "Resource 125", "Group 125", "Contact 100"}));
    ASSERT_EQ(g->ul->RowCount(), 2);
    EXPECT_EQ(row(*g->ul, 0), QStringList({"Choir", "10-12-2025", "10:00", "11:30", "Room A",
                                           "Anna Berg", "86 12 34 61"}));
    EXPECT_EQ(row(*g->ul, 1).mid(0, 2), QStringList({"Yoga", "10-01-2026"}));
    EXPECT_EQ(g->ul->CellText(1, 6), "Club");   // the account's name under "Group"
}

TEST_F(ExpiryTest, AOneDayPeriodPassesAndAnEndBeforeTheStartIsRefused)
{
    series(300, kToday + 5, 3, "Choir");
    series(310, kToday + 6, 2, "Yoga");
    gudløbover *g = open();
    g->cstart->pick(Extrafunktioner::DayNumberToDate(kToday + 5));
    g->cend->pick(Extrafunktioner::DayNumberToDate(kToday + 5));
    EXPECT_TRUE(f.sandbox.shown().isEmpty());
    ASSERT_EQ(g->ul->RowCount(), 1);
    EXPECT_EQ(g->ul->CellText(0, 1), "Choir");

    g->cend->pick(Extrafunktioner::DayNumberToDate(kToday + 4));
    ASSERT_EQ(f.sandbox.shown().size(), 1);
    EXPECT_EQ(f.sandbox.shown()[0].text, "Enddate must be later than Startdate!");
    EXPECT_EQ(f.sandbox.shown()[0].title, "Date Info");
    EXPECT_EQ(g->cend->value(), kToday + 5);
    EXPECT_EQ(g->ul->RowCount(), 1);

    g->cstart->pick(Extrafunktioner::DayNumberToDate(kToday + 6));
    EXPECT_EQ(f.sandbox.lastText(), "Startdate must be earlier than Enddate!");
    EXPECT_EQ(g->cstart->value(), kToday + 5);
    EXPECT_EQ(g->ul->RowCount(), 1);
}

// On a file of series of every shape (ending before, in and after the period, with bookings
// in it and after it, with single bookings and a stray unrepeated one among them, with days
// left empty), each period lists the rows of the stored query's series that end in it, in its
// order.
TEST_F(ExpiryTest, ListsTheSameSeriesInTheSameOrderAsTheStoredQueryFilteredByItsEnd)
{
    f.exec({QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                    "1500) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                    "Lokalenr, kontonr, gentagende, gennr) SELECT 1000 + i, 'T' || (i * 7 % 5), "
                    "CASE WHEN i % 97 = 0 THEN NULL ELSE %1 + (i * 7919) % 120 - 40 END, "
                    "600 + i % 3 * 30, 690, 10 * (1 + i % 3), 2 + i % 5, i % 23 <> 0, "
                    "CASE WHEN i % 11 = 0 THEN NULL ELSE 1000 + i / 6 * 6 END FROM n")
                .arg(kToday)});
    gudløbover *g = open();
    const QString stored = "SELECT %1 FROM \"gentagendeudløbfor\" WHERE maxofbdato BETWEEN %2 "
                           "AND %3";
    const std::pair<int, int> periods[] = {
        {kToday, kToday + 31}, {kToday + 5, kToday + 5}, {kToday - 40, kToday},
        {kToday - 400, kToday + 400}};
    for (const auto &[from, to] : periods) {
        SCOPED_TRACE(QString("%1 to %2").arg(from).arg(to).toStdString());
        g->cstart->pick(Extrafunktioner::DayNumberToDate(from));
        g->cend->pick(Extrafunktioner::DayNumberToDate(to));
        g->cstart->pick(Extrafunktioner::DayNumberToDate(from));
        const QList<qlonglong> series = sqlNumbers(f.path, stored.arg("gennr").arg(from).arg(to));
        ASSERT_FALSE(series.isEmpty());
        QList<qlonglong> listed;
        for (int key : keys(*g->ul))
            listed << key;
        EXPECT_EQ(listed, series);
        const QList<qlonglong> ends = sqlNumbers(f.path, stored.arg("maxofbdato").arg(from).arg(to));
        for (int r = 0; r < g->ul->RowCount() && r < ends.size(); ++r)
            EXPECT_EQ(g->ul->CellText(r, 2),
                      Extrafunktioner::DayNumberToDate(int32_t(ends[r])).toString("dd-MM-yyyy"));
    }
}

TEST_F(ExpiryTest, OnlyTheFirst2000SeriesAreListed)
{
    f.exec({QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                    "2001) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                    "Lokalenr, kontonr, gentagende, gennr) SELECT 1000 + i, 'S', %1 + i % 20, "
                    "600, 660, 10, 2, 1, 1000 + i FROM n")
                .arg(kToday)});
    EXPECT_EQ(open()->ul->RowCount(), 2000);
}

TEST_F(ExpiryTest, TheToolBarShowsItModelessAndTheHiddenMenuIdModalAndOwned)
{
    OwnerView view;
    Commands::run(Commands::BookingBar, 18, view);
    ASSERT_TRUE(Forms::isLoaded<gudløbover>());
    EXPECT_EQ(Forms::get<gudløbover>()->parentWidget(), nullptr);
    EXPECT_FALSE(Forms::get<gudløbover>()->isModal());
    Forms::unload<gudløbover>();

    bool ranModal = false;
    Forms::setModalRunner([&](Form *form) {
        ranModal = true;
        EXPECT_EQ(form->owner(), &view.window);
        form->Unload();
    });
    Commands::run(Commands::MainMenu, 52, view);
    EXPECT_TRUE(ranModal);
    EXPECT_FALSE(Forms::isLoaded<gudløbover>());
    for (const Commands::Command *c : Commands::rowsOf(Commands::MainMenu, Commands::DayView, 3))
        EXPECT_NE(c->id, 52);
}

TEST_F(ExpiryTest, PrintsThePeriodAndTheInstitution)
{
    series(300, kToday, 2, "Choir");
    gudløbover *g = open();
    g->Printbutton->click();
    const QStringList texts = f.shownTexts();
    EXPECT_TRUE(texts.contains("Repeating Bookings / Expire dates between 10-12-2025 and "
                               "10-01-2026"))
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Town Hall, Aarhus, 10-12-2025"));
    EXPECT_TRUE(texts.contains("Choir"));
}

// --- Reading ---------------------------------------------------------------------------------

// Each fill reads its rows through an index, never the whole bookingfile.
TEST_F(ListsTest, EachFillReadsItsRowsThroughAnIndex)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(f.path.toUtf8().constData(), &db), SQLITE_OK);
    auto plan = [db](const QString &sql) {
        sqlite3_stmt *stmt = nullptr;
        const QByteArray text = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
        QStringList lines;
        if (sqlite3_prepare_v2(db, text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(db));
        while (sqlite3_step(stmt) == SQLITE_ROW)
            lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3)));
        sqlite3_finalize(stmt);
        return lines.join('\n');
    };
    const struct { const char *list; QString sql; const char *index; } cases[] = {
        {"my bookings", myboo::FillSql(), "booking_kontonr_Bdato (kontonr=? AND Bdato>? AND Bdato<?)"},
        {"today's bookings", Todays::FillSql(), "booking_search (Bdato=?)"},
        {"series ending in the period", gudløbover::SeriesSql(),
         "COVERING INDEX serieslut_Bdato (Bdato>? AND Bdato<?)"},
        {"expiring series", gudløbover::ExpirySql(3), "booking_gennr (gennr=?)"},
    };
    for (const auto &c : cases) {
        const QString shown = plan(c.sql);
        EXPECT_TRUE(shown.contains(c.index)) << c.list << "\n" << shown.toStdString();
        EXPECT_FALSE(shown.contains(QRegularExpression("SCAN (b|booking)\\b")))
            << c.list << "\n" << shown.toStdString();
    }
    sqlite3_close(db);
}

} // namespace
