#include "core/money.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr qint64 MaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 MinUnits = std::numeric_limits<qint64>::min();

} // namespace

class tst_Money final : public QObject
{
    Q_OBJECT

private slots:
    void fromDoubleRoundsOnFifteenDigits_data();
    void fromDoubleRoundsOnFifteenDigits();
    void tryFromDoubleRefusesWhatDoesNotFit_data();
    void tryFromDoubleRefusesWhatDoesNotFit();
    void fromPlainTextIsExact_data();
    void fromPlainTextIsExact();
    void roundScaledToOtherPlaces_data();
    void roundScaledToOtherPlaces();
    void timesAndDividedByRoundBack_data();
    void timesAndDividedByRoundBack();
    void plainTextShowsFourDecimals_data();
    void plainTextShowsFourDecimals();
    void toDoubleIsTheNearestDouble();
    void sumsSaturateAndCheckedFormsRefuse_data();
    void sumsSaturateAndCheckedFormsRefuse();
};

void tst_Money::fromDoubleRoundsOnFifteenDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("units");

    QTest::newRow("eighth keeps four decimals") << 0.125 << qint64(1250);
    QTest::newRow("half unit tie to even zero") << 0.00005 << qint64(0);
    QTest::newRow("one and a half units tie to even two") << 0.00015 << qint64(2);
    QTest::newRow("two and a half units tie to even two") << 0.00025 << qint64(2);
    QTest::newRow("three and a half units tie to even four") << 0.00035 << qint64(4);
    QTest::newRow("quarter unit down") << 2.5e-5 << qint64(0);
    QTest::newRow("three quarter unit up") << 7.5e-5 << qint64(1);
    QTest::newRow("negative tie to even") << -0.00015 << qint64(-2);
    QTest::newRow("negative half unit to zero") << -0.00005 << qint64(0);
    QTest::newRow("whole part even tie") << 1.00005 << qint64(10000);
    QTest::newRow("whole part odd tie") << 1.00015 << qint64(10002);
    QTest::newRow("tie carries into units") << 0.99995 << qint64(10000);
    QTest::newRow("tie stays below") << 0.99985 << qint64(9998);
    QTest::newRow("binary error hidden by 15 digits") << 0.1 + 0.2 << qint64(3000);
    QTest::newRow("2.675 is 2.6750") << 2.675 << qint64(26750);
    QTest::newRow("above the tie rounds up") << 0.000150001 << qint64(2);
    QTest::newRow("many decimals") << 1.23456789 << qint64(12346);
    QTest::newRow("15th digit decides the tie") << 123456789.12345 << qint64(1234567891234);
    QTest::newRow("15 digits drop the rest") << 1234567890.123456 << qint64(12345678901235);
    QTest::newRow("negative zero") << -0.0 << qint64(0);
    QTest::newRow("900 trillion") << 900000000000000.0 << qint64(9000000000000000000);
    QTest::newRow("largest 15-digit whole") << 922337203685477.0 << qint64(9223372036854770000);
    QTest::newRow("negative large") << -922337203685477.0 << qint64(-9223372036854770000);
    QTest::newRow("beyond range saturates high") << 1e15 << MaxUnits;
    QTest::newRow("beyond range saturates low") << -1e15 << MinUnits;
    QTest::newRow("far beyond range") << 1e300 << MaxUnits;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << MaxUnits;
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << MinUnits;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
    QTest::newRow("tiny") << 1e-300 << qint64(0);
}

void tst_Money::fromDoubleRoundsOnFifteenDigits()
{
    QFETCH(double, value);
    QFETCH(qint64, units);
    QCOMPARE(Money::fromDouble(value).units(), units);
}

void tst_Money::tryFromDoubleRefusesWhatDoesNotFit_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("units");

    QTest::newRow("ordinary") << 12.5 << true << qint64(125000);
    QTest::newRow("tie") << 0.00015 << true << qint64(2);
    QTest::newRow("largest 15-digit whole")
        << 922337203685477.0 << true << qint64(9223372036854770000);
    QTest::newRow("beyond range") << 1e16 << false << qint64(0);
    QTest::newRow("rounds beyond range") << 922337203685477.9 << false << qint64(0);
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << qint64(0);
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << qint64(0);
}

void tst_Money::tryFromDoubleRefusesWhatDoesNotFit()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(qint64, units);
    const auto money = Money::tryFromDouble(value);
    QCOMPARE(money.has_value(), fits);
    if (fits)
        QCOMPARE(money->units(), units);
}

void tst_Money::fromPlainTextIsExact_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");

    QTest::newRow("whole") << "12" << true << qint64(120000);
    QTest::newRow("decimal") << "12.5" << true << qint64(125000);
    QTest::newRow("leading point") << ".5" << true << qint64(5000);
    QTest::newRow("trailing point") << "5." << true << qint64(50000);
    QTest::newRow("plus sign") << "+3" << true << qint64(30000);
    QTest::newRow("negative") << "-1234.5678" << true << qint64(-12345678);
    QTest::newRow("surrounding blanks") << "  7.25 " << true << qint64(72500);
    QTest::newRow("half unit tie to even") << "0.00005" << true << qint64(0);
    QTest::newRow("odd tie up") << "0.00015" << true << qint64(2);
    QTest::newRow("just above the tie") << "0.000050000000000000000001" << true << qint64(1);
    QTest::newRow("just below the tie") << "0.000049999999999999999999" << true << qint64(0);
    QTest::newRow("negative odd tie") << "-0.00035" << true << qint64(-4);
    QTest::newRow("exponent") << "1e3" << true << qint64(10000000);
    QTest::newRow("negative exponent tie") << "2.5E-4" << true << qint64(2);
    QTest::newRow("D exponent") << "1.5d2" << true << qint64(1500000);
    QTest::newRow("exponent with plus") << "3e+0" << true << qint64(30000);
    QTest::newRow("many leading zeros")
        << "0000000000000000000000000001.0000000000" << true << qint64(10000);
    QTest::newRow("largest") << "922337203685477.5807" << true << MaxUnits;
    QTest::newRow("smallest") << "-922337203685477.5808" << true << MinUnits;
    QTest::newRow("one past largest") << "922337203685477.5808" << false << qint64(0);
    QTest::newRow("rounds past largest") << "922337203685477.58075" << false << qint64(0);
    QTest::newRow("one past smallest") << "-922337203685477.5809" << false << qint64(0);
    QTest::newRow("twenty digits") << "12345678901234567890" << false << qint64(0);
    QTest::newRow("huge exponent") << "1e999999999999999999999" << false << qint64(0);
    QTest::newRow("tiny exponent") << "1e-999999999999999999999" << true << qint64(0);
    QTest::newRow("zero with huge exponent") << "0e999999999" << true << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("point only") << "." << false << qint64(0);
    QTest::newRow("sign only") << "-" << false << qint64(0);
    QTest::newRow("two points") << "1.2.3" << false << qint64(0);
    QTest::newRow("letters") << "abc" << false << qint64(0);
    QTest::newRow("trailing junk") << "12x" << false << qint64(0);
    QTest::newRow("exponent without digits") << "1e" << false << qint64(0);
    QTest::newRow("exponent sign only") << "1e-" << false << qint64(0);
    QTest::newRow("grouping is not plain") << "1,234" << false << qint64(0);
    QTest::newRow("two signs") << "--1" << false << qint64(0);
}

void tst_Money::fromPlainTextIsExact()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, units);
    const auto money = Money::fromPlainText(text);
    QCOMPARE(money.has_value(), valid);
    if (valid)
        QCOMPARE(money->units(), units);
}

void tst_Money::roundScaledToOtherPlaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("value");

    QTest::newRow("whole tie to even down") << "2.5" << 0 << true << qint64(2);
    QTest::newRow("whole tie to even up") << "3.5" << 0 << true << qint64(4);
    QTest::newRow("negative whole tie") << "-2.5" << 0 << true << qint64(-2);
    QTest::newRow("below half") << "0.4999999999999999999999" << 0 << true << qint64(0);
    QTest::newRow("half") << "0.5" << 0 << true << qint64(0);
    QTest::newRow("past 2^53 exactly")
        << "9007199254740993" << 0 << true << qint64(9007199254740993);
    QTest::newRow("largest 64-bit") << "9223372036854775807" << 0 << true << MaxUnits;
    QTest::newRow("tie rounds past 64 bits") << "9223372036854775807.5" << 0 << false << qint64(0);
    QTest::newRow("smallest 64-bit") << "-9223372036854775808" << 0 << true << MinUnits;
    QTest::newRow("two decimals") << "2.675" << 2 << true << qint64(268);
    QTest::newRow("two decimals even") << "2.665" << 2 << true << qint64(266);
}

void tst_Money::roundScaledToOtherPlaces()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(bool, valid);
    QFETCH(qint64, value);
    const std::string latin = text.toStdString();
    const auto result = decimaltext::roundScaled(latin, decimals);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void tst_Money::timesAndDividedByRoundBack_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<double>("factor");
    QTest::addColumn<bool>("divide");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("rate eighth") << qint64(10000) << 0.125 << false << qint64(1250);
    QTest::newRow("tax rate") << qint64(100000) << 0.0725 << false << qint64(7250);
    QTest::newRow("product lands on odd tie") << qint64(3) << 0.5 << false << qint64(2);
    QTest::newRow("product lands on even tie") << qint64(1) << 0.5 << false << qint64(0);
    QTest::newRow("negative product") << qint64(-3) << 0.5 << false << qint64(-2);
    QTest::newRow("quantity times price") << qint64(19999) << 3.0 << false << qint64(59997);
    QTest::newRow("product saturates") << MaxUnits << 2.0 << false << MaxUnits;
    QTest::newRow("product saturates negative") << MaxUnits << -2.0 << false << MinUnits;
    QTest::newRow("third") << qint64(10000) << 3.0 << true << qint64(3333);
    QTest::newRow("quotient tie") << qint64(3) << 2.0 << true << qint64(2);
    QTest::newRow("divide by zero gives zero") << qint64(10000) << 0.0 << true << qint64(0);
    QTest::newRow("divide by NaN gives zero")
        << qint64(10000) << std::numeric_limits<double>::quiet_NaN() << true << qint64(0);
}

void tst_Money::timesAndDividedByRoundBack()
{
    QFETCH(qint64, units);
    QFETCH(double, factor);
    QFETCH(bool, divide);
    QFETCH(qint64, expected);
    const Money amount = Money::fromUnits(units);
    const Money result = divide ? amount.dividedBy(factor) : amount.times(factor);
    QCOMPARE(result.units(), expected);
}

void tst_Money::plainTextShowsFourDecimals_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << qint64(0) << "0.0000";
    QTest::newRow("one unit") << qint64(1) << "0.0001";
    QTest::newRow("negative") << qint64(-125000) << "-12.5000";
    QTest::newRow("largest") << MaxUnits << "922337203685477.5807";
    QTest::newRow("smallest") << MinUnits << "-922337203685477.5808";
}

void tst_Money::plainTextShowsFourDecimals()
{
    QFETCH(qint64, units);
    QFETCH(QString, text);
    QCOMPARE(Money::fromUnits(units).toPlainText(), text);
    QCOMPARE(Money::fromPlainText(text)->units(), units);
}

void tst_Money::toDoubleIsTheNearestDouble()
{
    QCOMPARE(Money::fromUnits(1).toDouble(), 0.0001);
    QCOMPARE(Money::fromUnits(-26750).toDouble(), -2.675);
    QCOMPARE(Money::fromUnits(9000000000000000000).toDouble(), 900000000000000.0);
}

void tst_Money::sumsSaturateAndCheckedFormsRefuse_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("subtract");
    QTest::addColumn<qint64>("result");
    QTest::addColumn<bool>("fits");

    QTest::newRow("ordinary sum") << qint64(125000) << qint64(-5000) << false << qint64(120000) << true;
    QTest::newRow("sum reaches max") << MaxUnits - 1 << qint64(1) << false << MaxUnits << true;
    QTest::newRow("sum one past max") << MaxUnits << qint64(1) << false << MaxUnits << false;
    QTest::newRow("sum reaches min") << MinUnits + 1 << qint64(-1) << false << MinUnits << true;
    QTest::newRow("sum one past min") << MinUnits << qint64(-1) << false << MinUnits << false;
    QTest::newRow("ordinary difference") << qint64(5) << qint64(7) << true << qint64(-2) << true;
    QTest::newRow("difference past max") << MaxUnits << qint64(-1) << true << MaxUnits << false;
    QTest::newRow("difference reaches min") << MinUnits + 1 << qint64(1) << true << MinUnits << true;
    QTest::newRow("difference past min") << qint64(-2) << MaxUnits << true << MinUnits << false;
    QTest::newRow("zero minus min") << qint64(0) << MinUnits << true << MaxUnits << false;
}

void tst_Money::sumsSaturateAndCheckedFormsRefuse()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, subtract);
    QFETCH(qint64, result);
    QFETCH(bool, fits);
    const Money x = Money::fromUnits(a);
    const Money y = Money::fromUnits(b);
    const std::optional<Money> checked = subtract ? x.minus(y) : x.plus(y);
    QCOMPARE(checked.has_value(), fits);
    QCOMPARE((subtract ? x - y : x + y).units(), result);
    Money accumulated = x;
    if (subtract)
        accumulated -= y;
    else
        accumulated += y;
    QCOMPARE(accumulated.units(), result);
    if (subtract && a == 0)
        QCOMPARE((-y).units(), result);
}

QTEST_GUILESS_MAIN(tst_Money)
#include "tst_money.moc"
