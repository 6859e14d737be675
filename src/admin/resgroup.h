#pragma once

#include "admin/recordform.h"

class QLineEdit;
class QPushButton;

// A resource group: its name, with its key and kind shown. Opened by the resource manager on a
// group node, or adding a group under a kind.
class Resgroup final : public RecordForm
{
    Q_OBJECT
public:
    Resgroup();

    void save_Click() { okClicked(); }
    void Canc_Click() { cancelClicked(); }
    // Deletes the group, unless it still holds resource types.
    void del_Click();

    QLineEdit *overgruppenr = nullptr;
    QLineEdit *gruppeart = nullptr;
    QLineEdit *OverGruppenavn = nullptr;
    QPushButton *save = nullptr;
    QPushButton *Canc = nullptr;
    QPushButton *del = nullptr;

protected:
    bool rowAccepted() override;
};
