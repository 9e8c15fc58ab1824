#include "core/csv.h"
#include "core/money.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_Csv final : public QObject
{
    Q_OBJECT

private slots:
    void fieldsAreQuotedOnlyWhenTheyMustBe_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QStringList{"7", "Nia Moss", ""} << QByteArray("7,Nia Moss,\r\n");
        QTest::newRow("comma, quote, line break")
            << QStringList{"Moss, Nia", "12\" pipe", "Dock 4\r\nRear", "LF\nonly"}
            << QByteArray("\"Moss, Nia\",\"12\"\" pipe\",\"Dock 4\r\nRear\",\"LF\nonly\"\r\n");
        QTest::newRow("utf-8") << QStringList{"Caf\u00e9 \u20ac"} << QByteArray("Caf\xc3\xa9 \xe2\x82\xac\r\n");
        QTest::newRow("formulas are text") << QStringList{"=HYPERLINK(\"x\")", "@SUM(A1)", "+1+2", "-x"}
                                           << QByteArray("\"'=HYPERLINK(\"\"x\"\")\",'@SUM(A1),'+1+2,'-x\r\n");
        QTest::newRow("numbers stay") << QStringList{"-12.50", "+3"} << QByteArray("-12.50,+3\r\n");
    }
    void fieldsAreQuotedOnlyWhenTheyMustBe()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, bytes);
        QCOMPARE(csv::encode({fields}), "\xEF\xBB\xBF" + bytes);
    }

    void amountsArePlainNumbers()
    {
        const QStringList written{csv::number(Money::fromUnits(2422900)), csv::number(Money()),
                                  csv::number(Money::fromUnits(57740)),
                                  csv::number(Money::fromUnits(-123456789000000))};
        QCOMPARE(written, QStringList({"242.29", "0.00", "5.774", "-12345678900.00"}));
    }

    void aFileThatCannotBeWrittenLeavesNothing_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("folder under a file") << "blocker/out.csv";
        QTest::newRow("a folder in the way") << "taken";
    }
    void aFileThatCannotBeWrittenLeavesNothing()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QVERIFY(!csv::writeFile(dir.filePath("blocker"), {}));
        QVERIFY(QDir(dir.path()).mkdir("taken"));
        QVERIFY(csv::writeFile(dir.filePath(relative), {{"a"}}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"blocker", "taken"}));
        QVERIFY(QDir(dir.filePath("taken")).isEmpty());
    }

    void aSpreadsheetReaderReadsTheFileBack()
    {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty())
            QSKIP("python3 is not installed: the file is not read back by a CSV parser");
        const QList<QStringList> rows{{"No", "Name", "Amount (Number)"},
                                      {"7", "Moss, \"Nia\"\r\nDock 4", "-1234.50"},
                                      {"8", "Caf\u00e9 \u20ac", ""}};
        QTemporaryDir dir;
        QVERIFY(!csv::writeFile(dir.filePath("r.csv"), rows));
        QProcess reader;
        reader.start(python, {"-c",
                              "import csv, json, sys\n"
                              "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                              "    print(json.dumps(list(csv.reader(f, strict=True))))\n",
                              dir.filePath("r.csv")});
        QVERIFY(reader.waitForFinished(30000));
        QList<QStringList> back;
        for (const QJsonValue &row : QJsonDocument::fromJson(reader.readAllStandardOutput()).array())
            back.append(row.toVariant().toStringList());
        QCOMPARE(back, rows);
    }
};

QTEST_GUILESS_MAIN(tst_Csv)
#include "tst_csv.moc"
