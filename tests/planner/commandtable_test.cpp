#include "core/commands.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/toolbar.h"

#include "plannerfixture.h"

#include <QSet>

#include <utility>

namespace {

QStringList menuItems(const ToolBar &bar)
{
    QStringList out;
    for (int i = 0; i < bar.ItemCount(); ++i)
        out << QString("%1 %2 %3").arg(bar.ItemLevel(i)).arg(bar.ItemId(i)).arg(bar.ItemCaption(i));
    return out;
}

QStringList dropItems(const DropMenu &menu)
{
    QStringList out;
    for (int i = 1; i <= menu.ItemCount(); ++i)
        out << QString("%1 %2").arg(menu.ItemId(i)).arg(menu.ItemCaption(i));
    return out;
}

} // namespace

// The rows of the core, admin, bookings and reports folders register themselves: the menu bar
// holds them all in bar order, also those whose form is not built yet.
TEST_F(PlannerTest, TheMainMenuIsBuiltFromTheRowsOfEverySubsystem)
{
    const QStringList expected = {
        "1 1 Files", "2 11 &Open Existing Bookingfile", "2 12 &Create New Bookingfile",
        "2 14 Exit Program",
        "1 2 Maintenance", "2 21 Resource Manager", "2 26 Tentative Bookings",
        "2 25 Unavailable Ressources List", "2 22 Accounts", "3 221 Group Account Manager",
        "3 222 Personal Account", "3 223 Administrators Account Manager", "2 23 Parameters",
        "3 241 Company Info", "3 242 Opening Hours", "2 24 Options",
        "1 3 Reports", "2 31 Booking Overview", "2 32 Period Totals", "2 33 Period Details",
        "2 0 Resource Lists", "3 341 Domestic", "3 342 Add-Ons", "3 343 Stand-Alones",
        "2 35 Account List",
        "1 6 Help", "2 61 Help", "2 62 About",
    };
    EXPECT_EQ(menuItems(*Forms::get<Calendar>()->ctToolBar1), expected);
    EXPECT_EQ(dropItems(*Forms::get<Calendar>()->ctDrop),
              QStringList({"1 Open", "2 Cut", "3 Copy", "4 Delete", "5 WeekView"}));
    Forms::unloadAll();
    EXPECT_EQ(dropItems(*Forms::get<CalMdag>()->ctDrop),
              QStringList({"1 Open", "2 Cut", "3 Copy", "4 Delete", "5 DayView"}));
}

TEST(CommandTable, RowsAreUniquePerSurfaceAndViewAndSitUnderATitleOrHead)
{
    QSet<std::pair<int, int>> menus;   // (id, view) of the rows that hold others
    for (const Commands::Command &row : Commands::rows()) {
        if (row.surface == Commands::MainMenu && !row.action && row.listed)
            menus.insert({row.id, row.view});
    }
    for (Commands::View view : {Commands::DayView, Commands::WeekView}) {
        for (Commands::Surface surface : {Commands::MainMenu, Commands::BookingBar,
                                          Commands::WeekBar, Commands::ItemMenu}) {
            QSet<int> ids;
            for (const Commands::Command &row : Commands::rows()) {
                if (row.surface != surface
                    || (row.view != Commands::AnyView && row.view != view))
                    continue;
                SCOPED_TRACE(testing::Message() << "surface " << surface << " id " << row.id);
                EXPECT_FALSE(ids.contains(row.id));
                ids.insert(row.id);
                if (surface == Commands::MainMenu && row.menu != Commands::TopLevel)
                    EXPECT_TRUE(menus.contains({row.menu, Commands::AnyView}));
            }
        }
    }
}
