// The built program as its users start it: a copy alone in a folder, run as its own
// process, ended by the system, and a second copy beside it.
#include "core/clock.h"
#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/pelmormastermodule.h"
#include "ui/printdialogs.h"
#include "ui/screen.h"

#include "customerbytes.h"
#include "fakeplatform.h"
#include "fakeserialdevice.h"
#include "scriptedprompts.h"
#include "testfiles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLockFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <unistd.h>

namespace {

// A customer record with only its account number.
QByteArray customerRecord(const QByteArray &account)
{
    fixture::Customer customer;
    customer.account = account;
    customer.type.clear();
    return fixture::bytes(customer);
}

// Every folder and file below the root, as "/relative/path", folders marked with "/".
QStringList treeOf(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries << path.mid(root.size()) + (QFileInfo(path).isDir() ? QStringLiteral("/") : "");
    }
    entries.sort();
    return entries;
}

QStringList writtenTree(int year)
{
    QStringList tree{QStringLiteral("/%1/").arg(year),
                     "/AuxFiles/",
                     "/Backup/",
                     "/Backup/CompletedInvoices/",
                     "/Backup/PIActiveAccounts/",
                     "/CompletedInvoices/",
                     "/PIActiveAccounts/",
                     "/PelmorInvoicer/",
                     "/PelmorInvoicer/IncompleteInvoices/",
                     "/PelmorInvoicer/Narratives/",
                     "/PelmorInvoicer/Templates/",
                     "/PelmorInvoicer/Templates/Invoices/",
                     "/Templates/"};
    return tree;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

constexpr uid_t Nobody = 65534;

} // namespace

class TestRunningProgram : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    QTemporaryDir m_dir;
    QString m_folder;
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime::currentDateTime()};

    // Starts a copy of the program placed in the folder. A copy given a home of its own runs,
    // under root, as "nobody": a folder's permissions do not stop root. A headless copy has no
    // display and keeps both outputs: any window would stop it.
    std::unique_ptr<QProcess> start(const QString &folder, const QStringList &arguments = {},
                                    QString home = {}, bool headless = false)
    {
        const QString copy = folder + QStringLiteral("/pelmor-invoicer");
        if (!QFileInfo::exists(copy) && !QFile::copy(QStringLiteral(PELMOR_EXECUTABLE), copy))
            return nullptr;
        auto process = std::make_unique<QProcess>();
        if (!home.isEmpty() && ::geteuid() == 0) {
            process->setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                    ::_exit(111);
            });
        }
        if (home.isEmpty())
            home = m_home.path();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The per-user data folder follows HOME.
        for (const char *name : {"PELMOR_DATA_DIR", "XDG_DATA_HOME", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), headless ? "" : "offscreen");
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + "/.config");
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + "/.cache");
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + "/run");
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(home);
        process->setProcessChannelMode(headless ? QProcess::SeparateChannels
                                                : QProcess::ForwardedErrorChannel);
        process->start(copy, arguments);
        if (!process->waitForStarted(10000))
            return nullptr;
        return process;
    }

    // The lock file appears once the copy knows it is the only one.
    static bool waitForLock(const QString &folder, QProcess &process)
    {
        const QString lock = folder + QStringLiteral("/PelmorInvoicer.lock");
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            if (QFileInfo(lock).size() > 0)
                return true;
            if (process.state() != QProcess::Running)
                return false;
            QTest::qWait(20);
        }
        return false;
    }

    static bool endBySignal(QProcess &process)
    {
        process.terminate(); // SIGTERM
        return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY(QFileInfo(QStringLiteral(PELMOR_EXECUTABLE)).isExecutable());
        // No test opens a real serial device: the program's ports name devices that are not there.
        QString ports = QStringLiteral("[SerialPorts]\n");
        for (int port = 1; port <= 16; ++port)
            ports += QStringLiteral("port%1=%2\n").arg(port).arg(fakeplatform::missingDevice(port));
        QVERIFY(testfiles::writeBytes(m_home.path() + "/.config/Pelmor/PelmorInvoicer.conf",
                                      ports.toUtf8()));
        QDir().mkpath(m_home.path() + "/run");
        QFile::setPermissions(m_home.path() + "/run",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void init()
    {
        m_folder = m_dir.path() + QStringLiteral("/") + QTest::currentTestFunction();
        QDir(m_folder).removeRecursively();
        QVERIFY(QDir().mkpath(m_folder));
        m_prompts.clear();
    }

    void aloneInAnEmptyFolderMakesTheTreeAndEndsOnTerminate()
    {
        const auto program = start(m_folder);
        QVERIFY(program);
        QVERIFY(waitForLock(m_folder, *program));
        const int year = QDate::currentDate().year();
        QCOMPARE(treeOf(m_folder), sorted(writtenTree(year) << "/PelmorInvoicer.lock"
                                                            << "/PelmorInvoicerSettings.txt"
                                                            << "/pelmor-invoicer"));

        QVERIFY(endBySignal(*program));
        QCOMPARE(treeOf(m_folder), sorted(writtenTree(year) << "/Backup/PelmorInvoicerSettings.txt"
                                                            << "/PelmorInvoicerSettings.txt"
                                                            << "/pelmor-invoicer"));
        QCOMPARE(testfiles::readBytes(m_folder + "/Backup/PelmorInvoicerSettings.txt"),
                 testfiles::readBytes(m_folder + "/PelmorInvoicerSettings.txt"));
    }

    void commandLineIsSettledBeforeAnyWindowOrFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // how stdout, else stderr, begins

        const QString version = QStringLiteral("Pelmor Invoicer %1.%2.%3\nData folder: ")
                                    .arg(PELMOR_VERSION_MAJOR)
                                    .arg(PELMOR_VERSION_MINOR)
                                    .arg(PELMOR_VERSION_PATCH);
        const QString usage = QStringLiteral("\n\nUsage: pelmor-invoicer [options]\n");
        // A folder it may write in is its data folder, as it always was.
        QTest::newRow("version") << QStringList{"--version"} << 0 << version + "<folder>\n";
        QTest::newRow("named folder")
            << QStringList{"--data-dir", "a/../shop", "-v"} << 0 << version + "<home>/shop\n";
        QTest::newRow("unknown") << QStringList{"--help", "--bogus"} << 2
                                 << "Unknown option 'bogus'." + usage;
        // The toolkit's own options are not the program's, and are refused as one word.
        QTest::newRow("toolkit") << QStringList{"-platform", "xcb"} << 2
                                 << "Unknown option 'platform'." + usage;
        QTest::newRow("stray") << QStringList{"a.txt"} << 2
                               << "Unexpected argument: a.txt." + usage;
    }

    void commandLineIsSettledBeforeAnyWindowOrFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        output.replace("<folder>", m_folder).replace("<home>", m_home.path());

        const auto program = start(m_folder, arguments, {}, true);
        QVERIFY(program && program->waitForFinished(20000));
        QCOMPARE(program->exitCode(), exitCode);
        const QByteArray printed =
            exitCode == 0 ? program->readAllStandardOutput() : program->readAllStandardError();
        QVERIFY2(printed.startsWith(output.toLocal8Bit()), printed.constData());
        QCOMPARE(treeOf(m_folder), QStringList{"/pelmor-invoicer"});
    }

    void readOnlyFolderKeepsTheDataPerUser()
    {
        QTemporaryDir place;
        QTemporaryDir home;
        const QString folder = place.path() + "/program";
        // No real serial device, as for every other copy.
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(home.path() + "/.config/Pelmor") &&
                QFile::copy(QStringLiteral(PELMOR_EXECUTABLE), folder + "/pelmor-invoicer") &&
                QFile::copy(m_home.path() + "/.config/Pelmor/PelmorInvoicer.conf",
                            home.path() + "/.config/Pelmor/PelmorInvoicer.conf"));
        const auto open = QFile::Permissions(0x7755); // rwxr-xr-x
        QVERIFY(QFile::setPermissions(place.path(), open));
        QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x5555))); // r-xr-xr-x
        if (::geteuid() == 0)
            QCOMPARE(QProcess::execute("chown", {"-R", "nobody:nogroup", home.path()}), 0);

        const auto program = start(folder, {}, home.path());
        QVERIFY(program);
        const QString perUser = home.path() + "/.local/share/Pelmor/PelmorInvoicer";
        QVERIFY(waitForLock(perUser, *program));
        QVERIFY(treeOf(perUser).contains("/PelmorInvoicerSettings.txt"));
        QVERIFY(endBySignal(*program));
        QCOMPARE(treeOf(folder), QStringList{"/pelmor-invoicer"});
        QVERIFY(QFile::setPermissions(folder, open));
    }

    void customersGetTheirAttachmentFolders()
    {
        const QByteArray customers = customerRecord("A100") + customerRecord("  B 200  ") +
                                     customerRecord("C300-LONG-ACCOUNT-NO")
                                     // no folder for these: blank, climbing out, a path
                                     + customerRecord("") + customerRecord("..") +
                                     customerRecord("x/y");
        QVERIFY(testfiles::writeBytes(m_folder + "/CustomerData.txt", customers));
        const auto program = start(m_folder);
        QVERIFY(program);
        QVERIFY(waitForLock(m_folder, *program));

        QStringList aux;
        for (const QString &entry : treeOf(m_folder)) {
            if (entry.startsWith("/AuxFiles/") && entry != "/AuxFiles/")
                aux << entry;
        }
        QStringList expected;
        for (const QString account : {"A100", "B 200", "C300-LONG-ACCOUNT-NO"}) {
            expected << "/AuxFiles/" + account + "/";
            for (int j = 0; j <= 5; ++j)
                expected << QStringLiteral("/AuxFiles/%1/AuxFile%2/").arg(account).arg(j);
        }
        QCOMPARE(aux, sorted(expected));
        QVERIFY(!QFileInfo::exists(m_folder + "/x"));

        QVERIFY(endBySignal(*program));
        QCOMPARE(testfiles::readBytes(m_folder + "/Backup/CustomerData.txt"), customers);
    }

    void secondCopyIsRefusedAndLeavesTheFirstAlone()
    {
        QVERIFY(testfiles::writeBytes(m_folder + "/InvoiceMemo.txt", "Thank you\r\n"));
        const auto first = start(m_folder);
        QVERIFY(first);
        QVERIFY(waitForLock(m_folder, *first));
        const QByteArray lock = testfiles::readBytes(m_folder + "/PelmorInvoicer.lock");
        const QStringList tree = treeOf(m_folder);

        {
            PelmorMasterModule second(m_folder, m_prompts, m_clock, fakeplatform::make());
            int quits = 0;
            second.setQuit([&] { ++quits; });
            QVERIFY(!second.Main());
            QCOMPARE(m_prompts.shown.size(), 1);
            QCOMPARE(m_prompts.shown[0].text,
                     QString("Pelmor Invoicer is already Running!\r\nLook for it on the Task Bar"));
            QCOMPARE(m_prompts.shown[0].title, QString("Pelmor Invoicer"));
            // Its windows never reach the operator, its end has no backup.
            QCOMPARE(second.screen(Navigator::Target::MainMenu), nullptr);
            QCOMPARE(quits, 0);
        }

        // A second copy of the program itself, ended by the system while it says so.
        const QString sibling = m_folder + "/pelmor-invoicer";
        QVERIFY(QFileInfo::exists(sibling));
        const auto refused = start(m_folder);
        QVERIFY(refused);
        QTest::qWait(1500);
        QCOMPARE(refused->state(), QProcess::Running); // waiting on its message
        refused->terminate();
        QVERIFY(refused->waitForFinished(20000));

        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(testfiles::readBytes(m_folder + "/PelmorInvoicer.lock"), lock);
        QCOMPARE(treeOf(m_folder), tree);

        QVERIFY(endBySignal(*first));
        QCOMPARE(testfiles::readBytes(m_folder + "/Backup/InvoiceMemo.txt"),
                 QByteArray("Thank you\r\n"));
        QVERIFY(!QFileInfo::exists(m_folder + "/PelmorInvoicer.lock"));
    }

    void lockFileThatNamesNoProgramIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\xff\xfe not a lock \x01");
    }

    void lockFileThatNamesNoProgramIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QVERIFY(testfiles::writeBytes(m_folder + "/PelmorInvoicer.lock", content));
        PelmorMasterModule program(m_folder, m_prompts, m_clock, fakeplatform::make());
        program.setQuit([] {});
        QVERIFY(program.Main());
        QCOMPARE(m_prompts.shown.size(), 0);
        QVERIFY(testfiles::readBytes(m_folder + "/PelmorInvoicer.lock") != content);
        program.ExitApplication();
        QVERIFY(!QFileInfo::exists(m_folder + "/PelmorInvoicer.lock"));
    }

    void lockOfARunningCopyIsNotTakenOverWhateverItHolds()
    {
        const auto first = start(m_folder);
        QVERIFY(first);
        QVERIFY(waitForLock(m_folder, *first));
        // The running copy's lock file, its content spoiled in place.
        QFile lock(m_folder + "/PelmorInvoicer.lock");
        QVERIFY(lock.open(QIODevice::ReadWrite | QIODevice::Truncate));
        QCOMPARE(lock.write("garbage"), qint64(7));
        lock.close();

        PelmorMasterModule second(m_folder, m_prompts, m_clock, fakeplatform::make());
        QVERIFY(!second.Main());
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(testfiles::readBytes(m_folder + "/PelmorInvoicer.lock"), QByteArray("garbage"));
        QVERIFY(endBySignal(*first));
    }

    void lockHeldByARunningProgramIsNotTakenOver()
    {
        QLockFile held(m_folder + "/PelmorInvoicer.lock");
        QVERIFY(held.tryLock(0));
        PelmorMasterModule program(m_folder, m_prompts, m_clock, fakeplatform::make());
        QVERIFY(!program.Main());
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY(held.isLocked());
        QVERIFY(QFileInfo::exists(m_folder + "/PelmorInvoicer.lock"));
    }

    void terminationWhileStartingEndsWithoutHanging()
    {
        // A port that opens and never answers keeps the modem probe waiting, with
        // events running, while the signal comes in.
        FakeSerialDevice silent(FakeSerialDevice::Kind::Silent);
        QVERIFY(silent.isValid());
        const QString device = silent.device();
        QVERIFY(testfiles::writeBytes(m_folder + "/Narrative.txt", "narrative"));
        int quits = 0;
        {
            PelmorMasterModule program(m_folder, m_prompts, m_clock,
                                       fakeplatform::make([device](int port) {
                                           return port == 1 ? device : fakeplatform::missingDevice(port);
                                       }));
            program.setQuit([&] { ++quits; });
            program.watchTerminationSignals();
            ::raise(SIGTERM);
            QVERIFY(!program.Main());
            QVERIFY(program.isExiting());
            QCOMPARE(quits, 1);
            QCOMPARE(program.screen(Navigator::Target::MainMenu), nullptr);
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (qobject_cast<Screen *>(window))
                    QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
            }
            program.ExitApplication();
            QCOMPARE(quits, 1);
        }
        // Not yet known to be the only copy: nothing of a running copy is touched.
        QVERIFY(!QFileInfo::exists(m_folder + "/Backup/Narrative.txt"));
        QVERIFY(!QFileInfo::exists(m_folder + "/PelmorInvoicer.lock"));
    }

    void terminationAfterStartingBacksUp()
    {
        // The signal pipe serves each program object in turn.
        QVERIFY(testfiles::writeBytes(m_folder + "/TaxRecords.txt", "tax records"));
        int quits = 0;
        PelmorMasterModule program(m_folder, m_prompts, m_clock, fakeplatform::make());
        program.setQuit([&] { ++quits; });
        program.watchTerminationSignals();
        QVERIFY(program.Main());
        ::raise(SIGTERM);
        QTRY_COMPARE(quits, 1);
        QCOMPARE(testfiles::readBytes(m_folder + "/Backup/TaxRecords.txt"),
                 QByteArray("tax records"));
    }
};

QTEST_MAIN(TestRunningProgram)
#include "tst_runningprogram.moc"
