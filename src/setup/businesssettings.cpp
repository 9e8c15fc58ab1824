#include "setup/businesssettings.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "printing/printsettings.h"

#include <QFile>
#include <QFileInfo>

using namespace settingsfiles;

BusinessSettings::BusinessSettings(DataFolder &data, ApplicationState &state, PictureProbe probe,
                                   QObject *parent)
    : QObject(parent), m_data(data), m_state(state), m_probe(std::move(probe))
{
    if (m_state.businessProfile.size() != ProfileFieldCount)
        m_state.businessProfile.resize(ProfileFieldCount);
}

BusinessSettings::~BusinessSettings() = default;

const QStringList &BusinessSettings::profile() const
{
    return m_state.businessProfile;
}

QString BusinessSettings::profileField(int index) const
{
    return m_state.businessProfile.value(index);
}

void BusinessSettings::setProfile(const QStringList &profile)
{
    QStringList fields = profile.mid(0, ProfileFieldCount);
    fields.resize(ProfileFieldCount);
    if (fields == m_state.businessProfile)
        return;
    m_state.businessProfile = fields;
    emit profileChanged();
}

bool BusinessSettings::LoadBusinessProfile()
{
    if (!m_data.FileIsPresent(BusinessDataFile))
        return false;
    setProfile(decodeBusinessProfile(m_data.ReadFile(BusinessDataFile)));
    return true;
}

bool BusinessSettings::SaveBusinessProfile(const QStringList &profile)
{
    setProfile(profile);
    return m_data.RewriteFile(BusinessDataFile, encodeBusinessProfile(this->profile()));
}

void BusinessSettings::setUsaStyle(bool usa)
{
    if (usa == m_usaStyle)
        return;
    m_usaStyle = usa;
    emit usaStyleChanged(usa);
}

QString BusinessSettings::addressStyleCaption(bool usa)
{
    return usa ? QStringLiteral("USA Style Address")
               : QStringLiteral("International Style Address");
}

void BusinessSettings::setTaxes(const TaxSettings &taxes)
{
    if (taxes == m_taxes)
        return;
    m_taxes = taxes;
    emit taxesChanged();
}

bool BusinessSettings::LoadTaxSettings()
{
    if (!m_data.FileIsPresent(TaxSettingsFile)) {
        setTaxes(TaxSettings());
        return false;
    }
    setTaxes(decodeTaxSettings(m_data.ReadFile(TaxSettingsFile)));
    return true;
}

bool BusinessSettings::SaveTaxSettings()
{
    return m_data.RewriteFile(TaxSettingsFile, encodeTaxSettings(m_taxes));
}

void BusinessSettings::setInvoiceSettings(const InvoiceSettings &settings)
{
    if (settings == m_invoice)
        return;
    m_invoice = settings;
    emit invoiceSettingsChanged();
}

void BusinessSettings::setDefaultDiscount(const QString &rate, const QString &days)
{
    InvoiceSettings settings = m_invoice;
    settings.discountRate = rate;
    settings.discountDays = days;
    setInvoiceSettings(settings);
}

void BusinessSettings::LoadSettings()
{
    if (m_data.FileIsPresent(SettingsFile)) {
        setInvoiceSettings(decodeInvoiceSettings(m_data.ReadFile(SettingsFile)));
    } else {
        setInvoiceSettings(InvoiceSettings());
        m_data.RewriteFile(SettingsFile, encodeInvoiceSettings(m_invoice));
    }
    m_graduatedFlag = m_invoice.applyGraduated;
}

bool BusinessSettings::SaveSettings()
{
    // Reading back a file that was not written would put the old settings, or the
    // defaults, in place of the ones just chosen.
    if (!m_data.RewriteFile(SettingsFile, encodeInvoiceSettings(m_invoice)))
        return false;
    LoadSettings();
    return true;
}

void BusinessSettings::setPrintColors(const PrintColors &colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    emit printColorsChanged();
}

void BusinessSettings::LoadPrintColors()
{
    if (m_data.FileIsPresent(PrintColorsFile))
        setPrintColors(decodePrintColors(m_data.ReadFile(PrintColorsFile)));
    else
        setPrintColors(PrintColors());
}

bool BusinessSettings::SavePrintColors()
{
    return m_data.RewriteFile(PrintColorsFile, encodePrintColors(m_colors));
}

std::optional<LogoPicture> BusinessSettings::readPicture(const QString &file) const
{
    const QFileInfo info(file);
    if (file.isEmpty() || !m_probe || !info.isFile() || info.size() > MaxPictureBytes)
        return std::nullopt;
    QFile picture(file);
    if (!picture.open(QIODevice::ReadOnly))
        return std::nullopt;
    LogoPicture logo;
    logo.file = file;
    logo.bytes = picture.readAll();
    const auto size = m_probe(logo.bytes);
    if (!size || logo.bytes.isEmpty())
        return std::nullopt;
    logo.fullSize = *size;
    return logo;
}

void BusinessSettings::setLogo(const LogoPicture &logo)
{
    if (logo.file == m_logo.file && logo.bytes == m_logo.bytes && logo.fullSize == m_logo.fullSize)
        return;
    m_logo = logo;
    emit logoChanged();
}

void BusinessSettings::LoadLogo()
{
    if (!m_data.FileIsPresent(CompanyLogoFile))
        return;
    const QString path = decodeLogoPath(m_data.ReadFile(CompanyLogoFile));
    setLogo(readPicture(path).value_or(LogoPicture()));
}

bool BusinessSettings::SaveLogoPath(const QString &path)
{
    const bool written = m_data.RewriteFile(CompanyLogoFile, encodeLogoPath(path));
    return SaveLogoSize() && written;
}

void BusinessSettings::ClearLogo()
{
    setLogo(LogoPicture());
    m_data.DeleteWithBackup(CompanyLogoFile);
}

void BusinessSettings::setLogoSize(const LogoSize &size)
{
    if (size == m_logoSize)
        return;
    m_logoSize = size;
    emit logoSizeChanged();
}

void BusinessSettings::LoadLogoSize()
{
    if (m_data.FileIsPresent(LogoSettingsFile))
        setLogoSize(decodeLogoSize(m_data.ReadFile(LogoSettingsFile)));
}

bool BusinessSettings::SaveLogoSize()
{
    if (!hasLogo())
        return true;
    return m_data.RewriteFile(LogoSettingsFile, encodeLogoSize(m_logoSize));
}

PrintSettings BusinessSettings::printSettings() const
{
    PrintSettings print;
    for (int i = 0; i < ProfileFieldCount; ++i)
        print.business[i] = profileField(i);
    print.addressStyle =
        m_usaStyle ? PrintSettings::AddressStyle::Usa : PrintSettings::AddressStyle::International;
    print.paper =
        m_invoice.remittanceSlip ? PrintSettings::Paper::Remittance : PrintSettings::Paper::Plain;
    print.colourPrinting = m_colors.colourPrinting;
    print.borderColour = m_colors.borderColour;
    print.textColour = m_colors.textColour;
    // The frame is drawn in the ink of the border sample's text, which nothing changes.
    print.frameColour = 0;
    print.fontName = m_colors.fontName;
    print.copies = m_colors.copies;
    print.taxHeading1 = m_taxes.heading1;
    print.taxHeading2 = m_taxes.heading2;
    if (hasLogo())
        print.logoPath = m_logo.file;
    print.logoWidth = m_logoSize.width;
    print.logoHeight = m_logoSize.height;
    return print;
}
