#include "admin/personkontoadd.h"

#include "admin/kontodata.h"
#include "admin/kontoliste.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QLineEdit>
#include <QPushButton>

PersonkontoAdd::PersonkontoAdd()
    : AccountForm("Vantix  -  Add Account", "PersonkontoAdd", Administered)
{
    addknap = addButton("addknap", "Add");
    addknap->setDefault(true);
    Canc = addButton("Canc", "Cancel");
    connect(addknap, &QPushButton::clicked, this, &PersonkontoAdd::addknap_Click);
    connect(Canc, &QPushButton::clicked, this, &PersonkontoAdd::Canc_Click);
}

bool PersonkontoAdd::adding() const
{
    return Data1.Recordset() && Data1.Recordset()->editMode() == Dao::EditMode::AddNew;
}

void PersonkontoAdd::StartNew()
{
    if (!Data1.isOpen() || adding())
        return;
    try {
        Data1.AddNew();
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return;
    }
    Kontotype->setText("p");
    EnableLoginBoxes();
    Kontonavn->setFocus();
}

void PersonkontoAdd::addknap_Click()
{
    if (Kontonavn->text().trimmed().isEmpty() || kontokontakt->text().trimmed().isEmpty()) {
        MsgBox::show("Account Name and Account Contact are required parameters.",
                     MsgBox::OkOnly, "Service Message");
        return;
    }
    // The row is stored first: its key, and so its membership, exists only then.
    if (!saveRow())
        return;
    try {
        Kontodata::AddMembership(shownId(), shownId());
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
    Unload();
    if (Forms::isLoaded<Kontoliste>())
        Forms::get<Kontoliste>()->Reload();
}

void PersonkontoAdd::Canc_Click()
{
    Data1.UpdateControls();
    if (adding()) {
        Data1.CancelUpdate();
        Unload();
    }
}

void PersonkontoAdd::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    if (adding())
        Data1.CancelUpdate();
    closeRows();
}
