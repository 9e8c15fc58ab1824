#include "customers/frmnewcustomer.h"

#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/keyfilters.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "customers/customerlist.h"
#include "customers/customerlistmodels.h"
#include "printing/page.h"
#include "printing/printsettings.h"
#include "setup/businesssettings.h"
#include "ui/keyfilterglue.h"
#include "ui/leavewatcher.h"
#include "ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStringListModel>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <iterator>

using namespace customers;

namespace {

constexpr int AccountBox = 0;
constexpr int NameBox = 1;
constexpr int Address1Box = 2;
constexpr int Address2Box = 3;
constexpr int PostalBox = 5;
constexpr int TelephoneBox = 6;
constexpr int EmailBox = 7;
constexpr int FirstNameBox = 8;
constexpr int InitialBox = 9;
constexpr int LastNameBox = 10;
constexpr int CellBox = 11;

constexpr int MenuButton = 0;
constexpr int SelectButton = 1;
constexpr int AddButton = 2;
constexpr int CancelAddButton = 13;

const QString TelephoneTip =
    QStringLiteral("Enter telephone Number with Area Code FIRST (as AAA-EEE-NNNN)");

// A field keeps its text trimmed, so blanks typed around the text do not count
// against the field's width: "  217-555-0101  " fits a 13-character field whole.
class FieldWidthValidator final : public QValidator
{
public:
    FieldWidthValidator(int width, QObject *parent) : QValidator(parent), m_width(width) {}
    State validate(QString &input, int &) const override
    {
        return input.trimmed().size() <= m_width ? Acceptable : Invalid;
    }

private:
    int m_width;
};

void limitToField(QLineEdit *box, int width)
{
    box->setValidator(new FieldWidthValidator(width, box));
}

QComboBox *editableCombo(const QString &name, int maxLength)
{
    QComboBox *combo = ui::editableCombo(name);
    limitToField(combo->lineEdit(), maxLength);
    return combo;
}

} // namespace

frmNewCustomer::frmNewCustomer(CustomerFile &customers, BusinessSettings &settings,
                               ApplicationState &state, Prompts &prompts, Navigator &navigator,
                               PageSource &pages, const Clock &clock, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_file(customers), m_settings(settings),
      m_state(state), m_prompts(prompts), m_navigator(navigator), m_pages(pages), m_clock(clock)
{
    setObjectName(QStringLiteral("frmNewCustomer"));
    setWindowTitle(QStringLiteral("Managing Account Data"));
    m_leave = new LeaveWatcher(this);
    buildControls();

    connect(&m_file, &CustomerFile::recordShown, this, &frmNewCustomer::showRecordFields);
    connect(&m_file, &CustomerFile::listsChanged, this, &frmNewCustomer::refreshCities);
    connect(&m_file, &CustomerFile::auxChanged, this, &frmNewCustomer::refreshAux);
    connect(&m_file, &CustomerFile::headingsChanged, this, &frmNewCustomer::refreshHeadings);
    // Deleting the last customer leaves nothing to show: start the first one again.
    connect(&m_file, &CustomerFile::fileEmptied, this, &frmNewCustomer::startFirstRun);

    refreshCities();
    refreshHeadings();
    refreshAux();
    showRecordFields();
    // Opens within a 1,280 x 720 display, title bar included.
    resize(1040, 660);
    restoreGeometryFromSettings();
}

frmNewCustomer::~frmNewCustomer() = default;

void frmNewCustomer::buildControls()
{
    auto *menuBar = new QMenuBar(this);
    mnuCust = menuBar->addMenu(QStringLiteral("Customer Routines"));
    mnuCust->setObjectName(QStringLiteral("mnuCust"));
    const auto addAction = [this](const QString &name, const QString &text, auto handler) {
        QAction *action = mnuCust->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuAdd = addAction(QStringLiteral("mnuAdd"), QStringLiteral("Add  New Customer"),
                       &frmNewCustomer::mnuAdd_Click);
    mnuDelete = addAction(QStringLiteral("mnuDelete"), QStringLiteral("Delete Current"),
                          &frmNewCustomer::mnuDelete_Click);
    mnuPrint = addAction(QStringLiteral("mnuPrint"), QStringLiteral("Customer List"),
                         &frmNewCustomer::mnuPrint_Click);
    mnuAux = addAction(QStringLiteral("mnuAux"), QStringLiteral("Data Screen"),
                       &frmNewCustomer::mnuAux_Click);

    m_pagesStack = new QStackedWidget;
    m_pagesStack->addWidget(buildFields());
    m_pagesStack->addWidget(buildAux());

    auto *top = new QHBoxLayout;
    top->addWidget(m_pagesStack, 1);
    top->addWidget(buildSidePanel());

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildSearch());
    bottom->addWidget(buildResults(), 1);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    m_built = true;
}

QWidget *frmNewCustomer::buildFields()
{
    const auto makeBox = [this](int index, int maxLength, const QString &toolTip = {}) {
        auto *box = new QLineEdit;
        box->setObjectName(QStringLiteral("txtCustomer_%1").arg(index));
        limitToField(box, maxLength);
        box->setToolTip(toolTip);
        attachQuoteFilter(box, m_prompts);
        txtCustomer[index] = box;
        return box;
    };
    using R = CustomerRecord;

    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    int row = 0;

    makeBox(AccountBox, R::AccountWidth);
    grid->addWidget(ui::label(QStringLiteral("Account No"), txtCustomer[AccountBox]), row, 0);
    grid->addWidget(txtCustomer[AccountBox], row, 1);
    lbLType = new QLabel(R::Individual);
    lbLType->setObjectName(QStringLiteral("lbLType"));
    QFont bold = lbLType->font();
    bold.setBold(true);
    lbLType->setFont(bold);
    cmdAcctType = new QPushButton(QStringLiteral("Toggle Type"));
    cmdAcctType->setObjectName(QStringLiteral("cmdAcctType"));
    connect(cmdAcctType, &QPushButton::clicked, this, &frmNewCustomer::cmdAcctType_Click);
    auto *type = new QHBoxLayout;
    type->addWidget(lbLType);
    type->addWidget(cmdAcctType);
    type->addStretch();
    grid->addLayout(type, row++, 2, 1, 2);

    makeBox(NameBox, R::NameWidth, QStringLiteral("Displays Business Accts"));
    grid->addWidget(ui::label(QStringLiteral("Name"), txtCustomer[NameBox]), row, 0);
    grid->addWidget(txtCustomer[NameBox], row++, 1, 1, 3);

    cboTitle = editableCombo(QStringLiteral("cboTitle"), R::TitleWidth);
    cboTitle->addItems(customers::Titles());
    attachQuoteFilter(cboTitle, m_prompts);
    makeBox(FirstNameBox, R::FirstNameWidth);
    makeBox(InitialBox, R::MiddleInitialWidth);
    makeBox(LastNameBox, R::LastNameWidth);
    txtCustomer[InitialBox]->setMaximumWidth(40);
    auto *person = new QHBoxLayout;
    person->addWidget(cboTitle);
    person->addWidget(ui::label(QStringLiteral("First"), txtCustomer[FirstNameBox]));
    person->addWidget(txtCustomer[FirstNameBox], 2);
    person->addWidget(ui::label(QStringLiteral("MI"), txtCustomer[InitialBox]));
    person->addWidget(txtCustomer[InitialBox]);
    person->addWidget(ui::label(QStringLiteral("Last"), txtCustomer[LastNameBox]));
    person->addWidget(txtCustomer[LastNameBox], 3);
    cboTitle->setAccessibleName(QStringLiteral("Title"));
    grid->addWidget(ui::label(QStringLiteral("Title"), cboTitle), row, 0);
    grid->addLayout(person, row++, 1, 1, 3);

    makeBox(Address1Box, R::Address1Width);
    grid->addWidget(ui::label(QStringLiteral("Address1"), txtCustomer[Address1Box]), row, 0);
    grid->addWidget(txtCustomer[Address1Box], row++, 1, 1, 3);
    makeBox(Address2Box, R::Address2Width, QStringLiteral("Enter a Sub-divsion, PO Box, etc"));
    grid->addWidget(ui::label(QStringLiteral("Address2"), txtCustomer[Address2Box]), row, 0);
    grid->addWidget(txtCustomer[Address2Box], row++, 1, 1, 3);

    // The captions inside the two address frames line up with the ones outside.
    int captionWidth = 0;
    for (const char *caption : {"Account No", "Telephone", "Address 3", "Address 4", "Address1"})
        captionWidth =
            std::max(captionWidth, QLabel(QString::fromLatin1(caption)).sizeHint().width());
    grid->setColumnMinimumWidth(0, captionWidth);

    fraUSAddress = new QFrame;
    fraUSAddress->setObjectName(QStringLiteral("fraUSAddress"));
    cboCity = editableCombo(QStringLiteral("cboCity"), R::Address3Width);
    // A file of many customers can hold thousands of cities: one model, no items.
    m_cityModel = new QStringListModel(this);
    cboCity->setModel(m_cityModel);
    qobject_cast<QListView *>(cboCity->view())->setUniformItemSizes(true);
    attachQuoteFilter(cboCity, m_prompts);
    cboStates = editableCombo(QStringLiteral("cboStates"), R::StateWidth);
    cboStates->setMinimumContentsLength(3);
    // A long value in the states file must not squeeze the postal code box.
    cboStates->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    attachQuoteFilter(cboStates, m_prompts);
    makeBox(PostalBox, R::PostalWidth);
    auto *usa = new QHBoxLayout(fraUSAddress);
    usa->setContentsMargins(0, 0, 0, 0);
    QLabel *cityCaption = ui::label(QStringLiteral("City"), cboCity);
    cityCaption->setFixedWidth(captionWidth);
    usa->setSpacing(grid->horizontalSpacing());
    usa->addWidget(cityCaption);
    usa->addWidget(cboCity, 3);
    usa->addWidget(ui::label(QStringLiteral("St"), cboStates));
    usa->addWidget(cboStates);
    usa->addWidget(ui::label(QStringLiteral("Postal"), txtCustomer[PostalBox]));
    usa->addWidget(txtCustomer[PostalBox], 1);
    grid->addWidget(fraUSAddress, row++, 0, 1, 4);

    fraIntAddress = new QFrame;
    fraIntAddress->setObjectName(QStringLiteral("fraIntAddress"));
    txtAdd3 = new QLineEdit;
    txtAdd3->setObjectName(QStringLiteral("txtAdd3"));
    limitToField(txtAdd3, R::Address3Width);
    attachQuoteFilter(txtAdd3, m_prompts);
    txtAdd4 = new QLineEdit;
    txtAdd4->setObjectName(QStringLiteral("txtAdd4"));
    limitToField(txtAdd4, R::Address4Width);
    attachQuoteFilter(txtAdd4, m_prompts);
    auto *other = new QGridLayout(fraIntAddress);
    other->setContentsMargins(0, 0, 0, 0);
    other->setHorizontalSpacing(grid->horizontalSpacing());
    other->setColumnMinimumWidth(0, captionWidth);
    other->addWidget(ui::label(QStringLiteral("Address 3"), txtAdd3), 0, 0);
    other->addWidget(txtAdd3, 0, 1);
    other->addWidget(ui::label(QStringLiteral("Address 4"), txtAdd4), 1, 0);
    other->addWidget(txtAdd4, 1, 1);
    grid->addWidget(fraIntAddress, row++, 0, 1, 4);

    makeBox(TelephoneBox, R::TelephoneWidth, TelephoneTip);
    makeBox(CellBox, R::CellWidth, TelephoneTip);
    for (int index : {AccountBox, TelephoneBox}) {
        attachKeyFilter(txtCustomer[index], [this](int key, const QString &text) {
            return keyfilters::NameKeyFilter(key, text, m_prompts);
        });
    }
    // The account names a folder and a file: a number the check would refuse
    // ("12/34", which the numeric rule above lets through) is not typed at all.
    attachKeyFilter(txtCustomer[AccountBox], [this](int key, const QString &) {
        return keyfilters::FileNameKeyFilter(key, m_prompts);
    });
    grid->addWidget(ui::label(QStringLiteral("Telephone"), txtCustomer[TelephoneBox]), row, 0);
    grid->addWidget(txtCustomer[TelephoneBox], row, 1);
    auto *cell = new QHBoxLayout;
    cell->addWidget(ui::label(QStringLiteral("Cell"), txtCustomer[CellBox]));
    cell->addWidget(txtCustomer[CellBox], 1);
    Image1 = new QToolButton;
    Image1->setObjectName(QStringLiteral("Image1_1"));
    Image1->setText(QStringLiteral("Call"));
    Image1->setToolTip(QStringLiteral("Call Account Phone or Cell"));
    Image1->setAccessibleName(QStringLiteral("Call Account Phone or Cell"));
    Image1->setVisible(false);
    connect(Image1, &QToolButton::clicked, this, &frmNewCustomer::Image1_Click);
    cell->addWidget(Image1);
    grid->addLayout(cell, row++, 2, 1, 2);

    makeBox(EmailBox, R::EmailWidth, QStringLiteral("Store Account email Address"));
    grid->addWidget(ui::label(QStringLiteral("Email"), txtCustomer[EmailBox]), row, 0);
    grid->addWidget(txtCustomer[EmailBox], row++, 1, 1, 3);

    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);

    for (int index : {AccountBox, NameBox, TelephoneBox}) {
        QLineEdit *box = txtCustomer[index];
        m_leave->onEnter(box, [this, box, index] {
            if (MustRuleEmpties(box->text(), m_placedPrompt[index]))
                box->clear();
        });
    }
    m_leave->onLeave(txtCustomer[AccountBox], [this] {
        QLineEdit *box = txtCustomer[AccountBox];
        if (!box->text().isEmpty() && m_file.AccountLeft(box->text())) {
            box->clear();
            box->setFocus(Qt::OtherFocusReason);
        }
    });
    m_leave->onLeave(txtCustomer[NameBox], [this] {
        // Only a Business needs an account name; changing the type is the way out of
        // the rule, so the toggle is not met by its message (which ate the click).
        if (lbLType->text() != CustomerRecord::Business ||
            QApplication::focusWidget() == cmdAcctType)
            return;
        m_file.NameLeft(txtCustomer[NameBox]->text(), true);
    });
    return page;
}

QWidget *frmNewCustomer::buildSidePanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    cboAccounts = new QComboBox;
    cboAccounts->setObjectName(QStringLiteral("cboAccounts"));
    ui::keepTypedText(cboAccounts);
    cboAccounts->setMaxVisibleItems(20);
    cboAccounts->setMinimumContentsLength(28);
    cboAccounts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_accountModel = new AccountListModel(m_file, this);
    cboAccounts->setModel(m_accountModel);
    qobject_cast<QListView *>(cboAccounts->view())->setUniformItemSizes(true);
    cboAccounts->setCurrentIndex(-1);
    // The list's box has no focus of its own: the list gets it.
    m_leave->onLeave(cboAccounts, [this] { accountListLeft(); });
    cboAccounts->lineEdit()->installEventFilter(this);
    connect(cboAccounts->lineEdit(), &QLineEdit::textEdited, this, &frmNewCustomer::accountTyped);
    connect(cboAccounts, &QComboBox::activated, this, &frmNewCustomer::accountChosen);
    layout->addWidget(ui::label(QStringLiteral("Accts are shown alphabetically"), cboAccounts));
    layout->addWidget(cboAccounts);

    const QString findCaptions[FindButtonCount] = {
        QStringLiteral("&Search by Criteria,such as Street Address"),
        QStringLiteral("&Find Account in Name List Alphbetically"),
        QStringLiteral("Select from &Account List"),
        QStringLiteral("&Locate Account in Name List "),
    };
    for (int i = 0; i < FindButtonCount; ++i) {
        Command1[i] = new QPushButton(findCaptions[i]);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        layout->addWidget(Command1[i]);
    }

    const QString navCaptions[NavCount] = {
        QStringLiteral("|<<"), QStringLiteral("<"),   QStringLiteral(">"), QStringLiteral(">>|"),
        QStringLiteral(">"),   QStringLiteral(">>>"), QStringLiteral(">>")};
    const QString navTips[NavCount] = {QStringLiteral("Selects 1st Customer Record"),
                                       QStringLiteral("Selects Previous Customer Record"),
                                       QStringLiteral("Selects Next Customer Record"),
                                       QStringLiteral("Selects Last Customer Record"),
                                       QStringLiteral("Goes  1/4 into Customer Records"),
                                       QStringLiteral("Goes 3/4 into Customer Record"),
                                       QStringLiteral("Goes 1/2 into Customer Records")};
    for (int i = 0; i < NavCount; ++i) {
        cmdNav[i] = new QPushButton(navCaptions[i]);
        cmdNav[i]->setObjectName(QStringLiteral("cmdNav_%1").arg(i));
        cmdNav[i]->setToolTip(navTips[i]);
        // The arrows say little to a screen reader; the tip says where it goes.
        cmdNav[i]->setAccessibleName(navTips[i]);
        connect(cmdNav[i], &QPushButton::clicked, this, [this, i] { cmdNav_Click(i); });
    }
    auto *position = new QGroupBox(QStringLiteral("Position"));
    auto *positionRow = new QHBoxLayout(position);
    for (int i : {0, 1, 2, 3})
        positionRow->addWidget(cmdNav[i]);
    layout->addWidget(position);
    auto *percent = new QGroupBox(QStringLiteral("(% of File)"));
    auto *percentRow = new QHBoxLayout(percent);
    for (int i : {4, 6, 5})
        percentRow->addWidget(cmdNav[i]);
    layout->addWidget(percent);
    layout->addStretch();

    const std::pair<int, QString> buttons[] = {
        {AddButton, QStringLiteral("Add New Customer")},
        {CancelAddButton, QStringLiteral("Cancel Add &New")},
        {SelectButton, QStringLiteral("Select this &Account and Start  Routine")},
        {MenuButton, QStringLiteral("&Menu")},
    };
    for (const auto &[index, caption] : buttons) {
        cmdCustomer[index] = new QPushButton(caption);
        cmdCustomer[index]->setObjectName(QStringLiteral("cmdCustomer_%1").arg(index));
        connect(cmdCustomer[index], &QPushButton::clicked, this,
                [this, i = index] { cmdCustomer_Click(i); });
        layout->addWidget(cmdCustomer[index]);
    }
    cmdCustomer[CancelAddButton]->setVisible(false);
    return panel;
}

QGroupBox *frmNewCustomer::buildSearch()
{
    fraSearch = new QGroupBox(QStringLiteral("Customer Search"));
    fraSearch->setObjectName(QStringLiteral("fraSearch"));
    const QString captions[CriterionCount] = {
        QStringLiteral("by Business Name"),
        QStringLiteral("by Address #1"),
        QStringLiteral("by Address #2"),
        QStringLiteral("by City or (Addr #3)"),
        QStringLiteral("by State"),
        QStringLiteral("by Zip Code (or Addr #4)"),
        QStringLiteral("by Telephone Number"),
        QStringLiteral("by Last Name"),
        QStringLiteral("by Account Number"),
    };
    auto *grid = new QGridLayout(fraSearch);
    for (int i = 0; i < CriterionCount; ++i) {
        optSearch[i] = new QRadioButton(captions[i]);
        optSearch[i]->setObjectName(QStringLiteral("optSearch_%1").arg(i));
        grid->addWidget(optSearch[i], i % 3, i / 3);
    }
    optSearch[int(Criterion::LastName)]->setChecked(true);

    txtSearchfor = new QLineEdit;
    txtSearchfor->setObjectName(QStringLiteral("txtSearchfor"));
    connect(txtSearchfor, &QLineEdit::returnPressed, this, &frmNewCustomer::cmdStartSearch_Click);
    cmdStartSearch = new QPushButton(QStringLiteral("Search"));
    cmdStartSearch->setObjectName(QStringLiteral("cmdStartSearch"));
    connect(cmdStartSearch, &QPushButton::clicked, this, &frmNewCustomer::cmdStartSearch_Click);
    cmdClearSearch = new QPushButton(QStringLiteral("Clear"));
    cmdClearSearch->setObjectName(QStringLiteral("cmdClearSearch"));
    connect(cmdClearSearch, &QPushButton::clicked, txtSearchfor, &QLineEdit::clear);
    cmdHideSearch = new QPushButton(QStringLiteral("Hide"));
    cmdHideSearch->setObjectName(QStringLiteral("cmdHideSearch"));
    connect(cmdHideSearch, &QPushButton::clicked, fraSearch, &QWidget::hide);

    auto *entry = new QHBoxLayout;
    entry->addWidget(ui::label(QStringLiteral("Search for"), txtSearchfor));
    entry->addWidget(txtSearchfor, 1);
    entry->addWidget(cmdStartSearch);
    entry->addWidget(cmdClearSearch);
    entry->addWidget(cmdHideSearch);
    grid->addLayout(entry, 3, 0, 1, 3);
    fraSearch->setVisible(false);
    return fraSearch;
}

QGroupBox *frmNewCustomer::buildResults()
{
    fraCustomersFound = new QGroupBox(QStringLiteral("Customers Search by Name Results"));
    fraCustomersFound->setObjectName(QStringLiteral("fraCustomersFound"));
    m_rowsModel = new CustomerRowsModel(this);
    m_rowsModel->setHeaders(
        {QStringLiteral("Name"), QStringLiteral("Telephone"), QStringLiteral("Record")});
    fgCustomersFound = new QTableView;
    fgCustomersFound->setObjectName(QStringLiteral("fgCustomersFound"));
    fgCustomersFound->setAccessibleName(QStringLiteral("Customers found"));
    fgCustomersFound->setModel(m_rowsModel);
    fgCustomersFound->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgCustomersFound->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgCustomersFound->setSelectionMode(QAbstractItemView::SingleSelection);
    fgCustomersFound->verticalHeader()->setVisible(false);
    fgCustomersFound->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fgCustomersFound->verticalHeader()->setDefaultSectionSize(
        fgCustomersFound->fontMetrics().height() + 6);
    fgCustomersFound->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    fgCustomersFound->setColumnWidth(1, 120);
    fgCustomersFound->setColumnWidth(2, 70);
    fgCustomersFound->setMinimumHeight(150);
    fgCustomersFound->setContextMenuPolicy(Qt::CustomContextMenu);

    mnuPopup = new QMenu(this);
    mnuSelect = mnuPopup->addAction(QStringLiteral("Load Customer"));
    mnuSelect->setObjectName(QStringLiteral("mnuSelect"));
    connect(mnuSelect, &QAction::triggered, this, &frmNewCustomer::mnuSelect_Click);
    connect(fgCustomersFound, &QTableView::customContextMenuRequested, this,
            [this](const QPoint &at) {
                const QModelIndex index = fgCustomersFound->indexAt(at);
                if (!index.isValid())
                    return;
                fgCustomersFound->setCurrentIndex(index);
                mnuPopup->exec(fgCustomersFound->viewport()->mapToGlobal(at));
            });
    // Enter or a double click loads the row too, for the keyboard.
    connect(fgCustomersFound, &QTableView::activated, this, &frmNewCustomer::mnuSelect_Click);

    cmdPrintCustomers = new QPushButton(QStringLiteral("&Print"));
    cmdPrintCustomers->setObjectName(QStringLiteral("cmdPrintCustomers"));
    connect(cmdPrintCustomers, &QPushButton::clicked, this,
            &frmNewCustomer::cmdPrintCustomers_Click);
    cmdRetry = new QPushButton(QStringLiteral("Hide"));
    cmdRetry->setObjectName(QStringLiteral("cmdRetry"));
    connect(cmdRetry, &QPushButton::clicked, fraCustomersFound, &QWidget::hide);

    auto *layout = new QHBoxLayout(fraCustomersFound);
    layout->addWidget(fgCustomersFound, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdPrintCustomers);
    buttons->addWidget(cmdRetry);
    buttons->addStretch();
    layout->addLayout(buttons);
    fraCustomersFound->setVisible(false);
    return fraCustomersFound;
}

QWidget *frmNewCustomer::buildAux()
{
    fraAux = new QWidget;
    fraAux->setObjectName(QStringLiteral("fraAux"));
    auto *layout = new QVBoxLayout(fraAux);
    layout->setContentsMargins(0, 0, 0, 0);
    lblAuxName = new QLabel;
    lblAuxName->setObjectName(QStringLiteral("lblAuxName"));
    QFont big = lblAuxName->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    lblAuxName->setFont(big);
    layout->addWidget(lblAuxName);

    m_auxStack = new QStackedWidget;
    layout->addWidget(m_auxStack, 1);

    auto *boxesPage = new QWidget;
    auto *boxes = new QGridLayout(boxesPage);
    boxes->setContentsMargins(0, 0, 0, 0);
    for (int j = 0; j < AuxBoxCount; ++j) {
        txtHeading[j] = new QLineEdit;
        txtHeading[j]->setObjectName(QStringLiteral("txtHeading_%1").arg(j));
        txtHeading[j]->setAccessibleName(QStringLiteral("Heading %1").arg(j + 1));
        txtHeading[j]->setToolTip(QStringLiteral("Double click to clear the heading"));
        txtHeading[j]->installEventFilter(this);
        lblClear[j] = new QPushButton(QStringLiteral("<Clear"));
        lblClear[j]->setObjectName(QStringLiteral("lblClear_%1").arg(j));
        lblClear[j]->setFlat(true);
        lblClear[j]->setAccessibleName(QStringLiteral("Clear Data Box # %1").arg(j + 1));
        connect(lblClear[j], &QPushButton::clicked, this, [this, j] {
            txtAux[j]->clear();
            txtAux[j]->document()->setModified(true);
        });
        txtAux[j] = new QPlainTextEdit;
        txtAux[j]->setObjectName(QStringLiteral("txtAux_%1").arg(j));
        txtAux[j]->setAccessibleName(QStringLiteral("Data Box # %1").arg(j + 1));
        txtAux[j]->setToolTip(QStringLiteral("Double click to open the large editor"));
        txtAux[j]->setTabChangesFocus(true);
        txtAux[j]->viewport()->installEventFilter(this);
        auto *heading = new QHBoxLayout;
        heading->addWidget(txtHeading[j], 1);
        heading->addWidget(lblClear[j]);
        const int row = (j / 3) * 2;
        boxes->addLayout(heading, row, j % 3);
        boxes->addWidget(txtAux[j], row + 1, j % 3);
    }
    m_auxStack->addWidget(boxesPage);

    fraBig = new QFrame;
    fraBig->setObjectName(QStringLiteral("fraBig"));
    auto *bigLayout = new QVBoxLayout(fraBig);
    bigLayout->setContentsMargins(0, 0, 0, 0);
    lblBig = new QLabel;
    lblBig->setObjectName(QStringLiteral("lblBig"));
    txtBig = new QPlainTextEdit;
    txtBig->setObjectName(QStringLiteral("txtBig"));
    txtBig->setAccessibleName(QStringLiteral("Data box being edited"));
    // Tab leaves the editor, as it leaves the boxes it edits.
    txtBig->setTabChangesFocus(true);
    lblBig->setBuddy(txtBig);
    bigLayout->addWidget(lblBig);
    bigLayout->addWidget(txtBig, 1);
    m_auxStack->addWidget(fraBig);

    const std::pair<int, QString> captions[] = {
        {0, QStringLiteral("Save &Headings")},
        {3, QStringLiteral("Reload Aux Data")},
        {8, QStringLiteral("Show &Previous Account")},
        {7, QStringLiteral("&Show Next Account")},
        {2, QStringLiteral("Close Screen")},
        {4, QStringLiteral("Hi&de")},
        {5, QStringLiteral("Clear")},
        {6, QStringLiteral("Oops, Reload")},
    };
    for (const auto &[index, caption] : captions) {
        cmdSaveAux[index] = new QPushButton(caption);
        cmdSaveAux[index]->setObjectName(QStringLiteral("cmdSaveAux_%1").arg(index));
        connect(cmdSaveAux[index], &QPushButton::clicked, this,
                [this, i = index] { cmdSaveAux_Click(i); });
    }
    auto *bigButtons = new QHBoxLayout;
    for (int index : {4, 5, 6})
        bigButtons->addWidget(cmdSaveAux[index]);
    bigButtons->addStretch();
    bigLayout->addLayout(bigButtons);

    ckSaveAux = new QCheckBox(QStringLiteral("RETAIN Aux Data between Accounts"));
    ckSaveAux->setObjectName(QStringLiteral("ckSaveAux"));
    connect(ckSaveAux, &QCheckBox::toggled, this,
            [this](bool retain) { m_file.setRetainAux(retain); });
    auto *buttons = new QHBoxLayout;
    for (int index : {0, 3, 8, 7, 2})
        buttons->addWidget(cmdSaveAux[index]);
    buttons->addStretch();
    buttons->addWidget(ckSaveAux);
    layout->addLayout(buttons);
    return fraAux;
}

void frmNewCustomer::Form_Activate()
{
    m_usaStyle = m_settings.usaStyle();
    fraUSAddress->setVisible(m_usaStyle);
    fraIntAddress->setVisible(!m_usaStyle);
    setType(CustomerRecord::Individual);
    m_file.LoadAuxHeadings();
    {
        const QSignalBlocker blocker(cboStates);
        const QString state = cboStates->currentText();
        cboStates->clear();
        cboStates->addItems(m_file.LoadStates());
        cboStates->setEditText(state);
    }
    setWindowTitle(m_routine.isEmpty() ? QStringLiteral("Managing Account Data")
                                       : QStringLiteral("Select Customer for ") + m_routine);
    Image1->setVisible(m_state.modemFound && m_state.phoneEnabled);
    fraSearch->hide();
    fraCustomersFound->hide();
    openAux(false);
    if (m_file.Open())
        txtCustomer[AccountBox]->setFocus(Qt::OtherFocusReason);
    else
        startFirstRun();
    updateMode();
}

void frmNewCustomer::startFirstRun()
{
    if (!m_file.adding() && !m_file.AddNew())
        return;
    const CustomerRecord first = CustomerFile::FirstRunRecord(m_settings.profile(), m_usaStyle);
    cboCity->setEditText(first.city);
    cboStates->setEditText(first.state);
    txtCustomer[PostalBox]->setText(first.postal);
    txtCustomer[TelephoneBox]->setText(first.telephone);
    enableNewCustomerFields();
    m_prompts.tell(QStringLiteral("Your Customer File is Empty\r\nCreate your First Customer Now"),
                   QStringLiteral("Create Customers"));
    updateMode();
    txtCustomer[AccountBox]->setFocus(Qt::OtherFocusReason);
}

CustomerRecord frmNewCustomer::shownRecord() const
{
    CustomerRecord shown = m_file.record();
    shown.account = txtCustomer[AccountBox]->text();
    shown.name = txtCustomer[NameBox]->text();
    shown.address1 = txtCustomer[Address1Box]->text();
    shown.address2 = txtCustomer[Address2Box]->text();
    shown.setAddress(m_usaStyle, cboCity->currentText(), cboStates->currentText(),
                     txtCustomer[PostalBox]->text(), txtAdd3->text(), txtAdd4->text());
    shown.telephone = txtCustomer[TelephoneBox]->text();
    shown.cell = txtCustomer[CellBox]->text();
    shown.email = txtCustomer[EmailBox]->text();
    shown.title = cboTitle->currentText();
    shown.firstName = txtCustomer[FirstNameBox]->text();
    shown.middleInitial = txtCustomer[InitialBox]->text();
    shown.lastName = txtCustomer[LastNameBox]->text();
    shown.type = lbLType->text();
    return shown;
}

void frmNewCustomer::programEnding()
{
    // The customer on show is kept as every other way off it keeps it.
    if (isVisible())
        saveShown(true);
}

bool frmNewCustomer::saveShown(bool quiet)
{
    // Text typed in the large editor belongs to the shown customer and is kept with it.
    closeBigEditor(true);
    const bool auxEdited =
        std::any_of(std::begin(txtAux), std::end(txtAux),
                    [](const QPlainTextEdit *box) { return box->document()->isModified(); });
    const CustomerFile::SaveResult result = m_file.SaveCustomer(shownRecord(), quiet);
    if (quiet && !result.saved)
        return false;
    if (result.leaveScreen) {
        if (m_file.adding())
            m_file.CancelAdd();
        updateMode();
        m_navigator.show(Navigator::Target::MainMenu, this);
        return false;
    }
    if (!result.saved) {
        QWidget *box = nullptr;
        switch (result.focus) {
        case CustomerFile::Box::Account:
            box = txtCustomer[AccountBox];
            break;
        case CustomerFile::Box::Name:
            box = txtCustomer[NameBox];
            break;
        case CustomerFile::Box::FirstName:
            box = txtCustomer[FirstNameBox];
            break;
        case CustomerFile::Box::Telephone:
            box = txtCustomer[TelephoneBox];
            break;
        case CustomerFile::Box::None:
            break;
        }
        if (box) {
            if (m_pagesStack->currentWidget() != m_pagesStack->widget(0))
                openAux(false);
            box->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }
    // Notes typed in the data boxes go with the customer they were typed for.
    if (auxEdited && m_file.current() >= 1)
        m_file.SaveAuxData(auxBoxes());
    updateMode();
    return true;
}

void frmNewCustomer::showRecordFields()
{
    const CustomerRecord &record = m_file.record();
    m_leave->setQuiet(true);
    txtCustomer[AccountBox]->setText(record.account);
    txtCustomer[NameBox]->setText(record.name);
    txtCustomer[Address1Box]->setText(record.address1);
    txtCustomer[Address2Box]->setText(record.address2);
    cboCity->setEditText(record.address3);
    cboStates->setEditText(record.state);
    txtCustomer[PostalBox]->setText(record.postal);
    txtAdd3->setText(record.address3);
    txtAdd4->setText(record.address4);
    txtCustomer[TelephoneBox]->setText(record.telephone);
    txtCustomer[CellBox]->setText(record.cell);
    txtCustomer[EmailBox]->setText(record.email);
    cboTitle->setEditText(record.title);
    txtCustomer[FirstNameBox]->setText(record.firstName);
    txtCustomer[InitialBox]->setText(record.middleInitial);
    txtCustomer[LastNameBox]->setText(record.lastName);
    m_leave->setQuiet(false);
    setType(record.type);

    const qint32 number = m_file.current();
    // The large editor holds a box of the customer it was opened for, never another's.
    if (number != m_shownNumber || m_file.adding() != m_shownAdding)
        closeBigEditor(false);
    m_shownNumber = number;
    m_shownAdding = m_file.adding();
    // A new customer is shown under the number it will get, except the very first,
    // which the screen's own caption introduces.
    if (number >= 1 && (!m_file.adding() || m_file.storedCount() > 0))
        setWindowTitle(QStringLiteral("Account Information for Customer No ") +
                       QString::number(number));
    lblAuxName->setText(record.displayName());
    showListEntry();
    updateMode();
}

void frmNewCustomer::showListEntry()
{
    // The list shows the customer on screen, so a glance at it says where one is.
    const qint32 number = m_file.adding() ? 0 : m_file.current();
    const auto &accounts = m_file.accounts();
    int row = -1;
    for (int i = 0; number >= 1 && i < accounts.size(); ++i) {
        if (accounts.at(i).record == number) {
            row = i;
            break;
        }
    }
    const QSignalBlocker blocker(cboAccounts);
    cboAccounts->setCurrentIndex(row);
    if (row < 0)
        cboAccounts->setEditText(QString());
}

void frmNewCustomer::setType(const QString &type)
{
    const bool business = type == CustomerRecord::Business;
    lbLType->setText(business ? CustomerRecord::Business : CustomerRecord::Individual);
    txtCustomer[NameBox]->setEnabled(business);
    for (int index : {FirstNameBox, InitialBox, LastNameBox})
        txtCustomer[index]->setEnabled(!business);
}

void frmNewCustomer::enableNewCustomerFields()
{
    // The boxes open are those of the type shown, which decides the rules on saving.
    setType(lbLType->text());
}

void frmNewCustomer::cmdAcctType_Click()
{
    setType(lbLType->text() == CustomerRecord::Business ? CustomerRecord::Individual
                                                        : CustomerRecord::Business);
}

void frmNewCustomer::updateMode()
{
    const bool adding = m_file.adding();
    const bool shown = !adding && m_file.current() >= 1;
    cmdCustomer[CancelAddButton]->setVisible(adding);
    mnuAdd->setEnabled(!adding);
    mnuDelete->setEnabled(shown);
    mnuAux->setEnabled(shown);
}

void frmNewCustomer::refreshCities()
{
    const QSignalBlocker blocker(cboCity);
    const QString text = cboCity->currentText();
    m_cityModel->setStringList(m_file.cities());
    cboCity->setEditText(text);
    showListEntry();
}

void frmNewCustomer::refreshAux()
{
    const QStringList &texts = m_file.auxTexts();
    for (int j = 0; j < AuxBoxCount; ++j) {
        txtAux[j]->setPlainText(texts.value(j));
        txtAux[j]->document()->setModified(false);
    }
}

void frmNewCustomer::refreshHeadings()
{
    const QStringList &headings = m_file.headings();
    for (int j = 0; j < AuxBoxCount; ++j)
        txtHeading[j]->setText(headings.value(j));
}

QStringList frmNewCustomer::auxBoxes() const
{
    QStringList boxes;
    for (const QPlainTextEdit *box : txtAux)
        boxes.append(box->toPlainText());
    return boxes;
}

void frmNewCustomer::cmdCustomer_Click(int index)
{
    switch (index) {
    case MenuButton:
        finishWithCustomer(false);
        break;
    case SelectButton:
        finishWithCustomer(true);
        break;
    case AddButton:
        mnuAdd_Click();
        break;
    case CancelAddButton:
        m_file.CancelAdd();
        updateMode();
        break;
    default:
        break;
    }
}

void frmNewCustomer::finishWithCustomer(bool select)
{
    // Leaving for the menu drops a customer still being typed; choosing it for an
    // invoice keeps it, under the same rules as any save.
    if (!select && m_file.adding())
        m_file.CancelAdd();
    if (!saveShown())
        return;
    updateMode();
    if (!select) {
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    }
    if (m_file.current() < 1) {
        m_prompts.beep();
        return;
    }
    if (!m_startInvoice) {
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    }
    m_startInvoice(customers::ForInvoice(m_file.record(), m_usaStyle));
    closeByProgram();
}

void frmNewCustomer::cmdNav_Click(int index)
{
    if (!saveShown())
        return;
    m_file.Navigate(index);
}

void frmNewCustomer::mnuAdd_Click()
{
    if (!saveShown())
        return;
    if (!m_file.AddNew())
        return;
    enableNewCustomerFields();
    openAux(false);
    updateMode();
    txtCustomer[AccountBox]->setFocus(Qt::OtherFocusReason);
}

void frmNewCustomer::mnuDelete_Click()
{
    const qint32 removed = m_file.current();
    const bool deleted = m_file.DeleteCurrent();
    updateMode();
    if (!deleted) {
        txtCustomer[AccountBox]->setFocus(Qt::OtherFocusReason);
        return;
    }
    closeBigEditor(false);
    // The records after the deleted one moved down: rows found before must load the
    // customers they name, not the ones now at their old numbers.
    QList<qint32> records;
    for (const CustomerFile::FoundRow &row : m_rowsModel->rows()) {
        if (row.record != removed)
            records.append(row.record > removed ? row.record - 1 : row.record);
    }
    m_rowsModel->setRows(m_file.Rows(records));
}

void frmNewCustomer::Command1_Click(int index)
{
    switch (index) {
    case 0:
        if (!saveShown())
            return;
        fraSearch->show();
        txtSearchfor->setFocus(Qt::OtherFocusReason);
        break;
    case 2:
        cboAccounts->setFocus(Qt::OtherFocusReason);
        cboAccounts->showPopup();
        break;
    default:
        cboAccounts->setFocus(Qt::OtherFocusReason);
        cboAccounts->lineEdit()->selectAll();
        break;
    }
}

void frmNewCustomer::cmdStartSearch_Click()
{
    int criterion = 0;
    for (int i = 0; i < CriterionCount; ++i) {
        if (optSearch[i]->isChecked())
            criterion = i;
    }
    const QString text = txtSearchfor->text();
    // One hit shows that customer: the one shown is saved first.
    if (!text.trimmed().isEmpty() && !saveShown())
        return;
    const QList<qint32> found = m_file.Search(Criterion(criterion), text);
    if (found.size() < 2)
        return;
    m_rowsModel->setRows(m_file.Rows(found));
    fraCustomersFound->show();
    fgCustomersFound->setCurrentIndex(m_rowsModel->index(0, 0));
    fgCustomersFound->setFocus(Qt::OtherFocusReason);
}

void frmNewCustomer::mnuPrint_Click()
{
    if (!m_settings.data().FileIsPresent(CustomerDataFile)) {
        m_prompts.beep();
        return;
    }
    m_rowsModel->setRows(m_file.AllRows());
    fraCustomersFound->show();
    fgCustomersFound->setCurrentIndex(m_rowsModel->index(0, 0));
    fgCustomersFound->setFocus(Qt::OtherFocusReason);
}

void frmNewCustomer::mnuSelect_Click()
{
    const int row = fgCustomersFound->currentIndex().row();
    if (row < 0 || row >= m_rowsModel->rows().size())
        return;
    showFromList(m_rowsModel->rows().at(row).record);
}

void frmNewCustomer::cmdPrintCustomers_Click()
{
    if (!m_prompts.ask(QStringLiteral("Click Yes to print a Customer Report"),
                       QStringLiteral("Customer Report")))
        return;
    PrintCustomerList(m_pages, m_prompts, m_settings.printSettings(), m_settings.data(),
                      m_file.ReadAll(), m_usaStyle, regional::shortDate(m_clock.today()));
}

void frmNewCustomer::mnuAux_Click()
{
    const bool open = m_pagesStack->currentWidget() != fraAux;
    closeBigEditor(!open);
    if (!open && m_file.current() >= 1 && !m_file.adding())
        m_file.SaveAuxData(auxBoxes());
    openAux(open);
}

void frmNewCustomer::openAux(bool open)
{
    if (open) {
        lblAuxName->setText(m_file.record().displayName());
        m_auxStack->setCurrentIndex(0);
        m_pagesStack->setCurrentWidget(fraAux);
        txtAux[0]->setFocus(Qt::OtherFocusReason);
    } else {
        m_pagesStack->setCurrentIndex(0);
    }
}

void frmNewCustomer::openBigEditor(int box)
{
    m_bigBox = box;
    lblBig->setText(m_file.AuxEditorLabel(box));
    txtBig->setPlainText(txtAux[box]->toPlainText());
    m_auxStack->setCurrentWidget(fraBig);
    txtBig->setFocus(Qt::OtherFocusReason);
}

void frmNewCustomer::closeBigEditor(bool keepText)
{
    if (keepText && m_bigBox >= 0 && m_auxStack->currentWidget() == fraBig) {
        txtAux[m_bigBox]->setPlainText(txtBig->toPlainText());
        txtAux[m_bigBox]->document()->setModified(true);
    }
    m_bigBox = -1;
    m_auxStack->setCurrentIndex(0);
}

void frmNewCustomer::cmdSaveAux_Click(int index)
{
    QStringList headings;
    switch (index) {
    case 0:
        for (const QLineEdit *heading : txtHeading)
            headings.append(heading->text());
        m_file.SaveAuxHeadings(headings);
        break;
    case 2:
        closeBigEditor(true);
        m_file.SaveAuxData(auxBoxes());
        openAux(false);
        break;
    case 3: {
        // A reload reads this customer's own notes, retained or not.
        const bool retain = m_file.retainAux();
        m_file.setRetainAux(false);
        m_file.LoadAuxData();
        m_file.setRetainAux(retain);
        break;
    }
    case 4: {
        const int box = m_bigBox;
        closeBigEditor(true);
        if (box >= 0)
            txtAux[box]->setFocus(Qt::OtherFocusReason);
        break;
    }
    case 5:
        txtBig->clear();
        break;
    case 6:
        if (m_bigBox >= 0)
            txtBig->setPlainText(txtAux[m_bigBox]->toPlainText());
        break;
    case 7:
    case 8:
        if (!saveShown())
            return;
        m_file.StepAccount(index == 7 ? 1 : -1, auxBoxes());
        lblAuxName->setText(m_file.record().displayName());
        break;
    default:
        break;
    }
}

void frmNewCustomer::Image1_Click()
{
    const std::optional<QString> number = m_file.NumberToDial();
    if (number && m_openDialer)
        m_openDialer(m_file.record().displayName(), *number);
}

void frmNewCustomer::accountTyped(const QString &text)
{
    if (m_suppressCompletion) {
        m_suppressCompletion = false;
        return;
    }
    if (text.isEmpty())
        return;
    const int index = m_file.CompletionIndex(text);
    if (index < 0)
        return;
    const QString entry = m_file.accounts().at(index).text;
    QLineEdit *edit = cboAccounts->lineEdit();
    edit->setText(entry);
    edit->setSelection(int(entry.size()), -int(entry.size() - text.size()));
}

void frmNewCustomer::accountChosen(int row)
{
    const QVariant record = m_accountModel->index(row, 0).data(AccountListModel::RecordRole);
    if (record.isValid())
        showFromList(record.toInt());
}

void frmNewCustomer::accountListLeft()
{
    const QString text = cboAccounts->currentText();
    if (text.trimmed().isEmpty())
        return;
    // Passing through the list that names the shown customer stays with it, even
    // when an earlier entry carries the same name.
    const int row = cboAccounts->currentIndex();
    if (!m_file.adding() && row >= 0 && row < m_file.accounts().size()) {
        const CustomerFile::AccountEntry &entry = m_file.accounts().at(row);
        if (entry.record == m_file.current() &&
            entry.text.trimmed().compare(text, Qt::CaseInsensitive) == 0)
            return;
    }
    const std::optional<qint32> record = m_file.RecordNamed(text);
    if (!record || (*record == m_file.current() && !m_file.adding()))
        return;
    showFromList(*record);
}

void frmNewCustomer::showFromList(qint32 record)
{
    if (!saveShown())
        return;
    m_file.ShowRecord(record);
}

bool frmNewCustomer::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_built)
        return Screen::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (watched == cboAccounts->lineEdit()) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Delete || key == Qt::Key_Backspace)
                m_suppressCompletion = true;
        }
        return false;
    }
    for (int j = 0; j < AuxBoxCount; ++j) {
        if (type != QEvent::MouseButtonDblClick)
            break;
        if (watched == txtAux[j]->viewport()) {
            openBigEditor(j);
            return true;
        }
        if (watched == txtHeading[j]) {
            txtHeading[j]->clear();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}
