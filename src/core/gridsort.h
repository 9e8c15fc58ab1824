#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The orders the text grids sort by. Both are stable: rows with equal keys keep
// their order.
namespace gridsort {

// The "generic" ascending order: keys that are numbers come first, by value, then
// every other text ignoring case. Descending is the exact reverse of that order,
// except that equal keys still keep their order. Returns the row positions in
// their new order.
QList<int> genericOrder(const QStringList &keys, Qt::SortOrder order = Qt::AscendingOrder);
// Plain text ascending, ignoring case (numbers are text here: "10" before "9").
QList<int> caseInsensitiveOrder(const QStringList &keys);

// The rows rearranged in the given order.
template <typename T> QList<T> reordered(const QList<T> &rows, const QList<int> &order)
{
    QList<T> result;
    result.reserve(order.size());
    for (int index : order)
        result.append(rows.at(index));
    return result;
}

} // namespace gridsort
