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
    Money sum;
    for (const LedgerLine &line : lines)
        sum += line.kind == LedgerLine::Kind::Payment ? -line.amount : line.amount;
    return sum;
}

QDate Ledger::lastInvoice() const
{
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->kind == LedgerLine::Kind::Invoice && it->date.isValid())
            return it->date;
    }
    return {};
}

Ageing AgeingOf(const QList<LedgerLine> &lines, const QDate &asOf)
{
    struct Owed
    {
        QDate date;
        Money amount;
    };
    QList<Owed> owed;
    Money credit;
    for (const LedgerLine &line : lines) {
        const Money signedAmount = line.kind == LedgerLine::Kind::Payment ? -line.amount : line.amount;
        if (signedAmount > Money())
            owed.append({line.date, signedAmount});
        else
            credit -= signedAmount;
    }
    // Oldest first; an unreadable date sorts before every date.
    std::stable_sort(owed.begin(), owed.end(), [](const Owed &a, const Owed &b) {
        return a.date.isValid() && b.date.isValid() ? a.date < b.date : !a.date.isValid() && b.date.isValid();
    });
    Ageing ageing;
    for (Owed &amount : owed) {
        const Money taken = std::min(credit, amount.amount);
        amount.amount -= taken;
        credit -= taken;
        if (amount.amount <= Money())
            continue;
        const qint64 days = amount.date.isValid() ? std::max<qint64>(0, amount.date.daysTo(asOf))
                                                  : std::numeric_limits<qint64>::max();
        if (!ageing.oldestDays && amount.date.isValid())
            ageing.oldestDays = days;
        if (days <= 30)
            ageing.current += amount.amount;
        else if (days <= 60)
            ageing.days31to60 += amount.amount;
        else if (days <= 90)
            ageing.days61to90 += amount.amount;
        else
            ageing.over90 += amount.amount;
    }
    return ageing;
}

LedgerReader::LedgerReader(const DataFolder &data) : m_data(data)
{
}

// The form this program writes is read in place; anything else through the full
// reader, looked up without copying the field, and only a text seen the first time
// is copied.
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
    std::memcpy(packed, text.data(), text.size());
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

Ledger LedgerReader::Read(const QString &account, bool withTexts) const
{
    Ledger ledger;
    ledger.file = posting::LedgerFile(account);
    if (ledger.file.isEmpty()) {
        ledger.state = Ledger::State::Unreadable;
        ledger.problems.append(
            {account, 0, QStringLiteral("the Account Number cannot name a file")});
        return ledger;
    }
    const QString present = m_data.PresentFilePath(ledger.file);
    if (present.isEmpty() && !m_data.Exists(ledger.file))
        return ledger;
    QFile file(present);
    // Folders and pipes are not present files, and are never opened.
    if (present.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        ledger.state = Ledger::State::Unreadable;
        ledger.problems.append({ledger.file, 0, QStringLiteral("is not a file that can be read")});
        return ledger;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ledger.state = Ledger::State::Unreadable;
        ledger.problems.append({ledger.file, 0, QStringLiteral("could not be read")});
        return ledger;
    }
    ledger.state = Ledger::State::Read;

    const qsizetype whole = bytes.size() / LedgerEntry::Length;
    ledger.lines.reserve(whole);
    QByteArrayView lastDate;
    QDate lastDay;
    for (qsizetype n = 0; n < whole; ++n) {
        const LedgerEntry::Fields fields =
            LedgerEntry::fieldsOf(QByteArrayView(bytes).sliced(n * LedgerEntry::Length, LedgerEntry::Length));
        LedgerLine line;
        line.record = n + 1;
        const QByteArrayView description = fields.description();
        if (description == QByteArrayView("Previous Balance"))
            line.kind = LedgerLine::Kind::Opening;
        else if (description == QByteArrayView("Payment Received"))
            line.kind = LedgerLine::Kind::Payment;
        const QByteArrayView amountText = fields.amount();
        if (const std::optional<Money> amount = amountOf(amountText)) {
            line.amount = *amount;
        } else {
            ledger.problems.append({ledger.file, line.record,
                                    QStringLiteral("the amount \"%1\" is not an amount, counted as zero")
                                        .arg(decoded(amountText))});
        }
        // Entries of one day follow each other.
        const QByteArrayView dateText = fields.date();
        if (n == 0 || dateText != lastDate) {
            lastDate = dateText;
            lastDay = dateOf(dateText);
        }
        line.date = lastDay;
        if (!line.date.isValid()) {
            ledger.problems.append({ledger.file, line.record,
                                    QStringLiteral("the date \"%1\" cannot be read, aged as the oldest")
                                        .arg(decoded(dateText))});
        }
        if (withTexts) {
            line.dateText = decoded(dateText);
            line.description = decoded(description);
        }
        ledger.lines.append(std::move(line));
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

} // namespace receivables
