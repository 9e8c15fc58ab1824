// Start-up preparation with a full customer file whose folders already exist,
// measured beside the bare existence checks of the same folders.
#include "core/datafolder.h"
#include "core/datatree.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Customers = 32767;

struct Fixture
{
    QTemporaryDir dir;
    QStringList folders;

    Fixture()
    {
        QByteArray file;
        file.reserve(Customers * 328);
        for (int n = 1; n <= Customers; ++n) {
            const QByteArray account = "CUST" + QByteArray::number(n);
            file += account.leftJustified(20, ' ') + QByteArray(308, ' ');
        }
        QFile out(dir.path() + "/CustomerData.txt");
        out.open(QIODevice::WriteOnly);
        out.write(file);
        out.close();
        DataFolder data(dir.path());
        CreateDataFolders(data, QDate(2026, 12, 8));
        for (int n = 1; n <= Customers; ++n) {
            const QString base = dir.path() + "/AuxFiles/CUST" + QString::number(n);
            folders << base;
            for (int j = 0; j <= 5; ++j)
                folders << base + "/AuxFile" + QString::number(j);
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_BareExistenceChecks(benchmark::State &state)
{
    const QStringList &folders = fixture().folders;
    for (auto _ : state) {
        int found = 0;
        for (const QString &folder : folders)
            found += QFileInfo::exists(folder);
        benchmark::DoNotOptimize(found);
    }
    state.counters["folders"] = folders.size();
}
BENCHMARK(BM_BareExistenceChecks)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_CreateDataFolders(benchmark::State &state)
{
    const QString root = fixture().dir.path();
    for (auto _ : state) {
        DataFolder data(root);
        benchmark::DoNotOptimize(CreateDataFolders(data, QDate(2026, 12, 8)));
    }
}
BENCHMARK(BM_CreateDataFolders)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

BENCHMARK_MAIN();
