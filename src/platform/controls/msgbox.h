#pragma once

#include <QString>

#include <functional>

// Message boxes. Every box of the program passes here, so a test records what was shown and
// answers with the button it wants. Styles combine as on the classic platform:
// buttons + icon + default button, e.g. YesNo | Question | DefaultButton2.
namespace MsgBox {

enum Style : int {
    OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5,
    Critical = 16, Question = 32, Exclamation = 48, Information = 64,
    DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512
};

enum Answer : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct Shown
{
    QString text;
    QString title;
    int style = 0;
};

// Shows a box and returns the button pressed.
int show(const QString &text, int style = OkOnly, const QString &title = QString());

// Replaces the window system's boxes; nullptr puts them back.
using Handler = std::function<int(const Shown &)>;
void setHandler(Handler handler);

} // namespace MsgBox
