#include "admin/resmanager.h"
#include "admin/unavailablelist.h"
#include "core/commands.h"
#include "core/plannerview.h"
#include "platform/controls/form.h"

// The administration's commands in the main menu. A row whose form is not built yet keeps its
// place and its access rule and does nothing until its form is wired here, shown as its
// comment says.
namespace {

using namespace Commands;

void registerRows()
{
    add({.id = 21, .menu = 2, .order = 10, .caption = "Resource Manager", .adminOnly = true,
         .action = [](PlannerView &view) {
             Forms::get<ResManager>()->Show(Form::Modeless, &view.form());
         }});
    add({.id = 25, .menu = 2, .order = 30, .caption = "Unavailable Ressources List",
         .adminOnly = true, .action = [](PlannerView &view) {
             UnavailableList *list = Forms::get<UnavailableList>();
             list->Show(Form::Modeless, &view.form());
             list->repaint();
         }});

    add({.id = 22, .menu = 2, .order = 40, .caption = "Accounts"});
    // Gruppetilk: modeless, owned.
    add({.id = 221, .menu = 22, .order = 10, .caption = "Group Account Manager"});
    // Minkonto: modeless, owned; then its Data1 finds "[ID]=" followed by gUserNo.
    add({.id = 222, .menu = 22, .order = 20, .caption = "Personal Account"});
    // Kontoliste: modeless, owned.
    add({.id = 223, .menu = 22, .order = 30, .caption = "Administrators Account Manager",
         .adminOnly = true});

    // Paramform: modal, owned.
    add({.id = 241, .menu = 23, .order = 10, .caption = "Company Info", .adminOnly = true});
}

const Registrar registrar(registerRows);

} // namespace
