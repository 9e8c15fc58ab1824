#include "catalog/catalogrecords.h"

#include "core/fixedrecord.h"
#include "core/regional.h"

namespace {

// Services
constexpr int ServiceDescription = 0;
constexpr int ServiceCharge = 60;
constexpr int ServiceTime = 70;

// Sales items
constexpr int ItemDescription = 0;
constexpr int ItemCategory = 50;
constexpr int ItemCost = 70;
constexpr int ItemPrice = 78;
constexpr int ItemOnHand = SalesItemRecord::OnHandOffset;
constexpr int ItemDiscountPrice = 88;
constexpr int ItemDiscountQty = 96;
constexpr int ItemReorderAmount = 100;
constexpr int ItemReorderAt = 102;

// Custom items
constexpr int CustomDescription = 0;
constexpr int CustomPrice = 50;
constexpr int CustomDiscountPrice = 58;
constexpr int CustomDiscountQty = 66;

QStringList buildAllottedTimes()
{
    static constexpr const char *minutes[] = {":00", ":15", ":30", ":45"};
    QStringList times;
    for (int k = 0; k < catalog::AllottedTimeCount; ++k)
        times.append(QString::number(k / 4) + QLatin1String(minutes[k % 4]));
    return times;
}

} // namespace

ServiceRecord ServiceRecord::fromRecord(const FixedRecord &record)
{
    ServiceRecord service;
    service.description = record.text(ServiceDescription, DescriptionWidth);
    service.charge = record.text(ServiceCharge, ChargeWidth);
    service.allottedTime = record.int16(ServiceTime);
    return service;
}

FixedRecord ServiceRecord::toRecord() const
{
    FixedRecord record(Length);
    record.setText(ServiceDescription, DescriptionWidth, description);
    record.setText(ServiceCharge, ChargeWidth, charge);
    record.setInt16(ServiceTime, allottedTime);
    return record;
}

SalesItemRecord SalesItemRecord::fromRecord(const FixedRecord &record)
{
    SalesItemRecord item;
    item.description = record.text(ItemDescription, DescriptionWidth);
    item.category = record.text(ItemCategory, CategoryWidth);
    item.cost = record.money(ItemCost);
    item.price = record.money(ItemPrice);
    item.onHand = record.int16(ItemOnHand);
    item.discountPrice = record.money(ItemDiscountPrice);
    item.discountQty = record.int32(ItemDiscountQty);
    item.reorderAmount = record.int16(ItemReorderAmount);
    item.reorderAt = record.int16(ItemReorderAt);
    return item;
}

FixedRecord SalesItemRecord::toRecord() const
{
    FixedRecord record(Length);
    record.setText(ItemDescription, DescriptionWidth, description);
    record.setText(ItemCategory, CategoryWidth, category);
    record.setMoney(ItemCost, cost);
    record.setMoney(ItemPrice, price);
    record.setInt16(ItemOnHand, onHand);
    record.setMoney(ItemDiscountPrice, discountPrice);
    record.setInt32(ItemDiscountQty, discountQty);
    record.setInt16(ItemReorderAmount, reorderAmount);
    record.setInt16(ItemReorderAt, reorderAt);
    return record;
}

CustomItemRecord CustomItemRecord::fromRecord(const FixedRecord &record)
{
    CustomItemRecord item;
    item.description = record.text(CustomDescription, DescriptionWidth);
    item.price = record.money(CustomPrice);
    item.discountPrice = record.money(CustomDiscountPrice);
    item.discountQty = record.int32(CustomDiscountQty);
    return item;
}

FixedRecord CustomItemRecord::toRecord() const
{
    FixedRecord record(Length);
    record.setText(CustomDescription, DescriptionWidth, description);
    record.setMoney(CustomPrice, price);
    record.setMoney(CustomDiscountPrice, discountPrice);
    record.setInt32(CustomDiscountQty, discountQty);
    return record;
}

namespace catalog {

const QStringList &AllottedTimes()
{
    static const QStringList times = buildAllottedTimes();
    return times;
}

qint16 shownAllottedTime(qint16 stored)
{
    return stored >= 1 && stored < AllottedTimeCount ? stored : qint16(1);
}

qint16 allottedTimePosition(const QString &text)
{
    const qsizetype position = AllottedTimes().indexOf(text);
    return position < 0 ? qint16(0) : qint16(position);
}

QStringList serviceCells(const ServiceRecord &record)
{
    const qint16 time = record.allottedTime >= 0 && record.allottedTime < AllottedTimeCount
                            ? record.allottedTime
                            : shownAllottedTime(record.allottedTime);
    return {record.description, record.charge, AllottedTimes().at(time)};
}

QStringList salesItemCells(const SalesItemRecord &record)
{
    return {record.description,
            record.category,
            regional::currencyText(record.cost),
            regional::currencyText(record.price),
            QString::number(record.onHand),
            regional::currencyText(record.discountPrice),
            QString::number(record.discountQty),
            QString::number(record.reorderAmount),
            QString::number(record.reorderAt)};
}

QStringList customItemCells(const CustomItemRecord &record)
{
    return {record.description, regional::currencyText(record.price),
            regional::currencyText(record.discountPrice), QString::number(record.discountQty)};
}

std::optional<qint64> countInRange(const QString &text, qint64 minimum, qint64 maximum)
{
    const std::optional<qint64> value = regional::wholeNumber(text);
    if (!value || *value < minimum || *value > maximum)
        return std::nullopt;
    return value;
}

QString countRangeMessage(const QString &field, qint64 minimum, qint64 maximum)
{
    return QStringLiteral("%1 must be a whole number from %2 to %3")
        .arg(field)
        .arg(minimum)
        .arg(maximum);
}

QString amountMessage(const QString &field)
{
    return QStringLiteral("%1 must be an amount of money").arg(field);
}

std::optional<QString> checkServiceCharge(const QString &charge)
{
    if (charge.size() <= ServiceRecord::ChargeWidth)
        return std::nullopt;
    return QStringLiteral("The Charge %1 is too large: the Services file holds at most %2 "
                          "characters for it")
        .arg(charge)
        .arg(ServiceRecord::ChargeWidth);
}

} // namespace catalog
