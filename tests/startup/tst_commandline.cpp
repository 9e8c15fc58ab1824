// The command line and the choice of the data folder, settled before any window.
#include "startup/commandline.h"

#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using launch::CommandLine;
Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.path() + relative; }

private slots:
    void parsesWhatTheProgramTakes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<QString>("error");

        using A = CommandLine::Action;
        auto row = [](const char *name, const QStringList &arguments, A action,
                      const QString &dataDir = {}, const QString &error = {}) {
            QTest::newRow(name) << (QStringList{"pelmor-invoicer"} + arguments) << action
                                << dataDir << error;
        };
        row("nothing", {}, A::Run);
        row("data dir", {"--data-dir", "shop"}, A::Run, "shop");
        row("data dir with equals", {"--data-dir=/srv/shop"}, A::Run, "/srv/shop");
        row("version", {"--version"}, A::ShowVersion);
        row("short version", {"-v"}, A::ShowVersion);
        row("version of a named folder", {"--data-dir", "x", "--version"}, A::ShowVersion, "x");
        row("help", {"--help"}, A::ShowHelp);
        row("short help", {"-h"}, A::ShowHelp);
        row("help wins over version", {"--version", "--help"}, A::ShowHelp);
        row("unknown option", {"--bogus"}, A::Refuse, {}, "Unknown option 'bogus'.");
        row("unknown with help", {"--help", "-x"}, A::Refuse, {}, "Unknown option 'x'.");
        // The toolkit's own options are not the program's.
        row("toolkit option", {"-platform", "offscreen"}, A::Refuse, {},
            "Unknown option 'platform'.");
        row("stray argument", {"invoices.txt"}, A::Refuse, {}, "Unexpected argument: invoices.txt.");
        row("folder missing", {"--data-dir"}, A::Refuse, {}, "Missing value after '--data-dir'.");
        row("empty folder", {"--data-dir", ""}, A::Refuse, {}, "--data-dir needs a folder.");
    }

    void parsesWhatTheProgramTakes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(QString, dataDir);
        QFETCH(QString, error);

        const CommandLine parsed = launch::parseCommandLine(arguments);
        QCOMPARE(parsed.action, action);
        QCOMPARE(parsed.dataDir, dataDir);
        QCOMPARE(parsed.error, error);
    }

    void helpAndVersionTexts()
    {
        const QString usage = launch::usageText();
        QVERIFY2(usage.startsWith(QLatin1String("Usage: pelmor-invoicer [options]\n")),
                 qPrintable(usage));
        for (const char *option : {"  -h, --help ", "  -v, --version ", "  --data-dir <folder> "})
            QVERIFY2(usage.contains(QLatin1String(option)), option);
        QCOMPARE(launch::versionText(QStringLiteral("/home/ann/.local/share/Pelmor/PelmorInvoicer")),
                 QStringLiteral("Pelmor Invoicer %1.%2.%3\n"
                                "Data folder: /home/ann/.local/share/Pelmor/PelmorInvoicer\n")
                     .arg(PELMOR_VERSION_MAJOR)
                     .arg(PELMOR_VERSION_MINOR)
                     .arg(PELMOR_VERSION_PATCH));
    }

    void choosesTheDataFolder_data()
    {
        QTest::addColumn<QString>("named");
        // Made below the temporary folder: "d" a folder, "f" a file, "r" a read-only folder.
        QTest::addColumn<QStringList>("layout");
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("expected");

        QTest::newRow("named wins over a writable program folder")
            << "/named" << QStringList{"d /bin"} << "/bin"
            << "/named";
        QTest::newRow("named and relative")
            << "shop/../data" << QStringList{"d /bin"} << "/bin"
            << "<cwd>/data";
        QTest::newRow("writable program folder")
            << "" << QStringList{"d /bin"} << "/bin"
            << "/bin";
        QTest::newRow("read-only program folder") << "" << QStringList{"r /bin"} << "/bin"
                                                  << "<per-user>";
        QTest::newRow("installed copy, though writable")
            << "" << QStringList{"d /usr/bin", "d /usr/share/pelmor-invoicer"} << "/usr/bin"
            << "<per-user>";
        QTest::newRow("a file where the shared folder should be is no installation")
            << "" << QStringList{"d /usr/bin", "f /usr/share/pelmor-invoicer"} << "/usr/bin"
            << "/usr/bin";
        QTest::newRow("program folder gone") << "" << QStringList{} << "/bin"
                                             << "<per-user>";
        QTest::newRow("program folder unknown") << "" << QStringList{} << ""
                                                << "<per-user>";
    }

    void choosesTheDataFolder()
    {
        QFETCH(QString, named);
        QFETCH(QStringList, layout);
        QFETCH(QString, programFolder);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString readOnly;
        for (const QString &entry : layout) {
            const QString at = dir.path() + entry.mid(2);
            if (entry.startsWith(u'f')) {
                QVERIFY(testfiles::writeBytes(at, "x"));
                continue;
            }
            QVERIFY(QDir().mkpath(at));
            if (entry.startsWith(u'r')) {
                if (::geteuid() == 0)
                    QSKIP("Root may write in any folder; the started program's test runs this "
                          "case as another user.");
                QVERIFY(QFile::setPermissions(at, QFile::ReadOwner | QFile::ExeOwner));
                readOnly = at;
            }
        }
        const QString perUser = dir.path() + QStringLiteral("/home/.local/share/Pelmor");
        const QString chosen = launch::chooseDataFolder(
            named.startsWith(u'/') ? dir.path() + named : named,
            programFolder.isEmpty() ? QString() : dir.path() + programFolder, perUser);
        if (!readOnly.isEmpty())
            QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        if (expected == QLatin1String("<per-user>"))
            QCOMPARE(chosen, perUser);
        else if (expected.startsWith(QLatin1String("<cwd>")))
            QCOMPARE(chosen, QDir::currentPath() + expected.mid(5));
        else
            QCOMPARE(chosen, dir.path() + expected);
    }

    void findsTheInstalledManual()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(path("/bin")));
        QCOMPARE(launch::installedManual(path("/bin")), QString());
        // Something else in its place is no manual.
        QVERIFY(QDir().mkpath(path("/share/pelmor-invoicer/UserManual.html")));
        QCOMPARE(launch::installedManual(path("/bin")), QString());
        QVERIFY(QDir(path("/share/pelmor-invoicer/UserManual.html")).removeRecursively());
        QVERIFY(testfiles::writeBytes(path("/share/pelmor-invoicer/UserManual.html"), "<html/>"));
        QCOMPARE(launch::installedManual(path("/bin")),
                 QFileInfo(path("/share/pelmor-invoicer/UserManual.html")).canonicalFilePath());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
