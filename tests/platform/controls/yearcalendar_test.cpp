#include "platform/controls/daytext.h"
#include "platform/daynumber.h"
#include "platform/controls/yearcalendar.h"
#include "platform/system.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

#include <gtest/gtest.h>

namespace {

class YearCalendarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        System::setNow(QDateTime(QDate(2024, 3, 10), QTime(9, 0)));
        calendar = std::make_unique<YearCalendar>();
        y = calendar.get();
        calendar->resize(calendar->sizeHint());
    }
    void TearDown() override
    {
        calendar.reset();
        System::setNow(QDateTime());
    }
    QToolButton *button(int index) { return y->findChildren<QToolButton *>().at(index); }

    std::unique_ptr<YearCalendar> calendar;
    YearCalendar *y = nullptr;   // made once the clock is set: it opens on today
};

TEST_F(YearCalendarTest, AClickOnADayGivesItsDayNumber)
{
    struct Case { int firstDay; QDate date; };
    const Case cases[] = {
        {1, QDate(2024, 3, 1)},  {1, QDate(2024, 3, 31)}, {1, QDate(2024, 12, 31)},
        {1, QDate(2025, 1, 1)},  {1, QDate(2025, 2, 28)}, {0, QDate(2024, 3, 3)},
        {0, QDate(2024, 9, 30)}, {0, QDate(2024, 6, 1)},
    };
    QSignalSpy clicks(y, &YearCalendar::DateClick);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        y->setFirstDay(c.firstDay);
        const QRect cell = y->cellRect(c.date);
        ASSERT_FALSE(cell.isEmpty());
        const auto before = clicks.size();
        QTest::mouseClick(y, Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(clicks.size(), before + 1);
        EXPECT_EQ(y->value(), DayNumber::fromDate(c.date));
    }
    // Between the months nothing is clicked.
    const QRect march = y->cellRect(QDate(2024, 3, 31));
    const auto before = clicks.size();
    QTest::mouseClick(y, Qt::LeftButton, {}, march.bottomRight() + QPoint(6, 40));
    EXPECT_EQ(clicks.size(), before);
    EXPECT_TRUE(y->cellRect(QDate(2025, 3, 1)).isEmpty());
}

TEST_F(YearCalendarTest, TheArrowsMoveTheShownMonthAcrossYears)
{
    EXPECT_EQ(y->month(), 3);
    EXPECT_EQ(y->year(), 2024);
    y->setMonth(12);
    button(1)->click();   // next
    EXPECT_EQ(y->month(), 1);
    EXPECT_EQ(y->year(), 2025);
    button(0)->click();   // previous
    button(0)->click();
    EXPECT_EQ(y->month(), 11);
    EXPECT_EQ(y->year(), 2024);
    // A day of the newly shown months can be clicked.
    EXPECT_TRUE(y->clickDate(QDate(2025, 10, 31)));
    EXPECT_EQ(y->value(), DayNumber::fromDate(QDate(2025, 10, 31)));
}

TEST_F(YearCalendarTest, TodayIsMarked)
{
    const QImage image = y->grab().toImage();
    // The left edge of a cell: framed for today, plain for the day before it.
    auto edge = [&](const QDate &date) {
        const QRect cell = y->cellRect(date).adjusted(1, 1, -1, -1);
        return image.pixelColor(cell.left(), cell.center().y());
    };
    EXPECT_NE(edge(QDate(2024, 3, 10)), edge(QDate(2024, 3, 9)));
    EXPECT_EQ(edge(QDate(2024, 3, 9)), edge(QDate(2024, 3, 12)));
}

} // namespace
