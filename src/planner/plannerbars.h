#pragma once

#include "core/commands.h"

#include <functional>

class DropMenu;
class QWidget;
class ToolBar;

// The command surfaces of the planner views, built from the command table: the main menu bar,
// the booking tool bar, the week tool bar and the item menu of the grid, each item with its
// command id, for the rows that the view (DayView or WeekView) carries.
namespace PlannerBars {

void fillMainMenu(ToolBar &bar, Commands::View view);
void fillBookingBar(ToolBar &bar, Commands::View view);
void fillWeekBar(ToolBar &bar);
void fillItemMenu(DropMenu &menu, Commands::View view);

// Binds the keys of the booking tool bar's rows on a planner grid: pressed while the grid has
// the focus, a key runs its row as a click on the button does. The item menu shows the same
// keys, and Enter and F2, which the grid itself turns into a double-click and a title edit.
void bindBookingKeys(QWidget &grid, Commands::View view,
                     const std::function<void(int id)> &runBookingBar);

} // namespace PlannerBars
