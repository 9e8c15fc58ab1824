#include "core/fixedrecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

constexpr int kCustomerLength = 328;

void putText(QByteArray &record, int offset, int width, const QByteArray &text)
{
    QByteArray field = text.left(width);
    field.append(QByteArray(width - field.size(), ' '));
    record.replace(offset, width, field);
}

// A customer record laid out by hand: text fields by offset and width, the two
// 16-bit words at the end.
QByteArray customerFixture()
{
    QByteArray record(kCustomerLength, '\0');
    putText(record, 0, 20, "AC-1001");
    putText(record, 20, 45, "Caf\xE9 Ltd");
    putText(record, 65, 35, "12 Main St, Apt 4");
    putText(record, 100, 25, "");
    putText(record, 125, 25, "Springfield");
    putText(record, 150, 20, "Springfield");
    putText(record, 170, 2, "IL");
    putText(record, 172, 10, "62701");
    putText(record, 182, 25, "62701");
    putText(record, 207, 13, "(217)555-0100");
    putText(record, 220, 13, "");
    putText(record, 233, 30, "ap@cafe.example");
    putText(record, 263, 10, "Mr.");
    putText(record, 273, 15, "John");
    putText(record, 288, 1, "Q");
    putText(record, 289, 25, "Smith");
    putText(record, 314, 10, "Business");
    record[324] = char(0xFE); // -2
    record[325] = char(0xFF);
    record[326] = char(0xFF); // 32767
    record[327] = char(0x7F);
    return record;
}

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

class TestFixedRecord : public QObject
{
    Q_OBJECT

private slots:
    void readsTheFieldsOfACustomerRecord();
    void writesTheFieldsOfACustomerRecord();
    void padsAndCutsText_data();
    void padsAndCutsText();
    void trimsTextWhenRead_data();
    void trimsTextWhenRead();
    void recordCutShortReadsAsBlanksAndZeros();
    void fieldsOutsideTheRecordAreSafe();
    void writesNumbersLittleEndian_data();
    void writesNumbersLittleEndian();
    void writesDates_data();
    void writesDates();
    void readsSerialDates_data();
    void readsSerialDates();
    void invalidDateWritesZero();
    void keepsTimeToTheMillisecond();

    void countsRecordsRoundingTiesToEven_data();
    void countsRecordsRoundingTiesToEven();
    void opensAndCreatesTheFile();
    void writesRecordsAtTheirPlace();
    void readsRecordsCutShortOrBeyondTheEnd();
    void refusesRecordNumbersBelowOne();
    void writesRecordsOfTheFileLength();
    void readOnlyFileReadsButRefusesWrites();

private:
    QTemporaryDir m_dir;
};

void TestFixedRecord::readsTheFieldsOfACustomerRecord()
{
    const FixedRecord record(kCustomerLength, customerFixture());
    QCOMPARE(record.length(), kCustomerLength);
    QCOMPARE(record.text(0, 20), QStringLiteral("AC-1001"));
    QCOMPARE(record.text(20, 45), QStringLiteral("Café Ltd"));
    QCOMPARE(record.text(65, 35), QStringLiteral("12 Main St, Apt 4"));
    QCOMPARE(record.text(100, 25), QString());
    QCOMPARE(record.text(170, 2), QStringLiteral("IL"));
    QCOMPARE(record.text(207, 13), QStringLiteral("(217)555-0100"));
    QCOMPARE(record.text(288, 1), QStringLiteral("Q"));
    QCOMPARE(record.text(314, 10), QStringLiteral("Business"));
    QCOMPARE(record.rawText(0, 20), QStringLiteral("AC-1001             "));
    QCOMPARE(record.int16(324), qint16(-2));
    QCOMPARE(record.int16(326), qint16(32767));
}

void TestFixedRecord::writesTheFieldsOfACustomerRecord()
{
    FixedRecord record(kCustomerLength);
    record.setText(0, 20, QStringLiteral("AC-1001"));
    record.setText(20, 45, QStringLiteral("Café Ltd"));
    record.setText(65, 35, QStringLiteral("12 Main St, Apt 4"));
    record.setText(100, 25, QString());
    record.setText(125, 25, QStringLiteral("Springfield"));
    record.setText(150, 20, QStringLiteral("Springfield"));
    record.setText(170, 2, QStringLiteral("IL"));
    record.setText(172, 10, QStringLiteral("62701"));
    record.setText(182, 25, QStringLiteral("62701"));
    record.setText(207, 13, QStringLiteral("(217)555-0100"));
    record.setText(220, 13, QString());
    record.setText(233, 30, QStringLiteral("ap@cafe.example"));
    record.setText(263, 10, QStringLiteral("Mr."));
    record.setText(273, 15, QStringLiteral("John"));
    record.setText(288, 1, QStringLiteral("Q"));
    record.setText(289, 25, QStringLiteral("Smith"));
    record.setText(314, 10, QStringLiteral("Business"));
    record.setInt16(324, -2);
    record.setInt16(326, 32767);

    QCOMPARE(record.bytes(), customerFixture());
}

void TestFixedRecord::padsAndCutsText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("padded with blanks") << QStringLiteral("AB") << QByteArray("AB    ");
    QTest::newRow("exact width") << QStringLiteral("ABCDEF") << QByteArray("ABCDEF");
    QTest::newRow("cut at width") << QStringLiteral("ABCDEFGHIJ") << QByteArray("ABCDEF");
    QTest::newRow("empty") << QString() << QByteArray("      ");
    QTest::newRow("one byte a character") << QStringLiteral("Café€x") << QByteArray("Caf\xE9\x80x");
    QTest::newRow("surrogate pair is one byte")
        << QStringLiteral("a\U0001F600bcdefg") << QByteArray("a?bcde");
    QTest::newRow("leading blanks kept") << QStringLiteral("  x") << QByteArray("  x   ");
}

void TestFixedRecord::padsAndCutsText()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, field);

    // Neighbouring bytes must stay as they are.
    FixedRecord record(10, QByteArray(10, '*'));
    record.setText(2, 6, value);
    QCOMPARE(record.bytes(), "**" + field + "**");
}

void TestFixedRecord::trimsTextWhenRead_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("padding blanks") << QByteArray("AB    ") << QStringLiteral("AB");
    QTest::newRow("leading blanks") << QByteArray("  AB  ") << QStringLiteral("AB");
    QTest::newRow("inner blanks kept") << QByteArray(" A  B ") << QStringLiteral("A  B");
    QTest::newRow("zeros of missing bytes") << QByteArray("AB\0\0\0\0", 6) << QStringLiteral("AB");
    QTest::newRow("all zeros") << QByteArray(6, '\0') << QString();
    QTest::newRow("all blanks") << QByteArray(6, ' ') << QString();
    QTest::newRow("tab is not padding") << QByteArray("\tAB  \t") << QStringLiteral("\tAB  \t");
    QTest::newRow("windows-1252") << QByteArray("\x93"
                                                "ok\x94  ")
                                  << QStringLiteral("“ok”");
}

void TestFixedRecord::trimsTextWhenRead()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);

    const FixedRecord record(10, "xx" + field + "yy");
    QCOMPARE(record.text(2, 6), text);
}

void TestFixedRecord::recordCutShortReadsAsBlanksAndZeros()
{
    const FixedRecord record(kCustomerLength, customerFixture().left(100));
    QCOMPARE(record.length(), kCustomerLength);
    QCOMPARE(record.bytes(), customerFixture().left(100) + QByteArray(228, '\0'));
    QCOMPARE(record.text(0, 20), QStringLiteral("AC-1001"));
    QCOMPARE(record.text(65, 35), QStringLiteral("12 Main St, Apt 4"));
    QCOMPARE(record.text(100, 25), QString());
    QCOMPARE(record.int16(324), qint16(0));

    // Longer bytes are cut to the length.
    const FixedRecord longer(4, QByteArray("abcdef"));
    QCOMPARE(longer.bytes(), QByteArray("abcd"));
}

void TestFixedRecord::fieldsOutsideTheRecordAreSafe()
{
    FixedRecord record(6, QByteArray("abcdef"));
    QCOMPARE(record.text(4, 5), QStringLiteral("ef"));
    QCOMPARE(record.rawText(4, 5), QStringLiteral("ef   "));
    QCOMPARE(record.text(100, 20), QString());
    QCOMPARE(record.text(-2, 4), QStringLiteral("ab"));
    QCOMPARE(record.text(0, 0), QString());
    QCOMPARE(record.text(0, -5), QString());
    QCOMPARE(record.int32(100), qint32(0));
    QCOMPARE(record.float64(std::numeric_limits<int>::max() - 2), 0.0);
    QCOMPARE(record.money(-100).units(), qint64(0));
    QCOMPARE(record.int16(5), qint16('f'));

    // Writes keep to the record: only the part inside is written.
    record.setInt32(4, 0x11223344);
    QCOMPARE(record.bytes(), QByteArray("abcd\x44\x33"));
    QCOMPARE(record.int32(4), qint32(0x3344));
    record.setText(3, 10, QStringLiteral("XYZW"));
    QCOMPARE(record.bytes(), QByteArray("abcXYZ"));
    record.setText(-2, 4, QStringLiteral("1234"));
    QCOMPARE(record.bytes(), QByteArray("34cXYZ"));
    record.setMoney(std::numeric_limits<int>::max() - 1, Money::fromUnits(-1));
    QCOMPARE(record.bytes(), QByteArray("34cXYZ"));

    FixedRecord empty(-5);
    QCOMPARE(empty.length(), 0);
    QCOMPARE(empty.text(0, 10), QString());
}

void TestFixedRecord::writesNumbersLittleEndian_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("int16 -2") << "int16" << -2.0 << bytesOf({0xFE, 0xFF});
    QTest::newRow("int16 largest") << "int16" << 32767.0 << bytesOf({0xFF, 0x7F});
    QTest::newRow("int16 smallest") << "int16" << -32768.0 << bytesOf({0x00, 0x80});
    QTest::newRow("int32 count") << "int32" << 258.0 << bytesOf({0x02, 0x01, 0x00, 0x00});
    QTest::newRow("int32 -123456") << "int32" << -123456.0 << bytesOf({0xC0, 0x1D, 0xFE, 0xFF});
    QTest::newRow("float64 1.5") << "float64" << 1.5 << bytesOf({0, 0, 0, 0, 0, 0, 0xF8, 0x3F});
    QTest::newRow("float64 -2") << "float64" << -2.0 << bytesOf({0, 0, 0, 0, 0, 0, 0, 0xC0});
    QTest::newRow("float32 1440") << "float32" << 1440.0 << bytesOf({0x00, 0x00, 0xB4, 0x44});
    // 12.5 is 125000 ten-thousandths, 0x0001E848.
    QTest::newRow("money 12.50") << "money" << 125000.0
                                 << bytesOf({0x48, 0xE8, 0x01, 0, 0, 0, 0, 0});
    QTest::newRow("money -0.0001")
        << "money" << -1.0 << bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    QTest::newRow("money 2^52 + 1")
        << "money" << 4503599627370497.0 << bytesOf({0x01, 0, 0, 0, 0, 0, 0x10, 0x00});
}

void TestFixedRecord::writesNumbersLittleEndian()
{
    QFETCH(QString, kind);
    QFETCH(double, value);
    QFETCH(QByteArray, bytes);

    const int offset = 3;
    const QByteArray filler(16, char(0xAA));
    FixedRecord record(16, filler);
    if (kind == u"int16")
        record.setInt16(offset, qint16(value));
    else if (kind == u"int32")
        record.setInt32(offset, qint32(value));
    else if (kind == u"float64")
        record.setFloat64(offset, value);
    else if (kind == u"float32")
        record.setFloat32(offset, float(value));
    else
        record.setMoney(offset, Money::fromUnits(qint64(value)));

    QByteArray expected = filler;
    expected.replace(offset, bytes.size(), bytes);
    QCOMPARE(record.bytes(), expected);

    const FixedRecord stored(16, expected);
    if (kind == u"int16")
        QCOMPARE(double(stored.int16(offset)), value);
    else if (kind == u"int32")
        QCOMPARE(double(stored.int32(offset)), value);
    else if (kind == u"float64")
        QCOMPARE(stored.float64(offset), value);
    else if (kind == u"float32")
        QCOMPARE(double(stored.float32(offset)), value);
    else
        QCOMPARE(stored.money(offset).units(), qint64(value));
}

void TestFixedRecord::writesDates_data()
{
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<double>("serial");
    QTest::addColumn<QByteArray>("bytes");

    // Days counted from 30 December 1899 by hand: 1900 (not a leap year) to 2025
    // is 126 years with 31 leap days, 46021 days, plus 2 for 1899 and 341 to
    // 8 December 2026.
    QTest::newRow("noon") << QDateTime(QDate(2026, 12, 8), QTime(12, 0)) << 46364.5
                          << bytesOf({0, 0, 0, 0, 0x90, 0xA3, 0xE6, 0x40});
    QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 8), QTime(0, 0)) << 46364.0
                              << bytesOf({0, 0, 0, 0, 0x80, 0xA3, 0xE6, 0x40});
    QTest::newRow("base day") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0
                              << bytesOf({0, 0, 0, 0, 0, 0, 0, 0});
    QTest::newRow("base day evening") << QDateTime(QDate(1899, 12, 30), QTime(18, 0)) << 0.75
                                      << bytesOf({0, 0, 0, 0, 0, 0, 0xE8, 0x3F});
    QTest::newRow("new year 2000") << QDateTime(QDate(2000, 1, 1), QTime(18, 0)) << 36526.75
                                   << bytesOf({0, 0, 0, 0, 0xD8, 0xD5, 0xE1, 0x40});
    QTest::newRow("after the false leap day") << QDateTime(QDate(1900, 3, 1), QTime(0, 0)) << 61.0
                                              << bytesOf({0, 0, 0, 0, 0, 0x80, 0x4E, 0x40});
    // Before the base day the fraction still counts forward within the day.
    QTest::newRow("day before, morning") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25
                                         << bytesOf({0, 0, 0, 0, 0, 0, 0xF4, 0xBF});
    QTest::newRow("first day") << QDateTime(QDate(100, 1, 1), QTime(0, 0)) << -657434.0
                               << bytesOf({0, 0, 0, 0, 0x34, 0x10, 0x24, 0xC1});
    QTest::newRow("last day") << QDateTime(QDate(9999, 12, 31), QTime(12, 0)) << 2958465.5
                              << bytesOf({0, 0, 0, 0xC0, 0x40, 0x92, 0x46, 0x41});
}

void TestFixedRecord::writesDates()
{
    QFETCH(QDateTime, value);
    QFETCH(double, serial);
    QFETCH(QByteArray, bytes);

    FixedRecord record(12, QByteArray(12, char(0xAA)));
    record.setDateTime(2, value);
    QByteArray expected(12, char(0xAA));
    expected.replace(2, 8, bytes);
    QCOMPARE(record.bytes(), expected);
    QCOMPARE(FixedRecord::toSerialDate(value), serial);
    QCOMPARE(FixedRecord::fromSerialDate(serial), value);
    QCOMPARE(record.dateTime(2), value);
    QCOMPARE(record.date(2), value.date());

    if (value.time() == QTime(0, 0)) {
        FixedRecord dateOnly(12, QByteArray(12, char(0xAA)));
        dateOnly.setDate(2, value.date());
        QCOMPARE(dateOnly.bytes(), expected);
    }
}

void TestFixedRecord::readsSerialDates_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<QDateTime>("value");

    QTest::newRow("half day either side of the base")
        << -0.5 << QDateTime(QDate(1899, 12, 30), QTime(12, 0));
    QTest::newRow("rounds up to the next midnight")
        << 0.9999999999 << QDateTime(QDate(1899, 12, 31), QTime(0, 0));
    QTest::newRow("rounds down to the earlier midnight")
        << -1.9999999999 << QDateTime(QDate(1899, 12, 28), QTime(0, 0));
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QDateTime();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QDateTime();
    QTest::newRow("beyond year 9999") << 2958466.0 << QDateTime();
    QTest::newRow("before year 100") << -657435.0 << QDateTime();
    QTest::newRow("huge") << 1e300 << QDateTime();
}

void TestFixedRecord::readsSerialDates()
{
    QFETCH(double, serial);
    QFETCH(QDateTime, value);

    FixedRecord record(8);
    record.setFloat64(0, serial);
    QCOMPARE(record.dateTime(0), value);
    QCOMPARE(record.dateTime(0).isValid(), value.isValid());
}

void TestFixedRecord::invalidDateWritesZero()
{
    FixedRecord record(16, QByteArray(16, char(0xAA)));
    record.setDateTime(0, QDateTime());
    record.setDate(8, QDate());
    QCOMPARE(record.bytes(), QByteArray(16, '\0'));
    QCOMPARE(record.date(0), QDate(1899, 12, 30));
}

void TestFixedRecord::keepsTimeToTheMillisecond()
{
    const QDateTime value(QDate(2026, 12, 8), QTime(23, 59, 59, 999));
    FixedRecord record(8);
    record.setDateTime(0, value);
    QCOMPARE(record.dateTime(0), value);
    const QDateTime early(QDate(1850, 6, 1), QTime(0, 0, 0, 1));
    record.setDateTime(0, early);
    QCOMPARE(record.dateTime(0), early);
}

void TestFixedRecord::countsRecordsRoundingTiesToEven_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("count");

    QTest::newRow("empty") << 0 << qint64(0);
    QTest::newRow("half a record, tie down to 0") << 164 << qint64(0);
    QTest::newRow("below half") << 163 << qint64(0);
    QTest::newRow("above half") << 165 << qint64(1);
    QTest::newRow("one") << 328 << qint64(1);
    QTest::newRow("a fifth more") << 400 << qint64(1);
    QTest::newRow("one and a half, tie up to 2") << 492 << qint64(2);
    QTest::newRow("two") << 656 << qint64(2);
    QTest::newRow("two and a half, tie down to 2") << 820 << qint64(2);
    QTest::newRow("three and a half, tie up to 4") << 1148 << qint64(4);
}

void TestFixedRecord::countsRecordsRoundingTiesToEven()
{
    QFETCH(int, size);
    QFETCH(qint64, count);

    const QString path = m_dir.filePath(QStringLiteral("count.txt"));
    QVERIFY(writeFile(path, QByteArray(size, 'x')));
    FixedRecordFile file(path, kCustomerLength);
    QCOMPARE(file.count(), count);
    QVERIFY(file.open());
    QCOMPARE(file.count(), count);
}

void TestFixedRecord::opensAndCreatesTheFile()
{
    const QString path = m_dir.filePath(QStringLiteral("created.txt"));
    FixedRecordFile file(path, 69);
    QCOMPARE(file.count(), qint64(0));
    QVERIFY(!QFile::exists(path));
    QVERIFY(file.open());
    QVERIFY(file.isOpen());
    QVERIFY(file.isWritable());
    QVERIFY(QFile::exists(path));
    QCOMPARE(file.count(), qint64(0));

    FixedRecordFile noFolder(m_dir.filePath(QStringLiteral("missing/x.txt")), 69);
    QVERIFY(!noFolder.open());
    QCOMPARE(noFolder.write(1, FixedRecord(69)), false);
    QCOMPARE(noFolder.read(1).bytes(), QByteArray(69, '\0'));
}

void TestFixedRecord::writesRecordsAtTheirPlace()
{
    const QString path = m_dir.filePath(QStringLiteral("customers.txt"));
    const QByteArray first = customerFixture();
    QByteArray third = customerFixture();
    putText(third, 0, 20, "AC-3003");
    QByteArray second = customerFixture();
    putText(second, 0, 20, "AC-2002");

    {
        FixedRecordFile file(path, kCustomerLength);
        QVERIFY(file.open());
        QVERIFY(file.append(FixedRecord(kCustomerLength, first)));
        // Record 3 of a one-record file: the gap is record 2, all zeros.
        QVERIFY(file.write(3, FixedRecord(kCustomerLength, third)));
        QCOMPARE(file.count(), qint64(3));
    }
    QCOMPARE(fileBytes(path), first + QByteArray(kCustomerLength, '\0') + third);

    {
        FixedRecordFile file(path, kCustomerLength);
        QVERIFY(file.open());
        QVERIFY(file.write(2, FixedRecord(kCustomerLength, second)));
        QCOMPARE(file.read(2).text(0, 20), QStringLiteral("AC-2002"));
        QVERIFY(file.append(FixedRecord(kCustomerLength, first)));
        QCOMPARE(file.count(), qint64(4));
    }
    QCOMPARE(fileBytes(path), first + second + third + first);
}

void TestFixedRecord::readsRecordsCutShortOrBeyondTheEnd()
{
    const QString path = m_dir.filePath(QStringLiteral("short.txt"));
    const QByteArray record = customerFixture();
    QVERIFY(writeFile(path, record + record.left(164)));

    FixedRecordFile file(path, kCustomerLength);
    QVERIFY(file.open());
    QCOMPARE(file.count(), qint64(2));
    QCOMPARE(file.read(1).bytes(), record);
    QCOMPARE(file.read(2).bytes(), record.left(164) + QByteArray(164, '\0'));
    QCOMPARE(file.read(2).text(0, 20), QStringLiteral("AC-1001"));
    QCOMPARE(file.read(3).bytes(), QByteArray(kCustomerLength, '\0'));
    QCOMPARE(file.read(1000000).bytes(), QByteArray(kCustomerLength, '\0'));
    QCOMPARE(file.read(std::numeric_limits<qint64>::max()).length(), kCustomerLength);
}

void TestFixedRecord::refusesRecordNumbersBelowOne()
{
    const QString path = m_dir.filePath(QStringLiteral("refuse.txt"));
    const QByteArray record = customerFixture();
    QVERIFY(writeFile(path, record));

    FixedRecordFile file(path, kCustomerLength);
    QVERIFY(file.open());
    QCOMPARE(file.write(0, FixedRecord(kCustomerLength)), false);
    QCOMPARE(file.write(-1, FixedRecord(kCustomerLength)), false);
    QCOMPARE(file.write(std::numeric_limits<qint64>::max(), FixedRecord(kCustomerLength)), false);
    QCOMPARE(file.read(0).bytes(), QByteArray(kCustomerLength, '\0'));
    QCOMPARE(file.read(-5).bytes(), QByteArray(kCustomerLength, '\0'));
    QCOMPARE(fileBytes(path), record);

    FixedRecordFile noLength(path, 0);
    QCOMPARE(noLength.count(), qint64(0));
    QCOMPARE(noLength.write(1, FixedRecord(0)), false);
    QCOMPARE(fileBytes(path), record);
}

void TestFixedRecord::writesRecordsOfTheFileLength()
{
    const QString path = m_dir.filePath(QStringLiteral("lengths.txt"));
    FixedRecordFile file(path, 8);
    QVERIFY(file.open());
    QVERIFY(file.write(1, FixedRecord(3, QByteArray("abc"))));
    QVERIFY(file.write(2, FixedRecord(12, QByteArray("0123456789AB"))));
    QCOMPARE(fileBytes(path), QByteArray("abc\0\0\0\0\0"
                                         "01234567",
                                         16));
}

void TestFixedRecord::readOnlyFileReadsButRefusesWrites()
{
    const QString path = m_dir.filePath(QStringLiteral("readonly.txt"));
    const QByteArray record = customerFixture();
    QVERIFY(writeFile(path, record));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    {
        QFile probe(path);
        if (probe.open(QIODevice::ReadWrite))
            QSKIP("This account may write to read-only files");
    }

    FixedRecordFile file(path, kCustomerLength);
    QVERIFY(file.open());
    QVERIFY(!file.isWritable());
    QCOMPARE(file.read(1).bytes(), record);
    QCOMPARE(file.write(1, FixedRecord(kCustomerLength)), false);
    QCOMPARE(file.append(FixedRecord(kCustomerLength)), false);
    QCOMPARE(fileBytes(path), record);
}

QTEST_GUILESS_MAIN(TestFixedRecord)
#include "tst_fixedrecord.moc"
