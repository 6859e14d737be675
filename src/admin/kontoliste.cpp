#include "admin/kontoliste.h"

#include "admin/kontodata.h"
#include "admin/personkonto.h"
#include "admin/personkontoadd.h"
#include "core/generalen.h"
#include "core/guardeddelete.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton *option(const QString &name, const QString &caption, QGroupBox *frame)
{
    auto *o = new QRadioButton(caption, frame);
    o->setObjectName(name);
    frame->layout()->addWidget(o);
    return o;
}

QGroupBox *frame(const QString &name, const QString &caption, QWidget *parent)
{
    auto *f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    new QVBoxLayout(f);
    return f;
}
} // namespace

Kontoliste::Kontoliste()
{
    setWindowTitle("Vantix  -  Administrators Account Manager");
    setObjectName("Kontoliste");

    acclist = new ListGrid(this);
    acclist->setObjectName("acclist");
    Frame1 = frame("Frame1", "Type", this);
    OptPri = option("OptPri", "Private", Frame1);
    OptGrp = option("OptGrp", "Group", Frame1);
    Frame2 = frame("Frame2", "Status", this);
    OptAct = option("OptAct", "Active", Frame2);
    OptArc = option("OptArc", "Archived", Frame2);
    OptPri->setChecked(true);
    OptAct->setChecked(true);
    AccType = new QLineEdit(this);
    AccType->setObjectName("AccType");
    AccType->hide();

    const auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    EditAcc = button("EditAcc", "Edit");
    AddAcc = button("AddAcc", "Add");
    Slet = button("Slet", "Del");
    Cleanup = button("Cleanup", "Clean Up Archived Accounts");
    Luk = button("Luk", "Exit");

    auto *side = new QVBoxLayout;
    side->addWidget(Frame1);
    side->addWidget(Frame2);
    side->addSpacing(8);
    side->addWidget(EditAcc);
    side->addWidget(AddAcc);
    side->addWidget(Slet);
    side->addStretch();
    side->addWidget(Luk);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Cleanup);
    bottom->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(acclist, 1);
    left->addLayout(bottom);
    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(side);
    resize(740, 440);

    connect(acclist, &ListGrid::DblClick, this, &Kontoliste::OpenSelectedAccount);
    // Only the option that becomes checked runs its filter.
    const auto onCheck = [this](QRadioButton *o, void (Kontoliste::*handler)()) {
        connect(o, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onCheck(OptPri, &Kontoliste::OptPri_Click);
    onCheck(OptGrp, &Kontoliste::OptGrp_Click);
    onCheck(OptAct, &Kontoliste::OptAct_Click);
    onCheck(OptArc, &Kontoliste::OptArc_Click);
    connect(EditAcc, &QPushButton::clicked, this, &Kontoliste::EditAcc_Click);
    connect(AddAcc, &QPushButton::clicked, this, &Kontoliste::AddAcc_Click);
    connect(Slet, &QPushButton::clicked, this, &Kontoliste::Slet_Click);
    connect(Cleanup, &QPushButton::clicked, this, &Kontoliste::Cleanup_Click);
    connect(Luk, &QPushButton::clicked, this, &Kontoliste::Luk_Click);
}

void Kontoliste::Form_Load()
{
    m_databaseName = Generalen::gDatabasePath;
    AccType->setText("p");
    isarc = false;
    SetupAccountColumns();
    FillAccountList();
}

void Kontoliste::SetupAccountColumns()
{
    for (const char *caption : {"Account Name", "Contact", "Contact"}) {
        const int c = acclist->AddColumn(caption, 130);
        acclist->ColumnStyle(c, 0);
        acclist->ColumnFlag(c, true);
    }
}

void Kontoliste::FillAccountList()
{
    const QString type = AccType->text();
    ListFill::Rows rows;
    // Type and status compare exactly: "P" or an empty status is under no filter.
    rows.accept = [&](const Dao::Recordset &rs) {
        const QVariant archived = rs.Field("archived");
        return rs.Field("Kontotype").toString() == type && !archived.isNull()
               && archived.toBool() == isarc;
    };
    rows.cells = [](const Dao::Recordset &rs) {
        return QStringList{rs.text("Kontonavn"), rs.text("kontokontakt"), rs.text("Kontotlf")};
    };
    rows.keyField = "ID";
    try {
        ListFill::fill(*acclist, m_databaseName, "kontifor", rows);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
    }
}

void Kontoliste::Reload()
{
    acclist->ClearRows();
    FillAccountList();
}

void Kontoliste::OptPri_Click()
{
    AccType->setText("p");
    Reload();
}

void Kontoliste::OptGrp_Click()
{
    AccType->setText("g");
    Reload();
}

void Kontoliste::OptAct_Click()
{
    isarc = false;
    Reload();
}

void Kontoliste::OptArc_Click()
{
    isarc = true;
    Reload();
}

int32_t Kontoliste::selectedAccount()
{
    if (acclist->SelectedRow() < 0) {
        MsgBox::show("No Account Selected.", MsgBox::OkOnly, "Service Message2");
        return 0;
    }
    return acclist->RowData(acclist->SelectedRow());
}

void Kontoliste::EditAcc_Click()
{
    if (selectedAccount())
        OpenSelectedAccount();
}

void Kontoliste::OpenSelectedAccount()
{
    if (acclist->SelectedRow() < 0)
        return;
    auto *form = Forms::get<Personkonto>();
    form->Show(Form::Modeless, this);
    form->ShowAccount(acclist->RowData(acclist->SelectedRow()));
}

void Kontoliste::AddAcc_Click()
{
    auto *form = Forms::get<PersonkontoAdd>();
    form->StartNew();
    form->Show(Form::Modeless, this);
}

void Kontoliste::Slet_Click() { DeleteSelectedAccount(); }

void Kontoliste::DeleteSelectedAccount()
{
    const int32_t id = selectedAccount();
    if (!id)
        return;
    if (MsgBox::show("Confirm deletion of selected account.", MsgBox::YesNo | MsgBox::Question,
                     "Confirm Deletion")
        != MsgBox::Yes)
        return;
    try {
        if (const auto held =
                GuardedDelete::run(Kontodata::DeleteGuards(id), Kontodata::DeleteStatements(id)))
            GuardedDelete::refuse(*held);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
    }
    Reload();
}

void Kontoliste::Cleanup_Click()
{
    if (MsgBox::show("Confirm deletion of all archived accounts, with no corresponding active or "
                     "archived bookings.",
                     MsgBox::YesNo | MsgBox::Question, "Confirm Deletion")
        != MsgBox::Yes)
        return;
    try {
        QList<int32_t> archived;
        {
            auto db = Dao::Database::open(Generalen::gDatabasePath);
            auto rs = db->OpenRecordset("SELECT ID FROM Konti WHERE archived <> 0 ORDER BY ID",
                                        Dao::RecordsetType::ForwardOnly);
            for (; !rs->EOF_(); rs->MoveNext())
                archived << static_cast<int32_t>(rs->integer("ID"));
            rs->Close();
        }
        // An account that bookings name stays for the reports; one that owns groups stays so
        // that they keep their owner.
        for (const int32_t id : std::as_const(archived))
            GuardedDelete::run(Kontodata::DeleteGuards(id, false), Kontodata::DeleteStatements(id));
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
    }
    Reload();
}

void Kontoliste::Luk_Click() { Unload(); }
