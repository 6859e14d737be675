#include "plannerfixture.h"

#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/plannergrid.h"
#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"

#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <tuple>

using namespace Generalen;

namespace {

// What the grid was asked to print.
struct Printed
{
    QString grid;
    QString title;
    QString subTitle;
    quint32 lineColour = 0;
    bool monochrome = true;
    int rulerWidth = 0;
    int columnsPerPage = 0;
    int scheduleStart = -1;
    int scheduleEnd = -1;
    int unit = -1;
    QString datePicture;
    QStringList items;   // "day start-end text" in item order
};

} // namespace

class SchedulePrintTest : public OneRoomTest
{
protected:
    void SetUp() override
    {
        OneRoomTest::SetUp();
        lab = addItem("Lab", type);
        Printing::setPreviewHandler([this](const PageModel &pages, const QString &) {
            PlannerGrid *grid = printedGrid(pages);
            ASSERT_NE(grid, nullptr);
            const PlannerGrid &g = *grid;
            Printed p;
            p.grid = g.objectName();
            p.title = g.PrintTitle();
            p.subTitle = g.PrintSubTitle();
            p.lineColour = g.PrintLineColour();
            p.monochrome = g.PrintMonochrome();
            p.rulerWidth = g.PrintRulerWidth();
            p.columnsPerPage = g.PrintColumnsPerPage();
            p.scheduleStart = g.ScheduleStart();
            p.scheduleEnd = g.ScheduleEnd();
            p.unit = g.PrintTimeUnit();
            p.datePicture = g.DatePicture();
            for (int i = 1; i <= g.ItemCount(); ++i)
                p.items << QString("%1 %2-%3 %4")
                               .arg(g.ItemDay(i))
                               .arg(g.ItemStart(i))
                               .arg(g.ItemEnd(i))
                               .arg(g.ItemText(i));
            printed.append(p);
        });
    }

    void TearDown() override
    {
        Printing::setPreviewHandler(nullptr);
        OneRoomTest::TearDown();
    }

    void setPrintSpanInSettings(int startSeconds, int endSeconds)
    {
        exec(QString("UPDATE institutionsoplysninger SET Skemastart = %1, Skemaslut = %2")
                 .arg(startSeconds)
                 .arg(endSeconds));
    }

    // The week view on the shown item, so that lnavn holds its name.
    CalMdag *weekView()
    {
        auto *view = Forms::get<CalMdag>();
        view->Data1.FindFirst("lokalenr = " + QString::number(gCurrentItemNo));
        return view;
    }

    int32_t lab = 0;
    QList<Printed> printed;
};

TEST_F(SchedulePrintTest, DaySchemeIsTitledWithTheShownDayAndTheGroupAndType)
{
    gCurrentDay = day(2024, 3, 5);
    gScheduleStart = 420;
    gScheduleEnd = 1200;
    gTimeUnits = 15;
    addBooking(1, type, aula, gCurrentDay, 600, 690, "Board meeting");
    auto *view = Forms::get<Calendar>();
    view->grouptype->setText("Rooms/Meeting");
    // Values the last refill set on the grid give way to the print's own.
    view->cc->SetScheduleStart(0);
    view->PrintDayScheme();

    ASSERT_EQ(printed.size(), 1);
    const Printed &p = printed[0];
    EXPECT_EQ(p.grid, "cc");
    EXPECT_EQ(p.title, "Day Scheme  - 05-03-2024");
    EXPECT_EQ(p.subTitle, "Rooms/Meeting");
    EXPECT_EQ(p.lineColour, 0xC0C0C0u);
    EXPECT_FALSE(p.monochrome);
    EXPECT_EQ(p.rulerWidth, 40);
    EXPECT_EQ(p.columnsPerPage, 6);
    EXPECT_EQ(p.scheduleStart, 420);
    EXPECT_EQ(p.scheduleEnd, 1200);
    EXPECT_EQ(p.unit, 15);
    EXPECT_EQ(p.items, QStringList({QString("%1 600-690 Board meeting").arg(gCurrentDay)}));
}

TEST_F(SchedulePrintTest, DaySchemeTitleFollowsTheDatePattern)
{
    gCurrentDay = day(2024, 3, 5);
    gDateFormat = "mm/dd/yyyy";
    Forms::get<Calendar>()->PrintDayScheme();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].title, "Day Scheme  - 03/05/2024");
}

TEST_F(SchedulePrintTest, WeekSchemeTakesItsSpanFromTheSettingsRowAtEveryPrint)
{
    gWeekStartDay = day(2024, 1, 29);   // week 5
    gScheduleStart = 0;
    gScheduleEnd = 1439;
    gTimeUnits = 60;
    setPrintSpanInSettings(8 * 3600, 18 * 3600);
    auto *view = weekView();
    view->PrintWeekScheme();
    // 08:00:30 is minute 480.5, which goes to the even 480; 17:00:30 goes to 1020.
    setPrintSpanInSettings(8 * 3600 + 30, 17 * 3600 + 30);
    view->PrintWeekScheme();

    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(printed[0].grid, "dd");
    EXPECT_EQ(printed[0].title, "Ugeskema for uge  5");
    EXPECT_EQ(printed[0].subTitle, "Aula");
    EXPECT_EQ(printed[0].lineColour, 0xC0C0C0u);
    EXPECT_FALSE(printed[0].monochrome);
    EXPECT_EQ(printed[0].rulerWidth, 40);
    EXPECT_EQ(printed[0].columnsPerPage, 7);
    EXPECT_EQ(printed[0].scheduleStart, 480);
    EXPECT_EQ(printed[0].scheduleEnd, 1080);
    EXPECT_EQ(printed[0].unit, 60);
    EXPECT_EQ(printed[1].scheduleStart, 480);
    EXPECT_EQ(printed[1].scheduleEnd, 1020);
}

// The fixed weekly schedule reads fastugetest; here the view is replaced by known rows.
class FixedWeekTest : public SchedulePrintTest
{
protected:
    void setSeriesRows(const QStringList &rows)
    {
        exec("DROP VIEW fastugetest");
        QStringList selects;
        for (const QString &r : rows)
            selects << "SELECT " + r;
        exec("CREATE VIEW fastugetest (gennr, lokalenr, Bdato, bstart, bslut, Beskrivelse, "
             "startdato, slutdato, Bcolor) AS " + selects.join(" UNION ALL "));
    }
    const AnyLayout replacedView;   // the program opens the file with the test's view
};

TEST_F(FixedWeekTest, TakesTheItemsSeriesThatRunInTheWeekAndEndBeforeTheSeasonEnd)
{
    const int32_t seasonEnd = day(2025, 7, 1);
    setSeriesRows({
        QString("10, %1, 2, 600, 660, 'Choir', %2, %3, 65280").arg(aula).arg(monday - 70)
            .arg(monday + 100),
        // -1 stands for the seventh day; a series ending on the first day still shows.
        QString("11, %1, -1, 480, 540, 'Mass', %2, %3, 255").arg(aula).arg(monday - 7)
            .arg(monday),
        QString("12, %1, 0, 480, 540, 'Over', %2, %3, 255").arg(aula).arg(monday - 70)
            .arg(monday - 1),
        QString("13, %1, 1, 480, 540, 'Summer', %2, %3, 255").arg(aula).arg(monday)
            .arg(seasonEnd),
        QString("14, %1, 3, 900, 960, 'Spring', %2, %3, NULL").arg(aula).arg(monday)
            .arg(seasonEnd - 1),
        QString("15, %1, 4, 480, 540, 'Lab work', %2, %3, 255").arg(lab).arg(monday)
            .arg(monday + 10),
        QString("16, NULL, 4, 480, 540, 'Nobody', %1, %2, 255").arg(monday).arg(monday + 10),
        QString("17, %1, 4, 480, 540, 'Open end', %2, NULL, 255").arg(aula).arg(monday),
    });
    auto *view = weekView();
    addBooking(1, type, aula, monday + 1);   // the week's own bookings give way
    view->RefreshWeekView();
    ASSERT_EQ(view->dd->ItemCount(), 1);

    view->FillFixedWeekSchedule();
    PlannerGrid &g = *view->dd;
    EXPECT_EQ(keys(g), QStringList({"10", "11", "14"}));
    EXPECT_EQ(g.FirstDay(), monday);
    EXPECT_EQ(g.DatePicture(), "D");
    EXPECT_EQ(g.ItemDay(1), monday + 2);
    EXPECT_EQ(g.ItemStart(1), 600);
    EXPECT_EQ(g.ItemEnd(1), 660);
    EXPECT_EQ(g.ItemText(1), QString("Choir Start:%1 Slut:%2").arg(monday - 70).arg(monday + 100));
    EXPECT_EQ(g.ItemColour(1), 65280u);
    EXPECT_EQ(g.ItemDay(2), monday + 6);
    EXPECT_EQ(g.ItemColour(2), 255u);
    EXPECT_EQ(g.ItemDay(3), monday + 3);
    EXPECT_EQ(g.ItemText(3), QString("Spring Start:%1 Slut:%2").arg(monday).arg(seasonEnd - 1));
    EXPECT_TRUE(printed.isEmpty());
}

TEST_F(FixedWeekTest, ReadsTheSeriesOfTheBookingfile)
{
    // A weekly series on Wednesdays, 10 to 24 January 2024, and a single booking.
    const int32_t first = day(2024, 1, 10);
    for (int k = 0; k < 3; ++k) {
        addBooking(100 + k, type, aula, first + 7 * k, 840, 900, "Choir");
        exec(QString("UPDATE booking SET gennr = 100, gentagende = 1, Bcolor = 255 "
                     "WHERE Bookingnr = %1").arg(100 + k));
    }
    addBooking(200, type, aula, first + 1, 600, 660, "Single");
    // The same weekly slot on the other item, and a series of the item that ended before.
    for (const auto &[nr, item, d] : {std::tuple{300, lab, first}, {301, lab, first + 7},
                                      {400, aula, first - 14}, {401, aula, first - 7}}) {
        addBooking(nr, type, item, d, 840, 900, "Other");
        exec(QString("UPDATE booking SET gennr = %1, gentagende = 1 WHERE Bookingnr = %2")
                 .arg(nr / 100 * 100)
                 .arg(nr));
    }
    auto *view = weekView();
    view->FillFixedWeekSchedule();
    PlannerGrid &g = *view->dd;
    ASSERT_EQ(keys(g), QStringList({"100"}));
    EXPECT_EQ(g.ItemDay(1), first);
    EXPECT_EQ(g.ItemText(1), QString("Choir Start:%1 Slut:%2").arg(first).arg(first + 14));
}

TEST_F(FixedWeekTest, PrintsOnYesWithTheTimeUnitThree)
{
    setSeriesRows({QString("10, %1, 2, 600, 660, 'Choir', %2, %3, 65280").arg(aula)
                       .arg(monday).arg(monday + 14)});
    setPrintSpanInSettings(7 * 3600, 19 * 3600);
    gTimeUnits = 30;
    auto *view = weekView();
    sb.answer(MsgBox::Yes);
    view->PrintFixedWeekSchedule();

    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "Vil du udskrive skemaet!");
    EXPECT_EQ(sb.shown()[0].title, "Fast ugeskema");
    EXPECT_EQ(sb.shown()[0].style & 0x7, int(MsgBox::YesNo));
    ASSERT_EQ(printed.size(), 1);
    const Printed &p = printed[0];
    EXPECT_EQ(p.title, "Fast ugeskema for");
    EXPECT_EQ(p.subTitle, "Aula");
    EXPECT_EQ(p.unit, 3);
    EXPECT_EQ(p.columnsPerPage, 7);
    EXPECT_EQ(p.rulerWidth, 40);
    EXPECT_EQ(p.scheduleStart, 420);
    EXPECT_EQ(p.scheduleEnd, 1140);
    EXPECT_EQ(p.datePicture, "D");
    EXPECT_EQ(p.items.size(), 1);
    EXPECT_EQ(view->dd->DatePicture(), "d N/m/y");
}

TEST_F(FixedWeekTest, NoPrintsNothingButLeavesTheScheduleInTheGrid)
{
    setSeriesRows({QString("10, %1, 2, 600, 660, 'Choir', %2, %3, 65280").arg(aula)
                       .arg(monday).arg(monday + 14)});
    auto *view = weekView();
    sb.answer(MsgBox::No);
    view->PrintFixedWeekSchedule();
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_EQ(keys(*view->dd), QStringList({"10"}));
    EXPECT_EQ(view->dd->DatePicture(), "d N/m/y");
}

TEST_F(SchedulePrintTest, ThePrintedDaySchemeReadsBackFromItsPdf)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("day.pdf");
    Printing::setPreviewHandler(
        [&](const PageModel &pages, const QString &) { Printing::writePdf(pages, pdf); });
    gCurrentDay = day(2024, 3, 5);
    addBooking(1, type, aula, gCurrentDay, 600, 690, "Styrelsesmøde");
    addBooking(2, type, lab, gCurrentDay, 780, 900, "Lab course");
    auto *view = Forms::get<Calendar>();
    view->grouptype->setText("Rooms/Meeting");
    view->PrintDayScheme();

    QProcess p;
    p.start(pdftotext, {"-enc", "UTF-8", "-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    // pdftotext may fold the two blanks of the title into one.
    EXPECT_TRUE(text.contains(QRegularExpression("Day Scheme +- 05-03-2024")))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Rooms/Meeting"));
    EXPECT_TRUE(text.contains("Aula"));
    EXPECT_TRUE(text.contains("Lab"));
    EXPECT_TRUE(text.contains("Styrelsesmøde"));
    EXPECT_TRUE(text.contains("Lab course"));
}
