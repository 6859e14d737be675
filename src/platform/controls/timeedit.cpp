#include "platform/controls/timeedit.h"

#include <QStringList>

TimeEdit::TimeEdit(QWidget *parent) : DEdit(parent) { reformat(); }

void TimeEdit::setShowSeconds(bool show)
{
    m_seconds = show;
    reformat();
}

QString TimeEdit::format(int value) const
{
    const QString hhmm = QStringLiteral("%1:%2")
                             .arg(value / 3600, 2, 10, QLatin1Char('0'))
                             .arg(value / 60 % 60, 2, 10, QLatin1Char('0'));
    return m_seconds ? hhmm + QStringLiteral(":%1").arg(value % 60, 2, 10, QLatin1Char('0'))
                     : hhmm;
}

QString TimeEdit::inputMask() const
{
    return m_seconds ? QStringLiteral("99:99:99") : QStringLiteral("99:99");
}

std::optional<int> TimeEdit::parse(const QString &text) const
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != (m_seconds ? 3 : 2))
        return std::nullopt;
    int units[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        units[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || parts[i].trimmed().size() != 2)
            return std::nullopt;
    }
    if (units[0] > 23 || units[1] > 59 || units[2] > 59)
        return std::nullopt;
    return units[0] * 3600 + units[1] * 60 + units[2];
}

int TimeEdit::normalized(int value) const
{
    constexpr int day = 86400;
    return ((value % day) + day) % day;
}

QString TimeEdit::refusal(const QString &text) const
{
    return QStringLiteral("%1 is not a valid time.").arg(text);
}
