#include "core/datatree.h"

#include "core/datafolder.h"
#include "core/names.h"
#include "customers/customerfile.h"
#include "dialer/telephone.h"
#include "setup/settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

bool isFolder(const QByteArray &native)
{
    struct stat buffer;
    return ::stat(native.constData(), &buffer) == 0 && S_ISDIR(buffer.st_mode);
}

// The aux folders of one account. Start-up checks tens of thousands of them, so
// those found as written cost one stat each and no strings; the rest go the full way.
std::optional<QString> ensureAuxFolders(DataFolder &data, const QByteArray &nativeRoot,
                                        const QString &account)
{
    const QString trimmed = account.trimmed();
    if (!names::isSafeFileName(trimmed))
        return std::nullopt;
    QByteArray native = nativeRoot + "/AuxFiles/" + QFile::encodeName(trimmed);
    const qsizetype baseLength = native.size();
    bool allThere = isFolder(native);
    for (char j = '0'; allThere && j <= '5'; ++j) {
        native.truncate(baseLength);
        native += "/AuxFile";
        native += j;
        allThere = isFolder(native);
    }
    if (allThere)
        return std::nullopt;
    for (const QString &folder : AuxFolders(trimmed)) {
        if (!data.EnsureFolder(folder))
            return folder;
    }
    return std::nullopt;
}

} // namespace

QStringList AuxFolders(const QString &account)
{
    const QString trimmed = account.trimmed();
    if (!names::isSafeFileName(trimmed))
        return {};
    const QString base = QStringLiteral("/AuxFiles/") + trimmed;
    QStringList folders{base};
    for (int j = 0; j <= 5; ++j)
        folders.append(base + QStringLiteral("/AuxFile") + QString::number(j));
    return folders;
}

QString FolderFailureReason(const DataFolder &data, const QString &relative)
{
    QFileInfo at(data.path(relative));
    // The nearest part of the path that is there tells what went wrong.
    while (!at.exists() && at.absoluteFilePath() != at.absolutePath())
        at = QFileInfo(at.absolutePath());
    const QString shown = QDir::toNativeSeparators(at.absoluteFilePath());
    if (at.exists() && !at.isDir())
        return QStringLiteral("\"%1\" is a file, not a folder.").arg(shown);
    if (at.exists() && !at.isWritable())
        return QStringLiteral("Pelmor Invoicer may not write in \"%1\".").arg(shown);
    return QStringLiteral("The system refused to create it.");
}

QString AuxFoldersMessage(const DataFolder &data, const QStringList &folders)
{
    // Enough to find the trouble; thousands of lines would not fit on the screen.
    constexpr int Shown = 10;
    QString text = QStringLiteral("These customer attachment folders could not be created; "
                                  "their notes cannot be kept:");
    for (qsizetype i = 0; i < folders.size() && i < Shown; ++i)
        text += QStringLiteral("\r\n%1\r\n    %2")
                    .arg(QDir::toNativeSeparators(data.path(folders.at(i))),
                         FolderFailureReason(data, folders.at(i)));
    if (folders.size() > Shown)
        text += QStringLiteral("\r\nand %1 more.").arg(folders.size() - Shown);
    return text;
}

std::optional<QString> CreateDataFolders(DataFolder &data, const QDate &today,
                                         QStringList *auxFailed)
{
    QStringList folders{u'/' + QString::number(today.year()).rightJustified(4, u'0')};
    folders << QStringLiteral("/CompletedInvoices") << QStringLiteral("/PIActiveAccounts")
            << QStringLiteral("/Backup") << QStringLiteral("/Backup/PIActiveAccounts")
            << QStringLiteral("/Backup/CompletedInvoices") << QStringLiteral("/Templates")
            << QStringLiteral("/AuxFiles") << QStringLiteral("/PelmorInvoicer")
            << QStringLiteral("/PelmorInvoicer/IncompleteInvoices")
            << QStringLiteral("/PelmorInvoicer/Narratives")
            << QStringLiteral("/PelmorInvoicer/Templates")
            << QStringLiteral("/PelmorInvoicer/Templates/Invoices");
    for (const QString &folder : folders) {
        if (!data.EnsureFolder(folder))
            return folder;
    }

    const QByteArray nativeRoot = QFile::encodeName(data.root());
    customers::ForEachAccount(data, [&](const QString &account) {
        // A blank or unsafe account gets no folder: it could name one outside
        // "/AuxFiles". One customer's attachments are not worth the whole program.
        if (const auto failed = ensureAuxFolders(data, nativeRoot, account); failed && auxFailed)
            auxFailed->append(*failed);
    });
    return std::nullopt;
}

bool SettingsFilesPresent(const DataFolder &data)
{
    // Each is checked, so that every missing one is restored from "/Backup".
    const bool settings = data.FileIsPresent(settingsfiles::SettingsFile);
    const bool business = data.FileIsPresent(settingsfiles::BusinessDataFile);
    const bool phone = data.FileIsPresent(dialer::PhoneFileName);
    return settings && business && phone;
}
