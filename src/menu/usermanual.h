#pragma once

#include <QString>

#include <optional>

// The user manual ships inside the program and is opened in the browser from a copy on disk.
namespace UserManual {

// The manual's HTML text.
QByteArray content();
// The copy installed beside the program; empty when the program runs uninstalled.
QString installedCopy();
// The operator's own folder for the copy (not the shared temporary folder, where another user
// could plant a file of the same name).
QString defaultFolder();
// Writes the manual into the folder, replacing an older copy atomically, and returns the copy's
// path; nullopt when the folder cannot be written.
std::optional<QString> writeCopy(const QString &folder);

} // namespace UserManual
