#include "menu/frmstartup.h"

#include "catalog/catalog.h"
#include "core/datafolder.h"
#include "core/prompts.h"
#include "menu/usermanual.h"
#include "posting/postedrecords.h"
#include "ui/widgets.h"

#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

struct Routine
{
    const char *caption;
    const char *toolTip;
};

constexpr Routine Routines[frmStartup::RoutineCount] = {
    {"Create a C&ustomer Invoice", "Select Customer and Create Invoice"},
    {"&Add to a Partial Invoice", "Add Items to a Partially Created Invoice"},
    {"&View or Reprint Completed Invoices", "Displays Completed Invoices"},
    {"&Create and Manage - Sales Items,  Custom Items, Services, and Labor Rates",
     "Items that you will add to an Invoice"},
    {"Create an &Invoice Report", "Shows Sales, Tax, Discounts, etc"},
    {"Create an Item &Sales Report", "Display and Print a Report by Items Sold"},
    {"Print Blank Invoices", "Shows tax(es) by date range"},
};

// The screen of each routine; routine 0 turns to the customer selection when proposals exist.
constexpr Navigator::Target RoutineTargets[frmStartup::RoutineCount] = {
    Navigator::Target::CustomerMaintenance,
    Navigator::Target::Incomplete,
    Navigator::Target::Reprint,
    Navigator::Target::Catalog,
    Navigator::Target::InvoiceReport,
    Navigator::Target::SalesReport,
    Navigator::Target::BlankForms,
};

// The catalog routine under the main heading, then the invoice column and the report column:
// the order of Tab and of the arrow keys.
constexpr int ReadingOrder[frmStartup::RoutineCount] = {3, 0, 1, 2, 6, 4, 5};

// Supplier pages of the Order Forms menu.
const QString DeluxeChecksPage =
    QStringLiteral("https://www.deluxe.com/shop/checks/business-checks/laser-checks");
const QString DeluxeDepositPage =
    QStringLiteral("https://www.deluxe.com/shop/checks/business-checks/deposit-tickets");
const QString PlainPaperPage =
    QStringLiteral("https://www.officedepot.com/catalog/search.do?Ntt=letter+size+copy+paper");
const QString PerforatedPaperPage =
    QStringLiteral("https://www.officedepot.com/catalog/search.do?Ntt=perforated+paper+letter");
const QString GraytexPage = QStringLiteral("https://www.graytex.com/");
const QString AddressLabelsPage =
    QStringLiteral("https://www.officedepot.com/catalog/search.do?Ntt=avery+18160");
const QString ShippingLabelsPage =
    QStringLiteral("https://www.officedepot.com/catalog/search.do?Ntt=avery+8163");

const QString CrLf = QStringLiteral("\r\n");

QLabel *heading(const QString &text, const QString &name, qreal scale, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    if (scale != 1.0)
        font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

QLabel *plainLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

frmStartup::frmStartup(DataFolder &data, Prompts &prompts, Navigator &navigator, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_data(data), m_prompts(prompts),
      m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmStartup"));
    setWindowTitle(QStringLiteral("Pelmor Invoicer Main Menu"));
    buildControls();
    buildMenuBar();
    restoreGeometryFromSettings();
}

frmStartup::~frmStartup() = default;

void frmStartup::buildControls()
{
    m_routines = new QButtonGroup(this);
    m_routines->setExclusive(true);
    for (int index = 0; index < RoutineCount; ++index) {
        const QString caption = QString::fromLatin1(Routines[index].caption);
        auto *option = new QRadioButton(caption, this);
        option->setObjectName(QStringLiteral("optMainMenuSub_%1").arg(index));
        option->setToolTip(QString::fromLatin1(Routines[index].toolTip));
        option->setAccessibleName(ui::withoutMnemonic(caption));
        option->installEventFilter(this);
        m_routines->addButton(option, index);
        optMainMenuSub[index] = option;
    }

    cmdGoto = new QPushButton(QStringLiteral("Goto the Selected Routine"), this);
    cmdGoto->setObjectName(QStringLiteral("cmdGoto"));
    cmdGoto->setToolTip(QStringLiteral("Starts the Selected Routine"));
    cmdGoto->setAccessibleName(cmdGoto->text());
    cmdGoto->setAutoDefault(true);
    connect(cmdGoto, &QPushButton::clicked, this, &frmStartup::cmdGoto_Click);

    lblIncomplete = plainLabel(QStringLiteral("0"), QStringLiteral("lblIncomplete"), this);
    // Read as the number it shows; what the number counts is its description.
    lblIncomplete->setAccessibleDescription(QStringLiteral("Number of incomplete invoices"));
    lblIncomplete->setAlignment(Qt::AlignCenter);
    lblIncomplete->setFrameShape(QFrame::Panel);
    lblIncomplete->setFrameShadow(QFrame::Sunken);
    lblIncomplete->setMinimumWidth(
        lblIncomplete->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 8);

    fraInstructions = new QGroupBox(QStringLiteral("Instructions"), this);
    fraInstructions->setObjectName(QStringLiteral("fraInstructions"));
    fraInstructions->setAccessibleName(fraInstructions->title());
    auto *instructions = new QVBoxLayout(fraInstructions);
    instructions->addWidget(plainLabel(
        QStringLiteral(
            "In order to create invoices, you first need to create at least one Inventoried Item"),
        QStringLiteral("lblInstructions_0"), fraInstructions));
    instructions->addWidget(plainLabel(QStringLiteral("Click the Goto Button"),
                                       QStringLiteral("lblInstructions_1"), fraInstructions));

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(18, 12, 18, 14);
    main->setSpacing(6);

    main->addWidget(
        heading(QStringLiteral("Pelmor Invoicer Routines"), QStringLiteral("lblTitle"), 1.4, this));
    main->addWidget(plainLabel(QStringLiteral("Select a Routine Below"),
                               QStringLiteral("lblSelectRoutine"), this));
    main->addWidget(optMainMenuSub[3]);
    main->addWidget(fraInstructions);
    main->addSpacing(6);
    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("linRoutines"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    main->addWidget(rule);
    main->addSpacing(6);

    auto *invoice = new QGridLayout;
    invoice->setHorizontalSpacing(12);
    invoice->setVerticalSpacing(6);
    invoice->addWidget(heading(QStringLiteral("Invoice Routines"),
                               QStringLiteral("lblInvoiceRoutines"), 1.15, this),
                       0, 0);
    invoice->addWidget(plainLabel(QStringLiteral("Select a Routine Below"),
                                  QStringLiteral("lblSelectInvoice"), this),
                       1, 0);
    invoice->addWidget(optMainMenuSub[0], 2, 0);
    invoice->addWidget(plainLabel(QStringLiteral("Existing"), QStringLiteral("lblExisting"), this),
                       2, 1, Qt::AlignHCenter | Qt::AlignBottom);
    invoice->addWidget(optMainMenuSub[1], 3, 0);
    invoice->addWidget(lblIncomplete, 3, 1, Qt::AlignHCenter);
    invoice->addWidget(optMainMenuSub[2], 4, 0);
    invoice->addWidget(optMainMenuSub[6], 5, 0);

    auto *report = new QVBoxLayout;
    report->setSpacing(6);
    report->addWidget(heading(QStringLiteral("Report Routines"),
                              QStringLiteral("lblReportRoutines"), 1.15, this));
    report->addWidget(plainLabel(QStringLiteral("Select a Routine Below"),
                                 QStringLiteral("lblSelectReport"), this));
    report->addWidget(optMainMenuSub[4]);
    report->addWidget(optMainMenuSub[5]);

    auto *columns = new QHBoxLayout;
    columns->setSpacing(36);
    columns->addLayout(invoice);
    columns->addLayout(report);
    columns->addStretch(1);
    // The routines keep their natural spacing however tall the window is.
    columns->setAlignment(invoice, Qt::AlignTop);
    columns->setAlignment(report, Qt::AlignTop);
    main->addLayout(columns);
    // Room left over (the instructions hidden, a larger saved size) goes below the routines.
    main->addStretch(1);
    main->addSpacing(12);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdGoto);
    main->addLayout(buttons);

    QWidget *previous = nullptr;
    for (int index : ReadingOrder) {
        if (previous)
            setTabOrder(previous, optMainMenuSub[index]);
        previous = optMainMenuSub[index];
    }
    setTabOrder(previous, cmdGoto);
}

void frmStartup::buildMenuBar()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("mnuBar"));
    m_menuBar->setNativeMenuBar(false);
    layout()->setMenuBar(m_menuBar);

    auto action = [this](QMenu *menu, const QString &text, const QString &name) {
        QAction *item = menu->addAction(text);
        item->setObjectName(name);
        return item;
    };

    m_filesMenu = m_menuBar->addMenu(QStringLiteral(" Files"));
    m_filesMenu->setObjectName(QStringLiteral("mnuFiles"));
    mnuCreate = action(m_filesMenu, QStringLiteral("Create/Modify"), QStringLiteral("mnuCreate"));
    mnuExit = action(m_filesMenu, QStringLiteral("Exit"), QStringLiteral("mnuExit"));

    m_orderFormsMenu = m_menuBar->addMenu(QStringLiteral("Order Forms"));
    m_orderFormsMenu->setObjectName(QStringLiteral("mnuOrderForms"));
    mnuDeluxeForms = m_orderFormsMenu->addMenu(QStringLiteral("Deluxe Business Forms"));
    mnuDeluxeForms->setObjectName(QStringLiteral("mnuDeluxeForms"));
    mnuDeluxe =
        action(mnuDeluxeForms, QStringLiteral("Checks and Envelopes"), QStringLiteral("mnuDeluxe"));
    mnuDepositSlips =
        action(mnuDeluxeForms, QStringLiteral("Deposit Slips"), QStringLiteral("mnuDepositSlips"));
    mnuPPaper =
        action(m_orderFormsMenu, QStringLiteral("Plain Paper"), QStringLiteral("mnuPPaper"));
    mnuPPPaper =
        action(m_orderFormsMenu, QStringLiteral("Perforated Paper"), QStringLiteral("mnuPPPaper"));
    mnuGraytex =
        action(m_orderFormsMenu, QStringLiteral("Proposal Sets"), QStringLiteral("mnuGraytex"));
    mnuAddress =
        action(m_orderFormsMenu, QStringLiteral("Address Labels"), QStringLiteral("mnuAddress"));
    mnuLabels =
        action(m_orderFormsMenu, QStringLiteral("Shipping Labels"), QStringLiteral("mnuLabels"));

    mnuHelp = m_menuBar->addAction(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    // Last, so every menu the program always had keeps its place.
    mnuAccounts = m_menuBar->addMenu(QStringLiteral("Accounts"));
    mnuAccounts->setObjectName(QStringLiteral("mnuAccounts"));
    mnuBalances = action(mnuAccounts, QStringLiteral("&Balances, Payments and Statements"),
                         QStringLiteral("mnuBalances"));
    connect(mnuBalances, &QAction::triggered, this,
            [this] { m_navigator.show(Navigator::Target::Accounts, this); });

    connect(mnuCreate, &QAction::triggered, this, &frmStartup::mnuCreate_Click);
    connect(mnuExit, &QAction::triggered, this, &frmStartup::mnuExit_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmStartup::mnuHelp_Click);
    connect(mnuDeluxe, &QAction::triggered, this,
            [this] { m_navigator.OpenWebPage(DeluxeChecksPage); });
    connect(mnuDepositSlips, &QAction::triggered, this,
            [this] { m_navigator.OpenWebPage(DeluxeDepositPage); });
    connect(mnuPPaper, &QAction::triggered, this, [this] {
        askThenOpen(QStringLiteral("Use Plain Paper for Reports (etc)") + CrLf +
                        QStringLiteral("Click Yes to connect to a Supplier"),
                    QStringLiteral("Order Paper"), PlainPaperPage);
    });
    connect(mnuPPPaper, &QAction::triggered, this, [this] {
        askThenOpen(QStringLiteral("Perforated Response Paper is used to create") + CrLf +
                        QStringLiteral("Invoices with a Remittance Slip") + CrLf +
                        QStringLiteral("Click Yes to connect to a Supplier"),
                    QStringLiteral("Order Paper"), PerforatedPaperPage);
    });
    connect(mnuGraytex, &QAction::triggered, this, [this] {
        askThenOpen(QStringLiteral("Graytex offers 2 and 3 part carbonless paper") + CrLf +
                        QStringLiteral("Suitable for creating a Proposal Form on which") + CrLf +
                        QStringLiteral("information can be hand written as well as printed") +
                        CrLf + QStringLiteral("Connect to Graytex Now"),
                    QStringLiteral("Order Graytex Forms"), GraytexPage);
    });
    connect(mnuAddress, &QAction::triggered, this, [this] {
        askThenOpen(QStringLiteral("30 to a Page Mailing Labels") + CrLf +
                        QStringLiteral("Click Yes to connect to a Supplier"),
                    QStringLiteral("Order Paper"), AddressLabelsPage);
    });
    connect(mnuLabels, &QAction::triggered, this, [this] {
        askThenOpen(QStringLiteral("Click YES to Connect to a Supplier"),
                    QStringLiteral("Order Labels"), ShippingLabelsPage);
    });

    // The menu captions carry no mnemonics, so F10 opens the menu bar from the keyboard.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        m_menuBar->setFocus(Qt::ShortcutFocusReason);
        m_menuBar->setActiveAction(m_filesMenu->menuAction());
    });
}

void frmStartup::Form_Activate()
{
    for (QRadioButton *option : optMainMenuSub)
        option->setEnabled(false);
    optMainMenuSub[3]->setEnabled(true);

    if (m_data.FileIsPresent(Catalog::SalesItemsFile)) {
        fraInstructions->setVisible(false);
        optMainMenuSub[0]->setEnabled(true);
        setOptionSelected(0, true);

        lblIncomplete->setText(QString::number(m_navigator.IncompleteCount()));
        if (lblIncomplete->text() != QLatin1String("0")) {
            optMainMenuSub[1]->setEnabled(true);
        } else {
            optMainMenuSub[1]->setEnabled(false);
            setOptionSelected(1, false);
        }

        optMainMenuSub[2]->setEnabled(
            m_data.AnyFileMatching(QStringLiteral("/CompletedInvoices"), QStringLiteral("*.txt")));
        optMainMenuSub[4]->setEnabled(
            m_data.FileIsPresent(posting::SalesJournalFile));
        optMainMenuSub[5]->setEnabled(m_data.FileIsPresent(posting::SoldItemsFile));
        optMainMenuSub[6]->setEnabled(true);
    } else {
        fraInstructions->setVisible(true);
        setOptionSelected(3, true);
    }
    // The keyboard starts where the selection is, so Enter starts the selected routine.
    for (QRadioButton *option : optMainMenuSub) {
        if (option->isChecked() && option->isEnabled())
            option->setFocus(Qt::OtherFocusReason);
    }
}

void frmStartup::setOptionSelected(int index, bool selected)
{
    if (selected) {
        optMainMenuSub[index]->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its checked button.
    m_routines->setExclusive(false);
    optMainMenuSub[index]->setChecked(false);
    m_routines->setExclusive(true);
}

void frmStartup::optMainMenuSub_DblClick(int index)
{
    if (index < 0 || index >= RoutineCount)
        return;
    Navigator::Target target = RoutineTargets[index];
    if (index == 0 &&
        m_data.AnyFileMatching(QStringLiteral("\\PelmorProposals"), QStringLiteral("*.txt")))
        target = Navigator::Target::CustomerSelection;
    // The navigator hides the menu once the routine's screen is up.
    m_navigator.show(target, this);
}

// The options are one tab stop; the arrows walk them in reading order, as option groups do
// on the desktop, instead of Qt's guess from the widgets' positions.
void frmStartup::moveSelection(int from, int step)
{
    const int *start = std::find(std::begin(ReadingOrder), std::end(ReadingOrder), from);
    int position = int(start - std::begin(ReadingOrder));
    for (int tried = 1; tried < RoutineCount; ++tried) {
        position = (position + step + RoutineCount) % RoutineCount;
        QRadioButton *next = optMainMenuSub[ReadingOrder[position]];
        if (next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            setOptionSelected(ReadingOrder[position], true);
            return;
        }
    }
}

void frmStartup::cmdGoto_Click()
{
    for (int index = 0; index < RoutineCount; ++index) {
        if (optMainMenuSub[index]->isChecked()) {
            optMainMenuSub_DblClick(index);
            return;
        }
    }
}

bool frmStartup::eventFilter(QObject *watched, QEvent *event)
{
    const int index = m_routines->id(qobject_cast<QAbstractButton *>(watched));
    if (index < 0 || !optMainMenuSub[index]->isEnabled())
        return Screen::eventFilter(watched, event);

    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        setOptionSelected(index, true);
        optMainMenuSub_DblClick(index);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return Screen::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            setOptionSelected(index, true);
            optMainMenuSub_DblClick(index);
            return true;
        case Qt::Key_Down:
        case Qt::Key_Right:
            moveSelection(index, +1);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Left:
            moveSelection(index, -1);
            return true;
        default:
            break;
        }
    }
    return Screen::eventFilter(watched, event);
}

void frmStartup::askThenOpen(const QString &text, const QString &title, const QString &address)
{
    if (m_prompts.ask(text, title))
        m_navigator.OpenWebPage(address);
}

void frmStartup::mnuCreate_Click()
{
    m_navigator.show(Navigator::Target::Setup, this);
}

void frmStartup::mnuExit_Click()
{
    m_navigator.ExitApplication();
}

void frmStartup::mnuHelp_Click()
{
    const QString folder = UserManual::defaultFolder();
    const std::optional<QString> copy = UserManual::writeCopy(folder);
    if (!copy) {
        m_prompts.tell(QStringLiteral("The user manual could not be written to ") +
                       QDir::toNativeSeparators(folder));
        return;
    }
    m_navigator.OpenWebPage(QUrl::fromLocalFile(*copy).toString());
}
