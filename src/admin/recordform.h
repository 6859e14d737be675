#pragma once

#include "core/guardeddelete.h"
#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <QString>
#include <QVariantMap>

class QLineEdit;
class QPushButton;

// The common ground of the resource forms that edit one bound row: saving is closing (Ok
// unloads the form and the data control writes the row), Cancel reloads the boxes and drops a
// row being added, and the form's checks (rowAccepted) run before the row is written on every
// way it is written: Ok, the close box, the owner closing the form, a move to another row or
// a new row. A write that fails keeps the form open with the database's message. Enter is Ok,
// Escape is Cancel.
class RecordForm : public Form
{
    Q_OBJECT
public:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    // Moves Data1 to the row of the criteria ("lokalenr = 7"). False, with the form left where
    // it was, only when no row matches; when the row shown could not be left (its checks
    // refused it, and said why) the form stays on it and the answer is true.
    bool position(const QString &criteria);
    // Starts a new row with these fields preset (the kind and the parent, which the form does
    // not let the user change). False when the row shown could not be left.
    bool addNew(const QVariantMap &presets);
    bool isAdding() const;

    DataControl Data1;

protected:
    // recordSource: the table the form edits.
    explicit RecordForm(const QString &recordSource);

    // The checks of the row before it is written, run while it is being added or changed.
    // Shows why and answers false to keep it unwritten, the form open on it.
    virtual bool rowAccepted() { return true; }
    // What Ok checks before it closes the form, also when the row was not changed; false keeps
    // the form open (after saying why).
    virtual bool readyToClose() { return true; }
    // A check for rowAccepted: the name box must not be empty, else refusal titled "Message".
    bool nameGiven(QLineEdit *box, const QString &refusal);

    // Ok: unload once readyToClose; the data control writes the row as the form unloads.
    void okClicked();
    // Cancel: reload the boxes from the row; a row being added is dropped and the form closes.
    void cancelClicked();
    // Deletes the current row (its key in keyField) after "Confirm deletion ?" and moves to
    // the next row, unless a guard holds: its refusal is shown then, before the question and
    // again when one holds once the user has answered (GuardedDelete). Nothing without a
    // current row.
    void deleteCurrent(const QString &keyField, const QList<GuardedDelete::Guard> &guards);
    // The current row's key as decimal text; empty when it holds no whole number.
    QString currentKey(const QString &keyField) const;
    // The form only shows its row: the data control writes nothing and every box is locked.
    void setViewOnly();
    bool isViewOnly() const { return m_viewOnly; }
    // Runs after Data1 has opened, before it is positioned. By default the row is for
    // administrators to change and only shown to other users.
    virtual void afterLoad();

    QPushButton *okButton = nullptr;       // set by the form
    QPushButton *cancelButton = nullptr;   // nullptr on forms without Cancel

private:
    QString m_recordSource;
    bool m_viewOnly = false;
};
