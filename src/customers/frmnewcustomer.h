#pragma once

#include "customers/customerfile.h"
#include "ui/navigator.h"
#include "ui/screen.h"

#include <QString>
#include <QStringList>

#include <functional>

class AccountListModel;
class BusinessSettings;
class Clock;
class LeaveWatcher;
class CustomerRowsModel;
class PageSource;
class Prompts;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QStringListModel;
class QTableView;
class QToolButton;
struct ApplicationState;

// The customer screen: shows one customer at a time over the customer file, adds,
// changes, finds, deletes and prints customers, keeps their auxiliary notes, and
// hands the chosen customer to a new invoice. The shown customer is saved before the
// screen moves away from it.
class frmNewCustomer final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmNewCustomer)
public:
    static constexpr int BoxCount = 12;
    static constexpr int NavCount = 7;
    static constexpr int ButtonCount = 14;
    static constexpr int FindButtonCount = 4;
    static constexpr int AuxButtonCount = 9;

    frmNewCustomer(CustomerFile &customers, BusinessSettings &settings, ApplicationState &state,
                   Prompts &prompts, Navigator &navigator, PageSource &pages, const Clock &clock,
                   QWidget *parent = nullptr);
    ~frmNewCustomer() override;

    // Opens the dialer with the customer's name and the number to call.
    void setOpenDialer(std::function<void(const QString &name, const QString &number)> open)
    {
        m_openDialer = std::move(open);
    }
    // Starts the invoice for the chosen customer and shows the invoice screen.
    void setStartInvoice(std::function<void(const customers::InvoiceCustomer &)> start)
    {
        m_startInvoice = std::move(start);
    }
    // Empty: the screen is opened for account maintenance; otherwise to pick a
    // customer for the named routine.
    void setRoutineName(const QString &routine) { m_routine = routine; }
    // The address style read when the screen was last activated.
    bool USAStyle() const { return m_usaStyle; }

    void Form_Activate() override;
    void programEnding() override;

    void cmdCustomer_Click(int index);
    void cmdNav_Click(int index);
    void Command1_Click(int index);
    void cmdSaveAux_Click(int index);
    void cmdAcctType_Click();
    void cmdStartSearch_Click();
    void cmdPrintCustomers_Click();
    void mnuAdd_Click();
    void mnuDelete_Click();
    void mnuPrint_Click();
    void mnuAux_Click();
    void mnuSelect_Click();
    void Image1_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QWidget *buildFields();
    QWidget *buildSidePanel();
    QGroupBox *buildSearch();
    QGroupBox *buildResults();
    QWidget *buildAux();

    // The record as the boxes show it.
    CustomerRecord shownRecord() const;
    // Saves the shown customer under the rules; false, with the cursor in the box at
    // fault, when it was refused.
    // Quiet, a customer that fails the checks is left unsaved and nothing is asked.
    bool saveShown(bool quiet = false);
    void showRecordFields();
    void setType(const QString &type);
    void enableNewCustomerFields();
    void updateMode();
    void refreshCities();
    void showListEntry();
    void refreshAux();
    void refreshHeadings();
    void startFirstRun();
    void openAux(bool open);
    void openBigEditor(int box);
    // Hides the large editor, first copying its text into its box when keepText.
    void closeBigEditor(bool keepText);
    void accountTyped(const QString &text);
    void accountChosen(int row);
    void accountListLeft();
    void showFromList(qint32 record);
    void finishWithCustomer(bool select);
    QStringList auxBoxes() const;

    CustomerFile &m_file;
    BusinessSettings &m_settings;
    ApplicationState &m_state;
    Prompts &m_prompts;
    Navigator &m_navigator;
    PageSource &m_pages;
    const Clock &m_clock;
    std::function<void(const QString &, const QString &)> m_openDialer;
    std::function<void(const customers::InvoiceCustomer &)> m_startInvoice;
    QString m_routine;
    bool m_usaStyle = true;
    bool m_suppressCompletion = false;
    LeaveWatcher *m_leave = nullptr;
    bool m_built = false;
    int m_bigBox = -1;
    // The record the fields last showed, to tell a move to another customer.
    qint32 m_shownNumber = -1;
    bool m_shownAdding = false;
    // The text the program itself put in a box as a prompt; none does today.
    QString m_placedPrompt[BoxCount];

    AccountListModel *m_accountModel = nullptr;
    CustomerRowsModel *m_rowsModel = nullptr;
    QStringListModel *m_cityModel = nullptr;

    QMenu *mnuCust = nullptr;
    QAction *mnuAdd = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuAux = nullptr;
    QMenu *mnuPopup = nullptr;
    QAction *mnuSelect = nullptr;

    QLineEdit *txtCustomer[BoxCount] = {};
    QFrame *fraUSAddress = nullptr;
    QFrame *fraIntAddress = nullptr;
    QComboBox *cboCity = nullptr;
    QComboBox *cboStates = nullptr;
    QLineEdit *txtAdd3 = nullptr;
    QLineEdit *txtAdd4 = nullptr;
    QComboBox *cboTitle = nullptr;
    QLabel *lbLType = nullptr;
    QPushButton *cmdAcctType = nullptr;
    QComboBox *cboAccounts = nullptr;
    QPushButton *cmdNav[NavCount] = {};
    QPushButton *cmdCustomer[ButtonCount] = {};
    QPushButton *Command1[FindButtonCount] = {};
    QToolButton *Image1 = nullptr;
    QStackedWidget *m_pagesStack = nullptr;

    QGroupBox *fraSearch = nullptr;
    QRadioButton *optSearch[customers::CriterionCount] = {};
    QLineEdit *txtSearchfor = nullptr;
    QPushButton *cmdStartSearch = nullptr;
    QPushButton *cmdClearSearch = nullptr;
    QPushButton *cmdHideSearch = nullptr;

    QGroupBox *fraCustomersFound = nullptr;
    QTableView *fgCustomersFound = nullptr;
    QPushButton *cmdPrintCustomers = nullptr;
    QPushButton *cmdRetry = nullptr;

    QWidget *fraAux = nullptr;
    QLabel *lblAuxName = nullptr;
    QStackedWidget *m_auxStack = nullptr;
    QLineEdit *txtHeading[customers::AuxBoxCount] = {};
    QPlainTextEdit *txtAux[customers::AuxBoxCount] = {};
    QPushButton *lblClear[customers::AuxBoxCount] = {};
    QPushButton *cmdSaveAux[AuxButtonCount] = {};
    QCheckBox *ckSaveAux = nullptr;
    QFrame *fraBig = nullptr;
    QLabel *lblBig = nullptr;
    QPlainTextEdit *txtBig = nullptr;
};
