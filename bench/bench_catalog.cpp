#include "catalog/catalog.h"
#include "core/datafolder.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A data folder whose three catalog files are full (255 records each) and whose
// labor file holds three rows.
struct FullCatalog
{
    FullCatalog()
    {
        QDir(dir.path()).mkdir(QStringLiteral("Backup"));
        data = std::make_unique<DataFolder>(dir.path());
        catalog = std::make_unique<Catalog>(*data);
        for (int n = 0; n < catalog::MaxRecords; ++n) {
            // Descriptions and categories that do not arrive sorted.
            const int scrambled = (n * 97) % catalog::MaxRecords;
            ServiceRecord service;
            service.description = QStringLiteral("Service number %1").arg(scrambled);
            service.charge = QStringLiteral("$%1.00").arg(scrambled + 10);
            service.allottedTime = qint16(n % 33);
            catalog->add(service);

            SalesItemRecord item;
            item.description = QStringLiteral("Sales item %1").arg(scrambled);
            item.category = QStringLiteral("Category %1").arg(scrambled % 17);
            item.cost = Money::fromUnits(qint64(scrambled) * 1'2345);
            item.price = Money::fromUnits(qint64(scrambled) * 2'5000);
            item.onHand = qint16(scrambled);
            item.discountPrice = Money::fromUnits(qint64(scrambled) * 2'0000);
            item.discountQty = scrambled % 20;
            catalog->add(item);

            CustomItemRecord custom;
            custom.description = QStringLiteral("Custom item %1").arg(scrambled);
            custom.price = Money::fromUnits(qint64(scrambled) * 3'0000);
            custom.discountPrice = Money::fromUnits(qint64(scrambled) * 2'7500);
            custom.discountQty = scrambled % 12;
            catalog->add(custom);
        }
        for (int row = 0; row < Catalog::LaborRows; ++row) {
            catalog->setLaborHeading(row, QStringLiteral("Labor %1").arg(row));
            catalog->setLaborRate(row, QStringLiteral("$%1.00").arg(35 + row));
        }
        catalog->SaveCatalog();
        catalog->SaveLaborRates();
    }

    QTemporaryDir dir;
    std::unique_ptr<DataFolder> data;
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
    qint16 onHand = 0;
    for (auto _ : state) {
        ++onHand;
        ServiceRecord service = full.catalog->services().at(0);
        service.allottedTime = qint16(1 + onHand % 32);
        full.catalog->replace(0, service);
        SalesItemRecord item = full.catalog->salesItems().at(0);
        item.onHand = onHand;
        full.catalog->replace(0, item);
        CustomItemRecord custom = full.catalog->customItems().at(0);
        custom.discountQty = onHand;
        full.catalog->replace(0, custom);
        full.catalog->SaveCatalog();
    }
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
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
