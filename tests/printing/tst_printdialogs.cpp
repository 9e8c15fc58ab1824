#include "ui/printdialogs.h"

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

} // namespace

class TestPrintDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cancelGivesNoPrinter();
    void dialogStartsOnLetterWithoutPageNumbers();
    void cancelledDialogOpensNoPage();
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

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
