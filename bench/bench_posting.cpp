// Posting a 100-line invoice against full catalog files (255 of each kind) and a
// journal and sold-items file of 30,000 records, beside reading and writing the
// catalog files once; posting with a short journal shows the appends do not grow
// with it. Posting with and without its rollback journal side by side. And the
// sub-total and taxes of 100 lines.
#include "support/benchsupport.h"

#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/diskio.h"
#include "core/regional.h"
#include "posting/invoiceposting.h"
#include "posting/invoicetotals.h"
#include "setup/settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include <unistd.h>

namespace {

constexpr int Lines = 100;

struct PostingFolder
{
    explicit PostingFolder(int journalRecords)
    {
        QDir(dir.path()).mkpath(QStringLiteral("Backup/PIActiveAccounts"));
        data = std::make_unique<DataFolder>(dir.path());
        catalog = std::make_unique<Catalog>(*data);
        for (int n = 0; n < catalog::MaxRecords; ++n) {
            ServiceRecord service;
            service.description = QStringLiteral("Service %1").arg(n);
            service.charge = QStringLiteral("$%1.00").arg(n + 10);
            catalog->add(service);
            SalesItemRecord item;
            item.description = QStringLiteral("Sales item %1").arg(n);
            item.category = QStringLiteral("Category %1").arg(n % 17);
            item.price = Money::fromUnits(qint64(n + 1) * 2'5000);
            // Stock that never runs out however many times the benchmark posts.
            item.onHand = 30000;
            catalog->add(item);
            CustomItemRecord custom;
            custom.description = QStringLiteral("Custom item %1").arg(n);
            custom.price = Money::fromUnits(qint64(n + 1) * 3'0000);
            catalog->add(custom);
        }
        catalog->SaveCatalog();

        QByteArray journal;
        QByteArray sold;
        for (int n = 0; n < journalRecords; ++n) {
            posting::SalesJournalRecord record;
            record.name = QStringLiteral("Customer %1").arg(n % 500);
            record.account = QString::number(1000 + n % 500);
            record.invoiceNumber = QString::number(10000000 + n);
            record.date = QDate(2025, 1, 1).addDays(n % 365);
            record.total = Money::fromUnits(n * 1'0000);
            journal += record.encode();
            posting::SoldItemRecord item;
            item.description = QStringLiteral("Sales item %1").arg(n % 255);
            item.date = record.date;
            item.invoiceNumber = record.invoiceNumber;
            item.quantity = 1;
            sold += item.encode();
        }
        write(posting::SalesJournalFile, journal);
        write(posting::SoldItemsFile, sold);
        poster = std::make_unique<posting::InvoicePoster>(*data, *catalog, clock);
    }

    void write(const QString &relative, const QByteArray &bytes)
    {
        QFile file(data->path(relative));
        // On disk before timing starts: the first flush of posting would otherwise write
        // the whole fixture.
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
            ::fsync(file.handle());
    }

    InvoiceDocument invoice(qint32 number) const
    {
        InvoiceDocument doc;
        doc.AcctNo = QString::number(1000 + number % 50);
        doc.Customer = QStringLiteral("Customer %1").arg(number % 50);
        doc.number = QString::number(number);
        doc.InvoiceCounter = number;
        for (int j = 0; j < Lines; ++j) {
            InvoiceLine line;
            const QString kind = j % 3 == 0   ? QStringLiteral("Sales item %1")
                                 : j % 3 == 1 ? QStringLiteral("Custom item %1")
                                              : QStringLiteral("Service %1");
            line.cells = {QStringLiteral("1"), kind.arg((j * 7) % 255), QStringLiteral("12/8/2026"),
                          QStringLiteral("$2.50"), QStringLiteral("$2.50"), QStringLiteral("True")};
            doc.lines.append(line);
        }
        doc.Total = Money::fromUnits(Lines * 2'5000);
        doc.Tax = Money::fromUnits(Lines * 1000);
        doc.GrandTotal = doc.Total + doc.Tax;
        return doc;
    }

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    std::unique_ptr<DataFolder> data;
    std::unique_ptr<Catalog> catalog;
    std::unique_ptr<posting::InvoicePoster> poster;
};

posting::PostingRequest request()
{
    posting::PostingRequest r;
    r.taxHeading1 = QStringLiteral("Sales Tax");
    r.advanceInvoiceNumber = [] { return true; };
    return r;
}

void postInvoice(benchmark::State &state)
{
    PostingFolder folder(int(state.range(0)));
    qint32 number = 20260001;
    for (auto _ : state) {
        InvoiceDocument doc = folder.invoice(number++);
        const posting::PostingOutcome outcome = folder.poster->PostInvoice(doc, request());
        if (!outcome.posted)
            state.SkipWithError(outcome.error.value_or(QString()).toStdString().c_str());
    }
}
BENCHMARK(postInvoice)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond);

// The same writes in the same order without the rollback journal: no intent file, no
// kept copy of the ledger backup, and no fsync of any file or folder (the syncs are
// collected and never made). The difference to postInvoice is what all-or-nothing
// posting that survives a power cut costs.
void postInvoiceWithoutIntent(benchmark::State &state)
{
    PostingFolder folder(int(state.range(0)));
    qint32 number = 20260001;
    const QDate today = folder.clock.today();
    for (auto _ : state) {
        const diskio::DeferredSyncs neverMade;
        InvoiceDocument doc = folder.invoice(number++);
        posting::InvoicePoster &poster = *folder.poster;
        const QString invoice = doc.number;
        const bool written =
            poster.CheckPosting(doc, request()) == std::nullopt && poster.RecordSoldItems(doc) &&
            poster.WriteSalesJournal(doc.Customer, doc.AcctNo, invoice, doc.Total, doc.Tax,
                                     doc.Discount, doc.GrandTotal, today) &&
            poster.WriteReceivable(doc) && poster.WriteCompletedInvoice(doc) &&
            !folder.catalog->DeductInventory(doc.lines).error &&
            poster.WriteTaxRecord(QStringLiteral("Sales Tax"), invoice, QStringLiteral("1"), today);
        if (!written)
            state.SkipWithError("a write failed");
    }
}
BENCHMARK(postInvoiceWithoutIntent)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond);

// The floor: the three catalog files read and written once (a save with a change in
// each writes all three and reads them back).
void catalogReadAndWriteOnce(benchmark::State &state)
{
    PostingFolder folder(0);
    qint16 step = 0;
    for (auto _ : state)
        bench::changeFirstRowsAndSave(*folder.catalog, ++step);
}
BENCHMARK(catalogReadAndWriteOnce)->Unit(benchmark::kMillisecond);

void computeSubtotalAndTaxes(benchmark::State &state)
{
    PostingFolder folder(0);
    InvoiceDocument doc = folder.invoice(20260001);
    settingsfiles::TaxSettings taxes;
    taxes.rate1 = QStringLiteral("8.25");
    taxes.rate2 = QStringLiteral("1.5");
    doc.options.secondTax = true;
    const settingsfiles::InvoiceSettings settings;
    for (auto _ : state) {
        invoicetotals::ComputeSubtotalAndTaxes(doc, taxes, settings);
        benchmark::DoNotOptimize(doc.Tax);
    }
}
BENCHMARK(computeSubtotalAndTaxes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return bench::run(argc, argv);
}
