#pragma once

#include "platform/report/pagemodel.h"
#include "platform/report/reportsection.h"
#include "platform/report/rowsource.h"

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <vector>

// A banded report defined in code. A report class derives from Report, builds its sections
// and controls in its constructor, and fills in its handlers:
//
//   class Logorap final : public Report {
//   public:
//       Logorap() : Report("Logorap") {
//           Detail().setHeight(Units::mm(25));
//           OLE1 = Detail().addPicture("OLE1", {0, 0, Units::mm(50), Units::mm(25)}, "Logopic");
//           setDataControl(&DAODataControl1);
//       }
//       void ActiveReport_ReportStart() override { ... DAODataControl1.setRecordSource(...); }
//       ReportDataControl DAODataControl1;
//       ReportPicture *OLE1 = nullptr;
//   };
//
// Sections print in this order: the report header, then for every row the group headers
// whose field changed (outermost first), the detail, the group footers that end there
// (innermost first), and at the end the report footer. The page header and footer repeat on
// every page; the report header stands above the page header on the first page. A section
// that does not fit the rest of a page starts a new page.
class Report
{
public:
    explicit Report(const QString &name = QString());
    virtual ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString name() const { return m_name; }
    // The title of the preview window; the name when not set.
    QString caption() const { return m_caption.isEmpty() ? m_name : m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }

    // Paper: A4 portrait with 15 mm side and 12 mm top and bottom margins unless set.
    QPageSize pageSize() const { return m_pageSize; }
    void setPageSize(const QPageSize &size) { m_pageSize = size; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    QMarginsF margins() const { return m_margins; }      // points
    void setMargins(const QMarginsF &points) { m_margins = points; }
    QSizeF paperSize() const;                             // points, turned by the orientation
    double printWidth() const;                            // between the side margins

    // The font new controls start with (DejaVu Sans 9 pt); set it before adding controls.
    QFont defaultFont() const { return m_font; }
    void setDefaultFont(const QFont &font) { m_font = font; }

    ReportSection &ReportHeader() { return *m_reportHeader; }
    ReportSection &PageHeader() { return *m_pageHeader; }
    ReportSection &Detail() { return *m_detail; }
    ReportSection &PageFooter() { return *m_pageFooter; }
    ReportSection &ReportFooter() { return *m_reportFooter; }
    // Adds a group inside the groups added before; returns its header. The footer prints
    // after the group's last row.
    ReportSection &addGroup(const QString &headerName, const QString &dataField,
                            const QString &footerName = QString());
    int groupCount() const { return int(m_groupHeaders.size()); }
    ReportSection &GroupHeader(int level) { return *m_groupHeaders.at(level); }
    ReportSection &GroupFooter(int level) { return *m_groupFooters.at(level); }
    ReportSection *section(const QString &name) const;       // case-blind
    ReportControl *control(const QString &name) const;       // in any section
    template<typename T>
    T *control(const QString &name) const { return dynamic_cast<T *>(control(name)); }
    // Every section in printing order of the layout (headers, detail, footers).
    std::vector<ReportSection *> sections() const;

    // The rows: a data control opened at each run (after ReportStart), or rows handed in.
    void setDataControl(RowProvider *control) { m_dataControl = control; }
    void setRows(std::unique_ptr<RowSource> rows);
    void setRows(const QList<QVariantMap> &rows);

    // While the report runs: the current row (also for Format handlers) and the page being
    // laid out (from 1).
    const ReportRow &currentRow() const { return m_currentRow; }
    QVariant fieldValue(const QString &field) const { return m_currentRow.value(field); }
    int pageNumber() const { return m_pageNumber; }

    // Handlers: before the first row is read, and after the last page is made.
    virtual void ActiveReport_ReportStart() {}
    virtual void ActiveReport_ReportEnd() {}

    // Runs the report: ReportStart, the rows laid out on pages, ReportEnd.
    PageModel run();
    // Runs the report and shows its pages in the print preview (Printing::preview). A report
    // may check what it made and refuse to show it.
    virtual void Show();

private:
    friend class ReportEngine;

    QString m_name;
    QString m_caption;
    QPageSize m_pageSize{QPageSize::A4};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins;
    QFont m_font;
    std::unique_ptr<ReportSection> m_reportHeader;
    std::unique_ptr<ReportSection> m_pageHeader;
    std::unique_ptr<ReportSection> m_detail;
    std::unique_ptr<ReportSection> m_pageFooter;
    std::unique_ptr<ReportSection> m_reportFooter;
    std::vector<std::unique_ptr<ReportSection>> m_groupHeaders;
    std::vector<std::unique_ptr<ReportSection>> m_groupFooters;
    RowProvider *m_dataControl = nullptr;
    std::unique_ptr<RowSource> m_rows;
    ReportRow m_currentRow;
    int m_pageNumber = 0;
};
