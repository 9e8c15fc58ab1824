#pragma once

#include "records/completedinvoices.h"
#include "ui/screen.h"

#include <array>

class BusinessSettings;
class Clock;
class DataFolder;
class Desktop;
class Navigator;
class PageSource;
class Printouts;
class Prompts;
class QAction;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
namespace records {
class TextTableModel;
}

// "Completed Invoices Details and Reprint Routine": the list of completed invoices,
// the details of one, its reprint, a summary report and the deletion of old images.
class frmReprint final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmReprint)
public:
    frmReprint(BusinessSettings &settings, DataFolder &data, Prompts &prompts,
               Navigator &navigator, PageSource &pages, Printouts &printouts, const Clock &clock,
               QWidget *parent = nullptr);
    ~frmReprint() override;

    void Form_Activate() override;
    void fgReceivables_Click(int row);
    void cmdExit_Click();
    void cmdHide_Click();
    void cmdPrint_Click();
    void cmdMemo_Click();
    void cmdReport_Click();
    void cmdKill_Click();
    void cmdMode_Click();
    void mnuSort_Click();
    void DTPicker1_Change();
    // Shows "Save as PDF", "E-mail Invoice" and "Export to CSV…".
    void setDesktop(Desktop &desktop);
    void cmdSavePdf_Click();
    void cmdEmail_Click();
    void cmdExportCsv_Click();

private:
    void FillList();
    void showRows();
    InvoicePrintout shownPrintout() const;

    BusinessSettings &m_settings;
    DataFolder &m_data;
    Prompts &m_prompts;
    Navigator &m_navigator;
    PageSource &m_pages;
    Printouts &m_printouts;
    const Clock &m_clock;
    records::CompletedInvoices m_invoices;
    QList<records::CompletedInvoiceRow> m_list;
    std::optional<posting::CompletedInvoiceImage> m_shown;
    QString m_shownDate;

    QTableView *fgReceivables = nullptr;
    records::TextTableModel *m_listModel = nullptr;
    QLabel *lblClick = nullptr;
    QGroupBox *fraInvoice = nullptr;
    std::array<QLabel *, 6> lblBillTo{};
    std::array<QLabel *, 6> lblShipTo{};
    // Values of the detail frame, by the classic label index.
    QLabel *lblShipVia = nullptr;
    QLabel *lblShipDate = nullptr;
    QLabel *lblInvoiceNo = nullptr;
    QLabel *lblAccountNo = nullptr;
    QLabel *lblReference = nullptr;
    QLabel *lblCreationDate = nullptr;
    QLabel *lblTaxHeading1 = nullptr;
    QLabel *lblTaxHeading2 = nullptr;
    QLineEdit *txtAttn = nullptr;
    QTableView *fgItems = nullptr;
    records::TextTableModel *m_itemsModel = nullptr;
    std::array<QLabel *, 10> lblInvoice{};
    QLineEdit *txtMemo = nullptr;
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdHide = nullptr;
    QPushButton *cmdMemo = nullptr;
    QPushButton *cmdReport = nullptr;
    QPushButton *cmdKill = nullptr;
    QDateEdit *DTPicker1 = nullptr;
    QGroupBox *fraSort = nullptr;
    std::array<QRadioButton *, 3> optCol{};
    std::array<QRadioButton *, 2> optSort{};
    QPushButton *cmdMode = nullptr;
    QAction *mnuSort = nullptr;
    QPushButton *cmdSavePdf = nullptr;
    QPushButton *cmdEmail = nullptr;
    QPushButton *cmdExportCsv = nullptr;
    Desktop *m_desktop = nullptr;
    QDate m_shownDay;
    QDate m_pickerDate;
    records::SortColumn m_sortColumn = records::SortColumn::Number;
};
