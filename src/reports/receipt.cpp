#include "reports/receipt.h"

#include "core/format.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"

using Units::mm;
using Units::mmRect;

Receipt::Receipt(const QString &name, const QString &footer1, const QString &footer2)
    : Report(name)
{
    setCaption("Booking Reciept");
    setDataControl(&DataCtl);
    const double right = Units::toMm(printWidth());

    // Title, date and logo; the booking on the left, the ordering account on the right.
    ReportSection &head = ReportHeader();
    head.setHeight(mm(64));
    Tekst26 = head.addLabel("Tekst26", mmRect(0, 0, 110, 10), " Booking Reciept");
    Tekst26->setFontSize(18);
    Tekst26->setBold(true);
    Udate = head.addTextBox("Udate", mmRect(0, 11, 80, 5));
    SubReport1 = head.addSubReport("SubReport1", mmRect(right - 55, 0, 55, 18));
    Etiket153 = head.addLabel("Etiket153", mmRect(0, 26, 24, 5), "Booking:");
    Beskrivelse = head.addTextBox("Beskrivelse", mmRect(24, 26, 72, 5), "Beskrivelse");
    Beskrivelse->setBold(true);
    Etiket160 = head.addLabel("Etiket160", mmRect(100, 26, 80, 5), "Ordered by:");
    Etiket160->setBold(true);
    const QList<std::pair<QString, QString>> account{
        {"kontonavn", "Kontonavn"}, {"Kontaktperson", "kontokontakt"},
        {"Kontaktpersonadr", "Kontoadresse"}, {"Tekst164", "PoB"},
        {"Kontakttlf", "Kontotlf"}, {"kontomail", "kontomail"}};
    QList<ReportTextBox *> boxes;
    double y = 31.5;
    for (const auto &[control, field] : account) {
        boxes.append(head.addTextBox(control, mmRect(100, y, 80, 5), field));
        y += 5;
    }
    kontonavn = boxes.at(0);
    Kontaktperson = boxes.at(1);
    Kontaktpersonadr = boxes.at(2);
    Tekst164 = boxes.at(3);
    Kontakttlf = boxes.at(4);
    kontomail = boxes.at(5);

    // Column captions.
    ReportSection &captions = PageHeader();
    captions.setHeight(mm(9));
    auto caption = [&](const QString &name, double x, double w, const QString &text,
                       Qt::Alignment a = Qt::AlignLeft) {
        ReportLabel *l = captions.addLabel(name, mmRect(x, 2, w, 5), text, a);
        l->setBold(true);
        return l;
    };
    Etiket154 = caption("Etiket154", colNumber, 26, "Booking No.");
    Etiket155 = caption("Etiket155", colDate, 30, "Date");
    Etiket156 = caption("Etiket156", colStart, 18, "Start");
    Etiket157 = caption("Etiket157", colEnd, 18, "End");
    Etiket158 = caption("Etiket158", colFee, right - colFee, "Fee", Qt::AlignRight);
    captions.addLine("Line1", QLineF(0, mm(7.8), printWidth(), mm(7.8)), 0.8);

    // One line per booking.
    ReportSection &detail = Detail();
    detail.setHeight(mm(6));
    Bookingnr = detail.addTextBox("Bookingnr", mmRect(colNumber, 0.5, 26, 5), "Bookingnr");
    Dato = detail.addTextBox("Dato", mmRect(colDate, 0.5, 30, 5));
    Dato->setExpression(ReportFrame::dateOfDayNumber("bdato"));
    FStart = detail.addTextBox("FStart", mmRect(colStart, 0.5, 18, 5), {}, "h:mm");
    FStart->setExpression(ReportFrame::timeOfMinutes("bstart"));
    Fslut = detail.addTextBox("Fslut", mmRect(colEnd, 0.5, 18, 5), {}, "h:mm");
    Fslut->setExpression(ReportFrame::timeOfMinutes("bslut"));
    Pris = detail.addTextBox("Pris", mmRect(colFee, 0.5, right - colFee, 5), "Pris", "0.00",
                             Qt::AlignRight);
    detail.Format = [this] {
        double price = 0;
        if (!priceOf(fieldValue("Pris"), &price))
            m_badPrices.append(fieldValue("Bookingnr").toString());
    };

    m_footer = ReportFrame::addPageFooter(*this, footer1, footer2);

    // Remarks on the left; sum, tax and total under the fee column; the signature line.
    ReportSection &end = ReportFooter();
    end.setHeight(mm(38));
    const double labelX = colFee - 45;
    const double feeW = right - colFee;
    end.addLine("Line2", QLineF(mm(labelX), mm(1), printWidth(), mm(1)), 0.6);
    Bemærkninger = end.addTextBox("Bemærkninger", mmRect(0, 2, 95, 18), "Bemærkninger");
    Bemærkninger->setCanGrow(true);
    Bemærkninger->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1 = end.addLabel("Label1", mmRect(labelX, 2, 40, 5), "Sum");
    txtPris = end.addTextBox("txtPris", mmRect(colFee, 2, feeW, 5), "Pris", "0.00",
                             Qt::AlignRight);
    txtPris->setSummary(ReportTextBox::Summary::Sum);
    Taxtex = end.addTextBox("Taxtex", mmRect(labelX, 7.5, 40, 5));
    taxbel = end.addTextBox("taxbel", mmRect(colFee, 7.5, feeW, 5), {}, {}, Qt::AlignRight);
    end.addLine("Line3", QLineF(mm(labelX), mm(13.5), printWidth(), mm(13.5)), 0.6);
    Label2 = end.addLabel("Label2", mmRect(labelX, 14.5, 40, 5.5), "Total");
    Label2->setBold(true);
    total = end.addTextBox("total", mmRect(colFee, 14.5, feeW, 5.5), {}, {}, Qt::AlignRight);
    total->setBold(true);
    end.addLine("Line4", QLineF(mm(labelX), mm(20.8), printWidth(), mm(20.8)), 0.6);
    end.addLine("Line5", QLineF(mm(labelX), mm(21.6), printWidth(), mm(21.6)), 0.6);
    Tekst35 = end.addLabel("Tekst35", mmRect(labelX, 30, right - labelX, 6),
                           "Signature :__________________________________");
    // Set by the booking form before the receipt is shown; read by the footer, not printed.
    taxbool = end.addCheckBox("taxbool", mmRect(0, 0, 4, 4));
    taxbool->setVisible(false);
}

bool Receipt::priceOf(const QVariant &value, double *price)
{
    if (value.isNull() || !value.isValid())
        return false;
    bool ok = false;
    double number = 0;
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
        number = value.toString().trimmed().toDouble(&ok);
    else
        number = value.toDouble(&ok);
    if (ok && price)
        *price = number;
    return ok;
}

QString Receipt::validNumber() const
{
    bool ok = false;
    const qlonglong number = m_numberText.trimmed().toLongLong(&ok);
    return ok ? QString::number(number) : QString();
}

void Receipt::startReceipt()
{
    m_badPrices.clear();
    const QString number = validNumber();
    ReportFrame::start(DataCtl, number.isEmpty() ? QString() : query(number), m_footer,
                       SubReport1);
    if (!m_databasePath.isEmpty())
        DataCtl.setDatabaseName(m_databasePath);
    Udate->setValue(System::today());
}

void Receipt::endReceipt()
{
    ReportFrame::end(SubReport1);
}

void Receipt::formatFooter()
{
    const double sum = txtPris->value().toDouble();
    if (taxbool->value()) {
        const double tax = sum * Generalen::gTaxPct / 100;
        taxbel->setText(Format(tax, "0.00"));
        Taxtex->setText("Tax " + QString::number(Generalen::gTaxPct, 'g', 15) + "%");
        total->setText(Format(sum + tax, "0.00"));
    } else {
        taxbel->setText(Format(0.0, "0.00"));
        Taxtex->setText("No Tax");
        total->setText(Format(sum, "0.00"));
    }
}

void Receipt::Show()
{
    if (validNumber().isEmpty()) {
        MsgBox::show(QString("The receipt cannot be printed: \"%1\" is not a %2.")
                         .arg(m_numberText, numberName()),
                     MsgBox::Exclamation, "Receipt");
        return;
    }
    ReportFrame::show(*this, [this] {
        if (m_badPrices.isEmpty())
            return true;
        MsgBox::show(QString("The price of booking %1 is empty or not a number. Enter the "
                             "price in the booking form before printing the receipt.")
                         .arg(m_badPrices.first()),
                     MsgBox::Exclamation, "Receipt");
        return false;
    });
}
