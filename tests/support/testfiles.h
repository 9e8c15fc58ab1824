#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Fixture files written and read back byte for byte.
namespace testfiles {
// Writes the bytes, making the folders on the way; false when it cannot.
bool writeBytes(const QString &path, const QByteArray &bytes);
// The file's bytes, or "<missing>" when it cannot be read.
QByteArray readBytes(const QString &path);
// Every file below the folder, as "/relative/path", sorted.
QStringList filesIn(const QString &root);
} // namespace testfiles
