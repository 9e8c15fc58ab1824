// The PDF kept at posting should cost no more than printing the invoice once; a
// 30,000-row invoice report exported to CSV should take under 300 ms.
#include "core/clock.h"
#include "core/csv.h"
#include "core/datafolder.h"
#include "core/prompts.h"
#include "printing/invoicepdf.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "records/reportcsv.h"
#include "ui/painterpage.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class PdfPages final : public PageSource
{
public:
    QString path;
    Opened choosePrinter() override
    {
        return {Choice::Chosen, std::make_unique<PainterPage>(PainterPage::pdfPrinter(path))};
    }
};

class SilentPrompts final : public Prompts
{
public:
    void tell(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return true; }
    bool askOkCancel(const QString &, const QString &) override { return true; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void beep() override {}
};

struct Fixture
{
    QTemporaryDir dir;
    DataFolder data{dir.path()};
    PdfPages pages;
    SilentPrompts prompts;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    PrintSettings settings;
    Printouts printouts{data, pages, prompts, clock};
    InvoicePrintout invoice;

    explicit Fixture(int lines)
    {
        pages.path = dir.filePath(QStringLiteral("printed.pdf"));
        settings.business = {"Pelmor Supply", "12 Main St", "", "Dallas", "TX", "75001", "", "", ""};
        invoice.number = QStringLiteral("1001");
        invoice.account = QStringLiteral("SMITH01");
        invoice.date = QStringLiteral("12/8/2026");
        invoice.today = QDate(2026, 12, 8);
        invoice.soldTo = {"Ann Smith", "4 Elm St", "", "Plano", "TX", "75023"};
        for (int i = 1; i <= lines; ++i) {
            InvoiceLine line;
            line[InvoiceLine::Units] = QString::number(i);
            line[InvoiceLine::Description] = QStringLiteral("Door hinge, brass %1").arg(i);
            line[InvoiceLine::Amount] = QStringLiteral("$%1.25").arg(i * 4);
            invoice.lines.append(line);
        }
        invoice.totals = {"$1,234.00", "$98.72", "$0.00", "$1,332.72", "", "", ""};
    }
};

void BM_PrintInvoiceOnce(benchmark::State &state)
{
    Fixture fixture(int(state.range(0)));
    for (auto _ : state) {
        if (fixture.printouts.PrintInvoice(fixture.settings, fixture.invoice) != Printouts::Outcome::Printed)
            state.SkipWithError("the invoice did not print");
    }
}
BENCHMARK(BM_PrintInvoiceOnce)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_KeepInvoicePdf(benchmark::State &state)
{
    Fixture fixture(int(state.range(0)));
    const QString kept = invoicepdf::fileOf(QDate(2026, 12, 8), QStringLiteral("1001"));
    for (auto _ : state) {
        if (invoicepdf::write(fixture.data, fixture.printouts, fixture.settings, fixture.invoice, kept))
            state.SkipWithError("the PDF was not kept");
    }
}
BENCHMARK(BM_KeepInvoicePdf)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ExportInvoiceReportCsv(benchmark::State &state)
{
    QTemporaryDir dir;
    QList<posting::SalesJournalRecord> journal;
    for (int n = 0; n < state.range(0); ++n) {
        posting::SalesJournalRecord record;
        record.name = QStringLiteral("Customer, \"%1\"").arg(n % 500);
        record.account = QStringLiteral("A%1").arg(n % 500);
        record.invoiceNumber = QString::number(20260000 + n);
        record.date = QDate(2026, 1, 1).addDays(n % 365);
        record.subTotal = Money::fromUnits(123450000 + n);
        record.tax = Money::fromUnits(9876000);
        record.total = record.subTotal + record.tax;
        journal.append(record);
    }
    const records::InvoiceReport report =
        records::buildInvoiceReport(journal, {QDate(2026, 1, 1), QDate(2026, 12, 31)});
    const QStringList totals{"$1.00", "$0.00", "$0.10", "$1.10"};
    const QString path = dir.filePath(QStringLiteral("report.csv"));
    for (auto _ : state) {
        if (csv::writeFile(path, records::invoiceReportCsv(report, totals)))
            state.SkipWithError("the file was not written");
    }
}
BENCHMARK(BM_ExportInvoiceReportCsv)->Arg(30000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
