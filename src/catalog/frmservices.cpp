#include "catalog/frmservices.h"

#include "core/prompts.h"
#include "core/regional.h"
#include "ui/keyfilterglue.h"
#include "ui/leavewatcher.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

namespace {

constexpr int Services = 0;
constexpr int SalesItems = 1;
constexpr int CustomItems = 2;

constexpr int AddButton[3] = {1, 8, 18};
constexpr int ModifyButton[3] = {3, 9, 19};
constexpr int DeleteButton[3] = {2, 10, 20};
constexpr int SaveButton[3] = {4, 13, 22};
constexpr int ClearButton[3] = {5, 11, 21};
constexpr int CancelButton[3] = {7, 14, 23};

constexpr int MenuButton = 0;
constexpr int GeneralLaborButton = 12;
constexpr int ClearAllButton = 15;
constexpr int ReloadLaborButton = 16;
constexpr int SaveLaborButton = 17;
constexpr int ClearPricesButton = 24;
constexpr int NoDiscountButton = 25;

constexpr int LaborTab = 2;
constexpr int InstructionsTab = 4;
constexpr int TabCount = 5;

const QString ServicesFormat = QStringLiteral("<Service Description                                "
                                              "                |>   Charge   |^Allotted Time");
const QString ItemsFormat =
    QStringLiteral("<Description                            |<Category          |>Cost "
                   "(Unit)|>Price      |^On-Hand|>Disc Price|^Disc Qty|^Reorder|^When At");
const QString CustomFormat = QStringLiteral("<Description                                   "
                                            "|>Price         |>Discount Price|^Discount Qty");

const QString LaborRateMessage = QStringLiteral("Labor Rate must be greater than Zero");

constexpr qint64 Int16Min = std::numeric_limits<qint16>::min();
constexpr qint64 Int16Max = std::numeric_limits<qint16>::max();
constexpr qint64 Int32Min = std::numeric_limits<qint32>::min();
constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();

CatalogKind kindOf(int kind)
{
    return CatalogKind(kind);
}

// A key that changes the text, as opposed to one that moves the cursor or the focus.
bool editsText(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return true;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// The two captions after a discount quantity box.
QHBoxLayout *discountNote()
{
    auto *note = new QHBoxLayout;
    note->setSpacing(6);
    note->addWidget(new QLabel(QStringLiteral("or more Units Sold")));
    note->addWidget(new QLabel(QStringLiteral("(Set to 0 to Disable)")));
    note->addStretch(1);
    return note;
}

} // namespace

frmServices::frmServices(Catalog &catalog, Prompts &prompts, Navigator &navigator, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_catalog(catalog), m_prompts(prompts),
      m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmServices"));
    setWindowTitle(QStringLiteral("Services & Products Creation Screen"));
    m_leave = new LeaveWatcher(this);
    buildControls();

    connect(&m_catalog, &Catalog::rowsChanged, this, &frmServices::refreshGrid);
    connect(&m_catalog, &Catalog::reloaded, this, [this](CatalogKind kind) {
        // A file that was there to load offers its rows for changing.
        if (m_catalog.rowCount(kind) > 0)
            cmdServices[ModifyButton[int(kind)]]->setEnabled(true);
        followEditedRow(kind);
    });
    connect(&m_catalog, &Catalog::categoriesChanged, this, &frmServices::refreshCategories);
    connect(&m_catalog, &Catalog::laborChanged, this, &frmServices::refreshLabor);

    for (int kind = 0; kind < KindCount; ++kind) {
        cmdServices[ModifyButton[kind]]->setEnabled(false);
        cmdServices[DeleteButton[kind]]->setEnabled(false);
        DisableEntry(kind);
    }
    m_catalog.LoadAll();
    refreshGrid(CatalogKind::Services);
    refreshGrid(CatalogKind::SalesItems);
    refreshGrid(CatalogKind::CustomItems);
    refreshCategories();
    refreshLabor();
    resize(1000, 660);
    restoreGeometryFromSettings();
}

frmServices::~frmServices() = default;

// ---------------------------------------------------------------- building

QPushButton *frmServices::makeButton(int index, const QString &caption, const QString &toolTip)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QStringLiteral("cmdServices_%1").arg(index));
    button->setToolTip(toolTip);
    button->setAccessibleName(ui::withoutMnemonic(caption).trimmed());
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, index] { cmdServices_Click(index); });
    cmdServices[index] = button;
    return button;
}

QLineEdit *frmServices::makeBox(const QString &name, const QString &toolTip, int maxLength)
{
    auto *box = new QLineEdit;
    box->setObjectName(name);
    box->setToolTip(toolTip);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QTableWidget *frmServices::makeGrid(const QString &name, const QString &format,
                                    const QString &accessible)
{
    const QStringList columns = format.split(QLatin1Char('|'));
    auto *table = new QTableWidget(0, int(columns.size()));
    table->setObjectName(name);
    table->setAccessibleName(accessible);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setHighlightSections(false);
    table->setWordWrap(false);
    // Tab leaves the grid for the next control instead of walking its cells.
    table->setTabKeyNavigation(false);

    // The format marks each column's alignment, and its padding sets the width. The
    // description takes the room the others leave.
    const int charWidth = table->fontMetrics().averageCharWidth();
    for (int column = 0; column < columns.size(); ++column) {
        const QString &entry = columns.at(column);
        Qt::Alignment alignment = Qt::AlignLeft;
        QString text = entry;
        if (!entry.isEmpty() && QStringLiteral("<>^").contains(entry.at(0))) {
            alignment = entry.at(0) == u'>'   ? Qt::AlignRight
                        : entry.at(0) == u'^' ? Qt::AlignHCenter
                                              : Qt::AlignLeft;
            text = entry.mid(1);
        }
        auto *header = new QTableWidgetItem(text.trimmed());
        header->setTextAlignment(alignment | Qt::AlignVCenter);
        header->setData(Qt::UserRole, int(alignment));
        header->setData(Qt::UserRole + 1, int(text.size()) * charWidth + 12);
        table->setHorizontalHeaderItem(column, header);
        table->setColumnWidth(column, int(text.size()) * charWidth + 12);
    }
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setMinimumSectionSize(40);
    return table;
}

void frmServices::buildControls()
{
    tabServices = new QTabWidget;
    tabServices->setObjectName(QStringLiteral("tabServices"));
    tabServices->setAccessibleName(QStringLiteral("Catalog"));
    tabServices->addTab(buildServicesTab(), QStringLiteral("Services"));
    tabServices->addTab(buildItemsTab(), QStringLiteral("Inventoried Items"));
    tabServices->addTab(buildLaborTab(), QStringLiteral("Labor Rates"));
    tabServices->addTab(buildCustomTab(), QStringLiteral("Custom Items"));
    tabServices->addTab(buildInstructionsTab(), QStringLiteral("Instructions"));
    connect(tabServices, &QTabWidget::currentChanged, this, &frmServices::tabServices_Click);
    for (int kind = 0; kind < KindCount; ++kind) {
        connect(grid(kind), &QTableWidget::itemSelectionChanged, this,
                [this, kind] { rowSelected(kind); });
        // A row the program selected itself (after a save or a reload) changes no
        // selection when it is clicked; the click must still offer it for changing.
        connect(grid(kind), &QTableWidget::cellClicked, this, [this, kind] { rowSelected(kind); });
    }

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Next tab"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_ArrowForward).pixmap(32, 32));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    auto *title = new QLabel(QStringLiteral("Services & Products"));
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);

    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addWidget(title);
    top->addStretch(1);
    top->addWidget(
        makeButton(MenuButton, QStringLiteral("Menu"), QStringLiteral("Returns to the main menu")));

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(12, 10, 12, 12);
    main->addLayout(top);
    main->addWidget(tabServices, 1);
}

QWidget *frmServices::buildServicesTab()
{
    auto *page = new QWidget;
    fgServices = makeGrid(QStringLiteral("fgServices"), ServicesFormat, QStringLiteral("Services"));

    txtDescription[0] = makeBox(QStringLiteral("txtDescription_0"),
                                QStringLiteral("Enter the Description of the Service"),
                                ServiceRecord::DescriptionWidth);
    txtCharge[0] = makeBox(QStringLiteral("txtCharge_0"), QStringLiteral("Service Price"));
    lstTime = new QListWidget;
    lstTime->setObjectName(QStringLiteral("lstTime"));
    lstTime->setToolTip(QStringLiteral("How Long to Perform this Service"));
    lstTime->addItems(catalog::AllottedTimes());
    lstTime->setCurrentRow(0);
    lstTime->setFixedWidth(90);
    lstTime->setFixedHeight(lstTime->sizeHintForRow(0) * 6 + 2 * lstTime->frameWidth());

    auto *fields = new QGridLayout;
    fields->addWidget(ui::label(QStringLiteral("Service Description"), txtDescription[0]), 0, 0);
    fields->addWidget(txtDescription[0], 1, 0);
    fields->addWidget(ui::label(QStringLiteral("Charge"), txtCharge[0]), 0, 1);
    fields->addWidget(txtCharge[0], 1, 1);
    fields->addWidget(ui::label(QStringLiteral("Allotted Time"), lstTime), 0, 2);
    fields->addWidget(lstTime, 1, 2, 3, 1);
    auto *note = new QLabel(QStringLiteral(
        "The Allotted Time is for your own reference: it is not used to price the service"));
    note->setWordWrap(true);
    fields->addWidget(note, 2, 0, 1, 2, Qt::AlignTop);
    fields->setColumnStretch(0, 4);
    fields->setColumnStretch(1, 1);
    txtDescription[0]->setMinimumWidth(360);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(
        makeButton(1, QStringLiteral("Add New"), QStringLiteral("Allows addtion of an Item")));
    buttons->addWidget(makeButton(3, QStringLiteral("Modify Item"),
                                  QStringLiteral("Make Changes to the current item")));
    buttons->addWidget(
        makeButton(4, QStringLiteral("Save"), QStringLiteral("Save the current item")));
    buttons->addWidget(
        makeButton(5, QStringLiteral("Clear"), QStringLiteral("Clears Description, and Charge")));
    buttons->addWidget(makeButton(7, QStringLiteral("Cancel Add New or Modify"),
                                  QStringLiteral("Cancels the current action")));
    buttons->addStretch(1);
    buttons->addWidget(makeButton(2, QStringLiteral("Delete Item"),
                                  QStringLiteral("Deletes this item from file")));

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fgServices, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    attachMoneyFilter(txtCharge[0]);
    watchBox(txtDescription[0]);
    watchBox(txtCharge[0]);

    // An entry goes on to Save: Space or Enter on "Add New" right after it would wipe it.
    ui::tabOrder({fgServices, txtDescription[0], txtCharge[0], lstTime, cmdServices[4],
                  cmdServices[5], cmdServices[7], cmdServices[1], cmdServices[3],
                  cmdServices[2]});
    return page;
}

QWidget *frmServices::buildItemsTab()
{
    auto *page = new QWidget;
    fgItems = makeGrid(QStringLiteral("fgItems"), ItemsFormat, QStringLiteral("Inventoried Items"));

    txtDescription[1] =
        makeBox(QStringLiteral("txtDescription_1"), QStringLiteral("the items name"),
                SalesItemRecord::DescriptionWidth);
    cboCategory = new QComboBox;
    cboCategory->setObjectName(QStringLiteral("cboCategory"));
    cboCategory->setToolTip(QStringLiteral("displays all categories for selection or enter new"));
    ui::keepTypedText(cboCategory);
    cboCategory->lineEdit()->setMaxLength(SalesItemRecord::CategoryWidth);
    cboCategory->setMinimumWidth(180);
    ckClearItem = new QCheckBox(QStringLiteral("Do not clear Category when Saving"));
    ckClearItem->setObjectName(QStringLiteral("ckClearItem"));
    ckClearItem->setToolTip(QStringLiteral("Category data remains constant when changing items"));
    ckClearItem->setAccessibleName(ckClearItem->text());

    txtCost = makeBox(QStringLiteral("txtCost"), QStringLiteral("Cost per Unit (what you pay)"));
    txtCharge[1] = makeBox(QStringLiteral("txtCharge_1"), QStringLiteral("Sell Price"));
    txtOnHand = makeBox(QStringLiteral("txtOnHand"), QStringLiteral("Currently On Hand (Units)"));
    txtCharge[2] =
        makeBox(QStringLiteral("txtCharge_2"), QStringLiteral("Quantity Discount Price"));
    txtDiscountQty = makeBox(QStringLiteral("txtDiscountQty"),
                             QStringLiteral("Apply  Discount when ... or more Units Sold"));
    txtReorderAmount =
        makeBox(QStringLiteral("txtReorderAmount"), QStringLiteral("Reorder (Units)"));
    txtReorderAt =
        makeBox(QStringLiteral("txtReorderAt"), QStringLiteral("when On Hand (Units) falls to:"));
    for (QLineEdit *box : {txtCost, txtCharge[1], txtOnHand, txtCharge[2], txtDiscountQty,
                           txtReorderAmount, txtReorderAt})
        box->setFixedWidth(110);

    // Prices on the left, stock and category on the right.
    auto *prices = new QGridLayout;
    prices->setHorizontalSpacing(8);
    prices->addWidget(ui::label(QStringLiteral("Description"), txtDescription[1]), 0, 0);
    prices->addWidget(txtDescription[1], 0, 1, 1, 2);
    prices->addWidget(ui::label(QStringLiteral("Cost per Unit (what you pay)"), txtCost), 1, 0);
    prices->addWidget(txtCost, 1, 1);
    prices->addWidget(ui::label(QStringLiteral("Sell Price"), txtCharge[1]), 2, 0);
    prices->addWidget(txtCharge[1], 2, 1);
    prices->addWidget(new QLabel(QStringLiteral("What will print on invoices")), 2, 2);
    prices->addWidget(ui::label(QStringLiteral("Quantity Discount Price"), txtCharge[2]), 3, 0);
    prices->addWidget(txtCharge[2], 3, 1);
    prices->addWidget(new QLabel(QStringLiteral("Price applied when sell qty => Discount Qty")), 3,
                      2);
    prices->setColumnStretch(2, 1);
    prices->setRowStretch(4, 1);

    auto *stock = new QGridLayout;
    stock->setHorizontalSpacing(8);
    stock->addWidget(ui::label(QStringLiteral("Category"), cboCategory), 0, 0);
    stock->addWidget(cboCategory, 0, 1, 1, 2);
    stock->addWidget(ckClearItem, 1, 1, 1, 2);
    stock->addWidget(ui::label(QStringLiteral("Currently On Hand (Units)"), txtOnHand), 2, 0);
    stock->addWidget(txtOnHand, 2, 1);
    stock->addWidget(ui::label(QStringLiteral("Apply  Discount when"), txtDiscountQty), 3, 0);
    stock->addWidget(txtDiscountQty, 3, 1);
    stock->addLayout(discountNote(), 3, 2);
    stock->addWidget(ui::label(QStringLiteral("Reorder (Units)"), txtReorderAmount), 4, 0);
    stock->addWidget(txtReorderAmount, 4, 1);
    stock->addWidget(ui::label(QStringLiteral("when On Hand (Units) falls to:"), txtReorderAt), 5,
                     0);
    stock->addWidget(txtReorderAt, 5, 1);
    stock->setColumnStretch(2, 1);

    auto *fields = new QHBoxLayout;
    fields->addLayout(prices, 1);
    fields->addSpacing(16);
    fields->addLayout(stock);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(
        makeButton(8, QStringLiteral("Add New"), QStringLiteral("Alows addition of an item")));
    buttons->addWidget(makeButton(9, QStringLiteral("Modify Item"),
                                  QStringLiteral("Allows changes to the current selected item")));
    buttons->addWidget(makeButton(13, QStringLiteral("Save Sales Item"),
                                  QStringLiteral("Save the currently selected item")));
    buttons->addWidget(
        makeButton(11, QStringLiteral("Clear Item"), QStringLiteral("clears the description")));
    buttons->addWidget(makeButton(24, QStringLiteral("Clear Prices"),
                                  QStringLiteral("Clears the cost, sell and discount prices")));
    buttons->addWidget(makeButton(25, QStringLiteral("No Discount"),
                                  QStringLiteral("Sets discount quantity to 0")));
    buttons->addWidget(makeButton(14, QStringLiteral("Cancel Add New or Modify"),
                                  QStringLiteral("Cancels the current action")));
    buttons->addStretch(1);
    buttons->addWidget(makeButton(10, QStringLiteral("Delete Item"),
                                  QStringLiteral("removes the item from the grid")));

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fgItems, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    attachMoneyFilter(txtCost);
    attachMoneyFilter(txtCharge[1]);
    attachMoneyFilter(txtCharge[2]);
    for (QLineEdit *box : {txtDescription[1], txtCost, txtCharge[1], txtOnHand, txtCharge[2],
                           txtDiscountQty, txtReorderAmount, txtReorderAt})
        watchBox(box);

    // Down the prices, then down the stock column, as the two columns read; then Save,
    // as on the services tab.
    ui::tabOrder({fgItems, txtDescription[1], txtCost, txtCharge[1], txtCharge[2], cboCategory,
                  ckClearItem, txtOnHand, txtDiscountQty, txtReorderAmount, txtReorderAt,
                  cmdServices[13], cmdServices[11], cmdServices[24], cmdServices[25],
                  cmdServices[14], cmdServices[8], cmdServices[9], cmdServices[10]});
    return page;
}

QWidget *frmServices::buildLaborTab()
{
    auto *page = new QWidget;
    auto *fields = new QGridLayout;
    auto *headingCaption = new QLabel(QStringLiteral("Labor Heading"));
    auto *rateCaption = new QLabel(QStringLiteral("Hourly Rate"));
    fields->addWidget(headingCaption, 0, 1);
    fields->addWidget(rateCaption, 0, 2);
    for (int row = 0; row < Catalog::LaborRows; ++row) {
        txtLabor[row] =
            makeBox(QStringLiteral("txtLabor_%1").arg(row), QStringLiteral("Labor Heading"));
        txtLabor[row]->setAccessibleName(QStringLiteral("Labor Heading %1").arg(row + 1));
        txtLabor[row]->setMinimumWidth(320);
        txtLaborRate[row] =
            makeBox(QStringLiteral("txtLaborRate_%1").arg(row), QStringLiteral("Hourly Rate"));
        txtLaborRate[row]->setAccessibleName(QStringLiteral("Hourly Rate %1").arg(row + 1));
        txtLaborRate[row]->setMaximumWidth(120);
        fields->addWidget(new QLabel(QString::number(row + 1)), row + 1, 0);
        fields->addWidget(txtLabor[row], row + 1, 1);
        fields->addWidget(txtLaborRate[row], row + 1, 2);

        // A quote would break the file's fields.
        attachQuoteFilter(txtLabor[row], m_prompts);
        attachMoneyFilter(txtLaborRate[row]);
        watchBox(txtLaborRate[row]);
        connect(txtLabor[row], &QLineEdit::textChanged, this,
                [this, row](const QString &text) { m_catalog.setLaborHeading(row, text); });
        connect(txtLaborRate[row], &QLineEdit::textChanged, this,
                [this, row](const QString &text) { m_catalog.setLaborRate(row, text); });
    }
    headingCaption->setBuddy(txtLabor[0]);
    rateCaption->setBuddy(txtLaborRate[0]);
    fields->setColumnStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(makeButton(GeneralLaborButton, QStringLiteral("Create General Labor"),
                                  QStringLiteral("Sets 1st Heading to General Labor, enter Rate")));
    buttons->addWidget(makeButton(ClearAllButton, QStringLiteral("&Clear All"),
                                  QStringLiteral("Clears all Headings and Rates")));
    buttons->addWidget(makeButton(ReloadLaborButton, QStringLiteral("Reload from File"),
                                  QStringLiteral("Loads boxes with Labor Headings and Rates")));
    buttons->addWidget(
        makeButton(SaveLaborButton, QStringLiteral("Save &Labor Rates"),
                   QStringLiteral("Sets 1st Heading to Genereal Labor, enter Rate")));
    buttons->addStretch(1);

    auto *note = new QLabel(QStringLiteral(
        "Enter up to three Labor Headings with their Hourly Rates. The invoice screen offers each "
        "heading that is filled in, at its rate."));
    note->setWordWrap(true);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note);
    layout->addSpacing(8);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch(1);

    QWidget *previous = nullptr;
    for (int row = 0; row < Catalog::LaborRows; ++row) {
        if (previous)
            setTabOrder(previous, txtLabor[row]);
        setTabOrder(txtLabor[row], txtLaborRate[row]);
        previous = txtLaborRate[row];
    }
    for (int index : {GeneralLaborButton, ClearAllButton, ReloadLaborButton, SaveLaborButton}) {
        setTabOrder(previous, cmdServices[index]);
        previous = cmdServices[index];
    }
    return page;
}

QWidget *frmServices::buildCustomTab()
{
    auto *page = new QWidget;
    fgCustom = makeGrid(QStringLiteral("fgCustom"), CustomFormat, QStringLiteral("Custom Items"));

    txtDescription[2] = makeBox(QStringLiteral("txtDescription_2"), QStringLiteral("Description"),
                                CustomItemRecord::DescriptionWidth);
    txtCharge[3] = makeBox(QStringLiteral("txtCharge_3"), QStringLiteral("Sell Price"));
    txtCharge[4] =
        makeBox(QStringLiteral("txtCharge_4"), QStringLiteral("Quantity Discount Price"));
    txtCustomDiscItems = makeBox(QStringLiteral("txtCustomDiscItems"),
                                 QStringLiteral("Apply Quantity Discount when"));
    for (QLineEdit *box : {txtCharge[3], txtCharge[4], txtCustomDiscItems})
        box->setMaximumWidth(120);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->addWidget(ui::label(QStringLiteral("Description"), txtDescription[2]), 0, 0);
    fields->addWidget(txtDescription[2], 0, 1, 1, 4);
    fields->addWidget(ui::label(QStringLiteral("Single Unit Sell Price"), txtCharge[3]), 1, 0);
    fields->addWidget(txtCharge[3], 1, 1);
    fields->addWidget(ui::label(QStringLiteral("Quantity Discount Price"), txtCharge[4]), 1, 2,
                      Qt::AlignRight);
    fields->addWidget(txtCharge[4], 1, 3);
    fields->addWidget(ui::label(QStringLiteral("Apply Quantity Discount when"), txtCustomDiscItems),
                      2, 0);
    fields->addWidget(txtCustomDiscItems, 2, 1);
    fields->addLayout(discountNote(), 2, 2, 1, 2);
    fields->setColumnStretch(4, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(
        makeButton(18, QStringLiteral("Add New"), QStringLiteral("Alows addition of an item")));
    buttons->addWidget(makeButton(19, QStringLiteral("Modify Item"),
                                  QStringLiteral("Allows changes to the current selected item")));
    buttons->addWidget(makeButton(22, QStringLiteral("Save Custom Item"),
                                  QStringLiteral("Save the currently selected item")));
    buttons->addWidget(
        makeButton(21, QStringLiteral(" Clear Item"),
                   QStringLiteral("Clears the description, Price, Quantity and Discount At")));
    buttons->addWidget(makeButton(23, QStringLiteral("Cancel Add New or Modify "),
                                  QStringLiteral("cancels the current action")));
    buttons->addStretch(1);
    buttons->addWidget(
        makeButton(20, QStringLiteral("Delete Item"), QStringLiteral("Deletes item from File")));

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fgCustom, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    attachMoneyFilter(txtCharge[3]);
    attachMoneyFilter(txtCharge[4]);
    for (QLineEdit *box : {txtDescription[2], txtCharge[3], txtCharge[4], txtCustomDiscItems})
        watchBox(box);

    ui::tabOrder({fgCustom, txtDescription[2], txtCharge[3], txtCharge[4], txtCustomDiscItems,
                  cmdServices[22], cmdServices[21], cmdServices[23], cmdServices[18],
                  cmdServices[19], cmdServices[20]});
    return page;
}

QWidget *frmServices::buildInstructionsTab()
{
    auto *page = new QWidget;
    auto *text = new QLabel(QStringLiteral(
        "<h3>Services &amp; Products</h3>"
        "<p><b>Services</b> are work you charge a flat amount for. Click <i>Add New</i>, enter the "
        "description and the charge, choose the time it usually takes, then click <i>Save</i>.</p>"
        "<p><b>Inventoried Items</b> are goods you keep in stock. Each has a cost, a sell price, "
        "the "
        "number on hand and, if you wish, a lower price that applies when a customer buys at least "
        "the discount quantity. Invoices lower the number on hand as items are sold; the reorder "
        "figures remind you when to restock.</p>"
        "<p><b>Custom Items</b> are goods you do not keep in stock, with a price and an optional "
        "quantity discount.</p>"
        "<p><b>Labor Rates</b> are up to three kinds of hourly work, such as General Labor. Click "
        "<i>Save Labor Rates</i> when they are set.</p>"
        "<p>To change an entry, click it in its list and then <i>Modify Item</i>. New and changed "
        "entries are written to disk when you return to the menu. Deleting an entry writes the "
        "catalog at once.</p>"
        "<p>Click the arrow at the top left to go to the next tab.</p>"));
    text->setObjectName(QStringLiteral("lblInstructions"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(text);
    layout->addStretch(1);
    return page;
}

// ---------------------------------------------------------------- grids and lists

QTableWidget *frmServices::grid(int kind) const
{
    switch (kind) {
    case Services:
        return fgServices;
    case SalesItems:
        return fgItems;
    default:
        return fgCustom;
    }
}

int frmServices::selectedRow(int kind) const
{
    const QModelIndexList rows = grid(kind)->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool frmServices::editing(int kind) const
{
    return txtDescription[kind]->isEnabled();
}

void frmServices::refreshGrid(CatalogKind kind)
{
    QTableWidget *table = grid(int(kind));
    const int rows = m_catalog.rowCount(kind);
    const QSignalBlocker blocker(table);
    const int selected = selectedRow(int(kind));
    table->clearSelection();
    table->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const QStringList cells = m_catalog.cells(kind, row);
        for (int column = 0; column < cells.size() && column < table->columnCount(); ++column) {
            QTableWidgetItem *item = table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                const auto alignment =
                    Qt::Alignment(table->horizontalHeaderItem(column)->data(Qt::UserRole).toInt());
                item->setTextAlignment(alignment | Qt::AlignVCenter);
                table->setItem(row, column, item);
            }
            item->setText(cells.at(column));
        }
    }
    // A column is never narrower than its widest value, so no amount is cut.
    for (int column = 1; column < table->columnCount(); ++column) {
        const int planned = table->horizontalHeaderItem(column)->data(Qt::UserRole + 1).toInt();
        table->resizeColumnToContents(column);
        table->setColumnWidth(column, qMax(planned, table->columnWidth(column) + 8));
    }
    // Rows removed under the selection make the view select another on its own.
    table->clearSelection();
    if (selected >= 0 && selected < rows)
        table->selectRow(selected);
    else
        cmdServices[DeleteButton[int(kind)]]->setEnabled(false);
}

namespace {

// How many rows before this one hold the same cells: rows alike in every cell are
// told apart by their order, which a reload keeps.
int occurrenceOf(const Catalog &catalog, CatalogKind kind, int row)
{
    const QStringList cells = catalog.cells(kind, row);
    int before = 0;
    for (int other = 0; other < row; ++other) {
        if (catalog.cells(kind, other) == cells)
            ++before;
    }
    return before;
}

} // namespace

void frmServices::followEditedRow(CatalogKind kind)
{
    Edit &edit = m_edit[int(kind)];
    if (!edit.modifying)
        return;
    // The rows were read again while one of them was being changed: find it anew,
    // by all its cells first (two entries may share a description), then by its
    // description alone.
    const int rows = m_catalog.rowCount(kind);
    int found = -1;
    int alike = 0;
    for (int row = 0; row < rows && found < 0; ++row) {
        if (m_catalog.cells(kind, row) == edit.cells && alike++ == edit.occurrence)
            found = row;
    }
    for (int row = 0; row < rows && found < 0; ++row) {
        if (m_catalog.cells(kind, row).value(0) == edit.cells.value(0))
            found = row;
    }
    if (found < 0) {
        edit = Edit();
        return;
    }
    edit.row = found;
    edit.cells = m_catalog.cells(kind, found);
    edit.occurrence = occurrenceOf(m_catalog, kind, found);
}

void frmServices::refreshCategories()
{
    const QString typed = cboCategory->currentText();
    const QSignalBlocker blocker(cboCategory);
    cboCategory->clear();
    cboCategory->addItems(m_catalog.categories());
    cboCategory->setCurrentIndex(-1);
    cboCategory->setEditText(typed);
}

void frmServices::refreshLabor()
{
    for (int row = 0; row < Catalog::LaborRows; ++row) {
        if (txtLabor[row]->text() != m_catalog.laborHeading(row))
            txtLabor[row]->setText(m_catalog.laborHeading(row));
        if (txtLaborRate[row]->text() != m_catalog.laborRate(row))
            txtLaborRate[row]->setText(m_catalog.laborRate(row));
    }
    cmdServices[ReloadLaborButton]->setEnabled(m_catalog.laborFilePresent());
}

void frmServices::rowSelected(int kind)
{
    if (editing(kind) || selectedRow(kind) < 0)
        return;
    cmdServices[DeleteButton[kind]]->setEnabled(true);
    if (kind != Services)
        cmdServices[ModifyButton[kind]]->setEnabled(true);
}

// ---------------------------------------------------------------- activation and tabs

void frmServices::Form_Activate()
{
    for (int kind = 0; kind < KindCount; ++kind) {
        // An add or change left unfinished when the screen was left does not survive it.
        m_edit[kind] = Edit();
        grid(kind)->setEnabled(true);
        DisableEntry(kind);
    }
    if (tabServices->currentIndex() == 0)
        enterTab(0);
    else
        tabServices->setCurrentIndex(0);
}

void frmServices::tabServices_Click(int index)
{
    enterTab(index);
}

void frmServices::enterTab(int index)
{
    switch (index) {
    case 0:
        cmdServices[AddButton[Services]]->setFocus(Qt::OtherFocusReason);
        break;
    case 1:
        cmdServices[AddButton[SalesItems]]->setFocus(Qt::OtherFocusReason);
        break;
    case LaborTab:
        txtLabor[0]->setFocus(Qt::OtherFocusReason);
        break;
    case 3:
        cmdServices[AddButton[CustomItems]]->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- entry state

void frmServices::EnableEntry(int kind)
{
    setEntryEnabled(kind, true);
}

void frmServices::DisableEntry(int kind)
{
    cmdServices[ClearButton[kind]]->setEnabled(false);
    setEntryEnabled(kind, false);
}

void frmServices::setEntryEnabled(int kind, bool enabled)
{
    cmdServices[SaveButton[kind]]->setEnabled(enabled);
    txtDescription[kind]->setEnabled(enabled);
    switch (kind) {
    case Services:
        txtCharge[0]->setEnabled(enabled);
        break;
    case SalesItems:
        txtCharge[1]->setEnabled(enabled);
        txtCharge[2]->setEnabled(enabled);
        break;
    case CustomItems:
        txtCharge[3]->setEnabled(enabled);
        txtCharge[4]->setEnabled(enabled);
        break;
    }
}

void frmServices::ClearEntry(int kind)
{
    switch (kind) {
    case Services:
        txtDescription[0]->clear();
        txtCharge[0]->clear();
        lstTime->setCurrentRow(0);
        break;
    case SalesItems:
        for (QLineEdit *box : {txtDescription[1], txtCharge[1], txtOnHand, txtDiscountQty,
                               txtReorderAmount, txtReorderAt})
            box->clear();
        break;
    case CustomItems:
        for (QLineEdit *box : {txtDescription[2], txtCharge[3], txtCharge[4], txtCustomDiscItems})
            box->clear();
        break;
    }
}

// ---------------------------------------------------------------- buttons

void frmServices::cmdServices_Click(int index)
{
    switch (index) {
    case MenuButton:
        // A row that cannot be stored keeps the operator here to mend it; a file that
        // cannot be written is reported once and keeps what it holds, or there would
        // be no way back to the menu while it stays unwritable.
        if (const auto refused = m_catalog.checkRows()) {
            m_prompts.tell(*refused);
            return;
        }
        saveCatalog();
        m_navigator.show(Navigator::Target::MainMenu, this);
        return;
    case 1:
    case 8:
    case 18:
        addNew(index == 1 ? Services : index == 8 ? SalesItems : CustomItems);
        return;
    case 3:
    case 9:
    case 19:
        modifyItem(index == 3 ? Services : index == 9 ? SalesItems : CustomItems);
        return;
    case 4:
        saveService();
        return;
    case 13:
        saveSalesItem();
        return;
    case 22:
        saveCustomItem();
        return;
    case 5:
        txtDescription[0]->clear();
        txtCharge[0]->clear();
        txtDescription[0]->setFocus(Qt::OtherFocusReason);
        return;
    case 11:
        ClearEntry(SalesItems);
        return;
    case 21:
        ClearEntry(CustomItems);
        return;
    case 7:
    case 14:
    case 23:
        cancelEdit(index == 7 ? Services : index == 14 ? SalesItems : CustomItems);
        return;
    case 2:
    case 10:
    case 20:
        deleteItem(index == 2 ? Services : index == 10 ? SalesItems : CustomItems);
        return;
    case ClearPricesButton:
        txtCost->setText(regional::zeroCurrency());
        txtCharge[1]->setText(regional::zeroCurrency());
        txtCharge[2]->setText(regional::zeroCurrency());
        txtCost->setFocus(Qt::OtherFocusReason);
        return;
    case NoDiscountButton:
        txtDiscountQty->setText(QStringLiteral("0"));
        txtCharge[2]->setText(regional::zeroCurrency());
        return;
    case GeneralLaborButton:
        for (int row = 0; row < Catalog::LaborRows; ++row) {
            txtLabor[row]->clear();
            txtLaborRate[row]->clear();
        }
        txtLabor[0]->setText(Catalog::GeneralLabor);
        txtLaborRate[0]->setFocus(Qt::OtherFocusReason);
        return;
    case ClearAllButton:
        for (int row = 0; row < Catalog::LaborRows; ++row) {
            txtLabor[row]->clear();
            txtLaborRate[row]->clear();
        }
        txtLabor[0]->setFocus(Qt::OtherFocusReason);
        return;
    case ReloadLaborButton:
        m_catalog.LoadLaborRates();
        return;
    case SaveLaborButton:
        if (const auto failed = m_catalog.SaveLaborRates())
            m_prompts.tell(*failed);
        refreshLabor();
        tabServices->setCurrentIndex(0);
        return;
    default:
        return;
    }
}

void frmServices::addNew(int kind)
{
    m_edit[kind] = Edit();
    EnableEntry(kind);
    ClearEntry(kind);
    cmdServices[ClearButton[kind]]->setEnabled(true);
    // Deleting a row while an entry is open would leave the entry pointing elsewhere.
    cmdServices[DeleteButton[kind]]->setEnabled(false);
    txtDescription[kind]->setFocus(Qt::OtherFocusReason);
}

void frmServices::modifyItem(int kind)
{
    const int row = selectedRow(kind);
    if (row < 0) {
        m_prompts.beep();
        return;
    }
    const QStringList cells = m_catalog.cells(kindOf(kind), row);
    m_edit[kind] = Edit{true, row, cells, occurrenceOf(m_catalog, kindOf(kind), row)};
    EnableEntry(kind);
    cmdServices[ClearButton[kind]]->setEnabled(true);
    cmdServices[DeleteButton[kind]]->setEnabled(false);
    switch (kind) {
    case Services: {
        txtDescription[0]->setText(cells.value(0));
        txtCharge[0]->setText(cells.value(1));
        const auto found = lstTime->findItems(cells.value(2), Qt::MatchExactly);
        lstTime->setCurrentRow(found.isEmpty() ? 0 : lstTime->row(found.first()));
        break;
    }
    case SalesItems:
        txtDescription[1]->setText(cells.value(0));
        if (!(ckClearItem->isChecked() && !cboCategory->currentText().isEmpty()))
            cboCategory->setEditText(cells.value(1));
        txtCost->setText(cells.value(2));
        txtCharge[1]->setText(cells.value(3));
        txtOnHand->setText(cells.value(4));
        txtCharge[2]->setText(cells.value(5));
        txtDiscountQty->setText(cells.value(6));
        txtReorderAmount->setText(cells.value(7));
        txtReorderAt->setText(cells.value(8));
        break;
    case CustomItems:
        txtDescription[2]->setText(cells.value(0));
        txtCharge[3]->setText(cells.value(1));
        txtCharge[4]->setText(cells.value(2));
        txtCustomDiscItems->setText(cells.value(3));
        break;
    }
    grid(kind)->setEnabled(false);
}

bool frmServices::filled(QLineEdit *box, bool ignoreBlanks)
{
    const QString text = ignoreBlanks ? box->text().trimmed() : box->text();
    return !text.isEmpty() || refuse(box);
}

bool frmServices::refuse(QLineEdit *box, const QString &message)
{
    m_prompts.beep();
    // The cursor goes back before the message, so the message box returns it there.
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    if (!message.isEmpty())
        m_prompts.tell(message);
    return false;
}

namespace {

// The box's text as an amount, or nothing.
std::optional<Money> amountIn(const QLineEdit *box)
{
    return regional::parseMoney(box->text());
}

} // namespace

std::optional<Money> frmServices::amountOf(QLineEdit *box, const QString &field)
{
    const std::optional<Money> amount = amountIn(box);
    if (!amount)
        refuse(box, catalog::amountMessage(field));
    return amount;
}

void frmServices::saveService()
{
    if (!filled(txtDescription[0], true))
        return;
    if (!filled(txtCharge[0]))
        return;
    const std::optional<Money> charge = amountOf(txtCharge[0], QStringLiteral("Charge"));
    if (!charge)
        return;
    ServiceRecord service;
    service.description = txtDescription[0]->text();
    service.charge = regional::currencyText(*charge);
    service.allottedTime = qint16(qMax(0, lstTime->currentRow()));
    if (const auto tooLong = catalog::checkServiceCharge(service.charge)) {
        refuse(txtCharge[0], *tooLong);
        return;
    }

    const Edit edit = m_edit[Services];
    const std::optional<QString> refused = edit.modifying && edit.row >= 0
                                               ? m_catalog.replace(edit.row, service)
                                               : m_catalog.add(service);
    if (refused) {
        m_prompts.tell(*refused);
        return;
    }
    const int row =
        edit.modifying && edit.row >= 0 ? edit.row : m_catalog.rowCount(CatalogKind::Services) - 1;
    {
        const QSignalBlocker blocker(fgServices);
        fgServices->selectRow(row);
    }
    finishSave(Services);
    cmdServices[ModifyButton[Services]]->setEnabled(true);
}

void frmServices::saveSalesItem()
{
    if (!filled(txtDescription[1], true))
        return;
    if (!filled(txtCharge[1]))
        return;
    if (!filled(txtCharge[2]))
        return;
    if (!regional::isNumeric(txtOnHand->text())) {
        txtOnHand->setText(QStringLiteral("0"));
        refuse(txtOnHand);
        return;
    }
    if (txtCost->text().isEmpty())
        txtCost->setText(regional::zeroCurrency());
    if (txtReorderAmount->text().isEmpty())
        txtReorderAmount->setText(QStringLiteral("0"));
    if (txtReorderAt->text().isEmpty())
        txtReorderAt->setText(QStringLiteral("0"));
    if (txtDiscountQty->text().isEmpty())
        txtDiscountQty->setText(QStringLiteral("0"));

    // Every value must fit its field before the grid takes it.
    const std::optional<Money> cost = amountOf(txtCost, QStringLiteral("Cost"));
    if (!cost)
        return;
    const std::optional<Money> price = amountOf(txtCharge[1], QStringLiteral("Sell Price"));
    if (!price)
        return;
    const std::optional<Money> discountPrice =
        amountOf(txtCharge[2], QStringLiteral("Discount Price"));
    if (!discountPrice)
        return;
    struct Count
    {
        QLineEdit *box;
        const char *field;
        qint64 minimum;
        qint64 maximum;
        qint64 value = 0;
    };
    Count counts[] = {{txtOnHand, "On Hand", Int16Min, Int16Max},
                      {txtDiscountQty, "Discount Qty", Int32Min, Int32Max},
                      {txtReorderAmount, "Reorder Amount", Int16Min, Int16Max},
                      {txtReorderAt, "Reorder At", Int16Min, Int16Max}};
    for (Count &count : counts) {
        const auto value = catalog::countInRange(count.box->text(), count.minimum, count.maximum);
        if (!value) {
            refuse(count.box, catalog::countRangeMessage(QLatin1String(count.field), count.minimum,
                                                         count.maximum));
            return;
        }
        count.value = *value;
    }

    SalesItemRecord item;
    item.description = txtDescription[1]->text();
    item.category = cboCategory->currentText().trimmed();
    item.cost = *cost;
    item.price = *price;
    item.onHand = qint16(counts[0].value);
    item.discountPrice = *discountPrice;
    item.discountQty = qint32(counts[1].value);
    item.reorderAmount = qint16(counts[2].value);
    item.reorderAt = qint16(counts[3].value);

    const Edit edit = m_edit[SalesItems];
    const std::optional<QString> refused =
        edit.modifying && edit.row >= 0 ? m_catalog.replace(edit.row, item) : m_catalog.add(item);
    if (refused) {
        m_prompts.tell(*refused);
        return;
    }
    const int row = edit.modifying && edit.row >= 0
                        ? edit.row
                        : m_catalog.rowCount(CatalogKind::SalesItems) - 1;
    {
        const QSignalBlocker blocker(fgItems);
        fgItems->selectRow(row);
    }
    m_catalog.AddCategory(item.category);
    finishSave(SalesItems);
}

void frmServices::saveCustomItem()
{
    if (!filled(txtDescription[2], true))
        return;
    if (!filled(txtCharge[3]))
        return;
    if (!filled(txtCharge[4]))
        return;
    const std::optional<Money> price = amountOf(txtCharge[3], QStringLiteral("Sell Price"));
    if (!price)
        return;
    const std::optional<Money> discountPrice =
        amountOf(txtCharge[4], QStringLiteral("Discount Price"));
    if (!discountPrice)
        return;
    if (txtCustomDiscItems->text().isEmpty())
        txtCustomDiscItems->setText(QStringLiteral("0"));
    const auto quantity = catalog::countInRange(txtCustomDiscItems->text(), Int32Min, Int32Max);
    if (!quantity) {
        refuse(txtCustomDiscItems,
               catalog::countRangeMessage(QStringLiteral("Discount Qty"), Int32Min, Int32Max));
        return;
    }

    CustomItemRecord item;
    item.description = txtDescription[2]->text();
    item.price = *price;
    item.discountPrice = *discountPrice;
    item.discountQty = qint32(*quantity);

    const Edit edit = m_edit[CustomItems];
    const std::optional<QString> refused =
        edit.modifying && edit.row >= 0 ? m_catalog.replace(edit.row, item) : m_catalog.add(item);
    if (refused) {
        m_prompts.tell(*refused);
        return;
    }
    const int row = edit.modifying && edit.row >= 0
                        ? edit.row
                        : m_catalog.rowCount(CatalogKind::CustomItems) - 1;
    {
        const QSignalBlocker blocker(fgCustom);
        fgCustom->selectRow(row);
    }
    finishSave(CustomItems);
}

void frmServices::finishSave(int kind)
{
    grid(kind)->setEnabled(true);
    m_edit[kind] = Edit();
    ClearEntry(kind);
    DisableEntry(kind);
}

void frmServices::cancelEdit(int kind)
{
    grid(kind)->setEnabled(true);
    m_edit[kind] = Edit();
    DisableEntry(kind);
    ClearEntry(kind);
}

void frmServices::deleteItem(int kind)
{
    const int row = selectedRow(kind);
    if (editing(kind) || row < 0) {
        m_prompts.beep();
        return;
    }
    static const QString texts[3][2] = {
        {QStringLiteral("This will DELETE the Selected Service"),
         QStringLiteral("Delete Service Item")},
        {QStringLiteral("This will DELETE the Selected Sales Item"),
         QStringLiteral("Delete Sales Item")},
        {QStringLiteral("This will DELETE the Selected Custom Item"),
         QStringLiteral("Delete Sales Item")},
    };
    if (!m_prompts.askToDestroy(texts[kind][0], texts[kind][1]))
        return;
    if (const auto failed = m_catalog.DeleteEntry(kindOf(kind), row))
        m_prompts.tell(*failed);
    cmdServices[DeleteButton[kind]]->setEnabled(false);
}

bool frmServices::saveCatalog()
{
    if (const auto failed = m_catalog.SaveCatalog()) {
        m_prompts.tell(*failed);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- keys and focus

void frmServices::watchBox(QLineEdit *box)
{
    box->installEventFilter(this);
    m_leave->onLeave(box, [this, box] { lostFocus(box); });
}

bool frmServices::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            tabServices->setCurrentIndex((tabServices->currentIndex() + 1) % TabCount);
            return true;
        }
        return Screen::eventFilter(watched, event);
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return Screen::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        keyDown(box, static_cast<QKeyEvent *>(event));
    return Screen::eventFilter(watched, event);
}

void frmServices::keyDown(QLineEdit *box, QKeyEvent *event)
{
    // A box showing zero is emptied by a key that types or deletes, so typing
    // replaces the zero; Tab and the arrows leave it alone.
    if (!editsText(event))
        return;
    const bool moneyBox =
        box == txtCost ||
        std::find(std::begin(txtCharge), std::end(txtCharge), box) != std::end(txtCharge) ||
        std::find(std::begin(txtLaborRate), std::end(txtLaborRate), box) != std::end(txtLaborRate);
    const bool countBox =
        box == txtOnHand || box == txtReorderAmount || box == txtReorderAt || box == txtDiscountQty;
    if ((moneyBox && box->text() == regional::zeroCurrency()) ||
        (countBox && box->text() == QStringLiteral("0")))
        box->clear();
}

void frmServices::lostFocus(QLineEdit *box)
{
    const QString text = box->text();
    const std::optional<Money> amount = regional::parseMoney(text);
    if (box == txtCharge[0] || box == txtCharge[1]) {
        if (text.isEmpty() || !amount) {
            box->setText(regional::zeroCurrency());
            refuse(box);
            return;
        }
        box->setText(regional::currencyText(*amount));
        return;
    }
    if (box == txtCharge[2]) {
        if (!text.isEmpty() && amount) {
            box->setText(regional::currencyText(*amount));
        } else {
            m_prompts.beep();
            box->setText(txtCharge[1]->text());
        }
        return;
    }
    if (box == txtCost) {
        if (!text.isEmpty() && amount)
            box->setText(regional::currencyText(*amount));
        return;
    }
    if (box == txtDiscountQty) {
        if (text.isEmpty())
            box->setText(QStringLiteral("0"));
        return;
    }
    for (int row = 0; row < Catalog::LaborRows; ++row) {
        if (box != txtLaborRate[row])
            continue;
        if (!text.isEmpty() && amount) {
            box->setText(regional::currencyText(*amount));
        } else if (txtLabor[row]->text().trimmed().isEmpty()) {
            // A row without a heading needs no rate.
            box->clear();
        } else {
            box->setFocus(Qt::OtherFocusReason);
            m_prompts.tell(LaborRateMessage);
        }
        return;
    }
}

// ---------------------------------------------------------------- leaving

void frmServices::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        m_leave->setQuiet(true);
        saveCatalog();
        if (!m_catalog.laborAtAbsentFileDefaults()) {
            if (const auto failed = m_catalog.SaveLaborRates())
                m_prompts.tell(*failed);
        }
        m_closing = false;
        m_leave->setQuiet(false);
    }
    Screen::closeEvent(event);
}
