#include "core/keyfilters.h"

#include "scriptedprompts.h"

#include <QLocale>
#include <QTest>

using namespace keyfilters;

namespace {

QString invalid(const QString &character)
{
    return QStringLiteral("This character, (") + character +
           QStringLiteral(") is invalid for this field");
}

// The invoice number box: the name filter first, the money filter on what passed.
int invoiceNumberKey(int key, const QString &text, Prompts &prompts)
{
    const int passed = NameKeyFilter(key, text, prompts);
    return passed == 0 ? 0 : MoneyKeyFilter(passed, text);
}

} // namespace

class TestKeyFilters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void moneyKeyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");

        QTest::newRow("zero in an empty box") << int('0') << "" << 0;
        QTest::newRow("point in an empty box") << int('.') << "" << int('.');
        QTest::newRow("digit after a bare point") << int('5') << "." << int('5');
        QTest::newRow("zero after a bare point") << int('0') << "." << int('0');
        QTest::newRow("zero after a digit") << int('0') << "5" << int('0');
        QTest::newRow("digit in an empty box") << int('7') << "" << int('7');
        QTest::newRow("nine after digits") << int('9') << "12" << int('9');
        QTest::newRow("point after digits") << int('.') << "12" << int('.');
        QTest::newRow("second decimal") << int('4') << "12.3" << int('4');
        QTest::newRow("digit after a trailing point") << int('4') << "123." << int('4');
        QTest::newRow("second decimal after a bare point") << int('5') << ".5" << int('5');
        QTest::newRow("digit after two decimals") << int('5') << "12.34" << 0;
        QTest::newRow("zero after two decimals") << int('0') << "12.34" << 0;
        QTest::newRow("point after two decimals") << int('.') << "12.34" << 0;
        QTest::newRow("backspace after two decimals") << int(Backspace) << "12.34" << 0;
        QTest::newRow("enter after two decimals") << int(Enter) << "12.34" << 0;
        QTest::newRow("digit after one digit and two decimals") << int('4') << "1.23" << 0;
        QTest::newRow("digit after a bare point and two decimals") << int('1') << ".55" << 0;
        QTest::newRow("digit after currency text") << int('1') << "$1.00" << 0;
        QTest::newRow("second point") << int('.') << "1.2" << 0;
        QTest::newRow("second point right after the first") << int('.') << "1." << 0;
        QTest::newRow("letter") << int('a') << "12" << 0;
        QTest::newRow("minus") << int('-') << "" << 0;
        QTest::newRow("comma") << int(',') << "1" << 0;
        QTest::newRow("blank") << int(' ') << "1" << 0;
        QTest::newRow("dollar") << int('$') << "" << 0;
        QTest::newRow("backspace") << int(Backspace) << "12" << 0;
        QTest::newRow("enter") << int(Enter) << "12" << 0;
        QTest::newRow("one half sign") << 0xbd << "" << 0;
        QTest::newRow("arabic-indic digit") << 0x0663 << "" << 0;
    }

    void moneyKeyFilter()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(MoneyKeyFilter(key, text), expected);
    }

    void moneyBoxTakesPointFive()
    {
        QString text;
        for (QChar c : QStringLiteral(".5")) {
            if (MoneyKeyFilter(c.unicode(), text) != 0)
                text += c;
        }
        QCOMPARE(text, QStringLiteral(".5"));
    }

    void digitKeyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");

        for (char digit = '0'; digit <= '9'; ++digit)
            QTest::addRow("digit %c", digit) << int(digit) << int(digit);
        QTest::newRow("backspace") << int(Backspace) << int(Backspace);
        QTest::newRow("enter") << int(Enter) << 0;
        QTest::newRow("point") << int('.') << 0;
        QTest::newRow("minus") << int('-') << 0;
        QTest::newRow("letter") << int('x') << 0;
        QTest::newRow("blank") << int(' ') << 0;
        QTest::newRow("superscript two") << 0xb2 << 0;
    }

    void digitKeyFilter()
    {
        QFETCH(int, key);
        QFETCH(int, expected);
        QCOMPARE(DigitKeyFilter(key), expected);
    }

    void nameKeyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("message"); // empty: no message, no beep

        const QString refused = QStringLiteral(",&.\\*/?");
        for (QChar c : refused) {
            QTest::addRow("%s after a name", qPrintable(QString(c)))
                << int(c.unicode()) << "SMITH01" << 0 << invalid(c);
        }
        QTest::newRow("slash after a non-numeric text") << int('/') << "A12" << 0 << invalid("/");
        QTest::newRow("point in an empty box") << int('.') << "" << 0 << invalid(".");
        QTest::newRow("slash after a number") << int('/') << "1234" << int('/') << "";
        QTest::newRow("point after a number") << int('.') << "12" << int('.') << "";
        QTest::newRow("comma after currency text") << int(',') << "$1,234.50" << int(',') << "";
        QTest::newRow("question mark after a number in blanks")
            << int('?') << " 42 " << int('?') << "";
        QTest::newRow("backspace after a name") << int(Backspace) << "A/" << int(Backspace) << "";
        QTest::newRow("enter after a name") << int(Enter) << "AB" << int(Enter) << "";
        QTest::newRow("letter after a name") << int('x') << "AB" << int('x') << "";
        QTest::newRow("digit after a name") << int('1') << "AB" << int('1') << "";
        QTest::newRow("colon is left to the whole-name check")
            << int(':') << "AB" << int(':') << "";
        QTest::newRow("double quote is left to the quote filter")
            << int('"') << "AB" << int('"') << "";
    }

    void nameKeyFilter()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(QString, message);

        ScriptedPrompts prompts;
        QCOMPARE(NameKeyFilter(key, text, prompts), expected);
        if (message.isEmpty()) {
            QCOMPARE(prompts.shown.size(), 0);
            QCOMPARE(prompts.beeps, 0);
        } else {
            QCOMPARE(prompts.shown.size(), 1);
            QCOMPARE(prompts.shown[0].kind, QStringLiteral("tell"));
            QCOMPARE(prompts.shown[0].text, message);
            QCOMPARE(prompts.shown[0].title, QStringLiteral("Invalid Key entry"));
            QCOMPARE(prompts.beeps, 1);
        }
    }

    void invoiceNumberBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("messages");

        QTest::newRow("slash after a non-numeric text") << int('/') << "A12" << 0 << 1;
        QTest::newRow("slash after a number") << int('/') << "1234" << 0 << 0;
        QTest::newRow("digit after a number") << int('5') << "1234" << int('5') << 0;
        QTest::newRow("point after a number") << int('.') << "1234" << int('.') << 0;
        QTest::newRow("letter after a number") << int('A') << "1234" << 0 << 0;
    }

    void invoiceNumberBox()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(int, messages);

        ScriptedPrompts prompts;
        QCOMPARE(invoiceNumberKey(key, text, prompts), expected);
        QCOMPARE(prompts.shown.size(), messages);
        QCOMPARE(prompts.beeps, messages);
        if (messages > 0)
            QCOMPARE(prompts.shown[0].text, invalid(QString(QChar(key))));
    }

    void fileNameKeyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("passes");
        for (char c : QByteArray("/\\:*?\"<>|"))
            QTest::addRow("%c", c) << int(c) << false;
        QTest::newRow("tab") << int('\t') << false;
        QTest::newRow("C1 control") << 0x81 << false;
        QTest::newRow("backspace") << int(Backspace) << true;
        QTest::newRow("enter") << int(Enter) << true;
        QTest::newRow("digit") << int('7') << true;
        QTest::newRow("hyphen") << int('-') << true;
        QTest::newRow("blank") << int(' ') << true;
    }

    void fileNameKeyFilter()
    {
        QFETCH(int, key);
        QFETCH(bool, passes);
        ScriptedPrompts prompts;
        QCOMPARE(FileNameKeyFilter(key, prompts), passes ? key : 0);
        QCOMPARE(prompts.beeps, passes ? 0 : 1);
        QCOMPARE(prompts.shown.size(), passes ? 0 : 1);
        if (!passes)
            QCOMPARE(prompts.shown[0].text, InvalidCharacterMessage(QChar(key)));
    }

    void quoteKeyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");

        QTest::newRow("double quote") << int('"') << 0;
        QTest::newRow("single quote") << int('\'') << int('\'');
        QTest::newRow("backspace") << int(Backspace) << int(Backspace);
        QTest::newRow("enter") << int(Enter) << int(Enter);
        QTest::newRow("comma") << int(',') << int(',');
        QTest::newRow("slash") << int('/') << int('/');
        QTest::newRow("letter") << int('q') << int('q');
        QTest::newRow("left double quotation mark") << 0x201c << 0x201c;
    }

    void quoteKeyFilter()
    {
        QFETCH(int, key);
        QFETCH(int, expected);

        ScriptedPrompts prompts;
        QCOMPARE(QuoteKeyFilter(key, prompts), expected);
        if (expected == 0) {
            QCOMPARE(prompts.shown.size(), 1);
            QCOMPARE(prompts.shown[0].kind, QStringLiteral("tell"));
            QCOMPARE(prompts.shown[0].text, QStringLiteral("This character, (\") is invalid for "
                                                           "this field"));
            QCOMPARE(prompts.shown[0].title, QStringLiteral("Invalid Key entry"));
            QCOMPARE(prompts.beeps, 1);
        } else {
            QCOMPARE(prompts.shown.size(), 0);
            QCOMPARE(prompts.beeps, 0);
        }
    }

    void moneyFieldCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("refused");

        QTest::newRow("whole number") << "12"
                                      << "$12.00" << false;
        QTest::newRow("one decimal") << "12.5"
                                     << "$12.50" << false;
        QTest::newRow("grouping added") << "1234.5"
                                        << "$1,234.50" << false;
        QTest::newRow("three decimals rounded") << "1234.567"
                                                << "$1,234.57" << false;
        QTest::newRow("half cent away from zero") << "2.675"
                                                  << "$2.68" << false;
        QTest::newRow("currency text kept") << "$1,234.50"
                                            << "$1,234.50" << false;
        QTest::newRow("surrounding blanks") << " 7 "
                                            << "$7.00" << false;
        QTest::newRow("negative") << "-3"
                                  << "($3.00)" << false;
        QTest::newRow("parentheses") << "(5)"
                                     << "($5.00)" << false;
        QTest::newRow("zero") << "0"
                              << "$0.00" << false;
        QTest::newRow("letters") << "abc"
                                 << "" << true;
        QTest::newRow("number and letters") << "12abc"
                                            << "" << true;
        QTest::newRow("empty") << ""
                               << "" << true;
        QTest::newRow("beyond what an amount holds") << "999999999999999999"
                                                     << "" << true;
    }

    void moneyFieldCheck()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, refused);

        ScriptedPrompts prompts;
        const FieldCheckResult result = MoneyFieldCheck(text, prompts);
        QCOMPARE(result.text, expected);
        QCOMPARE(result.refused, refused);
        QCOMPARE(prompts.beeps, refused ? 1 : 0);
        QCOMPARE(prompts.shown.size(), 0);
    }

    void joinNameParts_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("d");
        QTest::addColumn<QString>("expected");

        QTest::newRow("no middle initial") << "Mr"
                                           << "John"
                                           << ""
                                           << "Smith"
                                           << "Mr John Smith";
        QTest::newRow("middle initial") << "Mr"
                                        << "John"
                                        << "Q"
                                        << "Smith"
                                        << "Mr John Q. Smith";
        QTest::newRow("all empty") << ""
                                   << ""
                                   << ""
                                   << ""
                                   << "";
        QTest::newRow("all blanks") << "  "
                                    << " "
                                    << "   "
                                    << " "
                                    << "";
        QTest::newRow("parts trimmed") << "  Dr "
                                       << " Ann "
                                       << " B "
                                       << " Lee  "
                                       << "Dr Ann B. Lee";
        QTest::newRow("blank middle initial") << "Ms"
                                              << "Ann"
                                              << "  "
                                              << "Lee"
                                              << "Ms Ann Lee";
        QTest::newRow("no title") << ""
                                  << "John"
                                  << "Q"
                                  << "Smith"
                                  << "John Q. Smith";
        QTest::newRow("last name only") << ""
                                        << ""
                                        << ""
                                        << "Smith"
                                        << "Smith";
        QTest::newRow("no last name") << "Mr"
                                      << "John"
                                      << ""
                                      << ""
                                      << "Mr John ";
        QTest::newRow("initial only") << ""
                                      << ""
                                      << "Q"
                                      << ""
                                      << "Q. ";
    }

    void joinNameParts()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QString, d);
        QFETCH(QString, expected);
        QCOMPARE(JoinNameParts(a, b, c, d), expected);
    }
};

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
