#include "platform/controls/tabdialog.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TabDialogTest, ClickCarriesTheTabThatWasCurrentBefore)
{
    TabDialog tabs;
    QWidget *general = tabs.addTab("General Info");
    tabs.addTab("Account Info");
    tabs.addTab("Reciept");
    ASSERT_EQ(tabs.Tabs(), 3);
    EXPECT_EQ(tabs.page(0), general);
    EXPECT_EQ(tabs.TabCaption(2), "Reciept");
    EXPECT_EQ(tabs.Tab(), 0);

    QSignalSpy clicks(&tabs, &TabDialog::Click);
    tabs.setTab(2);   // by code
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 0);
    EXPECT_EQ(tabs.Tab(), 2);

    tabs.resize(400, 300);
    tabs.show();
    QTabBar *bar = tabs.findChild<QTabBar *>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());   // by the user
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 2);
    EXPECT_EQ(tabs.Tab(), 1);

    tabs.setTab(1);   // the same tab again, or no tab at all: no change, no click
    tabs.setTab(3);
    tabs.setTab(-1);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(tabs.Tab(), 1);
}

TEST(TabDialogTest, ADisabledTabCannotBeChosenByTheUser)
{
    TabDialog tabs;
    tabs.addTab("Company");
    tabs.addTab("Floorplans");
    tabs.setTabEnabled(1, false);
    EXPECT_FALSE(tabs.TabEnabled(1));
    EXPECT_TRUE(tabs.TabEnabled(0));
    tabs.resize(300, 200);
    tabs.show();
    QSignalSpy clicks(&tabs, &TabDialog::Click);
    QTabBar *bar = tabs.findChild<QTabBar *>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(tabs.Tab(), 0);
    EXPECT_EQ(clicks.count(), 0);
    tabs.setTabEnabled(1, true);
    tabs.setTabCaption(1, "Floor Plans");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(tabs.Tab(), 1);
    EXPECT_EQ(tabs.TabCaption(1), "Floor Plans");
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
