#include "platform/report/reportcontrols.h"

#include "platform/report/report.h"
#include "platform/report/reportformat.h"

ReportControl::ReportControl(Kind kind, const QString &name, const QRectF &geometry)
    : m_kind(kind), m_name(name), m_geometry(geometry)
{
}

ReportControl::~ReportControl() = default;

ReportTextControl::ReportTextControl(Kind kind, const QString &name, const QRectF &geometry,
                                     const QFont &font)
    : ReportControl(kind, name, geometry), m_font(font)
{
}

void ReportTextControl::setAlignment(Qt::Alignment alignment)
{
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    m_alignment = alignment;
}

ReportLabel::ReportLabel(const QString &name, const QRectF &geometry, const QString &caption,
                         const QFont &font)
    : ReportTextControl(Label, name, geometry, font)
{
    setText(caption);
}

ReportTextBox::ReportTextBox(const QString &name, const QRectF &geometry,
                             const QString &dataField, const QFont &font)
    : ReportTextControl(TextBox, name, geometry, font), m_dataField(dataField)
{
}

void ReportTextBox::setSummary(Summary summary, const QString &group)
{
    m_summary = summary;
    m_summaryGroup = group;
}

void ReportTextBox::setValue(const QVariant &value)
{
    m_value = value;
    setText(ReportFormat::format(value, m_format));
}

ReportCheckBox::ReportCheckBox(const QString &name, const QRectF &geometry,
                               const QString &dataField, const QFont &font)
    : ReportTextControl(CheckBox, name, geometry, font), m_dataField(dataField)
{
}

ReportLine::ReportLine(const QString &name, const QLineF &line)
    : ReportControl(Line, name, QRectF(line.p1(), line.p2()).normalized()), m_line(line)
{
}

void ReportLine::setLine(const QLineF &line)
{
    m_line = line;
    setGeometry(QRectF(line.p1(), line.p2()).normalized());
}

ReportShape::ReportShape(const QString &name, const QRectF &geometry)
    : ReportControl(Shape, name, geometry)
{
}

ReportPicture::ReportPicture(const QString &name, const QRectF &geometry,
                             const QString &dataField)
    : ReportControl(Picture, name, geometry), m_dataField(dataField)
{
}

void ReportPicture::setImageData(const QByteArray &bytes)
{
    m_image = bytes.isEmpty() ? QImage() : QImage::fromData(bytes);
}

void ReportPicture::setValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QImage)
        m_image = value.value<QImage>();
    else if (value.typeId() == QMetaType::QByteArray)
        setImageData(value.toByteArray());
    else
        m_image = QImage();
}

ReportSubReport::ReportSubReport(const QString &name, const QRectF &geometry)
    : ReportControl(SubReport, name, geometry)
{
}

ReportSubReport::~ReportSubReport() = default;

void ReportSubReport::setReport(std::unique_ptr<Report> report)
{
    m_report = std::move(report);
}

ReportPageNumber::ReportPageNumber(const QString &name, const QRectF &geometry,
                                   const QString &pattern, const QFont &font)
    : ReportTextControl(PageNumber, name, geometry, font)
{
    setText(pattern);
}

QString ReportPageNumber::expand(const QString &pattern, int page, int pages)
{
    QString text = pattern;
    text.replace(QLatin1String("{pages}"), QString::number(pages));
    text.replace(QLatin1String("{page}"), QString::number(page));
    return text;
}
