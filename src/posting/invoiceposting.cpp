#include "posting/invoiceposting.h"

#include "catalog/catalog.h"
#include "core/clock.h"
#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/names.h"
#include "core/regional.h"
#include "core/rollbackjournal.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"
#include "invoice/invoicenumbering.h"
#include "posting/invoicetotals.h"
#include "posting/ledgerwriter.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <limits>

namespace posting {

namespace {

const QString InvoiceNumberName = QStringLiteral("Invoice Number");
const QString AccountNumberName = QStringLiteral("Account Number");

// Room kept free beyond the bytes posting writes: file system blocks and the
// temporary copies of the backups.
constexpr qint64 SpareBytes = 64 * 1024;

bool fitsInt16(qint64 value)
{
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

// The quantity of a sold-item record; a units text that is not a number records 0.
std::optional<qint64> soldQuantity(const QString &units)
{
    return regional::wholeNumber(units.trimmed()).value_or(0);
}

QByteArrayView trimmedField(QByteArrayView field)
{
    while (!field.isEmpty() && (field.front() == ' ' || field.front() == '\0'))
        field = field.sliced(1);
    while (!field.isEmpty() && (field.back() == ' ' || field.back() == '\0'))
        field.chop(1);
    return field;
}

QString dateText(const QDate &date)
{
    return date.isValid() ? regional::shortDate(date) : QString();
}

} // namespace

InvoicePoster::InvoicePoster(DataFolder &data, Catalog &catalog, const Clock &clock,
                             FreeSpaceProbe freeSpace)
    : m_data(data), m_catalog(catalog), m_clock(clock), m_freeSpace(std::move(freeSpace))
{
    if (!m_freeSpace) {
        m_freeSpace = [this] { return QStorageInfo(m_data.root()).bytesAvailable(); };
    }
}

QString InvoicePoster::writeError(const QString &relative) const
{
    return QStringLiteral("The file \"%1\" could not be written.").arg(relative);
}

std::optional<QString> InvoicePoster::cannotWrite(const QString &relative) const
{
    const QFileInfo target(m_data.path(relative));
    if (target.exists() || target.isSymLink()) {
        if (!target.isFile() || !target.isWritable())
            return writeError(relative);
        return std::nullopt;
    }
    // A file still to be made needs the nearest thing on its path that exists to be
    // a folder that takes it (a file where a folder belongs would stop it).
    QFileInfo place(target.absolutePath());
    while (!place.exists() && !place.isRoot() && place.absolutePath() != place.absoluteFilePath())
        place = QFileInfo(place.absolutePath());
    if (!place.isDir() || !place.isWritable())
        return writeError(relative);
    return std::nullopt;
}

bool InvoicePoster::JournalHolds(const QString &number) const
{
    if (!m_data.FileIsPresent(SalesJournalFile))
        return false;
    QFile file(m_data.path(SalesJournalFile));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The journal grows without bound: it is looked at in place, not copied.
    QByteArray copy;
    QByteArrayView journal;
    if (const qint64 size = file.size(); size > 0) {
        if (const uchar *mapped = file.map(0, size))
            journal = QByteArrayView(mapped, size);
        else
            journal = copy = file.readAll();
    }
    const QByteArray wanted = codepage::encode(number.trimmed());
    constexpr int length = SalesJournalRecord::Length;
    constexpr int offset = SalesJournalRecord::InvoiceOffset;
    for (qsizetype at = 0; at + offset < journal.size(); at += length) {
        const QByteArrayView field = journal.sliced(
            at + offset, std::min<qsizetype>(SalesJournalRecord::InvoiceWidth,
                                              journal.size() - at - offset));
        if (trimmedField(field) == QByteArrayView(wanted))
            return true;
    }
    return false;
}

std::optional<QString> InvoicePoster::CheckPosting(const InvoiceDocument &doc,
                                                   const PostingRequest &request) const
{
    const QString number = doc.number.trimmed();
    if (!names::isSafeFileName(number))
        return names::unsafeNameMessage(InvoiceNumberName, doc.number);
    if (number.size() > SalesJournalRecord::InvoiceWidth)
        return QStringLiteral("The Invoice Number %1 is longer than %2 characters")
            .arg(number)
            .arg(SalesJournalRecord::InvoiceWidth);
    if (LedgerFile(doc.AcctNo).isEmpty())
        return names::unsafeNameMessage(AccountNumberName, doc.AcctNo);

    const QString image = CompletedInvoiceFile(number);
    if (QFileInfo(m_data.path(image)).isFile() || JournalHolds(number))
        return QStringLiteral("Invoice %1 has already been Posted").arg(number);

    const QSet<QString> sold = soldNames();
    for (const InvoiceLine &line : doc.lines) {
        if (sold.contains(line[InvoiceLine::Description].trimmed()) &&
            !fitsInt16(soldQuantity(line[InvoiceLine::Units]).value_or(0)))
            return QStringLiteral("The Units of %1 are too large to be recorded")
                .arg(line[InvoiceLine::Description].trimmed());
    }
    if (!LedgerEntry::amountText(doc.GrandTotal))
        return QStringLiteral("The Invoice Total %1 is too large for the Account file")
            .arg(regional::currencyText(doc.GrandTotal));
    if (doc.options.prepaid) {
        const std::optional<Money> paid = regional::parseMoney(doc.prepaidAmount);
        if (!paid)
            return QStringLiteral("The Amount Paid \"%1\" is not an Amount").arg(doc.prepaidAmount);
        if (!LedgerEntry::amountText(*paid))
            return QStringLiteral("The Amount Paid %1 is too large for the Account file")
                .arg(doc.prepaidAmount);
    }
    const std::pair<Money, QString> taxes[] = {{doc.Tax, request.taxHeading1},
                                               {doc.Tax2, request.taxHeading2}};
    for (const auto &[amount, heading] : taxes) {
        if (amount > Money() && !TaxRecord::amountText(amount))
            return QStringLiteral("The %1 amount is too large for the Tax Records file")
                .arg(heading.trimmed());
    }
    if (const auto stock = m_catalog.CheckStockDeduction(doc.lines))
        return stock;

    const QString ledger = LedgerFile(doc.AcctNo);
    QStringList targets = {SoldItemsFile, SalesJournalFile, ledger, DataFolder::backupOf(ledger),
                           image, TaxRecordsFile};
    if (doc.options.prepaid)
        targets.append(PaymentRecordsFile);
    if (!request.resumedPartialFile.isEmpty())
        targets.append(request.resumedPartialFile);
    for (const QString &target : targets) {
        if (auto refusal = cannotWrite(target))
            return refusal;
    }

    const qint64 ledgerBytes = QFileInfo(m_data.path(ledger)).size();
    const qint64 needed = qint64(doc.lines.size()) * SoldItemRecord::Length +
                          SalesJournalRecord::Length + 2 * (ledgerBytes + 3 * LedgerEntry::Length) +
                          LedgerEntry::Length + ImageOf(doc, m_clock.today()).encode().size() +
                          2 * TaxRecord::Length + SpareBytes;
    if (m_freeSpace() < needed)
        return QStringLiteral("There is not enough room on the disk to Post this Invoice");
    return std::nullopt;
}

QSet<QString> InvoicePoster::soldNames() const
{
    QSet<QString> sold;
    for (const CatalogPick &pick : m_catalog.itemPicks())
        sold.insert(pick.description.trimmed());
    for (const CatalogPick &pick : m_catalog.customPicks())
        sold.insert(pick.description.trimmed());
    return sold;
}

bool InvoicePoster::RecordSoldItems(const InvoiceDocument &doc)
{
    const QSet<QString> sold = soldNames();

    const QDate today = m_clock.today();
    QList<FixedRecord> records;
    for (const InvoiceLine &line : doc.lines) {
        const QString description = line[InvoiceLine::Description].trimmed();
        // One record a line, however many catalog entries share the name.
        if (!sold.contains(description))
            continue;
        SoldItemRecord record;
        record.description = description;
        record.date = today;
        record.invoiceNumber = QString::number(doc.InvoiceCounter);
        record.quantity = qint16(soldQuantity(line[InvoiceLine::Units]).value_or(0));
        records.append(record.toRecord());
    }
    if (records.isEmpty())
        return true;
    const qint64 first = m_data.RecordCount(SoldItemsFile, SoldItemRecord::Length) + 1;
    FixedRecordFile file(m_data.path(SoldItemsFile), SoldItemRecord::Length);
    if (!file.open())
        return false;
    for (qsizetype k = 0; k < records.size(); ++k) {
        if (!file.write(first + k, records.at(k)))
            return false;
    }
    return true;
}

bool InvoicePoster::WriteSalesJournal(const QString &name, const QString &account,
                                      const QString &number, Money subTotal, Money tax,
                                      Money discount, Money total, const QDate &date)
{
    const SalesJournalRecord record{name, account, number, date, subTotal, tax, discount, total};
    return m_data.AppendRecord(SalesJournalFile, record.toRecord());
}

QString InvoicePoster::PaymentName(const InvoiceDocument &doc) const
{
    const QString account = doc.AcctNo.trimmed();
    const QByteArray customers = m_data.ReadFile(customers::CustomerDataFile);
    for (qsizetype at = 0; at + CustomerRecord::Length <= customers.size();
         at += CustomerRecord::Length) {
        const CustomerRecord customer = CustomerRecord::fromRecord(
            FixedRecord(CustomerRecord::Length, customers.mid(at, CustomerRecord::Length)));
        if (customer.account.trimmed() == account)
            return customer.name.trimmed();
    }
    return doc.Customer.trimmed();
}

bool InvoicePoster::WriteReceivable(const InvoiceDocument &doc)
{
    const QDate today = m_clock.today();
    const QString total = LedgerEntry::amountText(doc.GrandTotal).value_or(QString());
    LedgerWriter ledger(m_data, m_clock);
    // The document's account as handed over, blanks and all, in both fields.
    if (!ledger.AddAccountEntry(doc.AcctNo, doc.AcctNo, total, doc.number, today) ||
        !ledger.BackupAccountFile(doc.AcctNo))
        return false;
    if (!doc.options.prepaid)
        return true;
    const Money paid = regional::parseMoney(doc.prepaidAmount).value_or(Money());
    const QString paidText = LedgerEntry::amountText(paid).value_or(QString());
    // The payment record holds the invoice total, not the amount paid.
    return ledger.WritePayment(
        {doc.AcctNo, doc.AcctNo, paidText, PaymentName(doc), total, doc.prepaidForm, today});
}

CompletedInvoiceImage InvoicePoster::ImageOf(const InvoiceDocument &doc, const QDate &today)
{
    CompletedInvoiceImage image;
    image.number = doc.number.trimmed();
    image.account = doc.AcctNo.trimmed();
    image.name = doc.Customer.trimmed();
    image.date = dateText(today);
    image.amount = regional::currencyText(doc.GrandTotal);
    image.billTo = {doc.Customer.trimmed(), doc.Street.trimmed(), doc.Address2.trimmed(),
                    doc.Address3.trimmed(), doc.State.trimmed(), doc.Address4.trimmed()};
    for (std::size_t k = 0; k < image.shipTo.size(); ++k)
        image.shipTo[k] = doc.shipTo[k].trimmed();
    image.shipVia = doc.carrier;
    image.shipDate = dateText(doc.shipDate);
    image.invoiceNumber = image.number;
    image.accountNumber = image.account;
    image.reference = doc.reference.trimmed();
    image.attention = doc.attention.trimmed();
    image.lines = doc.lines;
    image.totals = {regional::currencyText(doc.Total), regional::currencyText(doc.Tax),
                    regional::currencyText(doc.Tax2), regional::currencyText(doc.GrandTotal),
                    regional::currencyText(doc.Ship), regional::currencyText(doc.Misc),
                    regional::currencyText(doc.Discount)};
    return image;
}

bool InvoicePoster::WriteCompletedInvoice(const InvoiceDocument &doc)
{
    const QString file = CompletedInvoiceFile(doc.number);
    if (file.isEmpty() || !m_data.EnsureFolder(CompletedInvoicesFolder))
        return false;
    return m_data.RewriteFile(file, ImageOf(doc, m_clock.today()).encode());
}

bool InvoicePoster::WriteTaxRecord(const QString &heading, const QString &number,
                                   const QString &amount, const QDate &date)
{
    const TaxRecord record{heading, dateText(date), number, amount};
    return m_data.AppendRecord(TaxRecordsFile, record.toRecord());
}

bool InvoicePoster::noteWrites(RollbackJournal &journal, const InvoiceDocument &doc,
                               const PostingRequest &request) const
{
    const QString image = CompletedInvoiceFile(doc.number);
    bool noted = journal.noteAppend(SoldItemsFile) && journal.noteAppend(SalesJournalFile) &&
                 LedgerWriter::NoteWrites(journal, doc.AcctNo, doc.options.prepaid) &&
                 journal.noteReplace(image) && journal.noteReplace(DataFolder::backupOf(image)) &&
                 journal.noteAppend(TaxRecordsFile);
    for (const qint64 offset : m_catalog.StockFieldsChanged(doc.lines))
        noted = noted && journal.noteOverwrite(Catalog::SalesItemsFile, offset, sizeof(qint16));
    if (!request.resumedPartialFile.isEmpty())
        return noted && journal.noteReplace(request.resumedPartialFile);
    if (request.advanceInvoiceNumber)
        return noted && journal.noteReplace(InvoiceNumbering::NumberFile) &&
               journal.noteReplace(DataFolder::backupOf(InvoiceNumbering::NumberFile));
    return noted;
}

PostingOutcome InvoicePoster::PostInvoice(InvoiceDocument &doc, const PostingRequest &request)
{
    PostingOutcome outcome;
    outcome.postedDocument = doc;
    if (auto refusal = CheckPosting(doc, request)) {
        outcome.error = refusal;
        return outcome;
    }
    const QDate today = m_clock.today();
    const QString number = doc.number.trimmed();
    // The advance moves the counter on; an undone posting keeps the invoice as it was.
    const qint32 counter = doc.InvoiceCounter;
    RollbackJournal journal(m_data, RollbackJournal::Kind::Posting, number);
    const auto failedWith = [&](const QString &reason) {
        const bool undone = journal.rollback();
        doc.InvoiceCounter = counter;
        outcome.error = reason + QStringLiteral("\r\n") +
                        (undone ? QStringLiteral("Invoice %1 was not Posted; nothing of it was kept.")
                                : QStringLiteral("Invoice %1 was not Posted; what was written of it "
                                                 "will be undone when the program next starts."))
                                      .arg(number);
        // The catalog screen writes its rows back at the end: they must hold what is
        // on disk.
        m_catalog.LoadAdditionalItems();
        return outcome;
    };
    const auto failed = [&](const QString &relative) { return failedWith(writeError(relative)); };

    if (!noteWrites(journal, doc, request) || !journal.begin())
        return failed(RollbackJournal::IntentFile);
    if (!RecordSoldItems(doc))
        return failed(SoldItemsFile);
    if (!WriteSalesJournal(doc.Customer, doc.AcctNo, number, doc.Total, doc.Tax + doc.Tax2,
                           doc.Discount, doc.GrandTotal, today))
        return failed(SalesJournalFile);
    if (!WriteReceivable(doc))
        return failed(LedgerFile(doc.AcctNo));
    if (!WriteCompletedInvoice(doc))
        return failed(CompletedInvoiceFile(number));
    const Catalog::StockDeduction stock = m_catalog.DeductInventory(doc.lines);
    if (stock.error)
        return failedWith(*stock.error);
    if (doc.Tax > Money() &&
        !WriteTaxRecord(request.taxHeading1, doc.number,
                        TaxRecord::amountText(doc.Tax).value_or(QString()), today))
        return failed(TaxRecordsFile);
    if (doc.Tax2 > Money() &&
        !WriteTaxRecord(request.taxHeading2, doc.number,
                        TaxRecord::amountText(doc.Tax2).value_or(QString()), today))
        return failed(TaxRecordsFile);
    if (!request.resumedPartialFile.isEmpty()) {
        m_data.DeleteIfPresent(request.resumedPartialFile);
        if (m_data.Exists(request.resumedPartialFile))
            return failed(request.resumedPartialFile);
    } else if (request.advanceInvoiceNumber && !request.advanceInvoiceNumber()) {
        return failed(InvoiceNumbering::NumberFile);
    }
    if (!journal.commit())
        return failed(RollbackJournal::IntentFile);

    outcome.lowInventory = stock.low;
    doc.lines.clear();
    invoicetotals::ClearTotals(doc);
    if (request.resumedPartialFile.isEmpty())
        doc.reference.clear();
    outcome.posted = true;
    return outcome;
}

QString LowInventoryMessage(const QString &item)
{
    return QStringLiteral("Item ") + item + QStringLiteral(" may be low in Inventory");
}

void ResetInvoiceOptions(InvoiceOptions &options)
{
    options.addMemo = false;
    options.exempt = false;
    options.volumePricing = false;
    options.prepaid = false;
    options.packingList = false;
    options.printShipTo = false;
}

} // namespace posting
