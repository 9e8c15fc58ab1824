#pragma once

#include "ui/screen.h"

class BusinessSettings;
class Clock;
class DataFolder;
class LeaveWatcher;
class Navigator;
class PageSource;
class Prompts;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
namespace receivables {
class BalanceListModel;
}

// "Accounts": what every customer owes and since when, payments received after the
// sale, and statements.
class frmAccounts final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAccounts)
public:
    frmAccounts(BusinessSettings &settings, DataFolder &data, Prompts &prompts,
                Navigator &navigator, PageSource &pages, const Clock &clock,
                QWidget *parent = nullptr);
    ~frmAccounts() override;

    void Form_Activate() override;
    void cmdRecordPayment_Click();
    void cmdPrintStatement_Click();

private:
    void LoadBalances();
    void LoadAccounts();
    void fgBalances_RowChosen(const QModelIndex &index);
    // The money field check; false when it refused the amount.
    bool txtAmount_Leave();

    BusinessSettings &m_settings;
    DataFolder &m_data;
    Prompts &m_prompts;
    Navigator &m_navigator;
    PageSource &m_pages;
    const Clock &m_clock;

    receivables::BalanceListModel *m_balances = nullptr;
    LeaveWatcher *m_leave = nullptr;
    QTableView *fgBalances = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblProblems = nullptr;
    QListWidget *lstProblems = nullptr;
    QComboBox *cboAccount = nullptr;
    QLabel *lblCustomerName = nullptr;
    QDateEdit *dtPayment = nullptr;
    QLineEdit *txtAmount = nullptr;
    QComboBox *cboPaidBy = nullptr;
    QLineEdit *txtReference = nullptr;
    QPushButton *cmdRecordPayment = nullptr;
    QLabel *lblRecorded = nullptr;
    QDateEdit *dtFrom = nullptr;
    QDateEdit *dtTo = nullptr;
    QPushButton *cmdPrintStatement = nullptr;
    QPushButton *cmdMenu = nullptr;
};
