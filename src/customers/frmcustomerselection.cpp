#include "customers/frmcustomerselection.h"

#include "core/appstate.h"
#include "core/prompts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &caption, const QString &name, const QString &toolTip,
                    QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (!toolTip.isEmpty())
        b->setToolTip(toolTip);
    b->setAccessibleName(QString(caption).remove(u'&'));
    return b;
}

// Proposal texts come from another program's files: never read them as markup.
QLabel *plainLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

const char *const InfoNames[frmCustomerSelection::InfoCount] = {
    "Customer name", "Address 1", "Address 2",   "City",
    "State",         "Postal code", "Telephone", "Cell phone"};

} // namespace

frmCustomerSelection::frmCustomerSelection(const DataFolder &data, ApplicationState &state,
                                           Prompts &prompts, Navigator &navigator, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_data(data), m_state(state),
      m_prompts(prompts), m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmCustomerSelection"));
    setWindowTitle(QStringLiteral("Customer Selection"));
    buildControls();
    restoreGeometryFromSettings();
}

frmCustomerSelection::~frmCustomerSelection() = default;

void frmCustomerSelection::buildControls()
{
    cmdStartup[0] = button(QStringLiteral("Select Customer from Customer List"),
                           QStringLiteral("cmdStartup_0"),
                           QStringLiteral("opens the customer window"), this);
    cmdStartup[1] = button(QStringLiteral("Select Customer from Existing Proposal"),
                           QStringLiteral("cmdStartup_1"),
                           QStringLiteral("opens the proposal window"), this);
    for (int index = 0; index < StartupCount; ++index)
        connect(cmdStartup[index], &QPushButton::clicked, this,
                [this, index] { cmdStartup_Click(index); });

    fraInstructions[0] = new QGroupBox(this);
    fraInstructions[0]->setObjectName(QStringLiteral("fraInstructions_0"));
    lblBasicInst = plainLabel(QStringLiteral("To Create an Invoice, Select a Customer from your "
                                             "Customer List or an Existing Proposal"),
                              QStringLiteral("lblBasicInst"), fraInstructions[0]);
    lblBasicInst->setWordWrap(true);
    (new QVBoxLayout(fraInstructions[0]))->addWidget(lblBasicInst);

    fraInstructions[1] = new QGroupBox(this);
    fraInstructions[1]->setObjectName(QStringLiteral("fraInstructions_1"));
    lblCreateInst = plainLabel(QStringLiteral("Click Create an Invoice"),
                               QStringLiteral("lblCreateInst"), fraInstructions[1]);
    (new QVBoxLayout(fraInstructions[1]))->addWidget(lblCreateInst);

    fraProposals = new QGroupBox(QStringLiteral("Existing Proposals"), this);
    fraProposals->setObjectName(QStringLiteral("fraProposals"));
    m_proposals = new ProposalListModel(this);
    fgProposals = new QTableView(fraProposals);
    fgProposals->setObjectName(QStringLiteral("fgProposals"));
    fgProposals->setAccessibleName(QStringLiteral("Existing proposals"));
    fgProposals->setModel(m_proposals);
    fgProposals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgProposals->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgProposals->setSelectionMode(QAbstractItemView::SingleSelection);
    fgProposals->verticalHeader()->hide();
    // Widths from the written header's padding; measuring the cells of thousands of
    // proposals would cost more than reading them.
    const char *const paddedHeaders[ProposalListModel::ColumnCount] = {
        "Proposal No", "Created on       ", "Customer Information                        ",
        "        Amount    "};
    for (int column = 0; column < ProposalListModel::ColumnCount; ++column)
        fgProposals->setColumnWidth(column, fgProposals->fontMetrics().horizontalAdvance(
                                                QString::fromLatin1(paddedHeaders[column])) +
                                                16);
    fgProposals->horizontalHeader()->setSectionResizeMode(ProposalListModel::CustomerName,
                                                         QHeaderView::Stretch);
    fgProposals->setWordWrap(false);
    connect(fgProposals, &QTableView::clicked, this,
            [this](const QModelIndex &index) { fgProposals_Click(index.row()); });
    // Enter on the highlighted proposal chooses it, as a click does.
    connect(fgProposals, &QTableView::activated, this,
            [this](const QModelIndex &index) { fgProposals_Click(index.row()); });
    lblProposalHint = plainLabel(QStringLiteral("Left Click on a Proposal to Select it"),
                                 QStringLiteral("lblProposalHint"), fraProposals);
    cmdCancelselectProposal =
        button(QStringLiteral("Cancel Select from Proposal"),
               QStringLiteral("cmdCancelselectProposal"),
               QStringLiteral("Cancels the selection process"), fraProposals);
    connect(cmdCancelselectProposal, &QPushButton::clicked, this,
            &frmCustomerSelection::cmdCancelselectProposal_Click);
    auto *proposalsLayout = new QVBoxLayout(fraProposals);
    proposalsLayout->addWidget(fgProposals, 1);
    auto *proposalsFoot = new QHBoxLayout;
    proposalsFoot->addWidget(lblProposalHint);
    proposalsFoot->addStretch(1);
    proposalsFoot->addWidget(cmdCancelselectProposal);
    proposalsLayout->addLayout(proposalsFoot);

    fraProjectInfo = new QGroupBox(QStringLiteral("Customer Information"), this);
    fraProjectInfo->setObjectName(QStringLiteral("fraProjectInfo"));
    auto *info = new QGridLayout(fraProjectInfo);
    info->addWidget(plainLabel(QStringLiteral("Acct No"), QStringLiteral("lblAcctNo"),
                               fraProjectInfo),
                    0, 0);
    lblAccount = plainLabel(QString(), QStringLiteral("lblAccount"), fraProjectInfo);
    lblAccount->setAccessibleName(QStringLiteral("Account number"));
    info->addWidget(lblAccount, 0, 1);
    for (int index = 1; index <= InfoCount; ++index) {
        lblCustomerInfo[index] = plainLabel(
            QString(), QStringLiteral("lblCustomerInfo_%1").arg(index), fraProjectInfo);
        lblCustomerInfo[index]->setAccessibleName(QString::fromLatin1(InfoNames[index - 1]));
        info->addWidget(lblCustomerInfo[index], index, 1);
    }
    info->setColumnStretch(1, 1);

    cmdCreation[0] = button(QStringLiteral("Return without Selecting a Customer"),
                            QStringLiteral("cmdCreation_0"),
                            QStringLiteral("return to the main menu"), this);
    cmdCreation[1] = button(QStringLiteral("&Create an Invoice"), QStringLiteral("cmdCreation_1"),
                            QString(), this);
    cmdCreation[2] = button(QStringLiteral("Select a Different Customer"),
                            QStringLiteral("cmdCreation_2"), QString(), this);
    for (int index = 0; index < CreationCount; ++index)
        connect(cmdCreation[index], &QPushButton::clicked, this,
                [this, index] { cmdCreation_Click(index); });

    auto *main = new QVBoxLayout(this);
    auto *choices = new QHBoxLayout;
    choices->addWidget(cmdStartup[0]);
    choices->addWidget(cmdStartup[1]);
    main->addLayout(choices);
    main->addWidget(fraInstructions[0]);
    main->addWidget(fraProposals, 1);
    main->addWidget(fraProjectInfo);
    main->addWidget(fraInstructions[1]);
    main->addStretch(0);
    auto *creation = new QHBoxLayout;
    for (QPushButton *b : cmdCreation)
        creation->addWidget(b);
    main->addLayout(creation);

    setTabOrder(cmdStartup[0], cmdStartup[1]);
    setTabOrder(cmdStartup[1], fgProposals);
    setTabOrder(fgProposals, cmdCancelselectProposal);
    setTabOrder(cmdCancelselectProposal, cmdCreation[0]);
    setTabOrder(cmdCreation[0], cmdCreation[1]);
    setTabOrder(cmdCreation[1], cmdCreation[2]);
    resize(640, 420);
    showStartingState();
}

void frmCustomerSelection::clearCustomer()
{
    m_chosen.reset();
    lblAccount->clear();
    for (int index = 1; index <= InfoCount; ++index)
        lblCustomerInfo[index]->clear();
}

void frmCustomerSelection::Form_Activate()
{
    clearCustomer();
    // Read at every visit: the proposal program may have written or removed
    // proposals since the list was last shown.
    LoadProposals();
    showStartingState();
}

void frmCustomerSelection::LoadProposals()
{
    m_proposals->setProposals(customers::ReadProposals(m_data));
    const bool any = m_proposals->rowCount() > 0;
    cmdStartup[1]->setEnabled(any);
    if (!any) {
        m_prompts.tell(QStringLiteral("No Proposals Exist"));
        return;
    }
    fgProposals->setCurrentIndex(m_proposals->index(0, 0));
}

void frmCustomerSelection::showStartingState()
{
    fraProposals->hide();
    fraProjectInfo->hide();
    fraInstructions[1]->hide();
    fraInstructions[0]->show();
    cmdCreation[1]->setEnabled(false);
}

void frmCustomerSelection::cmdStartup_Click(int index)
{
    if (index == 0) {
        m_state.FromProposal = false;
        m_navigator.show(Navigator::Target::CustomerMaintenance, this);
        return;
    }
    if (m_proposals->rowCount() == 0)
        return;
    fraInstructions[0]->hide();
    fraProposals->show();
    fgProposals->setFocus(Qt::OtherFocusReason);
}

void frmCustomerSelection::fgProposals_Click(int row)
{
    if (row < 0 || row >= m_proposals->rowCount())
        return;
    const SoldTo &customer = m_proposals->proposals().at(row).customer;
    m_chosen = customer;
    lblAccount->setText(customer.AcctNo);
    const QString values[] = {customer.Customer, customer.Street,   customer.Address2,
                              customer.Address3, customer.State,    customer.Address4,
                              customer.Tel};
    for (int index = 1; index <= InfoCount; ++index)
        lblCustomerInfo[index]->setText(index <= 7 ? values[index - 1] : QString());
    fraProposals->hide();
    fraInstructions[0]->hide();
    fraProjectInfo->show();
    fraInstructions[1]->show();
    cmdCreation[1]->setEnabled(true);
    cmdCreation[1]->setFocus(Qt::OtherFocusReason);
    m_state.FromProposal = true;
}

void frmCustomerSelection::cmdCancelselectProposal_Click()
{
    showStartingState();
}

void frmCustomerSelection::cmdCreation_Click(int index)
{
    switch (index) {
    case 0:
        m_navigator.show(Navigator::Target::MainMenu, this);
        break;
    case 1:
        // Only a chosen proposal gets here: the button is disabled otherwise.
        if (!m_chosen)
            return;
        if (m_startInvoice)
            m_startInvoice(*m_chosen);
        else
            m_navigator.show(Navigator::Target::MainMenu, this);
        closeByProgram();
        break;
    case 2:
        clearCustomer();
        showStartingState();
        break;
    default:
        break;
    }
}
