#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QFile>

#include <source_location>

class QFileDevice;
class QSaveFile;

// The calls that change data files on disk. They all pass one fault point, so a test
// can make the nth of them fail as a kill or a full disk would, and they hold the
// fsync helpers that make a change survive a power cut.
namespace diskio {

using Where = std::source_location;

enum class Fault {
    // The nth call and every later one fail: the process is gone.
    Kill,
    // Only the nth call fails, as on a full disk: unless it removes or shortens a file.
    DiskFull,
};

// Counts file-changing calls from now on and fails the nth (n >= 1); n = 0 only counts.
void armFault(qint64 n, Fault fault);
// Back to normal: no call fails and nothing is counted.
void disarmFault();
// Since the last armFault: the calls made, and the places in the code they came from.
qint64 callCount();
QStringList callSites();
bool faultTripped();

// Each returns false when the call failed (or the fault point failed it).
bool write(QFileDevice &file, const QByteArray &bytes, Where where = Where::current());
bool flush(QFileDevice &file, Where where = Where::current());
bool resize(QFileDevice &file, qint64 size, Where where = Where::current());
bool truncate(const QString &path, qint64 size, Where where = Where::current());
bool remove(const QString &path, Where where = Where::current());
bool link(const QString &existing, const QString &newName, Where where = Where::current());
// rename(2), then the folder of the target is synced so the rename lasts.
bool rename(const QString &from, const QString &to, Where where = Where::current());
// Commits the temporary over the file and syncs the folder, as rename() does.
bool commit(QSaveFile &file, Where where = Where::current());
// The same, never left to a DeferredSyncs: for what must be on disk before anything else.
bool commitNow(QSaveFile &file, Where where = Where::current());
// fsync of an open file, of a file by name, of a folder (its entries).
bool sync(QFileDevice &file, Where where = Where::current());
bool syncFile(const QString &path, Where where = Where::current());
bool syncFolder(const QString &path, Where where = Where::current());
// The folder holding a path.
QString folderOf(const QString &path);

// A new file written beside the target ("Name.txt.Ab12Cd") and renamed over it, so the
// old or the new file is there at every instant. Unless committed, the temporary goes.
class Replacement final
{
public:
    explicit Replacement(QString target);
    ~Replacement();
    Replacement(const Replacement &) = delete;
    Replacement &operator=(const Replacement &) = delete;

    bool open();
    bool write(const QByteArray &bytes, Where where = Where::current());
    // Syncs the new file, renames it over the target and syncs the folder.
    bool commit(Where where = Where::current());

private:
    QString m_target;
    QFile m_file;
    bool m_committed = false;
};

// While one lives (on this thread), the syncs of replaced files and of folders after a
// rename are collected rather than made, and syncAll() makes them together: one flush
// of the file system's journal then serves them all, where one after another each
// waits for its own.
class DeferredSyncs final
{
public:
    DeferredSyncs();
    ~DeferredSyncs();
    DeferredSyncs(const DeferredSyncs &) = delete;
    DeferredSyncs &operator=(const DeferredSyncs &) = delete;

    void addFile(const QString &path);
    void addFolder(const QString &path);
    // Syncs what was collected and these, at once; false when any sync failed.
    bool syncAll(const QStringList &files, const QStringList &folders,
                 Where where = Where::current());

private:
    QStringList m_files;
    QStringList m_folders;
    DeferredSyncs *m_previous;
};

} // namespace diskio
