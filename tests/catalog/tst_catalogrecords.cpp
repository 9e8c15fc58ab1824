#include "catalog/catalogrecords.h"
#include "core/gridsort.h"
#include "catalogbytes.h"
#include "core/fixedrecord.h"

#include <QLocale>
#include <QTest>

using namespace catalogbytes;

class tst_CatalogRecords : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void serviceRecordMatchesLayout()
    {
        const QByteArray bytes = service(QStringLiteral("Tune-up"), QStringLiteral("$45.00"), 6);
        QCOMPARE(bytes.size(), 72);
        const ServiceRecord read = ServiceRecord::fromRecord(FixedRecord(72, bytes));
        QCOMPARE(read.description, QStringLiteral("Tune-up"));
        QCOMPARE(read.charge, QStringLiteral("$45.00"));
        QCOMPARE(read.allottedTime, qint16(6));
        QCOMPARE(read.toRecord().bytes(), bytes);
    }

    void serviceTextsAreCutAtTheirWidths()
    {
        ServiceRecord service;
        service.description = QString(70, u'd');
        service.charge = QStringLiteral("$123,456.00");
        const QByteArray bytes = service.toRecord().bytes();
        QCOMPARE(bytes.mid(0, 60), QByteArray(60, 'd'));
        QCOMPARE(bytes.mid(60, 10), QByteArray("$123,456.0"));
    }

    void salesItemRecordMatchesLayout()
    {
        Item fields;
        fields.description = QStringLiteral("Widget");
        fields.category = QStringLiteral("Parts");
        fields.cost = 12'3400;
        fields.price = 19'9900;
        fields.onHand = -3;
        fields.discountPrice = 17'5000;
        fields.discountQty = 100'000;
        fields.reorderAmount = 24;
        fields.reorderAt = 6;
        const QByteArray bytes = item(fields);
        QCOMPARE(bytes.size(), 104);
        const SalesItemRecord read = SalesItemRecord::fromRecord(FixedRecord(104, bytes));
        QCOMPARE(read.description, QStringLiteral("Widget"));
        QCOMPARE(read.category, QStringLiteral("Parts"));
        QCOMPARE(read.cost, Money::fromUnits(12'3400));
        QCOMPARE(read.price, Money::fromUnits(19'9900));
        QCOMPARE(read.onHand, qint16(-3));
        QCOMPARE(read.discountPrice, Money::fromUnits(17'5000));
        QCOMPARE(read.discountQty, 100'000);
        QCOMPARE(read.reorderAmount, qint16(24));
        QCOMPARE(read.reorderAt, qint16(6));
        QCOMPARE(read.toRecord().bytes(), bytes);
    }

    void customItemRecordMatchesLayout()
    {
        const QByteArray bytes = custom(QStringLiteral("Sign"), 250'0000, 225'0000, 10);
        QCOMPARE(bytes.size(), 70);
        const CustomItemRecord read = CustomItemRecord::fromRecord(FixedRecord(70, bytes));
        QCOMPARE(read.description, QStringLiteral("Sign"));
        QCOMPARE(read.price, Money::fromUnits(250'0000));
        QCOMPARE(read.discountPrice, Money::fromUnits(225'0000));
        QCOMPARE(read.discountQty, 10);
        QCOMPARE(read.toRecord().bytes(), bytes);
    }

    void gridCellsShowMoneyAsCurrency()
    {
        SalesItemRecord item;
        item.description = QStringLiteral("Widget");
        item.cost = Money::fromUnits(1'2345);
        item.price = Money::fromUnits(1234'5000);
        item.onHand = 7;
        item.discountQty = 12;
        QCOMPARE(
            catalog::salesItemCells(item),
            (QStringList{QStringLiteral("Widget"), QString(), QStringLiteral("$1.23"),
                         QStringLiteral("$1,234.50"), QStringLiteral("7"), QStringLiteral("$0.00"),
                         QStringLiteral("12"), QStringLiteral("0"), QStringLiteral("0")}));
        CustomItemRecord custom;
        custom.description = QStringLiteral("Sign");
        custom.price = Money::fromUnits(-5'0000);
        QCOMPARE(catalog::customItemCells(custom),
                 (QStringList{QStringLiteral("Sign"), QStringLiteral("($5.00)"),
                              QStringLiteral("$0.00"), QStringLiteral("0")}));
    }

    void allottedTimeEntries_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("first") << 0 << QStringLiteral("0:00");
        QTest::newRow("quarter") << 1 << QStringLiteral("0:15");
        QTest::newRow("half") << 2 << QStringLiteral("0:30");
        QTest::newRow("three quarters") << 3 << QStringLiteral("0:45");
        QTest::newRow("one hour") << 4 << QStringLiteral("1:00");
        QTest::newRow("seven forty-five") << 31 << QStringLiteral("7:45");
        QTest::newRow("last") << 32 << QStringLiteral("8:00");
    }
    void allottedTimeEntries()
    {
        QFETCH(int, position);
        QFETCH(QString, text);
        QCOMPARE(catalog::AllottedTimes().size(), 33);
        QCOMPARE(catalog::AllottedTimes().at(position), text);
        QCOMPARE(catalog::allottedTimePosition(text), qint16(position));
    }

    void storedAllottedTimeShown_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("zero shows a quarter hour") << 0 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("eight hours") << 32 << 32;
        QTest::newRow("beyond the list") << 33 << 1;
        QTest::newRow("negative") << -4 << 1;
    }
    void storedAllottedTimeShown()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QCOMPARE(catalog::shownAllottedTime(qint16(stored)), qint16(shown));
    }

    void unknownAllottedTimeSavesAsZero()
    {
        QCOMPARE(catalog::allottedTimePosition(QStringLiteral("9:00")), qint16(0));
        QCOMPARE(catalog::allottedTimePosition(QString()), qint16(0));
    }

    void countsWithinTheirField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("minimum");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("value");
        QTest::newRow("plain") << "12" << qint64(-32768) << qint64(32767) << true << qint64(12);
        QTest::newRow("top of 16 bits")
            << "32767" << qint64(-32768) << qint64(32767) << true << qint64(32767);
        QTest::newRow("beyond 16 bits")
            << "32768" << qint64(-32768) << qint64(32767) << false << qint64(0);
        QTest::newRow("bottom of 16 bits")
            << "-32768" << qint64(-32768) << qint64(32767) << true << qint64(-32768);
        QTest::newRow("half rounds to even")
            << "2.5" << qint64(-32768) << qint64(32767) << true << qint64(2);
        QTest::newRow("letters") << "abc" << qint64(-32768) << qint64(32767) << false << qint64(0);
        QTest::newRow("empty") << "" << qint64(-32768) << qint64(32767) << false << qint64(0);
        QTest::newRow("beyond 32 bits")
            << "2147483648" << qint64(-2147483648LL) << qint64(2147483647) << false << qint64(0);
        QTest::newRow("grouped") << "1,000" << qint64(-2147483648LL) << qint64(2147483647) << true
                                 << qint64(1000);
    }
    void countsWithinTheirField()
    {
        QFETCH(QString, text);
        QFETCH(qint64, minimum);
        QFETCH(qint64, maximum);
        QFETCH(bool, accepted);
        QFETCH(qint64, value);
        const std::optional<qint64> count = catalog::countInRange(text, minimum, maximum);
        QCOMPARE(count.has_value(), accepted);
        if (accepted)
            QCOMPARE(*count, value);
    }

    void serviceChargeMustFitTenCharacters()
    {
        QVERIFY(!catalog::checkServiceCharge(QStringLiteral("$10,000.00")));
        QVERIFY(catalog::checkServiceCharge(QStringLiteral("$100,000.00")));
    }

    void genericOrderPutsNumbersFirst()
    {
        const QStringList keys{
            QStringLiteral("b"), QStringLiteral("10"), QStringLiteral("A"),    QStringLiteral("9"),
            QString(),           QStringLiteral("a"),  QStringLiteral("$5.00")};
        QCOMPARE(gridsort::reordered(keys, gridsort::genericOrder(keys)),
                 (QStringList{QStringLiteral("$5.00"), QStringLiteral("9"), QStringLiteral("10"),
                              QString(), QStringLiteral("A"), QStringLiteral("a"),
                              QStringLiteral("b")}));
    }

    void textOrderIgnoresCaseAndKeepsTies()
    {
        const QStringList keys{QStringLiteral("b"), QStringLiteral("9"), QStringLiteral("B"),
                               QStringLiteral("10"), QStringLiteral("a")};
        QCOMPARE(gridsort::reordered(keys, gridsort::caseInsensitiveOrder(keys)),
                 (QStringList{QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("a"),
                              QStringLiteral("b"), QStringLiteral("B")}));
    }
};

QTEST_GUILESS_MAIN(tst_CatalogRecords)
#include "tst_catalogrecords.moc"
