#include "admin/resmanager.h"

#include "admin/lokaliteter.h"
#include "admin/resgroup.h"
#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/tree.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QHash>
#include <QHBoxLayout>
#include <QSet>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

// Walks a recordset from its first row; an empty one is not walked.
template<typename Visit>
void walk(Dao::Recordset &rs, Visit visit)
{
    if (rs.EOF_() && rs.BOF())
        return;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
        visit();
}

void informService(const QString &text) { MsgBox::show(text, MsgBox::OkOnly, "Service Message"); }

} // namespace

ResManager::ResManager()
{
    setWindowTitle("Vantix  -  Resource Manager");
    setObjectName("ResManager");
    intree = new Tree(this);
    intree->setObjectName("intree");
    intree->setMinimumSize(320, 380);
    ctDrop = new DropMenu(this);
    ctDrop->setObjectName("ctDrop");
    add = new QPushButton("Add Child Node", this);
    add->setObjectName("add");
    edit = new QPushButton("Edit/Del Node", this);
    edit->setObjectName("edit");
    exit = new QPushButton("Exit", this);
    exit->setObjectName("exit");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addStretch();
    buttons->addWidget(exit);
    auto *top = new QVBoxLayout(this);
    top->addWidget(intree, 1);
    top->addLayout(buttons);

    connect(intree, &Tree::NodeRClick, this, &ResManager::intree_NodeRClick);
    // A double-click on a node opens it, as Edit does.
    connect(intree, &Tree::NodeDblClick, this, [this](int node) {
        if (intree->NodeLevel(node) > 1)
            edit_Click();
    });
    connect(ctDrop, &DropMenu::ItemClick, this, &ResManager::ctDrop_ItemClick);
    connect(add, &QPushButton::clicked, this, &ResManager::add_Click);
    connect(edit, &QPushButton::clicked, this, &ResManager::edit_Click);
    connect(exit, &QPushButton::clicked, this, &ResManager::exit_Click);
}

ResManager::~ResManager() = default;

void ResManager::Form_Load()
{
    ctDrop->AddItem("Add Child");
    ctDrop->AddItem("Edit/Delete Node");
}

void ResManager::Form_Activate()
{
    // The tree is read again, but keeps what the user had opened and selected. A node that is
    // new since the last build, or renamed, is selected instead: the one a form just added or
    // changed.
    QSet<QString> opened;
    QHash<QString, QString> textOf;
    for (int i = 0; i < intree->NodeCount(); ++i) {
        textOf.insert(intree->NodeKey(i), intree->NodeText(i));
        if (intree->NodeExpanded(i))
            opened.insert(intree->NodeKey(i));
    }
    const QString selected = intree->NodeKey(intree->SelectedIndex());
    intree->Clear();
    BuildResourceTree();
    int select = -1;
    bool selectChanged = false;
    for (int i = 0; i < intree->NodeCount(); ++i) {
        const QString key = intree->NodeKey(i);
        if (opened.contains(key))
            intree->setNodeExpanded(i, true);
        const bool changed = !textOf.isEmpty()
                             && (!textOf.contains(key) || textOf.value(key) != intree->NodeText(i));
        if (changed && !selectChanged) {
            select = i;
            selectChanged = true;
        } else if (select < 0 && !selected.isEmpty() && key == selected) {
            select = i;
        }
    }
    for (int up = intree->NodeParent(select); up >= 0; up = intree->NodeParent(up))
        intree->setNodeExpanded(up, true);
    intree->setSelectedIndex(select);
}

void ResManager::BuildResourceTree()
{
    try {
        m_db = Dao::Database::open(gDatabasePath);
        auto groups = m_db->OpenRecordset("overgruppenavne", Dao::RecordsetType::Snapshot);
        auto types = m_db->OpenRecordset("lokaliteter", Dao::RecordsetType::Snapshot);
        auto items = m_db->OpenRecordset("lokalesort", Dao::RecordsetType::Snapshot);
        auto kinds = m_db->OpenRecordset("gruppetyper", Dao::RecordsetType::Snapshot);
        walk(*kinds, [&] {
            const int kind = kinds->Field("gruppeart").toInt();
            const QString letter = kind == 1 ? "L" : kind == 2 ? "A" : "S";
            const int root = intree->AddNode(-1, kinds->text("gtypenavn"),
                                             letter + "T" + QString::number(kind));
            intree->setNodeExpanded(root, false);
            walk(*groups, [&] {
                if (groups->Field("Gruppeart").isNull() || groups->Field("Gruppeart").toInt() != kind)
                    return;
                const qlonglong group = groups->integer("Overgruppenr");
                const int groupNode = intree->AddNode(
                    root, groups->text("OverGruppenavn"), letter + "G" + QString::number(group));
                intree->setNodeExpanded(groupNode, false);
                walk(*types, [&] {
                    if (types->Field("Overgruppenr").isNull()
                        || types->integer("Overgruppenr") != group)
                        return;
                    const qlonglong type = types->integer("Lokalitetsnr");
                    const int typeNode = intree->AddNode(groupNode,
                                                         types->text("Lokalitetsnavn"),
                                                         letter + "L" + QString::number(type));
                    walk(*items, [&] {
                        if (items->Field("lokalinr").isNull()
                            || items->integer("lokalinr") != type)
                            return;
                        intree->AddNode(typeNode, items->text("Lokalenavn"),
                                        letter + "I" + QString::number(items->integer("lokalenr")));
                    });
                });
            });
        });
        groups->Close();
        types->Close();
        items->Close();
        kinds->Close();
    } catch (const Dao::DbError &e) {
        // The manager stays open: the user may try again by activating it.
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation,
                     "Vantix  -  Resource Manager");
    }
    setStyleSheet("ResManager { background-color: rgb(238, 216, 174); }");
}

void ResManager::intree_NodeRClick(int node)
{
    intree->setSelectedIndex(node);
    ctDrop->Popup();
}

void ResManager::ctDrop_ItemClick(int item)
{
    if (item == 1)
        add_Click();
    else if (item == 2)
        edit_Click();
}

void ResManager::add_Click()
{
    if (!gIsAdmin) {
        MsgBox::show("Administrator Access Only!", MsgBox::OkOnly, "Access Message");
        return;
    }
    AddChild();
}

int ResManager::keyNumber(const QString &key) { return key.mid(2).toInt(); }

int ResManager::kindCodeOf(int node) const
{
    int root = node;
    while (intree->NodeParent(root) >= 0)
        root = intree->NodeParent(root);
    return keyNumber(intree->NodeKey(root));
}

void ResManager::openOn(RecordForm *form, const QString &criteria)
{
    form->Show(Form::Modeless, this);
    if (form->position(criteria))
        return;
    informService("The node was not found: it may have been deleted meanwhile. "
                  "The tree is shown again.");
    form->Data1.CancelUpdate();
    form->Unload();
    Form_Activate();
}

void ResManager::edit_Click()
{
    const int node = intree->SelectedIndex();
    if (node < 0) {
        informService("Select Node, Please");
        return;
    }
    const QString key = intree->NodeKey(node);
    const QChar kind = key.at(0);
    const QChar level = key.at(1);
    const QString number = QString::number(keyNumber(key));
    if (level == 'G') {
        openOn(Forms::get<Resgroup>(), "overgruppenr = " + number);
    } else if (level == 'L') {
        openOn(Forms::get<lokaliteter>(), "lokalitetsnr = " + number);
    } else if (level == 'I') {
        const QString criteria = "lokalenr = " + number;
        if (kind == 'L')
            openOn(gIsAdmin ? static_cast<RecordForm *>(Forms::get<resitemL>())
                            : Forms::get<resitemLView>(),
                   criteria);
        else
            openOn(gIsAdmin ? static_cast<RecordForm *>(Forms::get<ResitemA>())
                            : Forms::get<ResitemAView>(),
                   criteria);
    }
}

void ResManager::AddChild()
{
    const int node = intree->SelectedIndex();
    if (node < 0) {
        informService("Select Node, Please");
        return;
    }
    const QString key = intree->NodeKey(node);
    const int number = keyNumber(key);
    const int kind = kindCodeOf(node);
    RecordForm *form = nullptr;
    QVariantMap presets;
    switch (key.at(1).toLatin1()) {
    case 'T':
        form = Forms::get<Resgroup>();
        presets = {{"Gruppeart", kind}};
        break;
    case 'G':
        form = Forms::get<lokaliteter>();
        presets = {{"Overgruppenr", number}, {"gruppeart", kind}};
        break;
    case 'L':
        form = key.at(0) == 'L' ? static_cast<RecordForm *>(Forms::get<resitemLAD>())
                                : Forms::get<ResitemAD>();
        presets = {{"lokalinr", number}, {"Gruppeart", kind}};
        break;
    default:
        informService("A resource item has no children: select its resource type to add an "
                      "item.");
        return;
    }
    form->Show(Form::Modeless, this);
    form->addNew(presets);
}

void ResManager::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel)
    m_db.reset();
    // The day view's group and type lists show new and changed groups and types, and its grid
    // the items.
    if (gActiveView != 1 || !Forms::isLoaded<Calendar>())
        return;
    try {
        Forms::get<Calendar>()->ResourcesChanged();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
    }
}
