#include "platform/controls/daytext.h"

namespace DayText {
QString format(const QDate &date, const QString &pattern)
{
    const QString p = pattern.toLower();
    QString out;
    for (int i = 0; i < p.size();) {
        const QChar c = p.at(i);
        int run = 1;
        while (i + run < p.size() && p.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('d'))
            out += QString::number(date.day()).rightJustified(run, QLatin1Char('0'));
        else if (c == QLatin1Char('m'))
            out += QString::number(date.month()).rightJustified(run, QLatin1Char('0'));
        else if (c == QLatin1Char('y'))
            out += run <= 2 ? QString::number(date.year() % 100).rightJustified(2, QLatin1Char('0'))
                            : QString::number(date.year());
        else
            out += QString(run, c);
        i += run;
    }
    return out;
}

} // namespace DayText
