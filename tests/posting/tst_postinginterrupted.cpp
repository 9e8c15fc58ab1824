#include "posting/invoiceposting.h"

#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "interruptions.h"
#include "invoice/invoicenumbering.h"
#include "postedbytes.h"
#include "testfiles.h"

#include <QDir>
#include <QLocale>
#include <QTest>

using namespace posting;

namespace {

const QDate Today(2026, 12, 8);
const QString Partial = QStringLiteral("/PelmorInvoicer/IncompleteInvoices/20260005.txt");

// Books that already hold an invoice. A resumed invoice is pre-paid and its account
// has a ledger; a new one is the first of its account.
void fillBooks(const QString &root, bool resumed)
{
    QMap<QString, QByteArray> files{
        {"/PIInventoriedItems.txt", catalogbytes::item({"Copper Elbow", "Fittings", 0, 50000, 2}) +
                                        catalogbytes::item({"Brass Valve", "Fittings", 0, 50000, 10})},
        {"/CustomItems.txt", catalogbytes::custom("Install Kit", 90000, 0, 0)},
        {"/InvoiceSalesJournal.txt", postedbytes::journal("Old", "900", "20250099", Today, 1, 0, 0, 1)},
        {"/PIInvoiceNo.txt", "20260001\r\n"},
        {"/Backup/PIInvoiceNo.txt", "20260001\r\n"}};
    if (resumed) {
        const QByteArray ledger = postedbytes::ledger("1001", "1001", "1/2/2026", PreviousBalance, "$0.00");
        files.insert("/PIActiveAccounts/1001.txt", ledger);
        files.insert("/Backup/PIActiveAccounts/1001.txt", ledger);
        files.insert("/CAPaymentRecords.txt", postedbytes::payment("Old", "900", "1/2/2026", "Cash", "$1.00"));
        files.insert(Partial, "20260005\r\n");
    }
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QVERIFY(testfiles::writeBytes(root + it.key(), it.value()));
    QVERIFY(QDir(root).mkpath(QStringLiteral("CompletedInvoices")));
}

// Posts as the invoice screen does: the error, or nullopt when posted.
std::optional<QString> post(const QString &root, bool resumed)
{
    DataFolder data(root);
    Catalog catalog(data);
    catalog.LoadAll();
    const FixedClock clock(QDateTime(Today, QTime(10, 30)));
    InvoiceNumbering numbering(data, clock);
    InvoicePoster poster(data, catalog, clock, [] { return qint64(1) << 40; });
    InvoiceDocument doc;
    doc.AcctNo = QStringLiteral("1001");
    doc.Customer = QStringLiteral("Acme Plumbing");
    doc.number = resumed ? QStringLiteral("20260005") : QStringLiteral("20260001");
    doc.InvoiceCounter = doc.number.toInt();
    for (const char *units : {"3", "1", "2"}) {
        InvoiceLine line;
        const char *name = *units == '3' ? "Copper Elbow" : *units == '1' ? "Install Kit" : "Brass Valve";
        line.cells = {units, name, "12/8/2026", "$1.00", "$12.00", "True"};
        doc.lines.append(line);
    }
    doc.Total = Money::fromUnits(360000);
    doc.Tax = Money::fromUnits(21600);
    doc.Tax2 = Money::fromUnits(resumed ? 0 : 5000);
    doc.GrandTotal = doc.Total + doc.Tax + doc.Tax2;
    doc.options.prepaid = resumed;
    doc.prepaidAmount = QStringLiteral("$30.00");
    doc.prepaidForm = QStringLiteral("Check");
    PostingRequest request;
    request.taxHeading1 = QStringLiteral("Sales Tax");
    request.taxHeading2 = QStringLiteral("County Tax");
    if (resumed)
        request.resumedPartialFile = Partial;
    else
        request.advanceInvoiceNumber = [&] { return numbering.AdvanceInvoiceNumber(doc.number); };
    const PostingOutcome outcome = poster.PostInvoice(doc, request);
    if (outcome.posted)
        return std::nullopt;
    // An undone posting says nothing of low stock.
    return outcome.error.value_or(QString()) + (outcome.lowInventory.isEmpty() ? "" : " (low)");
}

} // namespace

class TestPostingInterrupted : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void interruptedPostingIsWholeOrUndone_data()
    {
        QTest::addColumn<bool>("resumed");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("new invoice, killed") << false << false;
        QTest::newRow("pre-paid resumed invoice, killed") << true << false;
        QTest::newRow("new invoice, disk full") << false << true;
        QTest::newRow("pre-paid resumed invoice, disk full") << true << true;
    }

    void interruptedPostingIsWholeOrUndone()
    {
        QFETCH(bool, resumed);
        QFETCH(bool, diskFull);
        const QString number = resumed ? QStringLiteral("20260005") : QStringLiteral("20260001");
        const auto fixture = [resumed](const QString &root) { fillBooks(root, resumed); };
        const auto write = [resumed](const QString &root) { return post(root, resumed); };
        const interruptions::Report report =
            diskFull ? interruptions::fillDiskAtEveryCall(
                           fixture, write,
                           QStringLiteral("\r\nInvoice %1 was not Posted; nothing of it was kept.")
                               .arg(number))
                     : interruptions::killAtEveryCall(
                           fixture, write,
                           QStringLiteral("The Posting of Invoice %1 was interrupted and has been "
                                          "undone.\r\nPrint and Post Invoice %1 again.")
                               .arg(number),
                           QStringLiteral("Posting Interrupted"));
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
        // Nearly every call falls while the intent is on disk.
        QVERIFY(report.undone > report.calls / 2);
        qInfo().noquote() << (diskFull ? "disk full:" : "kill:") << report.summary();
    }
};

QTEST_GUILESS_MAIN(TestPostingInterrupted)
#include "tst_postinginterrupted.moc"
