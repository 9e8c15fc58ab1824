#include "records/texttablemodel.h"

namespace records {

TextTableModel::TextTableModel(QStringList headings, QObject *parent)
    : QAbstractTableModel(parent), m_headings(std::move(headings)),
      m_alignment(m_headings.size(), Qt::AlignLeft | Qt::AlignVCenter)
{
}

void TextTableModel::setAlignment(int column, Qt::Alignment alignment)
{
    if (column >= 0 && column < m_alignment.size())
        m_alignment[column] = alignment | Qt::AlignVCenter;
}

void TextTableModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString TextTableModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    const QStringList &cells = m_rows.at(row);
    return column >= 0 && column < cells.size() ? cells.at(column) : QString();
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignment.value(index.column()));
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_headings.value(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignment.value(section));
    return {};
}

} // namespace records
