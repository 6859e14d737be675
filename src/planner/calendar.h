#pragma once

#include "core/plannerview.h"
#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <QString>

#include <cstdint>

class DBList;
class DropMenu;
class FilePicker;
class MonthPicker;
class PlannerGrid;
class QLabel;
class QLineEdit;
class QPushButton;
class ToolBar;

// The day view, the program's main window: one day for all resource items of one resource
// type, one grid column per item available that day, one grid item per booking.
class Calendar final : public Form, public PlannerView
{
    Q_OBJECT
public:
    Calendar();
    ~Calendar() override;

    void Form_Load() override;
    void Form_Activate() override;

    // What its commands run on.
    Commands::View plannerView() const override { return Commands::DayView; }
    Form &form() override { return *this; }
    PlannerGrid &grid() override { return *cc; }
    void PrintScheme() override;
    void ShowSelectedInOtherView() override;
    void ShowCurrentPlace() override;

    void aktueldato_DateSelected();
    void Today_Click();
    void aktuelovergruppe_Click();
    void aktuelgruppe_Click();
    void cc_ItemMenuRequest(int index, const QPoint &globalPos);
    void cc_DblClick();
    // The command surfaces: main menu bar, booking tool bar and the grid's item menu.
    void ctToolBar1_ButtonClick(int id);
    void ctToolBar2_ButtonClick(int id);
    void ctDrop_ItemClick(int id);

    // Open or create a bookingfile; the start-up then runs again on it.
    void OpenBookingFile() override;
    void CreateBookingFile() override;
    // Prints the day grid of the shown resource type.
    void PrintDayScheme();

    // Rebuilds the grid for gCurrentTypeNo and gCurrentDay.
    void RefreshDayView();
    void ApplyGridSettings();
    void LoadResourceColumns(int32_t type);
    void LoadDayBookings(int32_t type, int32_t day);
    // The record source of Data2 for the picked group; empty when the group list holds no
    // whole number.
    QString BuildResourceTypeSql();
    // After the resource hierarchy changed (the resource manager closed): the lists show the
    // groups and types as they are now, and the grid the shown type's items. A shown type that
    // is gone, or none at all (a new bookingfile), gives way to the first group's first type.
    void ResourcesChanged();
    // Shows the week view of resource item n for the week of the shown day, then unloads the
    // day view.
    void OpenWeekView(int32_t n);

    // Bookings typed, moved, resized, edited, opened and deleted in the grid.
    void cc_ItemAdded(int index, int start, int end, int column, bool cancelled);
    void cc_ItemChanged(int index);
    void cc_ItemEdited(int index, const QString &text);
    void cc_ItemDblClick(int index);
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

    PlannerGrid *cc = nullptr;
    MonthPicker *aktueldato = nullptr;
    QPushButton *Today = nullptr;
    DBList *aktuelovergruppe = nullptr;
    DBList *aktuelgruppe = nullptr;
    DataControl Data1;
    DataControl Data2;
    QLineEdit *grouptype = nullptr;
    QLineEdit *gdato = nullptr;
    QLineEdit *CUser = nullptr;
    QLabel *saks = nullptr;
    QLineEdit *slettenr = nullptr;
    DropMenu *ctDrop = nullptr;
    ToolBar *ctToolBar1 = nullptr;
    ToolBar *ctToolBar2 = nullptr;
    FilePicker *ctFileOpen = nullptr;
    FilePicker *ctFilecreate = nullptr;

private:
    void takeTypeFromList();
    // Positions the group and type lists on the shown type and its group, the type list
    // holding that group's types, and names them in the heading.
    void showCurrentGroupAndType();
    void offerResourceManager();
    void showResourceManager();

    bool m_refillFailed = false;   // the last refill on activation could not read the file
};
