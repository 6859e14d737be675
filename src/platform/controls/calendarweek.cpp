#include "platform/controls/calendarweek.h"

namespace CalendarWeek {

namespace {

std::function<Qt::DayOfWeek()> &provider()
{
    static std::function<Qt::DayOfWeek()> p;
    return p;
}

} // namespace

void setFirstDayProvider(std::function<Qt::DayOfWeek()> p) { provider() = std::move(p); }

Qt::DayOfWeek firstDay() { return provider() ? provider()() : Qt::Monday; }

} // namespace CalendarWeek
