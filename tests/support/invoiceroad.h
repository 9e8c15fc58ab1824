#pragma once

#include "catalogbytes.h"
#include "core/clock.h"
#include "fakeplatform.h"
#include "screenaccess.h"
#include "scriptedprompts.h"
#include "startup/pelmormastermodule.h"
#include "testfiles.h"
#include "ui/screen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace invoicescreen {

// A manual line entered on the invoice screen through its manual-item panel.
inline void addManual(const QObject *invoice, const QString &description, const QString &price,
                      const QString &units, bool taxed = false)
{
    screen::child<QAction>(invoice, "mnuManual")->trigger();
    auto *text = screen::child<QLineEdit>(invoice, "txtManual_0");
    auto *amount = screen::child<QLineEdit>(invoice, "txtManual_1");
    QTest::keyClicks(text, description);
    amount->clear();
    QTest::keyClicks(amount, price);
    QTest::keyClicks(screen::child<QLineEdit>(invoice, "txtManual_2"), units);
    screen::child<QCheckBox>(invoice, "ckManualTax")->setChecked(taxed);
    screen::click(invoice, "cmdPost_2");
}

} // namespace invoicescreen

// The whole program over a temporary data folder, and invoices posted through the
// invoice screen as the operator posts them: the real road of an invoice.
class InvoiceRoad final
{
public:
    using Target = Navigator::Target;

    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    ScriptedPrompts prompts;
    PdfPrintDialogs dialogs;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<PelmorMasterModule> program;
    // The grand total of the last invoice posted.
    QString grandTotal;

    QString root() const { return dir->path(); }

    // A catalog of faucets and washers, two taxes, the business "Acme"; the program
    // started and the invoice made out to `customer`.
    void open(const SoldTo &customer)
    {
        dir = std::make_unique<QTemporaryDir>();
        using namespace catalogbytes;
        QVERIFY(testfiles::writeBytes(root() + "/PIInventoriedItems.txt",
                                      item({"Faucet", "Fixtures", 0, 499900, 4, 0, 0}) +
                                          item({"Washer", "Parts", 0, 15000, 100, 0, 0})));
        QVERIFY(testfiles::writeBytes(root() + "/TaxSettings.txt",
                                      "\"Sales Tax\",\"County Tax\",\"4.0\",\"1.5\",1,1\r\n"));
        QVERIFY(testfiles::writeBytes(root() + "/PelmorInvoicerSettings.txt",
                                      "1,1,0,1,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n"));
        QVERIFY(testfiles::writeBytes(root() + "/MyBusinessData.txt",
                                      "\"Acme\",\"1 Pipe Rd\",\"\",\"Springfield\",\"IL\",\"62701\","
                                      "\"555-1234\",\"\",\"\"\r\n"));
        dialogs.path = root() + "/printed.pdf";
        dialogs.cancel = false;
        PlatformServices platform = fakeplatform::make();
        platform.printDialogs = &dialogs;
        program = std::make_unique<PelmorMasterModule>(root(), prompts, clock, platform);
        program->setQuit([] {});
        QVERIFY(program->Main());
        m_customer = customer;
        prompts.clear();
    }

    void close()
    {
        if (program)
            program->ExitApplication();
        program.reset();
    }

    // Posts `units` washers ($1.50 each, both taxes on them) for the customer.
    void postWashers(const QString &units)
    {
        program->invoice().soldTo() = m_customer;
        Screen *invoice = showScreen(Target::Invoice);
        screen::child<QComboBox>(invoice, "cboShipping")->setCurrentIndex(2);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdInvoice_0"), Qt::LeftButton);
        screen::child<QAction>(invoice, "mnuItems")->trigger();
        auto *categories = screen::child<QListWidget>(invoice, "lstCategories");
        const auto parts = categories->findItems("Parts", Qt::MatchExactly);
        QCOMPARE(parts.size(), 1);
        QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                          categories->visualItemRect(parts.first()).center());
        QTest::keyClicks(screen::child<QComboBox>(invoice, "cboDescription_1")->lineEdit(), "W");
        QTest::keyClicks(screen::child<QLineEdit>(invoice, "txtUnits"), units);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdPost_1"), Qt::LeftButton);
        QCOMPARE(program->invoice().lines.size(), 1);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdPrint"), Qt::LeftButton);
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdInvoice_9"), Qt::LeftButton);
        grandTotal = screen::child<QLineEdit>(invoice, "txtGrandTotal")->text();
        prompts.answerNext(true); // printed correctly
        QTest::mouseClick(screen::child<QPushButton>(invoice, "cmdInvoiceContinue"), Qt::LeftButton);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown.at(0).text, QString("Was the Invoice Printed Correctly"));
        QCOMPARE(prompts.shown.at(0).title, QString("Printing Confirmation"));
        QVERIFY(program->screen(Target::MainMenu)->isVisible());
        prompts.clear();
    }

    // Shows the screen from the main menu, hiding whatever else is shown.
    Screen *showScreen(Target target)
    {
        Screen *menu = program->screen(Target::MainMenu);
        for (Target open : {Target::Invoice, Target::Reprint, Target::InvoiceReport,
                            Target::SalesReport, Target::Accounts}) {
            Screen *shown = program->screen(open);
            if (shown && shown->isVisible() && open != target)
                shown->hide();
        }
        if (!program->show(target, menu))
            qWarning("screen not shown");
        Screen *shown = program->screen(target);
        if (shown && !QTest::qWaitForWindowExposed(shown))
            qWarning("screen not exposed");
        return shown;
    }

private:
    SoldTo m_customer;
};
