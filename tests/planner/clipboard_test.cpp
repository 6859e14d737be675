#include "plannerfixture.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "planner/clipboard.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QLabel>

using namespace Generalen;

// The two rooms, a second type, and an empty clipboard in the sandbox's paths.mdb.
class ClipboardTest : public TwoRoomsTest
{
protected:
    void SetUp() override
    {
        TwoRoomsTest::SetUp();
        other = addType("Teaching", group);
        auto paths = Dao::Database::open(Extrafunktioner::PathsFile());
        paths->Execute("DELETE FROM standby");
    }

    static QVariant first(const QString &path, const QString &sql)
    {
        auto db = Dao::Database::open(path);
        auto rs = db->OpenRecordset(sql, Dao::RecordsetType::Snapshot);
        return rs->EOF_() ? QVariant() : rs->Field(0);
    }
    QVariant clip(const QString &name)
    {
        return first(Extrafunktioner::PathsFile(), "SELECT " + name + " FROM standby");
    }
    int clipRows() { return clip("Count(*)").toInt(); }

    static int indexOf(const PlannerGrid &grid, int32_t nr)
    {
        return int(keys(grid).indexOf(QString::number(nr))) + 1;
    }
    // The command and the procedure, as the tool bar runs them.
    static void cut(Calendar &view) { gPasteMode = 1; view.CopyBookingToClipboard(); }
    static void copy(Calendar &view) { gPasteMode = 2; view.CopyBookingToClipboard(); }
    static void cut(CalMdag &view) { gPasteMode = 1; view.CopyBookingToClipboard(); }
    static void copy(CalMdag &view) { gPasteMode = 2; view.CopyBookingToClipboard(); }
    template<typename View>
    static void pasteAt(View &view, PlannerGrid &grid, int column, int start)
    {
        grid.SetSelection(column, start, start + 30);
        view.PasteBookingCommand();
    }

    int32_t other = 0;
};

TEST_F(ClipboardTest, DurationRunsPastMidnightAndIsNoneForAnEmptySpan)
{
    struct Case
    {
        int start, end;
        bool defined;
        int32_t minutes;
    };
    const Case cases[] = {{600, 690, true, 90}, {1320, 120, true, 240}, {0, 1439, true, 1439},
                          {600, 600, false, 0}};
    for (const Case &c : cases) {
        int32_t minutes = 0;
        EXPECT_EQ(Clipboard::durationMinutes(c.start, c.end, minutes), c.defined) << c.start;
        if (c.defined)
            EXPECT_EQ(minutes, c.minutes) << c.start;
    }
}

TEST_F(ClipboardTest, ACopyPastesAgainAndAgainUnderNewNumbersWithItsFields)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690, "Board meeting");
    exec("UPDATE booking SET Kontaktperson2 = 'Ole', langbeskrivelse = 'Long', Antalpers = 12, "
         "Pris = 450.5, Bemærkninger = 'Coffee', gennr = 3, gentagende = 1, Intern = 1, "
         "Tentative = 1, Bcolor = 65280, leveringstype = 'Van', leveringssted = 'Dock 2', "
         "tax = 1, bvpris = 2 WHERE Bookingnr = 7");
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    copy(*cal);
    EXPECT_TRUE(cal->saks->isVisibleTo(cal));
    EXPECT_EQ(clipRows(), 1);
    EXPECT_EQ(clip("btid").toInt(), 90);
    EXPECT_EQ(clip("Bookingnr").toInt(), 7);

    pasteAt(*cal, *cal->cc, 2, 840);
    pasteAt(*cal, *cal->cc, 2, 960);
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_EQ(keys(*cal->cc), QStringList({"7", "500", "501"}));
    EXPECT_EQ(field(500, "bstart").toInt(), 840);
    EXPECT_EQ(field(500, "bslut").toInt(), 930);
    EXPECT_EQ(field(501, "bstart").toInt(), 960);
    EXPECT_EQ(field(500, "Lokalenr").toInt(), lab);
    EXPECT_EQ(field(500, "Bdato").toInt(), gCurrentDay);
    EXPECT_EQ(field(500, "Beskrivelse"), "Board meeting");
    for (const char *carried : {"Kontaktperson2", "langbeskrivelse", "Antalpers", "Pris",
                                "Bemærkninger", "gennr", "gentagende", "Intern", "Tentative",
                                "Bcolor", "kontonr", "curacname", "leveringstype",
                                "leveringssted", "tax", "bvpris"})
        EXPECT_EQ(field(500, carried), field(7, carried)) << carried;
    // An agreed price stays agreed: the booking form does not recompute it as a list price.
    EXPECT_EQ(field(500, "bvpris").toInt(), 2);
    EXPECT_TRUE(field(500, "tax").toBool());
    EXPECT_EQ(clipRows(), 1);
    EXPECT_EQ(field(7, "bstart").toInt(), 600);
}

TEST_F(ClipboardTest, ACutStaysMarkedWhereItIsUntilThePasteMovesItUnderItsOwnNumber)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    exec("UPDATE booking SET Pris = 300, Bemærkninger = 'Coffee' WHERE Bookingnr = 7");
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_EQ(field(7, "Lokalenr").toInt(), aula);
    EXPECT_EQ(keys(*cal->cc), QStringList({"7"}));
    EXPECT_TRUE(cal->cc->ItemCut(1));
    EXPECT_TRUE(cal->saks->isVisibleTo(cal));
    EXPECT_EQ(clip("Bookingnr").toInt(), 7);
    EXPECT_TRUE(clip("klippet").toBool());
    // A refill keeps the mark: the clipboard says which booking is cut.
    cal->RefreshDayView();
    EXPECT_TRUE(cal->cc->ItemCut(1));

    pasteAt(*cal, *cal->cc, 2, 720);
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_EQ(field(7, "Lokalenr").toInt(), lab);
    EXPECT_EQ(field(7, "bstart").toInt(), 720);
    EXPECT_EQ(field(7, "bslut").toInt(), 810);
    EXPECT_EQ(field(7, "Bemærkninger"), "Coffee");
    EXPECT_DOUBLE_EQ(field(7, "Pris").toDouble(), 300.0);
    EXPECT_EQ(first(file, "SELECT Count(*) FROM booking").toInt(), 1);
    EXPECT_EQ(clipRows(), 0);
    EXPECT_FALSE(cal->saks->isVisibleTo(cal));
    EXPECT_EQ(keys(*cal->cc), QStringList({"7"}));
    EXPECT_FALSE(cal->cc->ItemCut(1));

    cal->cc->SetSelection(1, 900, 930);
    cal->PasteBookingCommand();
    EXPECT_EQ(sb.lastText(), "No Booking on Clipboard !");
    EXPECT_EQ(sb.shown().last().title, "Information");
}

TEST_F(ClipboardTest, ALaterCutOrCopyLeavesTheCutBookingWhereItIs)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    addBooking(8, type, lab, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    copy(*cal);
    // A cut with nothing selected sets the mode but leaves the copy on the clipboard.
    cal->cc->SetSelection(1, 900, 930);
    cut(*cal);
    EXPECT_EQ(sb.lastText(), "No Booking Selected.");
    EXPECT_EQ(sb.shown().last().title, "Service message");
    pasteAt(*cal, *cal->cc, 1, 900);
    EXPECT_EQ(field(500, "bstart").toInt(), 900);
    EXPECT_EQ(field(7, "bstart").toInt(), 600);
    EXPECT_EQ(clipRows(), 1);

    // Cut A, then cut B, then copy B: A and B stay where they are, B alone is marked while cut.
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 8));
    cut(*cal);
    EXPECT_FALSE(cal->cc->ItemCut(indexOf(*cal->cc, 7)));
    EXPECT_TRUE(cal->cc->ItemCut(indexOf(*cal->cc, 8)));
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 8));
    copy(*cal);
    EXPECT_EQ(clipRows(), 1);
    EXPECT_EQ(clip("Bookingnr").toInt(), 8);
    EXPECT_FALSE(clip("klippet").toBool());
    for (int32_t nr : {7, 8}) {
        EXPECT_EQ(field(nr, "bstart").toInt(), 600) << nr;
        EXPECT_FALSE(cal->cc->ItemCut(indexOf(*cal->cc, nr))) << nr;
    }
    EXPECT_EQ(field(7, "Lokalenr").toInt(), aula);
    EXPECT_EQ(first(file, "SELECT Count(*) FROM booking").toInt(), 3);
}

// Another copy of the program started from the same folder writes the same clipboard row.
TEST_F(ClipboardTest, ACutSurvivesAnotherCopyOfTheProgramTakingTheClipboard)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    addBooking(8, type, lab, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);

    // The other copy copies booking 8 over it: booking 7 stays, and this paste adds a copy of 8.
    execSql(Extrafunktioner::PathsFile(),
            QString("UPDATE standby SET Bookingnr = 8, lokalenr = %1, klippet = 0").arg(lab));
    cal->RefreshDayView();
    EXPECT_FALSE(cal->cc->ItemCut(indexOf(*cal->cc, 7)));
    pasteAt(*cal, *cal->cc, 2, 840);
    EXPECT_EQ(field(7, "Lokalenr").toInt(), aula);
    EXPECT_EQ(field(7, "bstart").toInt(), 600);
    EXPECT_EQ(field(500, "bstart").toInt(), 840);
    EXPECT_EQ(clipRows(), 1);

    // The other copy cuts 7 and pastes it itself: the clipboard is empty here, 7 is once in the
    // file, where the other copy put it.
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    execSql(file, QString("UPDATE booking SET Lokalenr = %1, bstart = 960, bslut = 1050 "
                          "WHERE Bookingnr = 7").arg(lab));
    execSql(Extrafunktioner::PathsFile(), "DELETE FROM standby");
    pasteAt(*cal, *cal->cc, 1, 720);
    EXPECT_EQ(sb.lastText(), "No Booking on Clipboard !");
    EXPECT_EQ(first(file, "SELECT Count(*) FROM booking WHERE Bookingnr = 7").toInt(), 1);
    EXPECT_EQ(field(7, "bstart").toInt(), 960);
}

TEST_F(ClipboardTest, AnOvernightBookingKeepsItsLengthAndEndsWithinTheDay)
{
    addBooking(7, type, aula, gCurrentDay, 1320, 120, "Night shift");
    addBooking(8, type, lab, gCurrentDay, 600, 600, "Marker");
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    copy(*cal);
    EXPECT_EQ(clip("btid").toInt(), 240);

    struct Case
    {
        int start, end;
    };
    // 20:00 ends at midnight; 23:00 ends at 03:00 of the next day, as any overnight booking.
    const Case cases[] = {{1200, 1440}, {1380, 180}};
    for (const Case &c : cases) {
        const Clipboard::PasteResult r = Clipboard::paste(c.start, gCurrentDay + 1, lab);
        ASSERT_TRUE(r.pasted);
        EXPECT_EQ(field(r.bookingNo, "bstart").toInt(), c.start);
        EXPECT_EQ(field(r.bookingNo, "bslut").toInt(), c.end) << c.start;
    }

    // A booking whose start equals its end leaves the duration at its default.
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 8));
    copy(*cal);
    EXPECT_EQ(clip("btid").toInt(), 0);
}

TEST_F(ClipboardTest, CopyInOneViewPasteInTheOther)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    copy(*cal);
    cal->Unload();

    // The week view of the lab with another type current: the selected day of the shown item,
    // the current type as Bgruppe.
    gCurrentItemNo = lab;
    gCurrentTypeNo = other;
    auto *week = Forms::get<CalMdag>();
    pasteAt(*week, *week->dd, 3, 780);
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_EQ(field(500, "Bdato").toInt(), monday + 2);
    EXPECT_EQ(field(500, "Lokalenr").toInt(), lab);
    EXPECT_EQ(field(500, "Bgruppe").toInt(), other);
    EXPECT_EQ(field(500, "bslut").toInt(), 870);
    EXPECT_EQ(keys(*week->dd), QStringList({"500"}));

    // A tentative booking cut in the week view comes back tentative in the day view.
    exec("UPDATE booking SET Tentative = 1 WHERE Bookingnr = 500");
    week->RefreshWeekView();
    week->dd->SetSelectedItem(1);
    cut(*week);
    EXPECT_TRUE(week->dd->ItemCut(1));
    EXPECT_EQ(field(500, "Bdato").toInt(), monday + 2);
    week->OpenDayView(monday + 4);
    auto *day = Forms::get<Calendar>();
    gCurrentTypeNo = type;
    day->RefreshDayView();
    pasteAt(*day, *day->cc, 1, 600);
    EXPECT_TRUE(field(500, "Tentative").toBool());
    EXPECT_EQ(field(500, "Bdato").toInt(), monday + 4);
    EXPECT_EQ(field(500, "Lokalenr").toInt(), aula);
    EXPECT_TRUE(day->cc->ItemTentative(indexOf(*day->cc, 500)));
}

TEST_F(ClipboardTest, APasteNeedsAnEmptySelectedSlot)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cal->PasteBookingCommand();
    EXPECT_EQ(sb.lastText(), "No Booking on Clipboard !");
    copy(*cal);
    cal->PasteBookingCommand();
    EXPECT_EQ(sb.lastText(), "Select Entrypoint!");
    EXPECT_EQ(sb.shown().last().title, "Information");
    EXPECT_EQ(keys(*cal->cc), QStringList({"7"}));
}

TEST_F(ClipboardTest, ABookingDeletedElsewhereIsReportedAndTheClipboardKept)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    addBooking(8, type, lab, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 8));
    copy(*cal);
    exec("DELETE FROM booking WHERE Bookingnr = 7");
    sb.clearShown();
    for (int mode : {1, 2}) {
        gPasteMode = mode;
        cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
        cal->CopyBookingToClipboard();
        EXPECT_EQ(sb.lastText(),
                  "The booking is no longer in the bookingfile. It may have been deleted.");
        EXPECT_EQ(clip("Bookingnr").toInt(), 8);
        EXPECT_EQ(keys(*cal->cc), QStringList({"7", "8"}));
    }
    EXPECT_EQ(sb.shown().size(), 2);
}

TEST_F(ClipboardTest, TheWeekViewSaysSoWhenNoBookingIsSelected)
{
    addBooking(7, type, aula, monday, 600, 690);
    auto *week = Forms::get<CalMdag>();
    week->dd->SetSelectedItem(1);
    copy(*week);
    week->dd->SetSelection(2, 600, 630);
    for (int mode : {1, 2}) {
        gPasteMode = mode;
        week->CopyBookingToClipboard();
        EXPECT_EQ(sb.lastText(), "No Booking Selected.");
    }
    EXPECT_EQ(clipRows(), 1);
    EXPECT_EQ(clip("Bookingnr").toInt(), 7);
    EXPECT_EQ(keys(*week->dd), QStringList({"7"}));
}

TEST_F(ClipboardTest, ACutOrAPasteOnAnAccountTheUserMayNotEditIsRefused)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    exec("UPDATE booking SET kontonr = 3 WHERE Bookingnr = 7");   // Ben's account
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    EXPECT_EQ(sb.lastText(), "You have no authority to cut this booking !");
    EXPECT_EQ(sb.shown().last().title, "");
    EXPECT_FALSE(cal->cc->ItemCut(1));
    EXPECT_EQ(clipRows(), 0);
    EXPECT_FALSE(cal->saks->isVisibleTo(cal));

    // A copy is taken, but its paste would make a booking on Ben's account.
    copy(*cal);
    EXPECT_EQ(clip("Bookingnr").toInt(), 7);
    sb.clearShown();
    pasteAt(*cal, *cal->cc, 2, 840);
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "You have no authority to paste this booking !");
    EXPECT_EQ(sb.shown().last().title, "");
    EXPECT_EQ(first(file, "SELECT Count(*) FROM booking").toInt(), 1);
    EXPECT_EQ(clipRows(), 1);

    // An administrator cuts it; Anna may not paste it, and it stays where it is, still cut.
    gIsAdmin = true;
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    gIsAdmin = false;
    pasteAt(*cal, *cal->cc, 2, 840);
    EXPECT_EQ(sb.lastText(), "You have no authority to paste this booking !");
    EXPECT_EQ(field(7, "Lokalenr").toInt(), aula);
    EXPECT_TRUE(clip("klippet").toBool());
    gIsAdmin = true;
    pasteAt(*cal, *cal->cc, 2, 840);
    EXPECT_EQ(field(7, "Lokalenr").toInt(), lab);
    EXPECT_EQ(clipRows(), 0);
}

// A cut booking's number means nothing in another bookingfile.
TEST_F(ClipboardTest, ABookingCutFromAnotherBookingfileIsNotPastedHere)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    const QString elsewhere = sb.newBookingfile("elsewhere.mdb");
    execSql(elsewhere, QString("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr, "
                               "kontonr) VALUES (7, %1, 480, 540, %2, 2)")
                           .arg(gCurrentDay)
                           .arg(lab));
    gDatabasePath = elsewhere;
    const Clipboard::PasteResult r = Clipboard::paste(840, gCurrentDay, aula);
    EXPECT_FALSE(r.pasted);
    EXPECT_EQ(sb.lastText(), "The booking on the clipboard was cut from another bookingfile, "
                                 + file + ". Open that bookingfile to paste it.");
    EXPECT_EQ(sqlValue(elsewhere, "SELECT bstart FROM booking WHERE Bookingnr = 7").toInt(), 480);
    EXPECT_EQ(clipRows(), 1);
    gDatabasePath = file;
}

// A booking cut from a bookingfile that no longer holds it leaves an empty clipboard.
TEST_F(ClipboardTest, ACutBookingDeletedSinceIsReportedAndTheClipboardEmptied)
{
    addBooking(7, type, aula, gCurrentDay, 600, 690);
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    exec("DELETE FROM booking WHERE Bookingnr = 7");
    cal->RefreshDayView();
    pasteAt(*cal, *cal->cc, 2, 840);
    EXPECT_EQ(sb.lastText(),
              "The booking is no longer in the bookingfile. It may have been deleted.");
    EXPECT_EQ(first(file, "SELECT Count(*) FROM booking").toInt(), 0);
    EXPECT_EQ(clipRows(), 0);
    EXPECT_FALSE(cal->saks->isVisibleTo(cal));
}

// A paths.mdb made before the clipboard carried delivery, tax and price type gets the columns
// at the first cut, and the cut booking moves whole.
TEST_F(ClipboardTest, AnOlderClipboardTableGainsTheColumnsItLacks)
{
    {
        auto paths = Dao::Database::open(Extrafunktioner::PathsFile());
        for (const char *column : {"klippet", "bookingfil", "leveringstype", "leveringssted",
                                   "tax", "bvpris"})
            paths->Execute(QString("ALTER TABLE standby DROP COLUMN ") + column);
    }
    execSql(Extrafunktioner::PathsFile(), "PRAGMA user_version = 0");
    addBooking(7, type, aula, gCurrentDay, 600, 690, "Van hire");
    exec("UPDATE booking SET leveringstype = 'Van', leveringssted = 'Dock 2', tax = 1, "
         "bvpris = 2, Pris = 800 WHERE Bookingnr = 7");
    auto *cal = Forms::get<Calendar>();
    cal->cc->SetSelectedItem(indexOf(*cal->cc, 7));
    cut(*cal);
    EXPECT_EQ(clip("leveringssted"), "Dock 2");
    pasteAt(*cal, *cal->cc, 2, 840);
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_EQ(field(7, "lokalenr").toInt(), lab);
    EXPECT_EQ(field(7, "leveringstype"), "Van");
    EXPECT_EQ(field(7, "leveringssted"), "Dock 2");
    EXPECT_TRUE(field(7, "tax").toBool());
    EXPECT_EQ(field(7, "bvpris").toInt(), 2);
    EXPECT_DOUBLE_EQ(field(7, "Pris").toDouble(), 800.0);
}

// An older program's cut took the booking out of the bookingfile: its row is the booking, and
// the paste puts it back under its own number when no booking has it. Its copy pastes as a
// copy.
TEST_F(ClipboardTest, AnOlderProgramsClipboardRowIsNeitherLostNorDoubled)
{
    addBooking(8, type, lab, gCurrentDay, 600, 690, "Still here");
    // The archive takes each number once: an archived booking's number is not free.
    exec("INSERT INTO bookingarkiv (Bookingnr, Bdato, Lokalenr) VALUES (9, 40000, 1)");
    auto *cal = Forms::get<Calendar>();
    struct Case
    {
        int32_t nr;
        const char *text;
        int32_t pastedAs;
        int rowsAfter;
    };
    const Case cases[] = {{7, "Cut long ago", 7, 0},
                          {8, "Still here", 500, 1},
                          {9, "Archived", 501, 1}};
    int start = 720;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        execSql(Extrafunktioner::PathsFile(),
                QString("DELETE FROM standby; INSERT INTO standby (Bookingnr, Beskrivelse, "
                        "Kontonr, btid) VALUES (%1, '%2', 2, 60)").arg(c.nr).arg(c.text));
        pasteAt(*cal, *cal->cc, 1, start);
        EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
        EXPECT_EQ(field(c.pastedAs, "Beskrivelse"), c.text);
        EXPECT_EQ(field(c.pastedAs, "bstart").toInt(), start);
        EXPECT_EQ(clipRows(), c.rowsAfter);
        start += 120;
    }
    EXPECT_EQ(field(8, "bstart").toInt(), 600);
}
