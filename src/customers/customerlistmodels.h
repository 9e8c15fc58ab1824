#pragma once

#include "customers/customerfile.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// Item models over the customer lists, so the account list and the result grid
// show tens of thousands of customers without one widget item each.

// The account list in its sorted order: the entry's text, and the record number
// as the item data (Qt::UserRole). Follows every rebuild of the lists.
class AccountListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccountListModel)
public:
    static constexpr int RecordRole = Qt::UserRole;

    explicit AccountListModel(const CustomerFile &customers, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const CustomerFile &m_customers;
};

// Rows of a search or of the whole list: name, telephone, record number; the record
// number is also the item data (Qt::UserRole) of every cell.
class CustomerRowsModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CustomerRowsModel)
public:
    static constexpr int RecordRole = Qt::UserRole;

    explicit CustomerRowsModel(QObject *parent = nullptr);
    void setRows(QList<CustomerFile::FoundRow> rows);
    const QList<CustomerFile::FoundRow> &rows() const { return m_rows; }
    void setHeaders(const QStringList &headers);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<CustomerFile::FoundRow> m_rows;
    QStringList m_headers;
};
