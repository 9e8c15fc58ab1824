#pragma once

#include "core/bytereaders.h"
#include "core/money.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class DataFolder;

// What is owed, computed from the receivable account files posting writes.
namespace receivables {

// Something in an account file that could not be read, kept with where it was.
struct LedgerProblem
{
    QString file;      // the relative path, or the account when it names no file
    qint64 record = 0; // 0 for the file as a whole
    QString what;
    QString text() const;
    bool operator==(const LedgerProblem &) const = default;
};

// One entry of an account file, read.
struct LedgerLine
{
    enum class Kind
    {
        Opening, // "Previous Balance"
        Invoice, // the description is the invoice number
        Payment, // "Payment Received"
    };
    qint64 record = 0;
    Kind kind = Kind::Invoice;
    QDate date; // invalid when its text cannot be read
    Money amount; // zero when its text cannot be read
    QString dateText;
    QString description;
};

struct Ledger
{
    enum class State
    {
        Absent,
        Read,
        Unreadable, // a folder or a pipe in its place, or a read that failed
    };
    QString file;
    State state = State::Absent;
    // The file ends in part of a record, which is left out: an entry appended after
    // it would land at a place other programs count differently.
    bool cutShort = false;
    QList<LedgerLine> lines;
    QList<LedgerProblem> problems;

    // Whether an entry may be appended: the whole file was read as whole records.
    bool takesEntries() const { return state != State::Unreadable && !cutShort; }
    // The opening balance plus the invoices, minus the payments received.
    Money balance() const;
};

// What is owed by age on a day, payments (and negative entries) taken off the
// oldest amounts first. An entry whose date cannot be read counts as the oldest.
struct Ageing
{
    Money current;  // 0 to 30 days
    Money days31to60;
    Money days61to90;
    Money over90;
    // Days since the oldest amount not yet paid whose date can be read; nullopt
    // when there is none.
    std::optional<qint64> oldestDays;
    bool operator==(const Ageing &) const = default;
};
Ageing AgeingOf(const QList<LedgerLine> &lines, const QDate &asOf);

// Adds up entries one at a time, for readers that need the sums of many account
// files and not their lines. Reused, it keeps its room.
class LedgerTally final
{
public:
    void clear();
    void add(LedgerLine::Kind kind, const QDate &date, Money amount);
    // The opening balance plus the invoices, minus the payments received.
    Money balance() const { return m_balance; }
    // The date of the last invoice entry whose date can be read.
    QDate lastInvoice() const { return m_lastInvoice; }
    Ageing ageing(const QDate &asOf);

private:
    struct Owed
    {
        qint64 day; // an unreadable date is the lowest day of all
        Money amount;
    };
    std::vector<Owed> m_owed;
    bool m_inOrder = true;
    Money m_credit;
    Money m_balance;
    QDate m_lastInvoice;
};

// Reads account files through the posted-records codec. Amounts and dates are read
// with the regional rules; a text that cannot be read is a problem of its record,
// counted as zero (amounts) or as the oldest (dates), never guessed.
class LedgerReader final
{
public:
    explicit LedgerReader(const DataFolder &data);
    // A missing file is restored from its "/Backup" copy first, as every reader does.
    Ledger Read(const QString &account) const;
    // The same without keeping its lines: each entry is added to `tally` instead.
    Ledger Read(const QString &account, LedgerTally &tally) const;

private:
    template<typename Visit>
    Ledger read(const QString &account, Visit &&visit) const;
    std::optional<Money> amountOf(QByteArrayView text) const;
    QDate dateOf(QByteArrayView text) const;
    const DataFolder &m_data;
    const regional::CurrencyReader m_currency;
    const regional::DateReader m_dateReader;
    // Texts the readers above leave to the full parsers: a few, repeated many times.
    mutable QHash<QByteArray, std::optional<Money>> m_amounts;
    mutable QHash<QByteArray, QDate> m_dates;
    // Ledgers repeat a few hundred dates many times over. A date field is short
    // enough to be its own key, packed with its length into two words; each slot
    // keeps the latest date that falls in it.
    struct DateSlot
    {
        quint64 low = 0;
        quint64 high = ~quint64(0); // a length no text has
        QDate date;
    };
    mutable std::array<DateSlot, 1024> m_dateSlots;
};

} // namespace receivables
