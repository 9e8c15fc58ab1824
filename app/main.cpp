#include "core/clock.h"
#include "startup/pelmormastermodule.h"
#include "ui/messageprompts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PelmorInvoicer"));
    QApplication::setOrganizationName(QStringLiteral("Pelmor"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(PELMOR_VERSION_MAJOR)
                                            .arg(PELMOR_VERSION_MINOR)
                                            .arg(PELMOR_VERSION_PATCH));
    // Hidden screens stay loaded; the program ends only through its exit routine.
    QApplication::setQuitOnLastWindowClosed(false);

    MessagePrompts prompts;
    Clock clock;
    PelmorMasterModule program(PelmorMasterModule::defaultDataFolder(), prompts, clock);
    program.watchTerminationSignals();
    if (!program.Main())
        return 0;
    return app.exec();
}
