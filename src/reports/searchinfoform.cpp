#include "reports/searchinfoform.h"

#include "core/generalen.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"
#include "platform/db/dberror.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

QLineEdit *lockedLine(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

QPlainTextEdit *lockedText(QWidget *parent, const char *name, int lines)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 12);
    return box;
}

} // namespace

Searchinfoform::Searchinfoform()
{
    setObjectName("Searchinfoform");
    setWindowTitle("Vantix  -  Booking Info");
    Data1.setObjectName("Data1");
    Data1.setRecordSource("bookingfor");
    Data1.setReadOnly(true);

    Beskrivelse = lockedText(this, "Beskrivelse", 2);
    Lokalenavn = lockedText(this, "Lokalenavn", 2);
    Bdato = new DateEdit(this);
    Bdato->setObjectName("Bdato");
    Bdato->setReadOnly(true);
    bstart = new TimeEdit(this);
    bstart->setObjectName("bstart");
    bstart->setShowSeconds(false);
    bstart->setReadOnly(true);
    bslut = new TimeEdit(this);
    bslut->setObjectName("bslut");
    bslut->setShowSeconds(false);
    bslut->setReadOnly(true);
    kontonavn = lockedLine(this, "kontonavn");
    Kontaktperson = lockedLine(this, "Kontaktperson");
    Kontakttlf = lockedLine(this, "Kontakttlf");
    Kontakttlfb = lockedLine(this, "Kontakttlfb");
    langbeskrivelse = lockedText(this, "langbeskrivelse", 4);
    Bookingnr = lockedLine(this, "Bookingnr");
    Bookingnr->hide();
    Luk = new QPushButton("Ok", this);
    Luk->setDefault(true);

    auto *grid = new QGridLayout;
    int r = 0;
    auto row = [&](const QString &text, QWidget *box) {
        auto *l = new QLabel(text, this);
        l->setBuddy(box);
        grid->addWidget(l, r, 0, qobject_cast<QPlainTextEdit *>(box) ? Qt::AlignTop
                                                                       : Qt::Alignment());
        grid->addWidget(box, r++, 1);
    };
    row("Booking:", Beskrivelse);
    row("Resource:", Lokalenavn);
    row("Date:", Bdato);
    row("Starts at :", bstart);
    row("Ends at :", bslut);
    row("Account:", kontonavn);
    row("Contact:", Kontaktperson);
    row("Phone:", Kontakttlf);
    row("Mobile:", Kontakttlfb);
    row("Description:", langbeskrivelse);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addStretch();
    top->addLayout(buttons);
    resize(420, sizeHint().height());

    Data1.bind(Beskrivelse, "Beskrivelse");
    Data1.bind(Lokalenavn, "Lokalenavn");
    Data1.bind(Bdato, "Bdato");
    Data1.bind(bstart, "start");
    Data1.bind(bslut, "slut");
    Data1.bind(kontonavn, "Kontonavn");
    Data1.bind(Kontaktperson, "kontokontakt");
    Data1.bind(Kontakttlf, "Kontotlf");
    Data1.bind(Kontakttlfb, "Kontotlfp");
    Data1.bind(langbeskrivelse, "langbeskrivelse");
    Data1.bind(Bookingnr, "Bookingnr");

    connect(Luk, &QPushButton::clicked, this, &Searchinfoform::Luk_Click);
    setDialogKeys([this] { Luk_Click(); }, [this] { Luk_Click(); });
}

Searchinfoform::~Searchinfoform() = default;

void Searchinfoform::Form_Load()
{
    Data1.setDatabaseName(gDatabasePath);
    Data1.setRecordSource("bookingfor");
    Bdato->setDateFormat(gDateFormatNr);
    try {
        Data1.Refresh();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
    }
}

void Searchinfoform::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    try {
        Data1.Close();
    } catch (const Dao::DbError &e) {
        // Nothing was written; the view closes all the same.
        MsgBox::show(e.description());
    }
}

void Searchinfoform::Luk_Click()
{
    Unload();
}

void Searchinfoform::ShowBooking(const QString &criteria)
{
    const bool wasShown = isVisible();
    Show(Modeless);
    QVariant shownBooking;   // the booking to go back to when the criteria find none
    bool found = false;
    try {
        if (Data1.DatabaseName() != gDatabasePath) {
            // Left open while another bookingfile was opened: it reads that file now.
            Data1.Close();
            Data1.setDatabaseName(gDatabasePath);
            Data1.Refresh();
        } else if (wasShown && Data1.hasCurrentRow()) {
            shownBooking = Data1.value("Bookingnr");
        }
        Data1.FindFirst(criteria);
        if (Data1.Recordset()->NoMatch()) {
            // The rows were read as the view opened: bookings made since are read now.
            Data1.Refresh();
            Data1.FindFirst(criteria);
        }
        found = !Data1.Recordset()->NoMatch();
        if (!found && !shownBooking.isNull())
            Data1.FindFirst("[Bookingnr]=" + QString::number(shownBooking.toLongLong()));
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        return;
    }
    if (found)
        return;
    MsgBox::show("The booking is no longer in the bookingfile. It may have been deleted.",
                 MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
    // An open view stays on the booking it showed.
    if (shownBooking.isNull())
        Unload();
}

void Searchinfoform::ShowBooking(int32_t n)
{
    ShowBooking("[Bookingnr]=" + QString::number(n));
}
