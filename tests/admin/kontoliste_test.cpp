#include "adminfixture.h"

#include "admin/kontoliste.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/listgrid.h"

#include <QRadioButton>

namespace {

class KontolisteTest : public AdminTest
{
protected:
    // The names the list shows under a type and status filter, chosen as the user does.
    QStringList listed(bool group, bool archived)
    {
        auto *list = Forms::get<Kontoliste>();
        (group ? list->OptGrp : list->OptPri)->setChecked(true);
        (archived ? list->OptArc : list->OptAct)->setChecked(true);
        QStringList names;
        for (int r = 0; r < list->acclist->RowCount(); ++r)
            names << list->acclist->CellText(r, 1);
        return names;
    }
    // Selects the row of this account.
    void select(int32_t id)
    {
        ListGrid *grid = Forms::get<Kontoliste>()->acclist;
        for (int r = 0; r < grid->RowCount(); ++r) {
            if (grid->RowData(r) == id)
                return grid->setSelectedRow(r);
        }
        FAIL() << "account " << id << " is not listed";
    }
};

TEST_F(KontolisteTest, FiltersCompareTypeAndStatusExactly)
{
    addPerson("Active Person");
    addPerson("Old Person", true);
    addGroup("Choir", 1);
    addGroup("Old Choir", 1, true);
    exec("INSERT INTO Konti (Kontonavn, Kontotype, archived) VALUES ('Capital P', 'P', 0)");
    exec("INSERT INTO Konti (Kontonavn, Kontotype, archived) VALUES ('No status', 'p', NULL)");

    auto *list = Forms::get<Kontoliste>();
    EXPECT_EQ(list->windowTitle(), "Vantix  -  Administrators Account Manager");
    EXPECT_EQ(list->acclist->ColumnCaption(3), "Contact");
    EXPECT_EQ(listed(false, false), QStringList({"Active Person", "Administrator"}));
    EXPECT_EQ(listed(false, true), QStringList({"Old Person"}));
    EXPECT_EQ(listed(true, true), QStringList({"Old Choir"}));
    EXPECT_EQ(listed(true, false), QStringList({"Choir"}));
    EXPECT_EQ(list->acclist->CellText(0, 2), "owner");
}

TEST_F(KontolisteTest, NothingSelectedIsSaidAndNothingChanges)
{
    addPerson("Anna");
    auto *list = Forms::get<Kontoliste>();
    list->EditAcc_Click();
    list->Slet_Click();
    ASSERT_EQ(sb.shown().size(), 2);
    for (const MsgBox::Shown &box : sb.shown()) {
        EXPECT_EQ(box.text, "No Account Selected.");
        EXPECT_EQ(box.title, "Service Message2");
    }
    EXPECT_EQ(count("Konti", "1"), 2);
}

TEST_F(KontolisteTest, DeleteRefusals)
{
    const int32_t other = addPerson("Other Admin", false, true);
    const int32_t booked = addPerson("Booked");
    addBooking(1, booked);
    const int32_t archivedOnly = addPerson("Archived Booking");
    addBooking(2, archivedOnly, true);
    const int32_t owner = addPerson("Owner");
    addGroup("Choir", owner);

    struct Case { int32_t id; const char *text; const char *title; };
    const Case cases[] = {
        {other, "Admin Accounts can't be deleted.", "Service Message"},
        {booked, "System not able to delete account due to corresponding bookings.",
         "Deletion Denied"},
        {archivedOnly, "System not able to delete account due to corresponding bookings.",
         "Deletion Denied"},
        {owner, "System not able to delete account as it owns group accounts.",
         "Deletion Denied"},
    };
    Forms::get<Kontoliste>();
    for (const Case &c : cases) {
        sb.clearShown();
        select(c.id);
        Forms::get<Kontoliste>()->Slet_Click();
        ASSERT_EQ(sb.shown().size(), 2) << c.id;
        EXPECT_EQ(sb.shown()[0].text, "Confirm deletion of selected account.");
        EXPECT_EQ(sb.shown()[1].text, c.text);
        EXPECT_EQ(sb.shown()[1].title, c.title);
        EXPECT_EQ(count("Konti", QString("ID = %1").arg(c.id)), 1);
        EXPECT_EQ(count("grptilk", QString("pnr = %1").arg(c.id)), c.id == owner ? 2 : 1);
    }
}

TEST_F(KontolisteTest, DeleteRemovesTheAccountWithEveryMembership)
{
    const int32_t anna = addPerson("Anna");
    const int32_t choir = addGroup("Choir", 1);
    exec(QString("INSERT INTO grptilk (gnr, pnr) VALUES (%1, %2)").arg(choir).arg(anna));
    Forms::get<Kontoliste>();

    select(anna);
    sb.answer(MsgBox::No);
    Forms::get<Kontoliste>()->Slet_Click();
    EXPECT_EQ(count("Konti", QString("ID = %1").arg(anna)), 1);

    Forms::get<Kontoliste>()->Slet_Click();
    EXPECT_EQ(count("Konti", QString("ID = %1").arg(anna)), 0);
    EXPECT_EQ(count("grptilk", QString("pnr = %1 OR gnr = %1").arg(anna)), 0);
    EXPECT_EQ(members(choir), QList<qlonglong>({1}));
    EXPECT_EQ(listed(false, false), QStringList({"Administrator"}));

    // A group goes with all its members.
    listed(true, false);
    select(choir);
    Forms::get<Kontoliste>()->Slet_Click();
    EXPECT_EQ(count("Konti", QString("ID = %1").arg(choir)), 0);
    EXPECT_TRUE(members(choir).isEmpty());
}

TEST_F(KontolisteTest, CleanUpKeepsArchivedAccountsThatBookingsOrGroupsNeed)
{
    const int32_t active = addPerson("Active");
    const int32_t archivedBooked = addPerson("Archived Booked", true);
    addBooking(7, archivedBooked, true);
    const int32_t archivedAdmin = addPerson("Archived Admin", true, true);
    const int32_t archivedOwner = addPerson("Archived Owner", true);
    const int32_t ownedGroup = addGroup("Owned", archivedOwner);
    const int32_t oldGroup = addGroup("Old Group", active, true);
    exec(QString("INSERT INTO grptilk (gnr, pnr) VALUES (%1, %2)").arg(oldGroup).arg(active));

    auto *list = Forms::get<Kontoliste>();
    sb.answer(MsgBox::No);
    list->Cleanup_Click();
    EXPECT_EQ(count("Konti", "archived <> 0"), 4);

    list->Cleanup_Click();
    EXPECT_EQ(sb.lastText(), "Confirm deletion of all archived accounts, with no corresponding "
                             "active or archived bookings.");
    EXPECT_EQ(sqlNumbers(file, "SELECT ID FROM Konti ORDER BY ID"),
              QList<qlonglong>({1, active, archivedBooked, archivedOwner, ownedGroup}));
    EXPECT_EQ(count("grptilk", QString("gnr IN (%1, %2)").arg(archivedAdmin).arg(oldGroup)), 0);
    EXPECT_EQ(members(active), QList<qlonglong>({active}));
}

} // namespace
