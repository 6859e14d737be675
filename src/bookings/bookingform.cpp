#include "bookings/bookingform.h"

#include "bookings/bookingformboxes.h"
#include "bookings/fastgen.h"
#include "bookings/repeatseries.h"
#include "bookings/slettil.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/datecalendar.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/dblist.h"
#include "platform/controls/hyperlink.h"
#include "platform/controls/maskededit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/tabdialog.h"
#include "platform/controls/timeedit.h"
#include "platform/db/dberror.h"
#include "platform/system.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Generalen;
using BookingFormBoxes::holdsNumber;
using BookingFormBoxes::label;
using BookingFormBoxes::lockedBox;
using BookingFormBoxes::readsTrue;

namespace {

// A multi-line box of so many lines; one that grows takes the room the form has left.
QPlainTextEdit *textArea(QWidget *parent, int lines, bool grows = false)
{
    auto *box = new QPlainTextEdit(parent);
    box->setTabChangesFocus(true);
    const int height = box->fontMetrics().lineSpacing() * lines + 12;
    if (grows)
        box->setMinimumHeight(height);
    else
        box->setFixedHeight(height);
    return box;
}

} // namespace

bookingform::bookingform()
{
    setObjectName("bookingform");
    setWindowTitle("Vantix -  Booking Information");
    Data1.setObjectName("Data1");
    Data2.setObjectName("Data2");
    Data3.setObjectName("Data3");
    Data1.setRecordSource("bookingfor");
    Data2.setRecordSource("Florplanfor");
    // The floor plans and the accounts only feed the combos.
    Data2.setReadOnly(true);
    Data3.setReadOnly(true);

    buildHeader();

    faner = new TabDialog(this);
    faner->setObjectName("faner");
    buildGeneralTab(faner->addTab("General Info"));
    buildAccountTab(faner->addTab("Account Info"));
    buildReceiptTab(faner->addTab("Reciept"));

    genkn = new QPushButton("Add/Del Repeated Booking", this);
    updgen = new QPushButton("Update Repeated Booking", this);
    Luk = new QPushButton("Ok", this);
    Luk->setDefault(true);
    buildHiddenBoxes();

    // The title sits to the right of the tab headers.
    auto *tabArea = new QGridLayout;
    tabArea->addWidget(faner, 0, 0);
    tabArea->addWidget(beskrshow, 0, 0, Qt::AlignTop | Qt::AlignRight);
    beskrshow->raise();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(genkn);
    buttons->addWidget(updgen);
    buttons->addStretch();
    buttons->addWidget(Luk);

    auto *top = qobject_cast<QVBoxLayout *>(layout());
    top->addLayout(tabArea, 1);
    top->addLayout(buttons);
    setMinimumWidth(660);   // the title beside the tab headers never covers them
    resize(780, 520);

    // Through the general tab in the order the boxes are read.
    setTabOrder(Beskrivelse, Kontonr);
    setTabOrder(Kontonr, ID);
    setTabOrder(ID, leveringstype);
    setTabOrder(leveringstype, Antalpers);
    setTabOrder(Antalpers, Bemærkninger);
    setTabOrder(Bemærkninger, langbeskrivelse);
    setTabOrder(langbeskrivelse, ctmailer);

    bindBoxes();

    connect(faner, &TabDialog::Click, this, &bookingform::faner_TabChange);
    connect(Kontonr, &DBList::Click, this, &bookingform::Kontonr_AccountChange);
    connect(ctmailer, &HyperLink::PrepareMail, this, &bookingform::ctmailer_PrepareMail);
    connect(genkn, &QPushButton::clicked, this, &bookingform::genkn_Click);
    connect(updgen, &QPushButton::clicked, this, &bookingform::updgen_Click);
    connect(Luk, &QPushButton::clicked, this, &bookingform::Luk_Click);
    connect(ListpriceRes, &QRadioButton::clicked, this, &bookingform::ListpriceRes_Click);
    connect(aftres, &QRadioButton::clicked, this, &bookingform::aftres_Click);
    connect(Pris, &QLineEdit::textChanged, this, &bookingform::Pris_Change);
    connect(TaxB, &QCheckBox::clicked, this, &bookingform::TaxB_Click);
    connect(Arrkvit, &QPushButton::clicked, this, &bookingform::Arrkvit_Click);
    // A list price follows the booked hours.
    connect(bstart, &DEdit::Change, this, &bookingform::RecalcPrice);
    connect(bslut, &DEdit::Change, this, &bookingform::RecalcPrice);
    connect(bstart, &DEdit::Spin, this, [this](bool down) { spinTime(bstart, down); });
    connect(bslut, &DEdit::Spin, this, [this](bool down) { spinTime(bslut, down); });
    connect(Bdato, &DEdit::Spin, this, [this](bool down) {
        if (!Bdato->isNull())
            Bdato->setValue(Bdato->value() + (down ? -1 : 1));
    });
    connect(Bdato, &DEdit::DropDown, this, &bookingform::dropCalendar);
}

bookingform::~bookingform() = default;

void bookingform::buildHeader()
{
    Bookingnr = lockedBox(this);
    Bookingnr->setObjectName("Bookingnr");
    Lokalenavn = lockedBox(this);
    Lokalenavn->setObjectName("Lokalenavn");
    Lokalenr = lockedBox(this);
    Lokalenr->setObjectName("Lokalenr");
    gentshow = lockedBox(this);
    gentshow->setObjectName("gentshow");
    Bdato = new DateEdit(this);
    Bdato->setObjectName("Bdato");
    bstart = new TimeEdit(this);
    bstart->setObjectName("bstart");
    bstart->setShowSeconds(false);
    bslut = new TimeEdit(this);
    bslut->setObjectName("bslut");
    bslut->setShowSeconds(false);
    Tentative = new QCheckBox("Tentative", this);
    Tentative->setObjectName("Tentative");
    beskrshow = lockedBox(this);
    beskrshow->setObjectName("beskrshow");
    beskrshow->setFixedWidth(330);

    const int digits = Bookingnr->fontMetrics().horizontalAdvance(QLatin1String("0000000")) + 12;
    Bookingnr->setFixedWidth(digits);
    for (DEdit *box : {static_cast<DEdit *>(Bdato), static_cast<DEdit *>(bstart),
                       static_cast<DEdit *>(bslut)})
        box->setFixedWidth(140);
    Lokalenr->setFixedWidth(digits);
    gentshow->setFixedWidth(gentshow->fontMetrics().horizontalAdvance(QLatin1String("Single"))
                            + 16);

    auto *header = new QGridLayout;
    header->addWidget(label("No#:", Bookingnr, this), 0, 0);
    header->addWidget(Bookingnr, 0, 1);
    header->addWidget(label("Resource:", Lokalenavn, this), 0, 2);
    header->addWidget(Lokalenavn, 0, 3, 1, 3);
    header->addWidget(label("Unit no#:", Lokalenr, this), 0, 6);
    header->addWidget(Lokalenr, 0, 7);
    header->addWidget(gentshow, 0, 8);
    header->addWidget(label("Date:", Bdato, this), 1, 0);
    header->addWidget(Bdato, 1, 1);
    header->addWidget(label("Start:", bstart, this), 1, 2);
    header->addWidget(bstart, 1, 3);
    header->addWidget(label("End:", bslut, this), 1, 4);
    header->addWidget(bslut, 1, 5);
    header->addWidget(Tentative, 1, 6, 1, 3);
    header->setColumnStretch(3, 1);

    auto *top = new QVBoxLayout(this);
    top->addLayout(header);
}

void bookingform::buildGeneralTab(QWidget *page)
{
    Beskrivelse = textArea(page, 3);
    Beskrivelse->setObjectName("Beskrivelse");
    Bemærkninger = textArea(page, 3);
    Bemærkninger->setObjectName("Bemærkninger");
    Kontonr = new DBList(DBList::ComboStyle, page);
    Kontonr->setObjectName("Kontonr");
    Kontonr->setRowSource(&Data3);
    Kontonr->setListField("Kontonavn");
    Kontonr->setBoundColumn("ID");
    Antalpers = new MaskedEdit(page);   // a count of persons: a whole number or nothing
    Antalpers->setFormat("0");
    Antalpers->setFieldName("The number of persons");
    Antalpers->setObjectName("Antalpers");
    Antalpers->setFixedWidth(Antalpers->fontMetrics().horizontalAdvance(QLatin1String("000000"))
                             + 16);
    ID = new DBList(DBList::ComboStyle, page);
    ID->setObjectName("ID");
    ID->setRowSource(&Data2);
    ID->setListField("Opstilling");
    ID->setBoundColumn("ID");
    leveringstype = new QComboBox(page);
    leveringstype->setObjectName("leveringstype");
    leveringstype->addItems({"Collected", "Delivered"});
    leveringstype->setCurrentIndex(-1);
    langbeskrivelse = textArea(page, 4, true);
    langbeskrivelse->setObjectName("langbeskrivelse");
    ctmailer = new HyperLink("Send mail to the account", page);
    ctmailer->setObjectName("ctmailer");

    lblPersons = label("#:", Antalpers, page);
    lblFloorplan = label("Floorplan:", ID, page);
    lblDelivery = label("Delivery:", leveringstype, page);

    // Title and remarks on the left; account, floor plan or delivery and persons on the right.
    auto *grid = new QGridLayout(page);
    grid->addWidget(label("Title:", Beskrivelse, page), 0, 0, Qt::AlignTop);
    grid->addWidget(Beskrivelse, 0, 1, 3, 1, Qt::AlignTop);
    grid->addWidget(label("Account:", Kontonr, page), 0, 2);
    grid->addWidget(Kontonr, 0, 3);
    // Rooms show the floor plan, equipment the delivery, in the same place.
    grid->addWidget(lblFloorplan, 1, 2);
    grid->addWidget(lblDelivery, 1, 2);
    grid->addWidget(ID, 1, 3);
    grid->addWidget(leveringstype, 1, 3);
    grid->addWidget(lblPersons, 2, 2);
    grid->addWidget(Antalpers, 2, 3, Qt::AlignLeft);
    grid->addWidget(label("Remarks:", Bemærkninger, page), 3, 0, Qt::AlignTop);
    grid->addWidget(Bemærkninger, 3, 1, 1, 3);
    grid->addWidget(label("Description:", langbeskrivelse, page), 4, 0, Qt::AlignTop);
    grid->addWidget(langbeskrivelse, 4, 1, 1, 3);
    grid->addWidget(ctmailer, 5, 1, 1, 3, Qt::AlignRight);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(4, 1);
    lblDelivery->hide();
    leveringstype->hide();
}

void bookingform::buildHiddenBoxes()
{
    auto hidden = [this](QLineEdit *&box, const char *name) {
        box = new QLineEdit(this);
        box->setObjectName(name);
        box->hide();
    };
    hidden(PRTyp, "PRTyp");
    hidden(kontoknr, "kontoknr");
    hidden(curacname, "curacname");
    hidden(gennr, "gennr");
    hidden(gentagende, "gentagende");
    hidden(gruppeart, "gruppeart");
    hidden(lokalinr, "lokalinr");
    hidden(Bcolor, "Bcolor");
    hidden(Kontouser, "Kontouser");
}

void bookingform::bindBoxes()
{
    const QList<QPair<QWidget *, const char *>> bindings = {
        {Bookingnr, "Bookingnr"},
        {Lokalenavn, "Lokalenavn"},
        {Lokalenr, "Lokalenr"},
        {Bdato, "Bdato"},
        // The times edit the seconds columns; bookingfor writes them back to bstart/bslut.
        {bstart, "start"},
        {bslut, "slut"},
        {Tentative, "tentative"},
        {beskrshow, "Beskrivelse"},
        {Beskrivelse, "Beskrivelse"},
        {Bemærkninger, "Bemærkninger"},
        {Kontonr, "kontonr"},
        {Antalpers, "Antalpers"},
        {ID, "ID"},
        {leveringstype, "leveringstype"},
        {langbeskrivelse, "langbeskrivelse"},
        {kontokontakt, "kontokontakt"},
        {Kontoadresse, "Kontoadresse"},
        {Kontopnr, "Kontopnr"},
        {Kontoby, "Kontoby"},
        {Kontotlf, "Kontotlf"},
        {Kontotlfp, "Kontotlfp"},
        {depname, "depname"},
        {Kontomobil, "Kontomobil"},
        {Kontofax, "Kontofax"},
        {kontomail, "kontomail"},
        {Kontaktperson2, "Kontaktperson2"},
        {Kontaktpersonadr2, "Kontaktpersonadr2"},
        {Kontaktpersonpnr2, "Kontaktpersonpnr2"},
        {Kontaktpersonby2, "Kontaktpersonby2"},
        {Kontakttlf2, "Kontakttlf2"},
        {Kontakttlfb2, "Kontakttlfb2"},
        {Pris, "Pris"},
        {TaxB, "tax"},
        {PRTyp, "bvpris"},
        {kontoknr, "kontonr"},
        {curacname, "curacname"},
        {gennr, "gennr"},
        {gentagende, "gentagende"},
        {gruppeart, "Gruppeart"},
        {lokalinr, "lokalinr"},
        {Bcolor, "Bcolor"},
        {Kontouser, "Kontouser"},
    };
    for (const auto &[box, field] : bindings)
        Data1.bind(box, QString::fromUtf8(field));
}

QString bookingform::AccountListSource()
{
    if (gIsAdmin)
        return QStringLiteral("AdminAccounts");
    return "SELECT Grptilk.pnr, Konti.Kontonavn, Konti.ID FROM Grptilk INNER JOIN Konti ON "
           "Grptilk.gnr = Konti.ID WHERE Grptilk.pnr = "
           + QString::number(gUserNo) + ";";
}

void bookingform::Form_Load()
{
    Bdato->setDateFormat(gDateFormatNr);
    for (DataControl *data : {&Data1, &Data2, &Data3})
        data->setDatabaseName(gDatabasePath);
    Data3.setRecordSource(AccountListSource());
    // Data1 opens when the form is put on a booking (ShowBooking), on that booking's row only.
    try {
        Data2.Refresh();
        Data3.Refresh();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
    }
    RecalcPrice();
}

void bookingform::Form_Activate()
{
    RecalcPrice();
    gentshow->setText(readsTrue(gentagende->text()) ? "Multi" : "Single");
    if (holdsNumber(PRTyp->text(), 1)) {
        ListpriceRes->setChecked(true);
        ListpriceRes_Click();
    } else {
        aftres->setChecked(true);
        aftres_Click();
    }
    const bool room = holdsNumber(gruppeart->text(), 1);
    ID->setVisible(room);
    lblFloorplan->setVisible(room);
    Antalpers->setVisible(room);
    lblPersons->setVisible(room);
    leveringstype->setVisible(!room);
    lblDelivery->setVisible(!room);
}

void bookingform::Form_Unload(bool &cancel)
{
    if (!closeRecord()) {
        cancel = true;
        return;
    }
    Data2.Close();
    Data3.Close();
}

bool bookingform::closeRecord()
{
    try {
        Data1.Close();
    } catch (const Dao::DbError &e) {
        // The change stays in the boxes: the user may try again later, or close without it.
        const int answer = MsgBox::show(
            "The booking could not be saved:\n" + e.description() + "\n\nClose without saving?",
            MsgBox::YesNo | MsgBox::Exclamation | MsgBox::DefaultButton2, windowTitle());
        if (answer != MsgBox::Yes)
            return false;
        Data1.CancelUpdate();
        Data1.Close();
    }
    return true;
}

bool bookingform::followCurrentFile()
{
    if (Data1.DatabaseName() == gDatabasePath && Data3.RecordSource() == AccountListSource())
        return true;
    // A change to the booking shown goes to the file it was read from.
    if (!closeRecord())
        return false;
    Data2.Close();
    Data3.Close();
    Form_Load();
    return true;
}

QString bookingform::OneBookingSource(int32_t n)
{
    return "SELECT * FROM bookingfor WHERE Bookingnr = " + QString::number(n);
}

void bookingform::ShowBooking(int32_t n)
{
    if (!followCurrentFile())
        return;
    // After a change of file the booking shown before is not there to go back to.
    const bool wasShown = isVisible() && Data1.hasCurrentRow();
    const QString previous = Data1.RecordSource();
    // Reopening writes a pending change of the booking shown before.
    auto open = [this](const QString &source) {
        Data1.setRecordSource(source);
        Data1.Refresh();
    };
    try {
        open(OneBookingSource(n));
    } catch (const Dao::DbError &e) {
        Data1.setRecordSource(previous);
        MsgBox::show(e.description());
        if (!wasShown && !Data1.hasCurrentRow())
            Unload();
        return;
    }
    if (!Data1.hasCurrentRow()) {
        MsgBox::show("Booking " + QString::number(n)
                         + " is no longer in the bookingfile. It may have been deleted.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
        if (!wasShown) {
            Unload();
            return;
        }
        // Back to the booking the form was on.
        try {
            open(previous);
        } catch (const Dao::DbError &e) {
            MsgBox::show(e.description());
        }
        Form_Activate();
        return;
    }
    Show(Modeless);
    // The displays follow the booking now current.
    Form_Activate();
}

bool bookingform::saveRecord()
{
    try {
        Data1.UpdateRecord();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        return false;
    }
    return true;
}

void bookingform::faner_TabChange(int previousTab)
{
    Q_UNUSED(previousTab)
    saveRecord();
}

bool bookingform::IsRepeating() const { return readsTrue(gentagende->text()); }

void bookingform::genkn_Click()
{
    RecalcPrice();
    if (!Data1.hasCurrentRow())
        return;
    if (IsRepeating())
        Forms::get<slettil>()->Show(Modeless, this);
    else
        Forms::get<fastgen>()->Show(Modal, this);
}

void bookingform::updgen_Click()
{
    if (!IsRepeating()) {
        System::beep();
        MsgBox::show("This is not a repeated booking !");
        return;
    }
    const int answer = MsgBox::show(
        "Corresponding repeated bookings are now updated to match the current Booking !",
        MsgBox::OkCancel, "Update of repeated Booking");
    if (answer != MsgBox::Ok)
        return;
    UpdateRepeatSeries();
}

void bookingform::UpdateRepeatSeries()
{
    qint64 series = 0, own = 0;
    if (!Queries::ParseWholeNumber(gennr->text(), &series)
        || !Queries::ParseWholeNumber(Bookingnr->text(), &own)) {
        MsgBox::show("This booking has no series number; no other booking was updated.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Update of repeated Booking");
        return;
    }
    if (Kontonr->BoundText().toString().trimmed().isEmpty()) {
        MsgBox::show("Choose the account of the booking before updating the series.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Update of repeated Booking");
        return;
    }
    if (bstart->isNull() || bslut->isNull()) {
        MsgBox::show("Enter the start and the end of the booking before updating the series.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Update of repeated Booking");
        return;
    }
    try {
        RepeatSeries::UpdateMembers(this, int32_t(series), int32_t(own));
    } catch (const Dao::DbError &e) {
        MsgBox::show("The series could not be updated; no booking was changed.\n"
                         + e.description(),
                     MsgBox::OkOnly | MsgBox::Exclamation, "Update of repeated Booking");
    }
}

void bookingform::Luk_Click()
{
    Unload();
}

void bookingform::spinTime(TimeEdit *box, bool down)
{
    if (box->isNull())
        return;
    // The caret in the hours steps an hour, elsewhere a minute.
    const int step = box->caretPosition() < 2 ? 3600 : 60;
    box->setValue(box->value() + (down ? -step : step));
}

void bookingform::dropCalendar()
{
    auto *popup = new QFrame(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameShape(QFrame::StyledPanel);
    auto *calendar = new DateCalendar(popup);
    calendar->setFirstDay(gFirstDay == QLatin1String("0") ? 0 : 1);
    if (!Bdato->isNull())
        calendar->setValue(Bdato->value());
    auto *layout = new QVBoxLayout(popup);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(calendar);
    connect(calendar, &DateCalendar::DateSelected, popup, [this, calendar, popup] {
        Bdato->setValue(calendar->value());
        popup->close();
    });
    popup->adjustSize();
    popup->move(Bdato->mapToGlobal(QPoint(0, Bdato->height())));
    popup->show();
    calendar->setFocus();
}
