#include "platform/controls/dropmenu.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

DropMenu::DropMenu(QWidget *parent) : QObject(parent), m_menu(new QMenu(parent)) {}

DropMenu::~DropMenu()
{
    // The menu belongs to the parent widget when there is one; otherwise to us.
    if (!m_menu->parent())
        delete m_menu;
}

int DropMenu::AddItem(const QString &caption, int value1, int value2)
{
    Item item;
    item.caption = caption;
    item.value1 = value1;
    item.value2 = value2;
    const int number = int(m_items.size()) + 1;
    item.id = number;
    QAction *action = m_menu->addAction(caption);
    item.action = action;
    m_items.append(item);
    connect(action, &QAction::triggered, this, [this, number] {
        emit ItemClick(m_items.at(number - 1).id);
    });
    return number;
}

void DropMenu::setItemId(int item, int id)
{
    if (item >= 1 && item <= m_items.size())
        m_items[item - 1].id = id;
}

void DropMenu::setItemShortcut(int item, const QKeySequence &keys)
{
    if (item < 1 || item > m_items.size())
        return;
    QAction *action = m_items.at(item - 1).action;
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
}

QKeySequence DropMenu::ItemShortcut(int item) const
{
    return item >= 1 && item <= m_items.size() ? m_items.at(item - 1).action->shortcut()
                                               : QKeySequence();
}

int DropMenu::ItemId(int item) const
{
    return item >= 1 && item <= m_items.size() ? m_items.at(item - 1).id : 0;
}

QString DropMenu::ItemCaption(int item) const
{
    return item >= 1 && item <= m_items.size() ? m_items.at(item - 1).caption : QString();
}

void DropMenu::Clear()
{
    m_menu->clear();
    m_items.clear();
}

void DropMenu::Popup() { Popup(QCursor::pos()); }

void DropMenu::Popup(const QPoint &globalPos) { m_menu->popup(globalPos); }

bool DropMenu::isPoppedUp() const { return m_menu->isVisible(); }

bool DropMenu::clickItem(int id)
{
    for (const Item &item : m_items) {
        if (item.id == id) {
            m_menu->hide();
            emit ItemClick(id);
            return true;
        }
    }
    return false;
}
