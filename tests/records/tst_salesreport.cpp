#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/datafolder.h"
#include "postedbytes.h"
#include "records/salesreport.h"
#include "testfiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using records::DateRange;

namespace {

using postedbytes::soldItem;

const DateRange March{QDate(2024, 3, 1), QDate(2024, 3, 31)};

QList<posting::SoldItemRecord> decoded(const QByteArray &bytes)
{
    return posting::SoldItemRecord::decodeAll(bytes);
}

} // namespace

class tst_SalesReport final : public QObject
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

    void productsAreDistinctTrimmedNamesInFileOrder()
    {
        catalogbytes::Item a{"Bolt", "Hardware"}, b{"  Nut", "Hardware"}, c{"Bolt", "Misc"};
        QVERIFY(testfiles::writeBytes(root() + "/PIInventoriedItems.txt",
                                      catalogbytes::item(a) + catalogbytes::item(b) +
                                          catalogbytes::item(c)));
        QVERIFY(testfiles::writeBytes(root() + "/CustomItems.txt",
                                      catalogbytes::custom("Arch", 1, 0, 0) +
                                          catalogbytes::custom("Nut", 1, 0, 0)));
        DataFolder data(root());
        Catalog catalog(data);
        catalog.LoadAll();
        QCOMPARE(records::productNames(catalog), (QStringList{"Bolt", "Nut", "Arch"}));
    }

    void rowsAndTotals_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QStringList>("rowNames");
        QTest::addColumn<QList<QStringList>>("totals");
        QTest::newRow("both") << QStringList{"Nut", "Bolt"}
                              << QStringList{"Bolt", "Nut", "Bolt", "Bolt"}
                              << QList<QStringList>{{"Nut", "4"}, {"Bolt", "-1"}};
        QTest::newRow("one, ticked twice") << QStringList{"Nut", "Nut "}
                                           << QStringList{"Nut"}
                                           << QList<QStringList>{{"Nut", "4"}};
        QTest::newRow("no sales in range") << QStringList{"Washer"} << QStringList{}
                                           << QList<QStringList>{};
    }
    void rowsAndTotals()
    {
        QFETCH(QStringList, ticked);
        QFETCH(QStringList, rowNames);
        QFETCH(QList<QStringList>, totals);
        const QByteArray file =
            soldItem("Bolt", QDate(2024, 2, 29), "1", 9) + soldItem("Bolt", QDate(2024, 3, 1), "2", 3) +
            soldItem("Nut  ", QDate(2024, 3, 15), "2", 4) + soldItem("Washer", QDate(2024, 4, 1), "3", 1) +
            soldItem("Bolt", QDate(2024, 3, 31), "3", -2) + soldItem("Bolt", QDate(), "4", 50) +
            soldItem("Bolt", QDate(2024, 3, 31), "5", -2);
        const records::SalesReport report = records::buildSalesReport(decoded(file), ticked, March);
        QStringList names;
        for (const QStringList &row : report.rows)
            names.append(row.at(0));
        QCOMPARE(names, rowNames);
        QCOMPARE(report.totals, totals);
        if (!report.rows.isEmpty() && rowNames.first() == "Bolt")
            QCOMPARE(report.rows.first(), (QStringList{"Bolt", "3/1/2024", "2", "3"}));
    }

    void totalsAreNotCutAtSixteenBits()
    {
        QByteArray file;
        for (int n = 0; n < 3; ++n)
            file += soldItem("Bolt", QDate(2024, 3, 2), "1", 30000);
        const auto report = records::buildSalesReport(decoded(file), {"Bolt"}, March);
        QCOMPARE(report.totals, (QList<QStringList>{{"Bolt", "90000"}}));
    }

    void deleteDropsBothEndsAndKeepsTheRest()
    {
        const QByteArray before = soldItem("A", QDate(2024, 2, 29), "1", 1);
        const QByteArray after = soldItem("A", QDate(2024, 4, 1), "4", 1);
        const QByteArray unreadable = soldItem("A", QDate(), "5", 1);
        QVERIFY(testfiles::writeBytes(root() + "/SoldItems.txt",
                                      before + soldItem("A", QDate(2024, 3, 1), "2", 1) +
                                          soldItem("A", QDate(2024, 3, 31), "3", 1) + after +
                                          unreadable));
        QVERIFY(QDir().mkpath(root() + "/Backup"));
        DataFolder data(root());
        const records::DeleteOutcome outcome = records::deleteSoldItems(data, March);
        QVERIFY(outcome.done);
        QCOMPARE(outcome.kept, qint64(3));
        QCOMPARE(testfiles::readBytes(root() + "/SoldItems.txt"), before + after + unreadable);
        QCOMPARE(testfiles::readBytes(root() + "/Backup/SoldItems.txt"), before + after + unreadable);
    }

    void deletingEverythingRemovesTheFileAndBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/SoldItems.txt", soldItem("A", QDate(2024, 3, 9), "2", 1)));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/SoldItems.txt", "old"));
        DataFolder data(root());
        const records::DeleteOutcome outcome = records::deleteSoldItems(data, March);
        QVERIFY(outcome.done);
        QCOMPARE(outcome.kept, qint64(0));
        QVERIFY(!QFileInfo::exists(root() + "/SoldItems.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/SoldItems.txt"));
        QVERIFY(!records::readSoldItems(data));
    }
};

QTEST_GUILESS_MAIN(tst_SalesReport)
#include "tst_salesreport.moc"
