#pragma once

#include <QLineEdit>
#include <QPointer>

#include <functional>

// A line edit that takes what the user typed as the user leaves it: when the focus leaves it
// by the keyboard or the mouse, when Enter is pressed in it and when its window is closed.
// The taker returns false to refuse the text (having said why): Enter then goes no further
// and the window stays open. A message or another window taking the focus for a moment is no
// leaving.
class TypedLine : public QLineEdit
{
    Q_OBJECT
public:
    explicit TypedLine(QWidget *parent = nullptr);

    void setTaker(std::function<bool()> take) { m_take = std::move(take); }

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool take();

    std::function<bool()> m_take;
    QPointer<QWidget> m_watchedWindow;
};
