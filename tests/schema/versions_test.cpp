#include "core/extrafunktioner.h"
#include "core/fileschemas.h"
#include "core/start.h"
#include "fixtures/sandbox.h"
#include "fixtures/sqlhelpers.h"

#include <QCryptographicHash>

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

QString fingerprint(const Dao::FileSchema &schema, int version)
{
    const QByteArray rows = Dao::SchemaCheck::model(schema, version).join('\n').toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(rows, QCryptographicHash::Sha1).toHex());
}

} // namespace

// The files the build makes are today's version of the layouts the program checks against.
TEST(FileVersions, TheBuiltFilesHoldTodaysLayoutUnderTodaysVersion)
{
    const QString build = QStringLiteral(VANTIX_BUILD_DIR);
    const Dao::FileSchema bookingfile = FileSchemas::Bookingfile();
    const Dao::FileSchema paths = FileSchemas::Paths();
    const int current = Dao::SchemaCheck::currentVersion(bookingfile);
    EXPECT_EQ(current, 8);
    EXPECT_EQ(Dao::SchemaCheck::currentVersion(paths), 2);
    for (const char *name : {"Emptydatabase.mdb", "Demodata.mdb"}) {
        EXPECT_EQ(versionOf(build + "/" + name), current) << name;
        EXPECT_EQ(rowsOf(build + "/" + name), Dao::SchemaCheck::model(bookingfile, current))
            << name;
    }
    EXPECT_EQ(versionOf(build + "/paths.mdb"), 2);
    EXPECT_EQ(rowsOf(build + "/paths.mdb"), Dao::SchemaCheck::model(paths, 2));
}

// Files of every released version are in use: a version's layout never changes. A change to
// schema/*.sql raises the layout's version and adds its step in core/fileschemas.cpp; then
// the new version's fingerprint is added here.
TEST(FileVersions, NoVersionsLayoutChangesOnceFilesOfItExist)
{
    const struct {
        Dao::FileSchema schema;
        QStringList fingerprints;   // of versions 0, 1, ...
    } layouts[] = {
        {FileSchemas::Bookingfile(), {"d85a67b31f034fa5d2d951f1e798658419ffc51c",
                                       "ab4c1e177b4a086ddb9c7888ef16eabaa39c5e4c",
                                       "e4775443ded74539fc4fc55370e23562fb011ec5",
                                       "a60be39c9c1afcf3befe87a49e9442d55386fbeb",
                                       "8a60420347ccb2181662c13d3ff555e119d5e730",
                                       "7d97e5cb6571f9bef5072a7b286ec534acb60abd",
                                       "d83e70618ce008b8ba589018c4aebb7bdfb53dd4",
                                       "be1073c96723b4d05e77feca2ad627cff67242e5",
                                       "966a8e2f655a9a96cdfdca70849a1b763966c285"}},
        {FileSchemas::Paths(), {"ec06229e3a3161631ebbbe0ece700ae85a31b81f",
                                 "378ae2e8c4339ce6c17af81acd1e6067b90dd3e2",
                                 "86ce76d6d00bdc294ff2112c5c66e59cedf529b4"}},
    };
    for (const auto &l : layouts) {
        SCOPED_TRACE(l.schema.name.toStdString());
        ASSERT_EQ(Dao::SchemaCheck::currentVersion(l.schema) + 1, l.fingerprints.size())
            << "a new version: add its fingerprint";
        for (int v = 0; v < l.fingerprints.size(); ++v)
            EXPECT_EQ(fingerprint(l.schema, v).toStdString(), l.fingerprints[v].toStdString())
                << "version " << v;
    }
}

// Bookingfiles of each earlier version, and one of today's layout made before files carried
// their version: each opens, comes up to today's version, and keeps every row.
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
    // Version 7's narrow index of the day view, without the search's index of texts and the
    // table of the series' last days; version 6's index of series numbers over every booking
    // and its archiving mark on each booking (the archived one marked), version 5's two indexes
    // that wider ones lead, version 4's file without the mark, and version 3's indexes of the
    // lists.
    const QString version7 =
        "DROP TRIGGER booking_serieslut_insert; DROP TRIGGER booking_serieslut_update; "
        "DROP TRIGGER booking_serieslut_delete; DROP TABLE serieslut; "
        "DROP TRIGGER booking_trigram_insert; DROP TRIGGER booking_trigram_update; "
        "DROP TRIGGER booking_trigram_delete; DROP TABLE booking_trigram; "
        "DROP VIEW booking_trigram_text; DROP INDEX booking_Bgruppe_Bdato; "
        "CREATE INDEX booking_Bgruppe_Bdato ON booking (Bgruppe, Bdato); ";
    const QString version6 = version7 +
        "DROP INDEX booking_gennr; CREATE INDEX booking_gennr ON booking (gennr); "
        "DROP TRIGGER booking_arkiveres_insert; DROP TRIGGER booking_arkiveres_move; "
        "DROP TRIGGER booking_arkiveres_delete; DROP TABLE arkiveres; "
        "CREATE INDEX booking_arkiveres ON booking (Bdato) WHERE arkiveret IS NOT 1; "
        "UPDATE booking SET arkiveret = 1 WHERE Bookingnr = 9001; ";
    const QString version5 = version6 + "CREATE INDEX booking_Bdato ON booking (Bdato, bstart); "
                             "CREATE INDEX booking_kontonr ON booking (kontonr); ";
    const QString version4 = version5 +
        "DROP INDEX booking_arkiveres; ALTER TABLE booking DROP COLUMN arkiveret; ";
    const QString version3 = version4
        + "DROP INDEX booking_search; DROP INDEX booking_series_end; DROP INDEX booking_tentative; "
          "CREATE INDEX booking_tentative ON booking (Bdato, bstart) WHERE Tentative <> 0; ";
    const struct {
        const char *what;
        QString sql;
        const char *toArchive = "9002";   // the bookings listed as still to archive
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
        {"version 4", version4 + "PRAGMA user_version = 4"},
        {"version 5", version5 + "PRAGMA user_version = 5"},
        {"version 6", version6 + "PRAGMA user_version = 6"},
        {"version 7", version7 + "PRAGMA user_version = 7", "9001,9002"},
        // Its rows went in through today's triggers, the archive's row beside them.
        {"today's layout numbered 0", "PRAGMA user_version = 0", "9001,9002"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = sandbox.newBookingfile("old.mdb", true);
        execSql(file, "INSERT INTO bookingarkiv (Bookingnr, Bdato, Lokalenr) "
                      "VALUES (9001, 40000, 1)");
        execSql(file, "INSERT INTO booking (Bookingnr, Bdato, Lokalenr, Beskrivelse, gennr, "
                      "gentagende) VALUES (9001, 40000, 1, 'Choir', NULL, 0), "
                      "(9002, 40003, 1, 'Choir', 9001, 1)");
        execSql(file, c.sql);
        const QString before = sqlValue(file, counts).toString();
        EXPECT_TRUE(Extrafunktioner::IsBookingDatabase(file));
        EXPECT_EQ(versionOf(file), 8);
        // The search's index holds the texts of the bookings there, the series its last day.
        EXPECT_EQ(sqlValue(file, "SELECT group_concat(rowid) FROM booking_trigram WHERE "
                                 "booking_trigram MATCH '\"hoi\" AND \" 90\"'")
                      .toString(),
                  "9001,9002");
        EXPECT_EQ(sqlValue(file, "SELECT gennr || '/' || Bdato FROM serieslut WHERE gennr > 9000")
                      .toString()
                      .toStdString(),
                  "9001/40003");
        EXPECT_EQ(sqlValue(file, index).toInt(), 1);
        EXPECT_EQ(sqlValue(file, byDay).toInt(), 6);
        EXPECT_EQ(sqlValue(file, index4).toInt(), 2);
        EXPECT_EQ(sqlValue(file, "SELECT count(*) FROM sqlite_schema WHERE name IN "
                                 "('booking_Bdato', 'booking_kontonr')")
                      .toInt(),
                  0);
        EXPECT_EQ(sqlValue(file, "SELECT count(*) FROM sqlite_schema WHERE name = "
                                 "'booking_gennr' AND sql LIKE '%WHERE gennr IS NOT NULL'")
                      .toInt(),
                  1);
        EXPECT_EQ(sqlValue(file, counts).toString(), before);
        // What the archive holds is not listed, so the archiving does not offer it again.
        EXPECT_EQ(sqlValue(file, "SELECT group_concat(Bookingnr) FROM (SELECT Bookingnr FROM "
                                 "arkiveres WHERE Bookingnr > 9000 ORDER BY Bookingnr)")
                      .toString()
                      .toStdString(),
                  c.toArchive);
    }
}

// A paths.mdb of each earlier version keeps the booking on its clipboard and the chosen
// bookingfile; its row says neither cut nor copy, as its program did not.
TEST(FileVersions, AnEarlierPathsFileKeepsItsClipboardAndChoice)
{
    const QString version1 = "ALTER TABLE standby DROP COLUMN klippet;"
                             "ALTER TABLE standby DROP COLUMN bookingfil;";
    const struct {
        const char *what;
        QString sql;
    } cases[] = {
        {"version 0",
         "DROP TABLE standby;"
         "CREATE TABLE standby (Bookingnr INTEGER, bstart INTEGER, bslut INTEGER, "
         "Beskrivelse TEXT, Bdato INTEGER, lokalenr INTEGER, Bgruppe INTEGER, "
         "Bcolor INTEGER, Kontonr INTEGER, Kontaktperson2 TEXT, Kontaktpersonadr2 TEXT, "
         "Kontaktpersonpnr2 TEXT, Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, Kontakttlfb2 TEXT, "
         "langbeskrivelse TEXT, Antalpers INTEGER, Pris DOUBLE, ID INTEGER, "
         "Bemærkninger TEXT, gennr INTEGER, gentagende BOOLEAN, Intern BOOLEAN, "
         "Tentative BOOLEAN, curacname TEXT, btid INTEGER DEFAULT 0);"
         "INSERT INTO standby (Bookingnr, Beskrivelse, btid) VALUES (12, 'Choir', 90);"
         "PRAGMA user_version = 0"},
        {"version 1",
         version1 + "INSERT INTO standby (Bookingnr, Beskrivelse, btid, tax, bvpris) "
                    "VALUES (12, 'Choir', 90, 0, 1); PRAGMA user_version = 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox sandbox;
        const QString paths = sandbox.file("paths.mdb");
        execSql(paths, c.sql);
        EXPECT_EQ(start::StoredBookingfilePath(), sandbox.file("Demodata.mdb"));
        EXPECT_EQ(versionOf(paths), 2);
        EXPECT_EQ(sqlValue(paths, "SELECT Beskrivelse || btid || tax || bvpris FROM standby "
                                  "WHERE Bookingnr = 12 AND klippet IS NULL "
                                  "AND bookingfil IS NULL").toString(),
                  "Choir9001");
    }
}
