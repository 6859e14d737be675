#pragma once

#include "admin/accountform.h"

// Adds or edits one group account. Ok stores the group, then makes sure its owner is a member
// of it; so does a move to another group or a new one, once the name is filled in. Cancel,
// Escape, the window's close box and the manager closing the form drop what was typed.
class Gruppekonto final : public AccountForm
{
    Q_OBJECT
public:
    Gruppekonto();

    void Form_Unload(bool &cancel) override;
    // Starts a new group owned by the logged-in user.
    void StartNew();
    // Shows the group with this key; false when it is not there (the form unloads) or when the
    // group shown could not be left (it stays shown, after saying why).
    bool ShowGroup(int32_t id);
    void gem_Click();
    void Fortryd_Click();

    QPushButton *gem = nullptr;
    QPushButton *Fortryd = nullptr;

protected:
    void enterPressed() override { gem_Click(); }
    void escapePressed() override { Fortryd_Click(); }
    bool rowAccepted() override;
    void rowWritten(int32_t id, bool added) override;

private:
    bool m_saving = false;   // while Ok stores the group
};
