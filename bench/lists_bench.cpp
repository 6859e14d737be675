// Times the fills of the booking lists on a bookingfile of 2,000,000 bookings over two years:
// a user's bookings over a year, one day's bookings and the series expiring in a month.

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"
#include "reports/gudloebover.h"
#include "reports/myboo.h"
#include "reports/todays.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int Items = 300;
constexpr int Accounts = 1000;
constexpr int Bookings = 2000000;
constexpr int Days = 730;
const QDate FirstDate(2026, 1, 1);
const int32_t FirstDay = Extrafunktioner::DateToDayNumber(FirstDate);

void exec(sqlite3 *db, const QString &sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// 300 items of the three kinds; 1000 accounts, of which the user (2) is in three: her own, a
// group she owns and one she is a member of; bookings spread evenly over items, accounts and
// two years; one in ten of them belongs to a weekly series of ten bookings.
QString makeBookingfile(const QString &folder)
{
    const QString path = folder + "/lists.mdb";
    if (!QFile::copy(QStringLiteral(VANTIX_BUILD_DIR) + "/Emptydatabase.mdb", path))
        throw std::runtime_error("cannot copy Emptydatabase.mdb; build the databases first");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, "BEGIN");
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, "
                     "Gruppeart) SELECT i, 'Item ' || i, 1 + i % 3, 1 + i % 3 FROM n")
                 .arg(Items));
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO Konti (ID, Kontonavn, Kontotlf, Kontotype, "
                     "kontoowner) SELECT i, 'Account ' || i, '86 12 34 ' || i, "
                     "CASE WHEN i % 2 = 0 THEN 'p' ELSE 'g' END, "
                     "CASE WHEN i % 2 = 0 THEN i ELSE i + 1 END FROM n")
                 .arg(Accounts + 1));
    exec(db, "INSERT INTO grptilk (gnr, pnr) SELECT ID, ID FROM Konti WHERE Kontotype = 'p';"
             "INSERT INTO grptilk (gnr, pnr) SELECT ID, ID + 1 FROM Konti WHERE Kontotype = 'g';"
             "UPDATE Konti SET kontoowner = 2 WHERE ID = 3;"   // Anna owns group 3 ...
             "INSERT INTO grptilk (gnr, pnr) VALUES (3, 2), (5, 2);");   // ... and is in 5
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, "
                     "bslut, Bgruppe, Lokalenr, kontonr, gentagende, gennr) SELECT i, "
                     "'Booking ' || i, %2 + (i * 7919) % %3, 420 + (i * 104729) % 24 * 30, "
                     "480 + (i * 104729) % 24 * 30, 1, 1 + (i * 31) % %4, 2 + i % %5, "
                     "0, NULL FROM n")
                 .arg(Bookings)
                 .arg(FirstDay)
                 .arg(Days)
                 .arg(Items)
                 .arg(Accounts));
    // Every tenth booking becomes part of a weekly series: ten bookings a week apart.
    exec(db, QString("UPDATE booking SET gentagende = 1, gennr = Bookingnr / 100, "
                     "Bdato = %1 + (Bookingnr / 100 * 37) % (%2 - 70) + (Bookingnr / 10 % 10) * 7 "
                     "WHERE Bookingnr % 10 = 0")
                 .arg(FirstDay)
                 .arg(Days));
    exec(db, "COMMIT");
    sqlite3_close(db);
    return path;
}

void BM_MyBookingsOverAYear(benchmark::State &state)
{
    auto *m = Forms::get<myboo>();
    m->slutdate->pick(FirstDate.addDays(365));
    for (auto _ : state) {
        m->MBlist->ClearRows();
        m->FillMyBookings();
    }
    state.counters["rows"] = m->MBlist->RowCount();
}

void BM_TodaysBookings(benchmark::State &state)
{
    auto *t = Forms::get<Todays>();
    t->Fixdate->setDate(FirstDate.addDays(100));
    for (auto _ : state) {
        t->Todaylist->ClearRows();
        t->FillTodayList();
    }
    state.counters["rows"] = t->Todaylist->RowCount();
}

void BM_ExpiringSeriesOfAMonth(benchmark::State &state)
{
    auto *g = Forms::get<gudløbover>();
    for (auto _ : state) {
        g->ul->ClearRows();
        g->FillExpiryList();
    }
    state.counters["rows"] = g->ul->RowCount();
}

BENCHMARK(BM_MyBookingsOverAYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TodaysBookings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpiringSeriesOfAMonth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    System::setProgramFolder(folder.path());
    System::setNow(QDateTime(FirstDate.addDays(200), QTime(9, 0)));
    MsgBox::setHandler([](const MsgBox::Shown &shown) {
        fprintf(stderr, "message: %s\n", qPrintable(shown.text));
        return int(MsgBox::Ok);
    });
    using namespace Generalen;
    gDatabasePath = makeBookingfile(folder.path());
    gUserNo = 2;
    gDateFormat = "dd-mm-yyyy";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::unloadAll();
    return 0;
}
