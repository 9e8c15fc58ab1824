#include "core/appstate.h"
#include "core/datafolder.h"
#include "invoice/incompleteinvoices.h"
#include "invoice/partialinvoice.h"

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QDate Today(2026, 12, 8);

InvoiceLine line(const QString &units, const QString &description, const QString &date,
                 const QString &price, const QString &amount, const QString &taxable)
{
    InvoiceLine l;
    l.cells = {units, description, date, price, amount, taxable};
    return l;
}

InvoiceDocument twoLineInvoice()
{
    InvoiceDocument d;
    d.number = QStringLiteral(" 20260007 ");
    d.AcctNo = QStringLiteral("MOSS01");
    d.Customer = QStringLiteral("Nia Moss");
    d.Street = QStringLiteral("12 Main St, Unit 4");
    d.Address2 = QString();
    d.Address3 = QStringLiteral("Springfield");
    d.State = QStringLiteral("IL");
    d.Address4 = QStringLiteral("62701");
    d.Tel = QStringLiteral("555-0101");
    d.shipTo = {QStringLiteral("Nia Moss"), QStringLiteral("Dock 3"), QString(),
                QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62701")};
    d.reference = QStringLiteral("PO 17, rush");
    d.attention = QStringLiteral("Front desk, Bo");
    d.lines = {line(QStringLiteral("2"), QStringLiteral("Faucet"), QString(),
                    QStringLiteral("$49.99"), QStringLiteral("$99.98"), QStringLiteral("True")),
               line(QStringLiteral("1.5 Hrs"), QStringLiteral("General Labor"),
                    QStringLiteral("12/1/2026"), QStringLiteral("$45.00"),
                    QStringLiteral("$67.50"), QStringLiteral("False"))};
    return d;
}

// The layout as written, line by line.
QByteArray twoLineFile()
{
    return "20260007\r\nMOSS01\r\nNia Moss\r\n12/8/2026\r\n"
           "\"Nia Moss\"\r\n\"12 Main St, Unit 4\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n"
           "\"62701\"\r\n"
           "\"Nia Moss\"\r\n\"Dock 3\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n"
           "20260007\r\nMOSS01\r\nPO 17, rush\r\nFront desk, Bo\r\n2\r\n"
           "2\r\nFaucet\r\n12/8/2026\r\n$49.99\r\n$99.98\r\nTrue\r\n"
           "1.5 Hrs\r\nGeneral Labor\r\n12/1/2026\r\n$45.00\r\n$67.50\r\nFalse\r\n";
}

// A well-formed file with one of its lines (counting from 1) replaced.
QByteArray withLine(int number, const QByteArray &value)
{
    QList<QByteArray> lines = twoLineFile().split('\n');
    lines[number - 1] = value + '\r';
    return lines.join('\n');
}

} // namespace

class tst_PartialInvoice : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;

    QString partialPath(const QString &name) const
    {
        return m_dir->path() + "/PelmorInvoicer/IncompleteInvoices/" + name;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(m_dir->path() + "/PelmorInvoicer/IncompleteInvoices"));
        QVERIFY(QDir().mkpath(m_dir->path() + "/Backup"));
        m_data = std::make_unique<DataFolder>(m_dir->path());
    }

    void savedFileFollowsTheLayoutAndDatesEmptyLines()
    {
        InvoiceDocument d = twoLineInvoice();
        d.number = d.number.trimmed();
        QCOMPARE(partialinvoice::SavePartialInvoice(*m_data, d, Today), std::nullopt);
        const QByteArray bytes = testfiles::readBytes(partialPath("20260007.txt"));
        QCOMPARE(bytes, twoLineFile());
        QCOMPARE(bytes.count("\r\n"), 33);
        QCOMPARE(d.lines[0][InvoiceLine::Date], QStringLiteral("12/8/2026"));
        QCOMPARE(d.lines[1][InvoiceLine::Date], QStringLiteral("12/1/2026"));
    }

    void savingAgainReplacesTheFile()
    {
        InvoiceDocument d = twoLineInvoice();
        d.number = d.number.trimmed();
        QVERIFY(testfiles::writeBytes(partialPath("20260007.txt"), QByteArray(5000, 'x')));
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/Backup/PelmorInvoicer/IncompleteInvoices/20260007.txt", "old"));
        QCOMPARE(partialinvoice::SavePartialInvoice(*m_data, d, Today), std::nullopt);
        QCOMPARE(testfiles::readBytes(partialPath("20260007.txt")), twoLineFile());
        QVERIFY(!QFile::exists(m_dir->path() + "/Backup/PelmorInvoicer/IncompleteInvoices/20260007.txt"));
    }

    void unsafeNumberIsNotSaved_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("empty") << QString();
        QTest::newRow("parent folder") << QStringLiteral("../CustomerData");
        QTest::newRow("slash") << QStringLiteral("2026/7");
    }
    void unsafeNumberIsNotSaved()
    {
        QFETCH(QString, number);
        InvoiceDocument d = twoLineInvoice();
        d.number = number;
        QVERIFY(partialinvoice::SavePartialInvoice(*m_data, d, Today).has_value());
        QCOMPARE(testfiles::filesIn(m_dir->path()), QStringList());
    }

    void fileReadsBackIntoTheDocument()
    {
        const partialinvoice::Loaded loaded =
            partialinvoice::decode(twoLineFile(), QStringLiteral("20260007"), Today);
        QVERIFY2(loaded.ok(), qPrintable(loaded.error));
        InvoiceDocument expected = twoLineInvoice();
        expected.number = QStringLiteral("20260007");
        expected.Tel.clear();
        expected.lines[0][InvoiceLine::Date] = QStringLiteral("12/8/2026");
        expected.CreationDate = Today;
        const InvoiceDocument &d = loaded.document;
        QCOMPARE(d.soldTo(), expected.soldTo());
        QCOMPARE(d.shipTo, expected.shipTo);
        QCOMPARE(d.number, expected.number);
        QCOMPARE(d.reference, expected.reference);
        QCOMPARE(d.attention, expected.attention);
        QCOMPARE(d.lines, expected.lines);
        QCOMPARE(d.CreationDate, expected.CreationDate);
        QCOMPARE(d.Misc, Money());
    }

    void damagedFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cut short") << twoLineFile().left(200);
        QTest::newRow("count abc") << withLine(21, "abc");
        QTest::newRow("count -1") << withLine(21, "-1");
        QTest::newRow("count 101") << withLine(21, "101");
        QTest::newRow("count 3, two lines") << withLine(21, "3");
        QTest::newRow("NUL bytes") << withLine(19, QByteArray("PO\0 17", 6));
        QTest::newRow("other number") << withLine(17, "20260008");
        QTest::newRow("number names a parent") << withLine(17, "../20260007");
        QTest::newRow("account with slash") << withLine(18, "A/B");
        QTest::newRow("empty account") << withLine(18, "");
        QTest::newRow("empty") << QByteArray();
    }
    void damagedFileIsRefused()
    {
        QFETCH(QByteArray, bytes);
        const partialinvoice::Loaded loaded =
            partialinvoice::decode(bytes, QStringLiteral("20260007"), Today);
        QVERIFY(!loaded.ok());
        QCOMPARE(loaded.document.LineCount(), 0);
        QVERIFY(loaded.document.number.isEmpty());
    }

    void unreadableDateIsToday()
    {
        const auto loaded = partialinvoice::decode(withLine(4, "someday"),
                                                   QStringLiteral("20260007"), Today);
        QVERIFY(loaded.ok());
        QCOMPARE(loaded.document.CreationDate, Today);
    }

    void listShowsTheFirstFourLines()
    {
        QVERIFY(testfiles::writeBytes(partialPath("20260007.txt"), twoLineFile()));
        QVERIFY(testfiles::writeBytes(partialPath("x.txt"), "A\r\nB"));
        QVERIFY(testfiles::writeBytes(partialPath("notes.doc"), "not a partial"));
        IncompleteInvoices list(*m_data);
        QSignalSpy changed(&list, &IncompleteInvoices::changed);
        list.LoadIncomplete();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(list.IncompleteCount(), 2);
        QCOMPARE(list.rows()[0].cells(), (QStringList{"20260007", "MOSS01", "Nia Moss", "12/8/2026"}));
        QCOMPARE(list.rows()[1].cells(), (QStringList{"A", "B", "", ""}));
    }

    void resumeSetsTheDocumentAndTheFlag()
    {
        QVERIFY(testfiles::writeBytes(partialPath("20260007.txt"), withLine(4, "11/30/2026")));
        IncompleteInvoices list(*m_data);
        list.LoadIncomplete();
        InvoiceDocument invoice = twoLineInvoice();
        invoice.Misc = Money::fromDouble(5);
        ApplicationState state;
        QCOMPARE(list.resume(0, invoice, state, Today), std::nullopt);
        QVERIFY(state.resumedPartial);
        QCOMPARE(invoice.AcctNo, QStringLiteral("MOSS01"));
        QCOMPARE(invoice.Tel, QString());
        QCOMPARE(invoice.LineCount(), 2);
        QCOMPARE(invoice.Misc, Money());
        QCOMPARE(invoice.CreationDate, QDate(2026, 11, 30));
    }

    void postingRemovesTheFileItWasLoadedFrom()
    {
        QVERIFY(testfiles::writeBytes(partialPath("20260007.txt"), twoLineFile()));
        QVERIFY(testfiles::writeBytes(partialPath("20260006.txt"), withLine(17, "20260006")));
        IncompleteInvoices list(*m_data);
        list.LoadIncomplete();
        InvoiceDocument invoice;
        ApplicationState state;
        QCOMPARE(list.resume(1, invoice, state, Today), std::nullopt);
        // The list is rebuilt meanwhile (another invoice saved): row 1 names another file.
        QVERIFY(testfiles::writeBytes(partialPath("20260005.txt"), withLine(17, "20260005")));
        list.LoadIncomplete();
        list.PostedResumed();
        QCOMPARE(testfiles::filesIn(m_dir->path() + "/PelmorInvoicer/IncompleteInvoices"),
                 (QStringList{"/20260005.txt", "/20260006.txt"}));
        QCOMPARE(list.IncompleteCount(), 2);
        QCOMPARE(list.resumedFile(), QString());
    }

    void failedResumeChangesNothing()
    {
        QVERIFY(testfiles::writeBytes(partialPath("20260007.txt"), withLine(21, "101")));
        QVERIFY(testfiles::writeBytes(partialPath("20260009.txt"), twoLineFile()));
        IncompleteInvoices list(*m_data);
        list.LoadIncomplete();
        QFile::remove(partialPath("20260009.txt"));
        InvoiceDocument invoice = twoLineInvoice();
        ApplicationState state;
        for (int row : {1, 0}) {
            const auto message = list.resume(row, invoice, state, Today);
            QVERIFY(message.has_value());
            QVERIFY2(message->startsWith("Partial Invoice 20260007 "), qPrintable(*message));
            QVERIFY(!state.resumedPartial);
            QCOMPARE(invoice.lines, twoLineInvoice().lines);
            QCOMPARE(list.IncompleteCount(), 1);
        }
    }

    void purgeUsesTheFileNameNotItsFirstLine()
    {
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/CustomerData.txt", "customers"));
        QVERIFY(testfiles::writeBytes(partialPath("20260007.txt"), withLine(1, "../CustomerData")));
        QVERIFY(testfiles::writeBytes(partialPath("20260008.txt"), twoLineFile()));
        IncompleteInvoices list(*m_data);
        list.LoadIncomplete();
        QCOMPARE(list.rows()[0].number, QStringLiteral("../CustomerData"));
        list.purge(0);
        QCOMPARE(list.IncompleteCount(), 1);
        QVERIFY(QFile::exists(m_dir->path() + "/CustomerData.txt"));
        QVERIFY(!QFile::exists(partialPath("20260007.txt")));
        list.purgeAll();
        QCOMPARE(list.IncompleteCount(), 0);
        QCOMPARE(testfiles::filesIn(m_dir->path()), QStringList{"/CustomerData.txt"});
    }
};

QTEST_GUILESS_MAIN(tst_PartialInvoice)
#include "tst_partialinvoice.moc"
