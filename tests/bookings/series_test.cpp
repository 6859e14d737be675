#include "bookingfixture.h"

#include "bookings/bookingform.h"
#include "bookings/fastgen.h"
#include "bookings/sletgentagendeform.h"
#include "bookings/slettil.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Generalen;

namespace {

constexpr int kToday = 45000;

// A weekly series of five bookings of Room B, 400 to 404 (head 400), from today on.
class SeriesTest : public BookingFileTest
{
protected:
    void SetUp() override
    {
        BookingFileTest::SetUp();
        sb.setNow(QDateTime(Extrafunktioner::DayNumberToDate(kToday), QTime(9, 0)));
        SetUpSeries();
        form = Forms::get<bookingform>();
    }
    void SetUpSeries()
    {
        for (int i = 0; i < 5; ++i)
            exec(QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                         "Bgruppe, Lokalenr, kontonr, curacname, gennr, gentagende, Bcolor, "
                         "bvpris, Pris) VALUES (%1, 'Yoga', %2, 1020, 1080, 1, 11, 2, "
                         "'Anna Berg', 400, 1, 16711680, 2, 50)")
                     .arg(400 + i)
                     .arg(kToday + 7 * i));
    }
    QList<qlonglong> series()
    {
        return sqlNumbers(file, "SELECT Bookingnr FROM booking WHERE gennr = 400 ORDER BY 1");
    }
    sletgentagendeform *deleteForm(int bookingnr)
    {
        form = Forms::get<bookingform>();
        form->ShowBooking(bookingnr);
        form->genkn_Click();
        EXPECT_TRUE(Forms::isLoaded<slettil>());
        Forms::get<slettil>()->delete_Click();
        EXPECT_FALSE(Forms::isLoaded<slettil>());
        return Forms::get<sletgentagendeform>();
    }

    bookingform *form = nullptr;
};

TEST_F(SeriesTest, UpdateCopiesTheOpenMemberToTheOthers)
{
    form->ShowBooking(402);
    form->Beskrivelse->setPlainText("Evening yoga");   // not saved
    form->bstart->setValue(66600);                     // 18:30
    form->bslut->setValue(70230);                      // 19:30:30, a tie rounds to even
    form->Kontonr->setBoundText(5);
    form->Kontonr_AccountChange();
    form->TaxB->setChecked(true);
    form->Tentative->setChecked(true);
    sb.answer(MsgBox::Ok);
    form->updgen_Click();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(),
              "Corresponding repeated bookings are now updated to match the current Booking !");
    EXPECT_EQ(sb.shown().last().title, "Update of repeated Booking");
    for (int n : {400, 401, 403, 404}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(bookingField(n, "Beskrivelse").toString(), "Evening yoga");
        EXPECT_EQ(bookingField(n, "bstart").toInt(), 1110);
        EXPECT_EQ(bookingField(n, "bslut").toInt(), 1170);
        EXPECT_EQ(bookingField(n, "kontonr").toInt(), 5);
        EXPECT_EQ(bookingField(n, "curacname").toString(), "Summer Project");
        EXPECT_EQ(bookingField(n, "tax").toInt(), 1);
        EXPECT_EQ(bookingField(n, "Tentative").toInt(), 1);
        EXPECT_EQ(bookingField(n, "bvpris").toInt(), 2);
        EXPECT_EQ(bookingField(n, "Bdato").toInt(), kToday + 7 * (n - 400));
        EXPECT_EQ(bookingField(n, "Lokalenr").toInt(), 11);
        EXPECT_EQ(bookingField(n, "Bcolor").toInt(), 16711680);
    }
    // The open booking is saved by the form itself, not by the update.
    EXPECT_EQ(bookingField(402, "Beskrivelse").toString(), "Yoga");
}

// Under list price a member moved to Room A (100 an hour) keeps Room A's price; those of Room B
// (80 an hour) take Room B's.
TEST_F(SeriesTest, UnderListPriceEachMemberIsPricedByItsOwnItem)
{
    exec("UPDATE booking SET Lokalenr = 10 WHERE Bookingnr = 403");
    form->ShowBooking(402);
    form->ListpriceRes->click();
    EXPECT_EQ(form->Pris->text(), "80");
    sb.answer(MsgBox::Ok);
    form->updgen_Click();
    for (int n : {400, 401, 404})
        EXPECT_DOUBLE_EQ(bookingField(n, "Pris").toDouble(), 80.0) << n;
    EXPECT_DOUBLE_EQ(bookingField(403, "Pris").toDouble(), 100.0);
    EXPECT_EQ(bookingField(403, "bvpris").toInt(), 1);
}

TEST_F(SeriesTest, UpdateIsRefusedOrCancelledWithoutAChange)
{
    form->ShowBooking(100);   // a single booking
    form->updgen_Click();
    EXPECT_EQ(sb.lastText(), "This is not a repeated booking !");
    EXPECT_EQ(sb.shown().last().title, "");

    form->ShowBooking(401);
    form->Beskrivelse->setPlainText("Changed");
    sb.answer(MsgBox::Cancel);
    form->updgen_Click();
    EXPECT_EQ(bookingField(400, "Beskrivelse").toString(), "Yoga");

    // An empty account is never written to every member.
    form->Kontonr->setBoundText(QVariant());
    sb.answer(MsgBox::Ok);
    form->updgen_Click();
    EXPECT_TRUE(sb.lastText().contains("account"));
    EXPECT_EQ(bookingField(400, "kontonr").toInt(), 2);
    EXPECT_EQ(bookingField(400, "Beskrivelse").toString(), "Yoga");
}

TEST_F(SeriesTest, TheChooserOffersAddDeleteAndExit)
{
    form->ShowBooking(401);
    form->genkn_Click();
    EXPECT_FALSE(Forms::isLoaded<fastgen>());
    slettil *c = Forms::get<slettil>();
    EXPECT_EQ(c->windowTitle(), "Add or Delete?");
    EXPECT_EQ(c->Label1->text(),
              "This is a repeating booking. Do you wish to add or delete bookings?");
    EXPECT_EQ(c->Add->text(), "Add");
    EXPECT_EQ(c->delete_->text(), "Delete");
    EXPECT_EQ(c->exit->text(), "Exit");
    c->exit_Click();
    EXPECT_FALSE(Forms::isLoaded<slettil>());

    form->genkn_Click();
    form->Luk_Click();   // the chooser closes with the booking form
    EXPECT_FALSE(Forms::isLoaded<slettil>());

    // So does the delete form: it never deletes for a booking the form no longer shows.
    deleteForm(401);
    form->Luk_Click();
    EXPECT_FALSE(Forms::isLoaded<sletgentagendeform>());
    EXPECT_EQ(series().size(), 5);
}

TEST_F(SeriesTest, DeleteWindowsTakeTheirMembers)
{
    struct Case { const char *what; QRadioButton *sletgentagendeform::*option; int member;
                  int untilDay; QList<qlonglong> left; };
    const Case cases[] = {
        {"this and rest", &sletgentagendeform::optrest, 402, 0, {400, 401}},
        {"all", &sletgentagendeform::optall, 402, 0, {}},
        {"this and until", &sletgentagendeform::optuntil, 401, kToday + 14, {400, 403, 404}},
        {"until before the booking", &sletgentagendeform::optuntil, 402, kToday,
         {400, 401, 403, 404}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sletgentagendeform *d = deleteForm(c.member);
        EXPECT_EQ(d->windowTitle(), "Delete Bookings");
        EXPECT_TRUE(d->optall->isChecked());
        EXPECT_TRUE(d->slcoy->isHidden());
        (d->*c.option)->setChecked(true);
        if (c.option == &sletgentagendeform::optuntil) {
            d->optuntil_Click();
            EXPECT_FALSE(d->slcoy->isHidden());
            EXPECT_EQ(d->slcoy->value(), kToday + 7 * (c.member - 400) + 31);
            d->slcoy->pick(Extrafunktioner::DayNumberToDate(c.untilDay));
        }
        sb.clearShown();
        d->Knap12_Click();
        ASSERT_FALSE(sb.shown().isEmpty());
        EXPECT_EQ(sb.shown().first().text, "Confirm Delete! ");
        EXPECT_EQ(sb.shown().first().title, "Delete Info");
        EXPECT_EQ(sb.shown().first().style,
                  MsgBox::OkCancel | MsgBox::Exclamation | MsgBox::DefaultButton2);
        EXPECT_EQ(series(), c.left);
        EXPECT_FALSE(Forms::isLoaded<sletgentagendeform>());
        EXPECT_FALSE(Forms::isLoaded<bookingform>());
        // Put the series back for the next case.
        Forms::unloadAll();
        exec("DELETE FROM booking WHERE gennr = 400");
        SetUpSeries();
    }
}

TEST_F(SeriesTest, CancelAndEmptyWindowsDeleteNothing)
{
    sletgentagendeform *d = deleteForm(402);
    sb.answer(MsgBox::Cancel);
    d->Knap12_Click();
    EXPECT_EQ(series().size(), 5);
    EXPECT_TRUE(Forms::isLoaded<sletgentagendeform>());
    EXPECT_TRUE(Forms::isLoaded<bookingform>());

    // Members more than a year away are outside every window: told, both forms stay.
    exec(QString("UPDATE booking SET Bdato = Bdato + 800 WHERE gennr = 400"));
    d->Knap12_Click();
    EXPECT_TRUE(sb.lastText().contains("nothing was deleted"));
    EXPECT_EQ(series().size(), 5);
    EXPECT_TRUE(Forms::isLoaded<sletgentagendeform>());
}

TEST_F(SeriesTest, ADeletedBookingIsNotWrittenBackByItsForm)
{
    sletgentagendeform *d = deleteForm(402);
    form->Beskrivelse->setPlainText("Edited, then deleted");
    d->optrest->setChecked(true);
    d->Knap12_Click();
    EXPECT_FALSE(Forms::isLoaded<bookingform>());
    EXPECT_TRUE(bookingField(402, "Bookingnr").isNull());
    EXPECT_EQ(series(), QList<qlonglong>({400, 401}));
}

TEST_F(SeriesTest, AMemberWithoutSeriesNumberDeletesNothing)
{
    exec("UPDATE booking SET gennr = NULL WHERE Bookingnr = 402");
    sletgentagendeform *d = deleteForm(402);
    d->Knap12_Click();
    EXPECT_TRUE(sb.lastText().contains("no series number"));
    EXPECT_EQ(sqlValue(file, "SELECT Count(*) FROM booking").toInt(), 8);
}

} // namespace
