#pragma once

#include "records/invoicereport.h"
#include "ui/screen.h"

#include <array>

class BusinessSettings;
class Clock;
class DataFolder;
class Desktop;
class Navigator;
class PageSource;
class Prompts;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class ReportPickers;
namespace records {
class TextTableModel;
}

// "Invoice Report": the posted invoices of a date range, of all accounts or one, with
// four totals; printed as the "General Sales Report" to the default printer.
class frmInvoiceReport final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmInvoiceReport)
public:
    frmInvoiceReport(BusinessSettings &settings, DataFolder &data, Prompts &prompts,
                     Navigator &navigator, PageSource &pages, const Clock &clock,
                     QWidget *parent = nullptr);
    ~frmInvoiceReport() override;

    void Form_Activate() override;
    void cmdIncome_Click(int index);
    void cmdSales_Click(int index);
    void optAcct_Click(int index);
    // Shows "Export to CSV…", which asks the desktop where to save.
    void setDesktop(Desktop &desktop);
    void cmdExportCsv_Click();

private:
    void LoadGrid();
    void PrintReport();
    void DeleteRange();
    void DeleteAll();

    BusinessSettings &m_settings;
    DataFolder &m_data;
    Prompts &m_prompts;
    Navigator &m_navigator;
    PageSource &m_pages;
    const Clock &m_clock;
    records::InvoiceReport m_report;

    QTableView *fgSales = nullptr;
    records::TextTableModel *m_rows = nullptr;
    ReportPickers *m_pickers = nullptr;
    std::array<QPushButton *, 4> cmdIncome{};
    std::array<QPushButton *, 5> cmdSales{};
    std::array<QRadioButton *, 2> optAcct{};
    std::array<QLabel *, 4> lblTotal{};
    QComboBox *cboAccounts = nullptr;
    QPushButton *cmdExportCsv = nullptr;
    Desktop *m_desktop = nullptr;
};
