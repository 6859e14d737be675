#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

class QAction;
class QMenu;
class QWidget;

// A pop-up menu of items that carry command ids. Items are numbered from 1 in the order
// added; an item's id is its number until setItemId gives it another. Popup shows the menu at
// the mouse; a chosen item raises ItemClick with its id.
class DropMenu : public QObject
{
    Q_OBJECT
public:
    explicit DropMenu(QWidget *parent = nullptr);
    ~DropMenu() override;

    // Adds an item and returns its number (1 for the first). The two further values are kept
    // with the item as given.
    int AddItem(const QString &caption, int value1 = 0, int value2 = 0);
    void setItemId(int item, int id);
    int ItemId(int item) const;
    // The keys that run an item elsewhere, shown beside its caption; the menu does not bind them.
    void setItemShortcut(int item, const QKeySequence &keys);
    QKeySequence ItemShortcut(int item) const;
    QString ItemCaption(int item) const;
    int ItemCount() const { return int(m_items.size()); }
    void Clear();

    // Shows the menu at the mouse (or at a global position) and returns at once.
    void Popup();
    void Popup(const QPoint &globalPos);
    bool isPoppedUp() const;

    // Chooses the item with this id as the user would; false when no item carries it.
    bool clickItem(int id);

signals:
    void ItemClick(int id);

private:
    struct Item
    {
        QString caption;
        int id = 0;
        int value1 = 0;
        int value2 = 0;
        QAction *action = nullptr;
    };

    QMenu *m_menu;
    QList<Item> m_items;
};
