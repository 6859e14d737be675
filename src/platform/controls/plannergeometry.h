#pragma once

#include <QColor>
#include <QDate>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The planner grid's arithmetic, kept apart from its painting: minute <-> y, column <-> x,
// packing of overlapping items, time and date texts, and the printed schedule as data.
// Times are minutes since midnight; an item whose end lies before its start runs past
// midnight and is shown to the end of its day.
namespace PlannerGeometry {

constexpr int MinutesPerDay = 1440;

// Day numbers count days from 1900-01-01 (day 0).

// The end an item is drawn to: its end, or the end of the day when it runs past midnight.
int shownEnd(int start, int end);

// Time unit in use: the given one, or 30 minutes when it makes no sense.
int sanitizedUnit(int unit);

// The rows of a grid: slotCount slots of unit minutes from firstMinute, each slotHeight high.
struct TimeScale
{
    int firstMinute = 0;
    int unit = 30;
    int slotCount = 0;
    double slotHeight = 20;

    int endMinute() const { return firstMinute + slotCount * unit; }
    double height() const { return slotCount * slotHeight; }
};

// The rows from opening to closing time, widened by whole units to show every span that lies
// outside them (nothing booked is hidden). Closing at or before opening shows the whole day.
struct Span
{
    int start = 0;
    int end = 0;
};
TimeScale timeScaleFor(int opening, int closing, int unit, const QList<Span> &spans,
                       double slotHeight);

double minuteToY(const TimeScale &scale, int minute);
int yToMinute(const TimeScale &scale, double y);
// Slot under y, or -1 outside the rows.
int slotAt(const TimeScale &scale, double y);
int slotStartMinute(const TimeScale &scale, int slot);
// The slot boundary (a minute) nearest to y, within the rows.
int nearestBoundary(const TimeScale &scale, double y);

// Columns of equal width from x = 0; indexes start at 1, 0 means none.
struct ColumnScale
{
    int count = 0;
    double width = 100;

    double left(int column) const { return (column - 1) * width; }
    double totalWidth() const { return count * width; }
};
int columnAt(const ColumnScale &scale, double x);

// Side-by-side placement of overlapping spans in one column: lane (from 0) and the number of
// lanes of the group of spans that overlap one another. Spans that only touch do not overlap.
struct Lane
{
    int lane = 0;
    int lanes = 1;
};
QList<Lane> packSpans(const QList<Span> &spans);

// Ruler text of a minute: "HH:mm" with 24-hour time, else "h:mm" with " am"/" pm" when asked.
QString timeLabel(int minute, bool amPm, bool military);

// Date picture of the column headers. Codes: D short weekday name (Mon), d full weekday name
// (Monday), N day of the month, m month number, y year (four digits); any other character
// stands as it is.
QString formatDatePicture(const QString &picture, const QDate &date);

// Colours as numbers with red in the low byte, then green, then blue (255 is pure red).
QColor colourFromRgb(quint32 rgb);
quint32 rgbFromColour(const QColor &colour);
// Black or white, whichever reads better on the given background.
QColor textColourOn(const QColor &background);

// --- The printed schedule -----------------------------------------------------------------

// One placed piece of a printed page, in page coordinates.
struct PlannerPrintItem
{
    enum Kind { Text, Box, Line };
    Kind kind = Text;
    int page = 0;
    QRectF rect;          // Text and Box
    QLineF line;          // Line
    QString text;
    QColor pen = Qt::black;
    QColor fill = Qt::transparent;
    double penWidth = 0.5;
    bool dashed = false;
    double fontSize = 8;  // height of the text in page units
    bool bold = false;
    int flags = 0;        // Qt::AlignmentFlag | Qt::TextFlag
};

// How the schedule is printed. lineColour (red in the low byte) draws the grid; monochrome
// prints items white with black text; rulerWidth is the time ruler's width and every size is
// in points of an A4 page, scaled to the page given; columnsPerPage splits wide grids.
struct PlannerPrintSettings
{
    QString title;
    QString subTitle;
    int scheduleStart = 480;
    int scheduleEnd = 1080;
    int unit = 30;
    bool amPm = false;
    bool military = true;
    quint32 lineColour = 0xC0C0C0;
    bool monochrome = false;
    int rulerWidth = 40;
    int columnsPerPage = 7;
};

struct PlannerPrintEntry
{
    int column = 0;       // from 1
    int start = 0;
    int end = 0;
    QString text;
    QString accountName;
    quint32 colour = 0;
    bool tentative = false;
};

int printPageCount(int columnCount, int columnsPerPage);
QList<PlannerPrintItem> layoutPrint(const PlannerPrintSettings &settings,
                                    const QStringList &columnTitles,
                                    const QList<PlannerPrintEntry> &entries, const QSizeF &page);

} // namespace PlannerGeometry
