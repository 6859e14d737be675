#pragma once

#include "admin/accountform.h"

// Every user's editor of his own account. Its record source holds the logged-in user's row and
// nothing else, so no other account can be shown or changed here.
class Minkonto final : public AccountForm
{
    Q_OBJECT
public:
    Minkonto();

    void Form_Unload(bool &cancel) override;
    void Command22_Click();
    // True when the form shows the logged-in user's own row of the bookingfile in use.
    bool showsOwnRow() const;

    QPushButton *Command22 = nullptr;

protected:
    QString accountSource() const override;
    void enterPressed() override { Command22_Click(); }
};
