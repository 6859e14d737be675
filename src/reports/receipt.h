#pragma once

#include "reports/reportframe.h"

#include "platform/report/report.h"
#include "platform/report/reportdatacontrol.h"

#include <QStringList>

// What the single and the multiple receipt share: the layout of a receipt, its query and the
// tax arithmetic of its footer. The booking form hands over the number to select by and sets
// taxbool before it shows the receipt.
class Receipt : public Report
{
public:
    // Runs the receipt and shows its preview. Refuses, with a message, a number text that is
    // not a whole number, and a receipt with a booking whose price is empty or not a number.
    void Show() override;
    // The bookingfile the booking form's booking is in; empty for the open bookingfile.
    void setDatabasePath(const QString &path) { m_databasePath = path; }

    // The price of a receipt row: false when it is empty or not a number.
    static bool priceOf(const QVariant &value, double *price);

    ReportDataControl DataCtl;
    ReportLabel *Tekst26 = nullptr;
    ReportLabel *Etiket153 = nullptr;
    ReportTextBox *Beskrivelse = nullptr;
    ReportLabel *Etiket160 = nullptr;
    ReportTextBox *kontonavn = nullptr;
    ReportTextBox *Kontaktperson = nullptr;
    ReportTextBox *Kontaktpersonadr = nullptr;
    ReportTextBox *Tekst164 = nullptr;
    ReportTextBox *Kontakttlf = nullptr;
    ReportTextBox *kontomail = nullptr;
    ReportTextBox *Udate = nullptr;
    ReportSubReport *SubReport1 = nullptr;
    ReportLabel *Etiket154 = nullptr;
    ReportLabel *Etiket155 = nullptr;
    ReportLabel *Etiket156 = nullptr;
    ReportLabel *Etiket157 = nullptr;
    ReportLabel *Etiket158 = nullptr;
    ReportTextBox *Bookingnr = nullptr;
    ReportTextBox *Dato = nullptr;
    ReportTextBox *FStart = nullptr;
    ReportTextBox *Fslut = nullptr;
    ReportTextBox *Pris = nullptr;
    ReportLabel *Tekst35 = nullptr;
    ReportTextBox *Bemærkninger = nullptr;
    ReportLabel *Label1 = nullptr;
    ReportTextBox *txtPris = nullptr;
    ReportTextBox *Taxtex = nullptr;
    ReportTextBox *taxbel = nullptr;
    ReportLabel *Label2 = nullptr;
    ReportTextBox *total = nullptr;
    ReportCheckBox *taxbool = nullptr;

protected:
    // name: the report's name; footer1, footer2: the names of its institution boxes.
    Receipt(const QString &name, const QString &footer1, const QString &footer2);

    // The text of the number to select by, as the booking form gave it.
    void setNumberText(const QString &text) { m_numberText = text; }
    QString numberText() const { return m_numberText; }
    // The number as validated digits; empty when the text is not a whole number.
    QString validNumber() const;
    // The query for the validated number.
    virtual QString query(const QString &number) const = 0;
    // What the message calls a number that is not one ("booking number", "series number").
    virtual QString numberName() const = 0;

    // The start and end steps shared by both receipts.
    void startReceipt();
    void endReceipt();
    // The footer: sum, tax by taxbool and gTaxPct, total.
    void formatFooter();

    ReportFrame::Footer m_footer;

    // Column positions of the detail, shared with the captions.
    static constexpr double colNumber = 0, colDate = 28, colStart = 60, colEnd = 80,
                            colResource = 102, colFee = 150;

private:
    QString m_numberText;
    QString m_databasePath;
    QStringList m_badPrices;   // booking numbers of the run whose price is not a number
};
