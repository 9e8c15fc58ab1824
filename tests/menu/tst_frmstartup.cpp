#include "core/datafolder.h"
#include "menu/frmstartup.h"
#include "fakenavigator.h"
#include "scriptedprompts.h"
#include "ui/navigator.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {



const char *const Captions[] = {
    "Create a C&ustomer Invoice",
    "&Add to a Partial Invoice",
    "&View or Reprint Completed Invoices",
    "&Create and Manage - Sales Items,  Custom Items, Services, and Labor Rates",
    "Create an &Invoice Report",
    "Create an Item &Sales Report",
    "Print Blank Invoices",
};

} // namespace

class tst_frmStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void optionsCarryTheirCaptionsAndToolTips_data();
    void optionsCarryTheirCaptionsAndToolTips();
    void fixedTextsOfTheWindow();
    void menuEntries_data();
    void menuEntries();
    void menuNesting();

    void activationEnablesWhatTheDataAllows_data();
    void activationEnablesWhatTheDataAllows();
    void freshInstallationLeadsToTheCatalog();
    void journalIsRestoredFromBackupAndEnablesInvoiceReport();
    void partialInvoiceOptionFollowsTheCount();
    void everyNavigationRepeatsTheEnablingPass();

    void customerInvoiceRoute_data();
    void customerInvoiceRoute();
    void routinesOpenTheirScreens_data();
    void routinesOpenTheirScreens();
    void gotoWithNothingSelectedDoesNothing();
    void disabledOptionIgnoresDoubleClick();
    void missingScreenLeavesTheMenuAsItIs();

    void questionsBeforeSupplierPages_data();
    void questionsBeforeSupplierPages();
    void deluxePagesOpenWithoutAsking_data();
    void deluxePagesOpenWithoutAsking();
    void supplierAddressesAreDistinctSecurePages();
    void createModifyOpensSetupAndExitEnds();
    void helpOpensTheShippedManual();
    void helpReportsAManualThatCannotBeWritten();

    void keyboardReachesEveryRoutine();
    void arrowsSkipUnavailableRoutines();
    void mnemonicsSelectOptions_data();
    void mnemonicsSelectOptions();
    void f10OpensTheMenuBar();
    void geometryIsKeptBetweenRuns();

private:
    void writeFile(const QString &relative, const QByteArray &bytes = "x\r\n");
    void enableEverything();
    QRadioButton *option(int index) const;
    QString enabledMask() const;
    int selectedIndex() const;
    void trigger(const QString &actionName);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<FakeNavigator> m_navigator;
    std::unique_ptr<frmStartup> m_menu;
};

void tst_frmStartup::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QStandardPaths::setTestModeEnabled(true);
}

void tst_frmStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("CompletedInvoices")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backup")));
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_navigator = std::make_unique<FakeNavigator>();
    m_menu = std::make_unique<frmStartup>(*m_data, *m_prompts, *m_navigator);
}

void tst_frmStartup::cleanup()
{
    m_menu.reset();
    m_navigator.reset();
    m_prompts.reset();
    m_data.reset();
    m_dir.reset();
}

void tst_frmStartup::writeFile(const QString &relative, const QByteArray &bytes)
{
    const QString path = m_dir->path() + relative;
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void tst_frmStartup::enableEverything()
{
    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    writeFile(QStringLiteral("/CompletedInvoices/1001.txt"));
    writeFile(QStringLiteral("/InvoiceSalesJournal.txt"));
    writeFile(QStringLiteral("/SoldItems.txt"));
    m_navigator->incomplete = 1;
}

QRadioButton *tst_frmStartup::option(int index) const
{
    return m_menu->findChild<QRadioButton *>(QStringLiteral("optMainMenuSub_%1").arg(index));
}

// One character per option, "1" when enabled.
QString tst_frmStartup::enabledMask() const
{
    QString mask;
    for (int index = 0; index < frmStartup::RoutineCount; ++index)
        mask += option(index)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return mask;
}

int tst_frmStartup::selectedIndex() const
{
    int selected = -1;
    for (int index = 0; index < frmStartup::RoutineCount; ++index) {
        if (option(index)->isChecked()) {
            if (selected != -1)
                return -2; // more than one
            selected = index;
        }
    }
    return selected;
}

void tst_frmStartup::trigger(const QString &actionName)
{
    auto *action = m_menu->findChild<QAction *>(actionName);
    QVERIFY2(action, qPrintable(actionName));
    action->trigger();
}

void tst_frmStartup::optionsCarryTheirCaptionsAndToolTips_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("accessibleName");

    QTest::newRow("customer invoice") << 0 << "Create a C&ustomer Invoice"
                                      << "Select Customer and Create Invoice"
                                      << "Create a Customer Invoice";
    QTest::newRow("partial invoice") << 1 << "&Add to a Partial Invoice"
                                     << "Add Items to a Partially Created Invoice"
                                     << "Add to a Partial Invoice";
    QTest::newRow("completed invoices") << 2 << "&View or Reprint Completed Invoices"
                                        << "Displays Completed Invoices"
                                        << "View or Reprint Completed Invoices";
    QTest::newRow("catalog")
        << 3 << "&Create and Manage - Sales Items,  Custom Items, Services, and Labor Rates"
        << "Items that you will add to an Invoice"
        << "Create and Manage - Sales Items,  Custom Items, Services, and Labor Rates";
    QTest::newRow("invoice report") << 4 << "Create an &Invoice Report"
                                    << "Shows Sales, Tax, Discounts, etc"
                                    << "Create an Invoice Report";
    QTest::newRow("item sales report") << 5 << "Create an Item &Sales Report"
                                       << "Display and Print a Report by Items Sold"
                                       << "Create an Item Sales Report";
    QTest::newRow("blank invoices") << 6 << "Print Blank Invoices"
                                    << "Shows tax(es) by date range"
                                    << "Print Blank Invoices";
}

void tst_frmStartup::optionsCarryTheirCaptionsAndToolTips()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, accessibleName);

    QRadioButton *button = option(index);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->accessibleName(), accessibleName);
}

void tst_frmStartup::fixedTextsOfTheWindow()
{
    QCOMPARE(m_menu->windowTitle(), QStringLiteral("Pelmor Invoicer Main Menu"));

    auto *cmdGoto = m_menu->findChild<QPushButton *>(QStringLiteral("cmdGoto"));
    QVERIFY(cmdGoto);
    QCOMPARE(cmdGoto->text(), QStringLiteral("Goto the Selected Routine"));
    QCOMPARE(cmdGoto->toolTip(), QStringLiteral("Starts the Selected Routine"));

    auto *lblIncomplete = m_menu->findChild<QLabel *>(QStringLiteral("lblIncomplete"));
    QVERIFY(lblIncomplete);
    QCOMPARE(lblIncomplete->text(), QStringLiteral("0"));
    QCOMPARE(lblIncomplete->accessibleDescription(),
             QStringLiteral("Number of incomplete invoices"));
    // A screen reader hears the number shown.
    QCOMPARE(QAccessible::queryAccessibleInterface(lblIncomplete)->text(QAccessible::Name),
             lblIncomplete->text());

    auto *fraInstructions = m_menu->findChild<QGroupBox *>(QStringLiteral("fraInstructions"));
    QVERIFY(fraInstructions);
    QStringList lines;
    for (const QLabel *label : fraInstructions->findChildren<QLabel *>())
        lines.append(label->text());
    QCOMPARE(lines,
             QStringList({QStringLiteral("In order to create invoices, you first need to create "
                                         "at least one Inventoried Item"),
                          QStringLiteral("Click the Goto Button")}));
    QCOMPARE(fraInstructions->accessibleName(), fraInstructions->title());

    QStringList texts;
    for (const QLabel *label : m_menu->findChildren<QLabel *>())
        texts.append(label->text());
    for (const char *text :
         {"Pelmor Invoicer Routines", "Invoice Routines", "Report Routines", "Existing"})
        QCOMPARE(texts.count(QString::fromLatin1(text)), 1);
    QCOMPARE(texts.count(QStringLiteral("Select a Routine Below")), 3);
}

void tst_frmStartup::menuEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("create") << "mnuCreate"
                            << "Create/Modify";
    QTest::newRow("exit") << "mnuExit"
                          << "Exit";
    QTest::newRow("deluxe checks") << "mnuDeluxe"
                                   << "Checks and Envelopes";
    QTest::newRow("deposit slips") << "mnuDepositSlips"
                                   << "Deposit Slips";
    QTest::newRow("plain paper") << "mnuPPaper"
                                 << "Plain Paper";
    QTest::newRow("perforated paper") << "mnuPPPaper"
                                      << "Perforated Paper";
    QTest::newRow("proposal sets") << "mnuGraytex"
                                   << "Proposal Sets";
    QTest::newRow("address labels") << "mnuAddress"
                                    << "Address Labels";
    QTest::newRow("shipping labels") << "mnuLabels"
                                     << "Shipping Labels";
    QTest::newRow("help") << "mnuHelp"
                          << "Help";
}

void tst_frmStartup::menuEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    auto *action = m_menu->findChild<QAction *>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), text);
}

void tst_frmStartup::menuNesting()
{
    auto *bar = m_menu->findChild<QMenuBar *>();
    QVERIFY(bar);
    QStringList top;
    for (const QAction *action : bar->actions())
        top.append(action->text());
    QCOMPARE(top, QStringList({QStringLiteral(" Files"), QStringLiteral("Order Forms"),
                               QStringLiteral("Help"), QStringLiteral("Accounts")}));
    // Help acts straight from the bar.
    QCOMPARE(bar->actions().at(2)->objectName(), QStringLiteral("mnuHelp"));
    QVERIFY(!bar->actions().at(2)->menu());

    auto names = [](const QMenu *menu) {
        QStringList result;
        for (const QAction *action : menu->actions())
            result.append(action->menu() ? action->menu()->objectName() : action->objectName());
        return result;
    };
    QCOMPARE(names(bar->actions().at(0)->menu()),
             QStringList({QStringLiteral("mnuCreate"), QStringLiteral("mnuExit")}));
    QCOMPARE(names(bar->actions().at(1)->menu()),
             QStringList({QStringLiteral("mnuDeluxeForms"), QStringLiteral("mnuPPaper"),
                          QStringLiteral("mnuPPPaper"), QStringLiteral("mnuGraytex"),
                          QStringLiteral("mnuAddress"), QStringLiteral("mnuLabels")}));
    auto *deluxeForms = m_menu->findChild<QMenu *>(QStringLiteral("mnuDeluxeForms"));
    QVERIFY(deluxeForms);
    QCOMPARE(deluxeForms->title(), QStringLiteral("Deluxe Business Forms"));
    QCOMPARE(names(deluxeForms),
             QStringList({QStringLiteral("mnuDeluxe"), QStringLiteral("mnuDepositSlips")}));
}

void tst_frmStartup::activationEnablesWhatTheDataAllows_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("incomplete");
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("instructions");
    QTest::addColumn<QString>("count");

    const QString items = QStringLiteral("/PIInventoriedItems.txt");
    QTest::newRow("fresh installation") << QStringList() << 0 << "0001000" << 3 << true << "0";
    QTest::newRow("reports without sales items")
        << QStringList({QStringLiteral("/InvoiceSalesJournal.txt"),
                        QStringLiteral("/SoldItems.txt"),
                        QStringLiteral("/CompletedInvoices/1001.txt")})
        << 2 << "0001000" << 3 << true << "0";
    QTest::newRow("sales items only")
        << QStringList({items}) << 0 << "1001001" << 0 << false << "0";
    QTest::newRow("partial invoices")
        << QStringList({items}) << 3 << "1101001" << 0 << false << "3";
    QTest::newRow("completed invoice image")
        << QStringList({items, QStringLiteral("/CompletedInvoices/1001.txt")}) << 0 << "1011001"
        << 0 << false << "0";
    QTest::newRow("completed folder without images")
        << QStringList({items, QStringLiteral("/CompletedInvoices/notes.doc")}) << 0 << "1001001"
        << 0 << false << "0";
    QTest::newRow("sales journal")
        << QStringList({items, QStringLiteral("/InvoiceSalesJournal.txt")}) << 0 << "1001101" << 0
        << false << "0";
    QTest::newRow("sold items") << QStringList({items, QStringLiteral("/SoldItems.txt")}) << 0
                                << "1001011" << 0 << false << "0";
    QTest::newRow("sales items restored from backup")
        << QStringList({QStringLiteral("/Backup/PIInventoriedItems.txt")}) << 0 << "1001001" << 0
        << false << "0";
    QTest::newRow("sold items restored from backup")
        << QStringList({items, QStringLiteral("/Backup/SoldItems.txt")}) << 0 << "1001011" << 0
        << false << "0";
    QTest::newRow("everything") << QStringList({items,
                                                QStringLiteral("/CompletedInvoices/1001.txt"),
                                                QStringLiteral("/InvoiceSalesJournal.txt"),
                                                QStringLiteral("/SoldItems.txt")})
                                << 12 << "1111111" << 0 << false << "12";
}

void tst_frmStartup::activationEnablesWhatTheDataAllows()
{
    QFETCH(QStringList, files);
    QFETCH(int, incomplete);
    QFETCH(QString, enabled);
    QFETCH(int, selected);
    QFETCH(bool, instructions);
    QFETCH(QString, count);

    for (const QString &file : files)
        writeFile(file);
    m_navigator->incomplete = incomplete;

    m_menu->navigateTo();

    QCOMPARE(enabledMask(), enabled);
    QCOMPARE(selectedIndex(), selected);
    QCOMPARE(m_menu->findChild<QGroupBox *>(QStringLiteral("fraInstructions"))->isVisible(),
             instructions);
    QCOMPARE(m_menu->findChild<QLabel *>(QStringLiteral("lblIncomplete"))->text(), count);
    QVERIFY(m_navigator->calls.isEmpty());
}

void tst_frmStartup::freshInstallationLeadsToTheCatalog()
{
    m_menu->navigateTo();
    QCOMPARE(enabledMask(), QStringLiteral("0001000"));
    QVERIFY(option(3)->isChecked());

    QTest::mouseClick(m_menu->findChild<QPushButton *>(QStringLiteral("cmdGoto")), Qt::LeftButton);

    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("show Catalog")}));
    QCOMPARE(m_navigator->callers.value(0), m_menu.get());
    QVERIFY(!m_menu->isVisible());
}

void tst_frmStartup::journalIsRestoredFromBackupAndEnablesInvoiceReport()
{
    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    const QByteArray journal = "20260105,1001\r\n";
    writeFile(QStringLiteral("/Backup/InvoiceSalesJournal.txt"), journal);

    m_menu->navigateTo();

    QRadioButton *report = option(4);
    QCOMPARE(report->text(), QStringLiteral("Create an &Invoice Report"));
    QVERIFY(report->isEnabled());
    QFile restored(m_dir->path() + QStringLiteral("/InvoiceSalesJournal.txt"));
    QVERIFY(restored.open(QIODevice::ReadOnly));
    QCOMPARE(restored.readAll(), journal);
}

void tst_frmStartup::partialInvoiceOptionFollowsTheCount()
{
    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    m_navigator->incomplete = 2;
    m_menu->navigateTo();
    auto *label = m_menu->findChild<QLabel *>(QStringLiteral("lblIncomplete"));
    QCOMPARE(label->text(), QStringLiteral("2"));
    QVERIFY(option(1)->isEnabled());

    // The operator picks it, runs it, and the last partial invoice is completed meanwhile.
    QTest::mouseClick(option(1), Qt::LeftButton);
    QVERIFY(option(1)->isChecked());
    m_navigator->incomplete = 0;
    m_menu->navigateTo();

    QCOMPARE(label->text(), QStringLiteral("0"));
    QVERIFY(!option(1)->isEnabled());
    QVERIFY(!option(1)->isChecked());
    QCOMPARE(selectedIndex(), 0);
}

void tst_frmStartup::everyNavigationRepeatsTheEnablingPass()
{
    m_menu->navigateTo();
    QCOMPARE(enabledMask(), QStringLiteral("0001000"));

    // The catalog routine saved the first sales item.
    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    m_menu->hide();
    m_menu->navigateTo();
    QCOMPARE(enabledMask(), QStringLiteral("1001001"));
    QVERIFY(!m_menu->findChild<QGroupBox *>(QStringLiteral("fraInstructions"))->isVisible());

    // And every sales item went away again.
    QVERIFY(QFile::remove(m_dir->path() + QStringLiteral("/PIInventoriedItems.txt")));
    m_menu->navigateTo();
    QCOMPARE(enabledMask(), QStringLiteral("0001000"));
    QCOMPARE(selectedIndex(), 3);
    QVERIFY(m_menu->findChild<QGroupBox *>(QStringLiteral("fraInstructions"))->isVisible());
}

void tst_frmStartup::customerInvoiceRoute_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("makeFolder");
    QTest::addColumn<QString>("opens");

    QTest::newRow("no proposal folder") << QStringList() << false << "show CustomerMaintenance";
    QTest::newRow("empty proposal folder") << QStringList() << true << "show CustomerMaintenance";
    QTest::newRow("no text files") << QStringList({QStringLiteral("/PelmorProposals/P100.doc"),
                                                   QStringLiteral("/PelmorProposals/readme")})
                                   << true << "show CustomerMaintenance";
    QTest::newRow("one proposal") << QStringList({QStringLiteral("/PelmorProposals/P100.txt")})
                                  << true << "show CustomerSelection";
    QTest::newRow("proposal among other files")
        << QStringList({QStringLiteral("/PelmorProposals/a.doc"),
                        QStringLiteral("/PelmorProposals/b.txt"),
                        QStringLiteral("/PelmorProposals/c.pdf")})
        << true << "show CustomerSelection";
}

void tst_frmStartup::customerInvoiceRoute()
{
    QFETCH(QStringList, files);
    QFETCH(bool, makeFolder);
    QFETCH(QString, opens);

    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    if (makeFolder)
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("PelmorProposals")));
    for (const QString &file : files)
        writeFile(file);
    m_menu->navigateTo();

    QTest::mouseDClick(option(0), Qt::LeftButton);

    QCOMPARE(m_navigator->calls, QStringList({opens}));
    QVERIFY(!m_menu->isVisible());
}

void tst_frmStartup::routinesOpenTheirScreens_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("opens");

    QTest::newRow("customer invoice") << 0 << "show CustomerMaintenance";
    QTest::newRow("partial invoice") << 1 << "show Incomplete";
    QTest::newRow("completed invoices") << 2 << "show Reprint";
    QTest::newRow("catalog") << 3 << "show Catalog";
    QTest::newRow("invoice report") << 4 << "show InvoiceReport";
    QTest::newRow("item sales report") << 5 << "show SalesReport";
    QTest::newRow("blank invoices") << 6 << "show BlankForms";
}

void tst_frmStartup::routinesOpenTheirScreens()
{
    QFETCH(int, index);
    QFETCH(QString, opens);

    enableEverything();

    // Double click on the option.
    m_menu->navigateTo();
    QTest::mouseDClick(option(index), Qt::LeftButton);
    QCOMPARE(m_navigator->calls, QStringList({opens}));
    QCOMPARE(m_navigator->callers.value(0), m_menu.get());
    QVERIFY(option(index)->isChecked());
    QVERIFY(!m_menu->isVisible());

    // Selecting it and the Goto button.
    m_navigator->calls.clear();
    m_menu->navigateTo();
    QTest::mouseClick(option(index), Qt::LeftButton);
    QCOMPARE(selectedIndex(), index);
    QVERIFY(m_navigator->calls.isEmpty());
    QTest::mouseClick(m_menu->findChild<QPushButton *>(QStringLiteral("cmdGoto")), Qt::LeftButton);
    QCOMPARE(m_navigator->calls, QStringList({opens}));
    QVERIFY(!m_menu->isVisible());
}

void tst_frmStartup::gotoWithNothingSelectedDoesNothing()
{
    // Before its first activation the menu has no selected routine.
    enableEverything();
    m_menu->show();
    QCOMPARE(selectedIndex(), -1);

    QTest::mouseClick(m_menu->findChild<QPushButton *>(QStringLiteral("cmdGoto")), Qt::LeftButton);

    QVERIFY(m_navigator->calls.isEmpty());
    QVERIFY(m_menu->isVisible());
}

void tst_frmStartup::disabledOptionIgnoresDoubleClick()
{
    m_menu->navigateTo();
    QVERIFY(!option(0)->isEnabled());

    QTest::mouseDClick(option(0), Qt::LeftButton);
    QTest::mouseDClick(option(4), Qt::LeftButton);

    QVERIFY(m_navigator->calls.isEmpty());
    QVERIFY(m_menu->isVisible());
    QCOMPARE(selectedIndex(), 3);
}

void tst_frmStartup::missingScreenLeavesTheMenuAsItIs()
{
    enableEverything();
    m_navigator->missing = {Navigator::Target::SalesReport};
    m_menu->navigateTo();

    QTest::mouseDClick(option(5), Qt::LeftButton);

    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("show SalesReport")}));
    QVERIFY(m_menu->isVisible());
    QCOMPARE(enabledMask(), QStringLiteral("1111111"));
}

void tst_frmStartup::questionsBeforeSupplierPages_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pageMentions");

    QTest::newRow("plain paper") << "mnuPPaper"
                                 << "Order Paper"
                                 << "Use Plain Paper for Reports (etc)\r\n"
                                    "Click Yes to connect to a Supplier"
                                 << "paper";
    QTest::newRow("perforated paper") << "mnuPPPaper"
                                      << "Order Paper"
                                      << "Perforated Response Paper is used to create\r\n"
                                         "Invoices with a Remittance Slip\r\n"
                                         "Click Yes to connect to a Supplier"
                                      << "perforated";
    QTest::newRow("proposal sets") << "mnuGraytex"
                                   << "Order Graytex Forms"
                                   << "Graytex offers 2 and 3 part carbonless paper\r\n"
                                      "Suitable for creating a Proposal Form on which\r\n"
                                      "information can be hand written as well as printed\r\n"
                                      "Connect to Graytex Now"
                                   << "graytex";
    QTest::newRow("address labels") << "mnuAddress"
                                    << "Order Paper"
                                    << "30 to a Page Mailing Labels\r\n"
                                       "Click Yes to connect to a Supplier"
                                    << "18160";
    QTest::newRow("shipping labels") << "mnuLabels"
                                     << "Order Labels"
                                     << "Click YES to Connect to a Supplier"
                                     << "8163";
}

void tst_frmStartup::questionsBeforeSupplierPages()
{
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, pageMentions);

    m_prompts->answerNext(false);
    trigger(action);
    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).kind, QStringLiteral("ask"));
    QCOMPARE(m_prompts->shown.at(0).text, text);
    QCOMPARE(m_prompts->shown.at(0).title, title);
    QVERIFY(m_navigator->calls.isEmpty());

    m_prompts->clear();
    m_prompts->answerNext(true);
    trigger(action);
    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).text, text);
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("web")}));
    const QString page = m_navigator->pages.at(0);
    QVERIFY2(page.startsWith(QLatin1String("https://")), qPrintable(page));
    QVERIFY2(page.contains(pageMentions, Qt::CaseInsensitive), qPrintable(page));
}

void tst_frmStartup::deluxePagesOpenWithoutAsking_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("pageMentions");

    QTest::newRow("checks") << "mnuDeluxe"
                            << "check";
    QTest::newRow("deposit slips") << "mnuDepositSlips"
                                   << "deposit";
}

void tst_frmStartup::deluxePagesOpenWithoutAsking()
{
    QFETCH(QString, action);
    QFETCH(QString, pageMentions);

    trigger(action);

    QVERIFY(m_prompts->shown.isEmpty());
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("web")}));
    const QString page = m_navigator->pages.at(0);
    QVERIFY2(page.startsWith(QLatin1String("https://www.deluxe.com/")), qPrintable(page));
    QVERIFY2(page.contains(pageMentions), qPrintable(page));
}

void tst_frmStartup::supplierAddressesAreDistinctSecurePages()
{
    // The five supplier pages each ask first; the two Deluxe pages open at once.
    for (int i = 0; i < 5; ++i)
        m_prompts->answerNext(true);
    for (const char *name : {"mnuDeluxe", "mnuDepositSlips", "mnuPPaper", "mnuPPPaper",
                             "mnuGraytex", "mnuAddress", "mnuLabels"})
        trigger(QString::fromLatin1(name));

    QCOMPARE(m_navigator->pages.size(), 7);
    QCOMPARE(m_prompts->shown.size(), 5);
    for (const QString &page : std::as_const(m_navigator->pages)) {
        const QUrl url(page, QUrl::StrictMode);
        QVERIFY2(url.isValid(), qPrintable(page));
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QVERIFY2(!url.host().isEmpty(), qPrintable(page));
        QCOMPARE(m_navigator->pages.count(page), 1);
    }
}

void tst_frmStartup::createModifyOpensSetupAndExitEnds()
{
    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    m_menu->navigateTo();

    trigger(QStringLiteral("mnuCreate"));
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("show Setup")}));
    QCOMPARE(m_navigator->callers.value(0), m_menu.get());
    QVERIFY(!m_menu->isVisible());

    m_navigator->calls.clear();
    trigger(QStringLiteral("mnuExit"));
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("exit")}));
    QVERIFY(m_prompts->shown.isEmpty());
}

void tst_frmStartup::helpOpensTheShippedManual()
{
    trigger(QStringLiteral("mnuHelp"));

    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("web")}));
    const QUrl address(m_navigator->pages.at(0));
    QVERIFY2(address.isLocalFile(), qPrintable(m_navigator->pages.at(0)));
    QFile manual(address.toLocalFile());
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(manual.readAll());
    manual.close();
    QVERIFY(html.contains(QLatin1String("<title>Pelmor Invoicer User Manual</title>")));
    QVERIFY(html.trimmed().endsWith(QLatin1String("</html>")));
    for (const char *caption : Captions) {
        const QString routine = QString::fromLatin1(caption).remove(QLatin1Char('&'));
        QVERIFY2(html.contains(QString(routine).replace(QLatin1String(",  "), QLatin1String(", "))),
                 caption);
    }
    // The copy lives in the operator's own folder, not in the shared temporary folder.
    QVERIFY(QFileInfo(address.toLocalFile()).absolutePath() !=
            QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).absolutePath());

    // A damaged copy is replaced by the next Help.
    QVERIFY(manual.open(QIODevice::WriteOnly | QIODevice::Truncate));
    manual.write("damaged");
    manual.close();
    trigger(QStringLiteral("mnuHelp"));
    QCOMPARE(m_navigator->pages.size(), 2);
    QCOMPARE(m_navigator->pages.at(1), m_navigator->pages.at(0));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(manual.readAll()), html);
    QVERIFY(m_prompts->shown.isEmpty());
}

void tst_frmStartup::helpReportsAManualThatCannotBeWritten()
{
    // A plain file where the manual's folder should be.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir(folder).removeRecursively();
    QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
    {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }

    trigger(QStringLiteral("mnuHelp"));

    QVERIFY(QFile::remove(folder));
    QVERIFY(m_navigator->calls.isEmpty());
    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).kind, QStringLiteral("tell"));
    QCOMPARE(m_prompts->shown.at(0).text,
             QStringLiteral("The user manual could not be written to ") +
                 QDir::toNativeSeparators(folder));
}

void tst_frmStartup::keyboardReachesEveryRoutine()
{
    enableEverything();
    m_menu->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));

    // The options form one tab stop, entered at the selected one; the arrows move the
    // selection in reading order (the catalog routine, the invoice column, the reports).
    option(0)->setFocus(Qt::TabFocusReason);
    QStringList order{QApplication::focusWidget()->objectName()};
    for (Qt::Key key :
         {Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
          Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Tab}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        order.append(QApplication::focusWidget()->objectName() + QLatin1Char(' ') +
                     QString::number(selectedIndex()));
    }
    QCOMPARE(order, QStringList({"optMainMenuSub_0", "optMainMenuSub_3 3", "optMainMenuSub_5 5",
                                 "optMainMenuSub_3 3", "optMainMenuSub_0 0", "optMainMenuSub_1 1",
                                 "optMainMenuSub_2 2", "optMainMenuSub_6 6", "optMainMenuSub_4 4",
                                 "optMainMenuSub_5 5", "optMainMenuSub_4 4", "cmdGoto 4"}));
    QVERIFY(m_navigator->calls.isEmpty());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), option(4));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

    // Enter on the Goto button starts the selected routine.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("show InvoiceReport")}));

    // Enter on an option starts that option's routine.
    m_navigator->calls.clear();
    m_menu->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
    option(5)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(option(5), Qt::Key_Enter);
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("show SalesReport")}));
    QCOMPARE(selectedIndex(), 5);

    // Each activation puts the keyboard on the selected routine, so Enter at once
    // starts what is selected, not the first option of the window.
    m_navigator->calls.clear();
    m_menu->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
    QCOMPARE(m_menu->focusWidget(), option(0));
    QTest::keyClick(m_menu->focusWidget(), Qt::Key_Return);
    QCOMPARE(m_navigator->calls, QStringList({QStringLiteral("show CustomerMaintenance")}));
}

void tst_frmStartup::arrowsSkipUnavailableRoutines()
{
    writeFile(QStringLiteral("/PIInventoriedItems.txt"));
    m_menu->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
    QCOMPARE(enabledMask(), QStringLiteral("1001001"));
    option(0)->setFocus(Qt::TabFocusReason);

    QList<int> visited;
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        visited.append(selectedIndex());
    }

    QCOMPARE(visited, QList<int>({6, 3, 0, 3}));
    QCOMPARE(QApplication::focusWidget(), option(3));
    QVERIFY(m_navigator->calls.isEmpty());
}

void tst_frmStartup::mnemonicsSelectOptions_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("index");

    QTest::newRow("Alt+U") << int(Qt::Key_U) << 0;
    QTest::newRow("Alt+A") << int(Qt::Key_A) << 1;
    QTest::newRow("Alt+V") << int(Qt::Key_V) << 2;
    QTest::newRow("Alt+C") << int(Qt::Key_C) << 3;
    QTest::newRow("Alt+I") << int(Qt::Key_I) << 4;
    QTest::newRow("Alt+S") << int(Qt::Key_S) << 5;
}

void tst_frmStartup::mnemonicsSelectOptions()
{
    QFETCH(int, key);
    QFETCH(int, index);

    enableEverything();
    m_menu->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));

    QTest::keyClick(m_menu.get(), Qt::Key(key), Qt::AltModifier);

    QTRY_COMPARE(selectedIndex(), index);
    QCOMPARE(QApplication::focusWidget(), option(index));
    QVERIFY(m_navigator->calls.isEmpty());
}

void tst_frmStartup::f10OpensTheMenuBar()
{
    m_menu->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
    auto *bar = m_menu->findChild<QMenuBar *>();

    QTest::keyClick(m_menu.get(), Qt::Key_F10);

    QTRY_VERIFY(bar->actions().at(0)->menu()->isVisible());
    QCOMPARE(bar->activeAction(), bar->actions().at(0));
    bar->actions().at(0)->menu()->close();
}

void tst_frmStartup::geometryIsKeptBetweenRuns()
{
    m_menu->show();
    m_menu->setGeometry(10, 30, 760, 540);
    const QRect placed = m_menu->geometry();
    m_menu->closeByProgram();

    frmStartup second(*m_data, *m_prompts, *m_navigator);
    second.show();
    QCOMPARE(second.geometry().size(), placed.size());
    QCOMPARE(second.geometry().topLeft(), placed.topLeft());
}

QTEST_MAIN(tst_frmStartup)
#include "tst_frmstartup.moc"
