#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

// A tool bar whose items carry numeric ids. In Buttons mode it is a row of picture buttons
// with tip texts; in MenuBar mode its items form drop-down menus: level 1 items are the
// titles on the bar, level 2 items the entries (or sub-menu heads) of the last title, level 3
// items the entries of the last sub-menu head. Titles and heads carry ids too; only entries
// and buttons are clicked.
class ToolBar : public QWidget
{
    Q_OBJECT
public:
    enum Mode { Buttons, MenuBar };

    explicit ToolBar(QWidget *parent = nullptr);
    explicit ToolBar(Mode mode, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }

    // Buttons mode. The icon name is looked up in the desktop's icon theme; without one the
    // button gets a drawn picture.
    void AddButton(int id, const QIcon &picture, const QString &tipText,
                   const QString &caption = QString());
    void AddButton(int id, const QString &iconName, const QString &tipText,
                   const QString &caption = QString());
    void AddSeparator();

    // MenuBar mode, in bar order.
    void AddMenuItem(int level, int id, const QString &caption);
    void AddMenuSeparator(int level);

    // The keys that run an item elsewhere: a menu entry shows them beside its caption, a
    // button at the end of its tip. The bar itself does not bind them.
    void setItemShortcut(int id, const QKeySequence &keys);
    QKeySequence ItemShortcut(int id) const;

    void setItemEnabled(int id, bool enabled);
    bool isItemEnabled(int id) const;

    // The items in the order added (separators included, with id -1).
    int ItemCount() const { return int(m_items.size()); }
    int ItemId(int index) const { return m_items.at(index).id; }
    int ItemLevel(int index) const { return m_items.at(index).level; }
    QString ItemCaption(int index) const { return m_items.at(index).caption; }
    QString ItemTipText(int index) const { return m_items.at(index).tip; }
    bool isSeparator(int index) const { return m_items.at(index).separator; }
    bool isMenuHead(int index) const;   // a title or a sub-menu head
    int indexOf(int id) const;          // -1 when no item has the id

    // Clicks the button or menu entry with this id as the user would; false when there is
    // none, it is disabled, or it is a title or head (those only open their menu).
    bool clickItem(int id);

    // The theme's icon of that name, or a drawn one showing the text.
    static QIcon picture(const QString &iconName, const QString &fallbackText);

signals:
    // Every clicked button or menu entry.
    void ButtonClick(int id);
    // Menu entries only (raised after ButtonClick).
    void MenuClick(int id);

private:
    struct Item
    {
        int level = 0;
        int id = -1;
        QString caption;
        QString tip;
        QIcon picture;
        bool separator = false;
        bool enabled = true;
        QKeySequence shortcut;
        QAction *action = nullptr;
    };

    void rebuildMenus();
    void showShortcut(const Item &item);
    void clicked(int index);

    Mode m_mode;
    QToolBar *m_toolBar = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QList<Item> m_items;
};
