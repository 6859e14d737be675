#pragma once

#include "core/commands.h"

#include <QIcon>
#include <QString>

class DropMenu;
class ToolBar;

// The command surfaces of the planner views, built from the command table: the main menu bar,
// the booking tool bar, the week tool bar and the item menu of the grid, each item with its
// command id, for the rows that the view (DayView or WeekView) carries.
namespace PlannerBars {

void fillMainMenu(ToolBar &bar, Commands::View view);
void fillBookingBar(ToolBar &bar, Commands::View view);
void fillWeekBar(ToolBar &bar);
void fillItemMenu(DropMenu &menu, Commands::View view);

// The planner's drawn pictures: "cut", "copy", "paste", "delete", "search", "mine", "today",
// "repeat", "print", "previous", "next".
QIcon picture(const QString &name);

} // namespace PlannerBars
