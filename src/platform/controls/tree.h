#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

// A tree of nodes, each with a text and a key. Nodes are numbered from 0 in the order they
// were added; keys need not be unique, a node is found by its number. A right-click on a node
// raises NodeRClick with its number; a double-click raises NodeDblClick.
class Tree : public QWidget
{
    Q_OBJECT
public:
    explicit Tree(QWidget *parent = nullptr);

    // Adds a node under the node numbered parent (a root for a negative parent) and returns
    // its number; -1 when parent names no node.
    int AddNode(int parent, const QString &text, const QString &key);
    // Removes every node.
    void Clear();
    int NodeCount() const { return int(m_nodes.size()); }

    QString NodeText(int node) const;
    QString NodeKey(int node) const;
    int NodeParent(int node) const;   // -1 for a root or no node
    int NodeLevel(int node) const;    // 1 for a root, 0 for no node
    bool NodeExpanded(int node) const;
    void setNodeExpanded(int node, bool expanded);

    // The selected node's number; negative when none is selected.
    int SelectedIndex() const;
    void setSelectedIndex(int node);   // a negative number clears the selection

    // Does what the mouse does on a node.
    void rightClickNode(int node);
    void doubleClickNode(int node);

signals:
    void NodeRClick(int node);
    void NodeDblClick(int node);
    void NodeClick(int node);

private:
    int numberOf(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *itemOf(int node) const;

    QTreeWidget *m_view;
    QList<QTreeWidgetItem *> m_nodes;
};
