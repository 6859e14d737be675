#pragma once

#include "admin/recordform.h"

class DateCalendar;
class DateEdit;
class DatePicker;
class DBList;
class MaskedEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;
class UnavailablePeriod;

// A resource item (a row of lokale): the common boxes, the boxes of its kind (a room, or a
// piece of equipment with its homebase, supplier and warranty) and, on the editing and view
// forms, its unavailable period. The six item forms are this form in one of three modes.
class ResourceItemForm : public RecordForm
{
    Q_OBJECT
public:
    enum Kind { Domestic, Equipment };
    enum Mode { Editing, Viewing, Adding };

    Kind kind() const { return m_kind; }
    Mode mode() const { return m_mode; }

    // Checked: the period runs from today to today + 14, and the date edits are enabled.
    // Unchecked: the edits are disabled and keep their days.
    void inaktiv_Click();
    void cstart_DropDown();
    void cslut_DropDown();
    void ctDateST_DateChange();
    void ctDateSL_DateChange();
    void cstart_Spin(bool down);
    void cslut_Spin(bool down);
    void cstart_GotFocus();
    void cslut_GotFocus();
    void Luk_Click() { okClicked(); }
    void Canc_Click() { cancelClicked(); }
    void del_Click() { DeleteResourceItem(); }
    // Deletes the item unless a booking or an archived booking names it.
    void DeleteResourceItem();

    QLineEdit *lokalenr = nullptr;
    QLineEdit *Lokalenavn = nullptr;
    QLineEdit *lokalinr = nullptr;
    QLineEdit *gruppeart = nullptr;
    QLineEdit *lokbeskrivelse = nullptr;
    MaskedEdit *gebyr = nullptr;
    // Rooms.
    QLineEdit *maxprs = nullptr;
    QLineEdit *Lokfastinv = nullptr;
    // Equipment. The homebase list is DBCombo1 on the editing and add forms, Homeb on the view.
    DataControl Data2;
    DBList *DBCombo1 = nullptr;
    DBList *Homeb = nullptr;
    QLineEdit *lokfabrikat = nullptr;
    QLineEdit *lokmodel = nullptr;
    QLineEdit *loksernr = nullptr;
    QLineEdit *YEAR = nullptr;
    QLineEdit *Leverandør = nullptr;
    QLineEdit *levadresse = nullptr;
    QLineEdit *levzip = nullptr;
    QLineEdit *levby = nullptr;
    QLineEdit *levphone = nullptr;
    QLineEdit *levmail = nullptr;
    DatePicker *warrenty = nullptr;
    // The unavailable period (editing and view forms).
    QCheckBox *inaktiv = nullptr;
    DateEdit *cstart = nullptr;
    DateEdit *cslut = nullptr;
    DateCalendar *ctDateST = nullptr;   // editing forms only
    DateCalendar *ctDateSL = nullptr;
    QPushButton *Luk = nullptr;
    QPushButton *Canc = nullptr;   // editing and add forms
    QPushButton *del = nullptr;    // editing forms

protected:
    ResourceItemForm(Kind kind, Mode mode, const QString &caption, const QString &recordSource);
    void afterLoad() override;
    bool rowAccepted() override;
    bool readyToClose() override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildLayout();
    void toggleCalendar(DateEdit *edit, DateCalendar *calendar);
    void placeCalendar(DateEdit *edit, DateCalendar *calendar);
    void takePick(DateEdit *edit, DateCalendar *calendar);

    Kind m_kind;
    Mode m_mode;
    UnavailablePeriod *m_period = nullptr;   // editing forms only
};

// A room: edited by administrators, shown to other users, added under a type.
class resitemL final : public ResourceItemForm
{
    Q_OBJECT
public:
    resitemL();
};

class resitemLView final : public ResourceItemForm
{
    Q_OBJECT
public:
    resitemLView();
};

class resitemLAD final : public ResourceItemForm
{
    Q_OBJECT
public:
    resitemLAD();
};

// An Add-On or Stand-Alone item, in the same three forms.
class ResitemA final : public ResourceItemForm
{
    Q_OBJECT
public:
    ResitemA();
};

class ResitemAView final : public ResourceItemForm
{
    Q_OBJECT
public:
    ResitemAView();
};

class ResitemAD final : public ResourceItemForm
{
    Q_OBJECT
public:
    ResitemAD();
};
