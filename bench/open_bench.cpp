// Times opening a bookingfile with and without the check of its layout: each procedure of the
// program opens its own connection, so the check is paid at every open.

#include "core/fileschemas.h"
#include "platform/db/database.h"
#include "platform/db/schemacheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

QString demoCopy(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("open.mdb");
    if (!QFile::copy(QStringLiteral(VANTIX_BUILD_DIR) + "/Demodata.mdb", path))
        throw std::runtime_error("cannot copy Demodata.mdb; build the databases first");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

void openAndClose(benchmark::State &state, bool checked)
{
    QTemporaryDir dir;
    const QString path = demoCopy(dir);
    if (checked)
        FileSchemas::Install();
    else
        Dao::SchemaCheck::setKnownSchemas({});
    Dao::Database::open(path);   // builds the layouts' models once
    for (auto _ : state)
        Dao::Database::open(path)->Close();
}

void BM_OpenWithoutCheck(benchmark::State &state) { openAndClose(state, false); }
void BM_OpenWithCheck(benchmark::State &state) { openAndClose(state, true); }

BENCHMARK(BM_OpenWithoutCheck)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenWithCheck)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
