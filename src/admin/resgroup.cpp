#include "admin/resgroup.h"

#include "admin/formlayout.h"
#include "platform/controls/msgbox.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>


Resgroup::Resgroup() : RecordForm("overgruppenavne")
{
    setWindowTitle("Ressourcegroup");
    setObjectName("Resgroup");
    auto *grid = new QGridLayout;
    overgruppenr = FormLayout::addLine(this, grid, 0, 0, "Group no.", "overgruppenr", true);
    gruppeart = FormLayout::addLine(this, grid, 1, 0, "Kind", "gruppeart", true);
    OverGruppenavn = FormLayout::addLine(this, grid, 2, 0, "Groupname", "OverGruppenavn");
    OverGruppenavn->setMinimumWidth(220);
    Data1.bind(overgruppenr, "overgruppenr");
    Data1.bind(gruppeart, "Gruppeart");
    Data1.bind(OverGruppenavn, "OverGruppenavn");

    save = okButton = FormLayout::button(this, "Ok", "save");
    Canc = cancelButton = FormLayout::button(this, "Cancel", "Canc");
    del = FormLayout::button(this, "Delete", "del");
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(FormLayout::buttonRow(del, {save, Canc}));
    setTabOrder(OverGruppenavn, save);
    setTabOrder(save, Canc);
    setTabOrder(Canc, del);

    connect(save, &QPushButton::clicked, this, &Resgroup::save_Click);
    connect(Canc, &QPushButton::clicked, this, &Resgroup::Canc_Click);
    connect(del, &QPushButton::clicked, this, &Resgroup::del_Click);
}

bool Resgroup::rowAccepted()
{
    return nameGiven(OverGruppenavn, "Groupname can't be empty. Fill in or cancel the operation.");
}

void Resgroup::del_Click()
{
    deleteCurrent("overgruppenr",
                  {{"lokaliteter", "Overgruppenr = " + currentKey("overgruppenr"),
                    "Unable to delete a resource group that holds resource types ! !",
                    "Deletion Denied", MsgBox::OkOnly | MsgBox::Exclamation}});
}
