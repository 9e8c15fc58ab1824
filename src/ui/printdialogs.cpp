#include "ui/printdialogs.h"

#include "ui/painterpage.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

std::unique_ptr<QPrinter> QtPrintDialogs::choosePrinter()
{
    auto printer = PainterPage::letterPrinter();
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    // No page numbers to choose: the printouts are laid out as a whole.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

PageSource::Opened DialogPageSource::choosePrinter()
{
    std::unique_ptr<QPrinter> printer = m_dialogs.choosePrinter();
    if (!printer)
        return {Choice::Cancelled, nullptr};
    if (!printer->isValid())
        return {Choice::Failed, nullptr};
    return {Choice::Chosen, std::make_unique<PainterPage>(std::move(printer))};
}
