#include "invoice/invoicelines.h"

#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/datafolder.h"
#include "testfiles.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace invoicelines;
using Field = Refusal::Field;

namespace {

InvoiceLine row(const QString &units, const QString &description, const QString &date,
                const QString &price, const QString &amount, const QString &taxable)
{
    InvoiceLine line;
    line.cells = {units, description, date, price, amount, taxable};
    return line;
}

QString fieldName(const Entry &entry)
{
    if (!entry.refusal)
        return QStringLiteral("posted");
    switch (entry.refusal->field) {
    case Field::Description: return QStringLiteral("description");
    case Field::Price: return QStringLiteral("price");
    case Field::Units: return QStringLiteral("units");
    }
    return {};
}

} // namespace

class TestInvoiceLines : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void extensionIsMoney_data()
    {
        QTest::addColumn<QString>("units");
        QTest::addColumn<qint64>("price");
        QTest::addColumn<QString>("amount");
        QTest::newRow("half cent rounds up") << "1.5" << qint64(12300) << "$1.85";
        QTest::newRow("whole") << "3" << qint64(25000) << "$7.50";
        QTest::newRow("thirds") << "0.333" << qint64(30000) << "$1.00";
        QTest::newRow("not a number") << "abc" << qint64(12300) << "$0.00";
    }

    void extensionIsMoney()
    {
        QFETCH(QString, units);
        QFETCH(qint64, price);
        QFETCH(QString, amount);
        QCOMPARE(extension(units, Money::fromUnits(price)), amount);
    }

    void unitsBeyondSixteenBitsAreRefused_data()
    {
        QTest::addColumn<QString>("units");
        QTest::addColumn<bool>("refused");
        QTest::newRow("32767") << "32767" << false;
        QTest::newRow("32767.5 rounds to even 32768") << "32767.5" << true;
        QTest::newRow("32766.5 rounds to even 32766") << "32766.5" << false;
        QTest::newRow("32768") << "32768" << true;
        QTest::newRow("1e9") << "1e9" << true;
        QTest::newRow("beyond 64 bits") << "1e30" << true;
        QTest::newRow("text") << "abc" << false;
    }

    void unitsBeyondSixteenBitsAreRefused()
    {
        QFETCH(QString, units);
        QFETCH(bool, refused);
        QCOMPARE(unitsRefusal(units).has_value(), refused);
        if (refused)
            QCOMPARE(*unitsRefusal(units), QString("The Units may not be more than 32767"));
    }

    void itemVolumePricing_data()
    {
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("price");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<qint32>("quantity");
        QTest::addColumn<QString>("expectedPrice");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("discounted");
        QTest::newRow("at quantity") << "10" << "$5.00" << true << 10 << "$4.00" << "$40.00" << true;
        QTest::newRow("below quantity") << "9" << "$5.00" << true << 10 << "$5.00" << "$45.00" << false;
        QTest::newRow("quantity 0") << "50" << "$5.00" << true << 0 << "$5.00" << "$250.00" << false;
        QTest::newRow("option off") << "10" << "$5.00" << false << 10 << "$5.00" << "$50.00" << false;
        QTest::newRow("plain number price") << "2" << "5" << false << 0 << "$5.00" << "$10.00" << false;
    }

    void itemVolumePricing()
    {
        QFETCH(QString, units);
        QFETCH(QString, price);
        QFETCH(bool, apply);
        QFETCH(qint32, quantity);
        QFETCH(QString, expectedPrice);
        QFETCH(QString, amount);
        QFETCH(bool, discounted);
        const Entry entry = itemLine("Bolt", price, units,
                                     VolumePrice{apply, Money::fromUnits(40000), quantity}, true);
        QVERIFY(entry.line);
        QCOMPARE(*entry.line, row(units, "Bolt", "", expectedPrice, amount, "True"));
        QCOMPARE(entry.discountApplied, discounted);
    }

    void refusalsPointAtTheBoxAtFault_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("beep");
        QTest::addColumn<QString>("boxText"); // "<none>" when the box keeps its text
        QTest::newRow("service without price") << "service" << "Visit" << "" << "" << "price" << true << "<none>";
        QTest::newRow("service price not a number") << "service" << "Visit" << "abc" << "" << "price" << true << "<none>";
        QTest::newRow("service without description") << "service" << "" << "$5.00" << "" << "description" << true << "<none>";
        QTest::newRow("item without units") << "item" << "Bolt" << "$5.00" << "" << "units" << true << "<none>";
        QTest::newRow("item pasted units") << "item" << "Bolt" << "$5.00" << "1x" << "units" << true << "0";
        QTest::newRow("item 1e9 units") << "item" << "Bolt" << "$5.00" << "1e9" << "units" << true << "<none>";
        QTest::newRow("manual zero price") << "manual" << "Fee" << "$0.00" << "" << "price" << true << "<none>";
        QTest::newRow("manual empty price") << "manual" << "Fee" << "" << "2" << "price" << true << "<none>";
        QTest::newRow("manual no description") << "manual" << "" << "$3.00" << "" << "description" << false << "<none>";
        QTest::newRow("manual price text") << "manual" << "Fee" << "abc" << "" << "price" << false << "0";
        QTest::newRow("manual 1e9 price is a number") << "manual" << "Fee" << "1e9" << "" << "posted" << false << "<none>";
    }

    void refusalsPointAtTheBoxAtFault()
    {
        QFETCH(QString, kind);
        QFETCH(QString, description);
        QFETCH(QString, price);
        QFETCH(QString, units);
        QFETCH(QString, field);
        QFETCH(bool, beep);
        QFETCH(QString, boxText);
        const Entry entry = kind == "service" ? serviceLine(description, price, QDate(2026, 3, 14), false)
                            : kind == "item"  ? itemLine(description, price, units, {}, false)
                                              : manualLine(description, price, units, false);
        QCOMPARE(fieldName(entry), field);
        if (entry.refusal) {
            QVERIFY(!entry.line);
            QCOMPARE(entry.refusal->beep, beep);
            QCOMPARE(entry.refusal->boxText.value_or("<none>"), boxText);
        }
    }

    void linesOfEachSource()
    {
        QCOMPARE(*serviceLine("Visit", "$45.00", QDate(2026, 3, 14), false).line,
                 row("", "Visit", "3/14/2026", "$45.00", "$45.00", "False"));
        QCOMPARE(*manualLine("Fee", "$3.10", "", true).line,
                 row("1", "Fee", "", "$3.10", "$3.10", "True"));
        QCOMPARE(*manualLine("Fee", "$3.10", "2.5", false).line,
                 row("2.5", "Fee", "", "$3.10", "$7.75", "False"));
    }

    void laborLinesSkipEmptyCategories()
    {
        std::array<LaborCategory, 3> categories{{
            {"General Labor", "$40.00", "1.5", laborAmount("1.5", "$40.00")},
            {"Welding", "$55.00", "0", laborAmount("0", "$55.00")},
            {"Design", "$60.25", "2", laborAmount("2", "$60.25")},
        }};
        QCOMPARE(categories[0].amount, Money::fromUnits(600000));
        QCOMPARE(laborLines(categories, true),
                 (QList<InvoiceLine>{row("1.5 Hrs", "General Labor", "", "$40.00", "$60.00", "True"),
                                     row("2 Hrs", "Design", "", "$60.25", "$120.50", "True")}));
    }

    void typeAheadCompletesTheFirstMatch_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectFrom");
        QTest::newRow("three of six letters") << "gas" << 1 << "gasket" << 3;
        QTest::newRow("case kept as typed") << "GAS" << 1 << "GASket" << 3;
        QTest::newRow("whole entry") << "Gasket" << 1 << "Gasket" << 6;
        QTest::newRow("first from the top") << "g" << 1 << "gasket" << 1;
        QTest::newRow("no match") << "x" << -1 << "" << 0;
        QTest::newRow("empty") << "" << -1 << "" << 0;
    }

    void typeAheadCompletesTheFirstMatch()
    {
        QFETCH(QString, typed);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, selectFrom);
        const QList<CatalogPick> picks{{"", "$1.00", 0},
                                       {"Gasket", "$2.00", 1},
                                       {"Gasket", "$3.00", 2},
                                       {"Gear", "$4.00", 3}};
        const std::optional<Completion> found = typeAhead(picks, typed);
        QCOMPARE(found ? found->index : -1, index);
        if (found) {
            QCOMPARE(found->text, text);
            QCOMPARE(found->selectFrom, selectFrom);
        }
    }

    void categoryTableWalksTheItemsGrid()
    {
        QTemporaryDir dir;
        using namespace catalogbytes;
        QVERIFY(testfiles::writeBytes(
            dir.path() + "/PIInventoriedItems.txt",
            item({"Bolt", "Hardware", 0, 10000, 5, 8000, 10}) +
                item({"Paint", "Finish", 0, 200000, 1, 0, 0}) +
                item({"Nut", "Hardware", 0, 5000, 5, 4000, 20}) +
                item({"", "Hardware", 0, 100, 0, 0, 0})));
        DataFolder data(dir.path());
        Catalog catalog(data);
        catalog.LoadAdditionalItems();

        const PickTable all = itemTable(catalog, "All");
        QCOMPARE(all.picks, catalog.itemPicks());
        QCOMPARE(all.volume(2, true).quantity, 20);

        const PickTable hardware = itemTable(catalog, "Hardware");
        QCOMPARE(hardware.picks, (QList<CatalogPick>{{"Bolt", "$1.00", 0},
                                                      {"Nut", "$0.50", 1},
                                                      {"", "$0.01", 2}}));
        QCOMPARE(hardware.volume(1, true).price, Money::fromUnits(4000));
        QCOMPARE(hardware.volume(1, true).quantity, 20);
        QCOMPARE(hardware.volume(7, true).quantity, 0);
        QVERIFY(itemTable(catalog, "Nothing").picks.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestInvoiceLines)
#include "tst_invoicelines.moc"
