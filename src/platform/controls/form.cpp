#include "platform/controls/form.h"

#include "platform/system.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace Forms {
namespace {
ModalRunner g_modalRunner;
QPointer<QWidget> g_lastActive;
} // namespace

void setModalRunner(ModalRunner runner) { g_modalRunner = std::move(runner); }

namespace detail {
Instances<Form> &instances()
{
    static Instances<Form> forms;
    return forms;
}
} // namespace detail

QWidget *activeWindow()
{
    if (QWidget *w = QApplication::activeWindow())
        return w;
    if (g_lastActive && g_lastActive->isVisible())
        return g_lastActive;
    return nullptr;
}

void centreOver(QWidget *window, QWidget *opener)
{
    const QWidget *top = opener ? opener->window() : nullptr;
    if (top == window || (top && !top->isVisible()))
        top = nullptr;
    const QScreen *screen = top ? top->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    // Before its first show a window has no frame yet: leave room for a title bar like the
    // opener's (or a usual one), and never be larger than the screen.
    QSize frame = top ? top->frameGeometry().size() - top->size() : QSize(0, 0);
    if (frame.isEmpty())
        frame = QSize(2, 30);
    if (!room.isEmpty())
        window->resize(window->size().boundedTo(room.size() - frame));
    QSize size = window->frameGeometry().size();
    if (size == window->size())
        size += frame;
    QRect place(QPoint(0, 0), size);
    place.moveCenter(top ? top->frameGeometry().center() : room.center());
    if (!room.isEmpty()) {
        place.moveRight(qMin(place.right(), room.right()));
        place.moveBottom(qMin(place.bottom(), room.bottom()));
        place.moveLeft(qMax(place.left(), room.left()));
        place.moveTop(qMax(place.top(), room.top()));
    }
    window->move(place.topLeft());
    // Kept above its opener by the window manager, without being owned by it.
    if (top && window->isWindow() && window->parentWidget() != top) {
        window->winId();
        if (QWindow *handle = window->windowHandle())
            handle->setTransientParent(top->windowHandle());
    }
}

QList<Form *> ownedBy(const QWidget *owner)
{
    QList<Form *> owned;
    if (!owner)
        return owned;
    for (Form *f : loaded()) {
        if (f != owner && f->owner() == owner)
            owned << f;
    }
    return owned;
}

bool unloadOwnedBy(const QWidget *owner)
{
    QList<QPointer<Form>> owned;
    for (Form *f : ownedBy(owner))
        owned << f;
    for (const QPointer<Form> &f : std::as_const(owned)) {
        if (f && !f->Unload())
            return false;
    }
    return true;
}

void unloadAll()
{
    QList<QPointer<Form>> forms;
    for (Form *f : loaded())
        forms << f;
    for (const QPointer<Form> &f : std::as_const(forms)) {
        if (f && !f->Unload())
            f->discard();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<Form *> loaded()
{
    return detail::instances().all();
}

} // namespace Forms

Form::Form(QWidget *parent) : QWidget(parent, Qt::Window) {}

Form::~Form() { Forms::detail::instances().remove(this); }

void Form::Show(ShowMode mode, QWidget *owner)
{
    if (owner && owner->window() != this)
        m_owner = owner->window();
    // The window manager keeps a window above another only when it is a dialog window that
    // is transient for it; an owned form keeps its minimise and maximise buttons.
    if (m_owner && windowType() != Qt::Dialog)
        setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    if (!m_placed && !isVisible()) {
        // The first show puts the form in the middle of the window it is opened from.
        m_placed = true;
        if (!testAttribute(Qt::WA_Resized))
            adjustSize();
        Forms::centreOver(this, m_owner ? m_owner.data() : Forms::activeWindow());
    }
    // Kept above its owner, also when it is shown again for another one.
    if (m_owner && m_owner->isVisible()) {
        winId();
        if (QWindow *handle = windowHandle())
            handle->setTransientParent(m_owner->windowHandle());
    }
    if (mode == Modeless) {
        show();
        raise();
        activateWindow();
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (Forms::g_modalRunner) {
        Forms::g_modalRunner(this);
        return;
    }
    QPointer<Form> self(this);
    QEventLoop loop;
    connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    m_modalRunning = true;
    while (self && isVisible()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
    if (self) {
        m_modalRunning = false;
        setWindowModality(Qt::NonModal);
    }
}

void Form::Hide() { hide(); }

bool Form::Unload()
{
    // Also when an owned form asks its owner to unload while the owner unloads it.
    if (m_unloading || m_unloadingOwned)
        return true;
    m_unloadingOwned = true;
    const bool ownedGone = Forms::unloadOwnedBy(this);
    m_unloadingOwned = false;
    if (!ownedGone)
        return false;
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        return false;
    discard();
    return true;
}

void Form::discard()
{
    m_unloading = true;
    Forms::detail::instances().remove(this);
    hide();
    emit unloaded();
    deleteLater();
}

bool Form::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_unloading) {
        Forms::g_lastActive = this;
        Form_Activate();
    }
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent *e)
{
    // The window's close box unloads the form, as a form's own close button does.
    if (!m_unloading && !Unload())
        e->ignore();
    else
        e->accept();
}

void Form::setDialogKeys(std::function<void()> enter, std::function<void()> escape)
{
    m_enterAction = std::move(enter);
    m_escapeAction = std::move(escape);
}

void Form::pressFocusedButton()
{
    if (auto *button = qobject_cast<QAbstractButton *>(focusWidget()))
        button->click();
}

void Form::keyPressEvent(QKeyEvent *e)
{
    // Help from every form, as from the planners.
    if (e->matches(QKeySequence::HelpContents)) {
        System::showHelp();
        return;
    }
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && m_enterAction) {
        m_enterAction();
        return;
    }
    if (e->key() == Qt::Key_Escape && m_escapeAction) {
        m_escapeAction();
        return;
    }
    QWidget::keyPressEvent(e);
}
