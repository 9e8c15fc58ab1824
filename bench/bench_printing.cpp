// A list report to a PDF file: the time per row should not grow with the number
// of rows (pages are laid out one after another, nothing is kept per page).
#include "support/benchsupport.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_GridReportToPdf(benchmark::State &state)
{
    const int count = int(state.range(0));
    QList<QStringList> rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i) {
        rows.append({QString::number(100000 + i), QStringLiteral("ACCT%1").arg(i % 500),
                     QStringLiteral("Customer %1").arg(i % 500), QStringLiteral("12/8/2026"),
                     QStringLiteral("$%1.%2").arg(i * 3).arg(i % 100, 2, 10, QLatin1Char('0'))});
    }
    QTemporaryDir dir;
    DataFolder data(dir.path());
    bench::PdfPages pages(dir.filePath(QStringLiteral("report.pdf")));
    bench::QuietPrompts prompts;
    FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    PrintSettings settings;
    settings.business = {"Pelmor Supply", "12 Main St", "", "Dallas", "TX",
                         "75001",         "555-1234",   "", ""};
    Printouts printouts(data, pages, prompts, clock);

    for (auto _ : state) {
        const auto outcome =
            printouts.PrintGridReport(settings, QStringLiteral("Invoices Report"), rows);
        if (outcome != Printouts::Outcome::Printed)
            state.SkipWithError("the report did not print");
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetComplexityN(count);
}
BENCHMARK(BM_GridReportToPdf)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

PELMOR_BENCHMARK_MAIN(QGuiApplication)
