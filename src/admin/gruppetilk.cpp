#include "admin/gruppetilk.h"

#include "admin/accountform.h"
#include "admin/gruppekonto.h"
#include "admin/kontodata.h"
#include "core/generalen.h"
#include "core/guardeddelete.h"
#include "platform/controls/dblist.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/system.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

const char kMembers[] = "SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN "
                        "Grptilk ON Konti.ID = Grptilk.pnr WHERE Grptilk.gnr =";

DBList *list(DataControl &rows, const QString &name, const QString &bound, QWidget *parent)
{
    auto *l = new DBList(DBList::ListStyle, parent);
    l->setObjectName(name);
    l->setRowSource(&rows);
    l->setListField("Kontonavn");
    l->setBoundColumn(bound);
    return l;
}

} // namespace

Gruppetilk::Gruppetilk()
{
    setWindowTitle("Vantix - Group Account Manager");
    setObjectName("Gruppetilk");
    Data1.setObjectName("Data1");
    datapers.setObjectName("datapers");
    Data3.setObjectName("Data3");
    // The manager only shows: groups are changed through their own form, by their owner.
    for (DataControl *d : {&Data1, &datapers, &Data3})
        d->setReadOnly(true);

    Gruppe = list(Data1, "Gruppe", "ID", this);
    personer = list(datapers, "personer", "ID", this);
    medlemmer = list(Data3, "medlemmer", "Id", this);

    const auto shown = [this](const QString &name, const QString &field) {
        auto *e = new QLineEdit(this);
        e->setObjectName(name);
        AccountForm::showOnly(e);
        Data1.bind(e, field);
        return e;
    };
    Owname = shown("Owname", "kontokontakt");
    owner = shown("owner", "kontoowner");
    Text1 = shown("Text1", "ID");
    owner->hide();
    Text1->hide();

    const auto button = [this](const QString &name, const QString &caption, const QString &tip) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        return b;
    };
    tilføjmedlem = button("tilføjmedlem", QString(), "Add Member");
    tilføjmedlem->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    Sletmedlem = button("Sletmedlem", QString(), "Delete Member");
    Sletmedlem->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    NyGruppe = button("NyGruppe", "Add New Group", QString());
    editgroup = button("editgroup", "Edit Group", "Open Form");
    Slet_Gruppe = button("Slet_Gruppe", "Delete Group", QString());
    Luk = button("Luk", "Exit", "Close Form");

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Groups", this), 0, 0);
    grid->addWidget(Gruppe, 1, 0);
    grid->addWidget(new QLabel("Group Members", this), 0, 1);
    grid->addWidget(medlemmer, 1, 1);
    auto *moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(tilføjmedlem);
    moves->addWidget(Sletmedlem);
    moves->addStretch();
    grid->addLayout(moves, 1, 2);
    grid->addWidget(new QLabel("Personal Accounts", this), 0, 3);
    grid->addWidget(personer, 1, 3);
    auto *ownerRow = new QHBoxLayout;
    ownerRow->addWidget(new QLabel("Group Owner", this));
    ownerRow->addWidget(Owname, 1);
    grid->addLayout(ownerRow, 2, 0);
    auto *groupButtons = new QHBoxLayout;
    groupButtons->addWidget(NyGruppe);
    groupButtons->addWidget(editgroup);
    groupButtons->addWidget(Slet_Gruppe);
    groupButtons->addStretch();
    groupButtons->addWidget(Luk);
    grid->addLayout(groupButtons, 3, 0, 1, 4);
    grid->setRowStretch(1, 1);
    resize(720, 420);

    connect(Gruppe, &DBList::Click, this, &Gruppetilk::Gruppe_Click);
    connect(tilføjmedlem, &QPushButton::clicked, this, &Gruppetilk::tilføjmedlem_Click);
    connect(Sletmedlem, &QPushButton::clicked, this, &Gruppetilk::Sletmedlem_Click);
    connect(NyGruppe, &QPushButton::clicked, this, &Gruppetilk::NyGruppe_Click);
    connect(editgroup, &QPushButton::clicked, this, &Gruppetilk::editgroup_Click);
    connect(Slet_Gruppe, &QPushButton::clicked, this, &Gruppetilk::Slet_Gruppe_Click);
    connect(Luk, &QPushButton::clicked, this, &Gruppetilk::Luk_Click);
}

QString Gruppetilk::crit() const
{
    return kMembers + QString::number(selectedGroup()) + ";";
}

QString Gruppetilk::crit1()
{
    return "SELECT Grptilk.gnr, Konti.Kontonavn, Konti.Id FROM Konti INNER JOIN Grptilk ON "
           "Konti.ID = Grptilk.pnr WHERE Grptilk.gnr = 1 ;";
}

void Gruppetilk::Form_Load()
{
    for (DataControl *d : {&Data1, &Data3, &datapers})
        d->setDatabaseName(gDatabasePath);
    Data1.setRecordSource("KontiG");
    datapers.setRecordSource("KontiP");
    try {
        Data1.Refresh();
        datapers.Refresh();
        Data3.setRecordSource(IsGroupSelected() ? crit() : crit1());
        Data3.Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Gruppetilk::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    for (DataControl *d : {&Data1, &Data3, &datapers})
        d->Close();
}

int32_t Gruppetilk::selectedGroup() const { return Kontodata::KeyOf(Gruppe->BoundText()); }

bool Gruppetilk::IsGroupSelected() const { return selectedGroup() != 0; }

bool Gruppetilk::IsMemberSelected() const
{
    return Kontodata::KeyOf(medlemmer->BoundText()) != 0;
}

bool Gruppetilk::IsPersonSelected() const
{
    return Kontodata::KeyOf(personer->BoundText()) != 0;
}

void Gruppetilk::ShowSelectedGroup()
{
    try {
        if (IsGroupSelected() && Data1.isOpen())
            Data1.FindFirst("id = " + QString::number(selectedGroup()));
        Data3.setRecordSource(IsGroupSelected() ? crit() : crit1());
        Data3.Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Gruppetilk::Gruppe_Click() { ShowSelectedGroup(); }

void Gruppetilk::GroupSaved(int32_t id)
{
    if (!id)
        id = selectedGroup();
    try {
        Data1.Refresh();
        datapers.Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return;
    }
    Gruppe->setBoundText(id);
    ShowSelectedGroup();
}

bool Gruppetilk::ownerOrRefuse(const QString &message) const
{
    // The owner comes from the stored group, never from a box on the form.
    const QVariant stored = Kontodata::GroupOwner(selectedGroup());
    if (stored.isValid() && stored.toInt() == gUserNo)
        return true;
    System::beep();
    MsgBox::show(message, MsgBox::OkOnly, QString());
    return false;
}

void Gruppetilk::showError(const QString &text) const
{
    MsgBox::show(text, MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
}

void Gruppetilk::tilføjmedlem_Click()
{
    if (!IsGroupSelected()) {
        MsgBox::show("No Group Selected", MsgBox::OkOnly, "Error");
        return;
    }
    if (!IsPersonSelected()) {
        MsgBox::show("No Personal Account Selected", MsgBox::OkOnly, "Error");
        return;
    }
    try {
        if (!ownerOrRefuse("Projects can only be edited by the owner!!"))
            return;
        // A member already there is not added twice.
        Kontodata::AddMembership(selectedGroup(), Kontodata::KeyOf(personer->BoundText()));
        ShowSelectedGroup();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Gruppetilk::Sletmedlem_Click()
{
    if (!IsGroupSelected()) {
        MsgBox::show("No Group Selected", MsgBox::OkOnly, "Error");
        return;
    }
    if (!IsMemberSelected()) {
        MsgBox::show("No Member Account Selected", MsgBox::OkOnly, "Error");
        return;
    }
    try {
        if (!ownerOrRefuse("Projects can only be edited by the owner!"))
            return;
        auto db = Dao::Database::open(gDatabasePath);
        db->Execute("DELETE Grptilk.*, Grptilk.gnr, Grptilk.pnr From Grptilk WHERE Grptilk.gnr = "
                    + QString::number(selectedGroup()) + " AND Grptilk.pnr = "
                    + QString::number(Kontodata::KeyOf(medlemmer->BoundText())) + ";");
        db->Close();
        ShowSelectedGroup();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Gruppetilk::editgroup_Click()
{
    if (!IsGroupSelected()) {
        MsgBox::show("No Group Selected", MsgBox::OkOnly, "Error");
        return;
    }
    try {
        if (!ownerOrRefuse("Projects can only be edited by the owner!"))
            return;
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return;
    }
    auto *form = Forms::get<Gruppekonto>();
    if (form->ShowGroup(selectedGroup()))
        form->Show(Form::Modal, this);
}

void Gruppetilk::NyGruppe_Click()
{
    auto *form = Forms::get<Gruppekonto>();
    form->StartNew();
    form->Show(Form::Modeless, this);
}

void Gruppetilk::Slet_Gruppe_Click()
{
    if (!IsGroupSelected()) {
        MsgBox::show("No Group Selected", MsgBox::OkOnly, "Error");
        return;
    }
    const int32_t group = selectedGroup();
    try {
        if (!ownerOrRefuse("Projects can only be deleted by the owner!"))
            return;
        // Archived bookings count too: the period reports join them to their account.
        const QString id = QString::number(group);
        const QString refusal = "Project can't be deleted due to existing bookings !";
        if (!GuardedDelete::confirmAndDelete(
                {"Confirm Deletion ?", "Delete Info",
                 MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2},
                {{"booking", "kontonr = " + id, refusal, QString(), MsgBox::OkOnly},
                 {"bookingarkiv", "kontonr = " + id, refusal, QString(), MsgBox::OkOnly}},
                {"DELETE Konti.*, Konti.ID  FROM Konti  WHERE Konti.ID = " + id + ";",
                 "DELETE Grptilk.*, Grptilk.gnr  FROM Grptilk  WHERE Grptilk.gnr = " + id + ";"}))
            return;
        Data1.Refresh();
        ShowSelectedGroup();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Gruppetilk::Luk_Click() { Unload(); }
