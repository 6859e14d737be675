#pragma once

#include "platform/db/statement.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class Form;
class QWidget;
class bookingform;

namespace Dao {
class Database;
}

// The work shared by the repeat dialogs, the chooser and the series delete: which booking they
// serve, the prepared dates in gendatogent of paths.mdb, the double-booking test, and writing a
// series into the bookingfile.
namespace RepeatSeries {

// A series holds at most as many dates as the date lists show.
constexpr int kMaxDates = 2000;

// The booking a dialog was opened for, and the bookingfile it is in.
struct Origin
{
    int32_t bookingnr = -1;
    QString databasePath;
    bool valid() const { return bookingnr >= 0 && !databasePath.isEmpty(); }
};

// The booking the booking form shows now; invalid when the form is not loaded or shows none.
Origin currentOrigin();
// The booking form when it still shows origin's booking from origin's file, else nullptr.
bookingform *formShowing(const Origin &origin);
// As formShowing; when the form no longer shows that booking the user is told and nullptr
// returned.
bookingform *requireForm(const Origin &origin);

// The item and the times of the dates to prepare, as the booking form holds them.
struct Slot
{
    int32_t item = 0;
    int32_t startSeconds = 0;
    int32_t endSeconds = 0;
};
// The booking form's item and times; nothing when one of them is empty.
std::optional<Slot> formSlot(const bookingform *form);

// The double-booking test: whether the item has a booking on that day whose start lies before
// the slot's end and whose end lies after its start (spans that only touch do not clash). One
// connection and one prepared, indexed test for all dates, which stops at the first clash.
class DoubleBookingTest
{
public:
    explicit DoubleBookingTest(const QString &bookingfile);
    ~DoubleBookingTest();
    bool clashes(int32_t day, const Slot &slot);

private:
    std::unique_ptr<Dao::Database> m_db;
    Dao::Statement m_count;
};

// One prepared date, a row of gendatogent.
struct GenDate
{
    int32_t id = 0;
    int32_t dato = 0;
    QTime start;
    QTime slut;
    int32_t lokalenr = 0;
    bool db = false;
};

// The time of day a seconds value gives, rounded to whole minutes.
QTime SlotTime(int32_t seconds);
// The value stored in gendatogent's Start and Slut for a time of day.
QDateTime StoredTime(const QTime &time);

// Adds one row per day for the slot, each tested for a double booking, in one transaction on
// paths.mdb; returns the new rows' IDs in the order of days.
QList<int32_t> AddDates(const QList<int32_t> &days, const Slot &slot, DoubleBookingTest &test);
// The rows of gendatogent among ids, in the table's order.
QList<GenDate> ReadDates(const QList<int32_t> &ids);
// Runs the statement in gSql on paths.mdb.
void ExecutePaths();

// Books every date among ids as a copy of the booking the form shows (origin) and makes that
// booking the head of the series: the numbers, the new rows and the head's series number, flag
// and colour are written in one transaction. The head's boxes then hold the new values. On a
// failure nothing is written, the user is told, and false is returned.
bool BookDates(const Origin &origin, const QList<int32_t> &ids, qint64 colour);

// Copies the booking form's values to every other member of its series in one statement and
// one transaction; returns the number of members changed. Throws Dao::DbError.
int UpdateMembers(const bookingform *form, int32_t gennr, int32_t bookingnr);

} // namespace RepeatSeries
