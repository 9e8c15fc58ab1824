#include "records/frminvoicereport.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "printing/page.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"
#include "records/reportcsv.h"
#include "records/reportpickers.h"
#include "records/reportprints.h"
#include "records/texttablemodel.h"
#include "setup/businesssettings.h"
#include "ui/desktop.h"
#include "ui/widgets.h"
#include "ui/navigator.h"
#include "ui/busywork.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString PrintError = QStringLiteral("A Print Error has occurred");
const QString PrintErrorTitle = QStringLiteral("Print Error");

} // namespace

frmInvoiceReport::frmInvoiceReport(BusinessSettings &settings, DataFolder &data, Prompts &prompts,
                                   Navigator &navigator, PageSource &pages, const Clock &clock,
                                   QWidget *parent)
    : Screen(QStringLiteral("PelmorReports"), parent), m_settings(settings), m_data(data),
      m_prompts(prompts), m_navigator(navigator), m_pages(pages), m_clock(clock)
{
    setObjectName(QStringLiteral("frmInvoiceReport"));
    setWindowTitle(QStringLiteral("Invoice Report"));

    m_rows = new records::TextTableModel(
        {QStringLiteral("Invoice No"), QStringLiteral("Invoice Date"), QStringLiteral("Account No"),
         QStringLiteral("Account Name"), QStringLiteral("Sub-total"), QStringLiteral("Discount"),
         QStringLiteral("Tax"), QStringLiteral("Grand Total")},
        this);
    for (int column : {0, 1, 2})
        m_rows->setAlignment(column, Qt::AlignCenter);
    for (int column = 4; column < 8; ++column)
        m_rows->setAlignment(column, Qt::AlignRight);
    fgSales = new QTableView(this);
    fgSales->setObjectName(QStringLiteral("fgSales"));
    fgSales->setToolTip(QStringLiteral("Displays Invoice Details"));
    fgSales->setAccessibleName(QStringLiteral("Invoices"));
    fgSales->setModel(m_rows);
    fgSales->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgSales->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgSales->verticalHeader()->hide();
    fgSales->setTabKeyNavigation(false);
    fgSales->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);

    m_pickers = new ReportPickers(m_prompts, m_clock, this);
    auto *fraRange = new QGroupBox(QStringLiteral("Report Date Range"), this);
    auto *rangeLayout = new QGridLayout(fraRange);
    const QString pickerCaptions[] = {QStringLiteral("Start Date"), QStringLiteral("End Date")};
    for (int index = 0; index < 2; ++index) {
        auto *label = new QLabel(pickerCaptions[index], fraRange);
        label->setBuddy(m_pickers->DTPicker1[index]);
        rangeLayout->addWidget(label, 0, index);
        rangeLayout->addWidget(m_pickers->DTPicker1[index], 1, index);
    }

    const std::pair<const char *, const char *> presets[] = {
        {"&L M", "Generates a Report for last Month"},
        {"M&TD", "Generates a Report for this Month"},
        {"&YTD", "Generates a Report for Current Year"},
        {"&Eternity", "Generates a Report for Current Year"}};
    auto *presetLayout = new QHBoxLayout;
    for (int index = 0; index < 4; ++index) {
        auto *button = ui::arrayButton(QStringLiteral("cmdIncome"), index,
                                       QString::fromLatin1(presets[index].first),
                                       QString::fromLatin1(presets[index].second),
                                       [this](int i) { cmdIncome_Click(i); }, this);
        presetLayout->addWidget(button);
        cmdIncome[index] = button;
    }
    rangeLayout->addLayout(presetLayout, 2, 0, 1, 2);

    const std::pair<const char *, const char *> buttons[] = {
        {"&Menu", "Returns to Main Menu"},
        {"&Load Grid", "Loads the Grid with Invoice Data"},
        {"&Delete Records     (by Date Range)", "Deletes ALL Invoice Records"},
        {"&Print Report", "Prints an Invoice Report"},
        {"Delete &ALL Records", "Deletes ALL Invoice Records"}};
    for (int index = 0; index < 5; ++index) {
        cmdSales[index] = ui::arrayButton(QStringLiteral("cmdSales"), index,
                                          QString::fromLatin1(buttons[index].first),
                                          QString::fromLatin1(buttons[index].second),
                                          [this](int i) { cmdSales_Click(i); }, this);
    }

    cmdExportCsv = new QPushButton(ui::ExportCsvCaption, this);
    cmdExportCsv->setObjectName(QStringLiteral("cmdExportCsv"));
    cmdExportCsv->setToolTip(QStringLiteral("Saves the Grid and its Totals as a CSV file for a Spreadsheet"));
    cmdExportCsv->hide();
    connect(cmdExportCsv, &QPushButton::clicked, this, &frmInvoiceReport::cmdExportCsv_Click);

    auto *fraAccounts = new QGroupBox(QStringLiteral("Account Filter"), this);
    auto *accountLayout = new QVBoxLayout(fraAccounts);
    const std::pair<const char *, const char *> options[] = {
        {"Display All Accounts", "Search for All Accounts"},
        {"Display Single Account", "Search for a Single Account"}};
    for (int index = 0; index < 2; ++index) {
        auto *option = new QRadioButton(QString::fromLatin1(options[index].first), fraAccounts);
        option->setObjectName(QStringLiteral("optAcct_%1").arg(index));
        option->setToolTip(QString::fromLatin1(options[index].second));
        connect(option, &QRadioButton::clicked, this, [this, index] { optAcct_Click(index); });
        accountLayout->addWidget(option);
        optAcct[index] = option;
    }
    optAcct[0]->setChecked(true);
    cboAccounts = new QComboBox(fraAccounts);
    cboAccounts->setObjectName(QStringLiteral("cboAccounts"));
    cboAccounts->setAccessibleName(QStringLiteral("Account number"));
    cboAccounts->hide();
    accountLayout->addWidget(cboAccounts);

    auto *totals = new QGridLayout;
    const char *totalCaptions[] = {"Sub-total", "Discount", "Tax", "Grand Total"};
    for (int index = 0; index < 4; ++index) {
        auto *label = new QLabel(QString::fromLatin1(totalCaptions[index]), this);
        lblTotal[index] = new QLabel(QStringLiteral("$0.00"), this);
        lblTotal[index]->setObjectName(QStringLiteral("lblTotal_%1").arg(index));
        lblTotal[index]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(lblTotal[index]);
        totals->addWidget(label, 0, index);
        totals->addWidget(lblTotal[index], 1, index);
    }

    auto *top = new QHBoxLayout;
    top->addWidget(fraRange);
    top->addWidget(fraAccounts);
    auto *commands = new QVBoxLayout;
    for (int index : {1, 3, 2, 4, 0}) {
        if (index != 3) {
            commands->addWidget(cmdSales[index]);
            continue;
        }
        // Beside the print button, so the buttons below it keep their places.
        auto *printRow = new QHBoxLayout;
        printRow->addWidget(cmdSales[3]);
        printRow->addWidget(cmdExportCsv);
        commands->addLayout(printRow);
    }
    top->addLayout(commands);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(fgSales, 1);
    outer->addLayout(totals);
    resize(1000, 600);

    restoreGeometryFromSettings();
}

frmInvoiceReport::~frmInvoiceReport() = default;

void frmInvoiceReport::Form_Activate()
{
    m_pickers->setRange(records::monthToDate(m_clock.today()));
    LoadGrid();
    if (const std::optional<QStringList> accounts = records::customerAccounts(m_data)) {
        cboAccounts->clear();
        cboAccounts->addItems(*accounts);
    }
    cmdSales[2]->setEnabled(true);
}

void frmInvoiceReport::cmdIncome_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    m_rows->clear();
    m_pickers->setRange(records::presetRange(records::Preset(index), m_clock.today()));
    LoadGrid();
}

void frmInvoiceReport::optAcct_Click(int index)
{
    cboAccounts->setVisible(index == 1);
    if (index == 1 && cboAccounts->count() > 0)
        cboAccounts->setCurrentIndex(0);
}

void frmInvoiceReport::cmdSales_Click(int index)
{
    switch (index) {
    case 0:
        m_navigator.show(Navigator::Target::MainMenu, this);
        break;
    case 1:
        LoadGrid();
        break;
    case 2:
        DeleteRange();
        break;
    case 3:
        PrintReport();
        break;
    case 4:
        DeleteAll();
        break;
    default:
        break;
    }
}

void frmInvoiceReport::LoadGrid()
{
    const std::optional<QString> account =
        optAcct[1]->isChecked() ? std::optional<QString>(cboAccounts->currentText()) : std::nullopt;
    m_report = records::buildInvoiceReport(records::readJournal(m_data), m_pickers->range(), account);
    m_rows->setRows(m_report.rows);
    const Money totals[] = {m_report.subTotal, m_report.discount, m_report.tax, m_report.total};
    for (int index = 0; index < 4; ++index)
        lblTotal[index]->setText(regional::currencyText(totals[index]));
    cmdSales[3]->setFocus(Qt::OtherFocusReason);
}

void frmInvoiceReport::PrintReport()
{
    PageSource::Opened opened = m_pages.openDefault();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(QStringLiteral("The Document will not be Printed"));
        return;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return;
    }
    const PrintSettings settings = m_settings.printSettings();
    PrintEngine engine(*opened.page, settings, m_data);
    engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0);
    QStringList totals;
    for (const QLabel *label : lblTotal)
        totals.append(label->text());
    records::PrintGeneralSalesReport(engine, m_report, totals, m_pickers->range(), m_clock.today());
    if (!opened.page->endDocument())
        m_prompts.tell(PrintError, PrintErrorTitle);
}

void frmInvoiceReport::DeleteRange()
{
    if (!m_data.FileIsPresent(posting::SalesJournalFile))
        return;
    const records::DateRange range = m_pickers->range();
    if (!m_prompts.askToDestroy(QStringLiteral("This will delete all Sales Records \r\nfrom ") +
                           regional::shortDate(range.start) + QStringLiteral("to ") +
                           regional::shortDate(range.end),
                       QStringLiteral("Delete Sales Records")))
        return;
    if (!m_prompts.askToDestroy(QStringLiteral("Are you Sure?"), QStringLiteral("Delete Verification")))
        return;
    if (!runBusyFor(this, QStringLiteral("Deleting Records..."),
                    [&] { return records::deleteJournalRange(m_data, range); })) {
        m_prompts.tell(QStringLiteral("The Sales Records could not be Deleted.\r\nNo Record was changed."),
                       QStringLiteral("Delete Sales Records"));
        return;
    }
    Form_Activate();
}

void frmInvoiceReport::DeleteAll()
{
    if (!m_prompts.askToDestroy(QStringLiteral("This will delete all Sales Records "),
                       QStringLiteral("Delete ALL Sales Records")))
        return;
    runBusy(this, QStringLiteral("Deleting Records..."), [this] { records::deleteJournal(m_data); });
    m_rows->clear();
    m_navigator.show(Navigator::Target::MainMenu, this);
}

void frmInvoiceReport::setDesktop(Desktop &desktop)
{
    m_desktop = &desktop;
    cmdExportCsv->show();
}

void frmInvoiceReport::cmdExportCsv_Click()
{
    if (!m_desktop)
        return;
    QStringList totals;
    for (const QLabel *label : lblTotal)
        totals.append(label->text());
    ui::exportCsv(this, *m_desktop, m_prompts, QStringLiteral("InvoiceReport.csv"),
                  records::invoiceReportCsv(m_report, totals));
}
