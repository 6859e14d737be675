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

RecordForm::RecordForm(const QString &recordSource) : m_recordSource(recordSource)
{
    Data1.setObjectName("Data1");
    // Every write of the row passes the form's checks, whichever way out or move makes it.
    connect(&Data1, &DataControl::Validate, this, [this](bool &cancel) {
        if (!m_viewOnly && !rowAccepted())
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
    if (!Data1.FindFirst(criteria))
        return true;   // the row shown stays, as its checks said
    return !Data1.Recordset()->NoMatch();
}

bool RecordForm::addNew(const QVariantMap &presets)
{
    if (!Data1.isOpen() || !Data1.AddNew())
        return false;
    for (auto it = presets.begin(); it != presets.end(); ++it)
        Data1.Recordset()->SetField(it.key(), it.value());
    Data1.UpdateControls();
    return true;
}

bool RecordForm::isAdding() const
{
    return Data1.isOpen() && Data1.Recordset()->editMode() == Dao::EditMode::AddNew;
}

bool RecordForm::nameGiven(QLineEdit *box, const QString &refusal)
{
    if (!box->text().isEmpty())
        return true;
    MsgBox::show(refusal, MsgBox::OkOnly, "Message");
    box->setFocus();
    return false;
}

void RecordForm::okClicked()
{
    if (readyToClose())
        Unload();
}

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
    try {
        // The checks refused the row (and said why): the form stays open on it.
        if (!Data1.Close())
            cancel = true;
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

