#pragma once

#include <QString>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;
class QWidget;

// Every control of the invoice screen, named and captioned, laid out in its panels.
// Built in one place, as a generated form class is; the handlers live with the screen.
struct InvoiceControls
{
    static constexpr int InstructionPanels = 12;
    static constexpr int SoldToLabels = 12;
    static constexpr int ShipToBoxes = 7;

    void setupUi(QWidget *form);

    // Menus.
    QMenuBar *menuBar = nullptr;
    QMenu *mnuView = nullptr;
    QAction *mnuSetup = nullptr;
    QAction *mnuCreate = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuClose = nullptr;
    QMenu *mnuAdd = nullptr;
    QAction *mnuItems = nullptr;
    QAction *mnuServices = nullptr;
    QAction *mnuCItems = nullptr;
    QAction *mnuLabor = nullptr;
    QAction *mnuManual = nullptr;
    QAction *mnuMemo = nullptr;
    QAction *mnuNarrative = nullptr;
    QMenu *mnuGrid = nullptr;
    QAction *mnuDeleteItem = nullptr;

    // Header, always shown.
    QLabel *lblInvoiceNo = nullptr;
    QLineEdit *txtInvoiceNo = nullptr;
    QLabel *lblAcct = nullptr;
    QLabel *lblAcctNo = nullptr;
    QLabel *lblCustomer[SoldToLabels] = {};
    QPushButton *cmdInvoice[10] = {};
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdRedo = nullptr;
    QPushButton *cmdInstructions = nullptr;

    // Setup view.
    QGroupBox *fraSetup = nullptr;
    QLineEdit *txtShipto[ShipToBoxes] = {};
    QPushButton *cmdShipToAddress[2] = {};
    QLineEdit *txtReference = nullptr;
    QDateEdit *DTPicker1 = nullptr;
    QCheckBox *ckAddMemo = nullptr;
    QCheckBox *ckExempt = nullptr;
    QCheckBox *ck2ndTax = nullptr;
    QCheckBox *ckApplyVolumeDiscount = nullptr;
    QCheckBox *ckPackingList = nullptr;
    QCheckBox *ckPrepaid = nullptr;
    QCheckBox *ckShipto = nullptr;
    QCheckBox *ckFrom = nullptr;
    QPushButton *cmdShipping[2] = {}; // "Toggle Shipping Window", "Close Shipping Window"
    QGroupBox *fraShipping = nullptr;
    QDateEdit *DTShip = nullptr;
    QComboBox *cboShipping = nullptr;

    // Creation view.
    QTableView *fgInvoice = nullptr;
    QWidget *UpDown1 = nullptr;
    QToolButton *UpDown1Up = nullptr;
    QToolButton *UpDown1Down = nullptr;
    QPushButton *cmdResetDate = nullptr;
    QPushButton *cmdPrint = nullptr;

    // Line panels.
    QComboBox *cboDescription[3] = {};
    QComboBox *cboPrice[3] = {};
    QPushButton *cmdPost[4] = {};
    QGroupBox *fraServices = nullptr;
    QGroupBox *fraItems = nullptr;
    QListWidget *lstCategories = nullptr;
    QLineEdit *txtUnits = nullptr;
    QLabel *lblDiscountPrice = nullptr;
    QPushButton *cmdItemscomplete = nullptr;
    QGroupBox *fraCItems = nullptr;
    QLineEdit *txtCUnits = nullptr;
    QGroupBox *fraManual = nullptr;
    QLineEdit *txtManual[3] = {};
    QCheckBox *ckManualTax = nullptr;
    QGroupBox *fraLabor = nullptr;
    QLabel *lblLaborHeading[3] = {};
    QLineEdit *txtHours[3] = {};
    QLabel *lblLaborCharge[4] = {};
    QPushButton *cmdLabor[3] = {};

    // Print setup view.
    QGroupBox *fraPrintReady = nullptr;
    QLineEdit *txtTotal = nullptr;
    QLineEdit *txtTax = nullptr;
    QLineEdit *txtTax2 = nullptr;
    QLineEdit *txtShip = nullptr;
    QLineEdit *txtMisc = nullptr;
    QLineEdit *txtDiscount = nullptr;
    QLineEdit *txtGrandTotal = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblTax = nullptr;
    QLabel *lblTax2 = nullptr;
    QLabel *lblShip = nullptr;
    QLabel *lblMisc = nullptr;
    QLabel *lblDiscount = nullptr;
    QLabel *lblGrandTotal = nullptr;
    QLabel *lblPaper = nullptr;
    QLabel *lblFeedHint = nullptr;
    QPushButton *cmdResetCharge[2] = {}; // "Reset Shipping Charge", "Reset Additional Charge"
    QComboBox *cboTerms = nullptr;
    QRadioButton *optDiscount[3] = {};
    QGroupBox *fraDiscount = nullptr;
    QCheckBox *ckDiscount = nullptr;
    QComboBox *cboDiscount = nullptr;
    QComboBox *cboDays = nullptr;
    QGroupBox *fraFlat = nullptr;
    QLineEdit *txtFlatDiscount = nullptr;
    QPushButton *cmdAddDiscount = nullptr;
    QGroupBox *fraPrePaid = nullptr;
    QLineEdit *txtPrepaid = nullptr;
    QComboBox *cboPrepaid = nullptr;
    QPushButton *cmdPrepaid[2] = {};
    QLabel *lblPrepaidHint = nullptr;
    QPushButton *cmdInvoiceContinue = nullptr;
    QPushButton *cmdCancelPrint = nullptr;
    QPushButton *cmdReadyPrint[2] = {};
    QPushButton *cmdSave = nullptr;

    // Templates, narrative and memo.
    QGroupBox *fraTemplates = nullptr;
    QListWidget *flstInvoiceTemplates = nullptr;
    QPushButton *cmdTemplate[5] = {};
    QGroupBox *fraNarrative = nullptr;
    QPlainTextEdit *txtNarrative = nullptr;
    QPushButton *cmdNarrative[5] = {};
    QGroupBox *fraMemo = nullptr;
    QPlainTextEdit *txtMemo = nullptr;
    QLabel *lblMemo = nullptr;
    QPushButton *cmdInvoiceMemo[3] = {};
    QPushButton *cmdHideMemo = nullptr;

    QGroupBox *fraInstructions[InstructionPanels] = {};
};
