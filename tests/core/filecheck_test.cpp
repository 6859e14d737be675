#include "fixtures/sandbox.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/form.h"
#include "platform/db/database.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Where page n (from 1) of the file starts, and where its b-tree header starts.
struct Pages
{
    qint64 size;
    qint64 start(qint64 n) const { return (n - 1) * size; }
    qint64 header(qint64 n) const { return start(n) + (n == 1 ? 100 : 0); }
};

Pages pagesOf(const QString &path)
{
    return {sqlValue(path, "PRAGMA page_size").toLongLong()};
}

qint64 rootOf(const QString &path, const QString &condition)
{
    return sqlValue(path, "SELECT rootpage FROM sqlite_schema WHERE " + condition).toLongLong();
}

// Damages the file at path as one fault of a disk or of a copy would.
using Damage = std::function<void(const QString &path, QByteArray &bytes)>;

void damage(const QString &path, const Damage &how)
{
    QByteArray bytes = readAll(path);
    how(path, bytes);
    writeAll(path, bytes);
}

const Damage kZeroBookingRoot = [](const QString &path, QByteArray &bytes) {
    const Pages p = pagesOf(path);
    bytes.replace(p.start(rootOf(path, "name = 'booking'")), p.size, QByteArray(p.size, '\0'));
};

struct BookingfileUser : ::testing::Test
{
    void SetUp() override { resetState(); }
    void TearDown() override
    {
        FilePicker::setScript(nullptr);
        resetState();
    }
    Sandbox box;
};

} // namespace

// Files with flipped bits or damaged pages are refused by every check of a chosen file, with a
// message that names the file and says to restore it; start-up offers the choice of another.
TEST_F(BookingfileUser, DamagedFilesAreRefusedWithAMessageThatNamesThem)
{
    struct Case
    {
        const char *name;
        Damage how;
    };
    const QList<Case> cases = {
        {"cut short", [](const QString &, QByteArray &b) { b.truncate(b.size() * 6 / 10); }},
        {"page size bit flipped", [](const QString &, QByteArray &b) { b[16] = char(b[16] ^ 0x01); }},
        {"booking page type flipped",
         [](const QString &path, QByteArray &b) {
             const Pages p = pagesOf(path);
             b[p.header(rootOf(path, "name = 'booking'"))] = char(0x07);
         }},
        {"booking page zeroed", kZeroBookingRoot},
        {"cell pointer past the page",
         [](const QString &path, QByteArray &b) {
             const Pages p = pagesOf(path);
             const qint64 h = p.header(rootOf(path, "name = 'booking'"));
             const qint64 cells = h + (quint8(b[h]) == 0x0D ? 8 : 12);
             b[cells] = char(0xFF);
             b[cells + 1] = char(0xF0);
         }},
        {"index page type flipped",
         [](const QString &path, QByteArray &b) {
             const Pages p = pagesOf(path);
             b[p.header(rootOf(path, "type = 'index' AND tbl_name = 'booking' LIMIT 1"))] =
                 char(0x03);
         }},
    };
    const QString healthy = box.newBookingfile("healthy.mdb", true);
    EXPECT_TRUE(IsBookingDatabase(healthy));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = box.newBookingfile(QString(c.name).replace(' ', '_') + ".mdb", true);
        damage(path, c.how);
        // The check of a file the user opens or creates reads it whole; a start does not (it
        // would read a big file at every start): damage met later is reported as it is met.
        QString why;
        EXPECT_FALSE(IsValidDatabase(path, &why));
        EXPECT_TRUE(why.contains(path) && why.contains("damaged")
                    && why.contains("Restore it from a copy"))
            << why.toStdString();
    }
}

// The open command refuses a damaged file with its reason and stores nothing.
TEST_F(BookingfileUser, OpeningADamagedFileSaysSoAndKeepsTheStoredFile)
{
    const QString stored = box.newBookingfile("stored.mdb");
    box.setChosenPath(stored);
    const QString broken = box.newBookingfile("broken.mdb", true);
    damage(broken, kZeroBookingRoot);
    FilePicker::setScript([&](bool, const QString &) { return broken; });
    auto *form = Forms::get<IntroConnect>();
    form->Show();
    form->Openf_Click();
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.shown()[0].title, "File Error");
    EXPECT_TRUE(box.lastText().contains(broken) && box.lastText().contains("Restore it from a copy"))
        << box.lastText().toStdString();
    EXPECT_EQ(sqlValue(box.file("paths.mdb"), "SELECT sti FROM stitabel").toString(), stored);
    EXPECT_TRUE(form->isVisible());
}

// Damage met after the checks (a disk failing while the program runs) is reported with the
// file's name, and nothing more is written to the file.
TEST_F(BookingfileUser, DamageFoundLaterStopsEveryWrite)
{
    gDatabasePath = box.newBookingfile("later.mdb", true);
    ASSERT_TRUE(IsBookingDatabase(gDatabasePath));
    const QString counter = QString::fromUtf8("SELECT nextkey FROM næstenøgle");
    const qlonglong key = sqlValue(gDatabasePath, counter).toLongLong();
    damage(gDatabasePath, kZeroBookingRoot);

    auto expectDamaged = [&](const std::function<void()> &step) {
        try {
            step();
            ADD_FAILURE() << "no error";
        } catch (const Dao::DbError &e) {
            EXPECT_TRUE(e.damaged()) << e.code();
            EXPECT_TRUE(e.description().contains(gDatabasePath)
                        && e.description().contains("Restore it from a copy"))
                << e.description().toStdString();
        }
    };
    expectDamaged([] { CountWhere("langbeskrivelse", "booking", ""); });
    // The key counter's page is sound, yet the file is written no more.
    expectDamaged([] { NextKey(); });
    expectDamaged([] {
        auto db = Dao::Database::open(gDatabasePath);
        db->Execute("UPDATE Department SET depname = 'x'");
    });
    EXPECT_EQ(sqlValue(gDatabasePath, counter).toLongLong(), key);
}

// A file that another program holds locked is refused after one short wait, with a message
// that says it is in use: at start-up and when it is chosen.
TEST_F(BookingfileUser, ALockedFileIsRefusedQuicklyAsInUse)
{
    const QString path = box.newBookingfile("locked.mdb");
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    box.setChosenPath(path);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(start::StartUp());
    EXPECT_LT(clock.elapsed(), 5000);   // one wait of the 2 s bound, not three
    EXPECT_TRUE(box.lastText().contains(path + " is in use by another user or program"))
        << box.lastText().toStdString();

    box.clearShown();
    FilePicker::setScript([&](bool, const QString &) { return path; });
    clock.restart();
    Forms::get<IntroConnect>()->Openf_Click();
    EXPECT_LT(clock.elapsed(), 5000);   // one wait of the 2 s bound, not three
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.shown()[0].title, "File Error");
    EXPECT_TRUE(box.lastText().contains(path + " is in use by another user or program"))
        << box.lastText().toStdString();

    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(IsBookingDatabase(path));
}

namespace {

// Bookings that an index lacks, as a torn write of one of its pages leaves them: SQLite is made
// to store them while the index's definition names no row, then the definition is put back.
void addUnindexed(const QString &path, const QString &index, const QString &insert)
{
    const QString sql =
        sqlValue(path, "SELECT sql FROM sqlite_schema WHERE name = '" + index + "'").toString();
    auto define = [&](const QString &text) {
        execSql(path, "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = '"
                          + QString(text).replace('\'', "''") + "' WHERE name = '" + index + "'");
    };
    define(sql + " WHERE Bookingnr < 0");
    execSql(path, insert);
    define(sql);
}

// A booking that the search's trigram index lacks: stored while its trigger was away.
void addUnsearchable(const QString &path, const QString &insert)
{
    const QString trigger = sqlValue(path, "SELECT sql FROM sqlite_schema WHERE name = "
                                           "'booking_trigram_insert'")
                                .toString();
    execSql(path, "DROP TRIGGER booking_trigram_insert");
    execSql(path, insert);
    execSql(path, trigger);
}

QString integrityOf(const QString &path)
{
    return sqlValue(path, "PRAGMA integrity_check").toString();
}

bool searchIndexWhole(const QString &path)
{
    try {
        execSql(path, "INSERT INTO booking_trigram (booking_trigram, rank) "
                      "VALUES ('integrity-check', 1)");
        return true;
    } catch (const std::runtime_error &) {
        return false;
    }
}

const QString kBooking = "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                         "Bgruppe, Lokalenr, kontonr) VALUES (90001, 'Hidden', 46400, 600, 660, "
                         "1, 1, 1), (90002, 'Hidden', 46401, 600, 660, 1, 1, 1)";

} // namespace

// Damage confined to indexes (bookings that the day view's, the clash test's or the search's
// indexes lack) is mended when the file is chosen: the indexes are rebuilt, the check passes,
// and the file is taken.
TEST_F(BookingfileUser, IndexesThatLackBookingsAreRebuiltWhenTheFileIsChosen)
{
    const struct {
        const char *index;
        bool fullText;
    } cases[] = {{"booking_search", false},
                 {"booking_Bgruppe_Bdato", false},
                 {"booking_Lokalenr_Bdato", false},
                 {"booking_trigram", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.index);
        const QString path = box.newBookingfile(QString(c.index) + ".mdb", true);
        if (c.fullText)
            addUnsearchable(path, kBooking);
        else
            addUnindexed(path, c.index, kBooking);
        ASSERT_NE(integrityOf(path) == "ok" && searchIndexWhole(path), true);
        QString why;
        EXPECT_TRUE(IsValidDatabase(path, &why)) << why.toStdString();
        EXPECT_EQ(integrityOf(path).toStdString(), "ok");
        EXPECT_TRUE(searchIndexWhole(path));
        EXPECT_EQ(sqlValue(path, "SELECT count(*) FROM booking WHERE Bookingnr > 90000").toInt(),
                  2);
    }
}

// The daily run behind the login checks the whole file: it mends damage to indexes before it
// archives, and names any other damage, after which nothing more is written to the file.
TEST_F(BookingfileUser, TheDailyRunMendsIndexesAndNamesOtherDamage)
{
    box.setNow(QDateTime(QDate(2026, 12, 14), QTime(9, 0)));   // the demo data is due
    const QString mended = box.newBookingfile("mended.mdb", true);
    addUnindexed(mended, "booking_search", kBooking);
    box.setChosenPath(mended);
    ASSERT_TRUE(start::StartUp());
    start::WaitForDailyArchiving();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    EXPECT_EQ(integrityOf(mended).toStdString(), "ok");
    EXPECT_TRUE(sqlValue(mended, "SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1")
                    .toString()
                    .startsWith("2026-12-14"));

    // A page of the archive's index that start-up does not read, damaged.
    Forms::unloadAll();
    const QString broken = box.newBookingfile("broken.mdb", true);
    const qlonglong archived = sqlValue(broken, "SELECT count(*) FROM bookingarkiv").toLongLong();
    damage(broken, [](const QString &path, QByteArray &b) {
        const Pages p = pagesOf(path);
        b[p.header(rootOf(path, "name = 'bookingarkiv_kontonr'"))] = char(0x03);
    });
    box.setChosenPath(broken);
    ASSERT_TRUE(start::StartUp());
    start::WaitForDailyArchiving();
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_TRUE(box.lastText().contains(broken) && box.lastText().contains("damaged")
                && box.lastText().contains("Restore it from a copy"))
        << box.lastText().toStdString();
    EXPECT_TRUE(sqlValue(broken, "SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1")
                    .toString()
                    .startsWith("2026-12-11"));
    EXPECT_EQ(sqlValue(broken, "SELECT count(*) FROM bookingarkiv").toLongLong(), archived);
    gDatabasePath = broken;
    EXPECT_THROW(NextKey(), Dao::DbError);
}
