#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class PlannerGrid;
class QLineEdit;

// What the user does to bookings in a planner grid, written to the table booking. The day
// view and the week view share these steps; what differs between them is passed in. Each
// step opens its own connection to the bookingfile and closes it before it returns.
namespace GridEdit {

// What the columns of a grid stand for: resource items (day grid) or days (week grid).
enum class Columns { Resources, Days };

// Where a booking typed into an empty slot goes, and whether the view marks it tentative.
struct NewBookingPlace
{
    int32_t day = 0;
    int32_t item = 0;
    bool writeTentative = false;   // false: the row keeps the table's default
    bool tentative = false;
};

// Stores the item typed at index as a new booking of the logged-in user with a new number,
// which becomes the item's key text; the item turns red (and tentative when asked). When the
// row cannot be stored the user is told and the item leaves the grid.
void storeTypedBooking(PlannerGrid &grid, int index, int start, int end,
                       const NewBookingPlace &place);

// Writes a moved, resized or edited item back to its booking: its text, times and its column's
// resource item or day. Nothing is written when no item is selected, when the user may not edit
// the booking's account, or when the booking is no longer in the bookingfile, nor when the item
// shows the booking as it is stored. Returns whether the booking holds what the item shows.
bool saveItem(PlannerGrid &grid, int index, Columns columns);

// The booking behind an item's key text, when the bookingfile holds it.
struct BookingRef
{
    int32_t bookingNo = 0;
    int32_t account = 0;
};
bool findBooking(const QString &keyText, BookingRef &found);

// Shows that the booking of a grid item is no longer in the bookingfile.
void reportMissingBooking();

// What a user was refused on a booking of an account he may not edit, told in the words of the
// refused delete: "You have no authority to delete this booking !" and its kin.
enum class Refusal { Delete, Change, Cut, Paste };
void reportNoAuthority(Refusal refusal);

// After a move, resize or title that was not written back: tells the user when the reason is
// that he may not edit the booking's account.
void explainRefusedChange(const PlannerGrid &grid, int index);

// Opens the booking of a key text: forEdit when the user may edit the booking's account,
// readOnly otherwise; a booking that is gone is reported and nothing opens.
using Opener = std::function<void(int32_t bookingNo)>;
void openBooking(const QString &keyText, const Opener &forEdit, const Opener &readOnly);

// How a view asks before deleting: the day view tests the rights first and reports an empty
// selection; the week view asks first and passes an empty selection over in silence.
enum class DeleteStyle { DayView, WeekView };

// Deletes the booking of the grid's selected item after the user confirms, and removes the
// item from the grid. slettenr receives the booking's number, also when the delete is refused.
void deleteSelected(PlannerGrid &grid, QLineEdit *slettenr, DeleteStyle style);

} // namespace GridEdit
