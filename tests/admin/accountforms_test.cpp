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

// Only an administrator who can log in counts: active, personal, with a user name and a password.
TEST_F(AccountFormsTest, TheLastAdministratorWhoCanLogInKeepsTheRightAndTheLogin)
{
    const char *others[] = {
        "'Archived', 'Archived', 'x', 'x', 'p', 1, 1",
        "'No password', 'No password', 'y', NULL, 'p', 0, 1",
        "'No user', 'No user', NULL, 'z', 'p', 0, 1",
        "'Group', 'Group', 'g', 'g', 'g', 0, 1",
    };
    for (const char *other : others)
        exec(QString("INSERT INTO Konti (Kontonavn, kontokontakt, Kontouser, KontoPass, Kontotype, "
                     "archived, admin) VALUES (%1)").arg(other));
    Personkonto *form = openFromList(1);
    ASSERT_TRUE(form);
    form->PAdmin->setChecked(false);
    form->Command22_Click();
    EXPECT_EQ(sb.lastText(),
              "The last active administrator can't be archived or lose the administrator right.");
    EXPECT_TRUE(stored(1, "admin").toBool());

    // Nor may the last one lose the login, here or in My Account.
    form->PAdmin->setChecked(true);
    form->Kontouser->clear();
    form->KontoPass->clear();
    form->Command22_Click();
    EXPECT_EQ(sb.lastText(),
              "The last active administrator needs a user name and a password to log in.");
    EXPECT_EQ(stored(1, "Kontouser").toString(), "admin");
    QTest::keyClick(form, Qt::Key_Escape);
    AccountMenu::showMinkonto(*planner);
    auto *mine = Forms::get<Minkonto>();
    mine->Kontouser->clear();
    mine->KontoPass->clear();
    mine->close();
    EXPECT_TRUE(Forms::isLoaded<Minkonto>());
    EXPECT_EQ(stored(1, "Kontouser").toString(), "admin");
    QTest::keyClick(mine, Qt::Key_Escape);

    // An administrator who can log in besides: the first may step down.
    addPerson("Second Admin", false, true);
    form = openFromList(1);
    form->PAdmin->setChecked(false);
    form->Command22_Click();
    EXPECT_FALSE(Forms::isLoaded<Personkonto>());
    EXPECT_FALSE(stored(1, "admin").toBool());
}

// The login opens the first account of a user name: a name another personal account has is
// refused in Add, Edit and My Account; one without a password could never log in.
TEST_F(AccountFormsTest, AUserNameIsOneAccountsAndComesWithAPassword)
{
    const int32_t anna = addPerson("Anna");   // user anna
    const int32_t ben = addPerson("Ben");
    const int32_t choir = addGroup("Choir", anna);
    exec("UPDATE Konti SET Kontouser = 'ghost' WHERE ID = " + QString::number(choir));
    const char taken[] = "The user name \"anna\" belongs to another account already. Choose "
                         "another user name.";
    const char noPassword[] = "An account with a user name needs a password to log in. Fill in "
                              "a password, or clear the user name.";
    struct Case { const char *form; const char *user; const char *password; const char *refusal; };
    const Case cases[] = {
        {"add", "anna", "pw", taken},
        {"edit", "anna", "pw", taken},
        {"mine", "anna", "pw", taken},
        {"add", "newcomer", "", noPassword},
        {"edit", "ben", "", noPassword},
        {"mine", "ben", "", noPassword},
        {"add", "Anna", "pw", nullptr},    // compared exactly, as the login compares
        {"edit", "ghost", "pw", nullptr},  // a group's user name logs nobody in
        {"mine", "", "", nullptr},         // no login at all
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.form) + " " + c.user);
        exec(QString("UPDATE Konti SET Kontouser = 'ben', KontoPass = 'ben' WHERE ID = %1")
                 .arg(ben));
        exec("DELETE FROM Konti WHERE Kontonavn = 'Newcomer'");
        const qlonglong accounts = count("Konti", "1");
        AccountForm *form = nullptr;
        QPushButton *ok = nullptr;
        if (c.form == std::string("add")) {
            Forms::get<Kontoliste>()->AddAcc_Click();
            auto *add = Forms::get<PersonkontoAdd>();
            add->Kontonavn->setText("Newcomer");
            add->kontokontakt->setText("Newcomer");
            form = add;
            ok = add->addknap;
        } else if (c.form == std::string("edit")) {
            Forms::get<Kontoliste>()->Reload();
            auto *edit = openFromList(ben);
            form = edit;
            ok = edit->Command22;
        } else {
            logIn(ben);
            AccountMenu::showMinkonto(*planner);
            auto *mine = Forms::get<Minkonto>();
            form = mine;
            ok = mine->Command22;
        }
        ASSERT_TRUE(form);
        form->Kontouser->setText(c.user);
        form->KontoPass->setText(c.password);
        sb.clearShown();
        ok->click();
        const QString login = "COALESCE(Kontouser, '') || '/' || COALESCE(KontoPass, '')";
        const QString stored = c.form == std::string("add")
            ? sqlValue(file, "SELECT " + login + " FROM Konti WHERE Kontonavn = 'Newcomer'")
                  .toString()
            : sqlValue(file, QString("SELECT %1 FROM Konti WHERE ID = %2").arg(login).arg(ben))
                  .toString();
        const QString typed = QString(c.user) + "/" + c.password;
        if (c.refusal) {
            ASSERT_EQ(sb.shown().size(), 1);
            EXPECT_EQ(sb.lastText(), c.refusal);
            EXPECT_EQ(sb.shown().last().title, "Service Message");
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(count("Konti", "1"), accounts);
            EXPECT_NE(stored, typed);
            QTest::keyClick(form, Qt::Key_Escape);
        } else {
            EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
            EXPECT_EQ(stored, typed);
        }
        Forms::unloadOwnedBy(Forms::get<Kontoliste>());
        logIn(1);
    }
    // An account that already shares its user name keeps it through an edit of another field.
    exec(QString("UPDATE Konti SET Kontouser = 'anna', KontoPass = 'b' WHERE ID = %1").arg(ben));
    Forms::get<Kontoliste>()->Reload();
    Personkonto *edit = openFromList(ben);
    edit->Kontotlf->setText("556");
    edit->Command22_Click();
    EXPECT_FALSE(Forms::isLoaded<Personkonto>());
    EXPECT_EQ(
        sqlValue(file, QString("SELECT Kontotlf FROM Konti WHERE ID = %1").arg(ben)).toString(),
        "556");
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
