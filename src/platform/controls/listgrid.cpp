#include "platform/controls/listgrid.h"

#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"
#include "platform/report/report.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowDataRole = Qt::UserRole;
constexpr int kCheckRole = Qt::UserRole + 1;
constexpr int kPictureRole = Qt::UserRole + 2;

Qt::Alignment alignmentFor(int value)
{
    switch (value) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool checkedText(const QString &part)
{
    const QString p = part.trimmed();
    return p == QLatin1String("1") || p == QLatin1String("-1")
           || p.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// The widths of the columns within width (on paper or on screen). A column gets what its widest
// text needs where there is room for every such width, and the room left is shared in
// proportion to the columns' designed widths. Where there is not, the widest columns are cut
// down to one common width, never below their least, so that their longest texts take a
// smaller font or more lines on paper and are cut with an ellipsis on screen.
QList<double> fitWidths(const QList<double> &need, const QList<double> &least,
                          const QList<double> &designed, double width)
{
    const int n = int(need.size());
    double needed = 0, designedTotal = 0;
    for (int i = 0; i < n; ++i) {
        needed += need[i];
        designedTotal += designed[i];
    }
    QList<double> widths = need;
    if (needed <= width) {
        for (int i = 0; i < n; ++i)
            widths[i] += (width - needed) * (designedTotal > 0 ? designed[i] / designedTotal
                                                                : 1.0 / n);
        return widths;
    }
    auto total = [&](double cap) {
        double sum = 0;
        for (int i = 0; i < n; ++i)
            sum += std::min(need[i], std::max(cap, least[i]));
        return sum;
    };
    double low = 0, high = width;
    for (int step = 0; step < 40; ++step) {
        const double cap = (low + high) / 2;
        (total(cap) > width ? high : low) = cap;
    }
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        widths[i] = std::min(need[i], std::max(low, least[i]));
        sum += widths[i];
    }
    // Even the least widths are too many for the paper: all give way alike.
    if (sum > width) {
        for (double &w : widths)
            w *= width / sum;
    }
    return widths;
}

} // namespace

// Draws check and picture cells centred, and turns a click on a check cell into CheckClick.
class ListGridDelegate : public QStyledItemDelegate
{
public:
    explicit ListGridDelegate(ListGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const int column = index.column() + 1;
        if (!m_grid->validColumn(column)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const auto &c = m_grid->m_columns[column - 1];
        if (!c.check && !c.picture) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        // The background (selection, alternate rows) without the text.
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget *w = opt.widget;
        QStyle *style = w ? w->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);

        if (c.check) {
            QStyleOptionButton box;
            const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
            box.rect = QRect(0, 0, side, side);
            box.rect.moveCenter(option.rect.center());
            box.state = QStyle::State_Enabled
                        | (index.data(kCheckRole).toInt() ? QStyle::State_On : QStyle::State_Off);
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, w);
        } else {
            const QImage image = ListGrid::pictureImage(index.data(kPictureRole).toInt());
            if (!image.isNull()) {
                const int side = qMin(option.rect.height() - 2, 16);
                QRect r(0, 0, side, side);
                r.moveCenter(option.rect.center());
                painter->save();
                painter->setRenderHint(QPainter::SmoothPixmapTransform);
                painter->drawImage(r, image);
                painter->restore();
            }
        }
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model,
                     const QStyleOptionViewItem &option, const QModelIndex &index) override
    {
        const int column = index.column() + 1;
        if (m_grid->validColumn(column) && m_grid->m_columns[column - 1].check
            && event->type() == QEvent::MouseButtonPress
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_grid->toggleCheck(m_grid->m_view->topLevelItem(index.row()), column);
            return false;   // the click still selects the row
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    ListGrid *m_grid;
};

ListGrid::ListGrid(QWidget *parent) : QWidget(parent)
{
    m_view = new QTreeWidget(this);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSortingEnabled(false);
    m_view->setAllColumnsShowFocus(true);
    m_view->header()->setSectionsMovable(false);
    m_view->header()->setStretchLastSection(false);
    m_view->setColumnCount(0);
    m_view->setHeaderLabels({});
    m_view->setItemDelegate(new ListGridDelegate(this));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_view->viewport()->installEventFilter(this);
    connect(m_view->header(), &QHeaderView::sectionResized, this, [this] {
        if (!m_fitting)
            m_userSized = true;
    });
    connect(m_view, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item, int) {
                m_view->setCurrentItem(item);
                emit DblClick();
            });
}

ListGrid::~ListGrid() = default;

QTreeWidgetItem *ListGrid::rowItem(int row) const
{
    if (row < 0 || row >= m_view->topLevelItemCount())
        return nullptr;
    return m_view->topLevelItem(row);
}

void ListGrid::ClearRows()
{
    m_view->clear();
    scheduleFit();
}

void ListGrid::ClearColumns()
{
    m_columns.clear();
    m_view->setColumnCount(0);
    m_view->setHeaderLabels({});
    m_userSized = false;
}

int ListGrid::AddColumn(const QString &caption, int width)
{
    Column c;
    c.caption = caption;
    c.width = qMax(1, width);
    m_columns.push_back(c);
    const int n = ColumnCount();
    m_view->setColumnCount(n);
    QTreeWidgetItem *header = m_view->headerItem();
    header->setText(n - 1, caption);
    m_fitting = true;
    m_view->setColumnWidth(n - 1, designedPixels(c));
    m_fitting = false;
    applyColumn(n);
    scheduleFit();
    return n;
}

int ListGrid::designedPixels(const Column &c) const
{
    return qRound(c.width * m_view->fontMetrics().height() / 10.0);
}

void ListGrid::scheduleFit()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(this, [this] { fitColumns(); }, Qt::QueuedConnection);
}

bool ListGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        scheduleFit();
    return QWidget::eventFilter(watched, event);
}

void ListGrid::fitColumns()
{
    m_fitPending = false;
    const int available = m_view->viewport()->width();
    if (m_userSized || m_columns.empty() || available <= 0)
        return;
    const QFontMetrics cells = m_view->fontMetrics();
    const QFontMetrics captions(m_view->header()->font());
    const int pad = 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 4;
    const int headerPad = 2 * m_view->style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
    QList<double> need, least, designed;
    for (int i = 0; i < ColumnCount(); ++i) {
        const Column &c = m_columns[i];
        const int caption = captions.horizontalAdvance(c.caption) + headerPad;
        double widest = std::max(caption, c.check || c.picture ? designedPixels(c) : 0);
        if (!c.check && !c.picture) {
            // The widest text is among the longest: only those are measured, so that a list
            // of 2000 rows fits at once.
            qsizetype longest = 0;
            for (int r = 0; r < RowCount(); ++r)
                longest = std::max(longest, m_view->topLevelItem(r)->text(i).size());
            int measured = 0;
            for (int r = 0; r < RowCount() && measured < 40; ++r) {
                const QString text = m_view->topLevelItem(r)->text(i);
                if (text.size() * 4 < longest * 3)
                    continue;
                widest = std::max(widest, double(cells.horizontalAdvance(text) + pad));
                ++measured;
            }
        }
        need.append(widest);
        least.append(std::min(widest, double(std::max(caption, designedPixels(c) * 2 / 3))));
        designed.append(c.width);
    }
    const QList<double> widths = fitWidths(need, least, designed, available);
    m_fitting = true;
    int used = 0;
    for (int i = 0; i < ColumnCount(); ++i) {
        // Whole pixels; the last column takes what rounding left over.
        const int w = i + 1 < ColumnCount() ? int(widths[i]) : std::max(1, available - used);
        m_view->setColumnWidth(i, std::max(w, int(least[i])));
        used += int(widths[i]);
    }
    m_fitting = false;
}

void ListGrid::applyColumn(int column)
{
    const Column &c = m_columns[column - 1];
    const Qt::Alignment a = alignmentFor(c.alignment);
    m_view->headerItem()->setTextAlignment(column - 1, a);
    for (int i = 0; i < m_view->topLevelItemCount(); ++i)
        m_view->topLevelItem(i)->setTextAlignment(column - 1, a);
    m_view->viewport()->update();
}

void ListGrid::ColumnAlignment(int column, int value)
{
    if (!validColumn(column))
        return;
    m_columns[column - 1].alignment = value;
    applyColumn(column);
}

void ListGrid::ColumnCheck(int column, int value)
{
    if (!validColumn(column))
        return;
    m_columns[column - 1].check = value != 0;
    applyColumn(column);
}

void ListGrid::ColumnPicture(int column, int value)
{
    if (!validColumn(column))
        return;
    m_columns[column - 1].picture = value != 0;
    applyColumn(column);
}

void ListGrid::ColumnStyle(int column, int value)
{
    if (validColumn(column))
        m_columns[column - 1].style = value;
}

void ListGrid::ColumnFlag(int column, bool value)
{
    if (validColumn(column))
        m_columns[column - 1].flag = value;
}

int ListGrid::AddRow(const QString &text)
{
    return AddRow(text, 0);
}

int ListGrid::AddRow(const QString &text, int rowData)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    auto *item = new QTreeWidgetItem;
    for (int c = 1; c <= ColumnCount(); ++c) {
        const QString part = c - 1 < parts.size() ? parts.at(c - 1) : QString();
        const Column &col = m_columns[c - 1];
        item->setTextAlignment(c - 1, alignmentFor(col.alignment));
        if (col.check) {
            item->setData(c - 1, kCheckRole, checkedText(part) ? 1 : 0);
        } else if (!col.picture) {
            item->setText(c - 1, part);
            item->setToolTip(c - 1, part);
        }
    }
    item->setData(0, kRowDataRole, rowData);
    m_view->addTopLevelItem(item);
    scheduleFit();
    return m_view->topLevelItemCount() - 1;
}

int ListGrid::RowCount() const
{
    return m_view->topLevelItemCount();
}

int ListGrid::RowData(int row) const
{
    const QTreeWidgetItem *item = rowItem(row);
    return item ? item->data(0, kRowDataRole).toInt() : 0;
}

void ListGrid::RowData(int row, int value)
{
    if (QTreeWidgetItem *item = rowItem(row))
        item->setData(0, kRowDataRole, value);
}

int ListGrid::SelectedRow() const
{
    const QList<QTreeWidgetItem *> selected = m_view->selectedItems();
    if (selected.isEmpty())
        return -1;
    return m_view->indexOfTopLevelItem(selected.first());
}

void ListGrid::setSelectedRow(int row)
{
    if (QTreeWidgetItem *item = rowItem(row)) {
        m_view->setCurrentItem(item);
        item->setSelected(true);
        m_view->scrollToItem(item);
    } else {
        m_view->clearSelection();
        m_view->setCurrentItem(nullptr);
    }
}

void ListGrid::CellPicture(int row, int column, int picture)
{
    QTreeWidgetItem *item = rowItem(row);
    if (!item || !validColumn(column))
        return;
    item->setData(column - 1, kPictureRole, picture);
}

int ListGrid::CellPicture(int row, int column) const
{
    const QTreeWidgetItem *item = rowItem(row);
    if (!item || !validColumn(column))
        return 0;
    return item->data(column - 1, kPictureRole).toInt();
}

QString ListGrid::ColumnCaption(int column) const
{
    return validColumn(column) ? m_columns[column - 1].caption : QString();
}

int ListGrid::ColumnWidth(int column) const
{
    return validColumn(column) ? m_columns[column - 1].width : 0;
}

QString ListGrid::CellText(int row, int column) const
{
    const QTreeWidgetItem *item = rowItem(row);
    return item && validColumn(column) ? item->text(column - 1) : QString();
}

int ListGrid::CellCheck(int row, int column) const
{
    const QTreeWidgetItem *item = rowItem(row);
    return item && validColumn(column) ? item->data(column - 1, kCheckRole).toInt() : 0;
}

void ListGrid::toggleCheck(QTreeWidgetItem *item, int column)
{
    if (!item)
        return;
    const int value = item->data(column - 1, kCheckRole).toInt() ? 0 : 1;
    item->setData(column - 1, kCheckRole, value);
    emit CheckClick(m_view->indexOfTopLevelItem(item), short(column), value);
}

QImage ListGrid::pictureImage(int picture)
{
    if (picture != 1 && picture != 2)
        return QImage();
    static QImage images[2];
    QImage &image = images[picture - 1];
    if (!image.isNull())
        return image;
    image = QImage(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPen mark(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (picture == 1) {
        // Taken: a red disc with a white cross.
        p.setBrush(QColor(200, 40, 40));
        p.drawEllipse(QRectF(4, 4, 56, 56));
        p.setPen(mark);
        p.drawLine(QPointF(22, 22), QPointF(42, 42));
        p.drawLine(QPointF(42, 22), QPointF(22, 42));
    } else {
        // Free: a green disc with a white tick.
        p.setBrush(QColor(40, 150, 70));
        p.drawEllipse(QRectF(4, 4, 56, 56));
        p.setPen(mark);
        QPainterPath tick;
        tick.moveTo(18, 33);
        tick.lineTo(28, 43);
        tick.lineTo(46, 22);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return image;
}

PageModel ListGrid::printPages() const
{
    using Units::mm;
    Report report(m_printTitle.isEmpty() ? QStringLiteral("List") : m_printTitle);
    const QFont cellFont = report.defaultFont();
    QFont captionFont = cellFont;
    captionFont.setBold(true);
    const double pad = 2;

    // What each column needs to show its caption and its cells whole.
    QList<double> need, least, designed;
    double designedTotal = 0;
    for (int i = 0; i < ColumnCount(); ++i) {
        const Column &c = m_columns[i];
        const double caption = TextMetrics::textWidth(captionFont, c.caption) + 2 * pad;
        double widest = caption;
        if (c.check || c.picture) {
            widest = std::max(widest, mm(8));
        } else {
            for (int r = 0; r < RowCount(); ++r)
                widest = std::max(widest, TextMetrics::textWidth(cellFont, CellText(r, i + 1))
                                              + 2 * pad);
        }
        need.append(widest);
        least.append(std::min(widest, std::max(caption, mm(14))));
        designed.append(c.width);
        designedTotal += c.width;
    }
    double needed = 0;
    for (double w : need)
        needed += w;
    // A list too wide for upright paper turns it.
    if (designedTotal * 0.75 > report.printWidth() * 1.15 || needed > report.printWidth())
        report.setOrientation(QPageLayout::Landscape);
    const double width = report.printWidth();
    const QList<double> widths = fitWidths(need, least, designed, width);

    ReportSection &header = report.PageHeader();
    auto *title = header.addLabel("PrintTitle", {0, 0, width, mm(8)}, m_printTitle);
    title->setFontSize(14);
    title->setBold(true);
    double y = mm(8);
    if (!m_printSubTitle.isEmpty()) {
        auto *sub = header.addLabel("PrintSubTitle", {0, y, width, mm(5.5)}, m_printSubTitle);
        sub->setFontSize(10);
        y += mm(5.5);
    }
    y += mm(3);
    auto *band = header.addShape("band", {0, y, width, mm(6.5)});
    band->setFillColor(QColor(232, 236, 242));
    band->setLineWeight(0);
    header.addLine("top", {0, y, width, y}, 0.8);
    header.addLine("bottom", {0, y + mm(6.5), width, y + mm(6.5)}, 0.8);

    ReportSection &detail = report.Detail();
    const double rowHeight = mm(5.5);
    detail.setHeight(rowHeight);
    double x = 0;
    for (int i = 0; i < ColumnCount(); ++i) {
        const Column &c = m_columns[i];
        const double w = widths[i];
        const Qt::Alignment a = alignmentFor(c.alignment);
        const QString field = QStringLiteral("c%1").arg(i + 1);
        auto *caption = header.addLabel(QStringLiteral("caption%1").arg(i + 1),
                                        {x + pad, y, w - 2 * pad, mm(6.5)}, c.caption,
                                        c.check || c.picture ? Qt::AlignHCenter : a);
        caption->setBold(true);
        if (c.check) {
            const double side = mm(3.2);
            detail.addCheckBox(field, {x + (w - side) / 2, 0, side, rowHeight}, field);
        } else if (c.picture) {
            detail.addPicture(field, {x + pad, mm(0.6), w - 2 * pad, rowHeight - mm(1.2)}, field);
        } else {
            detail.addTextBox(field, {x + pad, 0, w - 2 * pad, rowHeight}, field, QString(), a);
        }
        x += w;
    }
    header.setHeight(y + mm(8));
    detail.addLine("rule", {0, rowHeight, width, rowHeight}, 0.25)
        ->setLineColor(QColor(205, 205, 205));

    ReportSection &footer = report.PageFooter();
    footer.setHeight(mm(9));
    footer.addLine("line", {0, mm(2), width, mm(2)}, 0.6);
    auto *page = footer.addPageNumber("page", {0, mm(3), width, mm(5)});
    page->setFontSize(8);

    QList<QVariantMap> rows;
    for (int r = 0; r < RowCount(); ++r) {
        QVariantMap values;
        for (int i = 0; i < ColumnCount(); ++i) {
            const Column &c = m_columns[i];
            const QString field = QStringLiteral("c%1").arg(i + 1);
            if (c.check)
                values.insert(field, CellCheck(r, i + 1) != 0);
            else if (c.picture)
                values.insert(field, pictureImage(CellPicture(r, i + 1)));
            else
                values.insert(field, CellText(r, i + 1));
        }
        rows.append(values);
    }
    report.setRows(rows);
    return report.run();
}

void ListGrid::PrintList()
{
    const PageModel pages = printPages();
    if (m_printOption == 2)
        Printing::preview(pages, pages.title());
    else
        Printing::print(pages, this);
}
