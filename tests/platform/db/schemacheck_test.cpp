#include "fixtures/sandbox.h"
#include "fixtures/sqlhelpers.h"
#include "platform/db/database.h"
#include "platform/db/deadline.h"
#include "platform/db/recordset.h"
#include "platform/db/schemacheck.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

using Dao::SchemaCheck::normalise;

namespace {

// A small layout with two earlier versions: version 0 had no index, version 1 no column c.
Dao::FileSchema layout(const QString &firstUpgrade = "CREATE INDEX t_a ON t (a);")
{
    return {"test file",
            "PRAGMA user_version = 2;"
            "CREATE TABLE t (a INTEGER, b TEXT, c INTEGER DEFAULT 7);"
            "CREATE INDEX t_a ON t (a);"
            "CREATE VIEW v AS SELECT a, b FROM t WHERE a > 0;",
            {{0, firstUpgrade, "DROP INDEX t_a;"},
             {1, "ALTER TABLE t ADD COLUMN c INTEGER DEFAULT 7;",
              "DROP TABLE t; CREATE TABLE t (a INTEGER, b TEXT); CREATE INDEX t_a ON t (a);"}}};
}

// The layouts Database::open knows while it lives; the earlier ones come back after it.
class KnownLayouts
{
public:
    explicit KnownLayouts(std::vector<Dao::FileSchema> layouts)
        : m_saved(Dao::SchemaCheck::knownSchemas())
    {
        Dao::SchemaCheck::setKnownSchemas(std::move(layouts));
    }
    ~KnownLayouts() { Dao::SchemaCheck::setKnownSchemas(m_saved); }

private:
    std::vector<Dao::FileSchema> m_saved;
};

// A new file at path made by the script, as another program would make it.
void makeFile(const QString &path, const QString &script)
{
    QFile::remove(path);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file as an earlier program made it, written here by its own script.
const char kVersion0[] = "CREATE TABLE t (a INTEGER, b TEXT);"
                         "CREATE VIEW v AS SELECT a, b FROM t WHERE a > 0;"
                         "INSERT INTO t VALUES (1, 'one'), (2, 'two');";
const char kVersion1[] = "CREATE TABLE t (a INTEGER, b TEXT);"
                         "CREATE INDEX t_a ON t (a);"
                         "CREATE VIEW v AS SELECT a, b FROM t WHERE a > 0;"
                         "INSERT INTO t VALUES (1, 'one'), (2, 'two');"
                         "PRAGMA user_version = 1;";

} // namespace

TEST(SchemaCheck, NormalisingKeepsWhatTheTextSaysAndDropsItsLayout)
{
    const struct {
        const char *a;
        const char *b;
        bool same;
    } cases[] = {
        {"CREATE TABLE t (\n  a INTEGER, -- the key\n  b TEXT\n)",
         "CREATE TABLE t(a INTEGER,b TEXT)", true},
        {"CREATE VIEW v AS SELECT /* all */ a  FROM t;", "CREATE VIEW v AS SELECT a FROM t", true},
        {"CREATE TABLE t (a TEXT DEFAULT 'x  y')", "CREATE TABLE t (a TEXT DEFAULT 'x y')", false},
        {"CREATE TABLE [a  b] (x)", "CREATE TABLE [a b] (x)", false},
        {"CREATE TABLE t (a TEXT DEFAULT 'it''s -- no comment')",
         "CREATE TABLE t (a TEXT DEFAULT 'it''s -- no comment')", true},
        {"CREATE VIEW v AS SELECT a FROM t", "CREATE VIEW v AS SELECT b FROM t", false},
        {"CREATE VIEW v AS SELECT a FROM t", "CREATE VIEW v AS SELECTa FROM t", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(normalise(c.a) == normalise(c.b), c.same) << c.a << " | " << c.b;
}

// Each earlier version comes up to today's layout once, its rows intact; today's file is not
// written at all.
TEST(SchemaCheck, AFileOfAnEarlierVersionIsUpgradedOnceWithItsRowsIntact)
{
    QTemporaryDir dir;
    const KnownLayouts known({layout()});
    for (const char *script : {kVersion0, kVersion1}) {
        SCOPED_TRACE(script);
        const QString path = dir.filePath("old.db");
        makeFile(path, script);
        {
            auto db = Dao::Database::open(path);
            auto rs = db->OpenRecordset("SELECT a, b, c FROM t ORDER BY a",
                                        Dao::RecordsetType::Snapshot);
            EXPECT_EQ(rs->Field("b").toString(), "one");
            EXPECT_EQ(rs->Field("c").toInt(), 7);
            rs->MoveNext();
            EXPECT_EQ(rs->Field("b").toString(), "two");
        }
        EXPECT_EQ(sqlValue(path, "PRAGMA user_version").toInt(), 2);
        const QByteArray upgraded = bytesOf(path);
        Dao::Database::open(path)->OpenRecordset("v")->Close();
        EXPECT_EQ(bytesOf(path), upgraded);
    }
}

// The bound on a chosen file's check does not cut short the upgrade of a file that passed it:
// the upgrade of a large file takes as long as its rows need.
TEST(SchemaCheck, TheUpgradeOfALargeFileIsNotCutShortByTheChecksBound)
{
    QTemporaryDir dir;
    const QString slowStep = "CREATE INDEX t_a ON t (a);"
                             "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                             "WHERE x < 3000000) SELECT count(*) FROM c;";
    const KnownLayouts known({layout(slowStep)});
    const QString path = dir.filePath("large.db");
    makeFile(path, kVersion0);
    const Dao::Deadline bound(150);
    QElapsedTimer clock;
    clock.start();
    EXPECT_NO_THROW(Dao::Database::open(path));
    EXPECT_GT(clock.elapsed(), 150);   // the step ran past the bound
    EXPECT_EQ(sqlValue(path, "PRAGMA user_version").toInt(), 2);
}

// A layout that is none of the versions is refused before anything reads it, and the file is
// left as it was; so is a file whose upgrade fails.
TEST(SchemaCheck, AnythingButTheProgramsOwnLayoutIsRefusedAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString today = "CREATE TABLE t (a INTEGER, b TEXT, c INTEGER DEFAULT 7);"
                          "CREATE INDEX t_a ON t (a);"
                          "CREATE VIEW v AS SELECT a, b FROM t WHERE a > 0;"
                          "PRAGMA user_version = 2;";
    const struct {
        const char *what;
        QString sql;
        const char *says;
    } cases[] = {
        {"a trigger of its own",
         today + "CREATE TRIGGER t_spy AFTER INSERT ON t BEGIN DELETE FROM t; END;",
         "it holds a trigger t_spy of its own"},
        {"a view of its own under our name",
         "CREATE TABLE t (a INTEGER, b TEXT, c INTEGER DEFAULT 7); CREATE INDEX t_a ON t (a);"
         "CREATE VIEW v AS SELECT a, b FROM t; PRAGMA user_version = 2;",
         "its view v differs"},
        {"an index missing",
         "CREATE TABLE t (a INTEGER, b TEXT, c INTEGER DEFAULT 7);"
         "CREATE VIEW v AS SELECT a, b FROM t WHERE a > 0; PRAGMA user_version = 2;",
         "it lacks the index t_a"},
        {"a newer version", QString(today).replace("= 2", "= 3"), "newer version"},
        {"an earlier layout under a later number",
         QString(kVersion0) + "PRAGMA user_version = 1;", "its table t differs"},
    };
    const KnownLayouts known({layout()});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("foreign.db");
        makeFile(path, c.sql);
        const QByteArray before = bytesOf(path);
        try {
            Dao::Database::open(path);
            ADD_FAILURE() << "opened";
        } catch (const Dao::DbError &e) {
            EXPECT_EQ(e.code(), Dao::SchemaCheck::ForeignLayout);
            EXPECT_TRUE(e.description().contains(c.says)) << e.description().toStdString();
        }
        EXPECT_EQ(bytesOf(path), before);
    }

    const KnownLayouts failing({layout("CREATE INDEX t_a ON nosuch (a);")});
    const QString path = dir.filePath("old.db");
    makeFile(path, kVersion0);
    const QByteArray before = bytesOf(path);
    try {
        Dao::Database::open(path);
        ADD_FAILURE() << "opened";
    } catch (const Dao::DbError &e) {
        EXPECT_TRUE(e.description().contains("could not be brought up to this version"))
            << e.description().toStdString();
    }
    EXPECT_EQ(bytesOf(path), before);
}

// A layout seen before is taken without its rows being compared again, but only while the file
// holds exactly that layout: a trigger added after an accepted open is refused at the next.
TEST(SchemaCheck, AFileAcceptedBeforeIsRefusedOnceItsLayoutChanges)
{
    QTemporaryDir dir;
    const KnownLayouts known({layout()});
    const QString path = dir.filePath("file.db");
    makeFile(path, "CREATE TABLE t (a INTEGER, b TEXT, c INTEGER DEFAULT 7);"
                   "CREATE INDEX t_a ON t (a); CREATE VIEW v AS SELECT a, b FROM t WHERE a > 0;"
                   "PRAGMA user_version = 2;");
    for (int i = 0; i < 2; ++i)
        EXPECT_NO_THROW(Dao::Database::open(path));
    execSql(path, "CREATE TRIGGER t_spy AFTER INSERT ON t BEGIN DELETE FROM t; END");
    EXPECT_THROW(Dao::Database::open(path), Dao::DbError);
    execSql(path, "DROP TRIGGER t_spy");
    EXPECT_NO_THROW(Dao::Database::open(path));
}

// Behind the layout check: a statement that runs past its bound is stopped, and the connection
// serves again afterwards; the program's own functions cannot be called from a file's view.
TEST(SchemaCheck, BoundsStopEndlessStatementsAndFilesCannotCallOurFunctions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("busy.db");
    makeFile(path, "CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1);"
                  "CREATE VIEW endless AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL "
                  "SELECT x + 1 FROM c) SELECT count(*) AS n FROM c;"
                  "CREATE VIEW ours AS SELECT jet_concat('a', 'b') AS s;");
    const AnyLayout asItIs;
    auto db = Dao::Database::open(path);
    {
        const Dao::Deadline bound(200);
        QElapsedTimer clock;
        clock.start();
        try {
            db->OpenRecordset("endless");
            ADD_FAILURE() << "ran to its end";
        } catch (const Dao::DbError &e) {
            EXPECT_EQ(e.code() & 0xff, Dao::Deadline::TimedOut);
            EXPECT_TRUE(e.description().contains("took too long"))
                << e.description().toStdString();
        }
        EXPECT_LT(clock.elapsed(), 5000);   // ended by the bound, with room for a loaded machine
    }
    EXPECT_EQ(db->OpenRecordset("SELECT count(*) FROM t")->Field(0).toInt(), 1);

    EXPECT_THROW(db->OpenRecordset("ours"), Dao::DbError);
    EXPECT_EQ(db->OpenRecordset("SELECT 'a' & 'b' AS s")->Field("s").toString(), "ab");
}
