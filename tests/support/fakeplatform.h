#pragma once

#include "dialer/portserialline.h"
#include "printfakes.h"
#include "scripteddesktop.h"
#include "startup/pelmormastermodule.h"

// The platform the program object gets in tests: dialogs that are cancelled, and
// serial ports that name devices which are not there, so no test opens a real one.
namespace fakeplatform {

inline QString missingDevice(int port)
{
    return QStringLiteral("/nonexistent/tty%1").arg(port);
}

inline PlatformServices make(dialer::PortSerialLine::DeviceNames devices = missingDevice)
{
    static CancelledPrintDialogs print;
    static CancelledSetupDialogs setup;
    static ScriptedDesktop desktop;
    return {dialer::PortSerialLine::factory(std::move(devices)), &print, &setup, &desktop};
}

} // namespace fakeplatform
