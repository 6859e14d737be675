// The booking overview and the two archive reports: their criteria dialogs, the rows they
// print and the figures they add up, read from the printed pages.
#include "reportfixture.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "reports/archiveperioddialogs.h"
#include "reports/archivereports.h"
#include "reports/datobookingperiode.h"
#include "reports/overview.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

using Extrafunktioner::DateToDayNumber;

namespace {

const QDate kToday(2026, 12, 10);   // the fixture's clock
const int32_t kDay = 46364;          // its day number

// Two groups of different kinds: "Rooms" (Domestic) with the types "Large" and "Small", and
// "Vans" (Stand-Alone) with "Vans"; items Aula (Large), Fjord and Kiosk (Small), Van 1. The
// accounts 2 "Nordhus" and 3 "Sydhus".
void addResources(const ReportFixture &f)
{
    f.exec({"INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) "
            "VALUES (1, 'Rooms', 1), (2, 'Vans', 3)",
            "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr) "
            "VALUES (1, 'Large', 1), (2, 'Small', 1), (3, 'Vans', 2)",
            "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr) "
            "VALUES (1, 'Aula', 1), (2, 'Fjord', 2), (3, 'Kiosk', 2), (4, 'Van 1', 3)",
            "INSERT INTO Konti (ID, Kontonavn, Kontotlf, Kontotype) "
            "VALUES (2, 'Nordhus', '86 12', 'g'), (3, 'Sydhus', '87 34', 'g')"});
}

void addBooking(const ReportFixture &f, const QString &table, int nr, int32_t day, int start,
                int end, int item, int type, int account, const QString &text,
                int persons = 0, double price = 0)
{
    f.exec({QString("INSERT INTO %1 (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, "
                    "Bgruppe, kontonr, Antalpers, Pris) VALUES (%2, '%3', %4, %5, %6, %7, %8, "
                    "%9, %10, %11)")
                .arg(table).arg(nr).arg(text).arg(day).arg(start).arg(end).arg(item).arg(type)
                .arg(account).arg(persons).arg(price)});
}

// The texts of a list that stand in the printed texts, in the order they were printed.
QStringList printed(const QStringList &texts, const QStringList &wanted)
{
    QStringList seen;
    for (const QString &t : texts) {
        if (wanted.contains(t))
            seen.append(t);
    }
    return seen;
}

// The rows a statement gives, each as its fields joined by "|".
QStringList rows(const QString &path, const QString &sql)
{
    auto db = Dao::Database::open(path);
    auto rs = db->OpenRecordset(sql, Dao::RecordsetType::Snapshot);
    QStringList out;
    while (!rs->EOF_()) {
        QStringList fields;
        for (int i = 0; i < rs->FieldCount(); ++i)
            fields.append(rs->Field(i).toString());
        out.append(fields.join('|'));
        rs->MoveNext();
    }
    return out;
}

} // namespace

TEST(BookingOverview, DefaultsToEightDaysOfAllKinds)
{
    ReportFixture f;
    auto *dialog = Forms::get<datobookingperiode>();
    EXPECT_EQ(dialog->windowTitle(), "Overwiew");
    EXPECT_EQ(dialog->fradato->date(), kToday);
    EXPECT_EQ(dialog->tildato->date(), kToday.addDays(7));
    EXPECT_EQ(dialog->fra->text(), QString::number(kDay));
    EXPECT_EQ(dialog->til->text(), QString::number(kDay + 7));
    EXPECT_EQ(dialog->Prtext->text(), "All Groups");
    EXPECT_EQ((QStringList{dialog->g1->text(), dialog->g2->text(), dialog->g3->text()}),
              (QStringList{"1", "2", "3"}));
    Forms::unloadAll();
}

TEST(BookingOverview, PrintsThePeriodByDayGroupTypeAndStart)
{
    ReportFixture f;
    addResources(f);
    const QString b = "booking";
    addBooking(f, b, 10, kDay + 1, 600, 660, 2, 2, 2, "Small late");
    addBooking(f, b, 11, kDay + 1, 480, 540, 3, 2, 2, "Small early");
    addBooking(f, b, 12, kDay + 1, 900, 960, 1, 1, 3, "Big hall");
    addBooking(f, b, 13, kDay + 1, 420, 480, 4, 3, 2, "Van trip");
    addBooking(f, b, 14, kDay, 420, 450, 2, 2, 2, "First day");
    addBooking(f, b, 15, kDay + 7, 420, 450, 2, 2, 2, "Last day");
    addBooking(f, b, 16, kDay + 8, 420, 450, 2, 2, 2, "After");
    addBooking(f, b, 17, kDay - 1, 420, 450, 2, 2, 2, "Before");
    addBooking(f, b, 18, kDay + 2, 420, 450, 2, 2, 99, "No account");
    addBooking(f, b, 19, kDay + 2, 600, 630, 98, 2, 3, "Item gone");

    auto *dialog = Forms::get<datobookingperiode>();
    dialog->uds_Click();
    const QStringList texts = f.shownTexts();
    const QStringList titles{"First day", "Small early", "Small late", "Big hall", "Van trip",
                             "Last day", "After", "Before", "No account", "Item gone"};
    EXPECT_EQ(printed(texts, titles),
              (QStringList{"First day", "Big hall", "Small early", "Small late", "Van trip",
                           "Item gone", "Last day"}));
    for (const char *text : {"BOOKING OVERVIEW", "Start", "End", "Ressource", "Description",
                             "Account", "Phone", "Period:", "All Groups", "8:00", "9:00",
                             "Nordhus", "86 12", "Rooms", "Small", "Vans"})
        EXPECT_TRUE(texts.contains(text)) << text;
    // The period line in the short date form, and the weekday above each day.
    EXPECT_TRUE(texts.contains("10-12-2026 / 17-12-2026")) << texts.join(" ; ").toStdString();
    EXPECT_TRUE(texts.contains("Thursday"));
    // The dialog closes once the report is made.
    EXPECT_FALSE(Forms::isLoaded<datobookingperiode>());
}

TEST(BookingOverview, AKindAndAOneDayPeriodPrintOnlyTheirBookings)
{
    ReportFixture f;
    addResources(f);
    addBooking(f, "booking", 10, kDay + 3, 600, 660, 2, 2, 2, "Room");
    addBooking(f, "booking", 11, kDay + 3, 480, 540, 4, 3, 2, "Van");
    addBooking(f, "booking", 12, kDay + 4, 480, 540, 2, 2, 2, "Next day");

    auto *dialog = Forms::get<datobookingperiode>();
    dialog->tildato->pick(kToday.addDays(3));
    dialog->fradato->pick(kToday.addDays(3));
    dialog->AltDom->setChecked(true);
    dialog->uds_Click();
    const QStringList texts = f.shownTexts();
    EXPECT_EQ(printed(texts, {"Room", "Van", "Next day"}), QStringList{"Room"});
    EXPECT_TRUE(texts.contains("Domestic"));
    EXPECT_TRUE(f.sandbox.shown().isEmpty());
}

TEST(BookingOverview, ADateAcrossTheOtherIsRefusedAndTakenBack)
{
    ReportFixture f;
    auto *dialog = Forms::get<datobookingperiode>();
    dialog->fradato->pick(kToday.addDays(9));
    ASSERT_EQ(f.sandbox.shown().size(), 1);
    EXPECT_EQ(f.sandbox.shown().at(0).text, "Startdate must be earlier than Enddate!");
    EXPECT_EQ(f.sandbox.shown().at(0).title, "Date Info");
    EXPECT_EQ(dialog->fradato->date(), kToday);
    EXPECT_EQ(dialog->fra->text(), QString::number(kDay));

    dialog->tildato->pick(kToday.addDays(-1));
    ASSERT_EQ(f.sandbox.shown().size(), 2);
    EXPECT_EQ(f.sandbox.shown().at(1).text, "Enddate must be later than Startdate!");
    EXPECT_EQ(f.sandbox.shown().at(1).title, "Date Info");
    EXPECT_EQ(dialog->tildato->date(), kToday.addDays(7));
    EXPECT_EQ(dialog->til->text(), QString::number(kDay + 7));

    // Equal days are a period of one day.
    dialog->tildato->pick(kToday);
    EXPECT_EQ(f.sandbox.shown().size(), 2);
    EXPECT_EQ(dialog->til->text(), QString::number(kDay));
    Forms::unloadAll();
}

// Enter in a criteria dialog prints, from a date box as from anywhere but a button, where it
// presses that button; Escape leaves the dialog.
TEST(CriteriaDialogs, EnterPrintsAndEscapeLeaves)
{
    ReportFixture f;
    addResources(f);
    struct Case
    {
        const char *name;
        std::function<Form *()> open;
        QWidget *(*dateBox)(Form *);
        bool (*loaded)();
    };
    const Case cases[] = {
        {"overview", [] { return Forms::get<datobookingperiode>(); },
         [](Form *d) -> QWidget * { return static_cast<datobookingperiode *>(d)->fradato; },
         &Forms::isLoaded<datobookingperiode>},
        {"totals", [] { return Forms::get<datoarkivperiodeht>(); },
         [](Form *d) -> QWidget * { return static_cast<datoarkivperiodeht *>(d)->cend; },
         &Forms::isLoaded<datoarkivperiodeht>},
        {"details", [] { return Forms::get<datoarkivperiodeAC>(); },
         [](Form *d) -> QWidget * { return static_cast<datoarkivperiodeAC *>(d)->cstart; },
         &Forms::isLoaded<datoarkivperiodeAC>}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        f.capture.previews.clear();
        Form *dialog = c.open();
        dialog->Show();
        QWidget *date = c.dateBox(dialog);
        QWidget *box = date->focusProxy() ? date->focusProxy() : date;
        box->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box,
                        Qt::Key_Return);
        EXPECT_EQ(f.capture.previews.size(), 1);

        dialog = c.open();
        dialog->Show();
        auto *exit = dialog->findChild<QPushButton *>(c.name == std::string("overview")
                                                          ? "annuler" : "Luk");
        ASSERT_NE(exit, nullptr);
        exit->setFocus();
        QTest::keyClick(exit, Qt::Key_Return);
        EXPECT_EQ(f.capture.previews.size(), 1);   // Exit, not Print
        EXPECT_FALSE(c.loaded());

        dialog = c.open();
        dialog->Show();
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_EQ(f.capture.previews.size(), 1);
        EXPECT_FALSE(c.loaded());
    }
}

// The report filters by the period and kinds before it joins and groups; the statement as first
// written filters afterwards. Both give the same rows in the same order on a varied file.
TEST(BookingOverview, TheFilteredStatementGivesTheRowsOfTheWrittenOne)
{
    ReportFixture f;
    addResources(f);
    int nr = 100;
    for (int d = -3; d < 12; ++d) {
        for (int item = 1; item <= 5; ++item) {   // item 5 does not exist
            const int type = item == 1 ? 1 : item == 4 ? 3 : 2;
            addBooking(f, "booking", nr++, kDay + d, 400 + 37 * ((d * 7 + item) % 11), 1000,
                       item, type, 2 + (nr % 3), QString("B%1").arg(nr));
        }
    }
    addBooking(f, "booking", nr++, kDay + 2, 500, 600, 1, 7, 2, "type gone");
    struct Case { int32_t from, to; int g1, g2, g3; };
    const Case cases[] = {{kDay, kDay + 7, 1, 2, 3}, {kDay, kDay, 1, 100, 100},
                          {kDay - 5, kDay + 20, 100, 100, 3}, {kDay + 8, kDay + 3, 1, 2, 3}};
    for (const Case &c : cases) {
        const QStringList written =
            rows(f.path, overview::statement(c.from, c.to, c.g1, c.g2, c.g3));
        const QStringList filtered =
            rows(f.path, overview::filteredStatement(c.from, c.to, c.g1, c.g2, c.g3));
        EXPECT_EQ(filtered, written) << c.from << " " << c.to << " " << c.g1;
        if (c.from <= c.to)
            EXPECT_FALSE(written.isEmpty());
    }
    EXPECT_TRUE(overview::statement(5, 6, 1, 100, 100).endsWith(
              " HAVING (((Booking.Bdato) >= 5 And (Booking.Bdato) <= 6) AND "
              "((Overgruppenavne.Gruppeart) = 1 Or (Overgruppenavne.Gruppeart) = 100 Or "
              "(Overgruppenavne.Gruppeart) = 100)) ORDER BY Booking.Bdato,  "
              "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, Booking.Bstart;"));
}

TEST(ArchiveReports, DialogsDefaultToTheLast366Days)
{
    ReportFixture f;
    addResources(f);
    auto *details = Forms::get<datoarkivperiodeAC>();
    auto *totals = Forms::get<datoarkivperiodeht>();
    EXPECT_EQ(details->windowTitle(), "Period Details");
    EXPECT_EQ(totals->windowTitle(), "Period Totals");
    for (ArchivePeriodDialog *d : {static_cast<ArchivePeriodDialog *>(details),
                                   static_cast<ArchivePeriodDialog *>(totals)}) {
        EXPECT_EQ(d->cstart->date(), kToday.addDays(-365));
        EXPECT_EQ(d->cend->date(), kToday);
        EXPECT_EQ(d->fradato->text(), QString::number(kDay - 365));
        EXPECT_EQ(d->tildato->text(), QString::number(kDay));
    }
    // The account list opens on the first account of Kontifor (by name), and a pick writes
    // nothing to the bookingfile.
    EXPECT_EQ(details->accountName(), "Administrator");
    details->knr->setListIndex(details->knr->ListCount() - 1);
    EXPECT_EQ(details->accountName(), "Sydhus");
    EXPECT_EQ(details->account(), 3);
    EXPECT_EQ(rows(f.path, "SELECT Kontonavn FROM Konti ORDER BY ID"),
              (QStringList{"Administrator", "Nordhus", "Sydhus"}));

    totals->cstart->pick(kToday.addDays(1));
    ASSERT_EQ(f.sandbox.shown().size(), 1);
    EXPECT_EQ(f.sandbox.shown().at(0).text, "Startdate must be earlier than Enddate!");
    EXPECT_EQ(totals->fradato->text(), QString::number(kDay - 365));
    Forms::unloadAll();
}

TEST(ArchiveReports, TotalsCountPersonsHoursAndFeesPerItemTypeAndGroup)
{
    ReportFixture f;
    addResources(f);
    const QString a = "bookingarkiv";
    addBooking(f, a, 1, kDay - 365, 600, 690, 2, 2, 2, "first day", 10, 100);   // 1.50 h
    addBooking(f, a, 2, kDay, 1320, 120, 2, 2, 3, "over midnight", 5, 50);      // 4.00 h
    addBooking(f, a, 3, kDay - 10, 480, 540, 3, 2, 77, "account gone", 2, 25);  // 1.00 h
    addBooking(f, a, 4, kDay - 10, 480, 600, 4, 3, 2, "van", 1, 10);            // 2.00 h
    addBooking(f, a, 5, kDay - 366, 480, 540, 2, 2, 2, "too early", 100, 1000);
    addBooking(f, a, 6, kDay - 20, 480, 540, 99, 2, 2, "item gone", 100, 1000);
    addBooking(f, "booking", 7, kDay - 1, 480, 540, 2, 2, 2, "not archived", 100, 1000);

    Forms::get<datoarkivperiodeht>()->Kommandoknap22_Click();
    const QStringList texts = f.shownTexts();
    auto *report = Reports::get<periodetotaler>();
    // The item Fjord: two bookings, 15 persons, 5.50 hours, 150.00.
    const int fjord = int(texts.indexOf("Fjord"));
    ASSERT_GE(fjord, 0) << texts.join(" ; ").toStdString();
    EXPECT_EQ(texts.mid(fjord, 5), (QStringList{"Fjord", "2", "15", "5.50", "150.00"}));
    const int kiosk = int(texts.indexOf("Kiosk"));
    EXPECT_EQ(texts.mid(kiosk, 5), (QStringList{"Kiosk", "1", "2", "1.00", "25.00"}));
    // The type Small, then the group Rooms; the van in its own group.
    EXPECT_EQ(texts.mid(kiosk + 5, 4), (QStringList{"3", "17", "6.50", "175.00"}));
    EXPECT_EQ(texts.mid(kiosk + 9, 4), (QStringList{"3", "17", "6.50", "175.00"}));
    const int van = int(texts.indexOf("Van 1"));
    EXPECT_EQ(texts.mid(van, 5), (QStringList{"Van 1", "1", "1", "2.00", "10.00"}));
    EXPECT_EQ(printed(texts, {"Rooms", "Small", "Vans"}), (QStringList{"Rooms", "Small", "Vans",
                                                                       "Vans"}));
    for (const char *text : {"Period Totals", "#Bookings", "#Persons", "#Hours", "Fee",
                             "Period: 10-12-2025  -  10-12-2026"})
        EXPECT_TRUE(texts.contains(text)) << text;
    EXPECT_EQ(report->Period->name(), "period");
    EXPECT_FALSE(Forms::isLoaded<datoarkivperiodeht>());
}

TEST(ArchiveReports, DetailsPrintOneAccountsArchivedBookings)
{
    ReportFixture f;
    addResources(f);
    const QString a = "bookingarkiv";
    addBooking(f, a, 1, kDay - 5, 600, 690, 2, 2, 2, "mine", 3, 30);
    addBooking(f, a, 2, kDay - 5, 600, 720, 2, 2, 3, "theirs", 4, 40);
    auto *dialog = Forms::get<datoarkivperiodeAC>();
    dialog->knr->setBoundText(2);
    ASSERT_EQ(dialog->accountName(), "Nordhus");
    dialog->Kommandoknap22_Click();
    const QStringList texts = f.shownTexts();
    const int fjord = int(texts.indexOf("Fjord"));
    ASSERT_GE(fjord, 0);
    EXPECT_EQ(texts.mid(fjord, 5), (QStringList{"Fjord", "1", "3", "1.50", "30.00"}));
    for (const char *text : {"Period Details (Account)", "Nordhus", "#Bookings"})
        EXPECT_TRUE(texts.contains(text)) << text;
    EXPECT_TRUE(texts.contains("Period: 10-12-2025  -  10-12-2026"));
    EXPECT_EQ(Reports::get<periodedetail>()->Period->name(), "Period");
    EXPECT_FALSE(Forms::isLoaded<datoarkivperiodeAC>());
}

TEST(ArchiveReports, DetailsWithoutAnyAccountAreRefused)
{
    ReportFixture f;
    f.exec({"DELETE FROM Konti"});
    auto *dialog = Forms::get<datoarkivperiodeAC>();
    dialog->Kommandoknap22_Click();
    EXPECT_TRUE(f.capture.previews.isEmpty());
    ASSERT_EQ(f.sandbox.shown().size(), 1);
    EXPECT_EQ(f.sandbox.shown().at(0).title, "Period Details");
    // The item footer's design text.
    const periodedetail design;
    EXPECT_EQ(design.txtLokalenavn->text(), "No Bookings");
    Forms::unloadAll();
}

TEST(BookingOverview, ALongPeriodPrintsTheLogoOnEveryPage)
{
    ReportFixture f(true);
    f.exec({QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                    "Lokalenr, Bgruppe, kontonr) "
                    "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 150) "
                    "SELECT 900000 + n, 'Long ' || n, %1 + n % 8, 480, 540, lokale.lokalenr, "
                    "lokale.lokalinr, (SELECT min(ID) FROM Konti) FROM c, "
                    "(SELECT lokalenr, lokalinr FROM lokale ORDER BY lokalenr LIMIT 1) AS lokale")
                .arg(kDay)});
    Forms::get<datobookingperiode>()->uds_Click();
    ASSERT_EQ(f.capture.previews.size(), 1);
    const PageModel &model = f.capture.previews.first();
    ASSERT_GT(model.pageCount(), 2);
    for (int page = 0; page < model.pageCount(); ++page)
        EXPECT_EQ(ReportFixture::pictures(model, page), 1) << page;
    EXPECT_TRUE(model.texts().contains("Long 150"));
}

// A day of the overview that runs over pages: every page it goes on to starts with the day,
// the group and the type above its time rows. The period totals repeat their group and type.
TEST(BookingOverview, APageThatGoesOnWithADayRepeatsItsDayGroupAndType)
{
    ReportFixture f;
    addResources(f);
    for (int i = 0; i < 90; ++i)
        addBooking(f, "booking", 100 + i, kDay, 480 + i, 481 + i, 2, 2, 2, "Lesson");
    Forms::get<datobookingperiode>()->uds_Click();
    ASSERT_EQ(f.capture.previews.size(), 1);
    const PageModel &model = f.capture.previews.first();
    ASSERT_GE(model.pageCount(), 3);
    for (int page = 0; page < model.pageCount(); ++page) {
        const QStringList texts = model.texts(page);
        const qsizetype day = texts.indexOf("Thursday");
        ASSERT_GE(day, 0) << "page " << page + 1;
        // The day with its date, the group and the type, then the first booking's start.
        EXPECT_EQ(texts.mid(day, 4), (QStringList{"Thursday", "10-12-2026", "Rooms", "Small"}))
            << "page " << page + 1;
        EXPECT_TRUE(texts.at(day + 4).contains(':')) << texts.at(day + 4).toStdString();
    }

    // Sixty small rooms with an archived booking each: more lines than one page holds.
    f.exec({"INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr) "
            "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 60) "
            "SELECT 100 + n, 'Room ' || (100 + n), 2 FROM c",
            "INSERT INTO bookingarkiv (Bookingnr, Bdato, bstart, bslut, Lokalenr, kontonr) "
            "SELECT 1000 + lokalenr, " + QString::number(kDay - 1) + ", 480, 540, lokalenr, 2 "
            "FROM lokale WHERE lokalenr > 100"});
    Forms::get<datoarkivperiodeht>()->Kommandoknap22_Click();
    ASSERT_EQ(f.capture.previews.size(), 2);
    const PageModel &totals = f.capture.previews.last();
    ASSERT_GE(totals.pageCount(), 2);
    for (int page = 1; page < totals.pageCount(); ++page)
        EXPECT_EQ(totals.texts(page).mid(4, 2), (QStringList{"Rooms", "Small"}))
            << totals.texts(page).join(" | ").toStdString();
}

// The totals' statement adds up per item what the written statement gives row by row: the same
// items, in the same order, with the same counts and sums, on a file with two items of one name,
// missing persons, bookings over midnight, deleted items and types and days around the period.
TEST(ArchiveReports, TheTotalsStatementAddsUpTheRowsOfTheWrittenOne)
{
    ReportFixture f;
    addResources(f);
    f.exec({"INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr) VALUES (5, 'Fjord', 2), "
            "(6, 'Lost', 9)",
            "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr) "
            "VALUES (4, 'Orphans', 8)"});
    QStringList values;
    int nr = 1;
    for (int d = -40; d <= 5; ++d) {
        for (int item = 1; item <= 7; ++item) {   // 6 has no type, 7 does not exist
            const int start = 300 + 53 * ((d + 50) * item % 19);
            const int end = item == 3 ? 30 : (start + 45 + 30 * (item % 4)) % 1440;
            values.append(QString("(%1, 'A%1', %2, %3, %4, %5, 1, %6, %7, %8)")
                              .arg(nr).arg(kDay + d).arg(start).arg(end).arg(item)
                              .arg(2 + nr % 2).arg((nr * 7) % 13).arg(12.5 * (nr % 9)));
            ++nr;
        }
    }
    f.exec({"INSERT INTO bookingarkiv (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, "
            "Bgruppe, kontonr, Antalpers, Pris) VALUES " + values.join(", ")});
    f.exec({"UPDATE bookingarkiv SET Antalpers = NULL WHERE Bookingnr % 5 = 0",
            "UPDATE bookingarkiv SET Pris = NULL WHERE Bookingnr % 11 = 0"});

    auto db = Dao::Database::open(f.path);
    for (const auto &[from, to] : {std::pair{kDay - 30, kDay}, std::pair{kDay, kDay},
                                   std::pair{kDay - 100, kDay + 100}, std::pair{kDay + 1, kDay}}) {
        SCOPED_TRACE(QString("%1..%2").arg(from).arg(to).toStdString());
        // The written statement's rows, added up over the runs of equal names.
        QStringList expected;
        QString names;
        long count = 0;
        double persons = 0, hours = 0, fee = 0;
        auto flush = [&] {
            if (count)
                expected.append(QString("%1|%2|%3|%4|%5").arg(names).arg(count)
                                    .arg(persons, 0, 'f', 2).arg(hours, 0, 'f', 4)
                                    .arg(fee, 0, 'f', 2));
            count = 0;
            persons = hours = fee = 0;
        };
        auto written = db->OpenRecordset(periodetotaler::statement(from, to),
                                         Dao::RecordsetType::Snapshot);
        for (; !written->EOF_(); written->MoveNext()) {
            const QString rowNames = written->Field("OverGruppenavn").toString() + "|"
                                     + written->Field("Lokalitetsnavn").toString() + "|"
                                     + written->Field("Lokalenavn").toString();
            if (rowNames != names)
                flush();
            names = rowNames;
            ++count;
            persons += written->Field("Antalpers").toDouble();
            hours += written->Field("antaltimer").toDouble();
            fee += written->Field("Pris").toDouble();
        }
        flush();

        QStringList totals;
        auto rs = db->OpenRecordset(periodetotaler::totalsStatement(),
                                    Dao::Bindings(QVariantList{from, to}),
                                    Dao::RecordsetType::Snapshot);
        for (; !rs->EOF_(); rs->MoveNext()) {
            totals.append(QString("%1|%2|%3|%4|%5|%6|%7")
                              .arg(rs->Field("OverGruppenavn").toString(),
                                   rs->Field("Lokalitetsnavn").toString(),
                                   rs->Field("Lokalenavn").toString())
                              .arg(rs->Field("Antal").toLongLong())
                              .arg(rs->Field("Antalpers").toDouble(), 0, 'f', 2)
                              .arg(rs->Field("antaltimer").toDouble(), 0, 'f', 4)
                              .arg(rs->Field("Pris").toDouble(), 0, 'f', 2));
        }
        EXPECT_EQ(totals, expected);
        if (from <= to)
            EXPECT_FALSE(totals.isEmpty());
    }
}

// An account named with 300 characters neither widens the dialog of the period details nor
// pushes its buttons out of reach: the window fits a screen of 1,440 x 900 and its account box
// keeps the name whole.
TEST(ArchiveReports, DetailsOfAnAccountWithALongNameFitTheScreen)
{
    ReportFixture f;
    addResources(f);
    const QString name = QString("Institution Department ").repeated(14).left(300);
    f.exec({"INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (4, '" + name + "', 'p')"});
    auto *dialog = Forms::get<datoarkivperiodeAC>();
    dialog->knr->setBoundText(4);
    dialog->Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->accountName(), name);
    EXPECT_LE(dialog->frameGeometry().width(), 1440);
    EXPECT_LE(dialog->frameGeometry().height(), 900);
    EXPECT_LE(dialog->minimumSizeHint().width(), 1440);
    EXPECT_LE(dialog->knr->width(), 1440 / 2);
}
