// The printed invoice and blank forms to a PDF file. A 100-line invoice with a logo
// should print in under 200 ms; the time should grow with the pages, not faster.
#include "support/benchsupport.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "printing/invoiceprintout.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    DataFolder data{dir.path()};
    bench::PdfPages pages{dir.filePath(QStringLiteral("out.pdf"))};
    bench::QuietPrompts prompts;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    PrintSettings settings;
    Printouts printouts{data, pages, prompts, clock};

    Fixture()
    {
        settings.business = {"Pelmor Supply", "12 Main St", "", "Dallas", "TX",
                             "75001",         "555-1234",   "", ""};
        QImage logo(600, 300, QImage::Format_RGB32);
        logo.fill(Qt::darkGreen);
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        logo.save(path);
        settings.logoPath = path;
        settings.logoWidth = 1440;
        settings.logoHeight = 720;
    }
};

InvoicePrintout invoiceOf(int lines)
{
    InvoicePrintout invoice;
    invoice.number = QStringLiteral("1001");
    invoice.account = QStringLiteral("SMITH01");
    invoice.date = QStringLiteral("12/8/2026");
    invoice.today = QDate(2026, 12, 8);
    invoice.soldTo = {"Ann Smith", "4 Elm St", "", "Plano", "TX", "75023"};
    invoice.reference = QStringLiteral("PO-7");
    for (int i = 1; i <= lines; ++i) {
        InvoiceLine line;
        line[InvoiceLine::Units] = QString::number(i);
        line[InvoiceLine::Description] =
            QStringLiteral("Door hinge, brass, with screws and a long description %1").arg(i);
        line[InvoiceLine::Date] = QStringLiteral("12/8/2026");
        line[InvoiceLine::Price] = QStringLiteral("$4.25");
        line[InvoiceLine::Amount] = QStringLiteral("$%1.25").arg(i * 4);
        invoice.lines.append(line);
    }
    invoice.totals = {"$1,234.00", "$98.72", "$0.00", "$1,332.72", "", "", ""};
    return invoice;
}

void BM_PrintInvoiceToPdf(benchmark::State &state)
{
    Fixture fixture;
    const InvoicePrintout invoice = invoiceOf(int(state.range(0)));
    for (auto _ : state) {
        if (fixture.printouts.PrintInvoice(fixture.settings, invoice) != Printouts::Outcome::Printed)
            state.SkipWithError("the invoice did not print");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PrintInvoiceToPdf)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_BlankFormsToPdf(benchmark::State &state)
{
    Fixture fixture;
    const QString count = QString::number(state.range(0));
    for (auto _ : state) {
        if (fixture.printouts.PrintBlankForms(fixture.settings, count) != Printouts::Outcome::Printed)
            state.SkipWithError("the forms did not print");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BlankFormsToPdf)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

PELMOR_BENCHMARK_MAIN(QGuiApplication)
