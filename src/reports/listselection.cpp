#include "reports/listselection.h"

#include "core/extrafunktioner.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"

namespace ListSelection {

int32_t selectedKey(const ListGrid &list)
{
    const int row = list.SelectedRow();
    if (row < 0) {
        MsgBox::show("No Booking Selected", MsgBox::OkOnly, "Service Message");
        return -1;
    }
    return list.RowData(row);
}

void reportBookingGone()
{
    MsgBox::show("The booking is no longer in the bookingfile. It may have been deleted.",
                 MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
}

int32_t existingBooking(const ListGrid &list, const std::function<void()> &refill)
{
    const int32_t n = selectedKey(list);
    if (n < 0)
        return 0;
    if (!Extrafunktioner::RecordExists("booking", "Bookingnr", n)) {
        reportBookingGone();
        refill();
        return 0;
    }
    return n;
}

} // namespace ListSelection
