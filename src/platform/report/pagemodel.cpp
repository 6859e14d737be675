#include "platform/report/pagemodel.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

PageItem PageItem::makeText(const QRectF &rect, const QString &text, const QFont &font, int flags)
{
    PageItem item;
    item.kind = Text;
    item.rect = rect;
    item.text = text;
    item.font = font;
    item.flags = flags;
    return item;
}

PageItem PageItem::makeLine(const QLineF &line, double penWidth, const QColor &color)
{
    PageItem item;
    item.kind = Line;
    item.line = line;
    item.rect = QRectF(line.p1(), line.p2()).normalized();
    item.penWidth = penWidth;
    item.color = color;
    return item;
}

PageItem PageItem::makeRect(const QRectF &rect, double penWidth, const QColor &color,
                            const QColor &fill)
{
    PageItem item;
    item.kind = Rect;
    item.rect = rect;
    item.penWidth = penWidth;
    item.color = color;
    item.fill = fill;
    return item;
}

PageItem PageItem::makePicture(const QRectF &rect, const QImage &image, bool keepAspect)
{
    PageItem item;
    item.kind = Picture;
    item.rect = rect;
    item.image = image;
    item.keepAspect = keepAspect;
    return item;
}

PageItem PageItem::translated(double dx, double dy) const
{
    PageItem item = *this;
    item.rect.translate(dx, dy);
    item.line.translate(dx, dy);
    return item;
}

PageModel::PageModel() = default;

QSizeF PageModel::paperSize() const
{
    const QSizeF s = m_pageSize.size(QPageSize::Point);
    return m_orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout PageModel::pageLayout() const
{
    return QPageLayout(m_pageSize, m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

Page &PageModel::addPage()
{
    m_pages.append(Page());
    return m_pages.last();
}

namespace {

// Texts are laid out at ten times their size and drawn scaled down, as TextMetrics measures
// them: a font engine sizes a font in whole pixels, and at the few pixels of a small font on a
// scaled painter that rounding alone makes a line several percent wider than measured.
constexpr double kTextScale = 10.0;

// A font whose point size, on this painter's device, comes out as kTextScale times its size
// in points in the painter's coordinates (which are points).
QFont fontFor(QPainter *painter, const QFont &font)
{
    QFont f = font;
    const int dpi = painter->device() ? painter->device()->logicalDpiY() : 72;
    f.setPointSizeF(font.pointSizeF() * kTextScale * 72.0 / (dpi > 0 ? dpi : 72));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Draws a text item's text (the painter's coordinates are points). A wrapped text is drawn
// line by line where TextMetrics broke it, so that what is drawn is what was measured: a word
// wider than its box breaks inside instead of running out of it.
void drawText(QPainter *p, const PageItem &item)
{
    p->save();
    // A little room on either side for antialiased glyph edges.
    p->setClipRect(item.rect.adjusted(-1.5, -0.5, 1.5, 0.5), Qt::IntersectClip);
    p->translate(item.rect.topLeft());
    p->scale(1 / kTextScale, 1 / kTextScale);
    p->setFont(fontFor(p, item.font));
    p->setPen(item.color);
    const QRectF box(0, 0, item.rect.width() * kTextScale, item.rect.height() * kTextScale);
    if (!(item.flags & Qt::TextWordWrap)) {
        p->drawText(box, item.flags, item.text);
        p->restore();
        return;
    }
    const QStringList lines = TextMetrics::wrappedLines(item.font, item.text, item.rect.width());
    const double lineHeight = TextMetrics::lineHeight(item.font) * kTextScale;
    const double height = lineHeight * lines.size();
    double y = 0;
    if (item.flags & Qt::AlignBottom)
        y = box.height() - height;
    else if (!(item.flags & Qt::AlignTop))
        y = (box.height() - height) / 2;
    const int horizontal = (item.flags & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter
                           | Qt::TextSingleLine;
    for (const QString &line : lines) {
        p->drawText(QRectF(0, y, box.width(), lineHeight), horizontal, line);
        y += lineHeight;
    }
    p->restore();
}

void drawItem(QPainter *p, const PageItem &item)
{
    switch (item.kind) {
    case PageItem::Text: {
        if (item.fill.isValid())
            p->fillRect(item.rect, item.fill);
        if (!item.text.isEmpty())
            drawText(p, item);
        return;
    }
    case PageItem::Line: {
        QPen pen(item.color, item.penWidth);
        pen.setCapStyle(Qt::FlatCap);
        p->setPen(pen);
        p->drawLine(item.line);
        return;
    }
    case PageItem::Rect:
        if (item.fill.isValid())
            p->fillRect(item.rect, item.fill);
        if (item.penWidth > 0) {
            p->setPen(QPen(item.color, item.penWidth));
            p->setBrush(Qt::NoBrush);
            p->drawRect(item.rect);
        }
        return;
    case PageItem::Picture: {
        if (item.image.isNull())
            return;
        QRectF target = item.rect;
        if (item.keepAspect) {
            QSizeF s = QSizeF(item.image.size());
            s.scale(item.rect.size(), Qt::KeepAspectRatio);
            target = QRectF(QPointF(), s);
            target.moveCenter(item.rect.center());
        }
        p->drawImage(target, item.image);
        return;
    }
    }
}

bool readingOrder(const PageItem *a, const PageItem *b)
{
    // Items on one baseline band read left to right.
    if (std::abs(a->rect.top() - b->rect.top()) > 1.0)
        return a->rect.top() < b->rect.top();
    return a->rect.left() < b->rect.left();
}

} // namespace

void PageModel::render(QPainter *painter, int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= pageCount())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageItem &item : m_pages[pageIndex].items)
        drawItem(painter, item);
    painter->restore();
}

QList<const PageItem *> PageModel::textItems(int pageIndex) const
{
    QList<const PageItem *> list;
    if (pageIndex < 0 || pageIndex >= pageCount())
        return list;
    for (const PageItem &item : m_pages[pageIndex].items) {
        if (item.kind == PageItem::Text && !item.text.isEmpty())
            list.append(&item);
    }
    std::stable_sort(list.begin(), list.end(), readingOrder);
    return list;
}

QStringList PageModel::texts(int pageIndex) const
{
    QStringList out;
    const int from = pageIndex < 0 ? 0 : pageIndex;
    const int to = pageIndex < 0 ? pageCount() - 1 : pageIndex;
    for (int i = from; i <= to; ++i) {
        for (const PageItem *item : textItems(i))
            out.append(item->text);
    }
    return out;
}

const PageItem *PageModel::findText(const QString &text, int pageIndex) const
{
    const int from = pageIndex < 0 ? 0 : pageIndex;
    const int to = pageIndex < 0 ? pageCount() - 1 : pageIndex;
    for (int i = from; i <= to; ++i) {
        for (const PageItem *item : textItems(i)) {
            if (item->text == text)
                return item;
        }
    }
    return nullptr;
}

namespace TextMetrics {

namespace {
// Fonts are measured enlarged as they are drawn (see drawText), so that the whole pixels of
// small sizes do not skew widths.
constexpr double kScale = kTextScale;

QImage &measuringDevice()
{
    static QImage device(1, 1, QImage::Format_ARGB32);
    return device;
}

// The font enlarged for measuring on the measuring device.
QFont measuringFont(const QFont &font)
{
    QFont f = font;
    f.setPointSizeF(font.pointSizeF() * kScale * 72.0 / measuringDevice().logicalDpiY());
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Every printed text is measured; the metrics of the few fonts a page uses are kept.
const QFontMetricsF &metricsFor(const QFont &font)
{
    static QHash<QString, QFontMetricsF> cache;
    const QString key = font.key();
    auto it = cache.constFind(key);
    if (it == cache.constEnd()) {
        if (cache.size() > 256)
            cache.clear();
        it = cache.insert(key, QFontMetricsF(measuringFont(font), &measuringDevice()));
    }
    return *it;
}
} // namespace

double lineHeight(const QFont &font)
{
    return metricsFor(font).height() / kScale;
}

double textWidth(const QFont &font, const QString &text)
{
    return metricsFor(font).horizontalAdvance(text) / kScale;
}

QStringList wrappedLines(const QFont &font, const QString &text, double width)
{
    QString t = text;
    t.remove(QLatin1Char('\r'));
    t.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(t, measuringFont(font), &measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1.0) * kScale);
        QString part = t.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back() == QChar::LineSeparator || part.back().isSpace()))
            part.chop(1);
        lines.append(part);
    }
    layout.endLayout();
    return lines;
}

double wrappedHeight(const QFont &font, const QString &text, double width)
{
    if (text.isEmpty())
        return 0;
    return wrappedLines(font, text, width).size() * lineHeight(font);
}

bool fits(const PageItem &item)
{
    if (item.kind != PageItem::Text || item.text.isEmpty())
        return true;
    // What a target may draw beyond the measure, a fraction of a point (see drawItem).
    constexpr double slack = 1.0;
    const double width = item.rect.width();
    if (item.flags & Qt::TextWordWrap) {
        const QStringList lines = wrappedLines(item.font, item.text, width);
        for (const QString &line : lines) {
            if (textWidth(item.font, line) > width + slack)
                return false;
        }
        return lines.size() * lineHeight(item.font) <= item.rect.height() + slack;
    }
    QString line = item.text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return textWidth(item.font, line) <= width + slack
           && lineHeight(item.font) <= item.rect.height() + slack;
}

} // namespace TextMetrics
