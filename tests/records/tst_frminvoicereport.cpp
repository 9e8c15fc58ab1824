#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "fakenavigator.h"
#include "postedbytes.h"
#include "recordingpage.h"
#include "records/frminvoicereport.h"
#include "scripteddesktop.h"
#include "scriptedprompts.h"
#include "screenaccess.h"
#include "setup/businesssettings.h"
#include "testfiles.h"
#include "ui/navigator.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

using screen::column;

using postedbytes::journal;

} // namespace

class tst_frmInvoiceReport final : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<BusinessSettings> m_settings;
    std::unique_ptr<frmInvoiceReport> m_screen;
    ApplicationState m_state;
    ScriptedPrompts m_prompts;
    FakeNavigator m_navigator;
    RecordingPageSource m_pages;
    FixedClock m_clock{QDateTime(QDate(2024, 3, 20), QTime(9, 0))};

    QString root() const { return m_dir->path(); }
    template <typename T> T *child(const QString &name) { return screen::child<T>(m_screen.get(), name); }
    void click(const QString &name) { screen::click(m_screen.get(), name); }
    QStringList totals()
    {
        QStringList out;
        for (int k = 0; k < 4; ++k)
            out.append(child<QLabel>(QStringLiteral("lblTotal_%1").arg(k))->text());
        return out;
    }
    void open()
    {
        m_settings = std::make_unique<BusinessSettings>(
            *m_data, m_state, [](const QByteArray &) { return std::optional<QSizeF>(); });
        m_screen = std::make_unique<frmInvoiceReport>(*m_settings, *m_data, m_prompts, m_navigator,
                                                      m_pages, m_clock);
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
        QVERIFY(testfiles::writeBytes(
            root() + "/InvoiceSalesJournal.txt",
            journal("Adams", "A1", "101", QDate(2024, 3, 1), 100000, 4000, 1000, 104000) +
                journal("Baker", "B2", "102", QDate(2024, 3, 2), 200000, 8000, 0, 208000) +
                journal("Adams", "A1", "103", QDate(2024, 3, 20), 50000, 2000, 500, 52000) +
                journal("Adams", "A1", "104", QDate(2024, 3, 21), 70000, 0, 0, 70000) +
                journal("Adams", "A1", "105", QDate(2024, 2, 29), 10000, 0, 0, 10000)));
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt",
                                      postedbytes::text("B2", 20) + QByteArray(308, ' ') +
                                          postedbytes::text("A1", 20) + QByteArray(308, ' ')));
    }
    void cleanup()
    {
        m_screen.reset();
        m_settings.reset();
        m_data.reset();
        m_dir.reset();
    }

    void exportWritesTheGridAndTheTotalsShown_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("written") << "report" << "report.csv"
                                 << QByteArray("\xEF\xBB\xBFInvoice No,Invoice Date,Invoice Date (ISO),Account No,"
                                               "Account Name,Sub-total,Sub-total (Number),Discount,"
                                               "Discount (Number),Tax,Tax (Number),Grand Total,Grand Total (Number)\r\n"
                                               "101,3/1/2024,2024-03-01,A1,Adams,$10.00,10.00,$0.10,0.10,$0.40,0.40,$10.40,10.40\r\n"
                                               "102,3/2/2024,2024-03-02,B2,Baker,$20.00,20.00,$0.00,0.00,$0.80,0.80,$20.80,20.80\r\n"
                                               "103,3/20/2024,2024-03-20,A1,Adams,$5.00,5.00,$0.05,0.05,$0.20,0.20,$5.20,5.20\r\n"
                                               "Totals,,,,,$35.00,35.00,$0.15,0.15,$1.40,1.40,$36.40,36.40\r\n");
        QTest::newRow("folder cannot be written") << "InvoiceSalesJournal.txt/report.csv" << "" << QByteArray();
    }
    void exportWritesTheGridAndTheTotalsShown()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        open();
        ScriptedDesktop desktop;
        m_screen->setDesktop(desktop);
        QCOMPARE(child<QPushButton>("cmdExportCsv")->text(), QString("Export to CSV\u2026"));
        desktop.saveAnswers.append(root() + "/" + answer);
        click("cmdExportCsv");
        QCOMPARE(desktop.asked, QStringList{"Export to CSV|InvoiceReport.csv"});
        if (!written.isEmpty()) {
            QVERIFY(m_prompts.shown.isEmpty());
            QCOMPARE(testfiles::readBytes(root() + "/" + written), bytes);
            return;
        }
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY(m_prompts.shown.at(0).text.startsWith("The file could not be written:\r\n" + root() + "/" + answer + "\r\n"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Export to CSV"));
    }

    void activationLoadsThisMonthAndTheAccounts()
    {
        open();
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2024, 3, 1));
        QCOMPARE(child<QDateEdit>("DTPicker1_1")->date(), QDate(2024, 3, 20));
        auto *grid = child<QTableView>("fgSales");
        QCOMPARE(column(grid, 0), (QStringList{"101", "102", "103"}));
        QCOMPARE(grid->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Grand Total"));
        QCOMPARE(Qt::Alignment(grid->model()->index(0, 7).data(Qt::TextAlignmentRole).toInt()) &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(totals(), (QStringList{"$35.00", "$0.15", "$1.40", "$36.40"}));
        QCOMPARE(m_screen->focusWidget() ? m_screen->focusWidget()->objectName() : QString(),
                 QStringLiteral("cmdSales_3"));
        auto *accounts = child<QComboBox>("cboAccounts");
        QCOMPARE(accounts->count(), 2);
        QCOMPARE(accounts->itemText(0), QStringLiteral("B2                  "));
        QVERIFY(!accounts->isVisible());
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void singleAccountFilter()
    {
        open();
        click("optAcct_1");
        auto *accounts = child<QComboBox>("cboAccounts");
        QVERIFY(accounts->isVisible());
        // Showing the filter does not reload.
        QCOMPARE(child<QTableView>("fgSales")->model()->rowCount(), 3);
        accounts->setCurrentIndex(1);
        click("cmdSales_1");
        QCOMPARE(column(child<QTableView>("fgSales"), 0), (QStringList{"101", "103"}));
        QCOMPARE(totals(), (QStringList{"$15.00", "$0.15", "$0.60", "$15.60"}));
        click("optAcct_0");
        QVERIFY(!accounts->isVisible());
    }

    void presetsSetTheRangeWithoutMessages()
    {
        open();
        click("cmdIncome_0");
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2024, 2, 1));
        QCOMPARE(child<QDateEdit>("DTPicker1_1")->date(), QDate(2024, 2, 29));
        QCOMPARE(column(child<QTableView>("fgSales"), 0), QStringList{"105"});
        click("cmdIncome_3");
        QCOMPARE(child<QTableView>("fgSales")->model()->rowCount(), 4);
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void futureDateIsRefusedWithBeep()
    {
        open();
        auto *start = child<QDateEdit>("DTPicker1_0");
        start->setFocus();
        start->setDate(QDate(2024, 3, 25));
        QTest::keyClick(start, Qt::Key_Return);
        QCOMPARE(m_prompts.beeps, 1);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("Your Calendar Selection is Invalid"));
        QCOMPARE(start->date(), QDate(2024, 3, 20));
    }

    void printsToTheDefaultPrinter()
    {
        open();
        click("cmdSales_3");
        QCOMPARE(m_pages.defaultOpened(), 1);
        RecordingPage *page = m_pages.last();
        QVERIFY(page);
        const QStringList texts = page->texts();
        QVERIFY(texts.contains("General Sales Report"));
        QVERIFY(texts.contains("from 3/1/2024 to 3/20/2024"));
        QVERIFY(texts.contains("Sales Total"));
        QVERIFY(texts.contains("$36.40"));
        QCOMPARE(page->text("$10.40").x, 11088.0 - 600);
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void failedPrintIsReported()
    {
        open();
        m_pages.endDocumentSucceeds = false;
        click("cmdSales_3");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("A Print Error has occurred"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Error"));
    }

    void deleteRangeKeepsOthersAndReactivates()
    {
        open();
        click("cmdIncome_2");
        m_prompts.answerNext(true);
        m_prompts.answerNext(true);
        click("cmdSales_2");
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("This will delete all Sales Records \r\nfrom 1/1/2024to 3/20/2024"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Delete Sales Records"));
        QCOMPARE(m_prompts.shown.at(1).title, QStringLiteral("Delete Verification"));
        const auto kept = posting::SalesJournalRecord::decodeAll(
            testfiles::readBytes(root() + "/InvoiceSalesJournal.txt"));
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.at(0).invoiceNumber, QStringLiteral("104"));
        QCOMPARE(child<QTableView>("fgSales")->model()->rowCount(), 0);
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2024, 3, 1));
    }

    void deleteAllRemovesTheJournalAndBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Backup/InvoiceSalesJournal.txt", "old"));
        open();
        m_prompts.answerNext(true);
        click("cmdSales_4");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("This will delete all Sales Records "));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Delete ALL Sales Records"));
        QVERIFY(!QFileInfo::exists(root() + "/InvoiceSalesJournal.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/InvoiceSalesJournal.txt"));
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    }
};

QTEST_MAIN(tst_frmInvoiceReport)
#include "tst_frminvoicereport.moc"
