#include "core/datafolder.h"
#include "core/regional.h"
#include "postedbytes.h"
#include "records/invoicereport.h"
#include "testfiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using records::DateRange;

namespace {

using postedbytes::journal;

const DateRange March{QDate(2024, 3, 1), QDate(2024, 3, 31)};

QByteArray fiveInvoices()
{
    return journal("Adams", "A1", "101", QDate(2024, 3, 1), 100000, 4000, 1000, 104000) +
           journal("Baker", "B2", "102", QDate(2024, 3, 2), 200000, 8000, 0, 208000) +
           journal("Adams", "A1  ", "103", QDate(2024, 3, 31), 50000, 2000, 500, 52000) +
           journal("Adams", "A1", "104", QDate(2024, 4, 1), 70000, 0, 0, 70000) +
           journal("Adams", "A10", "105", QDate(2024, 3, 9), 10000, 0, 0, 10000);
}

} // namespace

class tst_InvoiceReport final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root() const { return m_dir.path(); }

private slots:
    void cleanup()
    {
        m_dir.remove();
        m_dir = QTemporaryDir();
    }

    void filterAndTotals_data()
    {
        QTest::addColumn<QString>("account"); // "*" for all accounts
        QTest::addColumn<QStringList>("invoices");
        QTest::addColumn<QString>("subTotal");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("total");
        QTest::newRow("all") << "*" << QStringList{"101", "102", "103", "105"} << "$36.00"
                             << "$0.15" << "$1.40" << "$37.40";
        QTest::newRow("single, trimmed") << "A1                  " << QStringList{"101", "103"}
                                         << "$15.00" << "$0.15" << "$0.60" << "$15.60";
        QTest::newRow("none") << "Z9" << QStringList{} << "$0.00" << "$0.00" << "$0.00" << "$0.00";
    }
    void filterAndTotals()
    {
        QFETCH(QString, account);
        QFETCH(QStringList, invoices);
        const auto report = records::buildInvoiceReport(
            posting::SalesJournalRecord::decodeAll(fiveInvoices()), March,
            account == "*" ? std::nullopt : std::optional<QString>(account));
        QStringList numbers;
        for (const QStringList &row : report.rows)
            numbers.append(row.at(0));
        QCOMPARE(numbers, invoices);
        QTEST(regional::currencyText(report.subTotal), "subTotal");
        QTEST(regional::currencyText(report.discount), "discount");
        QTEST(regional::currencyText(report.tax), "tax");
        QTEST(regional::currencyText(report.total), "total");
    }

    void rowHoldsTheGridColumns()
    {
        const auto report = records::buildInvoiceReport(
            posting::SalesJournalRecord::decodeAll(fiveInvoices()), March, QString("B2"));
        QCOMPARE(report.rows, (QList<QStringList>{
                                  {"102", "3/2/2024", "B2", "Baker", "$20.00", "$0.00", "$0.80", "$20.80"}}));
    }

    void accountsKeepTheirBlanks()
    {
        QByteArray customers = QByteArray("A1").leftJustified(20, ' ') + QByteArray(308, ' ');
        customers += QByteArray("B2").leftJustified(20, ' ') + QByteArray(308, ' ');
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt", customers));
        DataFolder data(root());
        QCOMPARE(records::customerAccounts(data),
                 (QStringList{"A1                  ", "B2                  "}));
        QFile::remove(root() + "/CustomerData.txt");
        QVERIFY(!records::customerAccounts(data));
    }

    void deleteRangeKeepsOutsideAndEmptyJournalRemains()
    {
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceSalesJournal.txt", fiveInvoices()));
        QVERIFY(QDir().mkpath(root() + "/Backup"));
        DataFolder data(root());
        QVERIFY(records::deleteJournalRange(data, March));
        const QByteArray kept = journal("Adams", "A1", "104", QDate(2024, 4, 1), 70000, 0, 0, 70000);
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceSalesJournal.txt"), kept);
        QCOMPARE(testfiles::readBytes(root() + "/Backup/InvoiceSalesJournal.txt"), kept);
        QVERIFY(records::deleteJournalRange(data, {QDate(2000, 1, 1), QDate(2024, 12, 31)}));
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceSalesJournal.txt"), QByteArray());
        records::deleteJournal(data);
        QVERIFY(!QFileInfo::exists(root() + "/InvoiceSalesJournal.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/InvoiceSalesJournal.txt"));
        QVERIFY(!records::deleteJournalRange(data, March));
        QVERIFY(!QFileInfo::exists(root() + "/InvoiceSalesJournal.txt"));
    }
};

QTEST_GUILESS_MAIN(tst_InvoiceReport)
#include "tst_invoicereport.moc"
