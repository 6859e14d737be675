#include "adminfixture.h"

#include "admin/accountmenu.h"
#include "admin/gruppekonto.h"
#include "admin/gruppetilk.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dblist.h"

#include <QLineEdit>

using namespace Generalen;

namespace {

class GruppetilkTest : public AdminTest
{
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        anna = addPerson("Anna");
        ben = addPerson("Ben");
        logIn(anna);
    }
    Gruppetilk *manager()
    {
        if (!Forms::isLoaded<Gruppetilk>())
            AccountMenu::showGruppetilk(*planner);
        return Forms::get<Gruppetilk>();
    }
    // Picks the row of this key in a list, as the user does.
    static void pick(DBList *list, int32_t key)
    {
        for (int i = 0; i < list->ListCount(); ++i) {
            list->setListIndex(i);
            if (list->BoundText().toInt() == key)
                return;
        }
        FAIL() << "no row " << key;
    }
    QStringList memberNames()
    {
        QStringList names;
        DBList *m = manager()->medlemmer;
        for (int i = 0; i < m->ListCount(); ++i)
            names << m->List(i);
        return names;
    }
    // Creates a group from the manager as the logged-in user does.
    int32_t create(const QString &name)
    {
        manager()->NyGruppe_Click();
        auto *form = Forms::get<Gruppekonto>();
        form->Kontonavn->setText(name);
        form->gem_Click();
        return static_cast<int32_t>(
            sqlValue(file, "SELECT ID FROM Konti WHERE Kontonavn = '" + name + "'").toLongLong());
    }

    int32_t anna = 0, ben = 0;
};

TEST_F(GruppetilkTest, NewGroupIsStoredWithItsOwnerAsTheOnlyMember)
{
    manager()->NyGruppe_Click();
    auto *form = Forms::get<Gruppekonto>();
    EXPECT_EQ(form->windowTitle(), "Add/Edit Group Account");
    EXPECT_EQ(form->kontokontakt->text(), "Anna");
    EXPECT_TRUE(form->owner->isReadOnly());
    EXPECT_TRUE(form->kontokontakt->isReadOnly());
    form->gem_Click();
    EXPECT_EQ(sb.lastText(), "Fill in Account Name!");
    EXPECT_EQ(sb.shown().last().title, "Error Message");
    ASSERT_TRUE(Forms::isLoaded<Gruppekonto>());
    form->Kontonavn->setText("Choir");
    form->gem_Click();
    EXPECT_FALSE(Forms::isLoaded<Gruppekonto>());

    const int32_t choir = static_cast<int32_t>(
        sqlValue(file, "SELECT ID FROM Konti WHERE Kontonavn = 'Choir'").toLongLong());
    ASSERT_GT(choir, ben);
    EXPECT_EQ(sqlValue(file, QString("SELECT Kontotype || kontoowner || Kontouser || kontokontakt "
                                     "FROM Konti WHERE ID = %1")
                                 .arg(choir))
                  .toString(),
              QString("g%1annaAnna").arg(anna));
    EXPECT_EQ(members(choir), QList<qlonglong>({anna}));
    EXPECT_EQ(manager()->Gruppe->BoundText().toInt(), choir);
    EXPECT_EQ(memberNames(), QStringList({"Anna"}));
    EXPECT_EQ(manager()->medlemmer->BoundText().toInt(), anna);

    // Saving it again adds nothing.
    for (int i = 0; i < 2; ++i) {
        manager()->editgroup_Click();
        Forms::get<Gruppekonto>()->Kontoadresse->setText(QString("Street %1").arg(i));
        Forms::get<Gruppekonto>()->gem_Click();
    }
    EXPECT_EQ(members(choir), QList<qlonglong>({anna}));
    EXPECT_EQ(sqlValue(file, QString("SELECT Kontoadresse FROM Konti WHERE ID = %1").arg(choir)),
              "Street 1");
}

TEST_F(GruppetilkTest, CancelAndClosingAddNoGroup)
{
    manager()->NyGruppe_Click();
    Forms::get<Gruppekonto>()->Kontonavn->setText("Dropped");
    Forms::get<Gruppekonto>()->Fortryd_Click();
    manager()->NyGruppe_Click();
    Forms::get<Gruppekonto>()->Kontonavn->setText("Closed");
    Forms::get<Gruppekonto>()->close();
    EXPECT_EQ(count("Konti", "Kontotype = 'g'"), 0);
    EXPECT_EQ(count("grptilk", "gnr > " + QString::number(ben)), 0);
}

// A second "Add New Group" or an "Edit Group" while a new group is open stores that group only
// as Ok does: with its name, and with its owner as member; without a name it stays open.
TEST_F(GruppetilkTest, LeavingANewGroupForAnotherStoresItAsOkDoes)
{
    const int32_t choir = create("Choir");
    manager()->NyGruppe_Click();
    auto *form = Forms::get<Gruppekonto>();
    sb.clearShown();
    pick(manager()->Gruppe, choir);
    manager()->editgroup_Click();
    EXPECT_EQ(sb.lastText(), "Fill in Account Name!");
    EXPECT_EQ(form->Kontonavn->text(), "");
    EXPECT_EQ(count("Konti", "Kontotype = 'g'"), 1);

    form->Kontonavn->setText("Band");
    manager()->NyGruppe_Click();
    const auto band = static_cast<int32_t>(
        sqlValue(file, "SELECT ID FROM Konti WHERE Kontonavn = 'Band'").toLongLong());
    ASSERT_GT(band, 0);
    EXPECT_EQ(members(band), QList<qlonglong>({anna}));
    EXPECT_EQ(sqlValue(file, QString("SELECT kontoowner FROM Konti WHERE ID = %1").arg(band))
                  .toInt(),
              anna);
    EXPECT_EQ(form->Kontonavn->text(), "");   // the new group started
    EXPECT_EQ(manager()->Gruppe->ListCount(), 2);
}

TEST_F(GruppetilkTest, OwnerAddsAndRemovesMembersOnce)
{
    const int32_t choir = create("Choir");
    pick(manager()->personer, ben);
    manager()->tilføjmedlem_Click();
    manager()->tilføjmedlem_Click();
    EXPECT_EQ(members(choir), QList<qlonglong>({anna, ben}));
    EXPECT_EQ(memberNames(), QStringList({"Anna", "Ben"}));

    // The owner may remove himself.
    pick(manager()->medlemmer, anna);
    manager()->Sletmedlem_Click();
    EXPECT_EQ(members(choir), QList<qlonglong>({ben}));
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(GruppetilkTest, OnlyTheStoredOwnerPasses)
{
    const int32_t choir = create("Choir");
    const int32_t orphan = addGroup("Orphan", anna);
    exec(QString("UPDATE Konti SET kontoowner = NULL WHERE ID = %1").arg(orphan));
    Forms::unload<Gruppetilk>();
    logIn(ben);

    struct Case { void (Gruppetilk::*click)(); const char *text; };
    const Case cases[] = {
        {&Gruppetilk::tilføjmedlem_Click, "Projects can only be edited by the owner!!"},
        {&Gruppetilk::Sletmedlem_Click, "Projects can only be edited by the owner!"},
        {&Gruppetilk::editgroup_Click, "Projects can only be edited by the owner!"},
        {&Gruppetilk::Slet_Gruppe_Click, "Projects can only be deleted by the owner!"},
    };
    for (const int32_t group : {choir, orphan}) {
        pick(manager()->Gruppe, group);
        // Typing his own number into the owner box does not make him the owner.
        manager()->owner->setText(QString::number(ben));
        for (const Case &c : cases) {
            sb.clearShown();
            const int beeps = sb.beeps();
            (manager()->*c.click)();
            ASSERT_EQ(sb.shown().size(), 1) << c.text;
            EXPECT_EQ(sb.shown()[0].text, c.text);
            EXPECT_EQ(sb.shown()[0].title, "");
            EXPECT_EQ(sb.beeps(), beeps + 1);
        }
    }
    EXPECT_FALSE(Forms::isLoaded<Gruppekonto>());
    EXPECT_EQ(members(choir), QList<qlonglong>({anna}));
    EXPECT_EQ(sqlValue(file, QString("SELECT kontoowner FROM Konti WHERE ID = %1").arg(choir)),
              anna);

    // He can still create groups of his own.
    const int32_t band = create("Band");
    EXPECT_EQ(members(band), QList<qlonglong>({ben}));
}

TEST_F(GruppetilkTest, NothingSelectedIsSaid)
{
    // Without groups the list selects none, and the member list shows account 1's members.
    EXPECT_EQ(manager()->Data3.RecordSource(), Gruppetilk::crit1());
    EXPECT_EQ(memberNames(), QStringList({"Administrator"}));
    for (auto click : {&Gruppetilk::tilføjmedlem_Click, &Gruppetilk::Sletmedlem_Click,
                       &Gruppetilk::editgroup_Click, &Gruppetilk::Slet_Gruppe_Click}) {
        sb.clearShown();
        (manager()->*click)();
        EXPECT_EQ(sb.lastText(), "No Group Selected");
        EXPECT_EQ(sb.shown().last().title, "Error");
    }
    create("Choir");
    manager()->personer->setListIndex(-1);
    manager()->tilføjmedlem_Click();
    EXPECT_EQ(sb.lastText(), "No Personal Account Selected");
    manager()->medlemmer->setListIndex(-1);
    manager()->Sletmedlem_Click();
    EXPECT_EQ(sb.lastText(), "No Member Account Selected");
    EXPECT_EQ(sb.beeps(), 0);
}

TEST_F(GruppetilkTest, DeleteGroupRefusedWhileBookingsNameIt)
{
    const int32_t choir = create("Choir");
    pick(manager()->personer, ben);
    manager()->tilføjmedlem_Click();
    EXPECT_EQ(manager()->crit(),
              "SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN Grptilk ON "
              "Konti.ID = Grptilk.pnr WHERE Grptilk.gnr =" + QString::number(choir) + ";");

    for (const bool archive : {false, true}) {
        exec("DELETE FROM booking; DELETE FROM bookingarkiv");
        addBooking(1, choir, archive);
        sb.clearShown();
        manager()->Slet_Gruppe_Click();
        EXPECT_EQ(sb.lastText(), "Project can't be deleted due to existing bookings !");
        EXPECT_EQ(sb.shown().last().title, "");
    }
    exec("DELETE FROM bookingarkiv");
    sb.answer(MsgBox::No);
    manager()->Slet_Gruppe_Click();
    EXPECT_EQ(sb.shown().last().style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(count("Konti", QString("ID = %1").arg(choir)), 1);

    manager()->Slet_Gruppe_Click();
    EXPECT_EQ(sb.shown().last().text, "Confirm Deletion ?");
    EXPECT_EQ(sb.shown().last().title, "Delete Info");
    EXPECT_EQ(count("Konti", QString("ID = %1").arg(choir)), 0);
    EXPECT_TRUE(members(choir).isEmpty());
    EXPECT_EQ(manager()->Gruppe->ListCount(), 0);
    EXPECT_EQ(members(ben), QList<qlonglong>({ben}));
}

} // namespace
