#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>
#include <vector>

class PlannerView;

// The program's commands: one table of rows. The planner views build their main menu bar,
// booking tool bar, week tool bar and item menu from it, and a clicked id runs its row's action
// on the view it was clicked in. Each subsystem registers the rows of the forms it owns, in its
// own folder, with a registrar at namespace scope of one of its .cpp files:
//
//     #include "core/commands.h"
//     #include "core/plannerview.h"
//
//     namespace {
//     const Commands::Registrar rows([] {
//         Commands::add({.surface = Commands::MainMenu, .id = 21, .menu = 2, .order = 10,
//                        .caption = "Resource Manager", .adminOnly = true,
//                        .action = [](PlannerView &view) {
//                            Forms::get<ResManager>()->Show(Form::Modeless, &view.form());
//                        }});
//     });
//     } // namespace
//
// The registrars run when the table is first read (after the application object exists, so a
// row may hold a standard QKeySequence). The library is linked whole into the program and the
// tests, so a file that holds nothing but its registrar is never dropped.
namespace Commands {

enum Surface { MainMenu, BookingBar, WeekBar, ItemMenu };

// Which planner view carries a row: both, or only one of them.
enum View { AnyView, DayView, WeekView };

// The `menu` of a main menu title on the bar itself.
constexpr int TopLevel = -1;

// One command. Fields in the order designated initializers name them.
struct Command
{
    Surface surface = MainMenu;
    int id = 0;
    // Main menu only: the id of the title or sub-menu head the row sits under.
    int menu = TopLevel;
    // Rows sort by group, then by order, among the rows of their menu or tool bar; a tool bar
    // puts a separator between groups.
    int group = 0;
    int order = 0;
    QString caption = {};          // menu entries, titles and heads
    QString tip = {};              // tool bar buttons
    QString picture = {};          // tool bar buttons: a picture name the planner draws
    QKeySequence shortcut = {};    // empty: none
    bool adminOnly = false;        // refused with "Administrator Access Only!" to other users
    View view = AnyView;
    bool listed = true;            // false: run by its id, but no item carries it
    // Empty for titles, sub-menu heads and forms not built yet: the click does nothing.
    std::function<void(PlannerView &)> action = {};
};

// Adds a row. Ids are unique per surface and view.
void add(Command row);

// Every row, in the order registered.
const std::vector<Command> &rows();

// The listed rows of a surface that the view carries, in their place order; for the main menu,
// the rows directly under menu (TopLevel: the titles).
std::vector<const Command *> rowsOf(Surface surface, View view, int menu = TopLevel);

// The row that a click of id on the surface of the view runs; nullptr when none.
const Command *find(Surface surface, int id, View view);

// Runs the row of id, as a click on the surface of the view does: nothing when no row has the
// id or it has no action; the refusal message when it is reserved to administrators and the
// user is not one.
void run(Surface surface, int id, PlannerView &view);

// Registers rows when the table is first read; an object of this at namespace scope is how a
// subsystem adds its rows.
class Registrar
{
public:
    explicit Registrar(void (*registerRows)());
};

} // namespace Commands
