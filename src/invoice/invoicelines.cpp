#include "invoice/invoicelines.h"

#include "core/regional.h"

namespace invoicelines {

namespace {

Entry refuse(Refusal::Field field, std::optional<QString> boxText = std::nullopt, bool beep = true)
{
    Entry entry;
    entry.refusal = Refusal{field, beep, {}, std::move(boxText)};
    return entry;
}

Entry refuseUnits(const QString &message)
{
    Entry entry;
    entry.refusal = Refusal{Refusal::Field::Units, true, message, std::nullopt};
    return entry;
}

QString flag(bool taxable)
{
    return taxable ? QStringLiteral("True") : QStringLiteral("False");
}

// A price from a list must be a number; nullopt otherwise.
std::optional<Money> listPrice(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return regional::parseMoney(text);
}

} // namespace

QString tooManyUnitsMessage()
{
    return QStringLiteral("The Units may not be more than %1").arg(MaxUnits);
}

std::optional<QString> unitsRefusal(const QString &units)
{
    const std::optional<qint64> whole = regional::wholeNumber(units);
    if (!whole) {
        // Beyond 64 bits is beyond 16 too.
        if (regional::isNumeric(units))
            return tooManyUnitsMessage();
        return std::nullopt;
    }
    if (*whole > MaxUnits || *whole < -MaxUnits - 1)
        return tooManyUnitsMessage();
    return std::nullopt;
}

Money extensionOf(double units, Money price)
{
    return price.times(units);
}

QString extension(const QString &units, Money price)
{
    return regional::currencyText(extensionOf(regional::numeric(units).value_or(0.0), price));
}

QString zeroText()
{
    return regional::currencyText(Money());
}

Entry serviceLine(const QString &description, const QString &priceText, const QDate &serviceDate,
                  bool taxable)
{
    const std::optional<Money> price = listPrice(priceText);
    if (!price)
        return refuse(Refusal::Field::Price);
    if (description.isEmpty())
        return refuse(Refusal::Field::Description);
    InvoiceLine line;
    line[InvoiceLine::Description] = description;
    line[InvoiceLine::Price] = regional::currencyText(*price);
    line[InvoiceLine::Amount] = regional::currencyText(*price);
    line[InvoiceLine::Date] = regional::shortDate(serviceDate);
    line[InvoiceLine::Taxable] = flag(taxable);
    return {line, std::nullopt, false};
}

Entry itemLine(const QString &description, const QString &priceText, const QString &units,
               const VolumePrice &volume, bool taxable)
{
    std::optional<Money> price = listPrice(priceText);
    if (!price)
        return refuse(Refusal::Field::Price);
    if (description.isEmpty())
        return refuse(Refusal::Field::Description);
    if (units.trimmed().isEmpty())
        return refuse(Refusal::Field::Units);
    const std::optional<double> count = regional::numeric(units);
    if (!count)
        return refuse(Refusal::Field::Units, QStringLiteral("0"));
    if (const std::optional<QString> tooMany = unitsRefusal(units))
        return refuseUnits(*tooMany);
    bool discounted = false;
    if (volume.apply && volume.quantity != 0 && *count >= volume.quantity) {
        price = volume.price;
        discounted = true;
    }
    InvoiceLine line;
    line[InvoiceLine::Units] = units;
    line[InvoiceLine::Description] = description;
    line[InvoiceLine::Price] = regional::currencyText(*price);
    line[InvoiceLine::Amount] = regional::currencyText(extensionOf(*count, *price));
    line[InvoiceLine::Taxable] = flag(taxable);
    return {line, std::nullopt, discounted};
}

Entry manualLine(const QString &description, const QString &priceText, const QString &units,
                 bool taxable)
{
    if (priceText.isEmpty() || priceText == zeroText())
        return refuse(Refusal::Field::Price);
    QString shownUnits = units.trimmed().isEmpty() ? QStringLiteral("1") : units;
    if (description.isEmpty())
        return refuse(Refusal::Field::Description, std::nullopt, false);
    const std::optional<Money> price = regional::parseMoney(priceText);
    if (!price)
        return refuse(Refusal::Field::Price, QStringLiteral("0"), false);
    if (!regional::isNumeric(shownUnits))
        shownUnits = QStringLiteral("1");
    if (const std::optional<QString> tooMany = unitsRefusal(shownUnits))
        return refuseUnits(*tooMany);
    InvoiceLine line;
    line[InvoiceLine::Units] = shownUnits;
    line[InvoiceLine::Description] = description;
    line[InvoiceLine::Price] = regional::currencyText(*price);
    line[InvoiceLine::Amount] = extension(shownUnits, *price);
    line[InvoiceLine::Taxable] = flag(taxable);
    return {line, std::nullopt, false};
}

Money laborAmount(const QString &hours, const QString &rateText)
{
    const std::optional<double> count = regional::numeric(hours);
    const Money rate = regional::parseMoney(rateText).value_or(Money());
    return count ? extensionOf(*count, rate) : Money();
}

QList<InvoiceLine> laborLines(const std::array<LaborCategory, 3> &categories, bool taxable)
{
    QList<InvoiceLine> lines;
    for (const LaborCategory &category : categories) {
        if (category.amount.isZero())
            continue;
        InvoiceLine line;
        line[InvoiceLine::Units] = category.hours + QStringLiteral(" Hrs");
        line[InvoiceLine::Description] = category.name;
        line[InvoiceLine::Price] = category.rateText;
        line[InvoiceLine::Amount] = regional::currencyText(category.amount);
        line[InvoiceLine::Taxable] = flag(taxable);
        lines.append(line);
    }
    return lines;
}

VolumePrice PickTable::volume(int position, bool apply) const
{
    if (position < 0 || position >= discountPrice.size() || position >= discountQty.size())
        return {};
    return {apply, discountPrice.at(position), discountQty.at(position)};
}

PickTable itemTable(const Catalog &catalog, const QString &category)
{
    PickTable table;
    if (category.isEmpty() || category == Catalog::AllCategories) {
        table.picks = catalog.itemPicks();
        for (int i = 1; i <= catalog.itemDiscountCount(); ++i) {
            table.discountPrice.append(catalog.ItemDiscountPrice(i));
            table.discountQty.append(catalog.ItemDiscountQty(i));
        }
        return table;
    }
    const QList<SalesItemRecord> &items = catalog.salesItems();
    for (const SalesItemRecord &item : items) {
        if (item.category != category)
            continue;
        table.picks.append({item.description, regional::currencyText(item.price),
                            int(table.picks.size())});
        table.discountPrice.append(item.discountPrice);
        table.discountQty.append(item.discountQty);
    }
    return table;
}

PickTable customTable(const Catalog &catalog)
{
    PickTable table;
    table.picks = catalog.customPicks();
    for (int i = 1; i <= catalog.customDiscountCount(); ++i) {
        table.discountPrice.append(catalog.CustomDiscountPrice(i));
        table.discountQty.append(catalog.CustomDiscountQty(i));
    }
    return table;
}

PickTable serviceTable(const Catalog &catalog)
{
    PickTable table;
    table.picks = catalog.servicePicks();
    return table;
}

std::optional<Completion> typeAhead(const QList<CatalogPick> &picks, const QString &typed)
{
    if (typed.isEmpty())
        return std::nullopt;
    for (int i = 0; i < picks.size(); ++i) {
        const QString &entry = picks.at(i).description;
        if (!entry.startsWith(typed, Qt::CaseInsensitive))
            continue;
        if (entry.size() == typed.size())
            return Completion{i, entry, int(entry.size())};
        return Completion{i, typed + entry.mid(typed.size()), int(typed.size())};
    }
    return std::nullopt;
}

} // namespace invoicelines
