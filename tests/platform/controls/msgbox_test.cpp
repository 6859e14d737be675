#include "fixtures/sandbox.h"
#include "platform/controls/msgbox.h"

#include <gtest/gtest.h>

TEST(MsgBox, RecordsTextTitleAndStyleAndAnswersFromTheQueue)
{
    Sandbox sandbox;
    sandbox.answer(MsgBox::No);
    const int style = MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2;
    EXPECT_EQ(MsgBox::show("Confirm deletion ?", style, "Slettemeddelelse"), MsgBox::No);
    EXPECT_EQ(MsgBox::show("Filename Empty", MsgBox::OkOnly, "Illegal filename"), MsgBox::Ok);
    ASSERT_EQ(sandbox.shown().size(), 2);
    EXPECT_EQ(sandbox.shown()[0].title, "Slettemeddelelse");
    EXPECT_EQ(sandbox.shown()[0].style, style);
    EXPECT_EQ(sandbox.lastText(), "Filename Empty");
}
