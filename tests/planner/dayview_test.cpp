#include "plannerfixture.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/plannerdata.h"
#include "platform/controls/dblist.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/monthpicker.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/jetsql.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <sqlite3.h>

using namespace Generalen;

namespace {

// The numbers of a small resource tree: group "Rooms" with the types "Meeting"
// and "Teaching", and a group "Vehicles" without types.
struct Tree
{
    int32_t rooms = 0, vehicles = 0, meeting = 0, teaching = 0;
};

} // namespace

class DayViewTest : public PlannerTest
{
protected:
    Tree tree()
    {
        Tree t;
        t.rooms = addGroup("Rooms");
        t.vehicles = addGroup("Vehicles", 3);
        t.meeting = addType("Meeting", t.rooms);
        t.teaching = addType("Teaching", t.rooms);
        return t;
    }
};

TEST_F(DayViewTest, UnavailableItemsLoseTheirColumnFromFirstToLastDayOfThePeriod)
{
    const Tree t = tree();
    const int32_t d = day(2024, 1, 10);
    const int32_t always = addItem("A always", t.meeting);
    const int32_t period = addItem("B period", t.meeting, 1, d + 1, d + 3);
    const int32_t openStart = addItem("C until", t.meeting, 1, QVariant(), d + 2);
    const int32_t openEnd = addItem("D from", t.meeting, 1, d + 2, QVariant());
    addItem("E no flag", t.meeting, QVariant());
    addItem("F no bounds", t.meeting, 1);
    addItem("G other type", t.teaching);
    gCurrentTypeNo = t.meeting;

    struct Case
    {
        int32_t day;
        QList<int32_t> shown;
    };
    const Case cases[] = {
        {d, {always, period, openEnd}},
        {d + 1, {always, openEnd}},
        {d + 2, {always}},
        {d + 3, {always, openStart}},
        {d + 4, {always, period, openStart}},
    };
    auto *cal = Forms::get<Calendar>();
    for (const Case &c : cases) {
        gCurrentDay = c.day;
        cal->RefreshDayView();
        EXPECT_EQ(columns(*cal->cc), c.shown) << "day " << c.day - d;
        for (int col = 1; col <= cal->cc->ColumnCount(); ++col)
            EXPECT_EQ(cal->cc->ColumnValue(col), 255);
    }
    EXPECT_EQ(cal->cc->ColumnTitle(2), "B period");
}

TEST_F(DayViewTest, ShowsTheBookingsOfTheTypeAndDayInBookingNumberOrder)
{
    const Tree t = tree();
    const int32_t d = day(2024, 1, 10);
    const int32_t a = addItem("Aula", t.meeting);
    const int32_t hidden = addItem("Hidden", t.meeting, 1, d, d);
    const int32_t other = addItem("Lab", t.teaching);
    addBooking(30, t.meeting, a, d, 900, 960, "Board");
    addBooking(10, t.meeting, hidden, d, 480, 540);
    addBooking(20, t.meeting, a, d, 600, 630);
    addBooking(40, t.teaching, other, d);
    addBooking(50, t.meeting, a, d + 1);
    addBooking(60, t.meeting, a, d - 1);
    exec("UPDATE booking SET Bcolor = 65280, Tentative = 1, curacname = 'Bo' "
         "WHERE Bookingnr = 30");
    exec("UPDATE booking SET Bcolor = NULL, Beskrivelse = NULL, curacname = NULL, "
         "Tentative = NULL WHERE Bookingnr = 20");
    gCurrentTypeNo = t.meeting;
    gCurrentDay = d;

    auto *cal = Forms::get<Calendar>();
    const PlannerGrid &cc = *cal->cc;
    // The booking of the unavailable item is handed to the grid all the same.
    ASSERT_EQ(keys(cc), QStringList({"10", "20", "30"}));
    EXPECT_EQ(cc.ItemText(3), "Board");
    // Each booking its own account name, also after one that has none.
    EXPECT_EQ(cc.ItemAccountName(1), "Anna Berg");
    EXPECT_EQ(cc.ItemAccountName(3), "Bo");
    EXPECT_EQ(cc.ItemStart(3), 900);
    EXPECT_EQ(cc.ItemEnd(3), 960);
    EXPECT_EQ(cc.ItemDay(3), d);
    EXPECT_EQ(cc.ItemColour(3), 65280u);
    EXPECT_TRUE(cc.ItemTentative(3));
    EXPECT_EQ(cc.ItemResource(3), a);
    EXPECT_EQ(cc.ItemResource(1), hidden);
    // Empty fields: empty text, the grid's own colour, not tentative.
    EXPECT_EQ(cc.ItemText(2), "");
    EXPECT_FALSE(cc.ItemTentative(2));
    EXPECT_EQ(cc.ItemAccountName(2), "");
}

TEST_F(DayViewTest, PickingAGroupShowsItsFirstTypeOrNoneCreated)
{
    const Tree t = tree();
    const int32_t aula = addItem("Aula", t.meeting);
    addItem("Lab", t.teaching);
    auto *cal = Forms::get<Calendar>();

    // The group list runs in OvergruppenavneFor's order: Rooms (kind 1), Vehicles (kind 3).
    ASSERT_EQ(cal->aktuelovergruppe->ListCount(), 2);
    cal->aktuelovergruppe->setListIndex(0);
    EXPECT_EQ(gCurrentGroupNo, t.rooms);
    EXPECT_EQ(gCurrentTypeNo, t.meeting);
    EXPECT_EQ(cal->aktuelgruppe->ListCount(), 2);
    EXPECT_EQ(cal->grouptype->text(), "Rooms/Meeting");
    EXPECT_EQ(columns(*cal->cc), QList<int32_t>({aula}));

    cal->aktuelgruppe->setListIndex(1);
    EXPECT_EQ(gCurrentTypeNo, t.teaching);
    EXPECT_EQ(gCurrentGroupNo, t.rooms);
    EXPECT_EQ(cal->grouptype->text(), "Rooms/Teaching");

    cal->aktuelovergruppe->setListIndex(1);
    EXPECT_EQ(gCurrentGroupNo, t.vehicles);
    EXPECT_EQ(gCurrentTypeNo, 0);
    EXPECT_EQ(cal->aktuelgruppe->ListCount(), 0);
    EXPECT_EQ(cal->grouptype->text(), "Vehicles/None Created");
    EXPECT_EQ(cal->cc->ColumnCount(), 0);
}

TEST_F(DayViewTest, TodayShowsTodaysBookingsAndSetsThePicker)
{
    const Tree t = tree();
    const int32_t aula = addItem("Aula", t.meeting);
    const int32_t today = day(2024, 3, 5);
    addBooking(1, t.meeting, aula, today);
    addBooking(2, t.meeting, aula, day(2024, 1, 10));
    gCurrentTypeNo = t.meeting;
    auto *cal = Forms::get<Calendar>();
    ASSERT_EQ(keys(*cal->cc), QStringList({"2"}));

    sb.setNow(QDateTime(QDate(2024, 3, 5), QTime(23, 59)));
    cal->Today->click();
    EXPECT_EQ(cal->aktueldato->Value(), today);
    EXPECT_EQ(gCurrentDay, today);
    EXPECT_EQ(cal->gdato->text(), "05-03-2024");
    EXPECT_EQ(keys(*cal->cc), QStringList({"1"}));
}

TEST_F(DayViewTest, LoadShowsTheStateAndActivationShowsAChangeMadeElsewhere)
{
    const Tree t = tree();
    const int32_t aula = addItem("Aula", t.meeting);
    gCurrentTypeNo = t.meeting;
    auto *cal = Forms::get<Calendar>();
    EXPECT_EQ(gActiveView, 1);
    EXPECT_EQ(cal->CUser->text(), "Anna Berg");
    EXPECT_EQ(cal->gdato->text(), "10-01-2024");
    EXPECT_EQ(cal->aktueldato->Value(), gCurrentDay);
    EXPECT_EQ(cal->ctDrop->ItemCount(), 5);
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(cal->cc->ItemCount(), 0);

    // Another window stores a booking; returning to the day view shows it.
    addBooking(7, t.meeting, aula, gCurrentDay);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(cal, &activate);
    EXPECT_EQ(gActiveMainForm, 1);
    EXPECT_EQ(keys(*cal->cc), QStringList({"7"}));
}

TEST_F(DayViewTest, OffersTheResourceManagerAtEveryLoadWhileNoItemExists)
{
    tree();
    sb.answer(MsgBox::No);
    auto *cal = Forms::get<Calendar>();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(),
              "Currently no Resource Items are created.\r\nUse the Resource Manager to create\r\n"
              "Resource Groups\r\nResource Types\r\nResource Items\r\n\r\nOpen the Resource "
              "Hierarchy Section of the Help File to get detailed information.\r\n\r\n"
              "Open the Resource Manager now?");
    EXPECT_EQ(sb.shown().last().title, "Service Message");
    EXPECT_EQ(sb.shown().last().style & 0x7, int(MsgBox::YesNo));
    EXPECT_EQ(cal->cc->ColumnCount(), 0);
    EXPECT_EQ(cal->cc->ItemCount(), 0);

    // Yes from a user who is no administrator is refused, as the menu's Resource Manager is.
    cal->Unload();
    sb.answer(MsgBox::Yes);
    Forms::get<Calendar>();
    ASSERT_EQ(sb.shown().size(), 3);
    EXPECT_EQ(sb.lastText(), "Administrator Access Only!");
    EXPECT_EQ(sb.shown().last().title, "Access Message");

    Forms::unload<Calendar>();
    addItem("Aula", addType("Other", addGroup("More")));
    Forms::get<Calendar>();
    EXPECT_EQ(sb.shown().size(), 3);
}

// The day and week loads must read an index of booking, whatever the table holds.
TEST(PlannerQueries, ReadBookingsThroughAnIndex)
{
    Sandbox sb;
    const QString file = sb.newBookingfile("plan.mdb");
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    auto plan = [db](const QString &jet) {
        const QByteArray sql = ("EXPLAIN QUERY PLAN " + Dao::JetSql::toSqlite(jet)).toUtf8();
        sqlite3_stmt *st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr), SQLITE_OK);
        QString out;
        while (st && sqlite3_step(st) == SQLITE_ROW)
            out += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 3)))
                   + "\n";
        sqlite3_finalize(st);
        return out;
    };
    EXPECT_TRUE(plan(PlannerData::dayBookingsSql(3, 45000)).contains("booking_Bgruppe_Bdato"));
    EXPECT_TRUE(plan(PlannerData::weekBookingsSql(7, 45000)).contains("booking_Lokalenr_Bdato"));
    EXPECT_TRUE(plan(PlannerData::resourceColumnsSql(3)).contains("lokale_lokalinr"));
    sqlite3_close(db);
}

TEST_F(DayViewTest, ABookingfileThatCannotBeReadIsToldOnceNotAtEveryActivation)
{
    const AnyLayout brokenOnPurpose;   // the test breaks the file's layout to make reads fail
    const Tree t = tree();
    const int32_t aula = addItem("Aula", t.meeting);
    gCurrentTypeNo = t.meeting;
    addBooking(7, t.meeting, aula, gCurrentDay);
    auto *cal = Forms::get<Calendar>();
    ASSERT_TRUE(sb.shown().isEmpty());

    // Closing the message activates the view again; the failure is not told again and again.
    exec("ALTER TABLE booking RENAME TO booking_gone");
    EXPECT_NO_THROW(cal->Form_Activate());
    EXPECT_NO_THROW(cal->Form_Activate());
    EXPECT_EQ(sb.shown().size(), 1);

    // Readable again: the bookings come back, and a later failure is told again.
    exec("ALTER TABLE booking_gone RENAME TO booking");
    cal->Form_Activate();
    EXPECT_EQ(keys(*cal->cc), QStringList({"7"}));
    exec("ALTER TABLE booking RENAME TO booking_gone");
    EXPECT_NO_THROW(cal->Form_Activate());
    EXPECT_EQ(sb.shown().size(), 2);
}

TEST_F(DayViewTest, ARefillRepaintsTheBookingsButNotTheScrollBarsThatStayAsTheyWere)
{
    const Tree t = tree();
    const int32_t d = day(2024, 1, 10);
    QList<int32_t> items;
    for (int i = 0; i < 20; ++i)   // more columns than the view is wide
        items.append(addItem(QString("Room %1").arg(i, 2, 10, QChar('0')), t.meeting));
    addBooking(10, t.meeting, items[0], d);
    addBooking(20, t.meeting, items[1], d + 1);
    gCurrentTypeNo = t.meeting;
    gCurrentDay = d;
    auto *cal = Forms::get<Calendar>();
    cal->show();
    for (int i = 0; i < 2; ++i) {   // the first refill after the view is shown lays it out
        cal->RefreshDayView();
        QCoreApplication::processEvents();
    }
    QScrollBar *bar = cal->cc->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());

    struct Paints : QObject
    {
        QObject *bar = nullptr, *view = nullptr;
        int barPaints = 0, viewPaints = 0;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Paint) {
                barPaints += o == bar;
                viewPaints += o == view;
            }
            return false;
        }
    } paints;
    paints.bar = bar;
    paints.view = cal->cc->viewport();
    bar->installEventFilter(&paints);
    cal->cc->viewport()->installEventFilter(&paints);
    gCurrentDay = d + 1;
    cal->RefreshDayView();
    QCoreApplication::processEvents();
    EXPECT_EQ(keys(*cal->cc), QStringList({"20"}));
    EXPECT_GE(paints.viewPaints, 1);
    EXPECT_EQ(paints.barPaints, 0);
}
