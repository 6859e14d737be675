#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/jetsql.h"
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

#include <cstring>

using Dao::JetSql;

TEST(JetSql, TranslatesTheDialect)
{
    struct Case
    {
        const char *jet;
        const char *sqlite;
    };
    const Case cases[] = {
        {"DELETE andetlokalt.*, andetlokalt.lokalenr  FROM andetlokalt;  ",
         "DELETE FROM andetlokalt"},
        {"DELETE DISTINCTROW Booking.Bdato, Booking.* FROM Booking WHERE ((Booking.Bdato)<(5));  ",
         "DELETE FROM Booking WHERE ((Booking.Bdato)<(5))"},
        {"UPDATE arkiveringsdato SET arkiveringsdato.arkiveringsdato = Date();  ",
         "UPDATE arkiveringsdato SET arkiveringsdato = jet_date()"},
        {"SELECT DISTINCTROW a!b FROM a", "SELECT a.b FROM a"},
        {"SELECT x & ' at ' & y AS lev FROM t", "SELECT jet_concat(x, ' at ', y) AS lev FROM t"},
        {"SELECT (a!s-a!t)/60 AS h FROM a", "SELECT (a.s-a.t)*1.0/60 AS h FROM a"},
        {"SELECT * FROM t WHERE d = True AND n Mod 2 = 0",
         "SELECT * FROM t WHERE d = 1 AND n % 2 = 0"},
        {"SELECT * FROM t WHERE s = \"it's\"", "SELECT * FROM t WHERE s = 'it''s'"},
        {"SELECT * FROM t WHERE d = #12/31/2026#",
         "SELECT * FROM t WHERE d = '2026-12-31 00:00:00'"},
        {"SELECT * FROM t WHERE n Like 'A*'", "SELECT * FROM t WHERE jet_like(n, 'A*')"},
        {"SELECT * FROM t WHERE s = 'a & b / c'", "SELECT * FROM t WHERE s = 'a & b / c'"},
        {"SELECT [x y].[z] FROM [x y]", "SELECT [x y].[z] FROM [x y]"},
        {"SELECT a.x FROM a RIGHT JOIN (b INNER JOIN c ON b.y = c.y) ON a.x = b.x WHERE b.z = 1",
         "SELECT a.x FROM (b INNER JOIN c ON b.y = c.y) LEFT JOIN a ON a.x = b.x WHERE b.z = 1"},
        {"SELECT a.x FROM (a AS q RIGHT OUTER JOIN b ON q.x = b.x) INNER JOIN c ON c.y = b.y",
         "SELECT a.x FROM (b LEFT JOIN a AS q ON q.x = b.x) INNER JOIN c ON c.y = b.y"},
        // Kept: "*" lists the columns in the tables' order; a left side that is a join.
        {"SELECT * FROM a RIGHT JOIN b ON a.x = b.x", "SELECT * FROM a RIGHT JOIN b ON a.x = b.x"},
        {"SELECT a.x FROM t INNER JOIN a ON t.x = a.x RIGHT JOIN b ON a.x = b.x",
         "SELECT a.x FROM t INNER JOIN a ON t.x = a.x RIGHT JOIN b ON a.x = b.x"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(JetSql::toSqlite(c.jet), QString(c.sqlite)) << c.jet;
    for (const char *bad :
         {"SELECT * FROM t WHERE s = 'open", "SELECT ((1)", "SELECT #13/45/2026#"})
        EXPECT_THROW(JetSql::toSqlite(bad), Dao::DbError) << bad;
}

// Long statements come out as their pieces do, whatever their length: each case repeats a piece
// of Jet text and expects its translation repeated as often.
TEST(JetSql, LongStatementsTranslateAsTheirPieces)
{
    struct Case
    {
        const char *head, *unit, *tail, *close;
        const char *outHead, *outUnit, *outTail, *outClose;
    };
    const Case cases[] = {
        {"SELECT ", "1/", "1", "", "SELECT ", "1*1.0/", "1", ""},
        {"SELECT ", "a & ", "b", "", "SELECT jet_concat(", "a, ", "b", ")"},
        {"SELECT ", "a & b = ", "c", "", "SELECT ", "jet_concat(a, b) = ", "c", ""},
        {"SELECT ", "(1 & ", "1", ")", "SELECT ", "(jet_concat(1, ", "1", "))"},
        {"SELECT * FROM t WHERE ", "x Like 'a*' Or ", "y Not Like 'b?'", "",
         "SELECT * FROM t WHERE ", "jet_like(x, 'a*') Or ", "NOT jet_like(y, 'b?')", ""},
        {"UPDATE t SET ", "t.a = 1, ", "t.b = 2 WHERE t.c = 1;  ", "", "UPDATE t SET ",
         "a = 1, ", "b = 2 WHERE t.c = 1", ""},
        {"SELECT ", "Date () + True Mod a!b + ", "0", "", "SELECT ", "jet_date() + 1 % a.b + ",
         "0", ""},
        {"SELECT ", "DISTINCTROW ", "1", "", "SELECT ", "", "1", ""},
        {"SELECT ", "\"a\" & #1/2/2026# & ", "'b'", "", "SELECT jet_concat(",
         "'a', '2026-01-02 00:00:00', ", "'b'", ")"},
    };
    for (const Case &c : cases) {
        const int units = 20000 / int(strlen(c.unit));
        const auto repeat = [units](const char *piece, int times) {
            return QString::fromUtf8(piece).repeated(times);
        };
        const QString jet = c.head + repeat(c.unit, units) + c.tail + repeat(c.close, units);
        const QString sqlite = c.outHead + repeat(c.outUnit, units) + c.outTail
                               + repeat(c.outClose, c.close[0] ? units : 1);
        const QString got = JetSql::toSqlite(jet);
        qsizetype at = 0;
        while (at < got.size() && at < sqlite.size() && got[at] == sqlite[at])
            ++at;
        EXPECT_EQ(got.mid(at, 40).toStdString(), sqlite.mid(at, 40).toStdString())
            << c.unit << " differs at " << at << " of " << sqlite.size();
    }
}

// Like as the translator states it: * any run, ? one character, # one digit, [list] and
// [!list] with ranges, case-blind; a character outside the Basic Multilingual Plane is one
// character, and every other character of the pattern, a backslash too, is itself.
TEST(JetSql, LikeFollowsJetsWildcardsOverWholeCharacters)
{
    Sandbox box;
    auto db = Dao::Database::open(box.newBookingfile());
    const auto like = [&db](const QString &text, const QString &pattern) {
        auto rs = db->OpenRecordset("SELECT jet_like(?1, ?2)", Dao::Bindings({text, pattern}),
                                    Dao::RecordsetType::ForwardOnly);
        return rs->Field(0).toInt() == 1;
    };
    struct Case
    {
        const char *text, *pattern;
        bool matches;
    };
    const Case cases[] = {
        {"&ø😀€", "&ø😀€", true},   {"&ø😀€", "&ø?€", true},    {"&ø😀€", "&ø??€", false},
        {"😀😀", "*😀", true},       {"x😀y", "x[😀]y", true},   {"x😀y", "x[!😀]y", false},
        {"𝔸", "?", true},           {"a\\", "a\\", true},     {"a\\b", "a\\*", true},
        {"ab", "a\\", false},       {"\\", "[\\]", true},       {"ÆBLE", "æble", true},
        {"Chess club", "ch*", true}, {"Chess", "*s", true},      {"Chess", "*x*", false},
        {"a1", "a#", true},          {"ab", "a#", false},        {"b", "[a-c]", true},
        {"B", "[a-c]", true},        {"d", "[a-c]", false},      {"d", "[!a-c]", true},
        {"-", "[a-]", true},         {"!", "[!]", true},         {"ab", "a[]b", true},
        {"a[b", "a[b", true},        {"a.b", "a?b", true},       {"a+b", "a+b", true},
        {"aXb", "a.b", false},       {"", "*", true},            {"", "?", false},
        {"line\nbreak", "line?break", true},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text), pattern = QString::fromUtf8(c.pattern);
        EXPECT_EQ(like(text, pattern), c.matches) << c.text << " Like " << c.pattern;
    }
    // Through the translator, with the texts as a statement holds them.
    auto rs = db->OpenRecordset(QString::fromUtf8("SELECT '&ø😀€' Like '&ø😀€', 'a\\' Like 'a\\', "
                                                  "'😀' Not Like '?" "?'"),
                                Dao::RecordsetType::ForwardOnly);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rs->Field(i).toInt(), 1) << i;
    EXPECT_FALSE(like("x", ""));
    EXPECT_TRUE(db->OpenRecordset("SELECT jet_like(NULL, 'a')", Dao::RecordsetType::ForwardOnly)
                    ->Field(0)
                    .isNull());
}

namespace {

// The statements that forms run, as their texts stand, on a small bookingfile and paths.mdb.
class Statements : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = Dao::Database::open(box.newBookingfile());
        paths = Dao::Database::open(box.file("paths.mdb"));
        for (const char *sql : {
                 "INSERT INTO gruppetyper (gruppeart, gtypenavn) VALUES (4, 'Zz spare')",
                 "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) "
                 "VALUES (1, 'Rooms', 1), (2, 'Audio', 2), (3, 'Vans', 3)",
                 "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr) "
                 "VALUES (10, 'Halls', 1), (11, 'Offices', 1), (20, 'Speakers', 2), "
                 "(30, 'Cars', 3)",
                 "INSERT INTO Homebases (ID, Homebase) VALUES (1, 'Store')",
                 "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, ID, maxprs) "
                 "VALUES (100, 'Hall B', 10, 1, NULL, 80), (101, 'Hall A', 10, 1, NULL, 120), "
                 "(102, 'Office 1', 11, 1, NULL, 4), (200, 'Bose', 20, 2, 1, 0), "
                 "(300, 'Van', 30, 3, 1, 0)",
                 "INSERT INTO Konti (ID, Kontonavn, Kontopnr, Kontoby, Kontotype) VALUES "
                 "(11, 'Anna', '8000', 'Aarhus', 'p'), (12, 'Ben', NULL, 'Oslo', 'p'), "
                 "(13, 'Choir', NULL, NULL, 'g')",
                 "INSERT INTO grptilk (gnr, pnr) VALUES (11, 11), (12, 12), (13, 11), (13, 12), "
                 "(13, 12)",
                 "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, "
                 "Lokalenr, kontonr, Pris, tax, gennr, gentagende, leveringstype, leveringssted, "
                 "Antalpers) VALUES "
                 "(1, 'Old', 100, 600, 660, 10, 100, 11, 100, 0, NULL, 0, NULL, NULL, 5), "
                 "(2, 'Mid', 200, 600, 690, 10, 101, 12, 100, 1, NULL, 0, 'Van', 'Gate 2', 10), "
                 "(3, 'Series', 300, 480, 540, 20, 200, 13, 50, 1, 3, 1, NULL, NULL, 2), "
                 "(4, 'Series', 307, 480, 540, 20, 200, 13, 50, 1, 3, 1, NULL, NULL, 2), "
                 "(5, 'Series', 314, 480, 540, 20, 200, 13, 50, 1, 3, 1, NULL, NULL, 2), "
                 "(6, 'Orphan', 300, 700, 760, 11, 999, 11, 10, 0, NULL, 0, NULL, NULL, 1)"})
            db->Execute(sql);
        paths->Execute("INSERT INTO gendatogent (ID, Dato, lokalenr, DB) VALUES "
                       "(1, 300, 200, 0), (2, 307, 200, 1), (17, 314, 200, 1)");
        paths->Execute("INSERT INTO AndetLokAlt (lokalenr, Lokalenavn) VALUES (1, 'x'), (2, 'y')");
    }

    int count(Dao::Database &on, const QString &sql)
    {
        return on.OpenRecordset(sql, Dao::RecordsetType::ForwardOnly)->Field(0).toInt();
    }

    QStringList column(const QString &sql, const char *field)
    {
        QStringList out;
        auto rs = db->OpenRecordset(sql, Dao::RecordsetType::Snapshot);
        for (; !rs->EOF_(); rs->MoveNext())
            out.append(rs->Field(field).toString());
        return out;
    }

    Sandbox box;
    std::unique_ptr<Dao::Database> db;
    std::unique_ptr<Dao::Database> paths;
};

} // namespace

TEST_F(Statements, ScratchTablesOfPathsEmptyAsTold)
{
    paths->Execute("DELETE [gendatogent].[DB], gendatogent.*  FROM gendatogent  WHERE "
                   "((([gendatogent].[DB])=True));  ");
    EXPECT_EQ(count(*paths, "SELECT count(*) FROM gendatogent"), 1);
    paths->Execute("DELETE [gendatogent].[ID], gendatogent.*  FROM gendatogent  WHERE "
                   "gendatogent.ID =1;  ");
    EXPECT_EQ(count(*paths, "SELECT count(*) FROM gendatogent"), 0);
    paths->Execute("INSERT INTO gendatogent (Dato) VALUES (1)");
    paths->Execute("DELETE gendatogent.*, gendatogent.ID  FROM gendatogent;  ");
    EXPECT_EQ(count(*paths, "SELECT count(*) FROM gendatogent"), 0);
    paths->Execute("DELETE andetlokalt.*, andetlokalt.lokalenr  FROM andetlokalt;  ");
    EXPECT_EQ(count(*paths, "SELECT count(*) FROM AndetLokAlt"), 0);
}

TEST_F(Statements, BookingfileDeletesRemoveTheirRows)
{
    db->Execute("DELETE DISTINCTROW Booking.*, Booking.gennr, Booking.Bdato  FROM Booking  WHERE "
                "Booking.gennr = 3 AND Booking.Bdato >= 300 And Booking.Bdato <= 307;  ");
    EXPECT_EQ(column("SELECT Bookingnr FROM booking WHERE gennr = 3", "Bookingnr"),
              QStringList({"5"}));
    db->Execute("INSERT INTO Department (depnr, depname) VALUES (4, 'IT'), (5, 'HR')");
    db->Execute("DELETE [Department].[depnr], Department.*  FROM Department  WHERE "
                "[Department].[depnr] = 4;  ");
    db->Execute("INSERT INTO opstilling (ID, Opstilling) VALUES (8, 'U')");
    db->Execute("DELETE [opstilling].[ID], opstilling.*  FROM opstilling  WHERE "
                "[opstilling].[ID]=8;  ");
    db->Execute("DELETE [Homebases].[ID], Homebases.*  FROM Homebases  WHERE "
                "[Homebases].[ID]=1;  ");
    EXPECT_EQ(column("SELECT depname FROM Department", "depname"), QStringList({"HR"}));
    EXPECT_EQ(count(*db, "SELECT count(*) FROM opstilling"), 0);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM Homebases"), 0);
}

TEST_F(Statements, ArchivingPurgeAndStamp)
{
    box.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    db->Execute("INSERT INTO bookingarkiv ( Bookingnr, Beskrivelse, Bstart, Bslut, Bdato, Bcolor, "
                "Bgruppe, Lokalenr, kontonr, Kontaktperson2, Kontaktpersonadr2, "
                "Kontaktpersonpnr2, Kontaktpersonby2, Kontakttlf2, Kontakttlfb2, langbeskrivelse, "
                "Antalpers, Pris, ID, Bemærkninger, gennr, gentagende, Intern, leveringssted, "
                "leveringstype, curacname )  "
                "SELECT booking.Bookingnr, booking.Beskrivelse, booking.Bstart, booking.Bslut, "
                "booking.Bdato, booking.Bcolor, booking.Bgruppe, booking.Lokalenr, "
                "booking.kontonr, "
                "booking.Kontaktperson2, booking.Kontaktpersonadr2, booking.Kontaktpersonpnr2, "
                "booking.Kontaktpersonby2, booking.Kontakttlf2, booking.Kontakttlfb2, "
                "booking.langbeskrivelse, booking.Antalpers, booking.Pris, booking.ID, "
                "booking.Bemærkninger, booking.gennr, booking.gentagende, booking.Intern, "
                "booking.leveringssted, booking.leveringstype, booking.curacname  FROM booking  "
                "WHERE ((booking.Bdato) < 300 And (booking.Bdato) >= 0) ;  ");
    EXPECT_EQ(column("SELECT Bookingnr FROM bookingarkiv ORDER BY Bookingnr", "Bookingnr"),
              QStringList({"1", "2"}));
    db->Execute("DELETE DISTINCTROW Booking.Bdato, Booking.* FROM Booking WHERE "
                "((Booking.Bdato)<(200));  ");
    EXPECT_EQ(count(*db, "SELECT count(*) FROM booking"), 5);
    db->Execute("UPDATE arkiveringsdato SET arkiveringsdato.arkiveringsdato = Date();  ");
    EXPECT_EQ(db->OpenRecordset("Select arkiveringsdato From arkiveringsdato Where ID = 1")
                  ->Field(0).toDateTime(), QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
}

TEST_F(Statements, AccountsAndGroupMembers)
{
    // The booking form's accounts of a member; the group manager's members of a group.
    EXPECT_EQ(column("SELECT Grptilk.pnr, Konti.Kontonavn, Konti.ID FROM Grptilk INNER JOIN Konti "
                     "ON Grptilk.gnr = Konti.ID WHERE Grptilk.pnr = 11;", "Kontonavn"),
              QStringList({"Anna", "Choir"}));
    const char *members = "SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN "
                          "Grptilk ON Konti.ID = Grptilk.pnr WHERE Grptilk.gnr =13;";
    EXPECT_EQ(column(members, "Kontonavn"), QStringList({"Anna", "Ben", "Ben"}));
    EXPECT_EQ(column("SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN Grptilk "
                     "ON Konti.ID = Grptilk.pnr WHERE Grptilk.gnr = 1 ;", "Kontonavn"),
              QStringList({"Administrator"}));
    db->Execute("DELETE Grptilk.*, Grptilk.gnr, Grptilk.pnr From Grptilk WHERE Grptilk.gnr = 13 "
                "AND Grptilk.pnr = 12;");
    EXPECT_EQ(column(members, "Kontonavn"), QStringList({"Anna"}));   // every duplicate goes
    db->Execute("DELETE Konti.*, Konti.ID  FROM Konti  WHERE Konti.ID = 13;");
    db->Execute("DELETE Grptilk.*, Grptilk.gnr  FROM Grptilk  WHERE Grptilk.gnr = 13;");
    EXPECT_EQ(count(*db, "SELECT count(*) FROM Konti"), 3);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM grptilk"), 3);
}

TEST_F(Statements, ReceiptQueries)
{
    const QString single =
        "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Konti.Kontotlf, "
        "lokale.Lokalenavn, Booking.Pris, Konti.Kontoadresse, Konti!Kontopnr & ' ' & "
        "Konti!Kontoby AS PoB, Konti.Kontonavn, Booking.gennr, Konti.kontokontakt, "
        "Konti.kontomail, booking!leveringstype & ' at ' & booking!leveringssted AS lev, "
        "lokale.lokalenr, Booking.Bemærkninger, Booking.Bstart, Booking.Bslut, Booking.Bdato "
        "FROM Homebases RIGHT JOIN ((Booking INNER JOIN lokale ON Booking.Lokalenr = "
        "lokale.lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) ON Homebases.ID = "
        "lokale.ID WHERE Booking.Bookingnr = %1; ";
    auto rs = db->OpenRecordset(single.arg(2));
    ASSERT_FALSE(rs->EOF_());
    EXPECT_EQ(rs->Field("PoB").toString(), " Oslo");   // a Null part is left out
    EXPECT_EQ(rs->Field("lev").toString(), "Van at Gate 2");
    EXPECT_EQ(rs->Field("Lokalenavn").toString(), "Hall A");
    auto first = db->OpenRecordset(single.arg(1));
    EXPECT_EQ(first->Field("PoB").toString(), "8000 Aarhus");
    EXPECT_EQ(first->Field("lev").toString(), " at ");
    EXPECT_TRUE(db->OpenRecordset(single.arg(6))->EOF_());   // no item: no row

    QString multi = single;
    multi.replace("Booking.Pris, Konti.Kontoadresse",
                  "Booking.Pris, Booking.Tax,Konti.Kontoadresse");
    multi.replace("WHERE Booking.Bookingnr = %1; ", "WHERE Booking.Gennr = %1; ");
    auto series = db->OpenRecordset(multi.arg(3), Dao::RecordsetType::Snapshot);
    EXPECT_EQ(series->RecordCount(), 3);
    EXPECT_TRUE(series->Field("Tax").toBool());
}

TEST_F(Statements, ResourceListsByKindOfTheGroup)
{
    const QString domestic =
        "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
        "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, lokale.maxprs, lokale.Lejetime, "
        "lokale.lokbeskrivelse, lokale.Lokfastinv FROM (Overgruppenavne INNER JOIN (lokaliteter "
        "INNER JOIN lokale ON lokaliteter.Lokalitetsnr = lokale.lokalinr) ON "
        "Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr) INNER JOIN Gruppetyper ON "
        "Overgruppenavne.Gruppeart = Gruppetyper.gruppeart WHERE (((Gruppetyper.gruppeart)=1)) "
        "ORDER BY Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
        "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;";
    EXPECT_EQ(column(domestic, "Lokalenavn"), QStringList({"Hall A", "Hall B", "Office 1"}));
    const QString standAlone =
        "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
        "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, lokale.Lejetime, lokale.lokfabrikat, "
        "lokale.lokmodel, lokale.loksernr, lokale.lokårgang, lokale.Leverandør, "
        "lokale.Garantislut, lokale.levphone, lokale.nextservice FROM (Overgruppenavne INNER JOIN "
        "(lokaliteter INNER JOIN lokale ON lokaliteter.Lokalitetsnr = lokale.lokalinr) ON "
        "Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr) INNER JOIN Gruppetyper ON "
        "Overgruppenavne.Gruppeart = Gruppetyper.gruppeart WHERE (((Gruppetyper.gruppeart)=3)) "
        "ORDER BY Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
        "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;";
    EXPECT_EQ(column(standAlone, "Lokalenavn"), QStringList({"Van"}));
    QString addOn = standAlone;
    addOn.replace("WHERE (((Gruppetyper.gruppeart)=3))", "WHERE (((Gruppetyper.gruppeart)=2))");
    EXPECT_EQ(column(addOn, "Lokalenavn"), QStringList({"Bose"}));
}

TEST_F(Statements, BookingOverviewOfAPeriod)
{
    const QString overview =
        QString("SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, "
                "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
                "Konti.Kontonavn, Konti.kontokontakt, Konti.Kontotlf, Booking.Pris, "
                "Booking.Antalpers, Booking.Bstart, Booking.Bslut, Booking.Bdato, "
                "Overgruppenavne.Gruppeart FROM ")
        + "((lokale RIGHT JOIN Booking ON lokale.lokalenr =  Booking.Lokalenr) INNER JOIN Konti "
          "ON Booking.kontonr = Konti.ID) INNER JOIN (Overgruppenavne INNER JOIN lokaliteter ON "
          "Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr) ON Booking.Bgruppe = "
          "lokaliteter.Lokalitetsnr GROUP BY Booking.Bookingnr, Booking.Beskrivelse, "
          "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
          "Konti.Kontonavn, Konti.kontokontakt, Konti.Kontotlf, Booking.Pris, Booking.Antalpers, "
          "Booking.Bstart, Booking.Bslut, Booking.Bdato, Overgruppenavne.Gruppeart HAVING "
          "(((Booking.Bdato) >= " + "200" + " And (Booking.Bdato) <= " + "310"
        + ") AND ((Overgruppenavne.Gruppeart) = " + "1" + " Or (Overgruppenavne.Gruppeart) = "
        + "2" + " Or (Overgruppenavne.Gruppeart) = " + "0"
        + ")) ORDER BY Booking.Bdato,  Overgruppenavne.OverGruppenavn, "
          "lokaliteter.Lokalitetsnavn, Booking.Bstart;";
    // Booking 6 has no item: the right join keeps it with an empty item name.
    EXPECT_EQ(column(overview, "Bookingnr"), QStringList({"2", "3", "6", "4"}));
}

TEST_F(Statements, ArchivePeriodReports)
{
    db->Execute("INSERT INTO bookingarkiv (Bookingnr, Bdato, Bstart, Bslut, Lokalenr, kontonr, "
                "Antalpers, Pris, Beskrivelse) VALUES (50, 400, 600, 690, 100, 11, 3, 20, 'a'), "
                "(51, 401, 600, 660, 102, 12, 4, 30, 'b'), "
                "(52, 500, 600, 660, 100, 11, 1, 1, 'c')");
    const QString forAccount =
        "SELECT Bookingarkiv.Bdato, Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
        "lokale.Lokalenavn, Bookingarkiv.Beskrivelse, Bookingarkiv.Lokalenr, "
        "Bookingarkiv.Antalpers, Bookingarkiv.Pris, (bookingarkiv!Bslut-bookingarkiv!Bstart)/60 "
        "AS antaltimer, Bookingarkiv.kontonr FROM Overgruppenavne INNER JOIN (lokaliteter INNER "
        "JOIN (Bookingarkiv INNER JOIN lokale ON Bookingarkiv.Lokalenr = lokale.lokalenr) ON "
        "lokaliteter.Lokalitetsnr = lokale.lokalinr) ON Overgruppenavne.overgruppenr = "
        "lokaliteter.Overgruppenr WHERE (Bookingarkiv.Bdato>=400 And Bookingarkiv.Bdato<=450) "
        "AND (Bookingarkiv.kontonr=11) ORDER BY Overgruppenavne.OverGruppenavn, "
        "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;";
    auto rs = db->OpenRecordset(forAccount);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(rs->Field("antaltimer").toDouble(), 1.5);   // 10:00 to 11:30
    const QString all =
        QString("SELECT Bookingarkiv.Bdato, Overgruppenavne.OverGruppenavn, "
                "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, Bookingarkiv.Beskrivelse, "
                "Bookingarkiv.Lokalenr, Bookingarkiv.Antalpers, Bookingarkiv.Pris, "
                "Bookingarkiv.Bemærkninger, Bookingarkiv.gennr, Bookingarkiv.gentagende, "
                "(bookingarkiv!Bslut-bookingarkiv!Bstart)/60 AS antaltimer, ")
        + "Overgruppenavne.Gruppeart FROM Overgruppenavne INNER JOIN (lokaliteter INNER JOIN "
          "(Bookingarkiv INNER JOIN lokale ON Bookingarkiv.Lokalenr = lokale.lokalenr) ON "
          "lokaliteter.Lokalitetsnr = lokale.lokalinr) ON Overgruppenavne.overgruppenr = "
          "lokaliteter.Overgruppenr "
        + "WHERE Bookingarkiv.Bdato >= 400 And Bookingarkiv.Bdato <= 500"
        + " ORDER BY Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
          "lokale.Lokalenavn;";
    EXPECT_EQ(column(all, "Beskrivelse"), QStringList({"a", "c", "b"}));
}
