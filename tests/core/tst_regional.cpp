#include "core/regional.h"

#include <cmath>
#include <limits>

#include <QLocale>
#include <QTest>

#include "core/bytereaders.h"

namespace {

constexpr qint64 MaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 MinUnits = std::numeric_limits<qint64>::min();

const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);

// Switches the default locale for one test and puts the previous one back, also
// when a comparison fails half-way.
class LocaleScope final
{
public:
    explicit LocaleScope(const QLocale &locale) : m_saved(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(m_saved); }
    Q_DISABLE_COPY_MOVE(LocaleScope)

private:
    QLocale m_saved;
};

} // namespace

class tst_Regional final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void currencyTextRoundsAwayFromZero_data();
    void currencyTextRoundsAwayFromZero();
    void parseMoneyReadsCurrencyText_data();
    void parseMoneyReadsCurrencyText();
    void numericAcceptsWhatTheProgramWrites_data();
    void numericAcceptsWhatTheProgramWrites();
    void valuePrefixStopsAtTheFirstStranger_data();
    void valuePrefixStopsAtTheFirstStranger();
    void wholeNumberTiesToEven_data();
    void wholeNumberTiesToEven();
    void roundToEvenOfDoubles_data();
    void roundToEvenOfDoubles();
    void shortDateHasFourDigitYear_data();
    void shortDateHasFourDigitYear();
    void parseShortDateReadsTheLocaleFormat_data();
    void parseShortDateReadsTheLocaleFormat();

    void currencyTextInOtherLocales_data();
    void currencyTextInOtherLocales();
    void parseMoneyInOtherLocales_data();
    void parseMoneyInOtherLocales();
    void currencyTextReadsBackInEveryLocale_data();
    void currencyTextReadsBackInEveryLocale();
    void shortDateInOtherLocales_data();
    void shortDateInOtherLocales();
    void currencyTextFollowsTheDefaultLocale();
    void currencyReaderAgreesWithParseMoney_data();
    void currencyReaderAgreesWithParseMoney();
    void dateReaderAgreesWithParseShortDate_data();
    void dateReaderAgreesWithParseShortDate();
};

void tst_Regional::initTestCase()
{
    QLocale::setDefault(UnitedStates);
}

void tst_Regional::currencyTextRoundsAwayFromZero_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << qint64(0) << "$0.00";
    QTest::newRow("one dollar") << qint64(10000) << "$1.00";
    QTest::newRow("grouping") << qint64(12345000) << "$1,234.50";
    QTest::newRow("negative in parentheses") << qint64(-12345000) << "($1,234.50)";
    QTest::newRow("tie away from zero") << qint64(26750) << "$2.68";
    QTest::newRow("tie not to even") << qint64(26650) << "$2.67";
    QTest::newRow("negative tie") << qint64(-26750) << "($2.68)";
    QTest::newRow("below the tie") << qint64(26749) << "$2.67";
    QTest::newRow("half cent") << qint64(50) << "$0.01";
    QTest::newRow("negative half cent") << qint64(-50) << "($0.01)";
    QTest::newRow("under half a cent") << qint64(49) << "$0.00";
    QTest::newRow("negative under half a cent is zero") << qint64(-49) << "$0.00";
    QTest::newRow("ten cents") << qint64(999) << "$0.10";
    QTest::newRow("carry into the next group") << qint64(9999950) << "$1,000.00";
    QTest::newRow("millions") << qint64(1234567890000) << "$123,456,789.00";
    QTest::newRow("900 trillion and a half cent")
        << qint64(9000000000000000050) << "$900,000,000,000,000.01";
    QTest::newRow("900 trillion under half a cent")
        << qint64(9000000000000000049) << "$900,000,000,000,000.00";
    QTest::newRow("largest") << MaxUnits << "$922,337,203,685,477.58";
    QTest::newRow("smallest") << MinUnits << "($922,337,203,685,477.58)";
}

void tst_Regional::currencyTextRoundsAwayFromZero()
{
    QFETCH(qint64, units);
    QFETCH(QString, text);
    QCOMPARE(regional::currencyText(Money::fromUnits(units)), text);
}

void tst_Regional::parseMoneyReadsCurrencyText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");

    QTest::newRow("currency") << "$1,234.50" << true << qint64(12345000);
    QTest::newRow("parentheses") << "($1,234.50)" << true << qint64(-12345000);
    QTest::newRow("blanks inside parentheses") << "( $1,234.50 )" << true << qint64(-12345000);
    QTest::newRow("minus before symbol") << "-$1,234.50" << true << qint64(-12345000);
    QTest::newRow("minus after symbol") << "$-1,234.50" << true << qint64(-12345000);
    QTest::newRow("trailing minus") << "$1,234.50-" << true << qint64(-12345000);
    QTest::newRow("trailing minus no symbol") << "1,234.50-" << true << qint64(-12345000);
    QTest::newRow("plus") << "+$5" << true << qint64(50000);
    QTest::newRow("surrounding blanks") << "  $ 1,234.50  " << true << qint64(12345000);
    QTest::newRow("tab and line end") << "\t$7.00\r\n" << true << qint64(70000);
    QTest::newRow("plain whole") << "12" << true << qint64(120000);
    QTest::newRow("plain decimal") << "12.5" << true << qint64(125000);
    QTest::newRow("leading point") << ".5" << true << qint64(5000);
    QTest::newRow("trailing point") << "5." << true << qint64(50000);
    QTest::newRow("many groups") << "$1,234,567,890.12" << true << qint64(12345678901200);
    QTest::newRow("four decimals") << "1.2345" << true << qint64(12345);
    QTest::newRow("fifth decimal tie to even") << "0.00005" << true << qint64(0);
    QTest::newRow("fifth decimal odd tie") << "0.00015" << true << qint64(2);
    QTest::newRow("fifth decimal above half") << "1.23456" << true << qint64(12346);
    QTest::newRow("exponent") << "1e3" << true << qint64(10000000);
    QTest::newRow("hex") << "&H10" << true << qint64(160000);
    QTest::newRow("largest") << "$922,337,203,685,477.5807" << true << MaxUnits;
    QTest::newRow("smallest") << "($922,337,203,685,477.5808)" << true << MinUnits;
    QTest::newRow("beyond largest") << "$922,337,203,685,477.5808" << false << qint64(0);
    QTest::newRow("quadrillion") << "$1,000,000,000,000,000.00" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("blanks") << "   " << false << qint64(0);
    QTest::newRow("symbol only") << "$" << false << qint64(0);
    QTest::newRow("parentheses only") << "()" << false << qint64(0);
    QTest::newRow("words") << "abc" << false << qint64(0);
    QTest::newRow("two points") << "1.2.3" << false << qint64(0);
    QTest::newRow("short group") << "$1,23.00" << false << qint64(0);
    QTest::newRow("comma as decimal point") << "1,5" << false << qint64(0);
    QTest::newRow("four-digit group") << "1,2345" << false << qint64(0);
    QTest::newRow("leading group") << ",123" << false << qint64(0);
    QTest::newRow("doubled group") << "1,,234" << false << qint64(0);
    QTest::newRow("group after point") << "1.234,567" << false << qint64(0);
    QTest::newRow("unclosed parenthesis") << "($5" << false << qint64(0);
    QTest::newRow("unopened parenthesis") << "$5)" << false << qint64(0);
    QTest::newRow("sign inside parentheses") << "(-5)" << false << qint64(0);
    QTest::newRow("two signs") << "-5-" << false << qint64(0);
    QTest::newRow("two symbols") << "$$5" << false << qint64(0);
    QTest::newRow("blank between digits") << "5 5" << false << qint64(0);
    QTest::newRow("trailing letters") << "12abc" << false << qint64(0);
    QTest::newRow("other currency") << "\u20ac5" << false << qint64(0);
    QTest::newRow("percent") << "5%" << false << qint64(0);
}

void tst_Regional::parseMoneyReadsCurrencyText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, units);
    const auto money = regional::parseMoney(text);
    QCOMPARE(money.has_value(), valid);
    if (valid)
        QCOMPARE(money->units(), units);
}

void tst_Regional::numericAcceptsWhatTheProgramWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("whole") << "12" << true << 12.0;
    QTest::newRow("blanks around") << " 12 " << true << 12.0;
    QTest::newRow("tab and line ends") << "\t-3.5\r\n" << true << -3.5;
    QTest::newRow("currency") << "$1,234.50" << true << 1234.5;
    QTest::newRow("parentheses") << "($1,234.50)" << true << -1234.5;
    QTest::newRow("trailing minus") << "5-" << true << -5.0;
    QTest::newRow("leading plus") << "+5" << true << 5.0;
    QTest::newRow("trailing plus") << "5+" << true << 5.0;
    QTest::newRow("blank after sign") << "- 5" << true << -5.0;
    QTest::newRow("exponent") << "1e5" << true << 100000.0;
    QTest::newRow("negative exponent") << "1.5E-3" << true << 0.0015;
    QTest::newRow("D exponent") << "2D2" << true << 200.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("grouped") << "1,234,567" << true << 1234567.0;
    QTest::newRow("hex") << "&H1F" << true << 31.0;
    QTest::newRow("hex 16-bit negative") << "&HFFFF" << true << -1.0;
    QTest::newRow("hex past 16 bits") << "&H10000" << true << 65536.0;
    QTest::newRow("hex 32-bit negative") << "&HFFFFFFFF" << true << -1.0;
    QTest::newRow("octal") << "&O17" << true << 15.0;
    QTest::newRow("underflow is zero") << "1e-400" << true << 0.0;
    QTest::newRow("overflow") << "1e400" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << " " << false << 0.0;
    QTest::newRow("words") << "abc" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("symbol only") << "$" << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("exponent without mantissa") << "e5" << false << 0.0;
    QTest::newRow("trailing letters") << "12abc" << false << 0.0;
    QTest::newRow("short group") << "1,2" << false << 0.0;
    QTest::newRow("four-digit group") << "1,2345" << false << 0.0;
    QTest::newRow("hex without digits") << "&H" << false << 0.0;
    QTest::newRow("bad hex digit") << "&HG" << false << 0.0;
    QTest::newRow("hex past 32 bits") << "&H1FFFFFFFF" << false << 0.0;
    QTest::newRow("C hex") << "0x10" << false << 0.0;
    QTest::newRow("blank between digits") << "1 2" << false << 0.0;
}

void tst_Regional::numericAcceptsWhatTheProgramWrites()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto number = regional::numeric(text);
    QCOMPARE(number.has_value(), valid);
    QCOMPARE(regional::isNumeric(text), valid);
    if (valid)
        QCOMPARE(*number, value);
}

void tst_Regional::valuePrefixStopsAtTheFirstStranger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("words") << "abc" << 0.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("blanks between digits") << " 1 2 3" << 123.0;
    QTest::newRow("tabs and line ends between digits") << "\t4\n2\r" << 42.0;
    QTest::newRow("second point stops") << "1.5.3" << 1.5;
    QTest::newRow("negative leading point") << "-.5" << -0.5;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("leading zeros") << "0012" << 12.0;
    QTest::newRow("point then point") << ".5.5" << 0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("blanks in exponent") << "1 e 3" << 1000.0;
    QTest::newRow("exponent then junk") << "1E+2x" << 100.0;
    QTest::newRow("D exponent") << "2d2" << 200.0;
    QTest::newRow("negative exponent") << "3.7e-1" << 0.37;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e-" << 1.0;
    QTest::newRow("comma stops") << "1,234" << 1.0;
    QTest::newRow("currency symbol stops") << "$5" << 0.0;
    QTest::newRow("other locale blank does not count") << "1\u00a02" << 1.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&h7fff" << 32767.0;
    QTest::newRow("hex 16-bit negative") << "&H8000" << -32768.0;
    QTest::newRow("hex all ones") << "&HFFFF" << -1.0;
    QTest::newRow("hex past 16 bits") << "&H10000" << 65536.0;
    QTest::newRow("hex 32-bit all ones") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("hex stops at stranger") << "&H1FG" << 31.0;
    QTest::newRow("hex past 32 bits") << "&H1FFFFFFFF" << 0.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal 16-bit all ones") << "&O177777" << -1.0;
    QTest::newRow("octal stops at 8") << "&O78" << 7.0;
    QTest::newRow("ampersand alone") << "&X5" << 0.0;
    QTest::newRow("overflow reads as zero") << "1e400" << 0.0;
}

void tst_Regional::valuePrefixStopsAtTheFirstStranger()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(regional::valuePrefix(text), value);
}

void tst_Regional::wholeNumberTiesToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("value");

    QTest::newRow("tie down to even") << "2.5" << true << qint64(2);
    QTest::newRow("tie up to even") << "3.5" << true << qint64(4);
    QTest::newRow("negative tie") << "-2.5" << true << qint64(-2);
    QTest::newRow("negative tie up") << "-3.5" << true << qint64(-4);
    QTest::newRow("half") << "0.5" << true << qint64(0);
    QTest::newRow("one and a half") << "1.5" << true << qint64(2);
    QTest::newRow("below the tie") << "2.4999" << true << qint64(2);
    QTest::newRow("above the tie") << "2.5001" << true << qint64(3);
    QTest::newRow("currency") << "$1,234.50" << true << qint64(1234);
    QTest::newRow("parentheses") << "($1,235.50)" << true << qint64(-1236);
    QTest::newRow("exact beyond double") << "9007199254740993" << true << qint64(9007199254740993);
    QTest::newRow("largest") << "9223372036854775807" << true << MaxUnits;
    QTest::newRow("smallest") << "-9223372036854775808" << true << MinUnits;
    QTest::newRow("past 64 bits") << "9223372036854775808" << false << qint64(0);
    QTest::newRow("exponent") << "1e18" << true << qint64(1000000000000000000);
    QTest::newRow("hex") << "&HFFFF" << true << qint64(-1);
    QTest::newRow("words") << "abc" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
}

void tst_Regional::wholeNumberTiesToEven()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, value);
    const auto number = regional::wholeNumber(text);
    QCOMPARE(number.has_value(), valid);
    if (valid)
        QCOMPARE(*number, value);
}

void tst_Regional::roundToEvenOfDoubles_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");

    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(4);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-4);
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("-0.5") << -0.5 << qint64(0);
    QTest::newRow("just below a half") << 0.49999999999999994 << qint64(0);
    QTest::newRow("2.6") << 2.6 << qint64(3);
    QTest::newRow("half at 2^51") << 2251799813685248.5 << qint64(2251799813685248);
    QTest::newRow("odd half at 2^51") << 2251799813685249.5 << qint64(2251799813685250);
    QTest::newRow("too large") << 1e300 << MaxUnits;
    QTest::newRow("2^63") << 9223372036854775808.0 << MaxUnits;
    QTest::newRow("-2^63") << -9223372036854775808.0 << MinUnits;
    QTest::newRow("too small") << -1e300 << MinUnits;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << MaxUnits;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
}

void tst_Regional::roundToEvenOfDoubles()
{
    QFETCH(double, value);
    QFETCH(qint64, rounded);
    QCOMPARE(regional::roundToEven(value), rounded);
}

void tst_Regional::shortDateHasFourDigitYear_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    QTest::newRow("no leading zeros") << QDate(2026, 12, 8) << "12/8/2026";
    QTest::newRow("single digits") << QDate(2026, 1, 5) << "1/5/2026";
    QTest::newRow("last century") << QDate(1999, 12, 31) << "12/31/1999";
}

void tst_Regional::shortDateHasFourDigitYear()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(regional::shortDate(date), text);
    QCOMPARE(regional::parseShortDate(text), std::optional<QDate>(date));
}

void tst_Regional::parseShortDateReadsTheLocaleFormat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("four-digit year") << "12/8/2026" << QDate(2026, 12, 8);
    QTest::newRow("leading zeros") << "01/05/2026" << QDate(2026, 1, 5);
    QTest::newRow("surrounding blanks") << " 12/8/2026 " << QDate(2026, 12, 8);
    QTest::newRow("two-digit year this century") << "12/8/26" << QDate(2026, 12, 8);
    QTest::newRow("two-digit year top of window") << "12/8/49" << QDate(2049, 12, 8);
    QTest::newRow("two-digit year bottom of window") << "12/8/50" << QDate(1950, 12, 8);
    QTest::newRow("leap day of 2000") << "2/29/00" << QDate(2000, 2, 29);
    QTest::newRow("no leap day") << "2/29/2023" << QDate();
    QTest::newRow("month 13") << "13/1/2026" << QDate();
    QTest::newRow("day zero") << "1/0/2026" << QDate();
    QTest::newRow("three-digit year") << "12/8/226" << QDate();
    QTest::newRow("five-digit year") << "12/8/02026" << QDate();
    QTest::newRow("three-digit month") << "123/8/2026" << QDate();
    QTest::newRow("other separator") << "12-8-2026" << QDate();
    QTest::newRow("no year") << "12/8" << QDate();
    QTest::newRow("trailing junk") << "12/8/2026x" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("words") << "today" << QDate();
}

void tst_Regional::parseShortDateReadsTheLocaleFormat()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const auto parsed = regional::parseShortDate(text);
    QCOMPARE(parsed.has_value(), date.isValid());
    if (date.isValid())
        QCOMPARE(*parsed, date);
}

void tst_Regional::currencyTextInOtherLocales_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("text");

    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale french(QLocale::French, QLocale::France);
    QTest::newRow("de_DE") << german << qint64(12345000) << QStringLiteral(u"1.234,50\u00a0€");
    QTest::newRow("de_DE negative")
        << german << qint64(-12345000) << QStringLiteral(u"-1.234,50\u00a0€");
    QTest::newRow("de_DE tie") << german << qint64(26750) << QStringLiteral(u"2,68\u00a0€");
    QTest::newRow("de_DE largest")
        << german << MaxUnits << QStringLiteral(u"922.337.203.685.477,58\u00a0€");
    QTest::newRow("fr_FR") << french << qint64(12345000) << QStringLiteral(u"1\u202f234,50\u00a0€");
    QTest::newRow("fr_FR negative")
        << french << qint64(-12345000) << QStringLiteral(u"(1\u202f234,50\u00a0€)");
    QTest::newRow("fr_FR small") << french << qint64(-50) << QStringLiteral(u"(0,01\u00a0€)");
}

void tst_Regional::currencyTextInOtherLocales()
{
    QFETCH(QLocale, locale);
    QFETCH(qint64, units);
    QFETCH(QString, text);
    const LocaleScope scope(locale);
    QCOMPARE(regional::currencyText(Money::fromUnits(units)), text);
}

void tst_Regional::parseMoneyInOtherLocales_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");

    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale french(QLocale::French, QLocale::France);
    QTest::newRow("de_DE currency")
        << german << QStringLiteral(u"1.234,50\u00a0€") << true << qint64(12345000);
    QTest::newRow("de_DE negative")
        << german << QStringLiteral(u"-1.234,50 €") << true << qint64(-12345000);
    QTest::newRow("de_DE plain") << german << "12,5" << true << qint64(125000);
    QTest::newRow("de_DE plain without grouping") << german << "1234,5" << true << qint64(12345000);
    QTest::newRow("de_DE point is not the decimal point") << german << "12.5" << false << qint64(0);
    QTest::newRow("de_DE dollar is not the symbol") << german << "$5" << false << qint64(0);
    QTest::newRow("fr_FR narrow no-break space")
        << french << QStringLiteral(u"1\u202f234,50\u00a0€") << true << qint64(12345000);
    QTest::newRow("fr_FR as read back from an 8-bit file")
        << french << QStringLiteral(u"1\u00a0234,50\u00a0€") << true << qint64(12345000);
    QTest::newRow("fr_FR typed with spaces")
        << french << QStringLiteral(u"1 234,50 €") << true << qint64(12345000);
    QTest::newRow("fr_FR parentheses")
        << french << QStringLiteral(u"(1\u202f234,50\u00a0€)") << true << qint64(-12345000);
    QTest::newRow("fr_FR space is not a decimal point") << french << "1 5" << false << qint64(0);
}

void tst_Regional::parseMoneyInOtherLocales()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, units);
    const LocaleScope scope(locale);
    const auto money = regional::parseMoney(text);
    QCOMPARE(money.has_value(), valid);
    if (valid)
        QCOMPARE(money->units(), units);
}

void tst_Regional::currencyTextReadsBackInEveryLocale_data()
{
    QTest::addColumn<QLocale>("locale");

    for (const char *name : {"en_US", "en_GB", "en_IN", "hi_IN", "de_DE", "de_CH", "fr_FR", "nl_NL",
                             "sv_SE", "pt_BR", "es_ES", "he_IL", "ar_EG", "C"})
        QTest::newRow(name) << QLocale(QString::fromLatin1(name));
}

void tst_Regional::currencyTextReadsBackInEveryLocale()
{
    QFETCH(QLocale, locale);
    const LocaleScope scope(locale);

    // amount and what it shows as, in whole cents
    const std::pair<qint64, qint64> amounts[] = {
        {0, 0},
        {10000, 10000},
        {12345000, 12345000},
        {-12345000, -12345000},
        {26750, 26800},
        {-26750, -26800},
        {-49, 0},
        {1234567, 1234600},
        {9000000000000000050, 9000000000000000100},
        {MaxUnits, 9223372036854775800},
        {MinUnits, -9223372036854775800},
    };
    for (const auto &[units, shown] : amounts) {
        const QString text = regional::currencyText(Money::fromUnits(units));
        const auto back = regional::parseMoney(text);
        QVERIFY2(back.has_value(), qPrintable(text));
        QCOMPARE(back->units(), shown);
        QVERIFY2(regional::isNumeric(text), qPrintable(text));
    }
}

void tst_Regional::shortDateInOtherLocales_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");

    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale french(QLocale::French, QLocale::France);
    QTest::newRow("de_DE") << german << QDate(2026, 12, 8) << "08.12.2026"
                           << "8.12.26";
    QTest::newRow("de_DE old") << german << QDate(1975, 3, 4) << "04.03.1975"
                               << "4.3.75";
    QTest::newRow("fr_FR") << french << QDate(2026, 12, 8) << "08/12/2026"
                           << "8/12/2026";
}

void tst_Regional::shortDateInOtherLocales()
{
    QFETCH(QLocale, locale);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    const LocaleScope scope(locale);
    QCOMPARE(regional::shortDate(date), text);
    QCOMPARE(regional::parseShortDate(text), std::optional<QDate>(date));
    QCOMPARE(regional::parseShortDate(typed), std::optional<QDate>(date));
}

void tst_Regional::currencyTextFollowsTheDefaultLocale()
{
    {
        const LocaleScope scope(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(regional::currencyText(Money::fromUnits(10000)), QStringLiteral(u"1,00\u00a0€"));
        QCOMPARE(regional::parseMoney(QStringLiteral("1,5")),
                 std::optional(Money::fromUnits(15000)));
    }
    QCOMPARE(QLocale(), UnitedStates);
    QCOMPARE(regional::currencyText(Money::fromUnits(10000)), QStringLiteral("$1.00"));
    QCOMPARE(regional::parseMoney(QStringLiteral("1,5")), std::optional<Money>());
}


void tst_Regional::currencyReaderAgreesWithParseMoney_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("common"); // read without parseMoney

    const auto row = [](const char *name, const QLocale &locale, const char *text, bool common) {
        QTest::newRow(name) << locale << QByteArray(text) << common;
    };
    row("grouped", UnitedStates, "$1,234.56", true);
    row("negative", UnitedStates, "($1,234.56)", true);
    row("zero", UnitedStates, "$0.00", true);
    row("negative zero", UnitedStates, "($0.00)", true);
    row("thirteen digits", UnitedStates, "$9,999,999,999,999.99", true);
    row("fourteen digits", UnitedStates, "$99,999,999,999,999.99", false);
    row("ungrouped", UnitedStates, "$1234.56", false);
    row("short group", UnitedStates, "$1,23.45", false);
    row("long group", UnitedStates, "$1,2345.00", false);
    row("leading group mark", UnitedStates, "$,123.00", false);
    row("leading zero", UnitedStates, "$01.00", false);
    row("one decimal", UnitedStates, "$1.5", false);
    row("three decimals", UnitedStates, "$1.005", false);
    row("no symbol", UnitedStates, "1,234.56", false);
    row("minus sign", UnitedStates, "-$1.00", false);
    row("blank inside", UnitedStates, "$ 1.00", false);
    row("unclosed", UnitedStates, "($1.00", false);
    row("only affixes", UnitedStates, "($.)", false);
    row("empty", UnitedStates, "", false);
    row("letters", UnitedStates, "$1.0O", false);
    row("symbol outside 7-bit", QLocale(QLocale::German, QLocale::Germany), "1.234,56 \x80", false);
}

void tst_Regional::currencyReaderAgreesWithParseMoney()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, text);
    QFETCH(bool, common);
    const LocaleScope scope(locale);
    const std::optional<Money> fast = regional::CurrencyReader().readCommon(text);
    QCOMPARE(fast.has_value(), common);
    if (fast) {
        const std::optional<Money> full = regional::parseMoney(QString::fromLatin1(text));
        QVERIFY(full.has_value());
        QCOMPARE(fast->units(), full->units());
    }
}

void tst_Regional::dateReaderAgreesWithParseShortDate_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("common"); // read without parseShortDate

    const QLocale germany(QLocale::German, QLocale::Germany);
    const auto row = [](const char *name, const QLocale &locale, const char *text, bool common) {
        QTest::newRow(name) << locale << QByteArray(text) << common;
    };
    row("as written", UnitedStates, "3/14/2026", true);
    row("leading zeros", UnitedStates, "03/04/2026", true);
    row("two-digit year", UnitedStates, "3/14/49", true);
    row("three-digit year", UnitedStates, "3/14/202", false);
    row("no such day", UnitedStates, "2/30/2026", false);
    row("month 13", UnitedStates, "13/1/2026", false);
    row("day first elsewhere", germany, "14.03.2026", true);
    row("other separator", UnitedStates, "3-14-2026", false);
    row("blank before", UnitedStates, " 3/14/2026", false);
    row("tab after", UnitedStates, "3/14/2026\t", false);
    row("trailing text", UnitedStates, "3/14/2026x", false);
    row("empty", UnitedStates, "", false);
    row("8-bit byte", UnitedStates, "3/14/2026\xa0", false);
}

void tst_Regional::dateReaderAgreesWithParseShortDate()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, text);
    QFETCH(bool, common);
    const LocaleScope scope(locale);
    const std::optional<QDate> fast = regional::DateReader().readCommon(text);
    QCOMPARE(fast.has_value(), common);
    // What the fast reader passes on, the full one decides: blanks are still read.
    const std::optional<QDate> full = regional::parseShortDate(QString::fromLatin1(text));
    if (fast)
        QCOMPARE(full, fast);
}

QTEST_GUILESS_MAIN(tst_Regional)
#include "tst_regional.moc"
