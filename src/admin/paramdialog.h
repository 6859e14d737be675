#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

class Paramform;
class QLineEdit;
class QPushButton;

// The dialog that adds or renames one row of a parameter list (a department, a floor plan or a
// homebase): a name box and Ok. Ok stores the row, and only with a name, as does a move to a
// new or another row; Escape, the window's close box and the parameters form closing it drop
// what was typed. The parameters form's list shows the outcome at once.
class ParamDialog : public Form
{
    Q_OBJECT
public:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    // Starts a new row.
    void StartNew();
    // Shows the row that the criteria find; false (and the dialog unloads) when it is gone. A
    // row shown with a change its check refuses stays shown.
    bool ShowRow(const QString &criteria);
    void ok_Click();

    DataControl Data1;
    QLineEdit *depnr = nullptr;
    QPushButton *ok = nullptr;

protected:
    ParamDialog(const QString &caption, const QString &name, const QString &recordSource,
                const QString &nameBox, const QString &nameField, const QString &label);
    // The parameters form's list that shows this dialog's rows.
    virtual DataControl &list(Paramform &form) const = 0;
    QLineEdit *m_name = nullptr;

private:
    // The name box is filled in; else says so.
    bool nameGiven();
    void showError(const QString &text) const;
    QString m_recordSource;
    QString m_label;
};
