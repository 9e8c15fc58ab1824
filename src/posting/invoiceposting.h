#pragma once

#include "invoice/invoicedocument.h"
#include "posting/postedrecords.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Catalog;
class Clock;
class DataFolder;
class RollbackJournal;

namespace posting {

// What the invoice screen hands over besides the document.
struct PostingRequest
{
    // The setup's two tax headings, for the tax records.
    QString taxHeading1;
    QString taxHeading2;
    // The partial invoice this one was resumed from; empty for a new invoice.
    QString resumedPartialFile;
    // Stores the next invoice number (AdvanceInvoiceNumber) as the last write of a new
    // invoice's posting; false when it could not be stored.
    std::function<bool()> advanceInvoiceNumber;
};

struct PostingOutcome
{
    // Every record was written and the document cleared.
    bool posted = false;
    // The write that failed; what was written before it has been undone.
    std::optional<QString> error;
    // Items whose stock was clamped at 0, for "Item ... may be low in Inventory".
    QStringList lowInventory;
    // The invoice as it was posted: the packing slip prints these lines.
    InvoiceDocument postedDocument;
};

// Writes away a printed and confirmed invoice: sold items, the sales journal, the
// receivable entries (and payment record when pre-paid), the image, the stock and the
// tax records, in that order. CheckPosting runs first, before anything is printed, so
// no value can stop posting half-way; the writes run under a RollbackJournal, so a
// failed write, a kill or a power cut leaves all of them or none.
class InvoicePoster final
{
public:
    // Free bytes on the data folder's disk; tests pass their own.
    using FreeSpaceProbe = std::function<qint64()>;
    InvoicePoster(DataFolder &data, Catalog &catalog, const Clock &clock,
                  FreeSpaceProbe freeSpace = {});

    // The reason the invoice cannot be posted, or nullopt. Reads, never writes.
    std::optional<QString> CheckPosting(const InvoiceDocument &doc,
                                        const PostingRequest &request) const;
    // Posts and then clears the document's lines and totals. Refuses (and writes
    // nothing) when CheckPosting does.
    PostingOutcome PostInvoice(InvoiceDocument &doc, const PostingRequest &request);

    // The steps, each writing one kind of record; false when the write failed.
    bool RecordSoldItems(const InvoiceDocument &doc);
    bool WriteSalesJournal(const QString &name, const QString &account, const QString &number,
                           Money subTotal, Money tax, Money discount, Money total,
                           const QDate &date);
    bool WriteReceivable(const InvoiceDocument &doc);
    bool WriteCompletedInvoice(const InvoiceDocument &doc);
    bool WriteTaxRecord(const QString &heading, const QString &number, const QString &amount,
                        const QDate &date);

    // The image of the document as posted today.
    static CompletedInvoiceImage ImageOf(const InvoiceDocument &doc, const QDate &today);
    // The name on the payment record: the account name of the customer whose trimmed
    // account equals the invoice's, else the sold-to name.
    QString PaymentName(const InvoiceDocument &doc) const;
    // True when the journal holds a record of this (trimmed) invoice number.
    bool JournalHolds(const QString &number) const;

private:
    // The names the item sales report counts: sales items and custom items.
    QSet<QString> soldNames() const;
    // Records in the journal every file posting is about to change.
    bool noteWrites(RollbackJournal &journal, const InvoiceDocument &doc,
                    const PostingRequest &request) const;
    QString writeError(const QString &relative) const;
    std::optional<QString> cannotWrite(const QString &relative) const;
    DataFolder &m_data;
    Catalog &m_catalog;
    const Clock &m_clock;
    FreeSpaceProbe m_freeSpace;
};

// "Item " + name + " may be low in Inventory", shown for each clamped item.
QString LowInventoryMessage(const QString &item);

// After posting or an abandoned print: the options that belong to one invoice are
// cleared; "Apply 2nd Tax Rate" and "Print From Line Here" stay as chosen.
void ResetInvoiceOptions(InvoiceOptions &options);

} // namespace posting
