#include "posting/postedrecords.h"

#include "postedbytes.h"

#include <QLocale>
#include <QTest>

using namespace posting;

class TestPostedRecords : public QObject
{
    Q_OBJECT

private slots:
    void recordsMatchTheirLayouts_data();
    void recordsMatchTheirLayouts();
    void damagedRecordsReadWhatIsThere();
    void fileCountsPartRecordsAsRecordCountDoes_data();
    void fileCountsPartRecordsAsRecordCountDoes();
    void taxAmountIsPlainDecimalText_data();
    void taxAmountIsPlainDecimalText();
    void taxAmountKeepsItsPointUnderAnotherLocale();
    void ledgerAmountDropsGroupingThenSymbol_data();
    void ledgerAmountDropsGroupingThenSymbol();
    void imageReadsBackWhatWasWritten();
    void imageValuesStayOnTheirLines();
    void damagedImageReadsWhatIsThere_data();
    void damagedImageReadsWhatIsThere();
};

namespace {
const QDate Day(2026, 12, 8);
const QString Long50 = QString(50, QLatin1Char('N'));
const QString Long70 = QString(70, QLatin1Char('D'));
} // namespace

void TestPostedRecords::recordsMatchTheirLayouts_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("expected");

    // Whole records are compared where posting writes them; here, texts past their width.
    const SalesJournalRecord journal{Long50, QStringLiteral("1001"), QStringLiteral("20260001"),
                                     Day, Money::fromUnits(250000), Money::fromUnits(16500),
                                     Money::fromUnits(5000), Money::fromUnits(266500)};
    QTest::newRow("journal name cut at 45")
        << journal.encode()
        << postedbytes::journal(Long50.left(45), "1001", "20260001", Day, 250000, 16500, 5000,
                                266500);
    const SoldItemRecord sold{Long70, Day, QStringLiteral("20260001"), -2};
    QTest::newRow("sold item description cut at 60")
        << sold.encode() << postedbytes::soldItem(Long70.left(60), Day, "20260001", -2);
    const LedgerEntry entry{Long50, QStringLiteral(" 1001 "), QStringLiteral("12/8/2026"), Long70,
                            QStringLiteral("$250.00")};
    QTest::newRow("ledger texts cut")
        << entry.encode()
        << postedbytes::ledger(Long50.left(45), " 1001 ", "12/8/2026", Long70.left(60),
                               "$250.00");
}

void TestPostedRecords::recordsMatchTheirLayouts()
{
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, expected);
    QCOMPARE(encoded.toHex(' '), expected.toHex(' '));
}

void TestPostedRecords::damagedRecordsReadWhatIsThere()
{
    // Cut inside the date: the name and account survive, the amounts read zero.
    const QByteArray journalBytes =
        postedbytes::journal("Acme", "1001", "20260001", Day, 1, 2, 3, 4).left(70);
    const SalesJournalRecord journal = SalesJournalRecord::decode(journalBytes);
    QCOMPARE(journal.name, QStringLiteral("Acme"));
    QCOMPARE(journal.account, QStringLiteral("1001"));
    QCOMPARE(journal.invoiceNumber, QStringLiteral("20260"));
    QCOMPARE(journal.total, Money());

    // Garbage in the date field reads as no date instead of a wild one.
    QByteArray sold = postedbytes::soldItem("Elbow", Day, "7", 5);
    sold.replace(60, 8, QByteArray(8, '\xff'));
    const SoldItemRecord item = SoldItemRecord::decode(sold);
    QCOMPARE(item.description, QStringLiteral("Elbow"));
    QVERIFY(!item.date.isValid());
    QCOMPARE(item.quantity, qint16(5));

    const LedgerEntry empty = LedgerEntry::decode(QByteArray());
    QCOMPARE(empty, LedgerEntry());
}

void TestPostedRecords::fileCountsPartRecordsAsRecordCountDoes_data()
{
    QTest::addColumn<int>("tail");
    QTest::addColumn<int>("records");
    QTest::newRow("whole records") << 0 << 2;
    QTest::newRow("short tail is dropped") << 40 << 2;
    QTest::newRow("long tail counts") << 50 << 3;
}

void TestPostedRecords::fileCountsPartRecordsAsRecordCountDoes()
{
    QFETCH(int, tail);
    QFETCH(int, records);
    const QByteArray one = postedbytes::soldItem("Elbow", Day, "1", 1);
    const QByteArray two = postedbytes::soldItem("Valve", Day, "1", 2);
    const QByteArray three = postedbytes::soldItem("Tap", Day, "2", 3);
    const QList<SoldItemRecord> read = SoldItemRecord::decodeAll(one + two + three.left(tail));
    QCOMPARE(read.size(), records);
    QCOMPARE(read.at(1).description, QStringLiteral("Valve"));
    if (records == 3)
        QCOMPARE(read.at(2).description, QStringLiteral("Tap"));
}

void TestPostedRecords::taxAmountIsPlainDecimalText_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.50") << qint64(25000) << QStringLiteral("2.5");
    QTest::newRow("below one keeps its zero") << qint64(5000) << QStringLiteral("0.5");
    QTest::newRow("whole") << qint64(30000) << QStringLiteral("3");
    QTest::newRow("four decimals") << qint64(70007) << QStringLiteral("7.0007");
    QTest::newRow("no grouping") << qint64(12345670000) << QStringLiteral("1234567");
    QTest::newRow("ten characters") << qint64(123456785000) << QStringLiteral("12345678.5");
    QTest::newRow("too long") << qint64(1234567812345) << QString();
}

void TestPostedRecords::taxAmountIsPlainDecimalText()
{
    QFETCH(qint64, units);
    QFETCH(QString, expected);
    const std::optional<QString> text = TaxRecord::amountText(Money::fromUnits(units));
    QCOMPARE(text.value_or(QString()), expected);
    QCOMPARE(text.has_value(), !expected.isEmpty());
}

void TestPostedRecords::taxAmountKeepsItsPointUnderAnotherLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::optional<QString> text = TaxRecord::amountText(Money::fromUnits(12345000));
    QLocale::setDefault(saved);
    QCOMPARE(text.value_or(QString()), QStringLiteral("1234.5"));
}

void TestPostedRecords::ledgerAmountDropsGroupingThenSymbol_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("$0.00");
    QTest::newRow("grouped fits") << qint64(12345000) << QStringLiteral("$1,234.50");
    QTest::newRow("grouping dropped") << qint64(1000000000) << QStringLiteral("$100000.00");
    QTest::newRow("symbol dropped") << qint64(10000000000) << QStringLiteral("1000000.00");
    QTest::newRow("refused") << qint64(1000000000000) << QString();
}

void TestPostedRecords::ledgerAmountDropsGroupingThenSymbol()
{
    QFETCH(qint64, units);
    QFETCH(QString, expected);
    const std::optional<QString> text = LedgerEntry::amountText(Money::fromUnits(units));
    QCOMPARE(text.value_or(QString()), expected);
    QCOMPARE(text.has_value(), !expected.isEmpty());
}

namespace {

CompletedInvoiceImage sampleImage()
{
    CompletedInvoiceImage image;
    image.number = QStringLiteral("20260001");
    image.account = QStringLiteral("1001");
    image.name = QStringLiteral("Acme, Inc.");
    image.date = QStringLiteral("12/8/2026");
    image.amount = QStringLiteral("$1,266.50");
    image.billTo = {QStringLiteral("Acme, Inc."), QStringLiteral("1 Main St"), QString(),
                    QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62701")};
    image.shipTo = {QStringLiteral("Dock 4"), QString(), QString(), QString(), QString(), QString()};
    image.shipVia = QStringLiteral("UPS");
    image.shipDate = QStringLiteral("12/9/2026");
    image.invoiceNumber = QStringLiteral("20260001");
    image.accountNumber = QStringLiteral("1001");
    image.reference = QStringLiteral("PO 7");
    image.attention = QStringLiteral("Jo");
    InvoiceLine first;
    first.cells = {QStringLiteral("2"), QStringLiteral("Copper Elbow"), QStringLiteral("12/8/2026"),
                   QStringLiteral("$5.00"), QStringLiteral("$10.00"), QStringLiteral("True")};
    InvoiceLine second;
    second.cells = {QStringLiteral("1.5 Hrs"), QStringLiteral("Labor"), QString(),
                    QStringLiteral("$40.00"), QStringLiteral("$60.00"), QStringLiteral("False")};
    image.lines = {first, second};
    image.totals = {QStringLiteral("$1,250.00"), QStringLiteral("$16.50"), QString(),
                    QStringLiteral("$1,266.50"), QString(), QString(), QStringLiteral("$25.00")};
    return image;
}

} // namespace

void TestPostedRecords::imageReadsBackWhatWasWritten()
{
    const CompletedInvoiceImage image = sampleImage();
    const QByteArray bytes = image.encode();
    QCOMPARE(bytes.count("\r\n"), CompletedInvoiceImage::HeaderLines + 6 * 2 + 1);
    const std::optional<CompletedInvoiceImage> read = CompletedInvoiceImage::decode(bytes);
    QVERIFY(read);
    // Empty totals come back as zero currency.
    CompletedInvoiceImage stored = image;
    stored.totals = {"$1,250.00", "$16.50", "$0.00", "$1,266.50", "$0.00", "$0.00", "$25.00"};
    QCOMPARE(*read, stored);
}

void TestPostedRecords::imageValuesStayOnTheirLines()
{
    CompletedInvoiceImage image = sampleImage();
    image.reference = QStringLiteral("PO 7\r\nrev 2");
    image.lines[0][InvoiceLine::Description] = QStringLiteral("Elbow\nbrass");
    image.billTo[1] = QStringLiteral("1 \"Main\" St");
    const std::optional<CompletedInvoiceImage> read = CompletedInvoiceImage::decode(image.encode());
    QVERIFY(read);
    QCOMPARE(read->reference, QStringLiteral("PO 7 rev 2"));
    QCOMPARE(read->lines.size(), 2);
    QCOMPARE(read->lines[0][InvoiceLine::Description], QStringLiteral("Elbow brass"));
    QCOMPARE(read->billTo[1], QStringLiteral("1 'Main' St"));
    QCOMPARE(read->totals[CompletedInvoiceImage::Discount], QStringLiteral("$25.00"));
}

void TestPostedRecords::damagedImageReadsWhatIsThere_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("grandTotal");

    const QByteArray whole = sampleImage().encode();
    QTest::newRow("empty") << QByteArray() << false << 0 << QString();
    QTest::newRow("four lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n") << false << 0 << QString();
    QTest::newRow("five lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n$5.00") << true << 0 << QString();

    QByteArray overstated = whole;
    overstated.replace("\r\nJo\r\n2\r\n", "\r\nJo\r\n9\r\n");
    QTest::newRow("count beyond the file") << overstated << true << 2 << QStringLiteral("$1,266.50");

    QByteArray garbage = whole;
    garbage.replace("\r\nJo\r\n2\r\n", "\r\nJo\r\nxx\r\n");
    QTest::newRow("count not a number") << garbage << true << 2 << QStringLiteral("$1,266.50");

    QByteArray negative = whole;
    negative.replace("\r\nJo\r\n2\r\n", "\r\nJo\r\n-3\r\n");
    QTest::newRow("negative count") << negative << true << 2 << QStringLiteral("$1,266.50");

    QByteArray understated = whole;
    understated.replace("\r\nJo\r\n2\r\n", "\r\nJo\r\n1\r\n");
    QTest::newRow("count short of the lines") << understated << true << 1 << QString();

    QByteArray lf = whole;
    lf.replace("\r\n", "\n");
    QTest::newRow("LF line ends") << lf << true << 2 << QStringLiteral("$1,266.50");
}

void TestPostedRecords::damagedImageReadsWhatIsThere()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, listed);
    QFETCH(int, lines);
    QFETCH(QString, grandTotal);
    const std::optional<CompletedInvoiceImage> read = CompletedInvoiceImage::decode(bytes);
    QCOMPARE(read.has_value(), listed);
    if (!read)
        return;
    QCOMPARE(read->lines.size(), lines);
    QCOMPARE(read->totals[CompletedInvoiceImage::GrandTotal], grandTotal);
}

QTEST_GUILESS_MAIN(TestPostedRecords)
#include "tst_postedrecords.moc"
