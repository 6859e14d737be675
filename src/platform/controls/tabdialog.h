#pragma once

#include <QString>
#include <QWidget>

class QTabWidget;

// A tabbed dialog: a row of tabs with captions, each with a page that the form fills with its
// controls. Tab is the current tab (0 for the first); changing it, by the user or by code,
// raises Click with the tab that was current before.
class TabDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TabDialog(QWidget *parent = nullptr);
    ~TabDialog() override;

    // Adds a tab at the end and returns its page, on which the form puts its controls.
    QWidget *addTab(const QString &caption);
    int Tabs() const;
    QWidget *page(int tab) const;

    QString TabCaption(int tab) const;
    void setTabCaption(int tab, const QString &caption);
    bool TabEnabled(int tab) const;
    void setTabEnabled(int tab, bool enabled);

    int Tab() const;
    // Makes this tab current; a number outside the tabs changes nothing.
    void setTab(int tab);

signals:
    void Click(int previousTab);

private:
    QTabWidget *m_tabs;
    int m_current = -1;
};
