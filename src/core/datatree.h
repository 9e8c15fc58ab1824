#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class DataFolder;

// Makes sure the folder tree exists, with the attachment folders of every
// customer of "/CustomerData.txt". Returns the folder of the main tree that could
// not be made (nothing after it is tried). An attachment folder that cannot be made
// does not stop the rest: it is added to auxFailed when given.
std::optional<QString> CreateDataFolders(DataFolder &data, const QDate &today,
                                         QStringList *auxFailed = nullptr);

// Why a folder could not be made, as a sentence for a message: a file standing at
// its place or at a parent's, or a parent the program may not write in.
QString FolderFailureReason(const DataFolder &data, const QString &relative);
// One message for the attachment folders that could not be made, each with its reason.
QString AuxFoldersMessage(const DataFolder &data, const QStringList &folders);

// The setup is complete when the settings, business and telephone files exist.
bool SettingsFilesPresent(const DataFolder &data);

// The six attachment folders of one customer, "/AuxFiles/<account>/AuxFile0..5";
// empty when the account cannot name a folder.
QStringList AuxFolders(const QString &account);
