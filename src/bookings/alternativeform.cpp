#include "bookings/alternativeform.h"

#include "bookings/repeatdialog.h"
#include "core/extrafunktioner.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/db/statement.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <sqlite3.h>

AlternativeForm::AlternativeForm()
{
    setWindowTitle("Alternative Resources");
    AltList = new ListGrid(this);
    AltList->setObjectName("AltList");
    apply = new QPushButton("Apply Alternative", this);
    apply->setObjectName("apply");
    Luk = new QPushButton("Exit", this);
    Luk->setObjectName("Luk");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(apply);
    buttons->addStretch();
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addWidget(AltList, 1);
    top->addLayout(buttons);
    resize(300, 340);
    connect(apply, &QPushButton::clicked, this, &AlternativeForm::apply_Click);
    connect(AltList, &ListGrid::DblClick, this, &AlternativeForm::AltList_DblClick);
    connect(Luk, &QPushButton::clicked, this, &AlternativeForm::Luk_Click);
    setDialogKeys([this] { apply_Click(); }, [this] { Luk_Click(); });
}

void AlternativeForm::Form_Load()
{
    SetupAltList();
    FillAltList();
}

void AlternativeForm::SetupAltList()
{
    const int c = AltList->AddColumn("Alternative Resource", 120);
    AltList->ColumnStyle(c, 0);
    AltList->ColumnFlag(c, true);
}

void AlternativeForm::FillAltList()
{
    ListFill::Rows rows;
    rows.cells = [](const Dao::Recordset &rs) { return QStringList{rs.text("Lokalenavn")}; };
    rows.keyField = "lokalenr";
    try {
        ListFill::fill(*AltList, Extrafunktioner::PathsFile(), "andetlokaltfor", rows);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
    }
}

void AlternativeForm::apply_Click()
{
    if (AltList->SelectedRow() < 0) {
        MsgBox::show("Select Alternative", MsgBox::OkOnly, "Service Message");
        return;
    }
    ApplyAlternative();
}

void AlternativeForm::AltList_DblClick() { apply_Click(); }

void AlternativeForm::ApplyAlternative()
{
    const int32_t item = AltList->RowData(AltList->SelectedRow());
    int changed = 0;
    try {
        auto db = Dao::Database::open(Extrafunktioner::PathsFile());
        Dao::Statement move(db->handle(),
                            "UPDATE gendatogent SET lokalenr = ?1, DB = 0 WHERE ID = ?2");
        move.bind(1, qlonglong(item), Dao::FieldKind::Integer);
        move.bind(2, qlonglong(m_genId), Dao::FieldKind::Integer);
        move.step();
        changed = sqlite3_changes(db->handle());
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        return;
    }
    if (changed == 0)
        MsgBox::show("This date is no longer among the prepared dates; another copy of the "
                     "program may have cleared them.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
    RepeatDialog *dialog = host();
    Unload();
    if (dialog)
        dialog->Reload();
}

void AlternativeForm::Luk_Click() { Unload(); }
