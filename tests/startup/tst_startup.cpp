#include "core/clock.h"
#include "core/rollbackjournal.h"
#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/pelmormastermodule.h"
#include "ui/printdialogs.h"

#include <QPrinter>
#include "ui/messageprompts.h"
#include "ui/screen.h"

#include "fakeplatform.h"
#include "scriptedprompts.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QLockFile>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "proposalbytes.h"
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
        const QString backup = QDir::toNativeSeparators(root() + "/Backup");
        QCOMPARE(m_prompts.shown[0].text, "The folder \"" + backup + "\" could not be created.\r\n\"" +
                                              backup + "\" is a file, not a folder.");
    }

    void anAuxFolderInTheWayIsReportedAndStartGoesOn()
    {
        QByteArray customers;
        for (const char *account : {"A1", "B2"}) {
            QByteArray record(328, ' ');
            record.replace(0, 2, account);
            customers += record;
        }
        QVERIFY(testfiles::writeBytes(root() + "/CustomerData.txt", customers));
        QVERIFY(testfiles::writeBytes(root() + "/AuxFiles/A1", "a file in the way"));
        QVERIFY(testfiles::writeBytes(root() + "/Services.txt.x1Y2z3", "left by a killed rewrite"));
        QVERIFY(testfiles::writeBytes(root() + "/Backup/CUSTOMER.TMP", "left by a killed delete"));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        QVERIFY(program.hasScreen(Navigator::Target::MainMenu));
        QVERIFY(QFileInfo(root() + "/AuxFiles/B2/AuxFile5").isDir());
        const QString folder = QDir::toNativeSeparators(root() + "/AuxFiles/A1");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown[0].text,
                 "These customer attachment folders could not be created; their notes cannot be "
                 "kept:\r\n" + folder + "\r\n    \"" + folder + "\" is a file, not a folder.");
        QVERIFY(!QFileInfo::exists(root() + "/Services.txt.x1Y2z3"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/CUSTOMER.TMP"));
        program.ExitApplication();
    }

    void anInterruptedPostingIsUndoneBeforeTheBooksAreRead()
    {
        RollbackJournal::Intent posting;
        posting.subject = QStringLiteral("20260001");
        posting.entries = {{RollbackJournal::Op::Append, RollbackJournal::State::File,
                            QStringLiteral("InvoiceSalesJournal.txt"), 5, {}, 0}};
        QVERIFY(testfiles::writeBytes(root() + "/InvoiceSalesJournal.txt", "firstSECOND"));
        QVERIFY(testfiles::writeBytes(root() + "/WriteIntent.dat", RollbackJournal::encode(posting)));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        QVERIFY(program.hasScreen(Navigator::Target::MainMenu));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown[0].text, "The Posting of Invoice 20260001 was interrupted and has "
                                          "been undone.\r\nPrint and Post Invoice 20260001 again.");
        QCOMPARE(m_prompts.shown[0].title, QString("Posting Interrupted"));
        QCOMPARE(testfiles::readBytes(root() + "/InvoiceSalesJournal.txt"), QByteArray("first"));
        QVERIFY(!QFileInfo::exists(root() + "/WriteIntent.dat"));
        program.ExitApplication();
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
        QCOMPARE(recorder.closed,
                 QStringList({"frmNewCustomer", "frmDialer", "frmInvoice", "frmIncomplete",
                              "frmBlanks", "frmServices", "frmSalesReport", "frmStartup",
                              "frmSplash", "frmSetup"}));
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

    void openWebPageWritesTheShortcut_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::newRow("a browser shows it") << true;
        QTest::newRow("no browser") << false;
    }
    void openWebPageWritesTheShortcut()
    {
        QFETCH(bool, browser);
        QStringList opened;
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setUrlOpener([&](const QString &address) {
            opened << address;
            return browser;
        });
        program.OpenWebPage("https://example.com/paper");
        QCOMPARE(testfiles::readBytes(root() + "/Temp.url"),
                 QByteArray("[InternetShortcut]\r\nURL = https://example.com/paper\r\n"));
        QCOMPARE(opened, QStringList{"https://example.com/paper"});
        // Help with nothing to show it says so instead of doing nothing.
        QCOMPARE(m_prompts.shown.size(), browser ? 0 : 1);
        if (!browser) {
            QCOMPARE(m_prompts.shown.at(0).text,
                     "No web browser could be opened to show\r\nhttps://example.com/paper");
            QCOMPARE(m_prompts.shown.at(0).title, DefaultMessageTitle);
        }
    }

    // The close box of any screen ends the program; the customer being typed is kept
    // as every other way off the customer screen keeps it.
    void programEndSavesTheCustomerOnShow_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::newRow("passes the checks") << true;
        QTest::newRow("no last name") << false;
    }
    void programEndSavesTheCustomerOnShow()
    {
        QFETCH(bool, complete);
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        QVERIFY(program.show(Navigator::Target::CustomerMaintenance, menu));
        Screen *customers = program.screen(Navigator::Target::CustomerMaintenance);
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_0"), "N1");
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_8"), "Nia");
        if (complete)
            QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_10"), "Moss");
        m_prompts.shown.clear();

        customers->close();

        QVERIFY(!customers->isVisible());
        const QByteArray stored = testfiles::readBytes(root() + "/CustomerData.txt");
        QCOMPARE(QFileInfo::exists(root() + "/CustomerData.txt"), complete);
        if (complete) {
            QCOMPARE(stored.size(), 328);
            QCOMPARE(stored.left(4), QByteArray("N1  "));
        }
        // Nothing is asked at the end; a customer that fails the checks is not stored.
        QCOMPARE(m_prompts.shown.size(), 0);
    }

    // On a 1,280 x 720 display every screen fits whole, title bar included, at the
    // size it opens with and at its smallest.
    void everyScreenFitsASmallDisplay_data()
    {
        QTest::addColumn<int>("target");
        QTest::newRow("main menu") << int(Navigator::Target::MainMenu);
        QTest::newRow("setup") << int(Navigator::Target::Setup);
        QTest::newRow("customers") << int(Navigator::Target::CustomerMaintenance);
        QTest::newRow("catalog") << int(Navigator::Target::Catalog);
    }
    void everyScreenFitsASmallDisplay()
    {
        QFETCH(int, target);
        const QSize display(1280, 720 - 32);
        // The size a screen opens with the first time, not one an earlier run kept.
        QSettings(QStringLiteral("Pelmor"), QStringLiteral("PelmorInvoicer")).clear();
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        m_prompts.shown.clear();
        QVERIFY(program.show(Navigator::Target(target), nullptr));
        Screen *screen = program.screen(Navigator::Target(target));
        QVERIFY(screen);
        const QSize smallest = screen->minimumSizeHint().expandedTo(screen->minimumSize());
        QVERIFY2(
            smallest.width() <= display.width() && smallest.height() <= display.height(),
            qPrintable(
                QStringLiteral("smallest %1 x %2").arg(smallest.width()).arg(smallest.height())));
        QVERIFY2(
            screen->width() <= display.width() && screen->height() <= display.height(),
            qPrintable(
                QStringLiteral("opens at %1 x %2").arg(screen->width()).arg(screen->height())));
        m_prompts.shown.clear();
        program.ExitApplication();
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

    // Both roads of routine 0 hand their customer over the same way; a customer from the
    // list never passes for a proposal's, even after a proposal was chosen before.
    void bothRoadsOfTheMenuHandTheCustomerToTheInvoice()
    {
        QVERIFY(testfiles::writeBytes(root() + "/PIInventoriedItems.txt", QByteArray()));
        fixture::ProposalHead head;
        head.number = "P5";
        QVERIFY(testfiles::writeBytes(root() + "/PelmorProposals/P5.txt",
                                      fixture::proposalBytes(head)));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        program.show(Navigator::Target::MainMenu, nullptr);
        const auto startRoutineZero = [menu] {
            menu->findChild<QAbstractButton *>("optMainMenuSub_0")->setChecked(true);
            QTest::mouseClick(menu->findChild<QAbstractButton *>("cmdGoto"), Qt::LeftButton);
        };

        startRoutineZero();
        Screen *selection = program.screen(Navigator::Target::CustomerSelection);
        QVERIFY(selection && selection->isVisible());
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(selection->findChild<QAbstractButton *>("cmdStartup_1"), Qt::LeftButton);
        auto *grid = selection->findChild<QAbstractItemView *>("fgProposals");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 0)).center());
        QTest::mouseClick(selection->findChild<QAbstractButton *>("cmdCreation_1"),
                          Qt::LeftButton);
        QCOMPARE(program.invoice().AcctNo, QString("LEE100"));
        QCOMPARE(program.invoice().Customer, QString("Ann Lee"));
        QCOMPARE(program.invoice().Address3, QString("Springfield"));
        QCOMPARE(program.invoice().State, QString("IL"));
        QVERIFY(program.state().FromProposal);
        Screen *invoice = program.screen(Navigator::Target::Invoice);
        QVERIFY(invoice && invoice->isVisible());
        QVERIFY(!selection->isVisible());
        QVERIFY(!QFile::exists(root() + "/CustomerData.txt"));
        QVERIFY(m_prompts.shown.isEmpty());

        // Without proposals routine 0 goes straight to the customer list.
        QVERIFY(QDir(root() + "/PelmorProposals").removeRecursively());
        QVERIFY(program.show(Navigator::Target::MainMenu, invoice));
        startRoutineZero();
        Screen *customers = program.screen(Navigator::Target::CustomerMaintenance);
        QVERIFY(customers && customers->isVisible());
        QCOMPARE(m_prompts.shown.value(0).text,
                 QString("Your Customer File is Empty\r\nCreate your First Customer Now"));
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_0"), "N1");
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_8"), "Nia");
        QTest::keyClicks(customers->findChild<QLineEdit *>("txtCustomer_10"), "Moss");
        QTest::mouseClick(customers->findChild<QAbstractButton *>("cmdCustomer_1"), Qt::LeftButton);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(program.invoice().AcctNo, QString("N1"));
        QVERIFY(!program.state().FromProposal);
        QVERIFY(invoice->isVisible());
        program.ExitApplication();
    }

    void blankFormsOpenFromTheMenuAndReturn()
    {
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        program.show(Navigator::Target::MainMenu, nullptr);
        QVERIFY(program.show(Navigator::Target::BlankForms, menu));
        Screen *blanks = program.screen(Navigator::Target::BlankForms);
        QVERIFY(blanks && blanks->isVisible());
        QCOMPARE(blanks->windowTitle(), QString("Print Blank Invoices"));
        QTest::mouseClick(blanks->findChild<QPushButton *>("Command1_1"), Qt::LeftButton);
        QVERIFY(menu->isVisible());
        QVERIFY(!blanks->isVisible());
        program.ExitApplication();
    }

    void partialInvoicesAreCountedForTheMenu()
    {
        QVERIFY(testfiles::writeBytes(root() + "/PIInventoriedItems.txt", QByteArray(104, ' ')));
        const QByteArray partial =
            "1001\r\nA1\r\nNia\r\n12/1/2026\r\n" + QByteArray("\"\"\r\n").repeated(12) +
            "1001\r\nA1\r\n\r\n\r\n0\r\n";
        QVERIFY(testfiles::writeBytes(root() + "/PelmorInvoicer/IncompleteInvoices/1001.txt", partial));
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        QCOMPARE(program.IncompleteCount(), 1);
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        program.show(Navigator::Target::MainMenu, nullptr);
        auto *routine = menu->findChild<QRadioButton *>("optMainMenuSub_1");
        QVERIFY(routine->isEnabled());
        routine->click();
        QTest::mouseClick(menu->findChild<QAbstractButton *>("cmdGoto"), Qt::LeftButton);
        Screen *list = program.screen(Navigator::Target::Incomplete);
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->findChild<QTableWidget *>("fgIncomplete")->item(0, 2)->text(), QString("Nia"));
        m_prompts.answerNext(true);
        m_prompts.answerNext(true);
        QTest::mouseClick(list->findChild<QAbstractButton *>("Command1_2"), Qt::LeftButton);
        QCOMPARE(program.IncompleteCount(), 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!list->isVisible());
        QVERIFY(!routine->isEnabled());
        QCOMPARE(m_prompts.shown.size(), 2);
        program.ExitApplication();
    }

    // The partial invoice list with nothing in it goes back at once: the menu stays.
    void anEmptyPartialListLeavesTheMenuShown()
    {
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([] {});
        QVERIFY(program.Main());
        Screen *menu = program.screen(Navigator::Target::MainMenu);
        program.show(Navigator::Target::MainMenu, nullptr);
        program.show(Navigator::Target::Incomplete, menu);
        QVERIFY(menu->isVisible());
        QVERIFY(!program.screen(Navigator::Target::Incomplete)->isVisible());
        program.ExitApplication();
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
