#include "core/commands.h"
#include "core/plannerview.h"
#include "reports/kontoudskrift.h"
#include "reports/reportframe.h"
#include "reports/reslistadd.h"
#include "reports/reslistdom.h"
#include "reports/reslistsa.h"

// The commands of the lists and reports: the Reports menu and the list buttons of the booking
// tool bar. A row whose form is not built yet keeps its place and does nothing until the form
// is wired here, shown as its comment says.
namespace {

using namespace Commands;

void registerRows()
{
    add({.id = 3, .order = 30, .caption = "Reports"});
    // Booking Overview (31), Period Totals (32) and Period Details (33) register with their
    // criteria dialogs.
    // Reports show their preview modeless.
    add({.id = 0, .menu = 3, .order = 40, .caption = "Resource Lists"});
    add({.id = 341, .menu = 0, .order = 10, .caption = "Domestic",
         .action = [](PlannerView &) { Reports::get<ResListDom>()->Show(); }});
    add({.id = 342, .menu = 0, .order = 20, .caption = "Add-Ons",
         .action = [](PlannerView &) { Reports::get<ResListAdd>()->Show(); }});
    add({.id = 343, .menu = 0, .order = 30, .caption = "Stand-Alones",
         .action = [](PlannerView &) { Reports::get<ResListSA>()->Show(); }});
    add({.id = 35, .menu = 3, .order = 50, .caption = "Account List", .adminOnly = true,
         .action = [](PlannerView &) { Reports::get<kontoudskrift>()->Show(); }});
    // The expiring series (52, no item carries it) register with their list.

    // Searchform (14), My Bookings (15), Todays Bookings (16) and Repeating Bookings (18)
    // register with their lists.
}

const Registrar registrar(registerRows);

} // namespace
