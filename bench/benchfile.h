#pragma once

// The big bookingfiles the benchmarks run on, made by one maker. A file holds 5,001 accounts,
// a type of 300 items and one of 10, `bookings` bookings spread over the year before and the
// year after the bench's day and over all items (an ordinary day holds about bookings / 730),
// and the archive a bookingfile of that age has: a copy of every booking older than the
// archiving delay and as many again from the year before.
//
// The shown week holds the same bookings in every file, so a view or a receipt of that week
// costs the same on a small and a big file unless it reads what it does not show.

#include <QDate>
#include <QString>

#include <cstdint>

namespace BenchFile {

constexpr int Accounts = 5001;       // 1 is the administrator
constexpr int BigType = 1;           // items 1 to 300
constexpr int BigItems = 300;
constexpr int SmallType = 2;         // items 301 to 310
constexpr int SmallItems = 10;
constexpr int Items = BigItems + SmallItems;
constexpr int ArchiveDelay = 30;     // the settings' archiving and deletion delays
constexpr int DeleteDelay = 365;

// The bench's clock: the day the program runs on.
QDate today();
int32_t todayNumber();
// The Monday of the shown week, two weeks after today. Every item has two bookings on each of
// its days: odd items 09:00-10:00 and 13:00-14:30, even items 10:00-11:00 and 15:00-16:00.
int32_t shownWeek();
// A day of the bulk bookings a month after today, outside the shown week.
int32_t ordinaryDay();
// In the shown week: the bookings of item 1 are one series (14 bookings, series number
// seriesNumber()); singleBooking() is item 2's first booking, in no series.
int32_t seriesNumber(int bookings);
int32_t singleBooking(int bookings);

// A bookingfile of `bookings` bookings: made once per size, layout and schema in the cache
// folder (VANTIX_BENCH_CACHE or <temp>/vantix-bench), then copied to `folder` for each use, as
// the benchmarks write into it. Throws std::runtime_error when it cannot be made.
QString copyTo(const QString &folder, int bookings, const QString &emptyDatabase);

} // namespace BenchFile
