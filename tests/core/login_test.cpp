#include "fixtures/sandbox.h"

#include "core/about.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "planner/calendar.h"
#include "platform/controls/form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Generalen;

namespace {

class LoginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        sandbox.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
        file = sandbox.newBookingfile("booking.mdb");
        sandbox.setChosenPath(file);
        // ID 1 is the administrator admin/admin of every new bookingfile.
        execSql(file,
                "INSERT INTO Konti (ID, Kontonavn, Kontouser, KontoPass, Kontotype, admin) VALUES "
                "(10, 'Anna Holm', 'anna', 'anna', 'p', 0),"
                "(11, 'Ben Lund', 'ben', 'Secret', 'p', 0),"
                "(12, 'Choir', 'choir', 'choir', 'g', 0),"
                "(13, 'First of two', 'twin', 'pw', 'p', 0),"
                "(14, 'Second of two', 'twin', 'pw', 'p', 1),"
                "(15, 'No password', 'nopass', NULL, 'p', 0)");
        // A resource item, so that the day view opens without offering the resource manager.
        execSql(file, "INSERT INTO lokale (Lokalenavn, lokalinr) VALUES ('Aula', 1)");
        ASSERT_TRUE(start::StartUp());
        login = Forms::get<frmLogin>();
    }
    void TearDown() override { resetState(); }

    void attempt(const QString &user, const QString &password)
    {
        login->txtUserName->setText(user);
        login->txtPassword->setText(password);
        login->cmdOK_Click();
    }

    Sandbox sandbox;
    QString file;
    frmLogin *login = nullptr;
};

} // namespace

TEST_F(LoginTest, TheFormAsTheUserSeesIt)
{
    EXPECT_EQ(login->windowTitle(), "Vantix - Login");
    EXPECT_EQ(login->lblLabels[0]->text(), "&User Name:");
    EXPECT_EQ(login->lblLabels[1]->text(), "&Password:");
    EXPECT_EQ(login->cmdOK->text(), "OK");
    EXPECT_EQ(login->cmdCancel->text(), "Cancel");
    EXPECT_EQ(login->txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(login->isVisible());
}

// The demonstration logins are named on the demonstration bookingfile alone; any other file
// is told how its first login is made and where its password is changed.
TEST_F(LoginTest, TheHintSuitsTheBookingfile)
{
    const QString hint = login->Label1->text() + " " + login->Label2->text() + " "
                         + login->Label3->text();
    EXPECT_FALSE(hint.contains("anna")) << hint.toStdString();
    EXPECT_TRUE(hint.contains("User: admin, password: admin")) << hint.toStdString();
    EXPECT_TRUE(hint.contains("Maintenance > Accounts > Personal Account")) << hint.toStdString();

    // Another bookingfile is chosen from the planner, while the login is hidden.
    login->Hide();
    sandbox.setChosenPath(sandbox.file("Demodata.mdb"));
    ASSERT_TRUE(start::StartUp());
    EXPECT_EQ(login->Label1->text(), "User: anna, password: anna");
    EXPECT_EQ(login->Label2->text(), "User: ben, password: ben");
    EXPECT_EQ(login->Label3->text(), "Administrator: admin, password: admin");
    attempt("anna", "anna");
    EXPECT_TRUE(gLoginOk);
    Forms::unload<Calendar>();

    // Back on the other file, the hint follows again.
    sandbox.setChosenPath(file);
    ASSERT_TRUE(start::StartUp());
    EXPECT_FALSE(login->Label1->text().contains("anna"));
}

// The administrator of a new bookingfile who logs in with its shipped password is told to
// change it, and where; with another password, or on the demonstration file, nothing is said.
TEST_F(LoginTest, TheShippedAdministratorPasswordIsToBeChanged)
{
    attempt("admin", "admin");
    ASSERT_TRUE(gLoginOk);
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_TRUE(sandbox.lastText().contains("Maintenance > Accounts > Personal Account"))
        << sandbox.lastText().toStdString();
    EXPECT_EQ(sandbox.shown()[0].title, "Login");
    EXPECT_TRUE(Forms::isLoaded<Calendar>());
    Forms::unload<Calendar>();

    execSql(file, "UPDATE Konti SET KontoPass = 'S3cret!' WHERE ID = 1");
    sandbox.clearShown();
    ASSERT_TRUE(start::StartUp());
    attempt("admin", "S3cret!");
    EXPECT_TRUE(gLoginOk);
    EXPECT_TRUE(sandbox.shown().isEmpty()) << sandbox.lastText().toStdString();
    Forms::unload<Calendar>();

    sandbox.setChosenPath(sandbox.file("Demodata.mdb"));
    ASSERT_TRUE(start::StartUp());
    attempt("admin", "admin");
    EXPECT_TRUE(gLoginOk);
    EXPECT_TRUE(sandbox.shown().isEmpty()) << sandbox.lastText().toStdString();
}

TEST_F(LoginTest, OnlyAnExactPersonalAccountLogsIn)
{
    const struct { const char *user, *password; } refused[] = {
        {"Anna", "anna"},   // the name in another case
        {"ben", "secret"},  // the password in another case
        {"anna ", "anna"},  // no trimming
        {"choir", "choir"}, // a group account
        {"nopass", ""},     // a Null password matches nothing
        {"", ""},
        {"anna", "ben"},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(r.user);
        sandbox.clearShown();
        attempt(r.user, r.password);
        EXPECT_FALSE(gLoginOk);
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_EQ(sandbox.shown()[0].text, "Invalid Login, try again!");
        EXPECT_EQ(sandbox.shown()[0].title, "Login");
        EXPECT_EQ(sandbox.shown()[0].style, 0);
        EXPECT_TRUE(login->txtUserName->text().isEmpty());
        EXPECT_TRUE(login->txtPassword->text().isEmpty());
        EXPECT_TRUE(login->isVisible());
        EXPECT_FALSE(Forms::isLoaded<Calendar>());
    }
    EXPECT_TRUE(gUserLogin.isEmpty());
    EXPECT_EQ(gUserNo, 0);
}

TEST_F(LoginTest, AMatchStoresTheAccountAndOpensTheDayView)
{
    // Not the password of a new bookingfile, which is followed by a word of its own.
    execSql(file, "UPDATE Konti SET KontoPass = 'Admin2' WHERE ID = 1");
    const struct {
        const char *user, *password, *name;
        int id;
        bool admin;
    } accepted[] = {
        {"anna", "anna", "Anna Holm", 10, false},
        {"ben", "Secret", "Ben Lund", 11, false},
        {"admin", "Admin2", "Administrator", 1, true},
        {"twin", "pw", "First of two", 13, false},   // the first row wins
    };
    for (const auto &a : accepted) {
        SCOPED_TRACE(a.user);
        login->Show();
        attempt(a.user, a.password);
        EXPECT_TRUE(gLoginOk);
        EXPECT_EQ(gUserLogin, a.user);
        EXPECT_EQ(gUserName, a.name);
        EXPECT_EQ(gUserNo, a.id);
        EXPECT_EQ(gIsAdmin, a.admin);
        EXPECT_TRUE(sandbox.shown().isEmpty());
        EXPECT_FALSE(login->isVisible());
        EXPECT_TRUE(Forms::isLoaded<frmLogin>());
        EXPECT_TRUE(Forms::isLoaded<Calendar>());
        Forms::unload<Calendar>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(LoginTest, ALaterStartUpChecksTheBoxesAgain)
{
    attempt("admin", "admin");
    ASSERT_TRUE(gLoginOk);
    Forms::unload<Calendar>();
    ASSERT_TRUE(start::StartUp());
    EXPECT_TRUE(login->isVisible());
    // The name stays, the password is asked for again; a wrong pair is refused.
    EXPECT_EQ(login->txtUserName->text(), "admin");
    EXPECT_TRUE(login->txtPassword->text().isEmpty());
    attempt("admin", "Admin");
    EXPECT_FALSE(gLoginOk);
    EXPECT_EQ(sandbox.lastText(), "Invalid Login, try again!");
    EXPECT_FALSE(Forms::isLoaded<Calendar>());
}

TEST_F(LoginTest, EnterLogsInAndEscapeEndsTheProgram)
{
    login->txtUserName->setText("anna");
    login->txtPassword->setText("anna");
    QTest::keyClick(login->txtPassword, Qt::Key_Return);
    EXPECT_TRUE(gLoginOk);
    EXPECT_TRUE(Forms::isLoaded<Calendar>());
    Forms::unload<Calendar>();

    login->Show();
    QTest::keyClick(login->txtUserName, Qt::Key_Escape);
    EXPECT_TRUE(sandbox.programEnded());
    EXPECT_FALSE(gLoginOk);
}

TEST_F(LoginTest, CancelEndsTheProgramWithoutTheMainWindow)
{
    login->txtUserName->setText("admin");
    login->txtPassword->setText("admin");
    login->cmdCancel->click();
    EXPECT_TRUE(sandbox.programEnded());
    EXPECT_FALSE(gLoginOk);
    EXPECT_FALSE(Forms::isLoaded<Calendar>());
}

TEST_F(LoginTest, AnUnreadableBookingfileIsReportedNotACrash)
{
    execSql(file, "DROP VIEW activekonti");
    attempt("admin", "admin");
    EXPECT_FALSE(gLoginOk);
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Login");
    EXPECT_TRUE(login->isVisible());
    EXPECT_FALSE(Forms::isLoaded<Calendar>());
}

TEST(AboutBox, ShowsTheVersionAndOkUnloadsIt)
{
    Sandbox sandbox;
    About *about = Forms::get<About>();
    about->Show(Form::Modal);
    EXPECT_EQ(about->windowTitle(), "About Vantix");
    EXPECT_EQ(about->Label1->text(), "Version 3.2");
    EXPECT_EQ(about->Luk->text(), "Ok");
    EXPECT_FALSE(about->Image1->pixmap().isNull());
    EXPECT_FALSE(about->Image2->pixmap().isNull());
    about->Luk->click();
    EXPECT_FALSE(Forms::isLoaded<About>());
}
