#include "bookings/alternatives.h"
#include "bookings/bookingform.h"
#include "bookings/fastgen.h"
#include "bookings/sletgentagendeform.h"
#include "bookings/slettil.h"
#include "core/extrafunktioner.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/introstart.h"
#include "core/options.h"
#include "core/times.h"
#include "fixtures/sandbox.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/dateedit.h"
#include "reports/searchinfoform.h"
#include "platform/controls/dblist.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/timeedit.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/report/printcapture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace Generalen;

// Whole workflows as a user goes through them: the program starts on a fresh copy of the
// demonstration file, on the day the file was built, and a user logs in.
class WorkflowTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Forms::unloadAll();
        resetState();
    }

    QVariant first(const QString &sql)
    {
        auto db = Dao::Database::open(box.file("Demodata.mdb"));
        auto rs = db->OpenRecordset(sql, Dao::RecordsetType::Snapshot);
        return rs->EOF_() ? QVariant() : rs->Field(0);
    }
    QVariant field(int32_t nr, const QString &name)
    {
        return first(QString("SELECT %1 FROM booking WHERE Bookingnr = %2").arg(name).arg(nr));
    }

    // Starts the program and logs in; returns the day view.
    Calendar *start(const QString &user)
    {
        const QDateTime built = first("SELECT arkiveringsdato FROM arkiveringsdato WHERE ID = 1")
                                    .toDateTime();
        EXPECT_TRUE(built.isValid());
        box.setNow(QDateTime(built.date(), QTime(9, 30)));
        Forms::get<introstart>()->Timer1_Timer();
        auto *login = Forms::get<frmLogin>();
        login->txtUserName->setText(user);
        login->txtPassword->setText(user);
        login->cmdOK_Click();
        EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
        EXPECT_TRUE(Forms::isLoaded<Calendar>());
        return Forms::get<Calendar>();
    }

    // Types text into a slot of a column, as the grid reports it.
    static int typeItem(PlannerGrid &grid, int column, int from, int to, const QString &text)
    {
        grid.SetSelection(column, from, to);
        const qint32 d = grid.mode() == PlannerGrid::WeekGrid ? grid.DayOfColumn(column)
                                                               : grid.FirstDay();
        const int index = grid.AddItem(from, to, d, text, QString());
        grid.SetItemResource(index, grid.ColumnResource(column));
        grid.SetSelectedItem(index);
        emit grid.ItemAdded(index, from, to, column, false);
        return index;
    }
    static int indexOfText(const PlannerGrid &grid, const QString &text)
    {
        for (int i = 1; i <= grid.ItemCount(); ++i)
            if (grid.ItemText(i) == text)
                return i;
        return 0;
    }
    static int indexOfKey(const PlannerGrid &grid, int32_t nr)
    {
        for (int i = 1; i <= grid.ItemCount(); ++i)
            if (grid.ItemKeyText(i) == QString::number(nr))
                return i;
        return 0;
    }
    // A slot of an hour in a column with no item in it, within the opening hours.
    static int freeHour(const PlannerGrid &grid, int column)
    {
        const qint32 resource = grid.ColumnResource(column);
        for (int from = grid.OpeningTime(); from + 60 <= grid.ClosingTime(); from += 60) {
            bool taken = false;
            for (int i = 1; i <= grid.ItemCount(); ++i)
                if (grid.ItemResource(i) == resource && grid.ItemStart(i) < from + 60
                    && grid.ItemEnd(i) > from)
                    taken = true;
            if (!taken)
                return from;
        }
        return -1;
    }

    Sandbox box;
};

TEST_F(WorkflowTest, TypedBookingIsEditedInTheFormAndTheDayViewAndReceiptFollow)
{
    PrintCapture capture;
    Calendar *cal = start("anna");
    PlannerGrid &grid = *cal->cc;
    ASSERT_GT(grid.ColumnCount(), 0);
    const int from = freeHour(grid, 1);
    ASSERT_GE(from, 0);
    const int before = grid.ItemCount();
    typeItem(grid, 1, from, from + 60, "Team lunch");
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    ASSERT_EQ(grid.ItemCount(), before + 1);
    const int i = indexOfText(grid, "Team lunch");
    ASSERT_GT(i, 0);
    const int32_t nr = grid.ItemKeyText(i).toInt();
    ASSERT_GT(nr, 0);
    EXPECT_EQ(field(nr, "Beskrivelse").toString(), "Team lunch");
    EXPECT_EQ(field(nr, "bstart").toInt(), from);

    emit grid.ItemDblClick(i);
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    auto *f = Forms::get<bookingform>();
    EXPECT_EQ(f->Bookingnr->text(), QString::number(nr));
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Team lunch");
    EXPECT_EQ(f->bstart->value(), from * 60);

    f->Beskrivelse->setPlainText("Team lunch, catered");
    f->bstart->setValue((from - 30) * 60);
    f->bslut->setValue((from + 90) * 60);
    f->aftres->click();
    f->Pris->setText("150");
    f->Arrkvit->click();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    ASSERT_EQ(capture.previews.size(), 1);
    QStringList texts;
    for (const Page &page : capture.previews.last().pages())
        for (const PageItem &item : page.items)
            if (item.kind == PageItem::Text)
                texts << item.text;
    EXPECT_TRUE(texts.contains("Team lunch, catered")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("150.00")) << texts.join('|').toStdString();
    f->Luk_Click();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(field(nr, "Beskrivelse").toString(), "Team lunch, catered");
    EXPECT_EQ(field(nr, "bstart").toInt(), from - 30);
    EXPECT_EQ(field(nr, "bslut").toInt(), from + 90);
    EXPECT_EQ(field(nr, "Pris").toDouble(), 150.0);

    cal->Form_Activate();
    const int j = indexOfKey(grid, nr);
    ASSERT_GT(j, 0);
    EXPECT_EQ(grid.ItemText(j), "Team lunch, catered");
    EXPECT_EQ(grid.ItemStart(j), from - 30);
    EXPECT_EQ(grid.ItemEnd(j), from + 90);
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
}

TEST_F(WorkflowTest, CutToTheWeekViewCopyBackDeleteAndAUserWithoutRightsIsRefused)
{
    Calendar *cal = start("anna");
    PlannerGrid &grid = *cal->cc;
    const int from = freeHour(grid, 1);
    ASSERT_GE(from, 0);
    typeItem(grid, 1, from, from + 60, "Choir practice");
    const int32_t nr = grid.ItemKeyText(indexOfText(grid, "Choir practice")).toInt();
    ASSERT_GT(nr, 0);
    const int32_t today = gCurrentDay;
    const int32_t room = grid.ColumnResource(1);

    // Cut in the day view: the booking stays where it is, marked as cut.
    grid.SetSelectedItem(indexOfKey(grid, nr));
    gPasteMode = 1;
    cal->CopyBookingToClipboard();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    EXPECT_TRUE(grid.ItemCut(indexOfKey(grid, nr)));
    EXPECT_EQ(field(nr, "Bdato").toInt(), today);

    // Pasted in the week view on another day of the week, at another time.
    cal->OpenWeekView(room);
    ASSERT_TRUE(Forms::isLoaded<CalMdag>());
    auto *week = Forms::get<CalMdag>();
    PlannerGrid &wgrid = *week->dd;
    int other = 0;
    for (int c = 1; c <= wgrid.ColumnCount() && !other; ++c)
        if (wgrid.DayOfColumn(c) != today)
            other = c;
    ASSERT_GT(other, 0);
    const int32_t otherDay = wgrid.DayOfColumn(other);
    const int later = wgrid.OpeningTime() + 60;
    wgrid.SetSelection(other, later, later + 30);
    week->PasteBookingCommand();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    const int w = indexOfText(wgrid, "Choir practice");
    ASSERT_GT(w, 0);
    const int32_t moved = wgrid.ItemKeyText(w).toInt();
    EXPECT_EQ(moved, nr);
    EXPECT_EQ(wgrid.ItemDay(w), otherDay);
    EXPECT_EQ(wgrid.ItemStart(w), later);
    EXPECT_EQ(wgrid.ItemEnd(w), later + 60);
    EXPECT_EQ(field(moved, "Bdato").toInt(), otherDay);
    EXPECT_EQ(field(moved, "Lokalenr").toInt(), room);

    // Copied from the week view and pasted back into the day view at its first time.
    wgrid.SetSelectedItem(w);
    gPasteMode = 2;
    week->CopyBookingToClipboard();
    cal->Form_Activate();
    grid.SetSelection(1, from, from + 30);
    cal->PasteBookingCommand();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    const int d = indexOfText(grid, "Choir practice");
    ASSERT_GT(d, 0);
    const int32_t back = grid.ItemKeyText(d).toInt();
    EXPECT_NE(back, moved);
    EXPECT_EQ(grid.ItemStart(d), from);
    EXPECT_EQ(grid.ItemEnd(d), from + 60);
    EXPECT_EQ(field(moved, "Bdato").toInt(), otherDay);   // the copy's source stays

    // Another user may neither cut nor delete it, and says so.
    const QString user = gUserName;
    gUserNo = 3;
    gUserName = "Ben Nielsen";
    grid.SetSelectedItem(indexOfKey(grid, back));
    gPasteMode = 1;
    cal->CopyBookingToClipboard();
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.lastText(), "You have no authority to cut this booking !");
    box.clearShown();
    box.answer(MsgBox::Yes);
    grid.SetSelectedItem(indexOfKey(grid, back));
    cal->DeleteSelectedBooking();
    EXPECT_EQ(box.lastText(), "You have no authority to delete this booking !");
    EXPECT_EQ(field(back, "Bookingnr").toInt(), back);
    EXPECT_GT(indexOfKey(grid, back), 0);
    box.clearShown();

    // Its owner deletes it after saying yes.
    gUserNo = 2;
    gUserName = user;
    box.answer(MsgBox::Yes);
    grid.SetSelectedItem(indexOfKey(grid, back));
    cal->DeleteSelectedBooking();
    ASSERT_FALSE(box.shown().isEmpty());
    EXPECT_EQ(box.shown().first().text, "Confirm deletion ?");
    EXPECT_EQ(box.shown().first().title, "Slettemeddelelse");
    EXPECT_TRUE(field(back, "Bookingnr").isNull());
    EXPECT_EQ(indexOfKey(grid, back), 0);
}

TEST_F(WorkflowTest, OptionsAndOpeningHoursReachBothPlannersWhenActivatedAgain)
{
    Calendar *cal = start("admin");
    EXPECT_TRUE(gIsAdmin);
    cal->OpenWeekView(cal->cc->ColumnResource(1));
    ASSERT_TRUE(Forms::isLoaded<CalMdag>());
    auto *week = Forms::get<CalMdag>();
    const QDate today = Extrafunktioner::DayNumberToDate(gCurrentDay);

    auto *options = Forms::get<Options>();
    options->Show(Form::Modal);
    if (!options->CheckAmPm->isChecked())
        options->CheckAmPm->click();
    bool found = false;
    for (int i = 0; i < options->DateFormat->ListCount(); ++i)
        if (options->DateFormat->List(i) == "Month first (mm/dd/yyyy)") {
            options->DateFormat->setListIndex(i);
            found = true;
        }
    ASSERT_TRUE(found);
    options->ok_Click();
    EXPECT_FALSE(Forms::isLoaded<Options>());
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();

    auto *times = Forms::get<Times>();
    times->Show(Form::Modal);
    times->ctDEdit3->setValue(7 * 3600);   // opens at 7
    times->Command1_Click();
    EXPECT_FALSE(Forms::isLoaded<Times>());
    EXPECT_EQ(gOpeningTime, 420);

    cal->Form_Activate();
    EXPECT_TRUE(cal->cc->AmPm());
    EXPECT_EQ(cal->cc->OpeningTime(), 420);
    EXPECT_EQ(cal->gdato->text(), today.toString("MM/dd/yyyy"));
    week->Form_Activate();
    EXPECT_TRUE(week->dd->AmPm());
    EXPECT_EQ(week->dd->OpeningTime(), 420);
    EXPECT_EQ(week->dd->DatePicture(), "D m/N/y");
    // Month-first weeks start on Sunday.
    EXPECT_EQ(Extrafunktioner::DayNumberToDate(week->dd->DayOfColumn(1)).dayOfWeek(), 7);
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
}

TEST_F(WorkflowTest, AnotherBookingfileOpenedFromTheMenuStartsAgainAndOffersTheResourceManager)
{
    Calendar *cal = start("admin");
    ASSERT_GT(cal->cc->ItemCount(), 0);
    const QString other = box.newBookingfile("Other.mdb");
    QStringList dialogs;
    FilePicker::setScript([&](bool save, const QString &) {
        dialogs << (save ? "save" : "open");
        return other;
    });
    cal->OpenBookingFile();
    FilePicker::setScript(nullptr);
    EXPECT_EQ(dialogs, QStringList({"open"}));
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    EXPECT_FALSE(Forms::isLoaded<Calendar>());
    ASSERT_TRUE(Forms::isLoaded<introstart>());
    EXPECT_EQ(gDatabasePath, other);

    Forms::get<introstart>()->Timer1_Timer();
    ASSERT_TRUE(Forms::isLoaded<frmLogin>());
    auto *login = Forms::get<frmLogin>();
    EXPECT_TRUE(login->txtPassword->text().isEmpty());
    login->txtUserName->setText("admin");
    login->txtPassword->setText("admin");
    box.answer(MsgBox::Ok);
    box.answer(MsgBox::No);
    login->cmdOK_Click();
    ASSERT_TRUE(Forms::isLoaded<Calendar>());
    cal = Forms::get<Calendar>();
    EXPECT_EQ(gUserName, "Administrator");
    EXPECT_EQ(cal->CUser->text(), "Administrator");
    EXPECT_EQ(cal->cc->ItemCount(), 0);
    // The new file's shipped password is to be changed; then the resource manager is offered.
    ASSERT_EQ(box.shown().size(), 2);
    EXPECT_TRUE(box.shown()[0].text.contains("Personal Account"));
    EXPECT_TRUE(box.shown()[1].text.startsWith("Currently no Resource Items are created."));
    EXPECT_EQ(box.shown()[1].title, "Service Message");
    // The demonstration file is untouched.
    EXPECT_GT(first("SELECT Count(*) FROM booking").toInt(), 0);
}

TEST_F(WorkflowTest, BothPlannersCloseWhenAnotherBookingfileIsOpened)
{
    // From either view: the other one, left open, would still show the old file's item.
    for (bool fromWeek : {false, true}) {
        SCOPED_TRACE(fromWeek ? "from the week view" : "from the day view");
        Forms::unloadAll();
        resetState();
        box.clearShown();
        box.setChosenPath(box.file("Demodata.mdb"));
        Calendar *cal = start("admin");
        cal->OpenWeekView(cal->cc->ColumnResource(1));
        ASSERT_TRUE(Forms::isLoaded<CalMdag>());
        ASSERT_GT(Forms::get<CalMdag>()->dd->ItemCount(), 0);

        const QString other = box.newBookingfile(fromWeek ? "Week.mdb" : "Day.mdb");
        FilePicker::setScript([&](bool, const QString &) { return other; });
        if (fromWeek)
            Forms::get<CalMdag>()->OpenBookingFile();
        else
            cal->OpenBookingFile();
        FilePicker::setScript(nullptr);
        EXPECT_FALSE(Forms::isLoaded<CalMdag>());
        EXPECT_FALSE(Forms::isLoaded<Calendar>());
        ASSERT_TRUE(Forms::isLoaded<introstart>());

        Forms::get<introstart>()->Timer1_Timer();
        auto *login = Forms::get<frmLogin>();
        login->txtUserName->setText("admin");
        login->txtPassword->setText("admin");
        box.answer(MsgBox::No);
        login->cmdOK_Click();
        EXPECT_FALSE(Forms::isLoaded<CalMdag>());
        ASSERT_TRUE(Forms::isLoaded<Calendar>());
        EXPECT_EQ(Forms::get<Calendar>()->cc->ItemCount(), 0);
        EXPECT_EQ(Forms::get<Calendar>()->cc->ColumnCount(), 0);
        auto db = Dao::Database::open(other);
        EXPECT_EQ(db->OpenRecordset("SELECT Count(*) FROM booking", Dao::RecordsetType::Snapshot)
                      ->Field(0)
                      .toInt(),
                  0);
    }
}

TEST_F(WorkflowTest, AMoveInTheDayViewWhileTheBookingFormIsOpenIsKept)
{
    Calendar *cal = start("anna");
    PlannerGrid &grid = *cal->cc;
    const int from = freeHour(grid, 1);
    ASSERT_GE(from, 0);
    typeItem(grid, 1, from, from + 60, "Yoga");
    int i = indexOfText(grid, "Yoga");
    const int32_t nr = grid.ItemKeyText(i).toInt();
    emit grid.ItemDblClick(i);
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    auto *f = Forms::get<bookingform>();

    // Back in the day view, the booking is stretched by half an hour.
    cal->Form_Activate();
    i = indexOfKey(grid, nr);
    grid.SetSelection(1, from, from + 90);
    grid.SetItemEnd(i, from + 90);
    grid.SetSelectedItem(i);
    emit grid.ItemChanged(i);
    EXPECT_EQ(field(nr, "bslut").toInt(), from + 90);

    // The form, activated again, shows it; closing it keeps it.
    f->Form_Activate();
    f->Beskrivelse->setPlainText("Yoga for all");
    f->Luk_Click();
    EXPECT_EQ(field(nr, "Beskrivelse").toString(), "Yoga for all");
    EXPECT_EQ(field(nr, "bslut").toInt(), from + 90);
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
}

TEST_F(WorkflowTest, ABookingMovedToAnotherDayInTheFormLeavesTheDayAndShowsInTheWeekAndToOthers)
{
    Calendar *cal = start("anna");
    PlannerGrid &grid = *cal->cc;
    const int from = freeHour(grid, 1);
    ASSERT_GE(from, 0);
    const int32_t room = grid.ColumnResource(1);
    const int32_t today = gCurrentDay;
    typeItem(grid, 1, from, from + 60, "Piano lesson");
    const int32_t nr = grid.ItemKeyText(indexOfText(grid, "Piano lesson")).toInt();
    cal->OpenWeekView(room);
    auto *week = Forms::get<CalMdag>();
    ASSERT_GE(week->dd->ColumnCount(), 2);
    // Another day of the same week.
    const int32_t target = week->dd->DayOfColumn(1) == today ? week->dd->DayOfColumn(2)
                                                             : week->dd->DayOfColumn(1);

    emit grid.ItemDblClick(indexOfKey(grid, nr));
    ASSERT_TRUE(Forms::isLoaded<bookingform>());
    auto *f = Forms::get<bookingform>();
    f->Bdato->setValue(target);
    f->Luk_Click();
    EXPECT_EQ(field(nr, "Bdato").toInt(), target);

    cal->Form_Activate();
    EXPECT_EQ(indexOfKey(grid, nr), 0);
    week->Form_Activate();
    const int w = indexOfKey(*week->dd, nr);
    ASSERT_GT(w, 0);
    EXPECT_EQ(week->dd->ItemDay(w), target);
    EXPECT_EQ(week->dd->ItemText(w), "Piano lesson");

    // Another user double-clicks it and gets the read-only view of it.
    gUserNo = 3;
    gUserName = "Ben Nielsen";
    emit week->dd->ItemDblClick(w);
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    ASSERT_TRUE(Forms::isLoaded<Searchinfoform>());
    auto *view = Forms::get<Searchinfoform>();
    EXPECT_EQ(view->Bookingnr->text(), QString::number(nr));
    EXPECT_EQ(view->Beskrivelse->toPlainText(), "Piano lesson");
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
}

TEST_F(WorkflowTest, TheAccountListFromTheMenuIsTheAdministratorsAndFollowsTheBookingfile)
{
    PrintCapture capture;
    auto texts = [&] {
        QStringList out;
        if (!capture.previews.isEmpty())
            for (const Page &page : capture.previews.last().pages())
                for (const PageItem &item : page.items)
                    if (item.kind == PageItem::Text)
                        out << item.text;
        return out;
    };
    Calendar *cal = start("anna");
    cal->ctToolBar1_ButtonClick(35);
    EXPECT_TRUE(capture.previews.isEmpty());
    ASSERT_EQ(box.shown().size(), 1);
    EXPECT_EQ(box.lastText(), "Administrator Access Only!");
    EXPECT_EQ(box.shown()[0].title, "Access Message");
    box.clearShown();

    Forms::unloadAll();
    resetState();
    cal = start("admin");
    cal->ctToolBar1_ButtonClick(35);
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    ASSERT_EQ(capture.previews.size(), 1);
    EXPECT_TRUE(texts().contains("Anna Larsen"));
    EXPECT_TRUE(texts().contains("Maria Holm"));

    const QString other = box.newBookingfile("Other.mdb");
    FilePicker::setScript([&](bool, const QString &) { return other; });
    cal->OpenBookingFile();
    FilePicker::setScript(nullptr);
    Forms::get<introstart>()->Timer1_Timer();
    auto *login = Forms::get<frmLogin>();
    login->txtUserName->setText("admin");
    login->txtPassword->setText("admin");
    box.answer(MsgBox::No);
    login->cmdOK_Click();
    box.clearShown();
    Forms::get<Calendar>()->ctToolBar1_ButtonClick(35);
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    ASSERT_EQ(capture.previews.size(), 2);
    EXPECT_TRUE(texts().contains("Administrator"));
    EXPECT_FALSE(texts().contains("Anna Larsen"));
}

TEST_F(WorkflowTest, ABookingIsRepeatedWeeklyWithAClashMovedBookedPrintedAndPartlyDeleted)
{
    PrintCapture capture;
    Calendar *cal = start("anna");
    PlannerGrid &grid = *cal->cc;
    ASSERT_GT(grid.ColumnCount(), 1);
    const int from = freeHour(grid, 1);
    ASSERT_GE(from, 0);
    const int i = typeItem(grid, 1, from, from + 60, "Yoga class");
    const int32_t nr = grid.ItemKeyText(i).toInt();
    const int32_t room = grid.ColumnResource(1);
    const int32_t today = gCurrentDay;
    {
        // The room is taken a week later at that hour.
        auto db = Dao::Database::open(box.file("Demodata.mdb"));
        db->Execute(QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                            "Bgruppe, Lokalenr, kontonr) VALUES (999001, 'Taken', %1, %2, %3, "
                            "%4, %5, 1)")
                        .arg(today + 7).arg(from).arg(from + 60).arg(gCurrentTypeNo).arg(room));
    }

    emit grid.ItemDblClick(indexOfKey(grid, nr));
    auto *f = Forms::get<bookingform>();
    ASSERT_EQ(f->Bookingnr->text(), QString::number(nr));
    f->genkn_Click();
    ASSERT_TRUE(Forms::isLoaded<fastgen>());
    auto *repeat = Forms::get<fastgen>();
    repeat->Option2->click();
    repeat->Slutfastgentagende->setText(QString::number(today + 21));
    repeat->Udvalg->click();
    ASSERT_EQ(repeat->genbook->RowCount(), 3);
    EXPECT_EQ(repeat->genbook->CellPicture(0, 4), 1);

    // The clash goes to a free room of the same type.
    repeat->genbook->setSelectedRow(0);
    repeat->alternates->click();
    ASSERT_TRUE(Forms::isLoaded<alternatives>());
    auto *alt = Forms::get<alternatives>();
    ASSERT_GT(alt->AltList->RowCount(), 0);
    alt->AltList->setSelectedRow(0);
    const int32_t other = alt->AltList->RowData(0);
    alt->apply->click();
    EXPECT_EQ(repeat->genbook->CellPicture(0, 4), 2);
    repeat->remall->click();   // any other clash of the demonstration data goes
    const int dates = repeat->genbook->RowCount();
    ASSERT_GE(dates, 1);
    repeat->bookingknap->click();
    EXPECT_TRUE(box.shown().isEmpty()) << box.lastText().toStdString();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(first(QString("SELECT Count(*) FROM booking WHERE gennr = %1").arg(nr)).toInt(),
              dates + 1);
    EXPECT_EQ(first(QString("SELECT Lokalenr FROM booking WHERE gennr = %1 AND Bdato = %2")
                        .arg(nr).arg(today + 7)).toInt(),
              other);

    // The day view shows the moved date on its room, and its form prints the series.
    gCurrentDay = today + 7;
    cal->Form_Activate();
    int moved = 0;
    for (int k = 1; k <= grid.ItemCount(); ++k)
        if (grid.ItemText(k) == "Yoga class" && grid.ItemResource(k) == other)
            moved = k;
    ASSERT_GT(moved, 0);
    emit grid.ItemDblClick(moved);
    f = Forms::get<bookingform>();
    EXPECT_EQ(f->gentshow->text(), "Multi");
    f->Arrkvit->click();
    ASSERT_EQ(capture.previews.size(), 1);
    QStringList texts;
    for (const Page &page : capture.previews.last().pages())
        for (const PageItem &item : page.items)
            if (item.kind == PageItem::Text)
                texts << item.text;
    const QStringList members =
        first(QString("SELECT group_concat(Bookingnr) FROM booking WHERE gennr = %1").arg(nr))
            .toString()
            .split(',');
    ASSERT_EQ(members.size(), dates + 1);
    for (const QString &member : members)
        EXPECT_TRUE(texts.contains(member)) << texts.join('|').toStdString();

    // "This and rest" from the moved date leaves only the head.
    f->genkn_Click();
    Forms::get<slettil>()->delete_->click();
    auto *del = Forms::get<sletgentagendeform>();
    del->optrest->click();
    box.answer(MsgBox::Ok);
    del->Knap12->click();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(first(QString("SELECT Count(*) FROM booking WHERE gennr = %1").arg(nr)).toInt(), 1);
}
