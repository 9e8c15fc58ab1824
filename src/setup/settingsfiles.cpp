#include "setup/settingsfiles.h"

#include "core/codepage.h"
#include "core/money.h"
#include "core/regional.h"
#include "core/textrecord.h"

#include <algorithm>
#include <cmath>

namespace settingsfiles {

namespace {

void readText(TextRecordReader &reader, QString &target)
{
    if (const auto value = reader.field())
        target = *value;
}

void readFlag(TextRecordReader &reader, bool &target)
{
    if (const auto value = reader.boolean())
        target = *value;
}

// A graduated amount that is not an amount keeps the default; a good one is shown
// the way the screen shows amounts.
void readCurrency(TextRecordReader &reader, QString &target)
{
    const auto value = reader.field();
    if (!value)
        return;
    if (const auto amount = regional::parseMoney(*value))
        target = regional::currencyText(*amount);
}

void readColour(TextRecordReader &reader, quint32 &target)
{
    const auto value = reader.number();
    if (value && *value >= 0 && *value <= qint64(MaxColour))
        target = quint32(*value);
}

void readLogoSide(TextRecordReader &reader, float &target)
{
    const auto value = reader.decimal();
    if (!value || !std::isfinite(*value))
        return;
    // Checked as the float it becomes: "1e-50" is above zero only as a double.
    const float side = float(*value);
    if (side > 0 && side <= MaxLogoSide)
        target = side;
}

} // namespace

InvoiceSettings::InvoiceSettings()
    : graduatedLimit(regional::zeroCurrency()), graduatedSurcharge(regional::zeroCurrency())
{
}

QStringList decodeBusinessProfile(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    QStringList profile(ProfileFieldCount);
    for (QString &field : profile)
        readText(reader, field);
    return profile;
}

QByteArray encodeBusinessProfile(const QStringList &profile)
{
    TextRecordWriter writer;
    for (int i = 0; i < ProfileFieldCount; ++i)
        writer.text(profile.value(i));
    return writer.endRecord().bytes();
}

TaxSettings decodeTaxSettings(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    TaxSettings taxes;
    readText(reader, taxes.heading1);
    readText(reader, taxes.heading2);
    readText(reader, taxes.rate1);
    readText(reader, taxes.rate2);
    readFlag(reader, taxes.apply1);
    readFlag(reader, taxes.apply2);
    return taxes;
}

QByteArray encodeTaxSettings(const TaxSettings &taxes)
{
    TextRecordWriter writer;
    writer.text(taxes.heading1).text(taxes.heading2).text(taxes.rate1).text(taxes.rate2);
    writer.number(taxes.apply1 ? 1 : 0).number(taxes.apply2 ? 1 : 0);
    return writer.endRecord().bytes();
}

InvoiceSettings decodeInvoiceSettings(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    InvoiceSettings settings;
    readFlag(reader, settings.taxSalesItems);
    readFlag(reader, settings.taxServices);
    readFlag(reader, settings.taxLabor);
    readFlag(reader, settings.taxCustom);
    readFlag(reader, settings.applyGraduated);
    readText(reader, settings.discountRate);
    readText(reader, settings.discountDays);
    // The two paper options are one choice: the remittance field decides, as the
    // second of two option buttons set in turn would.
    bool plain = true;
    readFlag(reader, plain);
    settings.remittanceSlip = !plain;
    readFlag(reader, settings.remittanceSlip);
    readCurrency(reader, settings.graduatedLimit);
    readCurrency(reader, settings.graduatedSurcharge);
    return settings;
}

QByteArray encodeInvoiceSettings(const InvoiceSettings &settings)
{
    TextRecordWriter writer;
    writer.number(settings.taxSalesItems ? 1 : 0)
        .number(settings.taxServices ? 1 : 0)
        .number(settings.taxLabor ? 1 : 0)
        .number(settings.taxCustom ? 1 : 0)
        .number(settings.applyGraduated ? 1 : 0)
        .text(settings.discountRate)
        .text(settings.discountDays)
        .boolean(!settings.remittanceSlip)
        .boolean(settings.remittanceSlip)
        .text(settings.graduatedLimit)
        .text(settings.graduatedSurcharge);
    return writer.endRecord().bytes();
}

PrintColors decodePrintColors(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    PrintColors colors;
    readColour(reader, colors.borderColour);
    readColour(reader, colors.textColour);
    QString font;
    readText(reader, font);
    if (!font.trimmed().isEmpty())
        colors.fontName = font;
    readFlag(reader, colors.colourPrinting);
    const auto copies = reader.number();
    if (copies && *copies >= MinCopies && *copies <= MaxCopies)
        colors.copies = int(*copies);
    return colors;
}

QByteArray encodePrintColors(const PrintColors &colors)
{
    TextRecordWriter writer;
    writer.number(colors.borderColour).endRecord();
    writer.number(colors.textColour).endRecord();
    writer.text(colors.fontName).endRecord();
    writer.boolean(colors.colourPrinting).endRecord();
    writer.number(colors.copies).endRecord();
    return writer.bytes();
}

LogoSize decodeLogoSize(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    LogoSize size;
    readLogoSide(reader, size.width);
    readLogoSide(reader, size.height);
    return size;
}

QByteArray encodeLogoSize(const LogoSize &size)
{
    TextRecordWriter writer;
    writer.single(size.width).single(size.height);
    return writer.endRecord().bytes();
}

QString decodeLogoPath(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    return reader.field().value_or(QString());
}

QByteArray encodeLogoPath(const QString &path)
{
    TextRecordWriter writer;
    writer.text(path);
    return writer.endRecord().bytes();
}

bool isStorableLogoPath(const QString &path)
{
    const bool plain = std::none_of(path.cbegin(), path.cend(), [](QChar c) {
        return c == u'"' || c.category() == QChar::Other_Control;
    });
    return plain && codepage::decode(codepage::encode(path)) == path;
}

float stepLogoSide(float value, bool up)
{
    if (up)
        return value < 1800 ? value + 50 : 360;
    return value > 360 ? value - 50 : 1800;
}

bool initialUsaStyle(const QString &name, const QString &postalCode, bool usaStyleInForce)
{
    // The button's caption is set first, then the button is pressed, which
    // switches to the other style.
    bool captionUsa = usaStyleInForce;
    if (name.isEmpty() && postalCode.isEmpty())
        captionUsa = false;
    if (regional::isNumeric(postalCode))
        captionUsa = false;
    if (!name.isEmpty())
        captionUsa = postalCode.isEmpty();
    return !captionUsa;
}

} // namespace settingsfiles
