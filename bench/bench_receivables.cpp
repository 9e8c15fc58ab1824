#include "support/benchsupport.h"
#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/regional.h"
#include "customers/customerrecord.h"
#include "posting/postedrecords.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"
#include "receivables/balances.h"
#include "receivables/statement.h"
#include "ui/painterpage.h"

#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// The balance list beside its floor: reading every account file once.
namespace {

constexpr int Customers = 5000;
constexpr int Entries = 50;
const QDate Today(2026, 3, 14);

// Customers and their account files, made once.
struct Folder : bench::DataFixture
{
    Folder()
    {
        makeFolder(QStringLiteral("PIActiveAccounts"));
        QByteArray customers;
        for (int c = 0; c < Customers; ++c) {
            CustomerRecord customer;
            customer.account = QStringLiteral("A%1").arg(c);
            customer.name = QStringLiteral("Customer %1").arg(c);
            customer.type = CustomerRecord::Business;
            customers += customer.toRecord().bytes();
            QByteArray ledger;
            for (int e = 0; e < Entries; ++e) {
                posting::LedgerEntry entry;
                entry.customer = entry.account = customer.account;
                entry.date = regional::shortDate(QDate(2025, 1, 1).addDays((c + e * 7) % 430));
                entry.description = e == 0       ? posting::PreviousBalance
                                    : e % 3 == 0 ? posting::PaymentReceived
                                                 : QString::number(20250000 + c * Entries + e);
                entry.amount = regional::currencyText(Money::fromUnits((c * 131 + e * 977) % 5000000));
                ledger += entry.encode();
            }
            write(QStringLiteral("/PIActiveAccounts/A%1.txt").arg(c), ledger);
        }
        write(QStringLiteral("/CustomerData.txt"), customers);
    }
};

Folder &folder()
{
    static Folder f;
    return f;
}

// The floor: every account file read once.
void readLedgers()
{
    for (int c = 0; c < Customers; ++c) {
        QFile file(folder().data().path(QStringLiteral("/PIActiveAccounts/A%1.txt").arg(c)));
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}

void BM_BalanceList(benchmark::State &state)
{
    folder();
    bench::timeAgainstFloor(state, readLedgers, [] {
        benchmark::DoNotOptimize(receivables::ListBalances(folder().data(), Today));
    });
}
BENCHMARK(BM_BalanceList)->Unit(benchmark::kMillisecond);

// A statement printed should grow in step with its entries.
void BM_StatementToPdf(benchmark::State &state)
{
    receivables::Statement statement;
    statement.account = QStringLiteral("A1");
    statement.customer = {QStringLiteral("Customer 1"), QStringLiteral("1 Main St")};
    statement.from = QDate(2025, 1, 1);
    statement.to = Today;
    Money running;
    for (int n = 0; n < int(state.range(0)); ++n) {
        receivables::StatementLine line;
        line.date = regional::shortDate(statement.from.addDays(n % 430));
        line.description = QStringLiteral("Invoice %1").arg(20250000 + n);
        line.charge = Money::fromUnits(125000);
        running += line.charge;
        line.balance = running;
        statement.lines.append(line);
    }
    statement.balanceDue = running;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("statement.pdf"));
    folder();
    for (auto _ : state) {
        PainterPage page(PainterPage::pdfPrinter(path));
        PrintEngine engine(page, PrintSettings(), folder().data());
        engine.SetupPrinter(QStringLiteral("Portrait"), 0);
        receivables::PrintStatement(engine, statement, Today);
        if (!page.endDocument())
            state.SkipWithError("the statement did not print");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StatementToPdf)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

PELMOR_BENCHMARK_MAIN(QGuiApplication)
