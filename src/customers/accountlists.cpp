#include "customers/accountlists.h"

#include "core/codepage.h"
#include "core/fixedrecord.h"
#include "customers/customerrecord.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <memory>

namespace customers {

namespace {

using R = CustomerRecord;

const QByteArrayView BusinessType("Business");
const QByteArrayView NameJoint(", ");
const QByteArrayView InitialJoint(" ");

// The pieces an account entry is joined from: the name of a business, otherwise
// "last, first" and the middle initial when there is one.
struct EntryParts
{
    std::array<QByteArrayView, 5> part;
    int count = 0;

    void add(QByteArrayView bytes) { part[std::size_t(count++)] = bytes; }
    qsizetype size() const
    {
        qsizetype total = 0;
        for (int i = 0; i < count; ++i)
            total += part[std::size_t(i)].size();
        return total;
    }
};

EntryParts entryParts(QByteArrayView bytes, qint32 n)
{
    EntryParts parts;
    if (FieldBytes(bytes, n, R::TypeOffset, R::TypeWidth) == BusinessType) {
        parts.add(FieldBytes(bytes, n, R::NameOffset, R::NameWidth));
        return parts;
    }
    parts.add(FieldBytes(bytes, n, R::LastNameOffset, R::LastNameWidth));
    parts.add(NameJoint);
    parts.add(FieldBytes(bytes, n, R::FirstNameOffset, R::FirstNameWidth));
    const QByteArrayView initial =
        FieldBytes(bytes, n, R::MiddleInitialOffset, R::MiddleInitialWidth);
    if (!initial.isEmpty()) {
        parts.add(InitialJoint);
        parts.add(initial);
    }
    return parts;
}

QString entryText(const EntryParts &parts)
{
    QByteArray joined;
    joined.reserve(parts.size());
    for (int i = 0; i < parts.count; ++i)
        joined += parts.part[std::size_t(i)];
    return codepage::decode(joined);
}

QByteArrayView cityBytes(QByteArrayView bytes, qint32 n)
{
    return FieldBytes(bytes, n, R::Address3Offset, R::Address3Width);
}

} // namespace

// An entry's ranks lie at the same place in the rank buffer as its text in the list's.
using SortKey = AccountList::Entry;

namespace {

// Whether a's ranks from `depth` on come before b's; a key that is the start of
// another comes first.
bool ranksBefore(const SortKey &a, const SortKey &b, const quint8 *ranks, quint32 depth)
{
    const quint32 common = std::min(a.length, b.length);
    for (quint32 i = depth; i < common; ++i) {
        const quint8 x = ranks[a.offset + i];
        const quint8 y = ranks[b.offset + i];
        if (x != y)
            return x < y;
    }
    return a.length < b.length;
}

// Sorts by ranks, ties left in the order given: most significant rank first, each
// key looked at only as far as it differs from its neighbours.
void sortByRanks(SortKey *first, SortKey *last, SortKey *scratch, const quint8 *ranks, quint32 depth)
{
    const std::ptrdiff_t n = last - first;
    if (n <= 24) {
        for (SortKey *i = first + 1; i < last; ++i) {
            const SortKey key = *i;
            SortKey *j = i;
            for (; j > first && ranksBefore(key, j[-1], ranks, depth); --j)
                *j = j[-1];
            *j = key;
        }
        return;
    }
    // Bucket 0 holds the keys that end here: equal to each other, first of all.
    const auto bucketOf = [ranks, depth](const SortKey &key) {
        return key.length > depth ? 1 + std::size_t(ranks[key.offset + depth]) : 0;
    };
    std::array<std::ptrdiff_t, 258> start{};
    for (const SortKey *key = first; key < last; ++key)
        ++start[bucketOf(*key) + 1];
    for (std::size_t b = 1; b < start.size(); ++b)
        start[b] += start[b - 1];
    std::array<std::ptrdiff_t, 257> next;
    std::copy(start.begin(), start.end() - 1, next.begin());
    for (const SortKey *key = first; key < last; ++key)
        scratch[next[bucketOf(*key)]++] = *key;
    std::copy(scratch, scratch + n, first);
    for (std::size_t b = 1; b < 257; ++b) {
        if (start[b + 1] - start[b] > 1)
            sortByRanks(first + start[b], first + start[b + 1], scratch, ranks, depth + 1);
    }
}

// The upper case of each byte's character as QString::toUpper() makes it, which can
// be longer than one character (ß is "SS"); length 0 marks one longer than kept here.
struct UpperTable
{
    static constexpr int MaxUnits = 3;
    std::array<std::array<char16_t, MaxUnits>, 256> units{};
    std::array<quint8, 256> length{};

    UpperTable()
    {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString upper = codepage::decode(&byte, 1).toUpper();
            if (upper.size() > MaxUnits)
                continue;
            length[std::size_t(b)] = quint8(upper.size());
            std::copy(upper.utf16(), upper.utf16() + upper.size(), units[std::size_t(b)].begin());
        }
    }
};

} // namespace

void AccountList::clear()
{
    m_texts.clear();
    m_entries.clear();
}

void AccountList::append(QStringView text, qint32 record)
{
    m_entries.push_back({quint32(m_texts.size()), quint32(text.size()), record});
    m_texts.insert(m_texts.end(), text.utf16(), text.utf16() + text.size());
}

bool AccountList::operator==(const AccountList &other) const
{
    if (size() != other.size())
        return false;
    for (qsizetype i = 0; i < size(); ++i) {
        if (record(i) != other.record(i) || text(i) != other.text(i))
            return false;
    }
    return true;
}

bool AccountList::operator==(const QList<AccountEntry> &other) const
{
    if (size() != other.size())
        return false;
    for (qsizetype i = 0; i < size(); ++i) {
        if (record(i) != other.at(i).record || text(i) != other.at(i).text)
            return false;
    }
    return true;
}

bool UpperCaseContains(QByteArrayView field, QStringView needle)
{
    static const UpperTable table;
    // Each byte writes all its places and moves on by as many as it uses.
    QVarLengthArray<char16_t, 256> upper(field.size() * UpperTable::MaxUnits);
    qsizetype size = 0;
    for (const char c : field) {
        const auto b = std::size_t(uchar(c));
        const int units = table.length[b];
        if (units == 0)
            return codepage::decode(field.data(), field.size()).toUpper().contains(needle);
        std::copy_n(table.units[b].data(), UpperTable::MaxUnits, upper.data() + size);
        size += units;
    }
    return QStringView(upper.constData(), size).contains(needle);
}

QByteArrayView FieldBytes(QByteArrayView bytes, qint32 n, int offset, int width)
{
    const qint64 start = qint64(n - 1) * R::Length + offset;
    const qint64 begin = std::clamp<qint64>(start, 0, bytes.size());
    const qint64 end = std::clamp<qint64>(start + width, 0, bytes.size());
    return TrimmedField(bytes.sliced(begin, end - begin));
}

ByteRanks::ByteRanks(const std::function<QString(const QString &)> &fold)
{
    std::array<char16_t, 256> folded{};
    std::vector<char16_t> distinct;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString character = codepage::decode(&byte, 1);
        if (character.size() != 1)
            continue;
        const QString f = fold(character);
        if (f.size() != 1)
            continue;
        m_ranked[std::size_t(b)] = true;
        m_character[std::size_t(b)] = character.at(0);
        folded[std::size_t(b)] = f.at(0).unicode();
        distinct.push_back(folded[std::size_t(b)]);
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (std::size_t b = 0; b < 256; ++b) {
        if (m_ranked[b])
            m_rank[b] = quint8(std::lower_bound(distinct.begin(), distinct.end(), folded[b]) -
                               distinct.begin());
    }
}

const ByteRanks &ByteRanks::folded()
{
    static const ByteRanks ranks([](const QString &text) { return text.toCaseFolded(); });
    return ranks;
}

void AccountLists::build(QByteArrayView bytes, qint32 count, const ByteRanks &ranks)
{
    count = std::max(count, 0);
    begin(ranks);
    add(bytes.first(std::min(bytes.size(), qsizetype(count) * R::Length)), 1);
    if (!finish(count)) {
        m_accounts.clear();
        for (const AccountEntry &entry : BuildListsFromText(bytes, count).accounts)
            m_accounts.append(entry.text, entry.record);
    }
}

// The buffers keep their room from one build to the next.
void AccountLists::begin(const ByteRanks &ranks)
{
    m_byteRanks = &ranks;
    m_unranked = false;
    m_cities.clear();
    m_cityOf.clear();
    m_cityUse.clear();
    m_cityOrder.clear();
    m_cityIds.clear();
    m_tail.clear();
    m_accounts.clear();
    m_ranks.clear();
}

void AccountLists::add(QByteArrayView block, qint32 first)
{
    const qsizetype records = block.size() / R::Length;
    Q_ASSERT(qsizetype(m_cityOf.size()) + 1 == first);
    for (qsizetype i = 0; i < records; ++i)
        addRecord(block.sliced(i * R::Length, R::Length));
    if (block.size() % R::Length)
        m_tail = block.sliced(records * R::Length).toByteArray();
}

bool AccountLists::finish(qint32 count)
{
    // A record cut short by the end of the file reads as blanks past the end.
    for (qint32 n = qint32(m_cityOf.size()) + 1; n <= count; ++n) {
        addRecord(m_tail);
        m_tail.clear();
    }
    m_tail.clear();
    if (m_unranked)
        return false;
    auto &entries = m_accounts.m_entries;
    m_scratch.resize(entries.size());
    sortByRanks(entries.data(), entries.data() + entries.size(), m_scratch.data(), m_ranks.data(), 0);
    return true;
}

void AccountLists::addRecord(QByteArrayView record)
{
    const qint32 n = qint32(m_cityOf.size()) + 1;
    // Decoding is one character per byte and no two bytes give the same one, so equal
    // bytes are equal texts: a city is decoded only when it is new.
    const QByteArrayView city = cityBytes(record, 1);
    auto found = m_cityIds.constFind(QByteArray::fromRawData(city.data(), city.size()));
    if (found == m_cityIds.cend()) {
        found = m_cityIds.insert(city.toByteArray(), qint32(m_cityUse.size()));
        m_cityUse.push_back({n, 0});
        m_cityOrder.push_back(*found);
        m_cities.append(codepage::decode(city.data(), city.size()));
    }
    ++m_cityUse[std::size_t(*found)].uses;
    m_cityOf.push_back(*found);

    if (m_unranked)
        return;
    const ByteRanks &ranks = *m_byteRanks;
    auto &texts = m_accounts.m_texts;
    const EntryParts parts = entryParts(record, 1);
    const std::size_t at = texts.size();
    const SortKey entry{quint32(at), quint32(parts.size()), n};
    texts.resize(at + entry.length);
    m_ranks.resize(at + entry.length);
    char16_t *text = texts.data() + at;
    quint8 *rank = m_ranks.data() + at;
    for (int i = 0; i < parts.count; ++i) {
        for (const char c : parts.part[std::size_t(i)]) {
            const auto byte = uchar(c);
            if (!ranks.ranked(byte)) {
                m_unranked = true;
                return;
            }
            *text++ = ranks.character(byte).unicode();
            *rank++ = ranks.rank(byte);
        }
    }
    m_accounts.m_entries.push_back(entry);
}

bool AccountLists::recordWritten(qint32 n, QByteArrayView record)
{
    if (n < 1 || n > size() + 1)
        return false;
    const QString text = entryText(entryParts(record, 1));
    auto &entries = m_accounts.m_entries;
    if (n <= size()) {
        const auto old = std::find_if(entries.begin(), entries.end(),
                                      [n](const SortKey &e) { return e.record == n; });
        if (old != entries.end())
            entries.erase(old);
    }
    // A few folds for the search are cheaper than keeping every key.
    const QString key = text.toCaseFolded();
    const auto place = std::partition_point(entries.begin(), entries.end(), [&](const SortKey &e) {
        const QString other = m_accounts.text(&e - entries.data()).toString().toCaseFolded();
        return other < key || (other == key && e.record < n);
    });
    const auto at = place - entries.begin();
    m_accounts.append(text, n);
    std::rotate(entries.begin() + at, entries.end() - 1, entries.end());

    const QByteArrayView city = cityBytes(record, 1);
    if (n <= size()) {
        const qint32 old = m_cityOf[std::size_t(n - 1)];
        if (m_cities.at(cityPosition(old)) == codepage::decode(city.data(), city.size()))
            return true;
        dropCityUse(old, n);
    } else {
        m_cityOf.push_back(-1);
    }
    addCityUse(n, city);
    return true;
}

bool AccountLists::recordRemoved(qint32 n)
{
    if (n < 1 || n > size())
        return false;
    auto &entries = m_accounts.m_entries;
    const auto gone = std::find_if(entries.begin(), entries.end(),
                                   [n](const SortKey &e) { return e.record == n; });
    if (gone != entries.end())
        entries.erase(gone);
    for (SortKey &entry : entries) {
        if (entry.record > n)
            --entry.record;
    }
    dropCityUse(m_cityOf[std::size_t(n - 1)], n);
    m_cityOf.erase(m_cityOf.begin() + (n - 1));
    // Every first record past n moves down alike, so the cities keep their order.
    for (CityUse &use : m_cityUse) {
        if (use.first > n)
            --use.first;
    }
    return true;
}

qsizetype AccountLists::cityPosition(qint32 id) const
{
    const qint32 first = m_cityUse[std::size_t(id)].first;
    return std::partition_point(m_cityOrder.begin(), m_cityOrder.end(),
                                [&](qint32 other) {
                                    return m_cityUse[std::size_t(other)].first < first;
                                }) -
           m_cityOrder.begin();
}

void AccountLists::placeCity(qint32 id)
{
    const qsizetype at = std::find(m_cityOrder.begin(), m_cityOrder.end(), id) - m_cityOrder.begin();
    const QString text = m_cities.takeAt(at);
    m_cityOrder.erase(m_cityOrder.begin() + at);
    const qsizetype to = cityPosition(id);
    m_cityOrder.insert(m_cityOrder.begin() + to, id);
    m_cities.insert(to, text);
}

void AccountLists::addCityUse(qint32 n, QByteArrayView city)
{
    const QString text = codepage::decode(city.data(), city.size());
    const qsizetype at = m_cities.indexOf(text);
    qint32 id = 0;
    if (at < 0) {
        id = qint32(m_cityUse.size());
        m_cityUse.push_back({n, 1});
        const qsizetype to = cityPosition(id);
        m_cityOrder.insert(m_cityOrder.begin() + to, id);
        m_cities.insert(to, text);
    } else {
        id = m_cityOrder[std::size_t(at)];
        CityUse &use = m_cityUse[std::size_t(id)];
        ++use.uses;
        if (n < use.first) {
            use.first = n;
            placeCity(id);
        }
    }
    m_cityOf[std::size_t(n - 1)] = id;
}

void AccountLists::dropCityUse(qint32 id, qint32 n)
{
    CityUse &use = m_cityUse[std::size_t(id)];
    if (--use.uses == 0) {
        const qsizetype at = cityPosition(id);
        m_cities.removeAt(at);
        m_cityOrder.erase(m_cityOrder.begin() + at);
        return;
    }
    if (use.first != n)
        return;
    // Its next record takes its place in the list.
    qint32 next = n + 1;
    while (m_cityOf[std::size_t(next - 1)] != id)
        ++next;
    use.first = next;
    placeCity(id);
}

TextLists BuildListsFromText(QByteArrayView bytes, qint32 count)
{
    const auto text = [bytes](qint32 n, int offset, int width) {
        const QByteArrayView field = FieldBytes(bytes, n, offset, width);
        return codepage::decode(field.data(), field.size());
    };
    struct Keyed
    {
        QString key;
        AccountEntry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(std::max(count, 0)));
    TextLists lists;
    QSet<QString> seen;
    for (qint32 n = 1; n <= count; ++n) {
        QString entry;
        if (text(n, R::TypeOffset, R::TypeWidth) == R::Business) {
            entry = text(n, R::NameOffset, R::NameWidth);
        } else {
            entry = text(n, R::LastNameOffset, R::LastNameWidth) + QStringLiteral(", ") +
                    text(n, R::FirstNameOffset, R::FirstNameWidth);
            const QString initial = text(n, R::MiddleInitialOffset, R::MiddleInitialWidth);
            if (!initial.isEmpty())
                entry += u' ' + initial;
        }
        keyed.push_back({entry.toCaseFolded(), {entry, n}});
        const QString city = text(n, R::Address3Offset, R::Address3Width);
        if (!seen.contains(city)) {
            seen.insert(city);
            lists.cities.append(city);
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed &a, const Keyed &b) { return a.key < b.key; });
    lists.accounts.reserve(qsizetype(keyed.size()));
    for (Keyed &k : keyed)
        lists.accounts.append(std::move(k.entry));
    return lists;
}

} // namespace customers
