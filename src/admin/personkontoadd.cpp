#include "admin/personkontoadd.h"

#include "admin/kontodata.h"
#include "admin/kontoliste.h"
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
    // Stored through the account's checks, with its membership of itself.
    if (!saveRow())
        return;
    Unload();
    if (Forms::isLoaded<Kontoliste>())
        Forms::get<Kontoliste>()->Reload();
}

void PersonkontoAdd::rowWritten(int32_t id, bool added)
{
    // The key, and so the membership, exists once the row is stored.
    if (!added)
        return;
    try {
        Kontodata::AddMembership(id, id);
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
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
