#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class Report;
class ReportRow;

// The controls a report section holds. Geometry is in points from the section's top-left
// corner (the left margin of the page). Properties persist from one record to the next, as
// on a report designer: a Format event that changes a text or hides a control changes it
// until it is changed again. Bound controls take their field's value before each Format and
// start each run empty.
class ReportControl
{
public:
    enum Kind { Label, TextBox, CheckBox, Line, Shape, Picture, SubReport, PageNumber };

    ReportControl(Kind kind, const QString &name, const QRectF &geometry);
    virtual ~ReportControl();
    ReportControl(const ReportControl &) = delete;
    ReportControl &operator=(const ReportControl &) = delete;

    Kind kind() const { return m_kind; }
    QString name() const { return m_name; }
    QRectF geometry() const { return m_geometry; }
    void setGeometry(const QRectF &geometry) { m_geometry = geometry; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

private:
    Kind m_kind;
    QString m_name;
    QRectF m_geometry;
    bool m_visible = true;
};

// Common to the controls that print a text.
class ReportTextControl : public ReportControl
{
public:
    ReportTextControl(Kind kind, const QString &name, const QRectF &geometry, const QFont &font);

    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    QFont font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }
    void setBold(bool bold) { m_font.setBold(bold); }
    void setItalic(bool italic) { m_font.setItalic(italic); }
    void setFontSize(double points) { m_font.setPointSizeF(points); }
    Qt::Alignment alignment() const { return m_alignment; }
    // Horizontal flags; the text sits vertically centred unless a vertical flag is given.
    void setAlignment(Qt::Alignment alignment);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color) { m_foreColor = color; }
    QColor backColor() const { return m_backColor; }    // invalid: transparent
    void setBackColor(const QColor &color) { m_backColor = color; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; }
    // A growing box wraps its text and makes its section taller to show all of it.
    bool canGrow() const { return m_canGrow; }
    void setCanGrow(bool grow) { m_canGrow = grow; if (grow) m_wordWrap = true; }

private:
    QString m_text;
    QFont m_font;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor m_foreColor = Qt::black;
    QColor m_backColor;
    bool m_wordWrap = false;
    bool m_canGrow = false;
};

class ReportLabel final : public ReportTextControl
{
public:
    ReportLabel(const QString &name, const QRectF &geometry, const QString &caption,
                const QFont &font);
    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
};

// A text box shows a field of the current row, an expression on the row, a sum or count over
// the detail rows, or a text set by the report's own code.
class ReportTextBox final : public ReportTextControl
{
public:
    enum class Summary { None, Sum, Count };
    using Expression = std::function<QVariant(const ReportRow &)>;

    ReportTextBox(const QString &name, const QRectF &geometry, const QString &dataField,
                  const QFont &font);

    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field) { m_dataField = field; }
    // The value is expression(row) instead of a field; summaries then sum or count it.
    void setExpression(Expression expression) { m_expression = std::move(expression); }
    const Expression &expression() const { return m_expression; }
    QString outputFormat() const { return m_format; }
    void setOutputFormat(const QString &pattern) { m_format = pattern; }

    // Sum of the field (Null counts as nothing) or count of its non-Null values over the
    // detail rows: over the whole report when group is empty, otherwise restarting at each
    // new group of the group header named group (and so at each new group outside it).
    void setSummary(Summary summary, const QString &group = QString());
    Summary summary() const { return m_summary; }
    QString summaryGroup() const { return m_summaryGroup; }
    bool isBound() const
    {
        return !m_dataField.isEmpty() || m_expression || m_summary != Summary::None;
    }

    // The value last shown (field value, expression value or summary); setValue also sets the
    // text by the output format.
    QVariant value() const { return m_value; }
    void setValue(const QVariant &value);

private:
    QString m_dataField;
    QString m_format;
    Expression m_expression;
    Summary m_summary = Summary::None;
    QString m_summaryGroup;
    QVariant m_value;
};

// A check box: ticked when its Boolean field (or value) is true; an optional caption beside.
class ReportCheckBox final : public ReportTextControl
{
public:
    ReportCheckBox(const QString &name, const QRectF &geometry, const QString &dataField,
                   const QFont &font);
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field) { m_dataField = field; }
    bool value() const { return m_value; }
    void setValue(bool value) { m_value = value; }

private:
    QString m_dataField;
    bool m_value = false;
};

class ReportLine final : public ReportControl
{
public:
    ReportLine(const QString &name, const QLineF &line);
    QLineF line() const { return m_line; }
    void setLine(const QLineF &line);
    double lineWeight() const { return m_weight; }
    void setLineWeight(double points) { m_weight = points; }
    QColor lineColor() const { return m_color; }
    void setLineColor(const QColor &color) { m_color = color; }

private:
    QLineF m_line;
    double m_weight = 0.5;
    QColor m_color = Qt::black;
};

// A rectangle with an optional fill.
class ReportShape final : public ReportControl
{
public:
    ReportShape(const QString &name, const QRectF &geometry);
    double lineWeight() const { return m_weight; }
    void setLineWeight(double points) { m_weight = points; }
    QColor lineColor() const { return m_color; }
    void setLineColor(const QColor &color) { m_color = color; }
    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color) { m_fill = color; }

private:
    double m_weight = 0.5;
    QColor m_color = Qt::black;
    QColor m_fill;
};

// A picture: a fixed image, or the image held in a field (image bytes, e.g. a BLOB column).
// It is scaled into its box with its proportions kept.
class ReportPicture final : public ReportControl
{
public:
    ReportPicture(const QString &name, const QRectF &geometry, const QString &dataField);
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field) { m_dataField = field; }
    QImage image() const { return m_image; }
    void setImage(const QImage &image) { m_image = image; }
    // Takes an image from its file bytes (PNG, JPEG, BMP ...); empty or unreadable: none.
    void setImageData(const QByteArray &bytes);
    void setValue(const QVariant &value);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }

private:
    QString m_dataField;
    QImage m_image;
    Qt::Alignment m_alignment = Qt::AlignCenter;
};

// Another report printed inside this control's box each time its section prints: its report
// header, groups, detail rows and report footer flow down the box (its page header and
// footer are not printed); what does not fit the box is left out.
class ReportSubReport final : public ReportControl
{
public:
    ReportSubReport(const QString &name, const QRectF &geometry);
    ~ReportSubReport() override;
    Report *report() const { return m_report.get(); }
    // Takes the report; nullptr releases the one held.
    void setReport(std::unique_ptr<Report> report);
    // A sub-report that reads nothing of its parent's rows (a logo) prints the same on every
    // page: the engine lays it out once per run and repeats that on the later pages.
    bool sameOnEveryPage() const { return m_sameOnEveryPage; }
    void setSameOnEveryPage(bool same) { m_sameOnEveryPage = same; }

private:
    std::unique_ptr<Report> m_report;
    bool m_sameOnEveryPage = false;
};

// The page number and the page count: "{page}" and "{pages}" in the text are replaced,
// as in "Page {page} of {pages}".
class ReportPageNumber final : public ReportTextControl
{
public:
    ReportPageNumber(const QString &name, const QRectF &geometry, const QString &pattern,
                     const QFont &font);
    static QString expand(const QString &pattern, int page, int pages);
};
