#include "core/codepage.h"

#include <QTest>

class TestCodepage : public QObject
{
    Q_OBJECT

private slots:
    void decodesBytes_data();
    void decodesBytes();
    void encodesCharacters_data();
    void encodesCharacters();
    void everyByteSurvivesDecodeAndEncode();
    void decodesNothingFromNoBytes();
};

void TestCodepage::decodesBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");

    QTest::newRow("nul") << 0x00 << 0x0000;
    QTest::newRow("ascii letter") << 0x41 << 0x0041;
    QTest::newRow("delete") << 0x7F << 0x007F;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("unassigned 81") << 0x81 << 0x0081;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("circumflex") << 0x88 << 0x02C6;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("unassigned 8D") << 0x8D << 0x008D;
    QTest::newRow("Z caron") << 0x8E << 0x017D;
    QTest::newRow("unassigned 8F") << 0x8F << 0x008F;
    QTest::newRow("unassigned 90") << 0x90 << 0x0090;
    QTest::newRow("right single quote") << 0x92 << 0x2019;
    QTest::newRow("left double quote") << 0x93 << 0x201C;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("unassigned 9D") << 0x9D << 0x009D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("e acute") << 0xE9 << 0x00E9;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void TestCodepage::decodesBytes()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);

    const QString text = codepage::decode(QByteArray(1, char(byte)));
    QCOMPARE(text.size(), 1);
    QCOMPARE(int(text.at(0).unicode()), codePoint);
}

void TestCodepage::encodesCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ascii") << QStringLiteral("Acme, Inc.") << QByteArray("Acme, Inc.");
    QTest::newRow("latin-1") << QStringLiteral("Café Müller") << QByteArray("Caf\xE9 M\xFCller");
    QTest::newRow("windows block") << QStringLiteral("€5 – “ok” ™ Ÿ")
                                   << QByteArray("\x80"
                                                 "5 \x96 \x93ok\x94 \x99 \x9F");
    QTest::newRow("unassigned control kept") << QString(QChar(0x8D)) << QByteArray("\x8D");
    QTest::newRow("other C1 control") << QString(QChar(0x80)) << QByteArray("?");
    QTest::newRow("no-break space") << QString(QChar(0x00A0)) << QByteArray("\xA0");
    QTest::newRow("narrow no-break space") << QStringLiteral("1\u202F234,50")
                                           << QByteArray("1\xA0"
                                                         "234,50");
    QTest::newRow("outside code page") << QStringLiteral("a中b") << QByteArray("a?b");
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone high surrogate")
        << (QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b")) << QByteArray("a?b");
    QTest::newRow("lone low surrogate")
        << (QStringLiteral("a") + QChar(0xDE00)) << QByteArray("a?");
    QTest::newRow("high surrogate at end") << QString(QChar(0xD83D)) << QByteArray("?");
    QTest::newRow("nul kept") << QString(QChar(0)) << QByteArray(1, '\0');
}

void TestCodepage::encodesCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    QCOMPARE(codepage::encode(text), bytes);
}

void TestCodepage::everyByteSurvivesDecodeAndEncode()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = codepage::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(codepage::encode(text), all);
}

void TestCodepage::decodesNothingFromNoBytes()
{
    QCOMPARE(codepage::decode(nullptr, 5), QString());
    QCOMPARE(codepage::decode("abc", -1), QString());
    QCOMPARE(codepage::decode("abc", 2), QStringLiteral("ab"));
}

QTEST_GUILESS_MAIN(TestCodepage)
#include "tst_codepage.moc"
