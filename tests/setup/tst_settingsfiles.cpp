#include "setup/settingsfiles.h"

#include <QLocale>
#include <QTest>

using namespace settingsfiles;

namespace {

QByteArray crlf(std::initializer_list<const char *> lines)
{
    QByteArray bytes;
    for (const char *line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

} // namespace

class tst_SettingsFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void writesTheBusinessProfile();
    void readsTheBusinessProfile_data();
    void readsTheBusinessProfile();

    void writesTaxSettings();
    void readsTaxSettings_data();
    void readsTaxSettings();

    void writesTheDefaultSettings();
    void writesChangedSettings();
    void readsSettings_data();
    void readsSettings();

    void writesPrintColors();
    void readsPrintColors_data();
    void readsPrintColors();

    void writesTheLogoSizeAndPath();
    void readsLogoSize_data();
    void readsLogoSize();
    void readsTheLogoPathWithCommas();
    void tellsWhichLogoPathsCanBeStored_data();
    void tellsWhichLogoPathsCanBeStored();

    void stepsTheLogoSide_data();
    void stepsTheLogoSide();
    void choosesTheAddressStyle_data();
    void choosesTheAddressStyle();
};

void tst_SettingsFiles::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_SettingsFiles::writesTheBusinessProfile()
{
    const QStringList profile{"Acme Plumbing, Inc.", "12 Main St", "",
                              "Springfield",         "IL",         "62704",
                              "217-555-0100",        "Licensed",   "FEIN 12-3456789"};
    QCOMPARE(encodeBusinessProfile(profile),
             crlf({R"("Acme Plumbing, Inc.","12 Main St","","Springfield","IL","62704",)"
                   R"("217-555-0100","Licensed","FEIN 12-3456789")"}));
    // The "é" is one Windows-1252 byte.
    QStringList accented(9);
    accented[0] = QStringLiteral("Caf\u00e9");
    QCOMPARE(encodeBusinessProfile(accented),
             QByteArray("\"Caf\xe9\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
}

void tst_SettingsFiles::readsTheBusinessProfile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("whole record")
        << crlf(
               {R"("Acme, Inc.","12 Main St","Suite 4","Springfield","IL","62704","555-0100","A","B")"})
        << QStringList{"Acme, Inc.", "12 Main St", "Suite 4", "Springfield", "IL", "62704",
                       "555-0100",   "A",          "B"};
    QTest::newRow("one field a line")
        << crlf({"\"Acme\"", "\"1 Elm\"", "\"\"", "\"Leeds\"", "\"\"", "\"\"", "\"0113\"", "\"\"",
                 "\"VAT 1\""})
        << QStringList{"Acme", "1 Elm", "", "Leeds", "", "", "0113", "", "VAT 1"};
    QTest::newRow("truncated") << QByteArray("\"Acme\",\"1 Elm\",\"Spr")
                               << QStringList{"Acme", "1 Elm", "Spr", "", "", "", "", "", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList(9);
    QTest::newRow("bare ZIP") << QByteArray(
                                     "\"Acme\",\"\",\"\",\"\",\"\",62704,\"555\",\"\",\"\"\n")
                              << QStringList{"Acme", "", "", "", "", "62704", "555", "", ""};
}

void tst_SettingsFiles::readsTheBusinessProfile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QCOMPARE(decodeBusinessProfile(bytes), expected);
}

void tst_SettingsFiles::writesTaxSettings()
{
    QCOMPARE(encodeTaxSettings(TaxSettings()), crlf({R"("Sales Tax","Tax","4.0","4.0",0,0)"}));
    TaxSettings taxes;
    taxes.heading1 = QStringLiteral("GST");
    taxes.heading2 = QStringLiteral("Provincial Tax");
    taxes.rate1 = QStringLiteral("8.25");
    taxes.rate2 = QStringLiteral("7,0");
    taxes.apply1 = true;
    QCOMPARE(encodeTaxSettings(taxes), crlf({R"("GST","Provincial Tax","8.25","7,0",1,0)"}));
}

void tst_SettingsFiles::readsTaxSettings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("apply1");
    QTest::addColumn<bool>("apply2");

    QTest::newRow("as written") << crlf({R"("VAT Tax","Tax Surcharge","5,0","7.0",1,1)"})
                                << QStringList{"VAT Tax", "Tax Surcharge", "5,0", "7.0"} << true
                                << true;
    QTest::newRow("quoted flags") << crlf({R"("Tax","Taxes","6.0","6.0","1","0")"})
                                  << QStringList{"Tax", "Taxes", "6.0", "6.0"} << true << false;
    QTest::newRow("booleans for flags")
        << crlf({R"("Tax","Taxes","6.0","6.0",#FALSE#,#TRUE#)"})
        << QStringList{"Tax", "Taxes", "6.0", "6.0"} << false << true;
    QTest::newRow("bare rates") << crlf({R"("Tax","Taxes",8.25,6,0,1)"})
                                << QStringList{"Tax", "Taxes", "8.25", "6"} << false << true;
    QTest::newRow("text for flags") << crlf({R"("Tax","Taxes","6.0","6.0","yes",maybe)"})
                                    << QStringList{"Tax", "Taxes", "6.0", "6.0"} << false << false;
    QTest::newRow("truncated") << QByteArray("\"County Tax\",\"Tax\"")
                               << QStringList{"County Tax", "Tax", "4.0", "4.0"} << false << false;
    QTest::newRow("empty") << QByteArray("\r\n\r\n")
                           << QStringList{"Sales Tax", "Tax", "4.0", "4.0"} << false << false;
}

void tst_SettingsFiles::readsTaxSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, texts);
    QFETCH(bool, apply1);
    QFETCH(bool, apply2);
    const TaxSettings taxes = decodeTaxSettings(bytes);
    QCOMPARE((QStringList{taxes.heading1, taxes.heading2, taxes.rate1, taxes.rate2}), texts);
    QCOMPARE(taxes.apply1, apply1);
    QCOMPARE(taxes.apply2, apply2);
}

void tst_SettingsFiles::writesTheDefaultSettings()
{
    QCOMPARE(encodeInvoiceSettings(InvoiceSettings()),
             crlf({R"(1,0,0,0,0,"0.0","0",#TRUE#,#FALSE#,"$0.00","$0.00")"}));
}

void tst_SettingsFiles::writesChangedSettings()
{
    InvoiceSettings settings;
    settings.taxSalesItems = false;
    settings.taxServices = true;
    settings.taxLabor = true;
    settings.taxCustom = true;
    settings.applyGraduated = true;
    settings.discountRate = QStringLiteral("1,5");
    settings.discountDays = QStringLiteral("30");
    settings.remittanceSlip = true;
    settings.graduatedLimit = QStringLiteral("$1,234.50");
    settings.graduatedSurcharge = QStringLiteral("$2.50");
    QCOMPARE(encodeInvoiceSettings(settings),
             crlf({R"(0,1,1,1,1,"1,5","30",#FALSE#,#TRUE#,"$1,234.50","$2.50")"}));
}

void tst_SettingsFiles::readsSettings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // Sales items, services, labor, custom, graduated, remittance.
    QTest::addColumn<QList<bool>>("flags");
    QTest::addColumn<QStringList>("texts"); // rate, days, limit, surcharge

    QTest::newRow("as written")
        << crlf({R"(0,1,1,0,1,"2.0","15",#FALSE#,#TRUE#,"$1,234.50","$2.50")"})
        << QList<bool>{false, true, true, false, true, true}
        << QStringList{"2.0", "15", "$1,234.50", "$2.50"};
    QTest::newRow("quoted flags, bare texts")
        << crlf({R"("1","0","1","1","0",1.5,10,"#TRUE#","#FALSE#",100,"2.5")"})
        << QList<bool>{true, false, true, true, false, false}
        << QStringList{"1.5", "10", "$100.00", "$2.50"};
    QTest::newRow("amounts that are not amounts")
        << crlf({R"(1,0,0,0,1,"0.0","0",#TRUE#,#FALSE#,"lots","$")"})
        << QList<bool>{true, false, false, false, true, false}
        << QStringList{"0.0", "0", "$0.00", "$0.00"};
    QTest::newRow("text where flags belong")
        << crlf({R"("x",abc,"",1,0,"0.0","0",maybe,#TRUE#,"$5.00","$1.00")"})
        << QList<bool>{true, false, false, true, false, true}
        << QStringList{"0.0", "0", "$5.00", "$1.00"};
    QTest::newRow("truncated after the plain paper")
        << QByteArray("0,0,0,0,0,\"1.0\",\"20\",#FALSE#")
        << QList<bool>{false, false, false, false, false, true}
        << QStringList{"1.0", "20", "$0.00", "$0.00"};
    QTest::newRow("truncated in a text")
        << QByteArray("1,1,1,1,1,\"1.") << QList<bool>{true, true, true, true, true, false}
        << QStringList{"1.", "0", "$0.00", "$0.00"};
    QTest::newRow("both papers") << crlf({R"(1,0,0,0,0,"0.0","0",#TRUE#,#TRUE#,"","")"})
                                 << QList<bool>{true, false, false, false, false, true}
                                 << QStringList{"0.0", "0", "$0.00", "$0.00"};
    QTest::newRow("empty") << QByteArray() << QList<bool>{true, false, false, false, false, false}
                           << QStringList{"0.0", "0", "$0.00", "$0.00"};
}

void tst_SettingsFiles::readsSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<bool>, flags);
    QFETCH(QStringList, texts);
    const InvoiceSettings s = decodeInvoiceSettings(bytes);
    QCOMPARE((QList<bool>{s.taxSalesItems, s.taxServices, s.taxLabor, s.taxCustom, s.applyGraduated,
                          s.remittanceSlip}),
             flags);
    QCOMPARE((QStringList{s.discountRate, s.discountDays, s.graduatedLimit, s.graduatedSurcharge}),
             texts);
}

void tst_SettingsFiles::writesPrintColors()
{
    QCOMPARE(encodePrintColors(PrintColors()), crlf({"0", "0", "\"Arial\"", "#TRUE#", "3"}));
    PrintColors colors;
    colors.borderColour = 255;    // red
    colors.textColour = 0xFF0000; // blue
    colors.fontName = QStringLiteral("Liberation Serif");
    colors.colourPrinting = false;
    colors.copies = 5;
    QCOMPARE(encodePrintColors(colors),
             crlf({"255", "16711680", "\"Liberation Serif\"", "#FALSE#", "5"}));
}

void tst_SettingsFiles::readsPrintColors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("border");
    QTest::addColumn<quint32>("text");
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("colour");
    QTest::addColumn<int>("copies");

    QTest::newRow("as written") << crlf({"255", "16711680", "\"Times New Roman\"", "#FALSE#", "1"})
                                << 255u << 0xFF0000u << "Times New Roman" << false << 1;
    QTest::newRow("quoted numbers")
        << crlf({"\"65280\"", "\"16777215\"", "\"Arial\"", "\"#TRUE#\"", "\"5\""}) << 0xFF00u
        << 0xFFFFFFu << "Arial" << true << 5;
    QTest::newRow("colours out of range")
        << crlf({"16777216", "-2147483643", "\"Arial\"", "#TRUE#", "3"}) << 0u << 0u << "Arial"
        << true << 3;
    QTest::newRow("text where numbers belong")
        << crlf({"red", "\"blue\"", "\"Verdana\"", "perhaps", "three"}) << 0u << 0u << "Verdana"
        << true << 3;
    QTest::newRow("copies out of range")
        << crlf({"0", "0", "\"Arial\"", "0", "6"}) << 0u << 0u << "Arial" << false << 3;
    QTest::newRow("no copies") << crlf({"0", "0", "\"Arial\"", "1", "0"}) << 0u << 0u << "Arial"
                               << true << 3;
    QTest::newRow("empty font name")
        << crlf({"12", "34", "\"\"", "#TRUE#", "2"}) << 12u << 34u << "Arial" << true << 2;
    QTest::newRow("truncated") << QByteArray("255\r\n65") << 255u << 65u << "Arial" << true << 3;
    QTest::newRow("one line") << QByteArray("1,2,\"Courier\",#FALSE#,4") << 1u << 2u << "Courier"
                              << false << 4;
}

void tst_SettingsFiles::readsPrintColors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint32, border);
    QFETCH(quint32, text);
    QFETCH(QString, font);
    QFETCH(bool, colour);
    QFETCH(int, copies);
    const PrintColors colors = decodePrintColors(bytes);
    QCOMPARE(colors.borderColour, border);
    QCOMPARE(colors.textColour, text);
    QCOMPARE(colors.fontName, font);
    QCOMPARE(colors.colourPrinting, colour);
    QCOMPARE(colors.copies, copies);
}

void tst_SettingsFiles::writesTheLogoSizeAndPath()
{
    QCOMPARE(encodeLogoSize(LogoSize()), crlf({"1440,1440"}));
    QCOMPARE(encodeLogoSize(LogoSize{1790, 360}), crlf({"1790,360"}));
    QCOMPARE(encodeLogoPath(QStringLiteral("/home/ann/Pictures/logo.jpg")),
             crlf({"\"/home/ann/Pictures/logo.jpg\""}));
}

void tst_SettingsFiles::readsLogoSize_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");

    QTest::newRow("as written") << crlf({"1790,360"}) << 1790.0f << 360.0f;
    QTest::newRow("quoted, fractions") << crlf({"\"1500.5\",\"720\""}) << 1500.5f << 720.0f;
    QTest::newRow("one a line") << crlf({"400", "500"}) << 400.0f << 500.0f;
    QTest::newRow("not numbers") << crlf({"wide,tall"}) << 1440.0f << 1440.0f;
    QTest::newRow("not sizes") << crlf({"-50,0"}) << 1440.0f << 1440.0f;
    QTest::newRow("beyond a page") << crlf({"1E+30,20000"}) << 1440.0f << 1440.0f;
    QTest::newRow("truncated") << QByteArray("900,") << 900.0f << 1440.0f;
    QTest::newRow("zero once a float") << crlf({"1e-50,720"}) << 1440.0f << 720.0f;
    QTest::newRow("smallest float") << crlf({"1.5e-45,720"}) << 1.5e-45f << 720.0f;
}

void tst_SettingsFiles::readsLogoSize()
{
    QFETCH(QByteArray, bytes);
    QFETCH(float, width);
    QFETCH(float, height);
    const LogoSize size = decodeLogoSize(bytes);
    QCOMPARE(size.width, width);
    QCOMPARE(size.height, height);
}

void tst_SettingsFiles::readsTheLogoPathWithCommas()
{
    const QString path = QStringLiteral("/srv/pictures/Smith, Jones & Co/logo 1.bmp");
    QCOMPARE(decodeLogoPath(encodeLogoPath(path)), path);
    QCOMPARE(decodeLogoPath(QByteArray()), QString());
}

void tst_SettingsFiles::tellsWhichLogoPathsCanBeStored_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("storable");
    QTest::newRow("plain") << "/home/ann/Pictures/logo 2.bmp" << true;
    QTest::newRow("commas and accents") << "/srv/Caf\u00e9, S\u00fcd & Co/logo.jpg" << true;
    QTest::newRow("euro sign") << "/srv/\u20ac/logo.bmp" << true;
    QTest::newRow("quote") << "/srv/say \"cheese\".bmp" << false;
    QTest::newRow("line break") << "/srv/two\nlines.bmp" << false;
    QTest::newRow("tab") << "/srv/a\tb.bmp" << false;
    QTest::newRow("Cyrillic") << "/home/\u0438\u0432\u0430\u043d/logo.bmp" << false;
    QTest::newRow("Chinese") << "/home/\u7528\u6237/logo.bmp" << false;
    QTest::newRow("emoji") << "/srv/\U0001F600.bmp" << false;
}

void tst_SettingsFiles::tellsWhichLogoPathsCanBeStored()
{
    QFETCH(QString, path);
    QFETCH(bool, storable);
    QCOMPARE(isStorableLogoPath(path), storable);
    if (storable)
        QCOMPARE(decodeLogoPath(encodeLogoPath(path)), path);
}

void tst_SettingsFiles::stepsTheLogoSide_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("up");
    QTest::addColumn<float>("expected");
    QTest::newRow("up") << 1440.0f << true << 1490.0f;
    QTest::newRow("up just below the top") << 1790.0f << true << 1840.0f;
    QTest::newRow("up at the top") << 1800.0f << true << 360.0f;
    QTest::newRow("up past the top") << 1840.0f << true << 360.0f;
    QTest::newRow("down") << 1440.0f << false << 1390.0f;
    QTest::newRow("down just above the bottom") << 390.0f << false << 340.0f;
    QTest::newRow("down at the bottom") << 360.0f << false << 1800.0f;
    QTest::newRow("down past the bottom") << 340.0f << false << 1800.0f;
}

void tst_SettingsFiles::stepsTheLogoSide()
{
    QFETCH(float, value);
    QFETCH(bool, up);
    QFETCH(float, expected);
    QCOMPARE(stepLogoSide(value, up), expected);
}

void tst_SettingsFiles::choosesTheAddressStyle_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("zip");
    QTest::addColumn<bool>("inForce");
    QTest::addColumn<bool>("usa");

    QTest::newRow("empty profile") << ""
                                   << "" << false << true;
    QTest::newRow("empty profile, USA in force") << ""
                                                 << "" << true << true;
    QTest::newRow("numeric ZIP only") << ""
                                      << "62704" << false << true;
    QTest::newRow("name and ZIP") << "Acme"
                                  << "62704" << false << true;
    QTest::newRow("name and postcode") << "Acme"
                                       << "SW1A 1AA" << false << true;
    QTest::newRow("name without ZIP") << "Acme"
                                      << "" << true << false;
    QTest::newRow("postcode only switches from USA") << ""
                                                     << "K1A 0B1" << true << false;
    QTest::newRow("postcode only switches from international") << ""
                                                               << "K1A 0B1" << false << true;
}

void tst_SettingsFiles::choosesTheAddressStyle()
{
    QFETCH(QString, name);
    QFETCH(QString, zip);
    QFETCH(bool, inForce);
    QFETCH(bool, usa);
    QCOMPARE(initialUsaStyle(name, zip, inForce), usa);
}

QTEST_GUILESS_MAIN(tst_SettingsFiles)
#include "tst_settingsfiles.moc"
