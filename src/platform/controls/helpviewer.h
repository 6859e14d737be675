#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The window that shows the program's HTML help file. One window for the program: asking for
// another topic while it is open moves the same window to that topic and brings it forward.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    // Shows file at the anchor topic (empty, or an anchor the file lacks: the top). A missing
    // file is reported in a message box and no window opens; the answer is then nullptr.
    static HelpViewer *showTopic(const QString &file, const QString &topic = QString());
    // The open window, or nullptr.
    static HelpViewer *instance();

    QTextBrowser *browser() const { return m_browser; }
    // Whether the shown document has an anchor (an id or a named link) of that name.
    bool hasAnchor(const QString &name) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    explicit HelpViewer(QWidget *parent = nullptr);
    void open(const QString &file, const QString &topic);
    void updateButtons();

    QTextBrowser *m_browser;
    QToolButton *m_contents;
    QToolButton *m_back;
    QToolButton *m_forward;
};
