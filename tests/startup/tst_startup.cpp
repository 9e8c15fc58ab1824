#include "core/clock.h"
#include "startup/pelmormastermodule.h"
#include "ui/messageprompts.h"
#include "ui/screen.h"

#include "scriptedprompts.h"

#include <QDir>
#include <QDirIterator>
#include <QLockFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

QStringList filesIn(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size());
    files.sort();
    return files;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString root() const { return m_dir.path(); }
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(9, 30))};

private slots:
    void init()
    {
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
        m_prompts.clear();
    }

    void firstStartMakesFoldersAndLeavesNoFiles()
    {
        int quits = 0;
        {
            PelmorMasterModule program(root(), m_prompts, m_clock);
            program.setQuit([&] { ++quits; });
            QVERIFY(program.Main());
            QVERIFY(QFileInfo(root() + "/2026").isDir());
            QVERIFY(QFileInfo(root() + "/PelmorInvoicer/Templates/Invoices").isDir());
            QVERIFY(program.hasScreen(Navigator::Target::MainMenu));
            program.ExitApplication();
            program.ExitApplication();
        }
        QCOMPARE(quits, 1);
        QCOMPARE(filesIn(root()), QStringList());
        QCOMPARE(m_prompts.shown.size(), 0);
    }

    void secondInstanceIsRefused()
    {
        QLockFile other(root() + "/PelmorInvoicer.lock");
        QVERIFY(other.tryLock(0));
        writeBytes(root() + "/Services.txt", "x");
        PelmorMasterModule program(root(), m_prompts, m_clock);
        QVERIFY(!program.Main());
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown[0].text,
                 QString("Pelmor Invoicer is already Running!\r\nLook for it on the Task Bar"));
        QCOMPARE(m_prompts.shown[0].title, QString("Pelmor Invoicer"));
        // The refused copy ends without the backup.
        QVERIFY(!QFileInfo::exists(root() + "/Backup/Services.txt"));
        QVERIFY(other.isLocked());
    }

    void folderThatCannotBeMadeIsReported()
    {
        writeBytes(root() + "/Backup", "a file where a folder belongs");
        PelmorMasterModule program(root(), m_prompts, m_clock);
        QVERIFY(!program.Main());
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY2(m_prompts.shown[0].text.contains(QDir::toNativeSeparators(root() + "/Backup")),
                 qPrintable(m_prompts.shown[0].text));
    }

    void closeBoxEndsTheProgramWithBackup()
    {
        writeBytes(root() + "/Services.txt", "services");
        int quits = 0;
        PelmorMasterModule program(root(), m_prompts, m_clock);
        program.setQuit([&] { ++quits; });
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        QVERIFY(program.show(Navigator::Target::MainMenu, nullptr));
        QVERIFY(menu->isVisible());
        menu->close();
        QCOMPARE(quits, 1);
        QVERIFY(program.isExiting());
        QVERIFY(!menu->isVisible());
        QCOMPARE(readBytes(root() + "/Backup/Services.txt"), QByteArray("services"));
        QVERIFY(!QFileInfo::exists(root() + "/PelmorInvoicer.lock"));
    }

    void terminationSignalEndsThroughExit()
    {
        writeBytes(root() + "/Labor.txt", "labor");
        int quits = 0;
        PelmorMasterModule program(root(), m_prompts, m_clock);
        program.setQuit([&] { ++quits; });
        program.watchTerminationSignals();
        QVERIFY(program.Main());
        ::raise(SIGTERM);
        QTRY_COMPARE(quits, 1);
        QCOMPARE(readBytes(root() + "/Backup/Labor.txt"), QByteArray("labor"));
    }

    void endWhileAMessageBoxIsOpen()
    {
        MessagePrompts real;
        int quits = 0;
        PelmorMasterModule program(root(), real, m_clock);
        program.setQuit([&] { ++quits; });
        QVERIFY(program.Main());
        QTimer::singleShot(50, &program, &PelmorMasterModule::ExitApplication);
        real.tell("Waiting for the operator");
        QCOMPARE(quits, 1);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void openWebPageWritesTheShortcut()
    {
        QStringList opened;
        PelmorMasterModule program(root(), m_prompts, m_clock);
        program.setUrlOpener([&](const QString &address) { opened << address; });
        program.OpenWebPage("https://example.com/paper");
        QCOMPARE(readBytes(root() + "/Temp.url"),
                 QByteArray("[InternetShortcut]\r\nURL = https://example.com/paper\r\n"));
        QCOMPARE(opened, QStringList{"https://example.com/paper"});
    }

    void navigationToAMissingScreenChangesNothing()
    {
        PelmorMasterModule program(root(), m_prompts, m_clock);
        program.setQuit([] {});
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        program.show(Navigator::Target::MainMenu, nullptr);
        QVERIFY(!program.show(Navigator::Target::Reprint, menu));
        QVERIFY(menu->isVisible());
        program.ExitApplication();
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
