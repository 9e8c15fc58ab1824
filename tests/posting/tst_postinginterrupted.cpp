#include "posting/invoiceposting.h"

#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/diskio.h"
#include "core/rollbackjournal.h"
#include "invoice/invoicenumbering.h"
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

// Every file below the folder with its bytes.
QMap<QString, QByteArray> filesOf(const QString &root)
{
    QMap<QString, QByteArray> files;
    for (const QString &file : testfiles::filesIn(root))
        files.insert(file, testfiles::readBytes(root + file));
    return files;
}

// One data folder with books already in it, and the invoice to post there.
struct Books
{
    explicit Books(bool prepaidResumed) : resumed(prepaidResumed)
    {
        const auto write = [this](const QString &relative, const QByteArray &bytes) {
            QVERIFY(testfiles::writeBytes(dir.path() + relative, bytes));
        };
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("CompletedInvoices")));
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
            write("/CAPaymentRecords.txt",
                  postedbytes::payment("Old", "900", TodayText, "Cash", "$1.00"));
            write(Partial, "20260005\r\n");
        }
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
    }

    // Posts as the invoice screen does, with the number file advanced for a new invoice.
    PostingOutcome post()
    {
        DataFolder data(dir.path());
        Catalog catalog(data);
        catalog.LoadAll();
        const FixedClock clock(QDateTime(Today, QTime(10, 30)));
        InvoiceNumbering numbering(data, clock);
        InvoicePoster poster(data, catalog, clock, [] { return qint64(1) << 40; });
        PostingRequest request;
        request.taxHeading1 = QStringLiteral("Sales Tax");
        request.taxHeading2 = QStringLiteral("County Tax");
        if (resumed)
            request.resumedPartialFile = Partial;
        else
            request.advanceInvoiceNumber = [&] { return numbering.AdvanceInvoiceNumber(doc.number); };
        InvoiceDocument posted = doc;
        return poster.PostInvoice(posted, request);
    }

    Recovery restart() const
    {
        const DataFolder data(dir.path());
        return RecoverInterruptedWrite(data);
    }

    QMap<QString, QByteArray> files() const { return filesOf(dir.path()); }

    QTemporaryDir dir;
    bool resumed;
    InvoiceDocument doc;
};

} // namespace

class TestPostingInterrupted : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { diskio::disarmFault(); }

    void aKillAtEveryCallLeavesThePostingWholeOrUndone_data();
    void aKillAtEveryCallLeavesThePostingWholeOrUndone();
    void aFullDiskAtEveryCallUndoesThePostingAtOnce_data() { aKillAtEveryCallLeavesThePostingWholeOrUndone_data(); }
    void aFullDiskAtEveryCallUndoesThePostingAtOnce();

private:
    struct Reference
    {
        QMap<QString, QByteArray> before;
        QMap<QString, QByteArray> after;
        qint64 calls = 0;
        QStringList sites;
    };
    static Reference reference(bool resumed);
};

TestPostingInterrupted::Reference TestPostingInterrupted::reference(bool resumed)
{
    Reference r;
    Books books(resumed);
    r.before = books.files();
    diskio::armFault(0, diskio::Fault::Kill);
    const PostingOutcome outcome = books.post();
    r.calls = diskio::callCount();
    r.sites = diskio::callSites();
    diskio::disarmFault();
    if (!outcome.posted)
        qWarning() << outcome.error.value_or(QString());
    r.after = books.files();
    return r;
}

void TestPostingInterrupted::aKillAtEveryCallLeavesThePostingWholeOrUndone_data()
{
    QTest::addColumn<bool>("resumed");
    QTest::newRow("new invoice, first of its account, two taxes") << false;
    QTest::newRow("pre-paid invoice resumed from a partial one") << true;
}

void TestPostingInterrupted::aKillAtEveryCallLeavesThePostingWholeOrUndone()
{
    QFETCH(bool, resumed);
    const Reference ref = reference(resumed);
    QVERIFY(ref.after != ref.before);
    const QString number = resumed ? QStringLiteral("20260005") : QStringLiteral("20260001");
    int undone = 0;
    for (qint64 n = 1; n <= ref.calls; ++n) {
        Books books(resumed);
        diskio::armFault(n, diskio::Fault::Kill);
        books.post();
        QVERIFY(diskio::faultTripped());
        diskio::disarmFault();
        const bool intentLeft = QFileInfo::exists(books.dir.path() + RollbackJournal::IntentFile);

        const Recovery recovery = books.restart();
        const QMap<QString, QByteArray> files = books.files();
        if (intentLeft) {
            ++undone;
            QCOMPARE(recovery.outcome, Recovery::Outcome::Undone);
            QCOMPARE(recovery.title, QStringLiteral("Posting Interrupted"));
            QCOMPARE(recovery.message,
                     QStringLiteral("The Posting of Invoice %1 was interrupted and has been undone.\r\n"
                                    "Print and Post Invoice %1 again.")
                         .arg(number));
            QVERIFY2(files == ref.before, qPrintable(QStringLiteral("killed at call %1").arg(n)));
        } else {
            QCOMPARE(recovery.outcome, Recovery::Outcome::Nothing);
            QVERIFY2(files == ref.before || files == ref.after,
                     qPrintable(QStringLiteral("killed at call %1").arg(n)));
        }
    }
    // Nearly every kill falls while the intent is on disk.
    QVERIFY(undone > ref.calls / 2);
    qInfo().noquote() << QStringLiteral("kill test: %1 file-changing calls from %2 call sites, each "
                                        "killed once, %3 undone at the restart: %4")
                             .arg(ref.calls)
                             .arg(ref.sites.size())
                             .arg(undone)
                             .arg(ref.sites.join(QStringLiteral(", ")));
}

void TestPostingInterrupted::aFullDiskAtEveryCallUndoesThePostingAtOnce()
{
    QFETCH(bool, resumed);
    const Reference ref = reference(resumed);
    const QString number = resumed ? QStringLiteral("20260005") : QStringLiteral("20260001");
    int refused = 0;
    for (qint64 n = 1; n <= ref.calls; ++n) {
        Books books(resumed);
        diskio::armFault(n, diskio::Fault::DiskFull);
        const PostingOutcome outcome = books.post();
        diskio::disarmFault();
        const QString where = QStringLiteral("full at call %1").arg(n);
        if (outcome.posted) {
            // Only the clean-up after the intent was gone failed: the next start
            // clears what it left.
            QCOMPARE(books.restart().outcome, Recovery::Outcome::Nothing);
            QVERIFY2(books.files() == ref.after, qPrintable(where));
            continue;
        }
        ++refused;
        QVERIFY2(books.files() == ref.before, qPrintable(where));
        QVERIFY2(outcome.error.value_or(QString()).endsWith(
                     QStringLiteral("\r\nInvoice %1 was not Posted; nothing of it was kept.").arg(number)),
                 qPrintable(where + u' ' + outcome.error.value_or(QString())));
        QVERIFY(outcome.lowInventory.isEmpty());
    }
    QVERIFY(refused > ref.calls / 2);
}

QTEST_GUILESS_MAIN(TestPostingInterrupted)
#include "tst_postinginterrupted.moc"
