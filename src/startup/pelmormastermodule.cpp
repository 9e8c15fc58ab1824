#include "startup/pelmormastermodule.h"

#include "catalog/catalog.h"
#include "catalog/frmservices.h"
#include "core/clock.h"
#include "customers/customerfile.h"
#include "customers/frmcustomerselection.h"
#include "customers/frmnewcustomer.h"
#include "core/datatree.h"
#include "core/linefile.h"
#include "core/prompts.h"
#include "core/rollbackjournal.h"
#include "dialer/frmdialer.h"
#include "dialer/telephone.h"
#include "invoice/frmincomplete.h"
#include "invoice/incompleteinvoices.h"
#include "invoice/frminvoice.h"
#include "menu/frmsplash.h"
#include "menu/frmstartup.h"
#include "printing/frmblanks.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "receivables/frmaccounts.h"
#include "records/frminvoicereport.h"
#include "records/frmreprint.h"
#include "records/frmsalesreport.h"
#include "setup/businesssettings.h"
#include "setup/frmsetup.h"
#include "setup/logopicture.h"
#include "setup/setuptelephone.h"
#include "startup/commandline.h"
#include "ui/desktop.h"
#include "ui/printdialogs.h"
#include "ui/screen.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

PelmorMasterModule::PelmorMasterModule(const QString &dataFolder, Prompts &prompts, Clock &clock,
                                       PlatformServices platform, QObject *parent)
    : QObject(parent), m_data(dataFolder), m_prompts(prompts), m_clock(clock),
      m_platform(std::move(platform)), m_openUrl([](const QString &address) {
          return QDesktopServices::openUrl(QUrl::fromUserInput(address));
      }),
      m_quit([] { QCoreApplication::exit(0); })
{
    m_desktop = m_platform.desktop;
    if (!m_desktop) {
        m_ownDesktop = std::make_unique<QtDesktop>();
        m_desktop = m_ownDesktop.get();
    }
    // The session's end quits the application without our exit routine.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (!m_exiting)
            ExitApplication();
    });
}

PelmorMasterModule::~PelmorMasterModule()
{
    for (auto it = m_screens.crbegin(); it != m_screens.crend(); ++it)
        delete it->data();
}

QString PelmorMasterModule::defaultDataFolder(const QString &named)
{
    return launch::chooseDataFolder(
        named.isEmpty() ? qEnvironmentVariable("PELMOR_DATA_DIR") : named, launch::programFolder(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool PelmorMasterModule::Main()
{
    QStringList auxFailed;
    if (const auto failed = CreateDataFolders(m_data, m_clock.today(), &auxFailed)) {
        m_prompts.tell(QStringLiteral("The folder \"%1\" could not be created.\r\n")
                           .arg(QDir::toNativeSeparators(m_data.path(*failed))) +
                       FolderFailureReason(m_data, *failed));
        return false;
    }
    if (!auxFailed.isEmpty())
        m_prompts.tell(AuxFoldersMessage(m_data, auxFailed));

    // The setup screen comes first: its load reads the settings and probes the modem,
    // and it stays loaded as the live settings store.
    m_telephone = std::make_unique<dialer::Telephone>(m_data, m_state, m_platform.serialLines);
    m_setupTelephone = std::make_unique<DialerSetupTelephone>(*m_telephone);
    m_settings = std::make_unique<BusinessSettings>(m_data, m_state, &probePicture);
    m_pageSource = std::make_unique<DialogPageSource>(*m_platform.printDialogs);
    m_printouts = std::make_unique<Printouts>(m_data, *m_pageSource, m_prompts, m_clock);
    m_setup = new frmSetup(*m_settings, m_state, m_prompts, *this, *m_platform.setupDialogs,
                           m_setupTelephone.get());
    m_setup->setPrintSample(
        [this](const PrintSettings &settings) { return m_printouts->PrintSample(settings); });
    addScreen(m_setup, Target::Setup);
    // The modem probe lets events run, so the end may already have been asked for.
    if (m_exiting)
        return false;

    m_splash = new frmSplash(*this);
    addScreen(m_splash);
    m_splash->navigateTo();
    m_splash->repaint();

    if (!CheckPreviousInstance() || m_exiting)
        return false;
    m_instanceChecked = true;
    // Before anything reads the books, and only in the copy that holds the lock: the
    // intent of a copy still running is no interrupted write.
    const Recovery recovery = RecoverInterruptedWrite(m_data);
    if (recovery.outcome != Recovery::Outcome::Nothing)
        m_prompts.tell(recovery.message, recovery.title);
    m_data.RemoveLeftoverTemporaries();

    // The catalog only reads files; the item sales report lists its products.
    m_catalog = std::make_unique<Catalog>(m_data);
    m_menu = new frmStartup(m_data, m_prompts, *this);
    addScreen(m_menu, Target::MainMenu);
    auto *salesReport = new frmSalesReport(*m_catalog, *m_settings, m_data, m_prompts, *this,
                                           *m_pageSource, m_clock);
    salesReport->setDesktop(*m_desktop);
    addScreen(salesReport, Target::SalesReport);
    LoadBackgroundScreens();
    return !m_exiting;
}

void PelmorMasterModule::LoadBackgroundScreens()
{
    addScreen(new frmServices(*m_catalog, m_prompts, *this), Target::Catalog);
    addScreen(new frmBlanks(*m_printouts, *m_settings, *this), Target::BlankForms);

    m_incomplete = std::make_unique<IncompleteInvoices>(m_data);
    m_incomplete->LoadIncomplete();
    addScreen(new frmIncomplete(*m_incomplete, m_invoice, m_state, m_prompts, *this, m_clock,
                                [this](const QString &title, const QList<QStringList> &rows) {
                                    m_printouts->PrintGridReport(m_settings->printSettings(),
                                                                 title, rows);
                                }),
              Target::Incomplete);
    addScreenFactory(Target::Reprint, [this]() -> Screen * {
        auto *reprint = new frmReprint(*m_settings, m_data, m_prompts, *this, *m_pageSource,
                                       *m_printouts, m_clock);
        reprint->setDesktop(*m_desktop);
        return reprint;
    });
    addScreenFactory(Target::InvoiceReport, [this]() -> Screen * {
        auto *report =
            new frmInvoiceReport(*m_settings, m_data, m_prompts, *this, *m_pageSource, m_clock);
        report->setDesktop(*m_desktop);
        return report;
    });
    addScreenFactory(Target::Accounts, [this]() -> Screen * {
        return new frmAccounts(*m_settings, m_data, m_prompts, *this, *m_pageSource, m_clock);
    });

    // The invoice reads its pick lists from the catalog, loaded by the screen above.
    auto *invoice = new frmInvoice(m_invoice, m_state, *m_catalog, *m_settings, m_data, m_prompts,
                                   m_clock, *this);
    invoice->setPartialInvoices(*m_incomplete, *m_printouts);
    invoice->setPrinting(*m_pageSource);
    invoice->setDesktop(*m_desktop);
    addScreen(invoice, Target::Invoice);

    // The customer screen reads the whole customer file when it opens, so it is made
    // when the main menu first asks for it.
    addScreenFactory(Target::CustomerMaintenance, [this]() -> Screen * {
        m_customers = std::make_unique<CustomerFile>(m_data, m_prompts);
        // The dialer is listed before the customer screen that is added on return, so it
        // is made first: the end closes screens from the last made.
        auto *dialer = new frmDialer(*m_telephone, m_state, m_data, m_prompts);
        addScreen(dialer);
        auto *customers = new frmNewCustomer(*m_customers, *m_settings, m_state, m_prompts, *this,
                                             *m_pageSource, m_clock);
        customers->setRoutineName(QStringLiteral("Invoice"));
        customers->setStartInvoice(
            [this](const customers::InvoiceCustomer &chosen) { StartInvoice(chosen, false); });
        customers->setOpenDialer([dialer](const QString &name, const QString &number) {
            dialer->DialCustomer(name, number);
        });
        return customers;
    });
    // Made when the main menu first asks for it, as the customer screen is.
    addScreenFactory(Target::CustomerSelection, [this]() -> Screen * {
        auto *selection = new frmCustomerSelection(m_data, m_state, m_prompts, *this);
        selection->setStartInvoice(
            [this](const SoldTo &chosen) { StartInvoice(chosen, true); });
        return selection;
    });
}

void PelmorMasterModule::StartInvoice(const SoldTo &customer, bool fromProposal, Screen *from)
{
    m_invoice.soldTo() = customer;
    // Set on every hand-over, so a customer from the list never passes for a proposal's.
    m_state.FromProposal = fromProposal;
    // Until the invoice screen joins, the chosen customer waits on the menu.
    if (!show(Target::Invoice, from))
        show(Target::MainMenu, from);
}

bool PelmorMasterModule::CheckPreviousInstance()
{
    m_lock = std::make_unique<QLockFile>(m_data.root() + QStringLiteral("/PelmorInvoicer.lock"));
    // A lock left by a crashed copy is taken over (its process is gone).
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    // A lock file that names no process on this machine (cut short by a power failure,
    // mangled, or copied from another computer with the data) would keep the program
    // out for good. Removing it fails while a running copy still holds it.
    QString host;
    const bool namesNoProcess = m_lock->error() == QLockFile::LockFailedError &&
                                (!m_lock->getLockInfo(nullptr, &host, nullptr) ||
                                 (!host.isEmpty() && host != QSysInfo::machineHostName()));
    if (namesNoProcess && m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return true;
    // Something that is not a file stands in its place: no copy can hold it.
    const QFileInfo lockFile(m_data.root() + QStringLiteral("/PelmorInvoicer.lock"));
    if (m_lock->error() == QLockFile::LockFailedError && lockFile.isFile()) {
        m_prompts.tell(QStringLiteral("Pelmor Invoicer is already Running!\r\n"
                                      "Look for it on the Task Bar"));
        m_lock.reset();
        return false;
    }
    // A folder we cannot lock in (read-only install) still runs.
    m_lock.reset();
    return true;
}

void PelmorMasterModule::addScreen(Screen *screen, std::optional<Target> target)
{
    m_screens.append(screen);
    if (target)
        m_targets.insert(*target, screen);
    connect(screen, &Screen::closeRequested, this, &PelmorMasterModule::ExitApplication);
}

Screen *PelmorMasterModule::screen(Target target) const
{
    return m_targets.value(target);
}

void PelmorMasterModule::addScreenFactory(Target target, std::function<Screen *()> make)
{
    m_factories.insert(target, std::move(make));
}

bool PelmorMasterModule::hasScreen(Target target) const
{
    return screen(target) != nullptr || m_factories.contains(target);
}

bool PelmorMasterModule::show(Target target, Screen *from)
{
    if (m_exiting)
        return false;
    Screen *to = screen(target);
    if (!to && m_factories.contains(target)) {
        to = m_factories.take(target)();
        addScreen(to, target);
    }
    if (!to)
        return false;
    if (target == Target::Setup)
        m_setup->selectFirstTab();
    to->navigateTo();
    if (from && from != to) {
        if (from == m_splash)
            from->closeByProgram();
        // A screen that left again during its activation (nothing to show) has shown
        // another one itself; hiding `from` then would leave no window.
        else if (to->isVisible()) {
            from->hide();
            // A prompt of the activation was shown over `from`; the keyboard goes to `to`.
            to->activateWindow();
        }
    }
    return true;
}

void PelmorMasterModule::ExitApplication()
{
    if (m_exiting)
        return;
    m_exiting = true;

    for (const auto &s : std::as_const(m_screens)) {
        if (s)
            s->programEnding();
    }

    // A copy that is not known to be the only one leaves the running copy's backup alone.
    if (m_instanceChecked)
        m_data.BackupDataFiles();

    // A prompt that is open when the end is asked for is answered "cancel".
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            modal->hide();
    }
    for (auto it = m_screens.crbegin(); it != m_screens.crend(); ++it) {
        if (Screen *s = it->data())
            s->closeByProgram();
    }
    m_lock.reset();
    m_quit();
}

void PelmorMasterModule::OpenWebPage(const QString &address)
{
    QSaveFile shortcut(m_data.path(QStringLiteral("/Temp.url")));
    if (shortcut.open(QIODevice::WriteOnly)) {
        shortcut.write(linefile::encode(
            {QStringLiteral("[InternetShortcut]"), QStringLiteral("URL = ") + address}));
        shortcut.commit();
    }
    // Without a browser nothing would show at all: say so.
    if (!m_openUrl(address))
        m_prompts.tell(QStringLiteral("No web browser could be opened to show") + u'\r' + u'\n' +
                       address);
}

bool PelmorMasterModule::SettingsFilesPresent() const
{
    return ::SettingsFilesPresent(m_data);
}

int PelmorMasterModule::IncompleteCount() const
{
    return m_incomplete ? m_incomplete->IncompleteCount() : 0;
}

void PelmorMasterModule::ShowMessage(const QString &text, const QString &title)
{
    m_prompts.tell(text, title);
}

void PelmorMasterModule::watchTerminationSignals()
{
    if (m_signalNotifier)
        return;
    // One pipe for the process; each program object listens on it while it lives.
    if (signalPipe[0] == -1 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    m_signalNotifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        ExitApplication();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}
