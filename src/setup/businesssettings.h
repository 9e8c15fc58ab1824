#pragma once

#include "setup/settingsfiles.h"

#include <QByteArray>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DataFolder;
struct ApplicationState;
struct PrintSettings;

// The size of a picture in twips when the bytes hold one the program can draw.
using PictureProbe = std::function<std::optional<QSizeF>(const QByteArray &bytes)>;

// The logo picture as loaded: the file it came from, its bytes (decoded when drawn)
// and its own size in twips.
struct LogoPicture
{
    QString file;
    QByteArray bytes;
    QSizeF fullSize{1440, 1440};
    bool isNull() const { return bytes.isEmpty(); }
};

// The live business settings: what the setup screen edits and every other screen
// and printout reads while the program runs, and the files that keep them between
// runs. Setters announce a change only when the value differs.
class BusinessSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusinessSettings)
public:
    // The profile lives in the application state, where the printouts find it.
    // `probe` decides which picture files can be a logo.
    BusinessSettings(DataFolder &data, ApplicationState &state, PictureProbe probe,
                     QObject *parent = nullptr);
    ~BusinessSettings() override;

    DataFolder &data() const { return m_data; }

    // The nine texts of the business profile.
    const QStringList &profile() const;
    QString profileField(int index) const;
    void setProfile(const QStringList &profile);
    // Reads "/MyBusinessData.txt"; false, and nothing changes, when it is absent.
    bool LoadBusinessProfile();
    // Takes the nine texts into the profile, then writes the file.
    bool SaveBusinessProfile(const QStringList &profile);

    // True for the USA style of addresses (city, state and ZIP on one line); the
    // customer screens follow it.
    bool usaStyle() const { return m_usaStyle; }
    void setUsaStyle(bool usa);
    // The caption of the style button: the style in force.
    static QString addressStyleCaption(bool usa);

    const settingsfiles::TaxSettings &taxes() const { return m_taxes; }
    void setTaxes(const settingsfiles::TaxSettings &taxes);
    bool LoadTaxSettings();
    bool SaveTaxSettings();

    // The settings file: taxable kinds, the graduated scheme, paper and the default
    // discount.
    const settingsfiles::InvoiceSettings &invoiceSettings() const { return m_invoice; }
    void setInvoiceSettings(const settingsfiles::InvoiceSettings &settings);
    void setDefaultDiscount(const QString &rate, const QString &days);
    // Reads the file, or applies the defaults and writes them at once when it is
    // absent; then sets the graduated-tax flag.
    void LoadSettings();
    // Writes the file, then reads it back; a failed write keeps the settings in force.
    bool SaveSettings();
    // Whether the graduated scheme was on when the settings were last read.
    bool graduatedTaxFlag() const { return m_graduatedFlag; }

    const settingsfiles::PrintColors &printColors() const { return m_colors; }
    void setPrintColors(const settingsfiles::PrintColors &colors);
    // The defaults when the file is absent.
    void LoadPrintColors();
    bool SavePrintColors();

    // The picture shown and printed as the logo; null when there is none.
    const LogoPicture &logo() const { return m_logo; }
    bool hasLogo() const { return !m_logo.isNull(); }
    // A picture file is read whole: a larger one is not taken as a logo.
    static constexpr qint64 MaxPictureBytes = 64 * 1024 * 1024;
    // The picture in the file when the probe takes it; nullopt for a missing,
    // unreadable or too large file.
    std::optional<LogoPicture> readPicture(const QString &file) const;
    void setLogo(const LogoPicture &logo);
    // The stored logo: the path in "/CompanyLogo.txt", loaded when the picture is
    // there and readable, otherwise no picture, without a message.
    void LoadLogo();
    // Writes the path, and the size with it.
    bool SaveLogoPath(const QString &path);
    // No picture, its full size back to 1440 by 1440, and the stored path deleted
    // with its backup copy.
    void ClearLogo();

    // The size the logo is printed at, in twips.
    const settingsfiles::LogoSize &logoSize() const { return m_logoSize; }
    void setLogoSize(const settingsfiles::LogoSize &size);
    void LoadLogoSize();
    // Writes the size only while a picture is loaded; true when nothing needed writing.
    bool SaveLogoSize();

    // What a printout reads from the setup, as it stands now.
    PrintSettings printSettings() const;

signals:
    void profileChanged();
    void usaStyleChanged(bool usaStyle);
    void taxesChanged();
    void invoiceSettingsChanged();
    void printColorsChanged();
    void logoChanged();
    void logoSizeChanged();

private:
    DataFolder &m_data;
    ApplicationState &m_state;
    PictureProbe m_probe;
    bool m_usaStyle = true;
    settingsfiles::TaxSettings m_taxes;
    settingsfiles::InvoiceSettings m_invoice;
    bool m_graduatedFlag = false;
    settingsfiles::PrintColors m_colors;
    LogoPicture m_logo;
    settingsfiles::LogoSize m_logoSize;
};
