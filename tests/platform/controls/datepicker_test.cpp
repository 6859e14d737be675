#include "fixtures/sandbox.h"
#include "platform/daynumber.h"
#include "platform/controls/calendarweek.h"
#include "platform/controls/datecalendar.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/daytext.h"
#include "platform/controls/hyperlink.h"
#include "platform/controls/monthpicker.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/yearcalendar.h"
#include "platform/system.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class DatePickerTest : public ::testing::Test
{
protected:
    void SetUp() override { System::setNow(QDateTime(QDate(2024, 3, 10), QTime(9, 0))); }
    void TearDown() override { System::setNow(QDateTime()); }
};

TEST_F(DatePickerTest, StartsOnTodayAndShowsItsPattern)
{
    DatePicker picker;
    EXPECT_EQ(picker.value(), 45359);
    picker.setDateFormat("mm-dd-yyyy");
    EXPECT_EQ(picker.text(), "03-10-2024");
    picker.setValue(2);
    EXPECT_EQ(picker.date(), QDate(1900, 1, 3));
    EXPECT_EQ(picker.text(), "01-03-1900");
}

// A user without a mouse opens the calendar with F4 or Alt+Down and picks a day with the
// arrows and Enter.
TEST_F(DatePickerTest, TheKeyboardOpensTheCalendarAndPicks)
{
    for (const auto &[key, modifiers] :
         {std::pair{Qt::Key_F4, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier}}) {
        DatePicker picker;
        QSignalSpy changes(&picker, &DatePicker::DateChange);
        picker.show();
        QTest::keyClick(picker.focusProxy(), Qt::Key_Down);
        EXPECT_FALSE(picker.isCalendarShown());
        QTest::keyClick(picker.focusProxy(), key, modifiers);
        ASSERT_TRUE(picker.isCalendarShown());
        auto *calendar = picker.findChild<QCalendarWidget *>();
        calendar->setSelectedDate(QDate(2024, 3, 11));
        emit calendar->activated(calendar->selectedDate());
        EXPECT_FALSE(picker.isCalendarShown());
        EXPECT_EQ(picker.date(), QDate(2024, 3, 11));
        EXPECT_EQ(changes.size(), 1);
    }
}

TEST_F(DatePickerTest, AUserPickRaisesTheEventsAndCodeDoesNot)
{
    DatePicker picker;
    QSignalSpy changes(&picker, &DatePicker::DateChange);
    QSignalSpy selected(&picker, &DatePicker::DateSelected);
    picker.setValue(45000);
    EXPECT_TRUE(changes.isEmpty());

    picker.show();
    picker.findChild<QToolButton *>()->click();
    ASSERT_TRUE(picker.isCalendarShown());
    auto *calendar = picker.findChild<QCalendarWidget *>();
    EXPECT_EQ(calendar->selectedDate(), DayNumber::toDate(45000));
    emit calendar->clicked(QDate(2024, 4, 1));
    EXPECT_FALSE(picker.isCalendarShown());
    EXPECT_EQ(picker.date(), QDate(2024, 4, 1));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(selected.size(), 1);
    // The same day again is selected, not changed.
    picker.pick(QDate(2024, 4, 1));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(selected.size(), 2);
}

// A date is typed in the box's pattern and taken as the box is left or Enter is pressed; a text
// that is no date from 1900 to 9999 is refused with a message and the box shows its date again.
TEST_F(DatePickerTest, ATypedDateIsTakenAndOneItCannotReadIsRefused)
{
    struct Case
    {
        const char *pattern, *typed;
        QDate date;          // invalid: refused
        const char *shown;   // what the box shows afterwards
    };
    const Case cases[] = {
        {"dd-mm-yyyy", "24-12-2026", QDate(2026, 12, 24), "24-12-2026"},
        {"dd-mm-yyyy", "1-2-2026", QDate(2026, 2, 1), "01-02-2026"},
        {"dd-mm-yyyy", " 1/2/2026 ", QDate(2026, 2, 1), "01-02-2026"},
        {"mm/dd/yyyy", "12/24/2026", QDate(2026, 12, 24), "12/24/2026"},
        {"dd-mm-yyyy", "", QDate(), "10-03-2024"},
        {"dd-mm-yyyy", "31-02-2026", QDate(), "10-03-2024"},
        {"mm/dd/yyyy", "24/12/2026", QDate(), "03/10/2024"},
        {"dd-mm-yyyy", "24-12-26", QDate(), "10-03-2024"},
        {"dd-mm-yyyy", "13-11-0821", QDate(), "10-03-2024"},
        {"dd-mm-yyyy", "24-12-2026x", QDate(), "10-03-2024"},
        {"dd-mm-yyyy", "24-12", QDate(), "10-03-2024"},
    };
    QWidget window;
    auto *picker = new DatePicker(&window);
    auto *next = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(picker);
    layout->addWidget(next);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QStringList shown;
    MsgBox::setHandler([&shown](const MsgBox::Shown &box) {
        shown.append(box.text);
        return int(MsgBox::Ok);
    });
    QSignalSpy changes(picker, &DatePicker::DateChange);
    auto *box = qobject_cast<QLineEdit *>(picker->focusProxy());
    ASSERT_TRUE(box);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        picker->setDateFormat(c.pattern);
        picker->setValue(45359);
        shown.clear();
        changes.clear();
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, c.typed);
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(picker->date(), c.date.isValid() ? c.date : QDate(2024, 3, 10));
        EXPECT_EQ(box->text(), c.shown);
        EXPECT_EQ(changes.size(), c.date.isValid() ? 1 : 0);
        const bool refused = !c.date.isValid() && c.typed[0];
        ASSERT_EQ(shown.size(), refused ? 1 : 0);
        if (refused)
            EXPECT_EQ(shown[0], QString("%1 is not a valid date: type it as %2.")
                                    .arg(QString(c.typed).trimmed(), c.pattern));
        EXPECT_EQ(box->hasFocus(), refused);   // a refused date keeps the box
    }
    // Enter takes the date too, and the calendar still opens, on the date typed.
    picker->setDateFormat("dd-mm-yyyy");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "05-05-2025");
    QTest::keyClick(box, Qt::Key_F4);
    ASSERT_TRUE(picker->isCalendarShown());
    EXPECT_EQ(picker->findChild<QCalendarWidget *>()->selectedDate(), QDate(2025, 5, 5));
    picker->hideCalendar();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(picker->date(), QDate(2025, 5, 5));
    MsgBox::setHandler(nullptr);
}

// Every calendar starts its week on the program's first day, unless its form sets one.
TEST_F(DatePickerTest, CalendarsStartTheWeekOnTheProgramsFirstDay)
{
    CalendarWeek::setFirstDayProvider([] { return Qt::Sunday; });
    DatePicker picker;
    picker.show();
    picker.showCalendar();
    EXPECT_EQ(picker.findChild<QCalendarWidget *>()->firstDayOfWeek(), Qt::Sunday);
    picker.hideCalendar();
    DateCalendar calendar;
    calendar.show();
    EXPECT_EQ(calendar.findChild<QCalendarWidget *>()->firstDayOfWeek(), Qt::Sunday);
    MonthPicker month;
    month.show();
    EXPECT_EQ(month.firstDayOfWeek(), Qt::Sunday);
    picker.setFirstDay(1);   // the form's own
    picker.showCalendar();
    EXPECT_EQ(picker.findChild<QCalendarWidget *>()->firstDayOfWeek(), Qt::Monday);
    CalendarWeek::setFirstDayProvider(nullptr);
}

TEST_F(DatePickerTest, CalendarRaisesEventsOnlyForTheUser)
{
    DateCalendar calendar;
    EXPECT_EQ(calendar.value(), 45359);
    QSignalSpy changes(&calendar, &DateCalendar::DateChange);
    calendar.setValue(45373);
    EXPECT_TRUE(changes.isEmpty());
    calendar.pick(QDate(2024, 3, 11));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(calendar.value(), 45360);
}

TEST_F(DatePickerTest, YearCalendarClickSetsTheValue)
{
    YearCalendar year;
    EXPECT_EQ(year.month(), 3);
    EXPECT_EQ(year.year(), 2024);
    QSignalSpy clicks(&year, &YearCalendar::DateClick);
    // Twelve months from March 2024: February 2025 is shown, March 2025 is not.
    EXPECT_TRUE(year.clickDate(QDate(2025, 2, 28)));
    EXPECT_EQ(year.date(), QDate(2025, 2, 28));
    EXPECT_FALSE(year.clickDate(QDate(2025, 3, 1)));
    EXPECT_FALSE(year.clickDate(QDate(2024, 2, 29)));
    EXPECT_EQ(clicks.size(), 1);

    // A real click on a day cell.
    year.setMonth(1);
    year.setYear(2024);
    year.resize(year.sizeHint());
    year.show();
    bool found = false;
    for (int y = 0; y < year.height() && !found; y += 4) {
        for (int x = 0; x < year.width() && !found; x += 4) {
            const auto before = clicks.size();
            QTest::mouseClick(&year, Qt::LeftButton, {}, QPoint(x, y));
            found = clicks.size() > before;
        }
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(year.date(), QDate(2024, 1, 1));   // the first cell met is the first day

    year.setMarked(45359, true);
    EXPECT_TRUE(year.isMarked(45359));
    year.clearMarks();
    EXPECT_FALSE(year.isMarked(45359));
}

TEST(HyperLinkTest, PreparesThenOpensTheLink)
{
    Sandbox sb;   // puts the mail handler back however the test ends
    QStringList opened;
    System::setOpenUrlHandler([&opened](const QString &url) { opened << url; });
    HyperLink link("Send mail");
    QObject::connect(&link, &HyperLink::PrepareMail, &link,
                     [&link] { link.setLink("mailto: a@b.dk?subject=Booking Message"); });
    link.resize(100, 20);
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], "mailto: a@b.dk?subject=Booking Message");
    QTest::keyClick(&link, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(link.Caption(), "Send mail");
    System::setOpenUrlHandler(nullptr);
}

} // namespace
