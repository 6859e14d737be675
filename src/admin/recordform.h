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
// row being added, an empty name is refused on every way out of the row, and a write that
// fails keeps the form open with the database's message. Enter is Ok, Escape is Cancel.
class RecordForm : public Form
{
    Q_OBJECT
public:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    // Moves Data1 to the row of the criteria ("lokalenr = 7"); false, with the form left
    // where it was, when no row matches.
    bool position(const QString &criteria);
    // Starts a new row with these fields preset (the kind and the parent, which the form does
    // not let the user change).
    void addNew(const QVariantMap &presets);
    bool isAdding() const;

    DataControl Data1;

protected:
    // recordSource: the table the form edits. nameBox and the refusal: the name that must not
    // be empty, checked only while the row is being added or changed.
    RecordForm(const QString &recordSource, QLineEdit *const &nameBox, const QString &refusal);

    // Ok: unload; the data control writes the row as the form unloads.
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
    bool nameRefused();

    QString m_recordSource;
    QLineEdit *const &m_nameBox;
    QString m_refusal;
    bool m_viewOnly = false;
};
