#pragma once

#include "reports/receipt.h"

// The receipt of one booking that belongs to no series.
class enkeltkvitto final : public Receipt
{
public:
    enkeltkvitto();

    // The booking form's Bookingnr text: the booking the receipt prints.
    void setBookingnr(const QString &text) { setNumberText(text); }

    void ActiveReport_ReportStart() override;
    void Rapportfod4_Format();
    void ActiveReport_ReportEnd() override;

    ReportLabel *Etiket161 = nullptr;
    ReportTextBox *Lokalenavn = nullptr;
    ReportLabel *Etiket162 = nullptr;
    ReportTextBox *lokalenr = nullptr;
    ReportLabel *Etiket163 = nullptr;
    ReportLabel *Tekst165 = nullptr;
    ReportTextBox *CInfo1 = nullptr;
    ReportTextBox *CInfo2 = nullptr;

protected:
    QString query(const QString &number) const override;
    QString numberName() const override { return QStringLiteral("booking number"); }
};
