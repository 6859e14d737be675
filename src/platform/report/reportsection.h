#pragma once

#include "platform/report/reportcontrols.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class Report;
class ReportRow;

// One band of a report: its height (points; 0 prints nothing), its controls and its Format
// event. Format runs each time the section is about to print for the current record, after
// the bound controls took their values: it may change texts and visibility, set Visible, or
// call cancel() to leave the section out this once.
class ReportSection
{
public:
    enum Kind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter,
                ReportFooter };
    enum NewPage { NoNewPage, NewPageBefore, NewPageAfter, NewPageBeforeAfter };

    ReportSection(Report &report, Kind kind, const QString &name);
    ~ReportSection();
    ReportSection(const ReportSection &) = delete;
    ReportSection &operator=(const ReportSection &) = delete;

    Kind kind() const { return m_kind; }
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    double height() const { return m_height; }
    void setHeight(double points) { m_height = points < 0 ? 0 : points; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    NewPage newPage() const { return m_newPage; }
    void setNewPage(NewPage newPage) { m_newPage = newPage; }
    // Group headers: the field whose change starts a new group.
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &field) { m_dataField = field; }
    // Group headers: the value whose change starts a new group, computed from the row in place
    // of the data field's raw value (e.g. to take an empty Boolean as false).
    using GroupKey = std::function<QVariant(const ReportRow &)>;
    void setGroupKey(GroupKey key) { m_groupKey = std::move(key); }
    QVariant groupKey(const ReportRow &row) const;
    // Group headers: never print the header at the foot of a page without its first row.
    bool keepTogether() const { return m_keepTogether; }
    void setKeepTogether(bool keep) { m_keepTogether = keep; }
    // Group headers: a page that continues the group starts with its header again (on).
    bool repeatsOnNewPage() const { return m_repeat; }
    void setRepeatsOnNewPage(bool repeat) { m_repeat = repeat; }
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color) { m_backColor = color; }

    std::function<void()> Format;
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    void resetCancel() { m_cancelled = false; }

    // Controls, each created with the report's default font; the section owns them.
    ReportLabel *addLabel(const QString &name, const QRectF &geometry, const QString &caption,
                          Qt::Alignment alignment = Qt::AlignLeft);
    ReportTextBox *addTextBox(const QString &name, const QRectF &geometry,
                              const QString &dataField = QString(),
                              const QString &outputFormat = QString(),
                              Qt::Alignment alignment = Qt::AlignLeft);
    ReportCheckBox *addCheckBox(const QString &name, const QRectF &geometry,
                                const QString &dataField = QString(),
                                const QString &caption = QString());
    ReportLine *addLine(const QString &name, const QLineF &line, double weight = 0.5);
    ReportShape *addShape(const QString &name, const QRectF &geometry);
    ReportPicture *addPicture(const QString &name, const QRectF &geometry,
                              const QString &dataField = QString());
    ReportSubReport *addSubReport(const QString &name, const QRectF &geometry);
    ReportPageNumber *addPageNumber(
        const QString &name, const QRectF &geometry,
        const QString &pattern = QStringLiteral("Page {page} of {pages}"),
        Qt::Alignment alignment = Qt::AlignRight);

    ReportControl *control(const QString &name) const;   // case-blind; nullptr when none
    const std::vector<std::unique_ptr<ReportControl>> &controls() const { return m_controls; }

private:
    template<typename T>
    T *adopt(std::unique_ptr<T> control);

    Report &m_report;
    Kind m_kind;
    QString m_name;
    double m_height = 0;
    bool m_visible = true;
    NewPage m_newPage = NoNewPage;
    QString m_dataField;
    GroupKey m_groupKey;
    bool m_keepTogether = false;
    bool m_repeat = true;
    bool m_cancelled = false;
    QColor m_backColor;
    std::vector<std::unique_ptr<ReportControl>> m_controls;
};
