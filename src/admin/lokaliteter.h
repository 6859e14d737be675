#pragma once

#include "admin/recordform.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// A resource type: its name and description, with its key, group and kind shown. Opened by
// the resource manager on a type node, or adding a type under a group.
class lokaliteter final : public RecordForm
{
    Q_OBJECT
public:
    lokaliteter();

    void save_Click() { okClicked(); }
    void Canc_Click() { cancelClicked(); }
    // Deletes the type, unless it still holds resource items.
    void del_Click();

    QLineEdit *Lokalitetsnr = nullptr;
    QLineEdit *Overgruppenr = nullptr;
    QLineEdit *gruppeart = nullptr;
    QLineEdit *Lokalitetsnavn = nullptr;
    QPlainTextEdit *Lokibeskr = nullptr;
    QPushButton *save = nullptr;
    QPushButton *Canc = nullptr;
    QPushButton *del = nullptr;

protected:
    bool rowAccepted() override;
};
