#pragma once

#include "platform/report/pagemodel.h"
#include "platform/report/rowsource.h"

#include <QHash>
#include <QList>
#include <QSizeF>

#include <functional>

class Report;
class ReportSection;
class ReportSubReport;
class ReportTextBox;

// Lays a report's rows out, either on pages or (for a sub-report) inside one box.
class ReportEngine
{
public:
    explicit ReportEngine(Report &report);

    // The whole report on pages of model (cleared first). Runs no handlers.
    void layOutPages(PageModel &model);
    // The report's bands flowing down a box of the given size; items relative to the box.
    QList<PageItem> layOutInBox(const QSizeF &box);

    // A section's printed items, relative to its top-left corner.
    struct Output
    {
        QList<PageItem> items;
        QList<int> pageNumberItems;   // items whose text holds "{page}"/"{pages}"
        double height = 0;
    };

private:
    using Sink = std::function<void(ReportSection &, Output &&, double keepRoom)>;

    void readRows();
    void walk(const Sink &sink, bool withReportHeader);
    // Binds, formats and builds a section for the current row; false when it prints nothing.
    bool prepare(ReportSection &section, Output *out);
    void bind(ReportSection &section);
    Output build(ReportSection &section);
    void setCurrent(int row);
    void accumulate(const ReportRow &row);
    void resetSummaries(const QString &groupName);
    double designHeight(ReportSection &section) const;

    // Paged target.
    void newPage();
    void finishPage();
    double footerHeight();
    void placeOnPage(ReportSection &section, Output &&out, double keepRoom);
    // A new page in the middle of the rows: the page's footer and header, then the headers of
    // the groups that section continues there.
    void breakPage(const ReportSection &section);
    int continuedGroups(const ReportSection &section) const;
    void append(const Output &out, double x, double y);

    struct Accumulator
    {
        double sum = 0;
        qlonglong count = 0;
    };

    Report &m_report;
    QList<ReportRow> m_rows;
    QHash<ReportTextBox *, Accumulator> m_summaries;
    // The items of the sub-reports that print the same on every page, once laid out.
    QHash<const ReportSubReport *, QList<PageItem>> m_sameSubReports;

    PageModel *m_model = nullptr;
    double m_y = 0;
    double m_bodyBottom = 0;
    bool m_pageHasBody = false;
    bool m_breakPending = false;
    struct PendingNumber { int page; int item; QString pattern; };
    QList<PendingNumber> m_pageNumbers;
};
