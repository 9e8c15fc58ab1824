#include "ui/printdialogs.h"

#include "ui/painterpage.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

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

std::unique_ptr<QPrinter> PrintDialogs::defaultPrinter()
{
    return nullptr;
}

std::unique_ptr<QPrinter> QtPrintDialogs::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto printer = PainterPage::letterPrinter();
    printer->setPrinterName(info.printerName());
    return printer;
}

PageSource::Opened DialogPageSource::openDefault()
{
    std::unique_ptr<QPrinter> printer = m_dialogs.defaultPrinter();
    // Printing nothing would look like success.
    if (!printer)
        return choosePrinter();
    if (!printer->isValid())
        return {Choice::Failed, nullptr};
    return {Choice::Chosen, std::make_unique<PainterPage>(std::move(printer))};
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
