#include "records/frmsalesreport.h"

#include "core/regional.h"

#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/prompts.h"
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

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString NotPrinted = QStringLiteral("The Document will not be Printed");
const QString PrintError = QStringLiteral("A Print Error has occurred");
const QString PrintErrorTitle = QStringLiteral("Print Error");

QTableView *makeGrid(QWidget *parent, const QString &name, records::TextTableModel *model)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setTabKeyNavigation(false);
    return grid;
}

} // namespace

frmSalesReport::frmSalesReport(Catalog &catalog, BusinessSettings &settings, DataFolder &data,
                               Prompts &prompts, Navigator &navigator, PageSource &pages,
                               const Clock &clock, QWidget *parent)
    : Screen(QStringLiteral("PelmorReports"), parent), m_catalog(catalog), m_settings(settings),
      m_data(data), m_prompts(prompts), m_navigator(navigator), m_pages(pages), m_clock(clock)
{
    setObjectName(QStringLiteral("frmSalesReport"));
    setWindowTitle(QStringLiteral("Item Sales Report"));

    auto *menuBar = new QMenuBar(this);
    mnuDelete = menuBar->addAction(QStringLiteral("Delete Records"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuInstructions = menuBar->addAction(QStringLiteral("Toggle Instructions"));
    mnuInstructions->setObjectName(QStringLiteral("mnuInstructions"));
    connect(mnuDelete, &QAction::triggered, this, &frmSalesReport::mnuDelete_Click);
    connect(mnuInstructions, &QAction::triggered, this, &frmSalesReport::mnuInstructions_Click);

    lstSalesItems = new QListWidget(this);
    lstSalesItems->setObjectName(QStringLiteral("lstSalesItems"));
    auto *lblProducts = new QLabel(QStringLiteral("Select the products to include in the Report"), this);
    lblProducts->setBuddy(lstSalesItems);

    m_rows = new records::TextTableModel(
        {QStringLiteral("Description"), QStringLiteral("Date"), QStringLiteral("Invoice Number"),
         QStringLiteral("Units Sold")},
        this);
    for (int column = 1; column < 4; ++column)
        m_rows->setAlignment(column, Qt::AlignCenter);
    m_totals = new records::TextTableModel(
        {QStringLiteral("Product Description"), QStringLiteral("Units Sold")}, this);
    m_totals->setAlignment(1, Qt::AlignCenter);
    fgSalesItems = makeGrid(this, QStringLiteral("fgSalesItems"), m_rows);
    fgTotals = makeGrid(this, QStringLiteral("fgTotals"), m_totals);
    auto *lblRows = new QLabel(QStringLiteral("Sales for Selected Products by Invoice"), this);
    lblRows->setBuddy(fgSalesItems);
    auto *lblTotals = new QLabel(QStringLiteral("Total Sales for Selected Products"), this);
    lblTotals->setBuddy(fgTotals);

    m_pickers = new ReportPickers(m_prompts, m_clock, this);
    m_pickers->limitEndToToday(true);
    auto *fraRange = new QGroupBox(QStringLiteral("Select a date Range for the Report"), this);
    auto *rangeLayout = new QGridLayout(fraRange);
    const QString pickerCaptions[] = {QStringLiteral("Starting"), QStringLiteral("Ending")};
    for (int index = 0; index < 2; ++index) {
        auto *label = new QLabel(pickerCaptions[index], fraRange);
        label->setBuddy(m_pickers->DTPicker1[index]);
        rangeLayout->addWidget(label, 0, index);
        rangeLayout->addWidget(m_pickers->DTPicker1[index], 1, index);
    }

    auto *fraPresets = new QGroupBox(QStringLiteral("Pre-sets"), this);
    auto *presetLayout = new QHBoxLayout(fraPresets);
    const std::pair<const char *, const char *> presets[] = {
        {"&L M", "Generates a Report for last Month"},
        {"M&TD", "Generates a Report for this Month"},
        {"&YTD", "Generates a Report for Current Year"},
        {"&Eternity", "Generates a Report for all time"}};
    for (int index = 0; index < 4; ++index) {
        auto *button = ui::arrayButton(QStringLiteral("cmdIncome"), index,
                                       QString::fromLatin1(presets[index].first),
                                       QString::fromLatin1(presets[index].second),
                                       [this](int i) { cmdIncome_Click(i); }, fraPresets);
        presetLayout->addWidget(button);
        cmdIncome[index] = button;
    }

    const char *captions[] = {"&Menu", "Select All Products", "Reset All Products", "Load &Grid",
                              "Print Report", "&Close Instructions Window"};
    for (int index = 0; index < 6; ++index) {
        cmdSales[index] = ui::arrayButton(QStringLiteral("cmdSales"), index,
                                          QString::fromLatin1(captions[index]), {},
                                          [this](int i) { cmdSales_Click(i); }, this);
    }
    cmdSales[4]->setEnabled(false);
    cmdExportCsv = new QPushButton(ui::ExportCsvCaption, this);
    cmdExportCsv->setObjectName(QStringLiteral("cmdExportCsv"));
    cmdExportCsv->setToolTip(QStringLiteral("Saves both Grids as a CSV file for a Spreadsheet"));
    cmdExportCsv->hide();
    connect(cmdExportCsv, &QPushButton::clicked, this, &frmSalesReport::cmdExportCsv_Click);

    fraInstructions = new QGroupBox(QStringLiteral("Instructions"), this);
    fraInstructions->setObjectName(QStringLiteral("fraInstructions"));
    auto *instructions = new QVBoxLayout(fraInstructions);
    const char *texts[] = {
        "Select a date Range for the Report.  If you enter a Starting Date and Ending Date via "
        "the Calendars, Click Load Grid. You can Select and Load Last Month, Month to Date, Year "
        "to Date or Eternity by clicking a Button. The Grid will load automitically.",
        "Tick each Item in the upper left window you wish to include in the Report",
        "You can Select All or Reset All products for inclusion in the report by clicking the "
        "buttons below the window.",
        "The lower left window will display the Total Count of each Selected product for the "
        "date range selected",
        "The window on the right will show sales of each selected product by invoice for the "
        "date range selected",
        "Click Print Report to print a Report of all selected products by date range.",
        "Reset All"};
    for (const char *text : texts) {
        auto *label = new QLabel(QString::fromLatin1(text), fraInstructions);
        label->setWordWrap(true);
        instructions->addWidget(label);
    }
    instructions->addWidget(cmdSales[5]);
    fraInstructions->hide();

    auto *left = new QVBoxLayout;
    left->addWidget(lblProducts);
    left->addWidget(lstSalesItems, 2);
    auto *tickButtons = new QHBoxLayout;
    tickButtons->addWidget(cmdSales[1]);
    tickButtons->addWidget(cmdSales[2]);
    left->addLayout(tickButtons);
    left->addWidget(lblTotals);
    left->addWidget(fgTotals, 2);

    auto *right = new QVBoxLayout;
    auto *top = new QHBoxLayout;
    top->addWidget(fraRange);
    top->addWidget(fraPresets);
    right->addLayout(top);
    right->addWidget(lblRows);
    right->addWidget(fgSalesItems, 3);
    right->addWidget(fraInstructions);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSales[3]);
    buttons->addWidget(cmdSales[4]);
    buttons->addWidget(cmdExportCsv);
    buttons->addStretch();
    buttons->addWidget(cmdSales[0]);
    right->addLayout(buttons);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(right, 3);
    auto *outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar);
    outer->addLayout(body);
    resize(980, 620);

    // Form_Load
    restoreGeometryFromSettings();
    const QDate today = m_clock.today();
    m_pickers->setRange({QDate(today.year(), today.month(), 1), today});
    fillProducts();
    connect(&m_catalog, &Catalog::reloaded, this, [this](CatalogKind kind) {
        if (kind != CatalogKind::Services)
            fillProducts();
    });
}

frmSalesReport::~frmSalesReport() = default;

void frmSalesReport::fillProducts()
{
    // Ticks survive a reload for the names still listed.
    const QStringList ticked = tickedProducts();
    lstSalesItems->clear();
    for (const QString &name : records::productNames(m_catalog)) {
        auto *item = new QListWidgetItem(name, lstSalesItems);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(ticked.contains(name) ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList frmSalesReport::tickedProducts() const
{
    QStringList ticked;
    for (int row = 0; row < lstSalesItems->count(); ++row) {
        const QListWidgetItem *item = lstSalesItems->item(row);
        if (item->checkState() == Qt::Checked)
            ticked.append(item->text());
    }
    return ticked;
}

void frmSalesReport::setTicks(bool ticked)
{
    for (int row = 0; row < lstSalesItems->count(); ++row)
        lstSalesItems->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void frmSalesReport::clearGrids()
{
    m_report = {};
    m_rows->clear();
    m_totals->clear();
}

void frmSalesReport::Form_Activate()
{
    setWindowTitle(QStringLiteral("Item Sales Report for ") + m_settings.profileField(0));
    m_pickers->setRange(records::lastThirtyDays(m_clock.today()));
    LoadGrid();
}

void frmSalesReport::cmdIncome_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    m_pickers->setRange(records::presetRange(records::Preset(index), m_clock.today()));
    LoadGrid();
}

void frmSalesReport::cmdSales_Click(int index)
{
    switch (index) {
    case 0:
        m_navigator.show(Navigator::Target::MainMenu, this);
        break;
    case 1:
        setTicks(true);
        break;
    case 2:
        setTicks(false);
        clearGrids();
        break;
    case 3:
        LoadGrid();
        break;
    case 4:
        PrintReport();
        break;
    default:
        break;
    }
}

void frmSalesReport::LoadGrid()
{
    const QStringList ticked = tickedProducts();
    if (ticked.isEmpty())
        return;
    const std::optional<QList<posting::SoldItemRecord>> sold = records::readSoldItems(m_data);
    if (!sold) {
        m_prompts.tell(QStringLiteral("No Items Found"));
        return;
    }
    m_report = records::buildSalesReport(*sold, ticked, m_pickers->range());
    m_rows->setRows(m_report.rows);
    m_totals->setRows(m_report.totals);
    if (!m_report.rows.isEmpty())
        cmdSales[4]->setEnabled(true);
}

void frmSalesReport::PrintReport()
{
    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(NotPrinted);
        return;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return;
    }
    const PrintSettings settings = m_settings.printSettings();
    PrintEngine engine(*opened.page, settings, m_data);
    engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0);
    records::PrintItemSalesReport(engine, m_report, m_pickers->range(), m_clock.today());
    if (!opened.page->endDocument())
        m_prompts.tell(PrintError, PrintErrorTitle);
    cmdSales[4]->setEnabled(false);
}

void frmSalesReport::mnuDelete_Click()
{
    const records::DateRange range = m_pickers->range();
    if (!m_prompts.askToDestroy(QStringLiteral("This will delete ALL Sales Item Records dated\r\n") +
                           regional::shortDate(range.start) + QStringLiteral(" through ") +
                           regional::shortDate(range.end) + QStringLiteral("\r\nClick Yes to Delete"),
                       QStringLiteral("Delete Sales Records")))
        return;
    if (!m_prompts.askToDestroy(QStringLiteral("Are you Sure?"), QStringLiteral("Delete Verification")))
        return;
    const records::DeleteOutcome outcome = runBusyFor(
        this, QStringLiteral("Deleting Records..."), [&] { return records::deleteSoldItems(m_data, range); });
    if (!outcome.done) {
        m_prompts.tell(QStringLiteral("The Sales Records could not be Deleted.\r\nNo Record was changed."),
                       QStringLiteral("Delete Sales Records"));
        return;
    }
    if (outcome.kept == 0) {
        clearGrids();
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    }
    Form_Activate();
}

void frmSalesReport::mnuInstructions_Click()
{
    fraInstructions->setVisible(!fraInstructions->isVisible());
}

void frmSalesReport::setDesktop(Desktop &desktop)
{
    m_desktop = &desktop;
    cmdExportCsv->show();
}

void frmSalesReport::cmdExportCsv_Click()
{
    if (m_desktop)
        ui::exportCsv(this, *m_desktop, m_prompts, QStringLiteral("ItemSalesReport.csv"),
                      records::salesReportCsv(m_report));
}
