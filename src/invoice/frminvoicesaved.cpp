// The invoice screen's saving for later, templates, narrative, memo and default carrier.
#include "invoice/frminvoice.h"

#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/names.h"
#include "core/prompts.h"
#include "invoice/incompleteinvoices.h"
#include "invoice/invoicefiles.h"
#include "invoice/invoicetemplates.h"
#include "invoice/partialinvoice.h"
#include "printing/invoiceprintout.h"
#include "printing/printengine.h"
#include "printing/printouts.h"
#include "setup/businesssettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

const QString TemplateExtension = QStringLiteral(".txt");

// The files give every line a CR LF; the box shows line breaks, without the last
// one, so saving what was loaded writes the same bytes instead of a growing tail.
QString boxText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

} // namespace

void frmInvoice::setPartialInvoices(IncompleteInvoices &list, Printouts &printouts)
{
    m_partials = &list;
    m_printouts = &printouts;
}

void frmInvoice::connectSaved()
{
    connect(ui.cmdSave, &QPushButton::clicked, this, &frmInvoice::cmdSave_Click);
    for (int index : {0, 1, 2})
        connect(ui.cmdTemplate[index], &QPushButton::clicked, this,
                [this, index] { cmdTemplate_Click(index); });
    connect(ui.flstInvoiceTemplates, &QListWidget::itemSelectionChanged, this, [this] {
        const bool chosen = !ui.flstInvoiceTemplates->selectedItems().isEmpty();
        ui.cmdTemplate[0]->setEnabled(chosen);
        ui.cmdTemplate[1]->setEnabled(chosen);
    });
    for (int index = 0; index < 5; ++index)
        connect(ui.cmdNarrative[index], &QPushButton::clicked, this,
                [this, index] { cmdNarrative_Click(index); });
    for (int index = 0; index < 3; ++index)
        connect(ui.cmdInvoiceMemo[index], &QPushButton::clicked, this,
                [this, index] { cmdInvoiceMemo_Click(index); });
    connect(ui.cmdHideMemo, &QPushButton::clicked, ui.fraMemo, &QWidget::hide);
    connect(ui.txtMemo, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            ui.cmdInvoiceMemo[2]->setEnabled(true);
    });
    connect(ui.cmdReadyPrint[1], &QPushButton::clicked, this, &frmInvoice::saveDefaultCarrier);
    connect(ui.mnuNarrative, &QAction::triggered, this, &frmInvoice::openNarrative);
    connect(ui.mnuMemo, &QAction::triggered, this, &frmInvoice::openMemo);

    ui.cmdTemplate[0]->setEnabled(false);
    ui.cmdTemplate[1]->setEnabled(false);
    ui.cmdTemplate[2]->setEnabled(false);

    // The carrier a new invoice starts with, set once as the screen is made.
    const QString carrier = invoicefiles::defaultCarrier(m_data);
    const int at = ui.cboShipping->findText(carrier, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at >= 0)
        ui.cboShipping->setCurrentIndex(at);
    else
        ui.cboShipping->setEditText(carrier);
    m_doc.carrier = ui.cboShipping->currentText();
}

// ---------------------------------------------------------------- saving for later

void frmInvoice::cmdSave_Click()
{
    const QString number = ui.txtInvoiceNo->text().trimmed();
    // The number may have been changed since the start button checked it; a new
    // invoice must not replace another partial invoice or take a completed one's number.
    const std::optional<QString> refusal =
        m_state.resumedPartial
            ? (partialinvoice::fileOf(number).isEmpty()
                   ? std::optional<QString>(names::unsafeNameMessage(QStringLiteral("Invoice Number"), number))
                   : std::nullopt)
            : m_numbering.checkNewNumber(number);
    if (refusal) {
        m_prompts.tell(*refusal);
        return;
    }
    if (!m_prompts.ask(partialinvoice::SaveQuestion, partialinvoice::SaveTitle))
        return;
    if (m_prompts.ask(partialinvoice::DraftQuestion, partialinvoice::DraftTitle) && m_printouts) {
        m_doc.PrintingDraft = true;
        m_printouts->PrintInvoice(m_settings.printSettings(),
                                  invoicePrintout(m_doc, m_clock.today(), m_settings.usaStyle()));
        m_doc.PrintingDraft = false;
    }
    const std::optional<QString> failed =
        partialinvoice::SavePartialInvoice(m_data, m_doc, m_clock.today());
    // The empty service dates were filled in either way.
    emit m_session.linesChanged(1, m_session.LineCount());
    if (failed) {
        m_prompts.tell(*failed);
        return;
    }
    if (!m_state.resumedPartial && !AdvanceInvoiceNumber())
        m_prompts.tell(QStringLiteral("The next Invoice Number could not be stored in \"%1\".")
                           .arg(m_data.path(InvoiceNumbering::NumberFile)));
    if (m_partials)
        m_partials->LoadIncomplete();
    returnToMenu(false);
}

// ---------------------------------------------------------------- templates

void frmInvoice::cmdTemplate_Click(int index)
{
    switch (index) {
    case 0:
        loadTemplate();
        break;
    case 1:
        deleteTemplate();
        break;
    case 2:
        saveTemplate();
        break;
    default:
        break;
    }
}

// Fills the list; nothing is chosen, so Load and Delete wait for a click.
void frmInvoice::refreshTemplates()
{
    ui.flstInvoiceTemplates->clear();
    for (const QString &name : invoicetemplates::list(m_data)) {
        auto *item = new QListWidgetItem(name + TemplateExtension, ui.flstInvoiceTemplates);
        item->setData(Qt::UserRole, name);
    }
    ui.cmdTemplate[0]->setEnabled(false);
    ui.cmdTemplate[1]->setEnabled(false);
    ui.fraTemplates->setVisible(ui.flstInvoiceTemplates->count() > 0);
}

void frmInvoice::saveTemplate()
{
    const std::optional<QString> name =
        m_prompts.input(invoicetemplates::NamePrompt, invoicetemplates::NameTitle);
    if (!name || name->isEmpty())
        return;
    if (invoicetemplates::fileOf(*name).isEmpty()) {
        m_prompts.tell(names::unsafeNameMessage(QStringLiteral("Template Name"), *name));
        return;
    }
    if (invoicetemplates::exists(m_data, *name) &&
        !m_prompts.ask(invoicetemplates::existsQuestion(*name), invoicetemplates::ExistsTitle))
        return;
    if (const std::optional<QString> failed = invoicetemplates::save(m_data, *name, m_doc)) {
        m_prompts.tell(*failed);
        return;
    }
    refreshTemplates();
    ui.cmdTemplate[2]->setEnabled(false);
}

void frmInvoice::loadTemplate()
{
    const QListWidgetItem *item = ui.flstInvoiceTemplates->currentItem();
    if (!item || !item->isSelected())
        return;
    const invoicetemplates::Loaded loaded =
        invoicetemplates::load(m_data, item->data(Qt::UserRole).toString());
    if (!loaded.error.isEmpty()) {
        m_prompts.tell(loaded.error);
        return;
    }
    ClearInvoice();
    for (const InvoiceLine &line : loaded.lines)
        m_session.addLine(line);
    if (!loaded.warning.isEmpty())
        m_prompts.tell(loaded.warning);
    startInvoice();
}

void frmInvoice::deleteTemplate()
{
    const QListWidgetItem *item = ui.flstInvoiceTemplates->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString name = item->data(Qt::UserRole).toString();
    if (!m_prompts.askOkCancelWarning(invoicetemplates::deletionQuestion(name),
                                      invoicetemplates::DeletionTitle))
        return;
    if (!invoicetemplates::remove(m_data, name))
        m_prompts.tell(QStringLiteral("The Template %1 could not be deleted.").arg(name));
    // The panel stays; the list shows what is left, none of it chosen.
    const bool shown = ui.fraTemplates->isVisible();
    refreshTemplates();
    ui.fraTemplates->setVisible(shown);
}

// ---------------------------------------------------------------- narrative

void frmInvoice::openNarrative()
{
    openPanel(ui.fraNarrative, 10, ui.txtNarrative);
    // An invoice that has a narrative shows it: the template in its place would
    // hide what prints, and a save would replace it unseen.
    const invoicefiles::Text own = invoicefiles::readNarrative(m_data, ui.txtInvoiceNo->text());
    if (own.present && own.error.isEmpty()) {
        ui.txtNarrative->setPlainText(boxText(own.text));
        return;
    }
    reloadNarrativeTemplate();
}

void frmInvoice::reloadNarrativeTemplate()
{
    ui.txtNarrative->clear();
    const invoicefiles::Text narrative = invoicefiles::readNarrativeTemplate(m_data);
    if (!narrative.error.isEmpty())
        m_prompts.tell(narrative.error);
    else
        ui.txtNarrative->setPlainText(boxText(narrative.text));
}

void frmInvoice::cmdNarrative_Click(int index)
{
    const QString text = ui.txtNarrative->toPlainText();
    switch (index) {
    case 0: {
        const QString number = ui.txtInvoiceNo->text().trimmed();
        if (text.isEmpty()) {
            // Saving nothing means this invoice has no narrative: an older one would
            // still print.
            const QString file = PrintEngine::narrativeFile(number);
            if (!file.isEmpty())
                m_data.DeleteWithBackup(file);
            cmdNarrative_Click(4);
            return;
        }
        if (number.isEmpty()) {
            m_prompts.tell(invoicefiles::NoInvoiceNumber);
            mnuCreate_Click();
            ui.txtInvoiceNo->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (const std::optional<QString> failed = invoicefiles::saveNarrative(m_data, number, text)) {
            m_prompts.tell(*failed);
            return;
        }
        ui.fraNarrative->hide();
        return;
    }
    case 1:
        ui.txtNarrative->clear();
        ui.txtNarrative->setFocus(Qt::OtherFocusReason);
        return;
    case 2:
        reloadNarrativeTemplate();
        return;
    case 3:
        if (!invoicefiles::saveNarrativeTemplate(m_data, text))
            m_prompts.tell(QStringLiteral("The Narrative Template could not be saved in \"%1\".")
                               .arg(m_data.path(invoicefiles::NarrativeTemplateFile)));
        return;
    case 4:
        ui.txtNarrative->clear();
        ui.fraNarrative->hide();
        return;
    default:
        return;
    }
}

void frmInvoice::abandonNewInvoice()
{
    if (!m_state.resumedPartial)
        invoicefiles::DiscardAbandonedNarrative(m_data, ui.txtInvoiceNo->text());
}

void frmInvoice::abandonKeptInvoice()
{
    if (m_keptNumber.isEmpty())
        return;
    invoicefiles::DiscardAbandonedNarrative(m_data, m_keptNumber);
    m_keptNumber.clear();
}

void frmInvoice::programEnding()
{
    // A new invoice still on the screen, shown or left by "&Menu", ends unsaved.
    abandonKeptInvoice();
    if (isVisible())
        abandonNewInvoice();
}

// ---------------------------------------------------------------- memo

void frmInvoice::LoadMemo()
{
    const invoicefiles::Text memo = invoicefiles::readMemo(m_data);
    if (!memo.error.isEmpty())
        m_prompts.tell(memo.error);
    const bool loaded = memo.present && memo.error.isEmpty();
    m_filling = true;
    ui.txtMemo->setPlainText(loaded ? boxText(memo.text) : QString());
    m_filling = false;
    ui.lblMemo->setVisible(loaded);
    ui.ckAddMemo->setEnabled(loaded);
    ui.ckAddMemo->setChecked(loaded);
    m_doc.options.addMemo = loaded;
}

void frmInvoice::openMemo()
{
    ui.fraMemo->show();
    ui.txtMemo->setFocus(Qt::OtherFocusReason);
    const bool adding = ui.ckAddMemo->isChecked();
    ui.cmdInvoiceMemo[1]->setEnabled(adding);
    ui.cmdInvoiceMemo[2]->setEnabled(adding);
}

void frmInvoice::cmdInvoiceMemo_Click(int index)
{
    switch (index) {
    case 0:
        ui.lblMemo->hide();
        m_filling = true;
        ui.txtMemo->clear();
        m_filling = false;
        ui.txtMemo->setFocus(Qt::OtherFocusReason);
        return;
    case 1:
        LoadMemo();
        return;
    case 2: {
        const QString text = ui.txtMemo->toPlainText();
        if (text.isEmpty())
            return;
        if (!invoicefiles::saveMemo(m_data, text)) {
            m_prompts.tell(QStringLiteral("The Memo could not be saved in \"%1\".")
                               .arg(m_data.path(invoicefiles::MemoFile)));
            return;
        }
        ui.lblMemo->show();
        ui.ckAddMemo->setEnabled(true);
        ui.cmdInvoiceMemo[1]->setEnabled(true);
        return;
    }
    default:
        return;
    }
}

// ---------------------------------------------------------------- default carrier

void frmInvoice::saveDefaultCarrier()
{
    const QString carrier = ui.cboShipping->currentText();
    if (carrier.isEmpty())
        return;
    if (!invoicefiles::saveDefaultCarrier(m_data, carrier))
        m_prompts.tell(QStringLiteral("The Default Carrier could not be saved in \"%1\".")
                           .arg(m_data.path(invoicefiles::ShipViaFile)));
}
