#include "planner/plannercommands.h"

#include "admin/accountmenu.h"
#include "core/about.h"
#include "core/bookingfilechoice.h"
#include "core/generalen.h"
#include "core/introstart.h"
#include "core/options.h"
#include "core/times.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "planner/gridedit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/system.h"
#include "reports/kontoudskrift.h"
#include "reports/reportframe.h"
#include "reports/reslistadd.h"
#include "reports/reslistdom.h"
#include "reports/reslistsa.h"

#include <QLineEdit>

namespace PlannerCommands {

using namespace Generalen;

namespace {

// Commands reserved to administrators ask this first; false after the refusal.
bool administratorsOnly()
{
    if (gIsAdmin)
        return true;
    MsgBox::show("Administrator Access Only!", MsgBox::OkOnly, "Access Message");
    return false;
}

// The forms that the menus open but that the program does not have yet. Each is wired here,
// shown as its comment says, once it exists.
void showResManager(Form &owner) { Q_UNUSED(owner) }         // modeless, owned
void showTentBookings(Form &owner) { Q_UNUSED(owner) }       // modal, owned
void showUnavailableList(Form &owner) { Q_UNUSED(owner) }    // modeless, owned; then repainted
void showBookingPeriod(Form &owner) { Q_UNUSED(owner) }      // datobookingperiode, modeless, owned
void showArchiveTotals(Form &owner) { Q_UNUSED(owner) }      // datoarkivperiodeht, modeless, owned
void showArchiveDetails(Form &owner) { Q_UNUSED(owner) }     // datoarkivperiodeAC, modeless, owned
void showExpiringSeries(Form *owner) { Q_UNUSED(owner) }     // gudløbover: modal when owned
void showSearchform() {}                                     // modeless, no owner
void showMyBookings() {}                                     // myboo, modeless, no owner
void showTodays() {}                                         // modeless, no owner

// A settings form shown modally from the menu: when it returns, its settings row is current
// again from the first row.
template<typename SettingsForm>
void showSettingsForm(Form &owner)
{
    Forms::get<SettingsForm>()->Show(Form::Modal, &owner);
    if (Forms::isLoaded<SettingsForm>())
        Forms::get<SettingsForm>()->Data1.MoveFirst();
}

template<typename View>
void mainMenuOf(View &view, int id)
{
    switch (id) {
    case 11: view.OpenBookingFile(); break;
    case 12: view.CreateBookingFile(); break;
    case 14: System::endProgram(0); break;
    case 21:
        if (administratorsOnly())
            showResManager(view);
        break;
    case 26:
        if (administratorsOnly())
            showTentBookings(view);
        break;
    case 25:
        if (administratorsOnly())
            showUnavailableList(view);
        break;
    case 221: AccountMenu::showGruppetilk(view); break;
    case 222: AccountMenu::showMinkonto(view); break;
    case 223:
        if (administratorsOnly())
            AccountMenu::showKontoliste(view);
        break;
    case 241:
        if (administratorsOnly())
            AccountMenu::showParamform(view);
        break;
    case 242:
        if (administratorsOnly())
            showSettingsForm<Times>(view);
        break;
    case 24:
        if (administratorsOnly())
            showSettingsForm<Options>(view);
        break;
    case 31: showBookingPeriod(view); break;
    case 32: showArchiveTotals(view); break;
    case 33: showArchiveDetails(view); break;
    // Reports show their preview modeless.
    case 341: Reports::get<ResListDom>()->Show(); break;
    case 342: Reports::get<ResListAdd>()->Show(); break;
    case 343: Reports::get<ResListSA>()->Show(); break;
    case 35:
        if (administratorsOnly())
            Reports::get<kontoudskrift>()->Show();
        break;
    case 61: System::showHelp(); break;
    case 62: Forms::get<About>()->Show(Form::Modal, &view); break;
    case 52: showExpiringSeries(&view); break;
    default: break;   // menu titles, sub-menu heads and unknown ids
    }
}

template<typename View>
void bookingBarOf(View &view, int id)
{
    switch (id) {
    case 7:
        gPasteMode = 1;
        view.CopyBookingToClipboard();
        break;
    case 8:
        gPasteMode = 2;
        view.CopyBookingToClipboard();
        break;
    case 9: view.PasteBookingCommand(); break;
    case 10: view.DeleteSelectedBooking(); break;
    case 14: showSearchform(); break;
    case 15: showMyBookings(); break;
    case 16: showTodays(); break;
    case 18: showExpiringSeries(nullptr); break;
    default: break;
    }
}

// Opens the booking of the grid's selected item: the booking form when the user may edit the
// booking's account, else the read-only view.
template<typename View>
void openSelected(View &view, PlannerGrid &grid)
{
    const int selected = grid.SelectedItem();
    if (selected < 1) {
        MsgBox::show("No Booking Selected", MsgBox::OkOnly, "Service Message");
        return;
    }
    GridEdit::openBooking(
        grid.ItemKeyText(selected), [&view](int32_t n) { view.OpenBookingForEdit(n); },
        [&view](int32_t n) { view.ShowBookingInfo(n); });
}

template<typename View>
void itemMenuCommon(View &view, PlannerGrid &grid, int id)
{
    switch (id) {
    case 1: openSelected(view, grid); break;
    case 2:
        gPasteMode = 1;
        view.CopyBookingToClipboard();
        break;
    case 3:
        gPasteMode = 2;
        view.CopyBookingToClipboard();
        break;
    case 4: view.DeleteSelectedBooking(); break;
    default: break;
    }
}

} // namespace

void mainMenu(Calendar &view, int id) { mainMenuOf(view, id); }
void mainMenu(CalMdag &view, int id) { mainMenuOf(view, id); }

void bookingBar(Calendar &view, int id)
{
    if (id == 17)
        view.PrintDayScheme();
    else
        bookingBarOf(view, id);
}

void bookingBar(CalMdag &view, int id)
{
    if (id == 17)
        view.PrintWeekScheme();
    else
        bookingBarOf(view, id);
}

void weekBar(CalMdag &view, int id)
{
    if (id == 1 || id == 2) {
        gWeekStartDay += id == 1 ? -7 : 7;
        view.mdato->setText(QString::number(gWeekStartDay));
    }
    view.RefreshWeekView();
}

void itemMenu(Calendar &view, int id)
{
    if (id == 5) {
        const int32_t item = view.cc->ItemResource(view.cc->SelectedItem());
        if (item != 0)
            view.OpenWeekView(item);
        return;
    }
    itemMenuCommon(view, *view.cc, id);
}

void itemMenu(CalMdag &view, int id)
{
    if (id == 5) {
        const int32_t day = view.dd->ItemDay(view.dd->SelectedItem());
        if (day != 0)
            view.OpenDayView(day);
        return;
    }
    itemMenuCommon(view, *view.dd, id);
}

void weekBackFourWeeks(CalMdag &view)
{
    gWeekStartDay -= 28;
    view.mdato->setText(QString::number(gWeekStartDay));
}

namespace {
// Both planners close when another bookingfile is taken into use: one left open would show
// the old file's item and store what is typed into it under that item's number in the new file.
void closePlanners(Form &view)
{
    view.Unload();
    Forms::unload<Calendar>();
    Forms::unload<CalMdag>();
}
} // namespace

void openBookingFile(Form &view, FilePicker &picker)
{
    if (!BookingfileChoice::OpenExisting(picker))
        return;
    closePlanners(view);
    Forms::get<introstart>()->Show();
}

void createBookingFile(Form &view, FilePicker &picker)
{
    if (!BookingfileChoice::CreateNew(picker))
        return;
    closePlanners(view);
    Forms::get<introstart>()->Show();
}

} // namespace PlannerCommands
