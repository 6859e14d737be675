#pragma once

#include <QDate>
#include <QString>

// Texts of dates by a pattern of dd, mm and yyyy, for the date controls.
namespace DayText {

// "dd-mm-yyyy" gives "03-01-1900" for day 2; d, m and yy are accepted as well.
QString format(const QDate &date, const QString &pattern);

} // namespace DayText
