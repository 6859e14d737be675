#include "core/frmlogin.h"

#include "core/generalen.h"
#include "core/start.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

using namespace Generalen;

namespace {

struct Login
{
    QString user;
    QString password;
};

// The administrator a new bookingfile comes with: the first of Emptydatabase.mdb in the
// program's folder. Nothing when the template cannot be read.
std::optional<Login> shippedAdministrator()
{
    try {
        auto db = Dao::Database::open(QDir(System::programFolder()).filePath("Emptydatabase.mdb"));
        auto rs = db->OpenRecordset("SELECT Kontouser, KontoPass FROM Konti WHERE admin <> 0 "
                                    "AND Kontotype = 'p' AND Kontouser IS NOT NULL "
                                    "AND KontoPass IS NOT NULL ORDER BY ID",
                                    Dao::Bindings(), Dao::RecordsetType::Snapshot);
        if (rs->EOF_())
            return std::nullopt;
        return Login{rs->Field(0).toString(), rs->Field(1).toString()};
    } catch (const Dao::DbError &) {
        return std::nullopt;
    }
}

bool isDemonstrationFile(const QString &path)
{
    const QFileInfo demo(QDir(System::programFolder()).filePath("Demodata.mdb"));
    const QFileInfo file(path);
    if (demo.exists() && file.exists())
        return demo.canonicalFilePath() == file.canonicalFilePath();
    return demo.absoluteFilePath() == file.absoluteFilePath();
}

const QString passwordPlace = QStringLiteral("Maintenance > Accounts > Personal Account");

} // namespace

frmLogin::frmLogin()
{
    setWindowTitle("Vantix - Login");
    setObjectName("frmLogin");
    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName("txtUserName");
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName("txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet("lineedit-password-character: 42");   // "*"
    cmdOK = new QPushButton("OK", this);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdCancel = new QPushButton("Cancel", this);
    lblLabels[0] = new QLabel("&User Name:", this);
    lblLabels[0]->setBuddy(txtUserName);
    lblLabels[1] = new QLabel("&Password:", this);
    lblLabels[1]->setBuddy(txtPassword);
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    for (QLabel *l : {Label1, Label2, Label3})
        l->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(lblLabels[0], txtUserName);
    form->addRow(lblLabels[1], txtPassword);
    auto *hint = m_hint = new QGroupBox(this);
    auto *hintLayout = new QVBoxLayout(hint);
    for (QLabel *l : {Label1, Label2, Label3})
        hintLayout->addWidget(l);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(hint);
    top->addLayout(buttons);
    setMinimumWidth(340);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(txtUserName, &QLineEdit::returnPressed, this, &frmLogin::cmdOK_Click);
    connect(txtPassword, &QLineEdit::returnPressed, this, &frmLogin::cmdOK_Click);
    setDialogKeys({}, [this] { cmdCancel_Click(); });
    showHint();
}

void frmLogin::showEvent(QShowEvent *event)
{
    showHint();
    Form::showEvent(event);
}

void frmLogin::showHint()
{
    if (isDemonstrationFile(gDatabasePath)) {
        m_hint->setTitle("Sample logins");
        Label1->setText("User: anna, password: anna");
        Label2->setText("User: ben, password: ben");
        Label3->setText("Administrator: admin, password: admin");
        return;
    }
    m_hint->setTitle("First login");
    const std::optional<Login> admin = shippedAdministrator();
    Label1->setText("A new bookingfile has one login, its administrator:");
    Label2->setText(admin ? "User: " + admin->user + ", password: " + admin->password
                          : QStringLiteral("The administrator account it was made with."));
    Label3->setText("After the first login, change the password under " + passwordPlace
                    + ", and make the other accounts under Maintenance > Accounts > "
                      "Administrators Account Manager.");
}

void frmLogin::cmdOK_Click()
{
    gLoginOk = false;
    const QString user = txtUserName->text();
    const QString password = txtPassword->text();
    try {
        auto db = Dao::Database::open(gDatabasePath);
        auto rs = db->OpenRecordset("activekonti", Dao::RecordsetType::Snapshot);
        if (!rs->EOF_())
            rs->MoveFirst();
        // The first matching row wins; names and passwords compare exactly, case included.
        while (!rs->EOF_()) {
            if (gLoginOk)
                break;
            const QVariant name = rs->Field("Kontouser");
            const QVariant pass = rs->Field("KontoPass");
            const QVariant type = rs->Field("Kontotype");
            if (!name.isNull() && !pass.isNull() && !type.isNull() && name.toString() == user
                && pass.toString() == password && type.toString() == QLatin1String("p")) {
                gLoginOk = true;
                gUserLogin = name.toString();
                gUserName = rs->Field("Kontonavn").toString();
                gUserNo = static_cast<int32_t>(rs->Field("ID").toLongLong());
                gIsAdmin = rs->Field("admin").toBool();
            }
            rs->MoveNext();
        }
        rs->Close();
    } catch (const Dao::DbError &e) {
        gLoginOk = false;
        MsgBox::show("The accounts of the bookingfile cannot be read: " + e.description(),
                     MsgBox::OkOnly, "Login");
        return;
    }
    if (!gLoginOk) {
        MsgBox::show("Invalid Login, try again!", MsgBox::OkOnly, "Login");
        txtUserName->clear();
        txtPassword->clear();
        txtUserName->setFocus();
        txtUserName->selectAll();
        return;
    }
    Hide();
    // The password every new bookingfile comes with is known to anyone with the program.
    const std::optional<Login> shipped = gIsAdmin ? shippedAdministrator() : std::nullopt;
    if (shipped && shipped->user == user && shipped->password == password
        && !isDemonstrationFile(gDatabasePath))
        MsgBox::show("You logged in with the password that every new bookingfile comes with. "
                     "Change it now under " + passwordPlace
                         + ", so that nobody else can log in as administrator.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Login");
    start::AfterLogin();
}

void frmLogin::cmdCancel_Click()
{
    gLoginOk = false;
    System::endProgram(0);
}
