// Every fixed statement the program runs on a bookingfile or on paths.mdb finds its tables and
// fields in the built files, and on the demonstration file the reports have rows to print.
#include "sqlite_file.h"

#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/jetfunctions.h"
#include "platform/db/jetsql.h"
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

namespace {

// The receipts, the resource lists, the booking overview and the archive period reports.
const char *const kReceipt =
    "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Konti.Kontotlf, "
    "lokale.Lokalenavn, Booking.Pris, Konti.Kontoadresse, Konti!Kontopnr & ' ' & "
    "Konti!Kontoby AS PoB, Konti.Kontonavn, Booking.gennr, Konti.kontokontakt, "
    "Konti.kontomail, booking!leveringstype & ' at ' & booking!leveringssted AS lev, "
    "lokale.lokalenr, Booking.Bemærkninger, Booking.Bstart, Booking.Bslut, Booking.Bdato "
    "FROM Homebases RIGHT JOIN ((Booking INNER JOIN lokale ON Booking.Lokalenr = "
    "lokale.lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) ON Homebases.ID = "
    "lokale.ID WHERE Booking.Bookingnr = %1; ";

const char *const kSeriesReceipt =
    "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Konti.Kontotlf, "
    "lokale.Lokalenavn, Booking.Pris, Booking.Tax,Konti.Kontoadresse, Konti!Kontopnr & ' "
    "' & Konti!Kontoby AS PoB, Konti.Kontonavn, Booking.gennr, Konti.kontokontakt, "
    "Konti.kontomail, booking!leveringstype & ' at ' & booking!leveringssted AS lev, "
    "lokale.lokalenr, Booking.Bemærkninger, Booking.Bstart, Booking.Bslut, Booking.Bdato "
    "FROM Homebases RIGHT JOIN ((Booking INNER JOIN lokale ON Booking.Lokalenr = "
    "lokale.lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) ON Homebases.ID = "
    "lokale.ID WHERE Booking.Gennr = %1; ";

const char *const kDomesticList =
    "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, "
    "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
    "lokale.maxprs, lokale.Lejetime, lokale.lokbeskrivelse, lokale.Lokfastinv FROM "
    "(Overgruppenavne INNER JOIN (lokaliteter INNER JOIN lokale ON "
    "lokaliteter.Lokalitetsnr = lokale.lokalinr) ON Overgruppenavne.overgruppenr = "
    "lokaliteter.Overgruppenr) INNER JOIN Gruppetyper ON Overgruppenavne.Gruppeart = "
    "Gruppetyper.gruppeart WHERE (((Gruppetyper.gruppeart)=1)) ORDER BY "
    "Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "lokale.Lokalenavn;";

const char *const kAddOnList =
    "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, "
    "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
    "lokale.Lejetime, lokale.lokfabrikat, lokale.lokmodel, lokale.loksernr, "
    "lokale.lokårgang, lokale.Leverandør, lokale.Garantislut, lokale.levphone, "
    "lokale.nextservice FROM (Overgruppenavne INNER JOIN (lokaliteter INNER JOIN lokale "
    "ON lokaliteter.Lokalitetsnr = lokale.lokalinr) ON Overgruppenavne.overgruppenr = "
    "lokaliteter.Overgruppenr) INNER JOIN Gruppetyper ON Overgruppenavne.Gruppeart = "
    "Gruppetyper.gruppeart WHERE (((Gruppetyper.gruppeart)=2)) ORDER BY "
    "Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "lokale.Lokalenavn;";

const char *const kStandAloneList =
    "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, "
    "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
    "lokale.Lejetime, lokale.lokfabrikat, lokale.lokmodel, lokale.loksernr, "
    "lokale.lokårgang, lokale.Leverandør, lokale.Garantislut, lokale.levphone, "
    "lokale.nextservice FROM (Overgruppenavne INNER JOIN (lokaliteter INNER JOIN lokale "
    "ON lokaliteter.Lokalitetsnr = lokale.lokalinr) ON Overgruppenavne.overgruppenr = "
    "lokaliteter.Overgruppenr) INNER JOIN Gruppetyper ON Overgruppenavne.Gruppeart = "
    "Gruppetyper.gruppeart WHERE (((Gruppetyper.gruppeart)=3)) ORDER BY "
    "Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "lokale.Lokalenavn;";

const char *const kOverview =
    "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, "
    "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
    "Konti.Kontonavn, Konti.kontokontakt, Konti.Kontotlf, Booking.Pris, "
    "Booking.Antalpers, Booking.Bstart, Booking.Bslut, Booking.Bdato, "
    "Overgruppenavne.Gruppeart FROM ((lokale RIGHT JOIN Booking ON lokale.lokalenr =  "
    "Booking.Lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) INNER JOIN "
    "(Overgruppenavne INNER JOIN lokaliteter ON Overgruppenavne.overgruppenr = "
    "lokaliteter.Overgruppenr) ON Booking.Bgruppe = lokaliteter.Lokalitetsnr GROUP BY "
    "Booking.Bookingnr, Booking.Beskrivelse, Overgruppenavne.OverGruppenavn, "
    "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, Konti.Kontonavn, Konti.kontokontakt, "
    "Konti.Kontotlf, Booking.Pris, Booking.Antalpers, Booking.Bstart, Booking.Bslut, "
    "Booking.Bdato, Overgruppenavne.Gruppeart HAVING (((Booking.Bdato) >= %1 And "
    "(Booking.Bdato) <= %2) AND ((Overgruppenavne.Gruppeart) = %3 Or "
    "(Overgruppenavne.Gruppeart) = %4 Or (Overgruppenavne.Gruppeart) = %5)) ORDER BY "
    "Booking.Bdato,  Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "Booking.Bstart;";

const char *const kPeriodDetails =
    "SELECT Bookingarkiv.Bdato, Overgruppenavne.OverGruppenavn, "
    "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, Bookingarkiv.Beskrivelse, "
    "Bookingarkiv.Lokalenr, Bookingarkiv.Antalpers, Bookingarkiv.Pris, "
    "(bookingarkiv!Bslut-bookingarkiv!Bstart)/60 AS antaltimer, Bookingarkiv.kontonr "
    "FROM Overgruppenavne INNER JOIN (lokaliteter INNER JOIN (Bookingarkiv INNER JOIN "
    "lokale ON Bookingarkiv.Lokalenr = lokale.lokalenr) ON lokaliteter.Lokalitetsnr = "
    "lokale.lokalinr) ON Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr WHERE "
    "(Bookingarkiv.Bdato>=%1 And Bookingarkiv.Bdato<=%2) AND (Bookingarkiv.kontonr=%3) "
    "ORDER BY Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "lokale.Lokalenavn;";

const char *const kPeriodTotals =
    "SELECT Bookingarkiv.Bdato, Overgruppenavne.OverGruppenavn, "
    "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, Bookingarkiv.Beskrivelse, "
    "Bookingarkiv.Lokalenr, Bookingarkiv.Antalpers, Bookingarkiv.Pris, "
    "Bookingarkiv.Bemærkninger, Bookingarkiv.gennr, Bookingarkiv.gentagende, "
    "(bookingarkiv!Bslut-bookingarkiv!Bstart)/60 AS antaltimer, "
    "Overgruppenavne.Gruppeart FROM Overgruppenavne INNER JOIN (lokaliteter INNER JOIN "
    "(Bookingarkiv INNER JOIN lokale ON Bookingarkiv.Lokalenr = lokale.lokalenr) ON "
    "lokaliteter.Lokalitetsnr = lokale.lokalinr) ON Overgruppenavne.overgruppenr = "
    "lokaliteter.Overgruppenr WHERE Bookingarkiv.Bdato >= %1 And Bookingarkiv.Bdato <= "
    "%2 ORDER BY Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "lokale.Lokalenavn;";

// Rows a Jet statement yields, read through the database engine as the reports read them.
int rowCount(Dao::Database &db, const QString &jetSql)
{
    auto rs = db.OpenRecordset(jetSql, Dao::RecordsetType::Snapshot);
    int n = 0;
    for (; !rs->EOF_(); rs->MoveNext())
        ++n;
    return n;
}

class StatementsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = box.newBookingfile("demo.mdb", true);
        raw = std::make_unique<SqliteFile>(path);
        day = raw->value("SELECT CAST(julianday(substr(arkiveringsdato, 1, 10)) "
                         "- julianday('1900-01-01') AS INTEGER) FROM arkiveringsdato").toInt();
        db = Dao::Database::open(path);
    }

    int count(const QString &sql) { return raw->value(sql).toInt(); }

    Sandbox box;
    QString path;
    std::unique_ptr<SqliteFile> raw;
    std::unique_ptr<Dao::Database> db;
    int day = 0;   // the day the demonstration file was made
};

TEST_F(StatementsTest, ReceiptsPrintABookingOrItsSeries)
{
    // A room has no homebase, a projector has one: both print.
    for (int item : {2, 16}) {
        const int nr = raw->value(QString("SELECT min(Bookingnr) FROM booking WHERE Bdato = %1 "
                                          "AND Lokalenr = %2").arg(day).arg(item)).toInt();
        ASSERT_GT(nr, 0) << item;
        EXPECT_EQ(rowCount(*db, QString(kReceipt).arg(nr)), 1) << item;
    }
    const int head = raw->value("SELECT min(gennr) FROM booking").toInt();
    EXPECT_EQ(rowCount(*db, QString(kSeriesReceipt).arg(head)),
              count(QString("SELECT count(*) FROM booking WHERE gennr = %1").arg(head)));
}

TEST_F(StatementsTest, ResourceListsHoldEachKindsItems)
{
    EXPECT_EQ(rowCount(*db, kDomesticList),
              count("SELECT count(*) FROM lokale WHERE Gruppeart = 1"));
    EXPECT_EQ(rowCount(*db, kAddOnList), count("SELECT count(*) FROM lokale WHERE Gruppeart = 2"));
    EXPECT_EQ(rowCount(*db, kStandAloneList),
              count("SELECT count(*) FROM lokale WHERE Gruppeart = 3"));
}

// Every booking of the coming week has a type, a group and an account, so the overview prints
// each of them, and only those of the chosen kind when one is chosen.
TEST_F(StatementsTest, OverviewPrintsEveryBookingOfThePeriod)
{
    const QString week = QString("Bdato BETWEEN %1 AND %2").arg(day).arg(day + 7);
    EXPECT_EQ(rowCount(*db, QString(kOverview).arg(day).arg(day + 7).arg(1).arg(2).arg(3)),
              count("SELECT count(*) FROM booking WHERE " + week));
    EXPECT_EQ(rowCount(*db, QString(kOverview).arg(day).arg(day + 7).arg(100).arg(2).arg(100)),
              count("SELECT count(*) FROM booking b JOIN lokale l ON l.lokalenr = b.Lokalenr "
                    "WHERE l.Gruppeart = 2 AND b." + week));
}

TEST_F(StatementsTest, ArchivePeriodReportsCountTheArchive)
{
    EXPECT_EQ(rowCount(*db, QString(kPeriodTotals).arg(day - 365).arg(day)),
              count("SELECT count(*) FROM bookingarkiv"));
    const int anna = rowCount(*db, QString(kPeriodDetails).arg(day - 365).arg(day).arg(2));
    EXPECT_GT(anna, 0);
    EXPECT_EQ(anna, count("SELECT count(*) FROM bookingarkiv WHERE kontonr = 2"));
}

// The smaller fixed statements: look-ups, counts, account lists, members, and the deletes of
// memberships, groups, reference rows and scratch rows.
TEST_F(StatementsTest, SmallerStatementsFindTheirTablesAndFields)
{
    struct Select
    {
        QString sql;
        int rows;
    };
    const Select selects[] = {
        {"Select arkiveringsdato From arkiveringsdato Where ID = 1", 1},
        {"Select skemastart From institutionsoplysninger", 1},
        {"Select gebyr From lokale Where lokalenr =  2", 1},
        {"Select Count(*) From booking", 1},
        {QString("Select Count(*) From booking Where bdato = %1 and lokalenr = 2 "
                 "and bstart < 600 And bslut > 540").arg(day), 1},
        {"Select Count(*) From grptilk Where gnr =  5 And pnr =  3", 1},
        {"Select * from booking Where kontonr = 2",
         count("SELECT count(*) FROM booking WHERE kontonr = 2")},
        {"select * from lokaliteter where overgruppenr = 1;", 2},
        {"SELECT Grptilk.pnr, Konti.Kontonavn, Konti.ID FROM Grptilk INNER JOIN Konti ON "
         "Grptilk.gnr = Konti.ID WHERE Grptilk.pnr = 2;", 3},
        {"SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN Grptilk ON "
         "Konti.ID = Grptilk.pnr WHERE Grptilk.gnr =5;", 3},
        {"SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN Grptilk ON "
         "Konti.ID = Grptilk.pnr WHERE Grptilk.gnr = 1 ;", 1},
    };
    for (const Select &s : selects)
        EXPECT_EQ(rowCount(*db, s.sql), s.rows) << s.sql.toStdString();

    struct Write
    {
        QString sql;
        int affected;
    };
    const Write writes[] = {
        {"DELETE Grptilk.*, Grptilk.gnr, Grptilk.pnr From Grptilk WHERE Grptilk.gnr = 5 "
         "AND Grptilk.pnr = 3;", 1},
        {"DELETE Konti.*, Konti.ID  FROM Konti  WHERE Konti.ID = 4;", 1},
        {"DELETE Grptilk.*, Grptilk.gnr  FROM Grptilk  WHERE Grptilk.gnr = 4;", 1},
        {"DELETE [Department].[depnr], Department.*  FROM Department  WHERE "
         "[Department].[depnr] = 5;  ", 1},
        {"DELETE [opstilling].[ID], opstilling.*  FROM opstilling  WHERE [opstilling].[ID]=6;  ",
         1},
        {"DELETE [Homebases].[ID], Homebases.*  FROM Homebases  WHERE [Homebases].[ID]=5;  ", 1},
    };
    for (const Write &w : writes) {
        db->Execute(w.sql);
        EXPECT_EQ(db->RecordsAffected(), w.affected) << w.sql.toStdString();
    }

    auto paths = Dao::Database::open(box.file("paths.mdb"));
    paths->Execute("INSERT INTO gendatogent (Dato, lokalenr, DB) VALUES (1, 2, True)");
    paths->Execute("INSERT INTO gendatogent (Dato, lokalenr, DB) VALUES (2, 2, False)");
    paths->Execute("INSERT INTO AndetLokAlt (lokalenr, Lokalenavn) VALUES (3, 'Room')");
    const Write scratch[] = {
        {"DELETE [gendatogent].[DB], gendatogent.*  FROM gendatogent  WHERE "
         "((([gendatogent].[DB])=True));  ", 1},
        {"DELETE gendatogent.*, gendatogent.ID  FROM gendatogent;  ", 1},
        {"DELETE andetlokalt.*, andetlokalt.lokalenr  FROM andetlokalt;  ", 1},
    };
    for (const Write &w : scratch) {
        paths->Execute(w.sql);
        EXPECT_EQ(paths->RecordsAffected(), w.affected) << w.sql.toStdString();
    }
}

// The receipts and the overview join their optional table on the left, so SQLite reaches the
// booking by its key: the same rows as the right joins they are written with.
TEST_F(StatementsTest, RightJoinsBecomeLeftJoinsWithTheSameRows)
{
    raw->exec("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr, kontonr, "
              "Beskrivelse) VALUES (900001, 10, 600, 660, 9999, 2, 'No item')");
    ASSERT_TRUE(Dao::registerJetFunctions(raw->handle()));
    const QString joined = "((Booking INNER JOIN lokale ON Booking.Lokalenr = lokale.lokalenr) "
                           "INNER JOIN Konti ON Booking.kontonr = Konti.ID)";
    const QString receiptLeft = joined + " LEFT JOIN Homebases ON";
    const QString receiptRight = "Homebases RIGHT JOIN " + joined + " ON";
    const auto bookingOn = [&](int item) {
        return raw->value(QString("SELECT min(Bookingnr) FROM booking WHERE Bdato = %1 "
                                  "AND Lokalenr = %2").arg(day).arg(item)).toInt();
    };
    const int head = raw->value("SELECT min(gennr) FROM booking").toInt();
    struct Case
    {
        QString jet, left, right;
        bool byKey;
    };
    const Case cases[] = {
        {QString(kReceipt).arg(bookingOn(2)), receiptLeft, receiptRight, true},
        {QString(kReceipt).arg(bookingOn(16)), receiptLeft, receiptRight, true},
        {QString(kReceipt).arg(900001), receiptLeft, receiptRight, true},
        {QString(kSeriesReceipt).arg(head), receiptLeft, receiptRight, true},
        {QString(kOverview).arg(day).arg(day + 7).arg(1).arg(2).arg(3),
         "(Booking LEFT JOIN lokale ON", "(lokale RIGHT JOIN Booking ON", false},
    };
    for (const Case &c : cases) {
        const QString after = Dao::JetSql::toSqlite(c.jet);
        ASSERT_TRUE(after.contains(c.left)) << after.toStdString();
        QString before = after;
        before.replace(c.left, c.right);
        EXPECT_EQ(raw->rows(after), raw->rows(before)) << after.toStdString();
        if (c.byKey) {
            const QString plan = raw->queryPlan(after);
            EXPECT_FALSE(plan.contains("SCAN Booking", Qt::CaseInsensitive)) << plan.toStdString();
        }
    }
    EXPECT_EQ(raw->rows(Dao::JetSql::toSqlite(QString(kReceipt).arg(900001))).size(), 0);
}

} // namespace
