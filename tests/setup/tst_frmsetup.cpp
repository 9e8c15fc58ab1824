#include "setup/frmsetup.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "core/datatree.h"
#include "core/keyfilters.h"
#include "printing/printsettings.h"
#include "fakenavigator.h"
#include "scriptedprompts.h"
#include "screenaccess.h"
#include "setup/businesssettings.h"
#include "setup/logopicture.h"
#include "setup/setupdialogs.h"
#include "setup/setuptelephone.h"
#include "ui/navigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace settingsfiles;

namespace {


class FakeDialogs final : public SetupDialogs
{
public:
    std::optional<QColor> chooseColour(QWidget *, const QColor &initial) override
    {
        colourAsked.append(initial);
        return colour;
    }
    std::optional<QString> chooseFont(QWidget *, const QString &family) override
    {
        fontAsked.append(family);
        return font;
    }
    std::optional<QString> chooseFile(QWidget *, const QString &filter) override
    {
        filters.append(filter);
        return file;
    }

    std::optional<QColor> colour;
    std::optional<QString> font;
    std::optional<QString> file;
    QList<QColor> colourAsked;
    QStringList fontAsked;
    QStringList filters;
};

// Answers as a probe and the telephone files would, and notes which settings files
// were already written when the telephone settings are saved.
class FakeTelephone final : public SetupTelephone
{
public:
    FakeTelephone(DataFolder &data, ApplicationState &state) : m_data(data), m_state(state) {}
    void LoadPhoneSettings() override
    {
        ++loads;
        m_state.modemFound = modemFound;
        m_state.modemPort = port;
        m_state.phoneEnabled = phoneEnabled;
        m_state.callerIdEnabled = callerId;
    }
    bool SavePhoneSettings(bool phoneTicked, bool usingCallerId) override
    {
        saved = {phoneTicked, usingCallerId};
        for (const QString &file :
             {BusinessDataFile, SettingsFile, PrintColorsFile, TaxSettingsFile})
            if (m_data.Exists(file))
                writtenBefore.append(file);
        return m_data.RewriteFile(QStringLiteral("/Phone.txt"), "#FALSE#\r\n3\r\n");
    }
    void SetPhoneEnabled(bool enabled) override { m_state.phoneEnabled = enabled; }
    void SetCallerIdEnabled(bool enabled) override { m_state.callerIdEnabled = enabled; }

    bool modemFound = false;
    int port = 0;
    bool phoneEnabled = false;
    bool callerId = true;
    int loads = 0;
    std::optional<std::pair<bool, bool>> saved;
    QStringList writtenBefore;

private:
    DataFolder &m_data;
    ApplicationState &m_state;
};

QByteArray crlf(const QByteArray &line)
{
    return line + "\r\n";
}

} // namespace

class tst_frmSetup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheWrittenTexts_data();
    void showsTheWrittenTexts();
    void showsTheWrittenToolTips_data();
    void showsTheWrittenToolTips();
    void offersTheWrittenLists();
    void firstStartShowsTheDefaults();
    void loadsStoredSettings();
    void opensInTheStyleOfTheStoredProfile_data();
    void opensInTheStyleOfTheStoredProfile();
    void styleButtonSwitchesAndPublishesTheStyle();
    void switchingStylesNeverCutsTheState();
    void leavingNeedsNameAndTelephone_data();
    void leavingNeedsNameAndTelephone();
    void leavingSavesEveryFile();
    void leavingReportsAFolderThatCannotBeWritten();
    void quotedFieldsRefuseTheQuote_data();
    void quotedFieldsRefuseTheQuote();
    void rateCombosTakeTypedRates();
    void graduatedScheme();
    void typingIntoAZeroAmountReplacesIt();
    void colourAndFontDialogs();
    void logoFindStoreAndClear();
    void logoThatCannotBeStoredIsReported();
    void unreadableOrCancelledPictureChangesNothing_data();
    void unreadableOrCancelledPictureChangesNothing();
    void sizingArrowsWrapAround();
    void resetAndReReadTheBusinessData();
    void pictureButtonsStepThroughThePages();
    void activationShowsTheStoredProfile();
    void telephonePage();
    void printSample();
    void closeBoxAsksTheProgramToEnd();
    void commandKeyLeavesTheBoxFirst_data();
    void commandKeyLeavesTheBoxFirst();
    void taxRowsTabAsTheyRead();

private:
    void writeFile(const QString &relative, const QByteArray &bytes);
    QByteArray fileBytes(const QString &relative) const;
    void makeScreen();
    void typeInto(QWidget *box, const QString &text);
    void showPage(const char *tabs, int index);
    void tick(QAbstractButton *box);
    template <typename T> T *child(const QString &name) const
    {
        return screen::child<T>(m_setup.get(), name);
    }
    QLineEdit *box(int index) const
    {
        return child<QLineEdit>(QStringLiteral("txtBusiness_%1").arg(index));
    }
    void storeProfile(const QString &name, const QString &zip,
                      const QString &phone = QStringLiteral("555-0100"));

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<ApplicationState> m_state;
    std::unique_ptr<BusinessSettings> m_settings;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<FakeNavigator> m_navigator;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<FakeTelephone> m_telephone;
    std::unique_ptr<frmSetup> m_setup;
};

void tst_frmSetup::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_frmSetup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backup")));
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_state = std::make_unique<ApplicationState>();
    m_settings = std::make_unique<BusinessSettings>(*m_data, *m_state, &probePicture);
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_navigator = std::make_unique<FakeNavigator>();
    m_navigator->settingsFilesPresent = [this] { return ::SettingsFilesPresent(*m_data); };
    m_dialogs = std::make_unique<FakeDialogs>();
    m_telephone = std::make_unique<FakeTelephone>(*m_data, *m_state);
}

void tst_frmSetup::cleanup()
{
    m_setup.reset();
    m_telephone.reset();
    m_dialogs.reset();
    m_navigator.reset();
    m_prompts.reset();
    m_settings.reset();
    m_state.reset();
    m_data.reset();
    m_dir.reset();
}

void tst_frmSetup::writeFile(const QString &relative, const QByteArray &bytes)
{
    QFile file(m_dir->path() + relative);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray tst_frmSetup::fileBytes(const QString &relative) const
{
    QFile file(m_dir->path() + relative);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void tst_frmSetup::makeScreen()
{
    m_setup = std::make_unique<frmSetup>(*m_settings, *m_state, *m_prompts, *m_navigator,
                                         *m_dialogs, m_telephone.get());
}

void tst_frmSetup::typeInto(QWidget *target, const QString &text)
{
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
}

void tst_frmSetup::showPage(const char *tabs, int index)
{
    child<QTabWidget>(QString::fromLatin1(tabs))->setCurrentIndex(index);
    // Lay the page out before it is clicked.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void tst_frmSetup::tick(QAbstractButton *box)
{
    // On the box itself: a check box laid out wide takes no click in its empty part.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void tst_frmSetup::storeProfile(const QString &name, const QString &zip, const QString &phone)
{
    writeFile(BusinessDataFile,
              crlf(QStringLiteral("\"%1\",\"12 Main St\",\"\",\"Springfield\",\"IL\",\"%2\",\"%3\","
                                  "\"\",\"FEIN 1\"")
                       .arg(name, zip, phone)
                       .toLatin1()));
}

void tst_frmSetup::showsTheWrittenTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("cmdQuit") << "cmdQuit"
                             << "&Save Settings / Return to Menu";
    QTest::newRow("cmdLogo_0") << "cmdLogo_0"
                               << "Find";
    QTest::newRow("cmdLogo_1") << "cmdLogo_1"
                               << "&Store";
    QTest::newRow("cmdLogo_2") << "cmdLogo_2"
                               << "&Clear";
    QTest::newRow("cmdLogo_3") << "cmdLogo_3"
                               << "Print Sample";
    QTest::newRow("cmdGraduatedTax_0") << "cmdGraduatedTax_0"
                                       << "View/Create a Graduated Tax Scheme";
    QTest::newRow("cmdGraduatedTax_1") << "cmdGraduatedTax_1"
                                       << "Save Graduated Tax Scheme and Close Window";
    QTest::newRow("cmdGraduatedTax_2") << "cmdGraduatedTax_2"
                                       << "Clear/Redo";
    QTest::newRow("cmdChange_0") << "cmdChange_0"
                                 << "Change";
    QTest::newRow("cmdChange_2") << "cmdChange_2"
                                 << "Change";
    QTest::newRow("ckApply1stTax") << "ckApply1stTax"
                                   << "Apply 1st Tax to Invoices";
    QTest::newRow("ckApply2ndTax") << "ckApply2ndTax"
                                   << "Apply 2nd Tax to Invoices";
    QTest::newRow("ckApplyGraduated") << "ckApplyGraduated"
                                      << "Apply Graduated Tax Scheme";
    QTest::newRow("ckSalesItems") << "ckSalesItems"
                                  << "Tax Inventoried Sales  Items";
    QTest::newRow("ckServices") << "ckServices"
                                << "Tax Services";
    QTest::newRow("ckLabor") << "ckLabor"
                             << "Tax Labor";
    QTest::newRow("ckCustom") << "ckCustom"
                              << "Tax Custom Sales  Items";
    QTest::newRow("optPlain") << "optPlain"
                              << "No Remittance Slip";
    QTest::newRow("optReturn") << "optReturn"
                               << "Print Remittance Slip ";
    QTest::newRow("ckColor") << "ckColor"
                             << "Print";
    QTest::newRow("ckCallerID") << "ckCallerID"
                                << "Using Caller ID";
    QTest::newRow("lblPostal") << "lblPostal"
                               << "Postal Code is Mandatory";
    QTest::newRow("fraGraduated") << "fraGraduated"
                                  << "Graduated Tax Levels";
    QTest::newRow("lblBusiness_0") << "lblBusiness_0"
                                   << "Company Name";
    QTest::newRow("lblBusiness_1") << "lblBusiness_1"
                                   << "Address 1";
    QTest::newRow("lblBusiness_2") << "lblBusiness_2"
                                   << "Address 2";
    QTest::newRow("lblBusiness_5") << "lblBusiness_5"
                                   << "Postal Zip Code";
    QTest::newRow("lblBusiness_6") << "lblBusiness_6"
                                   << "Telephone";
}

void tst_frmSetup::showsTheWrittenTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    makeScreen();
    QCOMPARE(m_setup->windowTitle(), QStringLiteral("Pelmor Invoicer Setup"));
    QObject *control = m_setup->findChild<QObject *>(name);
    QVERIFY2(control, qPrintable(name));
    QString shown;
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        shown = button->text();
    else if (auto *l = qobject_cast<QLabel *>(control))
        shown = l->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(control))
        shown = frame->title();
    QCOMPARE(shown, text);
}

void tst_frmSetup::showsTheWrittenToolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::newRow("FEIN") << "txtBusiness_8"
                          << "Enter your FEIN or VAT if desired";
    QTest::newRow("limit") << "txtGradulated_0"
                           << "Max amount of primary rate";
    QTest::newRow("surcharge") << "txtGradulated_1"
                               << "Flat surcharge when 1st total is exceeded";
}

void tst_frmSetup::showsTheWrittenToolTips()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    makeScreen();
    QCOMPARE(child<QWidget>(name)->toolTip(), tip);
}

void tst_frmSetup::offersTheWrittenLists()
{
    makeScreen();
    const auto items = [](QComboBox *combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list.append(combo->itemText(i));
        return list;
    };
    const QStringList rates{"4.0", "5.0", "6.0", "7.0", "5,0", "6,0", "7,0"};
    const QStringList headings{"Sales Tax", "County Tax",     "Tax", "Taxes",
                               "VAT Tax",   "Provincial Tax", "GST"};
    QCOMPARE(items(child<QComboBox>("cboRate1")), rates);
    QCOMPARE(items(child<QComboBox>("cboRate2")), rates);
    QCOMPARE(items(child<QComboBox>("cboTaxHeading1")), headings);
    QCOMPARE(items(child<QComboBox>("cboTaxHeading2")), headings + QStringList{"Tax Surcharge"});
    QCOMPARE(items(child<QComboBox>("cboCopies")), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(child<QTabWidget>("tabInfo")->count(), 4);
    QCOMPARE(child<QTabWidget>("SSTab2")->count(), 3);
}

void tst_frmSetup::firstStartShowsTheDefaults()
{
    makeScreen();
    QCOMPARE(child<QComboBox>("cboTaxHeading1")->currentText(), QStringLiteral("Sales Tax"));
    QCOMPARE(child<QComboBox>("cboTaxHeading2")->currentText(), QStringLiteral("Tax"));
    QCOMPARE(child<QComboBox>("cboRate1")->currentText(), QStringLiteral("4.0"));
    QCOMPARE(child<QComboBox>("cboRate2")->currentText(), QStringLiteral("4.0"));
    QVERIFY(!child<QCheckBox>("ckApply1stTax")->isChecked());
    QVERIFY(!child<QCheckBox>("ckApply2ndTax")->isChecked());
    QVERIFY(child<QRadioButton>("optPlain")->isChecked());
    QVERIFY(!child<QRadioButton>("optReturn")->isChecked());
    QVERIFY(child<QCheckBox>("ckColor")->isChecked());
    QCOMPARE(child<QLabel>("lblFont")->text(), QStringLiteral("Arial"));
    QCOMPARE(child<QComboBox>("cboCopies")->currentText(), QStringLiteral("3"));
    QVERIFY(child<QCheckBox>("ckSalesItems")->isChecked());
    QVERIFY(!child<QCheckBox>("ckServices")->isChecked());
    QVERIFY(!child<QCheckBox>("ckLabor")->isChecked());
    QVERIFY(!child<QCheckBox>("ckCustom")->isChecked());
    QCOMPARE(child<QLineEdit>("txtGradulated_0")->text(), QStringLiteral("$0.00"));
    QCOMPARE(child<QLineEdit>("txtGradulated_1")->text(), QStringLiteral("$0.00"));
    QCOMPARE(child<QPushButton>("cmdAddress")->text(), QStringLiteral("USA Style Address"));
    QCOMPARE(child<QLineEdit>("txtBorders")->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(m_telephone->loads, 1);
    // Only the settings file is written at once.
    QCOMPARE(fileBytes(SettingsFile),
             crlf("1,0,0,0,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\""));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
             QStringList{QStringLiteral("PelmorInvoicerSettings.txt")});
}

void tst_frmSetup::loadsStoredSettings()
{
    storeProfile(QStringLiteral("Acme"), QStringLiteral("62704"));
    writeFile(TaxSettingsFile, crlf("\"GST\",\"Provincial Tax\",\"8.25\",\"7,0\",1,1"));
    writeFile(SettingsFile,
              crlf("0,1,1,1,1,\"1.5\",\"15\",#FALSE#,#TRUE#,\"$1,500.00\",\"$2.50\""));
    writeFile(PrintColorsFile,
              crlf("255") + crlf("16711680") + crlf("\"Courier\"") + crlf("#FALSE#") + crlf("5"));
    makeScreen();

    QCOMPARE(box(0)->text(), QStringLiteral("Acme"));
    QCOMPARE(box(8)->text(), QStringLiteral("FEIN 1"));
    QCOMPARE(child<QComboBox>("cboTaxHeading1")->currentText(), QStringLiteral("GST"));
    QCOMPARE(child<QComboBox>("cboTaxHeading2")->currentText(), QStringLiteral("Provincial Tax"));
    QCOMPARE(child<QComboBox>("cboRate1")->currentText(), QStringLiteral("8.25"));
    QCOMPARE(child<QComboBox>("cboRate2")->currentText(), QStringLiteral("7,0"));
    QVERIFY(child<QCheckBox>("ckApply1stTax")->isChecked());
    QVERIFY(child<QCheckBox>("ckApply2ndTax")->isChecked());
    QVERIFY(!child<QCheckBox>("ckSalesItems")->isChecked());
    QVERIFY(child<QCheckBox>("ckServices")->isChecked());
    QVERIFY(child<QCheckBox>("ckApplyGraduated")->isChecked());
    QVERIFY(child<QRadioButton>("optReturn")->isChecked());
    QCOMPARE(child<QLineEdit>("txtGradulated_0")->text(), QStringLiteral("$1,500.00"));
    QCOMPARE(child<QLineEdit>("txtBorders")->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(child<QLineEdit>("txtData")->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(child<QLabel>("lblFont")->text(), QStringLiteral("Courier"));
    QVERIFY(!child<QCheckBox>("ckColor")->isChecked());
    QCOMPARE(child<QComboBox>("cboCopies")->currentText(), QStringLiteral("5"));
    QVERIFY(m_settings->graduatedTaxFlag());
}

void tst_frmSetup::opensInTheStyleOfTheStoredProfile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("zip");
    QTest::addColumn<bool>("usa");

    QTest::newRow("name and ZIP") << "Acme"
                                  << "62704" << true;
    QTest::newRow("name without ZIP") << "Acme"
                                      << "" << false;
    QTest::newRow("no file") << QString() << QString() << true;
}

void tst_frmSetup::opensInTheStyleOfTheStoredProfile()
{
    QFETCH(QString, name);
    QFETCH(QString, zip);
    QFETCH(bool, usa);
    if (!name.isNull())
        storeProfile(name, zip);
    makeScreen();
    m_setup->navigateTo();

    const auto *button = child<QPushButton>("cmdAddress");
    QCOMPARE(button->text(), usa ? QStringLiteral("USA Style Address")
                                 : QStringLiteral("International Style Address"));
    QCOMPARE(m_settings->usaStyle(), usa);
    QCOMPARE(child<QLabel>("lblBusiness_3")->text(),
             usa ? QStringLiteral("City") : QStringLiteral("Address 3"));
    QCOMPARE(child<QLabel>("lblBusiness_4")->text(),
             usa ? QStringLiteral("State") : QStringLiteral("Address 4"));
    QCOMPARE(child<QLabel>("lblPostal")->isVisible(), usa);
    QCOMPARE(child<QLabel>("lblBusiness_5")->isVisible(), usa);
    QCOMPARE(box(5)->isVisible(), usa);
    const int dpi = m_setup->logicalDpiX();
    QCOMPARE(box(3)->width(), qRound((usa ? 3150 : 5385) * dpi / 1440.0));
    if (usa)
        QVERIFY(box(4)->width() < box(3)->width() / 4);
    else
        QCOMPARE(box(4)->width(), qRound(5385 * dpi / 1440.0));
    QCOMPARE(box(5)->text(), usa ? zip : QString());
    QCOMPARE(child<QTabWidget>("tabInfo")->currentIndex(), 0);
    QCOMPARE(child<QTabWidget>("SSTab2")->currentIndex(), 0);
}

void tst_frmSetup::styleButtonSwitchesAndPublishesTheStyle()
{
    storeProfile(QStringLiteral("Acme"), QString());
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));
    QVERIFY(!m_settings->usaStyle());

    // Typing a ZIP into the profile changes nothing until the button is pressed.
    QSignalSpy published(m_settings.get(), &BusinessSettings::usaStyleChanged);
    typeInto(box(4), QStringLiteral("Kent"));
    QCOMPARE(published.count(), 0);

    auto *button = child<QPushButton>("cmdAddress");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("USA Style Address"));
    QCOMPARE(published.count(), 1);
    QCOMPARE(published.at(0).at(0).toBool(), true);
    QVERIFY(box(5)->isVisible());
    QCOMPARE(QApplication::focusWidget(), box(5));

    typeInto(box(5), QStringLiteral("62704"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("International Style Address"));
    QCOMPARE(published.count(), 2);
    QVERIFY(!m_settings->usaStyle());
    QCOMPARE(box(5)->text(), QString());
    QVERIFY(!box(5)->isVisible());
}

void tst_frmSetup::switchingStylesNeverCutsTheState()
{
    storeProfile(QStringLiteral("Acme"), QStringLiteral("62704"));
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(m_settings->usaStyle());
    QLineEdit *state = box(4);
    typeInto(state, QStringLiteral("ILX"));
    QCOMPARE(state->text(), QStringLiteral("IL"));

    auto *button = child<QPushButton>("cmdAddress");
    QTest::mouseClick(button, Qt::LeftButton); // international
    typeInto(state, QStringLiteral("Greater London"));
    QCOMPARE(state->text(), QStringLiteral("Greater London"));
    QTest::mouseClick(button, Qt::LeftButton); // USA again
    QCOMPARE(state->text(), QStringLiteral("Greater London"));

    QTest::keyClick(state, Qt::Key_End);
    QTest::keyClicks(state, QStringLiteral("x"));
    QCOMPARE(state->text(), QStringLiteral("Greater London"));
    typeInto(state, QStringLiteral("NYC"));
    QCOMPARE(state->text(), QStringLiteral("NY"));
}

void tst_frmSetup::leavingNeedsNameAndTelephone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::newRow("no telephone") << "Acme"
                                  << "";
    QTest::newRow("no name") << ""
                             << "555-0100";
    QTest::newRow("blank name") << "   "
                                << "555-0100";
    QTest::newRow("neither") << ""
                             << "";
}

void tst_frmSetup::leavingNeedsNameAndTelephone()
{
    QFETCH(QString, name);
    QFETCH(QString, phone);
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));
    typeInto(box(0), name);
    typeInto(box(6), phone);
    QTest::mouseClick(child<QPushButton>("cmdQuit"), Qt::LeftButton);

    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).text, QStringLiteral("Name and Telephone are Required"));
    QCOMPARE(m_prompts->shown.at(0).title, QStringLiteral("Missing Name or Telphone"));
    QVERIFY(m_navigator->shown.isEmpty());
    QVERIFY(m_setup->isVisible());
    QCOMPARE(QApplication::focusWidget(), box(0));
    QCOMPARE(fileBytes(BusinessDataFile), QByteArray("<missing>"));
    QVERIFY(!m_telephone->saved);
}

void tst_frmSetup::leavingSavesEveryFile()
{
    m_telephone->modemFound = true;
    m_telephone->port = 3;
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));

    const QStringList typed{"Acme, Inc.", "12 Main St",   "", "Springfield",    "IL",
                            "62704",      "217-555-0100", "", "FEIN 12-3456789"};
    for (int i = 0; i < 9; ++i)
        typeInto(box(i), typed.at(i));
    typeInto(child<QComboBox>("cboRate1"), QStringLiteral("8.25"));
    child<QComboBox>("cboTaxHeading2")->setCurrentIndex(7);
    tick(child<QCheckBox>("ckApply1stTax"));
    showPage("tabInfo", 2);
    tick(child<QCheckBox>("ckLabor"));
    tick(child<QRadioButton>("optReturn"));
    tick(child<QCheckBox>("ckColor"));
    child<QComboBox>("cboCopies")->setCurrentIndex(0);
    m_dialogs->colour = QColor(255, 0, 0);
    QTest::mouseClick(child<QPushButton>("cmdChange_0"), Qt::LeftButton);
    m_settings->setDefaultDiscount(QStringLiteral("2.0"), QStringLiteral("30"));
    showPage("SSTab2", 2);
    tick(child<QCheckBox>("ckPhone"));

    QTest::mouseClick(child<QPushButton>("cmdQuit"), Qt::LeftButton);

    QVERIFY(m_prompts->shown.isEmpty());
    QCOMPARE(m_navigator->shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    QVERIFY(!m_setup->isVisible());
    QCOMPARE(fileBytes(BusinessDataFile),
             crlf("\"Acme, Inc.\",\"12 Main St\",\"\",\"Springfield\",\"IL\",\"62704\","
                  "\"217-555-0100\",\"\",\"FEIN 12-3456789\""));
    QCOMPARE(fileBytes(TaxSettingsFile),
             crlf("\"Sales Tax\",\"Tax Surcharge\",\"8.25\",\"4.0\",1,0"));
    QCOMPARE(fileBytes(SettingsFile),
             crlf("1,0,1,0,0,\"2.0\",\"30\",#FALSE#,#TRUE#,\"$0.00\",\"$0.00\""));
    QCOMPARE(fileBytes(PrintColorsFile),
             crlf("255") + crlf("0") + crlf("\"Arial\"") + crlf("#FALSE#") + crlf("1"));
    // No picture: no size is written.
    QCOMPARE(fileBytes(LogoSettingsFile), QByteArray("<missing>"));
    QCOMPARE(m_state->businessProfile, typed);
    QCOMPARE(m_telephone->saved, std::optional(std::pair(true, true)));
    // The profile, settings and colours come before the telephone, the taxes after.
    QCOMPARE(m_telephone->writtenBefore,
             (QStringList{BusinessDataFile, SettingsFile, PrintColorsFile}));
}

// A button started with Alt and its letter takes the cursor from the box before it
// acts, as a click does.
void tst_frmSetup::commandKeyLeavesTheBoxFirst_data()
{
    QTest::addColumn<bool>("altKey");
    QTest::newRow("Alt+S") << true;
    QTest::newRow("click") << false;
}

void tst_frmSetup::commandKeyLeavesTheBoxFirst()
{
    QFETCH(bool, altKey);
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));
    auto *quit = child<QPushButton>("cmdQuit");
    QWidget *focusWhenPressed = nullptr;
    connect(quit, &QPushButton::pressed, this,
            [&focusWhenPressed] { focusWhenPressed = QApplication::focusWidget(); });
    box(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box(0), QStringLiteral("Acme"));
    typeInto(box(6), QStringLiteral("555-0100"));

    if (altKey)
        QTest::keyClick(box(6), Qt::Key_S, Qt::AltModifier);
    else
        QTest::mouseClick(quit, Qt::LeftButton);

    QTRY_COMPARE(m_navigator->shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    QCOMPARE(focusWhenPressed, quit);
}

void tst_frmSetup::leavingReportsAFolderThatCannotBeWritten()
{
    makeScreen();
    m_setup->navigateTo();
    typeInto(box(0), QStringLiteral("Acme"));
    typeInto(box(6), QStringLiteral("555-0100"));
    // A folder where the business file should be: it cannot be written.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("MyBusinessData.txt")));
    QTest::mouseClick(child<QPushButton>("cmdQuit"), Qt::LeftButton);

    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).title, QStringLiteral("Save Settings"));
    QVERIFY(m_navigator->shown.isEmpty());
    QVERIFY(m_setup->isVisible());
}

void tst_frmSetup::quotedFieldsRefuseTheQuote_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page");
    for (int i = 0; i < 9; ++i)
        QTest::newRow(qPrintable(QStringLiteral("txtBusiness_%1").arg(i)))
            << QStringLiteral("txtBusiness_%1").arg(i) << 0;
    for (const char *combo : {"cboTaxHeading1", "cboTaxHeading2", "cboRate1", "cboRate2"})
        QTest::newRow(combo) << QString::fromLatin1(combo) << 1;
    QTest::newRow("txtGradulated_0") << "txtGradulated_0" << 1;
    QTest::newRow("txtGradulated_1") << "txtGradulated_1" << 1;
}

void tst_frmSetup::quotedFieldsRefuseTheQuote()
{
    QFETCH(QString, name);
    QFETCH(int, page);
    storeProfile(QStringLiteral("Acme"), QStringLiteral("62704"));
    makeScreen();
    m_setup->navigateTo();
    child<QTabWidget>("tabInfo")->setCurrentIndex(page);
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_0"), Qt::LeftButton);
    QWidget *target = child<QWidget>(name);
    QVERIFY(target->isVisible());
    typeInto(target, QStringLiteral("1\"2"));

    const QString text = qobject_cast<QComboBox *>(target)
                             ? static_cast<QComboBox *>(target)->currentText()
                             : static_cast<QLineEdit *>(target)->text();
    QCOMPARE(text, QStringLiteral("12"));
    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).text, keyfilters::InvalidCharacterMessage(u'"'));
}

void tst_frmSetup::rateCombosTakeTypedRates()
{
    makeScreen();
    m_setup->navigateTo();
    showPage("tabInfo", 1);
    auto *rate = child<QComboBox>("cboRate2");
    QVERIFY(!rate->completer());
    QCOMPARE(rate->insertPolicy(), QComboBox::NoInsert);
    typeInto(rate, QStringLiteral("8.25"));
    QTest::keyClick(rate, Qt::Key_Return);
    QCOMPARE(rate->currentText(), QStringLiteral("8.25"));
    QCOMPARE(rate->count(), 7);
    QCOMPARE(m_settings->taxes().rate2, QStringLiteral("8.25"));

    // Typing the start of an entry does not complete it.
    auto *heading = child<QComboBox>("cboTaxHeading1");
    typeInto(heading, QStringLiteral("Ta"));
    QCOMPARE(heading->currentText(), QStringLiteral("Ta"));
    QCOMPARE(m_settings->taxes().heading1, QStringLiteral("Ta"));
}

void tst_frmSetup::graduatedScheme()
{
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));
    showPage("tabInfo", 1);
    auto *frame = child<QGroupBox>("fraGraduated");
    auto *limit = child<QLineEdit>("txtGradulated_0");
    auto *surcharge = child<QLineEdit>("txtGradulated_1");
    QVERIFY(!frame->isVisible());

    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_0"), Qt::LeftButton);
    QVERIFY(frame->isVisible());
    QCOMPARE(QApplication::focusWidget(), limit);

    tick(child<QCheckBox>("ckApplyGraduated"));
    typeInto(limit, QStringLiteral("1500"));
    typeInto(surcharge, QStringLiteral("abc"));
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_1"), Qt::LeftButton);
    QCOMPARE(m_prompts->beeps, 1);
    QCOMPARE(limit->text(), QStringLiteral("$1,500.00"));
    QCOMPARE(surcharge->text(), QStringLiteral("$0.00"));
    QCOMPARE(QApplication::focusWidget(), surcharge);
    QVERIFY(frame->isVisible());

    typeInto(surcharge, QStringLiteral("2.5"));
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_1"), Qt::LeftButton);
    QCOMPARE(surcharge->text(), QStringLiteral("$2.50"));
    QVERIFY(!frame->isVisible());
    QVERIFY(child<QCheckBox>("ckApplyGraduated")->isChecked());
    QCOMPARE(m_settings->invoiceSettings().graduatedLimit, QStringLiteral("$1,500.00"));
    QCOMPARE(m_settings->invoiceSettings().graduatedSurcharge, QStringLiteral("$2.50"));
    QVERIFY(m_settings->invoiceSettings().applyGraduated);

    // A zero limit switches the scheme off.
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_0"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_2"), Qt::LeftButton);
    QCOMPARE(limit->text(), QStringLiteral("$0.00"));
    QCOMPARE(surcharge->text(), QStringLiteral("$0.00"));
    QCOMPARE(QApplication::focusWidget(), limit);
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_1"), Qt::LeftButton);
    QVERIFY(!child<QCheckBox>("ckApplyGraduated")->isChecked());
    QVERIFY(!m_settings->invoiceSettings().applyGraduated);
    QCOMPARE(m_prompts->beeps, 1);
}

void tst_frmSetup::typingIntoAZeroAmountReplacesIt()
{
    makeScreen();
    m_setup->navigateTo();
    showPage("tabInfo", 1);
    QTest::mouseClick(child<QPushButton>("cmdGraduatedTax_0"), Qt::LeftButton);
    auto *limit = child<QLineEdit>("txtGradulated_0");
    QCOMPARE(limit->text(), QStringLiteral("$0.00"));
    QTest::keyClick(limit, Qt::Key_Left);
    QCOMPARE(limit->text(), QStringLiteral("$0.00"));
    QTest::keyClicks(limit, QStringLiteral("75"));
    QCOMPARE(limit->text(), QStringLiteral("75"));
    QTest::keyClicks(limit, QStringLiteral("0"));
    QCOMPARE(limit->text(), QStringLiteral("750"));

    // A pasted amount replaces the zero as typed digits do.
    auto *surcharge = child<QLineEdit>("txtGradulated_1");
    QCOMPARE(surcharge->text(), QStringLiteral("$0.00"));
    QApplication::clipboard()->setText(QStringLiteral("12.5"));
    // As the keyboard sends it: Ctrl+V carries a control character, not a "v".
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
    QApplication::sendEvent(surcharge, &paste);
    QCOMPARE(surcharge->text(), QStringLiteral("12.5"));
}

void tst_frmSetup::colourAndFontDialogs()
{
    makeScreen();
    m_setup->navigateTo();
    showPage("SSTab2", 1);
    QSignalSpy changed(m_settings.get(), &BusinessSettings::printColorsChanged);

    // Cancelled dialogs change nothing.
    QTest::mouseClick(child<QPushButton>("cmdChange_0"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdChange_2"), Qt::LeftButton);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_dialogs->fontAsked, QStringList{QStringLiteral("Arial")});

    m_dialogs->colour = QColor(255, 0, 0);
    QTest::mouseClick(child<QPushButton>("cmdChange_0"), Qt::LeftButton);
    m_dialogs->colour = QColor(0, 0, 255);
    QTest::mouseClick(child<QPushButton>("cmdChange_1"), Qt::LeftButton);
    m_dialogs->font = QStringLiteral("Liberation Serif");
    QTest::mouseClick(child<QPushButton>("cmdChange_2"), Qt::LeftButton);

    QCOMPARE(m_settings->printColors().borderColour, 255u);
    QCOMPARE(m_settings->printColors().textColour, 0xFF0000u);
    QCOMPARE(m_settings->printColors().fontName, QStringLiteral("Liberation Serif"));
    QCOMPARE(child<QLineEdit>("txtBorders")->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(child<QLineEdit>("txtData")->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(child<QLabel>("lblFont")->text(), QStringLiteral("Liberation Serif"));
    QCOMPARE(m_dialogs->colourAsked.last(), QColor(Qt::black));
}

void tst_frmSetup::logoFindStoreAndClear()
{
    const QString picture = m_dir->path() + QStringLiteral("/logo.bmp");
    QImage image(96, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QVERIFY(image.save(picture, "BMP"));
    makeScreen();
    m_setup->navigateTo();
    showPage("tabInfo", 3);
    auto *store = child<QPushButton>("cmdLogo_1");
    QVERIFY(!store->isEnabled());

    m_dialogs->file = picture;
    QTest::mouseClick(child<QPushButton>("cmdLogo_0"), Qt::LeftButton);
    QCOMPARE(m_dialogs->filters,
             QStringList{QStringLiteral("Pictures (*.bmp *.BMP *.ico *.ICO *.cur *.CUR *jpg *JPG "
                                        "*.EMF *.png *.PNG);;All (*)")});
    QVERIFY(store->isEnabled());
    QVERIFY(m_settings->hasLogo());
    QVERIFY(!child<QLabel>("Image3")->pixmap().isNull());
    QCOMPARE(m_settings->logo().fullSize.width(), 96 * 1440 / (3780 * 0.0254));
    QVERIFY(m_prompts->shown.isEmpty());

    QTest::mouseClick(store, Qt::LeftButton);
    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).text, QStringLiteral("Your Logo has been Stored"));
    QCOMPARE(m_prompts->shown.at(0).title, DefaultMessageTitle);
    QCOMPARE(fileBytes(CompanyLogoFile), crlf("\"" + picture.toUtf8() + "\""));
    QCOMPARE(fileBytes(LogoSettingsFile), crlf("1440,1440"));
    QVERIFY(!store->isEnabled());

    m_prompts->answerNext(false);
    QTest::mouseClick(child<QPushButton>("cmdLogo_2"), Qt::LeftButton);
    QCOMPARE(m_prompts->shown.last().text, QStringLiteral("This will Delete your Company Logo"));
    QCOMPARE(m_prompts->shown.last().title, QStringLiteral("Delete Logo"));
    QVERIFY(m_settings->hasLogo());

    writeFile(QStringLiteral("/Backup") + CompanyLogoFile, "\"x\"\r\n");
    m_prompts->answerNext(true);
    QTest::mouseClick(child<QPushButton>("cmdLogo_2"), Qt::LeftButton);
    QVERIFY(!m_settings->hasLogo());
    QVERIFY(child<QLabel>("Image3")->pixmap().isNull());
    QCOMPARE(fileBytes(CompanyLogoFile), QByteArray("<missing>"));
    QCOMPARE(fileBytes(QStringLiteral("/Backup") + CompanyLogoFile), QByteArray("<missing>"));
}

void tst_frmSetup::logoThatCannotBeStoredIsReported()
{
    const QString picture = m_dir->path() + QStringLiteral("/logo.bmp");
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::green);
    QVERIFY(image.save(picture, "BMP"));
    // A folder where the path file should be: it cannot be written.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("CompanyLogo.txt")));
    makeScreen();
    m_setup->navigateTo();
    showPage("tabInfo", 3);
    m_dialogs->file = picture;
    QTest::mouseClick(child<QPushButton>("cmdLogo_0"), Qt::LeftButton);
    auto *store = child<QPushButton>("cmdLogo_1");
    QTest::mouseClick(store, Qt::LeftButton);

    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).title, QStringLiteral("Store Logo"));
    QVERIFY(store->isEnabled());
    QVERIFY(m_settings->hasLogo());

    // Once the folder can take it, the same picture is stored.
    QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("CompanyLogo.txt")));
    QTest::mouseClick(store, Qt::LeftButton);
    QCOMPARE(m_prompts->shown.size(), 2);
    QCOMPARE(m_prompts->shown.at(1).text, QStringLiteral("Your Logo has been Stored"));
    QCOMPARE(fileBytes(CompanyLogoFile), crlf("\"" + picture.toUtf8() + "\""));
    QVERIFY(!store->isEnabled());
}

void tst_frmSetup::unreadableOrCancelledPictureChangesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("reported");
    QTest::newRow("cancelled") << QString() << false;
    QTest::newRow("EMF") << "/logo.EMF" << true;
    QTest::newRow("gone") << "/gone.bmp" << true;
    QTest::newRow("quote in the name") << "/say \"cheese\".bmp" << true;
    QTest::newRow("name outside the code page") << "/\u043b\u043e\u0433\u043e.bmp" << true;
}

void tst_frmSetup::unreadableOrCancelledPictureChangesNothing()
{
    QFETCH(QString, file);
    QFETCH(bool, reported);
    writeFile(QStringLiteral("/logo.EMF"), QByteArray("\x01\x00\x00\x00 not really", 15));
    for (const QString &name :
         {QStringLiteral("/say \"cheese\".bmp"), QStringLiteral("/\u043b\u043e\u0433\u043e.bmp")}) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(m_dir->path() + name, "BMP"));
    }
    makeScreen();
    m_setup->navigateTo();
    if (!file.isNull())
        m_dialogs->file = m_dir->path() + file;
    QTest::mouseClick(child<QPushButton>("cmdLogo_0"), Qt::LeftButton);
    QCOMPARE(m_prompts->shown.size(), reported ? 1 : 0);
    if (reported && !file.contains(u'"'))
        QVERIFY2(m_prompts->shown.at(0).text.contains(m_dir->path() + file),
                 qPrintable(m_prompts->shown.at(0).text));
    QVERIFY(!m_settings->hasLogo());
    QVERIFY(!child<QPushButton>("cmdLogo_1")->isEnabled());
}

void tst_frmSetup::sizingArrowsWrapAround()
{
    makeScreen();
    m_setup->navigateTo();
    showPage("tabInfo", 3);
    auto *heightUp = child<QWidget>("UpDown1")->findChild<QToolButton *>("up");
    auto *heightDown = child<QWidget>("UpDown1")->findChild<QToolButton *>("down");
    auto *widthUp = child<QWidget>("UpDown2")->findChild<QToolButton *>("up");
    auto *widthDown = child<QWidget>("UpDown2")->findChild<QToolButton *>("down");

    QTest::mouseClick(heightUp, Qt::LeftButton);
    QCOMPARE(m_settings->logoSize(), (LogoSize{1440, 1490}));
    QTest::mouseClick(widthDown, Qt::LeftButton);
    QCOMPARE(m_settings->logoSize(), (LogoSize{1390, 1490}));

    m_settings->setLogoSize(LogoSize{360, 1800});
    QTest::mouseClick(heightUp, Qt::LeftButton);
    QCOMPARE(m_settings->logoSize().height, 360.0f);
    QTest::mouseClick(heightDown, Qt::LeftButton);
    QCOMPARE(m_settings->logoSize().height, 1800.0f);
    QTest::mouseClick(widthDown, Qt::LeftButton);
    QCOMPARE(m_settings->logoSize().width, 1800.0f);
    QTest::mouseClick(widthUp, Qt::LeftButton);
    QCOMPARE(m_settings->logoSize().width, 360.0f);
    const int dpi = m_setup->logicalDpiX();
    QCOMPARE(child<QLabel>("Image3")->size(),
             QSize(qRound(360 * dpi / 1440.0), qRound(1800 * dpi / 1440.0)));
}

void tst_frmSetup::resetAndReReadTheBusinessData()
{
    storeProfile(QStringLiteral("Acme"), QStringLiteral("62704"));
    makeScreen();
    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));

    m_prompts->answerNext(false);
    QTest::mouseClick(child<QToolButton>("Image4"), Qt::LeftButton);
    QCOMPARE(m_prompts->shown.at(0).text,
             QStringLiteral("Do you want to reset (clear)all Business Data?"));
    QCOMPARE(m_prompts->shown.at(0).title, QStringLiteral("Reset Business Data"));
    QCOMPARE(box(0)->text(), QStringLiteral("Acme"));

    m_prompts->answerNext(true);
    QTest::mouseClick(child<QToolButton>("Image4"), Qt::LeftButton);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(box(i)->text(), QString());
    QCOMPARE(QApplication::focusWidget(), box(0));

    QTest::mouseClick(child<QToolButton>("Image5"), Qt::LeftButton);
    QCOMPARE(box(0)->text(), QStringLiteral("Acme"));
    QCOMPARE(box(5)->text(), QStringLiteral("62704"));
    QCOMPARE(box(8)->text(), QStringLiteral("FEIN 1"));
}

void tst_frmSetup::pictureButtonsStepThroughThePages()
{
    makeScreen();
    m_setup->navigateTo();
    auto *info = child<QTabWidget>("tabInfo");
    auto *print = child<QTabWidget>("SSTab2");
    QList<int> seen;
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(child<QToolButton>("Image1_0"), Qt::LeftButton);
        seen.append(info->currentIndex());
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 0}));
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(child<QToolButton>("Image1_1"), Qt::LeftButton);
        seen.append(print->currentIndex());
    }
    QCOMPARE(seen, (QList<int>{1, 2, 0}));
}

void tst_frmSetup::activationShowsTheStoredProfile()
{
    storeProfile(QStringLiteral("Acme"), QStringLiteral("62704"));
    makeScreen();
    m_setup->navigateTo();
    typeInto(box(0), QStringLiteral("Typed Name"));
    typeInto(box(8), QStringLiteral("VAT 9"));
    showPage("tabInfo", 2);
    m_setup->hide();

    m_setup->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));
    QCOMPARE(box(0)->text(), QStringLiteral("Acme"));
    QCOMPARE(box(8)->text(), QStringLiteral("VAT 9"));
    QCOMPARE(child<QTabWidget>("tabInfo")->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), box(0));
}

void tst_frmSetup::telephonePage()
{
    makeScreen();
    QVERIFY(!child<QTabWidget>("SSTab2")->isTabEnabled(2));
    m_setup.reset();

    m_telephone->modemFound = true;
    m_telephone->port = 4;
    m_telephone->phoneEnabled = true;
    makeScreen();
    m_setup->navigateTo();
    auto *tabs = child<QTabWidget>("SSTab2");
    QVERIFY(tabs->isTabEnabled(2));
    tabs->setCurrentIndex(2);
    QCOMPARE(child<QLineEdit>("txtModemPort")->text(), QStringLiteral("4"));
    QVERIFY(child<QCheckBox>("ckPhone")->isChecked());
    QVERIFY(child<QCheckBox>("ckCallerID")->isChecked());
    QVERIFY(child<QLabel>("lblCallid")->isVisible());

    tick(child<QCheckBox>("ckCallerID"));
    QVERIFY(!child<QLabel>("lblCallid")->isVisible());
    QVERIFY(!m_state->callerIdEnabled);
    tick(child<QCheckBox>("ckPhone"));
    QVERIFY(!m_state->phoneEnabled);

    typeInto(box(0), QStringLiteral("Acme"));
    typeInto(box(6), QStringLiteral("555"));
    QTest::mouseClick(child<QPushButton>("cmdQuit"), Qt::LeftButton);
    QCOMPARE(m_telephone->saved, std::optional(std::pair(false, false)));
}

void tst_frmSetup::printSample()
{
    storeProfile(QStringLiteral("Acme"), QStringLiteral("62704"));
    makeScreen();
    m_setup->navigateTo();
    auto *sample = child<QPushButton>("cmdLogo_3");
    QVERIFY(!sample->isEnabled());

    QList<PrintSettings> printed;
    Printouts::Outcome outcome = Printouts::Outcome::Cancelled;
    m_setup->setPrintSample([&](const PrintSettings &settings) {
        printed.append(settings);
        return outcome;
    });
    QVERIFY(sample->isEnabled());
    showPage("tabInfo", 3);
    QTest::mouseClick(sample, Qt::LeftButton);
    QCOMPARE(printed.size(), 1);
    QCOMPARE(printed.at(0).business[0], QStringLiteral("Acme"));
    QCOMPARE(printed.at(0).business[5], QStringLiteral("62704"));
    QCOMPARE(printed.at(0).addressStyle, PrintSettings::AddressStyle::Usa);
    QCOMPARE(m_prompts->shown.size(), 1);
    QCOMPARE(m_prompts->shown.at(0).text, QStringLiteral("The Document will not be Printed"));
    QCOMPARE(m_prompts->shown.at(0).title, QStringLiteral("Pelmor Invoicer"));

    outcome = Printouts::Outcome::Failed;
    QTest::mouseClick(sample, Qt::LeftButton);
    QCOMPARE(m_prompts->shown.size(), 2);
    QCOMPARE(m_prompts->shown.at(1).text, QStringLiteral("A Print Error has occurred"));
    QCOMPARE(m_prompts->shown.at(1).title, QStringLiteral("Print Error"));

    outcome = Printouts::Outcome::Printed;
    QTest::mouseClick(sample, Qt::LeftButton);
    QCOMPARE(m_prompts->shown.size(), 2);
}

void tst_frmSetup::closeBoxAsksTheProgramToEnd()
{
    makeScreen();
    m_setup->navigateTo();
    QSignalSpy ending(m_setup.get(), &Screen::closeRequested);
    m_setup->close();
    QCOMPARE(ending.count(), 1);
    QVERIFY(m_setup->isVisible());
}

// Each tax's heading, rate and tick form a row: Tab goes along it before the next row.
void tst_frmSetup::taxRowsTabAsTheyRead()
{
    makeScreen();
    m_setup->navigateTo();
    QApplication::setActiveWindow(m_setup.get());
    QVERIFY(QTest::qWaitForWindowActive(m_setup.get()));
    showPage("tabInfo", 1);
    auto *first = child<QComboBox>(QStringLiteral("cboTaxHeading1"));
    first->setFocus(Qt::TabFocusReason);
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, (QStringList{"cboTaxHeading1", "cboRate1", "ckApply1stTax", "cboTaxHeading2",
                                "cboRate2", "ckApply2ndTax"}));
}

QTEST_MAIN(tst_frmSetup)
#include "tst_frmsetup.moc"
