#include "support/benchsupport.h"

#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "posting/postedrecords.h"
#include "records/completedinvoices.h"
#include "records/invoicereport.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"
#include "records/reportprints.h"
#include "records/salesreport.h"
#include "ui/painterpage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// Each report beside its floor: one read (or copy) of the same file.
namespace {

constexpr int Records = 30000;
constexpr int Products = 510;
constexpr int Images = 20000;

const records::DateRange Year2024{QDate(2024, 1, 1), QDate(2024, 12, 31)};

struct Folder
{
    Folder()
    {
        QDir(dir.path()).mkdir(QStringLiteral("Backup"));
        data = std::make_unique<DataFolder>(dir.path());
        QByteArray journal, sold;
        for (int n = 0; n < Records; ++n) {
            posting::SalesJournalRecord j;
            j.name = QStringLiteral("Customer %1").arg(n % 900);
            j.account = QStringLiteral("A%1").arg(n % 900);
            j.invoiceNumber = QString::number(20240000 + n);
            j.date = QDate(2023, 7, 1).addDays(n % 700);
            j.subTotal = Money::fromUnits(n * 1000);
            j.total = j.subTotal;
            journal += j.encode();
            posting::SoldItemRecord s;
            s.description = QStringLiteral("Product %1").arg(n % Products);
            s.date = j.date;
            s.invoiceNumber = j.invoiceNumber;
            s.quantity = qint16(n % 7 + 1);
            sold += s.encode();
        }
        write(posting::SalesJournalFile, journal);
        write(posting::SoldItemsFile, sold);
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(data->path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QTemporaryDir dir;
    std::unique_ptr<DataFolder> data;
};

Folder &folder()
{
    static Folder f;
    return f;
}

void BM_ReadJournalFloor(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(folder().data->ReadFile(posting::SalesJournalFile));
}
BENCHMARK(BM_ReadJournalFloor)->Unit(benchmark::kMillisecond);

void BM_InvoiceReportYear(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            records::buildInvoiceReport(records::readJournal(*folder().data), Year2024));
}
BENCHMARK(BM_InvoiceReportYear)->Unit(benchmark::kMillisecond);

void BM_ReadSoldItemsFloor(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(folder().data->ReadFile(posting::SoldItemsFile));
}
BENCHMARK(BM_ReadSoldItemsFloor)->Unit(benchmark::kMillisecond);

void BM_ItemTotals510Products(benchmark::State &state)
{
    QStringList products;
    for (int n = 0; n < Products; ++n)
        products.append(QStringLiteral("Product %1").arg(n));
    for (auto _ : state)
        benchmark::DoNotOptimize(records::buildSalesReport(
            *records::readSoldItems(*folder().data), products, {QDate(2000, 1, 1), QDate(2030, 1, 1)}));
}
BENCHMARK(BM_ItemTotals510Products)->Unit(benchmark::kMillisecond);

void BM_CopyJournalFloor(benchmark::State &state)
{
    for (auto _ : state) {
        folder().data->CopyDataFile(posting::SalesJournalFile, QStringLiteral("/Copy.txt"));
    }
}
BENCHMARK(BM_CopyJournalFloor)->Unit(benchmark::kMillisecond);

void BM_DeleteRangeFromJournal(benchmark::State &state)
{
    const QByteArray original = folder().data->ReadFile(posting::SalesJournalFile);
    for (auto _ : state) {
        state.PauseTiming();
        folder().write(QStringLiteral("/Scratch.txt"), original);
        state.ResumeTiming();
        folder().data->SafeReplace(QStringLiteral("/Scratch.txt"), posting::SalesJournalRecord::Length,
                                   [](const FixedRecord &record) {
                                       return !Year2024.contains(
                                           posting::SalesJournalRecord::fromRecord(record).date);
                                   });
    }
}
BENCHMARK(BM_DeleteRangeFromJournal)->Unit(benchmark::kMillisecond);

struct ImageFolder
{
    ImageFolder()
    {
        data = std::make_unique<DataFolder>(dir.path());
        QDir(dir.path()).mkdir(QStringLiteral("CompletedInvoices"));
        posting::CompletedInvoiceImage image;
        image.lines.resize(12);
        image.totals.fill(QStringLiteral("$1.00"));
        for (int n = 0; n < Images; ++n) {
            image.number = QString::number(20240000 + n);
            image.account = QStringLiteral("A1");
            image.name = QStringLiteral("Customer");
            image.date = QStringLiteral("3/5/2024");
            image.amount = QStringLiteral("$1.00");
            QFile file(dir.path() + QStringLiteral("/CompletedInvoices/") + image.number +
                       QStringLiteral(".txt"));
            file.open(QIODevice::WriteOnly);
            file.write(image.encode());
        }
    }
    QTemporaryDir dir;
    std::unique_ptr<DataFolder> data;
};

ImageFolder &images()
{
    static ImageFolder f;
    return f;
}

void BM_OpenImagesFloor(benchmark::State &state)
{
    for (auto _ : state) {
        const QDir folder(images().dir.path() + QStringLiteral("/CompletedInvoices"));
        for (const QString &name : folder.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
            QFile file(folder.filePath(name));
            file.open(QIODevice::ReadOnly);
            for (int k = 0; k < 5; ++k)
                benchmark::DoNotOptimize(file.readLine(4096));
        }
    }
}
BENCHMARK(BM_OpenImagesFloor)->Unit(benchmark::kMillisecond);

void BM_ListImages(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(records::CompletedInvoices(*images().data).list());
}
BENCHMARK(BM_ListImages)->Unit(benchmark::kMillisecond);

// The printed invoice report should grow in step with its rows.
void BM_InvoiceReportToPdf(benchmark::State &state)
{
    const int rows = int(state.range(0));
    QList<posting::SalesJournalRecord> journal;
    for (int n = 0; n < rows; ++n) {
        posting::SalesJournalRecord j;
        j.name = QStringLiteral("Customer %1").arg(n % 900);
        j.account = QStringLiteral("A%1").arg(n % 900);
        j.invoiceNumber = QString::number(20240000 + n);
        j.date = QDate(2024, 1, 1).addDays(n % 366);
        j.subTotal = Money::fromUnits(n * 1000);
        j.total = j.subTotal;
        journal.append(j);
    }
    const records::InvoiceReport report = records::buildInvoiceReport(journal, Year2024);
    if (report.rows.size() != rows)
        state.SkipWithError("the report lost rows");
    const QStringList totals{QStringLiteral("$1.00"), QStringLiteral("$0.00"),
                             QStringLiteral("$0.00"), QStringLiteral("$1.00")};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        PainterPage page(PainterPage::pdfPrinter(path));
        PrintEngine engine(page, PrintSettings(), *folder().data);
        engine.SetupPrinter(QStringLiteral("Portrait"), 0);
        records::PrintGeneralSalesReport(engine, report, totals, Year2024, QDate(2025, 1, 2));
        if (!page.endDocument())
            state.SkipWithError("the report did not print");
    }
    state.SetComplexityN(rows);
}
BENCHMARK(BM_InvoiceReportToPdf)
    ->Arg(3000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

PELMOR_BENCHMARK_MAIN(QGuiApplication)
