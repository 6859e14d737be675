#include "platform/controls/toolbar.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolBar>

ToolBar::ToolBar(QWidget *parent) : ToolBar(Buttons, parent) {}

ToolBar::ToolBar(Mode mode, QWidget *parent) : QWidget(parent), m_mode(mode)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (mode == MenuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setNativeMenuBar(false);
        layout->addWidget(m_menuBar);
    } else {
        m_toolBar = new QToolBar(this);
        m_toolBar->setIconSize(QSize(24, 24));
        m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        layout->addWidget(m_toolBar);
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ToolBar::AddButton(int id, const QIcon &picture, const QString &tipText,
                        const QString &caption)
{
    Item item;
    item.id = id;
    item.level = 1;
    item.caption = caption;
    item.tip = tipText;
    item.picture = picture;
    m_items.append(item);
    const int index = int(m_items.size()) - 1;
    if (!m_toolBar)
        return rebuildMenus();
    QAction *action = m_toolBar->addAction(picture, caption.isEmpty() ? tipText : caption);
    action->setToolTip(tipText);
    if (!caption.isEmpty())
        m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(action, &QAction::triggered, this, [this, index] { clicked(index); });
    m_items[index].action = action;
}

void ToolBar::AddButton(int id, const QString &iconName, const QString &tipText,
                        const QString &caption)
{
    AddButton(id, picture(iconName, caption.isEmpty() ? tipText : caption), tipText, caption);
}

void ToolBar::AddSeparator()
{
    Item item;
    item.level = 1;
    item.separator = true;
    m_items.append(item);
    if (m_toolBar)
        m_items.last().action = m_toolBar->addSeparator();
    else
        rebuildMenus();
}

void ToolBar::AddMenuItem(int level, int id, const QString &caption)
{
    Item item;
    item.level = qBound(1, level, 3);
    item.id = id;
    item.caption = caption;
    m_items.append(item);
    rebuildMenus();
}

void ToolBar::AddMenuSeparator(int level)
{
    Item item;
    item.level = qBound(2, level, 3);
    item.separator = true;
    m_items.append(item);
    rebuildMenus();
}

bool ToolBar::isMenuHead(int index) const
{
    const Item &item = m_items.at(index);
    if (m_mode != MenuBar || item.separator)
        return false;
    if (item.level == 1)
        return true;
    return item.level == 2 && index + 1 < m_items.size() && m_items.at(index + 1).level == 3;
}

// The menus are rebuilt from the item list on every change: whether a level 2 item is an
// entry or a sub-menu head is known only once its next item is there.
void ToolBar::rebuildMenus()
{
    if (!m_menuBar)
        return;
    m_menuBar->clear();
    qDeleteAll(m_menuBar->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly));
    QMenu *menu = nullptr;
    QMenu *sub = nullptr;
    for (int i = 0; i < m_items.size(); ++i) {
        Item &item = m_items[i];
        item.action = nullptr;
        if (item.level == 1) {
            menu = m_menuBar->addMenu(item.caption);
            sub = nullptr;
            item.action = menu->menuAction();
        } else if (!menu) {
            continue;   // an entry before any title has no menu to live in
        } else if (item.level == 2) {
            sub = nullptr;
            if (item.separator) {
                item.action = menu->addSeparator();
            } else if (isMenuHead(i)) {
                sub = menu->addMenu(item.caption);
                item.action = sub->menuAction();
            } else {
                item.action = menu->addAction(item.caption);
            }
        } else {
            QMenu *target = sub ? sub : menu;
            item.action = item.separator ? target->addSeparator() : target->addAction(item.caption);
        }
        item.action->setEnabled(item.enabled);
        showShortcut(item);
        if (!item.separator && !isMenuHead(i))
            connect(item.action, &QAction::triggered, this, [this, i] { clicked(i); });
    }
}

void ToolBar::clicked(int index)
{
    const Item &item = m_items.at(index);
    if (!item.enabled)
        return;
    const int id = item.id;
    const bool menuEntry = m_mode == MenuBar;
    emit ButtonClick(id);
    if (menuEntry)
        emit MenuClick(id);
}

void ToolBar::setItemShortcut(int id, const QKeySequence &keys)
{
    const int index = indexOf(id);
    if (index < 0)
        return;
    m_items[index].shortcut = keys;
    showShortcut(m_items[index]);
}

QKeySequence ToolBar::ItemShortcut(int id) const
{
    const int index = indexOf(id);
    return index < 0 ? QKeySequence() : m_items.at(index).shortcut;
}

void ToolBar::showShortcut(const Item &item)
{
    if (!item.action || item.separator)
        return;
    if (m_mode == Buttons) {
        const QString keys = item.shortcut.toString(QKeySequence::NativeText);
        item.action->setToolTip(keys.isEmpty() ? item.tip : item.tip + " (" + keys + ")");
        return;
    }
    // Shown in the menu only: the owner binds the keys where they belong.
    item.action->setShortcut(item.shortcut);
    item.action->setShortcutContext(Qt::WidgetShortcut);
}

void ToolBar::setItemEnabled(int id, bool enabled)
{
    const int index = indexOf(id);
    if (index < 0)
        return;
    m_items[index].enabled = enabled;
    if (m_items[index].action)
        m_items[index].action->setEnabled(enabled);
}

bool ToolBar::isItemEnabled(int id) const
{
    const int index = indexOf(id);
    return index >= 0 && m_items.at(index).enabled;
}

int ToolBar::indexOf(int id) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (!m_items.at(i).separator && m_items.at(i).id == id)
            return i;
    }
    return -1;
}

bool ToolBar::clickItem(int id)
{
    const int index = indexOf(id);
    if (index < 0 || isMenuHead(index) || !m_items.at(index).enabled)
        return false;
    clicked(index);
    return true;
}

QIcon ToolBar::picture(const QString &iconName, const QString &fallbackText)
{
    if (!iconName.isEmpty() && QIcon::hasThemeIcon(iconName))
        return QIcon::fromTheme(iconName);
    const struct { const char *name; QStyle::StandardPixmap pixmap; } standard[] = {
        {"go-previous", QStyle::SP_ArrowBack}, {"go-next", QStyle::SP_ArrowForward},
        {"edit-delete", QStyle::SP_TrashIcon}, {"help-about", QStyle::SP_MessageBoxInformation},
    };
    for (const auto &entry : standard) {
        if (iconName == QLatin1String(entry.name))
            return QApplication::style()->standardIcon(entry.pixmap);
    }
    // A rounded tile with up to two letters of the text.
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette palette = QApplication::palette();
    QPainterPath tile;
    tile.addRoundedRect(QRectF(3, 3, 42, 42), 9, 9);
    painter.fillPath(tile, palette.color(QPalette::Highlight));
    QString letters;
    for (const QString &word : fallbackText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (letters.size() < 2 && word.at(0).isLetterOrNumber())
            letters += word.at(0).toUpper();
    }
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(letters.size() > 1 ? 18 : 24);
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::HighlightedText));
    painter.drawText(QRectF(3, 3, 42, 42), Qt::AlignCenter, letters);
    painter.end();
    return QIcon(pixmap);
}
