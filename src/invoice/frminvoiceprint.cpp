#include "invoice/frminvoice.h"

#include "catalog/catalog.h"
#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/keyfilters.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "invoice/incompleteinvoices.h"
#include "invoice/invoicefiles.h"
#include "invoice/partialinvoice.h"
#include "posting/invoiceposting.h"
#include "posting/invoicetotals.h"
#include "printing/invoicepdf.h"
#include "printing/page.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "setup/businesssettings.h"
#include "ui/keyfilterglue.h"
#include "ui/leavewatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString PrintErrorText = QStringLiteral("A Print Error has occurred");
const QString PrintErrorTitle = QStringLiteral("Print Error");

QString zero()
{
    return regional::currencyText(Money());
}

// A key typed into a box that shows Money 0 replaces the 0. Installed after the
// box's key filter, so it runs first and the filter sees the emptied box.
class ZeroReplacer final : public QObject
{
public:
    explicit ZeroReplacer(QLineEdit *box) : QObject(box), m_box(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent *>(event)->text();
            if (!typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\b') &&
                m_box->text() == zero())
                m_box->clear();
        }
        return false;
    }

private:
    QLineEdit *m_box;
};

// Restores the normal pointer however the job ends.
struct BusyPointer
{
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

void frmInvoice::setPrinting(PageSource &pages)
{
    m_pages = &pages;
}

void frmInvoice::connectPrintSetup()
{
    m_printWatcher = new LeaveWatcher(this);
    showDiscountDefaults();
    connect(&m_settings, &BusinessSettings::invoiceSettingsChanged, this,
            &frmInvoice::showDiscountDefaults);

    // Anything that changes what the grand total would be asks for finalizing again.
    connect(&m_session, &InvoiceSession::linesChanged, ui.cmdInvoiceContinue,
            [this] { ui.cmdInvoiceContinue->setEnabled(false); });

    connect(ui.cboTerms, &QComboBox::activated, this, &frmInvoice::termsChosen);
    for (int option = 0; option < 3; ++option)
        connect(ui.optDiscount[option], &QRadioButton::clicked, this,
                [this, option] { discountOptionChosen(option); });
    connect(ui.ckDiscount, &QCheckBox::clicked, this, &frmInvoice::applyDiscountClicked);
    connect(ui.cboDiscount, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { m_doc.discountRate = text; });
    connect(ui.cboDays, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { m_doc.discountDays = text; });
    connect(ui.cmdReadyPrint[0], &QPushButton::clicked, this, &frmInvoice::saveDefaultTerms);

    attachMoneyFilter(ui.txtFlatDiscount);
    new ZeroReplacer(ui.txtFlatDiscount);
    m_printWatcher->onLeave(ui.txtFlatDiscount, [this] { flatDiscountLeft(); });
    connect(ui.cmdAddDiscount, &QPushButton::clicked, this, &frmInvoice::deductDiscount);

    QLineEdit *const charges[2] = {ui.txtShip, ui.txtMisc};
    for (int which = 0; which < 2; ++which) {
        attachMoneyFilter(charges[which]);
        new ZeroReplacer(charges[which]);
        m_printWatcher->onEnter(charges[which], [this, which] { chargeEntered(which); });
        m_printWatcher->onLeave(charges[which], [this, which] { chargeLeft(which); });
        connect(ui.cmdResetCharge[which], &QPushButton::clicked, this,
                [this, which] { resetCharge(which); });
    }

    connect(ui.cmdCancelPrint, &QPushButton::clicked, this, &frmInvoice::clearTotals);
    connect(ui.cmdInvoice[9], &QPushButton::clicked, this, &frmInvoice::finalizeInvoice);
    connect(ui.cmdInvoiceContinue, &QPushButton::clicked, this, &frmInvoice::cmdInvoiceContinue_Click);

    connect(ui.txtPrepaid, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_doc.prepaidAmount = text; });
    connect(ui.cboPrepaid, &QComboBox::editTextChanged, this,
            [this](const QString &text) { m_doc.prepaidForm = text; });
    connect(ui.cboPrepaid, &QComboBox::activated, this, &frmInvoice::prepaidFormChosen);
    connect(ui.cmdPrepaid[0], &QPushButton::clicked, this, &frmInvoice::cmdInvoiceContinue_Click);
    connect(ui.cmdPrepaid[1], &QPushButton::clicked, this, &frmInvoice::cancelPrepaid);
}

// ---------------------------------------------------------------- discount defaults

void frmInvoice::showDiscountDefaults()
{
    const settingsfiles::InvoiceSettings &settings = m_settings.invoiceSettings();
    const auto select = [](QComboBox *list, const QString &text) {
        const int at = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (at >= 0)
            list->setCurrentIndex(at);
    };
    select(ui.cboDiscount, settings.discountRate);
    select(ui.cboDays, settings.discountDays);
    m_doc.discountRate = ui.cboDiscount->currentText();
    m_doc.discountDays = ui.cboDays->currentText();
}

void frmInvoice::storeDiscountDefaults()
{
    m_settings.setDefaultDiscount(ui.cboDiscount->currentText(), ui.cboDays->currentText());
}

// ---------------------------------------------------------------- totals

void frmInvoice::enterPrintSetup()
{
    invoicetotals::EnterPrintSetup(m_doc, m_settings.taxes(), m_settings.invoiceSettings());
    ui.txtFlatDiscount->setText(zero());
    ui.cmdAddDiscount->setEnabled(true);
    ui.cmdInvoiceContinue->setEnabled(false);
    const bool perforated = m_settings.invoiceSettings().remittanceSlip;
    ui.lblPaper->setText(perforated ? QStringLiteral("Insert Perforated Response Paper")
                                    : QStringLiteral("Insert Standard Paper"));
    mnuPrint_Click();
    ui.lblFeedHint->setVisible(perforated);
    showSubtotal();
}

void frmInvoice::showSubtotal()
{
    if (m_doc.Total > Money())
        ui.txtTotal->setText(regional::currencyText(m_doc.Total));
}

void frmInvoice::showGrandTotal()
{
    ui.txtGrandTotal->setText(regional::currencyText(m_doc.GrandTotal));
    ui.txtTotal->setText(regional::currencyText(m_doc.Total));
    ui.txtTax->setText(regional::currencyText(m_doc.Tax));
    ui.txtTax2->setText(regional::currencyText(m_doc.Tax2));
}

// The discount controls as the document holds them, without raising their clicks.
void frmInvoice::showDiscountChoice()
{
    const QSignalBlocker terms(ui.cboTerms);
    const int position = invoicetotals::TermsList().indexOf(m_doc.terms);
    if (position >= 0)
        ui.cboTerms->setCurrentIndex(position);
    ui.optDiscount[int(m_doc.discountOption)]->setChecked(true);
    ui.ckDiscount->setChecked(m_doc.applyDiscount);
    for (QComboBox *list : {ui.cboDiscount, ui.cboDays}) {
        const QString &text = list == ui.cboDiscount ? m_doc.discountRate : m_doc.discountDays;
        const int at = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (at >= 0)
            list->setCurrentIndex(at);
    }
}

void frmInvoice::termsChosen(int position)
{
    m_doc.terms = ui.cboTerms->itemText(position);
    if (position == invoicetotals::FlatDiscountTerms || position < 0)
        return;
    invoicetotals::ChooseTerms(m_doc, position);
    // The option the terms select behaves as if clicked; it agrees with them, so no
    // terms reset follows.
    discountOptionChosen(int(m_doc.discountOption));
}

void frmInvoice::discountOptionChosen(int option)
{
    ui.fraDiscount->hide();
    ui.fraFlat->hide();
    ui.cmdInvoiceContinue->setEnabled(false);
    const int terms = invoicetotals::TermsList().indexOf(ui.cboTerms->currentText());
    const std::optional<invoicetotals::TermsReset> reset =
        invoicetotals::ChooseDiscountOption(m_doc, DiscountOption(option), terms);
    ui.txtDiscount->setText(zero());
    if (option == int(DiscountOption::Flat)) {
        ui.fraFlat->show();
        ui.txtFlatDiscount->clear();
        ui.txtFlatDiscount->setFocus(Qt::OtherFocusReason);
        if (m_doc.GrandTotal > Money())
            showGrandTotal();
        ui.cmdAddDiscount->setEnabled(true);
    }
    showDiscountChoice();
    if (reset)
        m_prompts.tell(reset->message);
    if (option == int(DiscountOption::Calculate))
        ui.fraDiscount->show();
}

void frmInvoice::applyDiscountClicked(bool on)
{
    if (on) {
        m_doc.applyDiscount = true;
        return;
    }
    invoicetotals::UntickApplyDiscount(m_doc);
    showDiscountChoice();
}

void frmInvoice::saveDefaultTerms()
{
    if (!invoicefiles::saveDefaultTerms(m_data, ui.cboTerms->currentText()))
        m_prompts.tell(QStringLiteral("The default terms could not be saved."));
}

void frmInvoice::flatDiscountLeft()
{
    const QString text = ui.txtFlatDiscount->text();
    if (!regional::isNumeric(text))
        return;
    if (const std::optional<Money> amount = regional::parseMoney(text))
        ui.txtFlatDiscount->setText(regional::currencyText(*amount));
    ui.cmdAddDiscount->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::deductDiscount()
{
    const Money flat = regional::parseMoney(ui.txtFlatDiscount->text()).value_or(Money());
    const std::optional<QString> refusal = invoicetotals::DeductFlatDiscount(
        m_doc, flat, m_settings.taxes(), m_settings.invoiceSettings());
    showSubtotal();
    ui.cmdInvoiceContinue->setEnabled(false);
    if (!refusal) {
        ui.txtDiscount->setText(regional::currencyText(flat));
        ui.cmdAddDiscount->setEnabled(false);
        ui.ckDiscount->setChecked(false);
        return;
    }
    m_prompts.beep();
    m_prompts.tell(*refusal);
    ui.txtFlatDiscount->setText(zero());
    ui.txtFlatDiscount->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::chargeEntered(int which)
{
    QLineEdit *box = which == 0 ? ui.txtShip : ui.txtMisc;
    (which == 0 ? m_doc.Ship : m_doc.Misc) = Money();
    box->setText(zero());
    box->selectAll();
    QPalette highlighted = box->palette();
    highlighted.setColor(QPalette::Base, QColor(255, 255, 192));
    box->setPalette(highlighted);
    ui.cmdInvoiceContinue->setEnabled(false);
}

void frmInvoice::chargeLeft(int which)
{
    QLineEdit *box = which == 0 ? ui.txtShip : ui.txtMisc;
    box->setPalette(ui.txtInvoiceNo->palette());
    if (!box->text().isEmpty()) {
        const keyfilters::FieldCheckResult checked = keyfilters::MoneyFieldCheck(box->text(), m_prompts);
        box->setText(checked.text);
        if (checked.refused) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
        (which == 0 ? m_doc.Ship : m_doc.Misc) = regional::parseMoney(checked.text).value_or(Money());
    }
    ui.cmdInvoiceContinue->setEnabled(false);
    if (which == 1)
        ui.cmdInvoice[9]->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::resetCharge(int which)
{
    (which == 0 ? m_doc.Ship : m_doc.Misc) = Money();
    (which == 0 ? ui.txtShip : ui.txtMisc)->setText(zero());
    ui.cmdInvoiceContinue->setEnabled(false);
    ui.cmdInvoice[9]->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::clearTotals()
{
    invoicetotals::ClearTotals(m_doc);
    for (QLineEdit *box : {ui.txtTotal, ui.txtTax, ui.txtTax2, ui.txtShip, ui.txtMisc,
                           ui.txtDiscount, ui.txtGrandTotal, ui.txtFlatDiscount})
        box->setText(zero());
    ui.cmdInvoiceContinue->setEnabled(false);
    mnuCreate_Click();
}

void frmInvoice::finalizeInvoice()
{
    invoicetotals::FinalizeTotals(m_doc, m_settings.taxes(), m_settings.invoiceSettings());
    if (m_doc.discountOption == DiscountOption::Calculate) {
        ui.txtDiscount->setText(regional::currencyText(m_doc.Discount));
        if (m_doc.applyDiscount)
            ui.txtFlatDiscount->setText(zero());
    }
    showGrandTotal();
    ui.cmdInvoiceContinue->setEnabled(true);
    if (m_doc.options.prepaid) {
        ui.fraPrePaid->show();
        ui.txtPrepaid->setText(ui.txtGrandTotal->text());
        ui.cboPrepaid->setCurrentIndex(-1);
        ui.cboPrepaid->setEditText(QString());
        ui.lblPrepaidHint->hide();
        ui.cboPrepaid->setFocus(Qt::OtherFocusReason);
    }
}

void frmInvoice::prepaidFormChosen(int index)
{
    const bool cash = ui.cboPrepaid->itemText(index) == QLatin1String("Cash");
    ui.lblPrepaidHint->setVisible(!cash);
    if (!cash) {
        ui.cboPrepaid->lineEdit()->end(false);
        ui.cboPrepaid->setFocus(Qt::OtherFocusReason);
    }
}

void frmInvoice::cancelPrepaid()
{
    ui.fraPrePaid->hide();
    if (m_prompts.ask(QStringLiteral("Click YES to Cancel Prepaid Posting"),
                      QStringLiteral("Cancel PrePaid")))
        ui.ckPrepaid->setChecked(false);
}

// ---------------------------------------------------------------- printing and posting

void frmInvoice::cmdInvoiceContinue_Click()
{
    if (!m_pages || !m_printouts) {
        m_prompts.tell(PrintErrorText, PrintErrorTitle);
        return;
    }
    printAndPost();
}

void frmInvoice::printAndPost()
{
    PageSource::Opened opened = m_pages->choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(QStringLiteral("The Invoice(s) will not be Printed"));
        return;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(PrintErrorText, PrintErrorTitle);
        return;
    }
    ui.cmdInvoiceContinue->setEnabled(false);
    if (m_doc.LineCount() == 0) {
        m_prompts.tell(QStringLiteral("The Invoice contains no Items"), QStringLiteral("No Items Entered"));
        mnuCreate_Click();
        return;
    }

    posting::PostingRequest request;
    request.taxHeading1 = m_settings.taxes().heading1;
    request.taxHeading2 = m_settings.taxes().heading2;
    if (m_state.resumedPartial && m_partials && !m_partials->resumedFile().isEmpty())
        request.resumedPartialFile = partialinvoice::Folder + u'/' + m_partials->resumedFile();
    request.advanceInvoiceNumber = [this] {
        // The largest number has no next one to store; that is no failed write.
        const std::optional<qint32> typed = InvoiceNumbering::parseNumber(ui.txtInvoiceNo->text());
        return !typed || *typed >= InvoiceNumbering::Largest || AdvanceInvoiceNumber();
    };
    posting::InvoicePoster poster(m_data, m_catalog, m_clock);
    // Whatever would stop posting is found before the paper is used.
    if (const std::optional<QString> refusal = poster.CheckPosting(m_doc, request)) {
        m_prompts.tell(*refusal, PrintErrorTitle);
        ui.cmdInvoiceContinue->setEnabled(true);
        return;
    }

    // The packing slip lists the lines as printed, not as posting leaves them.
    const QList<InvoiceLine> slipLines = m_doc.lines;
    const bool packingList = m_doc.options.packingList;
    const PrintSettings settings = m_settings.printSettings();
    // What the printer gets is what the kept PDF holds.
    const InvoicePrintout printout = invoicePrintout(m_doc, m_clock.today(), m_settings.usaStyle());
    const QString account = m_doc.AcctNo;
    bool posted = false;
    for (;;) {
        Printouts::Outcome printed;
        {
            const BusyPointer busy;
            printed = m_printouts->PrintInvoice(*opened.page, settings, printout);
        }
        if (printed != Printouts::Outcome::Printed) {
            // Reported by the job; nothing was posted and the invoice stays.
            ui.cmdInvoiceContinue->setEnabled(true);
            return;
        }
        if (m_prompts.ask(QStringLiteral("Was the Invoice Printed Correctly"),
                          QStringLiteral("Printing Confirmation"))) {
            posted = true;
            break;
        }
        if (!m_prompts.ask(QStringLiteral("Would you like to Retry Printing this Invoice"),
                           QStringLiteral("Print Retry")))
            break;
    }

    if (posted) {
        posting::PostingOutcome outcome;
        {
            const BusyPointer busy;
            outcome = poster.PostInvoice(m_doc, request);
        }
        for (const QString &item : outcome.lowInventory)
            m_prompts.tell(posting::LowInventoryMessage(item));
        if (!outcome.posted) {
            m_prompts.tell(outcome.error.value_or(PrintErrorText), PrintErrorTitle);
            return;
        }
        ClearInvoice();
        if (!request.resumedPartialFile.isEmpty())
            m_partials->PostedResumed();
        m_state.resumedPartial = false;
        // After the posting, never part of it: a PDF that fails is reported only.
        InvoiceHandOff handOff(m_data, *m_printouts, m_prompts, m_desktop);
        if (const std::optional<QString> pdf = handOff.keepPosted(settings, printout, m_clock.today()))
            handOff.offerEmail(*pdf, printout.number, account, settings.business[0]);
    }

    if (packingList)
        m_printouts->PrintPackingSlip(settings, slipLines);
    resetInvoiceButtons();
    posting::ResetInvoiceOptions(m_doc.options);
    for (QCheckBox *box : {ui.ckAddMemo, ui.ckExempt, ui.ckApplyVolumeDiscount, ui.ckPrepaid,
                           ui.ckPackingList, ui.ckShipto})
        box->setChecked(false);
    ui.fraPrePaid->hide();
    returnToMenu(false);
}
