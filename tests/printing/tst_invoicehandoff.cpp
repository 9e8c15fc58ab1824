// The kept invoice PDF and its hand-off to the mail program, with a stand-in
// xdg-email on PATH that records the arguments it gets.
#include "printing/invoicepdf.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "pdfwords.h"
#include "printing/invoicemail.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "recordingpage.h"
#include "scripteddesktop.h"
#include "scriptedprompts.h"
#include "standinmail.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Posted(2026, 3, 14);

InvoicePrintout invoice(const QString &number)
{
    InvoicePrintout out;
    out.number = number;
    out.account = QStringLiteral("N1");
    out.date = QStringLiteral("3/14/2026");
    out.soldTo = {QStringLiteral("Nia Moss"), QStringLiteral("4 Elm St"), {}, {}, {}, {}};
    out.today = Posted;
    InvoiceLine line;
    line[InvoiceLine::Units] = QStringLiteral("2");
    line[InvoiceLine::Description] = QStringLiteral("Washer");
    line[InvoiceLine::Amount] = QStringLiteral("$2.00");
    out.lines = {line};
    out.totals.grandTotal = QStringLiteral("$2.00");
    return out;
}

const QString NoMail = QStringLiteral("No mail program could be started.\r\n"
                                      "The Invoice PDF is in this folder:\r\n");

} // namespace

class TestInvoiceHandOff : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_printouts = std::make_unique<Printouts>(*m_data, m_pages, m_prompts, m_clock);
        m_prompts.clear();
        m_desktop = ScriptedDesktop();
        m_mail = std::make_unique<StandInMail>();
        m_settings.business[0] = QStringLiteral("Acme \"Pipes\" & Co");
    }
    void cleanup() { m_mail.reset(); }

    void addressesGoAsOneArgumentOrAreRefused_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("handed");
        QTest::newRow("plain") << "nia@example.com" << true;
        QTest::newRow("blank and quotes") << "Nia \"Moss\" o'neil@example.com" << true;
        QTest::newRow("command substitution") << "$(touch pwned)@example.com" << true;
        QTest::newRow("backquotes and pipe") << "`touch pwned`|x@example.com" << true;
        QTest::newRow("line break") << "nia@example.com\r\nBcc: all@example.com" << false;
        QTest::newRow("tab") << "nia@example.com\tx" << false;
        QTest::newRow("unicode line separator") << QString("nia@example.com\u2028x") << false;
        QTest::newRow("option") << "--attach=/etc/passwd@x" << false;
        QTest::newRow("smuggled attachment") << "nia@example.com?attach=/etc/passwd" << false;
        QTest::newRow("second recipient") << "nia@example.com,eve@example.com" << false;
        QTest::newRow("mailto") << "mailto:nia@example.com" << false;
        QTest::newRow("no at sign") << "nia" << false;
    }
    void addressesGoAsOneArgumentOrAreRefused()
    {
        QFETCH(QString, address);
        QFETCH(bool, handed);
        QDir::setCurrent(m_dir->path());
        InvoiceHandOff(*m_data, *m_printouts, m_prompts, &m_desktop)
            .handToMail("/data/InvoicePDFs/2026/7.pdf", "7", address, m_settings.business[0]);
        QVERIFY(!QFile::exists(m_dir->filePath("pwned")));
        if (!handed) {
            QVERIFY(!m_mail->called());
            QCOMPARE(m_prompts.shown.size(), 1);
            QCOMPARE(m_prompts.shown.at(0).text,
                     QString("The Customer's E-mail Address cannot be handed to the mail program.\r\n"
                             "Correct it on the Customer screen first."));
            QCOMPARE(m_prompts.shown.at(0).title, QString("E-mail Invoice"));
            return;
        }
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(m_mail->arguments(), QStringList({"--utf8", "--subject", "Invoice 7 from Acme \"Pipes\" & Co",
                                          "--body",
                                          "Please find attached invoice 7.\n\nThank you for your "
                                          "business.\nAcme \"Pipes\" & Co\n",
                                          "--attach", "/data/InvoicePDFs/2026/7.pdf", address}));
    }

    void withoutAMailProgramTheFolderOpens_data()
    {
        QTest::addColumn<bool>("onPath");
        QTest::newRow("mail program fails") << true;
        QTest::newRow("no xdg-email") << false;
    }
    void withoutAMailProgramTheFolderOpens()
    {
        QFETCH(bool, onPath);
        m_mail->failWith(3);
        if (!onPath)
            m_mail->remove();
        InvoiceHandOff(*m_data, *m_printouts, m_prompts, &m_desktop)
            .handToMail("/data/InvoicePDFs/2026/7.pdf", "7", "nia@example.com", "Acme");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, NoMail + "/data/InvoicePDFs/2026");
        QCOMPARE(m_desktop.opened, QStringList{"/data/InvoicePDFs/2026"});
    }

    void keptPdfHoldsTheInvoiceAndIsNeverWrittenOver()
    {
        InvoiceHandOff handOff(*m_data, *m_printouts, m_prompts, &m_desktop);
        const std::optional<QString> kept = handOff.keepPosted(m_settings, invoice("7"), Posted);
        QVERIFY(kept);
        QCOMPARE(*kept, m_dir->filePath("InvoicePDFs/2026/7.pdf"));
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(QDir(m_dir->filePath("InvoicePDFs/2026")).entryList(QDir::Files), QStringList{"7.pdf"});
        if (pdfToTextInstalled()) {
            QStringList words;
            for (const PdfWord &word : pdfWords(*kept))
                words.append(word.text);
            for (const char *word : {"INVOICE", "Washer", "Nia", "$2.00"})
                QVERIFY2(words.contains(word), word);
        }
        // Save as PDF of a kept invoice shows it instead of drawing it again.
        const QByteArray before = testfiles::readBytes(*kept);
        handOff.saveAsPdf(m_settings, invoice("7"), Posted);
        QCOMPARE(m_desktop.opened, QStringList{m_dir->filePath("InvoicePDFs/2026")});
        QCOMPARE(testfiles::readBytes(*kept), before);
        handOff.saveAsPdf(m_settings, invoice("8"), Posted);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, "The Invoice was saved as\r\n" +
                                                 QDir::toNativeSeparators(m_dir->filePath("InvoicePDFs/2026/8.pdf")));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Save as PDF"));
    }

    void aPdfThatCannotBeKeptIsReported_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("message");
        const QString noName = "No PDF can be kept for Invoice %1:\r\nits number or date cannot name a file.";
        QTest::newRow("path in the number") << "../../x" << Posted << noName.arg("../../x");
        QTest::newRow("no date") << "7" << QDate() << noName.arg("7");
        QTest::newRow("folder is a file") << "7" << Posted
                                          << "The PDF of Invoice 7 could not be written:\r\n%1\r\n"
                                             "The folder %2 could not be made.";
    }
    void aPdfThatCannotBeKeptIsReported()
    {
        QFETCH(QString, number);
        QFETCH(QDate, date);
        QFETCH(QString, message);
        QVERIFY(testfiles::writeBytes(m_dir->filePath("InvoicePDFs"), "not a folder"));
        InvoiceHandOff handOff(*m_data, *m_printouts, m_prompts, &m_desktop);
        QVERIFY(!handOff.keepPosted(m_settings, invoice(number), date));
        if (message.contains("%1"))
            message = message.arg(QDir::toNativeSeparators(m_dir->filePath("InvoicePDFs/2026/7.pdf")),
                                  QDir::toNativeSeparators(m_dir->filePath("InvoicePDFs/2026")));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, message);
        QCOMPARE(m_prompts.shown.at(0).title, QString("Invoice PDF"));
        QCOMPARE(testfiles::readBytes(m_dir->filePath("InvoicePDFs")), QByteArray("not a folder"));
        QVERIFY(!QFile::exists(m_dir->filePath("x.pdf")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<Printouts> m_printouts;
    std::unique_ptr<StandInMail> m_mail;
    PrintSettings m_settings;
    ScriptedPrompts m_prompts;
    ScriptedDesktop m_desktop;
    RecordingPageSource m_pages;
    FixedClock m_clock{QDateTime(Posted, QTime(10, 0))};
};

QTEST_MAIN(TestInvoiceHandOff)
#include "tst_invoicehandoff.moc"
