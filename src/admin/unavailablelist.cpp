#include "admin/unavailablelist.h"

#include "admin/editunavail.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/listparts.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

UnavailableList::UnavailableList()
{
    setWindowTitle("Vantix  -  Unavailable Resources List");
    setObjectName("UnavailableList");
    Unal = new ListGrid(this);
    Unal->setObjectName("Unal");
    Unal->setMinimumSize(780, 360);   // the five columns side by side
    Edit = new QPushButton("Edit", this);
    Edit->setObjectName("Edit");
    Edit->setToolTip(QString::fromUtf8("Åbn formular"));
    lukknap = new QPushButton("Exit", this);
    lukknap->setObjectName("lukknap");
    lukknap->setToolTip("Luk formular");
    Printbutton = ListParts::printButton(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Printbutton);
    buttons->addStretch();
    buttons->addWidget(Edit);
    buttons->addWidget(lukknap);
    auto *top = new QVBoxLayout(this);
    top->addWidget(Unal, 1);
    top->addLayout(buttons);

    connect(Edit, &QPushButton::clicked, this, &UnavailableList::edit_Click);
    connect(lukknap, &QPushButton::clicked, this, &UnavailableList::lukknap_Click);
    connect(Printbutton, &QPushButton::clicked, this, &UnavailableList::Printbutton_Click);
    connect(Unal, &ListGrid::DblClick, this, &UnavailableList::Unal_DblClick);
}

void UnavailableList::Form_Load()
{
    Unal->ClearRows();
    Unal->ClearColumns();
    SetupUnavailableColumns();
    FillUnavailableList();
}

void UnavailableList::Reload()
{
    Unal->ClearRows();
    FillUnavailableList();
}

void UnavailableList::SetupUnavailableColumns()
{
    ListParts::addTextColumns(*Unal, {{"Resource Item", 130},
                                      {"Resource Type", 130},
                                      {"Resource Group", 130},
                                      {"From", 60},
                                      {"To", 60}});
}

void UnavailableList::FillUnavailableList()
{
    ListFill::Rows rows;
    rows.cells = [](const Dao::Recordset &rs) {
        auto day = [&](const char *field) {
            const QVariant v = rs.Field(field);
            return v.isNull() ? QString()
                              : Format(Extrafunktioner::DayNumberToDate(v.toInt()), gDateFormat);
        };
        return QStringList{rs.text("Lokalenavn"), rs.text("Lokalitetsnavn"),
                           rs.text("OverGruppenavn"), day("inakstart"), day("inakslut")};
    };
    rows.keyField = "lokalenr";
    try {
        ListFill::fill(*Unal, gDatabasePath, "unavailfor", rows);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation,
                     "Vantix  -  Unavailable Resources List");
    }
}

void UnavailableList::edit_Click()
{
    const int row = Unal->SelectedRow();
    if (row < 0) {
        MsgBox::show("Select Resource!", MsgBox::OkOnly, "Service message");
        return;
    }
    EditUnavail *form = Forms::get<EditUnavail>();
    form->Show(Form::Modeless, this);
    if (form->position("lokalenr = " + QString::number(Unal->RowData(row))))
        return;
    // Another copy of the program deleted the item meanwhile.
    MsgBox::show("The resource was not found: it may have been deleted meanwhile. "
                 "The list is shown again.",
                 MsgBox::OkOnly, "Service message");
    form->Data1.CancelUpdate();
    form->Unload();
    Reload();
}

void UnavailableList::Printbutton_Click()
{
    Unal->PrintTitle("Unavailable Resources");
    Unal->PrintSubTitle(gInstName + "   " + gInstCity + ", "
                        + Format(System::today(), "Short Date"));
    Unal->PrintOption(2);
    Unal->PrintList();
}
