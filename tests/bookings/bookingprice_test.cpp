#include "bookingfixture.h"

#include "bookings/bookingform.h"
#include "bookings/bookingprice.h"
#include "core/generalen.h"
#include "platform/controls/tabdialog.h"
#include "platform/controls/timeedit.h"
#include "platform/report/printcapture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <sqlite3.h>

using namespace Generalen;

namespace {

class BookingPriceTest : public BookingFileTest
{
protected:
    // Booking 100 (Room A, fee 100 an hour, list price) from start to end, in minutes.
    bookingform *openRoomA(int startMinutes, int endMinutes)
    {
        exec(QString("UPDATE booking SET bstart = %1, bslut = %2 WHERE Bookingnr = 100")
                 .arg(startMinutes)
                 .arg(endMinutes));
        auto *f = Forms::get<bookingform>();
        f->ShowBooking(100);
        return f;
    }
};

TEST_F(BookingPriceTest, ListPriceIsTheFeeTimesTheRoundedHours)
{
    struct Case
    {
        int start, end;   // minutes
        QString price;
    };
    const QList<Case> cases = {
        {600, 660, "100"},    // one hour
        {480, 570, "200"},    // 1.5 hours round to 2
        {480, 630, "200"},    // 2.5 hours round to 2, the even number
        {1380, 60, "200"},    // 23:00 to 01:00 ends on the next day
        {600, 615, "0"},      // a quarter of an hour rounds to none
    };
    for (const Case &c : cases) {
        bookingform *f = openRoomA(c.start, c.end);
        EXPECT_EQ(f->Pris->text(), c.price) << c.start << "-" << c.end;
        EXPECT_TRUE(f->ListpriceRes->isChecked());
        EXPECT_FALSE(f->Pris->isEnabled());
        EXPECT_EQ(f->taxbel->text(), "0");
        f->Unload();
    }
    // A fee with cents keeps them.
    exec("UPDATE lokale SET gebyr = 62.5 WHERE lokalenr = 10");
    bookingform *f = openRoomA(600, 660);
    EXPECT_EQ(f->Pris->text(), "62.5");
    EXPECT_EQ(f->intax->text(), "62.50");
}

TEST_F(BookingPriceTest, TheListPriceShownIsTheListPriceStored)
{
    // The row holds no price yet (a booking typed into the grid): the form's list price is
    // what the booking keeps, and what a receipt would print.
    bookingform *f = openRoomA(480, 600);
    EXPECT_EQ(f->Pris->text(), "200");
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Pris").toDouble(), 200.0);

    // New times give a new list price at once.
    f = openRoomA(480, 600);
    f->bslut->setValue(14 * 3600);
    EXPECT_EQ(f->Pris->text(), "600");
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Pris").toDouble(), 600.0);
    EXPECT_EQ(bookingField(100, "bslut").toInt(), 14 * 60);

    // The same when the form moves on from another list-priced booking: Room B, 80 an hour.
    f = openRoomA(480, 600);
    f->ShowBooking(102);
    EXPECT_EQ(f->Pris->text(), "80");
    f->Luk_Click();
    EXPECT_EQ(bookingField(102, "Pris").toDouble(), 80.0);
}

TEST_F(BookingPriceTest, TaxFollowsTheCheckBoxAndTheRate)
{
    struct Case
    {
        double rate;
        bool taxed;
        QString tax, total;
    };
    const QList<Case> cases = {
        {25, true, "50.00", "250.00"},
        {25, false, "0", "200.00"},
        {0, true, "0", "200.00"},
        {-5, true, "0", "200.00"},
        {12.5, true, "25.00", "225.00"},
    };
    for (const Case &c : cases) {
        gTaxPct = c.rate;
        bookingform *f = openRoomA(480, 600);
        if (f->TaxB->isChecked() != c.taxed)
            f->TaxB->click();   // as the user does
        EXPECT_EQ(f->taxbel->text(), c.tax) << c.rate << " " << c.taxed;
        EXPECT_EQ(f->intax->text(), c.total) << c.rate << " " << c.taxed;
        f->Luk_Click();
        EXPECT_EQ(bookingField(100, "tax").toInt(), c.taxed ? 1 : 0);
    }
}

TEST_F(BookingPriceTest, AgreedPriceIsTypedAndKept)
{
    gTaxPct = 25;
    exec("UPDATE booking SET tax = 1 WHERE Bookingnr = 100");
    bookingform *f = openRoomA(480, 600);
    EXPECT_EQ(f->taxbel->text(), "50.00");

    // Agreed keeps the last price and lets the user type another.
    f->aftres->click();
    EXPECT_TRUE(f->Pris->isEnabled());
    EXPECT_EQ(f->Pris->text(), "200");
    EXPECT_EQ(f->PRTyp->text(), "2");
    f->Pris->selectAll();
    QTest::keyClicks(f->Pris, "10000");
    EXPECT_EQ(f->taxbel->text(), "2,500.00");
    EXPECT_EQ(f->intax->text(), "12,500.00");

    // A price that is empty or not a number counts as nothing.
    for (const QString &text : {QString(), QString("abc"), QString("inf")}) {
        f->Pris->setText(text);
        EXPECT_EQ(f->taxbel->text(), "0.00") << text.toStdString();
        EXPECT_EQ(f->intax->text(), "0.00") << text.toStdString();
    }

    f->Pris->setText(" 150.40 ");
    EXPECT_EQ(f->taxbel->text(), "37.60");
    EXPECT_EQ(f->intax->text(), "188.00");
    // A decimal comma counts while it is typed, before the box is left.
    f->Pris->setText("150,40");
    EXPECT_EQ(f->taxbel->text(), "37.60");
    EXPECT_EQ(f->intax->text(), "188.00");
    f->faner->setTab(1);   // saves
    EXPECT_EQ(bookingField(100, "Pris").toDouble(), 150.4);
    EXPECT_EQ(bookingField(100, "bvpris").toInt(), 2);

    // Opened again, the agreed price stands whatever the hours.
    f->Luk_Click();
    f = openRoomA(480, 720);
    EXPECT_TRUE(f->aftres->isChecked());
    EXPECT_TRUE(f->Pris->isEnabled());
    EXPECT_EQ(f->Pris->text(), "150.4");

    // Back to the list price: computed again, the box locked.
    f->ListpriceRes->click();
    EXPECT_EQ(f->Pris->text(), "400");
    EXPECT_FALSE(f->Pris->isEnabled());
    EXPECT_EQ(f->intax->text(), "500.00");
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Pris").toDouble(), 400.0);
    EXPECT_EQ(bookingField(100, "bvpris").toInt(), 1);
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(BookingPriceTest, AnItemWithoutAFeeLeavesThePriceAsItIs)
{
    exec("UPDATE booking SET Pris = 75 WHERE Bookingnr = 100;"
         "UPDATE lokale SET gebyr = NULL WHERE lokalenr = 10");
    bookingform *f = openRoomA(480, 600);
    EXPECT_EQ(f->Pris->text(), "75");
    EXPECT_EQ(f->intax->text(), "75.00");
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(BookingPriceTest, ReceiptIsRefusedWithoutATitleOrAPrice)
{
    bookingform *f = openRoomA(480, 600);
    f->Beskrivelse->clear();
    f->Arrkvit->click();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "Bookingtitle cannot be empty!");
    EXPECT_EQ(sb.shown()[0].title, "");
    EXPECT_EQ(sb.shown()[0].style, MsgBox::OkOnly);
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting");   // not saved

    f->Beskrivelse->setPlainText("Board meeting, revised");
    f->aftres->click();
    for (const QString &text : {QString(), QString("about 200")}) {
        sb.clearShown();
        f->Pris->setText(text);
        f->Arrkvit->click();
        ASSERT_EQ(sb.shown().size(), 1) << text.toStdString();
        EXPECT_EQ(sb.lastText(), "The price is empty or not a number. Enter the price before "
                                 "printing the receipt.");
        EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting");
        EXPECT_EQ(bookingField(100, "bvpris").toInt(), 1);
    }
}

// The texts of the last receipt shown.
QStringList receiptTexts(const PrintCapture &capture)
{
    QStringList texts;
    if (capture.previews.isEmpty())
        return texts;
    for (const Page &page : capture.previews.last().pages())
        for (const PageItem &item : page.items)
            if (item.kind == PageItem::Text)
                texts << item.text;
    return texts;
}

TEST_F(BookingPriceTest, ReceiptOfASingleBookingAfterSaving)
{
    PrintCapture capture;
    gTaxPct = 25;
    bookingform *f = openRoomA(600, 720);   // 2 hours at 100, no price stored yet
    f->Beskrivelse->setPlainText("Board meeting, final");
    f->TaxB->click();
    f->Arrkvit->click();
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    ASSERT_EQ(capture.previews.size(), 1);
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting, final");
    EXPECT_EQ(bookingField(100, "tax").toInt(), 1);
    const QStringList texts = receiptTexts(capture);
    for (const char *text : {"Board meeting, final", "Room A", "Single", "200.00", "Tax 25%",
                             "50.00", "250.00", "Anna Berg"})
        EXPECT_TRUE(texts.contains(text)) << text;

    // Without tax.
    f->TaxB->click();
    f->Arrkvit->click();
    ASSERT_EQ(capture.previews.size(), 2);
    const QStringList untaxed = receiptTexts(capture);
    EXPECT_TRUE(untaxed.contains("No Tax"));
    EXPECT_EQ(untaxed.count("200.00"), 3);   // the fee, the sum and the total
}

TEST_F(BookingPriceTest, ReceiptOfASeriesMemberListsTheSeries)
{
    PrintCapture capture;
    gTaxPct = 25;
    exec("UPDATE booking SET Pris = 80, tax = 1, bvpris = 2 WHERE Bookingnr = 102;"
         "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, Lokalenr, "
         "kontonr, curacname, gennr, gentagende, Pris, bvpris) VALUES "
         "(103, 'Weekly yoga', 45014, 1020, 1080, 1, 11, 2, 'Anna Berg', 102, 1, 80, 2);");
    auto *f = Forms::get<bookingform>();
    f->ShowBooking(103);
    EXPECT_EQ(f->gentshow->text(), "Multi");
    EXPECT_FALSE(f->TaxB->isChecked());
    f->Pris->setText("90");
    f->Arrkvit->click();
    EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
    ASSERT_EQ(capture.previews.size(), 1);
    const QStringList texts = receiptTexts(capture);
    for (const char *text : {"102", "103", "80.00", "90.00", "170.00", "No Tax"})
        EXPECT_TRUE(texts.contains(text)) << text;
    EXPECT_FALSE(texts.contains("Single"));

    // The tax choice of the booking open in the form applies to the whole series.
    f->TaxB->click();
    f->Arrkvit->click();
    ASSERT_EQ(capture.previews.size(), 2);
    const QStringList taxed = receiptTexts(capture);
    for (const char *text : {"170.00", "Tax 25%", "42.50", "212.50"})
        EXPECT_TRUE(taxed.contains(text)) << text;
}

TEST_F(BookingPriceTest, OpeningReadsTheOneBookingOnly)
{
    auto *f = Forms::get<bookingform>();
    EXPECT_FALSE(f->Data1.isOpen());   // loading alone reads no booking
    f->ShowBooking(100);
    EXPECT_EQ(f->Data1.RecordSource(), "SELECT * FROM bookingfor WHERE Bookingnr = 100");
    ASSERT_NE(f->Data1.Recordset(), nullptr);
    EXPECT_EQ(f->Data1.Recordset()->RecordCount(), 1);
    EXPECT_TRUE(f->isVisible());

    // Moving on to another booking writes the change of the first.
    f->Beskrivelse->setPlainText("Board meeting, moved");
    f->ShowBooking(102);
    EXPECT_EQ(f->Bookingnr->text(), "102");
    EXPECT_EQ(f->Data1.Recordset()->RecordCount(), 1);
    EXPECT_EQ(bookingField(100, "Beskrivelse").toString(), "Board meeting, moved");

    // A booking that is gone leaves the form on the one it showed, still editable.
    f->ShowBooking(999);
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].title, "Service Message");
    EXPECT_EQ(f->Bookingnr->text(), "102");
    f->Bemærkninger->setPlainText("Mats on the floor");
    f->Luk_Click();
    EXPECT_EQ(bookingField(102, "Bemærkninger").toString(), "Mats on the floor");
}

TEST(BookingPriceArithmetic, AmountsAndTexts)
{
    using BookingPrice::amountOf;
    EXPECT_EQ(amountOf("200"), 200.0);
    EXPECT_EQ(amountOf(" -12.5 "), -12.5);
    EXPECT_FALSE(amountOf(""));
    EXPECT_FALSE(amountOf("  "));
    EXPECT_FALSE(amountOf("1,000"));
    EXPECT_FALSE(amountOf("nan"));
    EXPECT_EQ(BookingPrice::listPriceText(3, 33.3), "99.9");
    EXPECT_EQ(BookingPrice::listPriceText(2000, 1000), "2000000");
    EXPECT_EQ(BookingPrice::listPriceText(0, -5), "0");
    // The total adds the tax as shown: 0.125 shows as 0.13 or 0.12, and the total agrees.
    const auto t = BookingPrice::taxAndTotal(0.5, true, 25);
    EXPECT_NEAR(t.total.toDouble(), 0.5 + t.tax.toDouble(), 1e-9);
}

TEST_F(BookingPriceTest, AFormLeftOpenOnAnotherBookingfileTakesTheFeeFromItsOwnFile)
{
    bookingform *f = openRoomA(480, 540);
    EXPECT_EQ(f->Pris->text(), "100");
    // Another bookingfile is opened while the form stays open; its Room A costs 50 an hour.
    gDatabasePath = sb.newBookingfile("other.mdb");
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(gDatabasePath.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, "
                               "gebyr) VALUES (10, 'Room A', 1, 1, 50)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    f->bslut->setValue(39600);   // 08:00 to 11:00
    EXPECT_EQ(f->Pris->text(), "300");
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Pris").toDouble(), 300.0);
}

TEST_F(BookingPriceTest, AFormLeftOpenOnAnotherBookingfilePrintsItsOwnBookingsReceipt)
{
    PrintCapture capture;
    bookingform *f = openRoomA(600, 720);
    // Another bookingfile with a booking of the same number is opened; the form stays open.
    gDatabasePath = sb.newBookingfile("other.mdb");
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(gDatabasePath.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, "
                               "bslut, Lokalenr, Pris) VALUES (100, 'Choir', 9, 480, 540, 10, 7)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    f->Arrkvit->click();
    ASSERT_EQ(capture.previews.size(), 1);
    const QStringList texts = receiptTexts(capture);
    EXPECT_TRUE(texts.contains("Board meeting")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.contains("Choir"));
}

// An agreed price is typed with a decimal point or a comma and stored as that number; a minus
// or a letter is refused with a message, never dropped without a word.
TEST_F(BookingPriceTest, AnAgreedPriceIsTheNumberTypedAndAMinusIsRefused)
{
    gTaxPct = 25;
    exec("UPDATE booking SET tax = 1 WHERE Bookingnr = 100");
    bookingform *f = openRoomA(480, 540);
    f->aftres->click();
    f->Pris->selectAll();
    QTest::keyClicks(f->Pris, "-");
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "Fee cannot be negative: type the number without a minus.");
    f->Pris->selectAll();
    QTest::keyClicks(f->Pris, "1234,5x");
    EXPECT_EQ(sb.lastText(), "Fee must be a number, such as 1250.50 or 1250,50, without "
                             "thousands separators.");
    EXPECT_EQ(f->Pris->text(), "1234,5");
    QTest::keyClick(f->Pris, Qt::Key_0);
    QTest::keyClick(f->Pris, Qt::Key_Return);   // Enter takes the number
    EXPECT_EQ(sb.shown().size(), 2);
    EXPECT_EQ(f->Pris->text(), "1234.5");
    EXPECT_EQ(f->taxbel->text(), "308.63");
    f->Luk_Click();
    EXPECT_EQ(bookingField(100, "Pris").toDouble(), 1234.5);
}

TEST_F(BookingPriceTest, TheAccountsDataLooksAsLockedAsItIs)
{
    bookingform *f = openRoomA(480, 540);
    const QList<QLineEdit *> boxes = f->findChildren<QLineEdit *>();
    int locked = 0;
    for (QLineEdit *box : boxes) {
        if (!box->isReadOnly())
            continue;
        ++locked;
        EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Base),
                  box->palette().color(QPalette::Active, QPalette::Window))
            << box->objectName().toStdString();
    }
    EXPECT_GE(locked, 15);   // the account data and the booking's own numbers
    f->Luk_Click();
}

} // namespace
