#include "core/bookingeditor.h"

#include <utility>

namespace BookingEditor {

namespace {
std::function<void(int32_t)> &opener()
{
    // Installed from another file's static object, so made on first use.
    static std::function<void(int32_t)> show;
    return show;
}
} // namespace

void install(std::function<void(int32_t bookingNo)> open) { opener() = std::move(open); }

void open(int32_t bookingNo)
{
    if (opener())
        opener()(bookingNo);
}

} // namespace BookingEditor
