#include "core/extrafunktioner.h"
#include "core/fileschemas.h"
#include "core/start.h"
#include "fixtures/sandbox.h"
#include "fixtures/sqlhelpers.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QStringList rowsOf(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QStringList rows = Dao::SchemaCheck::fileRows(db);
    sqlite3_close(db);
    return rows;
}

int versionOf(const QString &path) { return sqlValue(path, "PRAGMA user_version").toInt(); }

} // namespace

// The files the build makes are today's version of the layouts the program checks against.
TEST(FileVersions, TheBuiltFilesHoldTodaysLayoutUnderTodaysVersion)
{
    const QString build = QStringLiteral(VANTIX_BUILD_DIR);
    const Dao::FileSchema bookingfile = FileSchemas::Bookingfile();
    const Dao::FileSchema paths = FileSchemas::Paths();
    const int current = Dao::SchemaCheck::currentVersion(bookingfile);
    EXPECT_EQ(current, 4);
    EXPECT_EQ(Dao::SchemaCheck::currentVersion(paths), 1);
    for (const char *name : {"Emptydatabase.mdb", "Demodata.mdb"}) {
        EXPECT_EQ(versionOf(build + "/" + name), current) << name;
        EXPECT_EQ(rowsOf(build + "/" + name), Dao::SchemaCheck::model(bookingfile, current))
            << name;
    }
    EXPECT_EQ(versionOf(build + "/paths.mdb"), 1);
    EXPECT_EQ(rowsOf(build + "/paths.mdb"), Dao::SchemaCheck::model(paths, 1));
}

// A bookingfile from before the archive's item index, and one of today's layout made before
// files carried their version: both open, come up to today's version, and keep every row.
TEST(FileVersions, AnEarlierBookingfileComesUpWithItsRowsIntact)
{
    Sandbox sandbox;
    const QString counts = "SELECT (SELECT count(*) FROM booking) || '/' || "
                           "(SELECT count(*) FROM bookingarkiv) || '/' || "
                           "(SELECT group_concat(KontoPass) FROM Konti)";
    const QString index = "SELECT count(*) FROM sqlite_schema WHERE name = "
                          "'bookingarkiv_Lokalenr'";
    const QString byDay = "SELECT count(*) FROM pragma_index_info('bookingarkiv_Bdato')";
    const QString index4 = "SELECT count(*) FROM sqlite_schema WHERE name IN "
                           "('booking_search', 'booking_series_end')";
    // Version 3's indexes of the lists.
    const QString version3 =
        "DROP INDEX booking_search; DROP INDEX booking_series_end; DROP INDEX booking_tentative; "
        "CREATE INDEX booking_tentative ON booking (Bdato, bstart) WHERE Tentative <> 0; ";
    const struct {
        const char *what;
        QString sql;
    } cases[] = {
        {"version 0", version3 + "DROP INDEX bookingarkiv_Lokalenr; DROP INDEX booking_kontonr_Bdato; "
                      "DROP INDEX booking_series; DROP INDEX bookingarkiv_Bdato; "
                      "CREATE INDEX bookingarkiv_Bdato ON bookingarkiv (Bdato); "
                      "PRAGMA user_version = 0"},
        {"version 1", version3 + "DROP INDEX booking_kontonr_Bdato; DROP INDEX booking_series; "
                      "DROP INDEX bookingarkiv_Bdato; "
                      "CREATE INDEX bookingarkiv_Bdato ON bookingarkiv (Bdato); "
                      "PRAGMA user_version = 1"},
        {"version 2", version3 + "DROP INDEX bookingarkiv_Bdato; "
                      "CREATE INDEX bookingarkiv_Bdato ON bookingarkiv (Bdato); "
                      "PRAGMA user_version = 2"},
        {"version 3", version3 + "PRAGMA user_version = 3"},
        {"today's layout numbered 0", "PRAGMA user_version = 0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = sandbox.newBookingfile("old.mdb", true);
        execSql(file, "INSERT INTO bookingarkiv (Bookingnr, Bdato, Lokalenr) "
                      "VALUES (9001, 40000, 1)");
        execSql(file, c.sql);
        const QString before = sqlValue(file, counts).toString();
        EXPECT_TRUE(Extrafunktioner::IsBookingDatabase(file));
        EXPECT_EQ(versionOf(file), 4);
        EXPECT_EQ(sqlValue(file, index).toInt(), 1);
        EXPECT_EQ(sqlValue(file, byDay).toInt(), 6);
        EXPECT_EQ(sqlValue(file, index4).toInt(), 2);
        EXPECT_EQ(sqlValue(file, counts).toString(), before);
    }
}

// A paths.mdb from before the clipboard carried delivery, tax and price type keeps the
// booking on its clipboard and the chosen bookingfile.
TEST(FileVersions, AnEarlierPathsFileKeepsItsClipboardAndChoice)
{
    Sandbox sandbox;
    const QString paths = sandbox.file("paths.mdb");
    execSql(paths,
            "DROP TABLE standby;"
            "CREATE TABLE standby (Bookingnr INTEGER, bstart INTEGER, bslut INTEGER, "
            "Beskrivelse TEXT, Bdato INTEGER, lokalenr INTEGER, Bgruppe INTEGER, "
            "Bcolor INTEGER, Kontonr INTEGER, Kontaktperson2 TEXT, Kontaktpersonadr2 TEXT, "
            "Kontaktpersonpnr2 TEXT, Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, Kontakttlfb2 TEXT, "
            "langbeskrivelse TEXT, Antalpers INTEGER, Pris DOUBLE, ID INTEGER, "
            "Bemærkninger TEXT, gennr INTEGER, gentagende BOOLEAN, Intern BOOLEAN, "
            "Tentative BOOLEAN, curacname TEXT, btid INTEGER DEFAULT 0);"
            "INSERT INTO standby (Bookingnr, Beskrivelse, btid) VALUES (12, 'Choir', 90);"
            "PRAGMA user_version = 0");
    EXPECT_EQ(start::StoredBookingfilePath(), sandbox.file("Demodata.mdb"));
    EXPECT_EQ(versionOf(paths), 1);
    EXPECT_EQ(sqlValue(paths, "SELECT Beskrivelse || btid || tax || bvpris FROM standby "
                              "WHERE Bookingnr = 12").toString(),
              "Choir9001");
}
