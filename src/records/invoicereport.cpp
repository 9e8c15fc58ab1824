#include "records/invoicereport.h"

#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/regional.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"

namespace records {

InvoiceReport buildInvoiceReport(const QList<posting::SalesJournalRecord> &journal,
                                 const DateRange &range, const std::optional<QString> &account)
{
    const std::optional<QString> wanted =
        account ? std::optional<QString>(account->trimmed()) : std::nullopt;
    InvoiceReport report;
    for (const posting::SalesJournalRecord &record : journal) {
        if (!range.contains(record.date))
            continue;
        if (wanted && record.account.trimmed() != *wanted)
            continue;
        report.rows.append({record.invoiceNumber.trimmed(), regional::shortDate(record.date),
                            record.account.trimmed(), record.name.trimmed(),
                            regional::currencyText(record.subTotal),
                            regional::currencyText(record.discount),
                            regional::currencyText(record.tax),
                            regional::currencyText(record.total)});
        report.records.append(record);
        report.subTotal += record.subTotal;
        report.discount += record.discount;
        report.tax += record.tax;
        report.total += record.total;
    }
    return report;
}

QList<posting::SalesJournalRecord> readJournal(const DataFolder &data)
{
    return posting::SalesJournalRecord::decodeAll(data.ReadFile(posting::SalesJournalFile));
}

std::optional<QStringList> customerAccounts(const DataFolder &data)
{
    const QString file = customers::CustomerDataFile;
    if (!data.FileIsPresent(file))
        return std::nullopt;
    const QByteArray bytes = data.ReadFile(file);
    const qint64 count = data.RecordCount(file, CustomerRecord::Length);
    QStringList accounts;
    for (qint64 n = 0; n < count; ++n) {
        const FixedRecord record(CustomerRecord::Length,
                                 bytes.mid(n * CustomerRecord::Length, CustomerRecord::Length));
        accounts.append(record.rawText(CustomerRecord::AccountOffset, CustomerRecord::AccountWidth));
    }
    return accounts;
}

bool deleteJournalRange(const DataFolder &data, const DateRange &range)
{
    if (!data.FileIsPresent(posting::SalesJournalFile))
        return false;
    data.DeleteWithBackup(DataFolder::TemporaryFile);
    return data.SafeReplace(posting::SalesJournalFile, posting::SalesJournalRecord::Length,
                            [&](const FixedRecord &record) {
                                return !range.contains(
                                    posting::SalesJournalRecord::fromRecord(record).date);
                            });
}

void deleteJournal(const DataFolder &data)
{
    data.DeleteWithBackup(posting::SalesJournalFile);
}

} // namespace records
