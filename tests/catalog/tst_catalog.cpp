#include "catalog/catalog.h"
#include "catalogbytes.h"
#include "core/datafolder.h"
#include "interruptions.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace catalogbytes;

namespace {

const QByteArray CrLf("\r\n");

QStringList descriptionsOf(const QList<CatalogPick> &picks)
{
    QStringList list;
    for (const CatalogPick &pick : picks)
        list.append(pick.description);
    return list;
}

template <typename Rows> QStringList descriptionsOfRows(const Rows &rows)
{
    QStringList list;
    for (const auto &row : rows)
        list.append(row.description);
    return list;
}

} // namespace

class tst_Catalog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Backup")));
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_catalog = std::make_unique<Catalog>(*m_data);
    }
    void cleanup()
    {
        m_catalog.reset();
        m_data.reset();
        m_dir.reset();
    }

    void servicesSortForTheGridAndTheInvoiceList()
    {
        write("/Services.txt",
              service(QStringLiteral("wash"), QStringLiteral("$5.00"), 2) +
                  service(QStringLiteral("10"), QStringLiteral("$10.00"), 3) +
                  service(QStringLiteral("Alignment"), QStringLiteral("$80.00"), 8) +
                  service(QStringLiteral("9"), QStringLiteral("$9.00"), 4));
        QSignalSpy reloaded(m_catalog.get(), &Catalog::reloaded);
        m_catalog->LoadServices();
        QCOMPARE(reloaded.size(), 1);
        QCOMPARE(reloaded.at(0).at(0).value<CatalogKind>(), CatalogKind::Services);

        // The invoice list keeps the text order; the grid puts numbers first by value.
        QCOMPARE(descriptionsOf(m_catalog->servicePicks()),
                 (QStringList{QStringLiteral("10"), QStringLiteral("9"),
                              QStringLiteral("Alignment"), QStringLiteral("wash")}));
        QCOMPARE(m_catalog->servicePicks().at(0).price, QStringLiteral("$10.00"));
        QCOMPARE(descriptionsOfRows(m_catalog->services()),
                 (QStringList{QStringLiteral("9"), QStringLiteral("10"),
                              QStringLiteral("Alignment"), QStringLiteral("wash")}));
        QCOMPARE(m_catalog->cells(CatalogKind::Services, 2),
                 (QStringList{QStringLiteral("Alignment"), QStringLiteral("$80.00"),
                              QStringLiteral("2:00")}));
    }

    void serviceSavedAtNoTimeComesBackAsAQuarterHour()
    {
        ServiceRecord service;
        service.description = QStringLiteral("Quick look");
        service.charge = QStringLiteral("$1.00");
        service.allottedTime = 0;
        QVERIFY(!m_catalog->add(service));
        QCOMPARE(m_catalog->cells(CatalogKind::Services, 0).at(2), QStringLiteral("0:00"));
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(read("/Services.txt"),
                 catalogbytes::service(QStringLiteral("Quick look"), QStringLiteral("$1.00"), 0));
        QCOMPARE(m_catalog->cells(CatalogKind::Services, 0).at(2), QStringLiteral("0:15"));
        // The next save stores what the grid shows.
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(read("/Services.txt"),
                 catalogbytes::service(QStringLiteral("Quick look"), QStringLiteral("$1.00"), 1));
    }

    void salesItemsKeepFileOrderForTheInvoice()
    {
        write(
            "/PIInventoriedItems.txt",
            item({QStringLiteral("Hammer"), QStringLiteral("Tools"), 0, 15'0000, 4, 12'0000, 10}) +
                item({QStringLiteral("Nails"), QStringLiteral("Fasteners"), 0, 2'0000, 50, 1'5000,
                      100}) +
                item({QStringLiteral("Saw"), QStringLiteral("tools"), 0, 30'0000, 2, 0, 0}) +
                item({QStringLiteral("Glue"), QString(), 0, 3'0000, 9, 2'0000, 5}));
        m_catalog->LoadAdditionalItems();

        QCOMPARE(descriptionsOf(m_catalog->itemPicks()),
                 (QStringList{QStringLiteral("Hammer"), QStringLiteral("Nails"),
                              QStringLiteral("Saw"), QStringLiteral("Glue")}));
        QCOMPARE(m_catalog->itemPicks().at(2),
                 (CatalogPick{QStringLiteral("Saw"), QStringLiteral("$30.00"), 2}));
        QCOMPARE(m_catalog->itemDiscountCount(), 4);
        QCOMPARE(m_catalog->ItemDiscountPrice(1), Money::fromUnits(12'0000));
        QCOMPARE(m_catalog->ItemDiscountQty(2), 100);
        QCOMPARE(m_catalog->ItemDiscountQty(4), 5);
        QCOMPARE(m_catalog->ItemDiscountQty(5), 0);
        QCOMPARE(m_catalog->ItemDiscountPrice(4), Money::fromUnits(2'0000));
        QCOMPARE(m_catalog->ItemDiscountPrice(5), Money());
        QCOMPARE(m_catalog->ItemDiscountPrice(0), Money());

        // Categories are distinct only when spelt alike, case included.
        QCOMPARE(m_catalog->categoryList(),
                 (QStringList{QStringLiteral("All"), QStringLiteral("Tools"),
                              QStringLiteral("Fasteners"), QStringLiteral("tools")}));
        // The grid follows the category, ignoring case and keeping file order in ties.
        QCOMPARE(descriptionsOfRows(m_catalog->salesItems()),
                 (QStringList{QStringLiteral("Glue"), QStringLiteral("Nails"),
                              QStringLiteral("Hammer"), QStringLiteral("Saw")}));

        // The next save writes the grid's order.
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(read("/PIInventoriedItems.txt"),
                 item({QStringLiteral("Glue"), QString(), 0, 3'0000, 9, 2'0000, 5}) +
                     item({QStringLiteral("Nails"), QStringLiteral("Fasteners"), 0, 2'0000, 50,
                           1'5000, 100}) +
                     item({QStringLiteral("Hammer"), QStringLiteral("Tools"), 0, 15'0000, 4,
                           12'0000, 10}) +
                     item({QStringLiteral("Saw"), QStringLiteral("tools"), 0, 30'0000, 2, 0, 0}));
        QCOMPARE(descriptionsOf(m_catalog->itemPicks()),
                 (QStringList{QStringLiteral("Glue"), QStringLiteral("Nails"),
                              QStringLiteral("Hammer"), QStringLiteral("Saw")}));
    }

    void addCategoryComparesExactly()
    {
        QSignalSpy changed(m_catalog.get(), &Catalog::categoriesChanged);
        m_catalog->AddCategory(QStringLiteral("Paint"));
        m_catalog->AddCategory(QStringLiteral("Paint"));
        m_catalog->AddCategory(QString());
        m_catalog->AddCategory(QStringLiteral("paint"));
        QCOMPARE(m_catalog->categories(),
                 (QStringList{QStringLiteral("Paint"), QStringLiteral("paint")}));
        QCOMPARE(changed.size(), 2);
    }

    void customItemsLoadWithTheirDiscountTables()
    {
        write("/CustomItems.txt", custom(QStringLiteral("Sign"), 25'0000, 20'0000, 10) +
                                      custom(QStringLiteral("Banner"), 80'0000, 0, 0));
        m_catalog->LoadCustomItems();
        QCOMPARE(descriptionsOf(m_catalog->customPicks()),
                 (QStringList{QStringLiteral("Sign"), QStringLiteral("Banner")}));
        QCOMPARE(m_catalog->customPicks().at(1).record, 1);
        QCOMPARE(m_catalog->customPicks().at(1).price, QStringLiteral("$80.00"));
        QCOMPARE(m_catalog->CustomDiscountPrice(1), Money::fromUnits(20'0000));
        QCOMPARE(m_catalog->CustomDiscountQty(1), 10);
        QCOMPARE(m_catalog->customDiscountCount(), 2);
        QCOMPARE(m_catalog->CustomDiscountQty(2), 0);
        QCOMPARE(m_catalog->CustomDiscountPrice(3), Money());
        QCOMPARE(descriptionsOfRows(m_catalog->customItems()),
                 (QStringList{QStringLiteral("Banner"), QStringLiteral("Sign")}));
        QCOMPARE(m_catalog->cells(CatalogKind::CustomItems, 1),
                 (QStringList{QStringLiteral("Sign"), QStringLiteral("$25.00"),
                              QStringLiteral("$20.00"), QStringLiteral("10")}));
    }

    void blankRowsAreNotWrittenAndDoNotDeleteTheFile()
    {
        ServiceRecord blank;
        blank.description = QStringLiteral("   ");
        ServiceRecord kept;
        kept.description = QStringLiteral("Oil change");
        kept.charge = QStringLiteral("$30.00");
        kept.allottedTime = 2;
        QVERIFY(!m_catalog->add(blank));
        QVERIFY(!m_catalog->add(kept));
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(read("/Services.txt"),
                 service(QStringLiteral("Oil change"), QStringLiteral("$30.00"), 2));
        QCOMPARE(m_catalog->rowCount(CatalogKind::Services), 1);
    }

    void fileWithOnlyBlankRowsIsDeletedWithItsBackup()
    {
        write("/CustomItems.txt", custom(QString(), 1'0000, 0, 0));
        write("/Backup/CustomItems.txt", custom(QString(), 1'0000, 0, 0));
        m_catalog->LoadCustomItems();
        QCOMPARE(m_catalog->rowCount(CatalogKind::CustomItems), 1);
        QVERIFY(!m_catalog->SaveCatalog());
        QVERIFY(!exists("/CustomItems.txt"));
        QVERIFY(!exists("/Backup/CustomItems.txt"));
        QCOMPARE(m_catalog->rowCount(CatalogKind::CustomItems), 0);
    }

    void unchangedSaveKeepsTheBackupAndAChangeDropsIt()
    {
        const QByteArray bytes = service(QStringLiteral("Tune-up"), QStringLiteral("$45.00"), 4);
        write("/Services.txt", bytes);
        write("/Backup/Services.txt", bytes);
        m_catalog->LoadServices();
        QVERIFY(!m_catalog->SaveCatalog());
        QVERIFY(exists("/Backup/Services.txt"));

        ServiceRecord changed = m_catalog->services().at(0);
        changed.charge = QStringLiteral("$50.00");
        QVERIFY(!m_catalog->replace(0, changed));
        QVERIFY(!m_catalog->SaveCatalog());
        QVERIFY(!exists("/Backup/Services.txt"));
        QCOMPARE(read("/Services.txt"),
                 service(QStringLiteral("Tune-up"), QStringLiteral("$50.00"), 4));
    }

    void missingFileIsRestoredFromItsBackup()
    {
        write("/Backup/Services.txt",
              service(QStringLiteral("Tune-up"), QStringLiteral("$45.00"), 4));
        m_catalog->LoadServices();
        QCOMPARE(m_catalog->rowCount(CatalogKind::Services), 1);
        QVERIFY(exists("/Services.txt"));
    }

    void aTwoHundredFiftySixthEntryIsRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("services") << int(CatalogKind::Services);
        QTest::newRow("sales items") << int(CatalogKind::SalesItems);
        QTest::newRow("custom items") << int(CatalogKind::CustomItems);
    }
    void aTwoHundredFiftySixthEntryIsRefused()
    {
        QFETCH(int, kind);
        const auto tryAdd = [&](int n) {
            const QString name = QStringLiteral("Entry %1").arg(n);
            switch (CatalogKind(kind)) {
            case CatalogKind::Services:
                return m_catalog->add(ServiceRecord{name, QStringLiteral("$1.00"), 1});
            case CatalogKind::SalesItems: {
                SalesItemRecord item;
                item.description = name;
                return m_catalog->add(item);
            }
            case CatalogKind::CustomItems: {
                CustomItemRecord item;
                item.description = name;
                return m_catalog->add(item);
            }
            }
            return std::optional<QString>();
        };
        for (int n = 1; n <= 255; ++n)
            QVERIFY(!tryAdd(n));
        const std::optional<QString> refused = tryAdd(256);
        QVERIFY(refused);
        QVERIFY(refused->contains(QStringLiteral("255")));
        QCOMPARE(m_catalog->rowCount(CatalogKind(kind)), 255);
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(QFileInfo(path(Catalog::fileOf(CatalogKind(kind)))).size(),
                 qint64(255) * (kind == 0   ? 72
                                : kind == 1 ? 104
                                            : 70));
    }

    void aLargerFileWrittenElsewhereLoadsAndSavesWhole()
    {
        QByteArray bytes;
        for (int n = 0; n < 300; ++n)
            bytes += custom(QStringLiteral("Item %1").arg(n, 3, 10, QLatin1Char('0')), n, 0, 0);
        write("/CustomItems.txt", bytes);
        m_catalog->LoadCustomItems();
        QCOMPARE(m_catalog->rowCount(CatalogKind::CustomItems), 300);
        QCOMPARE(m_catalog->customDiscountCount(), 300);
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(read("/CustomItems.txt"), bytes);
        // Full as it is, it takes no more.
        CustomItemRecord another;
        another.description = QStringLiteral("One more");
        QVERIFY(m_catalog->add(another));
    }

    void chargeTooLongForItsFieldIsRefused()
    {
        const std::optional<QString> refused = m_catalog->add(
            ServiceRecord{QStringLiteral("Rebuild"), QStringLiteral("$100,000.00"), 1});
        QVERIFY(refused);
        QCOMPARE(m_catalog->rowCount(CatalogKind::Services), 0);
        QVERIFY(!m_catalog->add(
            ServiceRecord{QStringLiteral("Rebuild"), QStringLiteral("$10,000.00"), 1}));
        QVERIFY(m_catalog->replace(
            0, ServiceRecord{QStringLiteral("Rebuild"), QStringLiteral("$100,000.00"), 1}));
        QCOMPARE(m_catalog->services().at(0).charge, QStringLiteral("$10,000.00"));
    }

    void deletingTheOnlyEntryDeletesFileAndBackupAtOnce()
    {
        const QByteArray bytes = service(QStringLiteral("Tune-up"), QStringLiteral("$45.00"), 4);
        write("/Services.txt", bytes);
        write("/Backup/Services.txt", bytes);
        m_catalog->LoadServices();
        QVERIFY(!m_catalog->DeleteEntry(CatalogKind::Services, 0));
        QVERIFY(!exists("/Services.txt"));
        QVERIFY(!exists("/Backup/Services.txt"));
        QCOMPARE(m_catalog->rowCount(CatalogKind::Services), 0);
        QVERIFY(m_catalog->servicePicks().isEmpty());
    }

    void deletingOneOfSeveralRewritesEveryFile()
    {
        write("/Services.txt", service(QStringLiteral("B"), QStringLiteral("$2.00"), 1) +
                                   service(QStringLiteral("A"), QStringLiteral("$1.00"), 1));
        // Written elsewhere out of order: the save writes the grid's order.
        write("/CustomItems.txt",
              custom(QStringLiteral("Z"), 1, 0, 0) + custom(QStringLiteral("Y"), 2, 0, 0));
        m_catalog->LoadAll();
        QVERIFY(!m_catalog->DeleteEntry(CatalogKind::Services, 1));
        QCOMPARE(read("/Services.txt"), service(QStringLiteral("A"), QStringLiteral("$1.00"), 1));
        QCOMPARE(read("/CustomItems.txt"),
                 custom(QStringLiteral("Y"), 2, 0, 0) + custom(QStringLiteral("Z"), 1, 0, 0));
        QCOMPARE(descriptionsOf(m_catalog->servicePicks()), QStringList{QStringLiteral("A")});
    }

    void recordCountRoundsAsTheFileRoutines_data()
    {
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("records");
        QTest::newRow("a few stray bytes") << 10 << 2;
        QTest::newRow("more than half a record") << 40 << 3;
        QTest::newRow("exactly half, even count stays") << 36 << 2;
    }
    void recordCountRoundsAsTheFileRoutines()
    {
        QFETCH(int, extra);
        QFETCH(int, records);
        QByteArray bytes = service(QStringLiteral("One"), QStringLiteral("$1.00"), 1) +
                           service(QStringLiteral("Two"), QStringLiteral("$2.00"), 2);
        bytes += service(QStringLiteral("Three"), QStringLiteral("$3.00"), 3).left(extra);
        write("/Services.txt", bytes);
        m_catalog->LoadServices();
        QCOMPARE(m_catalog->rowCount(CatalogKind::Services), records);
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(QFileInfo(path("/Services.txt")).size() % 72, 0);
    }

    void garbageLoadsWithoutHarmAndSavesWellFormed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("length");
        QTest::newRow("services") << "/Services.txt" << 72;
        QTest::newRow("sales items") << "/PIInventoriedItems.txt" << 104;
        QTest::newRow("custom items") << "/CustomItems.txt" << 70;
    }
    void garbageLoadsWithoutHarmAndSavesWellFormed()
    {
        QFETCH(QString, file);
        QFETCH(int, length);
        QRandomGenerator random(length);
        QByteArray bytes(length * 7 + 13, '\0');
        for (char &c : bytes)
            c = char(random.bounded(256));
        write(file, bytes);
        m_catalog->LoadAll();
        QVERIFY(!m_catalog->SaveCatalog());
        if (exists(file)) {
            const QByteArray saved = read(file);
            QCOMPARE(saved.size() % length, 0);
            // What was saved reads back to the same rows.
            const int rows = m_catalog->rowCount(CatalogKind::Services) +
                             m_catalog->rowCount(CatalogKind::SalesItems) +
                             m_catalog->rowCount(CatalogKind::CustomItems);
            QCOMPARE(qsizetype(rows), saved.size() / length);
            QVERIFY(!m_catalog->SaveCatalog());
            QCOMPARE(read(file), saved);
        }
    }

    void textWhereAChargeBelongsIsKeptAsText()
    {
        write("/Services.txt", service(QStringLiteral("Odd"), QStringLiteral("call us"), 2));
        m_catalog->LoadServices();
        QCOMPARE(m_catalog->servicePicks().at(0).price, QStringLiteral("call us"));
        QVERIFY(!m_catalog->SaveCatalog());
        QCOMPARE(read("/Services.txt"),
                 service(QStringLiteral("Odd"), QStringLiteral("call us"), 2));
    }

    void missingLaborFileGivesTheDefaults()
    {
        m_catalog->LoadLaborRates();
        QVERIFY(!m_catalog->laborFilePresent());
        QCOMPARE(m_catalog->laborHeading(0), QStringLiteral("General Labor"));
        QCOMPARE(m_catalog->laborHeading(1), QString());
        for (int row = 0; row < 3; ++row)
            QCOMPARE(m_catalog->laborRate(row), QStringLiteral("$0.00"));
    }

    void laborFileReadsWhatItCan_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QStringList>("rates");
        QTest::newRow("three lines")
            << QByteArray("\"General Labor\",\"$35.00\"\r\n"
                          "\"Welding\",\"$55.50\"\r\n\"\",\"\"\r\n")
            << QStringList{"General Labor", "Welding", ""} << QStringList{"$35.00", "$55.50", ""};
        QTest::newRow("line feeds only")
            << QByteArray("\"A\",\"$1.00\"\n\"B\",\"$2.00\"\n\"C\",\"$3.00\"")
            << QStringList{"A", "B", "C"} << QStringList{"$1.00", "$2.00", "$3.00"};
        QTest::newRow("one line") << QByteArray("\"General Labor\",\"$35.00\"\r\n")
                                  << QStringList{"General Labor", "", ""}
                                  << QStringList{"$35.00", "", ""};
        QTest::newRow("one field a line")
            << QByteArray("\"A\"\r\n\"$1.00\"\r\n\"B\"\r\n\"$2.00\"\r\n\"C\"\r\n\"$3.00\"\r\n")
            << QStringList{"A", "B", "C"} << QStringList{"$1.00", "$2.00", "$3.00"};
        QTest::newRow("fields run on over lines")
            << QByteArray("\"A\",\"$1.00\",\"B\"\r\n\"$2.00\"\r\n")
            << QStringList{"A", "B", ""} << QStringList{"$1.00", "$2.00", ""};
        QTest::newRow("unquoted fields")
            << QByteArray("Plumbing , $40.00\r\nB,2\r\n") << QStringList{"Plumbing", "B", ""}
            << QStringList{"$40.00", "2", ""};
        QTest::newRow("empty file")
            << QByteArray() << QStringList{"", "", ""} << QStringList{"", "", ""};
    }
    void laborFileReadsWhatItCan()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, headings);
        QFETCH(QStringList, rates);
        write("/Labor.txt", bytes);
        m_catalog->LoadLaborRates();
        QVERIFY(m_catalog->laborFilePresent());
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(m_catalog->laborHeading(row), headings.at(row));
            QCOMPARE(m_catalog->laborRate(row), rates.at(row));
        }
        // Saved again, the file is well-formed.
        QVERIFY(!m_catalog->SaveLaborRates());
        QByteArray expected;
        for (int row = 0; row < 3; ++row)
            expected +=
                '"' + headings.at(row).toLatin1() + "\",\"" + rates.at(row).toLatin1() + '"' + CrLf;
        QCOMPARE(read("/Labor.txt"), expected);
    }

    void laborGarbageSavesWellFormed()
    {
        static const char garbage[] = "\x01\xff\"\x00,,\"\r\r\n\"a\"b\"c\",\"d";
        write("/Labor.txt", QByteArray(garbage, sizeof garbage - 1));
        m_catalog->LoadLaborRates();
        QVERIFY(!m_catalog->SaveLaborRates());
        const QList<QByteArray> lines = read("/Labor.txt").split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(3), QByteArray());
        for (int row = 0; row < 3; ++row) {
            const QByteArray &line = lines.at(row);
            QVERIFY(line.startsWith('"'));
            QVERIFY(line.endsWith("\"\r"));
            QCOMPARE(line.count('"'), 4);
            QVERIFY(line.contains("\",\""));
        }
    }

    void laborRatesSaveAsQuotedLines()
    {
        m_catalog->LoadLaborRates();
        QSignalSpy changed(m_catalog.get(), &Catalog::laborChanged);
        m_catalog->setLaborRate(0, QStringLiteral("$35.00"));
        m_catalog->setLaborHeading(1, QStringLiteral("Overtime"));
        m_catalog->setLaborRate(1, QStringLiteral("$52.50"));
        m_catalog->setLaborRate(1, QStringLiteral("$52.50"));
        QCOMPARE(changed.size(), 3);
        write("/Backup/Labor.txt", QByteArray("old"));
        QVERIFY(!m_catalog->SaveLaborRates());
        QCOMPARE(read("/Labor.txt"), QByteArray("\"General Labor\",\"$35.00\"\r\n"
                                                "\"Overtime\",\"$52.50\"\r\n"
                                                "\"\",\"$0.00\"\r\n"));
        QVERIFY(!exists("/Backup/Labor.txt"));
        QVERIFY(m_catalog->laborFilePresent());
    }

    void failedWriteIsReportedAndKeepsTheRows()
    {
        // A folder where the file belongs cannot be replaced by a file.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("CustomItems.txt")));
        CustomItemRecord item;
        item.description = QStringLiteral("Sign");
        QVERIFY(!m_catalog->add(item));
        const std::optional<QString> failed = m_catalog->SaveCatalog();
        QVERIFY(failed);
        QCOMPARE(*failed, QStringLiteral("The file \"/CustomItems.txt\" could not be written."));
        QCOMPARE(m_catalog->rowCount(CatalogKind::CustomItems), 1);
    }

    void aSaveKilledAtAnyCallIsWholeOrUndoneAtTheNextStart()
    {
        const auto fixture = [](const QString &root) {
            QVERIFY(QDir(root).mkpath("Backup"));
            for (const char *name : {"/Services.txt", "/Backup/Services.txt"})
                QVERIFY(testfiles::writeBytes(root + name, service("Tune-up", "$10.00", 1)));
            QVERIFY(testfiles::writeBytes(root + "/CustomItems.txt", custom("Sign", 10000, 0, 0)));
        };
        // A row added to two files: both are rewritten, and the services' backup dropped.
        const auto save = [](const QString &root) {
            DataFolder data(root);
            Catalog catalog(data);
            catalog.LoadAll();
            ServiceRecord service;
            service.description = QStringLiteral("Drain Cleaning");
            service.charge = QStringLiteral("$80.00");
            catalog.add(service);
            CustomItemRecord item;
            item.description = QStringLiteral("Banner");
            catalog.add(item);
            return catalog.SaveCatalog();
        };
        const interruptions::Report report = interruptions::killAtEveryCall(
            fixture, save,
            "Saving the Catalog was interrupted and has been undone.\r\nMake the changes again.",
            "Catalog Not Saved");
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
        QVERIFY(report.undone > 0);
        qInfo().noquote() << report.summary();
    }

    void unreadableFileIsNeitherWrittenOverNorDeleted_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("labor");
        QTest::newRow("services") << QStringLiteral("/Services.txt") << false;
        QTest::newRow("sales items") << QStringLiteral("/PIInventoriedItems.txt") << false;
        QTest::newRow("custom items") << QStringLiteral("/CustomItems.txt") << false;
        QTest::newRow("labor") << QStringLiteral("/Labor.txt") << true;
    }

    void unreadableFileIsNeitherWrittenOverNorDeleted()
    {
        QFETCH(QString, file);
        QFETCH(bool, labor);
        write("/Backup" + file, "the copy");
        QVERIFY(makeUnreadable(path(file)));
        m_catalog->LoadAll();

        const std::optional<QString> failed =
            labor ? m_catalog->SaveLaborRates() : m_catalog->SaveCatalog();
        QCOMPARE(failed.value_or(QString()),
                 QStringLiteral("The file \"%1\" could not be written.").arg(file));
        QVERIFY(exists(file));
        QCOMPARE(read("/Backup" + file), QByteArray("the copy"));
    }

    void deletingTheLastRowKeepsAnUnreadableFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("services") << int(CatalogKind::Services);
        QTest::newRow("sales items") << int(CatalogKind::SalesItems);
        QTest::newRow("custom items") << int(CatalogKind::CustomItems);
    }

    void deletingTheLastRowKeepsAnUnreadableFile()
    {
        QFETCH(int, kind);
        const CatalogKind catalogKind = CatalogKind(kind);
        const QString file = Catalog::fileOf(catalogKind);
        write("/Backup" + file, "the copy");
        QVERIFY(makeUnreadable(path(file)));
        m_catalog->LoadAll();
        switch (catalogKind) {
        case CatalogKind::Services: {
            ServiceRecord service;
            service.description = QStringLiteral("Tune-up");
            service.charge = QStringLiteral("$10.00");
            QVERIFY(!m_catalog->add(service));
            break;
        }
        case CatalogKind::SalesItems: {
            SalesItemRecord item;
            item.description = QStringLiteral("Filter");
            QVERIFY(!m_catalog->add(item));
            break;
        }
        case CatalogKind::CustomItems: {
            CustomItemRecord item;
            item.description = QStringLiteral("Banner");
            QVERIFY(!m_catalog->add(item));
            break;
        }
        }
        QCOMPARE(m_catalog->rowCount(catalogKind), 1);
        QCOMPARE(m_catalog->DeleteEntry(catalogKind, 0).value_or(QString()),
                 QStringLiteral("The file \"%1\" could not be written.").arg(file));
        QCOMPARE(m_catalog->rowCount(catalogKind), 0);
        QVERIFY(exists(file));
        QCOMPARE(read("/Backup" + file), QByteArray("the copy"));
    }

private:
    // No permission to read; root reads anything, so there it is a socket, which no
    // one can open as a file.
    static bool makeUnreadable(const QString &file)
    {
        if (::geteuid() != 0) {
            QFile unreadable(file);
            return unreadable.open(QIODevice::WriteOnly) && unreadable.write("rows") == 4 &&
                   unreadable.setPermissions({});
        }
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(file);
        if (native.size() >= qsizetype(sizeof address.sun_path))
            return false;
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0)
            return false;
        std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()));
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(fd);
        return bound;
    }

    QString path(const QString &relative) const { return m_dir->path() + relative; }
    void write(const QString &relative, const QByteArray &bytes)
    {
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists(const QString &relative) const { return QFileInfo::exists(path(relative)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<Catalog> m_catalog;
};

QTEST_GUILESS_MAIN(tst_Catalog)
#include "tst_catalog.moc"
