#include "core/gridsort.h"

#include "core/regional.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace gridsort {

namespace {

QList<int> identity(qsizetype size)
{
    QList<int> order(size);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

} // namespace

QList<int> genericOrder(const QStringList &keys, Qt::SortOrder sortOrder)
{
    // The numeric test is costly; make it once per key, not once per comparison.
    QList<std::optional<double>> values;
    values.reserve(keys.size());
    for (const QString &key : keys)
        values.append(regional::numeric(key));

    const auto before = [&](int a, int b) {
        const std::optional<double> &va = values.at(a);
        const std::optional<double> &vb = values.at(b);
        if (va && vb)
            return *va < *vb;
        if (va || vb)
            return va.has_value();
        return QString::compare(keys.at(a), keys.at(b), Qt::CaseInsensitive) < 0;
    };
    QList<int> order = identity(keys.size());
    if (sortOrder == Qt::AscendingOrder)
        std::stable_sort(order.begin(), order.end(), before);
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return before(b, a); });
    return order;
}

QList<int> caseInsensitiveOrder(const QStringList &keys)
{
    QList<int> order = identity(keys.size());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return QString::compare(keys.at(a), keys.at(b), Qt::CaseInsensitive) < 0;
    });
    return order;
}

} // namespace gridsort
