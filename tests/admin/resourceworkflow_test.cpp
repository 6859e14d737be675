#include "resourcefixture.h"

#include "admin/lokaliteter.h"
#include "admin/resgroup.h"
#include "admin/resmanager.h"
#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/tree.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Generalen;

namespace {

class ResourceWorkflowTest : public ResourceTest
{
protected:
    void SetUp() override
    {
        ResourceTest::SetUp();
        gOpeningTime = 480;
        gClosingTime = 1080;
        gPrimeStart = 480;
        gPrimeEnd = 960;
        gScheduleStart = 480;
        gScheduleEnd = 1080;
        gTimeUnits = 30;
        gMilitaryTime = true;
        gDateFormat2 = "D N-m-y";
        gCurrentDay = kToday;
    }
    // Selects the node of key in the manager and adds a child under it through the button.
    void addChildOf(ResManager *m, const QString &key)
    {
        m->Form_Activate();
        const int node = nodeOf(*m->intree, key);
        ASSERT_GE(node, 0) << key.toStdString();
        m->intree->setSelectedIndex(node);
        m->add->click();
    }
};

// An administrator starts on an empty bookingfile, builds a group, a type and an item in the
// resource manager that the day view offers, books the item, and may then not delete it.
TEST_F(ResourceWorkflowTest, FromAnEmptyFileToABookedItemThatStays)
{
    sb.answer(MsgBox::Yes);
    Calendar *cal = Forms::get<Calendar>();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_TRUE(sb.lastText().endsWith("Open the Resource Manager now?"));
    ASSERT_TRUE(Forms::isLoaded<ResManager>());
    ResManager *m = Forms::get<ResManager>();
    EXPECT_TRUE(m->isVisible());

    addChildOf(m, "LT1");
    Forms::get<Resgroup>()->OverGruppenavn->setText("Rooms");
    Forms::get<Resgroup>()->save->click();
    const QString group = value("SELECT overgruppenr FROM overgruppenavne").toString();
    addChildOf(m, "LG" + group);
    Forms::get<lokaliteter>()->Lokalitetsnavn->setText("Meeting");
    Forms::get<lokaliteter>()->save->click();
    const int32_t type = value("SELECT Lokalitetsnr FROM lokaliteter").toInt();
    addChildOf(m, "LL" + QString::number(type));
    auto *add = Forms::get<resitemLAD>();
    add->Lokalenavn->setText("Aula");
    add->maxprs->setText("40");
    add->Luk->click();
    const int32_t aula = value("SELECT lokalenr FROM lokale").toInt();
    m->Form_Activate();
    EXPECT_GE(nodeOf(*m->intree, "LI" + QString::number(aula)), 0);
    EXPECT_TRUE(sb.shown().size() == 1) << sb.lastText().toStdString();

    // Closing the manager shows the new group and type in the day view.
    m->exit->click();
    EXPECT_FALSE(Forms::isLoaded<ResManager>());
    ASSERT_EQ(cal->aktuelovergruppe->ListCount(), 1);
    EXPECT_EQ(cal->aktuelovergruppe->List(0), "Rooms");
    cal->aktuelovergruppe->setListIndex(0);
    EXPECT_EQ(gCurrentTypeNo, type);
    ASSERT_EQ(cal->cc->ColumnCount(), 1);
    EXPECT_EQ(cal->cc->ColumnResource(1), aula);

    // A booking typed into the item's column is stored on the item.
    PlannerGrid &grid = *cal->cc;
    grid.SetSelection(1, 600, 660);
    const int index = grid.AddItem(600, 660, grid.FirstDay(), "Board meeting", QString());
    grid.SetItemResource(index, aula);
    grid.SetSelectedItem(index);
    emit grid.ItemAdded(index, 600, 660, 1, false);
    EXPECT_EQ(count("booking", QString("Lokalenr = %1 AND Bdato = %2").arg(aula).arg(kToday)), 1);

    // The booked item is refused its delete.
    m = Forms::get<ResManager>();
    m->Show();
    m->Form_Activate();
    m->intree->setSelectedIndex(nodeOf(*m->intree, "LI" + QString::number(aula)));
    m->edit->click();
    auto *item = Forms::get<resitemL>();
    EXPECT_EQ(item->Lokalenavn->text(), "Aula");
    item->del->click();
    EXPECT_EQ(sb.lastText(), "Unable to delete resource with underlaying bookings ! !");
    EXPECT_EQ(count("lokale"), 1);
}

} // namespace
