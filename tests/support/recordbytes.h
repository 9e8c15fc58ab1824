#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

// The pieces every fixed-length record is built of, for the record builders beside it.
namespace recordbytes {

// Text of width w: Windows-1252 (Latin-1 for the characters tests use), blank-padded, cut.
inline QByteArray text(const QString &value, int width)
{
    QByteArray bytes = value.toLatin1().left(width);
    return bytes + QByteArray(width - bytes.size(), ' ');
}

template <typename T> QByteArray little(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian<T>(value, bytes.data());
    return bytes;
}

} // namespace recordbytes
