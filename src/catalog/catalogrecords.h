#pragma once

#include "core/money.h"

#include <QString>
#include <QStringList>

#include <optional>

class FixedRecord;

// The record layouts of the three catalog files and the texts their grid rows show.

// "/Services.txt", 72 bytes.
struct ServiceRecord
{
    static constexpr int Length = 72;
    static constexpr int DescriptionWidth = 60;
    static constexpr int ChargeWidth = 10;

    QString description;
    // Currency text exactly as the screen showed it; stored as text, not as an amount.
    QString charge;
    // Position in the allotted-time list.
    qint16 allottedTime = 0;

    static ServiceRecord fromRecord(const FixedRecord &record);
    FixedRecord toRecord() const;
    bool operator==(const ServiceRecord &) const = default;
};

// "/PIInventoriedItems.txt", 104 bytes.
struct SalesItemRecord
{
    static constexpr int Length = 104;
    static constexpr int DescriptionWidth = 50;
    static constexpr int CategoryWidth = 20;
    // Posting rewrites this field alone.
    static constexpr int OnHandOffset = 86;

    QString description;
    QString category;
    Money cost;
    Money price;
    qint16 onHand = 0;
    Money discountPrice;
    // 0 switches the quantity discount off.
    qint32 discountQty = 0;
    qint16 reorderAmount = 0;
    qint16 reorderAt = 0;

    static SalesItemRecord fromRecord(const FixedRecord &record);
    FixedRecord toRecord() const;
    bool operator==(const SalesItemRecord &) const = default;
};

// "/CustomItems.txt", 70 bytes.
struct CustomItemRecord
{
    static constexpr int Length = 70;
    static constexpr int DescriptionWidth = 50;

    QString description;
    Money price;
    Money discountPrice;
    qint32 discountQty = 0;

    static CustomItemRecord fromRecord(const FixedRecord &record);
    FixedRecord toRecord() const;
    bool operator==(const CustomItemRecord &) const = default;
};

namespace catalog {

// The most records a catalog file may hold: the classic readers count them in
// eight bits.
constexpr int MaxRecords = 255;

// The allotted-time list: position k reads k div 4 hours and 0, 15, 30 or 45
// minutes ("0:00", "0:15", ... "8:00").
constexpr int AllottedTimeCount = 33;
const QStringList &AllottedTimes();
// The position a stored value is shown at: 0, and anything outside the list, shows
// as 0:15 (position 1).
qint16 shownAllottedTime(qint16 stored);
// The position of the first entry with this text, 0 when there is none.
qint16 allottedTimePosition(const QString &text);

// The cells of a grid row, left to right: money as currency text, counts as whole
// numbers, the allotted time as its list entry.
QStringList serviceCells(const ServiceRecord &record);
QStringList salesItemCells(const SalesItemRecord &record);
QStringList customItemCells(const CustomItemRecord &record);

// A count typed in a box: a whole number (numeric text, rounded ties to even)
// within [minimum, maximum]; nullopt otherwise.
std::optional<qint64> countInRange(const QString &text, qint64 minimum, qint64 maximum);
// "<field> must be a whole number from <minimum> to <maximum>".
QString countRangeMessage(const QString &field, qint64 minimum, qint64 maximum);
// "<field> must be an amount of money".
QString amountMessage(const QString &field);
// The message for a service charge whose currency text does not fit its field,
// nullopt when it fits.
std::optional<QString> checkServiceCharge(const QString &charge);

} // namespace catalog
