#include "bookingfixture.h"

#include "bookings/bookingform.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/datecalendar.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/dblist.h"
#include "platform/controls/hyperlink.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/tabdialog.h"
#include "platform/controls/timeedit.h"
#include "platform/db/database.h"
#include "platform/system.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <sqlite3.h>

using namespace Generalen;

namespace {

class BookingFormTest : public BookingFileTest
{
protected:
    bookingform *open(int bookingnr)
    {
        auto *f = Forms::get<bookingform>();
        f->ShowBooking(bookingnr);
        return f;
    }

    static QStringList accounts(const bookingform *f)
    {
        QStringList names;
        for (int i = 0; i < f->Kontonr->ListCount(); ++i)
            names << f->Kontonr->List(i);
        return names;
    }
};

TEST_F(BookingFormTest, OpensOnABookingAndShowsItsValues)
{
    bookingform *f = open(100);
    EXPECT_EQ(f->windowTitle(), "Vantix -  Booking Information");
    EXPECT_EQ(f->Bookingnr->text(), "100");
    EXPECT_EQ(f->Lokalenavn->text(), "Room A");
    EXPECT_EQ(f->Lokalenr->text(), "10");
    EXPECT_EQ(f->Bdato->value(), 2);
    EXPECT_EQ(f->Bdato->text(), "03-01-1900");
    EXPECT_EQ(f->bstart->value(), 36000);
    EXPECT_EQ(f->bslut->value(), 39600);
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Board meeting");
    EXPECT_EQ(f->beskrshow->text(), "Board meeting");
    EXPECT_EQ(f->langbeskrivelse->toPlainText(), "Quarterly figures");
    EXPECT_EQ(f->Bemærkninger->toPlainText(), "Coffee at 10");
    EXPECT_EQ(f->Kontonr->Text(), "Anna Berg");
    EXPECT_EQ(f->Antalpers->text(), "12");
    EXPECT_EQ(f->ID->Text(), "Boardroom");
    EXPECT_FALSE(f->Tentative->isChecked());
    EXPECT_EQ(f->gentshow->text(), "Single");
    EXPECT_EQ(f->kontokontakt->text(), "Anna B.");
    EXPECT_EQ(f->Kontoby->text(), "Risskov");
    EXPECT_EQ(f->depname->text(), "Events");
    EXPECT_EQ(f->kontomail->text(), "anna@example.com");
    EXPECT_EQ(f->Kontaktperson2->text(), "Eva Lund");
    EXPECT_EQ(f->kontoknr->text(), "2");
    EXPECT_EQ(f->curacname->text(), "Anna Berg");
    EXPECT_EQ(f->PRTyp->text(), "1");
    EXPECT_EQ(f->lokalinr->text(), "1");
    EXPECT_TRUE(f->Bookingnr->isReadOnly());
    EXPECT_TRUE(f->kontomail->isReadOnly());
    EXPECT_FALSE(f->Kontaktperson2->isReadOnly());
    EXPECT_TRUE(sb.shown().isEmpty());

    // The one instance moves on to a series member.
    f->ShowBooking(102);
    EXPECT_EQ(Forms::get<bookingform>(), f);
    EXPECT_EQ(f->Bookingnr->text(), "102");
    EXPECT_EQ(f->gentshow->text(), "Multi");
    EXPECT_EQ(f->gennr->text(), "102");
}

TEST_F(BookingFormTest, TabsButtonsAndHiddenBoxesAreInPlace)
{
    bookingform *f = Forms::get<bookingform>();
    ASSERT_EQ(f->faner->Tabs(), 3);
    EXPECT_EQ(f->faner->TabCaption(0), "General Info");
    EXPECT_EQ(f->faner->TabCaption(1), "Account Info");
    EXPECT_EQ(f->faner->TabCaption(2), "Reciept");
    EXPECT_EQ(f->genkn->text(), "Add/Del Repeated Booking");
    EXPECT_EQ(f->updgen->text(), "Update Repeated Booking");
    EXPECT_EQ(f->Luk->text(), "Ok");
    EXPECT_EQ(f->Tentative->text(), "Tentative");
    for (QWidget *box : {static_cast<QWidget *>(f->PRTyp), static_cast<QWidget *>(f->kontoknr),
                         static_cast<QWidget *>(f->curacname), static_cast<QWidget *>(f->gennr),
                         static_cast<QWidget *>(f->gentagende),
                         static_cast<QWidget *>(f->gruppeart),
                         static_cast<QWidget *>(f->lokalinr), static_cast<QWidget *>(f->Bcolor),
                         static_cast<QWidget *>(f->Kontouser)})
        EXPECT_TRUE(box->isHidden()) << box->objectName().toStdString();
    const QStringList items = {f->leveringstype->itemText(0), f->leveringstype->itemText(1)};
    EXPECT_EQ(items, QStringList({"Collected", "Delivered"}));
    EXPECT_EQ(f->Data1.RecordSource(), "bookingfor");
    EXPECT_EQ(f->Data2.RecordSource(), "Florplanfor");
    EXPECT_EQ(f->Data1.DatabaseName(), file);
}

TEST_F(BookingFormTest, OkWritesTheEditedBookingTimesIncluded)
{
    bookingform *f = open(100);
    f->Beskrivelse->setPlainText("Board meeting, moved");
    f->Bemærkninger->setPlainText("Tea instead");
    f->langbeskrivelse->setPlainText("Half-year figures");
    f->Bdato->setValue(3);
    f->bstart->setValue(37800);   // 10:30
    f->bslut->setValue(45000);    // 12:30
    f->Tentative->setChecked(true);
    f->Antalpers->setText("20");
    f->ID->setListIndex(1);   // Classroom (the list is by name)
    f->Kontaktperson2->setText("Ole Dam");
    f->Kontakttlf2->setText("20 30 40 50");
    f->Luk_Click();

    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting, moved");
    EXPECT_EQ(bookingField(100, "Bemærkninger").toString(), "Tea instead");
    EXPECT_EQ(bookingField(100, "langbeskrivelse").toString(), "Half-year figures");
    EXPECT_EQ(bookingField(100, "Bdato").toInt(), 3);
    EXPECT_EQ(bookingField(100, "bstart").toInt(), 630);
    EXPECT_EQ(bookingField(100, "bslut").toInt(), 750);
    EXPECT_EQ(bookingField(100, "Tentative").toInt(), 1);
    EXPECT_EQ(bookingField(100, "Antalpers").toInt(), 20);
    EXPECT_EQ(bookingField(100, "ID").toInt(), 2);
    EXPECT_EQ(bookingField(100, "Kontaktperson2").toString(), "Ole Dam");
    EXPECT_EQ(bookingField(100, "Kontakttlf2").toString(), "20 30 40 50");
    // Untouched fields keep their values.
    EXPECT_EQ(bookingField(100, "Lokalenr").toInt(), 10);
    EXPECT_EQ(bookingField(100, "kontonr").toInt(), 2);
    EXPECT_EQ(bookingField(100, "Bcolor").toInt(), 255);
}

TEST_F(BookingFormTest, ClosingTheWindowWritesToo)
{
    bookingform *f = open(100);
    f->bslut->setValue(43200);
    f->close();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(bookingField(100, "bslut").toInt(), 720);
    EXPECT_EQ(bookingField(100, "bstart").toInt(), 600);
}

TEST_F(BookingFormTest, ChangingTabSavesTheAccountAndItsName)
{
    bookingform *f = open(100);
    const int summer = int(accounts(f).indexOf("Summer Project"));
    ASSERT_GE(summer, 0);
    f->Beskrivelse->setPlainText("Festival planning");
    f->Kontonr->setListIndex(summer);   // as the user's pick
    EXPECT_EQ(f->curacname->text(), "Summer Project");
    EXPECT_EQ(f->kontoknr->text(), "5");
    EXPECT_EQ(bookingField(100, "kontonr").toInt(), 2);   // not written yet

    f->faner->setTab(1);
    EXPECT_EQ(bookingField(100, "kontonr").toInt(), 5);
    EXPECT_EQ(bookingField(100, "curacname").toString(), "Summer Project");
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Festival planning");
    // The stored query shows the new account's data.
    EXPECT_EQ(f->beskrshow->text(), "Festival planning");

    f->Kontaktperson2->setText("Mia Holt");
    f->faner->setTab(0);
    EXPECT_EQ(bookingField(100, "Kontaktperson2").toString(), "Mia Holt");
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(BookingFormTest, AccountListDependsOnTheUser)
{
    struct Case
    {
        bool admin;
        int user;
        QString source;
        QStringList names;
    };
    const QList<Case> cases = {
        {false, 2,
         "SELECT Grptilk.pnr, Konti.Kontonavn, Konti.ID FROM Grptilk INNER JOIN Konti ON "
         "Grptilk.gnr = Konti.ID WHERE Grptilk.pnr = 2;",
         {"Anna Berg", "Old Project", "Summer Project"}},
        {false, 3,
         "SELECT Grptilk.pnr, Konti.Kontonavn, Konti.ID FROM Grptilk INNER JOIN Konti ON "
         "Grptilk.gnr = Konti.ID WHERE Grptilk.pnr = 3;",
         {"Ben Holm"}},
        // Every account that is not archived, the administrator's own included.
        {true, 1, "AdminAccounts", {"Administrator", "Anna Berg", "Ben Holm", "Summer Project"}},
    };
    for (const Case &c : cases) {
        gIsAdmin = c.admin;
        gUserNo = c.user;
        bookingform *f = Forms::get<bookingform>();
        EXPECT_EQ(f->Data3.RecordSource(), c.source);
        QStringList names = accounts(f);
        names.sort();
        EXPECT_EQ(names, c.names) << "user " << c.user;
        f->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(BookingFormTest, RoomsShowFloorPlanAndPersonsEquipmentShowsDelivery)
{
    gIsAdmin = true;   // Ben's booking
    struct Case
    {
        int booking;
        bool room;
    };
    for (const Case &c : {Case{100, true}, Case{101, false}, Case{102, true}}) {
        bookingform *f = open(c.booking);
        EXPECT_EQ(!f->ID->isHidden(), c.room) << c.booking;
        EXPECT_EQ(!f->lblFloorplan->isHidden(), c.room) << c.booking;
        EXPECT_EQ(!f->Antalpers->isHidden(), c.room) << c.booking;
        EXPECT_EQ(!f->lblPersons->isHidden(), c.room) << c.booking;
        EXPECT_EQ(!f->leveringstype->isHidden(), !c.room) << c.booking;
        EXPECT_EQ(!f->lblDelivery->isHidden(), !c.room) << c.booking;
    }
    bookingform *f = Forms::get<bookingform>();
    f->ShowBooking(101);
    EXPECT_EQ(f->leveringstype->currentText(), "Delivered");
    f->leveringstype->setCurrentText("Collected");
    f->Luk_Click();
    EXPECT_EQ(bookingField(101, "leveringstype").toString(), "Collected");
}

TEST_F(BookingFormTest, MailLinkCarriesAccountItemDateAndStart)
{
    QStringList opened;
    System::setOpenUrlHandler([&opened](const QString &url) { opened << url; });
    bookingform *f = open(100);
    f->ctmailer->Activate();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], "mailto: anna@example.com?subject=Booking Message&body=Concerning: "
                         "Booking of Room A, 03-01-1900, 10:00:00");
    EXPECT_EQ(f->ctmailer->Link(), opened[0]);

    // An account without an address; the date pattern follows the setting.
    gIsAdmin = true;
    gDateFormat = "mm/dd/yyyy";
    f->ShowBooking(101);
    f->ctmailer->Activate();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], "mailto: ?subject=Booking Message&body=Concerning: Booking of "
                         "Projector, 03/17/2023, 08:00:00");

    // Names that hold the link's own marks cannot cut it short or add recipients.
    exec("UPDATE lokale SET Lokalenavn = 'Cables & Plugs #2' WHERE lokalenr = "
         "(SELECT Lokalenr FROM booking WHERE Bookingnr = 101)");
    exec("UPDATE Konti SET kontomail = 'x@y.z?cc=boss@y.z' WHERE ID = "
         "(SELECT kontonr FROM booking WHERE Bookingnr = 101)");
    f->ShowBooking(101);
    f->ctmailer->Activate();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[2], "mailto: x@y.z%3Fcc%3Dboss@y.z?subject=Booking Message&body=Concerning: "
                         "Booking of Cables %26 Plugs %232, 03/17/2023, 08:00:00");
}

// An administrator picks Ben's account in the combo: the Account Info tab and the mail link
// show Ben's data at once, and a change of tab stores Ben as the booking's account.
TEST_F(BookingFormTest, TheAccountTabAndTheMailLinkFollowTheChosenAccount)
{
    exec("UPDATE Konti SET kontomail = 'ben@example.com' WHERE ID = 3");
    QStringList opened;
    System::setOpenUrlHandler([&opened](const QString &url) { opened << url; });
    gIsAdmin = true;
    bookingform *f = open(100);
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    auto *combo = f->Kontonr->findChild<QComboBox *>();
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClicks(combo, "Ben");
    QTest::keyClick(combo, Qt::Key_Return);
    ASSERT_EQ(f->Kontonr->Text(), "Ben Holm");
    EXPECT_EQ(f->kontoknr->text(), "3");
    EXPECT_EQ(f->kontokontakt->text(), "Ben H.");
    EXPECT_EQ(f->Kontotlf->text(), "86 12 34 72");
    EXPECT_EQ(f->Kontoby->text(), "");
    EXPECT_EQ(f->depname->text(), "");
    EXPECT_EQ(f->kontomail->text(), "ben@example.com");
    f->ctmailer->Activate();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].startsWith("mailto: ben@example.com?subject="))
        << opened[0].toStdString();

    auto *tabs = f->faner->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(f->faner->Tab(), 1);
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    EXPECT_EQ(bookingField(100, "kontonr").toInt(), 3);
    EXPECT_EQ(bookingField(100, "curacname").toString(), "Ben Holm");
    // The accounts themselves are as they were.
    EXPECT_EQ(sqlValue(file, "SELECT kontokontakt FROM Konti WHERE ID = 2").toString(), "Anna B.");
    f->Luk_Click();
    EXPECT_EQ(sqlValue(file, "SELECT kontokontakt FROM Konti WHERE ID = 3").toString(), "Ben H.");
}

TEST_F(BookingFormTest, ABookingNoLongerThereIsReportedNotOpened)
{
    auto *f = Forms::get<bookingform>();
    f->ShowBooking(999);
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].title, "Service Message");
    EXPECT_TRUE(sb.lastText().contains("999"));
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
}

TEST_F(BookingFormTest, AFailedSaveOnCloseIsShownAndKeepsTheEdit)
{
    // Waits for a locked file end quickly in this test.
    struct ShortWait
    {
        int before = Dao::Database::busyTimeout();
        ShortWait() { Dao::Database::setBusyTimeout(50); }
        ~ShortWait() { Dao::Database::setBusyTimeout(before); }
    } shortWait;
    bookingform *f = open(100);
    f->Beskrivelse->setPlainText("Kept");

    // Another program holds the bookingfile locked.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    sb.answer(MsgBox::No);
    f->Luk_Click();
    EXPECT_TRUE(Forms::isLoaded<bookingform>());
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_TRUE(sb.lastText().endsWith("Close without saving?"));
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Kept");

    // A failed save on a tab change is shown too.
    f->faner->setTab(1);
    EXPECT_EQ(sb.shown().size(), 2);

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    f->Luk_Click();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Kept");

    // Closing without saving drops the edit.
    f = open(100);
    f->Beskrivelse->setPlainText("Dropped");
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    sb.answer(MsgBox::Yes);
    f->Luk_Click();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Kept");
}

TEST_F(BookingFormTest, PersonsTakeWholeNumbersOnly)
{
    bookingform *f = open(100);
    f->Antalpers->clear();
    QTest::keyClicks(f->Antalpers, "4x2");
    EXPECT_EQ(f->Antalpers->text(), "42");   // the letter is refused with a message
    EXPECT_EQ(sb.lastText(), "The number of persons must be a whole number, such as 12.");
    QTest::keyClicks(f->Antalpers, "-");
    EXPECT_EQ(sb.lastText(), "The number of persons cannot be negative: type the number "
                             "without a minus.");
    EXPECT_EQ(sb.shown().size(), 2);
}

TEST_F(BookingFormTest, SpinButtonsAndCalendarSetTimesAndDate)
{
    bookingform *f = open(100);
    f->bstart->setCaretPosition(0);
    f->bstart->spinUp();
    EXPECT_EQ(f->bstart->value(), 39600);
    f->bstart->setCaretPosition(3);
    f->bstart->spinDown();
    EXPECT_EQ(f->bstart->value(), 39540);
    f->Bdato->spinUp();
    EXPECT_EQ(f->Bdato->value(), 3);

    // The date box's drop-down button opens a calendar; a picked day becomes the date.
    emit f->Bdato->DropDown();
    auto *calendar = f->findChild<DateCalendar *>();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->value(), 3);
    calendar->pick(QDate(1900, 1, 11));
    EXPECT_EQ(f->Bdato->value(), 10);
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Bdato").toInt(), 10);
    EXPECT_EQ(bookingField(100, "bstart").toInt(), 659);
}

} // namespace

TEST_F(BookingFormTest, AFormLeftOpenFollowsAnotherBookingfileAndUser)
{
    bookingform *f = open(100);
    f->Beskrivelse->setPlainText("Board meeting, edited");

    // Another bookingfile is opened and Ben logs in, while the form stays open.
    const QString other = sb.newBookingfile("other.mdb");
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(other.toUtf8().constData(), &db), SQLITE_OK);
        const char *rows =
            "INSERT INTO Konti (ID, Kontonavn, Kontouser, Kontotype) VALUES "
            "(3, 'Ben Holm', 'ben', 'p');"
            "INSERT INTO grptilk (gnr, pnr) VALUES (3, 3);"
            "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, gebyr) VALUES "
            "(10, 'Hall', 1, 1, 50);"
            "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, "
            "Lokalenr, kontonr, curacname, bvpris) VALUES "
            "(100, 'Choir', 9, 480, 540, 1, 10, 3, 'Ben Holm', 1);";
        ASSERT_EQ(sqlite3_exec(db, rows, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    gDatabasePath = other;
    gUserNo = 3;
    gUserName = "Ben Holm";

    Forms::get<bookingform>()->ShowBooking(100);
    EXPECT_TRUE(sb.shown().isEmpty());
    // The edit went to the file it was made in; the form now shows the other file's booking.
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting, edited");
    EXPECT_EQ(f->Data1.DatabaseName(), other);
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Choir");
    EXPECT_EQ(f->Lokalenavn->text(), "Hall");
    EXPECT_EQ(accounts(f), QStringList({"Ben Holm"}));

    f->Beskrivelse->setPlainText("Choir practice");
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting, edited");
    file = other;
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Choir practice");
}

TEST_F(BookingFormTest, ABookingMissingFromAnotherBookingfileClosesTheForm)
{
    open(100);
    gDatabasePath = sb.newBookingfile("other.mdb");
    Forms::get<bookingform>()->ShowBooking(100);
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].title, "Service Message");
    // The form does not fall back on the first file's booking under the same number.
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
}

TEST_F(BookingFormTest, AFeeThatCannotBeReadIsToldOnceNotAtEveryActivation)
{
    const AnyLayout brokenOnPurpose;   // the test breaks the file's layout to make reads fail
    bookingform *f = open(100);   // a list price
    ASSERT_TRUE(sb.shown().isEmpty());
    exec("ALTER TABLE lokale RENAME TO lokale_gone");
    // Closing the message activates the form again: no endless round of messages.
    f->Form_Activate();
    f->Form_Activate();
    EXPECT_EQ(sb.shown().size(), 1);
    // Asking for a receipt tells it again, and prints nothing.
    f->Arrkvit_Click();
    EXPECT_EQ(sb.shown().size(), 2);
    exec("ALTER TABLE lokale_gone RENAME TO lokale");
    f->Form_Activate();
    EXPECT_EQ(f->Pris->text(), "100");
    exec("ALTER TABLE lokale RENAME TO lokale_gone");
    f->Form_Activate();
    EXPECT_EQ(sb.shown().size(), 3);
    exec("ALTER TABLE lokale_gone RENAME TO lokale");
}

namespace {

// A booking of an account named with 300 characters: the form keeps its size within a screen of
// 1,440 x 900 and its title box its width; the account box shows the name cut short.
TEST_F(BookingFormTest, AnAccountWithALongNameKeepsTheFormsLayout)
{
    const QString name = QString("Institution Department ").repeated(14).left(300);
    exec("INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (7, '" + name + "', 'p')");
    exec("INSERT INTO grptilk (gnr, pnr) VALUES (7, 2)");
    exec("UPDATE booking SET kontonr = 7, curacname = '" + name + "' WHERE Bookingnr = 100");
    bookingform *f = open(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(f->Kontonr->Text(), name);
    EXPECT_LE(f->frameGeometry().width(), 1440);
    EXPECT_LE(f->frameGeometry().height(), 900);
    EXPECT_LE(f->minimumSizeHint().width(), 1440);
    EXPECT_GE(f->Beskrivelse->width(), 250);
}

} // namespace
