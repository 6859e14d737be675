#pragma once

#include "core/commands.h"

#include <cstdint>
#include <functional>

class Form;
class PlannerGrid;

// What the day view and the week view offer alike: the commands run on it, so a command
// written once serves both views.
class PlannerView
{
public:
    virtual ~PlannerView() = default;

    virtual Commands::View plannerView() const = 0;   // DayView or WeekView
    // The view's window: the owner of the forms its commands show.
    virtual Form &form() = 0;
    virtual PlannerGrid &grid() = 0;

    // Open or create a bookingfile; the start-up then runs again on it.
    virtual void OpenBookingFile() = 0;
    virtual void CreateBookingFile() = 0;
    // The booking clipboard: cut (gPasteMode 1) or copy the selected booking; paste it into
    // the selected empty slot.
    virtual void CopyBookingToClipboard() = 0;
    virtual void PasteBookingCommand() = 0;
    virtual void DeleteSelectedBooking() = 0;
    virtual void OpenBookingForEdit(int32_t bookingNo) = 0;
    virtual void ShowBookingInfo(int32_t bookingNo) = 0;
    // Prints the view's schedule: the day or the week.
    virtual void PrintScheme() = 0;
    // Shows the selected grid item in the other view: the item's week, or its day.
    virtual void ShowSelectedInOtherView() = 0;
    // Moves the view to the program's current place and redraws it: the day view to
    // gCurrentDay, gCurrentGroupNo and gCurrentTypeNo, the week view to gCurrentItemNo and
    // gWeekStartDay.
    virtual void ShowCurrentPlace() = 0;
    // After the resource hierarchy changed: the view shows the resource groups and types as
    // they are now. The day view reloads its lists and grid; the week view shows none.
    virtual void ResourcesChanged() {}

protected:
    PlannerView() = default;
    PlannerView(const PlannerView &) = delete;
    PlannerView &operator=(const PlannerView &) = delete;
};

// The loaded planner views, for the forms below the planner: the planner installs the look-up
// (planner/plannercommands.cpp), as it installs what follows a login.
namespace PlannerViews {

void setLookup(std::function<PlannerView *(Commands::View view)> lookup);
// The loaded view of that kind: nullptr when it is not loaded or no look-up is installed.
PlannerView *loaded(Commands::View view);

} // namespace PlannerViews
