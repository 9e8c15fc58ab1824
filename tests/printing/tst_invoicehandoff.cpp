// The kept invoice PDF and its hand-off to a stand-in xdg-email that records its
// arguments.
#include "printing/invoicepdf.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "recordingpage.h"
#include "scripteddesktop.h"
#include "scriptedprompts.h"
#include "standinmail.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestInvoiceHandOff : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts.clear();
        m_desktop = ScriptedDesktop();
        m_mail = std::make_unique<StandInMail>();
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
        QTest::newRow("line separator") << QString("nia@example.com\u2028x") << false;
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
        QDir::setCurrent(m_dir.path());
        handOff().handToMail("/d/InvoicePDFs/2026/7.pdf", "7", address, "Acme \"Pipes\" & Co");
        QVERIFY(!QFile::exists(m_dir.filePath("pwned")));
        QCOMPARE(m_mail->called(), handed);
        if (!handed) {
            QCOMPARE(m_prompts.shown.size(), 1);
            QCOMPARE(m_prompts.shown.at(0).text,
                     QString("The Customer's E-mail Address cannot be handed to the mail program.\r\n"
                             "Correct it on the Customer screen first."));
            QCOMPARE(m_prompts.shown.at(0).title, QString("E-mail Invoice"));
            return;
        }
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(m_mail->arguments(),
                 QStringList({"--utf8", "--subject", "Invoice 7 from Acme \"Pipes\" & Co", "--body",
                              "Please find attached invoice 7.\n\nThank you for your business.\n"
                              "Acme \"Pipes\" & Co\n",
                              "--attach", "/d/InvoicePDFs/2026/7.pdf", address}));
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
        handOff().handToMail("/d/InvoicePDFs/2026/7.pdf", "7", "nia@example.com", "Acme");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("No mail program could be started.\r\n"
                                                     "The Invoice PDF is in this folder:\r\n/d/InvoicePDFs/2026"));
        QCOMPARE(m_desktop.opened, QStringList{"/d/InvoicePDFs/2026"});
    }

    void unsafeNumberOrDateNeverBecomesAPath_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QDate>("date");
        QTest::newRow("path in the number") << "../../x" << QDate(2026, 3, 14);
        QTest::newRow("no date") << "7" << QDate();
    }
    void unsafeNumberOrDateNeverBecomesAPath()
    {
        QFETCH(QString, number);
        QFETCH(QDate, date);
        InvoicePrintout invoice;
        invoice.number = number;
        QVERIFY(!handOff().keepPosted(PrintSettings(), invoice, date));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, "No PDF can be kept for Invoice " + number +
                                                 ":\r\nits number or date cannot name a file.");
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

private:
    InvoiceHandOff handOff() { return InvoiceHandOff(m_data, m_printouts, m_prompts, &m_desktop); }

    QTemporaryDir m_dir;
    DataFolder m_data{m_dir.path()};
    ScriptedPrompts m_prompts;
    RecordingPageSource m_pages;
    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    Printouts m_printouts{m_data, m_pages, m_prompts, m_clock};
    ScriptedDesktop m_desktop;
    std::unique_ptr<StandInMail> m_mail;
};

QTEST_MAIN(TestInvoiceHandOff)
#include "tst_invoicehandoff.moc"
