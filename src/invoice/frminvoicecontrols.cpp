#include "invoice/frminvoicecontrols.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "posting/invoicetotals.h"

namespace {

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

QPushButton *button(const QString &name, const QString &caption, const QString &toolTip = {})
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setToolTip(toolTip);
    b->setAccessibleName(withoutMnemonic(caption).trimmed());
    b->setAutoDefault(false);
    return b;
}

QLineEdit *box(const QString &name, const QString &accessible, bool readOnly = false)
{
    auto *b = new QLineEdit;
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    b->setReadOnly(readOnly);
    return b;
}

QLabel *label(const QString &text, QWidget *buddy = nullptr, const QString &name = {})
{
    auto *l = new QLabel(text);
    // Labels filled later from files (names, headings) may hold texts of any length:
    // a fixed minimum keeps such a text from sizing the window.
    if (text.isEmpty())
        l->setMinimumWidth(90);
    if (!name.isEmpty())
        l->setObjectName(name);
    if (buddy) {
        l->setBuddy(buddy);
        buddy->setAccessibleName(withoutMnemonic(text).trimmed());
    }
    return l;
}

QGroupBox *frame(const QString &name, const QString &title)
{
    auto *f = new QGroupBox(title);
    f->setObjectName(name);
    return f;
}

QCheckBox *check(const QString &name, const QString &caption)
{
    auto *c = new QCheckBox(caption);
    c->setObjectName(name);
    return c;
}

// Editable lists take what is typed without adding it as an entry or completing it;
// the screen does its own type-ahead.
QComboBox *combo(const QString &name, const QString &accessible, bool editable)
{
    auto *c = new QComboBox;
    c->setObjectName(name);
    c->setAccessibleName(accessible);
    c->setEditable(editable);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(16);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
    }
    return c;
}

QDateEdit *datePicker(const QString &name, const QString &accessible)
{
    auto *d = new QDateEdit;
    d->setObjectName(name);
    d->setAccessibleName(accessible);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    return d;
}

QAction *action(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

const char *const InstructionTexts[InvoiceControls::InstructionPanels] = {
    "Check the Invoice Number and the customer. Enter a Ship To address, a reference and "
    "the options for this invoice, then press Continue to add lines.",
    "Add lines from the Add to Invoice menu. Click a line to select it; type in the Units "
    "or Price column and press Enter to recompute; right click a line to delete it.",
    "Choose the terms and a discount, enter shipping and any additional charge, then "
    "Finalize and Print the Invoice.",
    "The Shipping window holds the ship date and the carrier.",
    "Templates hold the lines of an invoice for use again. Select one and press Load.",
    "Save the lines of this invoice as a template under a name of your choice.",
    "Choose a category or All, pick an item, enter the units and Post it to the Invoice.",
    "Enter a description, a price and units, tick the box if the item is taxed, and Post "
    "it to the Invoice.",
    "Enter the hours of each kind of labor, press Tabulate, then Post to Invoice.",
    "Pick a service; its price follows. The service date is the date of the calendar.",
    "Type the narrative that prints with this invoice and save it.",
    "Pick a custom item, enter the units and Post it to the Invoice.",
};

} // namespace

void InvoiceControls::setupUi(QWidget *form)
{
    auto *root = new QVBoxLayout(form);

    // ------------------------------------------------------------ menus
    menuBar = new QMenuBar(form);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuView = menuBar->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuSetup = action(mnuView, QStringLiteral("mnuSetup"), QStringLiteral("Show Setup"));
    mnuCreate = action(mnuView, QStringLiteral("mnuCreate"), QStringLiteral("Show Invoice Creation"));
    mnuPrint = action(mnuView, QStringLiteral("mnuPrint"), QStringLiteral("Show Print Setup"));
    mnuClose = action(mnuView, QStringLiteral("mnuClose"), QStringLiteral("Close All Sub-Windows"));
    mnuAdd = menuBar->addMenu(QStringLiteral("Add to Invoice"));
    mnuAdd->setObjectName(QStringLiteral("mnuAdd"));
    mnuItems = action(mnuAdd, QStringLiteral("mnuItems"), QStringLiteral("Inventoried Items"));
    mnuServices = action(mnuAdd, QStringLiteral("mnuServices"), QStringLiteral("Services"));
    mnuCItems = action(mnuAdd, QStringLiteral("mnuCItems"), QStringLiteral("Custom Items"));
    mnuLabor = action(mnuAdd, QStringLiteral("mnuLabor"), QStringLiteral("Labor"));
    mnuManual = action(mnuAdd, QStringLiteral("mnuManual"), QStringLiteral("Manual Item"));
    mnuMemo = action(mnuAdd, QStringLiteral("mnuMemo"), QStringLiteral("Memo"));
    mnuNarrative = action(mnuAdd, QStringLiteral("mnuNarrative"), QStringLiteral("Narrative"));
    mnuGrid = new QMenu(form);
    mnuGrid->setObjectName(QStringLiteral("mnuGrid"));
    mnuDeleteItem = action(mnuGrid, QStringLiteral("mnuDeleteItem"), QStringLiteral("Delete Item"));
    root->setMenuBar(menuBar);

    // ------------------------------------------------------------ header
    auto *header = new QGridLayout;
    txtInvoiceNo = box(QStringLiteral("txtInvoiceNo"), QStringLiteral("Invoice number"));
    lblInvoiceNo = label(QStringLiteral("Next Invoice No ->"), nullptr, QStringLiteral("lblInvoiceNo"));
    lblInvoiceNo->setBuddy(txtInvoiceNo);
    lblAcct = label(QString(), nullptr, QStringLiteral("lblAcct"));
    lblAcctNo = label(QString(), nullptr, QStringLiteral("lblAcctNo"));
    lblAcctNo->setAccessibleName(QStringLiteral("Account number"));
    cmdInvoice[0] = button(QStringLiteral("cmdInvoice_0"), QStringLiteral("Continue......"));
    cmdInvoice[1] = button(QStringLiteral("cmdInvoice_1"), QStringLiteral("&Menu"));
    cmdInvoice[2] = button(QStringLiteral("cmdInvoice_2"), QStringLiteral("Reload Next Invoice No"));
    cmdExit = button(QStringLiteral("cmdExit"), QStringLiteral("Return to &Menu"));
    cmdRedo = button(QStringLiteral("cmdRedo"), QStringLiteral("&ReDo"),
                     QStringLiteral("Clears all lines of this Invoice"));
    cmdInstructions = button(QStringLiteral("cmdInstructions"), QStringLiteral("Instructions"),
                             QStringLiteral("Show or hide the instructions"));
    header->addWidget(lblInvoiceNo, 0, 0);
    header->addWidget(txtInvoiceNo, 0, 1);
    header->addWidget(cmdInvoice[2], 0, 2);
    header->addWidget(new QLabel(QStringLiteral("Account")), 0, 3);
    header->addWidget(lblAcct, 0, 4);
    header->addWidget(cmdInvoice[0], 0, 5);
    header->addWidget(cmdInvoice[1], 0, 6);
    header->addWidget(cmdExit, 0, 7);
    header->addWidget(cmdRedo, 0, 8);
    header->addWidget(cmdInstructions, 0, 9);
    auto *soldToLine = new QHBoxLayout;
    soldToLine->addWidget(new QLabel(QStringLiteral("Sold To:")));
    for (int i = 0; i < 6; ++i) {
        lblCustomer[i] = label(QString(), nullptr, indexed("lblCustomer", i));
        soldToLine->addWidget(lblCustomer[i]);
    }
    soldToLine->addStretch(1);
    soldToLine->addWidget(new QLabel(QStringLiteral("Acct:")));
    soldToLine->addWidget(lblAcctNo);
    header->addLayout(soldToLine, 1, 0, 1, 10);
    root->addLayout(header);

    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(right, 2);
    root->addLayout(body, 1);

    // ------------------------------------------------------------ setup view
    fraSetup = frame(QStringLiteral("fraSetup"), QStringLiteral("Invoice Setup"));
    {
        auto *grid = new QGridLayout(fraSetup);
        auto *soldTo = new QGroupBox(QStringLiteral("Sold To"));
        auto *soldToLayout = new QGridLayout(soldTo);
        for (int i = 6; i < 12; ++i)
            lblCustomer[i] = label(QString(), nullptr, indexed("lblCustomer", i));
        soldToLayout->addWidget(lblCustomer[6], 0, 0, 1, 3);
        soldToLayout->addWidget(lblCustomer[7], 1, 0, 1, 3);
        soldToLayout->addWidget(lblCustomer[8], 2, 0, 1, 3);
        soldToLayout->addWidget(lblCustomer[9], 3, 0);
        soldToLayout->addWidget(lblCustomer[10], 3, 1);
        soldToLayout->addWidget(lblCustomer[11], 3, 2);
        grid->addWidget(soldTo, 0, 0);

        auto *shipTo = new QGroupBox(QStringLiteral("Ship To"));
        auto *shipToLayout = new QGridLayout(shipTo);
        static const char *const shipToNames[ShipToBoxes] = {
            "Name", "Street", "Apartment", "City", "State", "ZIP", "To the Attn of:"};
        for (int i = 0; i < ShipToBoxes; ++i) {
            txtShipto[i] = box(indexed("txtShipto", i), QString());
            shipToLayout->addWidget(label(QLatin1String(shipToNames[i]), txtShipto[i]), i, 0);
            shipToLayout->addWidget(txtShipto[i], i, 1, 1, 2);
        }
        cmdShipToAddress[0] = button(QStringLiteral("cmdShipToAddress_0"), QStringLiteral("Same as Sold to"));
        cmdShipToAddress[1] = button(QStringLiteral("cmdShipToAddress_1"), QStringLiteral("Clear Ship To"));
        shipToLayout->addWidget(cmdShipToAddress[0], ShipToBoxes, 1);
        shipToLayout->addWidget(cmdShipToAddress[1], ShipToBoxes, 2);
        grid->addWidget(shipTo, 0, 1, 2, 1);

        auto *details = new QGridLayout;
        txtReference = box(QStringLiteral("txtReference"), QString());
        DTPicker1 = datePicker(QStringLiteral("DTPicker1"), QString());
        details->addWidget(label(QStringLiteral("Reference"), txtReference), 0, 0);
        details->addWidget(txtReference, 0, 1);
        details->addWidget(label(QStringLiteral("Service Date"), DTPicker1), 1, 0);
        details->addWidget(DTPicker1, 1, 1);
        grid->addLayout(details, 1, 0);

        auto *options = new QGroupBox(QStringLiteral("Options"));
        auto *optionsLayout = new QGridLayout(options);
        ckAddMemo = check(QStringLiteral("ckAddMemo"), QStringLiteral("Add Memo to Current Invoice"));
        ckExempt = check(QStringLiteral("ckExempt"), QStringLiteral("Account is Tax Exempt"));
        ck2ndTax = check(QStringLiteral("ck2ndTax"), QStringLiteral("Apply 2nd Tax Rate"));
        ckApplyVolumeDiscount = check(QStringLiteral("ckApplyVolumeDiscount"),
                                      QStringLiteral("Apply Item Volume Pricing"));
        ckPackingList = check(QStringLiteral("ckPackingList"), QStringLiteral("Print a Packing List"));
        ckPrepaid = check(QStringLiteral("ckPrepaid"), QStringLiteral("Invoice is Pre-Paid"));
        ckShipto = check(QStringLiteral("ckShipto"), QStringLiteral("Print Ship to Info on Invoice"));
        ckFrom = check(QStringLiteral("ckFrom"), QStringLiteral("Print From Line Here"));
        QCheckBox *const boxes[] = {ckAddMemo,     ckExempt,  ck2ndTax, ckApplyVolumeDiscount,
                                    ckPackingList, ckPrepaid, ckShipto, ckFrom};
        for (int i = 0; i < 8; ++i)
            optionsLayout->addWidget(boxes[i], i / 2, i % 2);
        grid->addWidget(options, 2, 0, 1, 2);

        cmdShipping[0] = button(QStringLiteral("cmdShipping_0"), QStringLiteral("Toggle Shipping Window"));
        fraShipping = frame(QStringLiteral("fraShipping"), QStringLiteral("Shipping"));
        auto *shipping = new QGridLayout(fraShipping);
        DTShip = datePicker(QStringLiteral("DTShip"), QString());
        cboShipping = combo(QStringLiteral("cboShipping"), QString(), true);
        cmdShipping[1] = button(QStringLiteral("cmdShipping_1"), QStringLiteral("Close Shipping Window"));
        shipping->addWidget(label(QStringLiteral("Ship Date"), DTShip), 0, 0);
        shipping->addWidget(DTShip, 0, 1);
        shipping->addWidget(label(QStringLiteral("Ship Via"), cboShipping), 1, 0);
        shipping->addWidget(cboShipping, 1, 1);
        shipping->addWidget(cmdShipping[1], 2, 1);
        grid->addWidget(cmdShipping[0], 3, 0);
        grid->addWidget(fraShipping, 3, 1);
    }
    left->addWidget(fraSetup);

    // ------------------------------------------------------------ print setup view
    fraPrintReady = frame(QStringLiteral("fraPrintReady"),
                          QStringLiteral("Discounts / Payments / Summary and Print Setup"));
    {
        auto *grid = new QGridLayout(fraPrintReady);
        auto *summary = new QGridLayout;
        struct Sum
        {
            QLineEdit **box;
            QLabel **caption;
            const char *name;
            const char *labelName;
            const char *text;
        };
        const Sum sums[] = {
            {&txtTotal, &lblTotal, "txtTotal", "lblTotal", "Sub-Total"},
            {&txtTax, &lblTax, "txtTax", "lblTax", "Tax"},
            {&txtTax2, &lblTax2, "txtTax2", "lblTax2", "2nd Tax"},
            {&txtShip, &lblShip, "txtShip", "lblShip", "Shipping"},
            {&txtMisc, &lblMisc, "txtMisc", "lblMisc", "Addl Charge"},
            {&txtDiscount, &lblDiscount, "txtDiscount", "lblDiscount", "Discount"},
            {&txtGrandTotal, &lblGrandTotal, "txtGrandTotal", "lblGrandTotal", "TOTAL"},
        };
        int row = 0;
        for (const Sum &sum : sums) {
            const QString name = QLatin1String(sum.name);
            // Only shipping and the additional charge are typed; the rest are results.
            *sum.box = box(name, QString(), name != QLatin1String("txtShip") && name != QLatin1String("txtMisc"));
            (*sum.box)->setAlignment(Qt::AlignRight);
            // Wide enough for a grand total in the millions.
            (*sum.box)->setMinimumWidth((*sum.box)->fontMetrics().horizontalAdvance(QStringLiteral("($0,000,000.00)")) + 12);
            *sum.caption = label(QLatin1String(sum.text), *sum.box, QLatin1String(sum.labelName));
            summary->addWidget(*sum.caption, row, 0);
            summary->addWidget(*sum.box, row, 1);
            ++row;
        }
        cmdResetCharge[0] = button(QStringLiteral("cmdResetCharge_0"), QStringLiteral("Reset Shipping Charge"));
        cmdResetCharge[1] = button(QStringLiteral("cmdResetCharge_1"), QStringLiteral("Reset Additional Charge"));
        summary->addWidget(cmdResetCharge[0], 3, 2);
        summary->addWidget(cmdResetCharge[1], 4, 2);
        grid->addLayout(summary, 0, 0, 3, 1);

        lblPaper = label(QString(), nullptr, QStringLiteral("lblPaper"));
        grid->addWidget(lblPaper, 0, 1, 1, 2);
        lblFeedHint = label(QStringLiteral("Feed the paper with the response slip at the top"), nullptr,
                            QStringLiteral("lblFeedHint"));
        lblFeedHint->hide();
        grid->addWidget(lblFeedHint, 6, 0, 1, 3);
        cboTerms = combo(QStringLiteral("cboTerms"), QString(), true);
        // Wide enough for every offered term: a term cut at either end reads as another.
        qsizetype longestTerm = 0;
        for (const QString &term : invoicetotals::TermsList())
            longestTerm = std::max(longestTerm, term.size());
        cboTerms->setMinimumContentsLength(int(longestTerm));
        grid->addWidget(label(QStringLiteral("Terms"), cboTerms), 1, 1);
        grid->addWidget(cboTerms, 1, 2);

        auto *discounts = new QHBoxLayout;
        static const char *const optCaptions[3] = {"No Discount", "Flat Rate Discount", "Calculate Discount"};
        for (int i = 0; i < 3; ++i) {
            optDiscount[i] = new QRadioButton(QLatin1String(optCaptions[i]));
            optDiscount[i]->setObjectName(indexed("optDiscount", i));
            discounts->addWidget(optDiscount[i]);
        }
        grid->addLayout(discounts, 2, 1, 1, 2);

        fraDiscount = frame(QStringLiteral("fraDiscount"), QStringLiteral("Discount Calculations"));
        auto *discount = new QGridLayout(fraDiscount);
        ckDiscount = check(QStringLiteral("ckDiscount"), QStringLiteral("Apply to This Invoice"));
        cboDiscount = combo(QStringLiteral("cboDiscount"), QString(), false);
        cboDays = combo(QStringLiteral("cboDays"), QString(), false);
        discount->addWidget(ckDiscount, 0, 0, 1, 2);
        discount->addWidget(label(QStringLiteral("Rate %"), cboDiscount), 1, 0);
        discount->addWidget(cboDiscount, 1, 1);
        discount->addWidget(label(QStringLiteral("Days"), cboDays), 2, 0);
        discount->addWidget(cboDays, 2, 1);
        grid->addWidget(fraDiscount, 3, 1);

        fraFlat = frame(QStringLiteral("fraFlat"), QStringLiteral("Flat Rate Discount"));
        auto *flat = new QGridLayout(fraFlat);
        txtFlatDiscount = box(QStringLiteral("txtFlatDiscount"), QStringLiteral("Flat discount"));
        cmdAddDiscount = button(QStringLiteral("cmdAddDiscount"), QStringLiteral("Deduct Discount"));
        flat->addWidget(txtFlatDiscount, 0, 0);
        flat->addWidget(cmdAddDiscount, 1, 0);
        grid->addWidget(fraFlat, 3, 2);

        fraPrePaid = frame(QStringLiteral("fraPrePaid"), QStringLiteral("Invoice Pre-paid"));
        auto *prepaid = new QGridLayout(fraPrePaid);
        txtPrepaid = box(QStringLiteral("txtPrepaid"), QString());
        cboPrepaid = combo(QStringLiteral("cboPrepaid"), QString(), true);
        cmdPrepaid[0] = button(QStringLiteral("cmdPrepaid_0"), QStringLiteral("Accept/Continue"));
        cmdPrepaid[1] = button(QStringLiteral("cmdPrepaid_1"), QStringLiteral("Cancel"));
        prepaid->addWidget(label(QStringLiteral("Amount Paid"), txtPrepaid), 0, 0);
        prepaid->addWidget(txtPrepaid, 0, 1);
        prepaid->addWidget(label(QStringLiteral("Paid by"), cboPrepaid), 1, 0);
        prepaid->addWidget(cboPrepaid, 1, 1);
        prepaid->addWidget(cmdPrepaid[0], 2, 0);
        prepaid->addWidget(cmdPrepaid[1], 2, 1);
        lblPrepaidHint = label(QStringLiteral("Type the number after the payment form"), nullptr,
                               QStringLiteral("lblPrepaidHint"));
        lblPrepaidHint->hide();
        prepaid->addWidget(lblPrepaidHint, 3, 0, 1, 2);
        grid->addWidget(fraPrePaid, 4, 1, 1, 2);

        auto *buttons = new QGridLayout;
        cmdInvoice[9] = button(QStringLiteral("cmdInvoice_9"), QStringLiteral("&Finalize Invoice"));
        cmdInvoiceContinue = button(QStringLiteral("cmdInvoiceContinue"), QStringLiteral("&Print Invoice"));
        cmdCancelPrint = button(QStringLiteral("cmdCancelPrint"), QStringLiteral("Clear Totals/Addons - Redo"));
        cmdReadyPrint[0] = button(QStringLiteral("cmdReadyPrint_0"), QStringLiteral("Save as Invoice Default Terms"));
        cmdReadyPrint[1] = button(QStringLiteral("cmdReadyPrint_1"), QStringLiteral("Save as Shipping Default Carrier"));
        cmdSave = button(QStringLiteral("cmdSave"), QStringLiteral("Complete Later - Print Draft"));
        buttons->addWidget(cmdInvoice[9], 0, 0);
        buttons->addWidget(cmdInvoiceContinue, 0, 1);
        buttons->addWidget(cmdCancelPrint, 0, 2);
        buttons->addWidget(cmdReadyPrint[0], 1, 0);
        buttons->addWidget(cmdReadyPrint[1], 1, 1);
        buttons->addWidget(cmdSave, 1, 2);
        grid->addLayout(buttons, 5, 0, 1, 3);
    }
    left->addWidget(fraPrintReady);

    // ------------------------------------------------------------ the grid
    fgInvoice = new QTableView;
    fgInvoice->setObjectName(QStringLiteral("fgInvoice"));
    fgInvoice->setAccessibleName(QStringLiteral("Invoice lines"));
    fgInvoice->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgInvoice->setSelectionMode(QAbstractItemView::SingleSelection);
    fgInvoice->setSelectionBehavior(QAbstractItemView::SelectItems);
    fgInvoice->setTabKeyNavigation(false);
    fgInvoice->setContextMenuPolicy(Qt::CustomContextMenu);
    fgInvoice->setWordWrap(false);
    fgInvoice->verticalHeader()->setDefaultSectionSize(fgInvoice->fontMetrics().height() + 6);
    fgInvoice->horizontalHeader()->setStretchLastSection(true);
    left->addWidget(fgInvoice, 1);
    auto *gridButtons = new QHBoxLayout;
    UpDown1 = new QWidget;
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setToolTip(QStringLiteral("Move Items up or down in grid"));
    auto *arrows = new QHBoxLayout(UpDown1);
    arrows->setContentsMargins(0, 0, 0, 0);
    UpDown1Up = new QToolButton;
    UpDown1Up->setObjectName(QStringLiteral("UpDown1Up"));
    UpDown1Up->setArrowType(Qt::UpArrow);
    UpDown1Up->setAccessibleName(QStringLiteral("Move Item up"));
    UpDown1Down = new QToolButton;
    UpDown1Down->setObjectName(QStringLiteral("UpDown1Down"));
    UpDown1Down->setArrowType(Qt::DownArrow);
    UpDown1Down->setAccessibleName(QStringLiteral("Move Item down"));
    arrows->addWidget(UpDown1Up);
    arrows->addWidget(UpDown1Down);
    cmdResetDate = button(QStringLiteral("cmdResetDate"), QStringLiteral("Reset Date"));
    cmdPrint = button(QStringLiteral("cmdPrint"), QStringLiteral("Continue..........."));
    gridButtons->addWidget(UpDown1);
    gridButtons->addWidget(cmdResetDate);
    gridButtons->addStretch(1);
    gridButtons->addWidget(cmdPrint);
    left->addLayout(gridButtons);

    // ------------------------------------------------------------ line panels
    static const char *const listNames[3] = {"services", "inventoried items", "custom items"};
    for (int k = 0; k < 3; ++k) {
        cboDescription[k] = combo(indexed("cboDescription", k),
                                  QStringLiteral("Description of %1").arg(QLatin1String(listNames[k])), true);
        cboDescription[k]->setMaxVisibleItems(20);
        cboPrice[k] = combo(indexed("cboPrice", k),
                            QStringLiteral("Price of %1").arg(QLatin1String(listNames[k])), true);
    }
    for (int n = 0; n < 4; ++n)
        cmdPost[n] = button(indexed("cmdPost", n), QStringLiteral("Post &to Invoice"));

    fraServices = frame(QStringLiteral("fraServices"), QStringLiteral("Add Services"));
    {
        auto *grid = new QGridLayout(fraServices);
        grid->addWidget(new QLabel(QStringLiteral("Description")), 0, 0);
        grid->addWidget(cboDescription[0], 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Price")), 1, 0);
        grid->addWidget(cboPrice[0], 1, 1);
        grid->addWidget(cmdPost[0], 2, 1);
    }
    fraItems = frame(QStringLiteral("fraItems"), QStringLiteral("Inventoried Items"));
    {
        auto *grid = new QGridLayout(fraItems);
        lstCategories = new QListWidget;
        lstCategories->setObjectName(QStringLiteral("lstCategories"));
        lstCategories->setAccessibleName(QStringLiteral("Categories"));
        lstCategories->setMaximumHeight(110);
        txtUnits = box(QStringLiteral("txtUnits"), QString());
        lblDiscountPrice = label(QStringLiteral("A discount Price will be Applied"), nullptr,
                                 QStringLiteral("lblDiscountPrice"));
        cmdItemscomplete = button(QStringLiteral("cmdItemscomplete"), QStringLiteral("Item Selection Complete"));
        grid->addWidget(new QLabel(QStringLiteral("Category")), 0, 0);
        grid->addWidget(lstCategories, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Description")), 1, 0);
        grid->addWidget(cboDescription[1], 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("Price")), 2, 0);
        grid->addWidget(cboPrice[1], 2, 1);
        grid->addWidget(label(QStringLiteral("Units"), txtUnits), 3, 0);
        grid->addWidget(txtUnits, 3, 1);
        grid->addWidget(lblDiscountPrice, 4, 1);
        grid->addWidget(cmdPost[1], 5, 1);
        grid->addWidget(cmdItemscomplete, 6, 1);
    }
    fraCItems = frame(QStringLiteral("fraCItems"), QStringLiteral("Custom Items"));
    {
        auto *grid = new QGridLayout(fraCItems);
        txtCUnits = box(QStringLiteral("txtCUnits"), QString());
        grid->addWidget(new QLabel(QStringLiteral("Description")), 0, 0);
        grid->addWidget(cboDescription[2], 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Price")), 1, 0);
        grid->addWidget(cboPrice[2], 1, 1);
        grid->addWidget(label(QStringLiteral("Units"), txtCUnits), 2, 0);
        grid->addWidget(txtCUnits, 2, 1);
        grid->addWidget(cmdPost[3], 3, 1);
    }
    fraManual = frame(QStringLiteral("fraManual"), QStringLiteral("Manually Add an Item"));
    {
        auto *grid = new QGridLayout(fraManual);
        static const char *const manualNames[3] = {"Description", "Price", "Units"};
        for (int i = 0; i < 3; ++i) {
            txtManual[i] = box(indexed("txtManual", i), QString());
            grid->addWidget(label(QLatin1String(manualNames[i]), txtManual[i]), i, 0);
            grid->addWidget(txtManual[i], i, 1);
        }
        ckManualTax = check(QStringLiteral("ckManualTax"), QStringLiteral("Tick if Item should be Taxed"));
        grid->addWidget(ckManualTax, 3, 1);
        grid->addWidget(cmdPost[2], 4, 1);
    }
    fraLabor = frame(QStringLiteral("fraLabor"), QStringLiteral("Labor"));
    {
        auto *grid = new QGridLayout(fraLabor);
        for (int k = 0; k < 3; ++k) {
            lblLaborHeading[k] = label(QString(), nullptr, indexed("lblLaborHeading", k));
            lblLaborHeading[k]->setMinimumWidth(220);
            txtHours[k] = box(indexed("txtHours", k), QStringLiteral("Hours"));
            lblLaborCharge[k] = label(QString(), nullptr, indexed("lblLaborCharge", k));
            lblLaborCharge[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(lblLaborHeading[k], k, 0);
            grid->addWidget(txtHours[k], k, 1);
            grid->addWidget(lblLaborCharge[k], k, 2);
        }
        lblLaborCharge[3] = label(QString(), nullptr, QStringLiteral("lblLaborCharge_3"));
        lblLaborCharge[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(new QLabel(QStringLiteral("Labor Total")), 3, 1);
        grid->addWidget(lblLaborCharge[3], 3, 2);
        cmdLabor[0] = button(QStringLiteral("cmdLabor_0"), QStringLiteral("Tabulate"));
        cmdLabor[1] = button(QStringLiteral("cmdLabor_1"), QStringLiteral("Post to Invoice"));
        cmdLabor[2] = button(QStringLiteral("cmdLabor_2"), QStringLiteral("Clear/Redo"));
        for (int i = 0; i < 3; ++i)
            grid->addWidget(cmdLabor[i], 4, i);
    }

    fraTemplates = frame(QStringLiteral("fraTemplates"), QStringLiteral("Invoice Templates"));
    {
        auto *grid = new QGridLayout(fraTemplates);
        flstInvoiceTemplates = new QListWidget;
        flstInvoiceTemplates->setObjectName(QStringLiteral("flstInvoiceTemplates"));
        flstInvoiceTemplates->setAccessibleName(QStringLiteral("Invoice templates"));
        grid->addWidget(flstInvoiceTemplates, 0, 0, 1, 3);
        static const char *const captions[5] = {"Load", "Delete", "Save as Template",
                                                "Show Template Instructions",
                                                "Show Creation Instructions"};
        for (int i = 0; i < 5; ++i)
            cmdTemplate[i] = button(indexed("cmdTemplate", i), QLatin1String(captions[i]));
        grid->addWidget(cmdTemplate[0], 1, 0);
        grid->addWidget(cmdTemplate[1], 1, 1);
        grid->addWidget(cmdTemplate[3], 2, 0);
        grid->addWidget(cmdTemplate[4], 2, 1);
        // The panel is hidden while there are no templates, so the first one could
        // never be saved from it: saving sits with the grid it saves.
        gridButtons->insertWidget(2, cmdTemplate[2]);
    }
    fraNarrative = frame(QStringLiteral("fraNarrative"), QStringLiteral("Add a Narrative to the Invoice"));
    {
        auto *grid = new QVBoxLayout(fraNarrative);
        txtNarrative = new QPlainTextEdit;
        txtNarrative->setObjectName(QStringLiteral("txtNarrative"));
        txtNarrative->setAccessibleName(QStringLiteral("Narrative"));
        grid->addWidget(txtNarrative);
        static const char *const captions[5] = {
            "Save this Narrative for this Invoice and Return to Invoice Creation",
            "Clear Narrative Box Template", "Reload Narrative Template",
            "Save Contents as NarrativeTemplate", "Clear Narrative, Return to Invoice Creation"};
        for (int i = 0; i < 5; ++i) {
            cmdNarrative[i] = button(indexed("cmdNarrative", i), QLatin1String(captions[i]));
            grid->addWidget(cmdNarrative[i]);
        }
    }
    fraMemo = frame(QStringLiteral("fraMemo"), QStringLiteral("Adding a Memo to the Invoices"));
    {
        auto *grid = new QVBoxLayout(fraMemo);
        lblMemo = label(QStringLiteral("A MEMO IS LOADED"), nullptr, QStringLiteral("lblMemo"));
        txtMemo = new QPlainTextEdit;
        txtMemo->setObjectName(QStringLiteral("txtMemo"));
        txtMemo->setAccessibleName(QStringLiteral("Memo"));
        grid->addWidget(lblMemo);
        grid->addWidget(txtMemo);
        static const char *const captions[3] = {"Clear Memo Box", "Reload Memo from File",
                                                "Save Contents as Memo File"};
        for (int i = 0; i < 3; ++i) {
            cmdInvoiceMemo[i] = button(indexed("cmdInvoiceMemo", i), QLatin1String(captions[i]));
            grid->addWidget(cmdInvoiceMemo[i]);
        }
        cmdHideMemo = button(QStringLiteral("cmdHideMemo"), QStringLiteral("Hide"));
        grid->addWidget(cmdHideMemo);
    }
    for (QGroupBox *panel : {fraServices, fraItems, fraCItems, fraManual, fraLabor, fraNarrative,
                             fraMemo, fraTemplates})
        right->addWidget(panel);
    for (int i = 0; i < InstructionPanels; ++i) {
        fraInstructions[i] = frame(indexed("fraInstructions", i), QStringLiteral("Instructions"));
        auto *text = new QLabel(QLatin1String(InstructionTexts[i]));
        text->setWordWrap(true);
        (new QVBoxLayout(fraInstructions[i]))->addWidget(text);
        right->addWidget(fraInstructions[i]);
    }
    right->addStretch(1);
}
