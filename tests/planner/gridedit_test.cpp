#include "plannerfixture.h"

#include "bookings/bookingform.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "reports/searchinfoform.h"

#include <QFile>
#include <QLineEdit>
#include <QtEndian>

using namespace Generalen;

// Both planner views over the two rooms.
class GridEditTest : public TwoRoomsTest
{
protected:
    int count(const QString &where)
    {
        auto db = Dao::Database::open(file);
        auto rs = db->OpenRecordset("SELECT Count(*) FROM booking WHERE " + where,
                                    Dao::RecordsetType::Snapshot);
        return rs->Field(0).toInt();
    }
    void giveToAccount(int32_t nr, int32_t account)
    {
        exec(QString("UPDATE booking SET kontonr = %1 WHERE Bookingnr = %2").arg(account).arg(nr));
    }

    // Types text into an empty slot of a column, as the grid reports it.
    static int typeItem(PlannerGrid &grid, int column, int start, int end, const QString &text)
    {
        grid.SetSelection(column, start, end);
        const qint32 d = grid.mode() == PlannerGrid::WeekGrid ? grid.DayOfColumn(column)
                                                               : grid.FirstDay();
        const int index = grid.AddItem(start, end, d, text, QString());
        grid.SetItemResource(index, grid.ColumnResource(column));
        grid.SetSelectedItem(index);
        emit grid.ItemAdded(index, start, end, column, false);
        return index;
    }
    // Moves an item to a column and a time, as a drag with the mouse ends.
    static void moveItem(PlannerGrid &grid, int index, int column, int start, int end)
    {
        grid.SetSelection(column, start, end);
        if (grid.mode() == PlannerGrid::WeekGrid)
            grid.SetItemDay(index, grid.DayOfColumn(column));
        else
            grid.SetItemResource(index, grid.ColumnResource(column));
        grid.SetItemStart(index, start);
        grid.SetItemEnd(index, end);
        grid.SetSelectedItem(index);
        emit grid.ItemChanged(index);
    }
    static int indexOf(const PlannerGrid &grid, int32_t nr)
    {
        return int(keys(grid).indexOf(QString::number(nr))) + 1;
    }

};

TEST_F(GridEditTest, ABookingTypedOverAnotherIsStoredAsASecondOneTentativeInTheDayViewOnly)
{
    addBooking(1, type, aula, gCurrentDay, 600, 660, "First");
    addBooking(2, type, aula, monday + 3, 600, 660, "First of the week");
    gTentativeMode = true;

    auto *cal = Forms::get<Calendar>();
    ASSERT_EQ(columns(*cal->cc), QList<int32_t>({aula, lab}));
    const int i = typeItem(*cal->cc, 1, 600, 660, "Second");
    EXPECT_EQ(cal->cc->ItemKeyText(i), "500");
    EXPECT_TRUE(cal->cc->ItemTentative(i));
    EXPECT_EQ(cal->cc->ItemColour(i), 255u);
    EXPECT_EQ(count(QString("Lokalenr = %1 AND Bdato = %2 AND bstart = 600").arg(aula)
                        .arg(gCurrentDay)),
              2);
    EXPECT_EQ(field(500, "Beskrivelse"), "Second");
    EXPECT_EQ(field(500, "bslut").toInt(), 660);
    EXPECT_EQ(field(500, "kontonr").toInt(), 2);
    EXPECT_EQ(field(500, "curacname"), "Anna Berg");
    EXPECT_EQ(field(500, "Bgruppe").toInt(), type);
    EXPECT_EQ(field(500, "Bcolor").toInt(), 255);
    EXPECT_TRUE(field(500, "Tentative").toBool());
    cal->Unload();

    // The week view: the column gives the day, the shown item the resource, and the row keeps
    // the table's default for Tentative.
    auto *week = Forms::get<CalMdag>();
    const int w = typeItem(*week->dd, 4, 600, 660, "Second of the week");
    EXPECT_EQ(week->dd->ItemKeyText(w), "501");
    EXPECT_FALSE(week->dd->ItemTentative(w));
    EXPECT_EQ(field(501, "Bdato").toInt(), monday + 3);
    EXPECT_EQ(field(501, "Lokalenr").toInt(), aula);
    EXPECT_FALSE(field(501, "Tentative").toBool());
    EXPECT_EQ(count(QString("Bdato = %1").arg(monday + 3)), 2);
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(GridEditTest, MovedItemsAreStoredAtOnceInBothViews)
{
    addBooking(1, type, aula, gCurrentDay, 600, 660);
    addBooking(2, type, aula, monday, 600, 660);

    auto *cal = Forms::get<Calendar>();
    moveItem(*cal->cc, indexOf(*cal->cc, 1), 2, 720, 810);
    EXPECT_EQ(field(1, "Lokalenr").toInt(), lab);
    EXPECT_EQ(field(1, "bstart").toInt(), 720);
    EXPECT_EQ(field(1, "bslut").toInt(), 810);
    EXPECT_EQ(field(1, "Bdato").toInt(), gCurrentDay);
    cal->Unload();

    auto *week = Forms::get<CalMdag>();
    moveItem(*week->dd, indexOf(*week->dd, 2), 3, 540, 570);
    EXPECT_EQ(field(2, "Bdato").toInt(), monday + 2);
    EXPECT_EQ(field(2, "bstart").toInt(), 540);
    EXPECT_EQ(field(2, "Lokalenr").toInt(), aula);
    // An edited text is stored and the grid refilled from the file.
    const int i = indexOf(*week->dd, 2);
    week->dd->SetItemText(i, "Renamed");
    emit week->dd->ItemEdited(i, "Renamed");
    EXPECT_EQ(field(2, "Beskrivelse"), "Renamed");
    EXPECT_EQ(week->dd->ItemDay(indexOf(*week->dd, 2)), monday + 2);
}

// A double-click writes the item back only when it differs from its booking: opening an unmoved
// booking commits nothing to the file, a moved one is stored before it opens.
TEST_F(GridEditTest, ADoubleClickWritesOnlyAnItemThatDiffersFromItsBooking)
{
    addBooking(1, type, aula, gCurrentDay, 600, 660, "Choir");
    exec("UPDATE booking SET Beskrivelse = NULL WHERE Bookingnr = 1");
    // The file's change counter (bytes 24 to 27 of its header), which every commit moves on.
    const auto commits = [this] {
        QFile f(file);
        const QByteArray head = f.open(QIODevice::ReadOnly) ? f.read(28) : QByteArray();
        return head.size() == 28 ? qint64(qFromBigEndian<quint32>(head.constData() + 24)) : -1;
    };
    auto *cal = Forms::get<Calendar>();
    const int i = indexOf(*cal->cc, 1);
    cal->cc->SetSelectedItem(i);
    const qint64 before = commits();
    emit cal->cc->ItemDblClick(i);
    EXPECT_EQ(commits(), before);
    EXPECT_TRUE(field(1, "Beskrivelse").isNull());   // an empty title stays as it was
    Forms::unload<bookingform>();

    cal->cc->SetItemStart(i, 630);
    emit cal->cc->ItemDblClick(i);
    EXPECT_NE(commits(), before);
    EXPECT_EQ(field(1, "bstart").toInt(), 630);
    EXPECT_TRUE(Forms::isLoaded<bookingform>());
}

TEST_F(GridEditTest, AUserWithoutRightsStoresNothingAndGetsTheReadOnlyView)
{
    addBooking(1, type, aula, gCurrentDay, 600, 660, "Theirs");
    giveToAccount(1, 9);

    auto *cal = Forms::get<Calendar>();
    int i = indexOf(*cal->cc, 1);
    moveItem(*cal->cc, i, 2, 720, 780);
    cal->cc->SetItemText(i, "Mine now");
    emit cal->cc->ItemEdited(i, "Mine now");
    EXPECT_EQ(field(1, "Lokalenr").toInt(), aula);
    EXPECT_EQ(field(1, "bstart").toInt(), 600);
    EXPECT_EQ(field(1, "Beskrivelse"), "Theirs");
    // The refill after the edit shows the booking where it is stored.
    i = indexOf(*cal->cc, 1);
    EXPECT_EQ(cal->cc->ItemResource(i), aula);
    EXPECT_EQ(cal->cc->ItemText(i), "Theirs");

    emit cal->cc->ItemDblClick(i);
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    ASSERT_TRUE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(Forms::get<Searchinfoform>()->Data1.Recordset()->Field("Bookingnr").toInt(), 1);
    Forms::unload<Searchinfoform>();

    // An administrator opens it in the booking form.
    gIsAdmin = true;
    emit cal->cc->ItemDblClick(i);
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(Forms::get<bookingform>()->Data1.Recordset()->Field("Bookingnr").toInt(), 1);
    // The move and the title were refused aloud, in the words of the refused delete; the
    // openings said nothing.
    ASSERT_EQ(sb.shown().size(), 2);
    for (const auto &shown : sb.shown()) {
        EXPECT_EQ(shown.text, "You have no authority to change this booking !");
        EXPECT_EQ(shown.title, "");
    }
}

TEST_F(GridEditTest, TheWeekViewSaysWhyAMoveOrATitleWasRefused)
{
    addBooking(1, type, aula, monday, 600, 660, "Theirs");
    giveToAccount(1, 9);
    auto *week = Forms::get<CalMdag>();
    moveItem(*week->dd, indexOf(*week->dd, 1), 3, 720, 780);
    EXPECT_EQ(sb.lastText(), "You have no authority to change this booking !");
    EXPECT_EQ(field(1, "Bdato").toInt(), monday);
    const int i = indexOf(*week->dd, 1);
    week->dd->SetItemText(i, "Mine now");
    emit week->dd->ItemEdited(i, "Mine now");
    EXPECT_EQ(sb.shown().size(), 2);
    EXPECT_EQ(sb.lastText(), "You have no authority to change this booking !");
    EXPECT_EQ(field(1, "Beskrivelse"), "Theirs");
    EXPECT_EQ(week->dd->ItemText(indexOf(*week->dd, 1)), "Theirs");
}

TEST_F(GridEditTest, DeleteAsksAndTestsTheRightsInEachViewsOrder)
{
    addBooking(1, type, aula, gCurrentDay, 600, 660);
    addBooking(2, type, aula, gCurrentDay, 700, 760);
    giveToAccount(2, 9);

    // Nothing selected: the day view says so.
    auto *cal = Forms::get<Calendar>();
    cal->DeleteSelectedBooking();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "No Booking Selected");
    EXPECT_EQ(sb.shown()[0].title, "Service Message");
    sb.clearShown();

    // Another account's booking is refused after its number is noted.
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 2));
    cal->DeleteSelectedBooking();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "You have no authority to delete this booking !");
    EXPECT_EQ(sb.shown()[0].title, "");
    EXPECT_EQ(cal->slettenr->text(), "2");
    EXPECT_EQ(count("Bookingnr = 2"), 1);
    sb.clearShown();

    // The own booking: "No" keeps it, "Yes" deletes it and its item.
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 1));
    sb.answer(MsgBox::No);
    cal->DeleteSelectedBooking();
    EXPECT_EQ(count("Bookingnr = 1"), 1);
    sb.answer(MsgBox::Yes);
    cal->DeleteSelectedBooking();
    ASSERT_EQ(sb.shown().size(), 2);
    EXPECT_EQ(sb.shown()[1].text, "Confirm deletion ?");
    EXPECT_EQ(sb.shown()[1].title, "Slettemeddelelse");
    EXPECT_EQ(sb.shown()[1].style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(count("Bookingnr = 1"), 0);
    EXPECT_EQ(keys(*cal->cc), QStringList({"2"}));
    cal->Unload();
    sb.clearShown();

    // The week view passes an empty selection over and asks before the rights test.
    exec(QString("UPDATE booking SET Bdato = %1").arg(monday));
    auto *week = Forms::get<CalMdag>();
    week->DeleteSelectedBooking();
    EXPECT_TRUE(sb.shown().isEmpty());
    week->dd->SetSelectedItem(indexOf(*week->dd, 2));
    sb.answer(MsgBox::No);
    week->DeleteSelectedBooking();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "Confirm Delete ?");
    EXPECT_EQ(sb.shown()[0].title, "Delete Info");
    EXPECT_EQ(week->slettenr->text(), "");
    sb.answer(MsgBox::Yes);
    week->DeleteSelectedBooking();
    EXPECT_EQ(sb.lastText(), "You have no authority to delete this booking !");
    EXPECT_EQ(week->slettenr->text(), "2");
    EXPECT_EQ(count("Bookingnr = 2"), 1);
    gIsAdmin = true;
    sb.answer(MsgBox::Yes);
    week->DeleteSelectedBooking();
    EXPECT_EQ(count("Bookingnr = 2"), 0);
    EXPECT_TRUE(keys(*week->dd).isEmpty());
}

TEST_F(GridEditTest, ABookingDeletedElsewhereIsReportedAndNothingChanges)
{
    addBooking(1, type, aula, gCurrentDay, 600, 660);
    auto *cal = Forms::get<Calendar>();
    const int i = indexOf(*cal->cc, 1);
    exec("DELETE FROM booking WHERE Bookingnr = 1");
    const QString gone = "The booking is no longer in the bookingfile. It may have been deleted.";

    moveItem(*cal->cc, i, 2, 720, 780);
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(count("1 = 1"), 0);

    emit cal->cc->ItemDblClick(i);
    EXPECT_EQ(sb.lastText(), gone);
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());

    sb.clearShown();
    cal->cc->SetSelectedItem(i);
    cal->DeleteSelectedBooking();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), gone);
    EXPECT_EQ(cal->cc->ItemCount(), 1);
    EXPECT_EQ(cal->slettenr->text(), "");
}

TEST_F(GridEditTest, ATypedBookingThatCannotBeStoredLeavesTheGrid)
{
    addBooking(500, type, lab, gCurrentDay, 900, 960);   // holds the counter's next number
    auto *cal = Forms::get<Calendar>();
    typeItem(*cal->cc, 1, 600, 660, "Lost");
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(keys(*cal->cc), QStringList({"500"}));
    EXPECT_EQ(count("Beskrivelse = 'Lost'"), 0);
}
