#include "receivables/balances.h"

#include "core/regional.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"
#include "posting/postedrecords.h"

#include <algorithm>

namespace receivables {

BalanceList ListBalances(const DataFolder &data, const QDate &today)
{
    BalanceList list;
    const LedgerReader reader(data);
    LedgerTally tally;
    customers::ForEachCustomer(data, [&](const CustomerRecord &customer) {
        tally.clear();
        const Ledger ledger = reader.Read(customer.account, tally);
        if (ledger.state == Ledger::State::Absent)
            return;
        AccountBalance row;
        row.account = customer.account;
        row.name = customer.displayName();
        row.lastInvoice = tally.lastInvoice();
        row.balance = tally.balance();
        row.age = tally.ageing(today).oldestDays;
        row.damaged = !ledger.problems.isEmpty();
        row.unreadable = ledger.state == Ledger::State::Unreadable;
        list.total += row.balance;
        list.rows.append(row);
        list.problems.append(ledger.problems);
    }, customers::CustomerFields::Names);
    return list;
}

BalanceListModel::BalanceListModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void BalanceListModel::setRows(QList<AccountBalance> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int BalanceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BalanceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BalanceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const AccountBalance &row = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole) {
        if (index.column() == Balance || index.column() == Age)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    if (role == Qt::ToolTipRole && row.damaged)
        return QStringLiteral("Part of this Account file could not be read");
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Account:
        return row.account;
    case Name:
        return row.name;
    case LastInvoice:
        return row.lastInvoice.isValid() ? regional::shortDate(row.lastInvoice) : QString();
    case Balance:
        return row.unreadable ? QString() : regional::currencyText(row.balance);
    case Age:
        return row.age ? QString::number(*row.age) : QString();
    default:
        return {};
    }
}

QVariant BalanceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Account:
        return QStringLiteral("Account");
    case Name:
        return QStringLiteral("Name");
    case LastInvoice:
        return QStringLiteral("Last Invoice");
    case Balance:
        return QStringLiteral("Balance");
    case Age:
        return QStringLiteral("Days Owed");
    default:
        return {};
    }
}

void BalanceListModel::sort(int column, Qt::SortOrder order)
{
    const auto less = [column](const AccountBalance &a, const AccountBalance &b) {
        switch (column) {
        case Account:
            return a.account.compare(b.account, Qt::CaseInsensitive) < 0;
        case Name:
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        case LastInvoice:
            return a.lastInvoice < b.lastInvoice;
        case Balance:
            return a.balance < b.balance;
        case Age:
            return a.age.value_or(-1) < b.age.value_or(-1);
        default:
            return false;
        }
    };
    beginResetModel();
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_rows.begin(), m_rows.end(), less);
    else
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [&less](const AccountBalance &a, const AccountBalance &b) { return less(b, a); });
    endResetModel();
}

} // namespace receivables
