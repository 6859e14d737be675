#include "platform/db/sqlvalue.h"

#include "platform/db/dberror.h"

#include <QByteArray>

#include <sqlite3.h>

#include <cmath>

namespace Dao {
namespace {

bool containsAny(const QString &text, std::initializer_list<const char *> parts)
{
    for (const char *part : parts)
        if (text.contains(QLatin1String(part)))
            return true;
    return false;
}

DbError mismatch(const QVariant &value, const char *kind)
{
    return DbError(QString("Data type mismatch: '%1' is not %2.").arg(value.toString(), kind),
                   3464);
}

QString columnText(sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
}

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void bindByKind(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, value.toBool() ? 1 : 0);
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::UChar:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    case QMetaType::QDateTime:
        bindText(stmt, index, dateTimeText(value.toDateTime()));
        return;
    case QMetaType::QDate:
        bindText(stmt, index, dateText(value.toDate()));
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return;
    }
    default:
        bindText(stmt, index, value.toString());
    }
}

bool isNumberType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Char:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

} // namespace

FieldKind kindOfDeclaredType(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.isEmpty())
        return FieldKind::Unknown;
    if (containsAny(t, {"BOOL", "YESNO", "LOGICAL"}) || t == "BIT")
        return FieldKind::Boolean;
    if (containsAny(t, {"DATE", "TIME"}))
        return FieldKind::DateTime;
    if (containsAny(t, {"INT", "LONG", "SHORT", "BYTE", "COUNTER", "AUTOINCREMENT"}))
        return FieldKind::Integer;
    if (containsAny(t, {"REAL", "DOUB", "FLOA", "SINGLE", "CURRENCY", "MONEY", "NUMERIC",
                        "DECIMAL"}))
        return FieldKind::Real;
    if (containsAny(t, {"TEXT", "CHAR", "MEMO", "CLOB", "STRING"}))
        return FieldKind::Text;
    if (containsAny(t, {"BLOB", "BINARY", "PICTURE", "OLE", "IMAGE"}))
        return FieldKind::Blob;
    return FieldKind::Unknown;
}

QString dateTimeText(const QDateTime &value) { return value.toString("yyyy-MM-dd HH:mm:ss"); }

QString dateText(const QDate &value) { return value.toString("yyyy-MM-dd") + " 00:00:00"; }

QDateTime parseDateTime(const QString &text)
{
    const QString t = text.trimmed();
    for (const char *f : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss",
                          "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-dd HH:mm"}) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
        if (dt.isValid())
            return dt;
    }
    const QDate d = QDate::fromString(t, "yyyy-MM-dd");
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

QVariant readColumn(sqlite3_stmt *stmt, int column, FieldKind kind)
{
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_NULL)
        return QVariant();
    switch (kind) {
    case FieldKind::Boolean:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return sqlite3_column_double(stmt, column) != 0.0;
        break;
    case FieldKind::DateTime:
        if (type == SQLITE_TEXT) {
            const QString text = columnText(stmt, column);
            const QDateTime dt = parseDateTime(text);
            return dt.isValid() ? QVariant(dt) : QVariant(text);
        }
        break;
    case FieldKind::Integer:
        if (type == SQLITE_FLOAT) {
            const double d = sqlite3_column_double(stmt, column);
            if (d == std::floor(d) && std::abs(d) < 9.0e15)
                return qlonglong(d);
            return d;
        }
        break;
    case FieldKind::Real:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return sqlite3_column_double(stmt, column);
        break;
    case FieldKind::Text:
        return columnText(stmt, column);
    case FieldKind::Blob: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QByteArray(bytes, sqlite3_column_bytes(stmt, column));
    }
    case FieldKind::Unknown:
        break;
    }
    switch (type) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QByteArray(bytes, sqlite3_column_bytes(stmt, column));
    }
    default:
        return columnText(stmt, column);
    }
}

QVariant convertForKind(const QVariant &value, FieldKind kind)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString().trimmed() : QString();
    if (isText && text.isEmpty() && kind != FieldKind::Text && kind != FieldKind::Unknown
        && kind != FieldKind::Blob)
        return QVariant();   // a cleared box of a number, date or Boolean
    bool ok = true;
    switch (kind) {
    case FieldKind::Boolean:
        if (isNumberType(value))
            return value.toDouble() != 0.0;
        if (isText) {
            if (text.compare("true", Qt::CaseInsensitive) == 0
                || text.compare("yes", Qt::CaseInsensitive) == 0)
                return true;
            if (text.compare("false", Qt::CaseInsensitive) == 0
                || text.compare("no", Qt::CaseInsensitive) == 0)
                return false;
            const double d = text.toDouble(&ok);
            if (ok)
                return d != 0.0;
        }
        throw mismatch(value, "a Boolean");
    case FieldKind::Integer: {
        if (value.typeId() == QMetaType::Bool)
            return qlonglong(value.toBool() ? 1 : 0);
        const bool fraction = value.typeId() == QMetaType::Double
                              || value.typeId() == QMetaType::Float;
        if (!isText && !isNumberType(value))
            throw mismatch(value, "a number");
        const qlonglong n = isText ? text.toLongLong(&ok) : value.toLongLong(&ok);
        if (ok && !fraction)
            return n;
        const double d = isText ? text.toDouble(&ok) : value.toDouble(&ok);
        if (!ok)
            throw mismatch(value, "a number");
        // Jet rounds a fraction stored in a whole-number field, a tie to the even number.
        return qlonglong(std::nearbyint(d));
    }
    case FieldKind::Real: {
        if (!isText && !isNumberType(value))
            throw mismatch(value, "a number");
        const double d = isText ? text.toDouble(&ok) : value.toDouble(&ok);
        if (!ok)
            throw mismatch(value, "a number");
        return d;
    }
    case FieldKind::DateTime:
        if (value.typeId() == QMetaType::QDateTime)
            return value;
        if (value.typeId() == QMetaType::QDate)
            return QDateTime(value.toDate(), QTime(0, 0));
        if (isText) {
            const QDateTime dt = parseDateTime(text);
            if (dt.isValid())
                return dt;
        }
        throw mismatch(value, "a date");
    case FieldKind::Text:
        if (value.typeId() == QMetaType::QDateTime)
            return dateTimeText(value.toDateTime());
        return value.toString();
    case FieldKind::Blob:
        return isText ? value : QVariant(value.toByteArray());
    case FieldKind::Unknown:
        break;
    }
    return value;
}

void bindValue(sqlite3_stmt *stmt, int index, const QVariant &value, FieldKind kind)
{
    const QVariant converted = convertForKind(value, kind);
    if (converted.isNull())
        sqlite3_bind_null(stmt, index);
    else
        bindByKind(stmt, index, converted);
}

} // namespace Dao
