#pragma once

#include <QByteArray>
#include <QString>

// Text files and fixed-width fields are Windows-1252. Characters outside it are
// written as "?", except the no-break spaces some locales put in numbers
// (U+00A0, U+202F), written as 0xA0.
namespace codepage {
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
QString decode(const char *bytes, qsizetype size);
} // namespace codepage
