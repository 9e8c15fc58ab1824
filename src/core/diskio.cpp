#include "core/diskio.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <atomic>
#include <cstdio>
#include <mutex>

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

bool rename(const QString &from, const QString &to, Where where)
{
    if (!pass(where) ||
        std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    return syncFolder(folderOf(to), where);
}

bool commit(QSaveFile &file, Where where)
{
    if (!pass(where)) {
        file.cancelWriting();
        return false;
    }
    // QSaveFile syncs the new file before its rename; the folder is ours to sync.
    return file.commit() && syncFolder(folderOf(file.fileName()), where);
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

} // namespace diskio
