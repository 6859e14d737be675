// What the stored queries deliver, on a small bookingfile, and how bookingfor writes back.
#include "sqlite_file.h"

#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

namespace {

using Rows = QList<QVariantList>;

// Day 45003 is a Monday (day 0, 1900-01-01, is a Monday).
constexpr int kMonday = 45003;

class ViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = std::make_unique<SqliteFile>(box.newBookingfile("views.mdb"));
        db->exec(R"sql(
            INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) VALUES
                (10, 'Rooms', 1), (11, 'Beamers', 2), (12, 'Empty group', 1);
            INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, gruppeart) VALUES
                (20, 'Small rooms', 10, 1), (21, 'Big rooms', 10, 1), (22, 'Projectors', 11, 2);
            INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, inaktiv, inakstart,
                                inakslut) VALUES
                (30, 'Room B', 21, 1, 0, NULL, NULL), (31, 'Room A', 21, 1, 0, NULL, NULL),
                (32, 'Beamer 1', 22, 2, 1, 100, 110), (33, 'Orphan', 99, 3, 0, NULL, NULL);
            INSERT INTO Department (depnr, depname) VALUES (5, 'Sales');
            INSERT INTO Konti (ID, Kontonavn, Kontotype, Kontouser, KontoPass, archived, admin,
                               depnr, kontoowner, Kontotlf) VALUES
                (2, 'Anna', 'p', 'anna', 'pw', 0, 0, 5, NULL, '111'),
                (3, 'Bob', 'p', 'bob', 'pw', 1, 0, NULL, NULL, '222'),
                (4, 'Project X', 'g', 'anna', NULL, 0, 0, NULL, 2, '333');
            INSERT INTO grptilk (gnr, pnr) VALUES (2, 2), (3, 3), (4, 2), (4, 1);
        )sql");
        // A weekly series of three on Room A, head 200, the last one later in the day; a single
        // tentative booking; a booking whose item and account no longer exist.
        db->exec(QString(R"sql(
            INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Beskrivelse, Bgruppe, Lokalenr,
                                 kontonr, gennr, gentagende, Bcolor, Tentative) VALUES
                (200, %1, 600, 660, 'Choir', 21, 31, 4, 200, 1, 16711680, 0),
                (201, %2, 600, 660, 'Choir', 21, 31, 4, 200, 1, 16711680, 0),
                (202, %3, 720, 780, 'Choir', 21, 31, 4, 200, 1, 16711680, 0),
                (300, %4, 480, 540, 'Meeting', 21, 30, 2, NULL, 0, 255, 1),
                (301, %4, 480, 540, 'Lost', 21, 99, 99, NULL, 0, 255, 0);
        )sql").arg(kMonday).arg(kMonday + 7).arg(kMonday + 14).arg(kMonday + 2));
    }

    Sandbox box;
    std::unique_ptr<SqliteFile> db;
};

TEST_F(ViewsTest, BookingforHoldsEveryBookingWithItsItemAccountAndSeconds)
{
    EXPECT_EQ(db->rows("SELECT Bookingnr, start, slut, Lokalenavn, Gruppeart, Kontonavn, "
                       "depname FROM bookingfor WHERE Bookingnr IN (300, 301)"),
              (Rows{{300, 28800, 32400, "Room B", 1, "Anna", "Sales"},
                    {301, 28800, 32400, QVariant(), QVariant(), QVariant(), QVariant()}}));
    EXPECT_EQ(db->value("SELECT count(*) FROM bookingfor").toInt(),
              db->value("SELECT count(*) FROM booking").toInt());
    EXPECT_EQ(db->columnNames("SELECT * FROM bookingfor").first(), "Bookingnr");
}

// The booking form writes start/slut in seconds; the booking keeps whole minutes, a tie going
// to the even minute.
TEST_F(ViewsTest, BookingforWritesSecondsBackAsRoundedMinutes)
{
    struct Case
    {
        int seconds, minutes;
    };
    const Case cases[] = {{90, 2}, {150, 2}, {30, 0}, {210, 4}, {89, 1}, {91, 2},
                          {28800, 480}, {28830, 480}, {28890, 482}, {86399, 1440}};
    for (const Case &c : cases) {
        db->exec(QString("UPDATE bookingfor SET start = %1, slut = %1 WHERE Bookingnr = 300")
                     .arg(c.seconds));
        EXPECT_EQ(db->rows("SELECT bstart, bslut FROM booking WHERE Bookingnr = 300"),
                  (Rows{{c.minutes, c.minutes}}))
            << c.seconds << " seconds";
    }
    // Only the edited booking changes.
    EXPECT_EQ(db->value("SELECT bstart FROM booking WHERE Bookingnr = 301").toInt(), 480);
}

TEST_F(ViewsTest, BookingforWritesTheBookingsOwnColumnsOnly)
{
    db->exec("UPDATE bookingfor SET Beskrivelse = 'Board', Bemærkninger = 'coffee', "
             "Tentative = 0, kontonr = 4, curacname = 'Project X', Pris = 12.5, tax = 1, "
             "bvpris = 2, Lokalenavn = 'Renamed', Kontonavn = 'Renamed' WHERE Bookingnr = 300");
    EXPECT_EQ(db->rows("SELECT Beskrivelse, Bemærkninger, Tentative, kontonr, curacname, Pris, "
                       "tax, bvpris, bstart, bslut, Bdato, Lokalenr FROM booking "
                       "WHERE Bookingnr = 300"),
              (Rows{{"Board", "coffee", 0, 4, "Project X", 12.5, 1, 2, 480, 540, kMonday + 2,
                     30}}));
    EXPECT_EQ(db->value("SELECT Lokalenavn FROM lokale WHERE lokalenr = 30").toString(), "Room B");
    EXPECT_EQ(db->value("SELECT Kontonavn FROM Konti WHERE ID = 4").toString(), "Project X");

    // Minutes written directly are kept when the seconds are left alone.
    db->exec("UPDATE bookingfor SET bstart = 490 WHERE Bookingnr = 300");
    EXPECT_EQ(db->value("SELECT bstart FROM booking WHERE Bookingnr = 300").toInt(), 490);
}

// The booking form's road through the database engine: find the booking in bookingfor, edit
// its boxes, store; the time boxes' seconds reach the booking as minutes.
TEST_F(ViewsTest, BookingFormEditsThroughTheEngine)
{
    auto engine = Dao::Database::open(box.file("views.mdb"));
    auto rs = engine->OpenRecordset("bookingfor", Dao::RecordsetType::Dynaset);
    ASSERT_TRUE(rs->Updatable());
    rs->FindFirst("[Bookingnr]=300");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Field("Lokalenavn").toString(), "Room B");
    rs->Edit();
    rs->SetField("start", 36030);   // 10:00:30, half a minute: to the even minute
    rs->SetField("slut", 39690);    // 11:01:30
    rs->SetField("Beskrivelse", "Board");
    rs->SetField("tentative", false);
    rs->Update();
    EXPECT_EQ(db->rows("SELECT bstart, bslut, Beskrivelse, Tentative FROM booking "
                       "WHERE Bookingnr = 300"),
              (Rows{{600, 662, "Board", 0}}));
    // The read-only view finds it by the other spelling of the criterion.
    rs->FindFirst("bookingnr = 301");
    EXPECT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Field("Bookingnr").toInt(), 301);
    rs->Close();

    // The group manager's boxes write through KontiG.
    auto groups = engine->OpenRecordset("KontiG", Dao::RecordsetType::Dynaset);
    groups->FindFirst("id = 4");
    ASSERT_FALSE(groups->NoMatch());
    groups->Edit();
    groups->SetField("kontokontakt", "Anna A");
    groups->Update();
    EXPECT_EQ(db->value("SELECT kontokontakt FROM Konti WHERE ID = 4").toString(), "Anna A");
}

TEST_F(ViewsTest, BookingforInsertsWithDefaultsAndDeletes)
{
    db->exec("INSERT INTO bookingfor (Bookingnr, Bdato, start, slut, Beskrivelse, Lokalenr) "
             "VALUES (400, 45100, 36000, 37830, 'New', 30)");
    EXPECT_EQ(db->rows("SELECT bstart, bslut, Tentative, gentagende, bvpris, Bcolor, Pris "
                       "FROM booking WHERE Bookingnr = 400"),
              (Rows{{600, 630, 0, 0, 1, 255, 0.0}}));
    db->exec("DELETE FROM bookingfor WHERE Bookingnr = 400");
    EXPECT_EQ(db->value("SELECT count(*) FROM booking WHERE Bookingnr = 400").toInt(), 0);
    EXPECT_EQ(db->value("SELECT count(*) FROM booking").toInt(), 5);
}

TEST_F(ViewsTest, TentativeBookingsInSeconds)
{
    EXPECT_EQ(db->rows("SELECT Bookingnr, Bdato, Start, Slut, Lokalenavn, Kontonavn, Kontotlf "
                       "FROM bookingtent"),
              (Rows{{300, kMonday + 2, 28800, 32400, "Room B", "Anna", "111"}}));
}

TEST_F(ViewsTest, LoginAccountsArePersonalAndActive)
{
    EXPECT_EQ(db->rows("SELECT ID FROM activekonti"), (Rows{{1}, {2}}));
    EXPECT_EQ(db->rows("SELECT ID FROM KontiP"), (Rows{{1}, {2}}));  // Administrator, Anna
    EXPECT_EQ(db->rows("SELECT ID, kontoowner FROM KontiG"), (Rows{{4, 2}}));
    EXPECT_EQ(db->rows("SELECT ID FROM AdminAccounts"), (Rows{{1}, {2}, {4}}));
    EXPECT_EQ(db->rows("SELECT ID FROM Kontifor"), (Rows{{1}, {2}, {3}, {4}}));
    // Personal accounts first, active before archived; then the groups.
    EXPECT_EQ(db->rows("SELECT ID FROM kontoudskrift"), (Rows{{1}, {2}, {3}, {4}}));
}

TEST_F(ViewsTest, GroupManagerWritesThroughKontiG)
{
    EXPECT_EQ(db->columnNames("SELECT * FROM KontiG").first(), "ID");
    db->exec("UPDATE KontiG SET kontokontakt = 'Anna A', ID = 99 WHERE ID = 4");
    EXPECT_EQ(db->rows("SELECT ID, kontokontakt FROM Konti WHERE Kontotype = 'g'"),
              (Rows{{4, "Anna A"}}));
}

// One row per booking and member; a personal account is its own owner.
TEST_F(ViewsTest, MyBookingsOneRowPerMember)
{
    EXPECT_EQ(db->rows("SELECT Bookingnr, pnr, Kontonr, kontoowner, Kontonavn, gruppeart "
                       "FROM mybookingsfor WHERE Bookingnr IN (200, 300) ORDER BY Bookingnr, pnr"),
              (Rows{{200, 1, 4, 2, "Project X", 1},
                    {200, 2, 4, 2, "Project X", 1},
                    {300, 2, 2, 2, "Anna", 1}}));
}

TEST_F(ViewsTest, SearchListsAndFindsEveryBooking)
{
    EXPECT_EQ(db->value("SELECT count(*) FROM searchforny").toInt(), 5);
    EXPECT_EQ(db->rows("SELECT Beskrivelse, Kontonavn, gruppeart, Lokalenavn FROM searchforny "
                       "WHERE Bookingnr = 300"),
              (Rows{{"Meeting", "Anna", 1, "Room B"}}));
    EXPECT_EQ(db->rows("SELECT Bdato, Kontonr, lokalenr, lokalinr, Overgruppenr FROM bookingS "
                       "WHERE Bookingnr = 201"),
              (Rows{{kMonday + 7, 4, 31, 21, 10}}));
}

TEST_F(ViewsTest, FixedWeekScheduleGivesWeekdayOffsetsByFirstDay)
{
    // Two slots of series 200: Mondays 10:00-11:00 (twice) and one Monday 12:00-13:00.
    const QString sql = "SELECT gennr, lokalenr, Bdato, bstart, bslut, Beskrivelse, startdato, "
                        "slutdato, Bcolor FROM fastugetest";
    EXPECT_EQ(db->rows(sql), (Rows{{200, 31, 0, 600, 660, "Choir", kMonday, kMonday + 7, 16711680},
                                   {200, 31, 0, 720, 780, "Choir", kMonday + 14, kMonday + 14,
                                    16711680}}));
    db->exec("UPDATE institutionsoplysninger SET FirstDay = '0'");
    EXPECT_EQ(db->value("SELECT DISTINCT Bdato FROM fastugetest").toInt(), 1);
    // A Sunday is day 6 of a Monday week and day 0 of a Sunday week.
    db->exec(QString("UPDATE booking SET Bdato = %1 WHERE gennr = 200").arg(kMonday + 6));
    EXPECT_EQ(db->value("SELECT DISTINCT Bdato FROM fastugetest").toInt(), 0);
    db->exec("UPDATE institutionsoplysninger SET FirstDay = '1'");
    EXPECT_EQ(db->value("SELECT DISTINCT Bdato FROM fastugetest").toInt(), 6);
}

TEST_F(ViewsTest, ExpiringSeriesGiveTheirLastBooking)
{
    EXPECT_EQ(db->rows("SELECT maxofbdato, bstart, bslut, Beskrivelse, Lokalenavn, Kontonavn, "
                       "Kontotlf FROM gentagendeudløbfor"),
              (Rows{{kMonday + 14, 720, 780, "Choir", "Room A", "Project X", "333"}}));
}

// The table of the series' last days and the search's index of texts follow every way a booking
// changes: after each step the table holds what grouping the bookings gives, and the index
// passes its own check against the titles and numbers of the bookings.
TEST_F(ViewsTest, TheSeriesEndsAndTheSearchIndexFollowEveryChange)
{
    const QString truth = "SELECT gennr, max(Bdato) FROM booking WHERE gentagende <> 0 AND "
                          "gennr IS NOT NULL AND Bdato IS NOT NULL GROUP BY gennr ORDER BY gennr";
    const char *steps[] = {
        "INSERT INTO booking (Bookingnr, Bdato, Beskrivelse, gennr, gentagende) VALUES "
        "(400, 45100, 'Yoga', 400, 1), (401, 45090, 'Yoga', 400, 1), (402, NULL, 'Yoga', 400, 1)",
        "UPDATE booking SET Bdato = 45200 WHERE Bookingnr = 401",        // a later last day
        "UPDATE booking SET Bdato = 45000 WHERE Bookingnr = 401",        // an earlier one again
        "UPDATE booking SET gentagende = 0 WHERE Bookingnr = 202",       // leaves its series
        "UPDATE booking SET gennr = 400 WHERE Bookingnr = 201",          // moves to another
        "UPDATE booking SET Beskrivelse = 'Kor æøå' WHERE Bookingnr = 200",
        "UPDATE booking SET Bookingnr = 500 WHERE Bookingnr = 300",
        "UPDATE bookingfor SET Bdato = Bdato WHERE Bookingnr = 200",     // the form's write
        "DELETE FROM booking WHERE Bookingnr = 400",
        "DELETE FROM booking WHERE gennr = 200",                        // the whole series
        "DELETE FROM booking",
    };
    for (const char *step : steps) {
        SCOPED_TRACE(step);
        db->exec(step);
        EXPECT_EQ(db->rows("SELECT gennr, Bdato FROM serieslut ORDER BY gennr"), db->rows(truth));
        EXPECT_NO_THROW(db->exec("INSERT INTO booking_trigram (booking_trigram, rank) "
                                 "VALUES ('integrity-check', 1)"));
    }
}

TEST_F(ViewsTest, ResourceQueries)
{
    EXPECT_EQ(db->rows("SELECT Lokalenavn, Lokalitetsnavn, OverGruppenavn, inakstart, inakslut, "
                       "lokalenr FROM unavailfor"),
              (Rows{{"Beamer 1", "Projectors", "Beamers", 100, 110, 32}}));
    // Within a type by name.
    EXPECT_EQ(db->rows("SELECT lokalenr FROM headerfor WHERE lokalinr = 21"), (Rows{{31}, {30}}));
    EXPECT_EQ(db->rows("SELECT lokalenr FROM lokalesort WHERE lokalinr = 21"), (Rows{{31}, {30}}));
    // Groups by kind, then name; the first group with a type, and its first type by name.
    EXPECT_EQ(db->rows("SELECT overgruppenr FROM OvergruppenavneFor"),
              (Rows{{12}, {10}, {11}}));
    EXPECT_EQ(db->rows("SELECT Overgruppenr, Lokalitetsnr FROM firstgroups LIMIT 1"),
              (Rows{{10, 21}}));
}

TEST_F(ViewsTest, ReferenceLists)
{
    db->exec("INSERT INTO opstilling (Opstilling) VALUES ('U-shape'), ('Cinema');"
             "INSERT INTO Homebases (Homebase) VALUES ('Store'), ('Basement');"
             "INSERT INTO Department (depname) VALUES ('Admin');");
    EXPECT_EQ(db->rows("SELECT Opstilling FROM Florplanfor"), (Rows{{"Cinema"}, {"U-shape"}}));
    EXPECT_EQ(db->rows("SELECT Homebase FROM Homebasefor"), (Rows{{"Basement"}, {"Store"}}));
    EXPECT_EQ(db->rows("SELECT depname FROM Departmentfor"), (Rows{{"Admin"}, {"Sales"}}));
}

// The daily archiving may offer a booking that is archived already: it is passed over and the
// statement goes on with the others.
TEST_F(ViewsTest, ArchivePassesOverBookingsAlreadyArchived)
{
    const QString archive = "INSERT INTO bookingarkiv (Bookingnr, Bdato, Bstart, Bslut) "
                            "SELECT Bookingnr, Bdato, bstart, bslut FROM booking WHERE Bdato < %1";
    db->exec(archive.arg(kMonday + 1));
    EXPECT_EQ(db->value("SELECT count(*) FROM bookingarkiv").toInt(), 1);
    db->exec(archive.arg(kMonday + 8));
    EXPECT_EQ(db->rows("SELECT Bookingnr FROM bookingarkiv ORDER BY Bookingnr"),
              (Rows{{200}, {201}, {300}, {301}}));
}

TEST(PathsViews, AlternativesByName)
{
    Sandbox box;
    SqliteFile db(box.file("paths.mdb"));
    db.exec("INSERT INTO AndetLokAlt (lokalenr, Lokalenavn) VALUES (5, 'Room B'), (6, 'Room A')");
    EXPECT_EQ(db.rows("SELECT Lokalenavn, lokalenr FROM andetlokaltfor"),
              (Rows{{"Room A", 6}, {"Room B", 5}}));
}

} // namespace
