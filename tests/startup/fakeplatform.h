#pragma once

#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/pelmormastermodule.h"
#include "ui/printdialogs.h"

#include <QPrinter>

// The platform the program object gets in tests: dialogs that are cancelled, and
// serial ports that name devices which are not there, so no test opens a real one.
namespace fakeplatform {

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

inline PlatformServices make()
{
    static CancelledPrintDialogs print;
    static CancelledSetupDialogs setup;
    return {dialer::PortSerialLine::factory(
                [](int port) { return QStringLiteral("/nonexistent/tty%1").arg(port); }),
            &print, &setup};
}

} // namespace fakeplatform
