#pragma once

#include <QDate>
#include <QString>

#include <optional>

class DataFolder;

// Makes sure the folder tree exists, with the attachment folders of every
// customer of "/CustomerData.txt". Returns the folder that could not be made.
std::optional<QString> CreateDataFolders(DataFolder &data, const QDate &today);

// The setup is complete when the settings, business and telephone files exist.
bool SettingsFilesPresent(const DataFolder &data);

// The six attachment folders of one customer, "/AuxFiles/<account>/AuxFile0..5";
// empty when the account cannot name a folder.
QStringList AuxFolders(const QString &account);
