#include "core/names.h"

#include "core/codepage.h"

#include <QTest>

class TestNames : public QObject
{
    Q_OBJECT

private slots:
    void isSafeFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");

        QTest::newRow("digits") << "10042" << true;
        QTest::newRow("letters and digits") << "SMITH01" << true;
        QTest::newRow("telephone number") << "(555) 123-4567" << true;
        QTest::newRow("inner blank") << "Lawn Care" << true;
        QTest::newRow("inner point") << "A1.B" << true;
        QTest::newRow("leading blank") << " 12" << true;
        QTest::newRow("comma and ampersand") << "Smith, Jones & Co" << true;
        QTest::newRow("accented") << QStringLiteral("Caf\u00e9") << true;

        QTest::newRow("empty") << "" << false;
        QTest::newRow("only blanks") << "   " << false;
        QTest::newRow("only a tab") << "\t" << false;
        for (QChar c : QStringLiteral("/\\:*?\"<>|")) {
            QTest::addRow("holds %s", qPrintable(QString(c)))
                << QStringLiteral("a") + c + "b" << false;
        }
        QTest::newRow("only a slash") << "/" << false;
        QTest::newRow("parent folder") << ".." << false;
        QTest::newRow("hidden name") << ".profile" << false;
        QTest::newRow("trailing point") << "A1." << false;
        QTest::newRow("trailing blank") << "A1 " << false;
        QTest::newRow("line break") << "A\nB" << false;
        QTest::newRow("carriage return at the end") << "A1\r" << false;
        QTest::newRow("nul") << QString(QChar(0)) + "A" << false;
        QTest::newRow("escape") << "A\x1b" << false;
        QTest::newRow("delete character") << "A\x7f" << false;
        // The five bytes Windows-1252 leaves unassigned decode to C1 controls.
        for (char byte : {'\x81', '\x8d', '\x8f', '\x90', '\x9d'}) {
            QTest::addRow("cp1252 byte %02x", unsigned(uchar(byte)))
                << codepage::decode(QByteArray("A") + byte + "B") << false;
        }
        QTest::newRow("cp1252 euro sign") << codepage::decode(QByteArray("A\x80")) << true;
    }

    void isSafeFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(names::isSafeFileName(name), safe);
    }

    void unsafeNameMessage_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        const QString rules = QStringLiteral(
            "cannot be used: it may not be empty, start or end with a period, end with a blank, "
            "or contain / \\ : * ? \" < > | or control characters");
        QTest::newRow("account number") << "Account Number"
                                        << "a/b"
                                        << "The Account Number \"a/b\" " + rules;
        QTest::newRow("empty invoice number") << "Invoice Number"
                                              << ""
                                              << "The Invoice Number \"\" " + rules;
        QTest::newRow("line break shown as a mark")
            << "Template Name"
            << "a\nb" << QStringLiteral("The Template Name \"a\uFFFDb\" ") + rules;
    }

    void unsafeNameMessage()
    {
        QFETCH(QString, what);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(names::unsafeNameMessage(what, name), expected);
    }
};

QTEST_GUILESS_MAIN(TestNames)
#include "tst_names.moc"
