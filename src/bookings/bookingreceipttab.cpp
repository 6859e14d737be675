// The booking form's Reciept tab: list or agreed price, tax and total, and the receipt.
#include "bookings/bookingform.h"

#include "bookings/bookingformboxes.h"
#include "bookings/bookingprice.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/maskededit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"
#include "platform/db/dberror.h"
#include "platform/system.h"
#include "reports/enkeltkvitto.h"
#include "reports/multikvitto.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Generalen;
using BookingFormBoxes::holdsNumber;
using BookingFormBoxes::label;
using BookingFormBoxes::readsTrue;

void bookingform::buildReceiptTab(QWidget *page)
{
    bvpboks = new QGroupBox("Primary Resource", page);
    bvpboks->setObjectName("bvpboks");
    ListpriceRes = new QRadioButton("List price", bvpboks);
    ListpriceRes->setObjectName("ListpriceRes");
    aftres = new QRadioButton("Agreed", bvpboks);
    aftres->setObjectName("aftres");
    auto *options = new QVBoxLayout(bvpboks);
    options->addWidget(ListpriceRes);
    options->addWidget(aftres);

    auto amountBox = [page](QLineEdit *&box, const char *name) {
        if (!box)
            box = new QLineEdit(page);
        box->setObjectName(name);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1String("000,000,000.00"))
                           + 16);
    };
    // An agreed price is a number as typed, with a point or a comma before its decimals.
    Pris = new MaskedEdit(page);
    Pris->setFieldName("Fee");
    QLineEdit *fee = Pris;
    amountBox(fee, "Pris");
    Pris->setEnabled(false);
    amountBox(taxbel, "taxbel");
    taxbel->setEnabled(false);
    amountBox(intax, "intax");
    intax->setEnabled(false);
    TaxB = new QCheckBox("Tax", page);
    TaxB->setObjectName("TaxB");
    Arrkvit = new QPushButton("General Reciept", page);
    Arrkvit->setObjectName("Arrkvit");

    auto *amounts = new QGridLayout;
    amounts->addWidget(label("Fee", Pris, page), 0, 0);
    amounts->addWidget(Pris, 0, 1);
    amounts->addWidget(TaxB, 0, 2);
    amounts->addWidget(label("Tax", taxbel, page), 1, 0);
    amounts->addWidget(taxbel, 1, 1);
    amounts->addWidget(label("Total", intax, page), 2, 0);
    amounts->addWidget(intax, 2, 1);
    amounts->setColumnStretch(3, 1);

    auto *grid = new QGridLayout(page);
    grid->addWidget(bvpboks, 0, 0, Qt::AlignTop);
    grid->addLayout(amounts, 0, 1);
    grid->addWidget(Arrkvit, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

void bookingform::RecalcPrice()
{
    recalc();
}

bool bookingform::recalc()
{
    // While Data1 fills the boxes from a row they hold a mix of two bookings; the row's own
    // figures stand until the form recalculates with the whole row (activation, ShowBooking).
    if (Data1.isFilling())
        return true;
    bool ok = true;
    if (holdsNumber(PRTyp->text(), 1)) {
        // The item's fee; without a known item or fee the price stays as it is.
        bool isItem = false;
        const qlonglong item = Lokalenr->text().trimmed().toLongLong(&isItem);
        QVariant fee;
        if (isItem) {
            try {
                // From the file the booking is in, also when another one was opened since.
                fee = Extrafunktioner::LookupWhere("gebyr", "lokale",
                                                   "lokalenr =  " + QString::number(item),
                                                   Data1.DatabaseName());
                m_feeFailed = false;
            } catch (const Dao::DbError &e) {
                // Closing the message activates the form again, which recalculates: a fee
                // that cannot be read is told once, not in an endless round of messages.
                if (!m_feeFailed)
                    MsgBox::show(e.description());
                m_feeFailed = true;
                ok = false;
            }
        }
        if (!fee.isNull() && !bstart->isNull() && !bslut->isNull()) {
            const int32_t hours = Extrafunktioner::DurationHours(bstart->value(), bslut->value());
            Pris->setText(BookingPrice::listPriceText(hours, fee.toDouble()));
        }
    }
    // A price that is empty or not a number counts as nothing here; a price typed with a
    // decimal comma counts as the number it is while it is typed.
    const double price = Pris->number().value_or(0);
    const BookingPrice::TaxAndTotal amounts =
        BookingPrice::taxAndTotal(price, TaxB->isChecked(), gTaxPct);
    taxbel->setText(amounts.tax);
    intax->setText(amounts.total);
    return ok;
}

void bookingform::ListpriceRes_Click()
{
    PRTyp->setText("1");
    Pris->setEnabled(false);
    RecalcPrice();
}

void bookingform::aftres_Click()
{
    PRTyp->setText("2");
    Pris->setEnabled(true);
}

void bookingform::Pris_Change()
{
    RecalcPrice();
}

void bookingform::TaxB_Click()
{
    RecalcPrice();
}

void bookingform::Arrkvit_Click()
{
    m_feeFailed = false;   // the user asks: a failure is told again
    if (!recalc())
        return;
    if (Beskrivelse->toPlainText().isEmpty()) {
        System::beep();
        MsgBox::show("Bookingtitle cannot be empty!");
        return;
    }
    if (!Pris->number()) {
        MsgBox::show("The price is empty or not a number. Enter the price before printing the "
                     "receipt.",
                     MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
        return;
    }
    if (!saveRecord())
        return;
    showReceipt();
}

void bookingform::showReceipt()
{
    // The receipt's footer reads taxbool, so it is set before the receipt runs. The receipt
    // reads the file the booking is in, also when another one was opened since.
    if (readsTrue(gentagende->text())) {
        auto *receipt = Reports::get<multikvitto>();
        receipt->setGennr(gennr->text());
        receipt->setDatabasePath(Data1.DatabaseName());
        receipt->taxbool->setValue(TaxB->isChecked());
        receipt->Show();
    } else {
        auto *receipt = Reports::get<enkeltkvitto>();
        receipt->setBookingnr(Bookingnr->text());
        receipt->setDatabasePath(Data1.DatabaseName());
        receipt->taxbool->setValue(TaxB->isChecked());
        receipt->Show();
    }
}
