// Every list and report prints its widest realistic values whole, and its dates in the
// settings' date form on a desktop of any language and region.
#include "reportfixture.h"

#include "admin/unavailablelist.h"
#include "bookings/tentbookings.h"
#include "core/generalen.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "reports/archiveperioddialogs.h"
#include "reports/archivereports.h"
#include "reports/datobookingperiode.h"
#include "reports/enkeltkvitto.h"
#include "reports/gudloebover.h"
#include "reports/kontoudskrift.h"
#include "reports/multikvitto.h"
#include "reports/myboo.h"
#include "reports/overview.h"
#include "reports/reslistadd.h"
#include "reports/reslistdom.h"
#include "reports/reslistsa.h"
#include "reports/todays.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <functional>

using namespace Generalen;

namespace {

constexpr int kToday = 46364;   // 2026-12-10, the fixture's clock

const QString kPhone = "+45 86 12 34 72";
const QString kTitle = "Generalforsamling i Kulturforeningen 2026";   // 40 characters
const QString kAccount = "Kulturforeningen Østjylland af 1987 ApS";
const QString kContact = "Marie-Louise Kristensen-Bach";
const QString kMail = "marie-louise.kristensen@kulturforening.dk";
const QString kPassword = "Hemmelig1Hemmelig2Hemmelig3";
const QString kRoom = "Store Mødesal, Kulturhusets 2. sal";
const QString kEquipment = "Projektor Epson EB-L1755U med linse";

// One account with the widest values, a room and a piece of equipment with theirs, and one
// booking of each kind that the lists and reports print: a tentative series member today, its
// head and an archived booking last month.
void addWidestValues(const ReportFixture &f)
{
    f.exec({"INSERT INTO Konti (ID, Kontonavn, kontokontakt, Kontoadresse, Kontopnr, Kontoby, "
            "Kontotlf, kontomail, Kontouser, KontoPass, Kontotype, admin) VALUES (2, '"
                + kAccount + "', '" + kContact + "', 'Skt. Clemens Torv 17, 3. th.', '8000', "
                "'Aarhus C', '" + kPhone + "', '" + kMail + "', 'marielouise', '" + kPassword
                + "', 'p', 1)",
            "INSERT INTO grptilk (gnr, pnr) VALUES (2, 2)",
            "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) VALUES "
            "(1, 'Kulturhuset, Mødelokaler og Sale', 1), (2, 'AV-udstyr til udlån', 3)",
            "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr) VALUES "
            "(1, 'Mødelokaler med projektor', 1), (2, 'Projektorer og lærreder', 2)",
            "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, maxprs, gebyr, "
            "lokbeskrivelse, Lokfastinv, inaktiv, inakstart, inakslut) VALUES (1, '" + kRoom
                + "', 1, 1, 120, 1234.5, 'Lys sal mod haven med udgang til terrassen', "
                "'Flygel, lærred og lydanlæg', 1, 46370, 46380)",
            "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, gebyr, lokfabrikat, "
            "lokmodel, loksernr, lokårgang, Leverandør, Garantislut, levphone, nextservice) "
            "VALUES (2, '" + kEquipment + "', 2, 3, 250, 'Epson', 'EB-L1755U', "
            "'X5KF2300154-DK', 2024, 'Dansk AV-Teknik ApS', '2025-02-12', '" + kPhone
                + "', '2027-03-01')"});
    // Number, day, item, type, tentative, series number (0: none), table.
    auto book = [&f](int nr, int day, int item, bool tentative, int series,
                     const QString &table = "booking") {
        const QString seriesValues = series ? QString("%1, 1").arg(series) : "NULL, 0";
        f.exec({QString("INSERT INTO %1 (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, "
                        "Bgruppe, kontonr, Antalpers, Pris, gennr, gentagende%2) VALUES (%3, "
                        "'%4', %5, 600, 1005, %6, %6, 2, 120, 12345.5, %7%8)")
                    .arg(table, table == "booking" ? ", Tentative" : "")
                    .arg(nr).arg(kTitle).arg(day).arg(item).arg(seriesValues)
                    .arg(table == "booking" ? (tentative ? ", 1" : ", 0") : "")});
    };
    book(100, kToday, 1, true, 100);
    book(101, kToday + 7, 1, false, 100);
    book(102, kToday, 2, false, 0);
    book(90, kToday - 30, 1, false, 0, "bookingarkiv");
}

struct PrintCase
{
    const char *name;
    std::function<void()> print;
    QStringList whole;   // texts that stand whole on the pages
};

void PrintTo(const PrintCase &c, std::ostream *os) { *os << c.name; }

class PrintedTextsTest : public ::testing::TestWithParam<PrintCase>
{
protected:
    void SetUp() override
    {
        addWidestValues(f);
        gDateFormat = "dd-mm-yyyy";
        gUserNo = 2;
        gUserName = kAccount;
        gIsAdmin = true;
        gInstName = "Kulturhuset Østjylland";
        gInstCity = "Aarhus C";
    }
    void TearDown() override
    {
        Forms::unloadAll();
        QLocale::setDefault(QLocale::system());
        resetState();
    }
    // The pages of one print on a desktop of the given locale.
    PageModel printUnder(const QLocale &desktop)
    {
        QLocale::setDefault(desktop);
        f.capture.previews.clear();
        GetParam().print();
        Forms::unloadAll();
        if (f.capture.previews.size() != 1) {
            ADD_FAILURE() << "previews shown: " << f.capture.previews.size();
            return {};
        }
        return f.capture.previews.first();
    }

    ReportFixture f;
};

TEST_P(PrintedTextsTest, EveryTextIsWholeAndTheDatesFollowTheSettingsUnderAnyLocale)
{
    const PageModel us = printUnder(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(cutTexts(us), QStringList());
    const QStringList texts = us.texts();
    for (const QString &text : GetParam().whole)
        EXPECT_TRUE(texts.contains(text))
            << text.toStdString() << " in " << texts.join(" | ").toStdString();
    const PageModel danish = printUnder(QLocale(QLocale::Danish, QLocale::Denmark));
    EXPECT_EQ(danish.texts(), texts);
}

INSTANTIATE_TEST_SUITE_P(
    ListsAndReports, PrintedTextsTest,
    ::testing::Values(
        PrintCase{"MyBookings", [] { Forms::get<myboo>()->Printbutton_Click(); },
                  {kTitle, kRoom, kAccount, "10-12-2026", "10:00", "16:45"}},
        PrintCase{"TodaysBookings", [] { Forms::get<Todays>()->Printbutton_Click(); },
                  {kRoom, kAccount, kPhone, "Bookings on 10-12-2026"}},
        PrintCase{"ExpiringSeries", [] { Forms::get<gudløbover>()->Printbutton_Click(); },
                  {kTitle, kRoom, kAccount, kPhone, "17-12-2026"}},
        PrintCase{"TentativeBookings",
                  [] { Forms::get<TentBookings>()->Printbutton_Click(); },
                  {kRoom, kAccount, kPhone, "10-12-2026"}},
        PrintCase{"UnavailableResources",
                  [] { Forms::get<UnavailableList>()->Printbutton_Click(); },
                  {kRoom, "Mødelokaler med projektor", "16-12-2026", "26-12-2026"}},
        PrintCase{"BookingOverview", [] { Forms::get<datobookingperiode>()->uds_Click(); },
                  {kTitle, kRoom, kAccount, kPhone, "Thursday", "10-12-2026",
                   "10-12-2026 / 17-12-2026"}},
        PrintCase{"PeriodTotals", [] { Forms::get<datoarkivperiodeht>()->Kommandoknap22_Click(); },
                  {kRoom, "Period: 10-12-2025  -  10-12-2026", "12,345.50"}},
        PrintCase{"PeriodDetails",
                  [] {
                      auto *dialog = Forms::get<datoarkivperiodeAC>();
                      dialog->knr->setBoundText(2);
                      dialog->Kommandoknap22_Click();
                  },
                  {kRoom, kAccount}},
        PrintCase{"DomesticResources", [] { Reports::get<ResListDom>()->Show(); },
                  {kRoom, "1234.50", "Flygel, lærred og lydanlæg"}},
        PrintCase{"StandAloneResources", [] { Reports::get<ResListSA>()->Show(); },
                  {kEquipment, "250.00", "X5KF2300154-DK", "Dansk AV-Teknik ApS", kPhone,
                   "12-02-2025", "01-03-2027"}},
        PrintCase{"AccountList", [] { Reports::get<kontoudskrift>()->Show(); },
                  {kAccount, kContact, kPhone, kMail, "marielouise", kPassword, "Password"}},
        PrintCase{"SingleReceipt",
                  [] {
                      auto *r = Reports::get<enkeltkvitto>();
                      r->setBookingnr("102");
                      r->Show();
                  },
                  {kTitle, kAccount, kContact, kPhone, kMail, kEquipment, "10-12-2026",
                   "12345.50"}},
        PrintCase{"SeriesReceipt",
                  [] {
                      auto *r = Reports::get<multikvitto>();
                      r->setGennr("100");
                      r->Show();
                  },
                  {kTitle, kAccount, kContact, kPhone, kMail, kRoom, "10-12-2026",
                   "17-12-2026"}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
