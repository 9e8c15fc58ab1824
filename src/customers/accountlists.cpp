#include "customers/accountlists.h"

#include "core/codepage.h"
#include "customers/customerrecord.h"

#include <QHash>
#include <QtEndian>
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

// An entry's place in the sort: its first sixteen ranks packed for a quick answer,
// the rest in the flat key buffer.
struct SortKey
{
    static constexpr quint32 HeadLength = 16;
    std::array<quint64, 2> head;
    quint32 offset;
    quint32 length;
    qint32 record;
};

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

bool UpperCaseContains(QByteArrayView field, QStringView needle)
{
    static const UpperTable table;
    QVarLengthArray<char16_t, 256> upper;
    for (const char c : field) {
        const auto b = std::size_t(uchar(c));
        const int units = table.length[b];
        if (units == 0)
            return codepage::decode(field.data(), field.size()).toUpper().contains(needle);
        upper.append(table.units[b].data(), units);
    }
    return QStringView(upper.constData(), upper.size()).contains(needle);
}

QByteArrayView FieldBytes(QByteArrayView bytes, qint32 n, int offset, int width)
{
    const qint64 start = qint64(n - 1) * R::Length + offset;
    qint64 begin = std::clamp<qint64>(start, 0, bytes.size());
    qint64 end = std::clamp<qint64>(start + width, 0, bytes.size());
    const char *data = bytes.data();
    while (begin < end && (data[begin] == ' ' || data[begin] == '\0'))
        ++begin;
    // Fields are mostly padding: skip it eight bytes at a time.
    constexpr quint64 Blanks = 0x2020202020202020ULL;
    while (end - begin >= 8) {
        quint64 word;
        std::memcpy(&word, data + end - 8, 8);
        if (word != Blanks && word != 0)
            break;
        end -= 8;
    }
    while (end > begin && (data[end - 1] == ' ' || data[end - 1] == '\0'))
        --end;
    return bytes.sliced(begin, end - begin);
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
    m_accounts.clear();
    m_cities.clear();
    m_cityOf.assign(std::size_t(count), 0);
    m_cityUse.clear();
    m_cityOrder.clear();

    // Decoding is one character per byte and no two bytes give the same one, so equal
    // bytes are equal texts: a city is decoded only when it is new.
    QHash<QByteArrayView, qint32> ids;
    ids.reserve(count);
    for (qint32 n = 1; n <= count; ++n) {
        const QByteArrayView city = cityBytes(bytes, n);
        auto found = ids.constFind(city);
        if (found == ids.cend()) {
            found = ids.insert(city, qint32(m_cityUse.size()));
            m_cityUse.push_back({n, 0});
            m_cityOrder.push_back(*found);
            m_cities.append(codepage::decode(city.data(), city.size()));
        }
        ++m_cityUse[std::size_t(*found)].uses;
        m_cityOf[std::size_t(n - 1)] = *found;
    }

    if (!buildRanked(bytes, count, ranks))
        m_accounts = BuildListsFromText(bytes, count).accounts;
}

bool AccountLists::buildRanked(QByteArrayView bytes, qint32 count, const ByteRanks &ranks)
{
    // No entry is longer than a name field or "last, first I".
    constexpr int Longest = std::max(R::NameWidth, R::LastNameWidth + R::FirstNameWidth + 4);
    const auto keys = std::make_unique_for_overwrite<quint8[]>(std::size_t(count) * Longest);
    std::vector<QString> texts;
    texts.resize(std::size_t(count));
    std::vector<SortKey> sorted;
    sorted.reserve(std::size_t(count));
    quint32 offset = 0;
    for (qint32 n = 1; n <= count; ++n) {
        const EntryParts parts = entryParts(bytes, n);
        SortKey key{{0, 0}, offset, 0, n};
        QString &text = texts[std::size_t(n - 1)];
        text = QString(parts.size(), Qt::Uninitialized);
        QChar *out = text.data();
        for (int i = 0; i < parts.count; ++i) {
            for (const char c : parts.part[std::size_t(i)]) {
                const auto byte = uchar(c);
                if (!ranks.ranked(byte))
                    return false;
                *out++ = ranks.character(byte);
                keys[offset++] = ranks.rank(byte);
            }
        }
        key.length = offset - key.offset;
        std::array<uchar, SortKey::HeadLength> head{};
        std::memcpy(head.data(), keys.get() + key.offset,
                    std::min(key.length, SortKey::HeadLength));
        key.head = {qFromBigEndian<quint64>(head.data()), qFromBigEndian<quint64>(head.data() + 8)};
        sorted.push_back(key);
    }

    // Unused places of the head are zero, the lowest rank, so a head that sorts first
    // belongs to the text that sorts first; equal heads are settled on the whole key.
    // The record number last is the stable sort's file order.
    const quint8 *base = keys.get();
    std::sort(sorted.begin(), sorted.end(), [base](const SortKey &a, const SortKey &b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        const quint32 common = std::min(a.length, b.length);
        constexpr quint32 H = SortKey::HeadLength;
        // Rests are short: a plain loop beats a call to memcmp.
        for (quint32 i = H; i < common; ++i) {
            const quint8 x = base[a.offset + i];
            const quint8 y = base[b.offset + i];
            if (x != y)
                return x < y;
        }
        if (a.length != b.length)
            return a.length < b.length;
        return a.record < b.record;
    });

    m_accounts.reserve(count);
    for (const SortKey &key : sorted)
        m_accounts.append({std::move(texts[std::size_t(key.record - 1)]), key.record});
    return true;
}

bool AccountLists::recordWritten(qint32 n, QByteArrayView record)
{
    if (n < 1 || n > size() + 1)
        return false;
    const QString text = entryText(entryParts(record, 1));
    if (n <= size()) {
        const auto old = std::find_if(m_accounts.begin(), m_accounts.end(),
                                      [n](const AccountEntry &e) { return e.record == n; });
        if (old != m_accounts.end())
            m_accounts.erase(old);
    }
    // A few folds for the search are cheaper than keeping every key.
    const QString key = text.toCaseFolded();
    const auto place =
        std::partition_point(m_accounts.begin(), m_accounts.end(), [&](const AccountEntry &e) {
            const QString other = e.text.toCaseFolded();
            return other < key || (other == key && e.record < n);
        });
    m_accounts.insert(place, {text, n});

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
    const auto gone = std::find_if(m_accounts.begin(), m_accounts.end(),
                                   [n](const AccountEntry &e) { return e.record == n; });
    if (gone != m_accounts.end())
        m_accounts.erase(gone);
    for (AccountEntry &entry : m_accounts) {
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
