#include "plannerfixture.h"

#include "admin/gruppetilk.h"
#include "admin/kontoliste.h"
#include "admin/minkonto.h"
#include "admin/paramform.h"
#include "bookings/tentbookings.h"
#include "bookings/bookingform.h"
#include "core/about.h"
#include "core/generalen.h"
#include "core/introstart.h"
#include "core/options.h"
#include "core/plannerview.h"
#include "core/times.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "planner/plannercommands.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/helpviewer.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/toolbar.h"
#include "platform/report/printing.h"
#include "platform/system.h"
#include "reports/archiveperioddialogs.h"
#include "reports/datobookingperiode.h"
#include "reports/kontoudskrift.h"
#include "reports/reportframe.h"
#include "reports/searchinfoform.h"
#include "reports/reslistadd.h"
#include "reports/reslistdom.h"
#include "reports/reslistsa.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QEvent>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

using namespace Generalen;

namespace {

// What one command did, in words a test can compare.
struct Effects
{
    QStringList messages;   // "text|title"
    QStringList dialogs;    // "open" or "save"
    QStringList forms;      // settings and About forms that were loaded
    QStringList previews;   // titles of the previews shown
    int helpShown = 0;
    bool ended = false;

    bool operator==(const Effects &o) const
    {
        return messages == o.messages && dialogs == o.dialogs && forms == o.forms
               && previews == o.previews && helpShown == o.helpShown && ended == o.ended;
    }
};

void PrintTo(const Effects &e, std::ostream *os)
{
    *os << "messages=" << e.messages.join(";").toStdString()
        << " dialogs=" << e.dialogs.join(";").toStdString()
        << " forms=" << e.forms.join(";").toStdString()
        << " previews=" << e.previews.join(";").toStdString() << " help=" << e.helpShown
        << " ended=" << e.ended;
}

} // namespace

class CommandsTest : public OneRoomTest
{
protected:
    void SetUp() override
    {
        OneRoomTest::SetUp();
        exec("INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (2, 'Anna Berg', 'p')");
        System::setShowHelpHandler([this](const QString &, const QString &) { ++help; });
        System::setEndProgramHandler([this](int) { ++ends; });
        Printing::setPreviewHandler(
            [this](const PageModel &, const QString &title) { previews << title; });
        // Every file dialog is cancelled.
        FilePicker::setScript([this](bool save, const QString &) {
            dialogs << (save ? "save" : "open");
            return QString();
        });
    }

    void TearDown() override
    {
        FilePicker::setScript(nullptr);
        Printing::setPreviewHandler(nullptr);
        OneRoomTest::TearDown();
    }

    // Runs a main menu id in a freshly loaded view and gathers what happened.
    template<typename View>
    Effects runMenu(int id)
    {
        Forms::unloadAll();
        auto *view = Forms::get<View>();
        sb.clearShown();
        help = 0;
        dialogs.clear();
        previews.clear();
        ends = 0;
        view->ctToolBar1_ButtonClick(id);
        Effects e;
        for (const auto &box : sb.shown())
            e.messages << box.text + "|" + box.title;
        e.dialogs = dialogs;
        e.previews = previews;
        if (Forms::isLoaded<Options>())
            e.forms << "Options";
        if (Forms::isLoaded<Times>())
            e.forms << "Times";
        if (Forms::isLoaded<About>())
            e.forms << "About";
        if (Forms::isLoaded<Gruppetilk>())
            e.forms << "Gruppetilk";
        if (Forms::isLoaded<Kontoliste>())
            e.forms << "Kontoliste";
        if (Forms::isLoaded<Minkonto>())
            e.forms << "Minkonto";
        if (Forms::isLoaded<Paramform>())
            e.forms << "Paramform";
        if (Forms::isLoaded<datobookingperiode>())
            e.forms << "datobookingperiode";
        if (Forms::isLoaded<datoarkivperiodeht>())
            e.forms << "datoarkivperiodeht";
        if (Forms::isLoaded<datoarkivperiodeAC>())
            e.forms << "datoarkivperiodeAC";
        if (Forms::isLoaded<TentBookings>())
            e.forms << "TentBookings";
        e.helpShown = help;
        e.ended = ends == 1;
        return e;
    }

    int help = 0;
    int ends = 0;
    QStringList dialogs;
    QStringList previews;
};

TEST_F(CommandsTest, BothViewsGiveTheSameResultForEveryMenuId)
{
    const QString refused = "Administrator Access Only!|Access Message";
    struct Case
    {
        int id;
        Effects user;    // a user who is not an administrator
        Effects admin;
    };
    const Effects none;
    auto msg = [](const QString &m) { Effects e; e.messages << m; return e; };
    auto form = [](const QString &f) { Effects e; e.forms << f; return e; };
    auto dialog = [](const QString &d) { Effects e; e.dialogs << d; return e; };
    auto preview = [](const Report *r) { Effects e; e.previews << r->caption(); return e; };
    Effects helpShown;
    helpShown.helpShown = 1;
    Effects ended;
    ended.ended = true;

    const Case cases[] = {
        // Menu titles and sub-menu heads.
        {1, none, none}, {2, none, none}, {3, none, none}, {6, none, none},
        {22, none, none}, {23, none, none}, {0, none, none},
        // Files.
        {11, dialog("open"), dialog("open")},
        {12, dialog("save"), dialog("save")},
        {14, ended, ended},
        // Administrators only.
        {21, msg(refused), none}, {26, msg(refused), form("TentBookings")},
        {25, msg(refused), none},
        {223, msg(refused), form("Kontoliste")}, {241, msg(refused), form("Paramform")},
        {35, msg(refused), preview(Reports::get<kontoudskrift>())},
        {242, msg(refused), form("Times")}, {24, msg(refused), form("Options")},
        // Everybody.
        {221, form("Gruppetilk"), form("Gruppetilk")}, {222, form("Minkonto"), form("Minkonto")},
        {31, form("datobookingperiode"), form("datobookingperiode")},
        {32, form("datoarkivperiodeht"), form("datoarkivperiodeht")},
        {33, form("datoarkivperiodeAC"), form("datoarkivperiodeAC")}, {52, none, none},
        {341, preview(Reports::get<ResListDom>()), preview(Reports::get<ResListDom>())},
        {342, preview(Reports::get<ResListAdd>()), preview(Reports::get<ResListAdd>())},
        {343, preview(Reports::get<ResListSA>()), preview(Reports::get<ResListSA>())},
        {61, helpShown, helpShown},
        {62, form("About"), form("About")},
        // No item carries these.
        {13, none, none}, {999, none, none}, {-1, none, none},
    };
    for (const Case &c : cases) {
        for (bool admin : {false, true}) {
            SCOPED_TRACE(testing::Message() << "id " << c.id << (admin ? " admin" : " user"));
            gIsAdmin = admin;
            const Effects &expected = admin ? c.admin : c.user;
            const Effects dayView = runMenu<Calendar>(c.id);
            const Effects weekView = runMenu<CalMdag>(c.id);
            EXPECT_EQ(dayView, expected);
            EXPECT_EQ(weekView, expected);
        }
    }
}

TEST_F(CommandsTest, MenuBarsOfBothViewsAreConnectedAndCarryTheSameItems)
{
    auto items = [](const ToolBar &bar) {
        QStringList out;
        for (int i = 0; i < bar.ItemCount(); ++i)
            out << QString("%1 %2 %3").arg(bar.ItemLevel(i)).arg(bar.ItemId(i)).arg(
                bar.ItemCaption(i));
        return out;
    };
    auto *dayView = Forms::get<Calendar>();
    const QStringList dayItems = items(*dayView->ctToolBar1);
    ASSERT_TRUE(dayView->ctToolBar1->clickItem(61));
    EXPECT_EQ(help, 1);
    Forms::unloadAll();
    auto *weekView = Forms::get<CalMdag>();
    EXPECT_EQ(items(*weekView->ctToolBar1), dayItems);
    ASSERT_TRUE(weekView->ctToolBar1->clickItem(61));
    EXPECT_EQ(help, 2);
}

TEST_F(CommandsTest, ASettingsFormComesBackOnItsFirstRow)
{
    gIsAdmin = true;
    auto *view = Forms::get<Calendar>();
    view->ctToolBar1_ButtonClick(24);
    ASSERT_TRUE(Forms::isLoaded<Options>());
    auto *options = Forms::get<Options>();
    ASSERT_TRUE(options->Data1.isOpen());
    EXPECT_FALSE(options->Data1.Recordset()->EOF_());
    EXPECT_EQ(options->Data1.Recordset()->AbsolutePosition(), 0);
}

TEST_F(CommandsTest, ThePrintButtonPrintsTheScheduleOfTheView)
{
    QStringList printed;
    Printing::setPreviewHandler([&](const PageModel &pages, const QString &) {
        PlannerGrid *grid = printedGrid(pages);
        ASSERT_NE(grid, nullptr);
        printed << grid->objectName() + ": " + grid->PrintTitle() + " / " + grid->PrintSubTitle();
    });
    gCurrentDay = day(2024, 3, 5);
    auto *dayView = Forms::get<Calendar>();
    dayView->grouptype->setText("Rooms/Meeting");
    ASSERT_TRUE(dayView->ctToolBar2->clickItem(17));
    Forms::unloadAll();

    gWeekStartDay = day(2024, 1, 29);   // week 5
    auto *weekView = Forms::get<CalMdag>();
    weekView->Data1.FindFirst("lokalenr = " + QString::number(aula));
    ASSERT_TRUE(weekView->ctToolBar2->clickItem(17));

    EXPECT_EQ(printed, QStringList({"cc: Day Scheme  - 05-03-2024 / Rooms/Meeting",
                                    "dd: Ugeskema for uge  5 / Aula"}));
}

TEST_F(CommandsTest, CutAndCopySetTheClipboardModeInBothViews)
{
    auto *dayView = Forms::get<Calendar>();
    dayView->ctToolBar2_ButtonClick(7);
    EXPECT_EQ(gPasteMode, 1);
    dayView->ctDrop_ItemClick(3);
    EXPECT_EQ(gPasteMode, 2);
    Forms::unloadAll();
    auto *weekView = Forms::get<CalMdag>();
    weekView->ctDrop_ItemClick(2);
    EXPECT_EQ(gPasteMode, 1);
    weekView->ctToolBar2_ButtonClick(8);
    EXPECT_EQ(gPasteMode, 2);
}

TEST_F(CommandsTest, TheWeekBarRefillsTheGridForAnyId)
{
    auto *view = Forms::get<CalMdag>();
    const int32_t monday = gWeekStartDay;
    EXPECT_EQ(view->dd->ItemCount(), 0);

    addBooking(1, type, aula, monday + 2);
    view->ctToolBar3_ButtonClick(7);
    EXPECT_EQ(keys(*view->dd), QStringList({"1"}));
    EXPECT_EQ(gWeekStartDay, monday);

    ASSERT_TRUE(view->ctToolBar3->clickItem(1));
    EXPECT_EQ(gWeekStartDay, monday - 7);
    EXPECT_EQ(view->mdato->text(), QString::number(monday - 7));
    EXPECT_EQ(view->dd->ItemCount(), 0);
    ASSERT_TRUE(view->ctToolBar3->clickItem(2));
    EXPECT_EQ(gWeekStartDay, monday);
    EXPECT_EQ(keys(*view->dd), QStringList({"1"}));
}

TEST_F(CommandsTest, FourWeeksBackMovesTheWeekWithoutRefillingTheGrid)
{
    const int32_t monday = gWeekStartDay;
    addBooking(1, type, aula, monday + 2);
    auto *view = Forms::get<CalMdag>();
    PlannerCommands::weekBackFourWeeks(*view);
    EXPECT_EQ(gWeekStartDay, monday - 28);
    EXPECT_EQ(view->mdato->text(), QString::number(monday - 28));
    EXPECT_EQ(keys(*view->dd), QStringList({"1"}));
}

TEST_F(CommandsTest, WeekViewFromAnItemOfResourceZeroDoesNothing)
{
    auto *view = Forms::get<Calendar>();
    const int i = view->cc->AddItem(600, 660, gCurrentDay, "Lost", "77");
    view->cc->SetItemResource(i, 0);
    view->cc->SetSelectedItem(i);
    view->ctDrop_ItemClick(5);
    EXPECT_TRUE(Forms::isLoaded<Calendar>());
    EXPECT_FALSE(Forms::isLoaded<CalMdag>());

    // Nothing selected: nothing either.
    view->cc->SetSelectedItem(0);
    view->ctDrop_ItemClick(5);
    EXPECT_FALSE(Forms::isLoaded<CalMdag>());

    const int j = view->cc->AddItem(600, 660, gCurrentDay, "Found", "78");
    view->cc->SetItemResource(j, aula);
    view->cc->SetSelectedItem(j);
    ASSERT_TRUE(view->ctDrop->clickItem(5));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Forms::isLoaded<Calendar>());
    ASSERT_TRUE(Forms::isLoaded<CalMdag>());
    EXPECT_EQ(gCurrentItemNo, aula);
}

TEST_F(CommandsTest, DayViewFromAnItemOfDayZeroDoesNothing)
{
    auto *view = Forms::get<CalMdag>();
    const int i = view->dd->AddItem(600, 660, 0, "Nowhere", "77");
    view->dd->SetSelectedItem(i);
    view->ctDrop_ItemClick(5);
    EXPECT_TRUE(Forms::isLoaded<CalMdag>());
    EXPECT_FALSE(Forms::isLoaded<Calendar>());

    const int32_t wednesday = gWeekStartDay + 2;
    const int j = view->dd->AddItem(600, 660, wednesday, "Here", "78");
    view->dd->SetSelectedItem(j);
    view->ctDrop_ItemClick(5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Forms::isLoaded<CalMdag>());
    ASSERT_TRUE(Forms::isLoaded<Calendar>());
    EXPECT_EQ(gCurrentDay, wednesday);
}

TEST_F(CommandsTest, OpenWantsASelectedBookingThatStillExists)
{
    for (bool week : {false, true}) {
        SCOPED_TRACE(week ? "week view" : "day view");
        Forms::unloadAll();
        sb.clearShown();
        PlannerGrid *grid = nullptr;
        if (week) {
            auto *view = Forms::get<CalMdag>();
            grid = view->dd;
            view->ctDrop_ItemClick(1);
        } else {
            auto *view = Forms::get<Calendar>();
            grid = view->cc;
            view->ctDrop_ItemClick(1);
        }
        ASSERT_EQ(sb.shown().size(), 1);
        EXPECT_EQ(sb.shown()[0].text, "No Booking Selected");
        EXPECT_EQ(sb.shown()[0].title, "Service Message");

        // An item whose booking was deleted elsewhere opens nothing.
        grid->SetSelectedItem(grid->AddItem(600, 660, gCurrentDay, "Gone", "4711"));
        sb.clearShown();
        if (week)
            Forms::get<CalMdag>()->ctDrop_ItemClick(1);
        else
            Forms::get<Calendar>()->ctDrop_ItemClick(1);
        ASSERT_EQ(sb.shown().size(), 1);
        EXPECT_TRUE(sb.shown()[0].text.startsWith("The booking is no longer in the bookingfile"));
        EXPECT_FALSE(Forms::isLoaded<bookingform>());
        EXPECT_FALSE(Forms::isLoaded<Searchinfoform>());
    }
}

TEST_F(CommandsTest, OpenShowsTheBookingFormOrTheReadOnlyViewByRights)
{
    addBooking(1, type, aula, gCurrentDay);
    for (bool admin : {true, false}) {
        SCOPED_TRACE(admin ? "may edit" : "may not edit");
        Forms::unloadAll();
        gIsAdmin = admin;
        auto *view = Forms::get<Calendar>();
        ASSERT_EQ(keys(*view->cc), QStringList({"1"}));
        view->cc->SetSelectedItem(1);
        ASSERT_TRUE(view->ctDrop->clickItem(1));
        EXPECT_EQ(Forms::isLoaded<bookingform>(), admin);
        EXPECT_EQ(Forms::isLoaded<Searchinfoform>(), !admin);
    }
}

TEST_F(CommandsTest, ToolBarAndItemMenuReachTheClipboardAndTheDeleteOfTheView)
{
    gIsAdmin = true;
    addBooking(500, type, aula, gCurrentDay, 600, 660);
    auto *view = Forms::get<Calendar>();
    view->cc->SetSelectedItem(1);
    ASSERT_TRUE(view->ctDrop->clickItem(3));   // Copy
    EXPECT_EQ(gPasteMode, 2);
    view->cc->SetSelectedItem(0);
    view->cc->SetSelection(1, 780, 810);
    ASSERT_TRUE(view->ctToolBar2->clickItem(9));   // Paste
    ASSERT_EQ(view->cc->ItemCount(), 2);
    const int pasted = keys(*view->cc).indexOf("500") == 0 ? 2 : 1;
    EXPECT_EQ(view->cc->ItemStart(pasted), 780);
    EXPECT_EQ(view->cc->ItemEnd(pasted), 840);

    sb.clearShown();
    view->cc->SetSelectedItem(1);
    ASSERT_TRUE(view->ctToolBar2->clickItem(10));   // Delete, confirmed
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "Confirm deletion ?");
    EXPECT_EQ(view->cc->ItemCount(), 1);

    Forms::unloadAll();
    gWeekStartDay = day(2024, 1, 8);
    auto *week = Forms::get<CalMdag>();
    ASSERT_EQ(week->dd->ItemCount(), 1);
    sb.clearShown();
    week->dd->SetSelectedItem(1);
    ASSERT_TRUE(week->ctDrop->clickItem(4));   // Delete, confirmed
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.shown()[0].text, "Confirm Delete ?");
    EXPECT_EQ(week->dd->ItemCount(), 0);
    week->RefreshWeekView();
    EXPECT_EQ(week->dd->ItemCount(), 0);
}

TEST_F(CommandsTest, HelpAndF1ShowTheHelpFileWithItsResourceHierarchySection)
{
    auto *view = Forms::get<Calendar>();
    view->show();
    view->activateWindow();
    QApplication::setActiveWindow(view);
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(help, 1);

    // Without a test's handler the help file opens in the help viewer.
    System::setShowHelpHandler(nullptr);
    System::setHelpFile(QDir(VANTIX_BUILD_DIR).filePath("Vantix Help.html"));
    view->ctToolBar1_ButtonClick(61);
    HelpViewer *viewer = HelpViewer::instance();
    ASSERT_NE(viewer, nullptr);
    // The first-run offer of the day view sends the user to this section.
    EXPECT_TRUE(viewer->hasAnchor("resource-hierarchy"));
    EXPECT_TRUE(viewer->browser()->toPlainText().contains("Resource Hierarchy"));
    viewer->close();
    System::setHelpFile(QString());
}

TEST_F(CommandsTest, AChosenBookingfileUnloadsTheViewAndStartsAgainBehindTheSplash)
{
    const QString chosen = sb.newBookingfile("other.mdb");
    const QString created = sb.file("Winter.mdb");
    for (bool week : {false, true}) {
        for (int id : {11, 12}) {
            SCOPED_TRACE(testing::Message() << (week ? "week view " : "day view ") << id);
            Forms::unloadAll();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            gDatabasePath = file;
            FilePicker::setScript(
                [&](bool save, const QString &) { return save ? created : chosen; });
            if (week)
                Forms::get<CalMdag>()->ctToolBar1_ButtonClick(id);
            else
                Forms::get<Calendar>()->ctToolBar1_ButtonClick(id);
            EXPECT_EQ(gDatabasePath, id == 11 ? chosen : created);
            EXPECT_FALSE(Forms::isLoaded<Calendar>());
            EXPECT_FALSE(Forms::isLoaded<CalMdag>());
            EXPECT_TRUE(Forms::isLoaded<introstart>());
        }
    }
    EXPECT_TRUE(QFileInfo::exists(created));
}

TEST_F(CommandsTest, AFileThatIsNoBookingfileLeavesTheViewAsItWas)
{
    QFile text(sb.file("notes.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a database");
    text.close();
    FilePicker::setScript([&](bool, const QString &) { return text.fileName(); });
    auto *view = Forms::get<CalMdag>();
    view->ctToolBar1_ButtonClick(11);
    EXPECT_TRUE(sb.lastText().endsWith(" is not a valid Vantix Bookingfile!"));
    EXPECT_EQ(gDatabasePath, file);
    EXPECT_TRUE(Forms::isLoaded<CalMdag>());
    EXPECT_FALSE(Forms::isLoaded<introstart>());
}

TEST_F(CommandsTest, BothViewsCarryTheBookingBarsButtonsWithTheirTips)
{
    const QStringList expected = {"7 Cut Booking", "8 Copy Booking", "9 Paste Booking",
                                  "10 Delete Booking", "14 Search", "15 My Bookings",
                                  "16 Todays Bookings", "18 Repeating Bookings",
                                  "17 Print Scheeme"};
    auto buttons = [](const ToolBar &bar) {
        QStringList out;
        for (int i = 0; i < bar.ItemCount(); ++i) {
            if (!bar.isSeparator(i))
                out << QString("%1 %2").arg(bar.ItemId(i)).arg(bar.ItemTipText(i));
        }
        return out;
    };
    EXPECT_EQ(buttons(*Forms::get<Calendar>()->ctToolBar2), expected);
    Forms::unloadAll();
    auto *week = Forms::get<CalMdag>();
    EXPECT_EQ(buttons(*week->ctToolBar2), expected);
    EXPECT_EQ(buttons(*week->ctToolBar3), QStringList({"1 Previous Week", "2 Next Week"}));
}

// The forms below the planner find the open view through core: each kind finds its own view
// while it is loaded, and none once it is unloaded.
TEST_F(CommandsTest, TheLoadedViewsAreFoundByTheirKind)
{
    Forms::unloadAll();
    EXPECT_EQ(PlannerViews::loaded(Commands::DayView), nullptr);
    EXPECT_EQ(PlannerViews::loaded(Commands::WeekView), nullptr);
    auto *day = Forms::get<Calendar>();
    EXPECT_EQ(PlannerViews::loaded(Commands::DayView), static_cast<PlannerView *>(day));
    EXPECT_EQ(PlannerViews::loaded(Commands::WeekView), nullptr);
    EXPECT_EQ(PlannerViews::loaded(Commands::AnyView), nullptr);
    day->OpenWeekView(aula);
    EXPECT_EQ(PlannerViews::loaded(Commands::DayView), nullptr);
    ASSERT_NE(PlannerViews::loaded(Commands::WeekView), nullptr);
    EXPECT_EQ(PlannerViews::loaded(Commands::WeekView)->plannerView(), Commands::WeekView);
}
