#pragma once

#include <QString>

#include <cstdint>

class PlannerGrid;

// The printed schedules of the planner. The grid prints itself; these prepare its print
// settings, titles and printed time span, and then ask it to print.
namespace SchedulePrint {

// The day grid of the shown resource type, titled with the shown day and the group and type.
void printDayScheme(PlannerGrid &grid, int32_t shownDay, const QString &groupAndType);

// The week grid of the shown item, titled with the week number; the printed span is read from
// the settings row at every print.
void printWeekScheme(PlannerGrid &grid, const QString &itemName);

// Replaces the week grid's items by the repeated series of the shown item, one item per
// series on its weekday, for the series that still run in the shown week or later and end
// before the 1 July after the shown week's year.
void fillFixedWeekSchedule(PlannerGrid &grid);

// Fills the fixed weekly schedule, asks, and prints it on Yes. Either way the week grid's
// column dates read "d N/m/y" afterwards.
void printFixedWeekSchedule(PlannerGrid &grid, const QString &itemName);

} // namespace SchedulePrint
