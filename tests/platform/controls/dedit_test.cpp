#include "platform/controls/dateedit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The opening-hours form's spin handler: the caret picks hours, minutes or seconds.
void spinByCaret(TimeEdit &edit, bool down)
{
    const int p = edit.caretPosition();
    const int step = p < 2 ? 3600 : p <= 4 ? 60 : 1;
    edit.setValue(down ? edit.value() - step : edit.value() + step);
}

TEST(TimeEditTest, ShowsSecondsOfTheDay)
{
    TimeEdit edit;
    EXPECT_TRUE(edit.isNull());
    EXPECT_EQ(edit.value(), 0);
    edit.setValue(28800);
    EXPECT_EQ(edit.text(), "08:00:00");
    edit.setValue(14 * 3600 + 30 * 60 + 5);
    EXPECT_EQ(edit.findChild<QLineEdit *>()->text(), "14:30:05");
    edit.setShowSeconds(false);
    EXPECT_EQ(edit.text(), "14:30");
    EXPECT_EQ(edit.value(), 14 * 3600 + 30 * 60 + 5);   // the shown form drops nothing
    edit.setNull();
    EXPECT_TRUE(edit.isNull());
    EXPECT_EQ(edit.text(), "");
}

TEST(TimeEditTest, SpinsReportTheDirectionAndTheCaretPicksTheUnit)
{
    TimeEdit edit;
    QObject::connect(&edit, &DEdit::Spin, &edit, [&edit](bool down) { spinByCaret(edit, down); });
    struct Case { int caret; bool down; const char *shown; };
    const Case cases[] = {
        {0, false, "09:00:00"}, {1, true, "07:00:00"}, {3, true, "07:59:00"},
        {2, false, "08:01:00"}, {6, false, "08:00:01"}, {5, true, "07:59:59"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        edit.setValue(28800);
        edit.setCaretPosition(c.caret);
        if (c.down)
            edit.spinDown();
        else
            edit.spinUp();
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(edit.caretPosition(), c.caret);   // a spin keeps the caret in its unit
    }
}

TEST(TimeEditTest, ArrowKeysAndButtonsSpinWithoutChangingTheValue)
{
    TimeEdit edit;
    edit.setValue(3600);
    QSignalSpy spins(&edit, &DEdit::Spin);
    QLineEdit *line = edit.findChild<QLineEdit *>();
    QTest::keyClick(line, Qt::Key_Down);
    QTest::keyClick(line, Qt::Key_Up);
    ASSERT_EQ(spins.size(), 2);
    EXPECT_TRUE(spins[0][0].toBool());
    EXPECT_FALSE(spins[1][0].toBool());
    // The two spin buttons (the time edit's drop-down button is hidden).
    for (QToolButton *b : edit.findChildren<QToolButton *>()) {
        if (!b->isHidden())
            b->click();
    }
    ASSERT_EQ(spins.size(), 4);
    EXPECT_NE(spins[2][0].toBool(), spins[3][0].toBool());
    EXPECT_EQ(edit.value(), 3600);

    edit.setReadOnly(true);
    const auto before = spins.size();
    QTest::keyClick(line, Qt::Key_Up);
    EXPECT_EQ(spins.size(), before);
}

TEST(TimeEditTest, OutOfTheDayWrapsAroundTheClock)
{
    TimeEdit edit;
    edit.setValue(-60);
    EXPECT_EQ(edit.value(), 86340);
    edit.setValue(86399 + 1);
    EXPECT_EQ(edit.value(), 0);
    EXPECT_FALSE(edit.isNull());
}

TEST(TimeEditTest, TypingSetsTheValueAndEmptyingMakesItNull)
{
    TimeEdit edit;
    edit.setValue(28800);
    QSignalSpy changes(&edit, &DEdit::Change);
    QLineEdit *line = edit.findChild<QLineEdit *>();
    line->setFocus();
    line->setCursorPosition(0);
    QTest::keyClicks(line, "1");
    EXPECT_EQ(edit.value(), 18 * 3600);
    EXPECT_EQ(changes.size(), 1);
    // An impossible hour leaves the value; leaving the box refuses it with a message and
    // shows the value again.
    QStringList shown;
    MsgBox::setHandler([&shown](const MsgBox::Shown &box) {
        shown.append(box.text);
        return int(MsgBox::Ok);
    });
    line->setCursorPosition(0);
    QTest::keyClicks(line, "9");
    EXPECT_EQ(edit.value(), 18 * 3600);
    emit line->editingFinished();
    MsgBox::setHandler(nullptr);
    EXPECT_EQ(shown, QStringList{"98:00:00 is not a valid time."});
    EXPECT_EQ(line->text(), "18:00:00");
    // A text left half typed goes back to the value without a word.
    line->setText("1_:__:__");
    emit line->editingFinished();
    EXPECT_EQ(line->text(), "18:00:00");
    EXPECT_EQ(shown.size(), 1);
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    EXPECT_TRUE(edit.isNull());
    EXPECT_EQ(changes.size(), 2);
}

TEST(TimeEditTest, ChangeComesForCodeAndUserButNotForTheSameValue)
{
    TimeEdit edit;
    QSignalSpy changes(&edit, &DEdit::Change);
    edit.setValue(60);
    edit.setValue(60);
    edit.setNull();
    edit.setNull();
    EXPECT_EQ(changes.size(), 2);
}

TEST(DateEditTest, DayNumbersShownByTheDateStyle)
{
    DateEdit edit;
    edit.setValue(2);
    EXPECT_EQ(edit.text(), "03-01-1900");
    edit.setDateFormat(0);
    EXPECT_EQ(edit.text(), "01/03/1900");
    edit.setDateFormat(1);
    edit.setValue(45359);
    EXPECT_EQ(edit.text(), "10-03-2024");
    EXPECT_EQ(edit.date(), QDate(2024, 3, 10));
    edit.setDate(QDate(2024, 3, 24));
    EXPECT_EQ(edit.value(), 45373);
    edit.setDateFormat("mm/dd/yyyy");
    EXPECT_EQ(edit.findChild<QLineEdit *>()->text(), "03/24/2024");
}

TEST(DateEditTest, TypedDatesAreReadByThePattern)
{
    DateEdit edit;
    edit.setDateFormat("dd-mm-yyyy");
    edit.setValue(45359);
    QLineEdit *line = edit.findChild<QLineEdit *>();
    line->setFocus();
    line->setCursorPosition(0);
    QTest::keyClicks(line, "29022024");
    EXPECT_EQ(edit.date(), QDate(2024, 2, 29));
    // 30 February is no date: the value stays.
    line->setCursorPosition(0);
    QTest::keyClicks(line, "30");
    EXPECT_EQ(edit.date(), QDate(2024, 2, 29));
}

// A date box holds only a date it shows and reads back: a year before 1900 typed whole is
// refused as the box is left, and a value from code beyond the dates it shows is taken to the
// nearer end.
TEST(DateEditTest, HoldsOnlyDatesItShowsAndReadsBack)
{
    DateEdit edit;
    edit.setDateFormat("mm/dd/yyyy");
    edit.setValue(45359);
    QLineEdit *line = edit.findChild<QLineEdit *>();
    QStringList shown;
    MsgBox::setHandler([&shown](const MsgBox::Shown &box) {
        shown.append(box.text);
        return int(MsgBox::Ok);
    });
    line->setFocus();
    line->setCursorPosition(0);
    QTest::keyClicks(line, "11130821");
    EXPECT_EQ(edit.date(), QDate(2024, 11, 13));   // as it stood before the year was typed
    emit line->editingFinished();
    MsgBox::setHandler(nullptr);
    EXPECT_EQ(shown, QStringList{"11/13/0821 is not a valid date."});
    EXPECT_EQ(line->text(), "11/13/2024");

    for (const auto &[value, held] : {std::pair{-393780, 0}, std::pair{-1, 0},
                                      std::pair{2958465, 2958463}, std::pair{0, 0}}) {
        edit.setValue(value);
        EXPECT_EQ(edit.value(), held) << value;
    }
    EXPECT_EQ(edit.text(), "01/01/1900");
    edit.setValue(2958463);
    EXPECT_EQ(edit.text(), "12/31/9999");
}

TEST(DateEditTest, DropDownAndSpinOnlyReport)
{
    DateEdit edit;
    edit.setValue(100);
    QSignalSpy drops(&edit, &DEdit::DropDown);
    QSignalSpy spins(&edit, &DEdit::Spin);
    QLineEdit *line = edit.findChild<QLineEdit *>();
    QTest::keyClick(line, Qt::Key_F4);
    QTest::keyClick(line, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(line, Qt::Key_Down);
    EXPECT_EQ(drops.size(), 2);
    ASSERT_EQ(spins.size(), 1);
    EXPECT_TRUE(spins[0][0].toBool());
    EXPECT_EQ(edit.value(), 100);
}

} // namespace
