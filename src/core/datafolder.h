#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class FixedRecord;

// The folder tree of the data files and the shared file routines. Every path is
// relative ("/Services.txt", "\SoldItems.txt", "//InvoiceSalesJournal.txt"): "\"
// and "/" are alike, doubled separators collapse, and a name not found as written
// is looked up without regard to case in its folder.
class DataFolder final
{
public:
    explicit DataFolder(QString root);
    ~DataFolder();
    DataFolder(const DataFolder &) = delete;
    DataFolder &operator=(const DataFolder &) = delete;

    // Where SafeReplace writes the records it keeps before they replace the file.
    static inline const QString TemporaryFile = QStringLiteral("/TemporaryFile.txt");

    // The folder, without a trailing separator.
    const QString &root() const { return m_root; }
    // The absolute path of a relative one, resolved as above.
    QString path(const QString &relative) const;
    // "/Backup" + relative.
    static QString backupOf(const QString &relative);

    // True when present; otherwise restores it from its "/Backup" copy when there is one.
    bool FileIsPresent(const QString &relative) const;
    // The same, giving the path it found (empty when not present): one look-up where
    // many files are read in turn.
    QString PresentFilePath(const QString &relative) const;
    bool Exists(const QString &relative) const;
    // Creates the folder (and its parents) when it is not there; false when it cannot.
    bool EnsureFolder(const QString &relative);
    // Copies, replacing the target through a temporary name so a failed copy never
    // leaves the target missing.
    bool CopyDataFile(const QString &source, const QString &target) const;
    // File length / record length, rounded ties to even; 0 when absent.
    qint64 RecordCount(const QString &relative, int recordLength) const;
    void DeleteWithBackup(const QString &relative) const;
    void DeleteIfPresent(const QString &relative) const;
    bool ReplaceWithTemporary(const QString &temporary, const QString &target) const;
    // Drops the backup copy and writes the text as one line-file value, atomically.
    bool WriteTextFile(const QString &relative, const QString &text) const;
    // Drops the backup copy and replaces the file with the bytes, atomically.
    bool RewriteFile(const QString &relative, const QByteArray &bytes) const;
    // Whole content; empty when absent (after the restore from "/Backup").
    QByteArray ReadFile(const QString &relative) const;
    // The same, telling an absent file from one that cannot be read.
    struct WholeFile
    {
        enum class State
        {
            Absent,
            Read,
            NotAFile,   // a folder or a pipe in its place, or one that cannot be opened
            ReadFailed, // opened, but a read failed
        };
        State state = State::Absent;
        QByteArray bytes;
    };
    WholeFile ReadWholeFile(const QString &relative) const;
    // Reads the file a block of whole records at a time (the last may end in part of
    // one), handing each to `take` with the number of its first record while it is
    // still in the processor's cache; stops early when take returns false.
    WholeFile::State ReadRecordBlocks(const QString &relative, int recordLength,
                                      const std::function<bool(QByteArrayView, qint64)> &take) const;
    // Appends a record at count + 1 (creating the file).
    bool AppendRecord(const QString &relative, const FixedRecord &record) const;

    // Keeps the records for which keep() is true, through "/TemporaryFile.txt",
    // and copies the result to "/Backup".
    bool SafeReplace(const QString &relative, int recordLength,
                     const std::function<bool(const FixedRecord &)> &keep) const;

    // True when a name in the folder matches the wildcard pattern; stops at the
    // first match instead of listing the whole folder.
    bool AnyFileMatching(const QString &folder, const QString &pattern) const;

    // Removes what an interrupted rewrite leaves behind in the data and backup folders:
    // QSaveFile temporaries of the program's files ("Name.txt.Ab12Cd") and the customer
    // delete's "CUSTOMER.TMP". Only ordinary files go. Run only by the copy that holds
    // the lock, or it would pull the file from under another copy's rewrite.
    void RemoveLeftoverTemporaries() const;

    // The eighteen data files copied to "/Backup" at the end; errors skip a file.
    void BackupDataFiles() const;
    static QStringList BackupFileNames();

private:
    // An open descriptor of the file (restored from "/Backup" when missing), or -1 with
    // what stands in its place.
    int openPresent(const QString &relative, WholeFile::State &state) const;
    struct PathState
    {
        bool exists = false;
        bool isDir = false;
        bool isFile = false;
    };
    static PathState stat(const QString &absolute);
    QString resolve(const QString &relative, PathState &state) const;
    QString lookupIgnoringCase(const QString &relative) const;
    QString m_root;
    // Folder listings by lower-case name, made once per folder.
    mutable QHash<QString, std::shared_ptr<QHash<QString, QString>>> m_listings;
};
