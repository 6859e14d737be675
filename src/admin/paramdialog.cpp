#include "admin/paramdialog.h"

#include "admin/paramform.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ParamDialog::ParamDialog(const QString &caption, const QString &name,
                         const QString &recordSource, const QString &nameBox,
                         const QString &nameField, const QString &label)
    : m_recordSource(recordSource), m_label(label)
{
    setWindowTitle(caption);
    setObjectName(name);
    Data1.setObjectName("Data1");
    m_name = new QLineEdit(this);
    m_name->setObjectName(nameBox);
    m_name->setMinimumWidth(240);
    depnr = new QLineEdit(this);
    depnr->setObjectName("depnr");
    depnr->setEnabled(false);
    depnr->hide();
    Data1.bind(m_name, nameField);
    Data1.bind(depnr, "depnr");
    ok = new QPushButton("Ok", this);
    ok->setObjectName("ok");
    ok->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(label, m_name);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &ParamDialog::ok_Click);
    // A row is stored only with a name, also when a new row or another row is asked for.
    connect(&Data1, &DataControl::Validate, this, [this](bool &cancel) {
        if (!nameGiven())
            cancel = true;
    });
    setDialogKeys([this] { ok_Click(); }, [this] { Unload(); });
}

void ParamDialog::Form_Load()
{
    Data1.setDatabaseName(Generalen::gDatabasePath);
    Data1.setRecordSource(m_recordSource);
    try {
        Data1.Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void ParamDialog::StartNew()
{
    try {
        if (!Data1.AddNew())
            return;
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
    m_name->setFocus();
}

bool ParamDialog::ShowRow(const QString &criteria)
{
    if (Data1.isOpen() && !Data1.FindFirst(criteria))
        return true;   // the row shown stays, as its check said
    if (!Data1.isOpen() || Data1.Recordset()->NoMatch()) {
        MsgBox::show("The row is no longer in the bookingfile.", MsgBox::OkOnly, "Message");
        Unload();
        return false;
    }
    m_name->setFocus();
    m_name->selectAll();
    return true;
}

bool ParamDialog::nameGiven()
{
    if (!m_name->text().trimmed().isEmpty())
        return true;
    MsgBox::show("Fill in the " + QString(m_label).remove(':') + "!", MsgBox::OkOnly,
                 windowTitle());
    m_name->setFocus();
    return false;
}

void ParamDialog::ok_Click()
{
    try {
        if (!Data1.UpdateRecord())
            return;
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return;
    }
    Unload();
}

void ParamDialog::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    // What Ok did not store is dropped: a row is never stored without a name.
    Data1.CancelUpdate();
    Data1.Close();
    if (Forms::isLoaded<Paramform>()) {
        try {
            list(*Forms::get<Paramform>()).Refresh();
        } catch (const Dao::DbError &e) {
            showError(e.description());
        }
    }
}

void ParamDialog::showError(const QString &text) const
{
    MsgBox::show(text, MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
}
