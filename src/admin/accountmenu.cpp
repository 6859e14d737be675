#include "admin/accountmenu.h"

#include "admin/gruppetilk.h"
#include "admin/kontoliste.h"
#include "admin/minkonto.h"
#include "admin/paramform.h"
#include "core/commands.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "platform/controls/msgbox.h"

#include <QLineEdit>

using Generalen::gDatabasePath;
using Generalen::gUserNo;

namespace AccountMenu {

namespace {
// The form's instance, loaded afresh when the one open was loaded from another bookingfile;
// the one open when it refuses to close (it has said why).
template<typename F, typename PathOf>
F *onBookingfileInUse(PathOf pathOf)
{
    if (Forms::isLoaded<F>() && pathOf(*Forms::get<F>()) != gDatabasePath)
        Forms::unload<F>();
    return Forms::get<F>();
}
void registerRows()
{
    using namespace Commands;
    add({.id = 22, .menu = 2, .order = 40, .caption = "Accounts"});
    add({.id = 221, .menu = 22, .order = 10, .caption = "Group Account Manager",
         .action = [](PlannerView &view) { showGruppetilk(view.form()); }});
    add({.id = 222, .menu = 22, .order = 20, .caption = "Personal Account",
         .action = [](PlannerView &view) { showMinkonto(view.form()); }});
    add({.id = 223, .menu = 22, .order = 30, .caption = "Administrators Account Manager",
         .adminOnly = true, .action = [](PlannerView &view) { showKontoliste(view.form()); }});
    add({.id = 241, .menu = 23, .order = 10, .caption = "Company Info", .adminOnly = true,
         .action = [](PlannerView &view) { showParamform(view.form()); }});
}

const Commands::Registrar registrar(registerRows);

} // namespace

void showGruppetilk(Form &owner)
{
    onBookingfileInUse<Gruppetilk>([](const Gruppetilk &f) { return f.Data1.DatabaseName(); })
        ->Show(Form::Modeless, &owner);
}

void showMinkonto(Form &owner)
{
    // Another login or bookingfile since it opened: it must show the new user's own row. One
    // that keeps a change its checks refuse stays as it is.
    if (Forms::isLoaded<Minkonto>() && !Forms::get<Minkonto>()->showsOwnRow()
        && !Forms::unload<Minkonto>())
        return;
    auto *form = Forms::get<Minkonto>();
    if (form->Data1.isOpen())
        form->Data1.FindFirst("[ID]=" + QString::number(gUserNo));
    if (!form->showsOwnRow()) {
        form->Unload();
        MsgBox::show("Your account is not in this bookingfile.", MsgBox::OkOnly,
                     "Vantix  -  My Account");
        return;
    }
    form->Show(Form::Modeless, &owner);
}

void showKontoliste(Form &owner)
{
    onBookingfileInUse<Kontoliste>([](const Kontoliste &f) { return f.DatabaseName(); })
        ->Show(Form::Modeless, &owner);
}

void showParamform(Form &owner)
{
    onBookingfileInUse<Paramform>([](const Paramform &f) { return f.Data1.DatabaseName(); })
        ->Show(Form::Modal, &owner);
}

} // namespace AccountMenu
