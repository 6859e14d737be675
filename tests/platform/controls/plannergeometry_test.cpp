#include "platform/controls/plannergeometry.h"
#include "platform/daynumber.h"

#include <gtest/gtest.h>

using namespace PlannerGeometry;

TEST(PlannerGeometry, MinuteAndYFollowOpeningTimeAndUnit)
{
    const TimeScale scale = timeScaleFor(480, 1080, 30, {}, 20);
    EXPECT_EQ(scale.firstMinute, 480);
    EXPECT_EQ(scale.slotCount, 20);
    EXPECT_DOUBLE_EQ(minuteToY(scale, 480), 0);
    EXPECT_DOUBLE_EQ(minuteToY(scale, 540), 40);
    EXPECT_DOUBLE_EQ(minuteToY(scale, 555), 50);
    EXPECT_EQ(yToMinute(scale, 50), 555);
    EXPECT_EQ(slotAt(scale, 0), 0);
    EXPECT_EQ(slotAt(scale, 39.9), 1);
    EXPECT_EQ(slotAt(scale, 400), -1);    // below closing time
    EXPECT_EQ(slotAt(scale, -1), -1);
    EXPECT_EQ(slotStartMinute(scale, 3), 570);
    EXPECT_EQ(nearestBoundary(scale, 29), 510);
    EXPECT_EQ(nearestBoundary(scale, 5000), 1080);

    // A unit that does not divide the opening hours still covers the closing time.
    EXPECT_EQ(timeScaleFor(480, 1000, 60, {}, 20).slotCount, 9);
    // Nonsense settings: half-hour slots over the whole day.
    const TimeScale whole = timeScaleFor(600, 600, 0, {}, 20);
    EXPECT_EQ(whole.firstMinute, 0);
    EXPECT_EQ(whole.unit, 30);
    EXPECT_EQ(whole.endMinute(), 1440);
}

TEST(PlannerGeometry, RowsWidenToShowItemsOutsideOpeningHours)
{
    // 06:10-07:00 before an 08:00 opening, 22:00-02:00 running past midnight.
    const TimeScale scale = timeScaleFor(480, 1080, 30, {{370, 420}, {1320, 120}}, 20);
    EXPECT_EQ(scale.firstMinute, 360);
    EXPECT_EQ(scale.endMinute(), 1440);
    EXPECT_EQ(shownEnd(1320, 120), 1440);
    EXPECT_EQ(shownEnd(600, 660), 660);
    EXPECT_EQ(shownEnd(600, 600), 600);
}

TEST(PlannerGeometry, ColumnOfX)
{
    const ColumnScale columns{3, 120};
    EXPECT_DOUBLE_EQ(columns.left(1), 0);
    EXPECT_DOUBLE_EQ(columns.left(3), 240);
    EXPECT_EQ(columnAt(columns, 0), 1);
    EXPECT_EQ(columnAt(columns, 119.5), 1);
    EXPECT_EQ(columnAt(columns, 120), 2);
    EXPECT_EQ(columnAt(columns, 359), 3);
    EXPECT_EQ(columnAt(columns, 360), 0);
    EXPECT_EQ(columnAt(columns, -3), 0);
}

TEST(PlannerGeometry, PackingPutsOverlapsSideBySide)
{
    struct Case {
        const char *name;
        QList<Span> spans;
        QList<int> lanes;
        QList<int> laneCounts;
    };
    const QList<Case> cases = {
        {"alone", {{600, 660}}, {0}, {1}},
        {"touching spans share a lane", {{600, 660}, {660, 720}}, {0, 0}, {1, 1}},
        {"two overlapping", {{600, 720}, {630, 690}}, {0, 1}, {2, 2}},
        // A chain: the third fits back into lane 0, the group keeps two lanes.
        {"chain", {{600, 700}, {650, 750}, {700, 800}}, {0, 1, 0}, {2, 2, 2}},
        {"separate groups", {{600, 700}, {650, 720}, {800, 900}}, {0, 1, 0}, {2, 2, 1}},
        {"three at once, given out of order", {{630, 700}, {600, 700}, {620, 640}},
         {2, 0, 1}, {3, 3, 3}},
        {"past midnight overlaps a late one", {{1320, 120}, {1380, 1430}}, {0, 1}, {2, 2}},
        {"zero length inside another", {{600, 700}, {650, 650}}, {0, 1}, {2, 2}},
    };
    for (const Case &c : cases) {
        const QList<Lane> packed = packSpans(c.spans);
        ASSERT_EQ(packed.size(), c.spans.size()) << c.name;
        for (int i = 0; i < packed.size(); ++i) {
            EXPECT_EQ(packed[i].lane, c.lanes[i]) << c.name << " item " << i;
            EXPECT_EQ(packed[i].lanes, c.laneCounts[i]) << c.name << " item " << i;
        }
    }
}

TEST(PlannerGeometry, TimeLabels)
{
    EXPECT_EQ(timeLabel(0, false, true), "00:00");
    EXPECT_EQ(timeLabel(810, true, true), "13:30");       // 24-hour wins over am/pm
    EXPECT_EQ(timeLabel(810, true, false), "1:30 pm");
    EXPECT_EQ(timeLabel(810, false, false), "1:30");
    EXPECT_EQ(timeLabel(0, true, false), "12:00 am");
    EXPECT_EQ(timeLabel(720, true, false), "12:00 pm");
    EXPECT_EQ(timeLabel(1440, false, true), "00:00");
}

TEST(PlannerGeometry, DatePictureAndDayNumbers)
{
    EXPECT_EQ(DayNumber::toDate(0), QDate(1900, 1, 1));
    EXPECT_EQ(DayNumber::toDate(-1), QDate(1899, 12, 31));
    EXPECT_EQ(DayNumber::fromDate(QDate(2000, 1, 1)), 36524);
    const QDate d(2024, 3, 5);   // a Tuesday
    EXPECT_EQ(formatDatePicture("D N-m-y", d), "Tue 5-3-2024");
    EXPECT_EQ(formatDatePicture("D m/N/y", d), "Tue 3/5/2024");
    EXPECT_EQ(formatDatePicture("d N/m/y", d), "Tuesday 5/3/2024");
    EXPECT_EQ(formatDatePicture("D", d), "Tue");
}

TEST(PlannerGeometry, ClassicColoursAndReadableText)
{
    EXPECT_EQ(colourFromRgb(255), QColor(255, 0, 0));
    EXPECT_EQ(colourFromRgb(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(rgbFromColour(QColor(0, 128, 255)), 0xFF8000u);
    EXPECT_EQ(textColourOn(QColor(Qt::yellow)).lightness(), QColor(20, 20, 20).lightness());
    EXPECT_EQ(textColourOn(QColor(Qt::blue)), QColor(Qt::white));
    EXPECT_EQ(textColourOn(colourFromRgb(255)), QColor(Qt::white));
    EXPECT_EQ(textColourOn(QColor(Qt::green)).lightness(), QColor(20, 20, 20).lightness());
}

namespace {
QList<PlannerPrintItem> ofPage(const QList<PlannerPrintItem> &items, int page,
                               PlannerPrintItem::Kind kind)
{
    QList<PlannerPrintItem> out;
    for (const PlannerPrintItem &i : items)
        if (i.page == page && i.kind == kind)
            out.append(i);
    return out;
}
} // namespace

TEST(PlannerGeometry, PrintLayoutPlacesTitlesColumnsAndItemsOnPages)
{
    PlannerPrintSettings settings;
    settings.title = "Day Scheme  - 05-03-2024";
    settings.subTitle = "Rooms/Meeting";
    settings.scheduleStart = 480;
    settings.scheduleEnd = 1080;
    settings.unit = 30;
    settings.columnsPerPage = 2;
    const QStringList columns = {"A", "B", "C"};
    const QList<PlannerPrintEntry> entries = {
        {1, 600, 660, "Board", "Anna", 255, false},
        {1, 630, 720, "Overlap", "Bo", 0xFF0000, true},
        {3, 1320, 120, "Night", "", 0, false},     // past midnight, after the span: not printed
        {2, 420, 510, "Early", "", 0, false},     // begins before the span: clipped
    };
    const QSizeF a4(595, 842);
    const QList<PlannerPrintItem> items = layoutPrint(settings, columns, entries, a4);
    EXPECT_EQ(printPageCount(3, 2), 2);

    auto texts = [&](int page) {
        QStringList t;
        for (const PlannerPrintItem &i : ofPage(items, page, PlannerPrintItem::Text))
            t << i.text;
        return t;
    };
    const QStringList first = texts(0);
    EXPECT_TRUE(first.contains("Day Scheme  - 05-03-2024"));
    EXPECT_TRUE(first.contains("Rooms/Meeting"));
    EXPECT_TRUE(first.contains("A"));
    EXPECT_TRUE(first.contains("B"));
    EXPECT_FALSE(first.contains("C"));
    EXPECT_TRUE(first.contains("08:00"));
    EXPECT_FALSE(first.contains("18:00"));        // the span ends there
    EXPECT_TRUE(first.contains("10:00-11:00 Board\nAnna"));
    EXPECT_TRUE(first.contains("10:30-12:00 Overlap\nBo\nTentative"));
    EXPECT_TRUE(texts(1).contains("C"));
    EXPECT_FALSE(texts(1).join("|").contains("Night"));

    // Item boxes: the two overlapping ones share column A side by side, the tentative one is
    // dashed, the early one starts at the top of the grid.
    QList<PlannerPrintItem> boxes;
    for (const PlannerPrintItem &b : ofPage(items, 0, PlannerPrintItem::Box))
        if (b.fill == colourFromRgb(255) || b.fill == colourFromRgb(0xFF0000)
            || b.fill == Qt::black)
            boxes.append(b);
    ASSERT_EQ(boxes.size(), 3);
    const QRectF board = boxes[0].rect, overlap = boxes[1].rect, early = boxes[2].rect;
    EXPECT_LT(board.right(), overlap.left());
    EXPECT_NEAR(board.width(), overlap.width(), 0.01);
    EXPECT_LT(board.top(), overlap.top());
    EXPECT_FALSE(boxes[0].dashed);
    EXPECT_TRUE(boxes[1].dashed);
    EXPECT_GT(early.left(), overlap.right());
    // The grid runs from 08:00 at its top to 18:00 at the bottom margin: 10:00 lies 2/10 down.
    const double gridBottom = 842 - 28;
    const double gridTop = early.top() - 0.5;
    EXPECT_NEAR(board.top() - 0.5, gridTop + (gridBottom - gridTop) * 0.2, 0.01);

    // Monochrome prints white boxes.
    settings.monochrome = true;
    for (const PlannerPrintItem &b : ofPage(layoutPrint(settings, columns, entries, a4), 0,
                                            PlannerPrintItem::Box))
        EXPECT_NE(b.fill, colourFromRgb(255));
}
