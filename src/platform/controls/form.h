#pragma once

#include "platform/instances.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <typeindex>

class Form;

namespace Forms {
void unloadAll();
} // namespace Forms

// A window of the program. Each form class has one program-wide instance, reached through
// Forms::get<T>(); it loads (Form_Load runs) when first touched and is destroyed by Unload.
// A form shown with an owner belongs to it: it stays above the owner (the window manager keeps
// it transient for it), and the owner's Unload first unloads it through its own Unload. The
// owner is no Qt parent, so no form is ever destroyed together with another one.
class Form : public QWidget
{
    Q_OBJECT
public:
    enum ShowMode { Modeless, Modal };

    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // Runs as the form unloads; set cancel to keep it loaded.
    virtual void Form_Unload(bool &cancel) { Q_UNUSED(cancel) }

    // Shows the form. A modal form runs through the modal seam: on screen it waits until the
    // form is hidden or unloaded; under a test's runner it returns at once. A form shows first
    // in the middle of the window it is opened from (its owner, else the active window).
    // Without an owner the form keeps the one it had.
    void Show(ShowMode mode = Modeless, QWidget *owner = nullptr);
    void Hide();
    // The window the form was last shown for; nullptr when it has none (or it is gone).
    QWidget *owner() const { return m_owner; }
    // Unloads the form: first every form it owns, each through its own Unload, then its own
    // Form_Unload runs, then the form is hidden and destroyed; the next Forms::get creates a
    // fresh instance. Returns false, with the form still loaded, when an owned form or
    // Form_Unload cancelled.
    bool Unload();
    bool isUnloading() const { return m_unloading; }

signals:
    void unloaded();

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    // Enter and Escape as on any dialog: Enter runs the form's Ok action (what its default
    // button does), Escape its cancel or close action. A key without an action goes on to Qt;
    // a box that takes Enter itself (a box of several lines) keeps it.
    void keyPressEvent(QKeyEvent *e) override;
    void setDialogKeys(std::function<void()> enter, std::function<void()> escape = {});
    // An Enter action: presses the button that has the focus, if one has.
    void pressFocusedButton();

private:
    friend void Forms::unloadAll();
    // Hides and destroys the form without its Form_Unload: its data controls write nothing.
    void discard();

    std::function<void()> m_enterAction;
    std::function<void()> m_escapeAction;
    QPointer<QWidget> m_owner;
    bool m_unloading = false;
    bool m_unloadingOwned = false;
    bool m_placed = false;
    bool m_modalRunning = false;
};

namespace Forms {

// Runs a modal form. The default waits in a local event loop; a test installs a runner that
// returns at once (or drives the form and then returns).
using ModalRunner = std::function<void(Form *)>;
void setModalRunner(ModalRunner runner);   // nullptr: the default

namespace detail {
Instances<Form> &instances();
} // namespace detail

template<typename T>
T *get()
{
    return detail::instances().get<T>([](T *form) { form->Form_Load(); });
}

template<typename T>
bool isLoaded()
{
    return detail::instances().find(typeid(T)) != nullptr;
}

// Unloads the form of class T when it is loaded; false when its Unload refused.
template<typename T>
bool unload()
{
    if (Form *f = detail::instances().find(typeid(T)))
        return f->Unload();
    return true;
}

// The window a dialog opened now belongs to: the active window, else the form activated
// last that is still shown; nullptr when none is.
QWidget *activeWindow();
// Places a window that is about to be shown centred over the window it is opened from, within
// the screen's available area, and makes it that window's transient, so the window manager keeps
// it above its opener. It takes no ownership: the opener may close first.
void centreOver(QWidget *window, QWidget *opener);

// The loaded forms that owner owns.
QList<Form *> ownedBy(const QWidget *owner);
// Unloads every form that owner owns, each through its own Unload; false as soon as one
// refuses (that one and the forms not yet reached stay loaded).
bool unloadOwnedBy(const QWidget *owner);

// Unloads every form (end of the program, or between tests). A form whose Unload refuses is
// destroyed without it, and writes nothing.
void unloadAll();
QList<Form *> loaded();

} // namespace Forms
