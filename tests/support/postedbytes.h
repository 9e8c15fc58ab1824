#pragma once

#include "recordbytes.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// The files a posted invoice leaves, built byte by byte from their written layouts
// for fixtures and for comparing what posting wrote.
namespace postedbytes {

using recordbytes::little;
using recordbytes::text;

// Days since 30 December 1899 as a little-endian double.
inline QByteArray date(const QDate &day)
{
    const double serial = day.isValid() ? double(QDate(1899, 12, 30).daysTo(day)) : 0.0;
    return little<double>(serial);
}

// Money counts ten-thousandths.
inline QByteArray money(qint64 units)
{
    return little<qint64>(units);
}

// "/InvoiceSalesJournal.txt", 125 bytes.
inline QByteArray journal(const QString &name, const QString &account, const QString &invoice,
                          const QDate &day, qint64 subTotal, qint64 tax, qint64 discount,
                          qint64 total)
{
    return text(name, 45) + text(account, 20) + text(invoice, 20) + date(day) + money(subTotal) +
           money(tax) + money(discount) + money(total);
}

// "\SoldItems.txt", 90 bytes.
inline QByteArray soldItem(const QString &description, const QDate &day, const QString &invoice,
                           qint16 quantity)
{
    return text(description, 60) + date(day) + text(invoice, 20) + little<qint16>(quantity);
}

// "/TaxRecords.txt", 75 bytes.
inline QByteArray tax(const QString &heading, const QString &day, const QString &invoice,
                      const QString &amount)
{
    return text(heading, 20) + text(day, 15) + text(invoice, 30) + text(amount, 10);
}

// A receivable entry or a payment record, 155 bytes.
inline QByteArray ledger(const QString &customer, const QString &account, const QString &day,
                         const QString &description, const QString &amount)
{
    return text(customer, 45) + text(account, 25) + text(day, 15) + text(description, 60) +
           text(amount, 10);
}
inline QByteArray payment(const QString &name, const QString &account, const QString &day,
                          const QString &form, const QString &amount)
{
    return ledger(name, account, day, form, amount);
}

// A completed-invoice image.
struct Image
{
    QString number;
    QString account;
    QString name;
    QString date;
    QString amount;
    QStringList billTo = QStringList(6, QString());
    QStringList shipTo = QStringList(6, QString());
    QString shipVia;
    QString shipDate;
    QString invoiceNumber;
    QString accountNumber;
    QString reference;
    QString attention;
    QList<QStringList> lines; // six cells each
    QStringList totals = QStringList(7, QString());
};

inline QByteArray image(const Image &i)
{
    const QByteArray end("\r\n");
    const auto plain = [&end](const QString &v) { return v.toLatin1() + end; };
    const auto quoted = [&end](const QString &v) { return '"' + v.toLatin1() + '"' + end; };
    QByteArray out = plain(i.number) + plain(i.account) + plain(i.name) + plain(i.date) +
                     plain(i.amount);
    for (const QString &v : i.billTo)
        out += quoted(v);
    for (const QString &v : i.shipTo)
        out += quoted(v);
    out += plain(i.shipVia) + plain(i.shipDate) + plain(i.invoiceNumber) +
           plain(i.accountNumber) + plain(i.reference) + plain(i.attention) +
           plain(QString::number(i.lines.size()));
    for (const QStringList &line : i.lines)
        for (const QString &cell : line)
            out += plain(cell);
    QStringList fields;
    for (const QString &v : i.totals)
        fields.append('"' + v + '"');
    return out + fields.join(',').toLatin1() + end;
}

} // namespace postedbytes
