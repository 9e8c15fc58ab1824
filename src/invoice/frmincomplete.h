#pragma once

#include "ui/navigator.h"
#include "ui/screen.h"

#include <QList>
#include <QStringList>

#include <array>
#include <functional>

struct ApplicationState;
class Clock;
class IncompleteInvoices;
class Prompts;
class QLabel;
class QPushButton;
class QTableWidget;
struct InvoiceDocument;

// "Partial Invoices": the list of partial invoices, from which one is loaded back
// into the invoice being built, purged, or printed as a report.
class frmIncomplete final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmIncomplete)
public:
    static constexpr int ButtonCount = 4;
    // Prints the rows under the title; reports its own failures.
    using PrintReport = std::function<void(const QString &title, const QList<QStringList> &rows)>;

    frmIncomplete(IncompleteInvoices &list, InvoiceDocument &invoice, ApplicationState &state,
                  Prompts &prompts, Navigator &navigator, const Clock &clock,
                  PrintReport printReport, QWidget *parent = nullptr);

    void Form_Activate() override;
    void Command1_Click(int index);
    void cmdReport_Click();
    void fgIncomplete_Click();

private:
    void refreshGrid();
    int selectedRow() const;

    IncompleteInvoices &m_list;
    InvoiceDocument &m_invoice;
    ApplicationState &m_state;
    Prompts &m_prompts;
    Navigator &m_navigator;
    const Clock &m_clock;
    PrintReport m_printReport;

    QTableWidget *fgIncomplete = nullptr;
    QLabel *lblInstruction = nullptr;
    std::array<QPushButton *, ButtonCount> Command1{};
    QPushButton *cmdReport = nullptr;
};
