#include "core/textrecord.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Every field of the bytes, read as text until none is left.
QStringList allFields(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    QStringList fields;
    while (const auto f = reader.field())
        fields.append(*f);
    return fields;
}

} // namespace

class TestTextRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void writesDecimals_data();
    void writesDecimals();
    void writesSingles_data();
    void writesSingles();
    void decimalsIgnoreTheLocale();
    void decimalTextReadsBackExactly();
    void writesARecordOfEveryKind();
    void writesTextInWindows1252();
    void keepsTheRecordWhenTextHoldsAQuoteOrLineBreak_data();
    void keepsTheRecordWhenTextHoldsAQuoteOrLineBreak();
    void endsAnUnfinishedRecord();
    void writesPlainLinesInAMixedFile();

    void readsFields_data();
    void readsFields();
    void readsDecimals_data();
    void readsDecimals();
    void readsNumbers_data();
    void readsNumbers();
    void readsBooleans_data();
    void readsBooleans();
    void consumesAFieldOfTheWrongType();
    void readsNothingPastTheEnd();
    void atEndIgnoresTrailingBlankLines_data();
    void atEndIgnoresTrailingBlankLines();
    void readsLinesOfAMixedFile();
    void lineAfterACommaIsTheRestOfTheLine();
    void commaInTextSurvivesOnlyWhenQuoted();
    void readsBackWhatWasWritten();
    void randomBytesNeverCrash();
    void randomRecordsReadBack();
};

void TestTextRecord::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestTextRecord::writesDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("whole") << 6.0 << QByteArray("6");
    QTest::newRow("negative whole") << -3.0 << QByteArray("-3");
    QTest::newRow("half") << 0.5 << QByteArray(".5");
    QTest::newRow("negative quarter") << -0.25 << QByteArray("-.25");
    QTest::newRow("tenth") << 0.1 << QByteArray(".1");
    QTest::newRow("small") << 0.00001 << QByteArray(".00001");
    QTest::newRow("with fraction") << 12.5 << QByteArray("12.5");
    QTest::newRow("no grouping") << 1234567.89 << QByteArray("1234567.89");
    QTest::newRow("shortest exact") << 0.1 + 0.2 << QByteArray(".30000000000000004");
    QTest::newRow("large, no exponent") << 1e20 << QByteArray("100000000000000000000");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QByteArray("0");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QByteArray("0");
}

void TestTextRecord::writesDecimals()
{
    QFETCH(double, value);
    QFETCH(QByteArray, bytes);

    QCOMPARE(TextRecordWriter().decimal(value).bytes(), bytes + "\r\n");
}

void TestTextRecord::writesSingles_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("logo size") << 1440.0f << QByteArray("1440");
    QTest::newRow("tenth") << 0.1f << QByteArray(".1");
    QTest::newRow("fraction") << 1234.5f << QByteArray("1234.5");
    QTest::newRow("negative") << -0.75f << QByteArray("-.75");
}

void TestTextRecord::writesSingles()
{
    QFETCH(float, value);
    QFETCH(QByteArray, bytes);

    QCOMPARE(TextRecordWriter().single(value).bytes(), bytes + "\r\n");
}

void TestTextRecord::decimalsIgnoreTheLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray bytes = TextRecordWriter().decimal(1234.5).decimal(-0.5).bytes();
    TextRecordReader reader(bytes);
    const auto first = reader.decimal();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    QCOMPARE(bytes, QByteArray("1234.5,-.5\r\n"));
    QCOMPARE(first, std::optional<double>(1234.5));
}

void TestTextRecord::decimalTextReadsBackExactly()
{
    QRandomGenerator random(20261208);
    for (int i = 0; i < 5000; ++i) {
        // Random bit patterns cover every magnitude; non-finite ones are skipped.
        const quint64 bits = random.generate64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            continue;
        const QByteArray text = TextRecordWriter::formatDecimal(value);
        const auto back = TextRecordReader::parseDecimal(QString::fromLatin1(text));
        QVERIFY2(back.has_value(), text.constData());
        QCOMPARE(*back, value == 0 ? 0.0 : value);
        QVERIFY2(!text.contains('e') && !text.contains('E'), text.constData());
    }
}

void TestTextRecord::writesARecordOfEveryKind()
{
    TextRecordWriter writer;
    writer.text(QStringLiteral("Acme, Inc."))
        .text(QString())
        .number(42)
        .number(-7)
        .decimal(-0.25)
        .boolean(true)
        .boolean(false)
        .flag(true)
        .flag(false)
        .endRecord()
        .number(1)
        .endRecord();

    QCOMPARE(writer.bytes(),
             QByteArray("\"Acme, Inc.\",\"\",42,-7,-.25,#TRUE#,#FALSE#,-1,0\r\n1\r\n"));
    QCOMPARE(writer.altered(), false);
}

void TestTextRecord::writesTextInWindows1252()
{
    const QByteArray bytes = TextRecordWriter().text(QStringLiteral("Café €5 中")).bytes();
    QCOMPARE(bytes, QByteArray("\"Caf\xE9 \x80"
                               "5 ?\"\r\n"));
}

void TestTextRecord::keepsTheRecordWhenTextHoldsAQuoteOrLineBreak_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("quote") << QStringLiteral("12\" pipe") << QByteArray("\"12' pipe\",5\r\n")
                           << QStringLiteral("12' pipe");
    QTest::newRow("CR LF") << QStringLiteral("line 1\r\nline 2")
                           << QByteArray("\"line 1 line 2\",5\r\n")
                           << QStringLiteral("line 1 line 2");
    QTest::newRow("LF") << QStringLiteral("a\nb") << QByteArray("\"a b\",5\r\n")
                        << QStringLiteral("a b");
    QTest::newRow("CR") << QStringLiteral("a\rb") << QByteArray("\"a b\",5\r\n")
                        << QStringLiteral("a b");
}

void TestTextRecord::keepsTheRecordWhenTextHoldsAQuoteOrLineBreak()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);

    TextRecordWriter writer;
    writer.text(value).number(5);
    QCOMPARE(writer.bytes(), bytes);
    QCOMPARE(writer.altered(), true);

    // The field after it is still where it belongs.
    TextRecordReader reader(writer.bytes());
    QCOMPARE(reader.text(), std::optional<QString>(readBack));
    QCOMPARE(reader.number(), std::optional<qint64>(5));
    QVERIFY(reader.atEnd());
}

void TestTextRecord::endsAnUnfinishedRecord()
{
    TextRecordWriter writer;
    QCOMPARE(writer.bytes(), QByteArray());
    writer.text(QStringLiteral("a"));
    QCOMPARE(writer.bytes(), QByteArray("\"a\"\r\n"));
    // bytes() does not end the record for the writer itself.
    writer.number(2);
    QCOMPARE(writer.bytes(), QByteArray("\"a\",2\r\n"));
}

void TestTextRecord::writesPlainLinesInAMixedFile()
{
    TextRecordWriter writer;
    writer.line(QStringLiteral("INV-1, plain"))
        .text(QStringLiteral("Sold, to"))
        .line(QStringLiteral("two\r\nlines"))
        .line(QStringLiteral("grid\ncell"))
        .line(QString())
        .number(3);

    QCOMPARE(
        writer.bytes(),
        QByteArray("INV-1, plain\r\n\"Sold, to\"\r\ntwo\r\nlines\r\ngrid\r\ncell\r\n\r\n3\r\n"));
}

void TestTextRecord::readsFields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("quoted keeps commas")
        << QByteArray("\"Acme, Inc.\",42\r\n") << QStringList{"Acme, Inc.", "42"};
    QTest::newRow("quoted keeps blanks") << QByteArray("  \"  x  \" \r\n") << QStringList{"  x  "};
    QTest::newRow("unquoted is trimmed")
        << QByteArray("  a b  ,\tc\t\r\n") << QStringList{"a b", "c"};
    QTest::newRow("one field a line")
        << QByteArray("\"x\"\r\n\"y\"\r\n3\r\n") << QStringList{"x", "y", "3"};
    QTest::newRow("LF line ends") << QByteArray("a,b\nc\n") << QStringList{"a", "b", "c"};
    QTest::newRow("last line without line end")
        << QByteArray("a\r\nb,c") << QStringList{"a", "b", "c"};
    QTest::newRow("CR at the very end") << QByteArray("a\r") << QStringList{"a"};
    QTest::newRow("missing closing quote runs to line end")
        << QByteArray("\"abc,def\r\nnext") << QStringList{"abc,def", "next"};
    QTest::newRow("missing closing quote at end of data")
        << QByteArray("x,\"abc") << QStringList{"x", "abc"};
    QTest::newRow("text after closing quote skipped")
        << QByteArray("\"abc\"xyz,def\r\n\"g\" h\r\ni") << QStringList{"abc", "def", "g", "i"};
    QTest::newRow("empty fields") << QByteArray("a,,b\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("empty quoted") << QByteArray("\"\",\"\"\r\n") << QStringList{"", ""};
    QTest::newRow("comma before line end") << QByteArray("a,\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("comma at end of data") << QByteArray("a,") << QStringList{"a", ""};
    QTest::newRow("comma and blanks at end of data") << QByteArray("a,  ") << QStringList{"a", ""};
    QTest::newRow("blank line is an empty field")
        << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("line of blanks is an empty field")
        << QByteArray("a\r\n   \r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("blank lines at the end hold no field")
        << QByteArray("a\r\n\r\n  \r\n\n") << QStringList{"a"};
    QTest::newRow("nothing") << QByteArray() << QStringList{};
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << QStringList{};
    QTest::newRow("lone quote") << QByteArray("\"") << QStringList{""};
    QTest::newRow("quote inside unquoted") << QByteArray("ab\"c,d") << QStringList{"ab\"c", "d"};
    QTest::newRow("windows-1252") << QByteArray("\"Caf\xE9 \x80\",\x93x\x94")
                                  << QStringList{"Café €", "“x”"};
    QTest::newRow("nul bytes are data")
        << QByteArray("a\0b,c", 5) << QStringList{QString::fromUtf8("a\0b", 3), "c"};
    QTest::newRow("lone CR inside a line is data")
        << QByteArray("a\rb,c\r\n") << QStringList{"a\rb", "c"};
}

void TestTextRecord::readsFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);

    QCOMPARE(allFields(bytes), fields);
}

void TestTextRecord::readsDecimals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("decimal") << QByteArray("12.5") << true << 12.5;
    QTest::newRow("no leading zero") << QByteArray("-.25") << true << -0.25;
    QTest::newRow("leading zero") << QByteArray("0.5") << true << 0.5;
    QTest::newRow("trailing point") << QByteArray("5.") << true << 5.0;
    QTest::newRow("plus sign") << QByteArray("+3") << true << 3.0;
    QTest::newRow("exponent") << QByteArray("1E+20") << true << 1e20;
    QTest::newRow("small exponent") << QByteArray("2.5e-3") << true << 0.0025;
    QTest::newRow("blanks around") << QByteArray("  7  ") << true << 7.0;
    QTest::newRow("quoted") << QByteArray("\"12.5\"") << true << 12.5;
    QTest::newRow("quoted with blanks") << QByteArray("\" 4 \"") << true << 4.0;
    QTest::newRow("ends at comma") << QByteArray("1,5") << true << 1.0;
    QTest::newRow("currency text") << QByteArray("\"$12.50\"") << false << 0.0;
    QTest::newRow("grouping") << QByteArray("\"1,234.50\"") << false << 0.0;
    QTest::newRow("word") << QByteArray("abc") << false << 0.0;
    QTest::newRow("empty") << QByteArray("\"\"") << false << 0.0;
    QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0.0;
    QTest::newRow("point only") << QByteArray(".") << false << 0.0;
    QTest::newRow("exponent only") << QByteArray("e5") << false << 0.0;
    QTest::newRow("exponent without digits") << QByteArray("1e") << false << 0.0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0.0;
    QTest::newRow("infinity word") << QByteArray("inf") << false << 0.0;
    QTest::newRow("nan word") << QByteArray("nan") << false << 0.0;
    QTest::newRow("too large") << QByteArray("1e400") << false << 0.0;
    QTest::newRow("boolean") << QByteArray("#TRUE#") << false << 0.0;
}

void TestTextRecord::readsDecimals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    TextRecordReader reader(bytes);
    const auto read = reader.decimal();
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*read, value);
}

void TestTextRecord::readsNumbers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<qint64>("value");

    QTest::newRow("whole") << QByteArray("42") << true << qint64(42);
    QTest::newRow("negative") << QByteArray("-7") << true << qint64(-7);
    QTest::newRow("flag") << QByteArray("-1") << true << qint64(-1);
    QTest::newRow("quoted") << QByteArray("\"15\"") << true << qint64(15);
    QTest::newRow("half rounds to even down") << QByteArray("2.5") << true << qint64(2);
    QTest::newRow("half rounds to even up") << QByteArray("3.5") << true << qint64(4);
    QTest::newRow("negative half") << QByteArray("-2.5") << true << qint64(-2);
    QTest::newRow("above half") << QByteArray("2.51") << true << qint64(3);
    QTest::newRow("largest, exactly")
        << QByteArray("9223372036854775807") << true << std::numeric_limits<qint64>::max();
    QTest::newRow("beyond 64 bits") << QByteArray("9223372036854775808") << false << qint64(0);
    QTest::newRow("exponent beyond 64 bits") << QByteArray("1e19") << false << qint64(0);
    QTest::newRow("word") << QByteArray("abc") << false << qint64(0);
    QTest::newRow("empty") << QByteArray(",") << false << qint64(0);
}

void TestTextRecord::readsNumbers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isNumber);
    QFETCH(qint64, value);

    TextRecordReader reader(bytes);
    const auto read = reader.number();
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*read, value);
}

void TestTextRecord::readsBooleans_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isBoolean");
    QTest::addColumn<bool>("value");

    QTest::newRow("#TRUE#") << QByteArray("#TRUE#") << true << true;
    QTest::newRow("#FALSE#") << QByteArray("#FALSE#") << true << false;
    QTest::newRow("lower case") << QByteArray("#true#") << true << true;
    QTest::newRow("quoted #FALSE#") << QByteArray("\"#FALSE#\"") << true << false;
    QTest::newRow("quoted True") << QByteArray("\"True\"") << true << true;
    QTest::newRow("bare false") << QByteArray("false") << true << false;
    QTest::newRow("minus one") << QByteArray("-1") << true << true;
    QTest::newRow("one") << QByteArray("1") << true << true;
    QTest::newRow("zero") << QByteArray("0") << true << false;
    QTest::newRow("quoted zero") << QByteArray("\"0\"") << true << false;
    QTest::newRow("word") << QByteArray("yes") << false << false;
    QTest::newRow("empty") << QByteArray("\"\"") << false << false;
    QTest::newRow("half marked") << QByteArray("#TRUE") << false << false;
}

void TestTextRecord::readsBooleans()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isBoolean);
    QFETCH(bool, value);

    TextRecordReader reader(bytes);
    const auto read = reader.boolean();
    QCOMPARE(read.has_value(), isBoolean);
    if (isBoolean)
        QCOMPARE(*read, value);
}

void TestTextRecord::consumesAFieldOfTheWrongType()
{
    TextRecordReader reader(QByteArray("abc,5,\"x\",#TRUE#\r\n"));
    QCOMPARE(reader.decimal(), std::nullopt);
    QCOMPARE(reader.number(), std::optional<qint64>(5));
    QCOMPARE(reader.boolean(), std::nullopt);
    QCOMPARE(reader.number(), std::nullopt);
    QVERIFY(reader.atEnd());
}

void TestTextRecord::readsNothingPastTheEnd()
{
    TextRecordReader reader(QByteArray("1\r\n"));
    QCOMPARE(reader.number(), std::optional<qint64>(1));
    QVERIFY(reader.atEnd());
    QCOMPARE(reader.field(), std::nullopt);
    QCOMPARE(reader.decimal(), std::nullopt);
    QCOMPARE(reader.number(), std::nullopt);
    QCOMPARE(reader.boolean(), std::nullopt);
    QCOMPARE(reader.line(), std::nullopt);
}

void TestTextRecord::atEndIgnoresTrailingBlankLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("fieldsRead");
    QTest::addColumn<bool>("atEnd");

    QTest::newRow("empty") << QByteArray() << 0 << true;
    QTest::newRow("before the first field") << QByteArray("a") << 0 << false;
    QTest::newRow("after the last field") << QByteArray("a,b\r\n") << 2 << true;
    QTest::newRow("trailing blank lines") << QByteArray("a\r\n\r\n \r\n") << 1 << true;
    QTest::newRow("blank line before more") << QByteArray("a\r\n\r\nb") << 1 << false;
    QTest::newRow("after a comma") << QByteArray("a,") << 1 << false;
    QTest::newRow("after a comma and blanks") << QByteArray("a,  \r\n") << 1 << false;
}

void TestTextRecord::atEndIgnoresTrailingBlankLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, fieldsRead);
    QFETCH(bool, atEnd);

    TextRecordReader reader(bytes);
    for (int i = 0; i < fieldsRead; ++i)
        QVERIFY(reader.field().has_value());
    QCOMPARE(reader.atEnd(), atEnd);
    QCOMPARE(reader.field().has_value(), !atEnd);
}

void TestTextRecord::readsLinesOfAMixedFile()
{
    TextRecordReader reader(QByteArray("INV-7, plain\r\n\"Sold, to\"\r\n\r\n"
                                       "\"x\",2\r\n\r\n7\nlast line"));
    QCOMPARE(reader.line(), std::optional<QString>(QStringLiteral("INV-7, plain")));
    QCOMPARE(reader.text(), std::optional<QString>(QStringLiteral("Sold, to")));
    QCOMPARE(reader.lastFieldQuoted(), true);
    // An empty plain value read as a field keeps its place.
    QCOMPARE(reader.text(), std::optional<QString>(QString()));
    QCOMPARE(reader.lastFieldQuoted(), false);
    QCOMPARE(reader.text(), std::optional<QString>(QStringLiteral("x")));
    QCOMPARE(reader.number(), std::optional<qint64>(2));
    QCOMPARE(reader.line(), std::optional<QString>(QString()));
    QCOMPARE(reader.line(), std::optional<QString>(QStringLiteral("7")));
    QCOMPARE(reader.line(), std::optional<QString>(QStringLiteral("last line")));
    QCOMPARE(reader.line(), std::nullopt);
}

void TestTextRecord::lineAfterACommaIsTheRestOfTheLine()
{
    TextRecordReader reader(QByteArray("a,rest, of \"line\"\r\nnext\r\nb,"));
    QCOMPARE(reader.field(), std::optional<QString>(QStringLiteral("a")));
    QCOMPARE(reader.line(), std::optional<QString>(QStringLiteral("rest, of \"line\"")));
    QCOMPARE(reader.line(), std::optional<QString>(QStringLiteral("next")));
    QCOMPARE(reader.field(), std::optional<QString>(QStringLiteral("b")));
    // The comma promised one more (empty) value.
    QCOMPARE(reader.line(), std::optional<QString>(QString()));
    QCOMPARE(reader.line(), std::nullopt);
}

void TestTextRecord::commaInTextSurvivesOnlyWhenQuoted()
{
    const QString value = QStringLiteral("Smith, John");
    TextRecordWriter writer;
    writer.text(value).line(value);

    TextRecordReader reader(writer.bytes());
    QCOMPARE(reader.text(), std::optional<QString>(value));
    QCOMPARE(reader.text(), std::optional<QString>(QStringLiteral("Smith")));
    QCOMPARE(reader.text(), std::optional<QString>(QStringLiteral("John")));
    QVERIFY(reader.atEnd());
}

void TestTextRecord::readsBackWhatWasWritten()
{
    TextRecordWriter writer;
    writer.number(1)
        .number(0)
        .text(QStringLiteral("0.0"))
        .boolean(true)
        .boolean(false)
        .text(QStringLiteral("$1,234.50"))
        .endRecord();
    writer.decimal(-1234.0625).single(1440.5f).flag(true).endRecord();

    TextRecordReader reader(writer.bytes());
    QCOMPARE(reader.number(), std::optional<qint64>(1));
    QCOMPARE(reader.number(), std::optional<qint64>(0));
    QCOMPARE(reader.text(), std::optional<QString>(QStringLiteral("0.0")));
    QCOMPARE(reader.boolean(), std::optional<bool>(true));
    QCOMPARE(reader.boolean(), std::optional<bool>(false));
    QCOMPARE(reader.text(), std::optional<QString>(QStringLiteral("$1,234.50")));
    QCOMPARE(reader.decimal(), std::optional<double>(-1234.0625));
    QCOMPARE(reader.decimal(), std::optional<double>(1440.5));
    QCOMPARE(reader.boolean(), std::optional<bool>(true));
    QVERIFY(reader.atEnd());
}

void TestTextRecord::randomBytesNeverCrash()
{
    // Bytes drawn mostly from the characters that steer the reader.
    static const char alphabet[] = "\"\",,,\r\n\n\r  \t#TRUE#-.5e0\0\x80\xFF"
                                   "abc";
    QRandomGenerator random(1899);
    for (int round = 0; round < 4000; ++round) {
        const int size = random.bounded(0, 120);
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i) {
            bytes[i] = round % 4 == 0 ? char(random.bounded(256))
                                      : alphabet[random.bounded(int(sizeof alphabet - 1))];
        }
        const qsizetype separators = bytes.count(',') + bytes.count('\n') + bytes.count('\r');

        TextRecordReader reader(bytes);
        int reads = 0;
        while (!reader.atEnd()) {
            // Every read takes at least one field or line, so the end comes in time.
            QVERIFY2(++reads <= separators + 2, bytes.toHex().constData());
            std::optional<QString> text;
            switch (random.bounded(5)) {
            case 0:
                text = reader.field();
                QVERIFY(text.has_value());
                break;
            case 1:
                reader.decimal();
                break;
            case 2:
                reader.number();
                break;
            case 3:
                reader.boolean();
                break;
            default:
                text = reader.line();
                QVERIFY(text.has_value());
                break;
            }
            if (text)
                QVERIFY2(!text->contains(u'\n'), bytes.toHex().constData());
        }
        QCOMPARE(reader.field(), std::nullopt);
    }
}

void TestTextRecord::randomRecordsReadBack()
{
    // Characters of the code page, with the ones a record must survive.
    const QString alphabet = QStringLiteral("ab Z,.-#$()'é€“”\t");
    QRandomGenerator random(2026);
    for (int round = 0; round < 500; ++round) {
        TextRecordWriter writer;
        QStringList texts;
        QList<qint64> numbers;
        QList<double> decimals;
        QList<bool> booleans;
        const int records = random.bounded(1, 6);
        for (int r = 0; r < records; ++r) {
            QString text;
            const int length = random.bounded(0, 20);
            for (int i = 0; i < length; ++i)
                text.append(alphabet.at(random.bounded(int(alphabet.size()))));
            texts.append(text);
            numbers.append(qint64(random.generate64()));
            decimals.append(double(qint64(random.bounded(-1000000, 1000000))) / 64.0);
            booleans.append(random.bounded(2) == 1);
            writer.text(text).number(numbers.last()).decimal(decimals.last());
            writer.boolean(booleans.last()).flag(booleans.last()).endRecord();
        }

        TextRecordReader reader(writer.bytes());
        for (int r = 0; r < records; ++r) {
            QCOMPARE(reader.text(), std::optional<QString>(texts.at(r)));
            QCOMPARE(reader.number(), std::optional<qint64>(numbers.at(r)));
            QCOMPARE(reader.decimal(), std::optional<double>(decimals.at(r)));
            QCOMPARE(reader.boolean(), std::optional<bool>(booleans.at(r)));
            QCOMPARE(reader.boolean(), std::optional<bool>(booleans.at(r)));
        }
        QVERIFY(reader.atEnd());
    }
}

QTEST_GUILESS_MAIN(TestTextRecord)
#include "tst_textrecord.moc"
