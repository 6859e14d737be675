#include "platform/controls/tree.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const int kKeyRole = Qt::UserRole;
const int kNumberRole = Qt::UserRole + 1;
} // namespace

Tree::Tree(QWidget *parent) : QWidget(parent), m_view(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setHeaderHidden(true);
    m_view->setColumnCount(1);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    setFocusProxy(m_view);

    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const int node = numberOf(m_view->itemAt(at));
        if (node >= 0)
            rightClickNode(node);
    });
    connect(m_view, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { emit NodeDblClick(numberOf(item)); });
    connect(m_view, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { emit NodeClick(numberOf(item)); });
}

int Tree::AddNode(int parent, const QString &text, const QString &key)
{
    QTreeWidgetItem *item = nullptr;
    if (parent < 0) {
        item = new QTreeWidgetItem(m_view);
    } else if (QTreeWidgetItem *above = itemOf(parent)) {
        item = new QTreeWidgetItem(above);
    } else {
        return -1;
    }
    const int number = int(m_nodes.size());
    item->setText(0, text);
    item->setData(0, kKeyRole, key);
    item->setData(0, kNumberRole, number);
    m_nodes.append(item);
    return number;
}

void Tree::Clear()
{
    m_view->clear();
    m_nodes.clear();
}

QTreeWidgetItem *Tree::itemOf(int node) const
{
    return node >= 0 && node < m_nodes.size() ? m_nodes.at(node) : nullptr;
}

int Tree::numberOf(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, kNumberRole).toInt() : -1;
}

QString Tree::NodeText(int node) const
{
    const QTreeWidgetItem *item = itemOf(node);
    return item ? item->text(0) : QString();
}

QString Tree::NodeKey(int node) const
{
    const QTreeWidgetItem *item = itemOf(node);
    return item ? item->data(0, kKeyRole).toString() : QString();
}

int Tree::NodeParent(int node) const
{
    const QTreeWidgetItem *item = itemOf(node);
    return item ? numberOf(item->parent()) : -1;
}

int Tree::NodeLevel(int node) const
{
    int level = 0;
    for (const QTreeWidgetItem *item = itemOf(node); item; item = item->parent())
        ++level;
    return level;
}

bool Tree::NodeExpanded(int node) const
{
    const QTreeWidgetItem *item = itemOf(node);
    return item && item->isExpanded();
}

void Tree::setNodeExpanded(int node, bool expanded)
{
    if (QTreeWidgetItem *item = itemOf(node))
        item->setExpanded(expanded);
}

int Tree::SelectedIndex() const
{
    const QList<QTreeWidgetItem *> selected = m_view->selectedItems();
    return selected.isEmpty() ? -1 : numberOf(selected.first());
}

void Tree::setSelectedIndex(int node)
{
    QTreeWidgetItem *item = itemOf(node);
    if (!item) {
        m_view->clearSelection();
        m_view->setCurrentItem(nullptr);
        return;
    }
    m_view->setCurrentItem(item);
    item->setSelected(true);
}

void Tree::rightClickNode(int node)
{
    if (!itemOf(node))
        return;
    emit NodeRClick(node);
}

void Tree::doubleClickNode(int node)
{
    if (QTreeWidgetItem *item = itemOf(node)) {
        setSelectedIndex(node);
        emit NodeDblClick(numberOf(item));
    }
}
