#pragma once

#include <QDate>

#include <cstdint>

// Day numbers: whole days since 1900-01-01, which is day 0. Plain arithmetic on the Julian day,
// so a conversion gives the right day also while static objects are still being made.
namespace DayNumber {

inline constexpr qint64 kJulianDayOfDayZero = 2415021;   // 1900-01-01

// 0 for an invalid date.
inline int32_t fromDate(const QDate &date)
{
    return date.isValid() ? int32_t(date.toJulianDay() - kJulianDayOfDayZero) : 0;
}

inline QDate toDate(int32_t dayNumber)
{
    return QDate::fromJulianDay(kJulianDayOfDayZero + dayNumber);
}

// The year of a date typed with two digits for it: 00-29 are 2000-2029, 30-99 are 1930-1999.
inline int fullYear(int twoDigits)
{
    return twoDigits + (twoDigits < 30 ? 2000 : 1900);
}

} // namespace DayNumber
