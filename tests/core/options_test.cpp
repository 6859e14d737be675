#include "fixtures/sandbox.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/options.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "platform/controls/maskededit.h"
#include "platform/controls/tabdialog.h"
#include "platform/db/database.h"

#include <QCheckBox>
#include <QLineEdit>

#include <QTest>

#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;

namespace {

const QDate kWednesday(2026, 12, 9);

// Picks the row showing this text, as the user does.
void pick(DBList *combo, const QString &shown)
{
    for (int i = 0; i < combo->ListCount(); ++i) {
        if (combo->List(i) == shown) {
            combo->setListIndex(i);
            return;
        }
    }
    FAIL() << "no row " << shown.toStdString();
}

QString storedRow(const QString &file, const QString &fields)
{
    return sqlValue(file, "SELECT " + fields + " FROM institutionsoplysninger").toString();
}

// Another copy of the program writing to the bookingfile, for as long as it lives; the
// database engine gives up waiting for it after a moment.
class WriteLock
{
public:
    explicit WriteLock(const QString &file) : m_wait(Dao::Database::busyTimeout())
    {
        Dao::Database::setBusyTimeout(50);
        sqlite3_open(file.toUtf8().constData(), &m_db);
        m_locked = sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~WriteLock()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        Dao::Database::setBusyTimeout(m_wait);
    }
    bool locked() const { return m_locked; }

private:
    sqlite3 *m_db = nullptr;
    bool m_locked = false;
    int m_wait;
};

class OptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        sandbox.setNow(QDateTime(kWednesday, QTime(10, 0)));
        file = sandbox.newBookingfile("booking.mdb");
        gDatabasePath = file;
        ASSERT_TRUE(start::LoadSettings());
        gCurrentDay = DateToDayNumber(kWednesday);
        gWeekStartDay = DateToDayNumber(QDate(2026, 12, 7));   // the week view shows Monday on
    }
    void TearDown() override
    {
        if (Forms::isLoaded<Options>()) {
            Forms::get<Options>()->Taxtext->setText("0");
            Forms::unload<Options>();
        }
        resetState();
    }

    Options *open()
    {
        Options *f = Forms::get<Options>();
        f->Show(Form::Modal);
        return f;
    }

    Sandbox sandbox;
    QString file;
};

// Values of the row that the settings load replaced show as the values in use, and Ok stores
// those.
TEST_F(OptionsTest, ValuesOutOfRangeShowAsTheDefaultsInUseAndOkStoresThem)
{
    execSql(file, "UPDATE institutionsoplysninger SET arCdEl = -2, taxpct = 150, Timeunits = 7, "
                  "dateformatstr1 = 'yyyy', FirstDay = 'x'");
    ASSERT_TRUE(start::LoadSettings());
    Options *f = open();
    EXPECT_EQ(f->ArcDelCombo->Text(), "3");
    EXPECT_EQ(f->Taxtext->text(), "25");
    EXPECT_EQ(f->Timeunits->Text(), "15 minutes");
    EXPECT_EQ(f->DFS1->text(), "dd-mm-yyyy");
    EXPECT_EQ(f->FD->text(), "1");
    EXPECT_EQ(f->DelDelCombo->BoundText().toInt(), 548);   // in range: as stored
    EXPECT_DOUBLE_EQ(gTaxPct, 25);
    EXPECT_EQ(gTimeUnits, 15);
    f->ok_Click();
    EXPECT_FALSE(Forms::isLoaded<Options>());
    EXPECT_EQ(storedRow(file, "arCdEl || '|' || taxpct || '|' || Timeunits || '|' || "
                              "dateformatstr1 || '|' || FirstDay"),
              "3|25.0|15|dd-mm-yyyy|1");
    EXPECT_TRUE(sandbox.shown().isEmpty());
}

TEST_F(OptionsTest, MonthFirstDatesGoWithSundayWeeksAndDayFirstWithMondayWeeks)
{
    Options *f = open();
    EXPECT_EQ(f->windowTitle(), "Vantix - Options");
    EXPECT_EQ(f->DateFormat->Text(), "Day first (dd-mm-yyyy)");
    // Filling the combos from the row is no choice: the week stays where it was.
    EXPECT_EQ(gWeekStartDay, DateToDayNumber(QDate(2026, 12, 7)));
    EXPECT_EQ(gFirstDay, "1");

    pick(f->DateFormat, "Month first (mm/dd/yyyy)");
    EXPECT_EQ(gWeekStartDay, DateToDayNumber(QDate(2026, 12, 6)));   // the Sunday before
    EXPECT_EQ(gFirstDay, "0");
    EXPECT_EQ(gDateFormatNr, 0);
    EXPECT_EQ(gDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(gDateFormat2, "D m/N/y");
    EXPECT_EQ(f->DFS1->text(), "mm/dd/yyyy");
    EXPECT_EQ(f->DFS2->text(), "D m/N/y");
    EXPECT_EQ(f->FD->text(), "0");
    f->ok_Click();
    EXPECT_FALSE(Forms::isLoaded<Options>());
    EXPECT_EQ(storedRow(file, "dateformatnr || '|' || dateformatstr1 || '|' || dateformatstr2 "
                              "|| '|' || FirstDay"),
              "0|mm/dd/yyyy|D m/N/y|0");
    // The next start shows dates as the running program did.
    resetState();
    gDatabasePath = file;
    ASSERT_TRUE(start::LoadSettings());
    EXPECT_EQ(gDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(gDateFormat2, "D m/N/y");
    EXPECT_EQ(gFirstDay, "0");

    gCurrentDay = DateToDayNumber(QDate(2026, 12, 13));   // a Sunday
    f = open();
    EXPECT_EQ(f->DateFormat->Text(), "Month first (mm/dd/yyyy)");
    pick(f->DateFormat, "Day first (dd-mm-yyyy)");
    EXPECT_EQ(gWeekStartDay, DateToDayNumber(QDate(2026, 12, 7)));   // Sunday ends that week
    EXPECT_EQ(gFirstDay, "1");
    EXPECT_EQ(gDateFormatNr, 1);
    EXPECT_EQ(gDateFormat, "dd-mm-yyyy");
    EXPECT_EQ(gDateFormat2, "D N-m-y");
    f->ok_Click();
    EXPECT_EQ(storedRow(file, "dateformatnr || '|' || dateformatstr1 || '|' || dateformatstr2 "
                              "|| '|' || FirstDay"),
              "1|dd-mm-yyyy|D N-m-y|1");
}

TEST_F(OptionsTest, ChangesReachTheProgramAtOnceAndTheRowAsTheFormCloses)
{
    // The new bookingfile's row: no am/pm, military time, not tentative, 15-minute slots,
    // archive after 3 days, delete after 548, tax included at 25 %.
    Options *f = open();
    EXPECT_EQ(f->Timeunits->Text(), "15 minutes");
    EXPECT_EQ(f->ArcDelCombo->Text(), "3");
    EXPECT_EQ(f->DelDelCombo->Text(), "1.5");
    EXPECT_EQ(f->Taxtext->text(), "25");
    ASSERT_EQ(f->SSTab1->Tabs(), 3);
    EXPECT_EQ(f->SSTab1->TabCaption(0), "Calendars");
    EXPECT_EQ(f->SSTab1->TabCaption(1), "Archive");
    EXPECT_EQ(f->SSTab1->TabCaption(2), "Tax");

    f->CheckAmPm->click();
    f->CheckMilitary->click();
    f->CheckTent->click();
    EXPECT_TRUE(gAmPm);
    EXPECT_FALSE(gMilitaryTime);
    EXPECT_TRUE(gTentativeMode);
    pick(f->Timeunits, "30 minutes");
    EXPECT_EQ(gTimeUnits, 30);
    pick(f->ArcDelCombo, "7");
    pick(f->DelDelCombo, "2");
    f->Checktax->click();
    f->Taxtext->setText("12.5");
    EXPECT_DOUBLE_EQ(gTaxPct, 12.5);
    // The delays reach the program only at its next start.
    EXPECT_EQ(gArchiveDelay, 3);
    EXPECT_EQ(gDeleteDelay, 548);
    EXPECT_EQ(storedRow(file, "Timeunits"), "15");   // nothing is written before the close

    f->close();   // the window's close box saves as Ok does
    EXPECT_FALSE(Forms::isLoaded<Options>());
    EXPECT_EQ(storedRow(file, "ampm || military || Tentative || '|' || Timeunits || '|' || "
                              "arCdEl || '|' || deldel || '|' || tax || '|' || taxpct || '|' "
                              "|| dateformatnr"),
              "101|30|7|730|0|12.5|1");
    EXPECT_TRUE(sandbox.shown().isEmpty());

    resetState();
    gDatabasePath = file;
    ASSERT_TRUE(start::LoadSettings());
    EXPECT_EQ(gArchiveDelay, 7);
    EXPECT_EQ(gDeleteDelay, 730);
    EXPECT_DOUBLE_EQ(gTaxPct, 12.5);
}

TEST_F(OptionsTest, ATaxTextThatIsNoRateCountsAsZeroAndIsRefusedOnClosing)
{
    Options *f = open();
    struct Case { const char *text; double pct; bool closes; };
    const Case cases[] = {
        {"", 0, false},        {"abc", 0, false},  {"1,2,5", 0, false}, {"1e2", 0, false},
        {"nan", 0, false},     {"12abc", 0, false}, {"-3", -3, false},  {"100.5", 100.5, false},
        {" 7 ", 7, true},      {".5", 0.5, true},  {"0", 0, true},     {"100", 100, true},
        {"12,5", 12.5, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        f = open();
        f->SSTab1->setTab(0);
        gTaxPct = 99;
        f->Taxtext->setText(QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(gTaxPct, c.pct);
        EXPECT_TRUE(sandbox.shown().isEmpty());   // nothing is said while typing
        f->ok_Click();
        if (c.closes) {
            EXPECT_FALSE(Forms::isLoaded<Options>());
            EXPECT_TRUE(sandbox.shown().isEmpty());
            EXPECT_DOUBLE_EQ(sqlValue(file, "SELECT taxpct FROM institutionsoplysninger")
                                 .toDouble(),
                             c.pct);
            continue;
        }
        EXPECT_TRUE(Forms::isLoaded<Options>());
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_EQ(sandbox.lastText(), "Tax % must be a number from 0 to 100, such as 25 or 12.5.");
        EXPECT_EQ(f->SSTab1->Tab(), 2);   // the tax tab comes up
        EXPECT_EQ(storedRow(file, "taxpct"), "25");
        sandbox.clearShown();
    }
}

TEST_F(OptionsTest, ARowThatCannotBeSavedKeepsTheFormUnlessTheUserClosesWithoutIt)
{
    Options *f = open();
    pick(f->Timeunits, "30 minutes");
    {
        WriteLock lock(file);
        ASSERT_TRUE(lock.locked());
        sandbox.answer(MsgBox::No);
        f->ok_Click();
        EXPECT_TRUE(Forms::isLoaded<Options>());
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_TRUE(sandbox.lastText().startsWith("The options could not be saved:\n"));
        EXPECT_TRUE(sandbox.lastText().endsWith("\n\nClose without saving?"));
        EXPECT_EQ(sandbox.shown().last().style & 0x7, int(MsgBox::YesNo));
        EXPECT_EQ(f->Timeunits->Text(), "30 minutes");
    }
    f->ok_Click();   // the other copy is done: now it is saved
    EXPECT_FALSE(Forms::isLoaded<Options>());
    EXPECT_EQ(storedRow(file, "Timeunits"), "30");

    f = open();
    pick(f->Timeunits, "60 minutes");
    {
        WriteLock lock(file);
        ASSERT_TRUE(lock.locked());
        sandbox.answer(MsgBox::Yes);
        f->ok_Click();
        EXPECT_FALSE(Forms::isLoaded<Options>());
    }
    EXPECT_EQ(storedRow(file, "Timeunits"), "30");
}

TEST_F(OptionsTest, OptionsClosedWithoutSavingLeaveTheProgramAsItWas)
{
    const int16_t units = gTimeUnits;
    const bool amPm = gAmPm;
    const double tax = gTaxPct;
    const int32_t weekStart = gWeekStartDay;
    Options *f = open();
    pick(f->Timeunits, "60 minutes");
    pick(f->DateFormat, "Month first (mm/dd/yyyy)");
    f->CheckAmPm->setChecked(!amPm);
    f->Taxtext->setText("12.5");
    EXPECT_EQ(gTaxPct, 12.5);
    EXPECT_EQ(gFirstDay, "0");
    {
        WriteLock lock(file);
        ASSERT_TRUE(lock.locked());
        sandbox.answer(MsgBox::Yes);
        f->ok_Click();
        EXPECT_FALSE(Forms::isLoaded<Options>());
    }
    // The running program keeps the settings the bookingfile still holds.
    EXPECT_EQ(gTimeUnits, units);
    EXPECT_EQ(gAmPm, amPm);
    EXPECT_EQ(gTaxPct, tax);
    EXPECT_EQ(gFirstDay, "1");
    EXPECT_EQ(gDateFormat, "dd-mm-yyyy");
    EXPECT_EQ(gWeekStartDay, weekStart);
}

TEST_F(OptionsTest, EnterClosesTheFormAsOkDoesAndARefusedRateIsToldOnce)
{
    Options *f = open();
    f->Taxtext->setText("abc");
    QTest::keyClick(f->Taxtext, Qt::Key_Return);
    EXPECT_TRUE(Forms::isLoaded<Options>());
    EXPECT_EQ(sandbox.shown().size(), 1);

    f->Taxtext->setText("10");
    f->CheckAmPm->click();
    QTest::keyClick(f->CheckAmPm, Qt::Key_Return);
    EXPECT_FALSE(Forms::isLoaded<Options>());
    EXPECT_EQ(storedRow(file, "(taxpct = 10) || '|' || ampm"), "1|1");
}

} // namespace
