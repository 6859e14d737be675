#include "platform/controls/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QPointer>
#include <QScreen>

#include <map>

namespace Forms {
namespace {
std::map<std::type_index, Form *> &registry()
{
    static std::map<std::type_index, Form *> forms;
    return forms;
}
ModalRunner g_modalRunner;
} // namespace

void setModalRunner(ModalRunner runner) { g_modalRunner = std::move(runner); }

namespace detail {
Form *find(std::type_index type)
{
    auto it = registry().find(type);
    return it == registry().end() ? nullptr : it->second;
}
void add(std::type_index type, Form *form) { registry()[type] = form; }
void remove(Form *form)
{
    for (auto it = registry().begin(); it != registry().end(); ++it) {
        if (it->second == form) {
            registry().erase(it);
            return;
        }
    }
}
} // namespace detail

void unloadAll()
{
    for (Form *f : loaded())
        f->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<Form *> loaded()
{
    QList<Form *> forms;
    for (const auto &entry : registry())
        forms.append(entry.second);
    return forms;
}

} // namespace Forms

Form::Form(QWidget *parent) : QWidget(parent, Qt::Window) {}

Form::~Form() { Forms::detail::remove(this); }

void Form::Show(ShowMode mode, QWidget *owner)
{
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags() | Qt::Window);
    if (!m_placed && !isVisible() && parentWidget())
        centreOnOwner();
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

void Form::centreOnOwner()
{
    // The first show puts the form in the middle of its owner's window, kept on the screen.
    m_placed = true;
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    const QWidget *owner = parentWidget()->window();
    // Before its first show a window has no frame yet: leave room for the owner's title bar.
    QSize size = frameGeometry().size();
    if (size == this->size())
        size += owner->frameGeometry().size() - owner->size();
    QRect place(QPoint(0, 0), size);
    place.moveCenter(owner->frameGeometry().center());
    if (const QScreen *screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        place.moveRight(qMin(place.right(), room.right()));
        place.moveBottom(qMin(place.bottom(), room.bottom()));
        place.moveLeft(qMax(place.left(), room.left()));
        place.moveTop(qMax(place.top(), room.top()));
    }
    move(place.topLeft());
}

void Form::Hide() { hide(); }

bool Form::Unload()
{
    if (m_unloading)
        return true;
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        return false;
    m_unloading = true;
    Forms::detail::remove(this);
    hide();
    emit unloaded();
    deleteLater();
    return true;
}

bool Form::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_unloading)
        Form_Activate();
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
