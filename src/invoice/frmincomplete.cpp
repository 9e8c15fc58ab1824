#include "invoice/frmincomplete.h"

#include "core/appstate.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "invoice/incompleteinvoices.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString ReportTitle = QStringLiteral("Incomplete Invoices Report");
const QString SureText = QStringLiteral("Are You Sure?");
const QString SureTitle = QStringLiteral("Purge Confirmation");

} // namespace

frmIncomplete::frmIncomplete(IncompleteInvoices &list, InvoiceDocument &invoice,
                             ApplicationState &state, Prompts &prompts, Navigator &navigator,
                             const Clock &clock, PrintReport printReport, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_list(list), m_invoice(invoice),
      m_state(state), m_prompts(prompts), m_navigator(navigator), m_clock(clock),
      m_printReport(std::move(printReport))
{
    setObjectName(QStringLiteral("frmIncomplete"));
    setWindowTitle(QStringLiteral("Partial Invoices"));

    fgIncomplete = new QTableWidget(0, 4, this);
    fgIncomplete->setObjectName(QStringLiteral("fgIncomplete"));
    fgIncomplete->setToolTip(QStringLiteral("Displays a list of all Partial Invoices"));
    fgIncomplete->setAccessibleName(QStringLiteral("Partial invoices"));
    fgIncomplete->setHorizontalHeaderLabels({QStringLiteral("Invoice No"),
                                             QStringLiteral("Account Number"),
                                             QStringLiteral("Account Name"),
                                             QStringLiteral("Last Modified Date")});
    fgIncomplete->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgIncomplete->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgIncomplete->setSelectionMode(QAbstractItemView::SingleSelection);
    fgIncomplete->setTabKeyNavigation(false);
    fgIncomplete->setWordWrap(false);
    fgIncomplete->verticalHeader()->setVisible(false);
    fgIncomplete->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    fgIncomplete->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    const int charWidth = fgIncomplete->fontMetrics().averageCharWidth();
    // Wide enough for the heading and for a value of its kind.
    const QFontMetrics heading(fgIncomplete->horizontalHeader()->font());
    for (int column : {0, 1, 3}) {
        const int text = heading.horizontalAdvance(
            fgIncomplete->horizontalHeaderItem(column)->text());
        fgIncomplete->setColumnWidth(column, std::max(text + 3 * charWidth, charWidth * 16));
    }
    fgIncomplete->setMinimumWidth(charWidth * 100);

    lblInstruction = new QLabel(QStringLiteral("Click an Invoice to Select it, then click"), this);
    lblInstruction->setObjectName(QStringLiteral("lblInstruction"));

    const std::array<std::pair<QString, QString>, ButtonCount> captions{{
        {QStringLiteral("&Menu"), QStringLiteral("Return to Main Menu")},
        {QStringLiteral("&Add to Selected Invoice"), QStringLiteral("Add items to the Selected Invoice")},
        {QStringLiteral("&Purge All Invoices"), QStringLiteral("Deletes all Partial Invoices")},
        {QStringLiteral("&Purge Selected Invoice"), QStringLiteral("Deletes the Selected Invoice")},
    }};
    for (int i = 0; i < ButtonCount; ++i) {
        Command1[i] = new QPushButton(captions[i].first, this);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Command1[i]->setToolTip(captions[i].second);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Command1[3]->setEnabled(false);
    cmdReport = new QPushButton(QStringLiteral("Print Partial Invoice &Report"), this);
    cmdReport->setObjectName(QStringLiteral("cmdReport"));
    cmdReport->setToolTip(QStringLiteral("Prints a Report of all Partial Invoices"));
    connect(cmdReport, &QPushButton::clicked, this, &frmIncomplete::cmdReport_Click);

    connect(fgIncomplete, &QTableWidget::cellClicked, this, &frmIncomplete::fgIncomplete_Click);
    connect(fgIncomplete, &QTableWidget::cellDoubleClicked, this, [this] { Command1_Click(1); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblInstruction);
    buttons->addWidget(Command1[1]);
    buttons->addWidget(Command1[3]);
    buttons->addWidget(Command1[2]);
    buttons->addWidget(cmdReport);
    buttons->addStretch();
    buttons->addWidget(Command1[0]);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fgIncomplete, 1);
    layout->addLayout(buttons);
    setTabOrder(fgIncomplete, Command1[1]);
    setTabOrder(Command1[1], Command1[3]);
    setTabOrder(Command1[3], Command1[2]);
    setTabOrder(Command1[2], cmdReport);
    setTabOrder(cmdReport, Command1[0]);

    restoreGeometryFromSettings();
    connect(&m_list, &IncompleteInvoices::changed, this, &frmIncomplete::refreshGrid);
    refreshGrid();
}

void frmIncomplete::Form_Activate()
{
    refreshGrid();
    fgIncomplete->setFocus(Qt::OtherFocusReason);
}

void frmIncomplete::refreshGrid()
{
    const auto &rows = m_list.rows();
    fgIncomplete->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows[r].cells();
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            fgIncomplete->setItem(r, c, item);
        }
    }
    if (rows.isEmpty()) {
        hide();
        return;
    }
    fgIncomplete->setCurrentCell(0, 0);
    fgIncomplete->selectRow(0);
}

int frmIncomplete::selectedRow() const
{
    const int row = fgIncomplete->currentRow();
    return row >= 0 && row < m_list.IncompleteCount() ? row : -1;
}

void frmIncomplete::fgIncomplete_Click()
{
    Command1[3]->setEnabled(true);
    Command1[1]->setFocus(Qt::OtherFocusReason);
}

void frmIncomplete::Command1_Click(int index)
{
    const int row = selectedRow();
    switch (index) {
    case 0:
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    case 1: {
        if (row < 0)
            return;
        // Nothing is loaded while there is no invoice screen to finish it on.
        if (!m_navigator.hasScreen(Navigator::Target::Invoice)) {
            m_prompts.tell(QStringLiteral("The Invoice Screen is not available."),
                           QStringLiteral("Partial Invoice Not Loaded"));
            return;
        }
        const QString number = m_list.rows()[row].number;
        if (const auto failed = m_list.resume(row, m_invoice, m_state, m_clock.today())) {
            m_prompts.tell(*failed, QStringLiteral("Partial Invoice Not Loaded"));
            if (m_list.IncompleteCount() == 0)
                m_navigator.show(Navigator::Target::MainMenu, this);
            return;
        }
        m_prompts.tell(QStringList{QStringLiteral("Partial Invoice Number ") + number,
                                   QStringLiteral("has been loaded into the Invoice Screen."),
                                   QString(), QStringLiteral("Click OK"), QString(),
                                   QStringLiteral("The Invoice Screen will display."), QString(),
                                   QStringLiteral("Click the [Add To......] Button")}
                           .join(QStringLiteral("\r\n")),
                       QStringLiteral("Partial Invoice Loaded"));
        if (!m_navigator.show(Navigator::Target::Invoice, this))
            m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    }
    case 2:
        if (!m_prompts.askToDestroy(QStringLiteral("This will Purge ALL Incomplete Invoices"),
                           QStringLiteral("Purge Incomplete Invoices")) ||
            !m_prompts.askToDestroy(SureText, SureTitle))
            return;
        m_list.purgeAll();
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    case 3: {
        Command1[3]->setEnabled(false);
        if (row < 0)
            return;
        if (!m_prompts.askToDestroy(QStringLiteral("This will Purge Incomplete Invoice# ") +
                               m_list.rows()[row].number,
                           QStringLiteral("Purge Incomplete Invoice")) ||
            !m_prompts.askToDestroy(SureText, SureTitle))
            return;
        m_list.purge(row);
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    }
    default:
        return;
    }
}

void frmIncomplete::cmdReport_Click()
{
    QList<QStringList> rows;
    for (const auto &row : m_list.rows())
        rows.append(row.cells());
    if (m_printReport)
        m_printReport(ReportTitle, rows);
}
