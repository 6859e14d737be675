#include "plannergrid.h"

#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"
#include "platform/system.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPaintDevice>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace PlannerGeometry;

namespace {

const QColor closedColour(244, 245, 247);
const QColor primeColour(255, 248, 228);
const QColor slotLineColour(233, 235, 239);
const QColor hourLineColour(203, 208, 216);
const QColor columnLineColour(211, 215, 222);
const QColor marginColour(247, 248, 250);
const QColor marginTextColour(70, 74, 82);
const QColor accentColour(25, 118, 210);

constexpr int edgeGrip = 5;      // pixels at an item's top and bottom that resize it
constexpr int columnGutter = 10; // free strip at the right of a column for new items

PlannerGrid::PrintHandler &printHandler()
{
    static PlannerGrid::PrintHandler handler;
    return handler;
}

int durationOf(int start, int end)
{
    return end < start ? end + MinutesPerDay - start : end - start;
}

} // namespace

// The header above the grid and the time ruler at its left: thin widgets in the viewport's
// margins that the grid paints, so they stay in place while the grid scrolls.
class PlannerGrid::Margin : public QWidget
{
public:
    Margin(PlannerGrid *grid, bool header) : QWidget(grid), m_grid(grid), m_isHeader(header) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (m_isHeader)
            m_grid->paintHeader(p, rect());
        else
            m_grid->paintRuler(p, rect());
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        if (m_isHeader && e->button() == Qt::LeftButton)
            m_grid->headerDoubleClicked(e->position().toPoint());
    }

private:
    PlannerGrid *m_grid;
    bool m_isHeader;
};

PlannerGrid::PlannerGrid(Mode mode, QWidget *parent)
    : QAbstractScrollArea(parent), m_mode(mode)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::StyledPanel);
    m_header = new Margin(this, true);
    m_ruler = new Margin(this, false);
    setMinimumSize(320, 200);
    changed();
}

PlannerGrid::~PlannerGrid() = default;

void PlannerGrid::setMode(Mode mode)
{
    cancelEdit();
    m_mode = mode;
    m_selectedItem = 0;
    m_selColumn = 0;
    m_currentMinute = m_anchorMinute = -1;
    changed();
}

// --- Columns ------------------------------------------------------------------------------

int PlannerGrid::AddColumn(qint32 resourceNo, const QString &title)
{
    if (m_mode == WeekGrid)
        return 0;
    m_columns.append({resourceNo, title, 0});
    changed();
    return int(m_columns.size());
}

void PlannerGrid::ClearColumns()
{
    if (m_mode == WeekGrid)
        return;
    if (m_edit == Edit::NewItem)
        cancelEdit();
    m_columns.clear();
    changed();
}

int PlannerGrid::ColumnCount() const
{
    return m_mode == WeekGrid ? 7 : int(m_columns.size());
}

qint32 PlannerGrid::ColumnResource(int column) const
{
    if (m_mode == WeekGrid || column < 1 || column > m_columns.size())
        return 0;
    return m_columns[column - 1].resource;
}

QString PlannerGrid::ColumnTitle(int column) const
{
    return column >= 1 && column <= ColumnCount() ? headerText(column) : QString();
}

void PlannerGrid::SetColumnValue(int column, int value)
{
    if (m_mode == DayGrid && column >= 1 && column <= m_columns.size())
        m_columns[column - 1].value = value;
}

int PlannerGrid::ColumnValue(int column) const
{
    if (m_mode == WeekGrid || column < 1 || column > m_columns.size())
        return 0;
    return m_columns[column - 1].value;
}

void PlannerGrid::SetFirstDay(qint32 day)
{
    m_firstDay = day;
    changed();
}

qint32 PlannerGrid::DayOfColumn(int column) const
{
    if (m_mode != WeekGrid || column < 1 || column > 7)
        return 0;
    return m_firstDay + column - 1;
}

void PlannerGrid::SetTitle(const QString &title)
{
    m_title = title;
    changed();
}

// --- Items --------------------------------------------------------------------------------

PlannerGrid::Item *PlannerGrid::item(int index)
{
    return index >= 1 && index <= m_items.size() ? &m_items[index - 1] : nullptr;
}

const PlannerGrid::Item *PlannerGrid::item(int index) const
{
    return index >= 1 && index <= m_items.size() ? &m_items[index - 1] : nullptr;
}

int PlannerGrid::AddItem(int start, int end, qint32 day, const QString &text,
                         const QString &keyText)
{
    Item it;
    it.start = start;
    it.end = end;
    it.day = day;
    it.text = text;
    it.keyText = keyText;
    m_items.append(it);
    changed();
    return int(m_items.size());
}

void PlannerGrid::RemoveItem(int index)
{
    if (!item(index))
        return;
    if (m_edit == Edit::ItemText)
        cancelEdit();
    m_items.removeAt(index - 1);
    if (m_selectedItem == index)
        m_selectedItem = 0;
    else if (m_selectedItem > index)
        --m_selectedItem;
    if (m_drag != Drag::None && m_drag != Drag::SelectRange)
        m_drag = Drag::None;
    m_pendingEditItem = 0;
    changed();
}

void PlannerGrid::ClearItems()
{
    if (m_edit == Edit::ItemText)
        cancelEdit();
    m_items.clear();
    m_selectedItem = 0;
    if (m_drag != Drag::SelectRange)
        m_drag = Drag::None;
    m_pendingEditItem = 0;
    changed();
}

int PlannerGrid::ItemStart(int index) const
{
    const Item *it = item(index);
    return it ? it->start : -1;
}

void PlannerGrid::SetItemStart(int index, int value)
{
    if (Item *it = item(index)) {
        it->start = value;
        changed();
    }
}

int PlannerGrid::ItemEnd(int index) const
{
    const Item *it = item(index);
    return it ? it->end : -1;
}

void PlannerGrid::SetItemEnd(int index, int value)
{
    if (Item *it = item(index)) {
        it->end = value;
        changed();
    }
}

quint32 PlannerGrid::ItemColour(int index) const
{
    const Item *it = item(index);
    return it ? it->colour : 0;
}

void PlannerGrid::SetItemColour(int index, quint32 value)
{
    if (Item *it = item(index)) {
        it->colour = value;
        changed();
    }
}

bool PlannerGrid::ItemTentative(int index) const
{
    const Item *it = item(index);
    return it ? it->tentative : false;
}

void PlannerGrid::SetItemTentative(int index, bool value)
{
    if (Item *it = item(index)) {
        it->tentative = value;
        changed();
    }
}

qint32 PlannerGrid::ItemDay(int index) const
{
    const Item *it = item(index);
    return it ? it->day : 0;
}

void PlannerGrid::SetItemDay(int index, qint32 value)
{
    if (Item *it = item(index)) {
        it->day = value;
        changed();
    }
}

qint32 PlannerGrid::ItemResource(int index) const
{
    const Item *it = item(index);
    return it ? it->resource : 0;
}

void PlannerGrid::SetItemResource(int index, qint32 value)
{
    if (Item *it = item(index)) {
        it->resource = value;
        changed();
    }
}

QString PlannerGrid::ItemText(int index) const
{
    const Item *it = item(index);
    return it ? it->text : QString();
}

void PlannerGrid::SetItemText(int index, const QString &text)
{
    if (Item *it = item(index)) {
        it->text = text;
        changed();
    }
}

QString PlannerGrid::ItemAccountName(int index) const
{
    const Item *it = item(index);
    return it ? it->accountName : QString();
}

void PlannerGrid::SetItemAccountName(int index, const QString &name)
{
    if (Item *it = item(index)) {
        it->accountName = name;
        changed();
    }
}

QString PlannerGrid::ItemKeyText(int index) const
{
    const Item *it = item(index);
    return it ? it->keyText : QString();
}

void PlannerGrid::SetItemKeyText(int index, const QString &key)
{
    if (Item *it = item(index))
        it->keyText = key;
}

// --- Selection ----------------------------------------------------------------------------

int PlannerGrid::SelectedColumn() const
{
    return m_selColumn >= 1 && m_selColumn <= ColumnCount() ? m_selColumn : 0;
}

int PlannerGrid::CurrentSlot() const
{
    if (m_currentMinute < 0 || SelectedColumn() == 0)
        return -1;
    return slotOfMinute(m_currentMinute);
}

int PlannerGrid::SelectedStart() const
{
    if (m_currentMinute < 0)
        return -1;
    return std::min(m_anchorMinute, m_currentMinute);
}

int PlannerGrid::SelectedEnd() const
{
    if (m_currentMinute < 0)
        return -1;
    return std::min(std::max(m_anchorMinute, m_currentMinute) + sanitizedUnit(m_unit),
                    MinutesPerDay);
}

void PlannerGrid::SetSelectedItem(int index)
{
    m_selectedItem = item(index) ? index : 0;
    if (m_selectedItem) {
        ensureLayout();
        m_selColumn = m_placement[index - 1].column ? m_placement[index - 1].column : m_selColumn;
    }
    viewport()->update();
    m_header->update();
}

void PlannerGrid::SetSelection(int column, int startMinute, int endMinute)
{
    ensureLayout();
    const int unit = m_scale.unit;
    m_selectedItem = 0;
    m_selColumn = column;
    auto snap = [&](int minute) {   // to the start of the row that holds minute
        const int slot = std::clamp((minute - m_scale.firstMinute) / unit, 0,
                                    std::max(0, m_scale.slotCount - 1));
        return m_scale.firstMinute + slot * unit;
    };
    m_anchorMinute = snap(std::clamp(startMinute, 0, MinutesPerDay - 1));
    m_currentMinute = std::max(m_anchorMinute,
                               snap(std::clamp(endMinute, startMinute + 1, MinutesPerDay) - 1));
    viewport()->update();
    m_header->update();
    m_ruler->update();
}

int PlannerGrid::slotOfMinute(int minute) const
{
    const_cast<PlannerGrid *>(this)->ensureLayout();
    if (m_scale.slotCount == 0)
        return -1;
    return std::clamp((minute - m_scale.firstMinute) / m_scale.unit, 0, m_scale.slotCount - 1);
}

// --- Settings -----------------------------------------------------------------------------

void PlannerGrid::SetOpeningTime(int minute) { m_opening = minute; changed(); }
void PlannerGrid::SetClosingTime(int minute) { m_closing = minute; changed(); }
void PlannerGrid::SetPrimeStart(int minute) { m_primeStart = minute; changed(); }
void PlannerGrid::SetPrimeEnd(int minute) { m_primeEnd = minute; changed(); }
void PlannerGrid::SetTimeUnit(int minutes) { m_unit = minutes; changed(); }
void PlannerGrid::SetAmPm(bool on) { m_amPm = on; changed(); }
void PlannerGrid::SetMilitary(bool on) { m_military = on; changed(); }
void PlannerGrid::SetDatePicture(const QString &picture) { m_datePicture = picture; changed(); }
void PlannerGrid::SetHintText(const QString &text) { m_hint = text; changed(); }

// --- Layout -------------------------------------------------------------------------------

void PlannerGrid::changed()
{
    m_dirty = true;
    viewport()->update();
    if (m_header)
        m_header->update();
    if (m_ruler)
        m_ruler->update();
    if (!m_relayoutQueued) {
        m_relayoutQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_relayoutQueued = false;
            ensureLayout();
        });
    }
}

int PlannerGrid::rulerWidth() const
{
    return std::max(54, fontMetrics().horizontalAdvance(QStringLiteral("12:00 pm")) + 18);
}

int PlannerGrid::headerHeight() const
{
    return fontMetrics().height() + 16;
}

int PlannerGrid::titleHeight() const
{
    if (m_title.isEmpty())
        return 0;
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    return QFontMetrics(f).height() + 12;
}

double PlannerGrid::baseSlotHeight() const
{
    const double text = fontMetrics().height() + 8;
    const double hour = 44.0 * sanitizedUnit(m_unit) / 60.0;
    return std::clamp(std::max(text, hour), text, 120.0);
}

int PlannerGrid::columnOfItem(const Item &it) const
{
    if (m_mode == WeekGrid) {
        const qint32 c = it.day - m_firstDay + 1;
        return c >= 1 && c <= 7 ? int(c) : 0;
    }
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].resource == it.resource)
            return c + 1;
    return 0;
}

QString PlannerGrid::headerText(int column) const
{
    if (m_mode == WeekGrid)
        return formatDatePicture(m_datePicture, dateOfDayNumber(DayOfColumn(column)));
    return m_columns[column - 1].title;
}

void PlannerGrid::ensureLayout()
{
    if (!m_dirty)
        return;
    m_dirty = false;

    const int top = titleHeight() + headerHeight();
    const int left = rulerWidth();
    setViewportMargins(left, top, 0, 0);

    m_placement = QList<Placement>(m_items.size());
    QList<QList<int>> perColumn(ColumnCount() + 1);
    QList<Span> shown;
    for (int i = 0; i < m_items.size(); ++i) {
        const int c = columnOfItem(m_items[i]);
        m_placement[i].column = c;
        if (c > 0) {
            perColumn[c].append(i);
            shown.append({m_items[i].start, m_items[i].end});
        }
    }
    for (const QList<int> &members : perColumn) {
        QList<Span> spans;
        for (int i : members)
            spans.append({m_items[i].start, m_items[i].end});
        const QList<Lane> lanes = packSpans(spans);
        for (int k = 0; k < members.size(); ++k)
            m_placement[members[k]].lane = lanes[k];
    }

    const int viewHeight = viewport()->height();
    const int viewWidth = viewport()->width();
    m_scale = timeScaleFor(m_opening, m_closing, m_unit, shown, baseSlotHeight());
    if (m_scale.slotCount > 0 && m_scale.height() < viewHeight)
        m_scale.slotHeight = std::min(double(viewHeight) / m_scale.slotCount, 120.0);

    m_cols.count = ColumnCount();
    const double minWidth = m_mode == WeekGrid ? 96 : 120;
    m_cols.width = m_cols.count > 0 ? std::max(minWidth, double(viewWidth) / m_cols.count)
                                    : viewWidth;

    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(m_scale.height())) - viewHeight));
    verticalScrollBar()->setPageStep(viewHeight);
    verticalScrollBar()->setSingleStep(int(m_scale.slotHeight));
    horizontalScrollBar()->setRange(
        0, std::max(0, int(std::ceil(m_cols.totalWidth())) - viewWidth));
    horizontalScrollBar()->setPageStep(viewWidth);
    horizontalScrollBar()->setSingleStep(int(m_cols.width / 4));

    // When rows before the opening time appear, the day still opens at the opening time.
    if (m_shownFirstMinute != m_scale.firstMinute) {
        m_shownFirstMinute = m_scale.firstMinute;
        verticalScrollBar()->setValue(int(minuteToY(m_scale, std::max(m_opening, 0))));
    }

    const QRect cr = contentsRect();
    m_header->setGeometry(cr.left(), cr.top(), cr.width(), top);
    m_ruler->setGeometry(cr.left(), cr.top() + top, left, viewport()->height());
    placeEditor();
}

QPointF PlannerGrid::toContents(const QPointF &viewportPos) const
{
    return viewportPos + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRectF PlannerGrid::itemContentRect(const Item &it, int column, const Lane &lane) const
{
    const double usable = std::max(20.0, m_cols.width - columnGutter);
    const double laneWidth = usable / lane.lanes;
    const double x = m_cols.left(column) + lane.lane * laneWidth;
    const double top = minuteToY(m_scale, it.start);
    const double bottom = std::max(minuteToY(m_scale, shownEnd(it.start, it.end)), top + 10);
    return QRectF(x + 2, top + 1, laneWidth - 3, bottom - top - 2);
}

QRectF PlannerGrid::itemContentRect(int index) const
{
    const Placement &pl = m_placement[index - 1];
    if (pl.column == 0)
        return {};
    return itemContentRect(m_items[index - 1], pl.column, pl.lane);
}

int PlannerGrid::itemAt(const QPointF &pos) const
{
    for (int i = int(m_items.size()); i >= 1; --i)
        if (m_placement[i - 1].column && itemContentRect(i).contains(pos))
            return i;
    return 0;
}

QRect PlannerGrid::slotRect(int column, int slot)
{
    ensureLayout();
    if (column < 1 || column > m_cols.count || slot < 0 || slot >= m_scale.slotCount)
        return {};
    const QRectF r(m_cols.left(column), slot * m_scale.slotHeight, m_cols.width,
                   m_scale.slotHeight);
    return r.translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value())
        .toAlignedRect();
}

QRect PlannerGrid::itemRect(int index)
{
    ensureLayout();
    if (!item(index))
        return {};
    return itemContentRect(index)
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value())
        .toRect();
}

void PlannerGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_dirty = true;
    ensureLayout();
}

void PlannerGrid::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
    if (dx)
        m_header->update();
    if (dy)
        m_ruler->update();
    placeEditor();
}

void PlannerGrid::ensureMinuteVisible(int minute)
{
    ensureLayout();
    const int y = int(minuteToY(m_scale, minute));
    const int h = int(m_scale.slotHeight);
    QScrollBar *v = verticalScrollBar();
    if (y < v->value())
        v->setValue(y);
    else if (y + h > v->value() + viewport()->height())
        v->setValue(y + h - viewport()->height());
    const int col = SelectedColumn();
    if (col) {
        QScrollBar *hb = horizontalScrollBar();
        const int x = int(m_cols.left(col));
        const int w = int(m_cols.width);
        if (x < hb->value())
            hb->setValue(x);
        else if (x + w > hb->value() + viewport()->width())
            hb->setValue(x + w - viewport()->width());
    }
}

void PlannerGrid::selectSlot(int column, int slot, bool extend)
{
    ensureLayout();
    if (column < 1 || column > m_cols.count || slot < 0 || m_scale.slotCount == 0)
        return;
    slot = std::min(slot, m_scale.slotCount - 1);
    const int minute = slotStartMinute(m_scale, slot);
    if (!extend || column != m_selColumn || m_anchorMinute < 0)
        m_anchorMinute = minute;
    m_currentMinute = minute;
    m_selColumn = column;
    m_selectedItem = 0;
    viewport()->update();
    m_header->update();
    m_ruler->update();
}

// --- Mouse and keys -----------------------------------------------------------------------

void PlannerGrid::updateCursor(const QPointF &pos)
{
    const int i = itemAt(pos);
    if (!i) {
        viewport()->unsetCursor();
        return;
    }
    const QRectF r = itemContentRect(i);
    if (r.height() > 3 * edgeGrip
        && (pos.y() < r.top() + edgeGrip || pos.y() > r.bottom() - edgeGrip))
        viewport()->setCursor(Qt::SizeVerCursor);
    else
        viewport()->setCursor(Qt::OpenHandCursor);
}

void PlannerGrid::mousePressEvent(QMouseEvent *event)
{
    if (m_editTimer) {
        killTimer(m_editTimer);
        m_editTimer = 0;
    }
    // The owner may change the items as it takes a typed one: lay them out after that.
    if (m_editor)
        commitEdit();
    ensureLayout();
    setFocus(Qt::MouseFocusReason);
    const QPointF pos = toContents(event->position());
    const int i = itemAt(pos);
    const int column = columnAt(m_cols, pos.x());
    const int slot = slotAt(m_scale, pos.y());

    if (event->button() == Qt::RightButton) {
        if (i) {
            m_selectedItem = i;
            m_selColumn = m_placement[i - 1].column;
            viewport()->update();
            m_header->update();
            emit ItemMenuRequest(i, event->globalPosition().toPoint());
        } else if (column && slot >= 0) {
            selectSlot(column, slot, false);
        }
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;

    m_pressPos = pos;
    if (i) {
        m_pressedSelected = m_selectedItem == i;
        m_selectedItem = i;
        m_selColumn = m_placement[i - 1].column;
        if (slot >= 0)
            m_anchorMinute = m_currentMinute = slotStartMinute(m_scale, slot);
        m_dragItem = i;
        const Item &it = m_items[i - 1];
        m_ghostStart = it.start;
        m_ghostEnd = it.end;
        m_ghostColumn = m_selColumn;
        const QRectF r = itemContentRect(i);
        if (r.height() > 3 * edgeGrip && pos.y() < r.top() + edgeGrip)
            m_drag = Drag::ResizeTop;
        else if (r.height() > 3 * edgeGrip && pos.y() > r.bottom() - edgeGrip)
            m_drag = Drag::ResizeBottom;
        else
            m_drag = Drag::MaybeMove;
        viewport()->update();
        m_header->update();
        m_ruler->update();
    } else if (column && slot >= 0) {
        selectSlot(column, slot, event->modifiers() & Qt::ShiftModifier);
        m_drag = Drag::SelectRange;
    }
}

void PlannerGrid::mouseMoveEvent(QMouseEvent *event)
{
    ensureLayout();
    const QPointF pos = toContents(event->position());
    if (m_drag == Drag::None) {
        updateCursor(pos);
        return;
    }
    if (m_drag == Drag::SelectRange) {
        const double y = std::clamp(pos.y(), 0.0, m_scale.height() - 1);
        selectSlot(m_selColumn, slotAt(m_scale, y), true);
        return;
    }
    const Item *it = item(m_dragItem);
    if (!it) {
        m_drag = Drag::None;
        return;
    }
    if (m_drag == Drag::MaybeMove) {
        if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        m_drag = Drag::Move;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    const int unit = m_scale.unit;
    if (m_drag == Drag::Move) {
        const int delta = int(std::lround((pos.y() - m_pressPos.y()) / m_scale.slotHeight)) * unit;
        // An item stays within its day; one that already runs past midnight may keep doing so.
        const int duration = durationOf(it->start, it->end);
        const int latest = it->end < it->start ? MinutesPerDay - 1 : MinutesPerDay - duration;
        m_ghostStart = std::clamp(it->start + delta, 0, std::max(latest, 0));
        m_ghostEnd = m_ghostStart + duration;
        if (m_ghostEnd > MinutesPerDay)
            m_ghostEnd -= MinutesPerDay;
        m_ghostColumn = std::clamp(int(pos.x() / m_cols.width) + 1, 1, std::max(1, m_cols.count));
    } else if (m_drag == Drag::ResizeTop) {
        const int limit = std::max(0, shownEnd(it->start, it->end) - unit);
        m_ghostStart = std::min(nearestBoundary(m_scale, pos.y()), limit);
    } else if (m_drag == Drag::ResizeBottom) {
        const int minute = std::clamp(nearestBoundary(m_scale, pos.y()),
                                      std::min(it->start + unit, MinutesPerDay), MinutesPerDay);
        // An item past midnight keeps its end until the bottom edge moves into the day.
        m_ghostEnd = (it->end < it->start && minute >= MinutesPerDay) ? it->end : minute;
    }
    viewport()->update();
}

void PlannerGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    ensureLayout();
    const Drag drag = m_drag;
    m_drag = Drag::None;
    viewport()->unsetCursor();
    updateCursor(toContents(event->position()));
    const int index = m_dragItem;
    Item *it = item(index);
    if (!it)
        return;
    if (drag == Drag::MaybeMove) {
        if (m_pressedSelected) {   // a click on the selected item: edit its text, unless a
            m_pendingEditItem = index;   // double-click follows
            m_editTimer = startTimer(QApplication::doubleClickInterval());
        }
        return;
    }
    if (drag != Drag::Move && drag != Drag::ResizeTop && drag != Drag::ResizeBottom)
        return;
    const bool moved = m_ghostColumn != m_placement[index - 1].column;
    if (!moved && m_ghostStart == it->start && m_ghostEnd == it->end) {
        viewport()->update();
        return;
    }
    it->start = m_ghostStart;
    it->end = m_ghostEnd;
    if (moved) {
        if (m_mode == WeekGrid)
            it->day = DayOfColumn(m_ghostColumn);
        else
            it->resource = ColumnResource(m_ghostColumn);
    }
    m_selColumn = m_ghostColumn;
    changed();
    ensureLayout();
    m_anchorMinute = m_currentMinute = slotStartMinute(m_scale, slotOfMinute(it->start));
    emit ItemChanged(index);
}

void PlannerGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    ensureLayout();
    if (m_editTimer) {
        killTimer(m_editTimer);
        m_editTimer = 0;
    }
    m_drag = Drag::None;
    const QPointF pos = toContents(event->position());
    const int i = itemAt(pos);
    if (i) {
        m_selectedItem = i;
        m_selColumn = m_placement[i - 1].column;
        viewport()->update();
        emit ItemDblClick(i);
        return;
    }
    const int column = columnAt(m_cols, pos.x());
    const int slot = slotAt(m_scale, pos.y());
    if (!column)
        return;
    if (slot >= 0)
        selectSlot(column, slot, false);
    m_selectedItem = 0;
    m_selColumn = column;
    emit DblClick();
}

void PlannerGrid::headerDoubleClicked(const QPoint &pos)
{
    ensureLayout();
    const double x = pos.x() - rulerWidth() + horizontalScrollBar()->value();
    if (pos.y() < titleHeight() || pos.x() < rulerWidth())
        return;
    const int column = columnAt(m_cols, x);
    if (!column)
        return;
    m_selectedItem = 0;
    m_selColumn = column;
    viewport()->update();
    m_header->update();
    emit DblClick();
}

void PlannerGrid::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_editTimer) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    killTimer(m_editTimer);
    m_editTimer = 0;
    if (m_pendingEditItem && m_pendingEditItem == m_selectedItem)
        startItemTextEdit(m_pendingEditItem);
    m_pendingEditItem = 0;
}

void PlannerGrid::keyPressEvent(QKeyEvent *event)
{
    ensureLayout();
    if (m_editor) {   // keys typed faster than the focus moves belong to the open editor
        m_editor->setFocus();
        QCoreApplication::sendEvent(m_editor, event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_F2:
        if (m_selectedItem > 0)
            startItemTextEdit(m_selectedItem);
        return;
    case Qt::Key_Menu:
    case Qt::Key_F10:
        if (event->key() == Qt::Key_F10 && !shift)
            break;
        if (m_selectedItem > 0) {
            const QRect r = itemRect(m_selectedItem);
            const QPoint at = r.isEmpty() ? QPoint(0, 0) : r.topLeft() + QPoint(8, 8);
            emit ItemMenuRequest(m_selectedItem, viewport()->mapToGlobal(at));
        }
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        int slot = CurrentSlot();
        int column = SelectedColumn();
        if (column == 0 || slot < 0) {
            column = std::max(column, 1);
            slot = slotOfMinute(m_opening);
        } else {
            slot += event->key() == Qt::Key_Up ? -1 : 1;
        }
        selectSlot(column, std::clamp(slot, 0, m_scale.slotCount - 1), shift);
        ensureMinuteVisible(m_currentMinute);
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (m_cols.count == 0)
            return;
        const int column = std::clamp(
            SelectedColumn() + (event->key() == Qt::Key_Left ? -1 : 1), 1, m_cols.count);
        const int slot = CurrentSlot() >= 0 ? CurrentSlot() : slotOfMinute(m_opening);
        selectSlot(column, slot, false);
        ensureMinuteVisible(m_currentMinute);
        return;
    }
    case Qt::Key_Delete:
        event->ignore();   // deleting is the owner's business
        return;
    default:
        break;
    }
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier
                                               | Qt::MetaModifier));
    if (plain && !text.isEmpty() && text.at(0).isPrint()) {
        if (m_selectedItem <= 0 && CurrentSlot() >= 0)
            startNewItemEdit(text);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool PlannerGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        ensureLayout();
        auto *help = static_cast<QHelpEvent *>(event);
        const int i = itemAt(toContents(help->pos()));
        if (const Item *it = item(i)) {
            QString tip = timeLabel(it->start, m_amPm, m_military) + " - "
                          + timeLabel(it->end, m_amPm, m_military) + "\n" + it->text;
            if (!it->accountName.isEmpty())
                tip += "\n" + it->accountName;
            if (it->tentative)
                tip += "\nTentative";
            QToolTip::showText(help->globalPos(), tip, viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// --- In-place editor ----------------------------------------------------------------------

void PlannerGrid::startNewItemEdit(const QString &firstText)
{
    cancelEdit();
    m_edit = Edit::NewItem;
    m_editColumn = SelectedColumn();
    m_editStart = SelectedStart();
    m_editEnd = SelectedEnd();
    m_editor = new QLineEdit(viewport());
    m_editor->setFrame(true);
    m_editor->setText(firstText);
    m_editor->installEventFilter(this);
    placeEditor();
    m_editor->show();
    m_editor->setFocus();
    m_editor->deselect();
    m_editor->end(false);
}

void PlannerGrid::startItemTextEdit(int index)
{
    const Item *it = item(index);
    if (!it)
        return;
    cancelEdit();
    ensureLayout();
    if (m_placement[index - 1].column == 0)
        return;
    m_edit = Edit::ItemText;
    m_editItem = index;
    m_editor = new QLineEdit(viewport());
    m_editor->setText(it->text);
    m_editor->selectAll();
    m_editor->installEventFilter(this);
    placeEditor();
    m_editor->show();
    m_editor->setFocus();
}

void PlannerGrid::placeEditor()
{
    if (!m_editor || m_edit == Edit::None)
        return;
    const int h = std::max(m_editor->sizeHint().height(), int(m_scale.slotHeight));
    QRectF r;
    if (m_edit == Edit::NewItem) {
        const double top = minuteToY(m_scale, m_editStart);
        r = QRectF(m_cols.left(m_editColumn) + 1, top, m_cols.width - 2,
                   std::max<double>(h, minuteToY(m_scale, m_editEnd) - top));
        r.setHeight(h);
    } else {
        // An item in a narrow lane is edited across its whole column.
        const QRectF ir = itemContentRect(m_editItem);
        const int column = m_placement[m_editItem - 1].column;
        const double left = column ? std::min(ir.left(), m_cols.left(column) + 2) : ir.left();
        r = QRectF(left, ir.top(), std::max({ir.width(), m_cols.width - 4, 140.0}), h);
    }
    m_editor->setGeometry(
        r.translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value()).toRect());
}

bool PlannerGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                commitEdit();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                cancelEdit();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Clicking elsewhere keeps what was typed, as Enter does.
            QTimer::singleShot(0, this, [this] {
                if (m_editor && !m_editor->hasFocus())
                    commitEdit();
            });
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void PlannerGrid::cancelEdit()
{
    if (m_editor) {
        QLineEdit *editor = m_editor;
        m_editor = nullptr;
        editor->removeEventFilter(this);
        editor->hide();
        editor->deleteLater();
        if (m_edit != Edit::None)
            setFocus();
    }
    m_edit = Edit::None;
    m_editItem = 0;
}

void PlannerGrid::commitEdit()
{
    if (!m_editor || m_edit == Edit::None)
        return;
    const QString text = m_editor->text();
    const Edit kind = m_edit;
    const int editItem = m_editItem;
    cancelEdit();

    if (kind == Edit::NewItem) {
        if (text.trimmed().isEmpty() || m_editColumn < 1 || m_editColumn > ColumnCount())
            return;
        const qint32 day = m_mode == WeekGrid ? DayOfColumn(m_editColumn) : m_firstDay;
        const int index = AddItem(m_editStart, m_editEnd, day, text, QString());
        m_items[index - 1].resource = ColumnResource(m_editColumn);
        m_selectedItem = index;
        m_selColumn = m_editColumn;
        emit ItemAdded(index, m_editStart, m_editEnd, m_editColumn, false);
    } else if (Item *it = item(editItem)) {
        if (it->text == text)
            return;
        it->text = text;
        changed();
        emit ItemEdited(editItem, text);
    }
}

// --- Painting -----------------------------------------------------------------------------

void PlannerGrid::paintEvent(QPaintEvent *event)
{
    ensureLayout();
    QPainter p(viewport());
    p.setRenderHint(QPainter::Antialiasing, false);
    paintGrid(p, event->rect());
}

void PlannerGrid::paintGrid(QPainter &p, const QRect &exposed)
{
    const int hs = horizontalScrollBar()->value();
    const int vs = verticalScrollBar()->value();
    p.fillRect(exposed, closedColour);
    p.save();
    p.translate(-hs, -vs);
    const double gridWidth = m_cols.totalWidth();
    auto band = [&](int from, int to, const QColor &c) {
        from = std::max(from, m_scale.firstMinute);
        to = std::min(to, m_scale.endMinute());
        if (to > from)
            p.fillRect(QRectF(0, minuteToY(m_scale, from), gridWidth,
                              minuteToY(m_scale, to) - minuteToY(m_scale, from)), c);
    };
    const int closing = m_closing > m_opening ? m_closing : MinutesPerDay;
    const int opening = m_closing > m_opening ? m_opening : 0;
    band(opening, closing, Qt::white);
    band(std::max(m_primeStart, opening), std::min(m_primeEnd, closing), primeColour);

    // Rows: slot lines, stronger on the hour.
    for (int s = 0; s <= m_scale.slotCount; ++s) {
        const int minute = slotStartMinute(m_scale, s);
        const double y = std::floor(s * m_scale.slotHeight) + 0.5;
        p.setPen(QPen(minute % 60 == 0 ? hourLineColour : slotLineColour, 1));
        p.drawLine(QPointF(0, y), QPointF(gridWidth, y));
    }
    p.setPen(QPen(columnLineColour, 1));
    for (int c = 1; c <= m_cols.count; ++c) {
        const double x = std::floor(m_cols.left(c) + m_cols.width) - 0.5;
        p.drawLine(QPointF(x, 0), QPointF(x, m_scale.height()));
    }

    // The selected slots.
    const int column = SelectedColumn();
    if (column && m_currentMinute >= 0 && m_selectedItem <= 0) {
        const int from = SelectedStart();
        const int to = SelectedEnd();
        QRectF r(m_cols.left(column) + 1, minuteToY(m_scale, from), m_cols.width - 2,
                 minuteToY(m_scale, to) - minuteToY(m_scale, from));
        QColor fill = accentColour;
        fill.setAlpha(hasFocus() || m_editor ? 60 : 35);
        p.fillRect(r, fill);
        p.setPen(QPen(accentColour, 1.5));
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    }

    // Items.
    p.setRenderHint(QPainter::Antialiasing, true);
    const bool dragging = m_drag == Drag::Move || m_drag == Drag::ResizeTop
                          || m_drag == Drag::ResizeBottom;
    for (int i = 1; i <= m_items.size(); ++i) {
        if (!m_placement[i - 1].column)
            continue;
        const QRectF r = itemContentRect(i);
        if (!r.intersects(QRectF(exposed).translated(hs, vs)))
            continue;
        paintItem(p, r, m_items[i - 1], i == m_selectedItem, dragging && i == m_dragItem);
    }
    if (dragging && item(m_dragItem)) {
        Item ghost = m_items[m_dragItem - 1];
        ghost.start = m_ghostStart;
        ghost.end = m_ghostEnd;
        const QRectF r = itemContentRect(ghost, m_ghostColumn, Lane{0, 1});
        paintItem(p, r, ghost, true, false);
    }
    p.restore();

    if (m_items.isEmpty() && !m_hint.isEmpty()) {
        p.setPen(QColor(120, 126, 136));
        QFont f = font();
        f.setItalic(true);
        p.setFont(f);
        const QRect area = viewport()->rect().adjusted(24, 24, -24, -24);
        QRect box = p.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, m_hint);
        box.adjust(-14, -8, 14, 8);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(QColor(255, 255, 255, 230));
        p.setPen(QColor(215, 219, 225));
        p.drawRoundedRect(box, 6, 6);
        p.setPen(QColor(110, 116, 126));
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_hint);
    }
}

void PlannerGrid::paintItem(QPainter &p, const QRectF &r, const Item &it, bool selected,
                            bool ghost)
{
    QColor fill = colourFromRgb(it.colour);
    const QColor fg = textColourOn(fill);
    p.save();
    if (ghost)
        p.setOpacity(0.35);
    QPainterPath path;
    path.addRoundedRect(r, 3, 3);
    p.fillPath(path, fill);
    if (it.tentative) {
        QColor hatch = fg;
        hatch.setAlpha(55);
        p.fillPath(path, QBrush(hatch, Qt::BDiagPattern));
    }
    QPen border(fill.darker(150), 1);
    if (it.tentative) {
        border.setStyle(Qt::DashLine);
        border.setWidthF(1.5);
        border.setColor(fg == Qt::white ? fill.darker(200) : QColor(60, 60, 60));
    }
    p.setPen(border);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    if (selected) {
        p.setPen(QPen(QColor(20, 20, 20), 2));
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
        // Grips for resizing.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        if (r.height() > 3 * edgeGrip) {
            p.drawRect(QRectF(r.center().x() - 6, r.top() + 1, 12, 3));
            p.drawRect(QRectF(r.center().x() - 6, r.bottom() - 4, 12, 3));
        }
    }

    // Text: title in bold, then the account name; tentative items carry a tag.
    QFont bold = font();
    bold.setBold(true);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    const QFontMetricsF bm(bold), sm(small);
    QRectF text = r.adjusted(5, 2, -4, -2);
    p.setClipRect(r.adjusted(1, 1, -1, -1));
    p.setPen(fg);

    // Narrow or short items show tentative by their hatching and dashed border alone.
    QString tag;
    if (it.tentative && text.height() >= 2 * bm.height() && text.width() > 120)
        tag = QStringLiteral("Tentative");
    double tagWidth = 0;
    if (!tag.isEmpty()) {
        tagWidth = sm.horizontalAdvance(tag) + 8;
        const QRectF tr(text.right() - tagWidth, text.top() + 1, tagWidth, sm.height() + 1);
        p.setPen(Qt::NoPen);
        QColor tagFill = fg == Qt::white ? QColor(255, 255, 255, 220) : QColor(40, 40, 40, 210);
        p.setBrush(tagFill);
        p.drawRoundedRect(tr, 3, 3);
        p.setPen(fg == Qt::white ? fill.darker(180) : QColor(Qt::white));
        p.setFont(small);
        p.drawText(tr, Qt::AlignCenter, tag);
        p.setPen(fg);
    }

    if (r.height() < bm.height() + 4) {   // a short item: one small line across its middle
        p.setFont(small);
        const QRectF line = r.adjusted(5, 0, -4, 0);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                   sm.elidedText(it.text, Qt::ElideRight, line.width()));
        p.restore();
        return;
    }
    const int lineCount = std::max(1, int(text.height() / bm.height()));
    const bool account = !it.accountName.isEmpty() && lineCount >= 2;
    const int titleLines = std::max(1, lineCount - (account ? 1 : 0));
    p.setFont(bold);
    const QRectF titleRect(text.left(), text.top(), text.width() - tagWidth - 2,
                           titleLines * bm.height());
    if (titleLines == 1)
        p.drawText(titleRect, Qt::AlignLeft | Qt::AlignTop,
                   bm.elidedText(it.text, Qt::ElideRight, titleRect.width()));
    else
        p.drawText(titleRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, it.text);
    if (account) {
        QRectF used = p.boundingRect(titleRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                     it.text);
        const double y = std::min(used.bottom(), titleRect.bottom());
        p.setFont(small);
        p.drawText(QRectF(text.left(), y, text.width(), sm.height()), Qt::AlignLeft | Qt::AlignTop,
                   sm.elidedText(it.accountName, Qt::ElideRight, text.width()));
    }
    if (it.end < it.start && text.height() >= 3 * bm.height()) {
        p.setFont(small);
        p.drawText(text, Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("\u2192 ") + timeLabel(it.end, m_amPm, m_military));
    }
    p.restore();
}

void PlannerGrid::paintHeader(QPainter &p, const QRect &area)
{
    ensureLayout();
    p.fillRect(area, marginColour);
    const int left = rulerWidth();
    const int titleH = titleHeight();
    const int headH = headerHeight();
    if (titleH > 0) {
        QFont f = font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.15);
        p.setFont(f);
        p.setPen(marginTextColour);
        p.drawText(QRect(left + 8, 0, area.width() - left - 16, titleH),
                   Qt::AlignLeft | Qt::AlignVCenter, m_title);
        p.setPen(columnLineColour);
        p.drawLine(left, titleH - 1, area.width(), titleH - 1);
    }
    const int hs = horizontalScrollBar()->value();
    p.setClipRect(QRect(left, titleH, area.width() - left, headH));
    const qint32 today = dayNumberOfDate(System::today());
    for (int c = 1; c <= m_cols.count; ++c) {
        const QRect r(left + int(m_cols.left(c)) - hs, titleH, int(std::ceil(m_cols.width)),
                      headH);
        if (r.right() < left || r.left() > area.width())
            continue;
        const bool isToday = m_mode == WeekGrid && DayOfColumn(c) == today;
        const bool isSelected = c == SelectedColumn();
        if (isSelected)
            p.fillRect(r, QColor(232, 240, 254));
        QFont f = font();
        f.setBold(isToday || isSelected);
        p.setFont(f);
        p.setPen(isToday ? accentColour : marginTextColour);
        p.drawText(r.adjusted(6, 0, -6, 0), Qt::AlignCenter,
                   QFontMetrics(f).elidedText(headerText(c), Qt::ElideRight, r.width() - 12));
        if (isToday)
            p.fillRect(QRect(r.left() + 1, r.bottom() - 3, r.width() - 2, 3), accentColour);
        p.setPen(columnLineColour);
        p.drawLine(r.right(), r.top() + 4, r.right(), r.bottom());
    }
    p.setClipping(false);
    p.setPen(hourLineColour);
    p.drawLine(0, area.height() - 1, area.width(), area.height() - 1);
    p.drawLine(left - 1, titleH, left - 1, area.height());
}

void PlannerGrid::paintRuler(QPainter &p, const QRect &area)
{
    ensureLayout();
    p.fillRect(area, marginColour);
    const int vs = verticalScrollBar()->value();
    const int w = area.width();
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    const QFontMetrics fm(font());
    const bool labelEverySlot = m_scale.unit > 60 || m_scale.slotHeight >= 2.2 * fm.height();

    // The selected slots also show on the ruler.
    if (SelectedColumn() && m_currentMinute >= 0 && m_selectedItem <= 0) {
        QColor band = accentColour;
        band.setAlpha(40);
        const double top = minuteToY(m_scale, SelectedStart()) - vs;
        const double bottom = minuteToY(m_scale, SelectedEnd()) - vs;
        p.fillRect(QRectF(0, top, w, bottom - top), band);
    }
    for (int s = 0; s < m_scale.slotCount; ++s) {
        const int minute = slotStartMinute(m_scale, s);
        const int y = int(std::floor(s * m_scale.slotHeight)) - vs;
        if (y > area.height() || y + m_scale.slotHeight < 0)
            continue;
        const bool hour = minute % 60 == 0;
        p.setPen(hour ? hourLineColour : slotLineColour);
        p.drawLine(hour ? 0 : w - 8, y, w, y);
        if (hour || labelEverySlot || s == 0) {
            p.setFont(hour ? font() : small);
            p.setPen(hour ? marginTextColour : QColor(130, 136, 146));
            p.drawText(QRect(2, y + 2, w - 8, fm.height()), Qt::AlignRight | Qt::AlignTop,
                       timeLabel(minute, m_amPm, m_military));
        }
    }
    p.setPen(hourLineColour);
    p.drawLine(w - 1, 0, w - 1, area.height());
}

// --- Printing -----------------------------------------------------------------------------

void PlannerGrid::SetPrintLayout(quint32 lineColour, bool monochrome, int rulerWidth,
                                 int columnsPerPage)
{
    m_print.lineColour = lineColour;
    m_print.monochrome = monochrome;
    m_print.rulerWidth = rulerWidth;
    m_print.columnsPerPage = columnsPerPage;
}

QList<PlannerPrintItem> PlannerGrid::printLayout(const QSizeF &page) const
{
    PlannerPrintSettings settings = m_print;
    settings.title = m_printTitle;
    settings.subTitle = m_printSubTitle;
    settings.scheduleStart = m_scheduleStart;
    settings.scheduleEnd = m_scheduleEnd;
    settings.unit = m_printUnit;
    settings.amPm = m_amPm;
    settings.military = m_military;
    QStringList titles;
    for (int c = 1; c <= ColumnCount(); ++c)
        titles << headerText(c);
    QList<PlannerPrintEntry> entries;
    for (const Item &it : m_items) {
        const int c = columnOfItem(it);
        if (c > 0)
            entries.append(
                {c, it.start, it.end, it.text, it.accountName, it.colour, it.tentative});
    }
    return layoutPrint(settings, titles, entries, page);
}

int PlannerGrid::printPageCount() const
{
    return PlannerGeometry::printPageCount(ColumnCount(), m_print.columnsPerPage);
}

void PlannerGrid::renderPrint(QPainter *painter, const QRectF &target, int page) const
{
    const QList<PlannerPrintItem> items = printLayout(target.size());
    const double dpi = painter->device() ? painter->device()->logicalDpiY() : 72;
    painter->save();
    painter->translate(target.topLeft());
    painter->setRenderHint(QPainter::Antialiasing, true);
    for (const PlannerPrintItem &item : items) {
        if (item.page != page)
            continue;
        QPen pen(item.pen, item.penWidth);
        if (item.dashed)
            pen.setStyle(Qt::DashLine);
        switch (item.kind) {
        case PlannerPrintItem::Line:
            painter->setPen(pen);
            painter->drawLine(item.line);
            break;
        case PlannerPrintItem::Box:
            painter->setPen(pen);
            painter->setBrush(item.fill);
            painter->drawRect(item.rect);
            break;
        case PlannerPrintItem::Text: {
            QFont f = font();
            f.setPointSizeF(std::max(1.0, item.fontSize * 72.0 / dpi));
            f.setBold(item.bold);
            painter->setFont(f);
            painter->setPen(item.pen);
            painter->save();
            painter->setClipRect(item.rect);
            painter->drawText(item.rect, item.flags, item.text);
            painter->restore();
            break;
        }
        }
    }
    painter->restore();
}

PageModel PlannerGrid::printPages() const
{
    PageModel model;
    model.setTitle(m_printTitle.isEmpty() ? QStringLiteral("Schedule") : m_printTitle);
    model.setOrientation(QPageLayout::Landscape);
    const QList<PlannerPrintItem> items = printLayout(model.paperSize());
    for (int pg = 0; pg < printPageCount(); ++pg)
        model.addPage();
    for (const PlannerPrintItem &item : items) {
        if (item.page < 0 || item.page >= model.pageCount())
            continue;
        QList<PageItem> &out = model.page(item.page).items;
        switch (item.kind) {
        case PlannerPrintItem::Line:
            out.append(PageItem::makeLine(item.line, item.penWidth, item.pen));
            break;
        case PlannerPrintItem::Box: {
            const QColor fill = item.fill.alpha() > 0 ? item.fill : QColor();
            if (!item.dashed) {
                out.append(PageItem::makeRect(item.rect, item.penWidth, item.pen, fill));
                break;
            }
            // Pages know no dashed pens: the border is drawn as short strokes.
            out.append(PageItem::makeRect(item.rect, 0, item.pen, fill));
            const QRectF r = item.rect;
            const QLineF edges[] = {{r.topLeft(), r.topRight()}, {r.topRight(), r.bottomRight()},
                                    {r.bottomRight(), r.bottomLeft()},
                                    {r.bottomLeft(), r.topLeft()}};
            for (const QLineF &edge : edges) {
                const double dash = 3, gap = 2;
                for (double at = 0; at < edge.length(); at += dash + gap) {
                    const double to = std::min(at + dash, edge.length());
                    out.append(PageItem::makeLine(QLineF(edge.pointAt(at / edge.length()),
                                                         edge.pointAt(to / edge.length())),
                                                  item.penWidth, item.pen));
                }
            }
            break;
        }
        case PlannerPrintItem::Text: {
            QFont f = font();
            f.setPointSizeF(std::max(1.0, item.fontSize));
            f.setBold(item.bold);
            PageItem text = PageItem::makeText(item.rect, item.text, f, item.flags);
            text.color = item.pen;
            out.append(text);
            break;
        }
        }
    }
    return model;
}

void PlannerGrid::setPrintHandler(PrintHandler handler)
{
    printHandler() = std::move(handler);
}

void PlannerGrid::Print()
{
    if (printHandler()) {
        printHandler()(*this);
        return;
    }
    const PageModel pages = printPages();
    Printing::preview(pages, pages.title());
}
