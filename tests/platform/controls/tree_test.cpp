#include "platform/controls/tree.h"

#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Two roots with a child each, and a grandchild that carries a key already used.
struct SmallTree
{
    SmallTree()
    {
        root1 = tree.AddNode(-1, "Domestic", "LT1");
        group = tree.AddNode(root1, "Rooms", "LG4");
        root2 = tree.AddNode(-1, "Add-On", "AT2");
        type = tree.AddNode(group, "Meeting", "LT1");
    }
    Tree tree;
    int root1, group, root2, type;
};

TEST(TreeTest, NodesKeepTheirParentKeyTextAndLevelAndKeysMayRepeat)
{
    SmallTree t;
    EXPECT_EQ(t.tree.NodeCount(), 4);
    EXPECT_EQ(t.type, 3);
    EXPECT_EQ(t.tree.NodeKey(t.type), "LT1");   // the same key as the first root
    EXPECT_EQ(t.tree.NodeKey(t.root1), "LT1");
    EXPECT_EQ(t.tree.NodeText(t.type), "Meeting");
    EXPECT_EQ(t.tree.NodeParent(t.type), t.group);
    EXPECT_EQ(t.tree.NodeParent(t.root2), -1);
    EXPECT_EQ(t.tree.NodeLevel(t.root2), 1);
    EXPECT_EQ(t.tree.NodeLevel(t.type), 3);
    EXPECT_EQ(t.tree.AddNode(17, "x", "y"), -1);
    EXPECT_EQ(t.tree.NodeKey(17), QString());
    EXPECT_EQ(t.tree.NodeLevel(17), 0);

    t.tree.Clear();
    EXPECT_EQ(t.tree.NodeCount(), 0);
    EXPECT_LT(t.tree.SelectedIndex(), 0);
    EXPECT_EQ(t.tree.AddNode(-1, "again", "ST5"), 0);
}

TEST(TreeTest, ExpandedFlagAndSelection)
{
    SmallTree t;
    EXPECT_FALSE(t.tree.NodeExpanded(t.root1));
    t.tree.setNodeExpanded(t.root1, true);
    EXPECT_TRUE(t.tree.NodeExpanded(t.root1));
    t.tree.setNodeExpanded(t.root1, false);
    EXPECT_FALSE(t.tree.NodeExpanded(t.root1));

    EXPECT_LT(t.tree.SelectedIndex(), 0);
    t.tree.setSelectedIndex(t.type);   // a node inside a closed parent can be selected
    EXPECT_EQ(t.tree.SelectedIndex(), t.type);
    t.tree.setSelectedIndex(-1);
    EXPECT_LT(t.tree.SelectedIndex(), 0);
}

TEST(TreeTest, MouseClicksReportTheNodeNumber)
{
    SmallTree t;
    t.tree.resize(200, 200);
    t.tree.show();
    QSignalSpy right(&t.tree, &Tree::NodeRClick);
    QSignalSpy dbl(&t.tree, &Tree::NodeDblClick);
    t.tree.rightClickNode(t.root2);
    t.tree.rightClickNode(42);
    ASSERT_EQ(right.size(), 1);
    EXPECT_EQ(right.at(0).at(0).toInt(), t.root2);

    // A right-click through the view's context menu request names the node under the mouse.
    auto *view = t.tree.findChild<QTreeWidget *>();
    const QRect at = view->visualItemRect(view->topLevelItem(1));
    emit view->customContextMenuRequested(at.center());
    ASSERT_EQ(right.size(), 2);
    EXPECT_EQ(right.at(1).at(0).toInt(), t.root2);
    emit view->customContextMenuRequested(QPoint(5, 190));   // below every node
    EXPECT_EQ(right.size(), 2);

    t.tree.doubleClickNode(t.group);
    ASSERT_EQ(dbl.size(), 1);
    EXPECT_EQ(dbl.at(0).at(0).toInt(), t.group);
    EXPECT_EQ(t.tree.SelectedIndex(), t.group);
}

} // namespace
