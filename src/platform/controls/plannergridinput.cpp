#include "plannergrid.h"
#include "plannergrid_p.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace PlannerGeometry;
using namespace PlannerGridLook;

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
    if (m_drag != Drag::None && !(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (a box the press opened took it): the gesture is over.
        m_drag = Drag::None;
        viewport()->update();
    }
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
    m_lastChange = {index, it->keyText, it->start, it->end, it->day, it->resource};
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

bool PlannerGrid::RevertItemChange(int index)
{
    Item *it = item(index);
    const LastChange was = m_lastChange;
    m_lastChange = {};
    if (!it || was.index != index || was.keyText != it->keyText)
        return false;
    it->start = was.start;
    it->end = was.end;
    it->day = was.day;
    it->resource = was.resource;
    changed();
    ensureLayout();
    if (m_selectedItem == index) {
        m_selColumn = m_placement[index - 1].column;
        m_anchorMinute = m_currentMinute = slotStartMinute(m_scale, slotOfMinute(it->start));
    }
    return true;
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
    if (m_editor) {
        // Keys typed faster than the focus moves belong to the open editor. A key the editor
        // ignores (a bare Shift, Ctrl or AltGr) travels up to this grid again: it ends here.
        if (!m_forwardingKey) {
            m_forwardingKey = true;
            m_editor->setFocus();
            QCoreApplication::sendEvent(m_editor, event);
            m_forwardingKey = false;
        }
        event->accept();
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
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter opens the selected item as a double-click on it does.
        if (m_selectedItem > 0)
            emit ItemDblClick(m_selectedItem);
        return;
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

bool PlannerGrid::event(QEvent *event)
{
    // While the title editor is open every key is its own, also one that reaches the grid
    // before the focus moved: the owner's shortcuts do not take it from the editor.
    if (event->type() == QEvent::ShortcutOverride && m_editor) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
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
            if (it->cut)
                tip += "\nCut: paste it where it is to go";
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
        if (event->type() == QEvent::ShortcutOverride) {
            // Enter, Escape and F2 end or keep the edit; they run no shortcut of the window.
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape
                || key == Qt::Key_F2)
                event->accept();
        } else if (event->type() == QEvent::KeyPress) {
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
        // An item's text is never emptied in place: an empty edit keeps the text it had.
        if (it->text == text || text.trimmed().isEmpty())
            return;
        it->text = text;
        changed();
        emit ItemEdited(editItem, text);
    }
}
