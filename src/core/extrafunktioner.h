#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

#include <cstdint>

namespace Dao {
class Database;
}

// Encodings of days and times, the week procedures and the small database procedures that
// forms of every subsystem share. Each database procedure opens its own connection and closes it.
namespace Extrafunktioner {

// Day number: days since 1900-01-01 (day 0); the time of day is ignored.
int32_t DateToDayNumber(const QDate &d);
int32_t DateToDayNumber(const QDateTime &d);
QDate DayNumberToDate(int32_t n);
// Whole minutes since midnight; seconds are dropped (10:30:59 gives 630).
int32_t TimeToMinutes(const QTime &t);
// The time of day n minutes after midnight (n taken modulo a day).
QTime MinutesToTime(int32_t n);

// First day of the week that holds d, by gFirstDay ("1" Monday, "0" Sunday).
QDate WeekStartDate(const QDate &d);
// ISO week number of the week view's first day (gWeekStartDay).
int32_t ShownWeekNumber();

// The next booking number. Reads and increases the key counter in one write transaction, so
// two copies of the program asking at the same moment never get the same number.
int32_t NextKey();
// Takes count consecutive booking numbers in one step on db and returns the first. Runs inside
// the caller's transaction when one is open (the numbers are given back by its rollback), else
// in one of its own; count must be at least 1.
int32_t NextKeys(Dao::Database &db, int32_t count);

// Whole hours between two seconds-of-the-day values; an end before the start lies on the next day.
int32_t DurationHours(int32_t a, int32_t b);

// The checks of a file the user chose end within a bounded time. A database whose tables,
// views or triggers are not the program's own opens (nothing of it is read) but is no
// bookingfile; why then tells the reason, for start-up's message.
bool CanOpenDatabase(const QString &path);
// Both open the file once and check its integrity, within one bound of about 2 s that also
// covers the wait for a file another program holds locked. why, when given, tells a refused
// file's reason when the user can act on it (in use, damaged, another layout), else is empty.
bool IsBookingDatabase(const QString &path, QString *why = nullptr);
bool IsValidDatabase(const QString &path, QString *why = nullptr);

// Count, look-up and existence test on the bookingfile (CountPathsRows on paths.mdb).
// The fragments are the caller's own program text, never text typed by a user.
QVariant CountWhere(const QString &field, const QString &table, const QString &criteria);
QVariant CountPathsRows(const QString &field, const QString &table, const QString &criteria);
// The first field of the first row; a null QVariant when no row matches. Read from the
// bookingfile, or from the file at path when one is given.
QVariant LookupWhere(const QString &field, const QString &table, const QString &criteria,
                     const QString &path = QString());
bool RecordExists(const QString &table, const QString &field, const QVariant &value);

bool ResourceItemsExist();
void LoadFirstGroups();
// True for an administrator or a member of account gnr.
bool CanEditAccountBookings(int32_t gnr);
// The membership criteria of the rights test: "gnr =  12 And pnr =  7".
QString CanEditCriteria(int32_t gnr, int32_t user);

// paths.mdb of the program's folder.
QString PathsFile();

} // namespace Extrafunktioner
