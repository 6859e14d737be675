#include "admin/minkonto.h"

#include "admin/kontodata.h"
#include "core/generalen.h"
#include "platform/db/dberror.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Generalen;

Minkonto::Minkonto() : AccountForm("Vantix  -  My Account", "Minkonto", Personal)
{
    Command22 = addButton("Command22", "Ok");
    Command22->setDefault(true);
    connect(Command22, &QPushButton::clicked, this, &Minkonto::Command22_Click);
}

QString Minkonto::accountSource() const
{
    return "SELECT * FROM Konti WHERE ID = " + QString::number(gUserNo);
}

bool Minkonto::showsOwnRow() const
{
    return Data1.isOpen() && Data1.DatabaseName() == gDatabasePath
           && Data1.RecordSource() == accountSource() && Data1.hasCurrentRow()
           && shownId() == gUserNo;
}

void Minkonto::Command22_Click() { Unload(); }

void Minkonto::Form_Unload(bool &cancel)
{
    cancel = !closeRows();
}
