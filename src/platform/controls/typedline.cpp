#include "platform/controls/typedline.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>

TypedLine::TypedLine(QWidget *parent) : QLineEdit(parent) {}

bool TypedLine::take()
{
    if (!m_take || !isEnabled() || isReadOnly())
        return true;
    return m_take();
}

void TypedLine::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    const Qt::FocusReason reason = e->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
        || reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
        take();
}

void TypedLine::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !take()) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TypedLine::showEvent(QShowEvent *e)
{
    QLineEdit::showEvent(e);
    if (m_watchedWindow != window()) {
        if (m_watchedWindow)
            m_watchedWindow->removeEventFilter(this);
        m_watchedWindow = window();
        m_watchedWindow->installEventFilter(this);
    }
}

bool TypedLine::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::Close && !take()) {
        event->ignore();
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}
