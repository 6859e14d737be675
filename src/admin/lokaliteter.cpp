#include "admin/lokaliteter.h"

#include "admin/formlayout.h"
#include "platform/controls/msgbox.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>


lokaliteter::lokaliteter() : RecordForm("Lokaliteter")
{
    setWindowTitle("Resourcetype");
    setObjectName("lokaliteter");
    auto *grid = new QGridLayout;
    Lokalitetsnr = FormLayout::addLine(this, grid, 0, 0, "Type no.", "Lokalitetsnr", true);
    Overgruppenr = FormLayout::addLine(this, grid, 1, 0, "Group no.", "Overgruppenr", true);
    gruppeart = FormLayout::addLine(this, grid, 2, 0, "Kind", "gruppeart", true);
    Lokalitetsnavn = FormLayout::addLine(this, grid, 3, 0, "Resourcetype", "Lokalitetsnavn");
    Lokibeskr = new QPlainTextEdit(this);
    Lokibeskr->setObjectName("Lokibeskr");
    Lokibeskr->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Lokibeskr->setTabChangesFocus(true);
    Lokibeskr->setMinimumSize(260, 80);
    FormLayout::addBox(grid, 4, 0, "Description", Lokibeskr);
    Data1.bind(Lokalitetsnr, "Lokalitetsnr");
    Data1.bind(Overgruppenr, "Overgruppenr");
    Data1.bind(gruppeart, "gruppeart");
    Data1.bind(Lokalitetsnavn, "Lokalitetsnavn");
    Data1.bind(Lokibeskr, "Lokibeskr");

    save = okButton = FormLayout::button(this, "Ok", "save");
    Canc = cancelButton = FormLayout::button(this, "Cancel", "Canc");
    del = FormLayout::button(this, "Delete", "del");
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(FormLayout::buttonRow(del, {save, Canc}));

    connect(save, &QPushButton::clicked, this, &lokaliteter::save_Click);
    connect(Canc, &QPushButton::clicked, this, &lokaliteter::Canc_Click);
    connect(del, &QPushButton::clicked, this, &lokaliteter::del_Click);
}

bool lokaliteter::rowAccepted()
{
    return nameGiven(Lokalitetsnavn, "Typename can't be empty. Fill in or cancel the operation.");
}

void lokaliteter::del_Click()
{
    deleteCurrent("Lokalitetsnr",
                  {{"lokale", "lokalinr = " + currentKey("Lokalitetsnr"),
                    "Unable to delete a resource type that holds resource items ! !",
                    "Deletion Denied", MsgBox::OkOnly | MsgBox::Exclamation}});
}
