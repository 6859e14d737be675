#pragma once

#include "admin/accountform.h"

// Adds a personal account. The account is stored by Add, with its membership of itself, so it
// can log in and book at once; closing the form in any other way adds nothing.
class PersonkontoAdd final : public AccountForm
{
    Q_OBJECT
public:
    PersonkontoAdd();

    void Form_Unload(bool &cancel) override;
    // Starts a new personal account in the boxes.
    void StartNew();
    void addknap_Click();
    void Canc_Click();

    QPushButton *addknap = nullptr;
    QPushButton *Canc = nullptr;

protected:
    void enterPressed() override { addknap_Click(); }
    void escapePressed() override { Canc_Click(); }
    void rowWritten(int32_t id, bool added) override;

private:
    bool adding() const;
};
