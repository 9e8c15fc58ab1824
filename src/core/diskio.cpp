#include "core/diskio.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct FaultPoint
{
    // Read without the lock on every call: an unarmed program pays one load.
    std::atomic<bool> armed{false};
    std::mutex lock;
    qint64 calls = 0;
    qint64 failAt = 0;
    diskio::Fault fault = diskio::Fault::Kill;
    bool tripped = false;
    QSet<QString> sites;
};

FaultPoint &faultPoint()
{
    static FaultPoint point;
    return point;
}

// False when the fault point fails this call. A full disk still lets files be removed
// and shortened.
bool pass(const diskio::Where &where, bool needsRoom = true)
{
    FaultPoint &point = faultPoint();
    if (!point.armed.load(std::memory_order_relaxed))
        return true;
    const std::lock_guard guard(point.lock);
    ++point.calls;
    point.sites.insert(QFileInfo(QString::fromUtf8(where.file_name())).fileName() + u':' +
                       QString::number(where.line()));
    if (point.tripped && point.fault == diskio::Fault::Kill)
        return false;
    if (point.failAt > 0 && point.calls == point.failAt &&
        (needsRoom || point.fault == diskio::Fault::Kill)) {
        point.tripped = true;
        return false;
    }
    return true;
}

thread_local diskio::DeferredSyncs *deferred = nullptr;

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

namespace diskio {

void armFault(qint64 n, Fault fault)
{
    FaultPoint &point = faultPoint();
    const std::lock_guard guard(point.lock);
    point.calls = 0;
    point.failAt = n;
    point.fault = fault;
    point.tripped = false;
    point.sites.clear();
    point.armed = true;
}

void disarmFault()
{
    FaultPoint &point = faultPoint();
    const std::lock_guard guard(point.lock);
    point.armed = false;
    point.failAt = 0;
    point.tripped = false;
}

qint64 callCount()
{
    FaultPoint &point = faultPoint();
    const std::lock_guard guard(point.lock);
    return point.calls;
}

QStringList callSites()
{
    FaultPoint &point = faultPoint();
    const std::lock_guard guard(point.lock);
    QStringList sites(point.sites.cbegin(), point.sites.cend());
    sites.sort();
    return sites;
}

bool faultTripped()
{
    FaultPoint &point = faultPoint();
    const std::lock_guard guard(point.lock);
    return point.tripped;
}

bool write(QFileDevice &file, const QByteArray &bytes, Where where)
{
    return pass(where) && file.write(bytes) == bytes.size();
}

bool flush(QFileDevice &file, Where where)
{
    return pass(where) && file.flush();
}

bool resize(QFileDevice &file, qint64 size, Where where)
{
    return pass(where) && file.resize(size);
}

bool truncate(const QString &path, qint64 size, Where where)
{
    return pass(where, false) && ::truncate(QFile::encodeName(path).constData(), size) == 0;
}

bool remove(const QString &path, Where where)
{
    return pass(where, false) && QFile::remove(path);
}

bool link(const QString &existing, const QString &newName, Where where)
{
    return pass(where) &&
           ::link(QFile::encodeName(existing).constData(), QFile::encodeName(newName).constData()) == 0;
}

namespace {

bool syncFolderOrDefer(const QString &folder, Where where)
{
    if (deferred) {
        deferred->addFolder(folder);
        return true;
    }
    return syncFolder(folder, where);
}

bool commitSaveFile(QSaveFile &file, Where where, bool mayDefer)
{
    if (!pass(where)) {
        file.cancelWriting();
        return false;
    }
    // QSaveFile syncs the new file before its rename; the folder is ours to sync.
    const QString folder = folderOf(file.fileName());
    return file.commit() && (mayDefer ? syncFolderOrDefer(folder, where) : syncFolder(folder, where));
}

} // namespace

bool rename(const QString &from, const QString &to, Where where)
{
    if (!pass(where) ||
        std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    return syncFolderOrDefer(folderOf(to), where);
}

bool commit(QSaveFile &file, Where where)
{
    return commitSaveFile(file, where, true);
}

bool commitNow(QSaveFile &file, Where where)
{
    return commitSaveFile(file, where, false);
}

bool sync(QFileDevice &file, Where where)
{
    return pass(where) && file.flush() && ::fsync(file.handle()) == 0;
}

bool syncFile(const QString &path, Where where)
{
    return pass(where) && syncPath(path, O_RDONLY);
}

bool syncFolder(const QString &path, Where where)
{
    return pass(where) && syncPath(path, O_RDONLY | O_DIRECTORY);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

Replacement::Replacement(QString target) : m_target(std::move(target)) {}

Replacement::~Replacement()
{
    if (m_file.isOpen() || (!m_committed && !m_file.fileName().isEmpty())) {
        m_file.close();
        QFile::remove(m_file.fileName());
    }
}

bool Replacement::open()
{
    // As QSaveFile does: a file the user may not write is not replaced, and a new one
    // keeps the permissions of the old.
    const QFileInfo old(m_target);
    if (old.exists() && !old.isWritable())
        return false;
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix(6, u'0');
        for (QChar &c : suffix)
            c = QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
        m_file.setFileName(m_target + u'.' + suffix);
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (old.isFile())
                m_file.setPermissions(old.permissions());
            return true;
        }
        if (m_file.error() != QFileDevice::OpenError || !QFileInfo::exists(m_file.fileName()))
            break;
    }
    m_file.setFileName(QString());
    return false;
}

bool Replacement::write(const QByteArray &bytes, Where where)
{
    return m_file.isOpen() && diskio::write(m_file, bytes, where);
}

bool Replacement::commit(Where where)
{
    if (!m_file.isOpen() || !diskio::flush(m_file, where))
        return false;
    if (deferred)
        deferred->addFile(m_target);
    else if (!sync(m_file, where))
        return false;
    m_file.close();
    if (!rename(m_file.fileName(), m_target, where))
        return false;
    m_committed = true;
    return true;
}

DeferredSyncs::DeferredSyncs() : m_previous(deferred)
{
    deferred = this;
}

DeferredSyncs::~DeferredSyncs()
{
    deferred = m_previous;
}

void DeferredSyncs::addFile(const QString &path)
{
    if (!m_files.contains(path))
        m_files.append(path);
}

void DeferredSyncs::addFolder(const QString &path)
{
    if (!m_folders.contains(path))
        m_folders.append(path);
}

bool DeferredSyncs::syncAll(const QStringList &files, const QStringList &folders, Where where)
{
    for (const QString &file : files)
        addFile(file);
    for (const QString &folder : folders)
        addFolder(folder);
    struct Job
    {
        QString path;
        int flags;
    };
    std::vector<Job> jobs;
    for (const QString &file : std::as_const(m_files)) {
        if (!pass(where))
            return false;
        jobs.push_back({file, O_RDONLY});
    }
    for (const QString &folder : std::as_const(m_folders)) {
        if (!pass(where))
            return false;
        jobs.push_back({folder, O_RDONLY | O_DIRECTORY});
    }
    std::atomic<bool> synced{true};
    std::vector<std::thread> threads;
    threads.reserve(jobs.size());
    for (const Job &job : jobs)
        threads.emplace_back([&synced, &job] {
            // A file replaced and then removed by the same write has nothing to sync.
            if (!syncPath(job.path, job.flags) && QFileInfo::exists(job.path))
                synced = false;
        });
    for (std::thread &thread : threads)
        thread.join();
    m_files.clear();
    m_folders.clear();
    return synced;
}

} // namespace diskio
