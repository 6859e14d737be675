#pragma once

class CalMdag;
class Calendar;
class FilePicker;
class Form;

// The commands of the two planner views: one dispatch per command surface, given the view and
// the id of the clicked item. An id that no surface names does nothing. Both views dispatch the
// main menu alike; the booking tool bar and the item menu call each view's own procedures.
namespace PlannerCommands {

// Main menu bar (ctToolBar1).
void mainMenu(Calendar &view, int id);
void mainMenu(CalMdag &view, int id);

// Booking tool bar (ctToolBar2).
void bookingBar(Calendar &view, int id);
void bookingBar(CalMdag &view, int id);

// Week tool bar (ctToolBar3): previous and next week; the grid is refilled for any id.
void weekBar(CalMdag &view, int id);

// Item menu of the grid (ctDrop).
void itemMenu(Calendar &view, int id);
void itemMenu(CalMdag &view, int id);

// Moves the week view four weeks back without refilling its grid.
void weekBackFourWeeks(CalMdag &view);

// The views' file commands: after an accepted or created bookingfile the view unloads itself
// and the splash shows again, which runs the start-up on the new file.
void openBookingFile(Form &view, FilePicker &picker);
void createBookingFile(Form &view, FilePicker &picker);

} // namespace PlannerCommands
