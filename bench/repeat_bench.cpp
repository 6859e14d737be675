// Times the repeated bookings on a bookingfile of 2,000,000 bookings (benchfile.h), on its
// resource type of 300 items: the double-booking tests of a daily series over a year, the alternatives of one
// date, and booking a series of 365 dates.

#include "benchfile.h"

#include "bookings/alternat.h"
#include "bookings/bookingform.h"
#include "bookings/repeatseries.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int Bookings = 2000000;
const int32_t FirstDay = BenchFile::todayNumber();
const int32_t HeadBooking = BenchFile::singleBooking(Bookings);

QList<int32_t> yearOfDays()
{
    QList<int32_t> days;
    for (int d = 1; d <= 365; ++d)
        days.append(FirstDay + d);
    return days;
}

void clearDates()
{
    Queries::SqlClearGenDates();
    RepeatSeries::ExecutePaths();
}

// 12:00 to 14:00 of item 1, which some bookings of the file overlap.
const RepeatSeries::Slot Slot{1, 43200, 50400};

void BM_GenerateDailySeries(benchmark::State &state)
{
    int doubles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clearDates();
        state.ResumeTiming();
        RepeatSeries::DoubleBookingTest test(Generalen::gDatabasePath);
        const QList<int32_t> ids = RepeatSeries::AddDates(yearOfDays(), Slot, test);
        benchmark::DoNotOptimize(ids);
    }
    clearDates();
    RepeatSeries::DoubleBookingTest test(Generalen::gDatabasePath);
    for (const RepeatSeries::GenDate &g :
         RepeatSeries::ReadDates(RepeatSeries::AddDates(yearOfDays(), Slot, test)))
        doubles += g.db;
    state.counters["dates"] = 365;
    state.counters["double"] = doubles;
}

void BM_FindAlternatives(benchmark::State &state)
{
    clearDates();
    RepeatSeries::DoubleBookingTest test(Generalen::gDatabasePath);
    const int32_t id = RepeatSeries::AddDates({FirstDay + 100}, Slot, test).first();
    for (auto _ : state)
        Alternat::FindAlternativeResources(id, 1, Generalen::gDatabasePath);
    state.counters["free"] = Extrafunktioner::CountPathsRows("*", "AndetLokAlt", "").toInt();
}

void BM_BookSeries(benchmark::State &state)
{
    auto *form = Forms::get<bookingform>();
    form->ShowBooking(HeadBooking);
    const RepeatSeries::Origin origin = RepeatSeries::currentOrigin();
    for (auto _ : state) {
        state.PauseTiming();
        clearDates();
        RepeatSeries::DoubleBookingTest test(Generalen::gDatabasePath);
        const QList<int32_t> ids = RepeatSeries::AddDates(yearOfDays(), Slot, test);
        state.ResumeTiming();
        if (!RepeatSeries::BookDates(origin, ids, 16777215))
            state.SkipWithError("the series was not booked");
    }
    state.counters["dates"] = 365;
}

BENCHMARK(BM_GenerateDailySeries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAlternatives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BookSeries)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    System::setProgramFolder(folder.path());
    if (!QFile::copy(QStringLiteral(VANTIX_BUILD_DIR) + "/paths.mdb", folder.filePath("paths.mdb")))
        return 1;
    QFile::setPermissions(folder.filePath("paths.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    MsgBox::setHandler([](const MsgBox::Shown &shown) {
        fprintf(stderr, "message: %s\n", qPrintable(shown.text));
        return int(MsgBox::Ok);
    });
    using namespace Generalen;
    gDatabasePath = BenchFile::copyTo(folder.path(), Bookings,
                                      QStringLiteral(VANTIX_BUILD_DIR) + "/Emptydatabase.mdb");
    gUserNo = 2;
    gIsAdmin = true;
    gDateFormat = "dd-mm-yyyy";
    gCurrentTypeNo = 1;
    gCurrentDay = FirstDay;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::unloadAll();
    return 0;
}
