#include "records/frmreprint.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "printing/invoicepdf.h"
#include "printing/page.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "records/reportcsv.h"
#include "records/texttablemodel.h"
#include "setup/businesssettings.h"
#include "ui/desktop.h"
#include "ui/navigator.h"
#include "ui/busywork.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using records::CompletedInvoiceRow;

namespace {

const QString NotPrinted = QStringLiteral("The Document will not be Printed");
const QString PrintError = QStringLiteral("A Print Error has occurred");
const QString PrintErrorTitle = QStringLiteral("Print Error");

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QString &tip)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

QLabel *valueLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTableView *makeGrid(QWidget *parent, const QString &name, records::TextTableModel *model,
                     const QString &tip)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setToolTip(tip);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->setTabKeyNavigation(false);
    return grid;
}

} // namespace

frmReprint::frmReprint(BusinessSettings &settings, DataFolder &data, Prompts &prompts,
                       Navigator &navigator, PageSource &pages, Printouts &printouts,
                       const Clock &clock, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_settings(settings), m_data(data),
      m_prompts(prompts), m_navigator(navigator), m_pages(pages), m_printouts(printouts),
      m_clock(clock), m_invoices(data)
{
    setObjectName(QStringLiteral("frmReprint"));
    setWindowTitle(QStringLiteral("Completed Invoices Details and Reprint Routine"));

    auto *menuBar = new QMenuBar(this);
    mnuSort = menuBar->addAction(QStringLiteral("Toggle Sort Column"));
    mnuSort->setObjectName(QStringLiteral("mnuSort"));
    connect(mnuSort, &QAction::triggered, this, &frmReprint::mnuSort_Click);

    m_listModel = new records::TextTableModel(
        {QStringLiteral("Invoice Number"), QStringLiteral("Account Number"),
         QStringLiteral("Account Name"), QStringLiteral("Invoice Date"), QStringLiteral("Amount"),
         QStringLiteral("Sort")},
        this);
    for (int column : {0, 1, 3, 4, 5})
        m_listModel->setAlignment(column, Qt::AlignCenter);
    fgReceivables = makeGrid(this, QStringLiteral("fgReceivables"), m_listModel,
                             QStringLiteral("Displays all Completed Invoices"));
    fgReceivables->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(fgReceivables, &QTableView::clicked, this,
            [this](const QModelIndex &index) { fgReceivables_Click(index.row()); });
    connect(fgReceivables, &QTableView::activated, this,
            [this](const QModelIndex &index) { fgReceivables_Click(index.row()); });
    lblClick = new QLabel(QStringLiteral("Click on an Account to View the Invoice"), this);
    lblClick->setBuddy(fgReceivables);

    // The detail frame.
    fraInvoice = new QGroupBox(this);
    fraInvoice->setObjectName(QStringLiteral("fraInvoice"));
    auto *detail = new QGridLayout(fraInvoice);
    auto *billBox = new QVBoxLayout;
    billBox->addWidget(new QLabel(QStringLiteral("Billed to"), fraInvoice));
    auto *shipBox = new QVBoxLayout;
    shipBox->addWidget(new QLabel(QStringLiteral("Shipped  to"), fraInvoice));
    for (int k = 0; k < 6; ++k) {
        lblBillTo[k] = valueLabel(fraInvoice, QStringLiteral("lblBillTo_%1").arg(k));
        lblShipTo[k] = valueLabel(fraInvoice, QStringLiteral("lblShipTo_%1").arg(k));
        billBox->addWidget(lblBillTo[k]);
        shipBox->addWidget(lblShipTo[k]);
    }
    detail->addLayout(billBox, 0, 0);
    detail->addLayout(shipBox, 0, 1);

    auto *facts = new QGridLayout;
    const auto fact = [&](int row, const QString &caption, const QString &name) {
        auto *label = new QLabel(caption, fraInvoice);
        QLabel *value = valueLabel(fraInvoice, name);
        label->setBuddy(value);
        facts->addWidget(label, row, 0);
        facts->addWidget(value, row, 1);
        return value;
    };
    lblInvoiceNo = fact(0, QStringLiteral("Invoice No"), QStringLiteral("Label1_27"));
    lblAccountNo = fact(1, QStringLiteral("Account Number"), QStringLiteral("Label1_17"));
    lblReference = fact(2, QStringLiteral("Reference or PO #"), QStringLiteral("Label1_9"));
    lblCreationDate = fact(3, QStringLiteral("Creation Date"), QStringLiteral("Label1_19"));
    lblShipVia = fact(4, QStringLiteral("Ship Via"), QStringLiteral("Label1_32"));
    lblShipDate = fact(5, QStringLiteral("Date"), QStringLiteral("Label1_33"));
    auto *attnLabel = new QLabel(QStringLiteral("To the Attn of:"), fraInvoice);
    txtAttn = new QLineEdit(fraInvoice);
    txtAttn->setObjectName(QStringLiteral("txtAttn"));
    txtAttn->setReadOnly(true);
    attnLabel->setBuddy(txtAttn);
    facts->addWidget(attnLabel, 6, 0);
    facts->addWidget(txtAttn, 6, 1);
    detail->addLayout(facts, 0, 2);

    m_itemsModel = new records::TextTableModel(
        {QStringLiteral("Units"), QStringLiteral("Description"), QStringLiteral("Date"),
         QStringLiteral("Unit Cost"), QStringLiteral("Extension")},
        this);
    for (int column : {0, 2, 3, 4})
        m_itemsModel->setAlignment(column, Qt::AlignCenter);
    fgItems = makeGrid(fraInvoice, QStringLiteral("fgItems"), m_itemsModel,
                       QStringLiteral("Body of the Selected Invoice"));
    fgItems->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    detail->addWidget(fgItems, 1, 0, 1, 3);

    auto *totals = new QGridLayout;
    lblTaxHeading1 = new QLabel(fraInvoice);
    lblTaxHeading1->setObjectName(QStringLiteral("Label1_1"));
    lblTaxHeading2 = new QLabel(fraInvoice);
    lblTaxHeading2->setObjectName(QStringLiteral("Label1_22"));
    const std::pair<int, QLabel *> totalRows[] = {
        {0, new QLabel(QStringLiteral("Item Sub Total"), fraInvoice)},
        {1, lblTaxHeading1},
        {9, lblTaxHeading2},
        {2, new QLabel(QStringLiteral("Invoice Grand Total"), fraInvoice)},
        {4, new QLabel(QStringLiteral("Shipping Charge"), fraInvoice)},
        {5, new QLabel(QStringLiteral("Handling"), fraInvoice)},
        {6, new QLabel(QStringLiteral("Discount Offered"), fraInvoice)}};
    int totalRow = 0;
    for (const auto &[index, caption] : totalRows) {
        lblInvoice[index] = valueLabel(fraInvoice, QStringLiteral("lblInvoice_%1").arg(index));
        lblInvoice[index]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caption->setBuddy(lblInvoice[index]);
        totals->addWidget(caption, totalRow, 0);
        totals->addWidget(lblInvoice[index], totalRow, 1);
        ++totalRow;
    }
    detail->addLayout(totals, 2, 2);

    auto *memoBox = new QVBoxLayout;
    txtMemo = new QLineEdit(fraInvoice);
    txtMemo->setObjectName(QStringLiteral("txtMemo"));
    txtMemo->setToolTip(QStringLiteral("Typically displays Stored Memo"));
    txtMemo->setAccessibleName(QStringLiteral("Memo"));
    memoBox->addWidget(txtMemo);
    auto *memoWarning =
        new QLabel(QStringLiteral("The Memo can change This may not be the Original Memo"), fraInvoice);
    memoWarning->setWordWrap(true);
    memoBox->addWidget(memoWarning);
    cmdPrint = makeButton(fraInvoice, QStringLiteral("cmdPrint"), QStringLiteral("&RePrint"),
                          QStringLiteral("Prints a copy of this Invoice"));
    cmdHide = makeButton(fraInvoice, QStringLiteral("cmdHide"), QStringLiteral("Re-&Select"),
                         QStringLiteral("Displays the Invoice Selection Grid"));
    cmdMemo = makeButton(fraInvoice, QStringLiteral("cmdMemo"), QStringLiteral("Clear&M&emo"),
                         QStringLiteral("Clears the Memo Box"));
    cmdSavePdf = makeButton(fraInvoice, QStringLiteral("cmdSavePdf"), QStringLiteral("Save as PDF"),
                            QStringLiteral("Keeps this Invoice as a PDF file"));
    cmdEmail = makeButton(fraInvoice, QStringLiteral("cmdEmail"), QStringLiteral("E-mail Invoice"),
                          QStringLiteral("Hands this Invoice to the Mail Program"));
    cmdSavePdf->hide();
    cmdEmail->hide();
    auto *detailButtons = new QHBoxLayout;
    detailButtons->addWidget(cmdPrint);
    detailButtons->addWidget(cmdMemo);
    detailButtons->addWidget(cmdHide);
    detailButtons->addWidget(cmdSavePdf);
    detailButtons->addWidget(cmdEmail);
    memoBox->addLayout(detailButtons);
    detail->addLayout(memoBox, 2, 0, 1, 2);
    fraInvoice->hide();

    // The list's own commands.
    cmdExit = makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("&Menu"),
                         QStringLiteral("Returns ro Main Menu"));
    cmdReport = makeButton(this, QStringLiteral("cmdReport"), QStringLiteral("Print&Report"),
                           QStringLiteral("Prints all Invoices in Summary Report"));
    cmdKill = makeButton(this, QStringLiteral("cmdKill"), QStringLiteral("Delete"),
                         QStringLiteral("Deletes all Invoices created before the above date"));
    cmdExportCsv = makeButton(this, QStringLiteral("cmdExportCsv"), ui::ExportCsvCaption,
                              QStringLiteral("Saves the Invoice List as a CSV file for a Spreadsheet"));
    cmdExportCsv->hide();
    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setCalendarPopup(true);
    auto *pickerLabel = new QLabel(QStringLiteral("Invoices prior to this date will be deleted"), this);
    pickerLabel->setBuddy(DTPicker1);
    connect(DTPicker1, &QDateEdit::editingFinished, this, &frmReprint::DTPicker1_Change);
    connect(DTPicker1->calendarWidget(), &QCalendarWidget::clicked, this, &frmReprint::DTPicker1_Change);

    fraSort = new QGroupBox(QStringLiteral("Sort Option"), this);
    fraSort->setObjectName(QStringLiteral("fraSort"));
    auto *sortLayout = new QGridLayout(fraSort);
    sortLayout->addWidget(new QLabel(QStringLiteral("Select Sort by Column"), fraSort), 0, 0, 1, 2);
    auto *columns = new QButtonGroup(fraSort);
    const QString colCaptions[] = {QStringLiteral("Invoice Number"), QStringLiteral("Invoice Date"),
                                   QStringLiteral("Account Name")};
    for (int k = 0; k < 3; ++k) {
        optCol[k] = new QRadioButton(colCaptions[k], fraSort);
        optCol[k]->setObjectName(QStringLiteral("optCol_%1").arg(k));
        columns->addButton(optCol[k]);
        sortLayout->addWidget(optCol[k], 1 + k, 0);
    }
    auto *orders = new QButtonGroup(fraSort);
    const QString sortCaptions[] = {QStringLiteral("Asending Order"), QStringLiteral("Desending Order")};
    for (int k = 0; k < 2; ++k) {
        optSort[k] = new QRadioButton(sortCaptions[k], fraSort);
        optSort[k]->setObjectName(QStringLiteral("optSort_%1").arg(k));
        orders->addButton(optSort[k]);
        sortLayout->addWidget(optSort[k], 1 + k, 1);
    }
    cmdMode = makeButton(fraSort, QStringLiteral("cmdMode"), QStringLiteral("Sort Grid"),
                         QStringLiteral("Resorts the Grid"));
    sortLayout->addWidget(cmdMode, 4, 0, 1, 2);
    fraSort->hide();

    connect(cmdExit, &QPushButton::clicked, this, &frmReprint::cmdExit_Click);
    connect(cmdHide, &QPushButton::clicked, this, &frmReprint::cmdHide_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmReprint::cmdPrint_Click);
    connect(cmdMemo, &QPushButton::clicked, this, &frmReprint::cmdMemo_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmReprint::cmdReport_Click);
    connect(cmdKill, &QPushButton::clicked, this, &frmReprint::cmdKill_Click);
    connect(cmdMode, &QPushButton::clicked, this, &frmReprint::cmdMode_Click);
    connect(cmdSavePdf, &QPushButton::clicked, this, &frmReprint::cmdSavePdf_Click);
    connect(cmdEmail, &QPushButton::clicked, this, &frmReprint::cmdEmail_Click);
    connect(cmdExportCsv, &QPushButton::clicked, this, &frmReprint::cmdExportCsv_Click);

    auto *side = new QVBoxLayout;
    side->addWidget(pickerLabel);
    side->addWidget(DTPicker1);
    side->addWidget(cmdKill);
    side->addSpacing(12);
    auto *reportRow = new QHBoxLayout;
    reportRow->addWidget(cmdReport);
    reportRow->addWidget(cmdExportCsv);
    side->addLayout(reportRow);
    side->addWidget(fraSort);
    side->addStretch();
    side->addWidget(cmdExit);
    auto *main = new QVBoxLayout;
    main->addWidget(fgReceivables, 1);
    main->addWidget(lblClick);
    main->addWidget(fraInvoice, 1);
    auto *body = new QHBoxLayout;
    body->addLayout(main, 1);
    body->addLayout(side);
    auto *outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar);
    outer->addLayout(body);
    resize(1000, 640);

    restoreGeometryFromSettings();
}

frmReprint::~frmReprint() = default;

void frmReprint::Form_Activate()
{
    m_pickerDate = m_clock.today().addDays(1);
    DTPicker1->setDate(m_pickerDate);
    // Only the start: a damaged settings file must not stretch the window.
    lblTaxHeading1->setText(m_settings.taxes().heading1.left(40));
    lblTaxHeading2->setText(m_settings.taxes().heading2.left(40));
    const bool usa = m_settings.usaStyle();
    lblBillTo[5]->setVisible(usa);
    lblShipTo[5]->setVisible(usa);
    txtMemo->clear();
    cmdHide_Click();
    fraSort->hide();
    FillList();
}

void frmReprint::FillList()
{
    const records::CompletedInvoiceListing listing = runBusyFor(
        this, QStringLiteral("Reading Invoice Images..."), [this] { return m_invoices.list(); });
    m_list = listing.rows;
    showRows();
    if (!listing.unreadable.isEmpty()) {
        m_prompts.tell(QStringLiteral("These Invoice Images could not be read and are not listed:\r\n") +
                           listing.unreadable.mid(0, 10).join(QStringLiteral("\r\n")),
                       QStringLiteral("Completed Invoices"));
    }
    if (m_list.isEmpty()) {
        m_prompts.tell(QStringLiteral("No Completed Invoices Exist"));
        cmdExit_Click();
    }
}

void frmReprint::showRows()
{
    QList<QStringList> rows;
    rows.reserve(m_list.size());
    for (const CompletedInvoiceRow &row : m_list)
        rows.append(row.cells);
    m_listModel->setRows(std::move(rows));
}

void frmReprint::fgReceivables_Click(int row)
{
    if (row < 0 || row >= m_list.size())
        return;
    const CompletedInvoiceRow &chosen = m_list.at(row);
    m_shown = m_invoices.image(chosen);
    if (!m_shown) {
        m_prompts.tell(QStringLiteral("An Image does not exist for this Transaction\r\n"
                                      "It most likely is a result of\r\n"
                                      "a Service Attention Completion Posting\r\n"
                                      "or an E-Funds Received\r\n"
                                      "Shown for Reference Only"),
                       QStringLiteral("Invoice Image Not Found"));
        return;
    }
    const posting::CompletedInvoiceImage &image = *m_shown;
    m_shownDate = chosen.cells.value(CompletedInvoiceRow::Date);
    m_shownDay = chosen.date;
    lblCreationDate->setText(m_shownDate);
    for (int k = 0; k < 6; ++k) {
        lblBillTo[k]->setText(image.billTo[k]);
        lblShipTo[k]->setText(image.shipTo[k]);
    }
    lblShipVia->setText(image.shipVia);
    lblShipDate->setText(image.shipDate);
    lblInvoiceNo->setText(image.invoiceNumber);
    lblAccountNo->setText(image.accountNumber);
    lblReference->setText(image.reference);
    txtAttn->setText(image.attention);
    QList<QStringList> items;
    for (const InvoiceLine &line : image.lines)
        items.append({line[InvoiceLine::Units], line[InvoiceLine::Description],
                      line[InvoiceLine::Date], line[InvoiceLine::Price], line[InvoiceLine::Amount]});
    m_itemsModel->setRows(std::move(items));
    using Field = posting::CompletedInvoiceImage::TotalsField;
    const std::pair<int, Field> totals[] = {{0, Field::SubTotal}, {1, Field::Tax},
                                            {9, Field::Tax2},     {2, Field::GrandTotal},
                                            {4, Field::Shipping}, {5, Field::Handling},
                                            {6, Field::Discount}};
    for (const auto &[index, field] : totals)
        lblInvoice[index]->setText(records::amountShown(image.totals[field]));
    fraInvoice->setTitle(QStringLiteral("Details for Invoice ") +
                         chosen.cells.value(CompletedInvoiceRow::Number));
    fgReceivables->hide();
    lblClick->hide();
    fraInvoice->show();
    mnuSort->setEnabled(false);
    fraSort->hide();
}

void frmReprint::cmdExit_Click()
{
    m_navigator.show(Navigator::Target::MainMenu, this);
}

void frmReprint::cmdHide_Click()
{
    fgReceivables->show();
    lblClick->show();
    fraInvoice->hide();
    mnuSort->setEnabled(true);
}

void frmReprint::cmdPrint_Click()
{
    if (!m_shown)
        return;
    if (!txtMemo->text().isEmpty() && !m_invoices.storeMemo(txtMemo->text()))
        m_prompts.tell(QStringLiteral("The Memo could not be Stored"));
    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(NotPrinted);
        return;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return;
    }
    m_printouts.PrintInvoice(*opened.page, m_settings.printSettings(), shownPrintout());
}

InvoicePrintout frmReprint::shownPrintout() const
{
    return records::reprintOf(*m_shown, m_shownDate, m_settings.usaStyle(), m_clock.today(),
                              m_data.FileIsPresent(records::InvoiceMemoFile),
                              {m_settings.taxes().heading1, m_settings.taxes().heading2});
}

void frmReprint::setDesktop(Desktop &desktop)
{
    m_desktop = &desktop;
    cmdSavePdf->show();
    cmdEmail->show();
    cmdExportCsv->show();
}

void frmReprint::cmdSavePdf_Click()
{
    if (!m_shown)
        return;
    InvoiceHandOff(m_data, m_printouts, m_prompts, m_desktop)
        .saveAsPdf(m_settings.printSettings(), shownPrintout(), m_shownDay);
}

void frmReprint::cmdEmail_Click()
{
    if (!m_shown)
        return;
    InvoiceHandOff(m_data, m_printouts, m_prompts, m_desktop)
        .emailInvoice(m_settings.printSettings(), shownPrintout(), m_shownDay);
}

void frmReprint::cmdExportCsv_Click()
{
    if (m_desktop)
        ui::exportCsv(this, *m_desktop, m_prompts, QStringLiteral("CompletedInvoices.csv"),
                      records::completedInvoicesCsv(m_list));
}

void frmReprint::cmdMemo_Click()
{
    txtMemo->clear();
    m_invoices.clearMemo();
}

void frmReprint::cmdReport_Click()
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
    opened.page.reset();
    QList<QStringList> rows;
    rows.reserve(m_list.size());
    for (const CompletedInvoiceRow &row : m_list)
        rows.append(row.cells.mid(0, 5));
    m_printouts.PrintGridReport(m_settings.printSettings(), QStringLiteral("Invoices Report"), rows);
}

void frmReprint::cmdKill_Click()
{
    const QDate day = DTPicker1->date();
    if (!m_prompts.askToDestroy(QStringLiteral("This will Delete All Invoices before ") + regional::shortDate(day),
                       QStringLiteral("Delete Invoice Records")))
        return;
    runBusy(this, QStringLiteral("Deleting Invoices..."), [&] { m_invoices.deleteBefore(m_list, day); });
    cmdExit_Click();
}

void frmReprint::mnuSort_Click()
{
    fraSort->show();
}

void frmReprint::cmdMode_Click()
{
    // The column is chosen first, then the order; without an order nothing re-sorts.
    for (int k = 0; k < 3; ++k) {
        if (optCol[k]->isChecked())
            m_sortColumn = records::SortColumn(k);
    }
    const int order = optSort[0]->isChecked() ? 0 : optSort[1]->isChecked() ? 1 : -1;
    if (order >= 0) {
        m_list = records::sortedRows(m_list, m_sortColumn,
                                     order == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
        showRows();
    }
    fraSort->hide();
}

void frmReprint::DTPicker1_Change()
{
    const QDate picked = DTPicker1->date();
    if (picked == m_pickerDate)
        return;
    const QDate today = m_clock.today();
    m_pickerDate = picked > today ? today : picked;
    if (picked > today)
        DTPicker1->setDate(today);
}
