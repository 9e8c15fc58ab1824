#include "posting/invoiceposting.h"

#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "invoice/invoicenumbering.h"
#include "interruptions.h"
#include "postedbytes.h"
#include "testfiles.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace posting;

namespace {

const QDate Today(2026, 12, 8);
const QString TodayText = QStringLiteral("12/8/2026");
const QString Partial = QStringLiteral("/PelmorInvoicer/IncompleteInvoices/20260005.txt");

QByteArray item(const QString &description, qint16 onHand)
{
    catalogbytes::Item i;
    i.description = description;
    i.category = QStringLiteral("Fittings");
    i.price = 50000;
    i.onHand = onHand;
    return catalogbytes::item(i);
}

InvoiceLine line(const QString &units, const QString &description, const QString &amount)
{
    InvoiceLine l;
    l.cells = {units, description, TodayText, QStringLiteral("$1.00"), amount, QStringLiteral("True")};
    return l;
}

// Books already holding a posted invoice, and the invoice to post on them: a new
// invoice, the first of its account, with two taxes; or a pre-paid invoice resumed from
// a partial one, on an account that has a ledger.
void fillBooks(const QString &root, bool resumed)
{
    const auto write = [&root](const QString &relative, const QByteArray &bytes) {
        QVERIFY(testfiles::writeBytes(root + relative, bytes));
    };
    QVERIFY(QDir(root).mkpath(QStringLiteral("CompletedInvoices")));
    write("/PIInventoriedItems.txt", item("Copper Elbow", 2) + item("Brass Valve", 10));
    write("/CustomItems.txt", catalogbytes::custom("Install Kit", 90000, 0, 0));
    write("/InvoiceSalesJournal.txt",
          postedbytes::journal("Old Customer", "900", "20250099", Today, 10000, 0, 0, 10000));
    write("/PIInvoiceNo.txt", "20260001\r\n");
    write("/Backup/PIInvoiceNo.txt", "20260001\r\n");
    if (resumed) {
        const QByteArray ledger =
            postedbytes::ledger("1001", "1001", TodayText, "Previous Balance", "$0.00");
        write("/PIActiveAccounts/1001.txt", ledger);
        write("/Backup/PIActiveAccounts/1001.txt", ledger);
        write("/CAPaymentRecords.txt", postedbytes::payment("Old", "900", TodayText, "Cash", "$1.00"));
        write(Partial, "20260005\r\n");
    }
}

InvoiceDocument invoice(bool resumed)
{
    InvoiceDocument doc;
    doc.AcctNo = QStringLiteral("1001");
    doc.Customer = QStringLiteral("Acme Plumbing");
    doc.number = resumed ? QStringLiteral("20260005") : QStringLiteral("20260001");
    doc.InvoiceCounter = doc.number.toInt();
    doc.lines = {line("3", "Copper Elbow", "$15.00"), line("1", "Install Kit", "$9.00"),
                 line("2", "Brass Valve", "$12.00")};
    doc.Total = *Money::fromPlainText(QStringLiteral("36"));
    doc.Tax = *Money::fromPlainText(QStringLiteral("2.16"));
    doc.Tax2 = resumed ? Money() : *Money::fromPlainText(QStringLiteral("0.50"));
    doc.GrandTotal = doc.Total + doc.Tax + doc.Tax2;
    doc.options.prepaid = resumed;
    doc.prepaidAmount = QStringLiteral("$30.00");
    doc.prepaidForm = QStringLiteral("Check");
    return doc;
}

// Posts as the invoice screen does, advancing the number file for a new invoice.
std::optional<QString> post(const QString &root, bool resumed)
{
    DataFolder data(root);
    Catalog catalog(data);
    catalog.LoadAll();
    const FixedClock clock(QDateTime(Today, QTime(10, 30)));
    InvoiceNumbering numbering(data, clock);
    InvoicePoster poster(data, catalog, clock, [] { return qint64(1) << 40; });
    InvoiceDocument doc = invoice(resumed);
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
        const QString number = invoice(resumed).number;
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
