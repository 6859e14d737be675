#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"
#include "platform/controls/maskededit.h"

#include <QString>

#include <cstdint>

class DateEdit;
class DBList;
class DEdit;
class HyperLink;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TabDialog;
class TimeEdit;

// The booking form: edits one booking in full through the stored query bookingfor. The boxes
// are bound to Data1; a change is written on each change of tab and when the form closes.
class bookingform final : public Form
{
    Q_OBJECT
public:
    bookingform();
    ~bookingform() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool &cancel) override;

    void faner_TabChange(int previousTab);
    void Kontonr_AccountChange();
    void ctmailer_PrepareMail();
    void genkn_Click();
    void updgen_Click();
    void Luk_Click();

    // Price, tax and receipt.
    void RecalcPrice();
    void ListpriceRes_Click();
    void aftres_Click();
    void Pris_Change();
    void TaxB_Click();
    void Arrkvit_Click();

    // Shows the form on booking n: Data1 reads that one row of bookingfor, so opening costs
    // one row however many bookings the file holds. A change to the booking shown before is
    // written first. A booking that the bookingfile no longer holds is reported and not opened;
    // the form stays on the booking it showed. A form left open while another bookingfile was
    // opened moves to that file first.
    void ShowBooking(int32_t n);
    // Data1's record source for booking n: its row of bookingfor.
    static QString OneBookingSource(int32_t n);

    // The record source of the account list: every active account for an administrator,
    // otherwise the accounts the logged-in user is a member of.
    static QString AccountListSource();

    // The booking belongs to a series: the hidden gentagende box reads as true.
    bool IsRepeating() const;
    // Copies this booking's values to the other members of its series.
    void UpdateRepeatSeries();

    // Header row.
    QLineEdit *Bookingnr = nullptr;
    QLineEdit *Lokalenavn = nullptr;
    QLineEdit *Lokalenr = nullptr;
    QLineEdit *gentshow = nullptr;
    DateEdit *Bdato = nullptr;
    TimeEdit *bstart = nullptr;
    TimeEdit *bslut = nullptr;
    QCheckBox *Tentative = nullptr;
    QLineEdit *beskrshow = nullptr;

    TabDialog *faner = nullptr;

    // General Info.
    QPlainTextEdit *Beskrivelse = nullptr;
    QPlainTextEdit *Bemærkninger = nullptr;
    DBList *Kontonr = nullptr;
    MaskedEdit *Antalpers = nullptr;
    DBList *ID = nullptr;
    QComboBox *leveringstype = nullptr;
    QPlainTextEdit *langbeskrivelse = nullptr;
    HyperLink *ctmailer = nullptr;
    QLabel *lblPersons = nullptr;
    QLabel *lblFloorplan = nullptr;
    QLabel *lblDelivery = nullptr;

    // Account Info: the owning account's data (locked) and the second contact person.
    QLineEdit *kontokontakt = nullptr;
    QLineEdit *Kontoadresse = nullptr;
    QLineEdit *Kontopnr = nullptr;
    QLineEdit *Kontoby = nullptr;
    QLineEdit *Kontotlf = nullptr;
    QLineEdit *Kontotlfp = nullptr;
    QLineEdit *depname = nullptr;
    QLineEdit *Kontomobil = nullptr;
    QLineEdit *Kontofax = nullptr;
    QLineEdit *kontomail = nullptr;
    QLineEdit *Kontaktperson2 = nullptr;
    QLineEdit *Kontaktpersonadr2 = nullptr;
    QLineEdit *Kontaktpersonpnr2 = nullptr;
    QLineEdit *Kontaktpersonby2 = nullptr;
    QLineEdit *Kontakttlf2 = nullptr;
    QLineEdit *Kontakttlfb2 = nullptr;

    // Reciept.
    QGroupBox *bvpboks = nullptr;
    QRadioButton *ListpriceRes = nullptr;
    QRadioButton *aftres = nullptr;
    MaskedEdit *Pris = nullptr;
    QCheckBox *TaxB = nullptr;
    QLineEdit *taxbel = nullptr;
    QLineEdit *intax = nullptr;
    QPushButton *Arrkvit = nullptr;

    QPushButton *genkn = nullptr;
    QPushButton *updgen = nullptr;
    QPushButton *Luk = nullptr;

    // Hidden boxes bound to the record.
    QLineEdit *PRTyp = nullptr;
    QLineEdit *kontoknr = nullptr;
    QLineEdit *curacname = nullptr;
    QLineEdit *gennr = nullptr;
    QLineEdit *gentagende = nullptr;
    QLineEdit *gruppeart = nullptr;
    QLineEdit *lokalinr = nullptr;
    QLineEdit *Bcolor = nullptr;
    QLineEdit *Kontouser = nullptr;

    DataControl Data1;   // the booking (bookingfor)
    DataControl Data2;   // the floor plans (Florplanfor)
    DataControl Data3;   // the account list

private:
    void buildHeader();
    void buildGeneralTab(QWidget *page);
    void buildAccountTab(QWidget *page);
    void buildReceiptTab(QWidget *page);
    void buildHiddenBoxes();
    void bindBoxes();
    void spinTime(TimeEdit *box, bool down);
    void dropCalendar();
    // Writes a changed record now; a failure is shown and the change stays in the boxes.
    bool saveRecord();
    // Closes Data1, writing a changed record; when that fails the user may keep the form open
    // (false) or drop the change.
    bool closeRecord();
    // Puts the form on the current bookingfile and user when another file was opened or
    // another user logged in since it loaded; false when it must stay as it is.
    bool followCurrentFile();
    // RecalcPrice; false when the item's fee could not be read (the error was shown).
    bool recalc();
    // Prints the single or the multiple receipt of the saved booking.
    void showReceipt();
    // Fills the Account Info tab's boxes of the owning account from the account kontoknr names.
    void showAccountData();

    bool m_feeFailed = false;   // the last look-up of the item's fee failed and was told
};
