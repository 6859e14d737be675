#include "bookingfixture.h"

#include "bookings/alternat.h"
#include "bookings/alternatives.h"
#include "bookings/alternativesv.h"
#include "bookings/bookingform.h"
#include "bookings/fastgen.h"
#include "bookings/repeatseries.h"
#include "bookings/slettil.h"
#include "bookings/vilkdatover.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"
#include "platform/controls/yearcalendar.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Generalen;

namespace {

constexpr int kToday = 45000;   // the day the day view shows

// Booking 100 of Room A (item 10, type 1), 10:00 to 11:00, open in the booking form.
class RepeatTest : public BookingFileTest
{
protected:
    void SetUp() override
    {
        BookingFileTest::SetUp();
        gCurrentDay = kToday;
        gCurrentTypeNo = 1;
        paths = Extrafunktioner::PathsFile();
        form = Forms::get<bookingform>();
        form->ShowBooking(100);
    }

    // The repeat dialog opened from the booking form's button.
    fastgen *repeat()
    {
        form->genkn_Click();
        EXPECT_TRUE(Forms::isLoaded<fastgen>());
        return Forms::get<fastgen>();
    }
    fastgen *generate(void (fastgen::*option)())
    {
        fastgen *f = repeat();
        (f->*option)();
        f->Udvalg_Click();
        return f;
    }
    QList<qlonglong> column(const QString &field)
    {
        return sqlNumbers(paths, "SELECT " + field + " FROM gendatogent ORDER BY ID");
    }
    static QList<qlonglong> days(int from, int step, int count)
    {
        QList<qlonglong> d;
        for (int i = 0; i < count; ++i)
            d << from + i * step;
        return d;
    }
    QList<qlonglong> newBookings()
    {
        return sqlNumbers(file, "SELECT Bookingnr FROM booking WHERE Bookingnr > 102 "
                                "ORDER BY Bookingnr");
    }
    qlonglong counter()
    {
        return sqlValue(file, QString::fromUtf8("SELECT nextkey FROM næstenøgle")).toLongLong();
    }

    QString paths;
    bookingform *form = nullptr;
};

TEST_F(RepeatTest, OpensWithItsCaptionsAndNoFrequency)
{
    fastgen *f = repeat();
    EXPECT_EQ(f->windowTitle(), "Vantix - Repeat Booking");
    EXPECT_EQ(f->frekvensbox->title(), "Frequency");
    QStringList captions;
    for (QRadioButton *o :
         {f->Option1, f->Option2, f->Option3, f->Option4, f->Option5, f->Option6}) {
        captions << o->text();
        EXPECT_FALSE(o->isChecked());
    }
    EXPECT_EQ(captions, QStringList({"Daily", "Weekly", "Every 2 weeks", "Every 3 weeks",
                                     "Every 4 weeks", "Select specific dates"}));
    captions.clear();
    for (QPushButton *b : {f->Udvalg, f->remsel, f->remall, f->alternates, f->bookingknap,
                           f->annuller})
        captions << b->text();
    EXPECT_EQ(captions, QStringList({"Generate dates", "Delete selected booking",
                                     "Delete  All Doublebookings", "Find alternative resource",
                                     "Book Generated Dates", "Exit"}));
    EXPECT_EQ(f->frekvens->text(), "0");
    EXPECT_EQ(f->Startfastgentagende->text(), QString::number(kToday));
    EXPECT_EQ(f->Slutfastgentagende->text(), QString::number(kToday));
    EXPECT_FALSE(f->bookingknap->isEnabled());
    ASSERT_EQ(f->genbook->ColumnCount(), 4);
    EXPECT_EQ(f->genbook->ColumnCaption(1), "Date");
    EXPECT_EQ(f->genbook->ColumnWidth(1), 70);
    EXPECT_EQ(f->genbook->ColumnCaption(4), "DB");

    // Without a frequency nothing is generated: the step would never advance.
    EXPECT_FALSE(f->Udvalg->isEnabled());
    f->Udvalg_Click();
    EXPECT_TRUE(column("ID").isEmpty());
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(RepeatTest, EachFrequencyGeneratesSevenStepsFromTheDayShown)
{
    struct Case { void (fastgen::*option)(); int step; qint64 colour; };
    const Case cases[] = {{&fastgen::Option1_Click, 1, 16777215},
                          {&fastgen::Option2_Click, 7, 16711680},
                          {&fastgen::Option3_Click, 14, 6723891},
                          {&fastgen::Option4_Click, 21, 16776960},
                          {&fastgen::Option5_Click, 28, 6697881}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.step);
        fastgen *f = generate(c.option);
        EXPECT_EQ(f->vcolor->text(), QString::number(c.colour));
        EXPECT_EQ(f->Slutfastgentagende->text(), QString::number(kToday + 7 * c.step));
        EXPECT_EQ(column("Dato"), days(kToday + c.step, c.step, 7));
        EXPECT_EQ(f->genbook->RowCount(), 7);
        EXPECT_TRUE(f->bookingknap->isEnabled());
        f->annuller_Click();
        Forms::unloadAll();
        form = Forms::get<bookingform>();
        form->ShowBooking(100);
    }
}

TEST_F(RepeatTest, RowsHoldTheFormsTimesAndTheListShowsThem)
{
    fastgen *f = generate(&fastgen::Option2_Click);
    const QString first = sqlValue(paths, "SELECT Start || '/' || Slut FROM gendatogent "
                                          "ORDER BY ID LIMIT 1").toString();
    EXPECT_EQ(first, "1899-12-30 10:00:00/1899-12-30 11:00:00");
    EXPECT_EQ(column("lokalenr"), QList<qlonglong>(7, 10));
    EXPECT_EQ(f->genbook->CellText(0, 1), "24-03-2023");   // day 45007
    EXPECT_EQ(f->genbook->CellText(0, 2), "10:00");
    EXPECT_EQ(f->genbook->CellText(0, 3), "11:00");
    EXPECT_EQ(f->genbook->CellPicture(0, 4), 2);
    EXPECT_EQ(f->genbook->RowData(0), column("ID").first());
    // Picking new dates changes nothing until the next generation.
    f->stcoy->pick(Extrafunktioner::DayNumberToDate(kToday + 1));
    EXPECT_EQ(f->Startfastgentagende->text(), QString::number(kToday + 1));
    EXPECT_EQ(f->genbook->RowCount(), 7);
}

TEST_F(RepeatTest, PreparedTimesAreReadInEveryStoredForm)
{
    // Another copy of the program, or an older one, may have written the times otherwise.
    struct Case { const char *stored; QTime time; };
    const Case cases[] = {
        {"1899-12-30 10:05:00", QTime(10, 5)},
        {"1899-12-30T23:59:30", QTime(23, 59, 30)},
        {"1899-12-30 08:15:00.000", QTime(8, 15)},
        {"1899-12-30 07:45", QTime(7, 45)},
        {"1899-12-30 25:00:00", QTime()},
    };
    QList<int32_t> ids;
    for (const Case &c : cases) {
        ids << int32_t(execSql(paths, QString("INSERT INTO gendatogent (Dato, Start, Slut, "
                                              "lokalenr, DB) VALUES (%1, '%2', '%2', 10, 0)")
                                          .arg(kToday + 1)
                                          .arg(c.stored)));
    }
    const QList<RepeatSeries::GenDate> rows = RepeatSeries::ReadDates(ids);
    ASSERT_EQ(rows.size(), int(std::size(cases)));
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].start, cases[i].time) << cases[i].stored;
        EXPECT_EQ(rows[i].slut, cases[i].time) << cases[i].stored;
    }
}

TEST_F(RepeatTest, ThePeriodMustHoldOneStep)
{
    fastgen *f = repeat();
    f->Option2_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 7));
    f->Udvalg_Click();
    EXPECT_EQ(column("Dato"), QList<qlonglong>({kToday + 7}));

    f->Slutfastgentagende->setText(QString::number(kToday + 6));
    f->Udvalg_Click();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "Dates are not valid !");
    EXPECT_EQ(column("Dato"), QList<qlonglong>({kToday + 7}));   // nothing changed

    // The pickers disagreeing with the period: refused, period back to the default.
    sb.clearShown();
    f->slcoy->setValue(kToday - 1);
    f->Slutfastgentagende->setText(QString::number(kToday + 21));
    f->Udvalg_Click();
    EXPECT_EQ(sb.lastText(), "Startdate must be smaller than Enddate !");
    EXPECT_EQ(sb.shown().last().style, MsgBox::Exclamation);
    EXPECT_EQ(f->Slutfastgentagende->text(), QString::number(kToday + 49));
    EXPECT_TRUE(column("Dato").isEmpty());
}

TEST_F(RepeatTest, MoreDatesThanTheListShowsAreRefused)
{
    fastgen *f = repeat();
    f->Option1_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 2001));
    f->Udvalg_Click();
    EXPECT_TRUE(sb.lastText().contains("at most 2000 dates"));
    EXPECT_TRUE(column("ID").isEmpty());
    f->Slutfastgentagende->setText(QString::number(kToday + 2000));
    f->Udvalg_Click();
    EXPECT_EQ(f->genbook->RowCount(), 2000);
}

TEST_F(RepeatTest, DoubleBookingsAreOverlapsOfTheSameItemOnTheSameDay)
{
    // Weekly from kToday: the dates kToday+7, +14, ... at 10:00-11:00 of item 10.
    struct Case { const char *what; int day; int item; int start; int end; bool db; };
    const Case cases[] = {
        {"ends at the new start", kToday + 7, 10, 540, 600, false},
        {"starts at the new end", kToday + 14, 10, 660, 720, false},
        {"overlaps by a minute", kToday + 21, 10, 659, 720, true},
        {"another item", kToday + 28, 11, 600, 660, false},
        {"another day", kToday + 36, 10, 600, 660, false},
        {"inside", kToday + 42, 10, 615, 630, true},
    };
    int n = 200;
    for (const Case &c : cases)
        exec(QString("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr, Bgruppe) "
                     "VALUES (%1, %2, %3, %4, %5, 1)")
                 .arg(n++).arg(c.day).arg(c.start).arg(c.end).arg(c.item));
    fastgen *f = generate(&fastgen::Option2_Click);
    const QList<qlonglong> db = column("DB");
    ASSERT_EQ(db.size(), 7);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(db[cases[i].day == kToday + 36 ? 4 : (cases[i].day - kToday) / 7 - 1] != 0,
                  cases[i].db)
            << cases[i].what;
    EXPECT_EQ(f->genbook->CellPicture(2, 4), 1);

    // Deleting all double bookings leaves the free dates.
    f->remall_Click();
    EXPECT_EQ(column("Dato"), QList<qlonglong>({kToday + 7, kToday + 14, kToday + 28,
                                                kToday + 35, kToday + 49}));
    EXPECT_EQ(f->genbook->RowCount(), 5);
    // Deleting with no row selected deletes nothing; with one selected, that one.
    f->genbook->setSelectedRow(-1);
    f->remsel_Click();
    EXPECT_EQ(f->genbook->RowCount(), 5);
    f->genbook->setSelectedRow(1);
    f->remsel_Click();
    EXPECT_EQ(column("Dato"), QList<qlonglong>({kToday + 7, kToday + 28, kToday + 35,
                                                kToday + 49}));
}

TEST_F(RepeatTest, BookingMakesTheHeadAndNumbersTheMembersInOneStep)
{
    form->Unload();
    exec(QString::fromUtf8("UPDATE næstenøgle SET nextkey = 500;"
                           "UPDATE booking SET tax = 1, bvpris = 2, Pris = 750, Antalpers = 12 "
                           "WHERE Bookingnr = 100"));
    form = Forms::get<bookingform>();
    form->ShowBooking(100);
    // The planner moved to another type while the form was open; an unsaved title and an
    // emptied number of persons travel along.
    gCurrentTypeNo = 2;
    form->Beskrivelse->setPlainText("Board meeting, weekly");
    form->Antalpers->clear();
    fastgen *f = repeat();
    f->Option2_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 21));
    f->Udvalg_Click();
    f->bookingknap_Click();

    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_FALSE(Forms::isLoaded<fastgen>());
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(newBookings(), QList<qlonglong>({500, 501, 502}));
    EXPECT_EQ(counter(), 503);
    for (int n : {100, 500, 501, 502}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(bookingField(n, "gennr").toInt(), 100);
        EXPECT_EQ(bookingField(n, "gentagende").toInt(), 1);
        EXPECT_EQ(bookingField(n, "Bcolor").toLongLong(), 16711680);
        EXPECT_EQ(bookingField(n, "Beskrivelse").toString(), "Board meeting, weekly");
        EXPECT_TRUE(bookingField(n, "Antalpers").isNull());
    }
    for (int n : {500, 501, 502}) {
        EXPECT_EQ(bookingField(n, "Bgruppe").toInt(), 1);   // the item's own type
        EXPECT_EQ(bookingField(n, "Lokalenr").toInt(), 10);
        EXPECT_EQ(bookingField(n, "bstart").toInt(), 600);
        EXPECT_EQ(bookingField(n, "bslut").toInt(), 660);
        EXPECT_EQ(bookingField(n, "tax").toInt(), 1);
        EXPECT_EQ(bookingField(n, "bvpris").toInt(), 2);
        EXPECT_DOUBLE_EQ(bookingField(n, "Pris").toDouble(), 750);
        EXPECT_EQ(bookingField(n, "kontonr").toInt(), 2);
        EXPECT_EQ(bookingField(n, "curacname").toString(), "Anna Berg");
        EXPECT_EQ(bookingField(n, "ID").toInt(), 1);
        EXPECT_EQ(bookingField(n, "Kontaktperson2").toString(), "Eva Lund");
    }
    EXPECT_EQ(sqlNumbers(file, "SELECT Bdato FROM booking WHERE Bookingnr >= 500 ORDER BY 1"),
              QList<qlonglong>({kToday + 7, kToday + 14, kToday + 21}));
}

TEST_F(RepeatTest, AFailureHalfWayBooksNothing)
{
    // Number 501 is taken: the second new booking cannot be written.
    exec(QString::fromUtf8("UPDATE næstenøgle SET nextkey = 500;"
                           "INSERT INTO booking (Bookingnr, Bdato, Lokalenr) VALUES (501, 9, 11)"));
    fastgen *f = repeat();
    f->Option2_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 21));
    f->Udvalg_Click();
    f->bookingknap_Click();

    EXPECT_TRUE(sb.lastText().startsWith("The series could not be booked"));
    EXPECT_TRUE(Forms::isLoaded<fastgen>());
    EXPECT_TRUE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(newBookings(), QList<qlonglong>({501}));
    EXPECT_EQ(counter(), 500);
    EXPECT_TRUE(bookingField(100, "gennr").isNull());
    EXPECT_EQ(bookingField(100, "gentagende").toInt(), 0);
    EXPECT_EQ(form->gentagende->text(), "False");
}

// Another copy of the program deleted the booking while the form showed it: no member is
// written without its head.
TEST_F(RepeatTest, AHeadDeletedMeanwhileBooksNothing)
{
    fastgen *f = repeat();
    f->Option2_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 21));
    f->Udvalg_Click();
    exec("DELETE FROM booking WHERE Bookingnr = 100");
    const qlonglong keys = counter();
    f->bookingknap_Click();

    EXPECT_TRUE(sb.lastText().startsWith("The series could not be booked"));
    EXPECT_TRUE(sb.lastText().contains("Booking 100 is no longer in the bookingfile"));
    EXPECT_TRUE(newBookings().isEmpty());
    EXPECT_EQ(counter(), keys);
}

TEST_F(RepeatTest, BooksOnlyTheDatesThisDialogPrepared)
{
    fastgen *f = generate(&fastgen::Option2_Click);
    // Another copy of the program, started from the same folder, empties the table and
    // prepares a date of its own.
    execSql(paths, "DELETE FROM gendatogent; INSERT INTO gendatogent (Dato, Start, Slut, "
                   "lokalenr, DB) VALUES (50000, '1899-12-30 08:00:00', '1899-12-30 09:00:00', "
                   "11, 0)");
    f->bookingknap_Click();
    EXPECT_TRUE(sb.lastText().contains("no longer there"));
    EXPECT_TRUE(newBookings().isEmpty());
    // Its list shows what is left of its own dates: none.
    f->Reload();
    EXPECT_EQ(f->genbook->RowCount(), 0);
}

TEST_F(RepeatTest, TheDialogsServeOnlyTheBookingTheyWereOpenedFor)
{
    fastgen *f = generate(&fastgen::Option2_Click);
    form->ShowBooking(102);   // the form moved on to another booking
    f->bookingknap_Click();
    EXPECT_TRUE(sb.lastText().contains("no longer shows booking 100"));
    EXPECT_TRUE(newBookings().isEmpty());
    EXPECT_FALSE(Forms::isLoaded<fastgen>());

    form->ShowBooking(100);
    generate(&fastgen::Option2_Click);
    form->Luk_Click();
    EXPECT_FALSE(Forms::isLoaded<fastgen>());   // closes with the booking form
}

TEST_F(RepeatTest, AddOnAMemberAddsToItsSeries)
{
    exec("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, Lokalenr, "
         "kontonr, curacname, gennr, gentagende) VALUES "
         "(103, 'Weekly yoga', 45014, 1020, 1080, 1, 11, 2, 'Anna Berg', 102, 1);"
         + QString::fromUtf8("UPDATE næstenøgle SET nextkey = 600;"));
    form->ShowBooking(103);
    form->genkn_Click();
    ASSERT_TRUE(Forms::isLoaded<slettil>());
    Forms::get<slettil>()->Add_Click();
    fastgen *f = Forms::get<fastgen>();
    f->Option2_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 14));
    f->Udvalg_Click();
    f->bookingknap_Click();
    EXPECT_EQ(sqlNumbers(file, "SELECT Bookingnr FROM booking WHERE gennr = 102 ORDER BY 1"),
              QList<qlonglong>({102, 103, 600, 601}));
}

class PickedDatesTest : public RepeatTest
{
protected:
    vilkdatover *pick()
    {
        fastgen *f = repeat();
        f->Option6_Click();
        EXPECT_FALSE(Forms::isLoaded<fastgen>());
        return Forms::get<vilkdatover>();
    }
    // A click with the mouse on the day's cell of the year calendar.
    static void click(vilkdatover *v, int day)
    {
        const QRect cell = v->dat->cellRect(Extrafunktioner::DayNumberToDate(day));
        ASSERT_FALSE(cell.isEmpty()) << "day " << day << " is not shown";
        QTest::mouseClick(v->dat, Qt::LeftButton, {}, cell.center());
    }
};

TEST_F(PickedDatesTest, EachClickPreparesOneDate)
{
    form->bstart->setValue(52200);   // 14:30
    form->bslut->setValue(57600);    // 16:00
    vilkdatover *v = pick();
    EXPECT_EQ(v->windowTitle(), "Vantix  -  Repeated booking - Arbitrary Dates Selector");
    EXPECT_EQ(v->dat->month(), 3);
    EXPECT_EQ(v->dat->year(), 2023);
    EXPECT_EQ(v->dat->value(), kToday);
    EXPECT_EQ(v->vilklist->ColumnWidth(1), 60);
    click(v, kToday + 3);
    click(v, kToday + 10);
    EXPECT_EQ(column("Dato"), QList<qlonglong>({kToday + 3, kToday + 10}));
    EXPECT_EQ(v->vilklist->CellText(0, 2), "14.30");
    EXPECT_EQ(v->vilklist->CellText(0, 3), "16:00");
    EXPECT_TRUE(v->dat->isMarked(kToday + 10));

    v->Cancel_Click();   // leaving this dialog empties the table
    EXPECT_TRUE(column("ID").isEmpty());
}

TEST_F(PickedDatesTest, ASecondClickOnAPickedDayTakesItOffTheList)
{
    vilkdatover *v = pick();
    v->dat->setYear(1900);
    v->dat->setMonth(1);
    click(v, 2);   // the booking's own date: it clashes with itself
    v->dat->setYear(2023);
    click(v, kToday + 5);
    click(v, kToday + 8);
    click(v, kToday + 5);
    EXPECT_EQ(column("Dato"), QList<qlonglong>({2, kToday + 8}));
    EXPECT_EQ(column("DB"), QList<qlonglong>({1, 0}));
    EXPECT_FALSE(v->dat->isMarked(kToday + 5));
    EXPECT_TRUE(v->dat->isMarked(kToday + 8));
    EXPECT_EQ(v->vilklist->RowCount(), 2);
    // Deleting the double bookings keeps the free day the user wanted.
    v->remall_Click();
    EXPECT_EQ(column("Dato"), QList<qlonglong>({kToday + 8}));
    click(v, kToday + 8);
    EXPECT_TRUE(column("ID").isEmpty());

    exec(QString::fromUtf8("UPDATE næstenøgle SET nextkey = 700"));
    click(v, kToday + 6);
    v->book_Click();
    EXPECT_EQ(newBookings(), QList<qlonglong>({700}));
    for (int n : {100, 700})
        EXPECT_EQ(bookingField(n, "Bcolor").toInt(), 0);
}

TEST_F(PickedDatesTest, BookingWithoutDatesIsRefused)
{
    vilkdatover *v = pick();
    v->book_Click();
    EXPECT_EQ(sb.lastText(), "No generated dates available");
    EXPECT_EQ(sb.shown().last().title, "");
    v->alternates_Click();
    EXPECT_EQ(sb.lastText(), "Select a booking.");
    EXPECT_EQ(sb.shown().last().title, "Service Message");
}

class AlternativesTest : public RepeatTest
{
protected:
    void SetUp() override
    {
        RepeatTest::SetUp();
        exec("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, gebyr, inaktiv) "
             "VALUES (12, 'Room C', 1, 1, 90, 1), (30, 'Hall', 3, 1, 0, 0);"
             "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, gruppeart) "
             "VALUES (3, 'Halls', 1, 1);");
    }
    // The names of the candidates of the last search, in the order the form lists them.
    QStringList candidates()
    {
        return sqlValue(paths, "SELECT group_concat(Lokalenavn, ',') FROM andetlokaltfor")
            .toString()
            .split(',', Qt::SkipEmptyParts);
    }
};

TEST_F(AlternativesTest, ClashesAreOverlapsAndTouchingIsFree)
{
    exec("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr) "
         "VALUES (300, 900, 600, 660, 11)");
    struct Case { int S; int E; bool clash; };
    const Case cases[] = {{660, 720, false}, {540, 600, false}, {630, 690, true},
                          {540, 720, true}, {610, 620, true}};
    for (const Case &c : cases)
        EXPECT_EQ(Alternat::ResourceHasClash(c.S, c.E, 900, 11, file), c.clash)
            << c.S << "-" << c.E;
    EXPECT_FALSE(Alternat::ResourceHasClash(600, 660, 901, 11, file));
    EXPECT_FALSE(Alternat::ResourceHasClash(600, 660, 900, 10, file));
}

TEST_F(AlternativesTest, ADoubleBookingMovesToAFreeItemOfTheCurrentType)
{
    // Room B is taken at the first date; Room C is free (unavailable items are not left out).
    exec(QString("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr) "
                 "VALUES (300, %1, 600, 660, 10), (301, %1, 630, 700, 11)")
             .arg(kToday + 7));
    fastgen *f = generate(&fastgen::Option2_Click);
    ASSERT_EQ(f->genbook->CellPicture(0, 4), 1);
    f->genbook->setSelectedRow(0);
    f->genbook_DblClick();
    ASSERT_TRUE(Forms::isLoaded<alternatives>());
    alternatives *a = Forms::get<alternatives>();
    EXPECT_EQ(a->windowTitle(), "Alternative Resources");
    ASSERT_EQ(a->AltList->RowCount(), 1);
    EXPECT_EQ(a->AltList->CellText(0, 1), "Room C");
    EXPECT_EQ(a->AltList->RowData(0), 12);

    a->apply_Click();
    EXPECT_EQ(sb.lastText(), "Select Alternative");
    a->AltList->setSelectedRow(0);
    a->apply_Click();
    EXPECT_FALSE(Forms::isLoaded<alternatives>());
    EXPECT_EQ(f->genbook->CellPicture(0, 4), 2);
    EXPECT_EQ(column("lokalenr").first(), 12);
    EXPECT_EQ(column("Dato").first(), kToday + 7);

    // The moved date survives the deletion of double bookings and is booked on Room C.
    f->remall_Click();
    EXPECT_EQ(f->genbook->RowCount(), 7);
    exec(QString::fromUtf8("UPDATE næstenøgle SET nextkey = 800"));
    f->bookingknap_Click();
    EXPECT_EQ(bookingField(800, "Lokalenr").toInt(), 12);
    EXPECT_EQ(bookingField(800, "Bgruppe").toInt(), 1);
    EXPECT_EQ(bookingField(801, "Lokalenr").toInt(), 10);
}

// Room A costs 100 an hour, Room C 90: under list price a date moved to Room C costs 90; an
// agreed price is the same on every date.
TEST_F(AlternativesTest, AMovedDateTakesItsOwnItemsListPrice)
{
    exec(QString("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr) "
                 "VALUES (300, %1, 600, 660, 10), (301, %1, 600, 660, 11)")
             .arg(kToday + 7));
    struct Case
    {
        const char *what;
        void (bookingform::*option)();
        QString typed;
        double head, moved;
    };
    const Case cases[] = {{"list price", &bookingform::ListpriceRes_Click, QString(), 100, 90},
                          {"agreed price", &bookingform::aftres_Click, "250", 250, 250}};
    int32_t next = 800;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        form->bslut->setValue(39600);   // 11:00: one hour
        (form->*c.option)();
        if (!c.typed.isEmpty())
            form->Pris->setText(c.typed);
        fastgen *f = generate(&fastgen::Option2_Click);
        f->genbook->setSelectedRow(0);
        f->genbook_DblClick();
        ASSERT_TRUE(Forms::isLoaded<alternatives>());
        alternatives *a = Forms::get<alternatives>();
        a->AltList->setSelectedRow(0);
        ASSERT_EQ(a->AltList->CellText(0, 1), "Room C");
        a->apply_Click();
        exec(QString::fromUtf8("UPDATE næstenøgle SET nextkey = %1").arg(next));
        f->bookingknap_Click();
        EXPECT_EQ(bookingField(next, "Lokalenr").toInt(), 12);
        EXPECT_DOUBLE_EQ(bookingField(next, "Pris").toDouble(), c.moved);
        EXPECT_EQ(bookingField(next + 1, "Lokalenr").toInt(), 10);
        EXPECT_DOUBLE_EQ(bookingField(next + 1, "Pris").toDouble(), c.head);
        exec("DELETE FROM booking WHERE Bookingnr >= 800; "
             "UPDATE booking SET gennr = NULL, gentagende = 0 WHERE Bookingnr = 100");
        form = Forms::get<bookingform>();
        form->ShowBooking(100);
        next += 100;
    }
}

TEST_F(AlternativesTest, CandidatesComeFromThePlannersTypeWithoutTheBookedItem)
{
    fastgen *f = generate(&fastgen::Option2_Click);
    f->genbook->setSelectedRow(2);
    f->alternates_Click();
    EXPECT_EQ(candidates(), QStringList({"Room B", "Room C"}));
    Forms::unload<alternatives>();

    gCurrentTypeNo = 3;
    f->alternates_Click();
    EXPECT_EQ(candidates(), QStringList({"Hall"}));
    Forms::unload<alternatives>();

    // A date gone from the table is told, not searched.
    execSql(paths, "DELETE FROM gendatogent");
    f->alternates_Click();
    EXPECT_TRUE(sb.lastText().contains("no longer among the prepared dates"));
    EXPECT_FALSE(Forms::isLoaded<alternatives>());
}

TEST_F(AlternativesTest, PickedDatesHaveTheirOwnAlternativesForm)
{
    exec(QString("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr) "
                 "VALUES (300, %1, 600, 660, 10)").arg(kToday + 1));
    form->genkn_Click();
    Forms::get<fastgen>()->Option6_Click();
    vilkdatover *v = Forms::get<vilkdatover>();
    ASSERT_TRUE(v->dat->clickDate(Extrafunktioner::DayNumberToDate(kToday + 1)));
    v->vilklist->setSelectedRow(0);
    v->vilklist_DblClick();
    ASSERT_TRUE(Forms::isLoaded<alternativesV>());
    alternativesV *a = Forms::get<alternativesV>();
    a->AltList->setSelectedRow(0);
    a->AltList_DblClick();
    EXPECT_EQ(v->vilklist->CellPicture(0, 4), 2);
    EXPECT_EQ(column("lokalenr"), QList<qlonglong>({11}));
}

} // namespace

namespace {

TEST_F(RepeatTest, EnterPressesTheFocusedButtonAndEscapeLeaves)
{
    fastgen *f = repeat();
    f->Option2_Click();
    f->Udvalg->setFocus();
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_EQ(column("ID").size(), 7);
    QTest::keyClick(f, Qt::Key_Escape);
    EXPECT_FALSE(Forms::isLoaded<fastgen>());
    EXPECT_EQ(column("ID").size(), 7);   // the frequency dialog's Exit keeps the dates
}

} // namespace

namespace {

TEST_F(RepeatTest, DoubleBookingsAreBookedTooUnlessDeleted)
{
    exec(QString("INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr) "
                 "VALUES (300, %1, 600, 660, 10);")
             .arg(kToday + 7)
         + QString::fromUtf8("UPDATE næstenøgle SET nextkey = 900"));
    fastgen *f = repeat();
    f->Option2_Click();
    f->Slutfastgentagende->setText(QString::number(kToday + 14));
    f->Udvalg_Click();
    EXPECT_EQ(column("DB"), QList<qlonglong>({1, 0}));
    f->bookingknap_Click();
    EXPECT_EQ(sqlNumbers(file, "SELECT Bdato FROM booking WHERE Bookingnr >= 900 ORDER BY 1"),
              QList<qlonglong>({kToday + 7, kToday + 14}));
}

} // namespace
