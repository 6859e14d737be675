#pragma once

#include "platform/report/report.h"
#include "platform/report/reportdatacontrol.h"

// The institution's logo, printed by every report through its sub-report control: the one
// settings row of the bookingfile and its picture.
class Logorap final : public Report
{
public:
    Logorap();

    void ActiveReport_ReportStart() override;

    ReportDataControl DAODataControl1;
    ReportPicture *OLE1 = nullptr;
};
