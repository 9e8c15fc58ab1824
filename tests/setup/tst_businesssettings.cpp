#include "setup/businesssettings.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "printing/printsettings.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace settingsfiles;

namespace {

// Pictures for the tests: bytes that begin with "PIC" are a picture 720 by 360 twips.
std::optional<QSizeF> fakeProbe(const QByteArray &bytes)
{
    if (bytes.startsWith("PIC"))
        return QSizeF(720, 360);
    return std::nullopt;
}

} // namespace

class tst_BusinessSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartWritesOnlyTheSettingsFile();
    void firstStartHasTheWrittenDefaults();
    void rewritesDropTheBackupCopy_data();
    void rewritesDropTheBackupCopy();
    void missingFilesComeBackFromTheBackup();
    void savingTheProfileKeepsItForThePrintouts();
    void absentProfileChangesNothing();
    void saveSettingsReadsTheFileBack();
    void failedSaveKeepsTheChosenSettings();
    void colourPrintingOffSurvivesARestart();
    void changesAreAnnouncedOnce();
    void storedLogoLoads();
    void missingOrUnreadableLogoLoadsNoPicture_data();
    void missingOrUnreadableLogoLoadsNoPicture();
    void logoSizeIsWrittenOnlyWithAPicture();
    void clearingTheLogoDeletesItsPath();
    void printoutsSeeTheSettingsInForce();

private:
    void writeFile(const QString &relative, const QByteArray &bytes);
    QByteArray fileBytes(const QString &relative) const;
    bool exists(const QString &relative) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<ApplicationState> m_state;
    std::unique_ptr<BusinessSettings> m_settings;
};

void tst_BusinessSettings::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_BusinessSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Backup")));
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_state = std::make_unique<ApplicationState>();
    m_settings = std::make_unique<BusinessSettings>(*m_data, *m_state, &fakeProbe);
}

void tst_BusinessSettings::cleanup()
{
    m_settings.reset();
    m_state.reset();
    m_data.reset();
    m_dir.reset();
}

void tst_BusinessSettings::writeFile(const QString &relative, const QByteArray &bytes)
{
    QFile file(m_dir->path() + relative);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray tst_BusinessSettings::fileBytes(const QString &relative) const
{
    QFile file(m_dir->path() + relative);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool tst_BusinessSettings::exists(const QString &relative) const
{
    return QFile::exists(m_dir->path() + relative);
}

void tst_BusinessSettings::firstStartWritesOnlyTheSettingsFile()
{
    QVERIFY(!m_settings->LoadBusinessProfile());
    m_settings->LoadPrintColors();
    m_settings->LoadTaxSettings();
    m_settings->LoadLogo();
    m_settings->LoadLogoSize();
    m_settings->LoadSettings();

    QCOMPARE(fileBytes(QStringLiteral("/PelmorInvoicerSettings.txt")),
             QByteArray("1,0,0,0,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n"));
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    QCOMPARE(files, QStringList{QStringLiteral("PelmorInvoicerSettings.txt")});
}

void tst_BusinessSettings::firstStartHasTheWrittenDefaults()
{
    m_settings->LoadPrintColors();
    m_settings->LoadTaxSettings();
    m_settings->LoadSettings();

    const TaxSettings &taxes = m_settings->taxes();
    QCOMPARE(taxes.heading1, QStringLiteral("Sales Tax"));
    QCOMPARE(taxes.heading2, QStringLiteral("Tax"));
    QCOMPARE(taxes.rate1, QStringLiteral("4.0"));
    QCOMPARE(taxes.rate2, QStringLiteral("4.0"));
    QVERIFY(!taxes.apply1);
    QVERIFY(!taxes.apply2);

    const InvoiceSettings &s = m_settings->invoiceSettings();
    QVERIFY(s.taxSalesItems);
    QVERIFY(!s.taxServices);
    QVERIFY(!s.taxLabor);
    QVERIFY(!s.taxCustom);
    QVERIFY(!s.remittanceSlip);
    QCOMPARE(s.discountRate, QStringLiteral("0.0"));
    QCOMPARE(s.discountDays, QStringLiteral("0"));
    QCOMPARE(s.graduatedLimit, QStringLiteral("$0.00"));
    QVERIFY(!m_settings->graduatedTaxFlag());

    const PrintColors &colors = m_settings->printColors();
    QVERIFY(colors.colourPrinting);
    QCOMPARE(colors.fontName, QStringLiteral("Arial"));
    QCOMPARE(colors.copies, 3);
    QCOMPARE(colors.borderColour, 0u);
    QCOMPARE(colors.textColour, 0u);
    QCOMPARE(m_settings->logoSize(), (LogoSize{1440, 1440}));
    QVERIFY(!m_settings->hasLogo());
}

void tst_BusinessSettings::rewritesDropTheBackupCopy_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("profile") << BusinessDataFile;
    QTest::newRow("taxes") << TaxSettingsFile;
    QTest::newRow("settings") << SettingsFile;
    QTest::newRow("colours") << PrintColorsFile;
}

void tst_BusinessSettings::rewritesDropTheBackupCopy()
{
    QFETCH(QString, file);
    writeFile(file, "old");
    writeFile(QStringLiteral("/Backup") + file, "stale");

    QStringList profile(9);
    profile[0] = QStringLiteral("Acme");
    bool written = false;
    if (file == BusinessDataFile)
        written = m_settings->SaveBusinessProfile(profile);
    else if (file == TaxSettingsFile)
        written = m_settings->SaveTaxSettings();
    else if (file == SettingsFile)
        written = m_settings->SaveSettings();
    else
        written = m_settings->SavePrintColors();

    QVERIFY(written);
    QVERIFY(!exists(QStringLiteral("/Backup") + file));
    QVERIFY(fileBytes(file) != QByteArray("old"));
    QVERIFY(fileBytes(file).endsWith("\r\n"));
}

void tst_BusinessSettings::missingFilesComeBackFromTheBackup()
{
    writeFile(QStringLiteral("/Backup/MyBusinessData.txt"),
              "\"Saved Co\",\"1 Elm\",\"\",\"Leeds\",\"\",\"\",\"0113\",\"\",\"\"\r\n");
    writeFile(QStringLiteral("/Backup/PrintColors.txt"),
              "255\r\n0\r\n\"Arial\"\r\n#FALSE#\r\n2\r\n");
    writeFile(QStringLiteral("/Backup/PelmorInvoicerSettings.txt"),
              "0,1,0,0,1,\"1.0\",\"10\",#FALSE#,#TRUE#,\"$50.00\",\"$1.00\"\r\n");

    QVERIFY(m_settings->LoadBusinessProfile());
    m_settings->LoadPrintColors();
    m_settings->LoadSettings();

    QCOMPARE(m_settings->profileField(CompanyName), QStringLiteral("Saved Co"));
    QCOMPARE(m_settings->printColors().borderColour, 255u);
    QCOMPARE(m_settings->printColors().copies, 2);
    QVERIFY(m_settings->invoiceSettings().remittanceSlip);
    QVERIFY(m_settings->graduatedTaxFlag());
    // Restored, not replaced by the defaults.
    QVERIFY(exists(QStringLiteral("/MyBusinessData.txt")));
    QCOMPARE(fileBytes(SettingsFile),
             QByteArray("0,1,0,0,1,\"1.0\",\"10\",#FALSE#,#TRUE#,\"$50.00\",\"$1.00\"\r\n"));
}

void tst_BusinessSettings::savingTheProfileKeepsItForThePrintouts()
{
    QSignalSpy changed(m_settings.get(), &BusinessSettings::profileChanged);
    const QStringList profile{"Acme",  "12 Main St",   "", "Springfield",    "IL",
                              "62704", "217-555-0100", "", "FEIN 12-3456789"};
    QVERIFY(m_settings->SaveBusinessProfile(profile));
    QCOMPARE(m_state->businessProfile, profile);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(fileBytes(BusinessDataFile),
             QByteArray("\"Acme\",\"12 Main St\",\"\",\"Springfield\",\"IL\",\"62704\","
                        "\"217-555-0100\",\"\",\"FEIN 12-3456789\"\r\n"));

    auto other = std::make_unique<BusinessSettings>(*m_data, *m_state, &fakeProbe);
    m_state->businessProfile = QStringList(9);
    QVERIFY(other->LoadBusinessProfile());
    QCOMPARE(other->profile(), profile);
}

void tst_BusinessSettings::absentProfileChangesNothing()
{
    QStringList profile(9);
    profile[0] = QStringLiteral("Typed Co");
    m_settings->setProfile(profile);
    QVERIFY(!m_settings->LoadBusinessProfile());
    QCOMPARE(m_settings->profileField(CompanyName), QStringLiteral("Typed Co"));
}

void tst_BusinessSettings::saveSettingsReadsTheFileBack()
{
    m_settings->LoadSettings();
    QVERIFY(!m_settings->graduatedTaxFlag());
    InvoiceSettings s = m_settings->invoiceSettings();
    s.applyGraduated = true;
    s.graduatedLimit = QStringLiteral("1000");
    m_settings->setInvoiceSettings(s);
    // The flag follows the file, not the box, until the settings are read again.
    QVERIFY(!m_settings->graduatedTaxFlag());

    m_settings->setDefaultDiscount(QStringLiteral("1.5"), QStringLiteral("15"));
    QVERIFY(m_settings->SaveSettings());
    QVERIFY(m_settings->graduatedTaxFlag());
    QCOMPARE(m_settings->invoiceSettings().graduatedLimit, QStringLiteral("$1,000.00"));
    QCOMPARE(fileBytes(SettingsFile),
             QByteArray("1,0,0,0,1,\"1.5\",\"15\",#TRUE#,#FALSE#,\"1000\",\"$0.00\"\r\n"));
}

void tst_BusinessSettings::failedSaveKeepsTheChosenSettings()
{
    writeFile(SettingsFile, "1,0,0,0,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n");
    m_settings->LoadSettings();
    InvoiceSettings chosen = m_settings->invoiceSettings();
    chosen.taxServices = true;
    chosen.applyGraduated = true;
    chosen.graduatedLimit = QStringLiteral("$900.00");
    m_settings->setInvoiceSettings(chosen);
    // The file cannot be replaced while a folder stands in its place.
    QVERIFY(QFile::remove(m_dir->path() + SettingsFile));
    QVERIFY(QDir(m_dir->path()).mkdir(SettingsFile.mid(1)));

    QVERIFY(!m_settings->SaveSettings());
    QCOMPARE(m_settings->invoiceSettings(), chosen);
    QVERIFY(!m_settings->graduatedTaxFlag());
}

void tst_BusinessSettings::colourPrintingOffSurvivesARestart()
{
    m_settings->LoadPrintColors();
    PrintColors colors = m_settings->printColors();
    colors.colourPrinting = false;
    m_settings->setPrintColors(colors);
    QVERIFY(m_settings->SavePrintColors());
    QCOMPARE(fileBytes(PrintColorsFile).split('\n').value(3), QByteArray("#FALSE#\r"));

    BusinessSettings next(*m_data, *m_state, &fakeProbe);
    next.LoadPrintColors();
    QVERIFY(!next.printColors().colourPrinting);
}

void tst_BusinessSettings::changesAreAnnouncedOnce()
{
    QSignalSpy taxes(m_settings.get(), &BusinessSettings::taxesChanged);
    QSignalSpy style(m_settings.get(), &BusinessSettings::usaStyleChanged);
    TaxSettings t = m_settings->taxes();
    m_settings->setTaxes(t);
    QCOMPARE(taxes.count(), 0);
    t.rate1 = QStringLiteral("8.25");
    m_settings->setTaxes(t);
    m_settings->setTaxes(t);
    QCOMPARE(taxes.count(), 1);

    const bool usa = m_settings->usaStyle();
    m_settings->setUsaStyle(usa);
    m_settings->setUsaStyle(!usa);
    QCOMPARE(style.count(), 1);
    QCOMPARE(style.at(0).at(0).toBool(), !usa);
}

void tst_BusinessSettings::storedLogoLoads()
{
    const QString picture = m_dir->path() + QStringLiteral("/pictures, old/logo.bmp");
    QVERIFY(QDir().mkpath(m_dir->path() + QStringLiteral("/pictures, old")));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("PIC-bytes");
    file.close();
    writeFile(CompanyLogoFile, "\"" + picture.toUtf8() + "\"\r\n");
    writeFile(LogoSettingsFile, "1800,720\r\n");

    QSignalSpy changed(m_settings.get(), &BusinessSettings::logoChanged);
    m_settings->LoadLogo();
    m_settings->LoadLogoSize();
    QVERIFY(m_settings->hasLogo());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_settings->logo().file, picture);
    QCOMPARE(m_settings->logo().bytes, QByteArray("PIC-bytes"));
    QCOMPARE(m_settings->logo().fullSize, QSizeF(720, 360));
    QCOMPARE(m_settings->logoSize(), (LogoSize{1800, 720}));
}

void tst_BusinessSettings::missingOrUnreadableLogoLoadsNoPicture_data()
{
    QTest::addColumn<QByteArray>("pathFile");
    QTest::addColumn<QByteArray>("picture");
    // The picture file is stretched to this size when it is not 0.
    QTest::addColumn<qint64>("fileSize");
    QTest::newRow("missing picture")
        << QByteArray("\"%1/gone.bmp\"\r\n") << QByteArray() << qint64(0);
    QTest::newRow("not a picture")
        << QByteArray("\"%1/logo.emf\"\r\n") << QByteArray("EMF?") << qint64(0);
    QTest::newRow("empty picture")
        << QByteArray("\"%1/logo.emf\"\r\n") << QByteArray("") << qint64(0);
    QTest::newRow("empty path") << QByteArray("\"\"\r\n") << QByteArray() << qint64(0);
    QTest::newRow("old Windows path")
        << QByteArray("\"C:\\Logos\\logo.bmp\"\r\n") << QByteArray() << qint64(0);
    QTest::newRow("empty file") << QByteArray() << QByteArray() << qint64(0);
    QTest::newRow("a folder") << QByteArray("\"%1/Backup\"\r\n") << QByteArray() << qint64(0);
    QTest::newRow("far too large") << QByteArray("\"%1/logo.emf\"\r\n") << QByteArray("PIC")
                                   << BusinessSettings::MaxPictureBytes + 1;
}

void tst_BusinessSettings::missingOrUnreadableLogoLoadsNoPicture()
{
    QFETCH(QByteArray, pathFile);
    QFETCH(QByteArray, picture);
    QFETCH(qint64, fileSize);
    if (!picture.isNull()) {
        QFile file(m_dir->path() + QStringLiteral("/logo.emf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(picture);
        if (fileSize)
            QVERIFY(file.resize(fileSize));
    }
    writeFile(CompanyLogoFile, QString::fromUtf8(pathFile).arg(m_dir->path()).toUtf8());
    LogoPicture shown;
    shown.file = QStringLiteral("earlier.bmp");
    shown.bytes = "PIC";
    m_settings->setLogo(shown);

    m_settings->LoadLogo();
    QVERIFY(!m_settings->hasLogo());
}

void tst_BusinessSettings::logoSizeIsWrittenOnlyWithAPicture()
{
    m_settings->setLogoSize(LogoSize{1840, 360});
    QVERIFY(m_settings->SaveLogoSize());
    QVERIFY(!exists(LogoSettingsFile));

    LogoPicture picture;
    picture.file = QStringLiteral("/x/logo.bmp");
    picture.bytes = "PIC";
    m_settings->setLogo(picture);
    writeFile(QStringLiteral("/Backup") + LogoSettingsFile, "1,1\r\n");
    QVERIFY(m_settings->SaveLogoPath(picture.file));
    QCOMPARE(fileBytes(LogoSettingsFile), QByteArray("1840,360\r\n"));
    QCOMPARE(fileBytes(CompanyLogoFile), QByteArray("\"/x/logo.bmp\"\r\n"));
    QVERIFY(!exists(QStringLiteral("/Backup") + LogoSettingsFile));
}

void tst_BusinessSettings::clearingTheLogoDeletesItsPath()
{
    writeFile(CompanyLogoFile, "\"/x/logo.bmp\"\r\n");
    writeFile(QStringLiteral("/Backup") + CompanyLogoFile, "\"/x/logo.bmp\"\r\n");
    writeFile(LogoSettingsFile, "900,900\r\n");
    LogoPicture picture;
    picture.file = QStringLiteral("/x/logo.bmp");
    picture.bytes = "PIC";
    picture.fullSize = QSizeF(3000, 2000);
    m_settings->setLogo(picture);

    m_settings->ClearLogo();
    QVERIFY(!m_settings->hasLogo());
    QCOMPARE(m_settings->logo().fullSize, QSizeF(1440, 1440));
    QVERIFY(!exists(CompanyLogoFile));
    QVERIFY(!exists(QStringLiteral("/Backup") + CompanyLogoFile));
    QVERIFY(exists(LogoSettingsFile));
    // Not restored from a backup copy at the next start.
    m_settings->LoadLogo();
    QVERIFY(!m_settings->hasLogo());
}

void tst_BusinessSettings::printoutsSeeTheSettingsInForce()
{
    const QStringList profile{"Acme", "1 Elm", "", "Leeds", "", "", "0113", "", "VAT 1"};
    m_settings->setProfile(profile);
    m_settings->setUsaStyle(false);
    InvoiceSettings invoice;
    invoice.remittanceSlip = true;
    m_settings->setInvoiceSettings(invoice);
    PrintColors colors;
    colors.borderColour = 255;
    colors.textColour = 0xFF0000;
    colors.fontName = QStringLiteral("Courier");
    colors.colourPrinting = false;
    colors.copies = 2;
    m_settings->setPrintColors(colors);
    m_settings->setLogoSize(LogoSize{1800, 360});

    PrintSettings print = m_settings->printSettings();
    QStringList business;
    for (const QString &field : print.business)
        business.append(field);
    QCOMPARE(business, profile);
    QCOMPARE(print.addressStyle, PrintSettings::AddressStyle::International);
    QCOMPARE(print.paper, PrintSettings::Paper::Remittance);
    QCOMPARE(print.borderColour, 255u);
    QCOMPARE(print.textColour, 0xFF0000u);
    QCOMPARE(print.fontName, QStringLiteral("Courier"));
    QVERIFY(!print.colourPrinting);
    QCOMPARE(print.copies, 2);
    // A stored path whose picture did not load prints no logo.
    QCOMPARE(print.logoPath, QString());

    LogoPicture picture;
    picture.file = QStringLiteral("/x/logo.bmp");
    picture.bytes = "PIC";
    m_settings->setLogo(picture);
    m_settings->setUsaStyle(true);
    print = m_settings->printSettings();
    QCOMPARE(print.logoPath, QStringLiteral("/x/logo.bmp"));
    QCOMPARE(print.logoWidth, 1800.0);
    QCOMPARE(print.logoHeight, 360.0);
    QCOMPARE(print.addressStyle, PrintSettings::AddressStyle::Usa);
}

QTEST_GUILESS_MAIN(tst_BusinessSettings)
#include "tst_businesssettings.moc"
