#pragma once

#include "platform/controls/form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The login form: checks a user name and password against the personal accounts.
class frmLogin final : public Form
{
    Q_OBJECT
public:
    frmLogin();

    void cmdOK_Click();
    void cmdCancel_Click();

    QLineEdit *txtUserName = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblLabels[2] = {nullptr, nullptr};
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;

protected:
    // Each time the form is shown its hint suits the bookingfile it logs in to.
    void showEvent(QShowEvent *event) override;

private:
    // The demonstration logins on the demonstration bookingfile; on any other file how the
    // first login of a new bookingfile is made.
    void showHint();

    QGroupBox *m_hint = nullptr;
};
