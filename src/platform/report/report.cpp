#include "platform/report/report.h"

#include "platform/report/printing.h"
#include "platform/report/reportengine.h"

Report::Report(const QString &name)
    : m_name(name),
      m_margins(Units::mm(15), Units::mm(12), Units::mm(15), Units::mm(12)),
      m_font(QStringLiteral("DejaVu Sans"))
{
    m_font.setPointSizeF(9);
    m_reportHeader = std::make_unique<ReportSection>(*this, ReportSection::ReportHeader,
                                                     QStringLiteral("ReportHeader"));
    m_pageHeader = std::make_unique<ReportSection>(*this, ReportSection::PageHeader,
                                                   QStringLiteral("PageHeader"));
    m_detail = std::make_unique<ReportSection>(*this, ReportSection::Detail,
                                               QStringLiteral("Detail"));
    m_pageFooter = std::make_unique<ReportSection>(*this, ReportSection::PageFooter,
                                                   QStringLiteral("PageFooter"));
    m_reportFooter = std::make_unique<ReportSection>(*this, ReportSection::ReportFooter,
                                                     QStringLiteral("ReportFooter"));
}

Report::~Report() = default;

QSizeF Report::paperSize() const
{
    const QSizeF s = m_pageSize.size(QPageSize::Point);
    return m_orientation == QPageLayout::Landscape ? s.transposed() : s;
}

double Report::printWidth() const
{
    return paperSize().width() - m_margins.left() - m_margins.right();
}

ReportSection &Report::addGroup(const QString &headerName, const QString &dataField,
                                const QString &footerName)
{
    const int level = int(m_groupHeaders.size());
    auto header = std::make_unique<ReportSection>(
        *this, ReportSection::GroupHeader,
        headerName.isEmpty() ? QStringLiteral("GroupHeader%1").arg(level) : headerName);
    header->setDataField(dataField);
    auto footer = std::make_unique<ReportSection>(
        *this, ReportSection::GroupFooter,
        footerName.isEmpty() ? QStringLiteral("GroupFooter%1").arg(level) : footerName);
    m_groupHeaders.push_back(std::move(header));
    m_groupFooters.push_back(std::move(footer));
    return *m_groupHeaders.back();
}

std::vector<ReportSection *> Report::sections() const
{
    std::vector<ReportSection *> list{m_reportHeader.get(), m_pageHeader.get()};
    for (const auto &h : m_groupHeaders)
        list.push_back(h.get());
    list.push_back(m_detail.get());
    for (auto it = m_groupFooters.rbegin(); it != m_groupFooters.rend(); ++it)
        list.push_back(it->get());
    list.push_back(m_pageFooter.get());
    list.push_back(m_reportFooter.get());
    return list;
}

ReportSection *Report::section(const QString &name) const
{
    for (ReportSection *s : sections()) {
        if (s->name().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    }
    return nullptr;
}

ReportControl *Report::control(const QString &name) const
{
    for (ReportSection *s : sections()) {
        if (ReportControl *c = s->control(name))
            return c;
    }
    return nullptr;
}

void Report::setRows(std::unique_ptr<RowSource> rows)
{
    m_rows = std::move(rows);
}

void Report::setRows(const QList<QVariantMap> &rows)
{
    m_rows = std::make_unique<ListRowSource>(rows);
}

PageModel Report::run()
{
    ActiveReport_ReportStart();
    // The pages go to the caller: a report kept for the next run does not hold the last one's.
    PageModel pages;
    ReportEngine engine(*this);
    engine.layOutPages(pages);
    m_currentRow = ReportRow();
    ActiveReport_ReportEnd();
    return pages;
}

void Report::Show()
{
    const PageModel model = run();
    Printing::preview(model, caption());
}
