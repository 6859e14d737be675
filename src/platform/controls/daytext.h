#pragma once

#include <QDate>
#include <QString>

// Day numbers (days since 1900-01-01, day 0) and their texts by a pattern of dd, mm and yyyy,
// for the date controls.
namespace DayText {

int dayNumber(const QDate &date);
QDate dateOf(int dayNumber);
// "dd-mm-yyyy" gives "03-01-1900" for day 2; d, m and yy are accepted as well.
QString format(const QDate &date, const QString &pattern);

} // namespace DayText
