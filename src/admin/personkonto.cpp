#include "admin/personkonto.h"

#include "admin/kontodata.h"
#include "admin/kontoliste.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

Personkonto::Personkonto() : AccountForm("Vantix  -  Edit Account", "Personkonto", Administered)
{
    Command22 = addButton("Command22", "Ok");
    Command22->setDefault(true);
    connect(Command22, &QPushButton::clicked, this, &Personkonto::Command22_Click);
    // Also when the manager moves the form to another account, which writes this one first.
    connect(&Data1, &DataControl::Validate, this,
            [this](bool &cancel) { cancel = !keepsAnAdministrator(); });
}

bool Personkonto::ShowAccount(int32_t id)
{
    if (Data1.isOpen())
        Data1.FindFirst("id = " + QString::number(id));
    if (!Data1.isOpen() || !Data1.Recordset() || Data1.Recordset()->NoMatch()) {
        MsgBox::show("The account is no longer in the bookingfile.", MsgBox::OkOnly,
                     "Service Message");
        Data1.CancelUpdate();
        Unload();
        return false;
    }
    EnableLoginBoxes();
    return true;
}

void Personkonto::Command22_Click() { Unload(); }

bool Personkonto::keepsAnAdministrator() const
{
    const bool staysAdmin = PAdmin->isChecked() && !PArc->isChecked();
    if (staysAdmin || !Kontodata::IsLastActiveAdministrator(shownId()))
        return true;
    MsgBox::show("The last active administrator can't be archived or lose the administrator "
                 "right.",
                 MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
    return false;
}

void Personkonto::Form_Unload(bool &cancel)
{
    // A change that would leave no active administrator keeps the form open.
    if (Data1.isDirty() && !keepsAnAdministrator()) {
        cancel = true;
        return;
    }
    if (!closeRows()) {
        cancel = true;
        return;
    }
    if (Forms::isLoaded<Kontoliste>())
        Forms::get<Kontoliste>()->Reload();
}
