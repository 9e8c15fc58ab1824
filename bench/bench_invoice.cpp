#include "support/benchsupport.h"

#include "catalog/catalog.h"
#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "invoice/frminvoice.h"
#include "invoice/invoicelines.h"
#include "invoice/invoicenumbering.h"
#include "setup/businesssettings.h"

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Full catalog files (255 of each kind), 20,000 completed images of earlier years and a
// 30,000-record sales journal.
struct FullData : bench::DataFixture
{
    FullData()
    {
        makeFolder(QStringLiteral("CompletedInvoices"));
        catalog = std::make_unique<Catalog>(data());
        bench::fillCatalog(*catalog);
        writeNumbered(QStringLiteral("/CompletedInvoices/%1.txt"), 20240001, 20000, "x");
        QByteArray journal;
        journal.reserve(30000 * 125);
        for (int n = 1; n <= 30000; ++n) {
            QByteArray record(125, '\0');
            record.replace(0, 45, QByteArray("Customer").leftJustified(45, ' '));
            record.replace(45, 20, QByteArray("A1").leftJustified(20, ' '));
            record.replace(65, 20, QByteArray::number(20200000 + n).leftJustified(20, ' '));
            journal += record;
        }
        write(QStringLiteral("/InvoiceSalesJournal.txt"), journal);
    }

    std::unique_ptr<Catalog> catalog;
};

FullData &fullData()
{
    static FullData full;
    return full;
}

// Activation of the invoice screen for a new invoice. Floor: 10 ms.
void invoiceActivation(benchmark::State &state)
{
    FullData &full = fullData();
    ApplicationState appState;
    BusinessSettings settings(full.data(), appState, [](const QByteArray &) { return std::nullopt; });
    settings.LoadSettings();
    bench::QuietPrompts prompts;
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
    bench::StayingNavigator navigator;
    InvoiceDocument document;
    frmInvoice screen(document, appState, *full.catalog, settings, full.data(), prompts, clock, navigator);
    screen.show();
    for (auto _ : state)
        screen.Form_Activate();
}
BENCHMARK(invoiceActivation)->Unit(benchmark::kMillisecond);

// One category filter and one type-ahead step over 255 items. Floor: 1 ms.
void categoryFilterAndTypeAhead(benchmark::State &state)
{
    FullData &full = fullData();
    int n = 0;
    for (auto _ : state) {
        const invoicelines::PickTable table =
            invoicelines::itemTable(*full.catalog, QStringLiteral("Category %1").arg(n++ % 17));
        benchmark::DoNotOptimize(invoicelines::typeAhead(table.picks, QStringLiteral("sales item 2")));
        benchmark::DoNotOptimize(
            invoicelines::typeAhead(full.catalog->itemPicks(), QStringLiteral("Sales item 25")));
    }
}
BENCHMARK(categoryFilterAndTypeAhead)->Unit(benchmark::kMicrosecond);

// The start button's used-number check against the 30,000-record journal, a number
// that is not there (the whole journal is read)...
void usedNumberCheck(benchmark::State &state)
{
    FullData &full = fullData();
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
    InvoiceNumbering numbering(full.data(), clock);
    for (auto _ : state)
        benchmark::DoNotOptimize(numbering.checkNewNumber(QStringLiteral("20260001")));
}
BENCHMARK(usedNumberCheck)->Unit(benchmark::kMillisecond);

// Its journal part alone.
void usedNumberJournalScan(benchmark::State &state)
{
    FullData &full = fullData();
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
    InvoiceNumbering numbering(full.data(), clock);
    for (auto _ : state)
        benchmark::DoNotOptimize(numbering.inJournal(20260001));
}
BENCHMARK(usedNumberJournalScan)->Unit(benchmark::kMillisecond);

// ...beside one sequential read of that journal. Floor: the check within 1.5 × this.
void journalSequentialRead(benchmark::State &state)
{
    FullData &full = fullData();
    const QString path = full.data().path(QStringLiteral("/InvoiceSalesJournal.txt"));
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        qint64 total = 0;
        while (true) {
            const QByteArray block = file.read(125 * 4096);
            if (block.isEmpty())
                break;
            total += block.size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(journalSequentialRead)->Unit(benchmark::kMillisecond);

} // namespace

PELMOR_BENCHMARK_MAIN(QApplication)
