#pragma once

#include "printing/page.h"

#include <memory>

class QPrinter;
class QWidget;

// The printer-selection dialog, so tests can choose a PDF file instead.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // A printer configured by the operator; nullptr when the dialog was cancelled.
    virtual std::unique_ptr<QPrinter> choosePrinter() = 0;
    // The system's default printer; nullptr when it has none.
    virtual std::unique_ptr<QPrinter> defaultPrinter();
};

// QPrintDialog over the active window, starting from US Letter portrait. Print to
// file stays available: a PDF is how a printout is kept or sent by e-mail.
class QtPrintDialogs final : public PrintDialogs
{
public:
    std::unique_ptr<QPrinter> choosePrinter() override;
    std::unique_ptr<QPrinter> defaultPrinter() override;
};

// Opens a painter page on the printer the dialog gives.
class DialogPageSource final : public PageSource
{
public:
    explicit DialogPageSource(PrintDialogs &dialogs) : m_dialogs(dialogs) {}
    Opened choosePrinter() override;
    Opened openDefault() override;

private:
    PrintDialogs &m_dialogs;
};
