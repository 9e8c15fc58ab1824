#pragma once

#include "core/appstate.h"
#include "core/datafolder.h"
#include "dialer/serialline.h"
#include "invoice/invoicedocument.h"
#include "ui/navigator.h"

#include <QList>
#include <QLockFile>
#include <QMap>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class BusinessSettings;
class Catalog;
class CustomerFile;
class Clock;
class Desktop;
class DialogPageSource;
class IncompleteInvoices;
class PrintDialogs;
class Printouts;
class Prompts;
class QSocketNotifier;
class Screen;
class SetupDialogs;
class SetupTelephone;
class frmServices;
class frmSetup;
class frmSplash;
class frmStartup;
namespace dialer {
class Telephone;
}

// What the program takes from the platform: the serial ports and the dialogs.
// Tests hand in fakes.
struct PlatformServices
{
    dialer::SerialLineFactory serialLines;
    PrintDialogs *printDialogs = nullptr;
    SetupDialogs *setupDialogs = nullptr;
    // File dialogs and the file manager; the desktop's own when not given.
    Desktop *desktop = nullptr;
};

// The program itself: builds the data tree, creates the screens in their order,
// refuses a second instance, navigates between screens and ends in one orderly way.
class PelmorMasterModule final : public QObject, public Navigator
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PelmorMasterModule)
public:
    PelmorMasterModule(const QString &dataFolder, Prompts &prompts, Clock &clock,
                       PlatformServices platform, QObject *parent = nullptr);
    ~PelmorMasterModule() override;

    // The data folder: the named one (--data-dir), else $PELMOR_DATA_DIR, else the program's
    // own folder when it may write there, else the per-user folder. Needs the application's
    // names, not its object.
    static QString defaultDataFolder(const QString &named = {});

    // The start-up sequence. False when the program must end at once (a second
    // instance, a folder that cannot be made, or the end was asked for meanwhile).
    bool Main();

    // Ends the program: backup, screens closed from the last created to the first,
    // then the event loops end. Runs once.
    void ExitApplication() override;
    bool isExiting() const { return m_exiting; }

    bool show(Target target, Screen *from) override;
    bool hasScreen(Target target) const override;
    void OpenWebPage(const QString &address) override;
    bool SettingsFilesPresent() const override;
    int IncompleteCount() const override;
    void ShowMessage(const QString &text, const QString &title);

    // Screens built by later areas join here, in the order they are created.
    void addScreen(Screen *screen, std::optional<Target> target = std::nullopt);
    Screen *screen(Target target) const;
    // A screen made the first time navigation asks for it.
    void addScreenFactory(Target target, std::function<Screen *()> make);

    DataFolder &data() { return m_data; }
    ApplicationState &state() { return m_state; }
    Prompts &prompts() { return m_prompts; }
    Clock &clock() { return m_clock; }
    BusinessSettings *settings() const { return m_settings.get(); }
    Catalog *catalog() const { return m_catalog.get(); }
    InvoiceDocument &invoice() { return m_invoice; }
    // The one hand-over of a chosen customer: the sold-to block goes into the invoice
    // being built, then the invoice screen opens (the main menu while there is none).
    // `from` is hidden.
    void StartInvoice(const SoldTo &customer, bool fromProposal, Screen *from = nullptr);
    // The partial invoices; made with the background screens.
    IncompleteInvoices *incomplete() const { return m_incomplete.get(); }

    // Where web pages go; the desktop's URL opener unless a test replaces it. False
    // when nothing could show the page.
    void setUrlOpener(std::function<bool(const QString &)> opener)
    {
        m_openUrl = std::move(opener);
    }
    // How the event loops are ended; tests record it instead.
    void setQuit(std::function<void()> quit) { m_quit = std::move(quit); }
    // Ends the program on SIGTERM, SIGINT and SIGHUP through ExitApplication.
    void watchTerminationSignals();

private:
    bool CheckPreviousInstance();
    void LoadBackgroundScreens();

    DataFolder m_data;
    Prompts &m_prompts;
    Clock &m_clock;
    ApplicationState m_state;
    InvoiceDocument m_invoice;
    PlatformServices m_platform;
    std::unique_ptr<QLockFile> m_lock;
    // Models live as long as the program; screens are deleted before them.
    std::unique_ptr<dialer::Telephone> m_telephone;
    std::unique_ptr<SetupTelephone> m_setupTelephone;
    std::unique_ptr<BusinessSettings> m_settings;
    std::unique_ptr<DialogPageSource> m_pageSource;
    std::unique_ptr<Printouts> m_printouts;
    std::unique_ptr<Catalog> m_catalog;
    std::unique_ptr<CustomerFile> m_customers;
    std::unique_ptr<IncompleteInvoices> m_incomplete;
    std::unique_ptr<Desktop> m_ownDesktop;
    Desktop *m_desktop = nullptr;
    QMap<Target, std::function<Screen *()>> m_factories;
    frmSetup *m_setup = nullptr;
    QList<QPointer<Screen>> m_screens; // in the order of creation
    QMap<Target, QPointer<Screen>> m_targets;
    frmSplash *m_splash = nullptr;
    frmStartup *m_menu = nullptr;
    std::function<bool(const QString &)> m_openUrl;
    std::function<void()> m_quit;
    QSocketNotifier *m_signalNotifier = nullptr;
    bool m_exiting = false;
    // This copy holds the lock (or the folder cannot be locked): the end may back up.
    bool m_instanceChecked = false;
};
