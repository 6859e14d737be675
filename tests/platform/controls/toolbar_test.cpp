#include "platform/controls/dropmenu.h"
#include "platform/controls/toolbar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// A menu bar like the planner's: titles, entries, a sub-menu head with entries.
void fillMenuBar(ToolBar &bar)
{
    bar.AddMenuItem(1, 1, "Files");
    bar.AddMenuItem(2, 11, "&Open Existing Bookingfile");
    bar.AddMenuSeparator(2);
    bar.AddMenuItem(2, 14, "Exit Program");
    bar.AddMenuItem(1, 2, "Maintenance");
    bar.AddMenuItem(2, 21, "Resource Manager");
    bar.AddMenuItem(2, 22, "Accounts");
    bar.AddMenuItem(3, 221, "Group Account Manager");
    bar.AddMenuItem(3, 222, "Personal Account");
    bar.AddMenuItem(2, 24, "Options");
}

TEST(ToolBarTest, MenuBarBuildsMenusFromLevels)
{
    ToolBar bar(ToolBar::MenuBar);
    fillMenuBar(bar);
    auto *menuBar = bar.findChild<QMenuBar *>();
    ASSERT_TRUE(menuBar);
    const QList<QAction *> titles = menuBar->actions();
    ASSERT_EQ(titles.size(), 2);
    EXPECT_EQ(titles[0]->text(), "Files");
    QMenu *maintenance = titles[1]->menu();
    ASSERT_TRUE(maintenance);
    const QList<QAction *> entries = maintenance->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1]->text(), "Accounts");
    ASSERT_TRUE(entries[1]->menu());
    EXPECT_EQ(entries[1]->menu()->actions().size(), 2);
    EXPECT_EQ(titles[0]->menu()->actions().size(), 3);   // with the separator
    EXPECT_TRUE(titles[0]->menu()->actions()[1]->isSeparator());

    EXPECT_TRUE(bar.isMenuHead(bar.indexOf(22)));
    EXPECT_TRUE(bar.isMenuHead(bar.indexOf(2)));
    EXPECT_FALSE(bar.isMenuHead(bar.indexOf(221)));
    EXPECT_EQ(bar.ItemCaption(bar.indexOf(14)), "Exit Program");
}

TEST(ToolBarTest, MenuEntriesReportTheirIdsAndHeadsDoNot)
{
    ToolBar bar(ToolBar::MenuBar);
    fillMenuBar(bar);
    QSignalSpy buttons(&bar, &ToolBar::ButtonClick);
    QSignalSpy menus(&bar, &ToolBar::MenuClick);

    // The user's way: the action inside the sub-menu.
    QMenu *accounts = bar.findChild<QMenuBar *>()->actions()[1]->menu()->actions()[1]->menu();
    accounts->actions()[1]->trigger();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0][0].toInt(), 222);
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0][0].toInt(), 222);

    EXPECT_TRUE(bar.clickItem(14));
    EXPECT_EQ(menus.last()[0].toInt(), 14);
    EXPECT_FALSE(bar.clickItem(22));   // a head
    EXPECT_FALSE(bar.clickItem(1));    // a title
    EXPECT_FALSE(bar.clickItem(99));
    EXPECT_EQ(menus.size(), 2);

    bar.setItemEnabled(21, false);
    EXPECT_FALSE(bar.clickItem(21));
    EXPECT_FALSE(bar.isItemEnabled(21));
    EXPECT_EQ(menus.size(), 2);
}

TEST(ToolBarTest, ButtonsCarryIdsTipsAndPictures)
{
    ToolBar bar;
    bar.AddButton(7, "edit-cut", "Cut Booking");
    bar.AddButton(8, "edit-copy", "Copy Booking");
    bar.AddSeparator();
    bar.AddButton(17, "document-print", "Print Scheeme");
    QSignalSpy buttons(&bar, &ToolBar::ButtonClick);
    QSignalSpy menus(&bar, &ToolBar::MenuClick);

    ASSERT_EQ(bar.ItemCount(), 4);
    EXPECT_TRUE(bar.isSeparator(2));
    EXPECT_EQ(bar.ItemTipText(bar.indexOf(17)), "Print Scheeme");

    const QList<QAction *> actions = bar.findChild<QToolBar *>()->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->toolTip(), "Cut Booking");
    EXPECT_FALSE(actions[0]->icon().isNull());   // a theme icon or the drawn one
    actions[3]->trigger();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0][0].toInt(), 17);
    EXPECT_TRUE(menus.isEmpty());

    bar.setItemEnabled(8, false);
    EXPECT_FALSE(actions[1]->isEnabled());
    EXPECT_FALSE(bar.clickItem(8));
    EXPECT_TRUE(bar.clickItem(7));
    EXPECT_EQ(buttons.last()[0].toInt(), 7);
}

TEST(DropMenuTest, ItemsGetIdsAndReportThem)
{
    QWidget owner;
    DropMenu menu(&owner);
    const char *captions[] = {"Open", "Cut", "Copy", "Delete", "WeekView"};
    for (const char *caption : captions)
        menu.AddItem(caption, 0, 1);
    for (int i = 1; i <= menu.ItemCount(); ++i)
        menu.setItemId(i, i);
    ASSERT_EQ(menu.ItemCount(), 5);
    EXPECT_EQ(menu.ItemCaption(5), "WeekView");
    EXPECT_EQ(menu.ItemId(3), 3);
    EXPECT_EQ(menu.ItemId(6), 0);

    QSignalSpy clicks(&menu, &DropMenu::ItemClick);
    menu.Popup(QPoint(10, 10));
    EXPECT_TRUE(menu.isPoppedUp());
    auto *popup = owner.findChild<QMenu *>();
    ASSERT_TRUE(popup);
    popup->actions()[3]->trigger();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 4);

    EXPECT_TRUE(menu.clickItem(5));
    EXPECT_FALSE(menu.isPoppedUp());
    EXPECT_EQ(clicks.last()[0].toInt(), 5);
    EXPECT_FALSE(menu.clickItem(9));
    EXPECT_EQ(clicks.size(), 2);
}

TEST(DropMenuTest, AnItemReportsItsNumberUntilGivenAnotherId)
{
    DropMenu menu;
    EXPECT_EQ(menu.AddItem("Add Child"), 1);
    EXPECT_EQ(menu.AddItem("Edit/Delete Node"), 2);
    EXPECT_EQ(menu.AddItem("Third"), 3);
    menu.setItemId(3, 30);
    EXPECT_EQ(menu.ItemId(1), 1);
    EXPECT_EQ(menu.ItemId(3), 30);
    EXPECT_EQ(menu.ItemCaption(2), "Edit/Delete Node");

    QSignalSpy clicks(&menu, &DropMenu::ItemClick);
    EXPECT_TRUE(menu.clickItem(2));
    EXPECT_TRUE(menu.clickItem(30));
    EXPECT_FALSE(menu.clickItem(3));   // its id is 30 now
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 30);

    menu.Clear();
    EXPECT_EQ(menu.ItemCount(), 0);
    EXPECT_EQ(menu.AddItem("again"), 1);
    EXPECT_EQ(menu.ItemId(1), 1);
}

} // namespace
