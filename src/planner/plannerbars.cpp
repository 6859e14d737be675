#include "planner/plannerbars.h"

#include "core/commands.h"

#include "platform/controls/dropmenu.h"
#include "platform/controls/pictures.h"
#include "platform/controls/toolbar.h"

#include <QShortcut>

namespace PlannerBars {

namespace {

// The main menu's rows under menu, at level (1 to 3), each followed by the rows under it.
void addMenuRows(ToolBar &bar, Commands::View view, int menu, int level)
{
    for (const Commands::Command *row : Commands::rowsOf(Commands::MainMenu, view, menu)) {
        bar.AddMenuItem(level, row->id, row->caption);
        if (!row->shortcut.isEmpty())
            bar.setItemShortcut(row->id, row->shortcut);
        if (level < 3)
            addMenuRows(bar, view, row->id, level + 1);
    }
}

void addButtons(ToolBar &bar, Commands::Surface surface, Commands::View view)
{
    const Commands::Command *previous = nullptr;
    for (const Commands::Command *row : Commands::rowsOf(surface, view)) {
        if (previous && previous->group != row->group)
            bar.AddSeparator();
        bar.AddButton(row->id, Pictures::picture(row->picture), row->tip);
        if (!row->shortcut.isEmpty())
            bar.setItemShortcut(row->id, row->shortcut);
        previous = row;
    }
}

} // namespace

void fillMainMenu(ToolBar &bar, Commands::View view)
{
    addMenuRows(bar, view, Commands::TopLevel, 1);
}

void fillBookingBar(ToolBar &bar, Commands::View view)
{
    addButtons(bar, Commands::BookingBar, view);
}

void fillWeekBar(ToolBar &bar) { addButtons(bar, Commands::WeekBar, Commands::WeekView); }

void fillItemMenu(DropMenu &menu, Commands::View view)
{
    for (const Commands::Command *row : Commands::rowsOf(Commands::ItemMenu, view)) {
        const int item = menu.AddItem(row->caption, 0, 1);
        menu.setItemId(item, row->id);
        menu.setItemShortcut(item, row->shortcut);
    }
}

void bindBookingKeys(QWidget &grid, Commands::View view,
                     const std::function<void(int id)> &runBookingBar)
{
    for (const Commands::Command *row : Commands::rowsOf(Commands::BookingBar, view)) {
        if (row->shortcut.isEmpty())
            continue;
        // Only while the grid (or its title editor, which takes these keys for its text) has
        // the focus: the same keys in the lists and boxes around it act on those.
        auto *keys = new QShortcut(row->shortcut, &grid);
        keys->setContext(Qt::WidgetWithChildrenShortcut);
        const int id = row->id;
        QObject::connect(keys, &QShortcut::activated, &grid, [runBookingBar, id] {
            runBookingBar(id);
        });
    }
}

} // namespace PlannerBars
