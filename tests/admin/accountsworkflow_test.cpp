#include "adminfixture.h"

#include "admin/accountmenu.h"
#include "admin/gruppekonto.h"
#include "admin/gruppetilk.h"
#include "admin/kontoliste.h"
#include "admin/personkontoadd.h"
#include "bookings/bookingform.h"
#include "core/extrafunktioner.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dblist.h"
#include "platform/controls/listgrid.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

using namespace Generalen;

namespace {

class AccountsWorkflowTest : public AdminTest
{
protected:
    void logInAs(const QString &user, const QString &password)
    {
        Forms::unloadAll();
        auto *login = Forms::get<frmLogin>();
        login->txtUserName->setText(user);
        login->txtPassword->setText(password);
        login->cmdOK_Click();
        ASSERT_TRUE(gLoginOk) << user.toStdString();
    }
    int32_t keyOf(const QString &name)
    {
        return static_cast<int32_t>(
            sqlValue(file, "SELECT ID FROM Konti WHERE Kontonavn = '" + name + "'").toLongLong());
    }
    // The accounts the booking form offers the logged-in user, one entry per row.
    QList<qlonglong> bookableAccounts()
    {
        QList<qlonglong> ids;
        auto db = Dao::Database::open(file);
        auto rs = db->OpenRecordset(bookingform::AccountListSource(),
                                    Dao::RecordsetType::Snapshot);
        for (; !rs->EOF_(); rs->MoveNext())
            ids << rs->integer("ID");
        std::sort(ids.begin(), ids.end());
        return ids;
    }
};

TEST_F(AccountsWorkflowTest, PersonCreatesAProjectThatMembersBookAndNobodyDeletesWhileBooked)
{
    const int32_t carl = addPerson("Carl");
    // The administrator adds Dora.
    AccountMenu::showKontoliste(*planner);
    Forms::get<Kontoliste>()->AddAcc_Click();
    auto *add = Forms::get<PersonkontoAdd>();
    add->Kontonavn->setText("Dora");
    add->kontokontakt->setText("Dora");
    add->Kontouser->setText("dora");
    add->KontoPass->setText("pw");
    add->addknap_Click();
    const int32_t dora = keyOf("Dora");

    // Dora logs in, creates a project and makes Carl a member.
    logInAs("dora", "pw");
    EXPECT_EQ(gUserNo, dora);
    AccountMenu::showGruppetilk(*planner);
    auto *manager = Forms::get<Gruppetilk>();
    manager->NyGruppe_Click();
    Forms::get<Gruppekonto>()->Kontonavn->setText("Summer Camp");
    Forms::get<Gruppekonto>()->gem_Click();
    const int32_t camp = keyOf("Summer Camp");
    for (int i = 0; i < manager->personer->ListCount(); ++i) {
        manager->personer->setListIndex(i);
        if (manager->personer->BoundText().toInt() == carl)
            break;
    }
    manager->tilføjmedlem_Click();
    EXPECT_EQ(members(camp), QList<qlonglong>({carl, dora}));

    // Carl may book for the project, which the booking form offers him once.
    logInAs("carl", "carl");
    EXPECT_EQ(bookableAccounts(), QList<qlonglong>({carl, camp}));
    EXPECT_TRUE(Extrafunktioner::CanEditAccountBookings(camp));
    addBooking(1, camp);

    // Neither the owner nor the administrator can delete the booked project.
    logInAs("dora", "pw");
    AccountMenu::showGruppetilk(*planner);
    Forms::get<Gruppetilk>()->Gruppe->setBoundText(camp);
    Forms::get<Gruppetilk>()->Slet_Gruppe_Click();
    EXPECT_EQ(sb.lastText(), "Project can't be deleted due to existing bookings !");

    logInAs("admin", "admin");
    AccountMenu::showKontoliste(*planner);
    auto *list = Forms::get<Kontoliste>();
    list->OptGrp->click();
    ASSERT_EQ(list->acclist->RowCount(), 1);
    list->acclist->setSelectedRow(0);
    list->Slet_Click();
    EXPECT_EQ(sb.lastText(), "System not able to delete account due to corresponding bookings.");
    EXPECT_EQ(count("Konti", QString("ID = %1").arg(camp)), 1);
    EXPECT_EQ(members(camp), QList<qlonglong>({carl, dora}));
}

} // namespace
