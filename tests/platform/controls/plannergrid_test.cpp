#include "platform/controls/plannergrid.h"
#include "platform/report/pagemodel.h"
#include "platform/report/printcapture.h"
#include "platform/report/printing.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// 2024-02-12, a Monday, as a day number.
const qint32 monday = qint32(QDate(1900, 1, 1).daysTo(QDate(2024, 2, 12)));

// Opening 08:00 to 18:00 in half-hour slots; three resource columns 11, 12, 13 in the day
// grid, the seven days from Monday in the week grid.
struct Grid
{
    explicit Grid(PlannerGrid::Mode mode = PlannerGrid::DayGrid, QSize size = {900, 700})
        : grid(mode)
    {
        grid.resize(size);
        grid.SetOpeningTime(480);
        grid.SetClosingTime(1080);
        grid.SetTimeUnit(30);
        if (mode == PlannerGrid::DayGrid) {
            grid.AddColumn(11, "Store Sal");
            grid.AddColumn(12, "Lille Sal");
            grid.AddColumn(13, "Mødelokale");
        } else {
            grid.SetFirstDay(monday);
        }
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QWidget *view() { return grid.viewport(); }
    // Middle of the slot that starts at minute in a column.
    QPoint slot(int column, int minute)
    {
        const QRect r = grid.slotRect(column, (minute - 480) / 30);
        EXPECT_FALSE(r.isEmpty()) << "column " << column << " minute " << minute;
        return r.center();
    }
    int addItem(int column, int start, int end, const QString &text)
    {
        const qint32 day = grid.mode() == PlannerGrid::WeekGrid ? monday + column - 1 : 0;
        const int i = grid.AddItem(start, end, day, text, QString::number(100 + column));
        if (grid.mode() == PlannerGrid::DayGrid)
            grid.SetItemResource(i, grid.ColumnResource(column));
        return i;
    }
    // Presses at from, moves to `to` in steps, as a hand does, and lets go.
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(view(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(view(), from + (to - from) * step / 4);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, to);
    }
    void type(const QString &text) { QTest::keyClicks(&grid, text); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &grid, k, m);
    }

    PlannerGrid grid;
};

QLineEdit *openEditor()
{
    return qobject_cast<QLineEdit *>(QApplication::focusWidget());
}

} // namespace

TEST(PlannerGrid, TypingIntoAnEmptySlotAddsAnItemForThatSlot)
{
    Grid g;
    QSignalSpy added(&g.grid, &PlannerGrid::ItemAdded);

    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(2, 600));
    EXPECT_EQ(g.grid.SelectedColumn(), 2);
    EXPECT_EQ(g.grid.SelectedStart(), 600);
    g.type("Board møde");
    ASSERT_NE(openEditor(), nullptr);
    EXPECT_TRUE(added.isEmpty());   // nothing is reported while the user types
    g.key(Qt::Key_Return);

    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0], (QList<QVariant>{1, 600, 630, 2, false}));
    EXPECT_EQ(g.grid.ItemCount(), 1);
    EXPECT_EQ(g.grid.ItemText(1), "Board møde");
    EXPECT_EQ(g.grid.ItemResource(1), 12);
    EXPECT_EQ(g.grid.SelectedItem(), 1);
    EXPECT_EQ(g.grid.ColumnResource(g.grid.SelectedColumn()), 12);
    EXPECT_EQ(openEditor(), nullptr);

    // A dragged range of slots gives the item its whole span.
    g.drag(g.slot(3, 780), g.slot(3, 870));
    g.type("Lunch");
    g.key(Qt::Key_Enter);
    ASSERT_EQ(added.size(), 2);
    EXPECT_EQ(added[1], (QList<QVariant>{2, 780, 900, 3, false}));

    // Escape drops what was typed; an empty text makes no item.
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(1, 480));
    g.type("x");
    g.key(Qt::Key_Escape);
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(1, 480));
    g.type(" ");
    g.key(Qt::Key_Return);
    EXPECT_EQ(added.size(), 2);
    EXPECT_EQ(g.grid.ItemCount(), 2);

    // Typing while an item is selected starts nothing.
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.grid.itemRect(1).center());
    EXPECT_EQ(g.grid.SelectedItem(), 1);
    g.type("z");
    EXPECT_EQ(openEditor(), nullptr);
    EXPECT_EQ(g.grid.ItemCount(), 2);
}

// A click elsewhere ends the typing, and the owner may rebuild the grid as it takes the typed
// item (here it refuses it and reads its items back in another order); the click then lands
// on the items as they are after that, so a drag never moves another booking.
TEST(PlannerGrid, AClickThatEndsTypingHitsTheItemsTheOwnerLeft)
{
    Grid g;
    g.addItem(1, 600, 660, "Meeting");
    g.addItem(3, 600, 660, "Lunch");
    QObject::connect(&g.grid, &PlannerGrid::ItemAdded, &g.grid, [&g] {
        g.grid.ClearItems();
        g.addItem(3, 600, 660, "Lunch");
        g.addItem(1, 600, 660, "Meeting");
    });
    const QPoint meeting = g.grid.itemRect(1).center();

    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(2, 480));
    g.type("Breakfast");
    ASSERT_NE(openEditor(), nullptr);
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, meeting);

    ASSERT_EQ(g.grid.ItemCount(), 2);
    ASSERT_GT(g.grid.SelectedItem(), 0);
    EXPECT_EQ(g.grid.ItemText(g.grid.SelectedItem()), "Meeting");
}

TEST(PlannerGrid, DraggingMovesAnItemAndItsEdgesResizeIt)
{
    Grid g;
    QSignalSpy changed(&g.grid, &PlannerGrid::ItemChanged);
    g.addItem(1, 600, 660, "Meeting");
    g.addItem(2, 480, 540, "Breakfast");

    // Into the third column, one hour later.
    const QPoint grip = g.grid.itemRect(1).center();
    g.drag(grip, grip + (g.slot(3, 660) - g.slot(1, 600)));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 1);
    EXPECT_EQ(g.grid.ItemStart(1), 660);
    EXPECT_EQ(g.grid.ItemEnd(1), 720);
    EXPECT_EQ(g.grid.ItemResource(1), 13);
    EXPECT_EQ(g.grid.SelectedItem(), 1);
    EXPECT_EQ(g.grid.SelectedColumn(), 3);
    EXPECT_GE(g.grid.CurrentSlot(), 0);
    EXPECT_EQ(g.grid.ItemStart(2), 480);   // the other item stays

    // The bottom edge, two slots down; then the top edge, one slot up.
    const int slotHeight = g.grid.slotRect(1, 0).height();
    QRect r = g.grid.itemRect(1);
    g.drag({r.center().x(), r.bottom() - 1}, {r.center().x(), r.bottom() - 1 + 2 * slotHeight});
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(g.grid.ItemStart(1), 660);
    EXPECT_EQ(g.grid.ItemEnd(1), 780);
    r = g.grid.itemRect(1);
    g.drag({r.center().x(), r.top() + 1}, {r.center().x(), r.top() + 1 - slotHeight});
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(g.grid.ItemStart(1), 630);
    EXPECT_EQ(g.grid.ItemEnd(1), 780);

    // Neither a move nor a bottom edge takes an item past midnight.
    r = g.grid.itemRect(2);
    g.drag(r.center(), r.center() + QPoint(0, 40 * slotHeight));
    EXPECT_EQ(g.grid.ItemStart(2), 1380);
    EXPECT_EQ(g.grid.ItemEnd(2), 1440);
    g.grid.SetTimeUnit(60);
    g.grid.SetItemStart(2, 1410);
    QApplication::processEvents();
    r = g.grid.itemRect(2);
    g.drag({r.center().x(), r.bottom() - 1}, {r.center().x(), r.bottom() + 200});
    EXPECT_EQ(g.grid.ItemStart(2), 1410);
    EXPECT_EQ(g.grid.ItemEnd(2), 1440);
    ASSERT_EQ(changed.size(), 4);

    // A click without a move changes nothing.
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.grid.itemRect(1).center());
    EXPECT_EQ(changed.size(), 4);
}

// A gesture whose button release went elsewhere (to a message box that the press opened)
// ends as the mouse moves without a button: the item does not follow the bare mouse.
TEST(PlannerGrid, AMoveWithoutTheButtonEndsADragWhoseReleaseWasLost)
{
    Grid g;
    QSignalSpy changed(&g.grid, &PlannerGrid::ItemChanged);
    g.addItem(1, 600, 660, "Meeting");
    const QPoint grip = g.grid.itemRect(1).center();
    const QPoint away = g.slot(3, 840);

    QTest::mousePress(g.view(), Qt::LeftButton, {}, grip);
    QMouseEvent bare(QEvent::MouseMove, QPointF(away), g.view()->mapToGlobal(QPointF(away)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.view(), &bare);
    QTest::mouseRelease(g.view(), Qt::LeftButton, {}, away);

    EXPECT_TRUE(changed.isEmpty());
    EXPECT_EQ(g.grid.ItemStart(1), 600);
    EXPECT_EQ(g.grid.ItemResource(1), 11);
}

TEST(PlannerGrid, AnItemsTextIsEditedInPlace)
{
    Grid g;
    QSignalSpy edited(&g.grid, &PlannerGrid::ItemEdited);
    g.addItem(1, 600, 660, "Meeting");

    // A click selects, a second click on the selected item opens its editor.
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.grid.itemRect(1).center());
    EXPECT_EQ(openEditor(), nullptr);
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.grid.itemRect(1).center());
    QTRY_VERIFY(openEditor() != nullptr);
    EXPECT_EQ(openEditor()->text(), "Meeting");
    QTest::keyClicks(openEditor(), "Budget");   // the old text is selected and replaced
    g.key(Qt::Key_Return);
    ASSERT_EQ(edited.size(), 1);
    EXPECT_EQ(edited[0], (QList<QVariant>{1, "Budget"}));
    EXPECT_EQ(g.grid.ItemText(1), "Budget");

    // F2 opens it too; Escape keeps the old text, and so does Enter on an unchanged text.
    g.key(Qt::Key_F2);
    ASSERT_NE(openEditor(), nullptr);
    QTest::keyClicks(openEditor(), "Gone");
    g.key(Qt::Key_Escape);
    g.key(Qt::Key_F2);
    g.key(Qt::Key_Return);
    EXPECT_EQ(edited.size(), 1);
    EXPECT_EQ(g.grid.ItemText(1), "Budget");
}

TEST(PlannerGrid, DoubleClicksAndTheItemMenuAreReported)
{
    Grid g;
    QSignalSpy itemDbl(&g.grid, &PlannerGrid::ItemDblClick);
    QSignalSpy dbl(&g.grid, &PlannerGrid::DblClick);
    QSignalSpy menu(&g.grid, &PlannerGrid::ItemMenuRequest);
    g.addItem(1, 600, 660, "A");
    g.addItem(2, 600, 660, "B");

    QTest::mouseDClick(g.view(), Qt::LeftButton, {}, g.grid.itemRect(2).center());
    ASSERT_EQ(itemDbl.size(), 1);
    EXPECT_EQ(itemDbl[0][0].toInt(), 2);
    EXPECT_EQ(g.grid.SelectedItem(), 2);
    EXPECT_TRUE(dbl.isEmpty());

    // Outside the items: the column is selected and no item.
    QTest::mouseDClick(g.view(), Qt::LeftButton, {}, g.slot(3, 900));
    EXPECT_EQ(dbl.size(), 1);
    EXPECT_EQ(itemDbl.size(), 1);
    EXPECT_EQ(g.grid.SelectedItem(), 0);
    EXPECT_EQ(g.grid.ColumnResource(g.grid.SelectedColumn()), 13);

    // Right click on an item selects it and asks for its menu; so does the menu key.
    QTest::mouseClick(g.view(), Qt::RightButton, {}, g.grid.itemRect(1).center());
    ASSERT_EQ(menu.size(), 1);
    EXPECT_EQ(menu[0][0].toInt(), 1);
    EXPECT_EQ(g.grid.SelectedItem(), 1);
    g.key(Qt::Key_Menu);
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(menu[1][0].toInt(), 1);
    // Not on an empty slot.
    QTest::mouseClick(g.view(), Qt::RightButton, {}, g.slot(3, 480));
    g.key(Qt::Key_Menu);
    EXPECT_EQ(menu.size(), 2);
}

TEST(PlannerGrid, KeysMoveTheSelectedSlotAndTheGridScrolls)
{
    Grid g(PlannerGrid::DayGrid, {500, 260});   // far from the whole day
    QSignalSpy added(&g.grid, &PlannerGrid::ItemAdded);
    QScrollBar *bar = g.grid.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);

    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(1, 480));
    for (int i = 0; i < 16; ++i)
        g.key(Qt::Key_Down);
    EXPECT_EQ(g.grid.SelectedStart(), 960);
    EXPECT_GT(bar->value(), 0);                           // 16:00 scrolled into sight
    EXPECT_FALSE(g.grid.slotRect(1, g.grid.CurrentSlot()).intersected(g.view()->rect()).isEmpty());
    g.key(Qt::Key_Right);
    g.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.grid.SelectedColumn(), 2);
    g.type("Late");
    g.key(Qt::Key_Return);
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0], (QList<QVariant>{1, 960, 1020, 2, false}));

    // The last row is the last: Down stays on it.
    for (int i = 0; i < 10; ++i)
        g.key(Qt::Key_Down);
    EXPECT_EQ(g.grid.SelectedStart(), 1050);
}

TEST(PlannerGrid, WeekGridHasSevenDayColumnsFromItsFirstDay)
{
    Grid g(PlannerGrid::WeekGrid);
    g.grid.SetTitle("Week:7");
    g.grid.SetDatePicture("D N-m-y");
    EXPECT_EQ(g.grid.AddColumn(5, "ignored"), 0);
    EXPECT_EQ(g.grid.ColumnCount(), 7);
    EXPECT_EQ(g.grid.Title(), "Week:7");
    EXPECT_EQ(g.grid.DayOfColumn(1), monday);
    EXPECT_EQ(g.grid.DayOfColumn(7), monday + 6);
    EXPECT_EQ(g.grid.DayOfColumn(8), 0);
    EXPECT_EQ(g.grid.ColumnTitle(1), "Mon 12-2-2024");
    EXPECT_EQ(g.grid.ColumnTitle(7), "Sun 18-2-2024");
    g.grid.SetDatePicture("D m/N/y");
    EXPECT_EQ(g.grid.ColumnTitle(3), "Wed 2/14/2024");

    // Items show in the column of their day; days outside the week do not show.
    const int first = g.grid.AddItem(600, 660, monday, "First", "1");
    const int last = g.grid.AddItem(600, 660, monday + 6, "Last", "2");
    const int after = g.grid.AddItem(600, 660, monday + 7, "After", "3");
    const int before = g.grid.AddItem(600, 660, monday - 1, "Before", "4");
    QApplication::processEvents();
    EXPECT_TRUE(g.grid.slotRect(1, 4).intersects(g.grid.itemRect(first)));
    EXPECT_TRUE(g.grid.slotRect(7, 4).intersects(g.grid.itemRect(last)));
    EXPECT_TRUE(g.grid.itemRect(after).isEmpty());
    EXPECT_TRUE(g.grid.itemRect(before).isEmpty());

    // Typing and moving work on days.
    QSignalSpy added(&g.grid, &PlannerGrid::ItemAdded);
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(3, 540));
    g.type("Wednesday");
    g.key(Qt::Key_Return);
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0], (QList<QVariant>{5, 540, 570, 3, false}));
    EXPECT_EQ(g.grid.ItemDay(5), monday + 2);
    EXPECT_EQ(g.grid.DayOfColumn(g.grid.SelectedColumn()), monday + 2);

    const QPoint grip = g.grid.itemRect(first).center();
    g.drag(grip, grip + (g.slot(2, 600) - g.slot(1, 600)));
    EXPECT_EQ(g.grid.ItemDay(first), monday + 1);
    EXPECT_EQ(g.grid.ItemStart(first), 600);

    // A new first day moves the columns and the items with them.
    g.grid.SetFirstDay(monday + 7);
    QApplication::processEvents();
    EXPECT_FALSE(g.grid.itemRect(after).isEmpty());
    EXPECT_TRUE(g.grid.itemRect(first).isEmpty());
}

TEST(PlannerGrid, TimesReadAsAmPmOr24Hour)
{
    struct Case { bool amPm; bool military; const char *oneOClock; const char *morning; };
    const Case cases[] = {
        {false, true, "13:00", "09:00"},
        {true, true, "13:00", "09:00"},     // 24-hour wins
        {true, false, "1:00 pm", "9:00 am"},
        {false, false, "1:00", "9:00"},
    };
    for (const Case &c : cases) {
        PlannerGrid grid;
        grid.AddColumn(1, "Sal");
        grid.SetAmPm(c.amPm);
        grid.SetMilitary(c.military);
        grid.SetScheduleStart(480);
        grid.SetScheduleEnd(1080);
        const int i = grid.AddItem(540, 780, 0, "Talk", "1");
        grid.SetItemResource(i, 1);
        const QStringList texts = grid.printPages().texts(0);
        EXPECT_TRUE(texts.contains(c.oneOClock)) << c.oneOClock;
        EXPECT_TRUE(texts.contains(QString(c.morning) + "-" + c.oneOClock + " Talk"))
            << texts.join('|').toStdString();
    }
}

TEST(PlannerGrid, PrintGoesToThePreviewOrToTheGivenHandler)
{
    PlannerGrid grid;
    for (int c = 1; c <= 8; ++c)
        grid.AddColumn(c, QString("Lokale %1").arg(c));
    const int i = grid.AddItem(600, 690, 0, "Koncert", "7");
    grid.SetItemResource(i, 7);
    grid.SetItemAccountName(i, "Åse");
    grid.SetPrintTitle("Day Scheme  - 05-03-2024");
    grid.SetPrintSubTitle("Huse/Sale");
    grid.SetPrintLayout(0xC0C0C0, false, 40, 6);
    grid.SetScheduleStart(480);
    grid.SetScheduleEnd(1080);

    PrintCapture capture;
    const QList<PageModel> &previews = capture.previews;
    grid.Print();

    ASSERT_EQ(previews.size(), 1);
    const PageModel &pages = previews.first();
    ASSERT_EQ(pages.pageCount(), 2);   // six columns to a page
    EXPECT_EQ(pages.title(), "Day Scheme  - 05-03-2024");
    for (int p = 0; p < 2; ++p) {
        EXPECT_TRUE(pages.texts(p).contains("Day Scheme  - 05-03-2024"));
        EXPECT_TRUE(pages.texts(p).contains("Huse/Sale"));
    }
    EXPECT_TRUE(pages.texts(0).contains("Lokale 6"));
    EXPECT_FALSE(pages.texts(0).contains("Lokale 7"));
    EXPECT_TRUE(pages.texts(1).contains("10:00-11:30 Koncert\nÅse"));
    for (const PageItem &item : pages.page(1).items)
        EXPECT_LE(item.rect.right(), pages.paperSize().width());
}

TEST(PlannerGrid, TheSlotUnderASelectedItemIsNotLeftHighlightedWhenTheItemGoes)
{
    Grid g;
    g.addItem(1, 600, 690, "Review");
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.grid.itemRect(1).center());
    ASSERT_EQ(g.grid.SelectedItem(), 1);
    // The owner reloads its bookings (as a view does on activation): no slot stays chosen.
    g.grid.ClearItems();
    g.addItem(1, 600, 690, "Review");
    EXPECT_EQ(g.grid.SelectedItem(), 0);
    EXPECT_LT(g.grid.CurrentSlot(), 0);
    // A slot the user chose stays chosen over a reload.
    QTest::mouseClick(g.view(), Qt::LeftButton, {}, g.slot(2, 600));
    g.grid.ClearItems();
    EXPECT_EQ(g.grid.SelectedColumn(), 2);
    EXPECT_EQ(g.grid.SelectedStart(), 600);
}

TEST(PlannerGrid, APrintedBookingTextFitsItsBoxAndShowsWhereItIsCut)
{
    const QString title = "Annual general meeting of the rowing club, with the election of the "
                          "board, the accounts of the year and a dinner afterwards";
    PlannerGrid grid;
    for (int c = 1; c <= 6; ++c)
        grid.AddColumn(c, QString("Sal %1").arg(c));
    grid.SetPrintLayout(0xC0C0C0, false, 40, 6);
    grid.SetScheduleStart(480);
    grid.SetScheduleEnd(1320);
    grid.SetItemResource(grid.AddItem(480, 510, 0, title, "1"), 1);   // half an hour
    grid.SetItemResource(grid.AddItem(600, 840, 0, title, "2"), 2);   // four hours
    const PageModel pages = grid.printPages();
    QStringList bookings;
    for (const PageItem &item : pages.page(0).items) {
        if (item.kind != PageItem::Text
            || !(item.text.startsWith("08:00-") || item.text.startsWith("10:00-")))
            continue;
        EXPECT_TRUE(TextMetrics::fits(item)) << item.text.toStdString();
        bookings << item.text;
    }
    ASSERT_EQ(bookings.size(), 2);
    std::sort(bookings.begin(), bookings.end());
    EXPECT_TRUE(bookings[0].endsWith(QChar(0x2026))) << bookings[0].toStdString();
    EXPECT_EQ(bookings[1], "10:00-14:00 " + title);
}
