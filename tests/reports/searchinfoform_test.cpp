#include "fixtures/sandbox.h"

#include "core/generalen.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/form.h"
#include "platform/controls/timeedit.h"
#include "reports/searchinfoform.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdexcept>

using namespace Generalen;

namespace {

class SearchinfoformTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        file = sb.newBookingfile("view.mdb");
        exec("INSERT INTO Konti (ID, Kontonavn, kontokontakt, Kontotlf, Kontotlfp, Kontotype) "
             "VALUES (2, 'Anna Berg', 'Anna B.', '86 12 34 61', '31 45 67 89', 'p'), "
             "(3, 'Ben Holm', 'Ben H.', '86 12 34 72', NULL, 'p');"
             "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart) VALUES "
             "(10, 'Room A', 1, 1), (20, 'Projector', 2, 2);"
             "INSERT INTO booking (Bookingnr, Beskrivelse, langbeskrivelse, Bdato, bstart, "
             "bslut, Lokalenr, kontonr, curacname) VALUES "
             "(100, 'Board meeting', 'Quarterly figures', 2, 600, 660, 10, 2, 'Anna Berg'),"
             "(101, 'Slides', NULL, 45000, 480, 540, 20, 3, 'Ben Holm');");
        resetState();
        gDatabasePath = file;
        gUserNo = 3;
        gDateFormatNr = 1;
        gDateFormat = "dd-mm-yyyy";
    }

    void TearDown() override
    {
        Forms::unloadAll();
        resetState();
    }

    void exec(const QString &sql)
    {
        sqlite3 *db = nullptr;
        if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
            throw std::runtime_error("cannot open the bookingfile");
        char *error = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK)
            throw std::runtime_error(message);
    }

    // The booking's row as text, to compare before and after.
    QString bookingRow(int nr)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM booking WHERE Bookingnr = ?", -1, &st, nullptr);
        sqlite3_bind_int(st, 1, nr);
        QStringList values;
        if (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
                values << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return values.join('|');
    }

    Sandbox sb;
    QString file;
};

TEST_F(SearchinfoformTest, ShowsTheBookingAndMovesToTheNextOneOpened)
{
    auto *f = Forms::get<Searchinfoform>();
    f->ShowBooking(100);
    EXPECT_EQ(f->windowTitle(), "Vantix  -  Booking Info");
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Board meeting");
    EXPECT_EQ(f->Lokalenavn->toPlainText(), "Room A");
    EXPECT_EQ(f->Bdato->text(), "03-01-1900");
    EXPECT_EQ(f->bstart->value(), 36000);
    EXPECT_EQ(f->bslut->value(), 39600);
    EXPECT_EQ(f->kontonavn->text(), "Anna Berg");
    EXPECT_EQ(f->Kontaktperson->text(), "Anna B.");
    EXPECT_EQ(f->Kontakttlf->text(), "86 12 34 61");
    EXPECT_EQ(f->Kontakttlfb->text(), "31 45 67 89");
    EXPECT_EQ(f->langbeskrivelse->toPlainText(), "Quarterly figures");
    EXPECT_EQ(f->Bookingnr->text(), "100");
    EXPECT_TRUE(f->Bookingnr->isHidden());

    // The lists open it by "bookingnr = n"; the one instance shows the second booking.
    Forms::get<Searchinfoform>()->ShowBooking("bookingnr = 101");
    EXPECT_EQ(Forms::get<Searchinfoform>(), f);
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Slides");
    EXPECT_EQ(f->kontonavn->text(), "Ben Holm");
    EXPECT_EQ(f->Kontakttlfb->text(), "");   // no private phone
    EXPECT_EQ(f->langbeskrivelse->toPlainText(), "");
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(SearchinfoformTest, ChangesNothing)
{
    const QString before = bookingRow(100);
    auto *f = Forms::get<Searchinfoform>();
    f->ShowBooking(100);
    EXPECT_TRUE(f->Data1.ReadOnly());
    EXPECT_TRUE(f->Beskrivelse->isReadOnly());
    EXPECT_TRUE(f->Lokalenavn->isReadOnly());
    EXPECT_TRUE(f->langbeskrivelse->isReadOnly());
    EXPECT_TRUE(f->kontonavn->isReadOnly());
    EXPECT_TRUE(f->Kontaktperson->isReadOnly());
    EXPECT_TRUE(f->Bdato->isReadOnly());
    EXPECT_TRUE(f->bstart->isReadOnly());
    EXPECT_TRUE(f->bslut->isReadOnly());

    // Typing is refused; changes made by code are never written, on a move or on close.
    QTest::keyClicks(f->Beskrivelse, "XYZ");
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Board meeting");
    f->Beskrivelse->setPlainText("Changed");
    f->bstart->setValue(43200);
    f->Bdato->setValue(9);
    f->ShowBooking(101);
    f->langbeskrivelse->setPlainText("Changed too");
    f->ShowBooking(100);
    f->bslut->setValue(50000);
    f->Luk_Click();
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(bookingRow(100), before);
    EXPECT_EQ(bookingRow(101).contains("Changed"), false);
}

TEST_F(SearchinfoformTest, ABookingNoLongerThereIsReported)
{
    auto *f = Forms::get<Searchinfoform>();
    f->ShowBooking(100);
    f->ShowBooking("bookingnr = 555");
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].title, "Service Message");
    // An open view stays on the booking it showed.
    ASSERT_TRUE(Forms::isLoaded<Searchinfoform>());
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Board meeting");
    f->Luk_Click();
    Forms::get<Searchinfoform>()->ShowBooking(555);
    EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
}

TEST_F(SearchinfoformTest, ABookingMadeAfterTheViewOpenedIsShown)
{
    auto *f = Forms::get<Searchinfoform>();
    f->ShowBooking(100);
    exec("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, kontonr, "
         "curacname) VALUES (102, 'Late booking', 3, 700, 760, 10, 3, 'Ben Holm');");
    f->ShowBooking(102);
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Late booking");
    // A number the file does not hold still leaves the view on the booking it showed.
    f->ShowBooking(555);
    EXPECT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Late booking");
}

TEST_F(SearchinfoformTest, AViewLeftOpenFollowsAnotherBookingfile)
{
    auto *f = Forms::get<Searchinfoform>();
    f->ShowBooking(100);
    file = sb.newBookingfile("other.mdb");
    exec("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, kontonr) "
         "VALUES (100, 'Choir', 9, 480, 540, 10, 3);");
    gDatabasePath = file;
    Forms::get<Searchinfoform>()->ShowBooking(100);
    EXPECT_TRUE(sb.shown().isEmpty());
    EXPECT_EQ(f->Data1.DatabaseName(), file);
    EXPECT_EQ(f->Beskrivelse->toPlainText(), "Choir");
}

TEST_F(SearchinfoformTest, EnterAndEscapeCloseTheView)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        auto *f = Forms::get<Searchinfoform>();
        f->ShowBooking(100);
        QTest::keyClick(f->Bdato, key);
        EXPECT_FALSE(Forms::isLoaded<Searchinfoform>()) << key;
    }
}

} // namespace
