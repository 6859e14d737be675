#pragma once

#include <cstdint>

class PlannerGrid;

// The booking clipboard: one row of the table standby in paths.mdb of the program's folder,
// shared by both planner views and by every copy of the program started from that folder.
// gPasteMode says whether the last cut or copy was a cut (1) or a copy (2).
namespace Clipboard {

// Minutes from start to end; an end before the start lies on the next day. False when the
// two are equal, which gives no duration.
bool durationMinutes(int start, int end, int32_t &minutes);

// Puts the booking of the grid's selected item on the clipboard, replacing what it held.
// A cut (gPasteMode 1) also deletes the booking and removes its item from the grid. With no
// item selected, when the booking is no longer in the bookingfile, or on a cut of a booking
// the user may not delete, the user is told and nothing changes. Returns whether the
// clipboard took the booking.
bool copySelected(PlannerGrid &grid);

// The paste command's checks: the clipboard holds a booking and an empty slot is selected.
// Tells the user what is missing; true when the paste may go on.
bool canPaste(const PlannerGrid &grid);

struct PasteResult
{
    bool pasted = false;
    int32_t bookingNo = 0;
    bool clipboardEmptied = false;   // a cut booking went back under its own number
};

// Inserts the clipboard's booking at start minute on day and resource item, as a booking of
// resource type gCurrentTypeNo. After a cut the booking keeps its number, unless a booking
// holds that number by now; then it takes a new number and the clipboard keeps its row.
PasteResult paste(int start, int32_t day, int32_t item);

} // namespace Clipboard
