#pragma once

#include <cstdint>
#include <functional>

// Opening a booking in the booking form, for the forms below it (the search's lists): the
// booking form installs itself (bookings/bookingform.cpp), as the planner installs what follows
// a login.
namespace BookingEditor {

void install(std::function<void(int32_t bookingNo)> open);
// Shows the booking form on the booking; nothing while no booking form is installed.
void open(int32_t bookingNo);

} // namespace BookingEditor
