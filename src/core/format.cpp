#include "core/format.h"

#include "core/generalen.h"
#include "platform/report/reportformat.h"

#include <cmath>

int64_t RoundHalfEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));   // default rounding mode: ties to even
}

int32_t SecondsToMinutes(int64_t seconds)
{
    return static_cast<int32_t>(RoundHalfEven(static_cast<double>(seconds) / 60.0));
}

namespace {

QString shortDate()
{
    return Generalen::gDateFormat.isEmpty() ? "dd-mm-yyyy" : Generalen::gDateFormat;
}

// The reports' "Short Date", and a date they print without a pattern, is the settings' date
// form too, never the desktop's.
const bool shortDateHandedDown = [] {
    ReportFormat::setShortDatePattern(shortDate);
    return true;
}();

// The program's own meanings of the named forms; every other pattern is the one formatter's.
QString programPattern(const QString &pattern)
{
    if (pattern.compare("Short Date", Qt::CaseInsensitive) == 0)
        return shortDate();
    if (pattern.compare("Long Time", Qt::CaseInsensitive) == 0)
        return "hh:mm:ss";
    return pattern;
}

} // namespace

// A date or a time of day is formatted as a date and time in UTC: the same fields as in local
// time, without a look-up of the local zone for each call.
QString Format(const QDate &date, const QString &pattern)
{
    return Format(QDateTime(date, QTime(0, 0), Qt::UTC), pattern);
}

QString Format(const QDateTime &dateTime, const QString &pattern)
{
    return ReportFormat::format(dateTime, programPattern(pattern));
}

QString Format(const QTime &time, const QString &pattern)
{
    return Format(QDateTime(QDate(1899, 12, 30), time, Qt::UTC), pattern);
}

QString Format(double number, const QString &pattern)
{
    return ReportFormat::format(number, programPattern(pattern));
}

QString TimeText(const QTime &time) { return Format(time, "hh:mm:ss"); }

QString DateText(const QDate &date) { return Format(date, "Short Date"); }
