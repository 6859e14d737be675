// Where the program's windows open: over the window they are opened from, on the screen, and
// message boxes wide enough for their titles.
#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"
#include "platform/report/pagemodel.h"
#include "platform/report/previewwindow.h"
#include "platform/report/printing.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class PlainForm final : public Form
{
};
class OtherForm final : public Form
{
};

// A planner-like window somewhere off the middle of the screen.
struct Opener
{
    Opener()
    {
        window.setGeometry(QRect(QPoint(40, 30), QSize(500, 400)));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
    }
    QWidget window;
};

bool nearlyCentred(const QRect &inner, const QRect &outer)
{
    const QPoint d = inner.center() - outer.center();
    return std::abs(d.x()) <= 20 && std::abs(d.y()) <= 20;
}

} // namespace

TEST(DialogPlacement, AFormOpensCentredOverItsOwnerOrTheActiveWindow)
{
    Opener opener;
    auto *owned = Forms::get<PlainForm>();
    owned->resize(200, 120);
    owned->Show(Form::Modeless, &opener.window);
    EXPECT_TRUE(nearlyCentred(owned->frameGeometry(), opener.window.frameGeometry()))
        << owned->frameGeometry().x() << "," << owned->frameGeometry().y();

    // Without an owner: over the active window, kept above it but not owned by it.
    QApplication::setActiveWindow(&opener.window);
    auto *free = Forms::get<OtherForm>();
    free->resize(240, 100);
    free->Show();
    EXPECT_TRUE(nearlyCentred(free->frameGeometry(), opener.window.frameGeometry()));
    EXPECT_EQ(free->parentWidget(), nullptr);
    ASSERT_NE(free->windowHandle(), nullptr);
    EXPECT_EQ(free->windowHandle()->transientParent(), opener.window.windowHandle());
    Forms::unloadAll();
}

TEST(DialogPlacement, AWindowLargerThanTheScreenIsMadeToFitIt)
{
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget big;
    big.resize(room.width() + 300, room.height() + 300);
    Forms::centreOver(&big, nullptr);
    EXPECT_LE(big.width(), room.width());
    EXPECT_LT(big.height(), room.height());
    EXPECT_TRUE(room.contains(big.pos()));

    // The print preview opens fitted to the screen, so its whole page can be shown.
    PageModel model;
    Printing::preview(model, "Fits");
    QPointer<PreviewWindow> preview;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *p = qobject_cast<PreviewWindow *>(w))
            preview = p;
    }
    ASSERT_TRUE(preview);
    EXPECT_GE(preview->geometry().top(), room.top());
    EXPECT_LE(preview->geometry().bottom(), room.bottom()) << preview->height();
    delete preview;
}

TEST(DialogPlacement, AMessageBoxIsWideEnoughForItsTitle)
{
    // With and without an icon: setting the icon lays the box out anew.
    const int styles[] = {MsgBox::OkOnly, MsgBox::YesNo | MsgBox::Question,
                          MsgBox::OkOnly | MsgBox::Exclamation};
    for (const int style : styles) {
        Opener opener;
        int width = 0;
        int titleWidth = 0;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                width = box->width();
                titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
                EXPECT_EQ(box->parentWidget(), &opener.window);
                box->done(0);
            }
        });
        MsgBox::show("Ok", style, "Service Message  - a long title of the program");
        ASSERT_GT(titleWidth, 0) << style;
        EXPECT_GT(width, titleWidth + 100) << style;
    }
}
