#include "receivables/ledger.h"

#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/regional.h"
#include "posting/postedrecords.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>

namespace receivables {

namespace {

using posting::LedgerEntry;

QString decoded(QByteArrayView bytes)
{
    return codepage::decode(bytes.data(), bytes.size());
}

} // namespace

QString LedgerProblem::text() const
{
    if (record > 0)
        return QStringLiteral("%1, record %2: %3").arg(file).arg(record).arg(what);
    return QStringLiteral("%1: %2").arg(file, what);
}

Money Ledger::balance() const
{
    LedgerTally tally;
    for (const LedgerLine &line : lines)
        tally.add(line.kind, line.date, line.amount);
    return tally.balance();
}

Ageing AgeingOf(const QList<LedgerLine> &lines, const QDate &asOf)
{
    LedgerTally tally;
    for (const LedgerLine &line : lines)
        tally.add(line.kind, line.date, line.amount);
    return tally.ageing(asOf);
}

void LedgerTally::clear()
{
    m_owed.clear();
    m_inOrder = true;
    m_credit = m_balance = Money();
    m_lastInvoice = QDate();
}

void LedgerTally::add(LedgerLine::Kind kind, const QDate &date, Money amount)
{
    const Money signedAmount = kind == LedgerLine::Kind::Payment ? -amount : amount;
    m_balance += signedAmount;
    if (kind == LedgerLine::Kind::Invoice && date.isValid())
        m_lastInvoice = date;
    if (signedAmount > Money()) {
        const qint64 day = date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::min();
        // Entries are appended as the days go by, so the sort below is rarely needed.
        if (!m_owed.empty() && day < m_owed.back().day)
            m_inOrder = false;
        m_owed.push_back({day, signedAmount});
    } else {
        m_credit -= signedAmount;
    }
}

Ageing LedgerTally::ageing(const QDate &asOf)
{
    if (!m_inOrder) {
        std::stable_sort(m_owed.begin(), m_owed.end(), [](const Owed &a, const Owed &b) { return a.day < b.day; });
        m_inOrder = true;
    }
    // Payments and credits are taken off the oldest amounts first.
    Money credit = m_credit;
    Ageing ageing;
    for (const Owed &owed : m_owed) {
        const Money taken = std::min(credit, owed.amount);
        credit -= taken;
        const Money left = owed.amount - taken;
        if (left <= Money())
            continue;
        const bool dated = owed.day != std::numeric_limits<qint64>::min();
        const qint64 days = dated ? std::max<qint64>(0, asOf.toJulianDay() - owed.day)
                                  : std::numeric_limits<qint64>::max();
        if (!ageing.oldestDays && dated)
            ageing.oldestDays = days;
        if (days <= 30)
            ageing.current += left;
        else if (days <= 60)
            ageing.days31to60 += left;
        else if (days <= 90)
            ageing.days61to90 += left;
        else
            ageing.over90 += left;
    }
    return ageing;
}

LedgerReader::LedgerReader(const DataFolder &data) : m_data(data)
{
}

std::optional<Money> LedgerReader::amountOf(QByteArrayView text) const
{
    if (const std::optional<Money> common = m_currency.readCommon(text))
        return common;
    const QByteArray key = QByteArray::fromRawData(text.data(), text.size());
    if (auto found = m_amounts.constFind(key); found != m_amounts.cend())
        return *found;
    const std::optional<Money> amount = regional::parseMoney(decoded(text));
    m_amounts.insert(text.toByteArray(), amount);
    return amount;
}

QDate LedgerReader::dateOf(QByteArrayView text) const
{
    const auto parsed = [this, text] {
        if (const std::optional<QDate> common = m_dateReader.readCommon(text))
            return *common;
        const QByteArray key = QByteArray::fromRawData(text.data(), text.size());
        if (auto found = m_dates.constFind(key); found != m_dates.cend())
            return *found;
        const QDate date = regional::parseShortDate(decoded(text)).value_or(QDate());
        m_dates.insert(text.toByteArray(), date);
        return date;
    };
    char packed[16] = {};
    if (text.size() >= qsizetype(sizeof packed))
        return parsed();
    std::memcpy(packed, text.data(), std::size_t(text.size()));
    packed[15] = char(text.size());
    quint64 low = 0;
    quint64 high = 0;
    std::memcpy(&low, packed, 8);
    std::memcpy(&high, packed + 8, 8);
    DateSlot &slot = m_dateSlots[((low * 0x9E3779B97F4A7C15ull) ^ (high * 0xC2B2AE3D27D4EB4Full)) >> 54];
    if (slot.low != low || slot.high != high)
        slot = {low, high, parsed()};
    return slot.date;
}

template<typename Visit>
Ledger LedgerReader::read(const QString &account, Visit &&visit) const
{
    Ledger ledger;
    ledger.file = posting::LedgerFile(account);
    if (ledger.file.isEmpty()) {
        ledger.state = Ledger::State::Unreadable;
        ledger.problems.append(
            {account, 0, QStringLiteral("the Account Number cannot name a file")});
        return ledger;
    }
    DataFolder::WholeFile file = m_data.ReadWholeFile(ledger.file);
    using Whole = DataFolder::WholeFile::State;
    if (file.state == Whole::Absent)
        return ledger;
    // Folders and pipes are not present files, and are never read.
    if (file.state != Whole::Read) {
        ledger.state = Ledger::State::Unreadable;
        ledger.problems.append({ledger.file, 0,
                                file.state == Whole::NotAFile ? QStringLiteral("is not a file that can be read")
                                                              : QStringLiteral("could not be read")});
        return ledger;
    }
    const QByteArray bytes = std::move(file.bytes);
    ledger.state = Ledger::State::Read;

    const qsizetype whole = bytes.size() / LedgerEntry::Length;
    QByteArrayView lastDate;
    QDate lastDay;
    // The descriptions posting writes, as stored.
    static const QByteArray opening = codepage::encode(posting::PreviousBalance);
    static const QByteArray payment = codepage::encode(posting::PaymentReceived);
    for (qsizetype n = 0; n < whole; ++n) {
        const LedgerEntry::Fields fields =
            LedgerEntry::fieldsOf(QByteArrayView(bytes).sliced(n * LedgerEntry::Length, LedgerEntry::Length));
        const qint64 record = n + 1;
        LedgerLine::Kind kind = LedgerLine::Kind::Invoice;
        const QByteArrayView description = fields.description();
        if (description == opening)
            kind = LedgerLine::Kind::Opening;
        else if (description == payment)
            kind = LedgerLine::Kind::Payment;
        const QByteArrayView amountText = fields.amount();
        const std::optional<Money> amount = amountOf(amountText);
        if (!amount) {
            ledger.problems.append({ledger.file, record,
                                    QStringLiteral("the amount \"%1\" is not an amount, counted as zero")
                                        .arg(decoded(amountText))});
        }
        // Entries of one day follow each other.
        const QByteArrayView dateText = fields.date();
        if (n == 0 || dateText != lastDate) {
            lastDate = dateText;
            lastDay = dateOf(dateText);
        }
        if (!lastDay.isValid()) {
            ledger.problems.append({ledger.file, record,
                                    QStringLiteral("the date \"%1\" cannot be read, aged as the oldest")
                                        .arg(decoded(dateText))});
        }
        visit(record, kind, lastDay, amount.value_or(Money()), dateText, description);
    }
    if (const qsizetype rest = bytes.size() % LedgerEntry::Length) {
        ledger.cutShort = true;
        ledger.problems.append({ledger.file, whole + 1,
                                QStringLiteral("only %1 of its %2 bytes are there, left out")
                                    .arg(rest)
                                    .arg(LedgerEntry::Length)});
    }
    return ledger;
}

Ledger LedgerReader::Read(const QString &account) const
{
    QList<LedgerLine> lines;
    Ledger ledger = read(account, [&lines](qint64 record, LedgerLine::Kind kind, const QDate &date, Money amount,
                                           QByteArrayView dateText, QByteArrayView description) {
        lines.append({record, kind, date, amount, decoded(dateText), decoded(description)});
    });
    ledger.lines = std::move(lines);
    return ledger;
}

Ledger LedgerReader::Read(const QString &account, LedgerTally &tally) const
{
    return read(account, [&tally](qint64, LedgerLine::Kind kind, const QDate &date, Money amount,
                                  QByteArrayView, QByteArrayView) { tally.add(kind, date, amount); });
}

} // namespace receivables
