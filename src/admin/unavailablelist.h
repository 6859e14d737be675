#pragma once

#include "platform/controls/form.h"

class ListGrid;
class QPushButton;

// The resource items marked unavailable, with their period; prints the list and opens the
// period of the chosen item in EditUnavail.
class UnavailableList final : public Form
{
    Q_OBJECT
public:
    UnavailableList();

    void Form_Load() override;
    // Clears the list and fills it again.
    void Reload();

    void edit_Click();
    void Unal_DblClick() { edit_Click(); }
    void Printbutton_Click();
    void lukknap_Click() { Unload(); }

    ListGrid *Unal = nullptr;
    QPushButton *Edit = nullptr;
    QPushButton *lukknap = nullptr;
    QPushButton *Printbutton = nullptr;

private:
    void SetupUnavailableColumns();
    void FillUnavailableList();
};
