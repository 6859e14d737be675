#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

#include <cstdint>

// Rounding to the nearest whole number, a tie going to the even number (0.5 -> 0, 1.5 -> 2).
int64_t RoundHalfEven(double value);

// A seconds-of-the-day value as minutes, rounded as above (90 -> 2, 150 -> 2, 30 -> 0).
int32_t SecondsToMinutes(int64_t seconds);

// Formats as the classic Format function does, through the one formatter of ReportFormat:
// dates and times ("dd-mm-yyyy", "mm/dd/yyyy", "mm-dd-yyyy", "hh:mm", "HH:mm", "HH.mm", "h:mm",
// "dddd", "mmmm d, yyyy", "Short Time") and numbers ("0.00", "#,##0", "#,##0.00", "Fixed",
// "Standard"; a half rounds away from zero). "m"/"mm" after an hour or before seconds are
// minutes, otherwise the month. "Short Date" is the program's date pattern (gDateFormat) and
// "Long Time" "hh:mm:ss".
QString Format(const QDate &date, const QString &pattern);
QString Format(const QDateTime &dateTime, const QString &pattern);
QString Format(const QTime &time, const QString &pattern);
QString Format(double number, const QString &pattern);

// The default text of a time of day (as the platform shows a time value): "10:00:00".
QString TimeText(const QTime &time);
// The default text of a date: by the program's date pattern.
QString DateText(const QDate &date);
