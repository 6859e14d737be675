#include "reports/logorap.h"

#include "core/generalen.h"

Logorap::Logorap() : Report("Logorap")
{
    // The picture fills the 55 x 18 mm box of the sub-report that holds it, against its
    // right edge.
    Detail().setHeight(Units::mm(18));
    OLE1 = Detail().addPicture("OLE1", {0, 0, Units::mm(55), Units::mm(18)}, "Logopic");
    OLE1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setDataControl(&DAODataControl1);
}

void Logorap::ActiveReport_ReportStart()
{
    DAODataControl1.setDatabaseName(Generalen::gDatabasePath);
    DAODataControl1.setRecordSource("institutionsoplysninger");
}
