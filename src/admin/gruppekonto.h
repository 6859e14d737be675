#pragma once

#include "admin/accountform.h"

// Adds or edits one group account. Ok stores the group, then makes sure its owner is a member
// of it; Cancel, Escape and the window's close box drop what was typed.
class Gruppekonto final : public AccountForm
{
    Q_OBJECT
public:
    Gruppekonto();

    void Form_Unload(bool &cancel) override;
    // Starts a new group owned by the logged-in user.
    void StartNew();
    // Shows the group with this key; false (and the form unloads) when it is not there.
    bool ShowGroup(int32_t id);
    void gem_Click();
    void Fortryd_Click();

    QPushButton *gem = nullptr;
    QPushButton *Fortryd = nullptr;

protected:
    void enterPressed() override { gem_Click(); }
    void escapePressed() override { Fortryd_Click(); }
};
