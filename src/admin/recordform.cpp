#include "admin/recordform.h"

#include "core/generalen.h"
#include "platform/controls/dedit.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Generalen;

RecordForm::RecordForm(const QString &recordSource, QLineEdit *const &nameBox,
                       const QString &refusal)
    : m_recordSource(recordSource), m_nameBox(nameBox), m_refusal(refusal)
{
    Data1.setObjectName("Data1");
    // A move off a changed row is refused as Ok is while the name is empty.
    connect(&Data1, &DataControl::Validate, this, [this](bool &cancel) {
        if (nameRefused())
            cancel = true;
    });
    setDialogKeys(
        [this] {
            // A box of several lines keeps its Enter for a new line.
            if (!qobject_cast<QPlainTextEdit *>(focusWidget()))
                okClicked();
        },
        [this] { cancelButton ? cancelClicked() : okClicked(); });
}

void RecordForm::Form_Load()
{
    Data1.setDatabaseName(gDatabasePath);
    Data1.setRecordSource(m_recordSource);
    try {
        Data1.Refresh();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
    }
    afterLoad();
}

void RecordForm::afterLoad()
{
    if (!gIsAdmin)
        setViewOnly();
}

bool RecordForm::position(const QString &criteria)
{
    if (!Data1.isOpen())
        return false;
    Data1.FindFirst(criteria);
    return !Data1.Recordset()->NoMatch();
}

void RecordForm::addNew(const QVariantMap &presets)
{
    if (!Data1.isOpen())
        return;
    Data1.AddNew();
    if (!isAdding())
        return;   // the row before could not be left
    for (auto it = presets.begin(); it != presets.end(); ++it)
        Data1.Recordset()->SetField(it.key(), it.value());
    Data1.UpdateControls();
}

bool RecordForm::isAdding() const
{
    return Data1.isOpen() && Data1.Recordset()->editMode() == Dao::EditMode::AddNew;
}

bool RecordForm::nameRefused()
{
    if (m_viewOnly || !m_nameBox || !Data1.isOpen() || !m_nameBox->text().isEmpty())
        return false;
    if (!isAdding() && !Data1.isDirty())
        return false;
    MsgBox::show(m_refusal, MsgBox::OkOnly, "Message");
    m_nameBox->setFocus();
    return true;
}

void RecordForm::okClicked() { Unload(); }

void RecordForm::cancelClicked()
{
    if (m_viewOnly) {
        Unload();
        return;
    }
    if (isAdding()) {
        Data1.CancelUpdate();
        Unload();
        return;
    }
    Data1.UpdateControls();
}

void RecordForm::Form_Unload(bool &cancel)
{
    if (nameRefused()) {
        cancel = true;
        return;
    }
    try {
        Data1.Close();
    } catch (const Dao::DbError &e) {
        // The user's input stays in the boxes to be corrected or cancelled.
        MsgBox::show(e.description(), MsgBox::OkOnly);
        cancel = true;
    }
}

QString RecordForm::currentKey(const QString &keyField) const
{
    bool whole = false;
    const qlonglong key = Data1.value(keyField).toLongLong(&whole);
    return whole ? QString::number(key) : QString();
}

void RecordForm::deleteCurrent(const QString &keyField, const QList<GuardedDelete::Guard> &guards)
{
    const QString key = currentKey(keyField);
    if (m_viewOnly || !Data1.hasCurrentRow() || isAdding() || key.isEmpty())
        return;
    try {
        const int position = Data1.position();
        if (!GuardedDelete::confirmAndDelete(
                {"Confirm deletion ?", "Delete Info",
                 MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2},
                guards, {"DELETE FROM " + m_recordSource + " WHERE " + keyField + " = " + key}))
            return;
        Data1.CancelUpdate();   // typed changes of the deleted row go nowhere
        Data1.Refresh();
        Data1.moveTo(position);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly);
    }
}

void RecordForm::setViewOnly()
{
    m_viewOnly = true;
    Data1.setReadOnly(true);
    for (QLineEdit *e : findChildren<QLineEdit *>())
        e->setReadOnly(true);
    for (QPlainTextEdit *e : findChildren<QPlainTextEdit *>())
        e->setReadOnly(true);
    for (DEdit *e : findChildren<DEdit *>())
        e->setEnabled(false);
    for (QAbstractButton *b : findChildren<QAbstractButton *>()) {
        if (qobject_cast<QPushButton *>(b) && b != okButton && b != cancelButton)
            b->setEnabled(false);
        else if (!qobject_cast<QPushButton *>(b) && b->isCheckable())
            b->setEnabled(false);
    }
    for (QComboBox *c : findChildren<QComboBox *>())
        c->setEnabled(false);
    for (QWidget *w : findChildren<QWidget *>()) {
        if (w->metaObject()->userProperty().isValid() && !qobject_cast<QLineEdit *>(w)
            && !qobject_cast<QAbstractButton *>(w))
            w->setEnabled(false);
    }
}

