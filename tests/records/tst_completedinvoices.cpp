#include "core/datafolder.h"
#include "core/linefile.h"
#include "postedbytes.h"
#include "records/completedinvoices.h"
#include "testfiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using records::CompletedInvoiceRow;
using records::CompletedInvoices;
using records::SortColumn;

namespace {

postedbytes::Image imageOf(const QString &number, const QString &name, const QString &date,
                           const QString &amount)
{
    postedbytes::Image i;
    i.number = number;
    i.account = QStringLiteral("ACC") + number;
    i.name = name;
    i.date = date;
    i.amount = amount;
    i.billTo[0] = name;
    i.shipTo[0] = name;
    i.shipVia = QStringLiteral("UPS");
    i.shipDate = date;
    i.invoiceNumber = number;
    i.accountNumber = i.account;
    i.reference = QStringLiteral("PO 7, rush");
    i.attention = QStringLiteral("Smith, J.");
    i.lines = {{"2", "Widget", date, "$5.00", "$10.00", "T"}};
    i.totals = {"$10.00", "$0.40", "$0.00", "$10.40", "$0.00", "$0.00", "$0.00"};
    return i;
}

QStringList cellsOf(const QList<CompletedInvoiceRow> &rows, int cell)
{
    QStringList out;
    for (const CompletedInvoiceRow &row : rows)
        out.append(row.cells.value(cell));
    return out;
}

} // namespace

class tst_CompletedInvoices final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root() const { return m_dir.path(); }
    void writeImage(const QString &file, const postedbytes::Image &image)
    {
        QVERIFY(testfiles::writeBytes(root() + "/CompletedInvoices/" + file,
                                      postedbytes::image(image)));
    }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup()
    {
        m_dir.remove();
        m_dir = QTemporaryDir();
    }

    void listSortsByDateKeyAndName_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("number") << int(SortColumn::Number) << int(Qt::AscendingOrder)
                                << QStringList{"9", "10", "11"};
        QTest::newRow("date ascending") << int(SortColumn::Date) << int(Qt::AscendingOrder)
                                        << QStringList{"11", "9", "10"};
        QTest::newRow("date descending") << int(SortColumn::Date) << int(Qt::DescendingOrder)
                                         << QStringList{"10", "9", "11"};
        QTest::newRow("name descending") << int(SortColumn::Name) << int(Qt::DescendingOrder)
                                         << QStringList{"9", "11", "10"};
    }
    void listSortsByDateKeyAndName()
    {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(QStringList, numbers);
        writeImage("10.txt", imageOf("10", "Adams", "3/5/2024", "$10.40"));
        writeImage("9.txt", imageOf("9", "Zeta", "1/1/2024", "$1.00"));
        writeImage("11.txt", imageOf("11", "Moss", "12/31/2023", "$2.00"));
        DataFolder data(root());
        const records::CompletedInvoiceListing listing = CompletedInvoices(data).list();
        QVERIFY(listing.unreadable.isEmpty());
        QCOMPARE(cellsOf(listing.rows, CompletedInvoiceRow::Number), (QStringList{"9", "10", "11"}));
        QCOMPARE(cellsOf(listing.rows, CompletedInvoiceRow::Sort),
                 (QStringList{"2024101", "2024165", "2023465"}));
        const auto sorted =
            records::sortedRows(listing.rows, SortColumn(column), Qt::SortOrder(order));
        QCOMPARE(cellsOf(sorted, CompletedInvoiceRow::Number), numbers);
    }

    void badFilesAreSkippedAndNamed()
    {
        writeImage("1.txt", imageOf("1", "Good", "1/2/2024", "$1.00"));
        QVERIFY(testfiles::writeBytes(root() + "/CompletedInvoices/2.txt", "2\r\nA\r\nB\r\n"));
        // Bytes that are not text still list as far as they read.
        QVERIFY(testfiles::writeBytes(root() + "/CompletedInvoices/3.txt",
                                      QByteArray("3\r\n\x01\xff\r\nN\0x\r\nnot a date\r\n\xfe", 26)));
        QVERIFY(QDir().mkpath(root() + "/CompletedInvoices/4.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(root() + "/CompletedInvoices/5.txt").constData(), 0600) == 0);
        DataFolder data(root());
        const records::CompletedInvoiceListing listing = CompletedInvoices(data).list();
        QCOMPARE(cellsOf(listing.rows, CompletedInvoiceRow::Number), (QStringList{"1", "3"}));
        QCOMPARE(listing.rows.at(1).cells.at(CompletedInvoiceRow::Sort), QString());
        QCOMPARE(listing.unreadable, QStringList{"2.txt"});
    }

    void detailsReadCommasInReferenceAsOneValue()
    {
        writeImage("7.txt", imageOf("7", "Adams", "3/5/2024", "$10.40"));
        DataFolder data(root());
        CompletedInvoices invoices(data);
        const auto listing = invoices.list();
        const auto image = invoices.image(listing.rows.at(0));
        QVERIFY(image);
        QCOMPARE(image->reference, QStringLiteral("PO 7, rush"));
        QCOMPARE(image->attention, QStringLiteral("Smith, J."));
        QCOMPARE(image->totals[posting::CompletedInvoiceImage::GrandTotal], QStringLiteral("$10.40"));
        QCOMPARE(image->lines.size(), 1);
    }

    void imageOnlyInBackupIsRestored()
    {
        writeImage("7.txt", imageOf("7", "Adams", "3/5/2024", "$10.40"));
        DataFolder data(root());
        CompletedInvoices invoices(data);
        const CompletedInvoiceRow row = invoices.list().rows.at(0);
        QVERIFY(QDir().mkpath(root() + "/Backup/CompletedInvoices"));
        QVERIFY(QFile::rename(root() + "/CompletedInvoices/7.txt",
                              root() + "/Backup/CompletedInvoices/7.txt"));
        QVERIFY(invoices.image(row));
        QVERIFY(QFileInfo::exists(root() + "/CompletedInvoices/7.txt"));
        QFile::remove(root() + "/Backup/CompletedInvoices/7.txt");
        QFile::remove(root() + "/CompletedInvoices/7.txt");
        QVERIFY(!invoices.image(row));
    }

    void deleteKeepsTheCutoffDayAndUnreadableDates()
    {
        writeImage("1.txt", imageOf("1", "A", "3/4/2024", "$1.00"));
        writeImage("2.txt", imageOf("2", "B", "3/5/2024", "$1.00"));
        writeImage("3.txt", imageOf("3", "C", "3/6/2024", "$1.00"));
        writeImage("4.txt", imageOf("4", "D", "someday", "$1.00"));
        for (const QString &n : {"1", "2"}) {
            QVERIFY(testfiles::writeBytes(root() + "/PelmorInvoicer/Narratives/" + n + ".txt", "n"));
            QVERIFY(testfiles::writeBytes(root() + "/Backup/PelmorInvoicer/Narratives/" + n + ".txt", "n"));
        }
        DataFolder data(root());
        CompletedInvoices invoices(data);
        QCOMPARE(invoices.deleteBefore(invoices.list().rows, QDate(2024, 3, 5)), 1);
        QCOMPARE(testfiles::filesIn(root() + "/CompletedInvoices"),
                 (QStringList{"/2.txt", "/3.txt", "/4.txt"}));
        QCOMPARE(testfiles::filesIn(root() + "/PelmorInvoicer/Narratives"), QStringList{"/2.txt"});
        QCOMPARE(testfiles::filesIn(root() + "/Backup/PelmorInvoicer/Narratives"), QStringList{"/2.txt"});
    }

    void firstLineNeverNamesTheFileToDelete()
    {
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt", "keep"));
        writeImage("8.txt", imageOf("../CustomerData", "A", "1/1/2020", "$1.00"));
        DataFolder data(root());
        CompletedInvoices invoices(data);
        const auto rows = invoices.list().rows;
        QCOMPARE(rows.at(0).cells.at(CompletedInvoiceRow::Number), QStringLiteral("../CustomerData"));
        QCOMPARE(invoices.deleteBefore(rows, QDate(2024, 1, 1)), 1);
        QCOMPARE(testfiles::readBytes(root() + "/CustomerData.txt"), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(root() + "/CompletedInvoices/8.txt"));
    }

    void memoIsStoredOnlyWhenTypedAndClearedWithItsBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceMemo.txt", "old\r\n"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/InvoiceMemo.txt", "old\r\n"));
        DataFolder data(root());
        CompletedInvoices invoices(data);
        QVERIFY(invoices.storeMemo(QString()));
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceMemo.txt"), QByteArray("old\r\n"));
        QVERIFY(invoices.storeMemo(QStringLiteral("Thanks")));
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceMemo.txt"), QByteArray("Thanks\r\n"));
        invoices.clearMemo();
        QVERIFY(!data.FileIsPresent(records::InvoiceMemoFile));
    }

    void amountsShowInCurrencyFormat_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "1234.5" << "$1,234.50";
        QTest::newRow("currency") << "$10.40" << "$10.40";
        QTest::newRow("not an amount") << "ten" << "ten";
    }
    void amountsShowInCurrencyFormat()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(records::amountShown(stored), shown);
    }
};

QTEST_GUILESS_MAIN(tst_CompletedInvoices)
#include "tst_completedinvoices.moc"
