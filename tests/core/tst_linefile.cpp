#include "core/linefile.h"

#include <QTest>

class TestLineFile : public QObject
{
    Q_OBJECT

private slots:
    void encodesValues_data();
    void encodesValues();
    void decodesLines_data();
    void decodesLines();
    void multiLineValueReadsBackAsSeveralLines();
};

void TestLineFile::encodesValues_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("none") << QStringList{} << QByteArray();
    QTest::newRow("one") << QStringList{"Net 30"} << QByteArray("Net 30\r\n");
    QTest::newRow("empty value keeps its line")
        << QStringList{"a", "", "b"} << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("commas and quotes as they are")
        << QStringList{"Smith, \"John\""} << QByteArray("Smith, \"John\"\r\n");
    QTest::newRow("own line breaks as CR LF")
        << QStringList{"Happy\r\nHolidays", "x\ny", "old\rMac", "two\n\nbreaks\n"}
        << QByteArray("Happy\r\nHolidays\r\nx\r\ny\r\nold\r\nMac\r\ntwo\r\n\r\nbreaks\r\n\r\n");
    QTest::newRow("windows-1252") << QStringList{"Café €9 中"}
                                  << QByteArray("Caf\xE9 \x80"
                                                "9 ?\r\n");
}

void TestLineFile::encodesValues()
{
    QFETCH(QStringList, values);
    QFETCH(QByteArray, bytes);

    QCOMPARE(linefile::encode(values), bytes);
    if (values.size() == 1)
        QCOMPARE(linefile::encodeValue(values.first()), bytes);
}

void TestLineFile::decodesLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("nothing") << QByteArray() << QStringList{};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("mixed line ends") << QByteArray("a\nb\r\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("last line without line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("one line without line end") << QByteArray("only") << QStringList{"only"};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\n\r\n") << QStringList{"a", "", ""};
    QTest::newRow("leading empty line") << QByteArray("\nx") << QStringList{"", "x"};
    QTest::newRow("blanks kept") << QByteArray("  a  \r\n") << QStringList{"  a  "};
    QTest::newRow("lone CR is data") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
    QTest::newRow("commas are data") << QByteArray("a,\"b\"\r\n") << QStringList{"a,\"b\""};
    QTest::newRow("windows-1252") << QByteArray("\x80\xE9\x9F\r\n") << QStringList{"€éŸ"};
    QTest::newRow("nul is data") << QByteArray("a\0b\r\n", 5)
                                 << QStringList{QString::fromUtf8("a\0b", 3)};
}

void TestLineFile::decodesLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    QCOMPARE(linefile::decode(bytes), lines);
}

void TestLineFile::multiLineValueReadsBackAsSeveralLines()
{
    const QStringList memo{"Season's greetings\r\nto all our customers", "Thank you"};
    QCOMPARE(linefile::decode(linefile::encode(memo)),
             (QStringList{"Season's greetings", "to all our customers", "Thank you"}));
    // As a multi-line box here holds it.
    QCOMPARE(linefile::decode(linefile::encodeValue("Net 30\nNo refunds")),
             (QStringList{"Net 30", "No refunds"}));
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "tst_linefile.moc"
