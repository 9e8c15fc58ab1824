#include "posting/postedrecords.h"

#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/linefile.h"
#include "core/names.h"
#include "core/regional.h"
#include "core/textrecord.h"
#include "customers/customerfile.h"

#include <cstring>

#include <QLocale>

namespace {

// Sales journal
constexpr int JournalName = 0;
constexpr int JournalAccount = 45;
constexpr int JournalInvoice = posting::SalesJournalRecord::InvoiceOffset;
constexpr int JournalDate = 85;
constexpr int JournalSubTotal = 93;
constexpr int JournalTax = 101;
constexpr int JournalDiscount = 109;
constexpr int JournalTotal = 117;

// Sold items
constexpr int SoldDescription = 0;
constexpr int SoldDate = 60;
constexpr int SoldInvoice = 68;
constexpr int SoldQuantity = 88;

// Tax records
constexpr int TaxHeading = 0;
constexpr int TaxDate = 20;
constexpr int TaxInvoice = 35;
constexpr int TaxAmount = 65;

// Ledger entries
constexpr int LedgerCustomer = 0;
constexpr int LedgerAccount = 45;
constexpr int LedgerDate = 70;
constexpr int LedgerDescription = 85;
constexpr int LedgerAmount = 145;

// As RecordCount counts a file: a part record of more than half a record counts.
qint64 recordsIn(qsizetype size, int length)
{
    const qint64 whole = size / length;
    const qint64 rest = size % length;
    if (2 * rest > length || (2 * rest == length && whole % 2 == 1))
        return whole + 1;
    return whole;
}

template <typename Record>
QList<Record> decodeRecords(const QByteArray &file)
{
    QList<Record> records;
    const qint64 count = recordsIn(file.size(), Record::Length);
    records.reserve(count);
    for (qint64 n = 0; n < count; ++n)
        records.append(Record::fromRecord(
            FixedRecord(Record::Length, file.mid(n * Record::Length, Record::Length))));
    return records;
}

// A plain line holds one value: its own line breaks would shift every later line.
QString oneLine(const QString &value)
{
    QString line = value;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

// A quoted line read as one text record field.
QString fieldOf(const QString &line)
{
    TextRecordReader reader(codepage::encode(line));
    return reader.field().value_or(QString());
}

} // namespace

namespace posting {

QString CompletedInvoiceFile(const QString &invoiceNumber)
{
    const QString trimmed = invoiceNumber.trimmed();
    if (!names::isSafeFileName(trimmed))
        return {};
    return CompletedInvoicesFolder + QLatin1Char('/') + trimmed + QStringLiteral(".txt");
}

QStringList PaymentForms()
{
    return {QStringLiteral("Check # "), QStringLiteral("Credit Card # "), QStringLiteral("Cash")};
}

QString LedgerFile(const QString &account)
{
    return customers::ReceivableFile(account);
}

QString LedgerBackupFile(const QString &account)
{
    const QString file = LedgerFile(account);
    return file.isEmpty() ? QString() : DataFolder::backupOf(file);
}

// --- sales journal -------------------------------------------------------------

FixedRecord SalesJournalRecord::toRecord() const
{
    FixedRecord record(Length);
    record.setText(JournalName, NameWidth, name);
    record.setText(JournalAccount, AccountWidth, account);
    record.setText(JournalInvoice, InvoiceWidth, invoiceNumber);
    record.setDate(JournalDate, date);
    record.setMoney(JournalSubTotal, subTotal);
    record.setMoney(JournalTax, tax);
    record.setMoney(JournalDiscount, discount);
    record.setMoney(JournalTotal, total);
    return record;
}

SalesJournalRecord SalesJournalRecord::fromRecord(const FixedRecord &record)
{
    SalesJournalRecord journal;
    journal.name = record.text(JournalName, NameWidth);
    journal.account = record.text(JournalAccount, AccountWidth);
    journal.invoiceNumber = record.text(JournalInvoice, InvoiceWidth);
    journal.date = record.date(JournalDate);
    journal.subTotal = record.money(JournalSubTotal);
    journal.tax = record.money(JournalTax);
    journal.discount = record.money(JournalDiscount);
    journal.total = record.money(JournalTotal);
    return journal;
}

QByteArray SalesJournalRecord::encode() const
{
    return toRecord().bytes();
}

SalesJournalRecord SalesJournalRecord::decode(const QByteArray &bytes)
{
    return fromRecord(FixedRecord(Length, bytes));
}

QList<SalesJournalRecord> SalesJournalRecord::decodeAll(const QByteArray &file)
{
    return decodeRecords<SalesJournalRecord>(file);
}

// --- sold items ------------------------------------------------------------------

FixedRecord SoldItemRecord::toRecord() const
{
    FixedRecord record(Length);
    record.setText(SoldDescription, DescriptionWidth, description);
    record.setDate(SoldDate, date);
    record.setText(SoldInvoice, InvoiceWidth, invoiceNumber);
    record.setInt16(SoldQuantity, quantity);
    return record;
}

SoldItemRecord SoldItemRecord::fromRecord(const FixedRecord &record)
{
    SoldItemRecord sold;
    sold.description = record.text(SoldDescription, DescriptionWidth);
    sold.date = record.date(SoldDate);
    sold.invoiceNumber = record.text(SoldInvoice, InvoiceWidth);
    sold.quantity = record.int16(SoldQuantity);
    return sold;
}

QByteArray SoldItemRecord::encode() const
{
    return toRecord().bytes();
}

SoldItemRecord SoldItemRecord::decode(const QByteArray &bytes)
{
    return fromRecord(FixedRecord(Length, bytes));
}

QList<SoldItemRecord> SoldItemRecord::decodeAll(const QByteArray &file)
{
    return decodeRecords<SoldItemRecord>(file);
}

// --- tax records -----------------------------------------------------------------

std::optional<QString> TaxRecord::amountText(Money amount)
{
    QString text = amount.toPlainText();
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    if (text.size() > AmountWidth)
        return std::nullopt;
    return text;
}

FixedRecord TaxRecord::toRecord() const
{
    FixedRecord record(Length);
    record.setText(TaxHeading, HeadingWidth, heading);
    record.setText(TaxDate, DateWidth, date);
    record.setText(TaxInvoice, InvoiceWidth, invoiceNumber);
    record.setText(TaxAmount, AmountWidth, amount);
    return record;
}

TaxRecord TaxRecord::fromRecord(const FixedRecord &record)
{
    TaxRecord tax;
    tax.heading = record.text(TaxHeading, HeadingWidth);
    tax.date = record.text(TaxDate, DateWidth);
    tax.invoiceNumber = record.text(TaxInvoice, InvoiceWidth);
    tax.amount = record.text(TaxAmount, AmountWidth);
    return tax;
}

QByteArray TaxRecord::encode() const
{
    return toRecord().bytes();
}

TaxRecord TaxRecord::decode(const QByteArray &bytes)
{
    return fromRecord(FixedRecord(Length, bytes));
}

QList<TaxRecord> TaxRecord::decodeAll(const QByteArray &file)
{
    return decodeRecords<TaxRecord>(file);
}

// --- ledger entries --------------------------------------------------------------

std::optional<QString> LedgerEntry::amountText(Money amount)
{
    QString text = regional::currencyText(amount);
    if (text.size() <= AmountWidth)
        return text;
    const QLocale locale;
    text.remove(locale.groupSeparator());
    if (text.size() <= AmountWidth)
        return text;
    text.remove(locale.currencySymbol());
    text = text.trimmed();
    if (text.size() <= AmountWidth)
        return text;
    return std::nullopt;
}

namespace {

QByteArrayView trimmedLedgerField(QByteArrayView record, int offset, int width)
{
    return TrimmedField(record.sliced(offset, width));
}

} // namespace

QByteArrayView LedgerEntry::Fields::customer() const
{
    return trimmedLedgerField(record, LedgerCustomer, CustomerWidth);
}

QByteArrayView LedgerEntry::Fields::account() const
{
    return trimmedLedgerField(record, LedgerAccount, AccountWidth);
}

QByteArrayView LedgerEntry::Fields::date() const
{
    return trimmedLedgerField(record, LedgerDate, DateWidth);
}

QByteArrayView LedgerEntry::Fields::description() const
{
    return trimmedLedgerField(record, LedgerDescription, DescriptionWidth);
}

QByteArrayView LedgerEntry::Fields::amount() const
{
    return trimmedLedgerField(record, LedgerAmount, AmountWidth);
}

FixedRecord LedgerEntry::toRecord() const
{
    FixedRecord record(Length);
    record.setText(LedgerCustomer, CustomerWidth, customer);
    record.setText(LedgerAccount, AccountWidth, account);
    record.setText(LedgerDate, DateWidth, date);
    record.setText(LedgerDescription, DescriptionWidth, description);
    record.setText(LedgerAmount, AmountWidth, amount);
    return record;
}

LedgerEntry LedgerEntry::fromRecord(const FixedRecord &record)
{
    LedgerEntry entry;
    entry.customer = record.text(LedgerCustomer, CustomerWidth);
    entry.account = record.text(LedgerAccount, AccountWidth);
    entry.date = record.text(LedgerDate, DateWidth);
    entry.description = record.text(LedgerDescription, DescriptionWidth);
    entry.amount = record.text(LedgerAmount, AmountWidth);
    return entry;
}

QByteArray LedgerEntry::encode() const
{
    return toRecord().bytes();
}

LedgerEntry LedgerEntry::decode(const QByteArray &bytes)
{
    return fromRecord(FixedRecord(Length, bytes));
}

QList<LedgerEntry> LedgerEntry::decodeAll(const QByteArray &file)
{
    return decodeRecords<LedgerEntry>(file);
}

// --- completed-invoice image -------------------------------------------------------

QByteArray CompletedInvoiceImage::encode() const
{
    TextRecordWriter out;
    out.line(oneLine(number)).line(oneLine(account)).line(oneLine(name));
    out.line(oneLine(date)).line(oneLine(amount));
    for (const QString &value : billTo)
        out.text(value).endRecord();
    for (const QString &value : shipTo)
        out.text(value).endRecord();
    out.line(oneLine(shipVia)).line(oneLine(shipDate)).line(oneLine(invoiceNumber));
    out.line(oneLine(accountNumber)).line(oneLine(reference)).line(oneLine(attention));
    out.line(QString::number(lines.size()));
    for (const InvoiceLine &item : lines) {
        for (const QString &cell : item.cells)
            out.line(oneLine(cell));
    }
    const QString zero = regional::currencyText(Money());
    for (const QString &value : totals)
        out.text(value.isEmpty() ? zero : value);
    out.endRecord();
    return out.bytes();
}

std::optional<CompletedInvoiceImage> CompletedInvoiceImage::decode(const QByteArray &bytes)
{
    const QStringList all = linefile::decode(bytes);
    if (all.size() < 5)
        return std::nullopt;
    const auto lineAt = [&all](qsizetype index) {
        return index < all.size() ? all.at(index) : QString();
    };

    CompletedInvoiceImage image;
    image.number = all.at(0);
    image.account = all.at(1);
    image.name = all.at(2);
    image.date = all.at(3);
    image.amount = all.at(4);
    for (int k = 0; k < 6; ++k) {
        image.billTo[k] = fieldOf(lineAt(5 + k));
        image.shipTo[k] = fieldOf(lineAt(11 + k));
    }
    image.shipVia = lineAt(17);
    image.shipDate = lineAt(18);
    image.invoiceNumber = lineAt(19);
    image.accountNumber = lineAt(20);
    image.reference = lineAt(21);
    image.attention = lineAt(22);

    const qsizetype itemLinesPresent = std::max<qsizetype>(0, all.size() - HeaderLines);
    const std::optional<qint64> stated = regional::wholeNumber(lineAt(23));
    qsizetype count = 0;
    if (stated && *stated >= 0 && *stated <= itemLinesPresent
        && *stated * InvoiceLine::ColumnCount < itemLinesPresent)
        count = qsizetype(*stated);
    else // the last line present is taken as the totals
        count = std::max<qsizetype>(0, itemLinesPresent - 1) / InvoiceLine::ColumnCount;
    image.lines.reserve(count);
    for (qsizetype j = 0; j < count; ++j) {
        InvoiceLine item;
        for (int c = 0; c < InvoiceLine::ColumnCount; ++c)
            item[c] = all.at(HeaderLines + j * InvoiceLine::ColumnCount + c);
        image.lines.append(item);
    }

    TextRecordReader totals(codepage::encode(lineAt(HeaderLines + count * InvoiceLine::ColumnCount)));
    for (int k = 0; k < TotalsCount; ++k)
        image.totals[k] = totals.field().value_or(QString());
    return image;
}

} // namespace posting
