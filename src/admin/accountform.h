#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

class DBList;
class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// The layout that the account and group forms share: boxes bound to one Konti row (Data1) and
// a department box listing Departmentfor (Data2). Each form adds its own buttons; the
// administrators' forms have the Administrator and Archived boxes, the group form an owner
// instead of a login. The account's checks (rowAccepted) run before the row is written on every
// way it is written: the form's Ok, its close box, its owner closing it, a move to another
// account or a new one.
class AccountForm : public Form
{
    Q_OBJECT
public:
    void Form_Load() override;

    // Copies the account name into the contact name.
    void CopyNameToContact();
    // Enables the user name and password boxes for a personal account only: a group does
    // not log in.
    void EnableLoginBoxes();
    // Makes a box one that shows a value and takes no typing, and looks it.
    static void showOnly(QLineEdit *box);
    // The key of the shown row, 0 with none.
    int32_t shownId() const;

    DataControl Data1;   // Konti
    DataControl Data2;   // Departmentfor

    QLineEdit *Kontonavn = nullptr;
    QLineEdit *kontokontakt = nullptr;
    QLineEdit *Kontoadresse = nullptr;
    QLineEdit *Kontopnr = nullptr;
    QLineEdit *Kontoby = nullptr;
    QLineEdit *Kontotlf = nullptr;
    QLineEdit *Kontofax = nullptr;
    QLineEdit *kontomail = nullptr;
    QLineEdit *Kontouser = nullptr;
    QLineEdit *KontoPass = nullptr;
    QLineEdit *Kontostilling = nullptr;
    QLineEdit *Kontotlfp = nullptr;
    QLineEdit *Kontomobil = nullptr;
    DBList *depnr = nullptr;
    QLineEdit *ID = nullptr;
    QLineEdit *Kontotype = nullptr;
    QLineEdit *owner = nullptr;    // the group form only
    QCheckBox *PAdmin = nullptr;   // the administrators' forms only
    QCheckBox *PArc = nullptr;

protected:
    enum Kind { Personal, Administered, Group };
    AccountForm(const QString &caption, const QString &name, Kind kind);
    // The record source of Data1 when the form loads.
    virtual QString accountSource() const { return QStringLiteral("Konti"); }
    QPushButton *addButton(const QString &name, const QString &caption);
    // Enter and Escape: the form's Ok and Cancel.
    virtual void enterPressed() = 0;
    // Escape drops what was typed and closes the form.
    virtual void escapePressed();
    // The checks of a personal account: an account name and a contact name, a user name that
    // no other account has and that comes with a password, and an administrator left who can
    // log in. Each refusal says why and answers false.
    virtual bool rowAccepted();
    // After the account row was written (added: a new row, with the key the file gave it).
    virtual void rowWritten(int32_t id, bool added);
    bool namesGiven() const;
    bool loginAcceptable() const;
    bool keepsAnAdministrator() const;
    // Writes the shown row; when its checks refuse it or the write fails (after saying why)
    // answers false, and the form stays open.
    bool saveRow();
    // Closes both data controls, writing a pending change; when its checks refuse it or the
    // write fails (after saying why) answers false with the change kept.
    bool closeRows();
    void showError(const QString &text) const;

private:
    void refuse(const QString &text, QWidget *box) const;
    QLineEdit *box(const QString &name, const QString &field);
    QHBoxLayout *m_buttons = nullptr;
};
