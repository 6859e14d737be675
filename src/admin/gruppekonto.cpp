#include "admin/gruppekonto.h"

#include "admin/gruppetilk.h"
#include "admin/kontodata.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Generalen;

Gruppekonto::Gruppekonto() : AccountForm("Add/Edit Group Account", "Gruppekonto", Group)
{
    gem = addButton("gem", "Ok");
    gem->setToolTip("Save Record");
    gem->setDefault(true);
    Fortryd = addButton("Fortryd", "Cancel");
    Fortryd->setToolTip("Undo Record");
    connect(gem, &QPushButton::clicked, this, &Gruppekonto::gem_Click);
    connect(Fortryd, &QPushButton::clicked, this, &Gruppekonto::Fortryd_Click);
}

void Gruppekonto::StartNew()
{
    try {
        Data1.AddNew();
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return;
    }
    kontokontakt->setText(gUserName);
    Kontotype->setText("g");
    Kontouser->setText(gUserLogin);
    owner->setText(QString::number(gUserNo));
    Kontonavn->setFocus();
}

bool Gruppekonto::ShowGroup(int32_t id)
{
    if (Data1.isOpen())
        Data1.FindFirst("[ID]=" + QString::number(id));
    if (!Data1.isOpen() || Data1.Recordset()->NoMatch()) {
        MsgBox::show("The group is no longer in the bookingfile.", MsgBox::OkOnly, "Error");
        Unload();
        return false;
    }
    return true;
}

void Gruppekonto::gem_Click()
{
    if (Kontonavn->text().trimmed().isEmpty()) {
        MsgBox::show("Fill in Account Name!", MsgBox::OkOnly, "Error Message");
        return;
    }
    // The group is stored first: a new group's key exists only then.
    if (!saveRow())
        return;
    const int32_t id = shownId();
    try {
        Kontodata::AddMembership(id, gUserNo);
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
    Unload();
    if (Forms::isLoaded<Gruppetilk>())
        Forms::get<Gruppetilk>()->GroupSaved(id);
}

void Gruppekonto::Fortryd_Click()
{
    Data1.CancelUpdate();
    Unload();
}

void Gruppekonto::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    // Only Ok stores a group: it alone checks the name and adds the owner's membership.
    Data1.CancelUpdate();
    closeRows();
}
