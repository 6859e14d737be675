#include "core/extrafunktioner.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/introstart.h"
#include "fixtures/sandbox.h"
#include "planner/calendar.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QLineEdit>

#include <gtest/gtest.h>

// The whole road of a morning: the splash starts the program on a fresh copy of the
// demonstration bookingfile, a user logs in, and the day view shows the day's bookings.
TEST(Road, SplashLoginAndTheDayViewOnTheDemonstrationFile)
{
    Sandbox box;
    // The demonstration file was made on its build day; that day is "today" here.
    QDateTime built;
    {
        auto db = Dao::Database::open(box.file("Demodata.mdb"));
        built = db->OpenRecordset("SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1")
                    ->Field(0).toDateTime();
    }
    ASSERT_TRUE(built.isValid());
    box.setNow(QDateTime(built.date(), QTime(9, 30)));

    Forms::get<introstart>()->Timer1_Timer();
    EXPECT_FALSE(Forms::isLoaded<introstart>());
    ASSERT_TRUE(Forms::isLoaded<frmLogin>());
    EXPECT_EQ(Generalen::gDatabasePath, box.file("Demodata.mdb"));
    EXPECT_EQ(Generalen::gCurrentDay, Extrafunktioner::DateToDayNumber(built.date()));

    auto *login = Forms::get<frmLogin>();
    login->txtUserName->setText("anna");
    login->txtPassword->setText("anna");
    login->cmdOK_Click();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    EXPECT_FALSE(login->isVisible());
    ASSERT_TRUE(Forms::isLoaded<Calendar>());
    EXPECT_FALSE(Generalen::gIsAdmin);

    auto *day = Forms::get<Calendar>();
    EXPECT_EQ(day->windowTitle(), "Vantix - Dayview");
    EXPECT_GT(day->cc->ColumnCount(), 0);
    EXPECT_GT(day->cc->ItemCount(), 0);
    for (int i = 1; i <= day->cc->ItemCount(); ++i)
        EXPECT_EQ(day->cc->ItemDay(i), Generalen::gCurrentDay);
    EXPECT_EQ(day->CUser->text(), Generalen::gUserName);
    Generalen::resetState();
}
