#include "core/commands.h"

#include "core/generalen.h"
#include "core/plannerview.h"
#include "platform/controls/msgbox.h"

#include <algorithm>

namespace Commands {

namespace {

std::vector<void (*)()> &pending()
{
    static std::vector<void (*)()> functions;
    return functions;
}

std::vector<Command> &table()
{
    static std::vector<Command> commands;
    return commands;
}

// Registrars of files whose static objects ran since the table was last read.
void registerPending()
{
    while (!pending().empty()) {
        std::vector<void (*)()> functions;
        functions.swap(pending());
        for (auto function : functions)
            function();
    }
}

bool carries(const Command &row, View view)
{
    return row.view == AnyView || view == AnyView || row.view == view;
}

} // namespace

Registrar::Registrar(void (*registerRows)()) { pending().push_back(registerRows); }

void add(Command row) { table().push_back(std::move(row)); }

const std::vector<Command> &rows()
{
    registerPending();
    return table();
}

std::vector<const Command *> rowsOf(Surface surface, View view, int menu)
{
    std::vector<const Command *> out;
    for (const Command &row : rows()) {
        if (row.surface == surface && row.listed && carries(row, view)
            && (surface != MainMenu || row.menu == menu))
            out.push_back(&row);
    }
    std::stable_sort(out.begin(), out.end(), [](const Command *a, const Command *b) {
        return a->group != b->group ? a->group < b->group : a->order < b->order;
    });
    return out;
}

const Command *find(Surface surface, int id, View view)
{
    for (const Command &row : rows()) {
        if (row.surface == surface && row.id == id && carries(row, view))
            return &row;
    }
    return nullptr;
}

void run(Surface surface, int id, PlannerView &view)
{
    const Command *row = find(surface, id, view.plannerView());
    if (!row)
        return;
    if (row->adminOnly && !Generalen::gIsAdmin) {
        MsgBox::show("Administrator Access Only!", MsgBox::OkOnly, "Access Message");
        return;
    }
    // A copy: the action may show forms whose files register rows of their own.
    if (const auto action = row->action)
        action(view);
}

} // namespace Commands
