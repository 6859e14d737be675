#include "adminfixture.h"

#include "admin/accountmenu.h"
#include "admin/kontoliste.h"
#include "admin/minkonto.h"
#include "admin/personkonto.h"
#include "admin/personkontoadd.h"
#include "core/extrafunktioner.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dblist.h"
#include "platform/controls/listgrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Generalen;

namespace {

class AccountFormsTest : public AdminTest
{
protected:
    QVariant stored(int32_t id, const QString &field)
    {
        return sqlValue(file, QString("SELECT %1 FROM Konti WHERE ID = %2").arg(field).arg(id));
    }
    Personkonto *openFromList(int32_t id)
    {
        auto *list = Forms::get<Kontoliste>();
        for (int r = 0; r < list->acclist->RowCount(); ++r) {
            if (list->acclist->RowData(r) == id)
                list->acclist->setSelectedRow(r);
        }
        list->EditAcc_Click();
        return Forms::isLoaded<Personkonto>() ? Forms::get<Personkonto>() : nullptr;
    }
};

TEST_F(AccountFormsTest, AddedAccountLogsInAndBooksAtOnce)
{
    auto *list = Forms::get<Kontoliste>();
    list->AddAcc_Click();
    auto *add = Forms::get<PersonkontoAdd>();
    EXPECT_EQ(add->windowTitle(), "Vantix  -  Add Account");
    EXPECT_EQ(add->KontoPass->echoMode(), QLineEdit::Password);

    add->Kontonavn->setText("Dora Dahl");
    add->addknap_Click();
    EXPECT_EQ(sb.lastText(), "Account Name and Account Contact are required parameters.");
    EXPECT_EQ(sb.shown().last().title, "Service Message");
    EXPECT_TRUE(Forms::isLoaded<PersonkontoAdd>());

    add->kontokontakt->setText("Dora Dahl");
    add->Kontouser->setText("dora");
    add->KontoPass->setText("Pw1");
    add->depnr->setBoundText(QVariant());
    add->addknap_Click();
    EXPECT_FALSE(Forms::isLoaded<PersonkontoAdd>());

    const auto dora = static_cast<int32_t>(
        sqlValue(file, "SELECT ID FROM Konti WHERE Kontonavn = 'Dora Dahl'").toLongLong());
    ASSERT_GT(dora, 1);
    EXPECT_EQ(stored(dora, "Kontotype").toString(), "p");
    EXPECT_EQ(stored(dora, "KontoPass").toString(), "Pw1");
    EXPECT_EQ(sqlNumbers(file, "SELECT gnr FROM grptilk WHERE pnr = " + QString::number(dora)),
              QList<qlonglong>({dora}));
    EXPECT_EQ(list->acclist->CellText(1, 1), "Dora Dahl");

    // The login finds her, and she may edit her own bookings.
    auto *login = Forms::get<frmLogin>();
    login->txtUserName->setText("dora");
    login->txtPassword->setText("Pw1");
    login->cmdOK_Click();
    EXPECT_TRUE(gLoginOk);
    EXPECT_EQ(gUserNo, dora);
    EXPECT_TRUE(Extrafunktioner::CanEditAccountBookings(dora));
}

TEST_F(AccountFormsTest, AddingIsDroppedByCancelAndByClosing)
{
    auto *list = Forms::get<Kontoliste>();
    list->AddAcc_Click();
    Forms::get<PersonkontoAdd>()->Kontonavn->setText("Gone");
    Forms::get<PersonkontoAdd>()->Canc_Click();
    EXPECT_FALSE(Forms::isLoaded<PersonkontoAdd>());

    list->AddAcc_Click();
    Forms::get<PersonkontoAdd>()->Kontonavn->setText("Closed");
    Forms::get<PersonkontoAdd>()->kontokontakt->setText("Closed");
    Forms::get<PersonkontoAdd>()->close();

    list->AddAcc_Click();
    Forms::get<PersonkontoAdd>()->Kontonavn->setText("Escaped");
    Forms::get<PersonkontoAdd>()->kontokontakt->setText("Escaped");
    QTest::keyClick(Forms::get<PersonkontoAdd>()->Kontonavn, Qt::Key_Escape);
    EXPECT_FALSE(Forms::isLoaded<PersonkontoAdd>());
    EXPECT_EQ(count("Konti", "1"), 1);
    EXPECT_EQ(count("grptilk", "1"), 1);
}

TEST_F(AccountFormsTest, EditStoresOnOkAndTheListShowsIt)
{
    const int32_t anna = addPerson("Anna");
    auto *form = openFromList(anna);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), "Vantix  -  Edit Account");
    EXPECT_EQ(form->Kontonavn->text(), "Anna");
    form->Kontonavn->setText("Anna Berg");
    form->PArc->setChecked(true);
    form->Command22_Click();
    EXPECT_FALSE(Forms::isLoaded<Personkonto>());
    EXPECT_EQ(stored(anna, "Kontonavn").toString(), "Anna Berg");
    EXPECT_TRUE(stored(anna, "archived").toBool());
    // Archived now, so off the list of active accounts.
    EXPECT_EQ(Forms::get<Kontoliste>()->acclist->RowCount(), 1);
}

TEST_F(AccountFormsTest, LoginBoxesFollowTheTypeOfEachAccountOpened)
{
    const int32_t anna = addPerson("Anna");
    const int32_t choir = addGroup("Choir", anna);
    auto *list = Forms::get<Kontoliste>();
    list->OptGrp->setChecked(true);
    Personkonto *form = openFromList(choir);
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->Kontouser->isEnabled());
    EXPECT_FALSE(form->KontoPass->isEnabled());

    list->OptPri->setChecked(true);
    form = openFromList(anna);
    EXPECT_TRUE(form->Kontouser->isEnabled());
    EXPECT_TRUE(form->KontoPass->isEnabled());
    EXPECT_EQ(form->Kontonavn->text(), "Anna");
}

TEST_F(AccountFormsTest, TheLastActiveAdministratorStays)
{
    Personkonto *form = openFromList(1);
    ASSERT_TRUE(form);
    for (QCheckBox *flag : {form->PAdmin, form->PArc}) {
        sb.clearShown();
        form->PAdmin->setChecked(flag != form->PAdmin);
        form->PArc->setChecked(flag == form->PArc);
        form->Command22_Click();
        EXPECT_EQ(sb.lastText(),
                  "The last active administrator can't be archived or lose the administrator "
                  "right.");
        EXPECT_TRUE(Forms::isLoaded<Personkonto>());
        EXPECT_TRUE(stored(1, "admin").toBool());
        EXPECT_FALSE(stored(1, "archived").toBool());
    }
    // Nor is the change written when the manager moves the form to another account.
    const int32_t anna = addPerson("Anna");
    Forms::get<Kontoliste>()->Reload();
    sb.clearShown();
    form = openFromList(anna);
    EXPECT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(form->Kontonavn->text(), "Administrator");
    EXPECT_TRUE(stored(1, "admin").toBool());
    EXPECT_FALSE(stored(1, "archived").toBool());
    // With a second administrator the first may step down.
    addPerson("Second Admin", false, true);
    form->Command22_Click();
    EXPECT_FALSE(Forms::isLoaded<Personkonto>());
    EXPECT_TRUE(stored(1, "archived").toBool());
}

TEST_F(AccountFormsTest, MyAccountShowsTheOwnRowOnly)
{
    const int32_t anna = addPerson("Anna");
    logIn(anna);
    AccountMenu::showMinkonto(*planner);
    ASSERT_TRUE(Forms::isLoaded<Minkonto>());
    auto *mine = Forms::get<Minkonto>();
    EXPECT_EQ(mine->windowTitle(), "Vantix  -  My Account");
    EXPECT_EQ(mine->Kontonavn->text(), "Anna");
    EXPECT_EQ(mine->Data1.Recordset()->RecordCount(), 1);
    EXPECT_EQ(mine->KontoPass->echoMode(), QLineEdit::Password);
    mine->Data1.FindFirst("[ID]=1");
    EXPECT_EQ(mine->Kontonavn->text(), "Anna");
    mine->KontoPass->setText("new");
    mine->Command22_Click();
    EXPECT_EQ(stored(anna, "KontoPass").toString(), "new");
    EXPECT_EQ(stored(1, "KontoPass").toString(), "admin");

    // Another user's login opens his own row; a user without a row gets no form.
    logIn(1);
    AccountMenu::showMinkonto(*planner);
    EXPECT_EQ(Forms::get<Minkonto>()->Kontonavn->text(), "Administrator");
    gUserNo = 99;
    AccountMenu::showMinkonto(*planner);
    EXPECT_FALSE(Forms::isLoaded<Minkonto>());
    EXPECT_EQ(sb.lastText(), "Your account is not in this bookingfile.");
}

} // namespace
