#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace customers {

// An entry of the account list: its text and the record it names.
struct AccountEntry
{
    QString text;
    qint32 record = 0;
    bool operator==(const AccountEntry &) const = default;
};

// The account list in its order, the texts of its entries kept in one buffer: a
// list of 32,767 entries is made without a string for each.
class AccountList final
{
public:
    qsizetype size() const { return qsizetype(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    // Valid until the list next changes.
    QStringView text(qsizetype i) const
    {
        const Entry &e = m_entries[std::size_t(i)];
        return QStringView(m_texts.data() + e.offset, qsizetype(e.length));
    }
    qint32 record(qsizetype i) const { return m_entries[std::size_t(i)].record; }
    AccountEntry at(qsizetype i) const { return {text(i).toString(), record(i)}; }

    bool operator==(const AccountList &other) const;
    bool operator==(const QList<AccountEntry> &other) const;

    // Where an entry's text lies in the buffer, and the record it names.
    struct Entry
    {
        quint32 offset;
        quint32 length;
        qint32 record;
    };

private:
    friend class AccountLists;
    void clear();
    void append(QStringView text, qint32 record);

    std::vector<char16_t> m_texts;
    std::vector<Entry> m_entries;
};

// The trimmed bytes of a field of record n: blanks and NULs at both ends dropped, and a
// record cut short by the end of the file reading as blanks past the end.
QByteArrayView FieldBytes(QByteArrayView bytes, qint32 n, int offset, int width);

// Whether the field's text, upper-cased, contains `needle` (upper-cased already): the
// searches' rule, worked out from the bytes without making a string per record.
bool UpperCaseContains(QByteArrayView field, QStringView needle);

// How the account list compares its entries, byte by byte: every Windows-1252 byte
// stands for one character, so when that character also folds to exactly one, the
// rank of the folded character orders bytes as the folded texts would be ordered.
class ByteRanks final
{
public:
    // `fold` folds one character; Qt's own folding unless a test needs another.
    explicit ByteRanks(const std::function<QString(const QString &)> &fold);
    // Qt's folding, checked once.
    static const ByteRanks &folded();

    // False for a byte whose character does not fold to exactly one character.
    bool ranked(uchar byte) const { return m_ranked[byte]; }
    // In the order of the folded characters; equal for bytes that fold alike.
    quint8 rank(uchar byte) const { return m_rank[byte]; }
    QChar character(uchar byte) const { return m_character[byte]; }

private:
    std::array<bool, 256> m_ranked{};
    std::array<quint8, 256> m_rank{};
    std::array<QChar, 256> m_character{};
};

// The two lists of the customer screen: accounts sorted by their folded text, code by
// code, ties in file order; cities (address 3) without repeats, in the order met.
// Built from the file's bytes, then kept in step with the screen's own saves and
// deletes without reading the file again.
class AccountLists final
{
public:
    // From `count` records of the file's bytes, the last possibly cut short.
    void build(QByteArrayView bytes, qint32 count, const ByteRanks &ranks = ByteRanks::folded());
    // The same a block of records at a time, as the file is read: begin, add the blocks
    // in order (only the last may end in part of a record), finish with the count.
    // False when a byte needs the string builder: build from the whole file then.
    void begin(const ByteRanks &ranks = ByteRanks::folded());
    void add(QByteArrayView block, qint32 first);
    bool finish(qint32 count);
    // Record n now holds `record` as written; n may be one past the last (a customer
    // added). False when n is neither, and the lists are then left as they were.
    bool recordWritten(qint32 n, QByteArrayView record);
    // Record n is gone and the ones after it moved down. False when n is not listed.
    bool recordRemoved(qint32 n);

    qint32 size() const { return qint32(m_cityOf.size()); }
    const AccountList &accounts() const { return m_accounts; }
    const QStringList &cities() const { return m_cities; }

private:
    struct CityUse
    {
        qint32 first = 0;
        qint32 uses = 0;
    };

    void addRecord(QByteArrayView record);
    qsizetype cityPosition(qint32 id) const;
    void placeCity(qint32 id);
    void addCityUse(qint32 n, QByteArrayView city);
    void dropCityUse(qint32 id, qint32 n);

    AccountList m_accounts;
    std::vector<quint8> m_ranks; // per character of m_accounts' texts, while building
    std::vector<AccountList::Entry> m_scratch;
    // While building: the ranks in use, whether a byte had none, the cities met, and
    // the part of a record a block ended in.
    const ByteRanks *m_byteRanks = nullptr;
    bool m_unranked = false;
    QHash<QByteArray, qint32> m_cityIds;
    QByteArray m_tail;
    QStringList m_cities;
    // Per record, the city it names; per city, its first record and how many name it;
    // and the cities in the list's order.
    std::vector<qint32> m_cityOf;
    std::vector<CityUse> m_cityUse;
    std::vector<qint32> m_cityOrder;
};

// The lists as they were first built: each text decoded, folded as a string and
// sorted by strings, cities kept apart by their decoded text. The fall-back of
// AccountLists for a byte that folds to other than one character.
struct TextLists
{
    QList<AccountEntry> accounts;
    QStringList cities;
};
TextLists BuildListsFromText(QByteArrayView bytes, qint32 count);

} // namespace customers
