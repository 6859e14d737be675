// Every statement the program prepares on its bookingfile while it goes through start-up with
// the archiving, the planner views, the booking form, the receipts, the lists, the search, the
// period reports and the account and resource forms, explained on that file: none walks the
// whole booking or archive table unless its result needs the whole table.
//
// The file is a copy of the demo data, a small file with the program's layout and indexes.
// Without ANALYZE statistics SQLite plans by the schema and the indexes alone, never by the
// number of rows, so these plans are the plans of a file of millions of bookings.
#include "fixtures/sandbox.h"
#include "fixtures/sqlhelpers.h"
#include "platform/report/printcapture.h"

#include "admin/kontoliste.h"
#include "admin/resourceitemform.h"
#include "bookings/alternatives.h"
#include "bookings/alternativesv.h"
#include "bookings/bookingform.h"
#include "bookings/fastgen.h"
#include "bookings/sletgentagendeform.h"
#include "bookings/slettil.h"
#include "bookings/tentbookings.h"
#include "bookings/vilkdatover.h"
#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/start.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/tabdialog.h"
#include "platform/controls/yearcalendar.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/statement.h"
#include "reports/archiveperioddialogs.h"
#include "reports/datobookingperiode.h"
#include "reports/enkeltkvitto.h"
#include "reports/gudloebover.h"
#include "reports/multikvitto.h"
#include "reports/myboo.h"
#include "reports/reportframe.h"
#include "reports/searchform.h"
#include "reports/todays.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

using namespace Generalen;

namespace {

// A statement that walks booking or bookingarkiv, where its result needs that walk (or it is
// not mended yet): the step that runs it, a piece of its text, and why.
struct Exception
{
    const char *step;
    const char *text;
    const char *reason;
};

const std::vector<Exception> kExceptions = {};

// One statement seen on the bookingfile, with its plan.
struct Seen
{
    QString step;
    QString sql;
    QStringList plan;
};

QStringList explain(sqlite3 *db, const QString &sql)
{
    QStringList lines;
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        lines << "cannot explain: " + QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(stmt);
        return lines;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3)));
    sqlite3_finalize(stmt);
    return lines;
}

QStringList column(sqlite3 *db, const char *sql)
{
    QStringList out;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    return out;
}

// The names under which a text reads booking or bookingarkiv: the tables themselves and the
// aliases it gives them ("booking AS b", "bookingarkiv a", "[Booking] b").
void addAliases(const QString &text, QSet<QString> &names)
{
    static const QSet<QString> keywords = {
        "where", "inner", "left", "right", "join", "on", "order", "group", "set", "values",
        "union", "limit", "as", "select", "from", "cross", "natural", "outer", "having", "using",
        "default", "and", "or", "not", "indexed"};
    static const QRegularExpression alias(
        R"((?<![\w.])[\["`]?(booking|bookingarkiv)[\]"`]?\s+(?:AS\s+)?[\["`]?(\w+))",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    for (auto it = alias.globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(2).toLower();
        if (!keywords.contains(name))
            names.insert(name);
    }
}

// Records every statement prepared on a connection to the bookingfile, once per text, with its
// plan taken on that connection right after it prepared.
class PlanRecorder
{
public:
    explicit PlanRecorder(const QString &bookingfile)
        : m_file(QFileInfo(bookingfile).canonicalFilePath())
    {
        Dao::Statement::setPrepareObserver([this](sqlite3 *db, const QString &sql) {
            const char *name = sqlite3_db_filename(db, "main");
            if (!name || QFileInfo(QString::fromUtf8(name)).canonicalFilePath() != m_file)
                return;
            steps.insert(step);
            if (m_texts.contains(sql))
                return;
            m_texts.insert(sql);
            if (m_views.empty()) {
                const QStringList names =
                    column(db, "SELECT name FROM sqlite_schema WHERE type = 'view'");
                const QStringList texts =
                    column(db, "SELECT sql FROM sqlite_schema WHERE type = 'view'");
                for (int i = 0; i < names.size() && i < texts.size(); ++i)
                    m_views[names.at(i).toLower()] = texts.at(i);
                for (const QString &index : column(db, "SELECT name FROM sqlite_schema WHERE "
                                                       "type = 'index' AND sql LIKE '% WHERE %'"))
                    m_partialIndexes.insert(index.toLower());
            }
            seen.push_back({step, sql, explain(db, sql)});
        });
    }
    ~PlanRecorder() { Dao::Statement::setPrepareObserver(nullptr); }
    PlanRecorder(const PlanRecorder &) = delete;
    PlanRecorder &operator=(const PlanRecorder &) = delete;

    // The plan lines of s that walk a whole booking or archive table: a scan (but one of a
    // partial index, which holds only the rows it names), or an automatic index or a Bloom
    // filter, which SQLite builds by a scan.
    QStringList walks(const Seen &s) const
    {
        // A table opened in key order reads its first or last row: one scan, stopped by its
        // limit before it reads further.
        static const QRegularExpression firstRow(R"(^SELECT [^;]* ORDER BY "?\w+"?( DESC)? LIMIT 1$)",
                                                 QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression filter(R"(\b(WHERE|JOIN|GROUP)\b)",
                                               QRegularExpression::CaseInsensitiveOption);
        if (s.plan.size() == 1 && firstRow.match(s.sql).hasMatch() && !s.sql.contains(filter))
            return {};
        QSet<QString> names = {"booking", "bookingarkiv"};
        addAliases(s.sql, names);
        // The views it names, and the views they name.
        QSet<QString> done;
        QStringList texts = {s.sql};
        while (!texts.isEmpty()) {
            const QString text = texts.takeLast().toLower();
            for (const auto &[view, body] : m_views) {
                if (done.contains(view))
                    continue;
                static const QString edge = QStringLiteral(R"((?<![\wæøå]))");
                const QRegularExpression word(edge + QRegularExpression::escape(view)
                                                  + R"((?![\wæøå]))",
                                              QRegularExpression::UseUnicodePropertiesOption);
                if (text.contains(word)) {
                    done.insert(view);
                    addAliases(body, names);
                    texts << body;
                }
            }
        }
        static const QRegularExpression scan(
            R"(^(?:SCAN (\S+)(?: USING (?:COVERING )?INDEX (\S+))?|SEARCH (\S+) USING AUTOMATIC)"
            R"(|BLOOM FILTER ON (\S+)))");
        QStringList out;
        for (const QString &line : s.plan) {
            const QRegularExpressionMatch m = scan.match(line);
            if (!m.hasMatch())
                continue;
            if (m_partialIndexes.contains(m.captured(2).toLower()))
                continue;
            QString name = m.captured(1);
            if (name.isEmpty())
                name = m.captured(3);
            if (name.isEmpty())
                name = m.captured(4);
            if (names.contains(name.toLower()))
                out << line;
        }
        return out;
    }

    QString step;
    std::vector<Seen> seen;
    QSet<QString> steps;   // the steps that ran a statement on the bookingfile

private:
    QString m_file;
    QSet<QString> m_texts;
    std::map<QString, QString> m_views;
    QSet<QString> m_partialIndexes;
};

class QueryPlans : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        // The demo data's last archiving ran on 2026-12-11: start-up archives on the 14th.
        sb.setNow(QDateTime(QDate(2026, 12, 14), QTime(9, 0)));
        file = sb.newBookingfile("plans.mdb", true);
        sb.setChosenPath(file);
        FilePicker::setScript([](bool, const QString &) { return QString(); });
    }
    void TearDown() override
    {
        Forms::unloadAll();
        FilePicker::setScript(nullptr);
        resetState();
    }

    // The state of the administrator logged in, on a day of the demo data's bookings.
    void logIn()
    {
        gDatabasePath = file;
        gUserNo = 1;
        gUserName = "Maria Holm";
        gUserLogin = "admin";
        gIsAdmin = true;
        gCurrentDay = Extrafunktioner::DateToDayNumber(QDate(2026, 12, 14));
        gWeekStartDay = gCurrentDay;
        gCurrentItemNo = sqlValue(file, "SELECT Lokalenr FROM booking WHERE Bookingnr = "
                                        + QString::number(booking))
                             .toInt();
        gCurrentTypeNo = sqlValue(file, "SELECT lokalinr FROM lokale WHERE lokalenr = "
                                            + QString::number(gCurrentItemNo))
                             .toInt();
        gCurrentGroupNo = sqlValue(file, "SELECT Overgruppenr FROM lokaliteter WHERE "
                                         "Lokalitetsnr = "
                                             + QString::number(gCurrentTypeNo))
                              .toInt();
    }

    // Runs one step of the program under a name that failures show.
    void run(PlanRecorder &recorder, const QString &step, const std::function<void()> &work)
    {
        recorder.step = step;
        try {
            work();
        } catch (const Dao::DbError &e) {
            ADD_FAILURE() << step.toStdString() << ": " << e.what();
        }
        sb.clearShown();
    }

    // Every command of a surface that has an action, clicked in the view.
    static void runCommands(Commands::Surface surface, PlannerView &view)
    {
        for (const Commands::Command &row : Commands::rows()) {
            // Files: a dialog that the script cancels, or the end of the program.
            if (row.surface != surface || !row.action || (surface == Commands::MainMenu
                                                          && row.id >= 11 && row.id <= 14))
                continue;
            if (row.view != Commands::AnyView && row.view != view.plannerView())
                continue;
            Commands::run(surface, row.id, view);
        }
    }

    // Types a booking into an empty slot of a column, moves it later, copies, pastes, cuts and
    // deletes it, as the grid reports a user's edits.
    template<typename View>
    static void editInGrid(View &view, PlannerGrid &grid)
    {
        const int column = 1;
        const int start = 1320, end = 1350;
        grid.SetSelection(column, start, end);
        const qint32 d = grid.mode() == PlannerGrid::WeekGrid ? grid.DayOfColumn(column)
                                                               : grid.FirstDay();
        int index = grid.AddItem(start, end, d, "Late meeting", QString());
        grid.SetItemResource(index, grid.ColumnResource(column));
        grid.SetSelectedItem(index);
        emit grid.ItemAdded(index, start, end, column, false);
        index = grid.SelectedItem();
        if (index < 1)
            return;
        grid.SetSelection(column, start + 30, end + 30);
        grid.SetItemStart(index, start + 30);
        grid.SetItemEnd(index, end + 30);
        emit grid.ItemChanged(index);
        emit grid.ItemEdited(index, "Later meeting");
        gPasteMode = 2;
        view.CopyBookingToClipboard();
        grid.SetSelection(column, 1380, 1410);
        view.PasteBookingCommand();
        grid.SetSelectedItem(index);
        gPasteMode = 1;
        view.CopyBookingToClipboard();
        grid.SetSelection(column, 1410, 1439);
        view.PasteBookingCommand();
        if (grid.SelectedItem() >= 1)
            view.DeleteSelectedBooking();
    }

    Sandbox sb;
    PrintCapture capture;
    QString file;
    const int32_t booking = 4553;   // a single booking on 2026-12-10
    const int32_t other = 4580;     // another one on that day
    const int32_t series = 3072;    // the first of a series of twelve
};

TEST_F(QueryPlans, NoStatementWalksTheBookingsOrTheArchiveNeedlessly)
{
    ASSERT_EQ(sqlValue(file, "SELECT count(*) FROM sqlite_schema WHERE name LIKE 'sqlite_stat%'")
                  .toInt(),
              0);
    PlanRecorder recorder(file);

    run(recorder, "start-up with the archiving", [&] {
        EXPECT_TRUE(start::StartUp());
        start::WaitForDailyArchiving();
        Forms::unloadAll();
    });
    logIn();

    run(recorder, "day view", [&] {
        auto *view = Forms::get<Calendar>();
        view->RefreshDayView();
        view->Today_Click();
        gCurrentDay = Extrafunktioner::DateToDayNumber(QDate(2026, 12, 14));
        view->RefreshDayView();
    });
    run(recorder, "day view commands", [&] {
        auto *view = Forms::get<Calendar>();
        runCommands(Commands::MainMenu, *view);
        runCommands(Commands::BookingBar, *view);
        Forms::unloadAll();
    });
    run(recorder, "item menu", [&] {
        auto *view = Forms::get<Calendar>();
        view->RefreshDayView();
        for (int id = 1; id <= 5; ++id) {
            const QList<int> items = [&] {
                QList<int> out;
                for (int i = 1; i <= view->cc->ItemCount(); ++i)
                    out << i;
                return out;
            }();
            if (items.isEmpty())
                break;
            view->cc->SetSelectedItem(items.first());
            sb.answer(MsgBox::Ok);
            Commands::run(Commands::ItemMenu, id, *view);
            Forms::unloadAll();
            view = Forms::get<Calendar>();
            view->RefreshDayView();
        }
        Forms::unloadAll();
    });
    run(recorder, "week view", [&] {
        auto *view = Forms::get<CalMdag>();
        view->RefreshWeekView();
        view->FillFixedWeekSchedule();
        runCommands(Commands::WeekBar, *view);
        Forms::unloadAll();
    });

    run(recorder, "booking form", [&] {
        Forms::get<Calendar>()->OpenBookingForEdit(booking);
        auto *form = Forms::get<bookingform>();
        for (int tab = 1; tab < form->faner->Tabs(); ++tab)
            form->faner->setTab(tab);
        form->faner->setTab(0);
        form->Kontonr_AccountChange();
        form->RecalcPrice();
        form->Luk_Click();
        Forms::get<Calendar>()->OpenBookingForEdit(series);
        Forms::get<bookingform>()->Luk_Click();
        Forms::unloadAll();
    });

    run(recorder, "grid edits", [&] {
        auto *day = Forms::get<Calendar>();
        day->RefreshDayView();
        editInGrid(*day, *day->cc);
        Forms::unloadAll();
        auto *week = Forms::get<CalMdag>();
        week->RefreshWeekView();
        editInGrid(*week, *week->dd);
        Forms::unloadAll();
    });

    run(recorder, "repeat dates and alternatives", [&] {
        auto *form = Forms::get<bookingform>();
        form->ShowBooking(booking);
        form->genkn_Click();
        ASSERT_TRUE(Forms::isLoaded<fastgen>());
        auto *repeat = Forms::get<fastgen>();
        repeat->Option2_Click();
        repeat->Udvalg_Click();
        for (int row = 0; row < repeat->genbook->RowCount(); ++row) {
            repeat->genbook->setSelectedRow(row);
            repeat->genbook_DblClick();
            if (Forms::isLoaded<alternatives>()) {
                auto *choice = Forms::get<alternatives>();
                if (choice->AltList->RowCount() > 0) {
                    choice->AltList->setSelectedRow(0);
                    choice->apply_Click();
                }
                Forms::get<alternatives>()->Unload();
            }
        }
        repeat->remall_Click();
        repeat->bookingknap_Click();
        Forms::unloadAll();
    });

    run(recorder, "picked dates", [&] {
        auto *form = Forms::get<bookingform>();
        form->ShowBooking(other);
        form->genkn_Click();
        ASSERT_TRUE(Forms::isLoaded<fastgen>()) << sb.lastText().toStdString();
        Forms::get<fastgen>()->Option6_Click();
        ASSERT_TRUE(Forms::isLoaded<vilkdatover>());
        auto *picked = Forms::get<vilkdatover>();
        const QDate first = Extrafunktioner::DayNumberToDate(
            sqlValue(file, "SELECT Bdato FROM booking WHERE Bookingnr = "
                               + QString::number(other)).toInt());
        for (int week = 1; week <= 3; ++week)
            picked->dat->clickDate(first.addDays(7 * week));
        for (int row = 0; row < picked->vilklist->RowCount(); ++row) {
            picked->vilklist->setSelectedRow(row);
            picked->vilklist_DblClick();
            if (Forms::isLoaded<alternativesV>())
                Forms::get<alternativesV>()->Unload();
        }
        picked->book_Click();
        Forms::unloadAll();
    });

    run(recorder, "series add", [&] {
        auto *form = Forms::get<bookingform>();
        form->ShowBooking(series);
        form->genkn_Click();
        ASSERT_TRUE(Forms::isLoaded<slettil>());
        Forms::get<slettil>()->Add_Click();
        ASSERT_TRUE(Forms::isLoaded<fastgen>()) << sb.lastText().toStdString();
        auto *repeat = Forms::get<fastgen>();
        repeat->Option2_Click();
        repeat->Udvalg_Click();
        repeat->remall_Click();
        repeat->bookingknap_Click();
        Forms::unloadAll();
    });

    run(recorder, "series update and delete", [&] {
        auto *form = Forms::get<bookingform>();
        form->ShowBooking(series);
        form->Beskrivelse->setPlainText("Weekly board");
        sb.answer(MsgBox::Ok);
        form->updgen_Click();
        form->genkn_Click();
        if (Forms::isLoaded<slettil>())
            Forms::get<slettil>()->delete_Click();
        ASSERT_TRUE(Forms::isLoaded<sletgentagendeform>());
        auto *until = Forms::get<sletgentagendeform>();
        until->optuntil->setChecked(true);
        until->optuntil_Click();
        sb.answer(MsgBox::Ok);
        until->Knap12_Click();
        Forms::unloadAll();
        // The rest of another series from one member, and the whole of a third.
        for (const auto &[option, gennr] :
             {std::pair{&sletgentagendeform::optrest, 2931}, {&sletgentagendeform::optall, 2845}}) {
            form = Forms::get<bookingform>();
            form->ShowBooking(sqlValue(file, QString("SELECT max(Bookingnr) FROM booking WHERE "
                                                     "gennr = %1").arg(gennr)).toInt());
            form->genkn_Click();
            if (Forms::isLoaded<slettil>())
                Forms::get<slettil>()->delete_Click();
            ASSERT_TRUE(Forms::isLoaded<sletgentagendeform>());
            auto *d = Forms::get<sletgentagendeform>();
            (d->*option)->setChecked(true);
            sb.answer(MsgBox::Ok);
            d->Knap12_Click();
            Forms::unloadAll();
        }
    });

    run(recorder, "lists", [&] {
        auto *mine = Forms::get<myboo>();
        mine->Show();
        for (auto click : {&myboo::OptO_Click, &myboo::OptG_Click, &myboo::OptT_Click})
            (mine->*click)();
        mine->Printbutton_Click();
        auto *todays = Forms::get<Todays>();
        todays->Show();
        todays->OptGr_Click();
        todays->Printbutton_Click();
        auto *expiring = Forms::get<gudløbover>();
        expiring->Show();
        expiring->Printbutton_Click();
        auto *tentative = Forms::get<TentBookings>();
        tentative->Show();
        const int32_t first = sqlValue(file, "SELECT min(Bookingnr) FROM booking WHERE "
                                             "Tentative <> 0")
                                  .toInt();
        tentative->SetTentativeFlag(first, 1);
        tentative->SetTentativeFlag(first, 0);
        sb.answer(MsgBox::Ok);
        tentative->DeleteTentativeBooking(first);
        tentative->ConAll_Click();
        tentative->Printbutton_Click();
        Forms::unloadAll();
    });

    run(recorder, "accounts and resources", [&] {
        // An item and an account without bookings: their delete checks read both tables.
        const int32_t item = int32_t(execSql(file, "INSERT INTO lokale (Lokalenavn, lokalinr) "
                                                   "VALUES ('Spare room', "
                                                       + QString::number(gCurrentTypeNo) + ")"));
        auto *items = Forms::get<resitemL>();
        items->Show();
        for (int32_t nr : {gCurrentItemNo, item}) {
            ASSERT_TRUE(items->position(QString("lokalenr = %1").arg(nr)));
            sb.answer(MsgBox::Yes);
            items->DeleteResourceItem();
        }
        Forms::unloadAll();
        const int32_t account = int32_t(execSql(file, "INSERT INTO Konti (Kontonavn, Kontotype) "
                                                      "VALUES ('Nobody', 'p')"));
        auto *accounts = Forms::get<Kontoliste>();
        accounts->Show();
        accounts->OptPri_Click();
        for (int32_t id : {2, account}) {
            for (int row = 0; row < accounts->acclist->RowCount(); ++row) {
                if (accounts->acclist->RowData(row) == id)
                    accounts->acclist->setSelectedRow(row);
            }
            sb.answer(MsgBox::Yes);
            accounts->Slet_Click();
        }
        Forms::unloadAll();
    });

    run(recorder, "receipts", [&] {
        auto *single = Reports::get<enkeltkvitto>();
        single->setBookingnr(QString::number(booking));
        single->Show();
        auto *multiple = Reports::get<multikvitto>();
        multiple->setGennr(QString::number(series));
        multiple->Show();
    });

    run(recorder, "search", [&] {
        auto *search = Forms::get<Searchform>();
        search->Show();
        search->Form_Activate();
        for (const char *keyword : {"", "board", "12", "Holm"})
            search->SSB->setText(QString::fromUtf8(keyword));
        for (QRadioButton *kind : {search->Optdom, search->Optadd, search->OptSA, search->optall}) {
            kind->setChecked(true);
            search->Sort_Click();
        }
        search->SSB->clear();
        if (search->SList->RowCount() > 0) {
            search->SList->setSelectedRow(0);
            search->Info_Click();
        }
        Forms::unloadAll();
    });

    run(recorder, "period reports", [&] {
        auto *overview = Forms::get<datobookingperiode>();
        overview->fradato->pick(QDate(2026, 12, 1));
        overview->tildato->pick(QDate(2026, 12, 31));
        for (QRadioButton *kind : {overview->AltAll, overview->AltDom, overview->AltAdd,
                                   overview->AltStand}) {
            kind->setChecked(true);
            overview->uds_Click();
        }
        Forms::get<datoarkivperiodeht>()->Kommandoknap22_Click();
        auto *details = Forms::get<datoarkivperiodeAC>();
        details->knr->setBoundText(2);
        details->Kommandoknap22_Click();
        Forms::unloadAll();
    });

    // The fixed week schedule reads the series of the week view's item, not every series.
    int fixedWeek = 0;
    for (const Seen &s : recorder.seen) {
        if (!s.sql.contains("fastugetest"))
            continue;
        ++fixedWeek;
        EXPECT_TRUE(s.plan.join('\n').contains("booking_Lokalenr_Bdato (Lokalenr=?)"))
            << s.sql.toStdString() << "\n" << s.plan.join('\n').toStdString();
    }
    EXPECT_EQ(fixedWeek, 1);
    std::vector<bool> used(kExceptions.size(), false);
    for (const Seen &s : recorder.seen) {
        for (const QString &line : s.plan)
            EXPECT_FALSE(line.startsWith("cannot explain")) << line.toStdString();
        const QStringList walks = recorder.walks(s);
        if (walks.isEmpty())
            continue;
        bool excepted = false;
        for (size_t i = 0; i < kExceptions.size(); ++i) {
            const Exception &e = kExceptions[i];
            if (s.step == QString::fromUtf8(e.step)
                && s.sql.contains(QString::fromUtf8(e.text))) {
                used[i] = true;
                excepted = true;
            }
        }
        EXPECT_TRUE(excepted) << s.step.toStdString() << ": " << s.sql.toStdString() << "\n  "
                              << walks.join("\n  ").toStdString();
    }
    for (size_t i = 0; i < kExceptions.size(); ++i) {
        EXPECT_TRUE(used[i])
            << "no statement needs the exception any longer: " << kExceptions[i].step << ": "
            << kExceptions[i].text;
    }
    // Each step reached the bookingfile.
    for (const char *step : {"start-up with the archiving", "day view", "day view commands",
                             "item menu", "week view", "booking form", "grid edits",
                             "repeat dates and alternatives", "picked dates", "series add", "series update and delete", "lists",
                             "accounts and resources",
                             "receipts", "search", "period reports"})
        EXPECT_TRUE(recorder.steps.contains(QString::fromUtf8(step))) << step;
}

// The finder of walks reads the plan under the names and aliases that the statement and the
// views it reads give the two tables.
TEST_F(QueryPlans, AWalkIsFoundUnderAnAliasAndThroughAView)
{
    PlanRecorder recorder(file);
    auto db = Dao::Database::open(file);
    struct Case
    {
        const char *sql;
        bool walks;
    };
    const Case cases[] = {
        {"SELECT * FROM booking WHERE Bookingnr = 5", false},
        {"SELECT * FROM booking WHERE Beskrivelse = 'x'", true},
        {"SELECT * FROM booking AS b WHERE b.Beskrivelse = 'x'", true},
        {"SELECT * FROM [Booking] x WHERE x.Beskrivelse = 'x'", true},
        {"SELECT * FROM bookingarkiv a WHERE a.Beskrivelse = 'x'", true},
        {"SELECT * FROM bookingarkiv a WHERE a.kontonr = 2", false},
        {"SELECT * FROM Konti b WHERE b.Kontonavn = 'x'", false},
        {"SELECT * FROM bookingfor WHERE Beskrivelse = 'x'", true},
        {"SELECT * FROM bookingfor WHERE Bookingnr = 5", false},
        {"SELECT count(*) FROM booking", true},
        {"SELECT \"Bookingnr\", * FROM \"booking\" ORDER BY \"Bookingnr\" LIMIT 1", false},
        {"SELECT * FROM booking ORDER BY Beskrivelse LIMIT 1", true},
        {"SELECT * FROM booking WHERE Beskrivelse = 'x' ORDER BY Bookingnr LIMIT 1", true},
        {"SELECT * FROM bookingtent", false},   // a partial index of the tentative ones
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        db->OpenRecordset(QString::fromUtf8(c.sql), Dao::Bindings{});
        ASSERT_FALSE(recorder.seen.empty());
        EXPECT_EQ(!recorder.walks(recorder.seen.back()).isEmpty(), c.walks)
            << recorder.seen.back().plan.join("\n").toStdString();
    }
}

} // namespace
