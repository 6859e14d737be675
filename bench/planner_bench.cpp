// Times the day view's and the week view's refresh on bookingfiles of 20,000 to 2,000,000
// bookings (benchfile.h). A refresh must cost what it shows, not what the file holds.

#include "benchfile.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/plannergrid.h"
#include "platform/system.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>

namespace {

// Made at namespace scope, as a day number of a benchmark's constants may be.
const int32_t ShownDay = BenchFile::shownWeek() + 2;
constexpr int ShownItem = 1;

QTemporaryDir *g_folder = nullptr;

const QString &bookingfile(int bookings)
{
    static std::map<int, QString> files;
    auto it = files.find(bookings);
    if (it == files.end()) {
        const QString empty = QStringLiteral(VANTIX_BUILD_DIR) + "/Emptydatabase.mdb";
        it = files.emplace(bookings, BenchFile::copyTo(g_folder->path(), bookings, empty)).first;
    }
    return it->second;
}

void useFile(int bookings, int type = BenchFile::BigType)
{
    using namespace Generalen;
    Forms::unloadAll();
    gDatabasePath = bookingfile(bookings);
    gUserName = "Administrator";
    gUserNo = 1;
    gFirstDay = "1";
    gOpeningTime = 480;
    gClosingTime = 1320;
    gTimeUnits = 30;
    gDateFormat = "dd-mm-yyyy";
    gDateFormat2 = "D N-m-y";
    gCurrentGroupNo = 1;
    gCurrentTypeNo = type;
    gCurrentItemNo = ShownItem;
    gCurrentDay = ShownDay;
    gWeekStartDay = BenchFile::shownWeek();
}

void BM_RefreshDayView(benchmark::State &state)
{
    useFile(int(state.range(0)), int(state.range(1)));
    auto *cal = Forms::get<Calendar>();
    for (auto _ : state)
        cal->RefreshDayView();
    state.counters["columns"] = cal->cc->ColumnCount();
    state.counters["items"] = cal->cc->ItemCount();
}

void BM_RefreshWeekView(benchmark::State &state)
{
    useFile(int(state.range(0)));
    auto *week = Forms::get<CalMdag>();
    for (auto _ : state)
        week->RefreshWeekView();
    state.counters["items"] = week->dd->ItemCount();
}

BENCHMARK(BM_RefreshDayView)
    ->ArgsProduct({{20000, 500000, 2000000}, {BenchFile::SmallType, BenchFile::BigType}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshWeekView)->Arg(20000)->Arg(500000)->Arg(2000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    g_folder = &folder;
    Generalen::gFirstDay = "1";
    System::setProgramFolder(folder.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::unloadAll();
    return 0;
}
