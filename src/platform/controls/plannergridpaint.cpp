#include "plannergrid.h"
#include "platform/daynumber.h"
#include "plannergrid_p.h"

#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"
#include "platform/system.h"

#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPaintDevice>
#include <QPaintEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

using namespace PlannerGeometry;
using namespace PlannerGridLook;

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
    else if (it.cut)
        p.setOpacity(0.5);   // waits on the clipboard to be moved
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

    // Narrow or short items show tentative by their hatching and dashed border alone, and a
    // cut by its faded colours.
    QString tag;
    if ((it.tentative || it.cut) && text.height() >= 2 * bm.height() && text.width() > 120)
        tag = it.cut ? QStringLiteral("Cut") : QStringLiteral("Tentative");
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
    const qint32 today = DayNumber::fromDate(System::today());
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

namespace {

// A wrapping text in a printed box that cannot grow (a booking's box spans its times): a
// smaller font where the box is too short for it, down to kMinScale of its size; the lines that
// even that cannot hold are left out and the last one kept ends in an ellipsis, so that a text
// cut short is seen to be cut.
constexpr double kMinScale = 0.8;

void fitIntoBox(PageItem &item)
{
    if (!(item.flags & Qt::TextWordWrap) || item.text.isEmpty() || TextMetrics::fits(item))
        return;
    const double size = item.font.pointSizeF();
    for (double scale = 0.9; scale >= kMinScale - 1e-9; scale -= 0.1) {
        item.font.setPointSizeF(size * scale);
        if (TextMetrics::fits(item))
            return;
    }
    const double width = item.rect.width();
    const QStringList lines = TextMetrics::wrappedLines(item.font, item.text, width);
    const int room = std::max(1, int(item.rect.height() / TextMetrics::lineHeight(item.font)));
    QStringList kept = lines.mid(0, room);
    const QString ellipsis(QChar(0x2026));
    QString last = kept.last();
    while (!last.isEmpty() && TextMetrics::textWidth(item.font, last + ellipsis) > width)
        last.chop(1);
    kept.last() = last + ellipsis;
    item.text = kept.join(QLatin1Char('\n'));
}

} // namespace

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
            fitIntoBox(text);
            out.append(text);
            break;
        }
        }
    }
    return model;
}

void PlannerGrid::Print()
{
    const PageModel pages = printPages();
    Printing::preview(pages, pages.title());
}
