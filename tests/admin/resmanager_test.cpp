#include "resourcefixture.h"

#include "admin/lokaliteter.h"
#include "admin/resgroup.h"
#include "admin/resmanager.h"
#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/form.h"
#include "platform/controls/tree.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Generalen;

namespace {

class ResManagerTest : public ResourceTest
{
protected:
    // A Domestic group with one type and two items, and an Add-On group with one item.
    void SetUp() override
    {
        ResourceTest::SetUp();
        rooms = addGroup("Rooms");
        meeting = addType("Meeting", rooms);
        aula = addItem("Aula", meeting);
        lab = addItem("Lab", meeting);
        gear = addGroup("Gear", 2);
        screens = addType("Screens", gear, 2);
        beamer = addItem("Beamer", screens, 2);
    }
    ResManager *open()
    {
        auto *m = Forms::get<ResManager>();
        m->Show();
        m->Form_Activate();
        return m;
    }
    void select(ResManager *m, const QString &key)
    {
        const int node = nodeOf(*m->intree, key);
        ASSERT_GE(node, 0) << key.toStdString();
        m->intree->setSelectedIndex(node);
    }

    int32_t rooms = 0, meeting = 0, aula = 0, lab = 0, gear = 0, screens = 0, beamer = 0;
};

TEST_F(ResManagerTest, TheTreeShowsKindsGroupsTypesAndItemsClosedAndLeavesOrphansOut)
{
    addGroup("Nowhere", 9);                        // no kind has code 9
    addItem("Lost", addType("Adrift", 999));       // a type of no group
    addItem("Stray", 999);                         // an item of no type
    exec("INSERT INTO gruppetyper (gruppeart, gtypenavn) VALUES (5, 'Extra')");
    const int32_t more = addGroup("More", 5);
    ResManager *m = open();
    EXPECT_EQ(m->windowTitle(), "Vantix  -  Resource Manager");
    EXPECT_EQ(nodes(*m->intree).join('\n').toStdString(),
              QStringList({"LT1 Domestic",
                           QString("  LG%1 Rooms").arg(rooms),
                           QString("    LL%1 Meeting").arg(meeting),
                           QString("      LI%1 Aula").arg(aula),
                           QString("      LI%1 Lab").arg(lab),
                           "AT2 Add-On",
                           QString("  AG%1 Gear").arg(gear),
                           QString("    AL%1 Screens").arg(screens),
                           QString("      AI%1 Beamer").arg(beamer),
                           "ST3 Stand-Alone",
                           "ST5 Extra",
                           QString("  SG%1 More").arg(more)})
                  .join('\n')
                  .toStdString());
    for (int i = 0; i < m->intree->NodeCount(); ++i)
        EXPECT_FALSE(m->intree->NodeExpanded(i));

    // Every activation builds the tree again from the file.
    exec(QString("UPDATE lokale SET Lokalenavn = 'Great Hall' WHERE lokalenr = %1").arg(aula));
    m->Form_Activate();
    EXPECT_EQ(m->intree->NodeText(nodeOf(*m->intree, QString("LI%1").arg(aula))), "Great Hall");
    EXPECT_EQ(m->intree->NodeCount(), 12);
    // The renamed node is shown selected.
    EXPECT_EQ(m->intree->SelectedIndex(), nodeOf(*m->intree, QString("LI%1").arg(aula)));
}

// The tree is built again after every form and message, and keeps the nodes that were open and
// the selection; a node that a form added or renamed is shown selected.
TEST_F(ResManagerTest, TheTreeKeepsItsOpenNodesAndSelectionAcrossItsForms)
{
    ResManager *m = open();
    const auto node = [&](const QString &key) { return nodeOf(*m->intree, key); };
    m->intree->setNodeExpanded(node("LT1"), true);
    m->intree->setNodeExpanded(node(QString("LG%1").arg(rooms)), true);
    select(m, QString("LL%1").arg(meeting));
    m->edit_Click();
    Forms::get<lokaliteter>()->save->click();   // nothing changed
    m->Form_Activate();
    EXPECT_TRUE(m->intree->NodeExpanded(node("LT1")));
    EXPECT_TRUE(m->intree->NodeExpanded(node(QString("LG%1").arg(rooms))));
    EXPECT_FALSE(m->intree->NodeExpanded(node("AT2")));
    EXPECT_EQ(m->intree->SelectedIndex(), node(QString("LL%1").arg(meeting)));

    // An item added under the type: shown, selected.
    m->add_Click();
    auto *add = Forms::get<resitemLAD>();
    add->Lokalenavn->setText("Studio");
    add->Luk->click();
    m->Form_Activate();
    const int studio = m->intree->SelectedIndex();
    ASSERT_GE(studio, 0);
    EXPECT_EQ(m->intree->NodeText(studio), "Studio");
    EXPECT_TRUE(m->intree->NodeExpanded(node(QString("LL%1").arg(meeting))));

    // A renamed group is selected; a message changes nothing.
    select(m, QString("AG%1").arg(gear));
    m->edit_Click();
    Forms::get<Resgroup>()->OverGruppenavn->setText("Equipment");
    Forms::get<Resgroup>()->save->click();
    m->Form_Activate();
    EXPECT_EQ(m->intree->SelectedIndex(), node(QString("AG%1").arg(gear)));
    EXPECT_TRUE(m->intree->NodeExpanded(node("AT2")));
    m->Form_Activate();
    EXPECT_EQ(m->intree->SelectedIndex(), node(QString("AG%1").arg(gear)));
    EXPECT_TRUE(m->intree->NodeExpanded(node(QString("LG%1").arg(rooms))));
}

TEST_F(ResManagerTest, EditOpensTheFormOfTheNodesLevelOnItsRow)
{
    struct Case { const char *key; int32_t number; bool admin; const char *form; };
    const Case cases[] = {
        {"LG", rooms, false, "Resgroup"},      {"LL", meeting, false, "lokaliteter"},
        {"LI", lab, true, "resitemL"},         {"LI", lab, false, "resitemLView"},
        {"AI", beamer, true, "ResitemA"},      {"AI", beamer, false, "ResitemAView"},
    };
    for (const Case &c : cases) {
        gIsAdmin = c.admin;
        ResManager *m = open();
        select(m, c.key + QString::number(c.number));
        m->edit->click();
        QList<Form *> shown;
        for (Form *f : Forms::loaded())
            if (f != m && f->isVisible())
                shown << f;
        ASSERT_EQ(shown.size(), 1) << c.form;
        EXPECT_EQ(shown[0]->objectName(), c.form);
        EXPECT_EQ(shown[0]->owner(), m);
        auto *form = static_cast<RecordForm *>(shown[0]);
        const QString keyField = c.key[1] == 'G' ? "overgruppenr"
                                 : c.key[1] == 'L' ? "Lokalitetsnr" : "lokalenr";
        EXPECT_EQ(form->Data1.value(keyField).toInt(), c.number) << c.form;
        Forms::unloadAll();
    }
}

TEST_F(ResManagerTest, EditWithoutASelectionOrOnARootOpensNothing)
{
    ResManager *m = open();
    m->edit_Click();
    EXPECT_EQ(sb.lastText(), "Select Node, Please");
    EXPECT_EQ(sb.shown().last().title, "Service Message");
    select(m, "AT2");
    m->edit_Click();
    EXPECT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(Forms::loaded().size(), 1);
}

TEST_F(ResManagerTest, ANodeDeletedMeanwhileIsToldAndTheTreeIsBuiltAgain)
{
    ResManager *m = open();
    select(m, QString("LI%1").arg(lab));
    exec(QString("DELETE FROM lokale WHERE lokalenr = %1").arg(lab));
    m->edit_Click();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_TRUE(sb.lastText().contains("not found"));
    EXPECT_FALSE(Forms::isLoaded<resitemL>());   // never left open on another item
    EXPECT_EQ(nodeOf(*m->intree, QString("LI%1").arg(lab)), -1);
    EXPECT_EQ(count("lokale"), 2);
}

TEST_F(ResManagerTest, TheNodeMenuAddsOrEditsAndAddingIsForAdministrators)
{
    ResManager *m = open();
    ASSERT_EQ(m->ctDrop->ItemCount(), 2);
    EXPECT_EQ(m->ctDrop->ItemCaption(1), "Add Child");
    EXPECT_EQ(m->ctDrop->ItemCaption(2), "Edit/Delete Node");
    const int node = nodeOf(*m->intree, QString("LL%1").arg(meeting));
    m->intree->rightClickNode(node);
    EXPECT_EQ(m->intree->SelectedIndex(), node);
    m->ctDrop->clickItem(2);
    EXPECT_TRUE(Forms::isLoaded<lokaliteter>());
    Forms::unload<lokaliteter>();

    gIsAdmin = false;
    m->ctDrop->clickItem(1);
    m->add->click();
    ASSERT_EQ(sb.shown().size(), 2);
    for (const MsgBox::Shown &s : sb.shown()) {
        EXPECT_EQ(s.text, "Administrator Access Only!");
        EXPECT_EQ(s.title, "Access Message");
    }
    EXPECT_FALSE(Forms::isLoaded<resitemLAD>());
}

TEST_F(ResManagerTest, AddChildAddsAGroupATypeAndAnItemWithTheirKindAndParent)
{
    ResManager *m = open();
    select(m, "AT2");
    m->add_Click();
    auto *group = Forms::get<Resgroup>();
    EXPECT_EQ(group->gruppeart->text(), "2");
    group->OverGruppenavn->setText("Cables");
    group->save->click();
    EXPECT_FALSE(Forms::isLoaded<Resgroup>());
    const int32_t cables = value("SELECT overgruppenr FROM overgruppenavne "
                                 "WHERE OverGruppenavn = 'Cables' AND Gruppeart = 2").toInt();
    ASSERT_GT(cables, 0);

    m->Form_Activate();
    select(m, QString("AG%1").arg(cables));
    m->add_Click();
    auto *type = Forms::get<lokaliteter>();
    EXPECT_EQ(type->Overgruppenr->text(), QString::number(cables));
    type->Lokalitetsnavn->setText("HDMI");
    type->save->click();
    const int32_t hdmi = value(QString("SELECT Lokalitetsnr FROM lokaliteter WHERE "
                                       "Overgruppenr = %1 AND gruppeart = 2").arg(cables)).toInt();
    ASSERT_GT(hdmi, 0);

    m->Form_Activate();
    select(m, QString("AL%1").arg(hdmi));
    m->add_Click();
    ASSERT_TRUE(Forms::isLoaded<ResitemAD>());
    auto *item = Forms::get<ResitemAD>();
    item->Lokalenavn->setText("Cable 1");
    item->Luk->click();
    EXPECT_EQ(count("lokale", QString("Lokalenavn = 'Cable 1' AND lokalinr = %1 AND "
                                      "Gruppeart = 2").arg(hdmi)),
              1);
    m->Form_Activate();
    EXPECT_GE(nodeOf(*m->intree, "AI" + value("SELECT lokalenr FROM lokale WHERE "
                                             "Lokalenavn = 'Cable 1'").toString()),
              0);

    // A Domestic type gets the Domestic add form; an item node has no children.
    select(m, QString("LL%1").arg(meeting));
    m->add_Click();
    EXPECT_TRUE(Forms::isLoaded<resitemLAD>());
    EXPECT_EQ(Forms::get<resitemLAD>()->lokalinr->text(), QString::number(meeting));
    Forms::get<resitemLAD>()->Canc->click();
    EXPECT_FALSE(Forms::isLoaded<resitemLAD>());
    select(m, QString("LI%1").arg(aula));
    m->add_Click();
    EXPECT_EQ(sb.shown().last().title, "Service Message");
    EXPECT_EQ(count("lokale"), 4);
}

} // namespace
