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
        // A group shown with a name missing stays, as its check said.
        if (!Data1.AddNew())
            return;
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
    // Moving to another group writes the one shown (a new one too), through its checks; a
    // refused one stays shown.
    if (Data1.isOpen() && !Data1.FindFirst("[ID]=" + QString::number(id)))
        return false;
    if (!Data1.isOpen() || Data1.Recordset()->NoMatch()) {
        MsgBox::show("The group is no longer in the bookingfile.", MsgBox::OkOnly, "Error");
        Unload();
        return false;
    }
    return true;
}

bool Gruppekonto::rowAccepted()
{
    if (!Kontonavn->text().trimmed().isEmpty())
        return true;
    MsgBox::show("Fill in Account Name!", MsgBox::OkOnly, "Error Message");
    Kontonavn->setFocus();
    return false;
}

void Gruppekonto::rowWritten(int32_t id, bool added)
{
    Q_UNUSED(added)
    // Each save makes sure the owner is a member; the manager lists the group as stored.
    try {
        Kontodata::AddMembership(id, gUserNo);
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
    if (Forms::isLoaded<Gruppetilk>())
        Forms::get<Gruppetilk>()->GroupSaved(m_saving ? id : 0);
}

void Gruppekonto::gem_Click()
{
    m_saving = true;
    const bool saved = saveRow();
    m_saving = false;
    if (saved)
        Unload();
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
