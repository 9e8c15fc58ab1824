// Saving and loading a full partial invoice and template, and the list of 5,000
// partial invoices beside the floor of opening each file and reading its first lines.
#include "support/benchsupport.h"

#include "core/datafolder.h"
#include "invoice/incompleteinvoices.h"
#include "invoice/invoicetemplates.h"
#include "invoice/partialinvoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int PartialFiles = 5000;

InvoiceDocument fullInvoice()
{
    InvoiceDocument d;
    d.number = QStringLiteral("20260007");
    d.AcctNo = QStringLiteral("MOSS01");
    d.Customer = QStringLiteral("Nia Moss");
    for (int i = 1; i <= InvoiceDocument::MaxLines; ++i) {
        InvoiceLine line;
        line.cells = {QString::number(i), QStringLiteral("Faucet cartridge %1").arg(i),
                      QStringLiteral("12/1/2026"), QStringLiteral("$49.99"),
                      QStringLiteral("$1,049.79"), QStringLiteral("True")};
        d.lines.append(line);
    }
    return d;
}

struct Folder
{
    QTemporaryDir dir;
    DataFolder data{dir.path()};
    Folder()
    {
        QDir().mkpath(dir.path() + partialinvoice::Folder);
        QDir().mkpath(dir.path() + invoicetemplates::Folder);
        QDir().mkpath(dir.path() + QStringLiteral("/Backup"));
    }
};

void SavePartial100Lines(benchmark::State &state)
{
    Folder folder;
    InvoiceDocument d = fullInvoice();
    for (auto _ : state)
        benchmark::DoNotOptimize(partialinvoice::SavePartialInvoice(folder.data, d, QDate(2026, 12, 8)));
}
BENCHMARK(SavePartial100Lines)->Unit(benchmark::kMillisecond);

void LoadPartial100Lines(benchmark::State &state)
{
    Folder folder;
    InvoiceDocument d = fullInvoice();
    partialinvoice::SavePartialInvoice(folder.data, d, QDate(2026, 12, 8));
    IncompleteInvoices list(folder.data);
    list.LoadIncomplete();
    for (auto _ : state) {
        auto loaded = list.load(0, QDate(2026, 12, 8));
        if (loaded.document.LineCount() != InvoiceDocument::MaxLines)
            state.SkipWithError("not loaded");
    }
}
BENCHMARK(LoadPartial100Lines)->Unit(benchmark::kMillisecond);

void SaveTemplate100Records(benchmark::State &state)
{
    Folder folder;
    const InvoiceDocument d = fullInvoice();
    for (auto _ : state)
        benchmark::DoNotOptimize(invoicetemplates::save(folder.data, QStringLiteral("Kitchen"), d));
}
BENCHMARK(SaveTemplate100Records)->Unit(benchmark::kMillisecond);

void LoadTemplate100Records(benchmark::State &state)
{
    Folder folder;
    invoicetemplates::save(folder.data, QStringLiteral("Kitchen"), fullInvoice());
    for (auto _ : state) {
        auto loaded = invoicetemplates::load(folder.data, QStringLiteral("Kitchen"));
        if (loaded.lines.size() != InvoiceDocument::MaxLines)
            state.SkipWithError("not loaded");
    }
}
BENCHMARK(LoadTemplate100Records)->Unit(benchmark::kMillisecond);

struct ManyPartials : Folder
{
    ManyPartials()
    {
        InvoiceDocument d = fullInvoice();
        d.lines.resize(3);
        for (int n = 0; n < PartialFiles; ++n) {
            d.number = QString::number(20260001 + n);
            partialinvoice::SavePartialInvoice(data, d, QDate(2026, 12, 8));
        }
    }
};

// The floor: list the folder, open each file and read four lines.
void OpenEachAndReadFirstLines(benchmark::State &state)
{
    static ManyPartials folder;
    for (auto _ : state) {
        const QDir dir(folder.data.path(partialinvoice::Folder));
        for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*.txt")}, QDir::Files)) {
            QFile file(info.filePath());
            file.open(QIODevice::ReadOnly);
            for (int i = 0; i < 4; ++i)
                benchmark::DoNotOptimize(file.readLine(1024));
        }
    }
}
BENCHMARK(OpenEachAndReadFirstLines)->Unit(benchmark::kMillisecond);

void LoadIncomplete5000(benchmark::State &state)
{
    static ManyPartials folder;
    IncompleteInvoices list(folder.data);
    for (auto _ : state) {
        list.LoadIncomplete();
        if (list.IncompleteCount() != PartialFiles)
            state.SkipWithError("wrong count");
    }
}
BENCHMARK(LoadIncomplete5000)->Unit(benchmark::kMillisecond);

} // namespace

PELMOR_BENCHMARK_MAIN(QCoreApplication)
