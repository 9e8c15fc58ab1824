#pragma once

#include "recordbytes.h"

#include <QByteArray>
#include <QString>

// Catalog records built byte by byte from their written layouts, for fixtures.
namespace catalogbytes {

using recordbytes::little;
using recordbytes::text;

// Money fields count ten-thousandths.
inline QByteArray money(qint64 units)
{
    return little<qint64>(units);
}

inline QByteArray service(const QString &description, const QString &charge, qint16 time)
{
    return text(description, 60) + text(charge, 10) + little<qint16>(time);
}

struct Item
{
    QString description;
    QString category;
    qint64 cost = 0;
    qint64 price = 0;
    qint16 onHand = 0;
    qint64 discountPrice = 0;
    qint32 discountQty = 0;
    qint16 reorderAmount = 0;
    qint16 reorderAt = 0;
};

inline QByteArray item(const Item &i)
{
    return text(i.description, 50) + text(i.category, 20) + money(i.cost) + money(i.price) +
           little<qint16>(i.onHand) + money(i.discountPrice) + little<qint32>(i.discountQty) +
           little<qint16>(i.reorderAmount) + little<qint16>(i.reorderAt);
}

inline QByteArray custom(const QString &description, qint64 price, qint64 discountPrice,
                         qint32 discountQty)
{
    return text(description, 50) + money(price) + money(discountPrice) +
           little<qint32>(discountQty);
}

} // namespace catalogbytes
