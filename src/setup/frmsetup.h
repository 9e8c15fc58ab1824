#pragma once

#include "printing/printouts.h"
#include "ui/screen.h"

#include <QString>

#include <functional>

class BusinessSettings;
class Navigator;
class Prompts;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class SetupDialogs;
class SetupTelephone;
struct ApplicationState;
struct PrintSettings;

// The business setup: profile, address style, taxes, print options, logo and the
// telephone settings. Created once at start-up (its load reads every settings file)
// and kept hidden; what it edits lives in BusinessSettings, which the other screens
// and the printouts read.
class frmSetup final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSetup)
public:
    using PrintSampleFunction = std::function<Printouts::Outcome(const PrintSettings &)>;

    // `telephone` may be null when the program has no telephone support; the
    // telephone page then stays disabled.
    frmSetup(BusinessSettings &settings, ApplicationState &state, Prompts &prompts,
             Navigator &navigator, SetupDialogs &dialogs, SetupTelephone *telephone,
             QWidget *parent = nullptr);
    ~frmSetup() override;

    // "Print Sample" prints through this; without it the button is disabled.
    void setPrintSample(PrintSampleFunction print);

    void Form_Activate() override;
    // The main menu's "Create/Modify" opens the screen on its first page.
    void selectFirstTab();

    void BuildBusiness();
    void SetAddressStyle();
    void cmdAddress_Click();
    void cmdQuit_Click();
    void cmdChange_Click(int index);
    void cmdLogo_Click(int index);
    void cmdGraduatedTax_Click(int index);
    void Image1_Click(int index);
    void Image4_Click();
    void Image5_Click();
    void ckCallerID_Click();
    void UpDown_Click(int index, bool up);

    static constexpr int ProfileBoxes = 9;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void buildControls();
    QWidget *buildBusinessPage();
    QWidget *buildTaxPage();
    QWidget *buildTaxablePage();
    QWidget *buildLogoPage();
    QWidget *buildPrintPage();
    QWidget *buildColourPage();
    QWidget *buildTelephonePage();
    void connectModel();

    void applyAddressStyle(bool usa);
    void setBoxText(int index, const QString &text);
    void keepStateLimit();
    int twipsToPixels(double twips) const;

    // Model to widgets.
    void showTaxes();
    void showInvoiceSettings();
    void showPrintColors();
    void showLogo();
    void showPhoneSettings();
    // Widgets to model.
    void takeTaxes();
    void takeInvoiceSettings();
    void takePrintColors();

    BusinessSettings &m_settings;
    ApplicationState &m_state;
    Prompts &m_prompts;
    Navigator &m_navigator;
    SetupDialogs &m_dialogs;
    SetupTelephone *m_telephone;
    PrintSampleFunction m_printSample;
    // The picture "Find" chose, waiting for "&Store".
    QString m_chosenLogo;
    // While the widgets are filled from the model, their signals change nothing.
    bool m_showing = false;
    int m_stateLimit = 2;

    QTabWidget *tabInfo = nullptr;
    QTabWidget *SSTab2 = nullptr;
    QToolButton *Image1[2] = {};

    QLabel *lblBusiness[ProfileBoxes] = {};
    QLineEdit *txtBusiness[ProfileBoxes] = {};
    QLabel *lblPostal = nullptr;
    QPushButton *cmdAddress = nullptr;
    QToolButton *Image4 = nullptr;
    QToolButton *Image5 = nullptr;

    QComboBox *cboTaxHeading1 = nullptr;
    QComboBox *cboTaxHeading2 = nullptr;
    QComboBox *cboRate1 = nullptr;
    QComboBox *cboRate2 = nullptr;
    QCheckBox *ckApply1stTax = nullptr;
    QCheckBox *ckApply2ndTax = nullptr;
    QCheckBox *ckApplyGraduated = nullptr;
    QPushButton *cmdGraduatedTax[3] = {};
    QGroupBox *fraGraduated = nullptr;
    QLineEdit *txtGradulated[2] = {};

    QCheckBox *ckSalesItems = nullptr;
    QCheckBox *ckServices = nullptr;
    QCheckBox *ckLabor = nullptr;
    QCheckBox *ckCustom = nullptr;

    QPushButton *cmdLogo[4] = {};
    QLabel *Image3 = nullptr;
    QWidget *UpDown1 = nullptr;
    QWidget *UpDown2 = nullptr;
    QToolButton *UpDownArrow[2][2] = {}; // [UpDown1, UpDown2][down, up]
    QLabel *lblLogoSize = nullptr;

    QRadioButton *optPlain = nullptr;
    QRadioButton *optReturn = nullptr;
    QCheckBox *ckColor = nullptr;
    QComboBox *cboCopies = nullptr;

    QLineEdit *txtBorders = nullptr;
    QLineEdit *txtData = nullptr;
    QLabel *lblFont = nullptr;
    QPushButton *cmdChange[3] = {};

    QCheckBox *ckPhone = nullptr;
    QCheckBox *ckCallerID = nullptr;
    QLabel *lblCallid = nullptr;
    QLineEdit *txtModemPort = nullptr;

    QPushButton *cmdQuit = nullptr;
};
