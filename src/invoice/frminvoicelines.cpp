// The invoice screen's line panels, the labor panel and the grid.
#include "invoice/frminvoice.h"

#include "catalog/catalog.h"
#include "core/keyfilters.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "setup/businesssettings.h"
#include "ui/keyfilterglue.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>

using namespace invoicelines;

namespace {

const QString FullMessage = QStringLiteral("The Invoice is full");

// A key that types or deletes, as opposed to one that moves the cursor or the focus.
bool editsText(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return true;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

void frmInvoice::connectLines()
{
    connect(ui.mnuItems, &QAction::triggered, this, &frmInvoice::openItems);
    connect(ui.mnuServices, &QAction::triggered, this, &frmInvoice::openServices);
    connect(ui.mnuCItems, &QAction::triggered, this, &frmInvoice::openCustomItems);
    connect(ui.mnuLabor, &QAction::triggered, this, &frmInvoice::openLabor);
    connect(ui.mnuManual, &QAction::triggered, this, &frmInvoice::openManual);
    connect(ui.cmdItemscomplete, &QPushButton::clicked, ui.fraItems, &QWidget::hide);
    for (int n = 0; n < 4; ++n)
        connect(ui.cmdPost[n], &QPushButton::clicked, this, [this, n] { cmdPost_Click(n); });
    for (int i = 0; i < 3; ++i)
        connect(ui.cmdLabor[i], &QPushButton::clicked, this, [this, i] { cmdLabor_Click(i); });

    for (int k = 0; k < 3; ++k) {
        QLineEdit *description = ui.cboDescription[k]->lineEdit();
        description->installEventFilter(this);
        // Only the operator's own edits complete; the completion itself does not.
        connect(description, &QLineEdit::textEdited, this,
                [this, k](const QString &text) { descriptionEdited(k, text); });
        connect(ui.cboDescription[k], &QComboBox::activated, this,
                [this, k](int index) { descriptionChosen(k, index, true); });
        connect(ui.cboPrice[k]->lineEdit(), &QLineEdit::textEdited, this,
                [this, k] { m_priceTyped[k] = true; });
        connect(ui.cboPrice[k], &QComboBox::activated, this, [this, k] { m_priceTyped[k] = false; });
    }
    connect(ui.lstCategories, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showCategory(item->text()); });

    attachMoneyFilter(ui.txtUnits);
    attachMoneyFilter(ui.txtCUnits);
    for (QLineEdit *box : ui.txtHours) {
        attachMoneyFilter(box);
        box->installEventFilter(this);
    }
    ui.txtUnits->installEventFilter(this);
    ui.txtCUnits->installEventFilter(this);
    for (int i = 0; i < 3; ++i) {
        attachKeyFilter(ui.txtManual[i], [](int key, const QString &) {
            return key == keyfilters::Enter ? 0 : key;
        });
    }
    attachMoneyFilter(ui.txtManual[1]);
    attachMoneyFilter(ui.txtManual[2]);
    attachQuoteFilter(ui.txtManual[0], m_prompts);

    ui.fgInvoice->installEventFilter(this);
    connect(ui.fgInvoice, &QTableView::clicked, this, &frmInvoice::gridClicked);
    connect(ui.fgInvoice, &QWidget::customContextMenuRequested, this, &frmInvoice::gridContextMenu);
    connect(ui.mnuDeleteItem, &QAction::triggered, this, &frmInvoice::deleteItem);
    connect(ui.UpDown1Up, &QToolButton::clicked, this, [this] { moveLine(true); });
    connect(ui.UpDown1Down, &QToolButton::clicked, this, [this] { moveLine(false); });

    connect(&m_catalog, &Catalog::reloaded, this, &frmInvoice::refreshLists);
    connect(&m_catalog, &Catalog::categoriesChanged, this, &frmInvoice::refreshCategories);
    connect(&m_catalog, &Catalog::laborChanged, this, &frmInvoice::LoadLaborCategories);
    refreshLists(CatalogKind::Services);
    refreshLists(CatalogKind::SalesItems);
    refreshLists(CatalogKind::CustomItems);
    refreshCategories();
    LoadLaborCategories();
}

// ---------------------------------------------------------------- pick lists

void frmInvoice::refreshLists(CatalogKind kind)
{
    const int k = int(kind);
    if (kind == CatalogKind::Services) {
        m_tables[k] = serviceTable(m_catalog);
    } else if (kind == CatalogKind::SalesItems) {
        if (!m_catalog.categories().contains(m_category))
            m_category.clear();
        m_tables[k] = itemTable(m_catalog, m_category);
    } else {
        m_tables[k] = customTable(m_catalog);
    }
    fillList(k);
}

void frmInvoice::fillList(int k)
{
    const QSignalBlocker descriptionBlocker(ui.cboDescription[k]);
    const QSignalBlocker priceBlocker(ui.cboPrice[k]);
    ui.cboDescription[k]->clear();
    ui.cboPrice[k]->clear();
    for (const CatalogPick &pick : std::as_const(m_tables[k].picks)) {
        // Custom items find their price through the entry's data.
        ui.cboDescription[k]->addItem(pick.description, int(ui.cboPrice[k]->count()));
        ui.cboPrice[k]->addItem(pick.price);
    }
    resetListPanel(k);
}

void frmInvoice::resetListPanel(int k)
{
    const QSignalBlocker descriptionBlocker(ui.cboDescription[k]);
    const QSignalBlocker priceBlocker(ui.cboPrice[k]);
    ui.cboDescription[k]->setCurrentIndex(-1);
    ui.cboDescription[k]->clearEditText();
    ui.cboPrice[k]->setCurrentIndex(-1);
    ui.cboPrice[k]->clearEditText();
    m_chosen[k] = -1;
    m_priceTyped[k] = false;
    m_noCompletion[k] = false;
}

void frmInvoice::refreshCategories()
{
    ui.lstCategories->clear();
    ui.lstCategories->addItems(m_catalog.categoryList());
}

void frmInvoice::showCategory(const QString &category)
{
    m_category = category == Catalog::AllCategories ? QString() : category;
    m_tables[1] = itemTable(m_catalog, m_category);
    fillList(1);
    ui.txtUnits->clear();
    ui.cboDescription[1]->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::descriptionEdited(int k, const QString &text)
{
    {
        const QSignalBlocker priceBlocker(ui.cboPrice[k]);
        ui.cboPrice[k]->setCurrentIndex(-1);
        ui.cboPrice[k]->clearEditText();
    }
    ui.txtUnits->clear();
    ui.txtCUnits->clear();
    m_chosen[k] = -1;
    m_priceTyped[k] = false;
    if (m_noCompletion[k]) {
        m_noCompletion[k] = false;
        return;
    }
    const std::optional<Completion> found = typeAhead(m_tables[k].picks, text);
    if (!found)
        return;
    // The list's own entry is made current too, so the list does not choose it again
    // (and take back a price typed meanwhile) when the cursor leaves.
    {
        const QSignalBlocker blocker(ui.cboDescription[k]);
        ui.cboDescription[k]->setCurrentIndex(found->index);
    }
    QLineEdit *box = ui.cboDescription[k]->lineEdit();
    box->setText(found->text);
    box->setSelection(found->selectFrom, int(found->text.size()) - found->selectFrom);
    descriptionChosen(k, found->index, false);
}

void frmInvoice::descriptionChosen(int k, int index, bool moveFocus)
{
    if (index < 0 || index >= ui.cboDescription[k]->count())
        return;
    m_chosen[k] = index;
    m_priceTyped[k] = false;
    const int price = k == 2 ? ui.cboDescription[k]->itemData(index).toInt() : index;
    {
        const QSignalBlocker priceBlocker(ui.cboPrice[k]);
        ui.cboPrice[k]->setCurrentIndex(price);
    }
    if (!moveFocus)
        return;
    if (k == 1)
        ui.txtUnits->setFocus(Qt::OtherFocusReason);
    else if (k == 2)
        ui.txtCUnits->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- panels

void frmInvoice::openPanel(QWidget *panel, int instructions, QWidget *focus)
{
    hidePanels();
    ui.fgInvoice->show();
    ui.mnuAdd->menuAction()->setVisible(true);
    panel->show();
    ui.fraInstructions[instructions]->show();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void frmInvoice::openItems()
{
    resetListPanel(1);
    ui.lstCategories->clearSelection();
    ui.lstCategories->setCurrentRow(-1);
    ui.txtUnits->clear();
    openPanel(ui.fraItems, 6, ui.cboDescription[1]);
}

void frmInvoice::openServices()
{
    resetListPanel(0);
    openPanel(ui.fraServices, 9, ui.cboDescription[0]);
}

void frmInvoice::openCustomItems()
{
    resetListPanel(2);
    ui.txtCUnits->clear();
    openPanel(ui.fraCItems, 11, ui.cboDescription[2]);
}

void frmInvoice::openLabor()
{
    ResetLabor();
    QWidget *first = nullptr;
    for (int k = 0; k < 3 && !first; ++k) {
        if (m_laborShown[k])
            first = ui.txtHours[k];
    }
    openPanel(ui.fraLabor, 8, first);
}

void frmInvoice::openManual()
{
    ui.txtManual[0]->clear();
    ui.txtManual[2]->clear();
    ui.txtManual[1]->setText(zeroText());
    openPanel(ui.fraManual, 7, ui.txtManual[0]);
}

// ---------------------------------------------------------------- posting

void frmInvoice::cmdPost_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    const settingsfiles::InvoiceSettings &taxable = m_settings.invoiceSettings();
    const int k = index == 3 ? 2 : index;
    Entry entry;
    QLineEdit *unitsBox = index == 1 ? ui.txtUnits : index == 3 ? ui.txtCUnits : ui.txtManual[2];
    QWidget *descriptionBox = index == 2 ? static_cast<QWidget *>(ui.txtManual[0])
                                         : static_cast<QWidget *>(ui.cboDescription[k]);
    QWidget *priceBox = index == 2 ? static_cast<QWidget *>(ui.txtManual[1])
                                   : static_cast<QWidget *>(ui.cboPrice[k]);
    switch (index) {
    case 0:
        entry = serviceLine(ui.cboDescription[0]->currentText(), ui.cboPrice[0]->currentText(),
                            ui.DTPicker1->date(), taxable.taxServices);
        break;
    case 1:
    case 3: {
        if (index == 1)
            ui.lblDiscountPrice->hide();
        // A price typed rather than chosen never takes a volume price.
        const int position = ui.cboPrice[k]->currentIndex();
        const bool chosen = !m_priceTyped[k] && position >= 0 &&
                            ui.cboPrice[k]->currentText() == ui.cboPrice[k]->itemText(position);
        const VolumePrice volume =
            chosen ? m_tables[k].volume(position, ui.ckApplyVolumeDiscount->isChecked()) : VolumePrice{};
        entry = itemLine(ui.cboDescription[k]->currentText(), ui.cboPrice[k]->currentText(),
                         unitsBox->text(), volume,
                         index == 1 ? taxable.taxSalesItems : taxable.taxCustom);
        break;
    }
    case 2:
        if (ui.txtManual[2]->text().trimmed().isEmpty())
            ui.txtManual[2]->setText(QStringLiteral("1"));
        entry = manualLine(ui.txtManual[0]->text(), ui.txtManual[1]->text(), ui.txtManual[2]->text(),
                           ui.ckManualTax->isChecked());
        break;
    }
    if (entry.refusal) {
        const Refusal &refusal = *entry.refusal;
        QWidget *box = refusal.field == Refusal::Field::Description ? descriptionBox
                       : refusal.field == Refusal::Field::Price     ? priceBox
                                                                    : static_cast<QWidget *>(unitsBox);
        if (refusal.beep)
            m_prompts.beep();
        if (!refusal.message.isEmpty())
            m_prompts.tell(refusal.message);
        if (refusal.boxText) {
            if (auto *line = qobject_cast<QLineEdit *>(box))
                line->setText(*refusal.boxText);
            else if (auto *list = qobject_cast<QComboBox *>(box))
                list->setEditText(*refusal.boxText);
        }
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (index == 1 && entry.discountApplied)
        ui.lblDiscountPrice->show();
    if (!postLine(*entry.line, ui.cmdPost[index]))
        return;

    if (index == 2) {
        ui.txtManual[0]->clear();
        ui.txtManual[2]->clear();
        ui.txtManual[1]->setText(zeroText());
        ui.txtManual[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    ui.txtUnits->clear();
    ui.txtCUnits->clear();
    resetListPanel(k);
    ui.cboDescription[k]->setFocus(Qt::OtherFocusReason);
    if (ui.cboDescription[k]->isVisible() && ui.cboDescription[k]->count() > 0) {
        {
            const QSignalBlocker blocker(ui.cboDescription[k]);
            ui.cboDescription[k]->setCurrentIndex(0);
        }
        descriptionChosen(k, 0, true);
    }
}

bool frmInvoice::postLine(const InvoiceLine &line, QPushButton *post)
{
    if (!m_session.addLine(line)) {
        m_prompts.beep();
        m_prompts.tell(FullMessage);
        updateLineStates();
        return false;
    }
    ui.cmdPrint->show();
    ui.cmdPrint->setEnabled(true);
    if (m_session.isFull()) {
        m_prompts.beep();
        m_prompts.tell(FullMessage);
        post->setEnabled(false);
    }
    updateLineStates();
    return true;
}

// ---------------------------------------------------------------- labor

void frmInvoice::LoadLaborCategories()
{
    Money sum;
    for (int k = 0; k < 3; ++k) {
        const QString name = m_catalog.laborHeading(k);
        const QString rate = m_catalog.laborRate(k);
        m_labor[std::size_t(k)].name = name;
        m_labor[std::size_t(k)].rateText = rate;
        m_laborShown[k] = !name.isEmpty();
        if (m_laborShown[k]) {
            // A damaged file may hold a name of any length; the label shows its start.
            ui.lblLaborHeading[k]->setText(name.left(60) + QStringLiteral(" at ") + rate.left(20) +
                                           QStringLiteral(" per Hour"));
            sum += regional::parseMoney(rate).value_or(Money());
        }
        ui.lblLaborHeading[k]->setVisible(m_laborShown[k]);
        ui.txtHours[k]->setVisible(m_laborShown[k]);
        ui.lblLaborCharge[k]->setVisible(m_laborShown[k]);
    }
    ui.mnuLabor->setEnabled(!sum.isZero());
}

void frmInvoice::ResetLabor()
{
    ui.lblLaborCharge[3]->setText(zeroText());
    for (int k = 0; k < 3; ++k) {
        m_labor[std::size_t(k)].amount = Money();
        m_labor[std::size_t(k)].hours = QStringLiteral("0");
        if (!m_laborShown[k])
            continue;
        ui.txtHours[k]->setText(QStringLiteral("0"));
        ui.lblLaborCharge[k]->setText(zeroText());
    }
    m_laborTabulated = false;
    ui.cmdLabor[1]->setEnabled(false);
}

void frmInvoice::cmdLabor_Click(int index)
{
    switch (index) {
    case 0: {
        // The boxes as they stand count, whether or not the cursor left them.
        for (int k = 0; k < 3; ++k) {
            if (m_laborShown[k] && !hoursLeft(k))
                return;
        }
        Money total;
        for (const LaborCategory &category : m_labor)
            total += category.amount;
        ui.lblLaborCharge[3]->setText(regional::currencyText(total));
        m_laborTabulated = true;
        updateLineStates();
        if (ui.cmdLabor[1]->isEnabled())
            ui.cmdLabor[1]->setFocus(Qt::OtherFocusReason);
        break;
    }
    case 1: {
        const QList<InvoiceLine> lines = laborLines(m_labor, m_settings.invoiceSettings().taxLabor);
        for (const InvoiceLine &line : lines) {
            if (!postLine(line, ui.cmdLabor[1]))
                break;
        }
        m_laborTabulated = false;
        ui.cmdLabor[1]->setEnabled(false);
        if (ui.mnuServices->isEnabled())
            openServices();
        break;
    }
    case 2:
        ResetLabor();
        break;
    default:
        break;
    }
}

void frmInvoice::hoursKey(int k, QKeyEvent *event)
{
    if (editsText(event) && ui.txtHours[k]->text() == QLatin1String("0"))
        ui.txtHours[k]->clear();
}

bool frmInvoice::hoursLeft(int k)
{
    QLineEdit *box = ui.txtHours[k];
    const QString text = box->text();
    if (text.isEmpty())
        return true;
    LaborCategory &category = m_labor[std::size_t(k)];
    const std::optional<QString> tooMany = unitsRefusal(text);
    if (!regional::isNumeric(text) || tooMany) {
        m_prompts.beep();
        if (tooMany)
            m_prompts.tell(*tooMany);
        box->setText(QStringLiteral("0"));
        category.hours = QStringLiteral("0");
        category.amount = Money();
        ui.lblLaborCharge[k]->setText(zeroText());
        box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    category.hours = text;
    category.amount = laborAmount(text, category.rateText);
    ui.lblLaborCharge[k]->setText(regional::currencyText(category.amount));
    return true;
}

bool frmInvoice::unitsLeft(QLineEdit *box)
{
    const QString text = box->text();
    if (text.isEmpty())
        return true;
    if (!regional::isNumeric(text)) {
        box->setText(QStringLiteral("0"));
        m_prompts.beep();
        box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // Units beyond 16 bits are refused by the post, once.
    return true;
}

// ---------------------------------------------------------------- grid

int frmInvoice::selectedLine() const
{
    const QModelIndex current = ui.fgInvoice->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void frmInvoice::gridClicked(const QModelIndex &index)
{
    const int n = index.row() + 1;
    ui.UpDown1->setEnabled(m_session.canMove(n));
    if (index.column() == InvoiceLine::Taxable)
        m_session.toggleTaxable(n);
}

void frmInvoice::gridContextMenu(const QPoint &pos)
{
    const QModelIndex index = ui.fgInvoice->indexAt(pos);
    if (!index.isValid())
        return;
    const int n = index.row() + 1;
    if (m_session.line(n)[InvoiceLine::Description].isEmpty())
        return;
    m_menuLine = n;
    ui.fgInvoice->setCurrentIndex(index);
    ui.mnuGrid->popup(ui.fgInvoice->viewport()->mapToGlobal(pos));
}

void frmInvoice::deleteItem()
{
    const int n = m_menuLine;
    const QString description = m_session.line(n)[InvoiceLine::Description];
    if (description.isEmpty())
        return;
    if (!m_prompts.askToDestroy(QStringLiteral("Delete item ") + description + QStringLiteral(" from Invoice?"),
                       QStringLiteral("Item Deletion")))
        return;
    m_session.deleteLine(n);
    updateLineStates();
}

void frmInvoice::gridKeyPress(QKeyEvent *event)
{
    const QModelIndex current = ui.fgInvoice->currentIndex();
    if (!current.isValid())
        return;
    QChar key;
    if (event->key() == Qt::Key_Backspace)
        key = QChar(keyfilters::Backspace);
    else if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        key = event->text().at(0);
    else
        return;
    showKeyResult(m_session.gridKey(current.row() + 1, current.column(), key));
}

void frmInvoice::showKeyResult(const InvoiceSession::KeyResult &result)
{
    if (result.beep)
        m_prompts.beep();
    if (!result.message.isEmpty())
        m_prompts.tell(result.message);
}

void frmInvoice::moveLine(bool up)
{
    const int n = selectedLine();
    if (up)
        m_session.moveUp(n);
    else
        m_session.moveDown(n);
}

void frmInvoice::updateLineStates()
{
    const bool room = !m_session.isFull();
    for (QPushButton *post : ui.cmdPost)
        post->setEnabled(room);
    ui.cmdLabor[1]->setEnabled(room && m_laborTabulated);
    ui.mnuServices->setEnabled(m_filePresent[0]);
    ui.mnuItems->setEnabled(m_filePresent[1]);
    ui.mnuCItems->setEnabled(m_filePresent[2]);
    if (!m_session.canMove(selectedLine()))
        ui.UpDown1->setEnabled(false);
}

// ---------------------------------------------------------------- events

bool frmInvoice::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == ui.fgInvoice) {
        if (type == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
            if (key->key() == Qt::Key_Backspace ||
                (!key->text().isEmpty() && key->text().at(0).isPrint())) {
                gridKeyPress(key);
                return true;
            }
        } else if (type == QEvent::KeyRelease) {
            auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
                showKeyResult(m_session.gridEnter(selectedLine()));
                return true;
            }
        }
        return Screen::eventFilter(watched, event);
    }
    for (int k = 0; k < 3; ++k) {
        if (watched == ui.cboDescription[k]->lineEdit() && type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
                m_noCompletion[k] = true;
            return Screen::eventFilter(watched, event);
        }
        if (watched == ui.txtHours[k]) {
            if (type == QEvent::KeyPress)
                hoursKey(k, static_cast<QKeyEvent *>(event));
            else if (type == QEvent::FocusOut &&
                     operatorLeft(watched, static_cast<QFocusEvent *>(event))) {
                m_checkingFocus = true;
                hoursLeft(k);
                m_checkingFocus = false;
            }
            return Screen::eventFilter(watched, event);
        }
    }
    if ((watched == ui.txtUnits || watched == ui.txtCUnits)) {
        auto *box = static_cast<QLineEdit *>(watched);
        if (type == QEvent::KeyPress && editsText(static_cast<QKeyEvent *>(event)) &&
            box->text() == QLatin1String("0"))
            box->clear();
        else if (type == QEvent::FocusOut && operatorLeft(watched, static_cast<QFocusEvent *>(event))) {
            m_checkingFocus = true;
            unitsLeft(box);
            m_checkingFocus = false;
        }
        return Screen::eventFilter(watched, event);
    }
    if (type == QEvent::FocusOut && operatorLeft(watched, static_cast<QFocusEvent *>(event))) {
        m_checkingFocus = true;
        if (watched == ui.txtInvoiceNo)
            invoiceNumberLeft();
        else if (watched == ui.txtReference)
            referenceLeft();
        m_checkingFocus = false;
    }
    return Screen::eventFilter(watched, event);
}
