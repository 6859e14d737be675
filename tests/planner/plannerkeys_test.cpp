#include "plannerfixture.h"

#include "bookings/bookingform.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/dblist.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/toolbar.h"
#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"
#include "reports/searchinfoform.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace Generalen;

namespace {

// One planner window under test: the day view or the week view, shown, with its grid and the
// grid column of the shown Wednesday's Aula.
struct View
{
    const char *name;
    Form *form;
    PlannerGrid *grid;
    ToolBar *bookingBar;
    DropMenu *itemMenu;
    int column;
};

View dayView()
{
    auto *f = Forms::get<Calendar>();
    return {"day view", f, f->cc, f->ctToolBar2, f->ctDrop, 1};
}

View weekView()
{
    auto *f = Forms::get<CalMdag>();
    return {"week view", f, f->dd, f->ctToolBar2, f->ctDrop, 3};
}

void show(const View &v)
{
    v.form->resize(1100, 800);
    v.form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v.form));
    v.form->activateWindow();
    v.grid->setFocus();
}

int indexOfKey(const PlannerGrid &g, int32_t nr)
{
    for (int i = 1; i <= g.ItemCount(); ++i) {
        if (g.ItemKeyText(i) == QString::number(nr))
            return i;
    }
    return 0;
}

void clickItem(PlannerGrid &g, int32_t nr)
{
    const int i = indexOfKey(g, nr);
    ASSERT_GT(i, 0) << "booking " << nr;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.itemRect(i).center());
    ASSERT_EQ(g.SelectedItem(), i);
}

// The slot of a minute, found from booking 10, which starts at 10:00 in the given column.
QRect slotOf(PlannerGrid &g, int column, int minute)
{
    int first = 0;
    const int top = g.itemRect(indexOfKey(g, 10)).top();
    while (!g.slotRect(column, first).isEmpty() && g.slotRect(column, first).bottom() < top)
        ++first;
    return g.slotRect(column, first + (minute - 600) / g.TimeUnit());
}

void clickSlot(PlannerGrid &g, int column, int minute)
{
    const QRect r = slotOf(g, column, minute);
    ASSERT_TRUE(g.viewport()->rect().contains(r)) << "minute " << minute;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, r.center());
}

void key(Qt::Key k, Qt::KeyboardModifiers m = {})
{
    QTest::keyClick(QApplication::focusWidget(), k, m);
}

// Presses on an item, moves it down by slotCount slots as a hand does, and lets go.
void dragDown(PlannerGrid &g, int index, int slotCount)
{
    const QPoint from = g.itemRect(index).center();
    const QPoint to = from + QPoint(0, slotCount * g.slotRect(1, 0).height());
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(g.viewport(), from + (to - from) * step / 4);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, to);
}

} // namespace

class PlannerKeysTest : public TwoRoomsTest
{
protected:
    void SetUp() override
    {
        TwoRoomsTest::SetUp();
        gCurrentDay = day(2024, 1, 10);   // the Wednesday of the shown week
        addBooking(10, type, aula, gCurrentDay, 600, 660, "Mine");
        addBooking(11, type, aula, gCurrentDay, 780, 840, "Theirs");
        exec("UPDATE booking SET kontonr = 9, curacname = 'Other' WHERE Bookingnr = 11");
    }
    int count(const QString &where)
    {
        return sqlValue(file, "SELECT COUNT(*) FROM booking WHERE " + where).toInt();
    }
};

TEST_F(PlannerKeysTest, StandardKeysOnASelectedBookingDoWhatTheToolBarDoesInBothViews)
{
    for (auto make : {dayView, weekView}) {
        exec("DELETE FROM booking WHERE Bookingnr NOT IN (10, 11)");
        exec("UPDATE booking SET Beskrivelse = 'Mine' WHERE Bookingnr = 10");
        const View v = make();
        SCOPED_TRACE(v.name);
        show(v);
        PlannerGrid &g = *v.grid;

        // The keys are shown on the buttons' tips and in the item menu.
        QStringList tips;
        for (QAction *a : v.bookingBar->findChildren<QAction *>())
            tips << a->toolTip();
        const QString ctrlX = QKeySequence(QKeySequence::Cut).toString(QKeySequence::NativeText);
        EXPECT_TRUE(tips.contains("Cut Booking (" + ctrlX + ")")) << tips.join(", ").toStdString();
        EXPECT_EQ(v.itemMenu->ItemShortcut(1), QKeySequence(Qt::Key_Return));   // Open
        EXPECT_EQ(v.itemMenu->ItemShortcut(4), QKeySequence(QKeySequence::Delete));

        // Ctrl+C, a click on an empty slot, Ctrl+V: a copy at the new place.
        clickItem(g, 10);
        key(Qt::Key_C, Qt::ControlModifier);
        clickSlot(g, v.column, 720);
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(count("Beskrivelse = 'Mine' AND bstart = 720"), 1);
        const int32_t pasted = sqlValue(file, "SELECT Bookingnr FROM booking WHERE bstart = 720")
                                   .toInt();
        // The pasted booking is selected, with no slot highlight left beside it.
        EXPECT_EQ(g.SelectedItem(), indexOfKey(g, pasted));
        EXPECT_EQ(g.CurrentSlot(), -1);

        // Delete: another account's booking is refused as from the tool bar.
        sb.clearShown();
        sb.answer(MsgBox::Yes);
        clickItem(g, 11);
        key(Qt::Key_Delete);
        EXPECT_EQ(sb.lastText(), "You have no authority to delete this booking !");
        EXPECT_EQ(count("Bookingnr = 11"), 1);
        // The pasted one goes after the question.
        sb.answer(MsgBox::Yes);
        clickItem(g, pasted);
        key(Qt::Key_Delete);
        EXPECT_EQ(count("bstart = 720"), 0);
        EXPECT_EQ(indexOfKey(g, pasted), 0);

        // F2 edits the title; Delete and Ctrl+C in the editor act on its text.
        sb.clearShown();
        clickItem(g, 10);
        key(Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        key(Qt::Key_Delete);   // the whole title was selected
        QTest::keyClicks(editor, "Kept");
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        key(Qt::Key_Return);
        EXPECT_EQ(field(10, "Beskrivelse").toString(), "Kept");
        EXPECT_TRUE(sb.shown().isEmpty());

        // Delete in the day view's type list acts on the list.
        if (auto *cal = qobject_cast<Calendar *>(v.form)) {
            clickItem(g, 10);
            cal->aktuelgruppe->findChild<QListWidget *>()->setFocus();
            key(Qt::Key_Delete);
            EXPECT_EQ(count("Bookingnr = 10"), 1);
            EXPECT_TRUE(sb.shown().isEmpty());
        }

        // Enter opens the selected booking as a double-click does.
        g.setFocus();
        clickItem(g, 10);
        key(Qt::Key_Return);
        EXPECT_TRUE(Forms::isLoaded<bookingform>());
        Forms::unloadAll();
    }
}

TEST_F(PlannerKeysTest, AMoveThatIsNotStoredPutsTheItemBackAtOnce)
{
    for (auto make : {dayView, weekView}) {
        exec("UPDATE booking SET bstart = 600, bslut = 660 WHERE Bookingnr = 10");
        const View v = make();
        SCOPED_TRACE(v.name);
        show(v);
        PlannerGrid &g = *v.grid;

        // Another account's booking: nothing stored, the item is back at its old place, and
        // the user is told why.
        sb.clearShown();
        dragDown(g, indexOfKey(g, 11), 2);
        const int theirs = indexOfKey(g, 11);
        EXPECT_EQ(g.ItemStart(theirs), 780);
        EXPECT_EQ(g.ItemEnd(theirs), 840);
        EXPECT_EQ(field(11, "bstart").toInt(), 780);
        ASSERT_EQ(sb.shown().size(), 1);
        EXPECT_EQ(sb.lastText(), "You have no authority to change this booking !");

        // The user's own booking is stored and stays where it was put.
        dragDown(g, indexOfKey(g, 10), 2);
        EXPECT_EQ(sb.shown().size(), 1);
        EXPECT_EQ(g.ItemStart(indexOfKey(g, 10)), 660);
        EXPECT_EQ(field(10, "bstart").toInt(), 660);
        EXPECT_EQ(field(10, "bslut").toInt(), 720);
        Forms::unloadAll();
    }
}

TEST_F(PlannerKeysTest, ListsHeadingAndPrintNameTheShownTypeAfterLoginAndTheWeekView)
{
    const int32_t vehicles = addGroup("Vehicles", 3);
    const int32_t vans = addType("Vans", vehicles);
    const int32_t van = addItem("Van 1", vans);
    addType("Teaching", group);
    // Start-up left a group number that is not the shown type's.
    gCurrentGroupNo = group;
    gCurrentTypeNo = vans;
    QString printed;
    Printing::setPreviewHandler([this, &printed](const PageModel &pages, const QString &) {
        if (PlannerGrid *grid = printedGrid(pages))
            printed = grid->PrintSubTitle();
    });

    const auto expectShown = [&](const char *when) {
        SCOPED_TRACE(when);
        auto *cal = Forms::get<Calendar>();
        EXPECT_EQ(cal->aktuelovergruppe->Text(), "Vehicles");
        EXPECT_EQ(cal->aktuelgruppe->Text(), "Vans");
        EXPECT_EQ(cal->aktuelgruppe->ListCount(), 1);
        EXPECT_EQ(cal->grouptype->text(), "Vehicles/Vans");
        EXPECT_EQ(gCurrentGroupNo, vehicles);
        EXPECT_EQ(columns(*cal->cc), QList<int32_t>({van}));
        printed.clear();
        cal->PrintDayScheme();
        EXPECT_EQ(printed, "Vehicles/Vans");
    };
    start::AfterLogin();
    expectShown("after login");

    Forms::get<Calendar>()->OpenWeekView(van);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Forms::get<CalMdag>()->OpenDayView(gCurrentDay);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    expectShown("back from the week view");
}

// Ctrl+X marks the booking and leaves it; Ctrl+C on another booking leaves it too; Ctrl+X again
// and Ctrl+V on an empty slot move it there under its own number.
TEST_F(PlannerKeysTest, CutCopyAndPasteByKeysLoseAndDoubleNothingInBothViews)
{
    for (auto make : {dayView, weekView}) {
        exec("DELETE FROM booking WHERE Bookingnr NOT IN (10, 11)");
        exec("UPDATE booking SET bstart = 600, bslut = 660, Lokalenr = " + QString::number(aula)
             + " WHERE Bookingnr = 10");
        execSql(Extrafunktioner::PathsFile(), "DELETE FROM standby");
        const View v = make();
        SCOPED_TRACE(v.name);
        show(v);
        PlannerGrid &g = *v.grid;
        sb.clearShown();

        clickItem(g, 10);
        key(Qt::Key_X, Qt::ControlModifier);
        EXPECT_TRUE(g.ItemCut(indexOfKey(g, 10)));
        EXPECT_EQ(count("Bookingnr = 10 AND bstart = 600"), 1);
        clickItem(g, 11);
        key(Qt::Key_C, Qt::ControlModifier);
        EXPECT_FALSE(g.ItemCut(indexOfKey(g, 10)));
        clickSlot(g, v.column, 720);
        key(Qt::Key_V, Qt::ControlModifier);
        // Booking 11 is another account's: no copy of it is made.
        EXPECT_EQ(sb.lastText(), "You have no authority to paste this booking !");
        EXPECT_EQ(count("1 = 1"), 2);

        clickItem(g, 10);
        key(Qt::Key_X, Qt::ControlModifier);
        clickSlot(g, v.column, 900);
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(count("Bookingnr = 10 AND bstart = 900 AND bslut = 960"), 1);
        EXPECT_EQ(count("1 = 1"), 2);
        EXPECT_FALSE(g.ItemCut(indexOfKey(g, 10)));
        EXPECT_EQ(g.ItemStart(indexOfKey(g, 10)), 900);
        EXPECT_EQ(sb.shown().size(), 1);
        Forms::unloadAll();
    }
}
