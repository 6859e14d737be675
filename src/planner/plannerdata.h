#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>

class PlannerGrid;
class QWidget;

// What both planner views read from the bookingfile, and the grid settings they share. Each
// loader opens its own connection and closes it before it returns.
namespace PlannerData {

// Copies the opening hours, prime time, schedule span, time unit and date picture of the
// program state to a grid.
void applyGridSettings(PlannerGrid &grid);

// Whether an item is shown on a day: an inactive item is hidden from the first to the last day
// of its unavailable period, both included. An item whose inactive flag is empty is hidden; an
// empty bound puts no day outside the period on its side.
bool isAvailableOn(const QVariant &inaktiv, const QVariant &inakstart, const QVariant &inakslut,
                   int32_t day);

// The statements behind the loaders. They read the indexes of booking (Bgruppe, Bdato) and
// (Lokalenr, Bdato) and give the rows in Bookingnr order, as a walk of the table would.
QString resourceColumnsSql(int32_t type);
QString dayBookingsSql(int32_t type, int32_t day);
QString weekBookingsSql(int32_t item, int32_t firstDay);

// Adds a column for each item of the type that is available on the day; each column gets the
// further value 255. Returns the number of columns added.
int loadResourceColumns(PlannerGrid &grid, int32_t type, int32_t day);

// Adds an item for each booking the statement selects. withResource: the item's resource
// number is set from the booking's Lokalenr (the day grid). Returns the number of items added.
int loadBookings(PlannerGrid &grid, const QString &sql, bool withResource);

// While it lives, the loaders above read through one connection to the bookingfile rather than
// each opening its own: a refresh reads its columns and its bookings through one.
class OneConnection
{
public:
    OneConnection();
    ~OneConnection();
    OneConnection(const OneConnection &) = delete;
    OneConnection &operator=(const OneConnection &) = delete;
};

// Holds back a widget's repaints while it lives, so that a refill of thousands of items is
// painted once, after it.
class BatchedRepaint
{
public:
    explicit BatchedRepaint(QWidget *widget);
    ~BatchedRepaint();
    BatchedRepaint(const BatchedRepaint &) = delete;
    BatchedRepaint &operator=(const BatchedRepaint &) = delete;

private:
    QList<QPointer<QWidget>> m_held;
};

// Refills a view as it becomes active. Closing a message activates the view again, so a
// bookingfile that cannot be read is reported once (failedBefore remembers it), not at each
// activation; a refill that works again clears the mark.
void refillOnActivation(bool &failedBefore, const std::function<void()> &refill);

} // namespace PlannerData
