#include "plannerfixture.h"

#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/plannergrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace Generalen;

namespace {

// One key of a sequence: a bare key press (a modifier, a dead key), or a text typed with
// the modifiers that bring it.
struct Stroke
{
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = {};
};

struct KeySequence
{
    const char *name;
    QList<Stroke> strokes;
    QString stored;
};

QLineEdit *editor()
{
    return qobject_cast<QLineEdit *>(QApplication::focusWidget());
}

void press(QWidget *w, const Stroke &s)
{
    QKeyEvent down(QEvent::KeyPress, s.key, s.modifiers, s.text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, s.key, s.modifiers, s.text);
    QApplication::sendEvent(w, &up);
}

// "Board Meeting (Q4) – Ærø" as a hand types it: Shift held for capitals and brackets, Ctrl
// and AltGr pressed on their own, the dash and the Danish letters through AltGr and a dead key.
QList<Stroke> boardMeeting()
{
    QList<Stroke> s;
    auto text = [&s](const QString &t) {
        for (QChar c : t) {
            const bool upper = c.isUpper() || QStringLiteral("()").contains(c);
            if (upper)
                s << Stroke{Qt::Key_Shift, {}, Qt::ShiftModifier};
            s << Stroke{Qt::Key(c.toUpper().unicode()), c,
                        upper ? Qt::ShiftModifier : Qt::NoModifier};
        }
    };
    text("Board");
    s << Stroke{Qt::Key_Control, {}, Qt::ControlModifier};
    text(" Meeting (Q4) ");
    s << Stroke{Qt::Key_AltGr, {}, Qt::GroupSwitchModifier};
    s << Stroke{Qt::Key_unknown, QString(QChar(0x2013)), Qt::GroupSwitchModifier};
    text(" ");
    s << Stroke{Qt::Key_Shift, {}, Qt::ShiftModifier};
    s << Stroke{Qt::Key_AE, QStringLiteral("Æ"), Qt::ShiftModifier};
    s << Stroke{Qt::Key_R, QStringLiteral("r")};
    s << Stroke{Qt::Key_Dead_Abovering, {}};
    s << Stroke{Qt::Key_Ooblique, QStringLiteral("ø")};
    return s;
}

QList<KeySequence> sequences()
{
    return {
        {"Capitals", {{Qt::Key_U, "u"}, {Qt::Key_Shift, {}, Qt::ShiftModifier},
                      {Qt::Key_N, "N", Qt::ShiftModifier}},
         "uN"},
        {"CtrlAltGrAndDeadKeys", boardMeeting(),
         QString::fromUtf8("Board Meeting (Q4) \u2013 \u00c6r\u00f8")},
    };
}

} // namespace

// The title editor of both views, typed into with real key events on the shown window.
class TitleEditorTest : public TwoRoomsTest
{
protected:
    static void show(Form *form, PlannerGrid &grid)
    {
        form->resize(1000, 760);
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        form->activateWindow();
        grid.setFocus();
    }
    QString storedTitle(int32_t nr) { return field(nr, "Beskrivelse").toString(); }

    // Clicks an empty slot of the grid, types the strokes into the editor it opens and ends
    // with Enter.
    static void typeIntoSlot(PlannerGrid &grid, int column, int slot, const QList<Stroke> &s)
    {
        // Slots count from midnight; the n-th one on screen is taken.
        int first = 0;
        while (!grid.viewport()->rect().contains(grid.slotRect(column, first)))
            ++first;
        const QPoint at = grid.slotRect(column, first + slot).center();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
        // The first key opens the editor; each further one goes to whatever has the focus.
        press(&grid, s.first());
        for (qsizetype i = 1; i < s.size(); ++i)
            press(QApplication::focusWidget() ? QApplication::focusWidget() : &grid, s[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // Selects an item by a click and opens its title editor with a second click.
    static void retypeItem(PlannerGrid &grid, int index, const QList<Stroke> &s)
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.itemRect(index).center());
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.itemRect(index).center());
        QTRY_VERIFY(editor() != nullptr);
        for (const Stroke &k : s)
            press(QApplication::focusWidget(), k);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};

TEST_F(TitleEditorTest, ModifiersAndDeadKeysTypeTitlesInBothViews)
{
    int32_t next = 500;   // the key counter
    int slot = 0;         // each sequence types into empty slots of its own
    for (const KeySequence &seq : sequences()) {
        slot += 4;
        SCOPED_TRACE(seq.name);
        auto *cal = Forms::get<Calendar>();
        show(cal, *cal->cc);
        typeIntoSlot(*cal->cc, 1, slot, seq.strokes);
        EXPECT_EQ(storedTitle(next), seq.stored) << "typed in the day view";

        // Typed again over the booking's title, in the editor a second click opens.
        cal->cc->SetSelectedItem(0);
        const int index = int(keys(*cal->cc).indexOf(QString::number(next))) + 1;
        ASSERT_GT(index, 0);
        exec(QString("UPDATE booking SET Beskrivelse = 'x' WHERE Bookingnr = %1").arg(next));
        cal->cc->SetItemText(index, "x");
        retypeItem(*cal->cc, index, seq.strokes);
        EXPECT_EQ(storedTitle(next), seq.stored) << "retyped in the day view";
        ++next;

        cal->OpenWeekView(aula);
        auto *week = Forms::get<CalMdag>();
        show(week, *week->dd);
        // A day of the week other than the one the day view typed into.
        const int column = week->dd->DayOfColumn(1) == gCurrentDay ? 2 : 1;
        typeIntoSlot(*week->dd, column, slot, seq.strokes);
        EXPECT_EQ(storedTitle(next), seq.stored) << "typed in the week view";
        ++next;
        Forms::unloadAll();
    }
}

// Click, click, Delete empties the editor; neither Enter nor a click elsewhere stores that.
TEST_F(TitleEditorTest, AnEmptiedTitleKeepsTheOldOne)
{
    addBooking(7, type, aula, gCurrentDay, 600, 660, "Choir");
    addBooking(8, type, lab, gCurrentDay, 600, 660, "Band");
    auto *cal = Forms::get<Calendar>();
    show(cal, *cal->cc);
    for (bool byEnter : {true, false}) {
        SCOPED_TRACE(byEnter ? "Enter" : "a click elsewhere");
        PlannerGrid &grid = *cal->cc;
        const int index = int(keys(grid).indexOf("7")) + 1;
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.itemRect(index).center());
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.itemRect(index).center());
        QTRY_VERIFY(editor() != nullptr);
        EXPECT_EQ(editor()->selectedText(), "Choir");
        QTest::keyClick(editor(), Qt::Key_Delete);
        EXPECT_TRUE(editor()->text().isEmpty());
        if (byEnter) {
            QTest::keyClick(editor(), Qt::Key_Return);
        } else {
            const int other = int(keys(grid).indexOf("8")) + 1;
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.itemRect(other).center());
        }
        QTRY_VERIFY(editor() == nullptr);
        EXPECT_EQ(storedTitle(7), "Choir");
        EXPECT_EQ(grid.ItemText(int(keys(grid).indexOf("7")) + 1), "Choir");
    }
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
}
