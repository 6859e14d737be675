#include "core/frmlogin.h"

#include "core/generalen.h"
#include "core/start.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

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
    Label1 = new QLabel("User: anna, password: anna", this);
    Label2 = new QLabel("User: ben, password: ben", this);
    Label3 = new QLabel("Administrator: admin, password: admin", this);

    auto *form = new QFormLayout;
    form->addRow(lblLabels[0], txtUserName);
    form->addRow(lblLabels[1], txtPassword);
    auto *hint = new QGroupBox("Sample logins", this);
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
    start::AfterLogin();
}

void frmLogin::cmdCancel_Click()
{
    gLoginOk = false;
    System::endProgram(0);
}
