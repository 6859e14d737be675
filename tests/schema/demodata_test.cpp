// The demonstration bookingfile: a believable institution whose calendar is full around the
// day the file was made. That day is read from the file (its archiving date), never from the
// real clock.
#include "sqlite_file.h"

#include "core/extrafunktioner.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/start.h"
#include "fixtures/sandbox.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QImage>
#include <QLineEdit>

using namespace Generalen;

namespace {

using Rows = QList<QVariantList>;

class DemoFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = box.newBookingfile("demo.mdb", true);
        db = std::make_unique<SqliteFile>(path);
        built = QDateTime::fromString(
            db->value("SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1").toString(),
            "yyyy-MM-dd HH:mm:ss");
        ASSERT_TRUE(built.isValid());
        day = Extrafunktioner::DateToDayNumber(built.date());
    }

    int count(const QString &sql) { return db->value(sql).toInt(); }

    Sandbox box;
    QString path;
    std::unique_ptr<SqliteFile> db;
    QDateTime built;   // midnight of the day the file was made
    int day = 0;       // its day number
};

TEST_F(DemoFileTest, SettingsAreThoseOfARealHouse)
{
    const QVariantList s = db->rows(
        "SELECT Åbntid, Luktid, Prrimstart, Primslut, Skemastart, Skemaslut, taxpct, "
        "dateformatstr1, dateformatstr2, FirstDay, Timeunits, arCdEl, deldel "
        "FROM institutionsoplysninger").value(0);
    EXPECT_EQ(s, (QVariantList{25200, 79200, 28800, 61200, 25200, 79200, 25.0, "dd-mm-yyyy",
                              "D N-m-y", "1", 30, 30, 365}));
    // Each choice is a row of its choice list, and the date texts are those of the format.
    EXPECT_EQ(count("SELECT count(*) FROM institutionsoplysninger i "
                    "JOIN Valgformat f ON f.Dateformatno = i.dateformatnr AND i.dateformatnr <> 0 "
                    "JOIN Valgarcdel a ON a.arcdel = i.arCdEl "
                    "JOIN Valgdeldel d ON d.deldelDays = i.deldel "
                    "JOIN Valgunits u ON u.unitnr = i.Timeunits"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM institutionsoplysninger WHERE "
                    "Instutionsnavn <> '' AND Instutionsadresse <> '' AND Instutionspostnr <> '' "
                    "AND Instutionsby <> '' AND Instutionstlf <> '' AND Instutionsfax <> '' "
                    "AND Institutionsemail LIKE '%@%' AND Institutionswww <> ''"), 1);

    QImage logo;
    ASSERT_TRUE(logo.loadFromData(
        db->value("SELECT Logopic FROM institutionsoplysninger").toByteArray()));
    EXPECT_GE(logo.width(), 100);
    EXPECT_GE(logo.height(), 30);
}

TEST_F(DemoFileTest, EveryKindHasGroupsTypesAndItems)
{
    // Per kind: groups, types and items; a type's and an item's kind are their group's.
    EXPECT_EQ(db->rows("SELECT k.gruppeart, count(DISTINCT g.overgruppenr) >= 2, "
                       "count(DISTINCT t.Lokalitetsnr) >= 2, count(DISTINCT l.lokalenr) >= 6 "
                       "FROM gruppetyper k "
                       "LEFT JOIN overgruppenavne g ON g.Gruppeart = k.gruppeart "
                       "LEFT JOIN lokaliteter t ON t.Overgruppenr = g.overgruppenr "
                       "LEFT JOIN lokale l ON l.lokalinr = t.Lokalitetsnr "
                       "GROUP BY k.gruppeart ORDER BY k.gruppeart"),
              (Rows{{1, 1, 1, 1}, {2, 1, 1, 1}, {3, 1, 1, 1}}));
    EXPECT_EQ(count("SELECT count(*) FROM lokaliteter t "
                    "WHERE (SELECT count(*) FROM lokale l WHERE l.lokalinr = t.Lokalitetsnr) < 2 "
                    "OR t.gruppeart IS NOT (SELECT Gruppeart FROM overgruppenavne g "
                    "                       WHERE g.overgruppenr = t.Overgruppenr)"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM lokale l JOIN lokaliteter t "
                    "ON t.Lokalitetsnr = l.lokalinr WHERE l.Gruppeart IS NOT t.gruppeart"), 0);

    // Rooms have a capacity, a fee and furniture; equipment a homebase, brand, model and
    // supplier.
    EXPECT_EQ(count("SELECT count(*) FROM lokale WHERE Gruppeart = 1 AND NOT "
                    "(maxprs > 0 AND gebyr > 0 AND Lokfastinv <> '')"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM lokale l WHERE Gruppeart <> 1 AND NOT "
                    "(gebyr > 0 AND lokfabrikat <> '' AND lokmodel <> '' AND Leverandør <> '' "
                    " AND EXISTS (SELECT 1 FROM Homebases h WHERE h.ID = l.ID))"), 0);
    for (const char *list : {"Departmentfor", "Florplanfor", "Homebasefor"})
        EXPECT_GE(count(QString("SELECT count(*) FROM ") + list), 4) << list;

    // One item is out of use around the build day: the list shows it.
    EXPECT_GE(count(QString("SELECT count(*) FROM unavailfor WHERE inakstart <= %1 "
                            "AND inakslut >= %1").arg(day)), 1);
}

TEST_F(DemoFileTest, AccountsLogInAndAProjectHasItsOwnerAndMembers)
{
    EXPECT_EQ(db->rows("SELECT Kontouser, KontoPass, admin FROM activekonti "
                       "ORDER BY Kontouser"),
              (Rows{{"admin", "admin", 1}, {"anna", "anna", 0}, {"ben", "ben", 0}}));
    // Every person is a member of itself.
    EXPECT_EQ(count("SELECT count(*) FROM Konti k WHERE Kontotype = 'p' AND NOT EXISTS "
                    "(SELECT 1 FROM grptilk m WHERE m.gnr = k.ID AND m.pnr = k.ID)"), 0);
    // A project: its owner is a person who belongs to it, and it has other members too.
    EXPECT_GE(count("SELECT count(*) FROM KontiG g "
                    "JOIN Konti o ON o.ID = g.kontoowner AND o.Kontotype = 'p' "
                    "WHERE g.kontokontakt = o.Kontonavn "
                    "AND EXISTS (SELECT 1 FROM grptilk m WHERE m.gnr = g.ID AND m.pnr = o.ID) "
                    "AND (SELECT count(DISTINCT pnr) FROM grptilk m WHERE m.gnr = g.ID) >= 2"),
              1);
}

// Start-up on the build day loads the settings, archives nothing, opens on the first type, and
// each sample login of the login form gets in, with the administrator flag on admin alone.
TEST_F(DemoFileTest, StartsAndLogsInOnTheBuildDay)
{
    EXPECT_TRUE(Extrafunktioner::IsBookingDatabase(path));
    box.setNow(built.addSecs(9 * 3600));
    box.setChosenPath(path);
    const int bookings = count("SELECT count(*) FROM booking");
    ASSERT_TRUE(start::StartUp());
    start::WaitForDailyArchiving();
    EXPECT_TRUE(box.shown().isEmpty());
    EXPECT_EQ(count("SELECT count(*) FROM booking"), bookings);
    EXPECT_EQ(gOpeningTime, 420);
    EXPECT_EQ(gClosingTime, 1320);
    EXPECT_EQ(gCurrentDay, day);
    EXPECT_GE(count(QString("SELECT count(*) FROM lokale WHERE lokalinr = %1")
                        .arg(gCurrentTypeNo)),
              3);

    struct Login
    {
        const char *user, *password;
        bool ok, admin;
    };
    const Login logins[] = {{"anna", "anna", true, false},
                            {"ben", "ben", true, false},
                            {"admin", "admin", true, true},
                            {"carl", "carl", false, false}};   // an archived account
    for (const Login &l : logins) {
        auto *login = Forms::get<frmLogin>();
        login->txtUserName->setText(l.user);
        login->txtPassword->setText(l.password);
        login->cmdOK_Click();
        EXPECT_EQ(gLoginOk, l.ok) << l.user;
        if (l.ok) {
            EXPECT_EQ(gUserLogin, l.user);
            EXPECT_EQ(gIsAdmin, l.admin) << l.user;
        }
    }
}

// Around the build day every item that is in use has three to six bookings a day, within the
// opening hours, in its own type and never in its unavailable period.
TEST_F(DemoFileTest, CalendarIsFullAroundTheBuildDay)
{
    const QString around = QString("b.Bdato BETWEEN %1 AND %2").arg(day - 3).arg(day + 3);
    const Rows perItemDay = db->rows(
        QString("SELECT l.lokalenr, d.Bdato, "
                "(SELECT count(*) FROM booking b WHERE b.Lokalenr = l.lokalenr "
                "                                AND b.Bdato = d.Bdato) "
                "FROM lokale l CROSS JOIN (SELECT DISTINCT Bdato FROM booking b WHERE %1) d "
                "WHERE NOT (l.inaktiv <> 0 AND d.Bdato BETWEEN l.inakstart AND l.inakslut)")
            .arg(around));
    EXPECT_GE(perItemDay.size(), 7 * 30);
    for (const QVariantList &r : perItemDay) {
        EXPECT_GE(r.at(2).toInt(), 3) << "item " << r.at(0).toInt() << " day " << r.at(1).toInt();
        EXPECT_LE(r.at(2).toInt(), 6) << "item " << r.at(0).toInt() << " day " << r.at(1).toInt();
    }

    EXPECT_EQ(count("SELECT count(*) FROM booking b, institutionsoplysninger i "
                    "WHERE NOT (b.bstart >= i.Åbntid / 60 AND b.bslut <= i.Luktid / 60 "
                    "           AND b.bstart < b.bslut)"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM booking b JOIN lokale l ON l.lokalenr = b.Lokalenr "
                    "WHERE l.inaktiv <> 0 AND b.Bdato BETWEEN l.inakstart AND l.inakslut"), 0);
    // Item, type and account agree; the account's name is the one booked under.
    EXPECT_EQ(count("SELECT count(*) FROM booking b "
                    "LEFT JOIN lokale l ON l.lokalenr = b.Lokalenr "
                    "LEFT JOIN Konti k ON k.ID = b.kontonr "
                    "WHERE l.lokalinr IS NOT b.Bgruppe OR k.Kontonavn IS NOT b.curacname"), 0);

    EXPECT_GE(count(QString("SELECT count(DISTINCT Bcolor) FROM booking b WHERE %1").arg(around)),
              5);
    EXPECT_GE(count(QString("SELECT count(*) FROM bookingtent WHERE Bdato = %1").arg(day)), 1);
    // Rooms print their floor plan and persons, equipment its delivery.
    EXPECT_EQ(count("SELECT count(*) FROM bookingfor WHERE Gruppeart = 1 AND Antalpers < 1"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM bookingfor WHERE Gruppeart <> 1 "
                    "AND leveringstype NOT IN ('Collected', 'Delivered')"), 0);
}

TEST_F(DemoFileTest, WeeklySeriesShareTheirHeadsNumber)
{
    // Per series: its head is a member, all on one item at one time, on one weekday.
    const Rows series = db->rows(
        "SELECT gennr, count(*), min(Bookingnr) = gennr, count(DISTINCT Lokalenr), "
        "count(DISTINCT bstart || '-' || bslut), count(DISTINCT Bdato % 7), "
        "min(Bdato), max(Bdato), sum(gentagende <> 0) "
        "FROM booking WHERE gennr IS NOT NULL GROUP BY gennr");
    ASSERT_GE(series.size(), 1);
    bool weekly = false;
    for (const QVariantList &s : series) {
        const int members = s.at(1).toInt();
        EXPECT_GE(members, 3);
        EXPECT_EQ((QVariantList{s.at(2), s.at(3), s.at(4), s.at(5), s.at(8)}),
                  (QVariantList{1, 1, 1, 1, members}))
            << "series " << s.at(0).toInt();
        weekly = weekly || s.at(7).toInt() - s.at(6).toInt() == 7 * (members - 1);
    }
    EXPECT_TRUE(weekly);
    // A series ends within the month, so the list of expiring series has something to show.
    EXPECT_GE(count(QString("SELECT count(*) FROM gentagendeudløbfor WHERE maxofbdato "
                            "BETWEEN %1 AND %2").arg(day).arg(day + 31)),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM booking WHERE gentagende <> 0 AND gennr IS NULL"), 0);
}

// New bookings get numbers no booking or archived booking has; the archive holds only what the
// archiving would have moved there.
TEST_F(DemoFileTest, KeyCounterAndArchive)
{
    EXPECT_GT(db->value("SELECT nextkey FROM næstenøgle").toLongLong(),
              db->value("SELECT max(n) FROM (SELECT max(Bookingnr) n FROM booking "
                        "UNION ALL SELECT max(Bookingnr) FROM bookingarkiv)").toLongLong());
    EXPECT_EQ(count("SELECT count(*) FROM booking b JOIN bookingarkiv a USING (Bookingnr)"), 0);
    EXPECT_GE(count("SELECT count(*) FROM bookingarkiv"), 100);
    EXPECT_EQ(count(QString("SELECT count(*) FROM bookingarkiv, institutionsoplysninger "
                            "WHERE Bdato >= %1 - arCdEl").arg(day)),
              0);
}

} // namespace
