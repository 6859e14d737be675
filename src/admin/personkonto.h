#pragma once

#include "admin/accountform.h"

// The administrators' editor of one account, opened from the account manager. Ok closes it and
// the changed fields are stored, once they pass the account's checks; the account manager then
// shows them.
class Personkonto final : public AccountForm
{
    Q_OBJECT
public:
    Personkonto();

    void Form_Unload(bool &cancel) override;
    void Command22_Click();
    // Shows the account with this key; false (and the form unloads) when it is not there. An
    // account shown with a change its checks refuse stays shown.
    bool ShowAccount(int32_t id);

    QPushButton *Command22 = nullptr;

protected:
    void enterPressed() override { Command22_Click(); }
};
