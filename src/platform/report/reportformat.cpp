#include "platform/report/reportformat.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace ReportFormat {

namespace {

std::function<QString()> &shortDateSource()
{
    static std::function<QString()> source;
    return source;
}

// Day and month names are the program's own language's, whatever the desktop's.
const QLocale &names()
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english;
}

const QString kLongDate = QStringLiteral("dddd, mmmm d, yyyy");
const QString kLongTime = QStringLiteral("hh:mm:ss");

bool isNumberType(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Double: case QMetaType::Float:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool toNumber(const QVariant &v, double *out)
{
    if (isNumberType(v)) {
        *out = v.toDouble();
        return true;
    }
    if (v.typeId() == QMetaType::Bool) {
        *out = v.toBool() ? -1 : 0;   // the classic platform's True
        return true;
    }
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (ok) {
            *out = d;
            return true;
        }
    }
    return false;
}

// The platform's date serial: days since 1899-12-30, the fraction being the time of day.
const QDate kSerialZero(1899, 12, 30);

// Dates and times without a zone are held as UTC: their fields print as given, with no
// daylight-saving shift and no look-up of the local zone for each value.
bool toDateTime(const QVariant &v, QDateTime *out)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        *out = v.toDateTime();
        return out->isValid();
    case QMetaType::QDate:
        *out = QDateTime(v.toDate(), QTime(0, 0), Qt::UTC);
        return v.toDate().isValid();
    case QMetaType::QTime:
        *out = QDateTime(kSerialZero, v.toTime(), Qt::UTC);
        return v.toTime().isValid();
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        QDateTime dt = QDateTime::fromString(s, Qt::ISODate);
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(s, Qt::ISODate);
            if (d.isValid())
                dt = QDateTime(d, QTime(0, 0), Qt::UTC);
        }
        if (!dt.isValid()) {
            QTime t = QTime::fromString(s, "h:mm:ss");
            if (!t.isValid())
                t = QTime::fromString(s, "h:mm");
            if (t.isValid())
                dt = QDateTime(kSerialZero, t, Qt::UTC);
        }
        *out = dt;
        return dt.isValid();
    }
    default:
        break;
    }
    double serial = 0;
    if (isNumberType(v) && toNumber(v, &serial)) {
        const double days = std::floor(serial);
        const qint64 ms = qint64(std::llround((serial - days) * 86400000.0));
        *out = QDateTime(kSerialZero.addDays(qint64(days)), QTime(0, 0), Qt::UTC).addMSecs(ms);
        return true;
    }
    return false;
}

// Rounds |value| to decimals places, halves away from zero, and returns the digits.
QString roundedDigits(double value, int decimals)
{
    const long double scale = std::pow(10.0L, decimals);
    long double x = std::fabs(static_cast<long double>(value)) * scale;
    // Values such as 1.005 are stored a hair below their decimal text; nudge them back.
    x = std::floor(x + 0.5L + x * 1e-12L);
    QString digits = QString::number(double(x), 'f', 0);
    if (digits.size() <= decimals)
        digits = QString(decimals - digits.size() + 1, QLatin1Char('0')) + digits;
    return digits;
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

bool isNumberPattern(const QString &pattern)
{
    static const QRegularExpression re(QStringLiteral("^[#0,]*(\\.[#0]*)?%?$"));
    return !pattern.isEmpty() && re.match(pattern).hasMatch();
}

QString formatNumber(double value, const QString &pattern)
{
    const bool percent = pattern.endsWith(QLatin1Char('%'));
    const QString body = percent ? pattern.chopped(1) : pattern;
    const int dot = int(body.indexOf(QLatin1Char('.')));
    const QString intPart = dot < 0 ? body : body.left(dot);
    const QString decPart = dot < 0 ? QString() : body.mid(dot + 1);
    const bool grouping = intPart.contains(QLatin1Char(','));
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const int minDec = int(decPart.count(QLatin1Char('0')));
    const int maxDec = int(decPart.size());
    if (percent)
        value *= 100;

    const QString digits = roundedDigits(value, maxDec);
    QString ip = digits.left(digits.size() - maxDec);
    QString dp = digits.right(maxDec);
    while (dp.size() > minDec && dp.endsWith(QLatin1Char('0')))
        dp.chop(1);
    ip.remove(QRegularExpression(QStringLiteral("^0+")));
    if (ip.size() < minInt)
        ip = QString(minInt - ip.size(), QLatin1Char('0')) + ip;
    if (grouping)
        ip = groupThousands(ip);

    QString text = ip;
    if (!dp.isEmpty())
        text += QLatin1Char('.') + dp;
    const bool zero = !digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    if (value < 0 && !zero)
        text.prepend(QLatin1Char('-'));
    if (percent)
        text += QLatin1Char('%');
    return text;
}

struct DateToken
{
    QChar letter;     // 'd', 'm', 'y', 'h', 'n', 's', 'a' (am/pm) or 0 for literal text
    int count = 0;
    QString literal;
    bool upperAmPm = true;
};

QList<DateToken> tokenize(const QString &pattern)
{
    QList<DateToken> tokens;
    const int n = int(pattern.size());
    for (int i = 0; i < n;) {
        const QChar c = pattern.at(i);
        const QChar lc = c.toLower();
        if (pattern.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            DateToken t;
            t.letter = QLatin1Char('a');
            t.upperAmPm = pattern.at(i).isUpper();
            tokens.append(t);
            i += 5;
        } else if (QStringLiteral("dmyhns").contains(lc)) {
            int j = i;
            while (j < n && pattern.at(j).toLower() == lc)
                ++j;
            DateToken t;
            t.letter = lc;
            t.count = j - i;
            tokens.append(t);
            i = j;
        } else if (c == QLatin1Char('"')) {
            const int end = int(pattern.indexOf(QLatin1Char('"'), i + 1));
            DateToken t;
            t.literal = pattern.mid(i + 1, (end < 0 ? n : end) - i - 1);
            tokens.append(t);
            i = end < 0 ? n : end + 1;
        } else if (c == QLatin1Char('\\') && i + 1 < n) {
            DateToken t;
            t.literal = pattern.at(i + 1);
            tokens.append(t);
            i += 2;
        } else {
            DateToken t;
            t.literal = c;
            tokens.append(t);
            ++i;
        }
    }
    // "m" and "mm" next to hours or seconds are minutes.
    for (int k = 0; k < tokens.size(); ++k) {
        DateToken &t = tokens[k];
        if (t.letter != QLatin1Char('m') || t.count > 2)
            continue;
        QChar before, after;
        for (int b = k - 1; b >= 0; --b) {
            if (!tokens[b].letter.isNull()) { before = tokens[b].letter; break; }
        }
        for (int a = k + 1; a < tokens.size(); ++a) {
            if (!tokens[a].letter.isNull()) { after = tokens[a].letter; break; }
        }
        if (before == QLatin1Char('h') || after == QLatin1Char('s'))
            t.letter = QLatin1Char('n');
    }
    return tokens;
}

bool isDatePattern(const QString &pattern)
{
    for (const DateToken &t : tokenize(pattern)) {
        if (!t.letter.isNull())
            return true;
    }
    return false;
}

QString two(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }

QString formatDate(const QDateTime &dt, const QString &pattern)
{
    const QList<DateToken> tokens = tokenize(pattern);
    bool twelveHour = false;
    for (const DateToken &t : tokens)
        twelveHour = twelveHour || t.letter == QLatin1Char('a');
    const QLocale &locale = names();
    const QDate d = dt.date();
    const QTime tm = dt.time();
    QString out;
    for (const DateToken &t : tokens) {
        const char l = t.letter.toLatin1();
        switch (l) {
        case 'd':
            if (t.count == 1) out += QString::number(d.day());
            else if (t.count == 2) out += two(d.day());
            else if (t.count == 3) out += locale.dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else if (t.count == 4) out += locale.dayName(d.dayOfWeek(), QLocale::LongFormat);
            else
                out += formatDate(QDateTime(d, QTime(0, 0), Qt::UTC),
                                  t.count == 5 ? shortDatePattern() : kLongDate);
            break;
        case 'm':
            if (t.count == 1) out += QString::number(d.month());
            else if (t.count == 2) out += two(d.month());
            else if (t.count == 3) out += locale.monthName(d.month(), QLocale::ShortFormat);
            else out += locale.monthName(d.month(), QLocale::LongFormat);
            break;
        case 'y':
            if (t.count <= 2) out += two(d.year() % 100);
            else out += QString::number(d.year());
            break;
        case 'h': {
            int h = tm.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += t.count == 1 ? QString::number(h) : two(h);
            break;
        }
        case 'n':
            out += t.count == 1 ? QString::number(tm.minute()) : two(tm.minute());
            break;
        case 's':
            out += t.count == 1 ? QString::number(tm.second()) : two(tm.second());
            break;
        case 'a': {
            const QString ampm = tm.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += t.upperAmPm ? ampm : ampm.toLower();
            break;
        }
        default:
            out += t.literal;
        }
    }
    return out;
}

} // namespace

QString plainText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return formatDate(QDateTime(value.toDate(), QTime(0, 0), Qt::UTC), shortDatePattern());
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        QString text = formatDate(QDateTime(dt.date(), QTime(0, 0), Qt::UTC),
                                  shortDatePattern());
        if (dt.time() != QTime(0, 0))
            text += QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
        return text;
    }
    case QMetaType::QByteArray:
        return QString();
    default:
        return value.toString();
    }
}

QString format(const QVariant &value, const QString &pattern)
{
    if (value.isNull() || !value.isValid())
        return QString();
    const QString p = pattern.trimmed();
    if (p.isEmpty())
        return plainText(value);

    const QString named = p.toLower();
    QString numberPattern;
    if (named == QLatin1String("fixed"))
        numberPattern = QStringLiteral("0.00");
    else if (named == QLatin1String("standard"))
        numberPattern = QStringLiteral("#,##0.00");
    else if (named == QLatin1String("percent"))
        numberPattern = QStringLiteral("0.00%");
    else if (named == QLatin1String("general number"))
        return plainText(value);
    else if (isNumberPattern(p))
        numberPattern = p;

    if (!numberPattern.isEmpty()) {
        double d = 0;
        if (!toNumber(value, &d))
            return plainText(value);
        return formatNumber(d, numberPattern);
    }

    QDateTime dt;
    if (named == QLatin1String("short date") || named == QLatin1String("long date")
        || named == QLatin1String("short time") || named == QLatin1String("long time")
        || isDatePattern(p)) {
        if (!toDateTime(value, &dt))
            return plainText(value);
        if (named == QLatin1String("short date"))
            return formatDate(dt, shortDatePattern());
        if (named == QLatin1String("long date"))
            return formatDate(dt, kLongDate);
        if (named == QLatin1String("short time"))
            return dt.time().toString(QStringLiteral("hh:mm"));
        if (named == QLatin1String("long time"))
            return formatDate(dt, kLongTime);
        return formatDate(dt, p);
    }
    return plainText(value);
}

void setShortDatePattern(std::function<QString()> pattern)
{
    shortDateSource() = std::move(pattern);
}

QString shortDatePattern()
{
    const QString pattern = shortDateSource() ? shortDateSource()() : QString();
    return pattern.isEmpty() ? QStringLiteral("dd-mm-yyyy") : pattern;
}

} // namespace ReportFormat
