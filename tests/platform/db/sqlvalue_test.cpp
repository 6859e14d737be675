#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/db/statement.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *name;
    const char *column;
    QVariant value;
    QVariant stored;   // as typeof-free text of the stored value; invalid: refused
};

// The stored value as SQLite holds it, written as text with its storage class.
QString storedAs(Dao::Database &db, const char *column)
{
    auto rs = db.OpenRecordset(QString("SELECT typeof(%1) || ':' || coalesce(%1, '') AS v "
                                       "FROM t WHERE id = 1").arg(column), Dao::Bindings());
    return rs->text("v");
}

} // namespace

// A value written through a recordset's SetField and one bound to a statement are converted
// by the same rules, so both store the same.
TEST(SqlValues, RecordsetsAndBoundStatementsStoreAValueAlike)
{
    const Case cases[] = {
        {"number as Boolean", "b", 2, "integer:1"},
        {"fraction as Boolean", "b", 0.25, "integer:1"},
        {"zero as Boolean", "b", 0.0, "integer:0"},
        {"text yes as Boolean", "b", "Yes", "integer:1"},
        {"text number as Boolean", "b", "0", "integer:0"},
        {"date as Boolean", "b", QDate(2024, 1, 1), QVariant()},
        {"word as Boolean", "b", "maybe", QVariant()},
        {"empty text as Boolean", "b", "", "null:"},
        {"tie rounds to even", "n", 2.5, "integer:2"},
        {"text fraction", "n", "3.5", "integer:4"},
        {"true as number", "n", true, "integer:1"},
        {"date as number", "n", QDate(2024, 1, 1), QVariant()},
        {"date-time as text", "s", QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)),
         "text:2024-01-02 03:04:05"},
        {"date as date-time", "d", QDate(2024, 1, 2), "text:2024-01-02 00:00:00"},
        {"bad date", "d", "31-31-2024", QVariant()},
    };
    Sandbox box;
    auto db = Dao::Database::open(box.newBookingfile());
    db->Execute("CREATE TABLE t (id INTEGER PRIMARY KEY, b BOOLEAN, n INTEGER, s TEXT, "
                "d DATETIME)");
    db->Execute("INSERT INTO t (id) VALUES (1)");
    const QMap<QString, Dao::FieldKind> kinds{{"b", Dao::FieldKind::Boolean},
                                              {"n", Dao::FieldKind::Integer},
                                              {"s", Dao::FieldKind::Text},
                                              {"d", Dao::FieldKind::DateTime}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        db->Execute("UPDATE t SET b = NULL, n = NULL, s = NULL, d = NULL");
        auto rs = db->OpenRecordset("t", Dao::RecordsetType::Table);
        rs->Edit();
        Dao::Statement bound(db->handle(), QString("UPDATE t SET %1 = ? WHERE id = 1")
                                               .arg(c.column));
        if (!c.stored.isValid()) {
            EXPECT_THROW(rs->SetField(c.column, c.value), Dao::DbError);
            EXPECT_THROW(bound.bind(1, c.value, kinds.value(c.column)), Dao::DbError);
            continue;
        }
        rs->SetField(c.column, c.value);
        rs->Update();
        EXPECT_EQ(storedAs(*db, c.column), c.stored.toString());
        db->Execute("UPDATE t SET b = NULL, n = NULL, s = NULL, d = NULL");
        bound.bind(1, c.value, kinds.value(c.column));
        bound.step();
        EXPECT_EQ(storedAs(*db, c.column), c.stored.toString());
    }
}
