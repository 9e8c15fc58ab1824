#include "receivables/frmaccounts.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/keyfilters.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"
#include "posting/postedrecords.h"
#include "printing/printsettings.h"
#include "receivables/balances.h"
#include "receivables/ledger.h"
#include "receivables/payments.h"
#include "receivables/statement.h"
#include "setup/businesssettings.h"
#include "ui/busywork.h"
#include "ui/keyfilterglue.h"
#include "ui/leavewatcher.h"
#include "ui/navigator.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString DateFormat = QStringLiteral("M/d/yyyy");

QDateEdit *datePicker(const QString &name, const QString &accessible, QWidget *parent)
{
    auto *picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(DateFormat);
    picker->setAccessibleName(accessible);
    return picker;
}

QPushButton *button(const QString &name, const QString &caption, const QString &tip,
                    QWidget *parent)
{
    auto *made = new QPushButton(caption, parent);
    made->setObjectName(name);
    made->setToolTip(tip);
    made->setAutoDefault(false);
    return made;
}

struct Customer
{
    QString account;
    QStringList address;
};

} // namespace

frmAccounts::frmAccounts(BusinessSettings &settings, DataFolder &data, Prompts &prompts,
                         Navigator &navigator, PageSource &pages, const Clock &clock,
                         QWidget *parent)
    : Screen(QStringLiteral("PelmorReports"), parent), m_settings(settings), m_data(data),
      m_prompts(prompts), m_navigator(navigator), m_pages(pages), m_clock(clock)
{
    setObjectName(QStringLiteral("frmAccounts"));
    setWindowTitle(QStringLiteral("Accounts"));

    m_balances = new receivables::BalanceListModel(this);
    fgBalances = new QTableView(this);
    fgBalances->setObjectName(QStringLiteral("fgBalances"));
    fgBalances->setAccessibleName(QStringLiteral("Customer balances"));
    fgBalances->setToolTip(QStringLiteral("Click a heading to sort; click a customer to choose it"));
    fgBalances->setModel(m_balances);
    fgBalances->setSortingEnabled(true);
    fgBalances->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    fgBalances->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgBalances->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgBalances->setSelectionMode(QAbstractItemView::SingleSelection);
    fgBalances->verticalHeader()->hide();
    fgBalances->setTabKeyNavigation(false);
    fgBalances->horizontalHeader()->setSectionResizeMode(receivables::BalanceListModel::Name,
                                                         QHeaderView::Stretch);
    connect(fgBalances, &QTableView::clicked, this, &frmAccounts::fgBalances_RowChosen);
    connect(fgBalances, &QTableView::activated, this, &frmAccounts::fgBalances_RowChosen);

    lblTotal = new QLabel(regional::zeroCurrency(), this);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));
    lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lstProblems = new QListWidget(this);
    lstProblems->setObjectName(QStringLiteral("lstProblems"));
    lstProblems->setMaximumHeight(90);
    lblProblems = ui::label(QStringLiteral("Could not be read (counted as zero):"), lstProblems, this);

    // The customer both the payment and the statement are for.
    cboAccount = new QComboBox(this);
    cboAccount->setObjectName(QStringLiteral("cboAccount"));
    lblCustomerName = new QLabel(this);
    lblCustomerName->setObjectName(QStringLiteral("lblCustomerName"));
    connect(cboAccount, &QComboBox::currentIndexChanged, this, [this] {
        lblCustomerName->setText(cboAccount->currentData().toStringList().value(0));
    });

    auto *fraPayment = new QGroupBox(QStringLiteral("Payment Received"), this);
    fraPayment->setObjectName(QStringLiteral("fraPayment"));
    dtPayment = datePicker(QStringLiteral("dtPayment"), QStringLiteral("Date received"), fraPayment);
    txtAmount = new QLineEdit(fraPayment);
    txtAmount->setObjectName(QStringLiteral("txtAmount"));
    attachMoneyFilter(txtAmount);
    cboPaidBy = ui::editableCombo(QStringLiteral("cboPaidBy"), posting::PaymentForms(), fraPayment);
    cboPaidBy->setCurrentIndex(-1);
    txtReference = new QLineEdit(fraPayment);
    txtReference->setObjectName(QStringLiteral("txtReference"));
    txtReference->setMaxLength(posting::SalesJournalRecord::InvoiceWidth);
    cmdRecordPayment = button(QStringLiteral("cmdRecordPayment"), QStringLiteral("&Record Payment"),
                              QStringLiteral("Enters the Payment on the Customer's Account"),
                              fraPayment);
    lblRecorded = new QLabel(fraPayment);
    lblRecorded->setObjectName(QStringLiteral("lblRecorded"));
    auto *paymentLayout = new QFormLayout(fraPayment);
    paymentLayout->addRow(ui::label(QStringLiteral("&Date Received"), dtPayment, fraPayment), dtPayment);
    paymentLayout->addRow(ui::label(QStringLiteral("A&mount"), txtAmount, fraPayment), txtAmount);
    paymentLayout->addRow(ui::label(QStringLiteral("Paid &by"), cboPaidBy, fraPayment), cboPaidBy);
    paymentLayout->addRow(ui::label(QStringLiteral("For &Invoice"), txtReference, fraPayment),
                          txtReference);
    paymentLayout->addRow(cmdRecordPayment);
    paymentLayout->addRow(lblRecorded);

    auto *fraStatement = new QGroupBox(QStringLiteral("Statement"), this);
    fraStatement->setObjectName(QStringLiteral("fraStatement"));
    dtFrom = datePicker(QStringLiteral("dtFrom"), QStringLiteral("Statement start date"), fraStatement);
    dtTo = datePicker(QStringLiteral("dtTo"), QStringLiteral("Statement end date"), fraStatement);
    cmdPrintStatement = button(QStringLiteral("cmdPrintStatement"), QStringLiteral("Print &Statement"),
                               QStringLiteral("Prints the Customer's Statement for the Dates"),
                               fraStatement);
    auto *statementLayout = new QFormLayout(fraStatement);
    statementLayout->addRow(ui::label(QStringLiteral("&From"), dtFrom, fraStatement), dtFrom);
    statementLayout->addRow(ui::label(QStringLiteral("&To"), dtTo, fraStatement), dtTo);
    statementLayout->addRow(cmdPrintStatement);

    cmdMenu = button(QStringLiteral("cmdMenu"), QStringLiteral("&Menu"),
                     QStringLiteral("Returns to Main Menu"), this);

    auto *customerRow = new QHBoxLayout;
    customerRow->addWidget(ui::label(QStringLiteral("&Account"), cboAccount, this));
    customerRow->addWidget(cboAccount, 1);
    customerRow->addWidget(lblCustomerName, 2);
    auto *side = new QVBoxLayout;
    side->addLayout(customerRow);
    side->addWidget(fraPayment);
    side->addWidget(fraStatement);
    side->addStretch(1);
    side->addWidget(cmdMenu);

    auto *totalRow = new QHBoxLayout;
    totalRow->addStretch(1);
    totalRow->addWidget(ui::label(QStringLiteral("Total Owed"), lblTotal, this));
    totalRow->addWidget(lblTotal);
    auto *left = new QVBoxLayout;
    left->addWidget(fgBalances, 1);
    left->addLayout(totalRow);
    left->addWidget(lblProblems);
    left->addWidget(lstProblems);

    auto *outer = new QHBoxLayout(this);
    outer->addLayout(left, 3);
    outer->addLayout(side, 2);

    m_leave = new LeaveWatcher(this);
    m_leave->onLeave(txtAmount, [this] { txtAmount_Leave(); });
    connect(cmdRecordPayment, &QPushButton::clicked, this, &frmAccounts::cmdRecordPayment_Click);
    connect(cmdPrintStatement, &QPushButton::clicked, this, &frmAccounts::cmdPrintStatement_Click);
    connect(cmdMenu, &QPushButton::clicked, this,
            [this] { m_navigator.show(Navigator::Target::MainMenu, this); });

    setTabOrder(fgBalances, cboAccount);
    setTabOrder(cboAccount, dtPayment);
    setTabOrder(dtPayment, txtAmount);
    setTabOrder(txtAmount, cboPaidBy);
    setTabOrder(cboPaidBy, txtReference);
    setTabOrder(txtReference, cmdRecordPayment);
    setTabOrder(cmdRecordPayment, dtFrom);
    setTabOrder(dtFrom, dtTo);
    setTabOrder(dtTo, cmdPrintStatement);
    setTabOrder(cmdPrintStatement, cmdMenu);
    resize(1000, 600);
    restoreGeometryFromSettings();
}

frmAccounts::~frmAccounts() = default;

void frmAccounts::Form_Activate()
{
    const QDate today = m_clock.today();
    m_leave->setQuiet(true);
    dtPayment->setMaximumDate(today);
    dtPayment->setDate(today);
    txtAmount->clear();
    cboPaidBy->setCurrentIndex(-1);
    cboPaidBy->setEditText(QString());
    txtReference->clear();
    lblRecorded->clear();
    dtFrom->setDate(QDate(today.year(), today.month(), 1));
    dtTo->setDate(today);
    m_leave->setQuiet(false);
    LoadAccounts();
    LoadBalances();
    fgBalances->setFocus(Qt::OtherFocusReason);
}

void frmAccounts::LoadAccounts()
{
    const QString chosen = cboAccount->currentText();
    QList<Customer> found = runBusyFor(this, QStringLiteral("Reading Customers..."), [this] {
        QList<Customer> customers;
        customers::ForEachCustomer(m_data, [&customers](const CustomerRecord &customer) {
            if (!customer.account.isEmpty())
                customers.append({customer.account, receivables::StatementAddress(customer)});
        });
        return customers;
    });
    cboAccount->clear();
    for (const Customer &customer : found)
        cboAccount->addItem(customer.account, customer.address);
    cboAccount->setCurrentIndex(std::max(0, cboAccount->findText(chosen)));
}

void frmAccounts::LoadBalances()
{
    const QDate today = m_clock.today();
    receivables::BalanceList list = runBusyFor(this, QStringLiteral("Reading Accounts..."),
                                               [&] { return receivables::ListBalances(m_data, today); });
    m_balances->setRows(std::move(list.rows));
    const QHeaderView *header = fgBalances->horizontalHeader();
    if (header->sortIndicatorSection() >= 0)
        m_balances->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    lblTotal->setText(regional::currencyText(list.total));
    lstProblems->clear();
    for (const receivables::LedgerProblem &problem : list.problems)
        lstProblems->addItem(problem.text());
    lblProblems->setVisible(!list.problems.isEmpty());
    lstProblems->setVisible(!list.problems.isEmpty());
}

void frmAccounts::fgBalances_RowChosen(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const int found = cboAccount->findText(m_balances->rows().at(index.row()).account);
    if (found >= 0)
        cboAccount->setCurrentIndex(found);
}

bool frmAccounts::txtAmount_Leave()
{
    if (txtAmount->text().isEmpty())
        return true;
    const keyfilters::FieldCheckResult checked = keyfilters::MoneyFieldCheck(txtAmount->text(), m_prompts);
    txtAmount->setText(checked.text);
    if (checked.refused)
        txtAmount->setFocus(Qt::OtherFocusReason);
    return !checked.refused;
}

void frmAccounts::cmdRecordPayment_Click()
{
    using namespace receivables;
    // A refused amount has beeped and keeps the cursor.
    if (!txtAmount_Leave())
        return;
    const PaymentEntry entry{cboAccount->currentText(), dtPayment->date(), txtAmount->text(),
                             cboPaidBy->currentText(), txtReference->text()};
    Payments payments(m_data, m_clock);
    const PaymentCheck check = payments.Check(entry);
    if (check.refusal) {
        m_prompts.tell(*check.refusal, PaymentTitle);
        return;
    }
    if (check.overpays() && !m_prompts.ask(OverpaymentQuestion(check), PaymentTitle))
        return;
    if (const std::optional<QString> failed = payments.Record(entry)) {
        m_prompts.tell(*failed, PaymentTitle);
        LoadBalances();
        return;
    }
    lblRecorded->setText(QStringLiteral("%1 recorded on Account %2")
                             .arg(regional::currencyText(check.amount), entry.account));
    txtAmount->clear();
    txtReference->clear();
    LoadBalances();
}

void frmAccounts::cmdPrintStatement_Click()
{
    using namespace receivables;
    const QString account = cboAccount->currentText();
    if (account.isEmpty()) {
        m_prompts.tell(QStringLiteral("Choose the Account from the Customer file"),
                       QStringLiteral("Statement"));
        return;
    }
    if (dtFrom->date() > dtTo->date()) {
        m_prompts.tell(QStringLiteral("The Start Date is after the End Date"), QStringLiteral("Statement"));
        return;
    }
    const Ledger ledger = LedgerReader(m_data).Read(account);
    if (ledger.state == Ledger::State::Absent) {
        m_prompts.tell(QStringLiteral("Account %1 has no Account file yet").arg(account),
                       QStringLiteral("Statement"));
        return;
    }
    if (ledger.state == Ledger::State::Unreadable) {
        m_prompts.tell(ledger.problems.value(0).text(), QStringLiteral("Statement"));
        return;
    }
    const Statement statement = MakeStatement(ledger, account, cboAccount->currentData().toStringList(),
                                              dtFrom->date(), dtTo->date());
    PrintStatementJob(m_pages, m_prompts, m_settings.printSettings(), m_data, statement,
                      m_clock.today());
}
