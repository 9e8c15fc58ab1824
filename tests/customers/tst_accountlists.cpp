#include "core/codepage.h"
#include "core/datafolder.h"
#include "customerbytes.h"
#include "customers/accountlists.h"
#include "customers/customerfile.h"
#include "scriptedprompts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using customers::AccountLists;
using customers::ByteRanks;
using customers::BuildListsFromText;

namespace {

constexpr int L = 328;

// Bytes that fold, sort or trim awkwardly: Š š Œ œ Ÿ ÿ ß µ, NUL, blanks, a comma,
// an unassigned byte, and letters in both cases.
const QByteArray Awkward = QByteArray("aAbBsSzZ ,\x8a\x9a\x8c\x9c\x9f\xff\xdf\xb5\xe9\xc9\x81", 21) +
                           QByteArray(1, '\0');
const QList<QByteArray> Types = {"Business", "Individual", "business", QByteArray("Business\0", 9),
                                 " Business", "Busi", "\xff\x01"};

QByteArray randomText(std::mt19937 &random, int width)
{
    QByteArray text(int(random() % (width + 1)), ' ');
    for (char &c : text)
        c = Awkward.at(int(random() % Awkward.size()));
    return text;
}

QByteArray randomRecord(std::mt19937 &random)
{
    fixture::Customer c;
    c.type = Types.at(int(random() % Types.size()));
    // Few distinct values, so names tie and cities repeat.
    c.name = randomText(random, int(random() % 4));
    c.last = randomText(random, int(random() % 4));
    c.first = randomText(random, 2);
    c.initial = randomText(random, 1);
    c.address3 = randomText(random, 2);
    return fixture::bytes(c);
}

QByteArray randomFile(std::mt19937 &random, int count)
{
    QByteArray bytes;
    for (int n = 0; n < count; ++n)
        bytes += randomRecord(random);
    return bytes;
}

// Qt's folding, except that ß folds to "ss" as full case folding has it.
const ByteRanks &ranksWithoutSharpS()
{
    static const ByteRanks ranks([](const QString &text) {
        return text == QStringLiteral("\u00df") ? QStringLiteral("ss") : text.toCaseFolded();
    });
    return ranks;
}

} // namespace

class TestAccountLists : public QObject
{
    Q_OBJECT

private slots:
    void listsEqualTheListsBuiltFromText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("sharpSRanked");

        fixture::Customer upper = fixture::person("1", "\xc9VA", "\x8aKODA");
        upper.initial = "Q";
        fixture::Customer inner = fixture::business("2", QByteArray("Mo\0 Co", 6), " Lyon ");
        const QByteArray awkward =
            fixture::bytes(fixture::business("3", "\x9c" "uvre", "\x8a\x9a")) +
            fixture::bytes(upper) + fixture::bytes(inner) +
            fixture::bytes(fixture::business("4", "\x8c" "UVRE", "\x9a\x8a")) +
            fixture::bytes(fixture::person("5", "\xb5", "\x9f" "es", "Lyon")) +
            fixture::bytes(fixture::person("6", "Ann", "\xff" "es", "\x9f")) +
            fixture::bytes(fixture::person("7", "x", "Stra\xdf" "e", "\xff")) +
            fixture::bytes(fixture::person("8", "x", "STRASSE", "Lyon")) +
            fixture::bytes(fixture::business("9", "Ab  Cd", "Lyon")) +
            fixture::bytes(fixture::business("10", "AB  CD", "lyon"));
        QTest::newRow("awkward names") << awkward << 10 << true;
        QTest::newRow("ends mid-record") << awkward.left(9 * L + 300) << 10 << true;
        QTest::newRow("ends before the names") << awkward.left(9 * L + 30) << 10 << true;
        QTest::newRow("a fold to two characters") << awkward << 10 << false;
        QTest::newRow("no record") << QByteArray() << 0 << true;

        std::mt19937 random(20261209);
        for (int i = 0; i < 20; ++i) {
            const int count = 1 + int(random() % 400);
            QByteArray bytes = randomFile(random, count);
            bytes.chop(int(random() % L));
            QTest::addRow("random %d", i) << bytes << count << (i % 5 != 0);
        }
    }
    void listsEqualTheListsBuiltFromText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(bool, sharpSRanked);
        AccountLists lists;
        lists.build(bytes, count, sharpSRanked ? ByteRanks::folded() : ranksWithoutSharpS());
        const customers::TextLists expected = BuildListsFromText(bytes, count);
        QCOMPARE(lists.accounts(), expected.accounts);
        QCOMPARE(lists.cities(), expected.cities);
        QCOMPARE(lists.size(), count);
    }

    void everyByteRanksUnderQtFolding()
    {
        // The byte path is the fast one only while this holds.
        for (int b = 0; b < 256; ++b)
            QVERIFY2(ByteRanks::folded().ranked(uchar(b)), qPrintable(QString::number(b, 16)));
    }

    // Saves and deletes, kept in step in place, against the lists built afresh.
    void updatesInPlaceEqualARebuild_data()
    {
        QTest::addColumn<uint>("seed");
        for (uint seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void updatesInPlaceEqualARebuild()
    {
        QFETCH(uint, seed);
        std::mt19937 random(seed);
        QByteArray bytes = randomFile(random, 1 + int(random() % 60));
        AccountLists lists;
        lists.build(bytes, qint32(bytes.size() / L));
        for (int step = 0; step < 300; ++step) {
            const auto count = qint32(bytes.size() / L);
            const auto n = qint32(1 + random() % (count + 1));
            if (random() % 3 == 0 && n <= count) {
                QVERIFY(lists.recordRemoved(n));
                bytes.remove(qsizetype(n - 1) * L, L);
            } else {
                const QByteArray record = randomRecord(random);
                QVERIFY(lists.recordWritten(n, record));
                if (n > count)
                    bytes += record;
                else
                    bytes.replace(qsizetype(n - 1) * L, L, record);
            }
            const customers::TextLists expected =
                BuildListsFromText(bytes, qint32(bytes.size() / L));
            QCOMPARE(lists.accounts(), expected.accounts);
            QCOMPARE(lists.cities(), expected.cities);
        }
        const auto count = qint32(bytes.size() / L);
        QVERIFY(!lists.recordWritten(count + 2, randomRecord(random)));
        QVERIFY(!lists.recordRemoved(count + 1));
        QVERIFY(!lists.recordRemoved(0));
    }

    // The search's rule on each field: its text upper-cased contains the text sought.
    void searchFindsWhatTheUpperCasedFieldContains_data()
    {
        QTest::addColumn<QString>("sought");
        for (const char *sought : {"a", "SS", "\u00df", "s", "\u0161", "\u0160", "\u00ff",
                                   "\u0178", "\u00b5", "\u039c", "\u00e9", " B"})
            QTest::newRow(sought) << QString::fromUtf8(sought);
    }
    void searchFindsWhatTheUpperCasedFieldContains()
    {
        QFETCH(QString, sought);
        QTemporaryDir dir;
        std::mt19937 random(11);
        // More records than the file's read takes at once.
        const QByteArray bytes = randomFile(random, 1000);
        fixture::writeFile(dir.path() + "/CustomerData.txt", bytes);
        DataFolder data(dir.path());
        ScriptedPrompts prompts;
        CustomerFile customers(data, prompts);
        const QString needle = sought.trimmed().toUpper();
        const auto name = [&](qint32 n) {
            return codepage::decode(customers::FieldBytes(bytes, n, 20, 45).toByteArray());
        };
        QList<qint32> expected;
        for (qint32 n = 1; n <= 1000; ++n) {
            if (name(n).toUpper().contains(needle))
                expected.append(n);
        }
        QVERIFY(!expected.isEmpty());
        QCOMPARE(customers.FindRecords(customers::Criterion::BusinessName, sought), expected);
    }

    // Opening reads the file a block at a time; the lists are those of the whole file,
    // a part of a record at its end counted as the record count rounds it.
    void openingReadsTheFileInBlocks_data()
    {
        QTest::addColumn<int>("part");
        QTest::newRow("whole records") << 0;
        QTest::newRow("more than half a record") << L / 2 + 1;
        QTest::newRow("half a record") << L / 2;
    }
    void openingReadsTheFileInBlocks()
    {
        QFETCH(int, part);
        QTemporaryDir dir;
        std::mt19937 random(5);
        const QByteArray bytes = randomFile(random, 1000) + randomRecord(random).left(part);
        fixture::writeFile(dir.path() + "/CustomerData.txt", bytes);
        DataFolder data(dir.path());
        ScriptedPrompts prompts;
        CustomerFile customers(data, prompts);
        QVERIFY(customers.Open());
        const customers::TextLists expected = BuildListsFromText(bytes, 1000 + (2 * part > L ? 1 : 0));
        QCOMPARE(customers.accounts(), expected.accounts);
        QCOMPARE(customers.cities(), expected.cities);
    }

    // The screen's own saves and deletes leave the lists a fresh opening reads; a file
    // another program changed in size meanwhile is read again.
    void customerFileKeepsItsListsInStep_data()
    {
        QTest::addColumn<bool>("grownBeforeSave");
        QTest::addColumn<bool>("grownBeforeDelete");
        QTest::newRow("only this screen") << false << false;
        QTest::newRow("grown before the save") << true << false;
        QTest::newRow("grown before the delete") << false << true;
    }
    void customerFileKeepsItsListsInStep()
    {
        QFETCH(bool, grownBeforeSave);
        QFETCH(bool, grownBeforeDelete);
        QTemporaryDir dir;
        for (const char *folder : {"/Backup", "/PIActiveAccounts", "/AuxFiles"})
            QDir().mkpath(dir.path() + folder);
        const QString path = dir.path() + "/CustomerData.txt";
        std::mt19937 random(7);
        fixture::writeFile(path, randomFile(random, 40));
        const auto grow = [&] { fixture::writeFile(path, fixture::readFile(path) + randomFile(random, 3)); };
        DataFolder data(dir.path());
        ScriptedPrompts prompts;
        CustomerFile customers(data, prompts);
        QVERIFY(customers.Open());

        if (grownBeforeSave)
            grow();
        customers.ShowRecord(5);
        CustomerRecord shown = customers.record();
        shown.account = "Z5";
        shown.type = CustomerRecord::Individual;
        shown.firstName = "Al";
        shown.lastName = "\u0160koda";
        shown.address3 = "Elsewhere";
        const auto asAFreshOpening = [&] {
            CustomerFile fresh(data, prompts);
            QVERIFY(fresh.Open());
            QCOMPARE(customers.accounts(), fresh.accounts());
            QCOMPARE(customers.cities(), fresh.cities());
        };
        QVERIFY(customers.SaveCustomer(shown).saved);
        asAFreshOpening();
        if (grownBeforeDelete)
            grow();
        QVERIFY(!customers.DeleteCustomer(2));
        asAFreshOpening();
        QVERIFY(prompts.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAccountLists)
#include "tst_accountlists.moc"
