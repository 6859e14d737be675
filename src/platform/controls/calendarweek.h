#pragma once

#include <Qt>

#include <functional>

// The day on which every calendar of the program starts its weeks, unless a form sets one of
// its own: the program hands it down from its settings at start. Monday without it.
namespace CalendarWeek {

void setFirstDayProvider(std::function<Qt::DayOfWeek()> provider);
Qt::DayOfWeek firstDay();

} // namespace CalendarWeek
