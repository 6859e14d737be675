#include "platform/controls/hyperlink.h"

#include "platform/system.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

HyperLink::HyperLink(QWidget *parent) : HyperLink(QString(), parent) {}

HyperLink::HyperLink(const QString &caption, QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::RichText);
    setCaption(caption);
}

void HyperLink::setCaption(const QString &caption)
{
    m_caption = caption;
    showCaption();
}

void HyperLink::showCaption()
{
    // Drawn as a link but not a QLabel link: the click is ours, so PrepareMail runs first.
    const QString colour = palette().color(QPalette::Link).name();
    setText(QStringLiteral("<span style=\"color:%1; text-decoration:underline\">%2</span>")
                .arg(colour, m_caption.toHtmlEscaped()));
}

void HyperLink::Activate()
{
    QPointer<HyperLink> self(this);
    emit PrepareMail();
    if (self && !m_link.isEmpty())
        System::openUrl(m_link);
}

void HyperLink::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        Activate();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}

void HyperLink::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        Activate();
        return;
    }
    QLabel::keyPressEvent(e);
}
