#include "support/benchsupport.h"

#include "catalog/catalog.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A data folder whose three catalog files are full (255 records each) and whose
// labor file holds three rows.
struct FullCatalog : bench::DataFixture
{
    FullCatalog()
    {
        catalog = std::make_unique<Catalog>(data());
        bench::fillCatalog(*catalog);
    }

    std::unique_ptr<Catalog> catalog;
};

// Everything the invoice screen picks from, read from the files: rows, lists,
// categories and discount tables.
void loadAll(benchmark::State &state)
{
    FullCatalog full;
    for (auto _ : state)
        full.catalog->LoadAll();
    state.SetItemsProcessed(state.iterations() * 3 * catalog::MaxRecords);
}
BENCHMARK(loadAll)->Unit(benchmark::kMillisecond);

void loadServices(benchmark::State &state)
{
    FullCatalog full;
    for (auto _ : state)
        full.catalog->LoadServices();
}
BENCHMARK(loadServices)->Unit(benchmark::kMicrosecond);

void loadSalesItems(benchmark::State &state)
{
    FullCatalog full;
    for (auto _ : state)
        full.catalog->LoadAdditionalItems();
}
BENCHMARK(loadSalesItems)->Unit(benchmark::kMicrosecond);

void loadCustomItems(benchmark::State &state)
{
    FullCatalog full;
    for (auto _ : state)
        full.catalog->LoadCustomItems();
}
BENCHMARK(loadCustomItems)->Unit(benchmark::kMicrosecond);

// A save that changes one row of each file: all three are written and read again.
void saveCatalogChanged(benchmark::State &state)
{
    FullCatalog full;
    qint16 step = 0;
    for (auto _ : state)
        bench::changeFirstRowsAndSave(*full.catalog, ++step);
}
BENCHMARK(saveCatalogChanged)->Unit(benchmark::kMillisecond);

// Leaving the screen without a change: the files are compared, not written.
void saveCatalogUnchanged(benchmark::State &state)
{
    FullCatalog full;
    for (auto _ : state)
        full.catalog->SaveCatalog();
}
BENCHMARK(saveCatalogUnchanged)->Unit(benchmark::kMillisecond);

void saveLaborRates(benchmark::State &state)
{
    FullCatalog full;
    int n = 0;
    for (auto _ : state) {
        full.catalog->setLaborRate(2, QStringLiteral("$%1.00").arg(++n));
        full.catalog->SaveLaborRates();
    }
}
BENCHMARK(saveLaborRates)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return bench::run(argc, argv);
}
