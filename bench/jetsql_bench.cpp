// Times the Jet translator on long statements: each case repeats a piece of text up to 10,000
// and 40,000 characters, so a time that grows faster than the length shows at once.
//   cmake --build <build> --target jetsql_bench && <build>/bench/jetsql_bench

#include "platform/db/jetsql.h"

#include <benchmark/benchmark.h>

namespace {

struct Piece
{
    const char *name;
    const char *head;
    const char *unit;
    const char *tail;
    const char *close = "";   // written once for each unit after the tail
};

const Piece pieces[] = {
    {"division", "SELECT ", "1/", "1"},
    {"concatenation", "SELECT ", "a & ", "b"},
    {"concatenations", "SELECT ", "a & b = ", "c"},
    {"nesting", "SELECT ", "(1 & ", "1", ")"},
    {"like", "SELECT * FROM t WHERE ", "x Like 'a*' Or ", "y Like 'b?'"},
    {"update", "UPDATE t SET ", "t.a = 1, ", "t.b = 2"},
    {"words", "SELECT ", "Date() + True Mod a!b + ", "0"},
    {"distinctrow", "SELECT ", "DISTINCTROW ", "1"},
    {"strings", "SELECT ", "\"a\" & #1/2/2026# & ", "'b'"},
};

QString longText(const Piece &p, int length)
{
    QString text = QString::fromUtf8(p.head);
    const QString unit = QString::fromUtf8(p.unit);
    const QString close = QString::fromUtf8(p.close);
    int units = 0;
    while (text.size() + (units + 1) * (unit.size() + close.size()) <= length)
        ++units;
    return text + unit.repeated(units) + QString::fromUtf8(p.tail) + close.repeated(units);
}

void BM_Translate(benchmark::State &state, const Piece &p)
{
    const QString text = longText(p, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Dao::JetSql::toSqlite(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}

// The single receipt's statement as the program runs it.
void BM_TranslateReceipt(benchmark::State &state)
{
    const QString receipt = QStringLiteral(
        "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Konti.Kontotlf, "
        "lokale.Lokalenavn, Booking.Pris, Konti.Kontoadresse, Konti!Kontopnr & ' ' & "
        "Konti!Kontoby AS PoB, Konti.Kontonavn, Booking.gennr, Konti.kontokontakt, "
        "Konti.kontomail, booking!leveringstype & ' at ' & booking!leveringssted AS lev, "
        "lokale.lokalenr, Booking.Bemærkninger, Booking.Bstart, Booking.Bslut, Booking.Bdato "
        "FROM Homebases RIGHT JOIN ((Booking INNER JOIN lokale ON Booking.Lokalenr = "
        "lokale.lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) ON Homebases.ID = "
        "lokale.ID WHERE Booking.Bookingnr = 1234; ");
    for (auto _ : state)
        benchmark::DoNotOptimize(Dao::JetSql::toSqlite(receipt));
}

const int registered = [] {
    for (const Piece &p : pieces)
        benchmark::RegisterBenchmark((std::string("BM_Translate/") + p.name).c_str(),
                                     BM_Translate, p)
            ->Arg(10000)
            ->Arg(40000)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_TranslateReceipt", BM_TranslateReceipt)
        ->Unit(benchmark::kMicrosecond);
    return 0;
}();

} // namespace

BENCHMARK_MAIN();
