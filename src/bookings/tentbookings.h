#pragma once

#include "platform/controls/form.h"

#include <cstdint>
#include <functional>

namespace Dao {
class Recordset;
}

class ListGrid;
class QPushButton;

// The administrators' list of tentative bookings: each booking is confirmed by its "Conf."
// check or deleted by its "Del." check; Confirm All confirms every tentative booking at once.
class TentBookings final : public Form
{
    Q_OBJECT
public:
    TentBookings();

    void Form_Load() override;

    void tentList_CheckClick(int row, short column, int value);
    void ConAll_Click();
    void Refresh_Click() { RefreshTentativeList(); }
    void Printbutton_Click();
    void Luk_Click() { Unload(); }

    void SetupTentativeColumns();
    void FillTentativeList();
    void RefreshTentativeList();
    // Asks first; a booking that is no longer there is reported and the list shown again.
    void DeleteTentativeBooking(int32_t n);
    // State 1 (checked) confirms the booking, any other state makes it tentative again.
    void SetTentativeFlag(int32_t n, int state);

    ListGrid *tentList = nullptr;
    QPushButton *Printbutton = nullptr;
    QPushButton *Refresh = nullptr;
    QPushButton *ConAll = nullptr;
    QPushButton *Luk = nullptr;

private:
    void withBooking(int32_t n, const std::function<void(Dao::Recordset &)> &act);
    void reportMissing();
};
