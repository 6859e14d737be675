#pragma once

#include <QString>
#include <QVariant>

// Turns a field's value into the text a report prints, by a classic format pattern:
// numbers "0.00", "#,##0", "#,##0.00", "Fixed", "Standard"; dates and times "dd-mm-yyyy",
// "mm/dd/yyyy", "mmmm d, yyyy", "dddd", "h:mm", "hh:mm", "HH.mm", "Short Date", "Long Date",
// "Short Time", "Long Time". In date patterns "m"/"mm" after an hour (or before seconds) are
// minutes, "n"/"nn" always minutes. Numbers use "." for decimals and "," for thousands; halves
// are rounded away from zero. Null prints as empty text; a value a pattern cannot take
// prints as its plain text. Day and month names and the short and long forms follow QLocale().
namespace ReportFormat {

QString format(const QVariant &value, const QString &pattern = QString());

// The plain text of a value without a pattern: numbers without trailing zeros, Booleans as
// "True"/"False", dates in the short date form (with the time when it is not midnight).
QString plainText(const QVariant &value);

} // namespace ReportFormat
