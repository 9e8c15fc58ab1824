#include "catalog/catalog.h"

#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/regional.h"

#include <QFile>
#include <QHash>

#include <cmath>
#include <limits>

namespace {

struct StockPlan
{
    // Stock per record, and whether posting changes it.
    QList<qint32> onHand;
    QList<bool> changed;
    QStringList low;
    std::optional<QString> error;
};

bool fitsInt16(qint64 value)
{
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

// The lines applied one after the other, as posting would write them.
StockPlan planDeduction(const QByteArray &bytes, qsizetype count, const QList<InvoiceLine> &lines)
{
    StockPlan plan;
    plan.onHand.reserve(count);
    plan.changed.fill(false, count);
    QHash<QString, qsizetype> firstOfName;
    QStringList names;
    names.reserve(count);
    for (qsizetype r = 0; r < count; ++r) {
        const FixedRecord record(SalesItemRecord::Length,
                                 bytes.mid(r * SalesItemRecord::Length, SalesItemRecord::Length));
        const QString name = record.text(0, SalesItemRecord::DescriptionWidth);
        plan.onHand.append(record.int16(SalesItemRecord::OnHandOffset));
        names.append(name);
        if (!firstOfName.contains(name))
            firstOfName.insert(name, r);
    }

    for (const InvoiceLine &line : lines) {
        if (line.isLabor())
            continue;
        const auto found = firstOfName.constFind(line[InvoiceLine::Description].trimmed());
        if (found == firstOfName.constEnd())
            continue;
        const qsizetype r = found.value();
        const std::optional<qint64> units = Catalog::stockUnits(line[InvoiceLine::Units]);
        if (!units || !fitsInt16(*units)) {
            plan.error = QStringLiteral("The Units of %1 are too large for the Inventory file")
                             .arg(names.at(r));
            return plan;
        }
        qint64 left = qint64(plan.onHand.at(r)) - *units;
        if (left < 0) {
            left = 0;
            plan.low.append(names.at(r));
        }
        if (!fitsInt16(left)) {
            plan.error = QStringLiteral("The Inventory of %1 would be too large for the Inventory file")
                             .arg(names.at(r));
            return plan;
        }
        plan.onHand[r] = qint32(left);
        plan.changed[r] = true;
    }
    return plan;
}

bool cannotBeOpened(const QString &absolute, QIODevice::OpenMode mode)
{
    QFile file(absolute);
    return !file.open(mode);
}

} // namespace

std::optional<qint64> Catalog::stockUnits(const QString &units)
{
    const std::optional<double> value = regional::numeric(units.trimmed());
    if (!value)
        return 0;
    const float single = float(*value);
    const double rounded = double(single);
    if (!(std::abs(rounded) < 9.2e18))
        return std::nullopt;
    return regional::roundToEven(rounded);
}

std::optional<QString> Catalog::CheckStockDeduction(const QList<InvoiceLine> &lines) const
{
    if (!m_data.FileIsPresent(SalesItemsFile))
        return std::nullopt;
    const QString absolute = m_data.path(SalesItemsFile);
    if (cannotBeOpened(absolute, QIODevice::ReadWrite))
        return QStringLiteral("The file \"%1\" could not be written.").arg(SalesItemsFile);
    qsizetype count = 0;
    const QByteArray bytes = fileBytes(SalesItemsFile, SalesItemRecord::Length, count);
    return planDeduction(bytes, count, lines).error;
}

QList<qint64> Catalog::StockFieldsChanged(const QList<InvoiceLine> &lines) const
{
    QList<qint64> offsets;
    if (!m_data.FileIsPresent(SalesItemsFile))
        return offsets;
    qsizetype count = 0;
    const QByteArray bytes = fileBytes(SalesItemsFile, SalesItemRecord::Length, count);
    const StockPlan plan = planDeduction(bytes, count, lines);
    for (qsizetype r = 0; r < count; ++r) {
        if (plan.changed.at(r))
            offsets.append(qint64(r) * SalesItemRecord::Length + SalesItemRecord::OnHandOffset);
    }
    return offsets;
}

Catalog::StockDeduction Catalog::DeductInventory(const QList<InvoiceLine> &lines)
{
    StockDeduction result;
    if (m_data.FileIsPresent(SalesItemsFile)) {
        qsizetype count = 0;
        const QByteArray bytes = fileBytes(SalesItemsFile, SalesItemRecord::Length, count);
        StockPlan plan = planDeduction(bytes, count, lines);
        result.low = plan.low;
        result.error = plan.error;
        if (!plan.error) {
            FixedRecordFile file(m_data.path(SalesItemsFile), SalesItemRecord::Length);
            const bool opened = file.open() && file.isWritable();
            for (qsizetype r = 0; r < count && !result.error; ++r) {
                if (!plan.changed.at(r))
                    continue;
                // Only the stock changes: the rest of the record stays byte for byte.
                FixedRecord record(SalesItemRecord::Length,
                                   bytes.mid(r * SalesItemRecord::Length, SalesItemRecord::Length));
                record.setInt16(SalesItemRecord::OnHandOffset, qint16(plan.onHand.at(r)));
                if (!opened || !file.write(r + 1, record))
                    result.error = QStringLiteral("The file \"%1\" could not be written.")
                                       .arg(SalesItemsFile);
            }
        }
    }
    LoadAdditionalItems();
    return result;
}
