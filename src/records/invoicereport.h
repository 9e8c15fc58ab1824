#pragma once

#include "core/money.h"
#include "posting/postedrecords.h"
#include "records/daterange.h"

#include <QList>
#include <QStringList>

#include <optional>

class DataFolder;

namespace records {

struct InvoiceReport
{
    // Invoice number, date, account number, account name, sub-total, discount,
    // tax, grand total: the columns of the grid.
    QList<QStringList> rows;
    // The journal record behind each row, for exports that need the values.
    QList<posting::SalesJournalRecord> records;
    Money subTotal;
    Money discount;
    Money tax;
    Money total;
};

// The journal records within the range (both ends), of every account or of the one
// whose trimmed number equals the trimmed filter.
InvoiceReport buildInvoiceReport(const QList<posting::SalesJournalRecord> &journal,
                                 const DateRange &range,
                                 const std::optional<QString> &account = std::nullopt);

// The records of "/InvoiceSalesJournal.txt"; none when it is absent.
QList<posting::SalesJournalRecord> readJournal(const DataFolder &data);

// The account numbers of "/CustomerData.txt" in file order, as stored (trailing
// blanks included); nullopt when the file is absent.
std::optional<QStringList> customerAccounts(const DataFolder &data);

// Drops the journal records dated within the range; records whose date cannot be
// read stay. The journal stays, empty when nothing is kept. False when it was not
// rewritten (then it is as it was).
bool deleteJournalRange(const DataFolder &data, const DateRange &range);
// The journal and its backup copy go.
void deleteJournal(const DataFolder &data);

} // namespace records
