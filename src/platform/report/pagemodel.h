#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;

// Lengths on paper are points (1/72 inch). These turn millimetres into points and back.
namespace Units {
inline constexpr double pointsPerMm = 72.0 / 25.4;
inline constexpr double mm(double millimetres) { return millimetres * pointsPerMm; }
inline constexpr double toMm(double points) { return points / pointsPerMm; }
// A rectangle given in millimetres, in points.
inline QRectF mmRect(double x, double y, double width, double height)
{
    return {mm(x), mm(y), mm(width), mm(height)};
}
} // namespace Units

// One thing placed on a page, in points from the page's top-left corner.
struct PageItem
{
    enum Kind { Text, Line, Rect, Picture };

    Kind kind = Text;
    QRectF rect;                   // Text, Rect, Picture (for Line: the line's bounding box)
    QLineF line;                   // Line
    QString text;                  // Text
    QFont font;                    // Text; pointSizeF() is the size on paper
    int flags = Qt::AlignLeft | Qt::AlignVCenter;   // Text: alignment, Qt::TextWordWrap
    QColor color = Qt::black;      // text, line or border colour
    QColor fill;                   // Rect and Text background; invalid: none
    double penWidth = 0.5;         // Line and Rect border; 0: no border
    QImage image;                  // Picture, drawn inside rect
    bool keepAspect = true;        // Picture: scaled to fit, centred, proportions kept

    static PageItem makeText(const QRectF &rect, const QString &text, const QFont &font,
                             int flags = Qt::AlignLeft | Qt::AlignVCenter);
    static PageItem makeLine(const QLineF &line, double penWidth = 0.5,
                             const QColor &color = Qt::black);
    static PageItem makeRect(const QRectF &rect, double penWidth = 0.5,
                             const QColor &color = Qt::black, const QColor &fill = QColor());
    static PageItem makePicture(const QRectF &rect, const QImage &image, bool keepAspect = true);

    PageItem translated(double dx, double dy) const;
};

struct Page
{
    QList<PageItem> items;
};

// Pages of placed items: what a report, a list or a schedule prints. It is laid out once as
// data; every target (preview, printer, PDF) only paints it.
class PageModel
{
public:
    PageModel();

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    QPageSize pageSize() const { return m_pageSize; }
    void setPageSize(const QPageSize &size) { m_pageSize = size; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation o) { m_orientation = o; }
    // The paper in points, turned by the orientation.
    QSizeF paperSize() const;
    QPageLayout pageLayout() const;   // the paper, orientation and no margins

    int pageCount() const { return int(m_pages.size()); }
    Page &addPage();
    Page &page(int index) { return m_pages[index]; }
    const Page &page(int index) const { return m_pages[index]; }
    const QList<Page> &pages() const { return m_pages; }
    void clear() { m_pages.clear(); }

    // Paints one page. The painter's coordinates are taken as points from the page's top-left
    // corner; fonts keep their size in points whatever the device's resolution.
    void render(QPainter *painter, int pageIndex) const;

    // The texts of a page (every page when pageIndex is negative), top to bottom and left to
    // right, for tests and for searching.
    QStringList texts(int pageIndex = -1) const;
    // The first text item that reads exactly text (on one page, or any when negative).
    const PageItem *findText(const QString &text, int pageIndex = -1) const;
    // Every text item, in reading order, of one page.
    QList<const PageItem *> textItems(int pageIndex) const;

private:
    QString m_title;
    QPageSize m_pageSize{QPageSize::A4};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QList<Page> m_pages;
};

// Font sizes in points on paper, measured as the targets will draw them.
namespace TextMetrics {
double lineHeight(const QFont &font);
double textWidth(const QFont &font, const QString &text);
// The lines of text broken to at most width points: at blanks where it can, inside a word
// that is wider than the line by itself. A line break in the text always breaks.
QStringList wrappedLines(const QFont &font, const QString &text, double width);
// Height of text broken into lines of at most width points.
double wrappedHeight(const QFont &font, const QString &text, double width);
// Whether a text item shows its whole text inside its rectangle (on one line, or on the
// lines it wraps to); every other kind of item fits.
bool fits(const PageItem &item);
} // namespace TextMetrics
