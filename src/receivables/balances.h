#pragma once

#include "core/money.h"
#include "receivables/ledger.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class DataFolder;

namespace receivables {

// One customer with an account file.
struct AccountBalance
{
    QString account;
    QString name;
    QDate lastInvoice;
    Money balance;
    // Days since the oldest amount not yet paid; nullopt when nothing is owed.
    std::optional<qint64> age;
    // Something in the file could not be read: the balance is as far as it was.
    bool damaged = false;
    // Nothing of it could be read: no balance is shown.
    bool unreadable = false;
};

struct BalanceList
{
    QList<AccountBalance> rows;
    QList<LedgerProblem> problems;
    Money total;
};

// Every customer of the customer file that has an account file (or whose account
// cannot name one), in file order, aged on `today`.
BalanceList ListBalances(const DataFolder &data, const QDate &today);

// The balance list as a grid: sortable by any column, numbers by value.
class BalanceListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BalanceListModel)
public:
    enum Column
    {
        Account,
        Name,
        LastInvoice,
        Balance,
        Age,
        ColumnCount
    };

    explicit BalanceListModel(QObject *parent = nullptr);

    void setRows(QList<AccountBalance> rows);
    const QList<AccountBalance> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QList<AccountBalance> m_rows;
};

} // namespace receivables
