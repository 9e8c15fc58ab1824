#include "records/salesreport.h"

#include "catalog/catalog.h"
#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/regional.h"

#include <QHash>
#include <QSet>

namespace records {

QStringList productNames(const Catalog &catalog)
{
    QStringList names;
    QSet<QString> seen;
    const auto add = [&](const QList<CatalogPick> &picks) {
        for (const CatalogPick &pick : picks) {
            const QString name = pick.description.trimmed();
            if (!name.isEmpty() && !seen.contains(name)) {
                seen.insert(name);
                names.append(name);
            }
        }
    };
    add(catalog.itemPicks());
    add(catalog.customPicks());
    return names;
}

SalesReport buildSalesReport(const QList<posting::SoldItemRecord> &sold,
                             const QStringList &tickedProducts, const DateRange &range)
{
    // Slot of each ticked name, so a record is matched once through the hash.
    QHash<QString, int> slotOf;
    QStringList products;
    for (const QString &product : tickedProducts) {
        const QString name = product.trimmed();
        if (!slotOf.contains(name)) {
            slotOf.insert(name, int(products.size()));
            products.append(name);
        }
    }
    QList<qint32> totals(products.size(), 0);
    QList<bool> hasSales(products.size(), false);

    SalesReport report;
    for (const posting::SoldItemRecord &record : sold) {
        if (!range.contains(record.date))
            continue;
        const QString name = record.description.trimmed();
        const auto slot = slotOf.constFind(name);
        if (slot == slotOf.constEnd())
            continue;
        report.rows.append({name, regional::shortDate(record.date), record.invoiceNumber.trimmed(),
                            QString::number(record.quantity)});
        report.dates.append(record.date);
        totals[*slot] += record.quantity;
        hasSales[*slot] = true;
    }
    for (qsizetype i = 0; i < products.size(); ++i) {
        if (hasSales.at(i))
            report.totals.append({products.at(i), QString::number(totals.at(i))});
    }
    return report;
}

std::optional<QList<posting::SoldItemRecord>> readSoldItems(const DataFolder &data)
{
    if (!data.FileIsPresent(posting::SoldItemsFile))
        return std::nullopt;
    return posting::SoldItemRecord::decodeAll(data.ReadFile(posting::SoldItemsFile));
}

DeleteOutcome deleteSoldItems(const DataFolder &data, const DateRange &range)
{
    DeleteOutcome outcome;
    if (!data.FileIsPresent(posting::SoldItemsFile))
        return outcome;
    outcome.done = data.SafeReplace(
        posting::SoldItemsFile, posting::SoldItemRecord::Length, [&](const FixedRecord &record) {
            const bool keep = !range.contains(posting::SoldItemRecord::fromRecord(record).date);
            outcome.kept += keep ? 1 : 0;
            return keep;
        });
    if (!outcome.done) {
        outcome.kept = 0;
        return outcome;
    }
    if (outcome.kept == 0)
        data.DeleteWithBackup(posting::SoldItemsFile);
    return outcome;
}

} // namespace records
