#pragma once

class CalMdag;
class FilePicker;
class Form;

// The planner's own commands: the booking clipboard, delete and print on the booking tool bar,
// the week tool bar and the grid's item menu (registered in the command table), and the views'
// procedures behind them.
namespace PlannerCommands {

// Moves the week view one week back (days -7) or on (7), or four weeks back without refilling
// its grid (-28): gWeekStartDay and the text box mdato.
void shiftWeek(CalMdag &view, int days);
void weekBackFourWeeks(CalMdag &view);

// The views' file commands: after an accepted or created bookingfile the view unloads itself
// and the splash shows again, which runs the start-up on the new file.
void openBookingFile(Form &view, FilePicker &picker);
void createBookingFile(Form &view, FilePicker &picker);

} // namespace PlannerCommands
