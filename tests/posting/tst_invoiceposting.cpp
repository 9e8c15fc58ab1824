#include "posting/invoiceposting.h"

#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/names.h"
#include "postedbytes.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace posting;

namespace {

const QDate Today(2026, 12, 8);
const QString TodayText = QStringLiteral("12/8/2026");

Money money(const char *plain)
{
    return *Money::fromPlainText(QString::fromLatin1(plain));
}

InvoiceLine line(const QString &units, const QString &description, const QString &amount,
                 bool taxable = true)
{
    InvoiceLine l;
    l.cells = {units, description, TodayText, QStringLiteral("$1.00"), amount,
               taxable ? QStringLiteral("True") : QStringLiteral("False")};
    return l;
}

QByteArray item(const QString &description, qint16 onHand)
{
    catalogbytes::Item i;
    i.description = description;
    i.category = QStringLiteral("Fittings");
    i.price = 50000;
    i.onHand = onHand;
    return catalogbytes::item(i);
}

struct Snapshot
{
    QStringList files;
    QList<QByteArray> bytes;
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class TestInvoicePosting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void firstInvoiceOfAnAccountLeavesEveryFileByteForByte();
    void prepaidInvoiceEntersThePaymentOnBothFiles_data();
    void prepaidInvoiceEntersThePaymentOnBothFiles();
    void laterInvoiceAppendsToTheAccount_data();
    void laterInvoiceAppendsToTheAccount();
    void stockDeduction_data();
    void stockDeduction();
    void strayBytesOfTheItemsFileSurviveTheDeduction();
    void soldItemsOneRecordPerLine();
    void taxRecordsOnlyForChargedTaxes_data();
    void taxRecordsOnlyForChargedTaxes();
    void refusedBeforeAnythingIsWritten_data();
    void refusedBeforeAnythingIsWritten();
    void aWriteErrorUndoesTheWholePosting();
    void resumedInvoiceDeletesItsPartialFile();
    void damagedRecordFilesTakeTheNextRecordAtTheirCount_data();
    void damagedRecordFilesTakeTheNextRecordAtTheirCount();
    void folderInTheLedgerPlaceIsRefused();
    void resetKeepsOnlyTheLastingOptions();

private:
    QString path(const QString &relative) const { return m_dir->path() + relative; }
    void write(const QString &relative, const QByteArray &bytes)
    {
        QVERIFY(testfiles::writeBytes(path(relative), bytes));
    }
    QByteArray read(const QString &relative) const { return testfiles::readBytes(path(relative)); }
    Snapshot snapshot() const;
    InvoiceDocument invoice() const;
    PostingRequest request();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<Catalog> m_catalog;
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<InvoicePoster> m_poster;
    qint64 m_freeSpace = 0;
    int m_advanced = 0;
    std::function<void()> m_afterCheck;
};

void TestInvoicePosting::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backup/PIActiveAccounts")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("PIActiveAccounts")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("CompletedInvoices")));
    write(QStringLiteral("/PIInventoriedItems.txt"),
          item("Copper Elbow", 2) + item("Brass Valve", 10) + item("Copper Elbow", 50));
    write(QStringLiteral("/CustomItems.txt"), catalogbytes::custom("Brass Valve", 60000, 0, 0) +
                                                  catalogbytes::custom("Install Kit", 90000, 0, 0));
    write(QStringLiteral("/Services.txt"), catalogbytes::service("Drain Cleaning", "$80.00", 4));
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_catalog = std::make_unique<Catalog>(*m_data);
    m_catalog->LoadAll();
    m_clock = std::make_unique<FixedClock>(QDateTime(Today, QTime(10, 30)));
    m_freeSpace = qint64(1) << 40;
    m_advanced = 0;
    m_afterCheck = {};
    m_poster = std::make_unique<InvoicePoster>(*m_data, *m_catalog, *m_clock, [this] {
        if (m_afterCheck)
            m_afterCheck();
        return m_freeSpace;
    });
}

void TestInvoicePosting::cleanup()
{
    m_poster.reset();
    m_catalog.reset();
    m_data.reset();
    m_dir.reset();
}

Snapshot TestInvoicePosting::snapshot() const
{
    Snapshot s;
    s.files = testfiles::filesIn(m_dir->path());
    for (const QString &file : s.files)
        s.bytes.append(read(file));
    return s;
}

InvoiceDocument TestInvoicePosting::invoice() const
{
    InvoiceDocument doc;
    doc.AcctNo = QStringLiteral("1001");
    doc.Customer = QStringLiteral("Acme Plumbing");
    doc.Street = QStringLiteral("1 Main St");
    doc.Address3 = QStringLiteral("Springfield");
    doc.State = QStringLiteral("IL");
    doc.Address4 = QStringLiteral("62701");
    doc.number = QStringLiteral("20260001");
    doc.InvoiceCounter = 20260001;
    doc.shipTo = {QStringLiteral("Dock 4"), QString(), QString(), QString(), QString(), QString()};
    doc.carrier = QStringLiteral("UPS");
    doc.shipDate = Today.addDays(1);
    doc.reference = QStringLiteral("PO 77");
    doc.attention = QStringLiteral("Jo");
    doc.lines = {line("3", "Copper Elbow", "$15.00"), line("1.5", "Brass Valve", "$12.00"),
                 line("2 Hrs", "General Labor", "$80.00", false),
                 line("1", "Drain Cleaning", "$50.00", false)};
    doc.Total = money("157");
    doc.Tax = money("2.16");
    doc.GrandTotal = money("159.16");
    return doc;
}

PostingRequest TestInvoicePosting::request()
{
    PostingRequest r;
    r.taxHeading1 = QStringLiteral("Sales Tax");
    r.taxHeading2 = QStringLiteral("County Tax");
    r.advanceInvoiceNumber = [this] {
        ++m_advanced;
        return true;
    };
    return r;
}

void TestInvoicePosting::firstInvoiceOfAnAccountLeavesEveryFileByteForByte()
{
    InvoiceDocument doc = invoice();
    const PostingOutcome outcome = m_poster->PostInvoice(doc, request());
    QCOMPARE(outcome.error.value_or(QString()), QString());
    QVERIFY(outcome.posted);
    QCOMPARE(outcome.lowInventory, QStringList{QStringLiteral("Copper Elbow")});

    QCOMPARE(read("/SoldItems.txt"), postedbytes::soldItem("Copper Elbow", Today, "20260001", 3) +
                                         postedbytes::soldItem("Brass Valve", Today, "20260001", 2));
    QCOMPARE(read("/InvoiceSalesJournal.txt"),
             postedbytes::journal("Acme Plumbing", "1001", "20260001", Today, 1570000, 21600, 0,
                                  1591600));
    const QByteArray ledger =
        postedbytes::ledger("1001", "1001", TodayText, "Previous Balance", "$0.00") +
        postedbytes::ledger("1001", "1001", TodayText, "20260001", "$159.16");
    QCOMPARE(ledger.size(), 310);
    QCOMPARE(read("/PIActiveAccounts/1001.txt"), ledger);
    QCOMPARE(read("/Backup/PIActiveAccounts/1001.txt"), ledger);
    QCOMPARE(read("/TaxRecords.txt"), postedbytes::tax("Sales Tax", TodayText, "20260001", "2.16"));
    QCOMPARE(read("/CAPaymentRecords.txt"), QByteArray("<missing>"));

    postedbytes::Image image;
    image.number = image.invoiceNumber = "20260001";
    image.account = image.accountNumber = "1001";
    image.name = "Acme Plumbing";
    image.date = TodayText;
    image.amount = "$159.16";
    image.billTo = {"Acme Plumbing", "1 Main St", "", "Springfield", "IL", "62701"};
    image.shipTo = {"Dock 4", "", "", "", "", ""};
    image.shipVia = "UPS";
    image.shipDate = "12/9/2026";
    image.reference = "PO 77";
    image.attention = "Jo";
    for (const InvoiceLine &l : invoice().lines)
        image.lines.append(QStringList(l.cells.begin(), l.cells.end()));
    image.totals = {"$157.00", "$2.16", "$0.00", "$159.16", "$0.00", "$0.00", "$0.00"};
    QCOMPARE(read("/CompletedInvoices/20260001.txt"), postedbytes::image(image));

    // Only the first "Copper Elbow" is lowered; the labor line leaves stock alone.
    QCOMPARE(read("/PIInventoriedItems.txt"),
             item("Copper Elbow", 0) + item("Brass Valve", 8) + item("Copper Elbow", 50));
    QCOMPARE(m_catalog->salesItems().size(), 3);
    for (const SalesItemRecord &row : m_catalog->salesItems()) {
        if (row.description == QLatin1String("Brass Valve"))
            QCOMPARE(row.onHand, qint16(8));
    }

    QCOMPARE(m_advanced, 1);
    QVERIFY(doc.lines.isEmpty());
    QCOMPARE(doc.GrandTotal, Money());
    QCOMPARE(doc.reference, QString());
    QCOMPARE(outcome.postedDocument.lines, invoice().lines);

    // The same number cannot be posted again.
    InvoiceDocument again = invoice();
    const PostingOutcome second = m_poster->PostInvoice(again, request());
    QVERIFY(!second.posted);
    QCOMPARE(second.error.value_or(QString()),
             QStringLiteral("Invoice 20260001 has already been Posted"));
}

void TestInvoicePosting::prepaidInvoiceEntersThePaymentOnBothFiles_data()
{
    QTest::addColumn<QByteArray>("customers");
    QTest::addColumn<QString>("name");

    // Account (20) and account name (45) lead the 328-byte customer record.
    const auto customer = [](const QString &account, const QString &name) {
        return postedbytes::text(account, 20) + postedbytes::text(name, 45) +
               QByteArray(328 - 65, ' ');
    };
    const QByteArray similar = customer("10011", "Not This One");
    const QByteArray exact = customer(" 1001", "Acme Plumbing Inc");
    QTest::newRow("exact account, not a longer one")
        << similar + exact << "Acme Plumbing Inc";
    QTest::newRow("not in the file: sold-to name")
        << similar << "Acme Plumbing";
    QTest::newRow("no customer file") << QByteArray() << "Acme Plumbing";
}

void TestInvoicePosting::prepaidInvoiceEntersThePaymentOnBothFiles()
{
    QFETCH(QByteArray, customers);
    QFETCH(QString, name);
    if (!customers.isEmpty())
        write("/CustomerData.txt", customers);
    InvoiceDocument doc = invoice();
    doc.options.prepaid = true;
    doc.GrandTotal = money("250");
    doc.prepaidAmount = QStringLiteral("200");
    doc.prepaidForm = QStringLiteral("Check # 123");
    const PostingOutcome outcome = m_poster->PostInvoice(doc, request());
    QVERIFY(outcome.posted);

    const QByteArray ledger =
        postedbytes::ledger("1001", "1001", TodayText, "Previous Balance", "$0.00") +
        postedbytes::ledger("1001", "1001", TodayText, "20260001", "$250.00") +
        postedbytes::ledger("1001", "1001", TodayText, "Payment Received", "$200.00");
    QCOMPARE(read("/PIActiveAccounts/1001.txt"), ledger);
    QCOMPARE(read("/Backup/PIActiveAccounts/1001.txt"), ledger);
    QCOMPARE(read("/CAPaymentRecords.txt"),
             postedbytes::payment(name, "1001", TodayText, "Check # 123", "$250.00"));
}

void TestInvoicePosting::laterInvoiceAppendsToTheAccount_data()
{
    QTest::addColumn<bool>("liveFile");
    QTest::addColumn<QString>("account");
    QTest::newRow("existing file") << true << "1001";
    QTest::newRow("restored from its backup") << false << "1001";
    QTest::newRow("account with blanks names the same file") << true << " 1001 ";
}

void TestInvoicePosting::laterInvoiceAppendsToTheAccount()
{
    QFETCH(bool, liveFile);
    QFETCH(QString, account);
    const QByteArray earlier =
        postedbytes::ledger("1001", "1001", "11/2/2026", "Previous Balance", "$0.00") +
        postedbytes::ledger("1001", "1001", "11/2/2026", "20250999", "$10.00");
    write("/Backup/PIActiveAccounts/1001.txt", earlier);
    if (liveFile)
        write("/PIActiveAccounts/1001.txt", earlier);
    InvoiceDocument doc = invoice();
    doc.AcctNo = account;
    QVERIFY(m_poster->PostInvoice(doc, request()).posted);
    const QByteArray expected =
        earlier + postedbytes::ledger(account, account, TodayText, "20260001", "$159.16");
    QCOMPARE(read("/PIActiveAccounts/1001.txt"), expected);
    QCOMPARE(read("/Backup/PIActiveAccounts/1001.txt"), expected);
    // The journal keeps the account as handed over too.
    QCOMPARE(SalesJournalRecord::decode(read("/InvoiceSalesJournal.txt")).account,
             account.trimmed());
    QCOMPARE(read("/InvoiceSalesJournal.txt").mid(45, 20), postedbytes::text(account, 20));
}

void TestInvoicePosting::stockDeduction_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<int>("onHand");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("low");
    QTest::newRow("more than in stock") << "3" << 2 << 0 << true;
    QTest::newRow("all of it") << "2" << 2 << 0 << false;
    QTest::newRow("a half rounds to even, up") << "1.5" << 10 << 8 << false;
    QTest::newRow("a half rounds to even, down") << "2.5" << 10 << 8 << false;
    QTest::newRow("blanks around") << " 4 " << 10 << 6 << false;
    QTest::newRow("not a number takes nothing") << "a few" << 10 << 10 << false;
    QTest::newRow("labor hours never") << "2 Hrs" << 10 << 10 << false;
    QTest::newRow("a return adds") << "-3" << 10 << 13 << false;
    QTest::newRow("damaged stock below zero") << "1" << -32768 << 0 << true;
}

void TestInvoicePosting::stockDeduction()
{
    QFETCH(QString, units);
    QFETCH(int, onHand);
    QFETCH(int, left);
    QFETCH(bool, low);
    write("/PIInventoriedItems.txt", item("Gasket", qint16(onHand)) + item("Brass Valve", 10));
    m_catalog->LoadAdditionalItems();
    InvoiceDocument doc = invoice();
    doc.lines = {line(units, " Gasket ", "$1.00")};
    const PostingOutcome outcome = m_poster->PostInvoice(doc, request());
    QVERIFY(outcome.posted);
    QCOMPARE(read("/PIInventoriedItems.txt"), item("Gasket", qint16(left)) + item("Brass Valve", 10));
    QCOMPARE(outcome.lowInventory, low ? QStringList{QStringLiteral("Gasket")} : QStringList());
}

void TestInvoicePosting::strayBytesOfTheItemsFileSurviveTheDeduction()
{
    const QByteArray stray(30, 'x');
    write("/PIInventoriedItems.txt", item("Gasket", 5) + stray);
    m_catalog->LoadAdditionalItems();
    InvoiceDocument doc = invoice();
    doc.lines = {line("2", "Gasket", "$1.00"), line("1", "Gasket", "$1.00")};
    QVERIFY(m_poster->PostInvoice(doc, request()).posted);
    QCOMPARE(read("/PIInventoriedItems.txt"), item("Gasket", 2) + stray);
}

void TestInvoicePosting::soldItemsOneRecordPerLine()
{
    // "Brass Valve" is both a sales and a custom item; "Install Kit" only custom.
    write("/SoldItems.txt", postedbytes::soldItem("Older", Today.addDays(-1), "20250001", 1));
    InvoiceDocument doc = invoice();
    doc.lines = {line("2", "Brass Valve", "$1.00"), line("n/a", "Install Kit", "$1.00"),
                 line("100000", "Not In Catalog", "$1.00"), line("7", "Drain Cleaning", "$1.00")};
    QVERIFY(m_poster->PostInvoice(doc, request()).posted);
    QCOMPARE(read("/SoldItems.txt"),
             postedbytes::soldItem("Older", Today.addDays(-1), "20250001", 1) +
                 postedbytes::soldItem("Brass Valve", Today, "20260001", 2) +
                 postedbytes::soldItem("Install Kit", Today, "20260001", 0));
}

void TestInvoicePosting::taxRecordsOnlyForChargedTaxes_data()
{
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("tax2");
    QTest::addColumn<QByteArray>("records");
    QTest::newRow("first only") << "2.50" << "0"
                                << postedbytes::tax("Sales Tax", TodayText, "20260001", "2.5");
    QTest::newRow("both") << "0.5" << "7.0007"
                          << postedbytes::tax("Sales Tax", TodayText, "20260001", "0.5") +
                                 postedbytes::tax("County Tax", TodayText, "20260001", "7.0007");
    QTest::newRow("second only") << "0" << "3"
                                 << postedbytes::tax("County Tax", TodayText, "20260001", "3");
    QTest::newRow("none") << "0" << "0" << QByteArray("<missing>");
}

void TestInvoicePosting::taxRecordsOnlyForChargedTaxes()
{
    QFETCH(QString, tax);
    QFETCH(QString, tax2);
    QFETCH(QByteArray, records);
    InvoiceDocument doc = invoice();
    doc.Tax = *Money::fromPlainText(tax);
    doc.Tax2 = *Money::fromPlainText(tax2);
    const Money bothTaxes = doc.Tax + doc.Tax2;
    QVERIFY(m_poster->PostInvoice(doc, request()).posted);
    QCOMPARE(read("/TaxRecords.txt"), records);
    QCOMPARE(SalesJournalRecord::decode(read("/InvoiceSalesJournal.txt")).tax, bothTaxes);
}

void TestInvoicePosting::refusedBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("unsafe number") << "number"
                                   << names::unsafeNameMessage("Invoice Number", "2026/1");
    QTest::newRow("unsafe account") << "account" << names::unsafeNameMessage("Account Number", "a:b");
    QTest::newRow("number in the journal") << "journal"
                                           << "Invoice 20260001 has already been Posted";
    QTest::newRow("image already there") << "image" << "Invoice 20260001 has already been Posted";
    QTest::newRow("units beyond 16 bits") << "units"
                                          << "The Units of Copper Elbow are too large to be recorded";
    QTest::newRow("stock beyond 16 bits")
        << "stock" << "The Inventory of Brass Valve would be too large for the Inventory file";
    QTest::newRow("amount paid not an amount") << "paid" << "The Amount Paid \"lots\" is not an Amount";
    QTest::newRow("total too large for the ledger")
        << "total" << "The Invoice Total $1,000,000,000.00 is too large for the Account file";
    QTest::newRow("folder in the journal's place")
        << "journal folder" << "The file \"/InvoiceSalesJournal.txt\" could not be written.";
    QTest::newRow("folder in the sold items' place")
        << "sold folder" << "The file \"\\SoldItems.txt\" could not be written.";
    QTest::newRow("file in the images folder's place")
        << "images file" << "The file \"/CompletedInvoices/20260001.txt\" could not be written.";
    QTest::newRow("disk nearly full") << "disk"
                                      << "There is not enough room on the disk to Post this Invoice";
}

void TestInvoicePosting::refusedBeforeAnythingIsWritten()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    InvoiceDocument doc = invoice();
    if (damage == QLatin1String("number")) {
        doc.number = QStringLiteral("2026/1");
    } else if (damage == QLatin1String("account")) {
        doc.AcctNo = QStringLiteral("a:b");
    } else if (damage == QLatin1String("journal")) {
        write("/InvoiceSalesJournal.txt",
              postedbytes::journal("Other", "7", "20250001", Today, 0, 0, 0, 0) +
                  postedbytes::journal("Other", "7", "20260001", Today, 0, 0, 0, 0));
    } else if (damage == QLatin1String("image")) {
        write("/CompletedInvoices/20260001.txt", "20260001\r\n");
    } else if (damage == QLatin1String("units")) {
        doc.lines[0][InvoiceLine::Units] = QStringLiteral("40000");
    } else if (damage == QLatin1String("stock")) {
        write("/PIInventoriedItems.txt", item("Brass Valve", 32760));
        m_catalog->LoadAdditionalItems();
        doc.lines = {line("-10", "Brass Valve", "$1.00")};
    } else if (damage == QLatin1String("paid")) {
        doc.options.prepaid = true;
        doc.prepaidAmount = QStringLiteral("lots");
    } else if (damage == QLatin1String("total")) {
        doc.GrandTotal = money("1000000000");
    } else if (damage == QLatin1String("journal folder")) {
        QVERIFY(QDir(m_dir->path()).mkdir("InvoiceSalesJournal.txt"));
    } else if (damage == QLatin1String("sold folder")) {
        QVERIFY(QDir(m_dir->path()).mkdir("SoldItems.txt"));
    } else if (damage == QLatin1String("images file")) {
        QVERIFY(QDir(path("/CompletedInvoices")).removeRecursively());
        write("/CompletedInvoices", "not a folder");
    } else if (damage == QLatin1String("disk")) {
        m_freeSpace = 1000;
    }
    const Snapshot before = snapshot();
    const InvoiceDocument handedOver = doc;
    QCOMPARE(m_poster->CheckPosting(doc, request()).value_or(QString()), message);
    const PostingOutcome outcome = m_poster->PostInvoice(doc, request());
    QVERIFY(!outcome.posted);
    QCOMPARE(outcome.error.value_or(QString()), message);
    QVERIFY(snapshot() == before);
    QCOMPARE(m_advanced, 0);
    QCOMPARE(doc.lines, handedOver.lines);
}

void TestInvoicePosting::aWriteErrorUndoesTheWholePosting()
{
    // Between the check and the writes, something takes the image's place and another
    // program changes the stock.
    m_afterCheck = [this] {
        QDir(m_dir->path()).mkpath("CompletedInvoices/20260001.txt");
        testfiles::writeBytes(path("/PIInventoriedItems.txt"), item("Copper Elbow", 40));
    };
    InvoiceDocument doc = invoice();
    const PostingOutcome outcome = m_poster->PostInvoice(doc, request());
    QVERIFY(!outcome.posted);
    QCOMPARE(outcome.error.value_or(QString()),
             QStringLiteral("The file \"/CompletedInvoices/20260001.txt\" could not be written.\r\n"
                            "Invoice 20260001 was not Posted; nothing of it was kept."));
    QVERIFY(outcome.lowInventory.isEmpty());
    // What was written before the failure is gone again, and the journal's intent with it.
    for (const char *gone : {"/SoldItems.txt", "/InvoiceSalesJournal.txt", "/PIActiveAccounts/1001.txt",
                             "/Backup/PIActiveAccounts/1001.txt", "/TaxRecords.txt", "/WriteIntent.dat"})
        QCOMPARE(read(gone), QByteArray("<missing>"));
    QCOMPARE(read("/PIInventoriedItems.txt"), item("Copper Elbow", 40));
    // The catalog shows what is on disk, so the screen cannot write old stock back.
    QCOMPARE(m_catalog->salesItems().size(), 1);
    QCOMPARE(m_catalog->salesItems().at(0).onHand, qint16(40));
    // The invoice stays on the screen with its number, which can be posted once the
    // cause is gone.
    QCOMPARE(doc.lines, invoice().lines);
    QCOMPARE(m_advanced, 0);
    m_afterCheck = {};
    QDir(path("/CompletedInvoices/20260001.txt")).removeRecursively();
    QVERIFY(m_poster->PostInvoice(doc, request()).posted);
    QCOMPARE(SalesJournalRecord::decodeAll(read("/InvoiceSalesJournal.txt")).size(), 1);
}

void TestInvoicePosting::resumedInvoiceDeletesItsPartialFile()
{
    const QString partial = QStringLiteral("/PelmorInvoicer/IncompleteInvoices/20260001.txt");
    write(partial, "20260001\r\n");
    PostingRequest r = request();
    r.resumedPartialFile = partial;
    InvoiceDocument doc = invoice();
    QVERIFY(m_poster->PostInvoice(doc, r).posted);
    QCOMPARE(read(partial), QByteArray("<missing>"));
    QCOMPARE(m_advanced, 0);
    // A resumed invoice keeps its reference for the screen to clear as it does.
    QCOMPARE(doc.reference, QStringLiteral("PO 77"));
}

void TestInvoicePosting::damagedRecordFilesTakeTheNextRecordAtTheirCount_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("tail");
    QTest::addColumn<int>("records"); // the count the tail leaves
    for (const auto &[file, length] : {std::pair{QStringLiteral("/InvoiceSalesJournal.txt"), 125},
                                       std::pair{QStringLiteral("/SoldItems.txt"), 90},
                                       std::pair{QStringLiteral("/PIActiveAccounts/1001.txt"), 155}}) {
        QTest::addRow("%s, a few stray bytes", qPrintable(file)) << file << length << 7 << 2;
        QTest::addRow("%s, most of a record", qPrintable(file)) << file << length << length - 5 << 3;
    }
}

void TestInvoicePosting::damagedRecordFilesTakeTheNextRecordAtTheirCount()
{
    QFETCH(QString, file);
    QFETCH(int, length);
    QFETCH(int, tail);
    QFETCH(int, records);
    const QByteArray before = QByteArray(2 * length, 'r') + QByteArray(tail, 't');
    write(file, before);
    InvoiceDocument doc = invoice();
    QVERIFY(m_poster->PostInvoice(doc, request()).posted);
    const QByteArray after = read(file);
    // Whole records only, and nothing before the new record is lost.
    QCOMPARE(after.size() % length, 0);
    QCOMPARE(after.left(2 * length), before.left(2 * length));
    QVERIFY(after.size() >= (records + 1) * length);
    if (records == 3)
        QCOMPARE(after.mid(2 * length, tail), before.mid(2 * length));
    const QByteArray added = after.mid(records * length, length);
    QVERIFY(added.contains("20260001"));
}

void TestInvoicePosting::folderInTheLedgerPlaceIsRefused()
{
    QVERIFY(QDir(m_dir->path()).mkpath("PIActiveAccounts/1001.txt/inside"));
    const Snapshot before = snapshot();
    InvoiceDocument doc = invoice();
    const PostingOutcome outcome = m_poster->PostInvoice(doc, request());
    QCOMPARE(outcome.error.value_or(QString()),
             QStringLiteral("The file \"/PIActiveAccounts/1001.txt\" could not be written."));
    QVERIFY(snapshot() == before);
    QVERIFY(QFileInfo(path("/PIActiveAccounts/1001.txt/inside")).isDir());
}

void TestInvoicePosting::resetKeepsOnlyTheLastingOptions()
{
    InvoiceOptions options{true, true, true, true, true, true, true, true};
    ResetInvoiceOptions(options);
    InvoiceOptions lasting;
    lasting.secondTax = true;
    lasting.printFrom = true;
    QCOMPARE(options, lasting);
}

QTEST_GUILESS_MAIN(TestInvoicePosting)
#include "tst_invoiceposting.moc"
