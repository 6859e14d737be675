#include "plannerfixture.h"

#include "admin/lokaliteter.h"
#include "admin/resgroup.h"
#include "admin/resmanager.h"
#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "planner/calendar.h"
#include "platform/controls/dblist.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/tree.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Generalen;

// The first session on a new bookingfile: no resource yet.
class FirstSessionTest : public PlannerTest
{
};

// A new bookingfile's administrator answers Yes to the offer, makes a group, a type and an item
// in the resource manager and closes it: the day view shows the item's column at once, also
// after Today.
TEST_F(FirstSessionTest, TheFirstResourcesShowAsSoonAsTheResourceManagerCloses)
{
    gIsAdmin = true;
    sb.answer(MsgBox::Yes);
    auto *cal = Forms::get<Calendar>();
    ASSERT_TRUE(Forms::isLoaded<ResManager>());
    auto *m = Forms::get<ResManager>();
    const auto addChildOf = [m](const QString &key) {
        m->Form_Activate();
        for (int i = 0; i < m->intree->NodeCount(); ++i) {
            if (m->intree->NodeKey(i) == key)
                m->intree->setSelectedIndex(i);
        }
        m->add->click();
    };
    addChildOf("LT1");
    Forms::get<Resgroup>()->OverGruppenavn->setText("Rooms");
    Forms::get<Resgroup>()->save->click();
    const int32_t group = sqlValue(file, "SELECT overgruppenr FROM overgruppenavne").toInt();
    addChildOf("LG" + QString::number(group));
    Forms::get<lokaliteter>()->Lokalitetsnavn->setText("Meeting");
    Forms::get<lokaliteter>()->save->click();
    const int32_t type = sqlValue(file, "SELECT Lokalitetsnr FROM lokaliteter").toInt();
    addChildOf("LL" + QString::number(type));
    Forms::get<resitemLAD>()->Lokalenavn->setText("Aula");
    Forms::get<resitemLAD>()->Luk->click();
    const int32_t aula = sqlValue(file, "SELECT lokalenr FROM lokale").toInt();
    ASSERT_GT(aula, 0);
    EXPECT_EQ(cal->cc->ColumnCount(), 0);

    m->exit->click();
    EXPECT_EQ(gCurrentGroupNo, group);
    EXPECT_EQ(gCurrentTypeNo, type);
    EXPECT_EQ(cal->grouptype->text(), "Rooms/Meeting");
    EXPECT_EQ(cal->aktuelgruppe->Text(), "Meeting");
    EXPECT_EQ(columns(*cal->cc), QList<int32_t>({aula}));
    cal->Today->click();
    EXPECT_EQ(columns(*cal->cc), QList<int32_t>({aula}));
    EXPECT_EQ(sb.shown().size(), 1) << sb.lastText().toStdString();

    // A shown type deleted in the manager gives way to the first type left.
    const int32_t other = addType("Teaching", group);
    const int32_t lab = addItem("Lab", other);
    exec(QString("DELETE FROM lokale WHERE lokalenr = %1; DELETE FROM lokaliteter WHERE "
                 "Lokalitetsnr = %2").arg(aula).arg(type));
    Forms::get<ResManager>()->Show();
    Forms::get<ResManager>()->exit->click();
    EXPECT_EQ(gCurrentTypeNo, other);
    EXPECT_EQ(columns(*cal->cc), QList<int32_t>({lab}));
}
