#include "core/csv.h"
#include "core/money.h"

#include <QDir>
#include <QFile>
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
        const auto row = [](const char *name, QStringList fields, const char *bytes) {
            QTest::newRow(name) << fields << QByteArray(bytes);
        };
        row("plain", {"20260001", "Nia Moss", "242.29"}, "20260001,Nia Moss,242.29\r\n");
        row("comma", {"Moss, Nia", "x"}, "\"Moss, Nia\",x\r\n");
        row("quote", {"12\" pipe"}, "\"12\"\" pipe\"\r\n");
        row("line break", {"Dock 4\r\nRear", "LF\nonly"}, "\"Dock 4\r\nRear\",\"LF\nonly\"\r\n");
        row("empty fields", {"", "", ""}, ",,\r\n");
        row("utf-8", {"Caf\u00e9 \u20ac5"}, "Caf\xc3\xa9 \xe2\x82\xac" "5\r\n");
        row("formula", {"=HYPERLINK(\"x\")", "@SUM(A1)", "+1+2", "-x"},
            "\"'=HYPERLINK(\"\"x\"\")\",'@SUM(A1),'+1+2,'-x\r\n");
        row("numbers stay", {"-12.50", "+3", "-0.0001"}, "-12.50,+3,-0.0001\r\n");
    }
    void fieldsAreQuotedOnlyWhenTheyMustBe()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, bytes);
        QCOMPARE(csv::encode({fields}), QByteArray("\xEF\xBB\xBF") + bytes);
    }

    void amountsArePlainNumbers_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << qint64(2422900) << "242.29";
        QTest::newRow("zero") << qint64(0) << "0.00";
        QTest::newRow("four decimals") << qint64(57740) << "5.774";
        QTest::newRow("negative") << qint64(-12345678) << "-1234.5678";
        QTest::newRow("large, no grouping") << qint64(123456789000000) << "12345678900.00";
    }
    void amountsArePlainNumbers()
    {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(csv::number(Money::fromUnits(units)), text);
    }

    void aFileThatCannotBeWrittenLeavesNothing_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("folder under a file") << "blocker/out.csv";
        QTest::newRow("missing folder") << "nowhere/out.csv";
        QTest::newRow("a folder in the way") << "taken";
    }
    void aFileThatCannotBeWrittenLeavesNothing()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(QDir(dir.path()).mkdir("taken"));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY(csv::writeFile(dir.filePath(relative), {{"a"}}).has_value());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(QDir(dir.filePath("taken")).isEmpty());
    }

    void aSpreadsheetReaderReadsTheFileBack()
    {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty())
            QSKIP("python3 is not installed: the file is not read back by a CSV parser");
        const QList<QStringList> rows{{"Invoice No", "Account Name", "Amount (Number)"},
                                      {"7", "Moss, \"Nia\"\r\nDock 4", "-1234.50"},
                                      {"8", "Caf\u00e9 \u20ac", ""}};
        QTemporaryDir dir;
        const QString path = dir.filePath("report.csv");
        QVERIFY(!csv::writeFile(path, rows).has_value());
        QProcess reader;
        reader.start(python, {"-c",
                              "import csv, json, sys\n"
                              "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                              "    print(json.dumps(list(csv.reader(f, strict=True))))\n",
                              path});
        QVERIFY(reader.waitForFinished(30000));
        QCOMPARE(reader.exitCode(), 0);
        const QJsonArray read = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
        QList<QStringList> back;
        for (const QJsonValue &row : read)
            back.append(row.toVariant().toStringList());
        QCOMPARE(back, rows);
    }
};

QTEST_GUILESS_MAIN(tst_Csv)
#include "tst_csv.moc"
