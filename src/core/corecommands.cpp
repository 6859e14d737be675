#include "core/about.h"
#include "core/commands.h"
#include "core/options.h"
#include "core/plannerview.h"
#include "core/times.h"
#include "platform/system.h"

// The commands of the core: the file commands, the settings forms, help, About and the end of
// the program, and the main menu's titles and sub-menu heads that hold them.
namespace {

using namespace Commands;

// A settings form shown modally from the menu: when it returns, its settings row is current
// again from the first row.
template<typename SettingsForm>
void showSettingsForm(Form &owner)
{
    Forms::get<SettingsForm>()->Show(Form::Modal, &owner);
    if (Forms::isLoaded<SettingsForm>())
        Forms::get<SettingsForm>()->Data1.MoveFirst();
}

void registerRows()
{
    add({.id = 1, .order = 10, .caption = "Files"});
    add({.id = 11, .menu = 1, .order = 10, .caption = "&Open Existing Bookingfile",
         .action = [](PlannerView &view) { view.OpenBookingFile(); }});
    add({.id = 12, .menu = 1, .order = 20, .caption = "&Create New Bookingfile",
         .action = [](PlannerView &view) { view.CreateBookingFile(); }});
    add({.id = 14, .menu = 1, .order = 40, .caption = "Exit Program",
         .action = [](PlannerView &) { System::endProgram(0); }});

    add({.id = 2, .order = 20, .caption = "Maintenance"});
    add({.id = 23, .menu = 2, .order = 50, .caption = "Parameters"});
    add({.id = 242, .menu = 23, .order = 20, .caption = "Opening Hours", .adminOnly = true,
         .action = [](PlannerView &view) { showSettingsForm<Times>(view.form()); }});
    add({.id = 24, .menu = 2, .order = 60, .caption = "Options", .adminOnly = true,
         .action = [](PlannerView &view) { showSettingsForm<Options>(view.form()); }});

    add({.id = 6, .order = 60, .caption = "Help"});
    add({.id = 61, .menu = 6, .order = 10, .caption = "Help",
         .action = [](PlannerView &) { System::showHelp(); }});
    add({.id = 62, .menu = 6, .order = 20, .caption = "About",
         .action = [](PlannerView &view) {
             Forms::get<About>()->Show(Form::Modal, &view.form());
         }});
}

const Registrar registrar(registerRows);

} // namespace
