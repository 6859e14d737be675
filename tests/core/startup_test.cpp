#include "fixtures/sandbox.h"

#include "core/extrafunktioner.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "core/introstart.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/form.h"
#include "platform/system.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTimer>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;

namespace {

const QDate kToday(2026, 12, 10);
const QString kNoDatabase = "No default database is connected. Connect to an existing database "
                            "or create a new.";

void addBooking(const QString &file, qlonglong nr, qlonglong day)
{
    execSql(file, QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                          "kontonr, Bemærkninger, Pris) VALUES (%1, 'Meeting %1', %2, 600, 660, "
                          "1, 'Kaffe på bordet', 150)")
                      .arg(nr)
                      .arg(day));
}

void setDelays(const QString &file, int archive, int purge)
{
    execSql(file, QString("UPDATE institutionsoplysninger SET arCdEl = %1, deldel = %2")
                      .arg(archive)
                      .arg(purge));
}

QString stampOf(const QString &file)
{
    return sqlValue(file, "SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1").toString();
}

bool loginUp()
{
    return Forms::isLoaded<frmLogin>() && Forms::get<frmLogin>()->isVisible();
}

// Start-up, and the daily run it starts behind the login, to its end.
bool startWithTheDailyRun()
{
    const bool up = start::StartUp();
    start::WaitForDailyArchiving();
    return up;
}

bool connectUp()
{
    return Forms::isLoaded<IntroConnect>() && Forms::get<IntroConnect>()->isVisible();
}

class StartUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        sandbox.setNow(QDateTime(kToday, QTime(9, 30)));
        file = sandbox.newBookingfile("booking.mdb");
        sandbox.setChosenPath(file);
    }
    void TearDown() override
    {
        FilePicker::setScript(nullptr);
        resetState();
    }

    Sandbox sandbox;
    QString file;
};

} // namespace

TEST_F(StartUpTest, LoadsTheSettingsRowAndShowsTheLogin)
{
    // Seconds become minutes to the nearest whole one, a tie going to the even minute.
    execSql(file, "UPDATE institutionsoplysninger SET Åbntid = 28800, Luktid = 28830, "
                  "Prrimstart = 28890, Primslut = 90, Skemastart = 150, Skemaslut = 210, "
                  "taxpct = 12.5, FirstDay = '0', Instutionsnavn = 'Århus Kulturhus', "
                  "Instutionsby = 'Århus', arCdEl = 7, deldel = 400, Timeunits = 30, ampm = 1, "
                  "military = 0, Tentative = 1, dateformatnr = 2, dateformatstr1 = 'mm/dd/yyyy', "
                  "dateformatstr2 = 'N/D/y', Institutionsemail = 'info@kh.dk'");
    gCurrentGroupNo = 77;

    ASSERT_TRUE(startWithTheDailyRun());

    EXPECT_EQ(gDatabasePath, file);
    EXPECT_EQ(gOpeningTime, 480);
    EXPECT_EQ(gClosingTime, 480);
    EXPECT_EQ(gPrimeStart, 482);
    EXPECT_EQ(gPrimeEnd, 2);
    EXPECT_EQ(gScheduleStart, 2);
    EXPECT_EQ(gScheduleEnd, 4);
    EXPECT_DOUBLE_EQ(gTaxPct, 12.5);
    EXPECT_EQ(gFirstDay, "0");
    // Weeks then start on Sunday: Monday 14 December belongs to the week of Sunday the 13th.
    EXPECT_EQ(Extrafunktioner::WeekStartDate(QDate(2026, 12, 14)), QDate(2026, 12, 13));
    EXPECT_EQ(gInstName, QString::fromUtf8("Århus Kulturhus"));
    EXPECT_EQ(gInstCity, QString::fromUtf8("Århus"));
    EXPECT_EQ(gInstMail, "info@kh.dk");
    EXPECT_EQ(gArchiveDelay, 7);
    EXPECT_EQ(gDeleteDelay, 400);
    EXPECT_EQ(gTimeUnits, 30);
    EXPECT_TRUE(gAmPm);
    EXPECT_FALSE(gMilitaryTime);
    EXPECT_TRUE(gTentativeMode);
    EXPECT_EQ(gDateFormatNr, 2);
    EXPECT_EQ(gDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(gDateFormat2, "N/D/y");
    EXPECT_EQ(gCurrentDay, DateToDayNumber(kToday));
    EXPECT_EQ(System::helpFile(), QDir(sandbox.folder()).filePath("Vantix Help.html"));
    // An empty bookingfile has no resource groups: the current group stays as it was.
    EXPECT_EQ(gCurrentGroupNo, 77);

    EXPECT_TRUE(loginUp());
    EXPECT_FALSE(Forms::isLoaded<IntroConnect>());
    EXPECT_TRUE(sandbox.shown().isEmpty());
}

TEST_F(StartUpTest, TheSplashTimerRunsStartUpAndClosesTheSplash)
{
    introstart *splash = Forms::get<introstart>();
    EXPECT_EQ(splash->Timer1->interval(), 5000);
    EXPECT_TRUE(splash->Timer1->isActive());
    splash->Show();
    splash->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Forms::isLoaded<introstart>());
    EXPECT_TRUE(loginUp());

    // Shown again (after a bookingfile is chosen from the planner), it runs start-up again.
    sandbox.setChosenPath(sandbox.file("missing.mdb"));
    Forms::get<introstart>()->Show();
    Forms::get<introstart>()->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Forms::isLoaded<introstart>());
    EXPECT_TRUE(connectUp());
    EXPECT_EQ(sandbox.lastText(), kNoDatabase);
}

// Whatever the two delays, each booking reaches the archive once it is older than the archiving
// delay, and leaves the booking table only once it is archived and older than both delays.
// Each simulated day a booking is also typed into a day that was archived before.
TEST_F(StartUpTest, EveryBookingIsArchivedBeforeItIsPurged)
{
    const struct { int archive, purge; } cases[] = {{3, 1}, {1, 3}, {0, 0}, {3, 0}, {2, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "archive " << c.archive << " purge " << c.purge);
        const QString f =
            sandbox.newBookingfile(QString("delays%1%2.mdb").arg(c.archive).arg(c.purge));
        sandbox.setChosenPath(f);
        setDelays(f, c.archive, c.purge);
        std::map<qlonglong, qlonglong> dayOf;   // every booking ever made: number -> day
        qlonglong next = 100;
        const int first = DateToDayNumber(kToday);
        for (int day = first - 12; day <= first; ++day) {
            dayOf[next] = day;
            addBooking(f, next++, day);
        }
        for (int d = 0; d < 8; ++d) {
            const QDate date = kToday.addDays(d);
            const int dayNo = DateToDayNumber(date);
            sandbox.setNow(QDateTime(date, QTime(8, 0)));
            for (qlonglong day : {qlonglong(dayNo - 6), qlonglong(dayNo)}) {
                dayOf[next] = day;
                addBooking(f, next++, day);
            }
            ASSERT_TRUE(startWithTheDailyRun());
            EXPECT_TRUE(stampOf(f).startsWith(date.toString("yyyy-MM-dd")))
                << stampOf(f).toStdString();

            const QList<qlonglong> archived =
                sqlNumbers(f, "SELECT Bookingnr FROM bookingarkiv ORDER BY Bookingnr");
            const QList<qlonglong> kept =
                sqlNumbers(f, "SELECT Bookingnr FROM booking ORDER BY Bookingnr");
            QList<qlonglong> wantArchived, wantKept;
            const int keepFrom = std::min(dayNo - c.purge, dayNo - c.archive);
            for (const auto &[nr, day] : dayOf) {
                if (day < dayNo - c.archive)
                    wantArchived.append(nr);
                if (day >= keepFrom)
                    wantKept.append(nr);
            }
            ASSERT_EQ(archived, wantArchived) << "day " << d;
            ASSERT_EQ(kept, wantKept) << "day " << d;
            // Exactly the bookings that the archive does not hold are listed as still to
            // archive, each under its own day.
            ASSERT_EQ(sqlNumbers(f, "SELECT Bookingnr FROM arkiveres JOIN booking USING "
                                    "(Bookingnr, Bdato) ORDER BY Bookingnr"),
                      sqlNumbers(f, "SELECT Bookingnr FROM booking WHERE Bookingnr NOT IN "
                                    "(SELECT Bookingnr FROM bookingarkiv) ORDER BY Bookingnr"))
                << "day " << d;
            ASSERT_EQ(sqlValue(f, "SELECT count(*) FROM arkiveres").toInt(),
                      sqlValue(f, "SELECT count(*) FROM booking WHERE Bookingnr NOT IN "
                                  "(SELECT Bookingnr FROM bookingarkiv)").toInt());
        }
        // The archive holds each booking as it was.
        EXPECT_EQ(sqlValue(f, "SELECT COUNT(*) FROM bookingarkiv a JOIN booking b USING "
                              "(Bookingnr)")
                      .toLongLong(),
                  sqlValue(f, "SELECT COUNT(*) FROM bookingarkiv a JOIN booking b USING "
                              "(Bookingnr) WHERE a.Bdato = b.Bdato AND a.Beskrivelse = "
                              "b.Beskrivelse AND a.Bemærkninger = b.Bemærkninger AND a.Pris = "
                              "b.Pris")
                      .toLongLong());
        EXPECT_EQ(sqlValue(f, "SELECT Beskrivelse || '/' || Bemærkninger FROM bookingarkiv "
                              "WHERE Bookingnr = 100")
                      .toString(),
                  QString::fromUtf8("Meeting 100/Kaffe på bordet"));
    }
}

TEST_F(StartUpTest, ASecondStartOnTheSameDayRunsNoneOfTheStatements)
{
    setDelays(file, 3, 5);
    const int today = DateToDayNumber(kToday);
    addBooking(file, 1, today - 10);
    ASSERT_TRUE(startWithTheDailyRun());
    ASSERT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv"), QList<qlonglong>{1});
    const QString stamp = stampOf(file);

    // Moved into the past after today's run, or given a past day it had not had: each waits
    // for tomorrow's. One deleted before its day came is never archived.
    addBooking(file, 2, today + 5);
    execSql(file, "INSERT INTO booking (Bookingnr) VALUES (5)");
    execSql(file, "UPDATE booking SET Bdato = " + QString::number(today - 10)
                      + " WHERE Bookingnr IN (2, 5)");
    addBooking(file, 3, today - 10);
    execSql(file, "DELETE FROM booking WHERE Bookingnr = 3");
    sandbox.setNow(QDateTime(kToday, QTime(16, 45)));
    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM booking ORDER BY 1"),
              (QList<qlonglong>{2, 5}));
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv"), QList<qlonglong>{1});
    EXPECT_EQ(stampOf(file), stamp);

    // Another copy of the program stamped the day after this one read the date: the run
    // inside the transaction sees the stamp and does nothing either.
    gLastArchiveDate = QDateTime(kToday.addDays(-1), QTime(0, 0));
    EXPECT_FALSE(start::RunDailyArchiving());
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM booking ORDER BY 1"),
              (QList<qlonglong>{2, 5}));

    // The next day both are archived, and the purge takes them.
    sandbox.setNow(QDateTime(kToday.addDays(1), QTime(8, 0)));
    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv ORDER BY 1"),
              (QList<qlonglong>{1, 2, 5}));
    EXPECT_TRUE(sqlNumbers(file, "SELECT Bookingnr FROM booking").isEmpty());
}

// A copy started while another archives (its claim fresh) simply starts and leaves the work to
// it; once that claim has gone stale (the other copy stopped), a start takes the work over.
TEST_F(StartUpTest, ACopyStartedWhileAnotherArchivesSimplyStarts)
{
    setDelays(file, 3, 5);
    addBooking(file, 1, DateToDayNumber(kToday) - 10);
    const QString stamp = stampOf(file);
    const QDateTime now(kToday, QTime(9, 30));
    execSql(file, "INSERT INTO arkiveringsdato (ID, arkiveringsdato) VALUES (2, '"
                      + now.addSecs(-20).toString("yyyy-MM-dd HH:mm:ss") + "')");

    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_TRUE(loginUp());
    EXPECT_TRUE(sandbox.shown().isEmpty());
    EXPECT_TRUE(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv").isEmpty());
    EXPECT_EQ(stampOf(file), stamp);

    sandbox.setNow(now.addSecs(120));
    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv"), QList<qlonglong>{1});
    EXPECT_TRUE(stampOf(file).startsWith(kToday.toString("yyyy-MM-dd")));
    EXPECT_EQ(sqlNumbers(file, "SELECT ID FROM arkiveringsdato"), QList<qlonglong>{1});
}

// The login never waits for the day's run: with another copy writing the file, start-up shows
// the login at once; the run archives once the file is free, and a message of the run shows
// when the run ends, in the event loop.
TEST_F(StartUpTest, TheLoginComesFirstAndTheRunsMessagesWhenItEnds)
{
    setDelays(file, 0, 0);
    addBooking(file, 1, DateToDayNumber(kToday) - 3);
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(start::StartUp());
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(loginUp());
    EXPECT_TRUE(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv").isEmpty());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    start::WaitForDailyArchiving();
    EXPECT_TRUE(sandbox.shown().isEmpty());
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv"), QList<qlonglong>{1});
    EXPECT_TRUE(stampOf(file).startsWith(kToday.toString("yyyy-MM-dd")));

    // A run that fails says so once it has ended, while the event loop runs.
    const AnyLayout brokenOnPurpose;
    execSql(file, "UPDATE arkiveringsdato SET arkiveringsdato = '2026-12-09 00:00:00'");
    addBooking(file, 2, DateToDayNumber(kToday) - 2);
    execSql(file, "CREATE TRIGGER no_archive BEFORE INSERT ON bookingarkiv BEGIN "
                  "SELECT RAISE(ABORT, 'disk full'); END");
    ASSERT_TRUE(start::StartUp());
    clock.restart();
    while (sandbox.shown().isEmpty() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Archiving");
    EXPECT_TRUE(sandbox.lastText().startsWith("The daily archiving could not run:"))
        << sandbox.lastText().toStdString();
}

// The archiving runs in short transactions: a batch that fails is rolled back, what went before
// stays, the date is not stamped, and the next start finishes the work.
TEST_F(StartUpTest, AFailedPurgeLosesNothingAndTheNextStartFinishesTheWork)
{
    const AnyLayout brokenOnPurpose;   // a trigger of the test's own makes the purge fail
    setDelays(file, 0, 0);
    const int today = DateToDayNumber(kToday);
    addBooking(file, 1, today - 3);
    const QString stamp = stampOf(file);
    execSql(file, "CREATE TRIGGER no_purge BEFORE DELETE ON booking BEGIN "
                  "SELECT RAISE(ABORT, 'booking is locked'); END");

    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_TRUE(loginUp());
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Archiving");
    EXPECT_TRUE(sandbox.lastText().startsWith("The daily archiving could not run:"));
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv"), QList<qlonglong>{1});
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM booking"), QList<qlonglong>{1});
    EXPECT_EQ(stampOf(file), stamp);

    // Once the fault is gone, the next start archives and purges.
    execSql(file, "DROP TRIGGER no_purge");
    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv"), QList<qlonglong>{1});
    EXPECT_TRUE(sqlNumbers(file, "SELECT Bookingnr FROM booking").isEmpty());
}

// A run cut short between batches (here: a booking that cannot be archived, far into the run)
// keeps what the earlier batches did, stamps nothing, and the next start archives the rest
// once each and purges only what is archived.
TEST_F(StartUpTest, ARunCutShortBetweenBatchesIsFinishedByTheNextStart)
{
    const AnyLayout brokenOnPurpose;   // a trigger of the test's own stops the run
    setDelays(file, 2, 2);
    const int today = DateToDayNumber(kToday);
    // 1,200 bookings on one day (more than a batch), then 40 days of 30, and one day due later.
    QStringList rows;
    for (int i = 1; i <= 1200; ++i)
        rows << QString("(%1, %2)").arg(i).arg(today - 60);
    for (int i = 0; i < 40 * 30; ++i)
        rows << QString("(%1, %2)").arg(2000 + i).arg(today - 50 + i / 30);
    rows << QString("(5000, %1)").arg(today - 1);
    execSql(file, "INSERT INTO booking (Bookingnr, Bdato) VALUES " + rows.join(", "));
    execSql(file, "CREATE TRIGGER stuck BEFORE INSERT ON bookingarkiv WHEN NEW.Bookingnr = 2900 "
                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const QString stamp = stampOf(file);

    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(stampOf(file), stamp);
    const qlonglong archivedFirst = sqlValue(file, "SELECT COUNT(*) FROM bookingarkiv").toLongLong();
    EXPECT_GE(archivedFirst, 1200);
    EXPECT_LT(archivedFirst, 2400);
    EXPECT_EQ(sqlValue(file, "SELECT COUNT(*) FROM booking").toLongLong(), 2401);

    execSql(file, "DROP TRIGGER stuck");
    execSql(file, QString("INSERT INTO booking (Bookingnr, Bdato) VALUES (6000, %1)").arg(today - 60));
    ASSERT_TRUE(startWithTheDailyRun());
    EXPECT_EQ(sandbox.shown().size(), 1);
    EXPECT_NE(stampOf(file), stamp);
    EXPECT_EQ(sqlValue(file, "SELECT COUNT(*) FROM bookingarkiv").toLongLong(), 2401);
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM booking"), QList<qlonglong>{5000});
}

// Each way the stored bookingfile can fail offers IntroConnect with a message and no login;
// choosing a good bookingfile there runs start-up again on it.
TEST(StartUpRefusal, OffersTheConnectFormThenStartsOnTheChosenFile)
{
    using Breaker = std::function<void(Sandbox &, const QString &)>;
    const struct {
        const char *what;
        Breaker breakIt;
        QString message;   // the whole text, or its first line
    } cases[] = {
        {"sti names a text file",
         [](Sandbox &s, const QString &) {
             QFile f(s.file("notes.mdb"));
             f.open(QIODevice::WriteOnly);
             f.write("Bookings for the spring\n");
             f.close();
             s.setChosenPath(f.fileName());
         },
         kNoDatabase},
        {"sti names a database without RUC",
         [](Sandbox &, const QString &f) { execSql(f, "DROP TABLE RUC"); },
         "it lacks the table RUC."},
        {"sti names a missing file",
         [](Sandbox &s, const QString &) { s.setChosenPath(s.file("gone.mdb")); }, kNoDatabase},
        {"sti is empty", [](Sandbox &s, const QString &) { s.setChosenPath(QString()); },
         kNoDatabase},
        {"stitabel has no row",
         [](Sandbox &s, const QString &) { execSql(s.file("paths.mdb"), "DELETE FROM stitabel"); },
         kNoDatabase},
        {"paths.mdb is missing",
         [](Sandbox &s, const QString &) { QFile::remove(s.file("paths.mdb")); },
         "The file paths.mdb in the program's folder is missing or damaged."},
        {"paths.mdb is damaged",
         [](Sandbox &s, const QString &) {
             QFile f(s.file("paths.mdb"));
             f.open(QIODevice::WriteOnly | QIODevice::Truncate);
             f.write("not a database at all, just some text that fills the file");
         },
         "The file paths.mdb in the program's folder is missing or damaged."},
        {"paths.mdb holds a view of its own",
         [](Sandbox &s, const QString &) {
             execSql(s.file("paths.mdb"), "CREATE VIEW extra AS SELECT 1");
         },
         "paths.mdb' was not opened: its tables, views or triggers are not this program's own"},
        {"no settings row",
         [](Sandbox &, const QString &f) { execSql(f, "DELETE FROM institutionsoplysninger"); },
         "holds no settings row."},
        {"a settings field is missing",
         [](Sandbox &, const QString &f) {
             execSql(f, "ALTER TABLE institutionsoplysninger RENAME COLUMN deldel TO deldel2");
         },
         "its table institutionsoplysninger differs from the program's."},
        {"no archiving date row",
         [](Sandbox &, const QString &f) { execSql(f, "DELETE FROM arkiveringsdato"); },
         "holds no archiving date."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        resetState();
        Sandbox sandbox;
        sandbox.setNow(QDateTime(kToday, QTime(9, 30)));
        const QString file = sandbox.newBookingfile("stored.mdb");
        sandbox.setChosenPath(file);
        c.breakIt(sandbox, file);

        EXPECT_FALSE(start::StartUp());
        EXPECT_TRUE(connectUp());
        EXPECT_FALSE(Forms::isLoaded<frmLogin>());
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_EQ(sandbox.shown()[0].title, "No Database Connection");
        EXPECT_EQ(sandbox.shown()[0].style, 0);
        const QString text = sandbox.shown()[0].text;
        if (c.message == kNoDatabase) {
            EXPECT_EQ(text, kNoDatabase);
        } else {
            EXPECT_TRUE(text.contains(c.message)) << text.toStdString();
            EXPECT_TRUE(text.endsWith("\nConnect to an existing database or create a new."))
                << text.toStdString();
        }

        const QString good = sandbox.newBookingfile("good.mdb");
        execSql(good, "UPDATE institutionsoplysninger SET Åbntid = 36000");
        FilePicker::setScript([&](bool, const QString &) { return good; });
        Forms::get<IntroConnect>()->Openf_Click();
        FilePicker::setScript(nullptr);

        EXPECT_TRUE(loginUp());
        EXPECT_FALSE(Forms::get<IntroConnect>()->isVisible());
        EXPECT_EQ(gDatabasePath, good);
        EXPECT_EQ(gOpeningTime, 600);
        EXPECT_EQ(sqlValue(sandbox.file("paths.mdb"), "SELECT sti FROM stitabel").toString(),
                  good);
        EXPECT_EQ(sandbox.shown().size(), 1);
    }
    resetState();
}

// Files crafted to run code of their own or to keep the checks busy for ever: start-up refuses
// each within 3 s, says why, and none of its code runs. Behind the layout check, the bound on
// the checks of a chosen file refuses the busy ones too.
TEST(HostileFiles, AreRefusedQuicklyWithoutRunningTheirCode)
{
    const QString endless = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) ";
    const struct {
        const char *what;
        QString sql;
        bool busy;   // keeps a check busy: refused by the bound as well
    } cases[] = {
        {"a RUC view with an endless recursive query",
         "DROP TABLE RUC; CREATE VIEW RUC AS " + endless + "SELECT x AS ID FROM c", true},
        {"a RUC view of a huge random blob",
         "DROP TABLE RUC; CREATE VIEW RUC AS SELECT randomblob(900000000) AS ID", true},
        {"a RUC view that counts 300 million rows",
         "DROP TABLE RUC; CREATE VIEW RUC AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL "
         "SELECT x + 1 FROM c WHERE x < 300000000) SELECT count(*) AS ID FROM c",
         true},
        {"an endless trigger on the archiving date",
         "CREATE TRIGGER spin AFTER UPDATE ON arkiveringsdato BEGIN SELECT count(*) FROM ("
             + endless + "SELECT x FROM c); END",
         false},
        {"a trigger that sets every password",
         "CREATE TRIGGER takeover AFTER UPDATE ON arkiveringsdato BEGIN "
         "UPDATE Konti SET KontoPass = 'owned', admin = 1; END",
         false},
        {"a trigger that calls the program's own clock",
         "CREATE TRIGGER clock AFTER UPDATE ON arkiveringsdato BEGIN "
         "UPDATE Konti SET KontoPass = jet_now(); END",
         false},
        {"a view that loads a library",
         "CREATE VIEW plugin AS SELECT load_extension('/tmp/vantix-none.so') AS x", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        resetState();
        Sandbox sandbox;
        sandbox.setNow(QDateTime(kToday, QTime(9, 30)));
        const QString file = sandbox.newBookingfile("hostile.mdb", true);
        execSql(file, "UPDATE arkiveringsdato SET arkiveringsdato = '2026-01-01 00:00:00'");
        const QString accounts = "SELECT group_concat(KontoPass || admin) FROM Konti";
        const QVariant before = sqlValue(file, accounts);
        execSql(file, c.sql);
        sandbox.setChosenPath(file);

        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(start::StartUp());
        EXPECT_LT(clock.elapsed(), 10000);   // ended by the bound; room for a loaded machine
        EXPECT_TRUE(connectUp());
        EXPECT_FALSE(Forms::isLoaded<frmLogin>());
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_TRUE(sandbox.lastText().contains("its tables, views or triggers are not this "
                                                "program's own"))
            << sandbox.lastText().toStdString();
        EXPECT_EQ(sqlValue(file, accounts), before);
        EXPECT_EQ(stampOf(file), "2026-01-01 00:00:00");

        if (c.busy) {
            const AnyLayout asItIs;
            clock.restart();
            EXPECT_FALSE(Extrafunktioner::IsBookingDatabase(file));
            EXPECT_LT(clock.elapsed(), 10000);   // ended by the bound; room for a loaded machine
        }
        Forms::unloadAll();
    }
}
