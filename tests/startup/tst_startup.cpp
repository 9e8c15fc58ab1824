#include "core/clock.h"
#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/pelmormastermodule.h"
#include "ui/printdialogs.h"

#include <QPrinter>
#include "ui/messageprompts.h"
#include "ui/screen.h"

#include "fakeplatform.h"
#include "scriptedprompts.h"

#include <QDir>
#include <QDirIterator>
#include <QLockFile>
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"
#include <QTimer>

#include <csignal>

namespace {

PlatformServices fakePlatform()
{
    return fakeplatform::make();
}

// Records the order in which windows are closed, and whether the backup was there first.
class CloseRecorder final : public QObject
{
public:
    explicit CloseRecorder(QString backup) : m_backup(std::move(backup)) {}
    QStringList closed;
    bool backupBeforeFirstClose = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            if (closed.isEmpty())
                backupBeforeFirstClose = QFileInfo::exists(m_backup);
            closed << watched->objectName();
        }
        return false;
    }

private:
    QString m_backup;
};

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
            PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
            program.setQuit([&] { ++quits; });
            QVERIFY(program.Main());
            QVERIFY(QFileInfo(root() + "/2026").isDir());
            QVERIFY(QFileInfo(root() + "/PelmorInvoicer/Templates/Invoices").isDir());
            QVERIFY(program.hasScreen(Navigator::Target::MainMenu));
            program.ExitApplication();
            program.ExitApplication();
        }
        QCOMPARE(quits, 1);
        // Only the settings file, written at once when absent, and its backup copy.
        QCOMPARE(testfiles::filesIn(root()), QStringList({"/Backup/PelmorInvoicerSettings.txt",
                                               "/PelmorInvoicerSettings.txt"}));
        QCOMPARE(m_prompts.shown.size(), 0);
    }

    void newcomerGoesFromWelcomeThroughSetupToTheMenu()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        QWidget *splashWindow = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmSplash")
                splashWindow = w;
        QVERIFY(splashWindow && splashWindow->isVisible());
        QTest::mouseClick(splashWindow->findChild<QPushButton *>("cmdContinue"), Qt::LeftButton);
        QTest::mouseClick(splashWindow->findChild<QToolButton *>("imgWelcome"), Qt::LeftButton);

        Screen *setup = program.screen(Navigator::Target::Setup);
        QVERIFY(setup->isVisible());
        QVERIFY(!splashWindow->isVisible());
        setup->findChild<QLineEdit *>("txtBusiness_0")->setText("Acme Plumbing");
        setup->findChild<QLineEdit *>("txtBusiness_6")->setText("555-1234");
        QTest::mouseClick(setup->findChild<QPushButton *>("cmdQuit"), Qt::LeftButton);

        QVERIFY(!setup->isVisible());
        QVERIFY(program.screen(Navigator::Target::MainMenu)->isVisible());
        QCOMPARE(testfiles::readBytes(root() + "/MyBusinessData.txt"),
                 QByteArray("\"Acme Plumbing\",\"\",\"\",\"\",\"\",\"\",\"555-1234\",\"\",\"\"\r\n"));
        QCOMPARE(testfiles::readBytes(root() + "/PelmorInvoicerSettings.txt"),
                 QByteArray("1,0,0,0,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n"));
        QCOMPARE(testfiles::readBytes(root() + "/Phone.txt"), QByteArray("#FALSE#\r\n0\r\n"));
        QVERIFY(program.SettingsFilesPresent());
        program.ExitApplication();
        QLocale::setDefault(QLocale::system());
    }

    void secondInstanceIsRefused()
    {
        QLockFile other(root() + "/PelmorInvoicer.lock");
        QVERIFY(other.tryLock(0));
        QVERIFY(testfiles::writeBytes(root() + "/Services.txt", "x"));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
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
        QVERIFY(testfiles::writeBytes(root() + "/Backup", "a file where a folder belongs"));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        QVERIFY(!program.Main());
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY2(m_prompts.shown[0].text.contains(QDir::toNativeSeparators(root() + "/Backup")),
                 qPrintable(m_prompts.shown[0].text));
    }

    void closeBoxEndsTheProgramWithBackup()
    {
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceMemo.txt", "memo"));
        int quits = 0;
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([&] { ++quits; });
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        QVERIFY(program.show(Navigator::Target::MainMenu, nullptr));
        QVERIFY(menu->isVisible());
        menu->close();
        QCOMPARE(quits, 1);
        QVERIFY(program.isExiting());
        QVERIFY(!menu->isVisible());
        QCOMPARE(testfiles::readBytes(root() + "/Backup/InvoiceMemo.txt"), QByteArray("memo"));
        QVERIFY(!QFileInfo::exists(root() + "/PelmorInvoicer.lock"));
    }

    void exitBacksUpFirstThenClosesTheLastMadeFirst()
    {
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceMemo.txt", "memo"));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        QVERIFY(program.show(Navigator::Target::MainMenu, nullptr));
        // The customer screen and its dialer are made on first use, after the rest.
        QVERIFY(program.show(Navigator::Target::CustomerMaintenance,
                             program.screen(Navigator::Target::MainMenu)));

        CloseRecorder recorder(root() + "/Backup/InvoiceMemo.txt");
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<Screen *>(window))
                window->installEventFilter(&recorder);
        }
        program.ExitApplication();
        QCOMPARE(recorder.closed, QStringList({"frmNewCustomer", "frmDialer", "frmInvoice",
                                               "frmServices", "frmStartup", "frmSplash",
                                               "frmSetup"}));
        QVERIFY(recorder.backupBeforeFirstClose);
    }

    void terminationSignalEndsThroughExit()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Narrative.txt", "narrative"));
        int quits = 0;
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([&] { ++quits; });
        program.watchTerminationSignals();
        QVERIFY(program.Main());
        ::raise(SIGTERM);
        QTRY_COMPARE(quits, 1);
        QCOMPARE(testfiles::readBytes(root() + "/Backup/Narrative.txt"), QByteArray("narrative"));
    }

    void endWhileAMessageBoxIsOpen()
    {
        MessagePrompts real;
        int quits = 0;
        PelmorMasterModule program(root(), real, m_clock, fakePlatform());
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
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setUrlOpener([&](const QString &address) { opened << address; });
        program.OpenWebPage("https://example.com/paper");
        QCOMPARE(testfiles::readBytes(root() + "/Temp.url"),
                 QByteArray("[InternetShortcut]\r\nURL = https://example.com/paper\r\n"));
        QCOMPARE(opened, QStringList{"https://example.com/paper"});
    }

    void customerScreenIsMadeWhenFirstAskedFor()
    {
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        program.show(Navigator::Target::MainMenu, nullptr);
        QVERIFY(program.hasScreen(Navigator::Target::CustomerMaintenance));
        QCOMPARE(program.screen(Navigator::Target::CustomerMaintenance), nullptr);
        QVERIFY(program.show(Navigator::Target::CustomerMaintenance, menu));
        Screen *customers = program.screen(Navigator::Target::CustomerMaintenance);
        QVERIFY(customers && customers->isVisible());
        QVERIFY(!menu->isVisible());
        QCOMPARE(m_prompts.shown.value(0).text,
                 QString("Your Customer File is Empty\r\nCreate your First Customer Now"));
        QVERIFY(program.show(Navigator::Target::MainMenu, customers));
        QVERIFY(program.show(Navigator::Target::CustomerMaintenance, menu));
        QCOMPARE(program.screen(Navigator::Target::CustomerMaintenance), customers);

        // A new customer typed and selected is saved and handed to the invoice.
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_0"), "N1");
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_8"), "Nia");
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_10"), "Moss");
        QTest::mouseClick(customers->findChild<QAbstractButton *>("cmdCustomer_1"), Qt::LeftButton);
        QCOMPARE(program.invoice().AcctNo, QString("N1"));
        QCOMPARE(program.invoice().Customer, QString(" Nia  Moss"));
        Screen *invoice = program.screen(Navigator::Target::Invoice);
        QVERIFY(invoice && invoice->isVisible());
        QCOMPARE(invoice->findChild<QLabel *>("lblCustomer_6")->text(), QString(" Nia  Moss"));
        QCOMPARE(invoice->findChild<QLabel *>("lblAcctNo")->text(), QString("N1"));
        QVERIFY(!menu->isVisible());
        QVERIFY(!customers->isVisible());
        program.ExitApplication();
    }

    void navigationToAMissingScreenChangesNothing()
    {
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
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
