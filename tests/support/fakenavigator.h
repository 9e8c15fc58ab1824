#pragma once

#include "ui/navigator.h"
#include "ui/screen.h"

#include <QList>
#include <QStringList>

#include <functional>

// Records what a screen asks of the program. A show hides the calling screen as the
// program does, unless the target is listed as missing.
class FakeNavigator final : public Navigator
{
public:
    static QString targetName(Target target)
    {
        switch (target) {
        case Target::MainMenu:
            return QStringLiteral("MainMenu");
        case Target::Setup:
            return QStringLiteral("Setup");
        case Target::CustomerMaintenance:
            return QStringLiteral("CustomerMaintenance");
        case Target::CustomerSelection:
            return QStringLiteral("CustomerSelection");
        case Target::Invoice:
            return QStringLiteral("Invoice");
        case Target::Incomplete:
            return QStringLiteral("Incomplete");
        case Target::Reprint:
            return QStringLiteral("Reprint");
        case Target::Catalog:
            return QStringLiteral("Catalog");
        case Target::InvoiceReport:
            return QStringLiteral("InvoiceReport");
        case Target::SalesReport:
            return QStringLiteral("SalesReport");
        case Target::BlankForms:
            return QStringLiteral("BlankForms");
        case Target::Accounts:
            return QStringLiteral("Accounts");
        }
        return QStringLiteral("?");
    }

    bool show(Target target, Screen *from) override
    {
        shown.append(target);
        calls.append(QStringLiteral("show ") + targetName(target));
        callers.append(from);
        if (missing.contains(target))
            return false;
        if (from)
            from->hide();
        return true;
    }
    bool hasScreen(Target target) const override { return !missing.contains(target); }
    void ExitApplication() override
    {
        ++exits;
        calls.append(QStringLiteral("exit"));
    }
    void OpenWebPage(const QString &address) override
    {
        calls.append(QStringLiteral("web"));
        pages.append(address);
    }
    bool SettingsFilesPresent() const override
    {
        ++settingsChecks;
        return settingsFilesPresent ? settingsFilesPresent() : settingsPresent;
    }
    int IncompleteCount() const override { return incomplete; }

    QList<Target> shown;
    QStringList calls;
    QList<Screen *> callers;
    QStringList pages;
    QList<Target> missing;
    // Asked instead of settingsPresent when set.
    std::function<bool()> settingsFilesPresent;
    bool settingsPresent = true;
    mutable int settingsChecks = 0;
    int exits = 0;
    int incomplete = 0;
};
