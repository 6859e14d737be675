#pragma once

#include "platform/controls/form.h"

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
};
