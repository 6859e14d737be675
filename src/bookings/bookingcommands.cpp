#include "core/commands.h"
#include "core/plannerview.h"

// The bookings' commands in the main menu. TentBookings is not built yet: its row keeps its
// place and its access rule and does nothing until the form is wired here (modal, owned).
namespace {

using namespace Commands;

void registerRows()
{
    add({.id = 26, .menu = 2, .order = 20, .caption = "Tentative Bookings", .adminOnly = true});
}

const Registrar registrar(registerRows);

} // namespace
