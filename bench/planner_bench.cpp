// Times the day view's and the week view's refresh on bookingfiles of 5,000 to 500,000
// bookings over 300 resource items. A refresh must cost what it shows, not what the file holds.

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/plannergrid.h"
#include "platform/system.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <map>
#include <random>
#include <stdexcept>

namespace {

constexpr int Types = 30;
constexpr int ItemsPerType = 10;
constexpr int Days = 730;
const int32_t FirstDay = Extrafunktioner::DateToDayNumber(QDate(2024, 1, 1));
const int32_t ShownDay = FirstDay + 400;
constexpr int ShownType = 7;
constexpr int ShownItem = 65;

int32_t ShownWeekStart()
{
    using namespace Extrafunktioner;
    return DateToDayNumber(WeekStartDate(DayNumberToDate(ShownDay)));
}

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void exec(sqlite3 *db, const char *sql)
{
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

// A copy of the empty bookingfile with 30 types of 10 items each and `bookings` bookings spread
// over two years, in booking number order.
QString makeBookingfile(const QString &folder, int bookings)
{
    const QString path = folder + QString("/bench%1.mdb").arg(bookings);
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(VANTIX_BUILD_DIR) + "/Emptydatabase.mdb", path))
        throw std::runtime_error("cannot copy Emptydatabase.mdb; build the databases first");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db);
    exec(db, "BEGIN");
    exec(db, "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) "
             "VALUES (1, 'Rooms', 1)");
    for (int t = 1; t <= Types; ++t) {
        const QByteArray type = QString("INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, "
                                        "Overgruppenr) VALUES (%1, 'Type %1', 1)")
                                    .arg(t)
                                    .toUtf8();
        exec(db, type.constData());
        for (int i = 1; i <= ItemsPerType; ++i) {
            const int item = (t - 1) * ItemsPerType + i;
            const QByteArray sql = QString("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, "
                                           "inaktiv) VALUES (%1, 'Item %1', %2, 0)")
                                       .arg(item)
                                       .arg(t)
                                       .toUtf8();
            exec(db, sql.constData());
        }
    }
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                             "Bcolor, Bgruppe, Lokalenr, kontonr, curacname, Tentative) "
                             "VALUES (?, ?, ?, ?, ?, 255, ?, ?, 1, 'Administrator', 0)",
                             -1, &st, nullptr),
          db);
    auto add = [&](int nr, int item, int day, int start) {
        const QByteArray text = QString("Booking %1").arg(nr).toUtf8();
        sqlite3_bind_int(st, 1, nr);
        sqlite3_bind_text(st, 2, text.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 3, day);
        sqlite3_bind_int(st, 4, start);
        sqlite3_bind_int(st, 5, start + 60);
        sqlite3_bind_int(st, 6, (item - 1) / ItemsPerType + 1);
        sqlite3_bind_int(st, 7, item);
        check(sqlite3_step(st), db);
        sqlite3_reset(st);
    };
    // The bulk lies outside the shown week, so every file shows the same bookings below and
    // only the table's size differs.
    std::mt19937 random(7);
    const int32_t weekStart = ShownWeekStart();
    for (int nr = 1; nr <= bookings; ++nr) {
        const int item = int(random() % (Types * ItemsPerType)) + 1;
        int day = FirstDay + int(random() % Days);
        if (day >= weekStart && day <= weekStart + 6)
            day += 7;
        add(nr, item, day, 480 + int(random() % 20) * 30);
    }
    // The shown day: 24 bookings on the ten items of type 7; the shown week of item 65: two a day.
    int nr = bookings;
    for (int i = 0; i < 24; ++i)
        add(++nr, ShownType * ItemsPerType - ItemsPerType + 1 + i % ItemsPerType, ShownDay,
            480 + (i / ItemsPerType) * 120);
    for (int d = 0; d < 7; ++d) {
        add(++nr, ShownItem, weekStart + d, 1020);
        add(++nr, ShownItem, weekStart + d, 1140);
    }
    sqlite3_finalize(st);
    exec(db, "COMMIT");
    sqlite3_close(db);
    return path;
}

QTemporaryDir *g_folder = nullptr;

const QString &bookingfile(int bookings)
{
    static std::map<int, QString> files;
    auto it = files.find(bookings);
    if (it == files.end())
        it = files.emplace(bookings, makeBookingfile(g_folder->path(), bookings)).first;
    return it->second;
}

void useFile(int bookings)
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
    gCurrentTypeNo = ShownType;
    gCurrentItemNo = ShownItem;
    gCurrentDay = ShownDay;
    gWeekStartDay = ShownWeekStart();
}

void BM_RefreshDayView(benchmark::State &state)
{
    useFile(int(state.range(0)));
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

BENCHMARK(BM_RefreshDayView)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshWeekView)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

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
