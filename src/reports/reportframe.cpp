#include "reports/reportframe.h"

#include "reports/logorap.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"
#include "platform/report/printing.h"
#include "platform/report/report.h"
#include "platform/report/reportdatacontrol.h"

#include <QHash>

using namespace Generalen;

namespace ReportFrame {

QString institutionLine()
{
    return gInstName + ", " + gInstAddress + ", " + gInstZip + " " + gInstCity;
}

QString contactLine()
{
    return "Phone: " + gInstPhone + ", eMail: " + gInstMail;
}

Footer addPageFooter(Report &report, const QString &name1, const QString &name2)
{
    const double width = report.printWidth();
    const double numberWidth = Units::mm(30);
    ReportSection &section = report.PageFooter();
    section.setHeight(Units::mm(13));
    section.addLine("Streg31", QLineF(0, Units::mm(2), width, Units::mm(2)), 0.6);
    Footer footer;
    footer.line1 = section.addTextBox(name1, {0, Units::mm(3.5), width - numberWidth,
                                              Units::mm(4.5)});
    footer.line2 = section.addTextBox(name2, {0, Units::mm(8), width - numberWidth,
                                              Units::mm(4.5)});
    for (ReportTextBox *box : {footer.line1, footer.line2})
        box->setFontSize(8);
    ReportPageNumber *page = section.addPageNumber(
        "PageNumber", {width - numberWidth, Units::mm(3.5), numberWidth, Units::mm(4.5)});
    page->setFontSize(8);
    return footer;
}

void start(ReportDataControl &data, const QString &recordSource, const Footer &footer,
           ReportSubReport *logo)
{
    data.setDatabaseName(gDatabasePath);
    data.setRecordSource(recordSource);
    footer.line1->setText(institutionLine());
    footer.line2->setText(contactLine());
    logo->setReport(std::make_unique<Logorap>());
    logo->setSameOnEveryPage(true);
}

void end(ReportSubReport *logo)
{
    logo->setReport(nullptr);
}

std::function<QVariant(const ReportRow &)> dateOfDayNumber(const QString &field)
{
    return [field](const ReportRow &row) -> QVariant {
        const QVariant day = row.value(field);
        if (day.isNull())
            return {};
        return Extrafunktioner::DayNumberToDate(int32_t(day.toLongLong()));
    };
}

std::function<QVariant(const ReportRow &)> timeOfMinutes(const QString &field)
{
    return [field](const ReportRow &row) -> QVariant {
        const QVariant minutes = row.value(field);
        if (minutes.isNull())
            return {};
        return Extrafunktioner::MinutesToTime(int32_t(minutes.toLongLong() % 1440));
    };
}

void show(Report &report, const std::function<bool()> &accept)
{
    PageModel pages;
    try {
        pages = report.run();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::Critical, report.caption());
        return;
    }
    if (accept && !accept())
        return;
    Printing::preview(pages, report.caption());
}

namespace detail {

Instances<Report> &instances()
{
    static Instances<Report> reports;
    return reports;
}

} // namespace detail

} // namespace ReportFrame
