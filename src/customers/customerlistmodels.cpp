#include "customers/customerlistmodels.h"

AccountListModel::AccountListModel(const CustomerFile &customers, QObject *parent)
    : QAbstractListModel(parent), m_customers(customers)
{
    connect(&customers, &CustomerFile::listsAboutToChange, this,
            &AccountListModel::beginResetModel);
    connect(&customers, &CustomerFile::listsChanged, this, &AccountListModel::endResetModel);
}

int AccountListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_customers.accounts().size());
}

QVariant AccountListModel::data(const QModelIndex &index, int role) const
{
    const auto &accounts = m_customers.accounts();
    if (!index.isValid() || index.row() < 0 || index.row() >= accounts.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return accounts.text(index.row()).toString();
    case RecordRole:
        return accounts.record(index.row());
    default:
        return {};
    }
}

CustomerRowsModel::CustomerRowsModel(QObject *parent) : QAbstractTableModel(parent) {}

void CustomerRowsModel::setRows(QList<CustomerFile::FoundRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void CustomerRowsModel::setHeaders(const QStringList &headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int CustomerRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CustomerRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CustomerRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return {};
    const CustomerFile::FoundRow &row = m_rows.at(index.row());
    if (role == RecordRole)
        return row.record;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return row.name;
    case 1:
        return row.telephone;
    case 2:
        return QString::number(row.record);
    default:
        return {};
    }
}

QVariant CustomerRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
