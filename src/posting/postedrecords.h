#pragma once

#include "core/money.h"
#include "invoice/invoicedocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class FixedRecord;

// The files a posted invoice leaves behind, as posting writes them and the records
// screens read them. Decoding never fails: a short or damaged record reads with
// blanks and zeros where its bytes are missing.
namespace posting {

inline const QString SalesJournalFile = QStringLiteral("/InvoiceSalesJournal.txt");
inline const QString SoldItemsFile = QStringLiteral("\\SoldItems.txt");
inline const QString TaxRecordsFile = QStringLiteral("/TaxRecords.txt");
inline const QString PaymentRecordsFile = QStringLiteral("/CAPaymentRecords.txt");
inline const QString CompletedInvoicesFolder = QStringLiteral("/CompletedInvoices");

// "/CompletedInvoices/" + number + ".txt" for the trimmed number; empty when the
// number cannot name a file.
QString CompletedInvoiceFile(const QString &invoiceNumber);
// The receivable file of an account and its "/Backup" copy; empty when the account
// cannot name a file.
QString LedgerFile(const QString &account);
QString LedgerBackupFile(const QString &account);

// "/InvoiceSalesJournal.txt", 125 bytes, one per posted invoice.
struct SalesJournalRecord
{
    static constexpr int Length = 125;
    static constexpr int NameWidth = 45;
    static constexpr int AccountWidth = 20;
    static constexpr int InvoiceWidth = 20;
    // Where the invoice number lies, for looking a number up without reading records.
    static constexpr int InvoiceOffset = 65;

    QString name;
    QString account;
    QString invoiceNumber;
    QDate date;
    Money subTotal;
    Money tax;      // both taxes
    Money discount; // offered, never deducted
    Money total;

    QByteArray encode() const;
    static SalesJournalRecord decode(const QByteArray &bytes);
    FixedRecord toRecord() const;
    static SalesJournalRecord fromRecord(const FixedRecord &record);
    // Every record of a file's bytes, counted as RecordCount counts them.
    static QList<SalesJournalRecord> decodeAll(const QByteArray &file);
    bool operator==(const SalesJournalRecord &) const = default;
};

// "\SoldItems.txt", 90 bytes, one per invoice line that sells a catalog item.
struct SoldItemRecord
{
    static constexpr int Length = 90;
    static constexpr int DescriptionWidth = 60;
    static constexpr int InvoiceWidth = 20;

    QString description;
    QDate date;
    QString invoiceNumber;
    qint16 quantity = 0;

    QByteArray encode() const;
    static SoldItemRecord decode(const QByteArray &bytes);
    FixedRecord toRecord() const;
    static SoldItemRecord fromRecord(const FixedRecord &record);
    static QList<SoldItemRecord> decodeAll(const QByteArray &file);
    bool operator==(const SoldItemRecord &) const = default;
};

// "/TaxRecords.txt", 75 bytes, one per tax charged.
struct TaxRecord
{
    static constexpr int Length = 75;
    static constexpr int HeadingWidth = 20;
    static constexpr int DateWidth = 15;
    static constexpr int InvoiceWidth = 30;
    static constexpr int AmountWidth = 10;

    QString heading;
    QString date;   // short-date text
    QString invoiceNumber;
    QString amount; // plain decimal text, see amountText()

    // "12.5", "0.5", "3": "." whatever the locale, no symbol, no grouping, no
    // trailing zeros; nullopt when it does not fit the field.
    static std::optional<QString> amountText(Money amount);

    QByteArray encode() const;
    static TaxRecord decode(const QByteArray &bytes);
    FixedRecord toRecord() const;
    static TaxRecord fromRecord(const FixedRecord &record);
    static QList<TaxRecord> decodeAll(const QByteArray &file);
    bool operator==(const TaxRecord &) const = default;
};

// A receivable account entry, 155 bytes. The same layout holds the payment records,
// with the account name as customer text and the payment form as description.
struct LedgerEntry
{
    static constexpr int Length = 155;
    static constexpr int CustomerWidth = 45;
    static constexpr int AccountWidth = 25;
    static constexpr int DateWidth = 15;
    static constexpr int DescriptionWidth = 60;
    static constexpr int AmountWidth = 10;

    QString customer;
    QString account; // kept with its blanks
    QString date;    // short-date text
    QString description;
    QString amount;  // currency text

    // The stored fields of one whole entry, undecoded and trimmed of blanks and
    // NULs, for readers that go through many ledgers without decoding every text.
    struct Fields
    {
        QByteArrayView customer, account, date, description, amount;
    };
    // `record` holds Length bytes.
    static Fields fieldsOf(QByteArrayView record);

    // The currency text of the amount; when it is longer than the field, without
    // grouping, then without the symbol; nullopt when even that does not fit
    // (cutting it would store another amount).
    static std::optional<QString> amountText(Money amount);

    QByteArray encode() const;
    static LedgerEntry decode(const QByteArray &bytes);
    FixedRecord toRecord() const;
    static LedgerEntry fromRecord(const FixedRecord &record);
    static QList<LedgerEntry> decodeAll(const QByteArray &file);
    bool operator==(const LedgerEntry &) const = default;
};

// "/CAPaymentRecords.txt": one ledger entry per pre-paid invoice.
using PaymentRecord = LedgerEntry;

// The opening entry of a new account file.
inline const QString PreviousBalance = QStringLiteral("Previous Balance");
inline const QString PaymentReceived = QStringLiteral("Payment Received");
// The payment forms offered wherever a payment is taken; the operator may type
// another or add a number to one.
QStringList PaymentForms();

// A completed-invoice image: a line file of 24 + 6n lines and a last line of seven
// quoted totals. Dates are kept as the short-date text the file holds.
struct CompletedInvoiceImage
{
    static constexpr int HeaderLines = 24;
    static constexpr int TotalsCount = 7;
    enum TotalsField { SubTotal = 0, Tax = 1, Tax2 = 2, GrandTotal = 3, Shipping = 4, Handling = 5, Discount = 6 };

    QString number;     // line 1, also the file's base name
    QString account;    // line 2
    QString name;       // line 3
    QString date;       // line 4, the day it was posted
    QString amount;     // line 5, the grand total's text
    std::array<QString, 6> billTo;
    std::array<QString, 6> shipTo;
    QString shipVia;
    QString shipDate;
    QString invoiceNumber;
    QString accountNumber;
    QString reference;
    QString attention;
    QList<InvoiceLine> lines;
    std::array<QString, TotalsCount> totals;

    // An empty total is written as zero currency text. A line break inside a value
    // is written as a blank, so every value keeps its line.
    QByteArray encode() const;
    // Reads what is there: missing lines read empty, a line count that is not a
    // number or runs past the file takes the whole item lines present, and the
    // totals are the line after the items. nullopt when the five list lines are
    // not all there.
    static std::optional<CompletedInvoiceImage> decode(const QByteArray &bytes);
    bool operator==(const CompletedInvoiceImage &) const = default;
};

} // namespace posting
