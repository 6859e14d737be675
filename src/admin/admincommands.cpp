#include "admin/resmanager.h"
#include "admin/unavailablelist.h"
#include "core/commands.h"
#include "core/plannerview.h"
#include "platform/controls/form.h"

// The resource administration's commands in the main menu. The account and parameter rows are
// registered with their forms.
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
}

const Registrar registrar(registerRows);

} // namespace
