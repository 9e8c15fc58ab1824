#pragma once

#include "core/money.h"
#include "invoice/invoicedocument.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class DataFolder;

namespace customers {

inline const QString ProposalFolder = QStringLiteral("\\PelmorProposals");
inline const QString ProposalPattern = QStringLiteral("*.txt");

// The head of a proposal file of the proposal program: all this program reads. Its
// first eleven values are the same whatever the number; seven more values of the
// proposal program follow when the number holds no "FP", and are not read.
struct Proposal
{
    QString number;
    Money amount;
    QString created;
    SoldTo customer; // account, name, address 1, address 2, city, state, postal code, telephone
    bool operator==(const Proposal &) const = default;
};

// Reads the head from the first bytes of a proposal file. nullopt when they hold no
// usable proposal: no number, or an account that cannot name a file (the invoice
// posts to the account's receivable file). An amount that is not a number reads as zero.
std::optional<Proposal> ReadProposalHead(const QByteArray &bytes);

// Every readable proposal of the folder, by file name. Only the head of each file is
// read; files that are not ordinary files or hold no usable proposal are left out.
QList<Proposal> ReadProposals(const DataFolder &data);

} // namespace customers

// The proposal grid: number, creation date, customer name, amount as currency.
class ProposalListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProposalListModel)
public:
    enum Column { Number = 0, Created, CustomerName, Amount, ColumnCount };

    explicit ProposalListModel(QObject *parent = nullptr);
    void setProposals(QList<customers::Proposal> proposals);
    const QList<customers::Proposal> &proposals() const { return m_proposals; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<customers::Proposal> m_proposals;
};
