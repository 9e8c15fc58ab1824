#include "core/clock.h"
#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/pelmormastermodule.h"
#include "ui/messageprompts.h"
#include "ui/printdialogs.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PelmorInvoicer"));
    QApplication::setOrganizationName(QStringLiteral("Pelmor"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(PELMOR_VERSION_MAJOR)
                                            .arg(PELMOR_VERSION_MINOR)
                                            .arg(PELMOR_VERSION_PATCH));
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
    PelmorMasterModule program(PelmorMasterModule::defaultDataFolder(), prompts, clock,
                               {dialer::PortSerialLine::factory(), &printDialogs, &setupDialogs});
    program.watchTerminationSignals();
    // An end asked for while starting has already run; the event loop would never end.
    if (!program.Main() || program.isExiting())
        return 0;
    return app.exec();
}
