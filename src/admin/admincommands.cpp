#include "core/commands.h"
#include "core/plannerview.h"

// The resource administration's commands in the main menu. The forms are not built yet: each
// row keeps its place and its access rule and does nothing until its form is wired here, shown
// as its comment says. The account and parameter rows are registered with their forms.
namespace {

using namespace Commands;

void registerRows()
{
    // ResManager: modeless, owned.
    add({.id = 21, .menu = 2, .order = 10, .caption = "Resource Manager", .adminOnly = true});
    // UnavailableList: modeless, owned; then repainted.
    add({.id = 25, .menu = 2, .order = 30, .caption = "Unavailable Ressources List",
         .adminOnly = true});
}

const Registrar registrar(registerRows);

} // namespace
