#include "fixtures/sandbox.h"

#include "core/about.h"
#include "platform/controls/form.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(AboutTest, EnterAndEscapeCloseIt)
{
    Sandbox sb;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        About *f = Forms::get<About>();
        f->Show(Form::Modal);
        QTest::keyClick(f, key);
        EXPECT_FALSE(Forms::isLoaded<About>()) << key;
        Forms::unloadAll();
    }
}

} // namespace
