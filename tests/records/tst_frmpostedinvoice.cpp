#include "catalogbytes.h"
#include "core/clock.h"
#include "fakeplatform.h"
#include "screenaccess.h"
#include "scriptedprompts.h"
#include "startup/pelmormastermodule.h"
#include "testfiles.h"
#include "ui/screen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Target = Navigator::Target;

namespace {

// The row whose cells contain `key`, as header -> cell text.
QMap<QString, QString> rowWith(const QTableView *grid, const QString &key)
{
    const QAbstractItemModel *model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QMap<QString, QString> cells;
        bool found = false;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString text = model->index(row, column).data().toString();
            cells.insert(model->headerData(column, Qt::Horizontal).toString().trimmed(), text);
            found = found || text.trimmed() == key;
        }
        if (found)
            return cells;
    }
    return {};
}

} // namespace

// An invoice posted through the invoice screen, then looked up in every records screen.
class tst_frmPostedInvoice final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cleanup()
    {
        if (m_program)
            m_program->ExitApplication();
        m_program.reset();
    }

    void postedInvoiceAppearsInEveryRecord()
    {
        open();
        postWashers();

        Screen *reprint = showScreen(Target::Reprint);
        const auto image = rowWith(screen::child<QTableView>(reprint, "fgReceivables"), "20260001");
        QVERIFY2(!image.isEmpty(), "the image is not listed");
        QVERIFY2(image.values().contains(m_grandTotal), qPrintable(QStringList(image.values()).join('|')));
        QVERIFY(image.values().contains("Nia Moss"));
        QVERIFY(m_prompts.shown.isEmpty());

        Screen *journal = showScreen(Target::InvoiceReport);
        const auto sale = rowWith(screen::child<QTableView>(journal, "fgSales"), "20260001");
        QVERIFY2(!sale.isEmpty(), "the invoice is not in the journal");
        QCOMPARE(sale.value("Grand Total").trimmed(), m_grandTotal);
        QVERIFY(sale.values().contains("Nia Moss"));
        QVERIFY(m_prompts.shown.isEmpty());

        Screen *sales = showScreen(Target::SalesReport);
        auto *products = screen::child<QListWidget>(sales, "lstSalesItems");
        const auto washer = products->findItems("Washer", Qt::MatchExactly);
        QCOMPARE(washer.size(), 1);
        washer.first()->setCheckState(Qt::Checked);
        QTest::mouseClick(screen::child<QPushButton>(sales, "cmdSales_3"), Qt::LeftButton);
        const auto sold = rowWith(screen::child<QTableView>(sales, "fgSalesItems"), "20260001");
        QVERIFY2(!sold.isEmpty(), "the sold item is not listed");
        QVERIFY(sold.values().contains("Washer"));
        QVERIFY(sold.values().contains("10"));
        const auto total = rowWith(screen::child<QTableView>(sales, "fgTotals"), "Washer");
        QVERIFY(total.values().contains("10"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

private:
    void open()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString root = m_dir->path();
        using namespace catalogbytes;
        QVERIFY(testfiles::writeBytes(root + "/PIInventoriedItems.txt",
                                      item({"Faucet", "Fixtures", 0, 499900, 4, 0, 0}) +
                                          item({"Washer", "Parts", 0, 15000, 100, 0, 0})));
        QVERIFY(testfiles::writeBytes(root + "/TaxSettings.txt",
                                      "\"Sales Tax\",\"County Tax\",\"4.0\",\"1.5\",1,1\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/PelmorInvoicerSettings.txt",
                                      "1,1,0,1,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/MyBusinessData.txt",
                                      "\"Acme\",\"1 Pipe Rd\",\"\",\"Springfield\",\"IL\",\"62701\","
                                      "\"555-1234\",\"\",\"\"\r\n"));
        m_dialogs.path = root + "/printed.pdf";
        m_dialogs.cancel = false;
        PlatformServices platform = fakeplatform::make();
        platform.printDialogs = &m_dialogs;
        m_program = std::make_unique<PelmorMasterModule>(root, m_prompts, m_clock, platform);
        m_program->setQuit([] {});
        QVERIFY(m_program->Main());
        m_program->invoice().soldTo() =
            SoldTo{"Nia Moss", "4 Elm St", "", "Springfield", "IL", "62704", "555-0101", "N1"};
        m_prompts.clear();
    }

    void postWashers()
    {
        Screen *invoice = showScreen(Target::Invoice);
        screen::child<QComboBox>(invoice, "cboShipping")->setCurrentIndex(2);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdInvoice_0"), Qt::LeftButton);
        screen::child<QAction>(invoice, "mnuItems")->trigger();
        auto *categories = screen::child<QListWidget>(invoice, "lstCategories");
        const auto parts = categories->findItems("Parts", Qt::MatchExactly);
        QCOMPARE(parts.size(), 1);
        QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                          categories->visualItemRect(parts.first()).center());
        QTest::keyClicks(screen::child<QComboBox>(invoice, "cboDescription_1")->lineEdit(), "W");
        QTest::keyClicks(screen::child<QLineEdit>(invoice, "txtUnits"), "10");
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdPost_1"), Qt::LeftButton);
        QCOMPARE(m_program->invoice().lines.size(), 1);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdPrint"), Qt::LeftButton);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdInvoice_9"), Qt::LeftButton);
        m_grandTotal = screen::child<QLineEdit>(invoice, "txtGrandTotal")->text();
        // $15.00 of washers with both taxes on it.
        QCOMPARE(m_grandTotal, QString("$15.83"));
        m_prompts.answerNext(true); // printed correctly
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdInvoiceContinue"), Qt::LeftButton);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("Was the Invoice Printed Correctly"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Printing Confirmation"));
        QVERIFY(m_program->screen(Target::MainMenu)->isVisible());
        m_prompts.clear();
    }

    Screen *showScreen(Target target)
    {
        Screen *menu = m_program->screen(Target::MainMenu);
        for (Target open : {Target::Invoice, Target::Reprint, Target::InvoiceReport, Target::SalesReport}) {
            Screen *shown = m_program->screen(open);
            if (shown && shown->isVisible() && open != target)
                shown->hide();
        }
        if (!m_program->show(target, menu))
            qWarning("screen not shown");
        Screen *screen = m_program->screen(target);
        if (screen)
            QTest::qWaitForWindowExposed(screen);
        return screen;
    }

    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    ScriptedPrompts m_prompts;
    PdfPrintDialogs m_dialogs;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PelmorMasterModule> m_program;
    QString m_grandTotal;
};

QTEST_MAIN(tst_frmPostedInvoice)
#include "tst_frmpostedinvoice.moc"
