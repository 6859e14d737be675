#pragma once

#include "platform/controls/form.h"

#include <QString>

#include <memory>

class DropMenu;
class QPushButton;
class RecordForm;
class Tree;

namespace Dao {
class Database;
}

// The resource manager: the tree of kinds, resource groups, resource types and resource items,
// from which the forms that edit (or, for items and other users than administrators, show)
// each node open, and new groups, types and items are added under a node. The tree is built
// again each time the manager becomes the active window.
class ResManager final : public Form
{
    Q_OBJECT
public:
    ResManager();
    ~ResManager() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool &cancel) override;

    void intree_NodeRClick(int node);
    void ctDrop_ItemClick(int item);
    void add_Click();
    void edit_Click();
    void exit_Click() { Unload(); }

    Tree *intree = nullptr;
    DropMenu *ctDrop = nullptr;
    QPushButton *add = nullptr;
    QPushButton *edit = nullptr;
    QPushButton *exit = nullptr;

private:
    void BuildResourceTree();
    // Adds a group under a kind, a type under a group or an item under a type.
    void AddChild();
    // The number of a node's key ("AG12" gives 12) and the kind code of its root.
    static int keyNumber(const QString &key);
    int kindCodeOf(int node) const;
    // Shows form owned by the manager and moves it to criteria; a node whose row is gone is
    // told, its form closed and the tree built again.
    void openOn(RecordForm *form, const QString &criteria);

    std::unique_ptr<Dao::Database> m_db;   // the connection of the last build
};
