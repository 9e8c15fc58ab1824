#include "invoice/invoicenumbering.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray journalRecord(const QString &number, const QByteArray &customer = "Someone")
{
    QByteArray record(125, '\0');
    const QByteArray name = customer.leftJustified(45, ' ');
    const QByteArray account = QByteArray("A1").leftJustified(20, ' ');
    record.replace(0, 45, name);
    record.replace(45, 20, account);
    record.replace(65, 20, number.toLatin1().leftJustified(20, ' '));
    return record;
}

} // namespace

class TestInvoiceNumbering : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_data = std::make_unique<DataFolder>(m_dir->path());
    }

    void proposalFollowsTheFile_data()
    {
        QTest::addColumn<QByteArray>("stored"); // "<absent>" for no file
        QTest::addColumn<qint32>("proposal");
        QTest::newRow("absent") << QByteArray("<absent>") << 20260001;
        QTest::newRow("year turned") << QByteArray("20259999\r\n") << 20260001;
        QTest::newRow("next year kept") << QByteArray("20270005\r\n") << 20270005;
        QTest::newRow("typed 500 kept") << QByteArray("501\r\n") << 501;
        QTest::newRow("zero") << QByteArray("0\r\n") << 20260000;
        QTest::newRow("empty") << QByteArray("") << 20260000;
        QTest::newRow("letters") << QByteArray("abc\r\n") << 20260000;
        QTest::newRow("negative") << QByteArray("-20260005\r\n") << 20260000;
        QTest::newRow("beyond 2^31") << QByteArray("3000000000\r\n") << 20260000;
        QTest::newRow("fraction") << QByteArray("20260001.5\r\n") << 20260000;
        QTest::newRow("NULs") << QByteArray(40, '\0') << 20260000;
        QTest::newRow("quoted") << QByteArray("\"20260042\"\r\n") << 20260042;
        QTest::newRow("LF only") << QByteArray("20260042\n") << 20260042;
    }

    void proposalFollowsTheFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(qint32, proposal);
        if (stored != "<absent>")
            QVERIFY(testfiles::writeBytes(m_dir->path() + "/PIInvoiceNo.txt", stored));
        InvoiceNumbering numbering(*m_data, m_clock);
        QCOMPARE(numbering.LoadNextInvoiceNumber(), proposal);
        // The proposal is written back at once.
        QCOMPARE(testfiles::readBytes(m_dir->path() + "/PIInvoiceNo.txt"),
                 QByteArray::number(proposal) + "\r\n");
    }

    void somethingElseInItsPlaceIsLeftAlone()
    {
        QVERIFY(QDir().mkpath(m_dir->path() + "/PIInvoiceNo.txt/inside"));
        InvoiceNumbering numbering(*m_data, m_clock);
        QCOMPARE(numbering.LoadNextInvoiceNumber(), 20260001);
        QVERIFY(QFileInfo(m_dir->path() + "/PIInvoiceNo.txt/inside").isDir());
    }

    void proposalPassesOverUsedNumbers_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<qint32>("proposal");
        QTest::newRow("image") << QStringList{"/CompletedInvoices/20260007.txt"} << 20260008;
        QTest::newRow("partial") << QStringList{"/PelmorInvoicer/IncompleteInvoices/20260007.txt"}
                                 << 20260008;
        QTest::newRow("image then partial")
            << QStringList{"/CompletedInvoices/20260007.txt",
                           "/PelmorInvoicer/IncompleteInvoices/20260008.txt"}
            << 20260009;
        QTest::newRow("other numbers") << QStringList{"/CompletedInvoices/20260006.txt"}
                                       << 20260007;
    }

    void proposalPassesOverUsedNumbers()
    {
        QFETCH(QStringList, files);
        QFETCH(qint32, proposal);
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/PIInvoiceNo.txt", "20260007\r\n"));
        for (const QString &file : files)
            QVERIFY(testfiles::writeBytes(m_dir->path() + file, "x"));
        InvoiceNumbering numbering(*m_data, m_clock);
        QCOMPARE(numbering.LoadNextInvoiceNumber(), proposal);
        QCOMPARE(testfiles::readBytes(m_dir->path() + "/PIInvoiceNo.txt"),
                 QByteArray::number(proposal) + "\r\n");
    }

    void advanceContinuesFromTheNumberTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("typed 500") << "500" << true << QByteArray("501\r\n");
        QTest::newRow("runs into next year") << "20269999" << true << QByteArray("20270000\r\n");
        QTest::newRow("blanks around") << " 42 " << true << QByteArray("43\r\n");
        QTest::newRow("letters") << "abc" << false << QByteArray("20260005\r\n");
        QTest::newRow("largest") << "2147483646" << false << QByteArray("20260005\r\n");
        QTest::newRow("fraction") << "12.5" << false << QByteArray("20260005\r\n");
    }

    void advanceContinuesFromTheNumberTyped()
    {
        QFETCH(QString, typed);
        QFETCH(bool, stored);
        QFETCH(QByteArray, file);
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/PIInvoiceNo.txt", "20260005\r\n"));
        InvoiceNumbering numbering(*m_data, m_clock);
        QCOMPARE(numbering.AdvanceInvoiceNumber(typed), stored);
        QCOMPARE(testfiles::readBytes(m_dir->path() + "/PIInvoiceNo.txt"), file);
    }

    void typed500IsProposedNextAsWell()
    {
        InvoiceNumbering numbering(*m_data, m_clock);
        QCOMPARE(numbering.LoadNextInvoiceNumber(), 20260001);
        QVERIFY(numbering.AdvanceInvoiceNumber("500"));
        QCOMPARE(numbering.LoadNextInvoiceNumber(), 501);
    }

    void newNumberCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        const QString invalid = "The Invoice Number \"%1\" cannot be used.\r\n"
                                "Enter a whole number from 1 to 2147483646";
        const QString used = "Invoice Number %1 is already used by %2.\r\n"
                             "Enter another Invoice Number";
        QTest::newRow("unused") << "20260002" << QString();
        QTest::newRow("image") << "20260010" << used.arg("20260010", "a completed invoice");
        QTest::newRow("partial") << "20260011" << used.arg("20260011", "an incomplete invoice");
        QTest::newRow("journal") << "20260012" << used.arg("20260012", "the sales journal");
        QTest::newRow("journal last record cut short")
            << "20260013" << used.arg("20260013", "the sales journal");
        QTest::newRow("prefix of a journal number") << "2026001" << QString();
        QTest::newRow("inside the name field") << "777" << QString();
        QTest::newRow("journal number after blanks")
            << "20260014" << used.arg("20260014", "the sales journal");
        QTest::newRow("zero") << "0" << invalid.arg("0");
        QTest::newRow("leading zero") << "0500" << invalid.arg("0500");
        QTest::newRow("slash") << "12/3" << invalid.arg("12/3");
        QTest::newRow("beyond") << "2147483647" << invalid.arg("2147483647");
        QTest::newRow("fraction") << "12.5" << invalid.arg("12.5");
        QTest::newRow("exponent") << "1e9" << invalid.arg("1e9");
    }

    void newNumberCheck()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/CompletedInvoices/20260010.txt", "x"));
        QVERIFY(testfiles::writeBytes(
            m_dir->path() + "/PelmorInvoicer/IncompleteInvoices/20260011.txt", "x"));
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/InvoiceSalesJournal.txt",
                                      journalRecord("20260001") + journalRecord("20260012") +
                                          journalRecord("  20260014") + journalRecord("1", "777") +
                                          journalRecord("20260013").left(80)));
        InvoiceNumbering numbering(*m_data, m_clock);
        QCOMPARE(numbering.checkNewNumber(typed).value_or(QString()), refusal);
    }

private:
    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
};

QTEST_GUILESS_MAIN(TestInvoiceNumbering)
#include "tst_invoicenumbering.moc"
