#include "invoice/frminvoice.h"

#include "catalog/catalog.h"
#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/keyfilters.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "invoice/invoicefiles.h"
#include "posting/invoicetotals.h"
#include "posting/postedrecords.h"
#include "setup/businesssettings.h"
#include "ui/keyfilterglue.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

const QString NoNumberMessage = QStringLiteral("You have not entered an Invoice Number");

} // namespace

frmInvoice::frmInvoice(InvoiceDocument &document, ApplicationState &state, Catalog &catalog,
                       BusinessSettings &settings, DataFolder &data, Prompts &prompts,
                       const Clock &clock, Navigator &navigator, QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_doc(document), m_state(state),
      m_catalog(catalog), m_settings(settings), m_data(data), m_prompts(prompts), m_clock(clock),
      m_navigator(navigator), m_session(document, clock), m_numbering(data, clock)
{
    setObjectName(QStringLiteral("frmInvoice"));
    setWindowTitle(QStringLiteral("Invoice Creation"));
    ui.setupUi(this);
    m_model = new InvoiceLinesModel(m_session, this);
    ui.fgInvoice->setModel(m_model);
    const int charWidth = ui.fgInvoice->fontMetrics().averageCharWidth();
    const int widths[InvoiceLine::ColumnCount] = {8, 40, 11, 12, 12, 7};
    for (int column = 0; column < InvoiceLine::ColumnCount; ++column)
        ui.fgInvoice->setColumnWidth(column, widths[column] * charWidth + 12);

    fillFixedLists();
    LoadMemo();
    connectHeader();
    connectLines();
    connectPrintSetup();
    connectSaved();

    hidePanels();
    ui.fraShipping->hide();
    ui.fraTemplates->hide();
    ui.fraDiscount->hide();
    ui.fraFlat->hide();
    ui.fraPrePaid->hide();
    ui.cmdPrint->hide();
    ui.UpDown1->setEnabled(false);
    resize(1180, 760);
    restoreGeometryFromSettings();
}

frmInvoice::~frmInvoice() = default;

// ---------------------------------------------------------------- creation

void frmInvoice::fillFixedLists()
{
    ui.cboDiscount->addItems({QStringLiteral("0.0"), QStringLiteral("1.0"), QStringLiteral("1.5"),
                              QStringLiteral("2.0"), QStringLiteral("0,0"), QStringLiteral("1,0"),
                              QStringLiteral("1,5"), QStringLiteral("2,0")});
    ui.cboDiscount->setCurrentIndex(3);
    ui.cboDays->addItems({QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("15"),
                          QStringLiteral("20"), QStringLiteral("30")});
    ui.cboDays->setCurrentIndex(1);
    ui.cboPrepaid->addItems(posting::PaymentForms());
    ui.cboPrepaid->setCurrentIndex(-1);
    ui.cboShipping->addItems(invoicefiles::carriers());
    ui.cboShipping->setCurrentIndex(-1);
}

void frmInvoice::connectHeader()
{
    connect(ui.mnuSetup, &QAction::triggered, this, &frmInvoice::mnuSetup_Click);
    connect(ui.mnuCreate, &QAction::triggered, this, &frmInvoice::mnuCreate_Click);
    connect(ui.mnuPrint, &QAction::triggered, this, &frmInvoice::mnuPrint_Click);
    connect(ui.mnuClose, &QAction::triggered, this, &frmInvoice::mnuClose_Click);
    for (int index : {0, 1, 2})
        connect(ui.cmdInvoice[index], &QPushButton::clicked, this, [this, index] { cmdInvoice_Click(index); });
    connect(ui.cmdExit, &QPushButton::clicked, this, [this] { returnToMenu(false); });
    connect(ui.cmdRedo, &QPushButton::clicked, this, &frmInvoice::redo);
    connect(ui.cmdShipToAddress[0], &QPushButton::clicked, this, &frmInvoice::shipToSameAsSoldTo);
    connect(ui.cmdShipToAddress[1], &QPushButton::clicked, this, &frmInvoice::clearShipTo);
    connect(ui.cmdResetDate, &QPushButton::clicked, this, &frmInvoice::resetDate);
    connect(ui.cmdPrint, &QPushButton::clicked, this, &frmInvoice::enterPrintSetup);
    connect(ui.cmdShipping[0], &QPushButton::clicked, this,
            [this] { ui.fraShipping->setVisible(!ui.fraShipping->isVisible()); });
    connect(ui.cmdShipping[1], &QPushButton::clicked, ui.fraShipping, &QWidget::hide);
    connect(ui.cmdInstructions, &QPushButton::clicked, this, [this] {
        // Shows the view's instructions, or hides whichever are shown.
        bool anyShown = false;
        for (QGroupBox *panel : ui.fraInstructions)
            anyShown = anyShown || panel->isVisible();
        for (QGroupBox *panel : ui.fraInstructions)
            panel->hide();
        if (!anyShown) {
            const int view = ui.fraSetup->isVisible() ? 0 : ui.fraPrintReady->isVisible() ? 2 : 1;
            ui.fraInstructions[view]->show();
        }
    });
    connect(ui.cmdTemplate[3], &QPushButton::clicked, this, [this] {
        for (QGroupBox *panel : ui.fraInstructions)
            panel->hide();
        ui.fraInstructions[4]->show();
    });
    connect(ui.cmdTemplate[4], &QPushButton::clicked, this, [this] {
        for (QGroupBox *panel : ui.fraInstructions)
            panel->hide();
        ui.fraInstructions[1]->show();
    });

    attachKeyFilter(ui.txtInvoiceNo, [this](int key, const QString &text) {
        key = keyfilters::NameKeyFilter(key, text, m_prompts);
        return key ? keyfilters::MoneyKeyFilter(key, text) : 0;
    });
    for (QLineEdit *box : ui.txtShipto)
        attachQuoteFilter(box, m_prompts);
    attachQuoteFilter(ui.txtReference, m_prompts);
    ui.txtInvoiceNo->installEventFilter(this);
    ui.txtReference->installEventFilter(this);

    // Every edit goes into the document, which printing, posting and saving read.
    connect(ui.txtInvoiceNo, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_filling)
            m_doc.number = text;
    });
    for (int i = 0; i < InvoiceControls::ShipToBoxes; ++i) {
        connect(ui.txtShipto[i], &QLineEdit::textChanged, this, [this, i](const QString &text) {
            if (m_filling)
                return;
            if (i < InvoiceDocument::ShipToLines)
                m_doc.shipTo[std::size_t(i)] = text;
            else
                m_doc.attention = text;
        });
    }
    connect(ui.txtReference, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_filling)
            m_doc.reference = text;
    });
    connect(ui.DTShip, &QDateEdit::dateChanged, this, [this](const QDate &date) {
        if (!m_filling)
            m_doc.shipDate = date;
    });
    connect(ui.cboShipping, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        if (!m_filling)
            m_doc.carrier = text;
    });
    connect(ui.cboTerms, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        if (!m_filling)
            m_doc.terms = text;
    });
    const std::pair<QCheckBox *, bool InvoiceOptions::*> options[] = {
        {ui.ckAddMemo, &InvoiceOptions::addMemo},
        {ui.ckExempt, &InvoiceOptions::exempt},
        {ui.ck2ndTax, &InvoiceOptions::secondTax},
        {ui.ckApplyVolumeDiscount, &InvoiceOptions::volumePricing},
        {ui.ckPackingList, &InvoiceOptions::packingList},
        {ui.ckPrepaid, &InvoiceOptions::prepaid},
        {ui.ckShipto, &InvoiceOptions::printShipTo},
        {ui.ckFrom, &InvoiceOptions::printFrom},
    };
    for (const auto &[box, field] : options) {
        connect(box, &QCheckBox::toggled, this, [this, field = field](bool on) {
            if (!m_filling)
                m_doc.options.*field = on;
        });
    }

    // The service date is taken when a day is clicked in the calendar and when the
    // operator finishes typing it, never on each digit.
    connect(ui.DTPicker1->calendarWidget(), &QCalendarWidget::clicked, this,
            &frmInvoice::serviceDateChosen);
    connect(ui.DTPicker1, &QDateEdit::editingFinished, this,
            [this] { serviceDateChosen(ui.DTPicker1->date()); });
}

// ---------------------------------------------------------------- activation

void frmInvoice::Form_Activate()
{
    // 1. A kind of line whose catalog file is missing cannot be added.
    m_filePresent[0] = m_data.FileIsPresent(Catalog::ServicesFile);
    m_filePresent[1] = m_data.FileIsPresent(Catalog::SalesItemsFile);
    m_filePresent[2] = m_data.FileIsPresent(Catalog::CustomItemsFile);

    abandonKeptInvoice();

    // 2. The mode.
    const bool recalled = m_state.resumedPartial;
    if (!recalled) {
        LoadNextInvoiceNumber();
        ui.cmdInvoice[0]->setText(QStringLiteral("Continue......"));
        ui.cmdInvoice[0]->setToolTip(QStringLiteral("Create this Invoice"));
        ui.cmdInvoice[2]->setEnabled(true);
        ui.lblInvoiceNo->show();
        ui.txtInvoiceNo->setReadOnly(false);
        ui.DTPicker1->setDate(m_clock.today());
        ui.DTShip->setDate(m_clock.today());
        m_doc.shipDate = m_clock.today();
        ClearInvoice();
        refreshTemplates();
    } else {
        ui.cmdInvoice[0]->setText(QStringLiteral("Add To......."));
        ui.cmdInvoice[0]->setToolTip(QStringLiteral("Continues the Creation of this Invoice"));
        ui.cmdInvoice[2]->setEnabled(false);
        ui.txtInvoiceNo->setReadOnly(true);
        ui.lblInvoiceNo->hide();
        ui.fraTemplates->hide();
        showDocument();
    }
    ui.cmdInvoice[0]->setAccessibleName(ui.cmdInvoice[0]->text());

    // 3. to 8.
    resetInvoiceButtons();
    ResetLabor();
    fillTerms();
    layoutSoldTo();
    showTaxHeadings();
    LoadLaborCategories();
    m_doc.PrintingDraft = false;
    ui.cmdAddDiscount->setEnabled(true);
    ui.cmdInvoiceContinue->setEnabled(false);
    updateLineStates();

    // 9. and 10.
    mnuSetup_Click();
    showSoldTo();
    if (!recalled)
        ui.txtShipto[6]->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::resetInvoiceButtons()
{
    const bool second = m_settings.taxes().apply2;
    ui.ck2ndTax->setEnabled(second);
    ui.ck2ndTax->setChecked(second);
    m_doc.options.secondTax = second;
    ui.lblDiscountPrice->hide();
}

void frmInvoice::fillTerms()
{
    const QSignalBlocker blocker(ui.cboTerms);
    ui.cboTerms->clear();
    ui.cboTerms->addItems(invoicetotals::TermsList());
    ui.cboTerms->setCurrentIndex(0);
    // The stored default becomes the text; it is never added as an entry.
    if (const std::optional<QString> terms = invoicefiles::defaultTerms(m_data)) {
        const int at = ui.cboTerms->findText(*terms, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (at >= 0)
            ui.cboTerms->setCurrentIndex(at);
        else
            ui.cboTerms->setEditText(*terms);
    }
    m_doc.terms = ui.cboTerms->currentText();
}

void frmInvoice::layoutSoldTo()
{
    // Label 4 and 10 hold the state; other styles put city and ZIP in its place.
    const bool usa = m_settings.usaStyle();
    ui.lblCustomer[4]->setVisible(usa);
    ui.lblCustomer[10]->setVisible(usa);
}

namespace {
constexpr int ShownHeadingLength = 40;
}

void frmInvoice::showTaxHeadings()
{
    const settingsfiles::TaxSettings &taxes = m_settings.taxes();
    // Only the start of a heading is shown: a damaged settings file could hold one line
    // long enough to stretch the window past any screen.
    ui.lblTax->setText(taxes.heading1.left(ShownHeadingLength));
    if (m_settings.invoiceSettings().applyGraduated)
        ui.lblTax2->setText(QStringLiteral("Tax Surcharge"));
    else if (taxes.apply2)
        ui.lblTax2->setText(taxes.heading2.left(ShownHeadingLength));
    else
        ui.lblTax2->setText(QStringLiteral("2nd Tax"));
}

void frmInvoice::showSoldTo()
{
    const QString soldTo[6] = {m_doc.Customer, m_doc.Street, m_doc.Address2,
                               m_doc.Address3, m_doc.State,  m_doc.Address4};
    for (int i = 0; i < 6; ++i) {
        ui.lblCustomer[i]->setText(soldTo[i]);
        ui.lblCustomer[i + 6]->setText(soldTo[i]);
    }
    ui.lblAcct->setText(m_doc.AcctNo);
    ui.lblAcctNo->setText(m_doc.AcctNo);
}

// A recalled invoice: the document was filled from its file.
void frmInvoice::showDocument()
{
    m_filling = true;
    ui.txtInvoiceNo->setText(m_doc.number);
    for (int i = 0; i < InvoiceDocument::ShipToLines; ++i)
        ui.txtShipto[i]->setText(m_doc.shipTo[std::size_t(i)]);
    ui.txtShipto[6]->setText(m_doc.attention);
    ui.txtReference->setText(m_doc.reference);
    ui.DTPicker1->setDate(m_doc.CreationDate.isValid() ? m_doc.CreationDate : m_clock.today());
    // A partial invoice keeps no ship date, carrier or options: the boxes keep theirs
    // (the memo box ticked while a memo is loaded), and the document takes them, so
    // what prints and posts is what the screen shows.
    if (!m_doc.shipDate.isValid())
        m_doc.shipDate = m_clock.today();
    ui.DTShip->setDate(m_doc.shipDate);
    if (m_doc.carrier.isEmpty())
        m_doc.carrier = ui.cboShipping->currentText();
    ui.cboShipping->setEditText(m_doc.carrier);
    m_doc.options.addMemo = ui.ckAddMemo->isChecked();
    m_doc.options.exempt = ui.ckExempt->isChecked();
    m_doc.options.volumePricing = ui.ckApplyVolumeDiscount->isChecked();
    m_doc.options.packingList = ui.ckPackingList->isChecked();
    m_doc.options.prepaid = ui.ckPrepaid->isChecked();
    m_doc.options.printShipTo = ui.ckShipto->isChecked();
    m_doc.options.printFrom = ui.ckFrom->isChecked();
    m_filling = false;
    m_doc.serviceDate = ui.DTPicker1->date();
    m_serviceDate = ui.DTPicker1->date();
    emit m_session.linesChanged(1, InvoiceDocument::MaxLines);
}

// ---------------------------------------------------------------- numbering

void frmInvoice::LoadNextInvoiceNumber()
{
    m_doc.InvoiceCounter = m_numbering.LoadNextInvoiceNumber();
    ui.txtInvoiceNo->setReadOnly(false);
    ui.txtInvoiceNo->setText(QString::number(m_doc.InvoiceCounter));
}

bool frmInvoice::AdvanceInvoiceNumber()
{
    if (!m_numbering.AdvanceInvoiceNumber(ui.txtInvoiceNo->text()))
        return false;
    m_doc.InvoiceCounter = *InvoiceNumbering::parseNumber(ui.txtInvoiceNo->text()) + 1;
    return true;
}

bool frmInvoice::WriteInvoiceNumber(qint32 number)
{
    return m_numbering.WriteInvoiceNumber(number);
}

// ---------------------------------------------------------------- clearing

void frmInvoice::ClearInvoice()
{
    const bool newInvoice = !m_state.resumedPartial;
    m_session.ClearInvoice(newInvoice);
    const QString zero = invoicelines::zeroText();
    for (QLineEdit *box : {ui.txtMisc, ui.txtShip, ui.txtDiscount, ui.txtFlatDiscount, ui.txtTotal,
                           ui.txtTax, ui.txtTax2, ui.txtGrandTotal})
        box->setText(zero);
    ResetLabor();
    ui.txtUnits->clear();
    ui.txtNarrative->clear();
    if (newInvoice)
        ui.txtReference->clear();
    ui.DTPicker1->setDate(m_clock.today());
    m_serviceDate = m_clock.today();
    updateLineStates();
}

// ---------------------------------------------------------------- views

void frmInvoice::hidePanels()
{
    for (QWidget *panel : {static_cast<QWidget *>(ui.fraItems), static_cast<QWidget *>(ui.fraCItems),
                           static_cast<QWidget *>(ui.fraLabor), static_cast<QWidget *>(ui.fraManual),
                           static_cast<QWidget *>(ui.fraNarrative), static_cast<QWidget *>(ui.fraServices),
                           static_cast<QWidget *>(ui.fraMemo), static_cast<QWidget *>(ui.fraSetup),
                           static_cast<QWidget *>(ui.fraPrintReady)})
        panel->hide();
    for (QGroupBox *panel : ui.fraInstructions)
        panel->hide();
}

void frmInvoice::mnuSetup_Click()
{
    hidePanels();
    ui.fgInvoice->hide();
    ui.mnuAdd->menuAction()->setVisible(false);
    ui.fraSetup->show();
    ui.fraInstructions[0]->show();
}

void frmInvoice::mnuCreate_Click()
{
    hidePanels();
    ui.fgInvoice->show();
    ui.mnuAdd->menuAction()->setVisible(true);
    ui.fraInstructions[1]->show();
}

void frmInvoice::mnuPrint_Click()
{
    hidePanels();
    ui.fgInvoice->show();
    ui.mnuAdd->menuAction()->setVisible(false);
    ui.fraPrintReady->show();
    ui.fraInstructions[2]->show();
}

void frmInvoice::mnuClose_Click()
{
    hidePanels();
}

// ---------------------------------------------------------------- header buttons

void frmInvoice::cmdInvoice_Click(int index)
{
    switch (index) {
    case 0:
        startInvoice();
        break;
    case 1:
        returnToMenu(true);
        break;
    case 2:
        ui.txtInvoiceNo->setText(QString::number(m_doc.InvoiceCounter));
        break;
    default:
        break;
    }
}

void frmInvoice::startInvoice()
{
    const QString number = ui.txtInvoiceNo->text();
    if (const std::optional<double> value = regional::numeric(number);
        value && *value >= 0 && *value <= InvoiceNumbering::Largest)
        m_doc.InvoiceCounter = qint32(regional::roundToEven(*value));
    if (number.isEmpty()) {
        m_prompts.tell(NoNumberMessage);
        mnuCreate_Click();
        ui.txtInvoiceNo->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The number names the invoice's files: a new invoice may not take one that is
    // already on record, which posting would silently replace.
    const std::optional<QString> refusal =
        m_state.resumedPartial
            ? (InvoiceNumbering::parseNumber(number)
                   ? std::nullopt
                   : std::optional<QString>(InvoiceNumbering::invalidNumberMessage(number)))
            : m_numbering.checkNewNumber(number);
    if (refusal) {
        m_prompts.tell(*refusal);
        ui.txtInvoiceNo->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (ui.txtReference->text().isEmpty())
        ui.txtReference->setText(QStringLiteral("Prepared ") + regional::shortDate(m_clock.today()));
    ui.cmdTemplate[2]->setEnabled(true);
    mnuCreate_Click();
    if (!m_session.line(1)[InvoiceLine::Description].isEmpty()) {
        ui.cmdPrint->show();
        ui.cmdPrint->setEnabled(true);
    }
}

void frmInvoice::shipToSameAsSoldTo()
{
    for (int i = 0; i < 6; ++i)
        ui.txtShipto[i]->setText(ui.lblCustomer[i + 6]->text());
}

void frmInvoice::clearShipTo()
{
    for (int i = 0; i < 6; ++i)
        ui.txtShipto[i]->clear();
    ui.txtShipto[0]->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::resetDate()
{
    m_session.setLineDate(selectedLine(), QString());
}

void frmInvoice::serviceDateChosen(const QDate &date)
{
    if (date == m_serviceDate)
        return;
    if (date > m_clock.today()) {
        m_prompts.beep();
        const QSignalBlocker blocker(ui.DTPicker1);
        ui.DTPicker1->setDate(m_serviceDate);
        return;
    }
    m_serviceDate = date;
    m_doc.serviceDate = date;
    const int n = selectedLine();
    if (regional::isNumeric(m_session.line(n)[InvoiceLine::Units]))
        m_session.setLineDate(n, regional::shortDate(date));
}

void frmInvoice::returnToMenu(bool keepInvoice)
{
    const bool newInvoice = !m_state.resumedPartial;
    m_state.resumedPartial = false;
    if (keepInvoice && newInvoice)
        m_keptNumber = ui.txtInvoiceNo->text();
    if (!keepInvoice) {
        if (newInvoice)
            abandonNewInvoice();
        ClearInvoice();
        ui.txtInvoiceNo->clear();
    }
    storeDiscountDefaults();
    m_settings.SaveSettings();
    m_closing = true;
    m_navigator.show(Navigator::Target::MainMenu, this);
    m_closing = false;
}

void frmInvoice::redo()
{
    ui.fraPrintReady->hide();
    resetInvoiceButtons();
    ClearInvoice();
}

// ---------------------------------------------------------------- leaving boxes

bool frmInvoice::operatorLeft(QObject *box, QFocusEvent *event) const
{
    const auto *widget = static_cast<QWidget *>(box);
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason && !m_closing && !m_checkingFocus &&
           widget->isVisible() && widget->isEnabled();
}

void frmInvoice::referenceLeft()
{
    if (ui.txtReference->text().isEmpty())
        ui.txtReference->setText(QStringLiteral("Prepared ") + regional::shortDate(m_clock.today()));
}

void frmInvoice::invoiceNumberLeft()
{
    if (!ui.txtInvoiceNo->text().isEmpty())
        return;
    m_prompts.tell(QStringLiteral("Enter an Invoice Number"));
    ui.txtInvoiceNo->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::closeEvent(QCloseEvent *event)
{
    if (isVisible()) {
        storeDiscountDefaults();
        m_settings.SaveSettings();
    }
    m_closing = true;
    Screen::closeEvent(event);
    m_closing = false;
}
