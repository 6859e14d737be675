#include "plannerfixture.h"

#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/dblist.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/toolbar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace Generalen;

class WeekViewTest : public PlannerTest
{
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        group = addGroup("Rooms");
        addGroup("Cars", 2);
        type = addType("Meeting", group);
        aula = addItem("Aula", type);
        lab = addItem("Lab", type);
        gCurrentGroupNo = group;
        gCurrentTypeNo = type;
    }

    int32_t group = 0, type = 0, aula = 0, lab = 0;
};

TEST_F(WeekViewTest, ShowsTheItemsBookingsFromTheFirstToTheSeventhDay)
{
    const int32_t monday = day(2024, 1, 1);
    addBooking(5, type, aula, monday + 6);
    addBooking(1, type, aula, monday);
    addBooking(2, type, aula, monday + 7);
    addBooking(3, type, aula, monday - 1);
    addBooking(4, type, lab, monday + 2);
    // Another type's booking of the same item: the item alone selects.
    addBooking(6, type + 100, aula, monday + 3);
    gCurrentItemNo = aula;
    gWeekStartDay = monday;

    auto *week = Forms::get<CalMdag>();
    EXPECT_EQ(gActiveView, 2);
    EXPECT_EQ(gActiveMainForm, 2);
    EXPECT_EQ(week->dd->Title(), "Week:1");
    EXPECT_EQ(week->dd->FirstDay(), monday);
    EXPECT_EQ(week->mdato->text(), QString::number(monday));
    EXPECT_EQ(keys(*week->dd), QStringList({"1", "5", "6"}));
    EXPECT_EQ(week->dd->ItemDay(2), monday + 6);
    EXPECT_EQ(week->dd->ItemResource(2), 0);
    EXPECT_EQ(week->ctDrop->ItemCaption(5), "DayView");
}

TEST_F(WeekViewTest, PreviousThenNextWeekShowsTheStartingWeekAgain)
{
    const int32_t monday = day(2024, 1, 8);
    addBooking(1, type, aula, monday);
    addBooking(2, type, aula, monday - 7);
    gCurrentItemNo = aula;
    gWeekStartDay = monday;
    auto *week = Forms::get<CalMdag>();

    ASSERT_TRUE(week->ctToolBar3->clickItem(1));
    EXPECT_EQ(gWeekStartDay, monday - 7);
    EXPECT_EQ(week->mdato->text(), QString::number(monday - 7));
    EXPECT_EQ(week->dd->Title(), "Week:1");
    EXPECT_EQ(keys(*week->dd), QStringList({"2"}));

    ASSERT_TRUE(week->ctToolBar3->clickItem(2));
    EXPECT_EQ(gWeekStartDay, monday);
    EXPECT_EQ(week->mdato->text(), QString::number(monday));
    EXPECT_EQ(week->dd->Title(), "Week:2");
    EXPECT_EQ(keys(*week->dd), QStringList({"1"}));

    // Any other id refills the grid and leaves the week as it is.
    addBooking(3, type, aula, monday + 1);
    week->ctToolBar3_ButtonClick(99);
    EXPECT_EQ(gWeekStartDay, monday);
    EXPECT_EQ(keys(*week->dd), QStringList({"1", "3"}));

    // So does activation.
    addBooking(4, type, aula, monday + 2);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(week, &activate);
    EXPECT_EQ(keys(*week->dd), QStringList({"1", "3", "4"}));
}

TEST_F(WeekViewTest, SwitchingToTheWeekAndBackKeepsTheTypeAndTakesTheClickedDay)
{
    const int32_t wednesday = day(2024, 1, 10);
    addBooking(1, type, lab, day(2024, 1, 8));
    addBooking(2, type, lab, day(2024, 1, 12));
    addBooking(3, type, lab, wednesday);
    gCurrentDay = wednesday;
    auto *cal = Forms::get<Calendar>();
    ASSERT_EQ(columns(*cal->cc), QList<int32_t>({aula, lab}));

    // A double-click on a booking opens no week.
    cal->cc->SetSelection(2, 600, 630);
    cal->cc->SetSelectedItem(1);
    emit cal->cc->DblClick();
    EXPECT_TRUE(Forms::isLoaded<Calendar>());
    EXPECT_FALSE(Forms::isLoaded<CalMdag>());

    cal->cc->SetSelectedItem(0);
    cal->cc->SetSelection(2, 600, 630);
    emit cal->cc->DblClick();
    ASSERT_TRUE(Forms::isLoaded<CalMdag>());
    EXPECT_FALSE(Forms::isLoaded<Calendar>());
    auto *week = Forms::get<CalMdag>();
    EXPECT_EQ(gCurrentItemNo, lab);
    EXPECT_EQ(gWeekStartDay, day(2024, 1, 8));
    EXPECT_EQ(week->lnavn->text(), "Lab");
    EXPECT_EQ(week->lnr->text(), QString::number(lab));
    EXPECT_EQ(keys(*week->dd), QStringList({"1", "2", "3"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Friday, the fifth column; a double-click on a booking stays in the week.
    week->dd->SetSelection(5, 600, 630);
    week->dd->SetSelectedItem(2);
    emit week->dd->DblClick();
    EXPECT_TRUE(Forms::isLoaded<CalMdag>());
    week->dd->SetSelectedItem(0);
    week->dd->SetSelection(5, 600, 630);
    emit week->dd->DblClick();
    ASSERT_TRUE(Forms::isLoaded<Calendar>());
    EXPECT_FALSE(Forms::isLoaded<CalMdag>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    cal = Forms::get<Calendar>();
    EXPECT_EQ(gCurrentDay, day(2024, 1, 12));
    EXPECT_EQ(gActiveView, 1);
    EXPECT_EQ(cal->gdato->text(), "12-01-2024");
    EXPECT_EQ(cal->Data1.value("overgruppenr").toInt(), group);
    EXPECT_EQ(cal->Data2.value("Lokalitetsnr").toInt(), type);
    EXPECT_EQ(cal->aktuelovergruppe->Text(), "Rooms");
    EXPECT_EQ(cal->aktuelgruppe->Text(), "Meeting");
    EXPECT_EQ(columns(*cal->cc), QList<int32_t>({aula, lab}));
    EXPECT_EQ(keys(*cal->cc), QStringList({"2"}));
}

TEST_F(WeekViewTest, SundayFirstWeeksStartOnTheSundayBeforeTheShownDay)
{
    gFirstDay = "0";
    gCurrentDay = day(2024, 1, 10);
    auto *cal = Forms::get<Calendar>();
    cal->OpenWeekView(aula);
    EXPECT_EQ(gWeekStartDay, day(2024, 1, 7));
    // The shown Sunday lies in ISO week 1 of 2024.
    EXPECT_EQ(Forms::get<CalMdag>()->dd->Title(), "Week:1");
}

TEST_F(WeekViewTest, ABookingfileThatCannotBeReadIsToldOnceNotAtEveryActivation)
{
    const AnyLayout brokenOnPurpose;   // the test breaks the file's layout to make reads fail
    const int32_t monday = day(2024, 1, 1);
    addBooking(1, type, aula, monday);
    gCurrentItemNo = aula;
    gWeekStartDay = monday;
    auto *week = Forms::get<CalMdag>();
    ASSERT_TRUE(sb.shown().isEmpty());

    exec("ALTER TABLE booking RENAME TO booking_gone");
    EXPECT_NO_THROW(week->Form_Activate());
    EXPECT_NO_THROW(week->Form_Activate());
    EXPECT_EQ(sb.shown().size(), 1);

    exec("ALTER TABLE booking_gone RENAME TO booking");
    week->Form_Activate();
    EXPECT_EQ(keys(*week->dd), QStringList({"1"}));
}

// An item renamed in its form shows its new name in the open week view, on the view's next
// activation and after a change of week.
TEST_F(WeekViewTest, TheHeadingFollowsARenamedItem)
{
    gIsAdmin = true;
    gCurrentDay = day(2024, 1, 3);
    auto *cal = Forms::get<Calendar>();
    cal->OpenWeekView(lab);
    auto *week = Forms::get<CalMdag>();
    EXPECT_EQ(week->lnavn->text(), "Lab");

    auto *form = Forms::get<resitemL>();
    form->Show();
    ASSERT_TRUE(form->position(QString("lokalenr = %1").arg(lab)));
    form->Lokalenavn->setText("Lab (new wing)");
    form->Luk->click();
    week->Form_Activate();
    EXPECT_EQ(week->lnavn->text(), "Lab (new wing)");
    EXPECT_EQ(week->lnr->text(), QString::number(lab));

    exec(QString("UPDATE lokale SET Lokalenavn = 'Lab 2' WHERE lokalenr = %1").arg(lab));
    week->ctToolBar3_ButtonClick(2);
    EXPECT_EQ(week->lnavn->text(), "Lab 2");
}
