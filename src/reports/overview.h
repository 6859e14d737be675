#pragma once

#include "reports/reportframe.h"

#include "platform/report/report.h"
#include "platform/report/reportdatacontrol.h"

#include <cstdint>

// The booking overview: every current booking of a period, day by day, grouped by resource
// group and resource type. Its period and kinds come from the dialog datobookingperiode.
class overview final : public Report
{
public:
    overview();

    void Show() override { ReportFrame::show(*this); }

    void ActiveReport_ReportStart() override;
    void ActiveReport_ReportEnd() override;

    // The statement of a period (day numbers) and three kind codes, as written for the engine
    // the program was first made for: it filters the joined and grouped table afterwards.
    static QString statement(int32_t from, int32_t to, int g1, int g2, int g3);
    // The same rows in the same order, filtered before they are joined and grouped, so that a
    // week of a big bookingfile is read by its index. This is what the report runs.
    static QString filteredStatement(int32_t from, int32_t to, int g1, int g2, int g3);

    ReportDataControl DAOBookRap;
    ReportLabel *Tekst11 = nullptr;
    ReportLine *Streg12 = nullptr;
    ReportLabel *Tekst15 = nullptr;
    ReportLabel *Tekst16 = nullptr;
    ReportLabel *Tekst17 = nullptr;
    ReportLabel *Tekst18 = nullptr;
    ReportLabel *Label71 = nullptr;
    ReportLabel *Tekst20 = nullptr;
    ReportLabel *Etiket45 = nullptr;
    ReportTextBox *period = nullptr;
    ReportTextBox *Sort = nullptr;
    ReportSubReport *SubReport1 = nullptr;
    ReportTextBox *Tekst49 = nullptr;
    ReportTextBox *Field1 = nullptr;
    ReportTextBox *Field2 = nullptr;
    ReportTextBox *OverGruppenavn = nullptr;
    ReportTextBox *Lokalitetsnavn = nullptr;
    ReportTextBox *FStart = nullptr;
    ReportTextBox *Fslut = nullptr;
    ReportTextBox *Start = nullptr;
    ReportTextBox *Slut = nullptr;
    ReportTextBox *Lokalenavn = nullptr;
    ReportTextBox *Beskrivelse = nullptr;
    ReportTextBox *Kontonavn = nullptr;
    ReportTextBox *Kontakttlf = nullptr;
    ReportTextBox *Cinfo1 = nullptr;
    ReportTextBox *Cinfo2 = nullptr;

private:
    ReportFrame::Footer m_footer;
};
