#pragma once

#include <QString>

class Screen;

// What screens ask of the program: open another screen, end, open a web page.
class Navigator
{
public:
    enum class Target {
        MainMenu,
        Setup,
        CustomerMaintenance,
        CustomerSelection,
        Invoice,
        Incomplete,
        Reprint,
        Catalog,
        InvoiceReport,
        SalesReport,
        BlankForms,
        Accounts,
    };

    virtual ~Navigator() = default;
    // Shows the target screen (its activation runs) and hides `from`. False, and
    // nothing changes, while the target screen does not exist.
    virtual bool show(Target target, Screen *from) = 0;
    virtual bool hasScreen(Target target) const = 0;
    virtual void ExitApplication() = 0;
    virtual void OpenWebPage(const QString &address) = 0;
    virtual bool SettingsFilesPresent() const = 0;
    // The number of partial invoices (the incomplete invoices list).
    virtual int IncompleteCount() const = 0;
};
