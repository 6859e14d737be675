#include "platform/controls/monthpicker.h"

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

qint32 dayNumber(int y, int m, int d)
{
    return qint32(QDate(1900, 1, 1).daysTo(QDate(y, m, d)));
}

// The cell of a day of the shown month.
QPoint cellOf(QTableView *view, int dayOfMonth)
{
    QAbstractItemModel *model = view->model();
    bool inMonth = false;
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const int day = model->index(r, c).data().toInt();
            if (day == 1)
                inMonth = !inMonth;   // the first 1 opens the month, the next one closes it
            if (inMonth && day == dayOfMonth)
                return view->visualRect(model->index(r, c)).center();
        }
    }
    ADD_FAILURE() << "no cell for day " << dayOfMonth;
    return {};
}

} // namespace

TEST(MonthPicker, ValueCurrentDayAndFirstDayOfWeek)
{
    MonthPicker picker;
    QSignalSpy selected(&picker, &MonthPicker::DateSelected);

    picker.SetValue(dayNumber(2024, 3, 5));
    EXPECT_EQ(picker.Value(), dayNumber(2024, 3, 5));
    EXPECT_EQ(picker.CurrentDay(), dayNumber(2024, 3, 5));
    EXPECT_EQ(picker.monthShown(), 3);
    picker.SetCurrentDay(dayNumber(2023, 12, 31));
    EXPECT_EQ(picker.Value(), dayNumber(2023, 12, 31));
    EXPECT_EQ(picker.yearShown(), 2023);
    EXPECT_TRUE(selected.isEmpty());   // only the user's picks are reported

    EXPECT_EQ(picker.FirstDayOfWeek(), "1");
    picker.SetFirstDayOfWeek("0");
    EXPECT_EQ(picker.firstDayOfWeek(), Qt::Sunday);
    EXPECT_EQ(picker.FirstDayOfWeek(), "0");
    picker.SetFirstDayOfWeek("1");
    EXPECT_EQ(picker.firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(picker.FirstDayOfWeek(), "1");
}

TEST(MonthPicker, PickingADayRaisesDateSelectedOnce)
{
    MonthPicker picker;
    picker.SetValue(dayNumber(2024, 3, 5));
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    auto *view = picker.findChild<QTableView *>();
    ASSERT_NE(view, nullptr);
    QSignalSpy selected(&picker, &MonthPicker::DateSelected);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellOf(view, 20));
    EXPECT_EQ(selected.size(), 1);
    EXPECT_EQ(picker.Value(), dayNumber(2024, 3, 20));

    // A click on the day already picked counts as a pick too.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellOf(view, 20));
    EXPECT_EQ(selected.size(), 2);

    // Keys move the pick.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(selected.size(), 3);
    EXPECT_EQ(picker.Value(), dayNumber(2024, 3, 21));
}

// Typed digits go nowhere: Qt's own date box would take a date in the desktop's form.
TEST(MonthPicker, TypedDigitsLeaveTheDayAsItIs)
{
    MonthPicker picker;
    picker.SetValue(dayNumber(2024, 3, 5));
    picker.show();
    auto *view = picker.findChild<QTableView *>();
    ASSERT_NE(view, nullptr);
    view->setFocus();
    QTest::keyClicks(view, "1");
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(picker.Value(), dayNumber(2024, 3, 5));
}
