#pragma once

#include "setup/setupdialogs.h"
#include "ui/painterpage.h"
#include "ui/printdialogs.h"

#include <QPrinter>

// Prints to a PDF file instead of asking, or answers as a cancelled dialog.
class PdfPrintDialogs final : public PrintDialogs
{
public:
    QString path;
    bool cancel = false;
    std::unique_ptr<QPrinter> choosePrinter() override
    {
        if (cancel)
            return nullptr;
        return PainterPage::pdfPrinter(path);
    }
};

class CancelledPrintDialogs final : public PrintDialogs
{
public:
    std::unique_ptr<QPrinter> choosePrinter() override { return nullptr; }
};

class CancelledSetupDialogs final : public SetupDialogs
{
public:
    std::optional<QColor> chooseColour(QWidget *, const QColor &) override { return {}; }
    std::optional<QString> chooseFont(QWidget *, const QString &) override { return {}; }
    std::optional<QString> chooseFile(QWidget *, const QString &) override { return {}; }
};
