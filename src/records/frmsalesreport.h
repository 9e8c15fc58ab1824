#pragma once

#include "records/salesreport.h"
#include "ui/screen.h"

#include <array>

class BusinessSettings;
class Catalog;
class Clock;
class DataFolder;
class Desktop;
class Navigator;
class PageSource;
class Prompts;
class QAction;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTableView;
class ReportPickers;
namespace records {
class TextTableModel;
}

// "Item Sales Report": units sold of the ticked products over a date range, invoice
// by invoice and in total; prints them and deletes the sold items of a range.
class frmSalesReport final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSalesReport)
public:
    frmSalesReport(Catalog &catalog, BusinessSettings &settings, DataFolder &data,
                   Prompts &prompts, Navigator &navigator, PageSource &pages, const Clock &clock,
                   QWidget *parent = nullptr);
    ~frmSalesReport() override;

    void Form_Activate() override;
    void cmdIncome_Click(int index);
    void cmdSales_Click(int index);
    void mnuDelete_Click();
    void mnuInstructions_Click();
    // Shows "Export to CSV…", which asks the desktop where to save.
    void setDesktop(Desktop &desktop);
    void cmdExportCsv_Click();

private:
    void fillProducts();
    QStringList tickedProducts() const;
    void setTicks(bool ticked);
    void clearGrids();
    void LoadGrid();
    void PrintReport();

    Catalog &m_catalog;
    BusinessSettings &m_settings;
    DataFolder &m_data;
    Prompts &m_prompts;
    Navigator &m_navigator;
    PageSource &m_pages;
    const Clock &m_clock;
    records::SalesReport m_report;

    QListWidget *lstSalesItems = nullptr;
    QTableView *fgSalesItems = nullptr;
    QTableView *fgTotals = nullptr;
    records::TextTableModel *m_rows = nullptr;
    records::TextTableModel *m_totals = nullptr;
    ReportPickers *m_pickers = nullptr;
    std::array<QPushButton *, 4> cmdIncome{};
    std::array<QPushButton *, 6> cmdSales{};
    QGroupBox *fraInstructions = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuInstructions = nullptr;
    QPushButton *cmdExportCsv = nullptr;
    Desktop *m_desktop = nullptr;
};
