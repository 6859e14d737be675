#include "fixtures/sandbox.h"

#include "core/generalen.h"
#include "core/times.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/form.h"
#include "platform/controls/timeedit.h"
#include "platform/db/database.h"

#include <QTest>

#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace Generalen;

namespace {

class TimesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        sandbox.setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        file = sandbox.newBookingfile("booking.mdb");
        gDatabasePath = file;
    }
    void TearDown() override
    {
        if (Forms::isLoaded<Times>()) {
            int second = 0;   // a time for every box, each pair in order
            for (TimeEdit *e : edits(Forms::get<Times>()))
                e->setValue(second += 60);
            Forms::unload<Times>();
        }
        resetState();
    }

    // In the order of the row's fields: opening, closing, prime start and end, print start and
    // end.
    static QList<TimeEdit *> edits(Times *f)
    {
        return {f->ctDEdit3, f->ctDEdit1, f->ctDEdit2, f->ctDEdit4, f->ctDEdit5, f->ctDEdit6};
    }

    Times *open()
    {
        Times *f = Forms::get<Times>();
        f->Show(Form::Modal);
        return f;
    }

    QString storedTimes() const
    {
        return sqlValue(file, "SELECT Åbntid || ' ' || Luktid || ' ' || Prrimstart || ' ' || "
                              "Primslut || ' ' || Skemastart || ' ' || Skemaslut "
                              "FROM institutionsoplysninger")
            .toString();
    }

    Sandbox sandbox;
    QString file;
};

TEST_F(TimesTest, TheCaretPicksTheUnitThatASpinStepsAndTheDayBoundsStopIt)
{
    Times *f = open();
    EXPECT_EQ(f->windowTitle(), "Vantix - Times");
    EXPECT_EQ(f->ctDEdit3->text(), "08:00:00");   // the new bookingfile opens at 8

    struct Case { int from; int caret; bool down; const char *shown; };
    const Case cases[] = {
        {28800, 0, false, "09:00:00"}, {28800, 3, true, "07:59:00"},
        {28800, 6, false, "08:00:01"}, {28800, 1, true, "07:00:00"},
        {28800, 2, false, "08:01:00"}, {28800, 4, false, "08:01:00"},
        {28800, 5, true, "07:59:59"},
        {84600, 0, false, "23:59:59"}, {30, 3, true, "00:00:00"},
        {0, 6, true, "00:00:00"},      {86399, 6, false, "23:59:59"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        f->ctDEdit3->setValue(c.from);
        f->ctDEdit3->setCaretPosition(c.caret);
        c.down ? f->ctDEdit3->spinDown() : f->ctDEdit3->spinUp();
        EXPECT_EQ(f->ctDEdit3->text(), QString::fromUtf8(c.shown));
    }
    // Every one of the six edits spins.
    for (TimeEdit *e : edits(f)) {
        SCOPED_TRACE(e->objectName().toStdString());
        e->setValue(28800);
        e->setCaretPosition(0);
        e->spinUp();
        EXPECT_EQ(e->value(), 32400);
    }
}

TEST_F(TimesTest, ClosingSavesTheSecondsAndGivesTheProgramTheNearestMinutes)
{
    // Ties go to the even minute: 480.5 to 480, 1081.5 to 1082 (and 482.5 to 482, 1083.5 to
    // 1084 two minutes later).
    const int seconds[] = {28830, 64890, 32400, 57629, 25200, 82800};
    const int minutes[] = {480, 1082, 540, 960, 420, 1380};
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Ok");
        resetState();
        gDatabasePath = file;
        Times *f = open();
        const QList<TimeEdit *> boxes = edits(f);
        for (int i = 0; i < 6; ++i)
            boxes[i]->setValue(seconds[i] + (closeBox ? 120 : 0));
        if (closeBox)
            f->close();
        else
            f->Command1_Click();
        EXPECT_FALSE(Forms::isLoaded<Times>());
        const int32_t shown[] = {gOpeningTime, gClosingTime,   gPrimeStart,
                                 gPrimeEnd,    gScheduleStart, gScheduleEnd};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(shown[i], minutes[i] + (closeBox ? 2 : 0)) << i;
    }
    EXPECT_EQ(storedTimes(), "28950 65010 32520 57749 25320 82920");
    EXPECT_TRUE(sandbox.shown().isEmpty());
}

TEST_F(TimesTest, AnEmptiedTimeIsRefusedAndNothingChanges)
{
    gPrimeEnd = 111;
    Times *f = open();
    const QString before = storedTimes();
    f->ctDEdit4->setNull();
    f->Command1_Click();
    EXPECT_TRUE(Forms::isLoaded<Times>());
    EXPECT_EQ(sandbox.lastText(), "Enter a time for PrimeTime End.");
    EXPECT_EQ(gPrimeEnd, 111);
    EXPECT_EQ(storedTimes(), before);

    f->ctDEdit4->setValue(61200);
    f->Command1_Click();
    EXPECT_FALSE(Forms::isLoaded<Times>());
    EXPECT_EQ(gPrimeEnd, 1020);
}

TEST_F(TimesTest, ClosingWithoutSavingKeepsTheProgramsTimes)
{
    // Another copy of the program holds the bookingfile while the user closes the form.
    const int wait = Dao::Database::busyTimeout();
    Dao::Database::setBusyTimeout(50);
    gOpeningTime = 480;
    Times *f = open();
    const QString before = storedTimes();
    f->ctDEdit3->setValue(25200);
    sqlite3 *other = nullptr;
    sqlite3_open(file.toUtf8().constData(), &other);
    const int locked = sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    sandbox.answer(MsgBox::No);
    f->Command1_Click();
    const bool stayed = Forms::isLoaded<Times>();
    sandbox.answer(MsgBox::Yes);
    f->Command1_Click();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    Dao::Database::setBusyTimeout(wait);

    ASSERT_EQ(locked, SQLITE_OK);
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(Forms::isLoaded<Times>());
    ASSERT_EQ(sandbox.shown().size(), 2);
    EXPECT_TRUE(sandbox.lastText().startsWith("The times could not be saved:\n"));
    EXPECT_EQ(gOpeningTime, 480);
    EXPECT_EQ(storedTimes(), before);
}

// Opening before closing, and the same for prime time and the printed span: a pair out of
// order is refused, naming the pair, and the form stays open with nothing stored.
TEST_F(TimesTest, EachPairMustStartBeforeItEnds)
{
    struct Case { int start; int startValue; int endValue; const char *message; };
    const Case cases[] = {
        {0, 72000, 28800, "Opening Time (20:00:00) must be before Closing Time (08:00:00)."},
        {0, 79200, 79200, "Opening Time (22:00:00) must be before Closing Time (22:00:00)."},
        {2, 28800, 28800, "PrimeTime Start (08:00:00) must be before PrimeTime End (08:00:00)."},
        {4, 28800, 25200, "PrintTime Start (08:00:00) must be before PrintTime End (07:00:00)."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        gOpeningTime = -1;
        Times *f = open();
        const QString before = storedTimes();
        edits(f)[c.start]->setValue(c.startValue);
        edits(f)[c.start + 1]->setValue(c.endValue);
        sandbox.clearShown();
        f->Command1_Click();
        EXPECT_TRUE(Forms::isLoaded<Times>());
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_EQ(sandbox.lastText().toStdString(), c.message);
        EXPECT_EQ(sandbox.shown()[0].title, "Vantix - Times");
        f->close();   // the close box checks the same
        EXPECT_TRUE(Forms::isLoaded<Times>());
        EXPECT_EQ(storedTimes(), before);
        EXPECT_EQ(gOpeningTime, -1);
        f->Data1.UpdateControls();
        f->Command1_Click();
        EXPECT_FALSE(Forms::isLoaded<Times>());
    }
}

// A time of the row out of the day was replaced by its default as the settings were loaded:
// the form shows that time and Ok stores it.
TEST_F(TimesTest, ATimeOutOfTheDayShowsAsTheTimeInUse)
{
    execSql(file, "UPDATE institutionsoplysninger SET Luktid = 90000, Åbntid = NULL");
    Times *f = open();
    EXPECT_EQ(f->ctDEdit1->text(), "22:00:00");
    EXPECT_EQ(f->ctDEdit3->text(), "08:00:00");
    f->Command1_Click();
    EXPECT_FALSE(Forms::isLoaded<Times>());
    EXPECT_EQ(storedTimes(), "28800 79200 28800 57600 28800 79200");
    EXPECT_EQ(gClosingTime, 1320);
}

TEST_F(TimesTest, EnterClosesTheFormAsOkDoes)
{
    Times *f = open();
    f->ctDEdit1->setValue(64800);
    QTest::keyClick(f->ctDEdit1, Qt::Key_Return);
    EXPECT_FALSE(Forms::isLoaded<Times>());
    EXPECT_EQ(gClosingTime, 1080);
}

} // namespace
