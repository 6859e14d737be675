#include "platform/controls/msgbox.h"

#include "platform/controls/form.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace MsgBox {
namespace {
Handler g_handler;

int showOnScreen(const Shown &box)
{
    QMessageBox mb(Forms::activeWindow());
    mb.setWindowTitle(box.title.isEmpty() ? QStringLiteral(" ") : box.title);
    mb.setText(box.text);
    switch (box.style & 0x70) {
    case Critical: mb.setIcon(QMessageBox::Critical); break;
    case Question: mb.setIcon(QMessageBox::Question); break;
    case Exclamation: mb.setIcon(QMessageBox::Warning); break;
    case Information: mb.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B { QMessageBox::StandardButton qt; int answer; };
    QList<B> buttons;
    switch (box.style & 0x7) {
    case OkCancel: buttons = {{QMessageBox::Ok, Ok}, {QMessageBox::Cancel, Cancel}}; break;
    case AbortRetryIgnore:
        buttons = {{QMessageBox::Abort, Abort}, {QMessageBox::Retry, Retry},
                   {QMessageBox::Ignore, Ignore}};
        break;
    case YesNoCancel:
        buttons = {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
        break;
    case YesNo: buttons = {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}}; break;
    case RetryCancel: buttons = {{QMessageBox::Retry, Retry}, {QMessageBox::Cancel, Cancel}}; break;
    default: buttons = {{QMessageBox::Ok, Ok}}; break;
    }
    for (const B &b : buttons)
        mb.addButton(b.qt);
    const int def = (box.style & 0x300) >> 8;
    if (def < buttons.size())
        mb.setDefaultButton(buttons[def].qt);
    // Wide enough for its title beside the window manager's buttons, which would cut it. Added
    // last: setting the icon or the buttons lays the box out anew and drops earlier items.
    const int titleWidth = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                               .horizontalAdvance(box.title) * 6 / 5 + 140;
    if (auto *grid = qobject_cast<QGridLayout *>(mb.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    const auto pressed = static_cast<QMessageBox::StandardButton>(mb.exec());
    for (const B &b : buttons) {
        if (b.qt == pressed)
            return b.answer;
    }
    // Closed by Esc or the window's close box: the cancelling button, else the last one.
    for (const B &b : buttons) {
        if (b.answer == Cancel || b.answer == No)
            return b.answer;
    }
    return buttons.last().answer;
}
} // namespace

int show(const QString &text, int style, const QString &title)
{
    const Shown box{text, title, style};
    return g_handler ? g_handler(box) : showOnScreen(box);
}

void setHandler(Handler handler) { g_handler = std::move(handler); }

} // namespace MsgBox
