#pragma once

#include "core/plannerview.h"
#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <cstdint>

class DropMenu;
class FilePicker;
class PlannerGrid;
class QLineEdit;
class ToolBar;

// The week view: seven days of one resource item, one grid item per booking of the item in
// the week that begins on gWeekStartDay.
class CalMdag final : public Form, public PlannerView
{
    Q_OBJECT
public:
    CalMdag();

    void Form_Load() override;
    void Form_Activate() override;

    // What its commands run on.
    Commands::View plannerView() const override { return Commands::WeekView; }
    Form &form() override { return *this; }
    PlannerGrid &grid() override { return *dd; }
    void PrintScheme() override;
    void ShowSelectedInOtherView() override;
    void ShowCurrentPlace() override;

    void dd_DblClick();
    void dd_ItemMenuRequest(int index, const QPoint &globalPos);
    // The command surfaces: main menu bar, booking tool bar, week tool bar and the grid's item
    // menu.
    void ctToolBar1_ButtonClick(int id);
    void ctToolBar2_ButtonClick(int id);
    void ctToolBar3_ButtonClick(int id);
    void ctDrop_ItemClick(int id);

    // Open or create a bookingfile; the start-up then runs again on it.
    void OpenBookingFile() override;
    void CreateBookingFile() override;
    // Prints the week grid of the shown item.
    void PrintWeekScheme();
    // The shown item's repeated series as a fixed weekly schedule in the grid, and its print.
    void FillFixedWeekSchedule();
    void PrintFixedWeekSchedule();

    // Refills the grid for gCurrentItemNo and gWeekStartDay.
    void RefreshWeekView();
    void ApplyGridSettings();
    // Shows the day view on day d with the current group and type, then unloads the week view.
    void OpenDayView(int32_t d);

    // Bookings typed, moved, resized, edited, opened and deleted in the grid.
    void dd_ItemAdded(int index, int start, int end, int column, bool cancelled);
    void dd_ItemChanged(int index);
    void dd_ItemEdited(int index, const QString &text);
    void dd_ItemDblClick(int index);
    // Writes a moved, resized or edited item back to its booking; false when nothing was
    // written.
    bool SaveBookingItem(int index);
    void OpenBookingForEdit(int32_t bookingNo) override;
    void ShowBookingInfo(int32_t bookingNo) override;
    void DeleteSelectedBooking() override;

    // The booking clipboard: cut (gPasteMode 1) or copy the selected booking; paste it into
    // the selected empty slot.
    void CopyBookingToClipboard() override;
    void PasteBookingCommand() override;
    void PasteBooking();

    PlannerGrid *dd = nullptr;
    DataControl Data1;
    QLineEdit *lnavn = nullptr;
    QLineEdit *lnr = nullptr;
    QLineEdit *mdato = nullptr;
    QLineEdit *slettenr = nullptr;
    DropMenu *ctDrop = nullptr;
    ToolBar *ctToolBar1 = nullptr;
    ToolBar *ctToolBar2 = nullptr;
    ToolBar *ctToolBar3 = nullptr;
    FilePicker *ctFileOpen = nullptr;
    FilePicker *ctFilecreate = nullptr;

private:
    bool m_refillFailed = false;   // the last refill on activation could not read the file
};
