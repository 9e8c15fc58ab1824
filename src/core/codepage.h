#pragma once

#include <QByteArray>
#include <QString>

// Text files and fixed-width fields are Windows-1252. Characters outside it are
// written as "?", except the no-break spaces some locales put in numbers
// (U+00A0, U+202F), written as 0xA0. A character outside the Basic Multilingual
// Plane (a surrogate pair) is one character and becomes one "?". The five bytes
// the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the C1
// controls of the same number and are written back unchanged.
namespace codepage {
QByteArray encode(const QString &text);
// One byte per character of the text, so a width in bytes is a width in characters.
char encodeChar(char32_t codePoint);
QString decode(const QByteArray &bytes);
QString decode(const char *bytes, qsizetype size);
} // namespace codepage
