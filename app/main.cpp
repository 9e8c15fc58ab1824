#include "core/clock.h"
#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/commandline.h"
#include "startup/pelmormastermodule.h"
#include "ui/messageprompts.h"
#include "ui/printdialogs.h"
#include "ui/programicon.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("PelmorInvoicer"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmor"));

    // Settled before the application object, which needs a display: --version and --help
    // work on a machine without one, and a refused command line touches nothing.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const launch::CommandLine command = launch::parseCommandLine(arguments);
    switch (command.action) {
    case launch::CommandLine::Action::Refuse:
        std::fprintf(stderr, "%s\n\n%s", qPrintable(command.error),
                     qPrintable(launch::usageText()));
        return 2;
    case launch::CommandLine::Action::ShowHelp:
        std::fputs(qPrintable(launch::usageText()), stdout);
        return 0;
    case launch::CommandLine::Action::ShowVersion:
        std::fputs(
            qPrintable(launch::versionText(PelmorMasterModule::defaultDataFolder(command.dataDir))),
            stdout);
        return 0;
    case launch::CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(PELMOR_VERSION_MAJOR)
                                            .arg(PELMOR_VERSION_MINOR)
                                            .arg(PELMOR_VERSION_PATCH));
    // The desktop entry's name lets the window system match the windows to it and its icon.
    QGuiApplication::setDesktopFileName(ProgramIcon::desktopId());
    QApplication::setWindowIcon(ProgramIcon::icon());
    // A machine with no locale configured ("C") gets the program's home conventions,
    // so amounts read "$1,234.50" and dates "12/8/2026" rather than bare numbers.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Hidden screens stay loaded; the program ends only through its exit routine.
    QApplication::setQuitOnLastWindowClosed(false);

    MessagePrompts prompts;
    Clock clock;
    QtPrintDialogs printDialogs;
    QtSetupDialogs setupDialogs;
    PelmorMasterModule program(PelmorMasterModule::defaultDataFolder(command.dataDir), prompts,
                               clock,
                               {dialer::PortSerialLine::factory(), &printDialogs, &setupDialogs});
    program.watchTerminationSignals();
    // An end asked for while starting has already run; the event loop would never end.
    if (!program.Main() || program.isExiting())
        return 0;
    return app.exec();
}
