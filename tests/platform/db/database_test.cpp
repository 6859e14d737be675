#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "fixtures/sandbox.h"
#include "fixtures/sqlhelpers.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Extrafunktioner;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A plain SQLite file made by "another program": no RUC, tables of its own.
void makeForeignDatabase(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

struct BusyTimeout
{
    explicit BusyTimeout(int ms) : saved(Dao::Database::busyTimeout())
    {
        Dao::Database::setBusyTimeout(ms);
    }
    ~BusyTimeout() { Dao::Database::setBusyTimeout(saved); }
    int saved;
};

} // namespace

TEST(DatabaseFiles, BadFilesAreRefusedQuicklyWithoutACrash)
{
    Sandbox box;
    BusyTimeout quick(200);
    const QString good = box.newBookingfile("good.mdb");

    QDir(box.folder()).mkdir("folder.mdb");
    writeFile(box.file("empty.mdb"), QByteArray());
    writeFile(box.file("text.mdb"), "This is a letter, not a database.\n");
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();
    writeFile(box.file("truncated.mdb"), bytes.left(bytes.size() / 2));
    QByteArray corrupt = bytes;
    for (int i = 100; i < corrupt.size(); i += 7)
        corrupt[i] = char(0xA5);
    writeFile(box.file("corrupt.mdb"), corrupt);
    makeForeignDatabase(box.file("foreign.mdb"),
                        "CREATE TABLE invoices (no INTEGER PRIMARY KEY, amount REAL);");

    struct Case
    {
        QString path;
        bool opens;
    };
    const QList<Case> cases = {
        {box.file("missing.mdb"), false}, {box.file("folder.mdb"), false},
        {box.file("empty.mdb"), false},   {box.file("text.mdb"), false},
        {box.file("truncated.mdb"), false}, {box.file("corrupt.mdb"), false},
        {QString(), false},               {box.file("foreign.mdb"), true},
    };
    for (const Case &c : cases) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(CanOpenDatabase(c.path), c.opens) << c.path.toStdString();
        EXPECT_EQ(IsValidDatabase(c.path), c.opens) << c.path.toStdString();
        EXPECT_FALSE(IsBookingDatabase(c.path)) << c.path.toStdString();
        EXPECT_LT(clock.elapsed(), 5000) << c.path.toStdString();   // no wait, with room for load
    }
    EXPECT_TRUE(IsBookingDatabase(good));
}

TEST(DatabaseFiles, AFileLockedByAnotherConnectionIsRefused)
{
    Sandbox box;
    BusyTimeout quick(100);
    const QString path = box.newBookingfile("locked.mdb");
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(CanOpenDatabase(path));
    EXPECT_FALSE(IsBookingDatabase(path));
    try {
        Dao::Database::open(path);
        ADD_FAILURE() << "a locked file opened";
    } catch (const Dao::DbError &e) {
        EXPECT_TRUE(e.description().contains("locked")) << e.description().toStdString();
    }
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(IsBookingDatabase(path));
}

TEST(DatabaseFiles, AFileCannotRunCodeOfItsOwn)
{
    Sandbox box;
    const QString path = box.file("hostile.mdb");
    // A view that would load a library and one that calls an unknown function.
    makeForeignDatabase(path, "CREATE TABLE RUC (ID INTEGER PRIMARY KEY);"
                              "CREATE VIEW sneaky AS SELECT load_extension('/tmp/x.so') AS a;"
                              "CREATE VIEW fine AS SELECT 1 AS a;");
    // Its views are not the program's own: it is refused before anything of it is read.
    EXPECT_THROW(Dao::Database::open(path), Dao::DbError);
    EXPECT_FALSE(IsBookingDatabase(path));

    // Opened as it is, its code still cannot load a library, nor its schema be rewritten.
    const AnyLayout asItIs;
    auto db = Dao::Database::open(path);
    EXPECT_THROW(db->OpenRecordset("sneaky"), Dao::DbError);
    EXPECT_EQ(db->OpenRecordset("fine")->Field("a").toInt(), 1);
    // Its schema cannot be rewritten through the connection either.
    db->Execute("PRAGMA writable_schema = ON");
    EXPECT_THROW(db->Execute("UPDATE sqlite_schema SET sql = '' WHERE name = 'fine'"),
                 Dao::DbError);
    EXPECT_TRUE(IsBookingDatabase(path));   // a bookingfile by its RUC alone; opening runs nothing
}

TEST(DatabaseFiles, ErrorsCarryATextForAMessageBox)
{
    Sandbox box;
    auto db = Dao::Database::open(box.newBookingfile());
    try {
        db->Execute("DELETE FROM nosuchtable");
        ADD_FAILURE();
    } catch (const Dao::DbError &e) {
        EXPECT_TRUE(e.description().contains("nosuchtable")) << e.description().toStdString();
    }
    EXPECT_THROW(db->Execute("SELECT * FROM booking"), Dao::DbError);
    EXPECT_THROW(db->OpenRecordset("nosuchquery"), Dao::DbError);
    EXPECT_THROW(db->OpenRecordset("DELETE FROM booking"), Dao::DbError);
    db->Close();
    EXPECT_THROW(db->Execute("DELETE FROM booking"), Dao::DbError);
}

TEST(DatabaseFiles, TransactionsCommitOrRollBackWhole)
{
    Sandbox box;
    auto db = Dao::Database::open(box.newBookingfile());
    db->Execute("INSERT INTO Department (depnr, depname) VALUES (1, 'Kept')");
    {
        Dao::Transaction trans(*db);
        db->Execute("INSERT INTO Department (depnr, depname) VALUES (2, 'Dropped')");
        {
            Dao::Transaction inner(*db);
            db->Execute("INSERT INTO Department (depnr, depname) VALUES (3, 'Inner')");
            inner.commit();
        }
        // no commit: everything of this transaction goes
    }
    EXPECT_EQ(db->OpenRecordset("SELECT count(*) FROM Department")->Field(0).toInt(), 1);
    {
        Dao::Transaction trans(*db);
        db->Execute("INSERT INTO Department (depnr, depname) VALUES (4, 'Committed')");
        trans.commit();
    }
    EXPECT_EQ(db->OpenRecordset("SELECT count(*) FROM Department")->Field(0).toInt(), 2);
    EXPECT_EQ(db->transactionDepth(), 0);
}

TEST(DatabaseFiles, ClosingTheConnectionClosesItsRecordsets)
{
    Sandbox box;
    auto db = Dao::Database::open(box.newBookingfile());
    auto rs = db->OpenRecordset("Valgunits");
    db.reset();
    EXPECT_THROW(rs->Field(0), Dao::DbError);
    EXPECT_THROW(rs->MoveNext(), Dao::DbError);
    rs->Close();   // harmless
}

namespace {

QVariant firstOf(Dao::Database &db, const QString &sql)
{
    auto rs = db.OpenRecordset(sql, Dao::Bindings(), Dao::RecordsetType::ForwardOnly);
    return rs->EOF_() ? QVariant() : rs->Field(0);
}

} // namespace

// A connection closed a moment ago may serve the next open of the same file, but the open then
// reads the file as it is: another connection's commit, another file put in its place; and a
// connection that a caller changed (its page cache, a function of its own) is not handed out
// again.
TEST(DatabaseFiles, AReopenedFileIsReadAsItIsNow)
{
    Sandbox box;
    const QString path = box.newBookingfile("reopen.mdb");
    const QString name = "SELECT Kontonavn FROM Konti WHERE ID = 1";
    {
        auto db = Dao::Database::open(path);
        EXPECT_EQ(firstOf(*db, name).toString(), "Administrator");
    }
    execSql(path, "UPDATE Konti SET Kontonavn = 'Changed' WHERE ID = 1");
    EXPECT_EQ(firstOf(*Dao::Database::open(path), name).toString(), "Changed");

    // Another bookingfile in the file's place.
    const QString other = box.newBookingfile("other.mdb");
    execSql(other, "UPDATE Konti SET Kontonavn = 'Other' WHERE ID = 1");
    EXPECT_EQ(firstOf(*Dao::Database::open(path), name).toString(), "Changed");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    EXPECT_EQ(firstOf(*Dao::Database::open(path), name).toString(), "Other");

    {
        auto db = Dao::Database::open(path);
        sqlite3_exec(db->handle(), "PRAGMA cache_size = -64000", nullptr, nullptr, nullptr);
        sqlite3_create_function_v2(
            db->handle(), "mine", 0, SQLITE_UTF8, nullptr,
            [](sqlite3_context *c, int, sqlite3_value **) { sqlite3_result_int(c, 7); },
            nullptr, nullptr, nullptr);
    }
    auto db = Dao::Database::open(path);
    EXPECT_EQ(firstOf(*db, "SELECT cache_size FROM pragma_cache_size").toInt(), -2000);
    EXPECT_THROW(firstOf(*db, "SELECT mine()"), Dao::DbError);
}
