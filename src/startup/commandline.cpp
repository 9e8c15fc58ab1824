#include "startup/commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace launch {

namespace {

const QString DataDirOption = QStringLiteral("data-dir");
// The installed program's own files, relative to the folder of its executable.
const QString InstalledShareFolder = QStringLiteral(PELMOR_SHARE_FROM_BIN);

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and end.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and the data folder in use, "
                                              "and end.")};
    QCommandLineOption dataDir{DataDirOption,
                               QStringLiteral("Keep the data in <folder>, as the variable "
                                              "PELMOR_DATA_DIR does."),
                               QStringLiteral("folder")};

    Parser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Pelmor Invoicer: customers, a catalog and invoices for a small "
                           "service or trade business."));
        // "-platform" is refused as one word, not as the letters p, l, a, ...
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version, dataDir});
    }
};

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    Parser p;
    CommandLine result;
    if (!p.parser.parse(arguments)) {
        result.action = CommandLine::Action::Refuse;
        result.error = p.parser.errorText();
        return result;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Refuse;
        result.error = QStringLiteral("Unexpected argument: %1.")
                           .arg(p.parser.positionalArguments().constFirst());
        return result;
    }
    if (p.parser.isSet(p.dataDir)) {
        result.dataDir = p.parser.value(p.dataDir);
        if (result.dataDir.isEmpty()) {
            result.action = CommandLine::Action::Refuse;
            result.error = QStringLiteral("--data-dir needs a folder.");
            return result;
        }
    }
    if (p.parser.isSet(p.help))
        result.action = CommandLine::Action::ShowHelp;
    else if (p.parser.isSet(p.version))
        result.action = CommandLine::Action::ShowVersion;
    return result;
}

QString usageText()
{
    Parser p;
    QString text = p.parser.helpText();
    // Without an application object the parser does not know the program's name.
    text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: pelmor-invoicer [options]"));
    return text;
}

QString versionText(const QString &dataFolder)
{
    return QStringLiteral("Pelmor Invoicer %1.%2.%3\nData folder: %4\n")
        .arg(PELMOR_VERSION_MAJOR)
        .arg(PELMOR_VERSION_MINOR)
        .arg(PELMOR_VERSION_PATCH)
        .arg(QDir::toNativeSeparators(dataFolder));
}

QString programFolder()
{
    // Follows links to the executable, as the application object would.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return executable.isEmpty() ? QString() : QFileInfo(executable).absolutePath();
}

bool isInstalled(const QString &programFolder)
{
    return QFileInfo(QDir(programFolder).filePath(InstalledShareFolder)).isDir();
}

QString installedManual(const QString &programFolder)
{
    const QFileInfo manual(
        QDir(programFolder).filePath(InstalledShareFolder + QStringLiteral("/UserManual.html")));
    return manual.isFile() && manual.isReadable() ? manual.canonicalFilePath() : QString();
}

QString chooseDataFolder(const QString &named, const QString &programFolder,
                         const QString &perUserFolder)
{
    if (!named.isEmpty())
        return QDir::cleanPath(QDir(named).absolutePath());
    // An installed copy keeps its data per user even where it could write (as root it can
    // write anywhere): data files have no place among the system's programs.
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable() && !isInstalled(programFolder))
        return folder.absoluteFilePath();
    return perUserFolder;
}

} // namespace launch
