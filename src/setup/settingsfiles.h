#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

// The business settings files and their layouts. Every reader takes a missing,
// short or mangled file without complaint: what it cannot read keeps its default.
namespace settingsfiles {

inline const QString BusinessDataFile = QStringLiteral("/MyBusinessData.txt");
inline const QString TaxSettingsFile = QStringLiteral("/TaxSettings.txt");
// The program's own name, whatever the executable is called.
inline const QString SettingsFile = QStringLiteral("/PelmorInvoicerSettings.txt");
inline const QString PrintColorsFile = QStringLiteral("/PrintColors.txt");
inline const QString CompanyLogoFile = QStringLiteral("/CompanyLogo.txt");
inline const QString LogoSettingsFile = QStringLiteral("/LogoSettings.txt");
inline const QString WebSiteFile = QStringLiteral("/MyWebSite.txt");

constexpr int ProfileFieldCount = 9;

// Indexes into the business profile.
enum ProfileField
{
    CompanyName = 0,
    Address1 = 1,
    Address2 = 2,
    City = 3,
    State = 4,
    PostalCode = 5,
    Telephone = 6,
    Additional1 = 7,
    Additional2 = 8,
};

// "/TaxSettings.txt": one record of six fields.
struct TaxSettings
{
    QString heading1 = QStringLiteral("Sales Tax");
    QString heading2 = QStringLiteral("Tax");
    // Percentages, kept as the text the operator chose or typed.
    QString rate1 = QStringLiteral("4.0");
    QString rate2 = QStringLiteral("4.0");
    bool apply1 = false;
    bool apply2 = false;
    bool operator==(const TaxSettings &) const = default;
};

// The settings file: one record of eleven fields.
struct InvoiceSettings
{
    InvoiceSettings();
    bool taxSalesItems = true;
    bool taxServices = false;
    bool taxLabor = false;
    bool taxCustom = false;
    bool applyGraduated = false;
    // The invoice screen's default discount, as its lists show it.
    QString discountRate = QStringLiteral("0.0");
    QString discountDays = QStringLiteral("0");
    // Plain paper is the other choice; the file keeps both.
    bool remittanceSlip = false;
    // Currency texts of the graduated scheme.
    QString graduatedLimit;
    QString graduatedSurcharge;
    bool operator==(const InvoiceSettings &) const = default;
};

// "/PrintColors.txt": five lines of one field each.
struct PrintColors
{
    // 0x00BBGGRR, as the printer colours are kept (255 is red).
    quint32 borderColour = 0;
    quint32 textColour = 0;
    QString fontName = QStringLiteral("Arial");
    bool colourPrinting = true;
    int copies = 3;
    bool operator==(const PrintColors &) const = default;
};

// "/LogoSettings.txt": the size the logo is printed at, in twips.
struct LogoSize
{
    float width = 1440;
    float height = 1440;
    bool operator==(const LogoSize &) const = default;
};

constexpr int MinCopies = 1;
constexpr int MaxCopies = 5;
constexpr quint32 MaxColour = 0xFFFFFF;
// A logo side outside (0, MaxLogoSide] twips is not a size a page can print.
constexpr float MaxLogoSide = 15840;

// Always nine fields; missing ones are empty.
QStringList decodeBusinessProfile(const QByteArray &bytes);
QByteArray encodeBusinessProfile(const QStringList &profile);

TaxSettings decodeTaxSettings(const QByteArray &bytes);
QByteArray encodeTaxSettings(const TaxSettings &taxes);

InvoiceSettings decodeInvoiceSettings(const QByteArray &bytes);
QByteArray encodeInvoiceSettings(const InvoiceSettings &settings);

PrintColors decodePrintColors(const QByteArray &bytes);
QByteArray encodePrintColors(const PrintColors &colors);

LogoSize decodeLogoSize(const QByteArray &bytes);
QByteArray encodeLogoSize(const LogoSize &size);

QString decodeLogoPath(const QByteArray &bytes);
QByteArray encodeLogoPath(const QString &path);
// Whether the path reads back from "/CompanyLogo.txt" as it is: no quote, no
// control character, nothing outside Windows-1252.
bool isStorableLogoPath(const QString &path);

// One arrow of the logo sizing controls: steps of 50 twips between 360 and 1800,
// and past either end round to the other.
float stepLogoSide(float value, bool up);

// The address style the setup opens in, from the stored name and postal code and
// the style in force.
bool initialUsaStyle(const QString &name, const QString &postalCode, bool usaStyleInForce);

} // namespace settingsfiles
