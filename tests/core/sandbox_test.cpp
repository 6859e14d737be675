#include "fixtures/sandbox.h"
#include "platform/report/pagemodel.h"
#include "platform/report/previewwindow.h"
#include "platform/report/printing.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// A handler that a test installs itself and leaves behind would outlive the test's locals: the
// sandbox puts the preview seam back however the test ended.
TEST(Sandbox, PutsBackAPreviewHandlerThatTheTestLeftBehind)
{
    auto previews = std::make_shared<int>(0);
    {
        Sandbox sb;
        Printing::setPreviewHandler(
            [previews](const PageModel &, const QString &) { ++*previews; });
        PageModel pages;
        Printing::preview(pages, "inside");
    }
    PageModel pages;
    Printing::preview(pages, "after");
    EXPECT_EQ(*previews, 1);

    // The default preview window opened instead.
    int windows = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *preview = qobject_cast<PreviewWindow *>(w)) {
            ++windows;
            preview->close();
        }
    }
    EXPECT_EQ(windows, 1);
}
