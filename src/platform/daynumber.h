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

} // namespace DayNumber
