// The single and the multiple receipt: their rows, their footer arithmetic and their refusals.
#include "reportfixture.h"

#include "core/generalen.h"
#include "reports/enkeltkvitto.h"
#include "reports/multikvitto.h"

#include <gtest/gtest.h>

namespace {

// An account, an item without a homebase, and a series of three bookings of 100 each
// (10, 11, 12 with series number 10) on 2026-12-14, -15 and -16 from 8:00 to 10:30.
void addSeries(const ReportFixture &f)
{
    f.exec({"INSERT INTO Konti (ID, Kontonavn, kontokontakt, Kontoadresse, Kontopnr, Kontoby, "
            "Kontotlf, kontomail, Kontotype) VALUES (2, 'Nordhus A/S', 'Åse Holm', "
            "'Havnegade 4', '8000', 'Aarhus', '86 12 34 56', 'ase@nordhus.dk', 'g')",
            "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) "
            "VALUES (1, 'Meeting rooms', 1)",
            "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr) "
            "VALUES (1, 'Small rooms', 1)",
            "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, gebyr, ID) "
            "VALUES (7, 'Fjord Room', 1, 40, NULL)"});
    for (int i = 0; i < 3; ++i) {
        f.exec({QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bemærkninger, Bdato, bstart, "
                        "bslut, Lokalenr, kontonr, Pris, tax, gennr, gentagende) VALUES "
                        "(%1, 'Board meeting', 'Coffee at 9', %2, 480, 630, 7, 2, 100, 1, 10, 1)")
                    .arg(10 + i)
                    .arg(46368 + i)});
    }
}

} // namespace

TEST(Receipts, SeriesFooterSumsTheSeriesAndAddsTaxByTheCheckBox)
{
    ReportFixture f;
    addSeries(f);
    Generalen::gTaxPct = 25;
    multikvitto *receipt = Reports::get<multikvitto>();
    struct Case { bool tax; QStringList footer; };
    const Case cases[] = {{true, {"300.00", "Tax 25%", "75.00", "375.00"}},
                          {false, {"300.00", "No Tax", "0.00", "300.00"}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tax);
        f.capture.previews.clear();
        receipt->setGennr("10");
        receipt->taxbool->setValue(c.tax);
        receipt->Show();
        const QStringList texts = f.shownTexts();
        EXPECT_EQ(receipt->txtPris->text(), c.footer.at(0));
        EXPECT_EQ(receipt->Taxtex->text(), c.footer.at(1));
        EXPECT_EQ(receipt->taxbel->text(), c.footer.at(2));
        EXPECT_EQ(receipt->total->text(), c.footer.at(3));
        for (const QString &text : c.footer)
            EXPECT_TRUE(texts.contains(text)) << text.toStdString();
        // Every booking of the series, with its item, date, times and fee.
        for (const char *nr : {"10", "11", "12"})
            EXPECT_TRUE(texts.contains(nr)) << nr;
        EXPECT_EQ(texts.count("Fjord Room"), 3);
        EXPECT_EQ(texts.count("100.00"), 3);
        EXPECT_EQ(texts.count("8:00"), 3);
        EXPECT_EQ(texts.count("10:30"), 3);
        EXPECT_EQ(receipt->SubReport1->report(), nullptr);   // the logo is released
    }
}

TEST(Receipts, SingleReceiptOfABookingWhoseItemHasNoHomebase)
{
    ReportFixture f;
    addSeries(f);
    Generalen::gInstName = "Vantix Conference Centre";
    enkeltkvitto *receipt = Reports::get<enkeltkvitto>();
    receipt->setBookingnr("11");
    receipt->taxbool->setValue(false);
    receipt->Show();
    const QStringList texts = f.shownTexts();
    for (const char *text : {" Booking Reciept", "December 10, 2026", "Board meeting",
                             "Ressource:", "Fjord Room", "No.:", "7", "Type:", "Single",
                             "Ordered by:", "Nordhus A/S", "Åse Holm", "Havnegade 4",
                             "8000 Aarhus", "86 12 34 56", "ase@nordhus.dk", "Booking No.",
                             "11", "8:00", "10:30", "Coffee at 9", "100.00", "No Tax",
                             "Signature :__________________________________"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_FALSE(texts.contains("10"));
    EXPECT_EQ(receipt->CInfo1->text(), "Vantix Conference Centre, ,  ");
}

TEST(Receipts, RefusesAPriceThatIsNoNumberAndANumberTextThatIsNone)
{
    ReportFixture f;
    addSeries(f);
    f.exec({"UPDATE booking SET Pris = NULL WHERE Bookingnr = 11",
            "UPDATE booking SET Pris = 'abc' WHERE Bookingnr = 12"});
    enkeltkvitto *single = Reports::get<enkeltkvitto>();
    multikvitto *series = Reports::get<multikvitto>();
    struct Case { Receipt *receipt; QString number; QString message; };
    const Case cases[] = {
        {single, "11", "The price of booking 11 is empty or not a number. Enter the price in "
                       "the booking form before printing the receipt."},
        {single, "12", "The price of booking 12 is empty or not a number. Enter the price in "
                       "the booking form before printing the receipt."},
        {series, "10", "The price of booking 11 is empty or not a number. Enter the price in "
                       "the booking form before printing the receipt."},
        {single, "", "The receipt cannot be printed: \"\" is not a booking number."},
        {single, "11 OR 1=1", "The receipt cannot be printed: \"11 OR 1=1\" is not a booking "
                              "number."},
        {series, "x", "The receipt cannot be printed: \"x\" is not a series number."}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        f.sandbox.clearShown();
        if (c.receipt == single)
            single->setBookingnr(c.number);
        else
            series->setGennr(c.number);
        c.receipt->Show();
        EXPECT_TRUE(f.capture.previews.isEmpty());
        ASSERT_EQ(f.sandbox.shown().size(), 1);
        EXPECT_EQ(f.sandbox.shown().first().text, c.message);
        EXPECT_EQ(f.sandbox.shown().first().title, "Receipt");
    }
    // The sum still counts what is a number: 100 of booking 10, nothing for the others.
    EXPECT_EQ(series->txtPris->text(), "100.00");
}

TEST(Receipts, ABookingWithoutAccountPrintsTheFrameWithNothingOfTheReceiptBefore)
{
    ReportFixture f;
    addSeries(f);
    enkeltkvitto *receipt = Reports::get<enkeltkvitto>();
    receipt->setBookingnr("10");
    receipt->run();
    f.exec({"UPDATE booking SET kontonr = 99 WHERE Bookingnr = 11"});
    receipt->setBookingnr("11");
    receipt->taxbool->setValue(false);
    receipt->Show();
    const QStringList texts = f.shownTexts();
    EXPECT_TRUE(texts.contains(" Booking Reciept"));
    EXPECT_FALSE(texts.contains("Board meeting"));
    EXPECT_FALSE(texts.contains("Nordhus A/S"));
    EXPECT_FALSE(texts.contains("Fjord Room"));
    EXPECT_EQ(receipt->txtPris->text(), "0.00");
    EXPECT_EQ(receipt->total->text(), "0.00");
}
