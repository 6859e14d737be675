#include "admin/accountform.h"

#include "admin/kontodata.h"
#include "core/generalen.h"
#include "platform/controls/dblist.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AccountForm::AccountForm(const QString &caption, const QString &name, Kind kind)
{
    setWindowTitle(caption);
    setObjectName(name);
    Data1.setObjectName("Data1");
    Data2.setObjectName("Data2");
    Data2.setReadOnly(true);

    Kontonavn = box("Kontonavn", "Kontonavn");
    kontokontakt = box("kontokontakt", "kontokontakt");
    Kontoadresse = box("Kontoadresse", "Kontoadresse");
    Kontopnr = box("Kontopnr", "Kontopnr");
    Kontoby = box("Kontoby", "Kontoby");
    Kontotlf = box("Kontotlf", "Kontotlf");
    Kontofax = box("Kontofax", "Kontofax");
    kontomail = box("kontomail", "kontomail");
    Kontouser = box("Kontouser", "Kontouser");
    KontoPass = box("KontoPass", "KontoPass");
    KontoPass->setEchoMode(QLineEdit::Password);
    KontoPass->setStyleSheet("lineedit-password-character: 42");   // "*", as at the login
    Kontostilling = box("Kontostilling", "Kontostilling");
    Kontotlfp = box("Kontotlfp", "Kontotlfp");
    Kontomobil = box("Kontomobil", "Kontomobil");
    ID = box("ID", "ID");
    Kontotype = box("Kontotype", "Kontotype");
    // The key and the type are never typed.
    for (QLineEdit *e : {ID, Kontotype}) {
        e->hide();
        e->setReadOnly(true);
    }
    const bool group = kind == Group;
    if (group) {
        // The owner is set when the group is created and never typed: the owner test and the
        // owner's membership rest on it.
        owner = box("owner", "kontoowner");
        owner->hide();
        owner->setReadOnly(true);
        Kontouser->hide();
        KontoPass->hide();
        showOnly(kontokontakt);
    }

    depnr = new DBList(DBList::ComboStyle, this);
    depnr->setObjectName("depnr");
    depnr->setRowSource(&Data2);
    depnr->setListField("depname");
    depnr->setBoundColumn("depnr");
    Data1.bind(depnr, "depnr");

    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 16);
    const auto row = [&](int r, int c, const QString &label, QWidget *w) {
        auto *l = new QLabel(label, this);
        l->setBuddy(w);
        grid->addWidget(l, r, c * 2);
        grid->addWidget(w, r, c * 2 + 1);
    };
    row(0, 0, group ? "Group Name" : "Account Name", Kontonavn);
    row(1, 0, group ? "Owner" : "Contact Name", kontokontakt);
    row(2, 0, "Address", Kontoadresse);
    row(3, 0, "Zip", Kontopnr);
    row(4, 0, "County", Kontoby);
    row(5, 0, "Department", depnr);
    row(6, 0, "Post", Kontostilling);
    row(0, 1, group ? "Phone work" : "Work Phone", Kontotlf);
    row(1, 1, group ? "Phone priv" : "Private Phone", Kontotlfp);
    row(2, 1, group ? "Mobile:" : "Mobile Phone:", Kontomobil);
    row(3, 1, "Fax", Kontofax);
    row(4, 1, "Email", kontomail);
    if (!group) {
        row(5, 1, "Username", Kontouser);
        row(6, 1, "Password", KontoPass);
    }

    // Down the left column, then down the right one.
    QWidget *order[] = {Kontonavn, kontokontakt, Kontoadresse, Kontopnr, Kontoby, depnr,
                        Kontostilling, Kontotlf, Kontotlfp, Kontomobil, Kontofax, kontomail,
                        Kontouser, KontoPass};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    if (kind == Administered) {
        PAdmin = new QCheckBox("Administrator", this);
        PAdmin->setObjectName("PAdmin");
        PArc = new QCheckBox("Archived", this);
        PArc->setObjectName("PArc");
        Data1.bind(PAdmin, "admin");
        Data1.bind(PArc, "archived");
        auto *flags = new QHBoxLayout;
        flags->addWidget(PAdmin);
        flags->addWidget(PArc);
        flags->addStretch();
        top->addLayout(flags);
    }
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch();
    top->addLayout(m_buttons);
    setMinimumWidth(560);

    if (!group)
        connect(&Data1, &DataControl::Reposition, this, &AccountForm::EnableLoginBoxes);
    connect(&Data1, &DataControl::Validate, this, [this](bool &cancel) {
        if (!rowAccepted())
            cancel = true;
    });
    connect(&Data1, &DataControl::Written, this, [this](const QVariant &key, bool added) {
        rowWritten(Kontodata::KeyOf(key), added);
    });
    setDialogKeys([this] { enterPressed(); }, [this] { escapePressed(); });
}

QLineEdit *AccountForm::box(const QString &name, const QString &field)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(name);
    Data1.bind(e, field);
    return e;
}

QPushButton *AccountForm::addButton(const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    m_buttons->addWidget(b);
    return b;
}

void AccountForm::Form_Load()
{
    Data1.setDatabaseName(Generalen::gDatabasePath);
    Data1.setRecordSource(accountSource());
    Data2.setDatabaseName(Generalen::gDatabasePath);
    Data2.setRecordSource("Departmentfor");
    try {
        Data2.Refresh();
        Data1.Refresh();
    } catch (const Dao::DbError &e) {
        showError(e.description());
    }
}

void AccountForm::showOnly(QLineEdit *box)
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette shown = box->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    box->setPalette(shown);
}

void AccountForm::CopyNameToContact() { kontokontakt->setText(Kontonavn->text()); }

void AccountForm::EnableLoginBoxes()
{
    const bool personal = Data1.value("Kontotype").toString() != QLatin1String("g");
    Kontouser->setEnabled(personal);
    KontoPass->setEnabled(personal);
}

int32_t AccountForm::shownId() const { return Kontodata::KeyOf(ID->text()); }

void AccountForm::escapePressed()
{
    Data1.CancelUpdate();
    Unload();
}

bool AccountForm::closeRows()
{
    try {
        if (!Data1.Close())
            return false;
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return false;
    }
    Data2.Close();
    return true;
}

bool AccountForm::saveRow()
{
    try {
        return Data1.UpdateRecord();
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return false;
    }
}

bool AccountForm::rowAccepted()
{
    try {
        return namesGiven() && loginAcceptable() && keepsAnAdministrator();
    } catch (const Dao::DbError &e) {
        showError(e.description());
        return false;
    }
}

void AccountForm::rowWritten(int32_t id, bool added)
{
    Q_UNUSED(id)
    Q_UNUSED(added)
}

void AccountForm::refuse(const QString &text, QWidget *box) const
{
    MsgBox::show(text, MsgBox::OkOnly, "Service Message");
    box->setFocus();
}

bool AccountForm::namesGiven() const
{
    QLineEdit *empty = Kontonavn->text().trimmed().isEmpty()       ? Kontonavn
                       : kontokontakt->text().trimmed().isEmpty() ? kontokontakt
                                                                  : nullptr;
    if (!empty)
        return true;
    refuse("Account Name and Account Contact are required parameters.", empty);
    return false;
}

bool AccountForm::loginAcceptable() const
{
    // Only personal accounts log in; a group keeps its creator's user name.
    if (Kontotype->text() == QLatin1String("g"))
        return true;
    const QString user = Kontouser->text();
    if (user.isEmpty())
        return true;
    // An unchanged user name is not asked again: the account keeps what it had.
    if (user != Data1.value("Kontouser").toString()
        && Kontodata::UserNameTaken(user, shownId())) {
        refuse("The user name \"" + user
                   + "\" belongs to another account already. Choose another user name.",
               Kontouser);
        return false;
    }
    if (KontoPass->text().isEmpty()) {
        refuse("An account with a user name needs a password to log in. Fill in a password, or "
               "clear the user name.",
               KontoPass);
        return false;
    }
    return true;
}

bool AccountForm::keepsAnAdministrator() const
{
    const int32_t id = shownId();
    if (!id || !Kontodata::IsLastActiveAdministrator(id))
        return true;
    // The forms without the two boxes keep the stored flags.
    const bool admin = PAdmin ? PAdmin->isChecked() : Data1.value("admin").toBool();
    const bool archived = PArc ? PArc->isChecked() : Data1.value("archived").toBool();
    if (!admin || archived) {
        MsgBox::show("The last active administrator can't be archived or lose the administrator "
                     "right.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
        return false;
    }
    if (Kontouser->text().isEmpty() || KontoPass->text().isEmpty()) {
        MsgBox::show("The last active administrator needs a user name and a password to log in.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
        (Kontouser->text().isEmpty() ? Kontouser : KontoPass)->setFocus();
        return false;
    }
    return true;
}

void AccountForm::showError(const QString &text) const
{
    MsgBox::show(text, MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
}
