#pragma once

#include "platform/instances.h"

#include <QString>

#include <functional>
#include <typeindex>

class Report;
class ReportDataControl;
class ReportRow;
class QVariant;
class ReportSection;
class ReportSubReport;
class ReportTextBox;

// What every report of the program shares: the data control pointed at the bookingfile, the
// institution lines in the page footer, the logo sub-report, and showing the preview.
namespace ReportFrame {

// The institution line and the contact line of the page footer, from the program state.
QString institutionLine();
QString contactLine();

// Adds the page footer of a report: a rule, the institution line and the contact line (two
// text boxes with the given names) and the page number at the right.
struct Footer
{
    ReportTextBox *line1 = nullptr;
    ReportTextBox *line2 = nullptr;
};
Footer addPageFooter(Report &report, const QString &name1 = QStringLiteral("Cinfo1"),
                     const QString &name2 = QStringLiteral("Cinfo2"));

// The start of a run: the data control on the bookingfile with the record source, the
// institution lines, and a new logo report in the sub-report control.
void start(ReportDataControl &data, const QString &recordSource, const Footer &footer,
           ReportSubReport *logo);
// The end of a run: the logo report is released.
void end(ReportSubReport *logo);

// Expressions of the report fields that hold a day number (days since 1900-01-01) and a
// minute of the day: the date and the time they stand for; Null stays Null.
std::function<QVariant(const ReportRow &)> dateOfDayNumber(const QString &field);
std::function<QVariant(const ReportRow &)> timeOfMinutes(const QString &field);

// Runs the report and shows its preview; a database error (a bookingfile that cannot be read,
// a statement it rejects) is shown in a message box instead. accept, when given, looks at the
// finished run and may refuse the preview (it shows its own message then).
void show(Report &report, const std::function<bool()> &accept = {});

namespace detail {
Instances<Report> &instances();
} // namespace detail

} // namespace ReportFrame

namespace Reports {

// The one program-wide instance of a report, made on first use. It lives as long as the
// program; each Show runs it again on fresh data.
template<typename T>
T *get()
{
    return ReportFrame::detail::instances().get<T>();
}

} // namespace Reports
