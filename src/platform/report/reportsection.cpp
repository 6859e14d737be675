#include "platform/report/reportsection.h"

#include "platform/report/report.h"

ReportSection::ReportSection(Report &report, Kind kind, const QString &name)
    : m_report(report), m_kind(kind), m_name(name)
{
}

ReportSection::~ReportSection() = default;

template<typename T>
T *ReportSection::adopt(std::unique_ptr<T> control)
{
    T *raw = control.get();
    m_controls.push_back(std::move(control));
    return raw;
}

ReportLabel *ReportSection::addLabel(const QString &name, const QRectF &geometry,
                                     const QString &caption, Qt::Alignment alignment)
{
    auto label = std::make_unique<ReportLabel>(name, geometry, caption, m_report.defaultFont());
    label->setAlignment(alignment);
    return adopt(std::move(label));
}

ReportTextBox *ReportSection::addTextBox(const QString &name, const QRectF &geometry,
                                         const QString &dataField, const QString &outputFormat,
                                         Qt::Alignment alignment)
{
    auto box = std::make_unique<ReportTextBox>(name, geometry, dataField, m_report.defaultFont());
    box->setOutputFormat(outputFormat);
    box->setAlignment(alignment);
    return adopt(std::move(box));
}

ReportCheckBox *ReportSection::addCheckBox(const QString &name, const QRectF &geometry,
                                           const QString &dataField, const QString &caption)
{
    auto box = std::make_unique<ReportCheckBox>(name, geometry, dataField, m_report.defaultFont());
    box->setText(caption);
    return adopt(std::move(box));
}

ReportLine *ReportSection::addLine(const QString &name, const QLineF &line, double weight)
{
    auto l = std::make_unique<ReportLine>(name, line);
    l->setLineWeight(weight);
    return adopt(std::move(l));
}

ReportShape *ReportSection::addShape(const QString &name, const QRectF &geometry)
{
    return adopt(std::make_unique<ReportShape>(name, geometry));
}

ReportPicture *ReportSection::addPicture(const QString &name, const QRectF &geometry,
                                         const QString &dataField)
{
    return adopt(std::make_unique<ReportPicture>(name, geometry, dataField));
}

ReportSubReport *ReportSection::addSubReport(const QString &name, const QRectF &geometry)
{
    return adopt(std::make_unique<ReportSubReport>(name, geometry));
}

ReportPageNumber *ReportSection::addPageNumber(const QString &name, const QRectF &geometry,
                                               const QString &pattern, Qt::Alignment alignment)
{
    auto box = std::make_unique<ReportPageNumber>(name, geometry, pattern, m_report.defaultFont());
    box->setAlignment(alignment);
    return adopt(std::move(box));
}

ReportControl *ReportSection::control(const QString &name) const
{
    for (const auto &c : m_controls) {
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    }
    return nullptr;
}

QVariant ReportSection::groupKey(const ReportRow &row) const
{
    return m_groupKey ? m_groupKey(row) : row.value(m_dataField);
}
