#pragma once

#include <cstdint>

class PlannerGrid;

// The booking clipboard: one row of the table standby in paths.mdb of the program's folder,
// shared by both planner views and by every copy of the program started from that folder.
// gPasteMode says whether the cut or copy command asked for a cut (1) or a copy (2); the row
// itself says which it holds, so a paste does what the row's writer asked, whoever that was.
//
// A cut booking stays in its bookingfile, marked as cut, until a paste moves it under its own
// number; a later cut or copy replaces the row and leaves the booking where it is. So no
// booking is lost or doubled by the clipboard.
namespace Clipboard {

// Minutes from start to end; an end before the start lies on the next day. False when the
// two are equal, which gives no duration.
bool durationMinutes(int start, int end, int32_t &minutes);

// Puts the booking of the grid's selected item on the clipboard, replacing what it held, and
// marks the item as cut on a cut (gPasteMode 1). With no item selected, when the booking is no
// longer in the bookingfile, or on a cut of a booking the user may not edit, the user is told
// and nothing changes. Returns whether the clipboard took the booking.
bool copySelected(PlannerGrid &grid);

// Marks as cut the grid's item of the booking the clipboard holds as cut from the shown
// bookingfile, and no other item. A clipboard that cannot be read marks nothing.
void showCutMark(PlannerGrid &grid);

// The paste command's checks: the clipboard holds a booking and an empty slot is selected.
// Tells the user what is missing; true when the paste may go on.
bool canPaste(const PlannerGrid &grid);

struct PasteResult
{
    bool pasted = false;
    int32_t bookingNo = 0;
    bool clipboardEmptied = false;   // a cut booking was moved, or is gone
};

// Pastes the clipboard's booking at start minute on day and resource item, as a booking of
// resource type gCurrentTypeNo. A cut booking moves there under its own number and the
// clipboard is emptied; a copied one is added under a new number and stays on the clipboard.
// Refused, with a message, when the user may not edit bookings of the booking's account, and
// for a booking cut from another bookingfile.
PasteResult paste(int start, int32_t day, int32_t item);

} // namespace Clipboard
