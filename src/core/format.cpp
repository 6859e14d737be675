#include "core/format.h"

#include "core/generalen.h"

#include <QRegularExpression>

#include <cmath>

int64_t RoundHalfEven(double value)
{
    return static_cast<int64_t>(std::nearbyint(value));   // default rounding mode: ties to even
}

int32_t SecondsToMinutes(int64_t seconds)
{
    return static_cast<int32_t>(RoundHalfEven(static_cast<double>(seconds) / 60.0));
}

namespace {

const char *const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};
const char *const kDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                             "Sunday"};

QString two(int n) { return QString::number(n).rightJustified(2, '0'); }

QString formatDateTime(const QDate &date, const QTime &time, QString pattern)
{
    if (pattern.compare("Short Date", Qt::CaseInsensitive) == 0)
        pattern = Generalen::gDateFormat.isEmpty() ? "dd-mm-yyyy" : Generalen::gDateFormat;
    else if (pattern.compare("Short Time", Qt::CaseInsensitive) == 0)
        pattern = "hh:mm";
    else if (pattern.compare("Long Time", Qt::CaseInsensitive) == 0)
        pattern = "hh:mm:ss";
    QString out;
    bool afterHour = false;
    int i = 0;
    const int n = pattern.size();
    auto run = [&](QChar c) {
        int len = 0;
        while (i + len < n && pattern[i + len].toLower() == c)
            ++len;
        return len;
    };
    while (i < n) {
        const QChar c = pattern[i];
        const QChar lc = c.toLower();
        if (lc == 'y') {
            const int len = run('y');
            out += len >= 3 ? QString::number(date.year()) : two(date.year() % 100);
            i += len;
            afterHour = false;
        } else if (lc == 'm') {
            const int len = run('m');
            if (afterHour && len <= 2) {
                out += len == 2 ? two(time.minute()) : QString::number(time.minute());
            } else if (len >= 4) {
                out += QString::fromLatin1(kMonths[date.month() - 1]);
            } else if (len == 3) {
                out += QString::fromLatin1(kMonths[date.month() - 1]).left(3);
            } else {
                out += len == 2 ? two(date.month()) : QString::number(date.month());
            }
            i += len;
            afterHour = false;
        } else if (lc == 'd') {
            const int len = run('d');
            if (len >= 4)
                out += QString::fromLatin1(kDays[date.dayOfWeek() - 1]);
            else if (len == 3)
                out += QString::fromLatin1(kDays[date.dayOfWeek() - 1]).left(3);
            else
                out += len == 2 ? two(date.day()) : QString::number(date.day());
            i += len;
            afterHour = false;
        } else if (lc == 'h') {
            const int len = run('h');
            out += len >= 2 ? two(time.hour()) : QString::number(time.hour());
            i += len;
            afterHour = true;
        } else if (lc == 'n') {
            const int len = run('n');
            out += len >= 2 ? two(time.minute()) : QString::number(time.minute());
            i += len;
        } else if (lc == 's') {
            const int len = run('s');
            out += len >= 2 ? two(time.second()) : QString::number(time.second());
            i += len;
            afterHour = false;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

} // namespace

QString Format(const QDate &date, const QString &pattern)
{
    return formatDateTime(date, QTime(0, 0), pattern);
}

QString Format(const QDateTime &dateTime, const QString &pattern)
{
    return formatDateTime(dateTime.date(), dateTime.time(), pattern);
}

QString Format(const QTime &time, const QString &pattern)
{
    return formatDateTime(QDate(1899, 12, 30), time, pattern);
}

QString Format(double number, const QString &pattern)
{
    int decimals = 0;
    bool thousands = false;
    if (pattern.compare("Fixed", Qt::CaseInsensitive) == 0) {
        decimals = 2;
    } else if (pattern.compare("Standard", Qt::CaseInsensitive) == 0) {
        decimals = 2;
        thousands = true;
    } else {
        thousands = pattern.contains(',');
        const int dot = pattern.indexOf('.');
        decimals = dot < 0 ? 0 : int(pattern.size() - dot - 1);
    }
    const bool negative = number < 0;
    const QString fixed = QString::number(std::fabs(number), 'f', decimals);
    QString whole = fixed.section('.', 0, 0);
    const QString frac = decimals > 0 ? fixed.section('.', 1, 1) : QString();
    if (thousands)
        whole = groupThousands(whole);
    QString out = whole;
    if (decimals > 0)
        out += '.' + frac;
    const bool zero = fixed.count(QRegularExpression("[1-9]")) == 0;
    return negative && !zero ? '-' + out : out;
}

QString TimeText(const QTime &time) { return Format(time, "hh:mm:ss"); }

QString DateText(const QDate &date) { return Format(date, "Short Date"); }
