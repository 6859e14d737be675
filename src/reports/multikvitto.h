#pragma once

#include "reports/receipt.h"

// The receipt of a series: every booking that shares the series number, with one sum and the
// tax of the booking the receipt was asked from.
class multikvitto final : public Receipt
{
public:
    multikvitto();

    // The booking form's gennr text: the series the receipt prints.
    void setGennr(const QString &text) { setNumberText(text); }

    void ActiveReport_ReportStart() override;
    void Rapportfod4_Format();
    void ActiveReport_ReportEnd() override;

    ReportLabel *Etiket161 = nullptr;
    ReportTextBox *Lokalenavn = nullptr;
    ReportTextBox *Cinfo1 = nullptr;
    ReportTextBox *Cinfo2 = nullptr;

protected:
    QString query(const QString &number) const override;
    QString numberName() const override { return QStringLiteral("series number"); }
};
