#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace Dao {

// How a column's values are typed, from its declared type.
enum class FieldKind { Unknown, Integer, Real, Text, Boolean, DateTime, Blob };

// INTEGER/LONG/SHORT/BYTE/COUNTER -> Integer, REAL/DOUBLE/SINGLE/CURRENCY/NUMERIC -> Real,
// TEXT/MEMO/CHAR -> Text, BOOLEAN/BIT/YESNO -> Boolean, DATETIME/DATE/TIME -> DateTime,
// BLOB/BINARY/PICTURE/OLE -> Blob; no or another declared type -> Unknown.
FieldKind kindOfDeclaredType(const QString &declared);

// Date-times are stored as text in this one form.
QString dateTimeText(const QDateTime &value);
QString dateText(const QDate &value);   // the date at midnight, same form
QDateTime parseDateTime(const QString &text);   // invalid when the text is no date-time

// Reads a column as the kind says; a Null is a null QVariant. A stored value that does not fit
// the kind is given as stored.
QVariant readColumn(sqlite3_stmt *stmt, int column, FieldKind kind);

// A value as a column of the given kind holds it: a Boolean from a number (any but 0 is true)
// or from "true"/"yes"/"false"/"no" or a number's text, a whole number rounded from a fraction
// (a tie to the even one), a date-time from a date or its text; an empty text is Null for
// columns that are not texts. Throws DbError when the value cannot be taken as the kind ("abc"
// for a number).
QVariant convertForKind(const QVariant &value, FieldKind kind);

// Binds a value converted for a column of the given kind: Booleans as 1/0, dates in the text
// form above. Throws DbError as convertForKind.
void bindValue(sqlite3_stmt *stmt, int index, const QVariant &value, FieldKind kind);

} // namespace Dao
