#pragma once

// Customer records laid out by hand from the written layout, independent of the
// code under test: 328 bytes, Windows-1252 text padded with blanks, two 16-bit
// little-endian words at the end.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace fixture {

struct Customer
{
    QByteArray account;
    QByteArray name;
    QByteArray address1;
    QByteArray address2;
    QByteArray address3;
    QByteArray city;
    QByteArray state;
    QByteArray postal;
    QByteArray address4;
    QByteArray telephone;
    QByteArray cell;
    QByteArray email;
    QByteArray title;
    QByteArray first;
    QByteArray initial;
    QByteArray last;
    QByteArray type = "Individual";
    qint16 flag = 0;
    qint16 spare = 0;
};

inline void put(QByteArray &record, int offset, int width, const QByteArray &text)
{
    QByteArray field = text.left(width);
    field.append(QByteArray(width - field.size(), ' '));
    record.replace(offset, width, field);
}

inline void putWord(QByteArray &record, int offset, qint16 value)
{
    const auto bits = quint16(value);
    record[offset] = char(bits & 0xff);
    record[offset + 1] = char(bits >> 8);
}

inline QByteArray bytes(const Customer &c)
{
    QByteArray r(328, '\0');
    put(r, 0, 20, c.account);
    put(r, 20, 45, c.name);
    put(r, 65, 35, c.address1);
    put(r, 100, 25, c.address2);
    put(r, 125, 25, c.address3);
    put(r, 150, 20, c.city);
    put(r, 170, 2, c.state);
    put(r, 172, 10, c.postal);
    put(r, 182, 25, c.address4);
    put(r, 207, 13, c.telephone);
    put(r, 220, 13, c.cell);
    put(r, 233, 30, c.email);
    put(r, 263, 10, c.title);
    put(r, 273, 15, c.first);
    put(r, 288, 1, c.initial);
    put(r, 289, 25, c.last);
    put(r, 314, 10, c.type);
    putWord(r, 324, c.flag);
    putWord(r, 326, c.spare);
    return r;
}

inline Customer person(const QByteArray &account, const QByteArray &first, const QByteArray &last,
                       const QByteArray &address3 = {})
{
    Customer c;
    c.account = account;
    c.first = first;
    c.last = last;
    c.address3 = address3;
    return c;
}

inline Customer business(const QByteArray &account, const QByteArray &name,
                         const QByteArray &address3 = {})
{
    Customer c;
    c.account = account;
    c.name = name;
    c.type = "Business";
    c.address3 = address3;
    return c;
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fixture
