// One table of figures: the median time of the program's main steps on bookingfiles of
// 20,000, 500,000 and 2,000,000 bookings (benchfile.h), with the ratio of the biggest file's
// figure to the smallest's. Not run by the tests; scripts/bench.sh builds and runs it.
//
//   bench_table [--quick] [--only TEXT] [sizes...]     e.g. bench_table 20000 2000000
//
// --only runs just the steps whose name holds TEXT (case-blind); it may be given more than once.
// --cpu times the processor time of the program's main thread instead of the time on the clock:
// steadier on a busy machine, but blind to waits for the disk and to other threads' work.
// --memory runs each step once instead, closing its windows after it, and gives the peak of the
// program's resident memory over them: every list and report used once.

#include "benchfile.h"

#include "bookings/alternat.h"
#include "bookings/bookingform.h"
#include "bookings/fastgen.h"
#include "bookings/repeatseries.h"
#include "bookings/tentbookings.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "core/start.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/application.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/report/printing.h"
#include "platform/system.h"
#include "reports/archiveperioddialogs.h"
#include "reports/archivereports.h"
#include "reports/datobookingperiode.h"
#include "reports/enkeltkvitto.h"
#include "reports/gudloebover.h"
#include "reports/multikvitto.h"
#include "reports/myboo.h"
#include "reports/overview.h"
#include "reports/searchform.h"
#include "reports/todays.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

using namespace Generalen;

struct Step
{
    QString name;
    std::function<void()> run;               // what is timed
    std::function<void()> prepare = nullptr; // before each run, not timed
    std::function<void()> after = nullptr;   // after each run, not timed
    int runs = 0;   // when set: this many runs, the first of them a warm-up unless it is the
                    // only one (a step whose own work or whose after takes long)
};

struct Options
{
    double budgetMs = 1500;   // time spent on one step of one file, warm-up aside
    int maxRuns = 25;
    int minRuns = 3;
};

Options g_options;
bool g_cpuTime = false;
bool g_memory = false;

// Nanoseconds: on the clock, or of the main thread's processor time with --cpu.
qint64 clockNow()
{
    if (!g_cpuTime) {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        return clock.nsecsElapsed();
    }
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}
QString g_programFolder;
int g_bookings = 0;
int g_messages = 0;

void execOnFile(const QString &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(gDatabasePath.toUtf8().constData(), &db) != SQLITE_OK
        || sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(error);
    }
    sqlite3_close(db);
}

// The median of the runs after one warm-up run, in milliseconds. A step whose warm-up takes
// long runs the fewest times.
double median(const Step &step)
{
    auto once = [&] {
        if (step.prepare)
            step.prepare();
        const qint64 start = clockNow();
        step.run();
        const double ms = double(clockNow() - start) / 1e6;
        if (step.after)
            step.after();
        return ms;
    };
    if (step.runs == 1)
        return once();
    const double warmup = once();
    std::vector<double> runs;
    double spent = 0;
    const int most = step.runs ? step.runs - 1 : g_options.maxRuns;
    const int least = step.runs ? step.runs - 1 : g_options.minRuns;
    while (int(runs.size()) < most
           && (int(runs.size()) < least || spent + warmup < g_options.budgetMs)) {
        runs.push_back(once());
        spent += runs.back();
    }
    std::sort(runs.begin(), runs.end());
    const size_t n = runs.size();
    return n % 2 ? runs[n / 2] : (runs[n / 2 - 1] + runs[n / 2]) / 2;
}

QDate dateOf(int32_t day) { return Extrafunktioner::DayNumberToDate(day); }

// Lets the shown windows lay themselves out and paint, as the event loop does after a step.
void settle() { QCoreApplication::processEvents(); }

// The day view shown on a type and day, settled, so that a step meets it as a user does.
void showDayView(int32_t type, int32_t day)
{
    gCurrentTypeNo = type;
    gCurrentDay = day;
    auto *view = Forms::get<Calendar>();
    if (!view->isVisible())
        view->Show();
    view->RefreshDayView();
    settle();
}

// The peak of the program's resident memory since the last reset, in MB; -1 where the system
// does not tell.
void resetPeakMemory()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double peakMemoryMb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

void setClock(int32_t day) { System::setNow(QDateTime(dateOf(day), QTime(10, 0))); }

// What a login of the administrator leaves behind.
void logIn()
{
    gUserLogin = "admin";
    gUserName = "Administrator";
    gUserNo = 1;
    gIsAdmin = true;
    gLoginOk = true;
}

// Starts the program on the file as a user would, with the administrator logged in.
void startOn(const QString &path)
{
    Forms::unloadAll();
    setClock(BenchFile::todayNumber());
    start::StoreBookingfilePath(path);
    if (!start::StartUp())
        throw std::runtime_error("start-up refused " + path.toStdString());
    Forms::unloadAll();
    logIn();
}

// Bookings the step made, taken out again so that every run starts from the same file.
std::function<void()> removeBookingsFrom(const int32_t *first)
{
    return [first] { execOnFile(QString("DELETE FROM booking WHERE Bookingnr >= %1").arg(*first)); };
}

int32_t nextBookingNumber()
{
    return int32_t(Extrafunktioner::LookupWhere("nextkey", "næstenøgle", "ID = 1").toLongLong());
}

QList<int32_t> yearOfDays()
{
    QList<int32_t> days;
    for (int d = 1; d <= 365; ++d)
        days.append(BenchFile::todayNumber() + d);
    return days;
}

void clearDates()
{
    Queries::SqlClearGenDates();
    RepeatSeries::ExecutePaths();
}

std::vector<Step> steps()
{
    const int32_t week = BenchFile::shownWeek();
    const int32_t shownDay = week + 2;
    // 09:00 to 10:00 on item 1: the odd items are booked then in the shown week.
    const RepeatSeries::Slot morning{1, 9 * 3600, 10 * 3600};
    // 12:00 to 14:00 of item 1, which some bulk bookings overlap.
    const RepeatSeries::Slot noon{1, 12 * 3600, 14 * 3600};
    static int32_t firstNew = 0;
    static QList<int32_t> prepared;
    static int32_t dueDay = 0;

    std::vector<Step> out;
    out.push_back({"Day view, type of 10 items", [=] {
                       gCurrentTypeNo = BenchFile::SmallType;
                       gCurrentDay = shownDay;
                       Forms::get<Calendar>()->RefreshDayView();
                   }});
    out.push_back({"Day view, type of 300 items", [=] {
                       gCurrentTypeNo = BenchFile::BigType;
                       gCurrentDay = shownDay;
                       Forms::get<Calendar>()->RefreshDayView();
                   }});
    out.push_back({"Week view", [=] {
                       gCurrentItemNo = 1;
                       gWeekStartDay = week;
                       Forms::get<CalMdag>()->RefreshWeekView();
                   }});
    // An ordinary day of the bulk bookings (about 2,650 of them in the type of 300 on the file
    // of 2,000,000), read and drawn on the shown day view.
    out.push_back({"Day view, an ordinary day (type of 300)",
                   [] {
                       Forms::get<Calendar>()->RefreshDayView();
                       settle();
                   },
                   [] {
                       showDayView(BenchFile::BigType, BenchFile::ordinaryDay());
                       static int turn = 0;
                       gCurrentDay = BenchFile::ordinaryDay() + turn++ % 2;
                   }});
    // What a user waits for from the double-click on a booking of the day view to the booking
    // form drawn: the form is built anew, as each Ok unloads it.
    out.push_back({"Booking form, the whole open (double-click to form shown)",
                   [] {
                       auto *day = Forms::get<Calendar>();
                       day->cc_ItemDblClick(day->cc->SelectedItem());
                       settle();
                       if (!Forms::isLoaded<bookingform>()
                           || !Forms::get<bookingform>()->isVisible())
                           throw std::runtime_error("the booking form did not open");
                   },
                   [=] {
                       Forms::unload<bookingform>();
                       // Item 2's two bookings on the first day of the shown week.
                       showDayView(BenchFile::BigType, week);
                       static int turn = 0;
                       const int32_t booking = BenchFile::singleBooking(g_bookings) + turn++ % 2;
                       auto *day = Forms::get<Calendar>();
                       if (!day->cc->SelectItemByKey(QString::number(booking)))
                           throw std::runtime_error("the booking is not in the day view");
                   },
                   [] { Forms::unload<bookingform>(); }});
    // The form is open, as after the first booking a user opens; two bookings in turn.
    out.push_back({"Booking form, open a booking", [] {
                       static int turn = 0;
                       Forms::get<bookingform>()->ShowBooking(
                           BenchFile::singleBooking(g_bookings) + 2 * (turn++ % 2));
                   }});
    out.push_back({"Single receipt", [] {
                       auto *receipt = Reports::get<enkeltkvitto>();
                       receipt->setBookingnr(QString::number(BenchFile::singleBooking(g_bookings)));
                       receipt->taxbool->setValue(true);
                       receipt->Show();
                   }});
    out.push_back({"Multiple receipt (14 bookings)", [] {
                       auto *receipt = Reports::get<multikvitto>();
                       receipt->setGennr(QString::number(BenchFile::seriesNumber(g_bookings)));
                       receipt->taxbool->setValue(true);
                       receipt->Show();
                   }});
    out.push_back({"Repeat dates of a year (365 daily)",
                   [=] {
                       RepeatSeries::DoubleBookingTest test(gDatabasePath);
                       prepared = RepeatSeries::AddDates(yearOfDays(), noon, test);
                   },
                   [] { clearDates(); }});
    // What a user waits for at "Generate dates": the same tests and the list of 365 rows.
    out.push_back({"Repeat dialog, generate a year (daily)",
                   [] {
                       auto *f = Forms::get<fastgen>();
                       f->Udvalg_Click();
                       if (f->genbook->RowCount() != 365)
                           throw std::runtime_error("the year was not generated");
                   },
                   [=] {
                       Forms::unloadAll();
                       gCurrentDay = BenchFile::todayNumber();
                       Forms::get<bookingform>()->ShowBooking(BenchFile::singleBooking(g_bookings));
                       Forms::get<bookingform>()->genkn_Click();
                       auto *f = Forms::get<fastgen>();
                       f->Option1_Click();
                       f->slcoy->pick(dateOf(BenchFile::todayNumber() + 365));
                   },
                   [] {
                       Forms::unloadAll();
                       clearDates();
                   }});
    out.push_back({"Alternatives, type of 300 items",
                   [] { Alternat::FindAlternativeResources(prepared.first(), 1, gDatabasePath); },
                   [=] {
                       clearDates();
                       gCurrentTypeNo = BenchFile::BigType;
                       RepeatSeries::DoubleBookingTest test(gDatabasePath);
                       prepared = RepeatSeries::AddDates({shownDay}, morning, test);
                   }});
    out.push_back({"Book a 365-date series",
                   [] {
                       const RepeatSeries::Origin origin = RepeatSeries::currentOrigin();
                       if (!RepeatSeries::BookDates(origin, prepared, 16777215))
                           throw std::runtime_error("the series was not booked");
                   },
                   [=] {
                       Forms::unloadAll();
                       clearDates();
                       Forms::get<bookingform>()->ShowBooking(BenchFile::singleBooking(g_bookings));
                       RepeatSeries::DoubleBookingTest test(gDatabasePath);
                       prepared = RepeatSeries::AddDates(yearOfDays(), noon, test);
                       firstNew = nextBookingNumber();
                   },
                   [] {
                       Forms::unloadAll();
                       removeBookingsFrom(&firstNew)();
                       execOnFile(QString("UPDATE booking SET gennr = NULL, gentagende = 0 "
                                          "WHERE Bookingnr = %1")
                                      .arg(BenchFile::singleBooking(g_bookings)));
                   }});
    out.push_back({"Booking overview of a week", [=] {
                       auto *dialog = Forms::get<datobookingperiode>();
                       dialog->tildato->pick(dateOf(week + 6));
                       dialog->fradato->pick(dateOf(week));
                       dialog->uds_Click();
                   }});
    out.push_back({"Period totals of a month", [] {
                       const int32_t t = BenchFile::todayNumber();
                       auto *dialog = Forms::get<datoarkivperiodeht>();
                       dialog->cstart->pick(dateOf(t - 61));
                       dialog->cend->pick(dateOf(t - 31));
                       dialog->Kommandoknap22_Click();
                   }});
    out.push_back({"Period details, one account, a year", [] {
                       auto *dialog = Forms::get<datoarkivperiodeAC>();
                       dialog->knr->setBoundText(2);
                       dialog->Kommandoknap22_Click();
                   }});
    // The lists; each run changes the period or keyword, so that each refills.
    out.push_back({"My bookings over a year", [] {
                       static int turn = 0;
                       auto *list = Forms::get<myboo>();
                       list->slutdate->pick(dateOf(BenchFile::todayNumber() + 365 - turn++ % 2));
                   }});
    out.push_back({"Today's bookings (620)", [=] {
                       static int turn = 0;
                       Forms::get<Todays>()->Fixdate->pick(dateOf(shownDay + turn++ % 2));
                   }});
    out.push_back({"Expiring series, a month", [] {
                       static int turn = 0;
                       Forms::get<gudløbover>()->cend->pick(
                           dateOf(BenchFile::todayNumber() + 31 - turn++ % 2));
                   }});
    out.push_back({"Tentative bookings list",
                   [] { Forms::get<TentBookings>()->RefreshTentativeList(); }});
    out.push_back({"Search refill, half a year", [] {
                       static int turn = 0;
                       const bool fresh = !Forms::isLoaded<Searchform>();
                       auto *search = Forms::get<Searchform>();
                       if (fresh)
                           search->Form_Activate();
                       {
                           const QSignalBlocker quiet(search->SSB);
                           search->SSB->setText(turn++ % 2 ? "Shown 2" : "Shown 3");
                       }
                       search->Reload();
                   }});
    // The search opened afresh lists the first 2,000 bookings of the half year; the first
    // keystroke after it, of a keyword that nothing holds, reads the whole half year.
    out.push_back({"Search, opened (2,000 of half a year)",
                   [] { Forms::get<Searchform>()->Form_Activate(); },
                   [] { Forms::unload<Searchform>(); }});
    out.push_back({"Search, first keystroke, no match",
                   [] {
                       static int turn = 0;
                       Forms::get<Searchform>()->SSB->setText(turn++ % 2 ? "zzq" : "zzy");
                   },
                   [] {
                       Forms::unload<Searchform>();
                       Forms::get<Searchform>()->Form_Activate();
                   },
                   [] { Forms::unload<Searchform>(); }});
    // A month's keystrokes with a keyword that nothing holds: the whole month is read.
    out.push_back({"Search refill, a month, no match",
                   [] {
                       static int turn = 0;
                       auto *search = Forms::get<Searchform>();
                       {
                           const QSignalBlocker quiet(search->SSB);
                           search->SSB->setText(turn++ % 2 ? "zzz 1" : "zzz 2");
                       }
                       search->Reload();
                   },
                   [] {
                       const bool fresh = !Forms::isLoaded<Searchform>();
                       auto *search = Forms::get<Searchform>();
                       if (fresh)
                           search->Form_Activate();
                       search->slutdate->pick(dateOf(BenchFile::todayNumber() + 30));
                   }});
    out.push_back({"Start-up, nothing due", [] { start::StartUp(); },
                   [] { setClock(BenchFile::todayNumber()); },
                   [] { Forms::unloadAll(); }});
    // Each run is one day later than the last, with the day before it archived: one day due.
    // With the bench file's delays (30 and 365 days) the run archives a day and purges one; with
    // the program's defaults (3 and 548) it archives a day, and none of the file's bookings is
    // old enough to purge. The first run of the second step catches up the days between the two
    // delays.
    // Start-up times the wait for the login; the day's run behind it (the check of the whole
    // file, the archiving and the purge) is waited for after each run, and timed whole in the
    // rows after, once each: the check reads the whole file.
    const auto dueTomorrow = [](const QString &delays) {
        return [delays] {
            dueDay = dueDay ? dueDay + 1 : BenchFile::todayNumber() + 1;
            execOnFile("UPDATE institutionsoplysninger SET " + delays);
            execOnFile(QString("UPDATE arkiveringsdato SET arkiveringsdato = '%1 00:00:00'")
                           .arg(dateOf(dueDay - 1).toString("yyyy-MM-dd")));
            setClock(dueDay);
        };
    };
    const auto endRun = [] {
        start::WaitForDailyArchiving();
        Forms::unloadAll();
    };
    const std::pair<const char *, const char *> dues[] = {
        {"one day due and one purged", "arCdEl = 30, deldel = 365"},
        {"one day due", "arCdEl = 3, deldel = 548"}};
    for (const auto &[due, delays] : dues) {
        Step login{QString("Start-up, ") + due, [] { start::StartUp(); }, dueTomorrow(delays),
                   endRun};
        login.runs = 4;
        out.push_back(login);
    }
    for (const auto &[due, delays] : dues) {
        Step whole{QString("The day's run behind the login, ") + due, [] {
                       start::StartUp();
                       start::WaitForDailyArchiving();
                   },
                   dueTomorrow(delays), [] { Forms::unloadAll(); }};
        whole.runs = 1;
        out.push_back(whole);
    }
    dueDay = 0;
    return out;
}

QString figure(double ms)
{
    return ms < 10 ? QString::number(ms, 'f', 2) : QString::number(ms, 'f', 1);
}

QString sizeName(int bookings)
{
    QString s = QString::number(bookings);
    for (int i = int(s.size()) - 3; i > 0; i -= 3)
        s.insert(i, ',');
    return s;
}

} // namespace

// The offscreen platform's notes on window calls it ignores.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (QByteArray(context.category ? context.category : "").startsWith("qt.qpa")
        || text.startsWith("This plugin does not support"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg)
        std::abort();
}

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietPlatform);
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The program's own application object, with the memory settings it runs with.
    Application app(argc, argv);
    std::vector<int> sizes;
    QStringList only;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == "--quick") {
            g_options = {300, 5, 1};
        } else if (arg == "--cpu") {
            g_cpuTime = true;
        } else if (arg == "--memory") {
            g_memory = true;
        } else if (arg == "--only" && i + 1 < argc) {
            only << QString::fromLocal8Bit(argv[++i]);
        } else if (arg.toInt() > 0) {
            sizes.push_back(arg.toInt());
        } else {
            std::fprintf(stderr,
                         "usage: %s [--quick] [--cpu] [--memory] [--only TEXT] [bookings...]\n",
                         argv[0]);
            return 2;
        }
    }
    if (sizes.empty())
        sizes = {20000, 500000, 2000000};

    QTemporaryDir folder;
    g_programFolder = folder.path();
    System::setProgramFolder(folder.path());
    const QString build = QStringLiteral(VANTIX_BUILD_DIR);
    if (!QFile::copy(build + "/paths.mdb", folder.filePath("paths.mdb"))) {
        std::fprintf(stderr, "cannot copy paths.mdb; build the target databases first\n");
        return 1;
    }
    QFile::setPermissions(folder.filePath("paths.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    MsgBox::setHandler([](const MsgBox::Shown &shown) {
        ++g_messages;
        std::fprintf(stderr, "message: %s\n", qPrintable(shown.text));
        return int(MsgBox::Ok);
    });
    Forms::setModalRunner([](Form *) {});
    Printing::setPreviewHandler([](const PageModel &, const QString &) {});
    Printing::setPrintHandler([](const PageModel &) { return true; });

    std::vector<QString> names;
    std::map<QString, std::map<int, double>> results;
    try {
        for (int bookings : sizes) {
            g_bookings = bookings;
            QTemporaryDir work;
            const QString path =
                BenchFile::copyTo(work.path(), bookings, build + "/Emptydatabase.mdb");
            startOn(path);
            std::fprintf(stderr, "%s bookings:\n", qPrintable(sizeName(bookings)));
            resetPeakMemory();
            for (const Step &step : steps()) {
                if (!only.isEmpty()
                    && std::none_of(only.begin(), only.end(), [&](const QString &text) {
                           return step.name.contains(text, Qt::CaseInsensitive);
                       }))
                    continue;
                if (g_memory) {
                    // Once, and then its windows closed as a user closes them.
                    Step single = step;
                    single.runs = 1;
                    median(single);
                    Forms::unloadAll();
                    settle();
                    std::fprintf(stderr, "  %-40s peak so far %.1f MB\n",
                                 qPrintable(step.name), peakMemoryMb());
                    continue;
                }
                const double ms = median(step);
                if (!results.count(step.name))
                    names.push_back(step.name);
                results[step.name][bookings] = ms;
                std::fprintf(stderr, "  %-40s %10s ms\n", qPrintable(step.name),
                             qPrintable(figure(ms)));
            }
            Forms::unloadAll();
            System::setNow(QDateTime());
            if (g_memory) {
                const QString name = "Peak memory, MB (each step once)";
                if (!results.count(name))
                    names.push_back(name);
                results[name][bookings] = peakMemoryMb();
            }
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_table: %s\n", e.what());
        return 1;
    }

    // The table, as Markdown.
    QString head = "| Median, ms |";
    QString rule = "|---|";
    for (int bookings : sizes) {
        head += " " + sizeName(bookings) + " |";
        rule += "---:|";
    }
    const bool ratio = sizes.size() > 1;
    if (ratio) {
        head += QString(" %1 / %2 |").arg(sizeName(sizes.back()), sizeName(sizes.front()));
        rule += "---:|";
    }
    std::printf("%s\n%s\n", qPrintable(head), qPrintable(rule));
    for (const QString &name : names) {
        QString row = "| " + name + " |";
        for (int bookings : sizes)
            row += " " + figure(results[name][bookings]) + " |";
        if (ratio) {
            const double small = results[name][sizes.front()];
            row += " " + QString::number(results[name][sizes.back()] / small, 'f', 1) + " |";
        }
        std::printf("%s\n", qPrintable(row));
    }
    if (g_messages)
        std::fprintf(stderr, "%d messages were shown; see above\n", g_messages);
    Forms::unloadAll();
    return 0;
}
