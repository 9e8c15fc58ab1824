#pragma once

#include "invoice/frminvoicecontrols.h"
#include "invoice/invoicelines.h"
#include "invoice/invoicenumbering.h"
#include "invoice/invoicesession.h"
#include "ui/navigator.h"
#include "ui/screen.h"

#include <QDate>

#include <array>

class BusinessSettings;
class Catalog;
class IncompleteInvoices;
class Printouts;
class Clock;
class DataFolder;
class Desktop;
class LeaveWatcher;
class PageSource;
class Prompts;
class QComboBox;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
struct ApplicationState;

// The invoice screen: the invoice being built, its header and lines, in three views.
// Made once at start-up; the customer screens fill the document's sold-to block and
// navigate here, and activation sets the screen up for a new or a recalled invoice.
class frmInvoice final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmInvoice)
public:
    frmInvoice(InvoiceDocument &document, ApplicationState &state, Catalog &catalog,
               BusinessSettings &settings, DataFolder &data, Prompts &prompts, const Clock &clock,
               Navigator &navigator, QWidget *parent = nullptr);
    ~frmInvoice() override;

    InvoiceSession &session() { return m_session; }
    void Form_Activate() override;

    void ClearInvoice();
    void LoadNextInvoiceNumber();
    // The number typed plus one becomes the next proposal; false when the box holds no
    // invoice number.
    bool AdvanceInvoiceNumber();
    bool WriteInvoiceNumber(qint32 number);

    void mnuSetup_Click();
    void mnuCreate_Click();
    void mnuPrint_Click();
    void mnuClose_Click();

    void cmdInvoice_Click(int index);
    void cmdPost_Click(int index);
    void cmdLabor_Click(int index);

    // Where "&Print Invoice" asks for a printer.
    void setPrinting(PageSource &pages);
    // Where the kept PDF's folder is shown when no mail program starts.
    void setDesktop(Desktop &desktop) { m_desktop = &desktop; }
    void cmdInvoiceContinue_Click();
    // Saving for later reloads this list and prints its draft through these printouts.
    void setPartialInvoices(IncompleteInvoices &list, Printouts &printouts);
    void cmdSave_Click();
    void cmdTemplate_Click(int index);
    void cmdNarrative_Click(int index);
    void cmdInvoiceMemo_Click(int index);
    // A new invoice given up (also a print declined in posting): its narrative goes
    // unless a partial invoice or an image has its number.
    void abandonNewInvoice();
    void programEnding() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // frminvoice.cpp: header, activation, views.
    void connectHeader();
    void fillFixedLists();
    void LoadMemo();
    void resetInvoiceButtons();
    void fillTerms();
    void layoutSoldTo();
    void showTaxHeadings();
    void showSoldTo();
    void showDocument();
    void hidePanels();
    void startInvoice();
    void shipToSameAsSoldTo();
    void clearShipTo();
    void resetDate();
    void serviceDateChosen(const QDate &date);
    void returnToMenu(bool keepInvoice);
    void redo();
    void referenceLeft();
    void invoiceNumberLeft();
    bool operatorLeft(QObject *box, QFocusEvent *event) const;
    void closeEvent(QCloseEvent *event) override;

    // frminvoicesaved.cpp: saving for later, templates, narrative, memo, carrier.
    void connectSaved();
    void refreshTemplates();
    void loadTemplate();
    void saveTemplate();
    void deleteTemplate();
    void openNarrative();
    void reloadNarrativeTemplate();
    void openMemo();
    void abandonKeptInvoice();
    void saveDefaultCarrier();

    // frminvoicelines.cpp: line panels, labor, grid.
    void connectLines();
    void refreshLists(CatalogKind kind);
    void refreshCategories();
    void fillList(int k);
    void showCategory(const QString &category);
    void LoadLaborCategories();
    void ResetLabor();
    void openPanel(QWidget *panel, int instructions, QWidget *focus);
    void openItems();
    void openServices();
    void openCustomItems();
    void openLabor();
    void openManual();
    void descriptionEdited(int k, const QString &text);
    void descriptionChosen(int k, int index, bool moveFocus);
    void resetListPanel(int k);
    bool postLine(const InvoiceLine &line, QPushButton *post);
    void hoursKey(int k, QKeyEvent *event);
    bool hoursLeft(int k);
    bool unitsLeft(QLineEdit *box);
    void gridClicked(const QModelIndex &index);
    void gridContextMenu(const QPoint &pos);
    void deleteItem();
    void gridKeyPress(QKeyEvent *event);
    void moveLine(bool up);
    int selectedLine() const;
    void updateLineStates();
    void showKeyResult(const InvoiceSession::KeyResult &result);

    // frminvoiceprint.cpp: the print setup view, printing and posting.
    void connectPrintSetup();
    void showDiscountDefaults();
    void storeDiscountDefaults();
    void enterPrintSetup();
    void showSubtotal();
    void showGrandTotal();
    void showDiscountChoice();
    void termsChosen(int position);
    void discountOptionChosen(int option);
    void applyDiscountClicked(bool on);
    void saveDefaultTerms();
    void flatDiscountLeft();
    void deductDiscount();
    void chargeEntered(int which);
    void chargeLeft(int which);
    void resetCharge(int which);
    void clearTotals();
    void finalizeInvoice();
    void prepaidFormChosen(int index);
    void cancelPrepaid();
    void printAndPost();

    InvoiceDocument &m_doc;
    ApplicationState &m_state;
    Catalog &m_catalog;
    BusinessSettings &m_settings;
    DataFolder &m_data;
    Prompts &m_prompts;
    const Clock &m_clock;
    Navigator &m_navigator;
    InvoiceSession m_session;
    InvoiceNumbering m_numbering;
    InvoiceLinesModel *m_model = nullptr;
    InvoiceControls ui;

    invoicelines::PickTable m_tables[3];
    QString m_category;
    // The entry chosen in each description list; -1 when the text was typed.
    int m_chosen[3] = {-1, -1, -1};
    bool m_priceTyped[3] = {};
    // Backspace or Delete: the next edit completes nothing.
    bool m_noCompletion[3] = {};
    std::array<invoicelines::LaborCategory, 3> m_labor;
    bool m_laborShown[3] = {};
    bool m_filePresent[3] = {};
    bool m_laborTabulated = false;
    bool m_filling = false;
    bool m_checkingFocus = false;
    bool m_closing = false;
    int m_menuLine = 0;
    QDate m_serviceDate;
    PageSource *m_pages = nullptr;
    LeaveWatcher *m_printWatcher = nullptr;

    IncompleteInvoices *m_partials = nullptr;
    Printouts *m_printouts = nullptr;
    Desktop *m_desktop = nullptr;
    // The number of a new invoice left on the screen by "&Menu": the next activation
    // replaces it, so it is abandoned then.
    QString m_keptNumber;
};
