#pragma once

#include "reports/reportframe.h"

#include "platform/report/report.h"
#include "platform/report/reportdatacontrol.h"

// Every account of the bookingfile, personal accounts and groups, active and archived, with
// their contact data and logins.
class kontoudskrift final : public Report
{
public:
    kontoudskrift();

    void Show() override { ReportFrame::show(*this); }

    void ActiveReport_ReportStart() override;
    void GroupHeader0_Format();
    void GroupHeader1_Format();
    void ActiveReport_ReportEnd() override;

    ReportDataControl DataCtl;
    ReportLabel *Label28 = nullptr;
    ReportLabel *Kontonavn_Label = nullptr;
    ReportLabel *kontokontakt_Label = nullptr;
    ReportLabel *Kontotlf_Label = nullptr;
    ReportLabel *kontomail_Label = nullptr;
    ReportLabel *Kontouser_Label = nullptr;
    ReportLabel *KontoPass_Label = nullptr;
    ReportLabel *admin_Label = nullptr;
    ReportLine *Line1 = nullptr;
    ReportLine *Line2 = nullptr;
    ReportSubReport *SubReport1 = nullptr;
    ReportTextBox *Kontotype = nullptr;
    ReportTextBox *txttype = nullptr;
    ReportCheckBox *archived = nullptr;
    ReportTextBox *txtarc = nullptr;
    ReportTextBox *Kontonavn = nullptr;
    ReportTextBox *kontokontakt = nullptr;
    ReportTextBox *Kontotlf = nullptr;
    ReportTextBox *kontomail = nullptr;
    ReportTextBox *Kontouser = nullptr;
    ReportTextBox *KontoPass = nullptr;
    ReportCheckBox *admin = nullptr;
    ReportTextBox *ID = nullptr;
    ReportLine *Line3 = nullptr;
    ReportTextBox *Cinfo1 = nullptr;
    ReportTextBox *Cinfo2 = nullptr;

private:
    ReportFrame::Footer m_footer;
};
