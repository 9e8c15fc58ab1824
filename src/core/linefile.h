#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Line files: one value a line, CR LF, Windows-1252; a value with line breaks of
// its own (CR LF, LF or CR) is written with CR LF between its lines and reads back as
// several lines.
namespace linefile {
QByteArray encode(const QStringList &values);
QByteArray encodeValue(const QString &value);
// Accepts CR LF and LF; a last line without a line end is still a line, and a final
// line end does not add an empty one.
QStringList decode(const QByteArray &bytes);
} // namespace linefile
