#pragma once

#include "reports/reportframe.h"

#include "platform/report/report.h"
#include "platform/db/bindings.h"
#include "platform/report/reportdatacontrol.h"

#include <QString>

#include <cstdint>
#include <optional>

class ArchivePeriodDialog;

// The layout both archive reports share: per resource group, type and item the number of
// archived bookings, persons, hours and the sum of the prices.
class ArchivePeriodReport : public Report
{
public:
    void ActiveReport_ReportEnd() override;

    ReportDataControl DataCtl;
    ReportLabel *Label0 = nullptr;
    ReportTextBox *Period = nullptr;   // "period" in the totals
    ReportLine *Line2 = nullptr;
    ReportSubReport *SubReport1 = nullptr;
    ReportLabel *Label2 = nullptr;
    ReportLabel *Label3 = nullptr;
    ReportLabel *Label4 = nullptr;
    ReportLabel *SumFee = nullptr;
    ReportTextBox *OverGruppenavn = nullptr;
    ReportTextBox *Lokalitetsnavn = nullptr;
    ReportTextBox *Lokalenavn = nullptr;
    ReportTextBox *Bdato = nullptr;
    ReportTextBox *txtAntalpers = nullptr;
    ReportTextBox *txtantaltimer = nullptr;
    ReportTextBox *txtPris = nullptr;
    ReportTextBox *Field1 = nullptr;
    ReportTextBox *txtLokalenavn = nullptr;
    ReportTextBox *sumpers = nullptr;
    ReportTextBox *sumtimer = nullptr;
    ReportTextBox *sumpris = nullptr;
    ReportTextBox *Subdato = nullptr;
    ReportTextBox *Subpers = nullptr;
    ReportTextBox *Subtimer = nullptr;
    ReportTextBox *subpris = nullptr;
    ReportLine *Line1 = nullptr;
    ReportTextBox *Field2 = nullptr;
    ReportTextBox *Field3 = nullptr;
    ReportTextBox *Field4 = nullptr;
    ReportTextBox *Field5 = nullptr;
    ReportTextBox *Cinfo1 = nullptr;
    ReportTextBox *Cinfo2 = nullptr;

    // The hours of an archived booking as the statements compute them: an end before the
    // start lies on the next day (22:00 to 02:00 is 4 hours).
    static QString hoursExpression();

protected:
    // rowPerItem: the rows are the totals of an item (see periodetotaler::totalsStatement), not
    // single archived bookings.
    ArchivePeriodReport(const QString &name, const QString &title, const QString &periodName,
                        bool rowPerItem = false);
    // Starts the run on the statement: the frame's steps and the period line. With values the
    // statement is SQLite's own text with placeholders for them.
    void startRun(const QString &statement, const ArchivePeriodDialog &dialog,
                  const std::optional<Dao::Bindings> &values = std::nullopt);
    virtual void closeDialog() = 0;

private:
    ReportFrame::Footer m_footer;
};

// The archived bookings of one account over a period.
class periodedetail final : public ArchivePeriodReport
{
public:
    periodedetail();

    void Show() override;
    void ActiveReport_ReportStart() override;

    static QString statement(int32_t from, int32_t to, int32_t account);

    ReportTextBox *AccName = nullptr;

protected:
    void closeDialog() override;
};

// The archived bookings of all accounts over a period.
class periodetotaler final : public ArchivePeriodReport
{
public:
    periodetotaler();

    void Show() override { ReportFrame::show(*this); }
    void ActiveReport_ReportStart() override;

    // The archived bookings of the period, one row each.
    static QString statement(int32_t from, int32_t to);
    // What the report runs: per item the count of the rows statement() gives and the sums of
    // their persons, hours and prices (Antal, Antalpers, antaltimer, Pris), in the same order;
    // ?1 and ?2 are the first and last day.
    static QString totalsStatement();

protected:
    void closeDialog() override;
};
