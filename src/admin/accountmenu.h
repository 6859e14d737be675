#pragma once

class Form;

// The planner's menu commands that open the account forms and the parameters, each owned by
// the planner window that asks. A form still open on another bookingfile is closed and opened
// again on the one in use.
namespace AccountMenu {

// The group account manager, modeless, for every user.
void showGruppetilk(Form &owner);
// The logged-in user's own account, modeless; without an own row it says so and opens nothing.
void showMinkonto(Form &owner);
// The administrators' account manager, modeless.
void showKontoliste(Form &owner);
// The parameters, modal.
void showParamform(Form &owner);

} // namespace AccountMenu
