#include "ui/printdialogs.h"

#include "ui/painterpage.h"

#include <QApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs the action on the print dialog as soon as it is shown.
void whenTheDialogShows(std::function<void(QPrintDialog *)> action)
{
    QTimer::singleShot(10, [action] {
        if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()))
            action(dialog);
        else
            whenTheDialogShows(action);
    });
}

// A system whose default printer writes a PDF file, or that has none.
class DefaultPrinterDialogs final : public PrintDialogs
{
public:
    bool hasDefault = true;
    int dialogs = 0;
    std::unique_ptr<QPrinter> choosePrinter() override
    {
        ++dialogs;
        return nullptr;
    }
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        return hasDefault ? PainterPage::pdfPrinter(QStringLiteral("/tmp/unused.pdf")) : nullptr;
    }
};

} // namespace

class TestPrintDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cancelGivesNoPrinter();
    void dialogStartsOnLetterWithoutPageNumbers();
    void cancelledDialogOpensNoPage();
    void defaultPrinterOpensWithoutTheDialog_data();
    void defaultPrinterOpensWithoutTheDialog();
};

void TestPrintDialogs::cancelGivesNoPrinter()
{
    whenTheDialogShows([](QPrintDialog *dialog) { dialog->reject(); });
    QtPrintDialogs dialogs;
    QCOMPARE(dialogs.choosePrinter().get(), nullptr);
}

void TestPrintDialogs::dialogStartsOnLetterWithoutPageNumbers()
{
    bool pageRange = true;
    bool printToFile = false;
    bool collate = false;
    QPageSize::PageSizeId size = QPageSize::A4;
    bool fullPage = false;
    whenTheDialogShows([&](QPrintDialog *dialog) {
        pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        printToFile = dialog->testOption(QAbstractPrintDialog::PrintToFile);
        collate = dialog->testOption(QAbstractPrintDialog::PrintCollateCopies);
        size = dialog->printer()->pageLayout().pageSize().id();
        fullPage = dialog->printer()->fullPage();
        dialog->reject();
    });
    QtPrintDialogs dialogs;
    dialogs.choosePrinter();

    QCOMPARE(pageRange, false);
    QCOMPARE(printToFile, true);
    QCOMPARE(collate, true);
    QCOMPARE(size, QPageSize::Letter);
    QCOMPARE(fullPage, true);
}

void TestPrintDialogs::cancelledDialogOpensNoPage()
{
    whenTheDialogShows([](QPrintDialog *dialog) { dialog->reject(); });
    QtPrintDialogs dialogs;
    DialogPageSource pages(dialogs);
    const auto opened = pages.choosePrinter();
    QCOMPARE(opened.choice, PageSource::Choice::Cancelled);
    QCOMPARE(opened.page.get(), nullptr);
}

void TestPrintDialogs::defaultPrinterOpensWithoutTheDialog_data()
{
    QTest::addColumn<bool>("hasDefault");
    QTest::newRow("default printer") << true;
    // Printing nothing would look like success: the operator is asked instead.
    QTest::newRow("no printer on the system") << false;
}

void TestPrintDialogs::defaultPrinterOpensWithoutTheDialog()
{
    QFETCH(bool, hasDefault);
    DefaultPrinterDialogs dialogs;
    dialogs.hasDefault = hasDefault;
    DialogPageSource pages(dialogs);
    const auto opened = pages.openDefault();
    QCOMPARE(dialogs.dialogs, hasDefault ? 0 : 1);
    QCOMPARE(opened.choice, hasDefault ? PageSource::Choice::Chosen : PageSource::Choice::Cancelled);
    QCOMPARE(opened.page != nullptr, hasDefault);
}

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
