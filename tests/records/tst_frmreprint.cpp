#include "core/appstate.h"
#include "customerbytes.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "fakenavigator.h"
#include "postedbytes.h"
#include "printing/printouts.h"
#include "recordingpage.h"
#include "records/frmreprint.h"
#include "scripteddesktop.h"
#include "scriptedprompts.h"
#include "standinmail.h"
#include "screenaccess.h"
#include "setup/businesssettings.h"
#include "testfiles.h"
#include "ui/navigator.h"

#include <QAction>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

postedbytes::Image imageOf(const QString &number, const QString &name, const QString &date)
{
    postedbytes::Image i;
    i.number = number;
    i.account = "ACC" + number;
    i.name = name;
    i.date = date;
    i.amount = "$10.40";
    i.billTo = QStringList{name, "1 Main St", "", "Springfield", "IL", "62701"};
    i.shipTo = QStringList{name, "Dock 4", "", "Springfield", "IL", "62702"};
    i.shipVia = "UPS";
    i.shipDate = date;
    i.invoiceNumber = number;
    i.accountNumber = i.account;
    i.reference = "PO 7, rush";
    i.attention = "Smith, J.";
    i.lines = {{"2", "Widget", date, "$5.00", "$10.00", "T"}};
    i.totals = QStringList{"10", "0.4", "0", "10.4", "0", "0", "0"};
    return i;
}

using screen::column;

} // namespace

class tst_frmReprint final : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<BusinessSettings> m_settings;
    std::unique_ptr<Printouts> m_printouts;
    std::unique_ptr<frmReprint> m_screen;
    ApplicationState m_state;
    ScriptedPrompts m_prompts;
    FakeNavigator m_navigator;
    RecordingPageSource m_pages;
    FixedClock m_clock{QDateTime(QDate(2024, 3, 5), QTime(9, 0))};

    QString root() const { return m_dir->path(); }
    template <typename T> T *child(const QString &name) { return screen::child<T>(m_screen.get(), name); }
    void click(const QString &name) { screen::click(m_screen.get(), name); }
    void writeImage(const QString &number, const QString &name, const QString &date)
    {
        QVERIFY(testfiles::writeBytes(root() + "/CompletedInvoices/" + number + ".txt",
                                      postedbytes::image(imageOf(number, name, date))));
    }
    void clickRow(int row)
    {
        auto *grid = child<QTableView>("fgReceivables");
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void open()
    {
        m_settings = std::make_unique<BusinessSettings>(
            *m_data, m_state, [](const QByteArray &) { return std::optional<QSizeF>(); });
        m_printouts = std::make_unique<Printouts>(*m_data, m_pages, m_prompts, m_clock);
        m_screen = std::make_unique<frmReprint>(*m_settings, *m_data, m_prompts, m_navigator,
                                                m_pages, *m_printouts, m_clock);
        m_screen->navigateTo();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(m_dir->path() + "/Backup"));
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_prompts.clear();
        m_navigator.shown.clear();
        m_pages = RecordingPageSource();
    }
    void cleanup()
    {
        m_screen.reset();
        m_printouts.reset();
        m_settings.reset();
        m_data.reset();
        m_dir.reset();
    }

    void listExportsForSpreadsheets()
    {
        writeImage("8", "Baker", "3/2/2024");
        writeImage("7", "Moss, \"Nia\"", "3/1/2024");
        open();
        ScriptedDesktop desktop;
        m_screen->setDesktop(desktop);
        desktop.saveAnswers.append(root() + "/list.csv");
        click("cmdExportCsv");
        QCOMPARE(desktop.asked, QStringList{"Export to CSV|CompletedInvoices.csv"});
        QCOMPARE(testfiles::readBytes(root() + "/list.csv"),
                 QByteArray("\xEF\xBB\xBFInvoice Number,Account Number,Account Name,Invoice Date,"
                            "Invoice Date (ISO),Amount,Amount (Number)\r\n"
                            "7,ACC7,\"Moss, \"\"Nia\"\"\",3/1/2024,2024-03-01,$10.40,10.40\r\n"
                            "8,ACC8,Baker,3/2/2024,2024-03-02,$10.40,10.40\r\n"));
    }

    void shownInvoiceIsSavedAsPdfAndHandedToMail()
    {
        fixture::Customer nia = fixture::person("ACC7", "Nia", "Moss");
        nia.email = "nia@example.com";
        fixture::writeFile(root() + "/CustomerData.txt", fixture::bytes(nia));
        writeImage("7", "Nia Moss", "3/1/2024");
        open();
        ScriptedDesktop desktop;
        m_screen->setDesktop(desktop);
        clickRow(0);
        QCOMPARE(child<QPushButton>("cmdSavePdf")->text(), QString("Save as PDF"));
        click("cmdSavePdf");
        const QString kept = root() + "/InvoicePDFs/2024/7.pdf";
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, "The Invoice was saved as\r\n" + kept);
        QCOMPARE(m_prompts.shown.at(0).title, QString("Save as PDF"));
        QVERIFY(QFileInfo(kept).size() > 0);
        click("cmdSavePdf"); // a kept PDF is shown, never drawn again
        QCOMPARE(desktop.opened, QStringList{root() + "/InvoicePDFs/2024"});

        const StandInMail mail;
        QCOMPARE(child<QPushButton>("cmdEmail")->text(), QString("E-mail Invoice"));
        click("cmdEmail");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(mail.arguments().mid(5), QStringList({"--attach", kept, "nia@example.com"}));
    }

    void noImagesReturnsToTheMenu()
    {
        open();
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("No Completed Invoices Exist"));
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    }

    void listSortsByDateBothWays()
    {
        writeImage("30", "Adams", "3/5/2024");
        writeImage("100", "Zeta", "1/1/2024");
        writeImage("7", "Moss", "12/31/2023");
        open();
        QVERIFY(m_prompts.shown.isEmpty());
        auto *grid = child<QTableView>("fgReceivables");
        QCOMPARE(column(grid, 0), (QStringList{"7", "30", "100"}));
        QCOMPARE(column(grid, 5), (QStringList{"2023465", "2024165", "2024101"}));
        QCOMPARE(child<QDateEdit>("DTPicker1")->date(), QDate(2024, 3, 6));

        child<QAction>("mnuSort")->trigger();
        QVERIFY(child<QGroupBox>("fraSort")->isVisible());
        click("optCol_1");
        click("optSort_0");
        click("cmdMode");
        QCOMPARE(column(grid, 0), (QStringList{"7", "100", "30"}));
        QVERIFY(!child<QGroupBox>("fraSort")->isVisible());
        child<QAction>("mnuSort")->trigger();
        click("optSort_1");
        click("cmdMode");
        QCOMPARE(column(grid, 0), (QStringList{"30", "100", "7"}));
    }

    void detailsAndReselect()
    {
        writeImage("30", "Adams", "3/5/2024");
        open();
        clickRow(0);
        auto *frame = child<QGroupBox>("fraInvoice");
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->title(), QStringLiteral("Details for Invoice 30"));
        QCOMPARE(child<QLabel>("Label1_9")->text(), QStringLiteral("PO 7, rush"));
        QCOMPARE(child<QLineEdit>("txtAttn")->text(), QStringLiteral("Smith, J."));
        QCOMPARE(child<QLabel>("Label1_19")->text(), QStringLiteral("3/5/2024"));
        QCOMPARE(child<QLabel>("lblInvoice_2")->text(), QStringLiteral("$10.40"));
        QCOMPARE(child<QLabel>("lblShipTo_1")->text(), QStringLiteral("Dock 4"));
        QCOMPARE(child<QLabel>("Label1_1")->text(), QStringLiteral("Sales Tax"));
        QVERIFY(!child<QAction>("mnuSort")->isEnabled());
        click("cmdHide");
        QVERIFY(!frame->isVisible());
        QVERIFY(child<QTableView>("fgReceivables")->isVisible());
        QVERIFY(child<QAction>("mnuSort")->isEnabled());
    }

    void missingImageIsExplained()
    {
        writeImage("30", "Adams", "3/5/2024");
        open();
        QFile::remove(root() + "/CompletedInvoices/30.txt");
        clickRow(0);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Invoice Image Not Found"));
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("An Image does not exist for this Transaction\r\nIt most likely is a "
                                "result of\r\na Service Attention Completion Posting\r\nor an E-Funds "
                                "Received\r\nShown for Reference Only"));
        QVERIFY(!child<QGroupBox>("fraInvoice")->isVisible());
    }

    void reprintStoresTypedMemoAndPrintsTheImage()
    {
        writeImage("30", "Adams", "3/5/2024");
        open();
        clickRow(0);
        QTest::keyClicks(child<QLineEdit>("txtMemo"), "Thanks again");
        click("cmdPrint");
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceMemo.txt"), QByteArray("Thanks again\r\n"));
        RecordingPage *page = m_pages.last();
        QVERIFY(page);
        const QStringList texts = page->texts();
        QVERIFY(texts.contains("INVOICE"));
        QVERIFY(texts.contains("Widget"));
        QVERIFY(texts.contains("Dock 4"));
        QVERIFY(texts.contains("$10.40"));
        QCOMPARE(page->of(RecordingPage::Kind::EndDocument).size(), 1);
    }

    void memoBoxEmptyAtOpeningAndClearRemovesBackup()
    {
        writeImage("30", "Adams", "3/5/2024");
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceMemo.txt", "old\r\n"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/InvoiceMemo.txt", "old\r\n"));
        open();
        clickRow(0);
        QVERIFY(child<QLineEdit>("txtMemo")->text().isEmpty());
        m_pages.answer = PageSource::Choice::Cancelled;
        click("cmdPrint");
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("The Document will not be Printed"));
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceMemo.txt"), QByteArray("old\r\n"));
        click("cmdMemo");
        QVERIFY(!QFileInfo::exists(root() + "/InvoiceMemo.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/InvoiceMemo.txt"));
    }

    void summaryReportAsksTwice()
    {
        writeImage("30", "Adams", "3/5/2024");
        open();
        click("cmdReport");
        RecordingPage *page = m_pages.last();
        QVERIFY(page);
        QVERIFY(page->texts().contains("Invoices Report"));
        QVERIFY(page->texts().contains("$10.40"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void deleteAtDefaultDateKeepsTomorrow()
    {
        writeImage("1", "A", "3/4/2024");
        writeImage("2", "B", "3/5/2024");
        writeImage("3", "C", "3/6/2024");
        open();
        m_prompts.answerNext(true);
        click("cmdKill");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("This will Delete All Invoices before 3/6/2024"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Delete Invoice Records"));
        QCOMPARE(testfiles::filesIn(root() + "/CompletedInvoices"), QStringList{"/3.txt"});
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    }

    void pickerAfterTodayBecomesToday()
    {
        writeImage("1", "A", "3/4/2024");
        open();
        auto *picker = child<QDateEdit>("DTPicker1");
        picker->setFocus();
        picker->setDate(QDate(2024, 4, 1));
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(picker->date(), QDate(2024, 3, 5));
        QVERIFY(m_prompts.shown.isEmpty());
    }
};

QTEST_MAIN(tst_frmReprint)
#include "tst_frmreprint.moc"
