#include "core/datafolder.h"
#include "core/fixedrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "testfiles.h"

namespace {

QByteArray records(int count, int length)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += QByteArray(length, char('A' + n - 1));
    return bytes;
}

} // namespace

class TestDataFolder : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString root() const { return m_dir.path(); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
    }

    void resolvesSeparatorsAndCase_data()
    {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("asWritten");
        QTest::newRow("backslash") << "SoldItems.txt" << "\\SoldItems.txt";
        QTest::newRow("doubled") << "InvoiceSalesJournal.txt" << "//InvoiceSalesJournal.txt";
        QTest::newRow("case of a file") << "CUSTOMERDATA.TXT" << "/CustomerData.txt";
        QTest::newRow("case of folders") << "auxfiles/Abc/AUXFILE0/Data.txt"
                                         << "/AuxFiles\\ABC//AuxFile0/data.txt";
        QTest::newRow("mixed and trailing") << "PelmorInvoicer/Templates" << "\\pelmorinvoicer\\templates\\";
    }
    void resolvesSeparatorsAndCase()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, asWritten);
        QVERIFY(testfiles::writeBytes(root() + "/" + onDisk, "x"));
        DataFolder data(root());
        QCOMPARE(data.path(asWritten), root() + "/" + onDisk);
        QVERIFY(data.FileIsPresent(asWritten));
    }

    void missingNameKeepsFoundFoldersAndWrittenRest()
    {
        QDir().mkpath(root() + "/AUXFILES");
        DataFolder data(root());
        QCOMPARE(data.path("/AuxFiles/New/AuxFile0"), root() + "/AUXFILES/New/AuxFile0");
        QCOMPARE(data.path("/Nothing.txt"), root() + "/Nothing.txt");
    }

    void folderMadeAfterListingIsFoundByOtherCase()
    {
        DataFolder data(root());
        QVERIFY(data.EnsureFolder("/AuxFiles"));
        data.path("/AuxFiles/none"); // lists /AuxFiles while it is empty
        QVERIFY(data.EnsureFolder("/AuxFiles/Smith1"));
        QVERIFY(data.EnsureFolder("/AuxFiles/SMITH1/AuxFile0"));
        QCOMPARE(QDir(root() + "/AuxFiles").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"Smith1"});
        QVERIFY(QFileInfo(root() + "/AuxFiles/Smith1/AuxFile0").isDir());
    }

    void ensureFolderRefusesAFileInTheWay()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Templates", "not a folder"));
        DataFolder data(root());
        QVERIFY(!data.EnsureFolder("/Templates"));
        QVERIFY(data.EnsureFolder("/Backup/CompletedInvoices"));
        QVERIFY(QFileInfo(root() + "/Backup/CompletedInvoices").isDir());
    }

    void presenceRestoresFromBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Backup/Labor.txt", "\"Labor\",\"$10.00\"\r\n"));
        DataFolder data(root());
        QVERIFY(data.FileIsPresent("/Labor.txt"));
        QCOMPARE(testfiles::readBytes(root() + "/Labor.txt"), QByteArray("\"Labor\",\"$10.00\"\r\n"));
        QVERIFY(!data.FileIsPresent("/Services.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Services.txt"));
    }

    void folderWhereAFileBelongsIsNotPresent()
    {
        QVERIFY(QDir().mkpath(root() + "/PIInventoriedItems.txt/inside"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/PIInventoriedItems.txt", records(2, 104)));
        DataFolder data(root());
        QVERIFY(!data.FileIsPresent("/PIInventoriedItems.txt"));
        QCOMPARE(data.RecordCount("/PIInventoriedItems.txt", 104), 0);
        QCOMPARE(data.ReadFile("/PIInventoriedItems.txt"), QByteArray());
        QVERIFY(QFileInfo(root() + "/PIInventoriedItems.txt/inside").isDir());
    }

    void presentFileIsNotReplacedByBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Labor.txt", "new"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/Labor.txt", "old"));
        DataFolder data(root());
        QVERIFY(data.FileIsPresent("/Labor.txt"));
        QCOMPARE(testfiles::readBytes(root() + "/Labor.txt"), QByteArray("new"));
    }

    void recordCountRoundsTiesToEven_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qint64>("count");
        QTest::newRow("empty") << 0 << qint64(0);
        QTest::newRow("half of one") << 164 << qint64(0);
        QTest::newRow("one") << 328 << qint64(1);
        QTest::newRow("one and a bit") << 400 << qint64(1);
        QTest::newRow("one and a half") << 492 << qint64(2);
        QTest::newRow("two") << 656 << qint64(2);
        QTest::newRow("two and a half") << 820 << qint64(2);
        QTest::newRow("past short range") << 328 * 40000 << qint64(40000);
    }
    void recordCountRoundsTiesToEven()
    {
        QFETCH(int, size);
        QFETCH(qint64, count);
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt", QByteArray(size, ' ')));
        DataFolder data(root());
        QCOMPARE(data.RecordCount("/CustomerData.txt", 328), count);
    }

    void recordCountOfMissingFileIsZero()
    {
        DataFolder data(root());
        QCOMPARE(data.RecordCount("/CustomerData.txt", 328), qint64(0));
    }

    void deleteRoutines()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Narrative.txt", "a"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/Narrative.txt", "b"));
        QVERIFY(testfiles::writeBytes(root() + "/ShipVia.txt", "a"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/ShipVia.txt", "b"));
        DataFolder data(root());
        data.DeleteWithBackup("/Narrative.txt");
        data.DeleteIfPresent("/ShipVia.txt");
        data.DeleteIfPresent("/NotThere.txt");
        QVERIFY(!QFileInfo::exists(root() + "/Narrative.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/Narrative.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/ShipVia.txt"));
        QVERIFY(QFileInfo::exists(root() + "/Backup/ShipVia.txt"));
    }

    void rewriteDropsBackupAndReplacesWhole()
    {
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceMemo.txt", "a much longer old content"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/InvoiceMemo.txt", "old"));
        DataFolder data(root());
        QVERIFY(data.WriteTextFile("/InvoiceMemo.txt", "Thank you"));
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceMemo.txt"), QByteArray("Thank you\r\n"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/InvoiceMemo.txt"));
        // Nothing but the file itself is left behind.
        QCOMPARE(QDir(root()).entryList(QDir::Files), QStringList{"InvoiceMemo.txt"});
    }

    void failedRewriteKeepsTheBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Backup/InvoiceMemo.txt", "old"));
        // A folder where the file belongs cannot be replaced by a file.
        QVERIFY(QDir().mkpath(root() + "/InvoiceMemo.txt"));
        DataFolder data(root());
        QVERIFY(!data.RewriteFile("/InvoiceMemo.txt", "new"));
        QCOMPARE(testfiles::readBytes(root() + "/Backup/InvoiceMemo.txt"), QByteArray("old"));
    }

    void pipeIsNotADataFile()
    {
        const QByteArray fifo = QFile::encodeName(root() + "/Services.txt");
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        DataFolder data(root());
        // Reading it would block for ever; it counts as absent.
        QVERIFY(!data.FileIsPresent("/Services.txt"));
        QCOMPARE(data.ReadFile("/Services.txt"), QByteArray());
        QCOMPARE(data.RecordCount("/Services.txt", 72), qint64(0));
    }

    void copyReplacesTarget()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Services.txt", records(2, 72)));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/Services.txt", records(5, 72)));
        DataFolder data(root());
        QVERIFY(data.CopyDataFile("/Services.txt", "/Backup/Services.txt"));
        QCOMPARE(testfiles::readBytes(root() + "/Backup/Services.txt"), records(2, 72));
        QVERIFY(!data.CopyDataFile("/Missing.txt", "/Backup/Missing.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/Missing.txt"));
    }

    void replaceWithTemporary()
    {
        QVERIFY(testfiles::writeBytes(root() + "/TemporaryFile.txt", "new"));
        QVERIFY(testfiles::writeBytes(root() + "/TaxRecords.txt", "old and longer"));
        DataFolder data(root());
        QVERIFY(data.ReplaceWithTemporary("/TemporaryFile.txt", "/TaxRecords.txt"));
        QCOMPARE(testfiles::readBytes(root() + "/TaxRecords.txt"), QByteArray("new"));
        QVERIFY(!QFileInfo::exists(root() + "/TemporaryFile.txt"));
    }

    void safeReplaceKeepsChosenRecordsInOrder()
    {
        QVERIFY(testfiles::writeBytes(root() + "/SoldItems.txt", records(5, 90)));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/SoldItems.txt", records(7, 90)));
        // A scratch file left over by a crash, longer than the result.
        QVERIFY(testfiles::writeBytes(root() + "/TemporaryFile.txt", QByteArray(90 * 9, 'Z')));
        DataFolder data(root());
        QVERIFY(data.SafeReplace("\\SoldItems.txt", 90, [](const FixedRecord &r) {
            return r.bytes().at(0) != 'B' && r.bytes().at(0) != 'D';
        }));
        const QByteArray expected = QByteArray(90, 'A') + QByteArray(90, 'C') + QByteArray(90, 'E');
        QCOMPARE(testfiles::readBytes(root() + "/SoldItems.txt"), expected);
        QCOMPARE(testfiles::readBytes(root() + "/Backup/SoldItems.txt"), expected);
        QVERIFY(!QFileInfo::exists(root() + "/TemporaryFile.txt"));
    }

    void safeReplaceKeepingNothingLeavesAnEmptyFile()
    {
        QVERIFY(testfiles::writeBytes(root() + "/TaxRecords.txt", records(3, 75)));
        DataFolder data(root());
        QVERIFY(data.SafeReplace("/TaxRecords.txt", 75, [](const FixedRecord &) { return false; }));
        QCOMPARE(testfiles::readBytes(root() + "/TaxRecords.txt"), QByteArray());
        QCOMPARE(data.RecordCount("/TaxRecords.txt", 75), qint64(0));
    }

    void safeReplaceKeepsEveryOtherRecordAcrossBlocks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("tail");
        QTest::newRow("few") << 5 << 0;
        // More records than one block of a mebibyte holds.
        QTest::newRow("two blocks") << 11651 << 0;
        QTest::newRow("three blocks, torn tail counted") << 23302 << 60;
        QTest::newRow("torn tail dropped") << 7 << 30;
    }
    void safeReplaceKeepsEveryOtherRecordAcrossBlocks()
    {
        QFETCH(int, count);
        QFETCH(int, tail);
        QByteArray file, expected;
        for (int n = 0; n < count; ++n) {
            QByteArray record(90, char('a' + n % 26));
            record.replace(0, 4, QByteArray::number(n % 2) + QByteArray::number(n % 1000).rightJustified(3, '0'));
            file += record;
            if (n % 2 == 0)
                expected += record;
        }
        if (tail) {
            // A torn record of more than half the length counts; it reads padded.
            const QByteArray torn = "0" + QByteArray(tail - 1, 'T');
            file += torn;
            if (2 * tail > 90)
                expected += torn + QByteArray(90 - tail, '\0');
        }
        QVERIFY(testfiles::writeBytes(root() + "/SoldItems.txt", file));
        QVERIFY(QDir().mkpath(root() + "/Backup"));
        DataFolder data(root());
        QVERIFY(data.SafeReplace("\\SoldItems.txt", 90,
                                 [](const FixedRecord &r) { return r.bytes().at(0) == '0'; }));
        QCOMPARE(testfiles::readBytes(root() + "/SoldItems.txt"), expected);
        QCOMPARE(testfiles::readBytes(root() + "/Backup/SoldItems.txt"), expected);
    }

    void safeReplaceLeavesAFolderInPlaceAlone()
    {
        QVERIFY(QDir().mkpath(root() + "/SoldItems.txt"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/SoldItems.txt", records(2, 90)));
        DataFolder data(root());
        QVERIFY(!data.SafeReplace("\\SoldItems.txt", 90, [](const FixedRecord &) { return false; }));
        QVERIFY(QFileInfo(root() + "/SoldItems.txt").isDir());
        QCOMPARE(testfiles::readBytes(root() + "/Backup/SoldItems.txt"), records(2, 90));
    }

    void safeReplaceRestoresAnAbsentFileFirst_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("backup copy") << true << true << QByteArray(75, 'A') + QByteArray(75, 'C');
        QTest::newRow("no backup copy") << false << true << QByteArray();
    }

    void safeReplaceRestoresAnAbsentFileFirst()
    {
        QFETCH(bool, backup);
        QFETCH(bool, succeeds);
        QFETCH(QByteArray, expected);
        if (backup)
            QVERIFY(testfiles::writeBytes(root() + "/Backup/TaxRecords.txt", records(3, 75)));
        DataFolder data(root());
        QCOMPARE(data.SafeReplace("/TaxRecords.txt", 75,
                                  [](const FixedRecord &r) { return r.bytes().at(0) != 'B'; }),
                 succeeds);
        QCOMPARE(QFileInfo::exists(root() + "/TaxRecords.txt"), backup);
        QCOMPARE(QFileInfo::exists(root() + "/Backup/TaxRecords.txt"), backup);
        if (backup) {
            QCOMPARE(testfiles::readBytes(root() + "/TaxRecords.txt"), expected);
            QCOMPARE(testfiles::readBytes(root() + "/Backup/TaxRecords.txt"), expected);
        }
    }

    void aPipeIsNoRecordFile()
    {
        const QString fifo = root() + "/TaxRecords.txt";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        FixedRecordFile file(fifo, 75);
        QVERIFY(!file.open());
        DataFolder data(root());
        QVERIFY(!data.SafeReplace("/TaxRecords.txt", 75, [](const FixedRecord &) { return true; }));
        QVERIFY(!data.AppendRecord("/TaxRecords.txt", FixedRecord(75)));
        QVERIFY(!data.CopyDataFile("/TaxRecords.txt", "/Copy.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Copy.txt"));
        QVERIFY(!QFileInfo(fifo).isFile());
    }

    void leftoverTemporariesAreRemoved()
    {
        const QStringList gone{"/Services.txt.aB3dE9", "/Backup/SoldItems.txt.Zz0000",
                               "/CUSTOMER.TMP", "/Backup/Customer.tmp",
                               "/PIActiveAccounts/A1.txt.q1w2e3", "/CompletedInvoices/7.txt.x9Y8z7",
                               "/PelmorInvoicer/IncompleteInvoices/8.txt.AAAAAA"};
        const QStringList kept{"/Services.txt", "/Services.txt.bak", "/Services.txt.abcdefg",
                               "/notes.doc.aB3dE9", "/Backup/Services.txt",
                               "/PIActiveAccounts/A1.txt"};
        for (const QString &file : gone + kept)
            QVERIFY(testfiles::writeBytes(root() + file, "x"));
        QVERIFY(QDir().mkpath(root() + "/Labor.txt.AbCdEf"));
        DataFolder data(root());
        data.RemoveLeftoverTemporaries();
        for (const QString &file : gone)
            QVERIFY2(!QFileInfo::exists(root() + file), qPrintable(file));
        for (const QString &file : kept)
            QVERIFY2(QFileInfo::exists(root() + file), qPrintable(file));
        QVERIFY(QFileInfo(root() + "/Labor.txt.AbCdEf").isDir());
    }

    void appendWritesAtCountPlusOne()
    {
        // A torn tail shorter than half a record is overwritten by the next append.
        QVERIFY(testfiles::writeBytes(root() + "/TaxRecords.txt", records(2, 75) + "xx"));
        DataFolder data(root());
        FixedRecord record(75, QByteArray(75, 'N'));
        QVERIFY(data.AppendRecord("/TaxRecords.txt", record));
        QCOMPARE(testfiles::readBytes(root() + "/TaxRecords.txt"), records(2, 75) + QByteArray(75, 'N'));
    }

    void anyFileMatching_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("expected");
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("other kind") << QStringList{"a.dat"} << false;
        QTest::newRow("one") << QStringList{"a.dat", "20260001.txt"} << true;
        QTest::newRow("other case") << QStringList{"20260001.TXT"} << true;
    }
    void anyFileMatching()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, expected);
        QDir().mkpath(root() + "/CompletedInvoices");
        for (const QString &f : files)
            QVERIFY(testfiles::writeBytes(root() + "/CompletedInvoices/" + f, "x"));
        DataFolder data(root());
        QCOMPARE(data.AnyFileMatching("/CompletedInvoices", "*.txt"), expected);
        QVERIFY(!data.AnyFileMatching("\\PelmorProposals", "*.txt"));
    }

    void backupCopiesTheEighteenAndSkipsFailures()
    {
        const QStringList names = DataFolder::BackupFileNames();
        QCOMPARE(names.size(), 18);
        QCOMPARE(names.first(), QString("PelmorInvoicerSettings"));
        QCOMPARE(names.last(), QString("TaxRecords"));
        for (const QString &name : names)
            QVERIFY(testfiles::writeBytes(root() + "/" + name + ".txt", name.toLatin1()));
        QVERIFY(testfiles::writeBytes(root() + "/ShipVia.txt", "not backed up here"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/Labor.txt", "stale"));
        // A folder in the way of one copy must not stop the others.
        QDir().mkpath(root() + "/Backup/CustomerData.txt");
        DataFolder data(root());
        data.BackupDataFiles();
        for (const QString &name : names) {
            if (name == "CustomerData")
                continue;
            QCOMPARE(testfiles::readBytes(root() + "/Backup/" + name + ".txt"), name.toLatin1());
        }
        QVERIFY(QFileInfo(root() + "/Backup/CustomerData.txt").isDir());
        QVERIFY(!QFileInfo::exists(root() + "/Backup/ShipVia.txt"));
    }

    void readWholeFileTellsWhatIsThere_data()
    {
        QTest::addColumn<QString>("made"); // what stands at the place asked for
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("state");
        QTest::addColumn<QByteArray>("bytes");
        using S = DataFolder::WholeFile::State;
        QTest::newRow("file") << "file" << "/Services.txt" << int(S::Read) << QByteArray("abc");
        QTest::newRow("empty file") << "empty" << "/Services.txt" << int(S::Read) << QByteArray();
        QTest::newRow("other case") << "file" << "\\SERVICES.TXT" << int(S::Read) << QByteArray("abc");
        QTest::newRow("backup only") << "backup" << "/Services.txt" << int(S::Read) << QByteArray("old");
        QTest::newRow("absent") << "nothing" << "/Services.txt" << int(S::Absent) << QByteArray();
        QTest::newRow("folder") << "folder" << "/Services.txt" << int(S::NotAFile) << QByteArray();
        QTest::newRow("pipe") << "pipe" << "/Services.txt" << int(S::NotAFile) << QByteArray();
        QTest::newRow("file where a folder belongs") << "file" << "/Services.txt/Inner.txt" << int(S::Absent)
                                                     << QByteArray();
    }
    void readWholeFileTellsWhatIsThere()
    {
        QFETCH(QString, made);
        QFETCH(QString, asked);
        QFETCH(int, state);
        QFETCH(QByteArray, bytes);
        const QString place = root() + "/Services.txt";
        if (made == "file")
            QVERIFY(testfiles::writeBytes(place, "abc"));
        else if (made == "empty")
            QVERIFY(testfiles::writeBytes(place, ""));
        else if (made == "backup")
            QVERIFY(testfiles::writeBytes(root() + "/Backup/Services.txt", "old"));
        else if (made == "folder")
            QVERIFY(QDir().mkpath(place));
        else if (made == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(place).constData(), 0600), 0);
        DataFolder data(root());
        const DataFolder::WholeFile file = data.ReadWholeFile(asked);
        QCOMPARE(int(file.state), state);
        QCOMPARE(file.bytes, bytes);
    }

    void readFileOfMissingIsEmpty()
    {
        DataFolder data(root());
        QCOMPARE(data.ReadFile("/Phone.txt"), QByteArray());
        QVERIFY(testfiles::writeBytes(root() + "/Backup/Phone.txt", "#TRUE#"));
        QCOMPARE(data.ReadFile("/Phone.txt"), QByteArray("#TRUE#"));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
