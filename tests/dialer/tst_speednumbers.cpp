#include "core/datafolder.h"
#include "dialer/speednumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace dialer;

namespace {

// The file's layout: a name line and a number line per pair, each ending in CR LF.
QByteArray pairs(const QList<std::pair<QByteArray, QByteArray>> &entries)
{
    QByteArray bytes;
    for (const auto &[name, number] : entries)
        bytes += name + "\r\n" + number + "\r\n";
    return bytes;
}

QList<std::pair<QByteArray, QByteArray>> numbered(int first, int last)
{
    QList<std::pair<QByteArray, QByteArray>> entries;
    for (int i = first; i <= last; ++i)
        entries.append({"Name " + QByteArray::number(i), "555-00" + QByteArray::number(10 + i)});
    return entries;
}

} // namespace

class TestSpeedNumbers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readingFillsSlotsInFileOrder_data();
    void readingFillsSlotsInFileOrder();
    void rewritingClosesGapsAndKeepsPairsPastTheTenth_data();
    void rewritingClosesGapsAndKeepsPairsPastTheTenth();
    void lineBreaksCannotShiftThePairs();

    void deletingASlotMovesLaterSlotsUp();
    void savingFillsTheSelectedSlot();
    void nothingIsWrittenWithoutASelection();
    void missingFileComesBackFromBackup();
    void fileThatCannotBeWrittenIsReported();

private:
    QByteArray fileBytes() const;
    void writeFile(const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
};

void TestSpeedNumbers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = std::make_unique<DataFolder>(m_dir->path());
}

void TestSpeedNumbers::cleanup()
{
    m_data.reset();
    m_dir.reset();
}

QByteArray TestSpeedNumbers::fileBytes() const
{
    QFile file(m_dir->path() + "/SpeedNumbers.txt");
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void TestSpeedNumbers::writeFile(const QByteArray &bytes) const
{
    QFile file(m_dir->path() + "/SpeedNumbers.txt");
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestSpeedNumbers::readingFillsSlotsInFileOrder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // "name|number" per slot, slot 0 first; missing slots are free.
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("three pairs") << pairs({{"Mom", "555-0100"},
                                           {"Vet", "1-800-555-0199"},
                                           {"Bob", ""}})
                                 << QStringList{"Mom|555-0100", "Vet|1-800-555-0199", "Bob|"};
    QTest::newRow("lines ending in LF only") << QByteArray("Mom\n555-0100\nVet\n555-0199\n")
                                             << QStringList{"Mom|555-0100", "Vet|555-0199"};
    QTest::newRow("last line without its line end")
        << QByteArray("Mom\r\n555-0100\r\nVet\r\n555-0199")
        << QStringList{"Mom|555-0100", "Vet|555-0199"};
    QTest::newRow("odd last line is no pair")
        << QByteArray("Mom\r\n555-0100\r\nVet\r\n") << QStringList{"Mom|555-0100"};
    QTest::newRow("a single line") << QByteArray("Mom\r\n") << QStringList();
    QTest::newRow("Windows-1252 text") << QByteArray("Jos\xe9 M\xfcller\r\n555-0100\r\n")
                                       << QStringList{QString::fromUtf8("José Müller|555-0100")};
    QTest::newRow("blank name line leaves its slot free")
        << pairs({{"", "555-0100"}, {"Vet", "555-0199"}})
        << QStringList{"|555-0100", "Vet|555-0199"};
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QString("Name %1|555-00%2").arg(i).arg(10 + i);
    QTest::newRow("twelve pairs fill ten slots") << pairs(numbered(0, 11)) << ten;
}

void TestSpeedNumbers::readingFillsSlotsInFileOrder()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    const SpeedNumbers numbers = SpeedNumbers::decode(bytes);

    QStringList read;
    for (int i = 0; i < SpeedSlotCount; ++i) {
        const SpeedNumber &entry = numbers.slot(i);
        if (i < expected.size())
            read << entry.name + u'|' + entry.number;
        else
            QCOMPARE(entry, SpeedNumber());
    }
    QCOMPARE(read, expected);
}

void TestSpeedNumbers::rewritingClosesGapsAndKeepsPairsPastTheTenth_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("cleared"); // -1: none
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("unchanged file") << pairs(numbered(0, 4)) << -1 << pairs(numbered(0, 4));
    QTest::newRow("cleared slot closes up")
        << pairs(numbered(0, 4)) << 2 << pairs(numbered(0, 1)) + pairs(numbered(3, 4));
    QTest::newRow("LF lines come back as CR LF")
        << QByteArray("Mom\n555-0100\n") << -1 << QByteArray("Mom\r\n555-0100\r\n");
    QTest::newRow("odd last line is dropped") << pairs(numbered(0, 1)) + "Half\r\n"
                                              << -1 << pairs(numbered(0, 1));
    QTest::newRow("blank name is dropped")
        << pairs({{"", "555-0100"}, {"Vet", "555-0199"}}) << -1 << pairs({{"Vet", "555-0199"}});
    QTest::newRow("pairs past the tenth kept")
        << pairs(numbered(0, 12)) << -1 << pairs(numbered(0, 12));
    QTest::newRow("pairs past the tenth kept after a deletion")
        << pairs(numbered(0, 12)) << 0 << pairs(numbered(1, 12));
    QTest::newRow("kept pairs have odd bytes too")
        << pairs(numbered(0, 9)) + pairs({{"Caf\xe9 \x81", "\x90"}}) << 9
        << pairs(numbered(0, 8)) + pairs({{"Caf\xe9 \x81", "\x90"}});
}

void TestSpeedNumbers::rewritingClosesGapsAndKeepsPairsPastTheTenth()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, cleared);
    QFETCH(QByteArray, written);

    SpeedNumbers numbers = SpeedNumbers::decode(bytes);
    if (cleared >= 0)
        numbers.clearSlot(cleared);

    QCOMPARE(numbers.encode(), written);
}

void TestSpeedNumbers::lineBreaksCannotShiftThePairs()
{
    SpeedNumbers numbers;
    numbers.setSlot(0, {"Mom\r\nand Dad", "555-0100\n"});
    numbers.setSlot(1, {"Vet", "555-0199"});

    QCOMPARE(numbers.encode(), QByteArray("Mom  and Dad\r\n555-0100 \r\nVet\r\n555-0199\r\n"));
    QCOMPARE(SpeedNumbers::decode(numbers.encode()).slot(1).name, QString("Vet"));
}

void TestSpeedNumbers::deletingASlotMovesLaterSlotsUp()
{
    writeFile(pairs(numbered(0, 4)));
    SpeedDial dial(*m_data);
    dial.Load();

    QCOMPARE(dial.Select(2), true);
    QCOMPARE(dial.DeleteSelected(), true);

    QCOMPARE(fileBytes(), pairs(numbered(0, 1)) + pairs(numbered(3, 4)));
    QCOMPARE(dial.caption(2), QString("Name 3"));
    QCOMPARE(dial.caption(3), QString("Name 4"));
    QCOMPARE(dial.caption(4), QString());
}

void TestSpeedNumbers::savingFillsTheSelectedSlot()
{
    writeFile(pairs(numbered(0, 1)));
    SpeedDial dial(*m_data);
    dial.Load();

    QCOMPARE(dial.Select(6), false);
    QCOMPARE(dial.Save({"Plumber", "555-7777"}), true);

    QCOMPARE(dial.caption(6), QString("Plumber"));
    QCOMPARE(fileBytes(), pairs(numbered(0, 1)) + pairs({{"Plumber", "555-7777"}}));
    // Read again, the entry closes up behind the used slots.
    dial.Load();
    QCOMPARE(dial.caption(2), QString("Plumber"));
    QCOMPARE(dial.caption(6), QString());
}

void TestSpeedNumbers::nothingIsWrittenWithoutASelection()
{
    writeFile(pairs(numbered(0, 1)));
    SpeedDial dial(*m_data);
    dial.Load();

    QCOMPARE(dial.Select(10), false);
    QCOMPARE(dial.Save({"Plumber", "555-7777"}), false);
    QCOMPARE(dial.DeleteSelected(), false);

    QCOMPARE(fileBytes(), pairs(numbered(0, 1)));
}

void TestSpeedNumbers::missingFileComesBackFromBackup()
{
    QVERIFY(QDir(m_dir->path()).mkpath("Backup"));
    QFile backup(m_dir->path() + "/Backup/SpeedNumbers.txt");
    QVERIFY(backup.open(QIODevice::WriteOnly));
    backup.write(pairs({{"Mom", "555-0100"}}));
    backup.close();

    SpeedDial dial(*m_data);
    dial.Load();
    QCOMPARE(dial.caption(0), QString("Mom"));

    QVERIFY(dial.Select(1) == false);
    QVERIFY(dial.Save({"Vet", "555-0199"}));
    // Saving replaces the file and leaves its backup copy as it was.
    QCOMPARE(fileBytes(), pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}}));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), pairs({{"Mom", "555-0100"}}));
}

void TestSpeedNumbers::fileThatCannotBeWrittenIsReported()
{
    writeFile(pairs(numbered(0, 2)));
    SpeedDial dial(*m_data);
    dial.Load();
    QVERIFY(dial.Select(1));
    // A folder in the file's place cannot be replaced by a file (root included).
    QVERIFY(QFile::remove(m_dir->path() + "/SpeedNumbers.txt"));
    QVERIFY(QDir(m_dir->path()).mkdir("SpeedNumbers.txt"));

    QCOMPARE(dial.Save({"Vet", "555-0199"}), false);
    QCOMPARE(dial.DeleteSelected(), false);
    QVERIFY(QFileInfo(m_dir->path() + "/SpeedNumbers.txt").isDir());
}

QTEST_GUILESS_MAIN(TestSpeedNumbers)
#include "tst_speednumbers.moc"
