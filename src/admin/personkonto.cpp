#include "admin/personkonto.h"

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
}

bool Personkonto::ShowAccount(int32_t id)
{
    // Moving to another account writes the one shown, through its checks.
    if (Data1.isOpen() && !Data1.FindFirst("id = " + QString::number(id)))
        return true;
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

void Personkonto::Form_Unload(bool &cancel)
{
    if (!closeRows()) {
        cancel = true;
        return;
    }
    if (Forms::isLoaded<Kontoliste>())
        Forms::get<Kontoliste>()->Reload();
}
