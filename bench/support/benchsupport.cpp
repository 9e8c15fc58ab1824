#include "benchsupport.h"

#include "catalog/catalog.h"
#include "ui/painterpage.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace bench {

PageSource::Opened PdfPages::choosePrinter()
{
    return {Choice::Chosen, std::make_unique<PainterPage>(PainterPage::pdfPrinter(m_path))};
}

DataFixture::DataFixture()
{
    makeFolder(QStringLiteral("Backup"));
    m_data = std::make_unique<DataFolder>(m_dir.path());
}

void DataFixture::makeFolder(const QString &relative) const
{
    QDir(m_dir.path()).mkpath(relative);
}

void DataFixture::writeNumbered(const QString &relative, int first, int count,
                                const QByteArray &bytes) const
{
    for (int n = first; n < first + count; ++n)
        write(relative.arg(n), bytes);
}

void DataFixture::write(const QString &relative, const QByteArray &bytes) const
{
    QFile file(m_dir.path() + relative);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void timeAgainstFloor(benchmark::State &state, const std::function<void()> &floor,
                      const std::function<void()> &work)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration floorTime{};
    Clock::duration workTime{};
    for (auto _ : state) {
        state.PauseTiming();
        const auto start = Clock::now();
        floor();
        const auto between = Clock::now();
        state.ResumeTiming();
        work();
        workTime += Clock::now() - between;
        floorTime += between - start;
    }
    const double floorMs = std::chrono::duration<double, std::milli>(floorTime).count();
    state.counters["floor_ms"] = floorMs / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["times_floor"] =
        floorMs > 0 ? std::chrono::duration<double, std::milli>(workTime).count() / floorMs : 0.0;
}

void fillCatalog(Catalog &catalog)
{
    for (int n = 0; n < catalog::MaxRecords; ++n) {
        const int scrambled = (n * 97) % catalog::MaxRecords;
        ServiceRecord service;
        service.description = QStringLiteral("Service number %1").arg(scrambled);
        service.charge = QStringLiteral("$%1.00").arg(scrambled + 10);
        service.allottedTime = qint16(n % 33);
        catalog.add(service);

        SalesItemRecord item;
        item.description = QStringLiteral("Sales item %1").arg(scrambled);
        item.category = QStringLiteral("Category %1").arg(scrambled % 17);
        item.cost = Money::fromUnits(qint64(scrambled) * 1'2345);
        item.price = Money::fromUnits(qint64(scrambled) * 2'5000);
        item.onHand = qint16(scrambled);
        item.discountPrice = Money::fromUnits(qint64(scrambled) * 2'0000);
        item.discountQty = scrambled % 20;
        catalog.add(item);

        CustomItemRecord custom;
        custom.description = QStringLiteral("Custom item %1").arg(scrambled);
        custom.price = Money::fromUnits(qint64(scrambled) * 3'0000);
        custom.discountPrice = Money::fromUnits(qint64(scrambled) * 2'7500);
        custom.discountQty = scrambled % 12;
        catalog.add(custom);
    }
    for (int row = 0; row < Catalog::LaborRows; ++row) {
        catalog.setLaborHeading(row, QStringLiteral("Labor %1").arg(row));
        catalog.setLaborRate(row, QStringLiteral("$%1.00").arg(35 + row));
    }
    catalog.SaveCatalog();
    catalog.SaveLaborRates();
    catalog.LoadAll();
}

void changeFirstRowsAndSave(Catalog &catalog, qint16 step)
{
    ServiceRecord service = catalog.services().at(0);
    service.allottedTime = qint16(1 + step % 32);
    catalog.replace(0, service);
    SalesItemRecord item = catalog.salesItems().at(0);
    item.onHand = step;
    catalog.replace(0, item);
    CustomItemRecord custom = catalog.customItems().at(0);
    custom.discountQty = step;
    catalog.replace(0, custom);
    catalog.SaveCatalog();
}

void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int run(int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
