#pragma once

#include <QIcon>
#include <QString>

class DropMenu;
class ToolBar;

// The command surfaces that both planner views carry: the main menu bar, the booking tool bar,
// the week tool bar and the item menu of the grid, each item with its command id.
namespace PlannerBars {

void fillMainMenu(ToolBar &bar);
void fillBookingBar(ToolBar &bar);
void fillWeekBar(ToolBar &bar);
// "Open", "Cut", "Copy", "Delete" and the switch to the other view (lastCaption), ids 1 to 5.
void fillItemMenu(DropMenu &menu, const QString &lastCaption);

// The planner's drawn pictures: "cut", "copy", "paste", "delete", "search", "mine", "today",
// "repeat", "print", "previous", "next".
QIcon picture(const QString &name);

} // namespace PlannerBars
