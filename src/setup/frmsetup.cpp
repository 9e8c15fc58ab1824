#include "setup/frmsetup.h"

#include "core/appstate.h"
#include "core/money.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "printing/printsettings.h"
#include "setup/businesssettings.h"
#include "setup/logopicture.h"
#include "setup/setupdialogs.h"
#include "setup/setuptelephone.h"
#include "ui/keyfilterglue.h"
#include "ui/navigator.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace settingsfiles;

namespace {

const QString CaptionUsa = QStringLiteral("USA Style Address");
const QString CaptionInternational = QStringLiteral("International Style Address");

// Widths of the address boxes, in twips, as the two styles lay them out.
constexpr double WideBox = 5385;
constexpr double CityBox = 3150;
constexpr double StateBox = 390;
constexpr double ZipBox = 1800;
constexpr int InternationalStateLimit = 55;
constexpr int UsaStateLimit = 2;
constexpr int TelephonePage = 2;

const QStringList TaxRates{"4.0", "5.0", "6.0", "7.0", "5,0", "6,0", "7,0"};
const QStringList TaxHeadings{"Sales Tax", "County Tax",     "Tax", "Taxes",
                              "VAT Tax",   "Provincial Tax", "GST"};

QString name(const char *base, int index)
{
    return QString::fromLatin1(base) + u'_' + QString::number(index);
}

QColor colourOf(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrOf(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

void showComboText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
    if (combo->isEditable())
        combo->setEditText(text);
}

QCheckBox *checkBox(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    return box;
}

QToolButton *pictureButton(const QString &objectName, QStyle::StandardPixmap icon,
                           const QString &tip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

frmSetup::frmSetup(BusinessSettings &settings, ApplicationState &state, Prompts &prompts,
                   Navigator &navigator, SetupDialogs &dialogs, SetupTelephone *telephone,
                   QWidget *parent)
    : Screen(QStringLiteral("PelmorInvoicer"), parent), m_settings(settings), m_state(state),
      m_prompts(prompts), m_navigator(navigator), m_dialogs(dialogs), m_telephone(telephone)
{
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Pelmor Invoicer Setup"));
    buildControls();
    connectModel();
    Form_Load();
}

frmSetup::~frmSetup() = default;

void frmSetup::setPrintSample(PrintSampleFunction print)
{
    m_printSample = std::move(print);
    cmdLogo[3]->setEnabled(bool(m_printSample));
}

int frmSetup::twipsToPixels(double twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

// Building the window ------------------------------------------------------------

void frmSetup::buildControls()
{
    tabInfo = new QTabWidget(this);
    tabInfo->setObjectName(QStringLiteral("tabInfo"));
    tabInfo->addTab(buildBusinessPage(), QStringLiteral("&Business Information"));
    tabInfo->addTab(buildTaxPage(), QStringLiteral("&Taxes"));
    tabInfo->addTab(buildTaxablePage(), QStringLiteral("Taxable &Items"));
    tabInfo->addTab(buildLogoPage(), QStringLiteral("&Logo"));

    SSTab2 = new QTabWidget(this);
    SSTab2->setObjectName(QStringLiteral("SSTab2"));
    SSTab2->addTab(buildPrintPage(), QStringLiteral("&Print Options"));
    SSTab2->addTab(buildColourPage(), QStringLiteral("Colors and &Font"));
    SSTab2->addTab(buildTelephonePage(), QStringLiteral("Telep&hone"));

    // Every page's name stays in sight.
    tabInfo->setUsesScrollButtons(false);
    SSTab2->setUsesScrollButtons(false);

    const QString nextPage = QStringLiteral("Next page");
    for (int i = 0; i < 2; ++i) {
        QTabWidget *tabs = i == 0 ? tabInfo : SSTab2;
        Image1[i] = pictureButton(name("Image1", i), QStyle::SP_ArrowForward, nextPage, tabs);
        Image1[i]->setAccessibleName(i == 0 ? QStringLiteral("Next business page")
                                            : QStringLiteral("Next printing page"));
        tabs->setCornerWidget(Image1[i], Qt::TopRightCorner);
        connect(Image1[i], &QToolButton::clicked, this, [this, i] { Image1_Click(i); });
    }

    cmdQuit = new QPushButton(QStringLiteral("&Save Settings / Return to Menu"), this);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    connect(cmdQuit, &QPushButton::clicked, this, &frmSetup::cmdQuit_Click);

    auto *pages = new QHBoxLayout;
    pages->setSpacing(12);
    pages->addWidget(tabInfo, 3);
    pages->addWidget(SSTab2, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdQuit);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(12, 12, 12, 12);
    main->addLayout(pages, 1);
    main->addLayout(buttons);

    setTabOrder(tabInfo, SSTab2);
    setTabOrder(SSTab2, cmdQuit);
}

QWidget *frmSetup::buildBusinessPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const QStringList captions{"Company Name",
                               "Address 1",
                               "Address 2",
                               "City",
                               "State",
                               "Postal Zip Code",
                               "Telephone",
                               "Additional Information",
                               "Additional Information"};
    for (int i = 0; i < ProfileBoxes; ++i) {
        txtBusiness[i] = new QLineEdit(page);
        txtBusiness[i]->setObjectName(name("txtBusiness", i));
        txtBusiness[i]->setFixedWidth(twipsToPixels(i == PostalCode ? ZipBox : WideBox));
        attachQuoteFilter(txtBusiness[i], m_prompts);
        lblBusiness[i] = ui::label(captions.at(i), txtBusiness[i], page);
        lblBusiness[i]->setObjectName(name("lblBusiness", i));
        grid->addWidget(lblBusiness[i], i, 0);
        if (i != PostalCode)
            grid->addWidget(txtBusiness[i], i, 1, Qt::AlignLeft);
    }
    txtBusiness[Additional2]->setToolTip(QStringLiteral("Enter your FEIN or VAT if desired"));
    connect(txtBusiness[State], &QLineEdit::textChanged, this, &frmSetup::keepStateLimit);

    lblPostal = new QLabel(QStringLiteral("Postal Code is Mandatory"), page);
    lblPostal->setObjectName(QStringLiteral("lblPostal"));
    auto *zipRow = new QHBoxLayout;
    zipRow->setSpacing(10);
    zipRow->addWidget(txtBusiness[PostalCode]);
    zipRow->addWidget(lblPostal);
    zipRow->addStretch(1);
    grid->addLayout(zipRow, PostalCode, 1);
    grid->setColumnStretch(1, 1);

    cmdAddress = new QPushButton(CaptionUsa, page);
    cmdAddress->setObjectName(QStringLiteral("cmdAddress"));
    cmdAddress->setToolTip(QStringLiteral("Switch between USA and International addresses"));
    connect(cmdAddress, &QPushButton::clicked, this, &frmSetup::cmdAddress_Click);

    Image5 = pictureButton(QStringLiteral("Image5"), QStyle::SP_BrowserReload,
                           QStringLiteral("Re-read the stored Business Data"), page);
    connect(Image5, &QToolButton::clicked, this, &frmSetup::Image5_Click);
    Image4 = pictureButton(QStringLiteral("Image4"), QStyle::SP_DialogResetButton,
                           QStringLiteral("Reset (clear) all Business Data"), page);
    connect(Image4, &QToolButton::clicked, this, &frmSetup::Image4_Click);

    auto *actions = new QHBoxLayout;
    actions->addWidget(cmdAddress);
    actions->addStretch(1);
    actions->addWidget(Image5);
    actions->addWidget(Image4);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(actions);
    layout->addStretch(1);
    return page;
}

QWidget *frmSetup::buildTaxPage()
{
    auto *page = new QWidget;
    cboTaxHeading1 = ui::editableCombo(QStringLiteral("cboTaxHeading1"), TaxHeadings, page);
    cboTaxHeading2 =
        ui::editableCombo(QStringLiteral("cboTaxHeading2"),
                          TaxHeadings + QStringList{QStringLiteral("Tax Surcharge")}, page);
    cboRate1 = ui::editableCombo(QStringLiteral("cboRate1"), TaxRates, page);
    cboRate2 = ui::editableCombo(QStringLiteral("cboRate2"), TaxRates, page);
    for (QComboBox *combo : {cboTaxHeading1, cboTaxHeading2, cboRate1, cboRate2})
        attachQuoteFilter(combo, m_prompts);
    for (QComboBox *combo : {cboRate1, cboRate2})
        combo->setMinimumContentsLength(6);
    ckApply1stTax = checkBox(QStringLiteral("ckApply1stTax"),
                             QStringLiteral("Apply 1st Tax to Invoices"), page);
    ckApply2ndTax = checkBox(QStringLiteral("ckApply2ndTax"),
                             QStringLiteral("Apply 2nd Tax to Invoices"), page);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("Heading"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rate (%)"), page), 0, 2);
    grid->addWidget(ui::label(QStringLiteral("1st Tax"), cboTaxHeading1, page), 1, 0);
    grid->addWidget(cboTaxHeading1, 1, 1);
    grid->addWidget(cboRate1, 1, 2);
    grid->addWidget(ckApply1stTax, 1, 3);
    grid->addWidget(ui::label(QStringLiteral("2nd Tax"), cboTaxHeading2, page), 2, 0);
    grid->addWidget(cboTaxHeading2, 2, 1);
    grid->addWidget(cboRate2, 2, 2);
    grid->addWidget(ckApply2ndTax, 2, 3);
    grid->setColumnStretch(4, 1);
    ui::tabOrder({cboTaxHeading1, cboRate1, ckApply1stTax, cboTaxHeading2, cboRate2,
                  ckApply2ndTax});
    cboRate1->setAccessibleName(QStringLiteral("1st Tax Rate"));
    cboRate2->setAccessibleName(QStringLiteral("2nd Tax Rate"));

    ckApplyGraduated = checkBox(QStringLiteral("ckApplyGraduated"),
                                QStringLiteral("Apply Graduated Tax Scheme"), page);
    const QStringList graduatedCaptions{"View/Create a Graduated Tax Scheme",
                                        "Save Graduated Tax Scheme and Close Window", "Clear/Redo"};
    for (int i = 0; i < 3; ++i) {
        cmdGraduatedTax[i] = new QPushButton(graduatedCaptions.at(i), page);
        cmdGraduatedTax[i]->setObjectName(name("cmdGraduatedTax", i));
        connect(cmdGraduatedTax[i], &QPushButton::clicked, this,
                [this, i] { cmdGraduatedTax_Click(i); });
    }

    fraGraduated = new QGroupBox(QStringLiteral("Graduated Tax Levels"), page);
    fraGraduated->setObjectName(QStringLiteral("fraGraduated"));
    const QStringList tips{"Max amount of primary rate",
                           "Flat surcharge when 1st total is exceeded"};
    for (int i = 0; i < 2; ++i) {
        txtGradulated[i] = new QLineEdit(fraGraduated);
        txtGradulated[i]->setObjectName(name("txtGradulated", i));
        txtGradulated[i]->setToolTip(tips.at(i));
        txtGradulated[i]->setFixedWidth(twipsToPixels(1600));
        txtGradulated[i]->setAlignment(Qt::AlignRight);
        attachQuoteFilter(txtGradulated[i], m_prompts);
        // After the quote filter, so a zero is emptied before the key is filtered.
        txtGradulated[i]->installEventFilter(this);
    }
    auto *levels = new QGridLayout(fraGraduated);
    levels->setHorizontalSpacing(10);
    levels->addWidget(
        ui::label(QStringLiteral("Apply Primary Tax Rate to all Sales up to  a Total of:"),
                  txtGradulated[0], fraGraduated),
        0, 0);
    levels->addWidget(txtGradulated[0], 0, 1);
    levels->addWidget(
        ui::label(QStringLiteral("Apply Secondary Tax Rate when exceeded"), nullptr, fraGraduated),
        1, 0, 1, 3);
    levels->addWidget(
        ui::label(QStringLiteral("Apply a Surcharge of:"), txtGradulated[1], fraGraduated), 2, 0);
    levels->addWidget(txtGradulated[1], 2, 1);
    // Under its amount, so that opening the frame does not widen the window.
    levels->addWidget(
        ui::label(QStringLiteral("when Primary Amount is exceeded"), nullptr, fraGraduated), 3, 0,
        1, 2, Qt::AlignRight);
    auto *frameButtons = new QHBoxLayout;
    frameButtons->setSpacing(8);
    frameButtons->addWidget(cmdGraduatedTax[1]);
    frameButtons->addWidget(cmdGraduatedTax[2]);
    frameButtons->addStretch(1);
    levels->addLayout(frameButtons, 4, 0, 1, 2);
    levels->setColumnStretch(2, 1);
    fraGraduated->setVisible(false);

    auto *graduatedRow = new QHBoxLayout;
    graduatedRow->addWidget(ckApplyGraduated);
    graduatedRow->addWidget(cmdGraduatedTax[0]);
    graduatedRow->addStretch(1);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(graduatedRow);
    layout->addWidget(fraGraduated);
    layout->addStretch(1);
    return page;
}

QWidget *frmSetup::buildTaxablePage()
{
    auto *page = new QWidget;
    ckSalesItems = checkBox(QStringLiteral("ckSalesItems"),
                            QStringLiteral("Tax Inventoried Sales  Items"), page);
    ckServices = checkBox(QStringLiteral("ckServices"), QStringLiteral("Tax Services"), page);
    ckLabor = checkBox(QStringLiteral("ckLabor"), QStringLiteral("Tax Labor"), page);
    ckCustom =
        checkBox(QStringLiteral("ckCustom"), QStringLiteral("Tax Custom Sales  Items"), page);
    auto *layout = new QVBoxLayout(page);
    for (QCheckBox *box : {ckSalesItems, ckServices, ckLabor, ckCustom})
        layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

QWidget *frmSetup::buildLogoPage()
{
    auto *page = new QWidget;
    const QStringList captions{"Find", "&Store", "&Clear", "Print Sample"};
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        cmdLogo[i] = new QPushButton(captions.at(i), page);
        cmdLogo[i]->setObjectName(name("cmdLogo", i));
        connect(cmdLogo[i], &QPushButton::clicked, this, [this, i] { cmdLogo_Click(i); });
        buttons->addWidget(cmdLogo[i]);
    }
    buttons->addStretch(1);
    cmdLogo[1]->setEnabled(false);
    cmdLogo[3]->setEnabled(false);

    Image3 = new QLabel(page);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setFrameShape(QFrame::Box);
    Image3->setAlignment(Qt::AlignCenter);
    Image3->setAccessibleName(QStringLiteral("Company logo"));

    // Height arrows beside the picture, width arrows below it.
    for (int which = 0; which < 2; ++which) {
        auto *holder = new QWidget(page);
        holder->setObjectName(which == 0 ? QStringLiteral("UpDown1") : QStringLiteral("UpDown2"));
        QBoxLayout *arrows = which == 0 ? static_cast<QBoxLayout *>(new QVBoxLayout(holder))
                                        : static_cast<QBoxLayout *>(new QHBoxLayout(holder));
        arrows->setContentsMargins(0, 0, 0, 0);
        arrows->setSpacing(2);
        const QString side = which == 0 ? QStringLiteral("height") : QStringLiteral("width");
        for (int up = 1; up >= 0; --up) {
            auto *arrow = new QToolButton(holder);
            arrow->setObjectName(up ? QStringLiteral("up") : QStringLiteral("down"));
            if (which == 0)
                arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
            else
                arrow->setArrowType(up ? Qt::RightArrow : Qt::LeftArrow);
            const QString tip =
                (up ? QStringLiteral("Increase the logo ") : QStringLiteral("Decrease the logo ")) +
                side;
            arrow->setToolTip(tip);
            arrow->setAccessibleName(tip);
            UpDownArrow[which][up] = arrow;
            connect(arrow, &QToolButton::clicked, this,
                    [this, which, up] { UpDown_Click(which, up == 1); });
        }
        if (which == 0) {
            arrows->addWidget(UpDownArrow[0][1]);
            arrows->addWidget(UpDownArrow[0][0]);
            UpDown1 = holder;
        } else {
            arrows->addWidget(UpDownArrow[1][0]);
            arrows->addWidget(UpDownArrow[1][1]);
            UpDown2 = holder;
        }
    }
    lblLogoSize = new QLabel(page);
    lblLogoSize->setObjectName(QStringLiteral("lblLogoSize"));

    auto *picture = new QGridLayout;
    picture->addWidget(Image3, 0, 0, Qt::AlignCenter);
    picture->addWidget(UpDown1, 0, 1, Qt::AlignVCenter);
    picture->addWidget(UpDown2, 1, 0, Qt::AlignHCenter);
    picture->setRowMinimumHeight(0, twipsToPixels(1840) + 4);
    picture->setColumnMinimumWidth(0, twipsToPixels(1840) + 4);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addSpacing(8);
    auto *row = new QHBoxLayout;
    row->addLayout(picture);
    row->addSpacing(12);
    row->addWidget(lblLogoSize, 0, Qt::AlignTop);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    return page;
}

QWidget *frmSetup::buildPrintPage()
{
    auto *page = new QWidget;
    auto *paper = new QGroupBox(QStringLiteral("Paper"), page);
    optPlain = new QRadioButton(QStringLiteral("No Remittance Slip"), paper);
    optPlain->setObjectName(QStringLiteral("optPlain"));
    optReturn = new QRadioButton(QStringLiteral("Print Remittance Slip "), paper);
    optReturn->setObjectName(QStringLiteral("optReturn"));
    auto *paperLayout = new QVBoxLayout(paper);
    paperLayout->addWidget(optPlain);
    paperLayout->addWidget(optReturn);

    auto *colour = new QGroupBox(QStringLiteral("Color Printing"), page);
    ckColor = checkBox(QStringLiteral("ckColor"), QStringLiteral("Print"), colour);
    ckColor->setAccessibleName(QStringLiteral("Print in color"));
    auto *colourLayout = new QVBoxLayout(colour);
    colourLayout->addWidget(ckColor);

    cboCopies = new QComboBox(page);
    cboCopies->setObjectName(QStringLiteral("cboCopies"));
    auto *copies = new QHBoxLayout;
    copies->addWidget(ui::label(QStringLiteral("Number of Copies"), cboCopies, page));
    copies->addWidget(cboCopies);
    copies->addStretch(1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(paper);
    layout->addWidget(colour);
    layout->addLayout(copies);
    layout->addStretch(1);
    return page;
}

QWidget *frmSetup::buildColourPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setHorizontalSpacing(10);
    const QStringList captions{"Border / Frame Color", "Text Color",
                               "Select a print FONT, not size"};
    for (int i = 0; i < 3; ++i) {
        cmdChange[i] = new QPushButton(QStringLiteral("Change"), page);
        cmdChange[i]->setObjectName(name("cmdChange", i));
        cmdChange[i]->setAccessibleName(QStringLiteral("Change ") + captions.at(i));
        connect(cmdChange[i], &QPushButton::clicked, this, [this, i] { cmdChange_Click(i); });
    }
    for (int i = 0; i < 2; ++i) {
        auto *sample = new QLineEdit(page);
        sample->setObjectName(i == 0 ? QStringLiteral("txtBorders") : QStringLiteral("txtData"));
        sample->setReadOnly(true);
        sample->setFocusPolicy(Qt::NoFocus);
        sample->setFixedWidth(twipsToPixels(900));
        sample->setAccessibleName(captions.at(i));
        (i == 0 ? txtBorders : txtData) = sample;
        grid->addWidget(new QLabel(captions.at(i), page), i, 0);
        grid->addWidget(sample, i, 1);
        grid->addWidget(cmdChange[i], i, 2);
    }
    lblFont = new QLabel(QStringLiteral("Font shows Here"), page);
    lblFont->setObjectName(QStringLiteral("lblFont"));
    lblFont->setFrameShape(QFrame::StyledPanel);
    lblFont->setMinimumWidth(twipsToPixels(1800));
    grid->addWidget(new QLabel(captions.at(2), page), 2, 0, 1, 3);
    grid->addWidget(lblFont, 3, 0, 1, 2);
    grid->addWidget(cmdChange[2], 3, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget *frmSetup::buildTelephonePage()
{
    auto *page = new QWidget;
    ckPhone = checkBox(QStringLiteral("ckPhone"),
                       QStringLiteral("A Telephone is Daisy-Chained to the Modem"), page);
    ckCallerID = checkBox(QStringLiteral("ckCallerID"), QStringLiteral("Using Caller ID"), page);
    lblCallid = new QLabel(
        QStringLiteral("Caller ID is switched on in your modem each time the program starts."),
        page);
    lblCallid->setObjectName(QStringLiteral("lblCallid"));
    lblCallid->setWordWrap(true);
    txtModemPort = new QLineEdit(page);
    txtModemPort->setObjectName(QStringLiteral("txtModemPort"));
    txtModemPort->setReadOnly(true);
    txtModemPort->setFixedWidth(twipsToPixels(600));
    auto *port = new QHBoxLayout;
    port->addWidget(ui::label(QStringLiteral("Modem COM Port #"), txtModemPort, page));
    port->addWidget(txtModemPort);
    port->addStretch(1);

    connect(ckPhone, &QCheckBox::toggled, this, [this](bool ticked) {
        if (!m_showing && m_telephone)
            m_telephone->SetPhoneEnabled(ticked);
    });
    connect(ckCallerID, &QCheckBox::clicked, this, &frmSetup::ckCallerID_Click);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(ckPhone);
    layout->addWidget(ckCallerID);
    layout->addWidget(lblCallid);
    layout->addLayout(port);
    layout->addStretch(1);
    return page;
}

void frmSetup::connectModel()
{
    connect(&m_settings, &BusinessSettings::taxesChanged, this, &frmSetup::showTaxes);
    connect(&m_settings, &BusinessSettings::invoiceSettingsChanged, this,
            &frmSetup::showInvoiceSettings);
    connect(&m_settings, &BusinessSettings::printColorsChanged, this, &frmSetup::showPrintColors);
    connect(&m_settings, &BusinessSettings::logoChanged, this, &frmSetup::showLogo);
    connect(&m_settings, &BusinessSettings::logoSizeChanged, this, &frmSetup::showLogo);
    connect(&m_settings, &BusinessSettings::usaStyleChanged, this,
            [this](bool usa) { cmdAddress->setText(BusinessSettings::addressStyleCaption(usa)); });

    for (QComboBox *combo : {cboTaxHeading1, cboTaxHeading2, cboRate1, cboRate2})
        connect(combo, &QComboBox::currentTextChanged, this, &frmSetup::takeTaxes);
    for (QCheckBox *box : {ckApply1stTax, ckApply2ndTax})
        connect(box, &QCheckBox::toggled, this, &frmSetup::takeTaxes);
    for (QCheckBox *box : {ckSalesItems, ckServices, ckLabor, ckCustom, ckApplyGraduated})
        connect(box, &QCheckBox::toggled, this, &frmSetup::takeInvoiceSettings);
    connect(optReturn, &QRadioButton::toggled, this, &frmSetup::takeInvoiceSettings);
    for (QLineEdit *box : txtGradulated)
        connect(box, &QLineEdit::textChanged, this, &frmSetup::takeInvoiceSettings);
    connect(ckColor, &QCheckBox::toggled, this, &frmSetup::takePrintColors);
    connect(cboCopies, &QComboBox::currentTextChanged, this, &frmSetup::takePrintColors);
}

// Loading and activation ------------------------------------------------------------

void frmSetup::Form_Load()
{
    restoreGeometryFromSettings();
    if (m_settings.LoadBusinessProfile())
        BuildBusiness();
    if (m_telephone)
        m_telephone->LoadPhoneSettings();
    showPhoneSettings();
    SetAddressStyle();
    for (int copies = MinCopies; copies <= MaxCopies; ++copies)
        cboCopies->addItem(QString::number(copies));
    m_settings.LoadPrintColors();
    showPrintColors();
    m_settings.LoadTaxSettings();
    showTaxes();
    m_settings.LoadLogo();
    m_settings.LoadLogoSize();
    showLogo();
    m_settings.LoadSettings();
    showInvoiceSettings();
}

void frmSetup::Form_Activate()
{
    // The ninth field keeps what its box holds.
    for (int i = 0; i < Additional2; ++i)
        setBoxText(i, m_settings.profileField(i));
    SetAddressStyle();
    txtBusiness[CompanyName]->setFocus(Qt::OtherFocusReason);
}

void frmSetup::BuildBusiness()
{
    for (int i = 0; i < ProfileBoxes; ++i)
        setBoxText(i, m_settings.profileField(i));
}

void frmSetup::setBoxText(int index, const QString &text)
{
    // A stored state longer than the typing limit is shown whole.
    if (index == State)
        txtBusiness[State]->setMaxLength(std::max<int>(m_stateLimit, int(text.size())));
    txtBusiness[index]->setText(text);
}

void frmSetup::keepStateLimit()
{
    QLineEdit *box = txtBusiness[State];
    box->setMaxLength(std::max<int>(m_stateLimit, int(box->text().size())));
}

// The address style ---------------------------------------------------------------

void frmSetup::SetAddressStyle()
{
    applyAddressStyle(initialUsaStyle(m_settings.profileField(CompanyName),
                                      m_settings.profileField(PostalCode), m_settings.usaStyle()));
    tabInfo->setCurrentIndex(0);
    SSTab2->setCurrentIndex(0);
}

void frmSetup::cmdAddress_Click()
{
    applyAddressStyle(!m_settings.usaStyle());
}

void frmSetup::applyAddressStyle(bool usa)
{
    if (usa) {
        m_settings.setUsaStyle(true);
        lblPostal->setVisible(true);
        cmdAddress->setText(CaptionUsa);
        lblBusiness[City]->setText(QStringLiteral("City"));
        lblBusiness[State]->setText(QStringLiteral("State"));
        lblBusiness[PostalCode]->setVisible(true);
        txtBusiness[PostalCode]->setVisible(true);
        setBoxText(PostalCode, m_settings.profileField(PostalCode));
        if (isVisible())
            txtBusiness[PostalCode]->setFocus(Qt::OtherFocusReason);
        const int stateWidth = std::max(
            twipsToPixels(StateBox),
            txtBusiness[State]->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 14);
        txtBusiness[State]->setFixedWidth(stateWidth);
        m_stateLimit = UsaStateLimit;
        txtBusiness[City]->setFixedWidth(twipsToPixels(CityBox));
    } else {
        cmdAddress->setText(CaptionInternational);
        lblPostal->setVisible(false);
        lblBusiness[City]->setText(QStringLiteral("Address 3"));
        lblBusiness[State]->setText(QStringLiteral("Address 4"));
        lblBusiness[PostalCode]->setVisible(false);
        txtBusiness[PostalCode]->clear();
        txtBusiness[PostalCode]->setVisible(false);
        txtBusiness[State]->setFixedWidth(twipsToPixels(WideBox));
        txtBusiness[City]->setFixedWidth(twipsToPixels(WideBox));
        m_stateLimit = InternationalStateLimit;
        m_settings.setUsaStyle(false);
    }
    keepStateLimit();
}

// Leaving ----------------------------------------------------------------------------

void frmSetup::cmdQuit_Click()
{
    if (txtBusiness[CompanyName]->text().trimmed().isEmpty() ||
        txtBusiness[Telephone]->text().trimmed().isEmpty()) {
        m_prompts.tell(QStringLiteral("Name and Telephone are Required"),
                       QStringLiteral("Missing Name or Telphone"));
        txtBusiness[CompanyName]->setFocus(Qt::OtherFocusReason);
        return;
    }
    QStringList profile;
    for (QLineEdit *box : txtBusiness)
        profile.append(box->text());
    bool saved = m_settings.SaveBusinessProfile(profile);
    saved = m_settings.SaveSettings() && saved;
    saved = m_settings.SavePrintColors() && saved;
    saved = m_settings.SaveLogoSize() && saved;
    if (m_telephone)
        saved =
            m_telephone->SavePhoneSettings(ckPhone->isChecked(), ckCallerID->isChecked()) && saved;
    saved = m_settings.SaveTaxSettings() && saved;

    // The written program would carry on to a welcome window with half its files
    // missing; the operator is told instead and can try again.
    if (!saved || !m_navigator.SettingsFilesPresent()) {
        m_prompts.tell(QStringLiteral("Your settings could not all be saved.\r\n"
                                      "Make sure the program may write in its data folder, "
                                      "then try again."),
                       QStringLiteral("Save Settings"));
        return;
    }
    m_navigator.show(Navigator::Target::MainMenu, this);
}

// Taxes --------------------------------------------------------------------------------

void frmSetup::cmdGraduatedTax_Click(int index)
{
    switch (index) {
    case 0:
        fraGraduated->setVisible(true);
        txtGradulated[0]->setFocus(Qt::OtherFocusReason);
        break;
    case 1:
        for (QLineEdit *box : txtGradulated) {
            std::optional<Money> amount = regional::parseMoney(box->text());
            if (!amount) {
                if (const auto value = regional::numeric(box->text()))
                    amount = Money::tryFromDouble(*value);
            }
            if (!amount) {
                m_prompts.beep();
                box->setText(regional::zeroCurrency());
                box->setFocus(Qt::OtherFocusReason);
                return;
            }
            box->setText(regional::currencyText(*amount));
        }
        if (regional::parseMoney(txtGradulated[0]->text()).value_or(Money()).isZero())
            ckApplyGraduated->setChecked(false);
        fraGraduated->setVisible(false);
        break;
    case 2:
        for (QLineEdit *box : txtGradulated)
            box->setText(regional::zeroCurrency());
        txtGradulated[0]->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

bool frmSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == txtGradulated[0] || watched == txtGradulated[1])) {
        auto *box = static_cast<QLineEdit *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        // Typing or pasting replaces a bare zero; moving about in the box does not.
        const bool edits = (!key->text().isEmpty() && key->text().at(0).isPrint()) ||
                           key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                           key->matches(QKeySequence::Paste);
        if (edits && box->text() == regional::zeroCurrency())
            box->clear();
    }
    return Screen::eventFilter(watched, event);
}

void frmSetup::takeTaxes()
{
    if (m_showing)
        return;
    TaxSettings taxes;
    taxes.heading1 = cboTaxHeading1->currentText();
    taxes.heading2 = cboTaxHeading2->currentText();
    taxes.rate1 = cboRate1->currentText();
    taxes.rate2 = cboRate2->currentText();
    taxes.apply1 = ckApply1stTax->isChecked();
    taxes.apply2 = ckApply2ndTax->isChecked();
    m_settings.setTaxes(taxes);
}

void frmSetup::showTaxes()
{
    m_showing = true;
    const TaxSettings &taxes = m_settings.taxes();
    showComboText(cboTaxHeading1, taxes.heading1);
    showComboText(cboTaxHeading2, taxes.heading2);
    showComboText(cboRate1, taxes.rate1);
    showComboText(cboRate2, taxes.rate2);
    ckApply1stTax->setChecked(taxes.apply1);
    ckApply2ndTax->setChecked(taxes.apply2);
    m_showing = false;
}

void frmSetup::takeInvoiceSettings()
{
    if (m_showing)
        return;
    InvoiceSettings settings = m_settings.invoiceSettings();
    settings.taxSalesItems = ckSalesItems->isChecked();
    settings.taxServices = ckServices->isChecked();
    settings.taxLabor = ckLabor->isChecked();
    settings.taxCustom = ckCustom->isChecked();
    settings.applyGraduated = ckApplyGraduated->isChecked();
    settings.remittanceSlip = optReturn->isChecked();
    settings.graduatedLimit = txtGradulated[0]->text();
    settings.graduatedSurcharge = txtGradulated[1]->text();
    m_settings.setInvoiceSettings(settings);
}

void frmSetup::showInvoiceSettings()
{
    m_showing = true;
    const InvoiceSettings &settings = m_settings.invoiceSettings();
    ckSalesItems->setChecked(settings.taxSalesItems);
    ckServices->setChecked(settings.taxServices);
    ckLabor->setChecked(settings.taxLabor);
    ckCustom->setChecked(settings.taxCustom);
    ckApplyGraduated->setChecked(settings.applyGraduated);
    (settings.remittanceSlip ? optReturn : optPlain)->setChecked(true);
    if (txtGradulated[0]->text() != settings.graduatedLimit)
        txtGradulated[0]->setText(settings.graduatedLimit);
    if (txtGradulated[1]->text() != settings.graduatedSurcharge)
        txtGradulated[1]->setText(settings.graduatedSurcharge);
    m_showing = false;
}

// Print options, colours and font ---------------------------------------------------

void frmSetup::takePrintColors()
{
    if (m_showing)
        return;
    PrintColors colors = m_settings.printColors();
    colors.colourPrinting = ckColor->isChecked();
    colors.copies = cboCopies->currentText().toInt();
    m_settings.setPrintColors(colors);
}

void frmSetup::showPrintColors()
{
    m_showing = true;
    const PrintColors &colors = m_settings.printColors();
    for (QLineEdit *sample : {txtBorders, txtData}) {
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Base,
                         colourOf(sample == txtBorders ? colors.borderColour : colors.textColour));
        sample->setPalette(palette);
    }
    lblFont->setText(colors.fontName);
    ckColor->setChecked(colors.colourPrinting);
    showComboText(cboCopies, QString::number(colors.copies));
    m_showing = false;
}

void frmSetup::cmdChange_Click(int index)
{
    PrintColors colors = m_settings.printColors();
    if (index == 0 || index == 1) {
        quint32 &target = index == 0 ? colors.borderColour : colors.textColour;
        const auto chosen = m_dialogs.chooseColour(this, colourOf(target));
        if (!chosen || !chosen->isValid())
            return;
        target = bgrOf(chosen->toRgb());
    } else {
        const auto family = m_dialogs.chooseFont(this, colors.fontName);
        if (!family || family->trimmed().isEmpty())
            return;
        colors.fontName = *family;
    }
    m_settings.setPrintColors(colors);
}

// Logo ---------------------------------------------------------------------------------

void frmSetup::cmdLogo_Click(int index)
{
    switch (index) {
    case 0: {
        const auto file = m_dialogs.chooseFile(
            this, QStringLiteral("Pictures (*.bmp *.BMP *.ico *.ICO *.cur *.CUR *jpg *JPG *.EMF "
                                 "*.png *.PNG)"
                                 ";;All (*)"));
        if (!file)
            return;
        // The path is stored as a quoted field, which cannot hold a quote.
        if (file->contains(u'"')) {
            m_prompts.tell(QStringLiteral("The name of this picture holds a double quote (\"), "
                                          "which cannot be stored.\r\n"
                                          "Rename the picture, then find it again."));
            return;
        }
        // The path file is Windows-1252: any other letter would come back as "?" and
        // the logo would be lost at the next start.
        if (!isStorableLogoPath(*file)) {
            m_prompts.tell(QStringLiteral("The name of this picture, or of a folder it is in, "
                                          "holds characters that cannot be stored:\r\n%1\r\n"
                                          "Copy the picture to a folder with a plain name, "
                                          "then find it there.")
                               .arg(*file));
            return;
        }
        const auto picture = m_settings.readPicture(*file);
        if (!picture) {
            m_prompts.tell(QStringLiteral("This picture cannot be read:\r\n%1\r\n"
                                          "Choose a bitmap, icon, cursor or JPEG picture.")
                               .arg(*file));
            return;
        }
        m_chosenLogo = *file;
        m_settings.setLogo(*picture);
        cmdLogo[1]->setEnabled(true);
        break;
    }
    case 1:
        if (m_chosenLogo.isEmpty())
            return;
        // A logo that was not written would be gone at the next start: say so, and
        // leave "&Store" on for another try.
        if (!m_settings.SaveLogoPath(m_chosenLogo) || !m_settings.SaveLogoSize()) {
            m_prompts.tell(QStringLiteral("Your Logo could not be Stored.\r\n"
                                          "Make sure the program may write in its data folder, "
                                          "then try again."),
                           QStringLiteral("Store Logo"));
            return;
        }
        m_prompts.tell(QStringLiteral("Your Logo has been Stored"));
        m_settings.LoadLogo();
        m_settings.LoadLogoSize();
        cmdLogo[1]->setEnabled(false);
        break;
    case 2:
        if (!m_prompts.askToDestroy(QStringLiteral("This will Delete your Company Logo"),
                                    QStringLiteral("Delete Logo")))
            return;
        m_settings.ClearLogo();
        m_chosenLogo.clear();
        cmdLogo[1]->setEnabled(false);
        break;
    case 3:
        if (!m_printSample)
            break;
        switch (m_printSample(m_settings.printSettings())) {
        case Printouts::Outcome::Failed:
            m_prompts.tell(QStringLiteral("A Print Error has occurred"),
                           QStringLiteral("Print Error"));
            break;
        case Printouts::Outcome::Cancelled:
            // A cancelled printer dialog prints nothing and says so.
            m_prompts.tell(QStringLiteral("The Document will not be Printed"));
            break;
        case Printouts::Outcome::Printed:
            break;
        }
        break;
    default:
        break;
    }
}

void frmSetup::UpDown_Click(int index, bool up)
{
    LogoSize size = m_settings.logoSize();
    float &side = index == 0 ? size.height : size.width;
    side = stepLogoSide(side, up);
    m_settings.setLogoSize(size);
}

void frmSetup::showLogo()
{
    const LogoSize &size = m_settings.logoSize();
    const QSize pixels(twipsToPixels(size.width), twipsToPixels(size.height));
    Image3->setFixedSize(pixels);
    if (m_settings.hasLogo()) {
        const QImage image = decodePicture(m_settings.logo().bytes);
        Image3->setPixmap(QPixmap::fromImage(
            image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    } else {
        Image3->clear();
    }
    lblLogoSize->setText(QStringLiteral("Width %1 in\nHeight %2 in")
                             .arg(size.width / 1440.0, 0, 'f', 2)
                             .arg(size.height / 1440.0, 0, 'f', 2));
}

// Business data, pages and telephone ----------------------------------------------------

void frmSetup::Image1_Click(int index)
{
    QTabWidget *tabs = index == 0 ? tabInfo : SSTab2;
    tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count());
}

void frmSetup::Image4_Click()
{
    if (!m_prompts.askToDestroy(QStringLiteral("Do you want to reset (clear)all Business Data?"),
                                QStringLiteral("Reset Business Data")))
        return;
    for (QLineEdit *box : txtBusiness)
        box->clear();
    txtBusiness[CompanyName]->setFocus(Qt::OtherFocusReason);
}

void frmSetup::Image5_Click()
{
    if (m_settings.LoadBusinessProfile())
        BuildBusiness();
}

void frmSetup::ckCallerID_Click()
{
    if (m_telephone)
        m_telephone->SetCallerIdEnabled(ckCallerID->isChecked());
    lblCallid->setVisible(ckCallerID->isChecked());
}

void frmSetup::showPhoneSettings()
{
    m_showing = true;
    ckPhone->setChecked(m_state.phoneEnabled);
    ckCallerID->setChecked(m_state.callerIdEnabled);
    lblCallid->setVisible(m_state.callerIdEnabled);
    txtModemPort->setText(QString::number(m_state.modemPort));
    SSTab2->setTabEnabled(TelephonePage, m_telephone && m_state.modemFound);
    m_showing = false;
}

void frmSetup::selectFirstTab()
{
    tabInfo->setCurrentIndex(0);
}
