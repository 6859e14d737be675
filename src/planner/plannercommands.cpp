#include "planner/plannercommands.h"

#include "core/bookingfilechoice.h"
#include "core/commands.h"
#include "core/generalen.h"
#include "core/introstart.h"
#include "core/plannerview.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "planner/gridedit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"

#include <QLineEdit>

namespace PlannerCommands {

using namespace Generalen;

namespace {

using namespace Commands;

void cut(PlannerView &view)
{
    gPasteMode = 1;
    view.CopyBookingToClipboard();
}

void copy(PlannerView &view)
{
    gPasteMode = 2;
    view.CopyBookingToClipboard();
}

// Opens the booking of the grid's selected item: the booking form when the user may edit the
// booking's account, else the read-only view.
void openSelected(PlannerView &view)
{
    PlannerGrid &grid = view.grid();
    const int selected = grid.SelectedItem();
    if (selected < 1) {
        MsgBox::show("No Booking Selected", MsgBox::OkOnly, "Service Message");
        return;
    }
    GridEdit::openBooking(
        grid.ItemKeyText(selected), [&view](int32_t n) { view.OpenBookingForEdit(n); },
        [&view](int32_t n) { view.ShowBookingInfo(n); });
}

// The week tool bar is the week view's alone.
void shiftShownWeek(PlannerView &view, int days)
{
    if (auto *week = dynamic_cast<CalMdag *>(&view))
        shiftWeek(*week, days);
}

void registerRows()
{
    add({.surface = BookingBar, .id = 7, .group = 1, .order = 10, .tip = "Cut Booking",
         .picture = "cut", .shortcut = QKeySequence::Cut, .action = cut});
    add({.surface = BookingBar, .id = 8, .group = 1, .order = 20, .tip = "Copy Booking",
         .picture = "copy", .shortcut = QKeySequence::Copy, .action = copy});
    add({.surface = BookingBar, .id = 9, .group = 1, .order = 30, .tip = "Paste Booking",
         .picture = "paste", .shortcut = QKeySequence::Paste, .action = [](PlannerView &view) { view.PasteBookingCommand(); }});
    add({.surface = BookingBar, .id = 10, .group = 1, .order = 40, .tip = "Delete Booking",
         .picture = "delete", .shortcut = QKeySequence::Delete,
         .action = [](PlannerView &view) { view.DeleteSelectedBooking(); }});
    add({.surface = BookingBar, .id = 17, .group = 3, .order = 10, .tip = "Print Scheeme",
         .picture = "print", .action = [](PlannerView &view) { view.PrintScheme(); }});

    // The week view refills its grid after every click on this bar, whatever the id.
    add({.surface = WeekBar, .id = 1, .order = 10, .tip = "Previous Week",
         .picture = "previous", .view = WeekView,
         .action = [](PlannerView &view) { shiftShownWeek(view, -7); }});
    add({.surface = WeekBar, .id = 2, .order = 20, .tip = "Next Week", .picture = "next",
         .view = WeekView, .action = [](PlannerView &view) { shiftShownWeek(view, 7); }});

    add({.surface = ItemMenu, .id = 1, .order = 10, .caption = "Open",
         .shortcut = QKeySequence(Qt::Key_Return), .action = openSelected});
    add({.surface = ItemMenu, .id = 2, .order = 20, .caption = "Cut",
         .shortcut = QKeySequence::Cut, .action = cut});
    add({.surface = ItemMenu, .id = 3, .order = 30, .caption = "Copy",
         .shortcut = QKeySequence::Copy, .action = copy});
    add({.surface = ItemMenu, .id = 4, .order = 40, .caption = "Delete",
         .shortcut = QKeySequence::Delete, .action = [](PlannerView &view) { view.DeleteSelectedBooking(); }});
    const auto otherView = [](PlannerView &view) { view.ShowSelectedInOtherView(); };
    add({.surface = ItemMenu, .id = 5, .order = 50, .caption = "WeekView", .view = DayView,
         .action = otherView});
    add({.surface = ItemMenu, .id = 5, .order = 50, .caption = "DayView", .view = WeekView,
         .action = otherView});
}

const Registrar registrar(registerRows);

// Both planners close when another bookingfile is taken into use: one left open would show
// the old file's item and store what is typed into it under that item's number in the new file.
void closePlanners(Form &view)
{
    view.Unload();
    Forms::unload<Calendar>();
    Forms::unload<CalMdag>();
}

} // namespace

void shiftWeek(CalMdag &view, int days)
{
    gWeekStartDay += days;
    view.mdato->setText(QString::number(gWeekStartDay));
}

void weekBackFourWeeks(CalMdag &view) { shiftWeek(view, -28); }

void openBookingFile(Form &view, FilePicker &picker)
{
    // The forms opened on the file in use close first, through their own checks.
    if (!Forms::unloadOwnedBy(&view))
        return;
    if (!BookingfileChoice::OpenExisting(picker))
        return;
    closePlanners(view);
    Forms::get<introstart>()->Show();
}

void createBookingFile(Form &view, FilePicker &picker)
{
    if (!Forms::unloadOwnedBy(&view))
        return;
    if (!BookingfileChoice::CreateNew(picker))
        return;
    closePlanners(view);
    Forms::get<introstart>()->Show();
}

} // namespace PlannerCommands
