#pragma once

#include <QString>
#include <QStringList>

// What the program settles before any window or file is touched: its command line, the
// data folder it works on and the text of --help and --version.
namespace launch {

struct CommandLine
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Refuse
    };
    Action action = Action::Run;
    // --data-dir as given; empty when absent.
    QString dataDir;
    // Why the command line was refused.
    QString error;
};

// arguments: as main() gets them, the program's own name first.
CommandLine parseCommandLine(const QStringList &arguments);
QString usageText();
// Names the data folder, so that a user can find the files.
QString versionText(const QString &dataFolder);

// The folder of the running executable, known without an application object.
QString programFolder();

// The data folder: the named one (--data-dir, else $PELMOR_DATA_DIR) when given; else the
// program's folder when the program may write there and it is not an installed copy; else
// the per-user folder. Relative names are taken from the current folder.
QString chooseDataFolder(const QString &named, const QString &programFolder,
                         const QString &perUserFolder);

// The program's folder holds an installed copy (its shared files lie beside it).
bool isInstalled(const QString &programFolder);

// The copy of the user manual installed with the program; empty when there is none.
QString installedManual(const QString &programFolder);

} // namespace launch
