#include "customers/proposals.h"

#include "core/datafolder.h"
#include "core/regional.h"
#include "core/textrecord.h"
#include "customers/customerfile.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace customers {

namespace {

constexpr int HeadLength = 11;
// A head is a few hundred bytes; a proposal file is read in steps so that a long
// proposal is not read whole, and a head that does not end within the last step is
// not a proposal.
constexpr qint64 FirstRead = 4096;
constexpr qint64 MostRead = 64 * 1024;

struct Head
{
    std::optional<Proposal> proposal;
    bool complete = false; // all eleven values were there
};

Money amountOf(const std::optional<QString> &text)
{
    if (!text)
        return Money();
    // The proposal program writes bare numbers; older files may hold currency text.
    if (const auto bare = TextRecordReader::parseDecimal(*text))
        if (const auto money = Money::tryFromDouble(*bare))
            return *money;
    return regional::parseMoney(*text).value_or(Money());
}

Head parseHead(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    std::array<std::optional<QString>, HeadLength> values;
    for (auto &value : values)
        value = reader.field();

    Head head;
    head.complete = values.back().has_value();
    const auto text = [&values](int position) {
        return std::move(values[position - 1]).value_or(QString());
    };
    Proposal proposal;
    proposal.number = text(1);
    proposal.amount = amountOf(values[1]);
    proposal.created = text(3);
    SoldTo &customer = proposal.customer;
    customer.AcctNo = text(4);
    customer.Customer = text(5);
    customer.Street = text(6);
    customer.Address2 = text(7);
    // The proposal program keeps the state before the city.
    customer.State = text(8);
    customer.Address3 = text(9);
    customer.Address4 = text(10);
    customer.Tel = text(11);
    if (!proposal.number.trimmed().isEmpty() && !ReceivableFile(customer.AcctNo).isEmpty())
        head.proposal = std::move(proposal);
    return head;
}

// Closes the descriptor on every way out.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The next bytes of the file, up to `count`; fewer only at its end (or on an error).
void readMore(int fd, QByteArray &bytes, qint64 count)
{
    const qsizetype start = bytes.size();
    bytes.resize(start + count);
    qsizetype got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, bytes.data() + start + got, std::size_t(count - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.resize(start + got);
}

std::optional<Proposal> readProposalFile(const QByteArray &path)
{
    // Opened without waiting, then checked: a pipe or a device in a proposal's place
    // would otherwise block the screen.
    const Descriptor file{::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat info = {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    QByteArray bytes;
    for (qint64 wanted = FirstRead;; wanted *= 4) {
        wanted = std::min(wanted, MostRead);
        readMore(file.fd, bytes, wanted - bytes.size());
        // A short read is the end of the file: the head is all there is.
        if (bytes.size() < wanted)
            return bytes.isEmpty() ? std::nullopt : parseHead(bytes).proposal;
        // A value cut by the read would be taken short: parse only whole lines.
        const qsizetype lineEnd = bytes.lastIndexOf('\n');
        if (lineEnd >= 0) {
            Head head = parseHead(bytes.left(lineEnd + 1));
            if (head.complete)
                return std::move(head.proposal);
        }
        if (wanted >= MostRead)
            return std::nullopt;
    }
}

bool hasProposalSuffix(const char *name)
{
    const std::size_t length = std::strlen(name);
    return length >= 4 && name[length - 4] == '.' &&
           (name[length - 3] | 0x20) == 't' && (name[length - 2] | 0x20) == 'x' &&
           (name[length - 1] | 0x20) == 't';
}

} // namespace

std::optional<Proposal> ReadProposalHead(const QByteArray &bytes)
{
    return parseHead(bytes).proposal;
}

QList<Proposal> ReadProposals(const DataFolder &data)
{
    // Listed and read with the system's own calls: with tens of thousands of proposals,
    // QDir's listing, wildcard match and sort each cost about as much as the reads.
    struct Entry
    {
        QString key;
        QByteArray path;
    };
    std::vector<Entry> entries;
    const QByteArray folder = QFile::encodeName(data.path(ProposalFolder)) + '/';
    if (DIR *dir = ::opendir(folder.constData())) {
        // Hidden names count, as for the main menu's check, and any case of ".txt";
        // what is not an ordinary file is found out when it is opened.
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_type == DT_DIR || !hasProposalSuffix(entry->d_name))
                continue;
            entries.push_back(
                {QFile::decodeName(entry->d_name).toCaseFolded(), folder + entry->d_name});
        }
        ::closedir(dir);
    }
    // By name, as the desktop lists them.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.key != b.key ? a.key < b.key : a.path < b.path;
    });
    QList<Proposal> proposals;
    proposals.reserve(static_cast<qsizetype>(entries.size()));
    for (const Entry &entry : entries)
        if (auto proposal = readProposalFile(entry.path))
            proposals.append(std::move(*proposal));
    return proposals;
}

} // namespace customers

ProposalListModel::ProposalListModel(QObject *parent) : QAbstractTableModel(parent) {}

void ProposalListModel::setProposals(QList<customers::Proposal> proposals)
{
    beginResetModel();
    m_proposals = std::move(proposals);
    endResetModel();
}

int ProposalListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_proposals.size());
}

int ProposalListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProposalListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_proposals.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == CustomerName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                              : QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const customers::Proposal &proposal = m_proposals.at(index.row());
    switch (index.column()) {
    case Number:
        return proposal.number;
    case Created:
        return proposal.created;
    case CustomerName:
        return proposal.customer.Customer;
    case Amount:
        return regional::currencyText(proposal.amount);
    default:
        return {};
    }
}

QVariant ProposalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return section == CustomerName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                       : QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const std::array<QString, ColumnCount> headers = {
        QStringLiteral("Proposal No"), QStringLiteral("Created on"),
        QStringLiteral("Customer Information"), QStringLiteral("Amount")};
    return headers[static_cast<std::size_t>(section)];
}
