#pragma once

#include <cstdint>
#include <functional>

class ListGrid;

// The booking a list form acts on: the one of its selected row, and only while that booking is
// still in the bookingfile (another copy of the program may have deleted it since the fill).
namespace ListSelection {

// The key of the selected row; -1 after saying "No Booking Selected" when no row is selected.
int32_t selectedKey(const ListGrid &list);

// Says that the booking is no longer in the bookingfile.
void reportBookingGone();

// The selected row's booking number when the booking still exists; 0 after saying why not
// (no row selected, or the booking is gone, in which case refill shows what the file holds now).
int32_t existingBooking(const ListGrid &list, const std::function<void()> &refill);

} // namespace ListSelection
