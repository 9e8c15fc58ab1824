#include "customers/proposals.h"

#include "core/datafolder.h"
#include "core/regional.h"
#include "core/textrecord.h"
#include "customers/customerfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace customers {

namespace {

constexpr int BaseHeadLength = 11;
constexpr int SkippedValues = 7;
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
    std::array<std::optional<QString>, BaseHeadLength> values;
    for (auto &value : values)
        value = reader.field();
    for (int skipped = BaseHeadLength; skipped < ProposalHeadLength(values[0].value_or(QString()));
         ++skipped)
        reader.field();

    Head head;
    head.complete = values.back().has_value();
    const auto text = [&values](int position) { return values[position - 1].value_or(QString()); };
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
        head.proposal = proposal;
    return head;
}

std::optional<Proposal> readProposalFile(const QString &path)
{
    QFile file(path);
    // Only ordinary files: a pipe would wait for a writer.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    QByteArray bytes;
    for (qint64 wanted = FirstRead;; wanted *= 4) {
        wanted = std::min(wanted, MostRead);
        const QByteArray more = file.read(wanted - bytes.size());
        if (more.isEmpty() && bytes.isEmpty())
            return std::nullopt;
        bytes.append(more);
        const bool whole = file.atEnd() || bytes.size() >= size;
        if (whole)
            return parseHead(bytes).proposal;
        // A value cut by the read would be taken short: parse only whole lines.
        const qsizetype lineEnd = bytes.lastIndexOf('\n');
        if (lineEnd >= 0) {
            const Head head = parseHead(bytes.left(lineEnd + 1));
            if (head.complete)
                return head.proposal;
        }
        if (bytes.size() >= MostRead || more.isEmpty())
            return std::nullopt;
    }
}

} // namespace

int ProposalHeadLength(const QString &number)
{
    return number.contains(QLatin1String("FP")) ? BaseHeadLength : BaseHeadLength + SkippedValues;
}

std::optional<Proposal> ReadProposalHead(const QByteArray &bytes)
{
    return parseHead(bytes).proposal;
}

QList<Proposal> ReadProposals(const DataFolder &data)
{
    QDir folder(data.path(ProposalFolder));
    // Hidden and system entries count, as for the main menu's check; the pattern
    // takes any case of ".txt".
    const QFileInfoList entries =
        folder.entryInfoList({ProposalPattern}, QDir::Files | QDir::Hidden | QDir::System,
                             QDir::Name | QDir::IgnoreCase);
    QList<Proposal> proposals;
    proposals.reserve(entries.size());
    for (const QFileInfo &entry : entries)
        if (auto proposal = readProposalFile(entry.filePath()))
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
