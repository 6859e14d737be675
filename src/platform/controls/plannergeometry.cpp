#include "plannergeometry.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace PlannerGeometry {

int shownEnd(int start, int end)
{
    return end < start ? MinutesPerDay : end;
}

int sanitizedUnit(int unit)
{
    return unit >= 1 && unit <= MinutesPerDay ? unit : 30;
}

TimeScale timeScaleFor(int opening, int closing, int unit, const QList<Span> &spans,
                       double slotHeight)
{
    unit = sanitizedUnit(unit);
    opening = std::clamp(opening, 0, MinutesPerDay - 1);
    closing = std::clamp(closing, 0, MinutesPerDay);
    if (closing <= opening) {
        opening = 0;
        closing = MinutesPerDay;
    }
    int first = opening;
    int last = closing;
    for (const Span &s : spans) {
        const int start = std::clamp(s.start, 0, MinutesPerDay - 1);
        const int end = std::clamp(shownEnd(s.start, s.end), 0, MinutesPerDay);
        while (first > start && first - unit >= 0)
            first -= unit;
        if (start < first)   // opening is not a whole number of units after midnight
            first = 0;
        last = std::max(last, std::max(end, start + 1));
    }
    TimeScale scale;
    scale.firstMinute = first;
    scale.unit = unit;
    scale.slotCount = (last - first + unit - 1) / unit;
    scale.slotHeight = slotHeight;
    return scale;
}

double minuteToY(const TimeScale &scale, int minute)
{
    return double(minute - scale.firstMinute) / scale.unit * scale.slotHeight;
}

int yToMinute(const TimeScale &scale, double y)
{
    return scale.firstMinute + int(std::floor(y / scale.slotHeight * scale.unit));
}

int slotAt(const TimeScale &scale, double y)
{
    if (y < 0 || scale.slotHeight <= 0)
        return -1;
    const int slot = int(y / scale.slotHeight);
    return slot < scale.slotCount ? slot : -1;
}

int slotStartMinute(const TimeScale &scale, int slot)
{
    return scale.firstMinute + slot * scale.unit;
}

int nearestBoundary(const TimeScale &scale, double y)
{
    const int slot = std::clamp(int(std::lround(y / scale.slotHeight)), 0, scale.slotCount);
    return std::min(slotStartMinute(scale, slot), MinutesPerDay);
}

int columnAt(const ColumnScale &scale, double x)
{
    if (x < 0 || scale.width <= 0)
        return 0;
    const int column = int(x / scale.width) + 1;
    return column <= scale.count ? column : 0;
}

QList<Lane> packSpans(const QList<Span> &spans)
{
    QList<Lane> result(spans.size());
    QList<int> order(spans.size());
    std::iota(order.begin(), order.end(), 0);
    auto startOf = [&](int i) { return spans[i].start; };
    auto endOf = [&](int i) { return std::max(shownEnd(spans[i].start, spans[i].end),
                                              spans[i].start + 1); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return startOf(a) != startOf(b) ? startOf(a) < startOf(b) : endOf(a) > endOf(b);
    });

    QList<int> laneEnds;   // end of the last span in each lane of the current group
    QList<int> group;
    int groupEnd = -1;
    auto closeGroup = [&] {
        for (int i : group)
            result[i].lanes = int(laneEnds.size());
        group.clear();
        laneEnds.clear();
    };
    for (int i : order) {
        if (startOf(i) >= groupEnd)
            closeGroup();
        int lane = 0;
        while (lane < laneEnds.size() && laneEnds[lane] > startOf(i))
            ++lane;
        if (lane == laneEnds.size())
            laneEnds.append(endOf(i));
        else
            laneEnds[lane] = endOf(i);
        result[i].lane = lane;
        group.append(i);
        groupEnd = std::max(groupEnd, endOf(i));
    }
    closeGroup();
    return result;
}

QString timeLabel(int minute, bool amPm, bool military)
{
    minute = ((minute % MinutesPerDay) + MinutesPerDay) % MinutesPerDay;
    const int h = minute / 60;
    const int m = minute % 60;
    if (military)
        return QStringLiteral("%1:%2")
            .arg(h, 2, 10, QLatin1Char('0'))
            .arg(m, 2, 10, QLatin1Char('0'));
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    QString text = QStringLiteral("%1:%2").arg(h12).arg(m, 2, 10, QLatin1Char('0'));
    if (amPm)
        text += h < 12 ? QStringLiteral(" am") : QStringLiteral(" pm");
    return text;
}

QString formatDatePicture(const QString &picture, const QDate &date)
{
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    QString out;
    for (const QChar c : picture) {
        switch (c.unicode()) {
        case 'D': out += english.dayName(date.dayOfWeek(), QLocale::ShortFormat); break;
        case 'd': out += english.dayName(date.dayOfWeek(), QLocale::LongFormat); break;
        case 'N': out += QString::number(date.day()); break;
        case 'm': out += QString::number(date.month()); break;
        case 'y': out += QString::number(date.year()); break;
        default: out += c;
        }
    }
    return out;
}

QColor colourFromRgb(quint32 rgb)
{
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

quint32 rgbFromColour(const QColor &colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

QColor textColourOn(const QColor &background)
{
    // Perceived brightness (ITU-R BT.601 weights).
    const double y = 0.299 * background.red() + 0.587 * background.green()
                     + 0.114 * background.blue();
    return y >= 140 ? QColor(20, 20, 20) : QColor(Qt::white);
}

// --- The printed schedule -----------------------------------------------------------------

int printPageCount(int columnCount, int columnsPerPage)
{
    if (columnsPerPage < 1)
        columnsPerPage = 7;
    return std::max(1, (columnCount + columnsPerPage - 1) / columnsPerPage);
}

QList<PlannerPrintItem> layoutPrint(const PlannerPrintSettings &settings,
                                    const QStringList &columnTitles,
                                    const QList<PlannerPrintEntry> &entries, const QSizeF &page)
{
    QList<PlannerPrintItem> out;
    if (page.width() <= 0 || page.height() <= 0)
        return out;

    const double s = std::min(page.width(), page.height()) / 595.0;   // A4 points -> page
    const double margin = 28 * s;
    const QColor lineColour = colourFromRgb(settings.lineColour);
    const QColor hourColour = lineColour.darker(150);
    const int unit = sanitizedUnit(settings.unit);
    int spanStart = std::clamp(settings.scheduleStart, 0, MinutesPerDay - 1);
    int spanEnd = std::clamp(settings.scheduleEnd, 0, MinutesPerDay);
    if (spanEnd <= spanStart) {
        spanStart = 0;
        spanEnd = MinutesPerDay;
    }
    const int perPage = settings.columnsPerPage >= 1 ? settings.columnsPerPage : 7;
    const int pages = printPageCount(int(columnTitles.size()), perPage);

    auto text = [&](int pg, const QRectF &r, const QString &t, double size, bool bold, int flags,
                    const QColor &pen = Qt::black) {
        PlannerPrintItem item;
        item.kind = PlannerPrintItem::Text;
        item.page = pg;
        item.rect = r;
        item.text = t;
        item.fontSize = size;
        item.bold = bold;
        item.flags = flags;
        item.pen = pen;
        out.append(item);
    };
    auto box = [&](int pg, const QRectF &r, const QColor &pen, const QColor &fill, double width,
                   bool dashed = false) {
        PlannerPrintItem item;
        item.kind = PlannerPrintItem::Box;
        item.page = pg;
        item.rect = r;
        item.pen = pen;
        item.fill = fill;
        item.penWidth = width;
        item.dashed = dashed;
        out.append(item);
    };
    auto line = [&](int pg, const QLineF &l, const QColor &pen, double width) {
        PlannerPrintItem item;
        item.kind = PlannerPrintItem::Line;
        item.page = pg;
        item.line = l;
        item.pen = pen;
        item.penWidth = width;
        out.append(item);
    };

    const double left = margin;
    const double right = page.width() - margin;
    const double titleHeight = 20 * s;
    const double subTitleHeight = settings.subTitle.isEmpty() ? 0 : 15 * s;
    const double headerTop = margin + titleHeight + subTitleHeight + 6 * s;
    const double headerHeight = 20 * s;
    const double gridTop = headerTop + headerHeight;
    const double gridBottom = page.height() - margin;
    const double rulerWidth = std::max(10, settings.rulerWidth) * s;
    const double gridLeft = left + rulerWidth;
    const double minuteHeight = (gridBottom - gridTop) / (spanEnd - spanStart);
    auto yOf = [&](int minute) { return gridTop + (minute - spanStart) * minuteHeight; };
    const double rowHeight = unit * minuteHeight;

    for (int pg = 0; pg < pages; ++pg) {
        text(pg, QRectF(left, margin, right - left, titleHeight), settings.title, 14 * s, true,
             Qt::AlignLeft | Qt::AlignVCenter);
        if (!settings.subTitle.isEmpty())
            text(pg, QRectF(left, margin + titleHeight, right - left, subTitleHeight),
                 settings.subTitle, 10 * s, false, Qt::AlignLeft | Qt::AlignVCenter);

        const int firstColumn = pg * perPage + 1;
        const int columns = std::max(
            0, std::min(perPage, int(columnTitles.size()) - firstColumn + 1));
        const double columnWidth = columns > 0 ? (right - gridLeft) / columns : right - gridLeft;

        // Rows: slot lines, stronger on the hour, and the time ruler.
        for (int m = spanStart; m <= spanEnd; m += unit) {
            const bool hour = m % 60 == 0;
            if (!hour && rowHeight < 4 * s && m != spanStart)
                continue;
            line(pg, QLineF(hour ? left : gridLeft, yOf(m), right, yOf(m)),
                 hour ? hourColour : lineColour, hour ? 0.8 * s : 0.4 * s);
        }
        for (int m = spanStart; m < spanEnd; ++m) {
            if (m % 60 != 0 && m != spanStart)
                continue;
            if (m % 60 != 0 && (60 - m % 60) * minuteHeight < 9 * s)
                continue;   // no room before the next hour's label
            text(pg, QRectF(left, yOf(m) + 1 * s, rulerWidth - 3 * s, 9 * s),
                 timeLabel(m, settings.amPm, settings.military), 7 * s, m % 60 == 0,
                 Qt::AlignRight | Qt::AlignTop);
        }

        // Column headers and separators.
        for (int c = 0; c < columns; ++c) {
            const double x = gridLeft + c * columnWidth;
            const QRectF head(x, headerTop, columnWidth, headerHeight);
            box(pg, head, hourColour, lineColour.lighter(125), 0.6 * s);
            text(pg, head.adjusted(2 * s, 0, -2 * s, 0), columnTitles[firstColumn - 1 + c], 8 * s,
                 true, Qt::AlignCenter | Qt::TextWordWrap);
            line(pg, QLineF(x, gridTop, x, gridBottom), hourColour, 0.6 * s);
        }
        box(pg, QRectF(left, headerTop, right - left, gridBottom - headerTop), Qt::black,
            Qt::transparent, 1.0 * s);

        // Items of this page's columns, overlapping ones side by side.
        for (int c = 0; c < columns; ++c) {
            QList<int> mine;
            QList<Span> spans;
            for (int i = 0; i < entries.size(); ++i) {
                const PlannerPrintEntry &e = entries[i];
                if (e.column != firstColumn + c)
                    continue;
                const int end = shownEnd(e.start, e.end);
                if (end <= spanStart || e.start >= spanEnd)
                    continue;
                mine.append(i);
                spans.append({e.start, e.end});
            }
            const QList<Lane> lanes = packSpans(spans);
            const double x = gridLeft + c * columnWidth;
            for (int k = 0; k < mine.size(); ++k) {
                const PlannerPrintEntry &e = entries[mine[k]];
                const double laneWidth = columnWidth / lanes[k].lanes;
                const double top = yOf(std::max(e.start, spanStart));
                const double bottom = std::max(
                    yOf(std::min(shownEnd(e.start, e.end), spanEnd)), top + 6 * s);
                const QRectF r(x + lanes[k].lane * laneWidth + 1.5 * s, top + 0.5 * s,
                               laneWidth - 3 * s, bottom - top - 1 * s);
                const QColor fill = settings.monochrome ? QColor(Qt::white)
                                                        : colourFromRgb(e.colour);
                box(pg, r, QColor(40, 40, 40), fill, 0.6 * s, e.tentative);
                QString body = timeLabel(e.start, settings.amPm, settings.military) + "-"
                               + timeLabel(e.end, settings.amPm, settings.military) + " "
                               + e.text;
                if (!e.accountName.isEmpty())
                    body += "\n" + e.accountName;
                if (e.tentative)
                    body += "\nTentative";
                text(pg, r.adjusted(1.5 * s, 1 * s, -1.5 * s, -1 * s), body, 6.5 * s, false,
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, textColourOn(fill));
            }
        }
    }
    return out;
}

} // namespace PlannerGeometry
