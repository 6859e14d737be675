// Times the search's refill on each keystroke and the tentative list on a bookingfile of
// 2,000,000 bookings spread over two years (about 82,000 a month) on 300 items of three kinds,
// one booking in a hundred tentative.

#include "bookings/tentbookings.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"
#include "reports/searchform.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int Items = 300;
constexpr int Bookings = 2000000;
constexpr int Days = 730;
const QDate FirstDate(2026, 1, 1);
const int32_t FirstDay = Extrafunktioner::DateToDayNumber(FirstDate);

void exec(sqlite3 *db, const QString &sql)
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

QString makeBookingfile(const QString &folder)
{
    const QString path = folder + "/search.mdb";
    if (!QFile::copy(QStringLiteral(VANTIX_BUILD_DIR) + "/Emptydatabase.mdb", path))
        throw std::runtime_error("cannot copy Emptydatabase.mdb; build the databases first");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, "BEGIN");
    exec(db, "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) VALUES "
             "(1, 'Rooms', 1), (2, 'AV', 2), (3, 'Cars', 3);"
             "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, gruppeart) "
             "VALUES (1, 'Rooms', 1, 1), (2, 'Projectors', 2, 2), (3, 'Vans', 3, 3);");
    exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
             "INSERT INTO Konti (ID, Kontonavn, Kontotype, Kontotlf) "
             "SELECT 10 + i, 'Account ' || i, 'p', '86 00 ' || i FROM n");
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, "
                     "Gruppeart, gebyr) SELECT i, 'Item ' || i, 1 + i % 3, 1 + i % 3, 100 "
                     "FROM n")
                 .arg(Items));
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < %1) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, "
                     "bslut, Bgruppe, Lokalenr, kontonr, Tentative) SELECT i, "
                     "'Meeting on Æbletræ ' || (i % 97), %2 + (i * 7919) % %3, "
                     "420 + (i * 104729) % 24 * 30, 480 + (i * 104729) % 24 * 30, "
                     "1 + ((i * 31) % %4) % 3, 1 + (i * 31) % %4, 11 + i % 200, "
                     "i % 100 = 0 FROM n")
                 .arg(Bookings)
                 .arg(FirstDay)
                 .arg(Days)
                 .arg(Items));
    exec(db, "COMMIT");
    sqlite3_close(db);
    return path;
}

Searchform *monthSearch()
{
    auto *f = Forms::get<Searchform>();
    f->Form_Activate();
    f->slutdate->pick(System::today().addDays(30));
    return f;
}

// A keystroke's refill: the keyword of the argument's case over a month of every kind.
void BM_SearchKeystroke(benchmark::State &state)
{
    static const char *const keywords[] = {"", "meeting on æbletræ 4", "account 17", "zzz"};
    Searchform *f = monthSearch();
    const QString keyword = QString::fromUtf8(keywords[state.range(0)]);
    f->SSB->blockSignals(true);
    f->SSB->setText(keyword);
    f->SSB->blockSignals(false);
    for (auto _ : state)
        f->Reload();
    state.SetLabel(keyword.isEmpty() ? "empty keyword" : keyword.toStdString());
    state.counters["rows"] = f->SList->RowCount();
}

void BM_TentativeList(benchmark::State &state)
{
    auto *f = Forms::get<TentBookings>();
    for (auto _ : state)
        f->RefreshTentativeList();
    state.counters["rows"] = f->tentList->RowCount();
}

BENCHMARK(BM_SearchKeystroke)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TentativeList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    System::setProgramFolder(folder.path());
    System::setNow(QDateTime(FirstDate.addDays(300), QTime(9, 0)));
    MsgBox::setHandler([](const MsgBox::Shown &shown) {
        fprintf(stderr, "message: %s\n", qPrintable(shown.text));
        return int(MsgBox::Ok);
    });
    using namespace Generalen;
    gDatabasePath = makeBookingfile(folder.path());
    gUserNo = 1;
    gIsAdmin = true;
    gDateFormat = "dd-mm-yyyy";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::unloadAll();
    return 0;
}
