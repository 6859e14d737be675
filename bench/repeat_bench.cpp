// Times the repeated bookings on a bookingfile of 2,000,000 bookings over one resource type of
// 300 items: the double-booking tests of a daily series over a year, the alternatives of one
// date, and booking a series of 365 dates.

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
#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int Items = 300;
constexpr int Bookings = 2000000;
constexpr int Days = 730;
const int32_t FirstDay = Extrafunktioner::DateToDayNumber(QDate(2026, 1, 1));
constexpr int HeadBooking = Bookings + 1;

void exec(sqlite3 *db, const QString &sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// Items 1 to 300 of type 1; bookings of an hour or two spread over two years, about nine per
// item and day; booking HeadBooking on item 1 at 12:00-14:00 on the first day.
QString makeBookingfile(const QString &folder)
{
    const QString path = folder + "/repeat.mdb";
    if (!QFile::copy(QStringLiteral(VANTIX_BUILD_DIR) + "/Emptydatabase.mdb", path))
        throw std::runtime_error("cannot copy Emptydatabase.mdb; build the databases first");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, "BEGIN");
    exec(db, "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) "
             "VALUES (1, 'Rooms', 1);"
             "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, gruppeart) "
             "VALUES (1, 'Rooms', 1, 1);"
             "INSERT INTO Konti (ID, Kontonavn, Kontotype) VALUES (2, 'Anna', 'p');"
             "INSERT INTO grptilk (gnr, pnr) VALUES (2, 2);");
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, "
                     "Gruppeart, gebyr) SELECT i, 'Room ' || i, 1, 1, 100 FROM n")
                 .arg(Items));
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, "
                     "bslut, Bgruppe, Lokalenr, kontonr, curacname) SELECT i, 'Booking', "
                     "%2 + (i * 7919) % %3, 420 + (i * 104729) % 24 * 30, "
                     "480 + (i * 104729) % 24 * 30 + (i % 2) * 60, 1, 1 + (i * 31) % %4, 2, "
                     "'Anna' FROM n")
                 .arg(Bookings)
                 .arg(FirstDay)
                 .arg(Days)
                 .arg(Items));
    exec(db, QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, "
                     "Lokalenr, kontonr, curacname, bvpris) VALUES (%1, 'Weekly', %2, 720, 840, "
                     "1, 1, 2, 'Anna', 1);"
                     "UPDATE næstenøgle SET nextkey = %3;")
                 .arg(HeadBooking)
                 .arg(FirstDay)
                 .arg(HeadBooking + 1));
    exec(db, "COMMIT");
    sqlite3_close(db);
    return path;
}

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
    gDatabasePath = makeBookingfile(folder.path());
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
