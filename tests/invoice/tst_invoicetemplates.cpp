#include "core/datafolder.h"
#include "invoice/invoicefiles.h"
#include "invoice/invoicetemplates.h"

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

InvoiceLine line(const QString &units, const QString &description, const QString &price,
                 const QString &taxable = QStringLiteral("True"))
{
    InvoiceLine l;
    l.cells = {units, description, QStringLiteral("12/8/2026"), price, QString(), taxable};
    return l;
}

QByteArray field(const QByteArray &text, int width)
{
    return text.leftJustified(width, ' ', true);
}

QByteArray record(const QByteArray &units, const QByteArray &description, const QByteArray &price,
                  const QByteArray &taxable)
{
    return field(units, 10) + field(description, 45) + field(price, 10) + field(taxable, 5);
}

InvoiceDocument invoiceOf(const QList<InvoiceLine> &lines)
{
    InvoiceDocument d;
    d.lines = lines;
    return d;
}

const QString TemplatePath = QStringLiteral("/PelmorInvoicer/Templates/Invoices/Kitchen.txt");

} // namespace

Q_DECLARE_METATYPE(InvoiceLine)

class tst_InvoiceTemplates : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    QString path(const QString &relative) const { return m_dir->path() + relative; }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(path("/PelmorInvoicer/Templates/Invoices")));
        QVERIFY(QDir().mkpath(path("/PelmorInvoicer/Narratives")));
        QVERIFY(QDir().mkpath(path("/PelmorInvoicer/IncompleteInvoices")));
        QVERIFY(QDir().mkpath(path("/CompletedInvoices")));
        m_data = std::make_unique<DataFolder>(m_dir->path());
    }

    void savesOnlyLinesWithUnitsAboveZero()
    {
        const InvoiceDocument d = invoiceOf(
            {line(QString(), QStringLiteral("Drain cleaning"), QStringLiteral("$85.00")),
             line(QStringLiteral("2"), QStringLiteral("Faucet"), QStringLiteral("$49.99")),
             line(QStringLiteral("0"), QStringLiteral("Washer"), QStringLiteral("$1.50")),
             line(QStringLiteral("1.5 Hrs"), QStringLiteral("General Labor"),
                  QStringLiteral("$45.00"), QStringLiteral("False")),
             line(QStringLiteral("1"), QStringLiteral("Trim"), QStringLiteral("12.50"))});
        QCOMPARE(invoicetemplates::save(*m_data, QStringLiteral("Kitchen"), d), std::nullopt);
        QCOMPARE(testfiles::readBytes(path(TemplatePath)),
                 record("2", "Faucet", "49.99", "True") +
                     record("1.5 Hrs", "General Labor", "45.00", "False") +
                     record("1", "Trim", "12.50", "True"));
    }

    void replacingAFiveLineTemplateKeepsTwo()
    {
        QList<InvoiceLine> five;
        for (int i = 1; i <= 5; ++i)
            five.append(line(QString::number(i), QStringLiteral("Item %1").arg(i), QStringLiteral("$1.00")));
        QCOMPARE(invoicetemplates::save(*m_data, QStringLiteral("Kitchen"), invoiceOf(five)), std::nullopt);
        QCOMPARE(QFileInfo(path(TemplatePath)).size(), 5 * 70);
        QVERIFY(invoicetemplates::exists(*m_data, QStringLiteral("Kitchen")));
        QCOMPARE(invoicetemplates::save(*m_data, QStringLiteral("Kitchen"), invoiceOf(five.mid(3))),
                 std::nullopt);
        QCOMPARE(testfiles::readBytes(path(TemplatePath)),
                 record("4", "Item 4", "1.00", "True") + record("5", "Item 5", "1.00", "True"));
    }

    void loadComputesTheAmounts()
    {
        QVERIFY(testfiles::writeBytes(path(TemplatePath),
                                      record("3", "Faucet", "49.99", "True") +
                                          record("2 Hrs", "General Labor", "45.00", "False")));
        const auto loaded = invoicetemplates::load(*m_data, QStringLiteral("Kitchen"));
        QCOMPARE(loaded.error, QString());
        QCOMPARE(loaded.warning, QString());
        QCOMPARE(loaded.lines.size(), 2);
        QCOMPARE(loaded.lines[0].cells, (std::array<QString, 6>{"3", "Faucet", "", "49.99", "$149.97", "True"}));
        QCOMPARE(loaded.lines[1].cells, (std::array<QString, 6>{"2 Hrs", "General Labor", "", "45.00", "$90.00", "False"}));
    }

    void damagedTemplates_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("warned");
        const QByteArray good = record("1", "Washer", "1.50", "True");
        QTest::newRow("odd length") << good + good.left(33) << 1 << false << true;
        QTest::newRow("101 records") << good.repeated(101) << 100 << false << true;
        QTest::newRow("price not a number") << good + record("1", "X", "abc", "True") << 0 << true << false;
        QTest::newRow("all 0xFF") << QByteArray(140, char(0xFF)) << 0 << true << false;
        QTest::newRow("shorter than a record") << good.left(69) << 0 << false << true;
    }
    void damagedTemplates()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lines);
        QFETCH(bool, refused);
        QFETCH(bool, warned);
        const auto loaded = invoicetemplates::decode(bytes);
        QCOMPARE(loaded.lines.size(), lines);
        QCOMPARE(!loaded.error.isEmpty(), refused);
        QCOMPARE(!loaded.warning.isEmpty(), warned);
    }

    void cutFieldsAreRefusedNamingTheLine_data()
    {
        QTest::addColumn<InvoiceLine>("second");
        QTest::addColumn<QString>("message");
        QTest::newRow("description of 46") << line("1", QString(46, 'd'), "$1.00")
            << "The description of line 2 is longer than the 45 characters a template holds.\r\nThe Template was not saved.";
        QTest::newRow("price of 11") << line("1", "Crane", "$12,345,678.00")
            << "The price of line 2 is longer than the 10 characters a template holds.\r\nThe Template was not saved.";
        QTest::newRow("units of 11") << line("12345678901", "Screws", "$0.01")
            << "The quantity of line 2 is longer than the 10 characters a template holds.\r\nThe Template was not saved.";
    }
    void cutFieldsAreRefusedNamingTheLine()
    {
        QFETCH(InvoiceLine, second);
        QFETCH(QString, message);
        QVERIFY(testfiles::writeBytes(path(TemplatePath), "keep"));
        const auto result = invoicetemplates::save(
            *m_data, QStringLiteral("Kitchen"),
            invoiceOf({line("1", QString(45, 'd'), "$1,234.00"), second}));
        QCOMPARE(result, std::optional<QString>(message));
        QCOMPARE(testfiles::readBytes(path(TemplatePath)), QByteArray("keep"));
    }

    void unsafeNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"a/b", "..", "../../CustomerData", "", "Kitchen.", "C:x"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void unsafeNamesAreRefused()
    {
        QFETCH(QString, name);
        const InvoiceDocument d = invoiceOf({line("1", "Faucet", "$1.00")});
        QVERIFY(invoicetemplates::save(*m_data, name, d).has_value());
        QVERIFY(!invoicetemplates::remove(*m_data, name));
        QVERIFY(!invoicetemplates::load(*m_data, name).error.isEmpty());
        QCOMPARE(testfiles::filesIn(m_dir->path()), QStringList());
    }

    void questionsNameTheTemplate()
    {
        QCOMPARE(invoicetemplates::existsQuestion("Kitchen"),
                 QStringLiteral("A Template Named Kitchenalready Exists.\r\n"
                                "Press Yes to Replace the Existing Template"));
        QCOMPARE(invoicetemplates::deletionQuestion("Kitchen"),
                 QStringLiteral("This will Delete Template\r\nKitchen.txt"));
    }

    void listAndDelete()
    {
        QVERIFY(testfiles::writeBytes(path("/PelmorInvoicer/Templates/Invoices/bath.txt"), ""));
        QVERIFY(testfiles::writeBytes(path(TemplatePath), ""));
        QVERIFY(QDir().mkpath(path("/PelmorInvoicer/Templates/Invoices/folder.txt")));
        QCOMPARE(invoicetemplates::list(*m_data), (QStringList{"bath", "Kitchen"}));
        QVERIFY(invoicetemplates::remove(*m_data, QStringLiteral("bath")));
        QCOMPARE(invoicetemplates::list(*m_data), QStringList{"Kitchen"});
    }

    void memoCommaStartsANewLine()
    {
        QVERIFY(invoicefiles::saveMemo(*m_data, QStringLiteral("Happy holidays,   from all of us\nSee you")));
        QCOMPARE(testfiles::readBytes(path("/InvoiceMemo.txt")),
                 QByteArray("Happy holidays,   from all of us\r\nSee you\r\n"));
        const auto memo = invoicefiles::readMemo(*m_data);
        QVERIFY(memo.present);
        QCOMPARE(memo.text, QStringLiteral("Happy holidays\r\nfrom all of us\r\nSee you\r\n"));
    }

    void hugeOrMissingTextFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("refused");
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("one 10 MB line") << QByteArray(10 << 20, 'A') << true << true;
        QTest::newRow("binary") << QByteArray("\0\xff\x01\"", 4) << true << false;
    }
    void hugeOrMissingTextFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(bool, refused);
        for (const QString &name : {QStringLiteral("/InvoiceMemo.txt"), QStringLiteral("/Narrative.txt")}) {
            if (present)
                QVERIFY(testfiles::writeBytes(path(name), bytes));
        }
        for (const auto &text : {invoicefiles::readMemo(*m_data), invoicefiles::readNarrativeTemplate(*m_data)}) {
            QCOMPARE(text.present, present);
            QCOMPARE(!text.error.isEmpty(), refused);
            if (refused)
                QVERIFY(text.text.isEmpty());
        }
    }

    void narrativeOfAnInvoice()
    {
        QCOMPARE(invoicefiles::saveNarrative(*m_data, QString(), "x"),
                 std::optional<QString>(QStringLiteral("You have not entered an Invoice Number")));
        QVERIFY(invoicefiles::saveNarrative(*m_data, "../x", "x").has_value());
        QCOMPARE(invoicefiles::saveNarrative(*m_data, "20260007", "Replaced the valve\nTested"), std::nullopt);
        QCOMPARE(testfiles::readBytes(path("/PelmorInvoicer/Narratives/20260007.txt")),
                 QByteArray("Replaced the valve\r\nTested\r\n"));
        QCOMPARE(invoicefiles::readNarrative(*m_data, "20260007").text,
                 QStringLiteral("Replaced the valve\r\nTested\r\n"));
    }

    void abandonedNarrativeGoesUnlessANumberKeepsIt_data()
    {
        QTest::addColumn<QString>("keeper");
        QTest::addColumn<bool>("kept");
        QTest::newRow("nothing") << QString() << false;
        QTest::newRow("partial invoice") << "/PelmorInvoicer/IncompleteInvoices/20260007.txt" << true;
        QTest::newRow("completed invoice") << "/CompletedInvoices/20260007.txt" << true;
        QTest::newRow("other partial") << "/PelmorInvoicer/IncompleteInvoices/20260008.txt" << false;
    }
    void abandonedNarrativeGoesUnlessANumberKeepsIt()
    {
        QFETCH(QString, keeper);
        QFETCH(bool, kept);
        const QString narrative = "/PelmorInvoicer/Narratives/20260007.txt";
        QVERIFY(testfiles::writeBytes(path(narrative), "old details\r\n"));
        QVERIFY(testfiles::writeBytes(path("/Backup" + narrative), "old details\r\n"));
        if (!keeper.isEmpty())
            QVERIFY(testfiles::writeBytes(path(keeper), "x"));
        invoicefiles::DiscardAbandonedNarrative(*m_data, "20260007");
        QCOMPARE(QFile::exists(path(narrative)), kept);
        QCOMPARE(QFile::exists(path("/Backup" + narrative)), kept);
    }

    void defaultCarrierAndTerms()
    {
        QCOMPARE(invoicefiles::defaultCarrier(*m_data), QStringLiteral("None"));
        QCOMPARE(invoicefiles::defaultTerms(*m_data), std::nullopt);
        QVERIFY(!invoicefiles::saveDefaultCarrier(*m_data, QString()));
        QVERIFY(!QFile::exists(path("/ShipVia.txt")));
        QVERIFY(testfiles::writeBytes(path("/Backup/ShipVia.txt"), "old\r\n"));
        QVERIFY(invoicefiles::saveDefaultCarrier(*m_data, QStringLiteral("UPS - \"Ground\"")));
        QVERIFY(invoicefiles::saveDefaultTerms(*m_data, QStringLiteral("Net 30")));
        QCOMPARE(testfiles::readBytes(path("/ShipVia.txt")), QByteArray("UPS - \"Ground\"\r\n"));
        QVERIFY(!QFile::exists(path("/Backup/ShipVia.txt")));
        QCOMPARE(testfiles::readBytes(path("/StatementTerms.txt")), QByteArray("Net 30\r\n"));
        QCOMPARE(invoicefiles::defaultCarrier(*m_data), QStringLiteral("UPS - \"Ground\""));
        QCOMPARE(invoicefiles::defaultTerms(*m_data), std::optional<QString>(QStringLiteral("Net 30")));
    }
};

QTEST_GUILESS_MAIN(tst_InvoiceTemplates)
#include "tst_invoicetemplates.moc"
