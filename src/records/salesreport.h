#pragma once

#include "posting/postedrecords.h"
#include "records/daterange.h"

#include <QList>
#include <QStringList>

class Catalog;
class DataFolder;

namespace records {

// The products the item sales report can tick: the sales items then the custom
// items in file order, each distinct trimmed name once. Posting files one sold-item
// record per invoice line, so a name listed twice would count its sales twice.
QStringList productNames(const Catalog &catalog);

struct SalesReport
{
    // Name, sale date, invoice number, units: one row per record in range.
    QList<QStringList> rows;
    // The sale date of each row.
    QList<QDate> dates;
    // Name and total units, for the ticked products that sold, in list order.
    QList<QStringList> totals;
};

// The sold-item records of the ticked products within the range (both ends).
SalesReport buildSalesReport(const QList<posting::SoldItemRecord> &sold,
                             const QStringList &tickedProducts, const DateRange &range);

struct DeleteOutcome
{
    bool done = false; // false: the files are as they were
    qint64 kept = 0;
};

// The sold items of "\SoldItems.txt". A missing file is nullopt.
std::optional<QList<posting::SoldItemRecord>> readSoldItems(const DataFolder &data);

// Drops the sold-item records dated within the range (both ends); records whose
// date cannot be read stay. When nothing is kept the file and its backup go.
DeleteOutcome deleteSoldItems(const DataFolder &data, const DateRange &range);

} // namespace records
