#include "admin/paramform.h"

#include "admin/editdep.h"
#include "admin/editfloorp.h"
#include "admin/edithomeb.h"
#include "core/generalen.h"
#include "core/guardeddelete.h"
#include "core/queries.h"
#include "platform/controls/dblist.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/picturebox.h"
#include "platform/controls/tabdialog.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {
const char kExitTip[] = "Luk formular";
} // namespace

Paramform::Paramform()
{
    setWindowTitle("Vantix - Parameters");
    setObjectName("Paramform");
    Data1.setObjectName("Data1");
    Data2.setObjectName("Data2");
    Data3.setObjectName("Data3");
    Data4.setObjectName("Data4");
    for (DataControl *list : {&Data2, &Data3, &Data4})
        list->setReadOnly(true);
    CmdLoad.setObjectName("CmdLoad");
    CmdLoad.setDialogTitle("Change Logo");
    CmdLoad.setPattern("JPEG files(*.jpg)|*.jpg|GIF files (*.gif)|*.gif|Bitmap files (*.bmp)|"
                       "*.bmp");

    SSTab1 = new TabDialog(this);
    SSTab1->setObjectName("SSTab1");
    buildCompanyTab();
    {
        QPushButton *b[4];
        const QString names[4] = {"AddFp", "Editfp", "Kommandoknap63", "Lukknap1"};
        FPlan = buildListTab("Floorplans", Data2, "Opstilling", "ID", b, names);
        FPlan->setObjectName("FPlan");
        AddFp = b[0], Editfp = b[1], Kommandoknap63 = b[2], Lukknap1 = b[3];
    }
    {
        QPushButton *b[4];
        const QString names[4] = {"AddDep", "Edit", "Delete", "Luk"};
        dep = buildListTab("Departments", Data3, "depname", "depnr", b, names);
        dep->setObjectName("dep");
        AddDep = b[0], Edit = b[1], Delete = b[2], Luk = b[3];
    }
    {
        QPushButton *b[4];
        const QString names[4] = {"addhb", "EditHB", "Slethomebse", "Luk2"};
        homeb = buildListTab("Homebases", Data4, "Homebase", "ID", b, names);
        homeb->setObjectName("homeb");
        addhb = b[0], EditHB = b[1], Slethomebse = b[2], Luk2 = b[3];
    }
    auto *top = new QVBoxLayout(this);
    top->addWidget(SSTab1);
    resize(620, 440);

    connect(changelogo, &QPushButton::clicked, this, &Paramform::changelogo_Click);
    connect(Luk3, &QPushButton::clicked, this, &Paramform::Luk3_Click);
    connect(AddFp, &QPushButton::clicked, this, &Paramform::AddFp_Click);
    connect(Editfp, &QPushButton::clicked, this, &Paramform::Editfp_Click);
    connect(Kommandoknap63, &QPushButton::clicked, this, &Paramform::Kommandoknap63_Click);
    connect(Lukknap1, &QPushButton::clicked, this, &Paramform::Lukknap1_Click);
    connect(AddDep, &QPushButton::clicked, this, &Paramform::AddDep_Click);
    connect(Edit, &QPushButton::clicked, this, &Paramform::edit_Click);
    connect(Delete, &QPushButton::clicked, this, &Paramform::delete_Click);
    connect(Luk, &QPushButton::clicked, this, &Paramform::Luk_Click);
    connect(addhb, &QPushButton::clicked, this, &Paramform::addhb_Click);
    connect(EditHB, &QPushButton::clicked, this, &Paramform::EditHB_Click);
    connect(Slethomebse, &QPushButton::clicked, this, &Paramform::Slethomebse_Click);
    connect(Luk2, &QPushButton::clicked, this, &Paramform::Luk2_Click);
}

void Paramform::buildCompanyTab()
{
    QWidget *page = SSTab1->addTab("Company");
    const auto box = [this, page](const QString &name, const QString &field) {
        auto *e = new QLineEdit(page);
        e->setObjectName(name);
        Data1.bind(e, field);
        return e;
    };
    Instutionsnavn = box("Instutionsnavn", "Instutionsnavn");
    Instutionsadresse = box("Instutionsadresse", "Instutionsadresse");
    Instutionspostnr = box("Instutionspostnr", "Instutionspostnr");
    Instutionspostnr->setMaximumWidth(90);
    Tekst61 = box("Tekst61", "Instutionsby");
    Instutionstlf = box("Instutionstlf", "Instutionstlf");
    Instutionsfax = box("Instutionsfax", "Instutionsfax");
    Institutionsemail = box("Institutionsemail", "Institutionsemail");
    Institutionswww = box("Institutionswww", "Institutionswww");
    Senr = box("Senr", "Senr");
    banknr = box("banknr", "banknr");
    gironr = box("gironr", "gironr");
    Logo = new PictureBox(page);
    Logo->setObjectName("Logo");
    Logo->setMinimumSize(200, 80);
    Data1.bind(Logo, "Logopic");
    changelogo = new QPushButton("Change Logo", page);
    changelogo->setObjectName("changelogo");
    Luk3 = new QPushButton("Exit", page);
    Luk3->setObjectName("Luk3");
    Luk3->setToolTip(kExitTip);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    const auto line = [&](const QString &label, QWidget *w) {
        grid->addWidget(new QLabel(label, page), row, 0);
        grid->addWidget(w, row++, 1);
    };
    line("Company:", Instutionsnavn);
    line("Address:", Instutionsadresse);
    auto *zip = new QHBoxLayout;
    zip->addWidget(Instutionspostnr);
    zip->addWidget(Tekst61, 1);
    grid->addWidget(new QLabel("Zip/Area:", page), row, 0);
    grid->addLayout(zip, row++, 1);
    line("Phone:", Instutionstlf);
    line("Fax:", Instutionsfax);
    line("Email:", Institutionsemail);
    line("URL:", Institutionswww);
    line("Tax No.:", Senr);
    line("IBAN:", banknr);
    line("Swift Address:", gironr);

    auto *logo = new QVBoxLayout;
    logo->addWidget(Logo, 1);
    logo->addWidget(changelogo);
    logo->addStretch();
    logo->addWidget(Luk3);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(grid, 3);
    layout->addSpacing(12);
    layout->addLayout(logo, 2);
}

DBList *Paramform::buildListTab(const QString &caption, DataControl &rows, const QString &shown,
                                const QString &key, QPushButton *buttons[4],
                                const QString names[4])
{
    QWidget *page = SSTab1->addTab(caption);
    auto *list = new DBList(DBList::ListStyle, page);
    list->setRowSource(&rows);
    list->setListField(shown);
    list->setBoundColumn(key);
    const QString captions[4] = {"Add", "Edit", "Delete", "Exit"};
    auto *side = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new QPushButton(captions[i], page);
        buttons[i]->setObjectName(names[i]);
        if (i == 3) {
            buttons[i]->setToolTip(kExitTip);
            side->addStretch();
        }
        side->addWidget(buttons[i]);
    }
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(list, 1);
    layout->addLayout(side);
    return list;
}

void Paramform::Form_Load()
{
    const QString sources[] = {"institutionsoplysninger", "florplanfor", "departmentfor",
                               "homebasefor"};
    DataControl *controls[] = {&Data1, &Data2, &Data3, &Data4};
    for (int i = 0; i < 4; ++i) {
        controls[i]->setDatabaseName(gDatabasePath);
        controls[i]->setRecordSource(sources[i]);
    }
    try {
        for (DataControl *d : controls)
            d->Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Paramform::Form_Unload(bool &cancel)
{
    try {
        Data1.Close();
    } catch (const Dao::DbError &e) {
        const int answer = MsgBox::show(
            "The company data could not be saved:\n" + e.description()
                + "\n\nClose without saving?",
            MsgBox::YesNo | MsgBox::Exclamation | MsgBox::DefaultButton2, windowTitle());
        if (answer != MsgBox::Yes) {
            cancel = true;
            return;
        }
        Data1.CancelUpdate();
        Data1.Close();
    }
    for (DataControl *list : {&Data2, &Data3, &Data4})
        list->Close();
}

void Paramform::changelogo_Click()
{
    // A cancelled dialog keeps the logo; so does a file that holds no picture.
    if (!CmdLoad.ShowOpen())
        return;
    if (!Logo->LoadPicture(CmdLoad.FullPath()))
        MsgBox::show("The file " + CmdLoad.FileTitle() + " holds no picture that can be shown.",
                     MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
}

void Paramform::addRow(ParamDialog *dialog)
{
    dialog->StartNew();
    dialog->Show(Form::Modal, this);
}

void Paramform::editRow(ParamDialog *(*dialogOf)(), DBList *list, const QString &criteria,
                        const QString &refusal)
{
    if (list->Text().isEmpty()) {
        MsgBox::show(refusal, MsgBox::OkOnly, "Message");
        return;
    }
    ParamDialog *dialog = dialogOf();
    if (dialog->ShowRow(criteria + QString::number(list->BoundText().toLongLong())))
        dialog->Show(Form::Modal, this);
}

void Paramform::deleteRow(DBList *list, bool (*builder)(const QString &), DataControl &rows,
                          const QString &refusal)
{
    if (list->Text().isEmpty() || !builder(list->BoundText().toString())) {
        MsgBox::show(refusal, MsgBox::OkOnly, "Message");
        return;
    }
    const QString statement = gSql;
    try {
        // Nothing names the row in a way that keeps it: the delete runs after the answer.
        if (GuardedDelete::confirmAndDelete({"Confirm deletion ?", "Deletion Message",
                                             MsgBox::YesNo | MsgBox::Question
                                                 | MsgBox::DefaultButton2},
                                            {}, {statement}))
            rows.Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void Paramform::AddFp_Click() { addRow(Forms::get<EditFloorP>()); }
void Paramform::AddDep_Click() { addRow(Forms::get<Editdep>()); }
void Paramform::addhb_Click() { addRow(Forms::get<Edithomeb>()); }

void Paramform::Editfp_Click()
{
    editRow([]() -> ParamDialog * { return Forms::get<EditFloorP>(); }, FPlan, "[ID]=",
            "Choose Floor Plan");
}

void Paramform::edit_Click()
{
    editRow([]() -> ParamDialog * { return Forms::get<Editdep>(); }, dep, "[depnr]=",
            "Choose Department");
}

void Paramform::EditHB_Click()
{
    editRow([]() -> ParamDialog * { return Forms::get<Edithomeb>(); }, homeb, "[ID]=",
            "Choose Homebase");
}

void Paramform::Kommandoknap63_Click()
{
    deleteRow(FPlan, Queries::SqlDeleteFloorPlan, Data2, "Choose Floor Plan");
}

void Paramform::delete_Click()
{
    deleteRow(dep, Queries::SqlDeleteDepartment, Data3, "Choose Department");
}

void Paramform::Slethomebse_Click()
{
    deleteRow(homeb, Queries::SqlDeleteHomebase, Data4, "Choose Homebase");
}

void Paramform::Luk_Click() { Unload(); }
void Paramform::Luk2_Click() { Unload(); }
void Paramform::Luk3_Click() { Unload(); }
void Paramform::Lukknap1_Click() { Unload(); }

void Paramform::showError(const QString &text) const
{
    MsgBox::show(text, MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
}
