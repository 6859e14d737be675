#include "platform/controls/dateedit.h"
#include "platform/daynumber.h"

#include "platform/controls/daytext.h"

#include <algorithm>

DateEdit::DateEdit(QWidget *parent) : DEdit(parent)
{
    setDropButtonVisible(true);
    reformat();
}

void DateEdit::setDateFormat(int formatNumber)
{
    setDateFormat(formatNumber == 0 ? QStringLiteral("mm/dd/yyyy")
                                    : QStringLiteral("dd-mm-yyyy"));
}

void DateEdit::setDateFormat(const QString &pattern)
{
    m_pattern = pattern.toLower();
    reformat();
}

QDate DateEdit::date() const { return isNull() ? QDate() : DayNumber::toDate(value()); }

void DateEdit::setDate(const QDate &date)
{
    if (date.isValid())
        setValue(DayNumber::fromDate(date));
    else
        setNull();
}

QString DateEdit::format(int value) const
{
    return DayText::format(DayNumber::toDate(value), m_pattern);
}

QString DateEdit::inputMask() const
{
    QString mask;
    for (const QChar c : m_pattern) {
        if (c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y'))
            mask += QLatin1Char('9');
        else if (QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}").contains(c))
            mask += QLatin1Char('\\') + c;
        else
            mask += c;
    }
    return mask;
}

std::optional<int> DateEdit::parse(const QString &text) const
{
    if (text.size() != m_pattern.size())
        return std::nullopt;
    QString day, month, year;
    for (int i = 0; i < m_pattern.size(); ++i) {
        const QChar c = m_pattern.at(i);
        QString *part = c == QLatin1Char('d') ? &day
                        : c == QLatin1Char('m') ? &month
                        : c == QLatin1Char('y') ? &year
                                                : nullptr;
        if (part) {
            if (!text.at(i).isDigit())
                return std::nullopt;
            *part += text.at(i);
        }
    }
    const int y = year.size() == 2 ? DayNumber::fullYear(year.toInt()) : year.toInt();
    const QDate d(y, month.toInt(), day.toInt());
    if (!d.isValid() || normalized(DayNumber::fromDate(d)) != DayNumber::fromDate(d))
        return std::nullopt;
    return DayNumber::fromDate(d);
}

int DateEdit::normalized(int value) const
{
    static const int last = DayNumber::fromDate(QDate(9999, 12, 31));
    return std::clamp(value, 0, last);
}

QString DateEdit::refusal(const QString &text) const
{
    return QStringLiteral("%1 is not a valid date.").arg(text);
}
