#pragma once

#include <QString>
#include <QVariant>

#include <functional>

// Turns a field's value into the text a report prints, by a classic format pattern:
// numbers "0.00", "#,##0", "#,##0.00", "Fixed", "Standard"; dates and times "dd-mm-yyyy",
// "mm/dd/yyyy", "mmmm d, yyyy", "dddd", "h:mm", "hh:mm", "HH.mm", "Short Date", "Long Date",
// "Short Time", "Long Time". In date patterns "m"/"mm" after an hour (or before seconds) are
// minutes, "n"/"nn" always minutes. Numbers use "." for decimals and "," for thousands; halves
// are rounded away from zero. Null prints as empty text; a value a pattern cannot take
// prints as its plain text. Day and month names are English and no form follows the
// desktop's language or region: "Short Date" is the short date pattern below, "Long Date"
// "dddd, mmmm d, yyyy", "Long Time" "hh:mm:ss".
namespace ReportFormat {

QString format(const QVariant &value, const QString &pattern = QString());

// The pattern of "Short Date" and of a date printed without a pattern, asked for at each use
// (the program hands down its own); "dd-mm-yyyy" while none is set.
void setShortDatePattern(std::function<QString()> pattern);
QString shortDatePattern();

// The plain text of a value without a pattern: numbers without trailing zeros, Booleans as
// "True"/"False", dates in the short date form (with the time when it is not midnight).
QString plainText(const QVariant &value);

} // namespace ReportFormat
