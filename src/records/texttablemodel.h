#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace records {

// The rows of a text grid: row 0 of the classic grid is the header here. Cells are
// plain text; a column may be right-aligned (money) or centred.
class TextTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextTableModel)
public:
    explicit TextTableModel(QStringList headings, QObject *parent = nullptr);

    void setAlignment(int column, Qt::Alignment alignment);
    void setRows(QList<QStringList> rows);
    void clear() { setRows({}); }
    const QList<QStringList> &rows() const { return m_rows; }
    QString cell(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
    QList<Qt::Alignment> m_alignment;
    QList<QStringList> m_rows;
};

} // namespace records
