#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/report/reportdatacontrol.h"

#include <gtest/gtest.h>

using Dao::Bindings;
using Dao::RecordsetType;

namespace {

// Bookings of two accounts on three days; account 2 has one on each day, one of them tentative.
class BoundQueries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = box.newBookingfile();
        db = Dao::Database::open(path);
        for (const char *row : {"(1, 'Choir', 45000, 600, 2, 0)", "(2, 'Board', 45001, 540, 2, 1)",
                                "(3, 'Yoga', 45001, 480, 5, 0)", "(4, 'Chess', 45002, 1200, 2, 0)",
                                "(5, NULL, 45001, 700, 2, 0)"})
            db->Execute(QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, "
                                "kontonr, Tentative) VALUES %1").arg(row));
    }

    static QList<int> keys(Dao::Recordset &rs)
    {
        QList<int> out;
        for (; !rs.EOF_(); rs.MoveNext())
            out.append(rs.Field("Bookingnr").toInt());
        return out;
    }

    Sandbox box;
    QString path;
    std::unique_ptr<Dao::Database> db;
};

const char *kPeriodSql = "SELECT Bookingnr, Beskrivelse FROM booking WHERE kontonr = :user "
                         "AND Bdato BETWEEN :from AND :to ORDER BY Bdato, bstart";

} // namespace

TEST_F(BoundQueries, EveryKindOfRecordsetTakesPositionalAndNamedValues)
{
    const QVariantMap named{{"user", 2}, {":from", 45001}, {"to", 45002}};
    const QString positional = "SELECT Bookingnr FROM booking WHERE kontonr = ? "
                               "AND Bdato BETWEEN ?2 AND ?3 ORDER BY Bdato, bstart";
    for (RecordsetType type : {RecordsetType::Snapshot, RecordsetType::Dynaset,
                               RecordsetType::ForwardOnly, RecordsetType::Table}) {
        SCOPED_TRACE(int(type));
        auto byName = db->OpenRecordset(kPeriodSql, named, type);
        EXPECT_EQ(keys(*byName), QList<int>({2, 5, 4}));
        auto byPosition = db->OpenRecordset(positional, QVariantList{2, 45001, 45002}, type);
        EXPECT_EQ(keys(*byPosition), QList<int>({2, 5, 4}));
    }
}

TEST_F(BoundQueries, ValuesKeepTheirTypeAndNeverBecomeSqlText)
{
    db->Execute("INSERT INTO booking (Bookingnr, Beskrivelse, Pris) VALUES (9, "
                "'x'' OR ''1''=''1', 12.5)");
    struct Case { const char *where; QVariantList values; QList<int> rows; };
    const Case cases[] = {
        {"Beskrivelse IS ?", {QVariant()}, {5}},                         // Null binds Null
        {"Beskrivelse = ?", {"x' OR '1'='1"}, {9}},                      // a quote is a letter
        {"Beskrivelse = ?", {"Choir' OR 1=1 --"}, {}},
        {"Beskrivelse = ?", {""}, {}},                                   // empty text stays text
        {"Pris = ?", {12.5}, {9}},
        {"Tentative = ?", {true}, {2}},
        {"Bdato = ? AND bstart >= ?", {qlonglong(45001), 600}, {5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.where);
        auto rs = db->OpenRecordset(QString("SELECT Bookingnr FROM booking WHERE %1 "
                                            "ORDER BY Bookingnr").arg(c.where), c.values);
        EXPECT_EQ(keys(*rs), c.rows);
    }
    auto rs = db->OpenRecordset("SELECT count(*) AS n FROM booking", Bindings());
    EXPECT_EQ(rs->Field("n").toInt(), 6);   // the quote in a value ran nothing
}

TEST_F(BoundQueries, RefusesMissingOrUnusedValuesAndStatementsThatWrite)
{
    const auto open = [&](const QString &sql, const Bindings &values) {
        db->OpenRecordset(sql, values);
    };
    EXPECT_THROW(open(kPeriodSql, QVariantMap{{"user", 2}, {"from", 1}}), Dao::DbError);
    EXPECT_THROW(open(kPeriodSql, QVariantMap{{"user", 2}, {"from", 1}, {"to", 2},
                                              {"usr", 3}}), Dao::DbError);
    EXPECT_THROW(open(kPeriodSql, QVariantList{2, 1, 2}), Dao::DbError);   // named by position
    EXPECT_THROW(open("SELECT * FROM booking WHERE kontonr = ?", QVariantList{}), Dao::DbError);
    EXPECT_THROW(open("SELECT * FROM booking WHERE kontonr = ?", QVariantList{1, 2}),
                 Dao::DbError);
    EXPECT_THROW(open("SELECT * FROM booking WHERE kontonr = ?", QVariantMap{{"a", 1}}),
                 Dao::DbError);
    EXPECT_THROW(open("DELETE FROM booking WHERE kontonr = ?", QVariantList{2}), Dao::DbError);
    EXPECT_THROW(open("WITH k AS (SELECT 2) DELETE FROM booking WHERE kontonr IN k",
                      Bindings()), Dao::DbError);
    auto rs = db->OpenRecordset("SELECT count(*) AS n FROM booking", Bindings());
    EXPECT_EQ(rs->Field("n").toInt(), 5);
}

TEST_F(BoundQueries, DynasetWritesBackAndRequeryBindsTheSameValuesAgain)
{
    auto rs = db->OpenRecordset(kPeriodSql, QVariantMap{{"user", 2}, {"from", 45000},
                                                        {"to", 45000}}, RecordsetType::Dynaset);
    ASSERT_TRUE(rs->Updatable());
    rs->Edit();
    rs->SetField("Beskrivelse", "Choir rehearsal");
    rs->Update();
    db->Execute("INSERT INTO booking (Bookingnr, Bdato, bstart, kontonr) VALUES (8, 45000, 900, 2)");
    rs->Requery();
    EXPECT_EQ(keys(*rs), QList<int>({1, 8}));
    auto check = db->OpenRecordset("SELECT Beskrivelse FROM booking WHERE Bookingnr = ?",
                                   QVariantList{1}, RecordsetType::ForwardOnly);
    EXPECT_EQ(check->text("Beskrivelse"), "Choir rehearsal");
    EXPECT_FALSE(db->OpenRecordset(kPeriodSql, QVariantMap{{"user", 2}, {"from", 1}, {"to", 2}},
                                   RecordsetType::Snapshot)->Updatable());
}

TEST_F(BoundQueries, ReportDataControlOpensBoundSqlAndPlainSourcesAgain)
{
    ReportDataControl data;
    data.setDatabaseName(path);
    data.setRecordSource(kPeriodSql, QVariantMap{{"user", 5}, {"from", 0}, {"to", 99999}});
    auto rows = data.openRows();
    ASSERT_TRUE(rows->next());
    EXPECT_EQ(rows->value("Beskrivelse").toString(), "Yoga");
    EXPECT_FALSE(rows->next());

    data.setRecordSource("SELECT Bookingnr FROM booking");   // a plain source drops the values
    int n = 0;
    for (auto all = data.openRows(); all->next();)
        ++n;
    EXPECT_EQ(n, 5);
}
