#include "core/datafolder.h"
#include "core/datatree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"

namespace {

// A customer record as stored: 328 bytes, the account in the first 20, blank padded.
QByteArray customer(const QByteArray &account)
{
    QByteArray record = account.left(20).leftJustified(20, ' ');
    record += QByteArray(308, 'x');
    return record;
}

QStringList tree(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = it.filePath().mid(root.size());
        entries << (it.fileInfo().isDir() ? relative + "/" : relative);
    }
    entries.sort();
    return entries;
}

const QStringList baseTree = {
    "/2026/",
    "/AuxFiles/",
    "/Backup/",
    "/Backup/CompletedInvoices/",
    "/Backup/PIActiveAccounts/",
    "/CompletedInvoices/",
    "/PIActiveAccounts/",
    "/PelmorInvoicer/",
    "/PelmorInvoicer/IncompleteInvoices/",
    "/PelmorInvoicer/Narratives/",
    "/PelmorInvoicer/Templates/",
    "/PelmorInvoicer/Templates/Invoices/",
    "/Templates/",
};

QStringList auxTree(const QString &account)
{
    QStringList entries{"/AuxFiles/" + account + "/"};
    for (int j = 0; j <= 5; ++j)
        entries << "/AuxFiles/" + account + "/AuxFile" + QString::number(j) + "/";
    return entries;
}

} // namespace

class TestDataTree : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString root() const { return m_dir.path(); }
    const QDate today{2026, 12, 8};

private slots:
    void init()
    {
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
    }

    void emptyFolderGetsTheTreeAndNoFiles()
    {
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::nullopt);
        QCOMPARE(tree(root()), baseTree);
    }

    void newYearAddsItsFolder()
    {
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::nullopt);
        QCOMPARE(CreateDataFolders(data, QDate(2027, 1, 2)), std::nullopt);
        QVERIFY(QFileInfo(root() + "/2026").isDir());
        QVERIFY(QFileInfo(root() + "/2027").isDir());
    }

    void customersGetTheirFolders()
    {
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt",
                                      customer("1001") + customer("SMITH") + customer("  Lee 7")));
        QVERIFY(testfiles::writeBytes(root() + "/AuxFiles/SMITH/AuxFile3/Data.txt", "kept"));
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::nullopt);
        QStringList expected = baseTree;
        expected << auxTree("1001") << auxTree("Lee 7") << auxTree("SMITH")
                 << "/AuxFiles/SMITH/AuxFile3/Data.txt" << "/CustomerData.txt";
        expected.sort();
        QCOMPARE(tree(root()), expected);
    }

    void unsafeOrBlankAccountsGetNoFolder_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("blank record") << QByteArray(328, ' ');
        QTest::newRow("zero record") << QByteArray(328, '\0');
        QTest::newRow("parent folder") << customer("../CustomerData");
        QTest::newRow("dot dot") << customer("..");
        QTest::newRow("slash") << customer("a/b");
        QTest::newRow("backslash") << customer("a\\b");
        QTest::newRow("colon") << customer("C:x");
        // Not an account the customer screens could show: no folder "AB" for it.
        QTest::newRow("zero byte inside") << customer(QByteArray("A\0B", 3));
        // 164 bytes of an account-only tail round down to no record at all.
        QTest::newRow("short record") << QByteArray("ACME").leftJustified(100, ' ');
    }
    void unsafeOrBlankAccountsGetNoFolder()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt", bytes));
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::nullopt);
        QStringList expected = baseTree;
        expected << "/CustomerData.txt";
        expected.sort();
        QCOMPARE(tree(root()), expected);
    }

    void cutShortLastRecordStillNamesItsAccount()
    {
        // 1.6 records: the second, cut short, rounds up and keeps its account.
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt", customer("A1") + customer("B2").left(200)));
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::nullopt);
        QVERIFY(QFileInfo(root() + "/AuxFiles/A1/AuxFile5").isDir());
        QVERIFY(QFileInfo(root() + "/AuxFiles/B2/AuxFile5").isDir());
    }

    void customerFileRestoredFromBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Backup/CustomerData.txt", customer("R9")));
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::nullopt);
        QVERIFY(QFileInfo(root() + "/CustomerData.txt").isFile());
        QVERIFY(QFileInfo(root() + "/AuxFiles/R9/AuxFile0").isDir());
    }

    void folderThatCannotBeMadeIsNamed()
    {
        QVERIFY(testfiles::writeBytes(root() + "/PIActiveAccounts", "a file in the way"));
        DataFolder data(root());
        QCOMPARE(CreateDataFolders(data, today), std::optional<QString>("/PIActiveAccounts"));
    }

    void aFileInTheWayOfAnAuxFolderStopsNothingElse()
    {
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt",
                                      customer("A1") + customer("B2") + customer("C3")));
        QVERIFY(QDir().mkpath(root() + "/AuxFiles"));
        QVERIFY(testfiles::writeBytes(root() + "/AuxFiles/B2", "a file in the way"));
        DataFolder data(root());
        QStringList failed;
        QCOMPARE(CreateDataFolders(data, today, &failed), std::nullopt);
        QCOMPARE(failed, QStringList{"/AuxFiles/B2"});
        QVERIFY(QFileInfo(root() + "/AuxFiles/A1/AuxFile5").isDir());
        QVERIFY(QFileInfo(root() + "/AuxFiles/C3/AuxFile5").isDir());
        const QString shown = QDir::toNativeSeparators(root() + "/AuxFiles/B2");
        QCOMPARE(AuxFoldersMessage(data, failed),
                 "These customer attachment folders could not be created; their notes cannot be "
                 "kept:\r\n" + shown + "\r\n    \"" + shown + "\" is a file, not a folder.");
    }

    void folderFailureReasonNamesTheFileInTheWay()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Templates", "x"));
        DataFolder data(root());
        QCOMPARE(FolderFailureReason(data, "/Templates/Invoices"),
                 "\"" + QDir::toNativeSeparators(root() + "/Templates") + "\" is a file, not a folder.");
    }

    void settingsFilesPresent_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("expected");
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("all three")
            << QStringList{"/PelmorInvoicerSettings.txt", "/MyBusinessData.txt", "/Phone.txt"} << true;
        QTest::newRow("phone missing")
            << QStringList{"/PelmorInvoicerSettings.txt", "/MyBusinessData.txt"} << false;
        QTest::newRow("settings from backup")
            << QStringList{"/Backup/PelmorInvoicerSettings.txt", "/MyBusinessData.txt", "/Phone.txt"}
            << true;
    }
    void settingsFilesPresent()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, expected);
        for (const QString &f : files)
            QVERIFY(testfiles::writeBytes(root() + f, "x"));
        DataFolder data(root());
        QCOMPARE(SettingsFilesPresent(data), expected);
        if (expected)
            QVERIFY(QFileInfo::exists(root() + "/PelmorInvoicerSettings.txt"));
    }
};

QTEST_GUILESS_MAIN(TestDataTree)
#include "tst_datatree.moc"
