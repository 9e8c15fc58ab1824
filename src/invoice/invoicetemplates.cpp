#include "invoice/invoicetemplates.h"

#include "core/datafolder.h"
#include "core/diskio.h"
#include "core/fixedrecord.h"
#include "core/names.h"
#include "core/regional.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace invoicetemplates {

namespace {

// The grid shows "$12.50": only a leading currency symbol is dropped, so "12.50"
// typed without one keeps its first digit.
QString storedPrice(const QString &gridPrice)
{
    const QString price = gridPrice.trimmed();
    const QString symbol = QLocale().currencySymbol();
    if (!symbol.isEmpty() && price.startsWith(symbol))
        return price.mid(symbol.size()).trimmed();
    return price;
}

constexpr int UnitsAt = 0;
constexpr int DescriptionAt = UnitsAt + UnitsWidth;
constexpr int PriceAt = DescriptionAt + DescriptionWidth;
constexpr int TaxableAt = PriceAt + PriceWidth;

} // namespace

QString existsQuestion(const QString &name)
{
    return QStringLiteral("A Template Named ") + name +
           QStringLiteral("already Exists.\r\nPress Yes to Replace the Existing Template");
}

QString deletionQuestion(const QString &name)
{
    return QStringLiteral("This will Delete Template\r\n") + name + QStringLiteral(".txt");
}

QString fileOf(const QString &name)
{
    if (!names::isSafeFileName(name))
        return {};
    return Folder + u'/' + name + QStringLiteral(".txt");
}

QStringList list(const DataFolder &data)
{
    QStringList names;
    const QDir folder(data.path(Folder));
    for (const QFileInfo &info :
         folder.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (info.isFile())
            names.append(info.completeBaseName());
    }
    return names;
}

bool exists(const DataFolder &data, const QString &name)
{
    const QString file = fileOf(name);
    return !file.isEmpty() && QFileInfo(data.path(file)).isFile();
}

QList<InvoiceLine> savedLines(const InvoiceDocument &document)
{
    QList<InvoiceLine> kept;
    for (const InvoiceLine &line : document.lines) {
        if (regional::valuePrefix(line[InvoiceLine::Units]) > 0)
            kept.append(line);
    }
    return kept;
}

Encoded encode(const InvoiceDocument &document)
{
    Encoded out;
    out.bytes.reserve(document.LineCount() * RecordLength);
    for (int index = 0; index < document.LineCount(); ++index) {
        const InvoiceLine &line = document.lines[index];
        if (regional::valuePrefix(line[InvoiceLine::Units]) <= 0)
            continue;
        const int row = index + 1;
        const QString units = line[InvoiceLine::Units].trimmed();
        const QString description = line[InvoiceLine::Description].trimmed();
        const QString price = storedPrice(line[InvoiceLine::Price]);
        auto tooLong = [row](const QString &what, int width) {
            return QStringLiteral("The %1 of line %2 is longer than the %3 characters a "
                                  "template holds.\r\nThe Template was not saved.")
                .arg(what)
                .arg(row)
                .arg(width);
        };
        if (units.size() > UnitsWidth)
            out.error = tooLong(QStringLiteral("quantity"), UnitsWidth);
        else if (description.size() > DescriptionWidth)
            out.error = tooLong(QStringLiteral("description"), DescriptionWidth);
        else if (price.size() > PriceWidth)
            out.error = tooLong(QStringLiteral("price"), PriceWidth);
        if (!out.error.isEmpty()) {
            out.bytes.clear();
            return out;
        }
        FixedRecord record(RecordLength);
        record.setText(UnitsAt, UnitsWidth, units);
        record.setText(DescriptionAt, DescriptionWidth, description);
        record.setText(PriceAt, PriceWidth, price);
        record.setText(TaxableAt, TaxableWidth, line[InvoiceLine::Taxable].trimmed());
        out.bytes += record.bytes();
    }
    return out;
}

std::optional<QString> save(const DataFolder &data, const QString &name,
                            const InvoiceDocument &document)
{
    const QString file = fileOf(name);
    if (file.isEmpty())
        return names::unsafeNameMessage(QStringLiteral("Template Name"), name);
    const Encoded encoded = encode(document);
    if (!encoded.error.isEmpty())
        return encoded.error;
    if (!data.RewriteFile(file, encoded.bytes))
        return QStringLiteral("The Template %1 could not be saved in \"%2\".")
            .arg(name, data.path(file));
    return std::nullopt;
}

Loaded decode(const QByteArray &bytes)
{
    Loaded loaded;
    const qsizetype whole = bytes.size() / RecordLength;
    const qsizetype count = std::min<qsizetype>(whole, InvoiceDocument::MaxLines);
    for (qsizetype r = 0; r < count; ++r) {
        const FixedRecord record(RecordLength, bytes.mid(r * RecordLength, RecordLength));
        InvoiceLine line;
        line[InvoiceLine::Units] = record.text(UnitsAt, UnitsWidth);
        line[InvoiceLine::Description] = record.text(DescriptionAt, DescriptionWidth);
        line[InvoiceLine::Price] = record.text(PriceAt, PriceWidth);
        line[InvoiceLine::Taxable] = record.text(TaxableAt, TaxableWidth);
        const auto price = regional::parseMoney(line[InvoiceLine::Price]);
        if (!price) {
            loaded.lines.clear();
            loaded.error = QStringLiteral("The price of line %1 (\"%2\") is not an amount.\r\n"
                                          "The Template was not loaded.")
                               .arg(r + 1)
                               .arg(line[InvoiceLine::Price]);
            return loaded;
        }
        line[InvoiceLine::Amount] = regional::currencyText(
            price->times(regional::valuePrefix(line[InvoiceLine::Units])));
        loaded.lines.append(line);
    }
    if (whole > InvoiceDocument::MaxLines || bytes.size() % RecordLength != 0)
        loaded.warning = QStringLiteral("Only the first %1 lines of the Template were loaded: "
                                        "the rest of the file is not a line of a Template.")
                             .arg(count);
    return loaded;
}

Loaded load(const DataFolder &data, const QString &name)
{
    const QString file = fileOf(name);
    QFile in(file.isEmpty() ? QString() : data.path(file));
    if (file.isEmpty() || !QFileInfo(in.fileName()).isFile() || !in.open(QIODevice::ReadOnly)) {
        Loaded missing;
        missing.error = QStringLiteral("The Template %1 could not be read.").arg(name);
        return missing;
    }
    // One record past the limit is enough to tell there were more.
    return decode(in.read(qint64(RecordLength) * (InvoiceDocument::MaxLines + 1)));
}

bool remove(const DataFolder &data, const QString &name)
{
    const QString file = fileOf(name);
    return !file.isEmpty() && diskio::remove(data.path(file));
}

} // namespace invoicetemplates
