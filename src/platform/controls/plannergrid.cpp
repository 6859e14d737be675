#include "plannergrid.h"
#include "platform/daynumber.h"
#include "plannergrid_p.h"

#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace PlannerGeometry;
using namespace PlannerGridLook;

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
    m_lastChange = {};
    if (m_selectedItem == index)
        deselectItem();
    else if (m_selectedItem > index)
        --m_selectedItem;
    if (m_drag != Drag::None && m_drag != Drag::SelectRange)
        m_drag = Drag::None;
    m_pendingEditItem = 0;
    changed();
}

void PlannerGrid::deselectItem()
{
    // The slot under a selected item was never the user's choice: it is not shown once the
    // item is gone, or it would stand highlighted under the bookings shown there next.
    if (m_selectedItem > 0)
        m_currentMinute = m_anchorMinute = -1;
    m_selectedItem = 0;
}

void PlannerGrid::ClearItems()
{
    if (m_edit == Edit::ItemText)
        cancelEdit();
    m_items.clear();
    m_lastChange = {};
    deselectItem();
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

bool PlannerGrid::ItemCut(int index) const
{
    const Item *it = item(index);
    return it ? it->cut : false;
}

void PlannerGrid::SetItemCut(int index, bool value)
{
    Item *it = item(index);
    if (it && it->cut != value) {
        it->cut = value;
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

bool PlannerGrid::SelectItemByKey(const QString &key)
{
    m_currentMinute = m_anchorMinute = -1;
    int found = 0;
    for (int i = 1; i <= ItemCount() && !found; ++i) {
        if (ItemKeyText(i) == key)
            found = i;
    }
    m_selectedItem = 0;
    SetSelectedItem(found);
    return found != 0;
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
    // A layout and a repaint already due take this change in too: a refill changes thousands
    // of items before the next paint.
    if (m_dirty && m_relayoutQueued)
        return;
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
        return formatDatePicture(m_datePicture, DayNumber::toDate(DayOfColumn(column)));
    return m_columns[column - 1].title;
}

void PlannerGrid::ensureLayout()
{
    if (!m_dirty)
        return;
    m_dirty = false;

    const int top = titleHeight() + headerHeight();
    const int left = rulerWidth();
    // Set only when changed: each call lays out the scroll area's children again and repaints
    // its scroll bars.
    if (viewportMargins() != QMargins(left, top, 0, 0))
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
