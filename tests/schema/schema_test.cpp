// The built database files hold every table, field, stored query, key, index and first row that
// the program reads.
#include "sqlite_file.h"

#include "fixtures/sandbox.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

namespace {

// "name TYPE, name TYPE, ..." with the declared types that drive how values are read; a view
// field without a type is only required to exist.
struct ObjectShape
{
    const char *source;
    const char *fields;
};

const ObjectShape kBookingfileTables[] = {
    {"RUC", "ID INTEGER"},
    {"næstenøgle", "nextkey INTEGER"},
    {"arkiveringsdato", "ID INTEGER, arkiveringsdato DATETIME"},
    {"institutionsoplysninger",
     "Åbntid INTEGER, Luktid INTEGER, Prrimstart INTEGER, Primslut INTEGER, Skemastart INTEGER, "
     "Skemaslut INTEGER, taxpct DOUBLE, tax BOOLEAN, dateformatstr1 TEXT, dateformatstr2 TEXT, "
     "dateformatnr INTEGER, arCdEl INTEGER, deldel INTEGER, ampm BOOLEAN, military BOOLEAN, "
     "Tentative BOOLEAN, Timeunits INTEGER, FirstDay TEXT, Instutionsnavn TEXT, "
     "Instutionsadresse TEXT, Instutionspostnr TEXT, Instutionsby TEXT, Instutionstlf TEXT, "
     "Instutionsfax TEXT, Institutionsemail TEXT, Institutionswww TEXT, Senr TEXT, banknr TEXT, "
     "gironr TEXT, Logopic BLOB"},
    {"Valgformat", "Dateformatno INTEGER, Formatname TEXT"},
    {"Valgarcdel", "arcdel INTEGER"},
    {"Valgdeldel", "deldelY DOUBLE, deldelDays INTEGER"},
    {"Valgunits", "unitnr INTEGER, unittext TEXT"},
    {"gruppetyper", "gruppeart INTEGER, gtypenavn TEXT"},
    {"overgruppenavne", "overgruppenr INTEGER, OverGruppenavn TEXT, Gruppeart INTEGER"},
    {"lokaliteter",
     "Lokalitetsnr INTEGER, Lokalitetsnavn TEXT, Overgruppenr INTEGER, Lokibeskr TEXT, "
     "gruppeart INTEGER"},
    {"lokale",
     "lokalenr INTEGER, Lokalenavn TEXT, lokalinr INTEGER, Gruppeart INTEGER, "
     "lokbeskrivelse TEXT, gebyr DOUBLE, maxprs INTEGER, Lokfastinv TEXT, inaktiv BOOLEAN, "
     "inakstart INTEGER, inakslut INTEGER, ID INTEGER, lokfabrikat TEXT, lokmodel TEXT, "
     "loksernr TEXT, lokårgang INTEGER, Leverandør TEXT, levadresse TEXT, levzip TEXT, "
     "levby TEXT, levphone TEXT, levmail TEXT, Garantislut DATETIME, Lejetime DOUBLE, "
     "nextservice DATETIME"},
    {"Department", "depnr INTEGER, depname TEXT"},
    {"opstilling", "ID INTEGER, Opstilling TEXT, depnr INTEGER"},
    {"Homebases", "ID INTEGER, Homebase TEXT, depnr INTEGER"},
    {"Konti",
     "ID INTEGER, Kontonavn TEXT, kontokontakt TEXT, Kontoadresse TEXT, Kontopnr TEXT, "
     "Kontoby TEXT, Kontotlf TEXT, Kontotlfp TEXT, Kontomobil TEXT, Kontofax TEXT, "
     "kontomail TEXT, Kontostilling TEXT, Kontouser TEXT, KontoPass TEXT, Kontotype TEXT, "
     "archived BOOLEAN, admin BOOLEAN, depnr INTEGER, kontoowner INTEGER"},
    {"grptilk", "gnr INTEGER, pnr INTEGER"},
    {"booking",
     "Bookingnr INTEGER, Beskrivelse TEXT, langbeskrivelse TEXT, Bemærkninger TEXT, "
     "Bdato INTEGER, bstart INTEGER, bslut INTEGER, Bcolor INTEGER, Bgruppe INTEGER, "
     "Lokalenr INTEGER, kontonr INTEGER, curacname TEXT, Tentative BOOLEAN, "
     "Kontaktperson2 TEXT, Kontaktpersonadr2 TEXT, Kontaktpersonpnr2 TEXT, "
     "Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, Kontakttlfb2 TEXT, Antalpers INTEGER, "
     "Pris DOUBLE, tax BOOLEAN, bvpris INTEGER, ID INTEGER, gennr INTEGER, gentagende BOOLEAN, "
     "Intern BOOLEAN, leveringstype TEXT, leveringssted TEXT"},
    {"bookingarkiv",
     "Bookingnr INTEGER, Beskrivelse TEXT, Bstart INTEGER, Bslut INTEGER, Bdato INTEGER, "
     "Bcolor INTEGER, Bgruppe INTEGER, Lokalenr INTEGER, kontonr INTEGER, Kontaktperson2 TEXT, "
     "Kontaktpersonadr2 TEXT, Kontaktpersonpnr2 TEXT, Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, "
     "Kontakttlfb2 TEXT, langbeskrivelse TEXT, Antalpers INTEGER, Pris DOUBLE, ID INTEGER, "
     "Bemærkninger TEXT, gennr INTEGER, gentagende BOOLEAN, Intern BOOLEAN, "
     "leveringssted TEXT, leveringstype TEXT, curacname TEXT"},
};

const ObjectShape kBookingfileQueries[] = {
    {"activekonti", "Kontouser TEXT, KontoPass TEXT, Kontotype TEXT, Kontonavn TEXT, ID INTEGER, "
                    "admin BOOLEAN"},
    {"AdminAccounts", "Kontonavn TEXT, ID INTEGER"},
    {"bookingfor",
     "Bookingnr INTEGER, Lokalenr INTEGER, Bdato INTEGER, Beskrivelse TEXT, "
     "langbeskrivelse TEXT, Bemærkninger TEXT, tentative BOOLEAN, bvpris INTEGER, "
     "kontonr INTEGER, curacname TEXT, gennr INTEGER, gentagende BOOLEAN, Bcolor INTEGER, "
     "Pris DOUBLE, tax BOOLEAN, Antalpers INTEGER, ID INTEGER, leveringstype TEXT, "
     "Kontaktperson2 TEXT, Kontaktpersonadr2 TEXT, Kontaktpersonpnr2 TEXT, "
     "Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, Kontakttlfb2 TEXT, Lokalenavn TEXT, "
     "lokalinr INTEGER, Gruppeart INTEGER, Kontouser TEXT, kontokontakt TEXT, "
     "Kontoadresse TEXT, Kontopnr TEXT, Kontoby TEXT, Kontotlf TEXT, Kontofax TEXT, "
     "kontomail TEXT, Kontomobil TEXT, Kontotlfp TEXT, depname TEXT, start, slut, "
     "Kontonavn TEXT"},
    {"bookingS", "Bookingnr INTEGER, Bdato INTEGER, Kontonr INTEGER, lokalenr INTEGER, "
                 "lokalinr INTEGER, Overgruppenr INTEGER"},
    {"bookingtent", "Bookingnr INTEGER, Bdato INTEGER, Start, Slut, Lokalenavn TEXT, "
                    "Kontonavn TEXT, Kontotlf TEXT"},
    {"Departmentfor", "depname TEXT, depnr INTEGER"},
    {"fastugetest", "lokalenr INTEGER, Bdato, bstart INTEGER, bslut INTEGER, Beskrivelse, "
                    "gennr INTEGER, startdato, slutdato, Bcolor"},
    {"firstgroups", "Overgruppenr INTEGER, Lokalitetsnr INTEGER"},
    {"Florplanfor", "Opstilling TEXT, ID INTEGER"},
    {"gentagendeudløbfor", "maxofbdato, bstart INTEGER, bslut INTEGER, Beskrivelse TEXT, "
                           "Lokalenavn TEXT, Kontonavn TEXT, Kontotlf TEXT"},
    {"headerfor", "lokalenr INTEGER, Lokalenavn TEXT, lokalinr INTEGER, inaktiv BOOLEAN, "
                  "inakstart INTEGER, inakslut INTEGER"},
    {"Homebasefor", "Homebase TEXT, ID INTEGER"},
    {"KontiG", "Kontonavn TEXT, ID INTEGER, kontoowner INTEGER, kontokontakt TEXT"},
    {"KontiP", "Kontonavn TEXT, ID INTEGER"},
    {"Kontifor", "Kontonavn TEXT, ID INTEGER, Kontotype TEXT, archived BOOLEAN, "
                 "kontokontakt TEXT, Kontotlf TEXT"},
    {"kontoudskrift", "Kontotype TEXT, archived BOOLEAN, Kontonavn TEXT, kontokontakt TEXT, "
                      "Kontotlf TEXT, kontomail TEXT, Kontouser TEXT, KontoPass TEXT, "
                      "admin BOOLEAN, ID INTEGER"},
    {"lokalesort", "lokalinr INTEGER, Lokalenavn TEXT, lokalenr INTEGER"},
    {"mybookingsfor", "Bookingnr INTEGER, Bdato INTEGER, bstart INTEGER, bslut INTEGER, "
                      "Beskrivelse TEXT, gentagende BOOLEAN, Kontonr INTEGER, kontoowner, "
                      "Kontonavn TEXT, pnr INTEGER, Lokalenavn TEXT, gruppeart INTEGER"},
    {"OvergruppenavneFor", "OverGruppenavn TEXT, overgruppenr INTEGER"},
    {"searchforny", "Bookingnr INTEGER, Beskrivelse TEXT, Kontonavn TEXT, Bdato INTEGER, "
                    "gruppeart INTEGER, bstart INTEGER, bslut INTEGER, Lokalenavn TEXT"},
    {"unavailfor", "Lokalenavn TEXT, Lokalitetsnavn TEXT, OverGruppenavn TEXT, "
                   "inakstart INTEGER, inakslut INTEGER, lokalenr INTEGER"},
};

const ObjectShape kPathsTables[] = {
    {"stitabel", "sti TEXT"},
    {"standby",
     "Bookingnr INTEGER, bstart INTEGER, bslut INTEGER, Beskrivelse TEXT, Bdato INTEGER, "
     "lokalenr INTEGER, Bgruppe INTEGER, Bcolor INTEGER, Kontonr INTEGER, Kontaktperson2 TEXT, "
     "Kontaktpersonadr2 TEXT, Kontaktpersonpnr2 TEXT, Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, "
     "Kontakttlfb2 TEXT, langbeskrivelse TEXT, Antalpers INTEGER, Pris DOUBLE, ID INTEGER, "
     "Bemærkninger TEXT, gennr INTEGER, gentagende BOOLEAN, Intern BOOLEAN, Tentative BOOLEAN, "
     "curacname TEXT, btid INTEGER, leveringstype TEXT, leveringssted TEXT, tax BOOLEAN, "
     "bvpris INTEGER"},
    {"gendatogent", "ID INTEGER, Dato INTEGER, Start DATETIME, Slut DATETIME, lokalenr INTEGER, "
                    "DB BOOLEAN"},
    {"AndetLokAlt", "lokalenr INTEGER, Lokalenavn TEXT"},
};

const ObjectShape kPathsQueries[] = {
    {"andetlokaltfor", "Lokalenavn TEXT, lokalenr INTEGER"},
};

struct Field
{
    QString name;
    QString type;
};

QList<Field> parseFields(const char *fields)
{
    QList<Field> out;
    for (const QString &part : QString::fromUtf8(fields).split(',')) {
        const QStringList words = part.simplified().split(' ');
        out.append({words.value(0), words.value(1)});
    }
    return out;
}

QString quoted(const QString &name) { return '"' + name + '"'; }

// Checks that each field resolves in source under SQLite's own (ASCII-only) case folding and,
// where a type is given, carries that declared type.
void expectFields(SqliteFile &db, const ObjectShape &shape, bool isView)
{
    const QString source = QString::fromUtf8(shape.source);
    const QString kind = isView ? "view" : "table";
    EXPECT_EQ(db.value("SELECT count(*) FROM sqlite_master WHERE type = ? AND name = ?",
                       {kind, source}).toInt(), 1)
        << "no " << kind.toStdString() << " named " << shape.source;
    for (const Field &f : parseFields(shape.fields)) {
        const QString error =
            db.prepareError("SELECT " + quoted(f.name) + " FROM " + quoted(source));
        EXPECT_TRUE(error.isEmpty()) << shape.source << "." << f.name.toStdString() << ": "
                                     << error.toStdString();
        if (f.type.isEmpty())
            continue;
        const QVariant type = db.value(
            "SELECT type FROM pragma_table_info(?) WHERE lower(name) = lower(?)", {source, f.name});
        EXPECT_EQ(type.toString(), f.type) << shape.source << "." << f.name.toStdString();
    }
}

class SchemaTest : public ::testing::Test
{
protected:
    Sandbox box;
    QString emptyFile() { return box.newBookingfile("empty.mdb"); }
};

TEST_F(SchemaTest, BookingfileTablesHaveTheirFieldsAndTypes)
{
    SqliteFile db(emptyFile());
    for (const ObjectShape &shape : kBookingfileTables)
        expectFields(db, shape, false);
}

TEST_F(SchemaTest, BookingfileStoredQueriesDeliverTheirFields)
{
    SqliteFile db(emptyFile());
    for (const ObjectShape &shape : kBookingfileQueries)
        expectFields(db, shape, true);
}

TEST_F(SchemaTest, PathsTablesAndQueryHaveTheirFields)
{
    SqliteFile db(box.file("paths.mdb"));
    for (const ObjectShape &shape : kPathsTables)
        expectFields(db, shape, false);
    for (const ObjectShape &shape : kPathsQueries)
        expectFields(db, shape, true);
}

// Every stored query runs to its end on the empty file and on the demonstration file.
TEST_F(SchemaTest, EveryStoredQueryRunsOnEmptyAndDemoFiles)
{
    for (const QString &file : {emptyFile(), box.newBookingfile("demo.mdb", true)}) {
        SqliteFile db(file);
        for (const ObjectShape &shape : kBookingfileQueries)
            EXPECT_NO_THROW(db.rows("SELECT * FROM " + quoted(QString::fromUtf8(shape.source))))
                << shape.source << " on " << file.toStdString();
    }
    SqliteFile paths(box.file("paths.mdb"));
    EXPECT_NO_THROW(paths.rows("SELECT * FROM andetlokaltfor"));
}

// The Parts spell several names in other ASCII cases; each must reach the same object.
TEST_F(SchemaTest, NamesResolveUnderEverySpellingUsed)
{
    SqliteFile db(emptyFile());
    const char *const names[] = {
        "Booking", "Bookingarkiv", "Gruppetyper", "Overgruppenavne", "Grptilk", "konti",
        "department", "homebases", "Lokale", "Lokaliteter", "kontifor", "departmentfor",
        "homebasefor", "florplanfor", "NÆSTENØGLE" /* must NOT resolve: æ/ø are not folded */};
    for (const char *name : names) {
        const QString error = db.prepareError("SELECT * FROM " + quoted(QString::fromUtf8(name)));
        if (QByteArray(name) == "NÆSTENØGLE")
            EXPECT_FALSE(error.isEmpty());
        else
            EXPECT_TRUE(error.isEmpty()) << name << ": " << error.toStdString();
    }
    SqliteFile paths(box.file("paths.mdb"));
    EXPECT_TRUE(paths.prepareError("SELECT lokalenr FROM andetlokalt").isEmpty());
}

// Tables sought on "Primarykey" have a one-column key; where forms add rows the database numbers
// them and never hands a number out twice.
TEST_F(SchemaTest, KeysAndAutonumbers)
{
    struct Key
    {
        const char *file, *table, *key;
        bool autonumber;
    };
    const Key keys[] = {
        {"b", "booking", "Bookingnr", false},      {"b", "bookingarkiv", "Bookingnr", false},
        {"b", "Konti", "ID", true},                {"b", "lokale", "lokalenr", true},
        {"b", "lokaliteter", "Lokalitetsnr", true}, {"b", "overgruppenavne", "overgruppenr", true},
        {"b", "Department", "depnr", true},        {"b", "opstilling", "ID", true},
        {"b", "Homebases", "ID", true},            {"b", "gruppetyper", "gruppeart", false},
        {"b", "arkiveringsdato", "ID", false},      {"p", "gendatogent", "ID", true},
    };
    SqliteFile bookingfile(emptyFile());
    SqliteFile paths(box.file("paths.mdb"));
    for (const Key &k : keys) {
        SqliteFile &db = QByteArray(k.file) == "b" ? bookingfile : paths;
        const QString table = QString::fromUtf8(k.table);
        const QList<QVariantList> pk =
            db.rows("SELECT name FROM pragma_table_info(?) WHERE pk > 0", {table});
        ASSERT_EQ(pk.size(), 1) << k.table;
        EXPECT_EQ(pk.first().first().toString(), QString::fromUtf8(k.key)) << k.table;
        if (!k.autonumber)
            continue;
        db.exec("INSERT INTO " + table + " DEFAULT VALUES");
        const qlonglong first = db.value("SELECT max(" + QString(k.key) + ") FROM " + table)
                                    .toLongLong();
        db.exec("DELETE FROM " + table + " WHERE " + k.key + " = " + QString::number(first));
        db.exec("INSERT INTO " + table + " DEFAULT VALUES");
        EXPECT_GT(db.value("SELECT max(" + QString(k.key) + ") FROM " + table).toLongLong(),
                  first)
            << k.table << " reuses a deleted number";
    }
}

TEST_F(SchemaTest, FreshBookingfileHoldsItsFirstRows)
{
    SqliteFile db(emptyFile());
    EXPECT_EQ(db.value("SELECT count(*) FROM RUC").toInt(), 1);
    EXPECT_EQ(db.rows("SELECT nextkey FROM næstenøgle"), QList<QVariantList>{{1}});

    const QDateTime archived = QDateTime::fromString(
        db.value("SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1").toString(),
        "yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(archived.isValid());
    EXPECT_LT(archived.date().year(), 2000);

    const QList<QVariantList> kinds =
        db.rows("SELECT gruppeart, gtypenavn FROM gruppetyper ORDER BY gruppeart");
    EXPECT_EQ(kinds, (QList<QVariantList>{{1, "Domestic"}, {2, "Add-On"}, {3, "Stand-Alone"}}));

    ASSERT_EQ(db.value("SELECT count(*) FROM institutionsoplysninger").toInt(), 1);
    const QVariantList settings = db.rows(
        "SELECT Åbntid, Luktid, Prrimstart < Primslut, Skemastart < Skemaslut, taxpct, "
        "dateformatstr1, dateformatstr2, dateformatnr, FirstDay, arCdEl, deldel, "
        "Instutionsnavn IS NOT NULL, Institutionsemail IS NOT NULL "
        "FROM institutionsoplysninger").first();
    EXPECT_EQ(settings, (QVariantList{28800, 79200, 1, 1, 25.0, "dd-mm-yyyy", "D N-m-y", 1, "1",
                                      3, 548, 1, 1}));

    // The row's choices are rows of their choice lists; month first is format number 0.
    EXPECT_EQ(db.value("SELECT count(*) FROM institutionsoplysninger i "
                       "JOIN Valgformat f ON f.Dateformatno = i.dateformatnr "
                       "JOIN Valgarcdel a ON a.arcdel = i.arCdEl "
                       "JOIN Valgdeldel d ON d.deldelDays = i.deldel "
                       "JOIN Valgunits u ON u.unitnr = i.Timeunits").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM Valgformat WHERE Dateformatno = 0").toInt(), 1);
    EXPECT_EQ(db.value("SELECT deldelY FROM Valgdeldel WHERE deldelDays = 548").toDouble(), 1.5);
    EXPECT_EQ(db.value("SELECT count(*) FROM Valgunits").toInt(), 5);

    // Someone can log in to a fresh file, as an administrator who is a member of itself.
    EXPECT_EQ(db.rows("SELECT Kontouser, KontoPass, Kontotype, admin FROM activekonti"),
              (QList<QVariantList>{{"admin", "admin", "p", 1}}));
    EXPECT_EQ(db.value("SELECT count(*) FROM grptilk WHERE gnr = 1 AND pnr = 1").toInt(), 1);

    EXPECT_EQ(db.value("SELECT count(*) FROM booking").toInt(), 0);
    EXPECT_EQ(db.value("SELECT count(*) FROM lokale").toInt(), 0);
}

TEST_F(SchemaTest, PathsFileHoldsOneChosenPathAndEmptyScratchTables)
{
    SqliteFile db(box.file("paths.mdb"));
    const QList<QVariantList> sti = db.rows("SELECT sti FROM stitabel");
    ASSERT_EQ(sti.size(), 1);
    EXPECT_TRUE(sti.first().first().toString().endsWith("Demodata.mdb"));
    for (const char *table : {"standby", "gendatogent", "AndetLokAlt"})
        EXPECT_EQ(db.value(QString("SELECT count(*) FROM ") + table).toInt(), 0) << table;
    // paths.mdb must never pass for a bookingfile.
    EXPECT_FALSE(db.prepareError("SELECT * FROM RUC").isEmpty());
}

// A row added with only the fields the planner writes gets what the rest of the program needs.
TEST_F(SchemaTest, NewRowsTakeUsableDefaults)
{
    SqliteFile db(emptyFile());
    db.exec("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Beskrivelse) "
            "VALUES (7, 100, 600, 660, 'x')");
    EXPECT_EQ(db.rows("SELECT Tentative, gentagende, tax, bvpris, Intern, Antalpers, Pris, "
                      "Bcolor, gennr FROM booking"),
              (QList<QVariantList>{{0, 0, 0, 1, 0, 0, 0.0, 255, QVariant()}}));
    db.exec("INSERT INTO lokale (Lokalenavn) VALUES ('Room')");
    EXPECT_EQ(db.rows("SELECT inaktiv, Gruppeart, gebyr FROM lokale"),
              (QList<QVariantList>{{0, 1, 0.0}}));
    db.exec("INSERT INTO Konti (Kontonavn) VALUES ('New')");
    EXPECT_EQ(db.rows("SELECT Kontotype, archived, admin FROM Konti WHERE Kontonavn = 'New'"),
              (QList<QVariantList>{{"p", 0, 0}}));
    SqliteFile paths(box.file("paths.mdb"));
    paths.exec("INSERT INTO standby (Bookingnr) VALUES (1)");
    paths.exec("INSERT INTO gendatogent (Dato) VALUES (1)");
    EXPECT_EQ(paths.value("SELECT btid FROM standby").toInt(), 0);
    EXPECT_EQ(paths.value("SELECT DB FROM gendatogent").toInt(), 0);
}

// The frequent look-ups are answered from an index, not a scan of the table.
TEST_F(SchemaTest, FrequentLookupsUseAnIndex)
{
    struct Lookup
    {
        const char *what, *sql;
    };
    const Lookup lookups[] = {
        {"day view", "SELECT * FROM booking WHERE Bgruppe = 3 AND Bdato = 45000"},
        {"week view", "SELECT * FROM booking WHERE Lokalenr = 4 AND Bdato >= 45000 "
                      "AND Bdato <= 45006"},
        {"double-booking test", "SELECT count(*) FROM booking WHERE bdato = 45000 and "
                                "lokalenr = 4 and bstart < 600 And bslut > 540"},
        {"item delete check", "SELECT * FROM booking WHERE lokalenr = 4"},
        {"series", "SELECT * FROM booking WHERE gennr = 120"},
        {"series delete", "SELECT * FROM booking WHERE gennr = 120 AND Bdato >= 800 "
                          "AND Bdato <= 830"},
        {"archiving", "SELECT * FROM booking WHERE Bdato < 45000 AND Bdato >= 44990"},
        {"purge", "SELECT * FROM booking WHERE Bdato < 44500"},
        {"account check", "SELECT * FROM booking WHERE kontonr = 12"},
        {"archived account check", "SELECT * FROM bookingarkiv WHERE kontonr = 12"},
        {"archive period", "SELECT * FROM bookingarkiv WHERE Bdato >= 44000 AND Bdato <= 44365"},
        {"rights test", "SELECT count(*) FROM grptilk WHERE gnr =  12 And pnr =  7"},
        {"account choice", "SELECT * FROM grptilk WHERE pnr = 7"},
        {"members", "SELECT * FROM grptilk WHERE gnr = 12"},
        {"items of a type", "SELECT * FROM lokale WHERE lokalinr = 5"},
        {"archived item delete check", "Select * from bookingarkiv Where Lokalenr = 4"},
        {"group delete check", "Select * from lokaliteter Where Overgruppenr = 3"},
        {"type delete check", "Select * from lokale Where lokalinr = 5"},
    };
    SqliteFile db(emptyFile());
    for (const Lookup &l : lookups) {
        const QString plan = db.queryPlan(QString::fromUtf8(l.sql));
        EXPECT_TRUE(plan.contains("USING INDEX") || plan.contains("USING COVERING INDEX"))
            << l.what << ":\n" << plan.toStdString();
    }
    // The tentative list reads the tentative bookings only, already in its order.
    const QString tentative = db.queryPlan("SELECT * FROM bookingtent");
    EXPECT_TRUE(tentative.contains("booking_tentative")) << tentative.toStdString();
    EXPECT_FALSE(tentative.contains("TEMP B-TREE")) << tentative.toStdString();
}

} // namespace
