#include "platform/controls/datacontrol.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/maskededit.h"
#include "platform/system.h"

#include <QCalendarWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The number box and the date box, alone and bound to a fee and a date field.
class BoundBoxesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        System::setNow(QDateTime(QDate(2024, 3, 10), QTime(9, 0)));
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("items.mdb");
        exec("CREATE TABLE ting (nr INTEGER PRIMARY KEY, gebyr DOUBLE, garanti DATETIME);"
             "INSERT INTO ting VALUES (1, 150, '2025-06-30 00:00:00');"
             "INSERT INTO ting VALUES (2, NULL, NULL);");
        fee.setFormat("0.00");
        data.setDatabaseName(m_path);
        data.setRecordSource("ting");
        data.bind(&fee, "gebyr");
        data.bind(&warranty, "garanti");
    }
    void TearDown() override
    {
        data.Close();
        System::setNow(QDateTime());
    }
    void exec(const char *sql)
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    QString stored(const char *sql)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(m_path.toUtf8().constData(), &db);
        sqlite3_stmt *stmt = nullptr;
        QString result;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW) {
            result = sqlite3_column_type(stmt, 0) == SQLITE_NULL
                         ? QStringLiteral("NULL")
                         : QString::fromUtf8(
                               reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)))
                               + "/" + QString::number(sqlite3_column_type(stmt, 0));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return result;
    }

    QTemporaryDir m_dir;
    QString m_path;
    DataControl data;
    MaskedEdit fee;
    DatePicker warranty;
};

TEST_F(BoundBoxesTest, AFeeIsShownInItsFormatAndWrittenAsANumber)
{
    data.Refresh();
    EXPECT_EQ(fee.text(), "150.00");
    EXPECT_FALSE(data.isDirty());   // filling is no change
    fee.setFocus();
    fee.selectAll();
    QTest::keyClicks(&fee, "87,5");
    data.MoveNext();
    EXPECT_EQ(stored("SELECT gebyr FROM ting WHERE nr = 1"), "87.5/2");   // a real, not text
    EXPECT_EQ(fee.text(), "");   // an empty fee shows empty

    data.MoveFirst();
    fee.clear();
    data.MoveNext();
    EXPECT_EQ(stored("SELECT gebyr FROM ting WHERE nr = 1"), "NULL");
}

TEST_F(BoundBoxesTest, ADateFieldShowsItsDayOrNothingAndAPickIsWritten)
{
    warranty.setDateFormat("dd-mm-yyyy");
    data.Refresh();
    EXPECT_EQ(warranty.text(), "30-06-2025");
    data.MoveNext();
    EXPECT_TRUE(warranty.isNull());
    EXPECT_EQ(warranty.text(), "");
    EXPECT_FALSE(data.isDirty());

    // An empty box opens its calendar on today.
    warranty.show();
    warranty.showCalendar();
    EXPECT_EQ(warranty.findChild<QCalendarWidget *>()->selectedDate(), QDate(2024, 3, 10));
    warranty.pick(QDate(2026, 1, 31));
    EXPECT_EQ(warranty.text(), "31-01-2026");
    data.MoveFirst();
    EXPECT_EQ(stored("SELECT garanti FROM ting WHERE nr = 2"), "2026-01-31 00:00:00/3");
    EXPECT_EQ(warranty.date(), QDate(2025, 6, 30));
}

} // namespace
