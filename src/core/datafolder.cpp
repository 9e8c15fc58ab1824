#include "core/datafolder.h"

#include "core/diskio.h"
#include "core/fixedrecord.h"
#include "core/linefile.h"
#include "customers/customerfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "\" and "/" alike, doubled separators collapsed, no leading separator.
QString normalized(const QString &relative)
{
    // Most names are already clean: "/Name" or "/Folder/Name".
    if (relative.startsWith(u'/') && !relative.endsWith(u'/') && !relative.contains(u'\\')
        && !relative.contains(QStringLiteral("//")))
        return relative.mid(1);
    QString out;
    out.reserve(relative.size());
    for (QChar c : relative) {
        if (c == u'\\')
            c = u'/';
        if (c == u'/' && (out.isEmpty() || out.endsWith(u'/')))
            continue;
        out.append(c);
    }
    if (out.endsWith(u'/'))
        out.chop(1);
    return out;
}

bool copyThroughTemporary(const QString &from, const QString &to)
{
    // Opening a pipe would wait for a writer for good.
    if (!QFileInfo(from).isFile())
        return false;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    diskio::Replacement target(to);
    if (!target.open())
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (!target.write(QByteArray::fromRawData(buffer, n)))
            return false;
    }
    return target.commit();
}

} // namespace

DataFolder::DataFolder(QString root) : m_root(QDir::cleanPath(std::move(root)))
{
    if (m_root.endsWith(u'/') && m_root.size() > 1)
        m_root.chop(1);
}

DataFolder::~DataFolder() = default;

QString DataFolder::backupOf(const QString &relative)
{
    return QStringLiteral("/Backup/") + normalized(relative);
}

DataFolder::PathState DataFolder::stat(const QString &absolute)
{
    struct stat buffer;
    if (::stat(QFile::encodeName(absolute).constData(), &buffer) != 0)
        return {};
    return {true, S_ISDIR(buffer.st_mode), S_ISREG(buffer.st_mode)};
}

QString DataFolder::path(const QString &relative) const
{
    PathState state;
    return resolve(relative, state);
}

QString DataFolder::resolve(const QString &relative, PathState &state) const
{
    // One stat when the name is found as written, which is nearly always.
    const QString rel = normalized(relative);
    const QString direct = rel.isEmpty() ? m_root : m_root + u'/' + rel;
    state = stat(direct);
    if (rel.isEmpty() || state.exists)
        return direct;
    const QString found = lookupIgnoringCase(rel);
    if (found != direct)
        state = stat(found);
    return found;
}

QString DataFolder::lookupIgnoringCase(const QString &rel) const
{
    // Walk the components; where one is missing as written, take the entry of its
    // folder that matches without regard to case. Past a missing folder, keep the
    // rest as written.
    QString current = m_root;
    const QStringList parts = rel.split(u'/');
    bool parentExists = true;
    for (const QString &part : parts) {
        QString name = part;
        if (parentExists) {
            auto &listing = m_listings[current];
            if (!listing) {
                listing = std::make_shared<QHash<QString, QString>>();
                QDirIterator it(current, QDir::AllEntries | QDir::Hidden | QDir::System
                                             | QDir::NoDotAndDotDot);
                while (it.hasNext()) {
                    it.next();
                    const QString entry = it.fileName();
                    listing->insert(entry.toLower(), entry);
                }
            }
            const auto found = listing->constFind(part.toLower());
            if (found != listing->constEnd() && QFileInfo::exists(current + u'/' + *found)) {
                name = *found;
            } else if (!QFileInfo::exists(current + u'/' + part)) {
                parentExists = false;
            }
        }
        current += u'/' + name;
    }
    return current;
}

bool DataFolder::Exists(const QString &relative) const
{
    return QFileInfo::exists(path(relative));
}

bool DataFolder::FileIsPresent(const QString &relative) const
{
    return !PresentFilePath(relative).isEmpty();
}

QString DataFolder::PresentFilePath(const QString &relative) const
{
    PathState state;
    const QString target = resolve(relative, state);
    // A folder (or a pipe, which would block the reader) standing where a data file
    // belongs is not the file; nothing replaces it.
    if (state.exists)
        return state.isFile ? target : QString();
    const QString backup = path(backupOf(relative));
    if (!QFileInfo(backup).isFile() || !copyThroughTemporary(backup, target))
        return {};
    return path(relative);
}

bool DataFolder::EnsureFolder(const QString &relative)
{
    PathState state;
    const QString target = resolve(relative, state);
    if (state.exists)
        return state.isDir;
    if (!QDir().mkpath(target))
        return false;
    // Keep remembered listings true to what we made, so a later look-up by
    // another capitalisation finds it.
    QString rel = normalized(relative);
    QString folder = m_root;
    for (const QString &part : rel.split(u'/')) {
        const auto listing = m_listings.constFind(folder);
        const QString child = folder + u'/' + part;
        if (listing != m_listings.constEnd() && *listing && !(*listing)->contains(part.toLower()))
            (*listing)->insert(part.toLower(), part);
        folder = child;
    }
    return true;
}

bool DataFolder::CopyDataFile(const QString &source, const QString &target) const
{
    return copyThroughTemporary(path(source), path(target));
}

qint64 DataFolder::RecordCount(const QString &relative, int recordLength) const
{
    if (recordLength <= 0 || !FileIsPresent(relative))
        return 0;
    const qint64 size = QFileInfo(path(relative)).size();
    const qint64 whole = size / recordLength;
    const qint64 rest = size % recordLength;
    if (2 * rest > recordLength || (2 * rest == recordLength && whole % 2 == 1))
        return whole + 1;
    return whole;
}

void DataFolder::DeleteWithBackup(const QString &relative) const
{
    diskio::remove(path(backupOf(relative)));
    diskio::remove(path(relative));
}

void DataFolder::DeleteIfPresent(const QString &relative) const
{
    diskio::remove(path(relative));
}

bool DataFolder::ReplaceWithTemporary(const QString &temporary, const QString &target) const
{
    const QString from = path(temporary);
    // rename(2) replaces the target in one step, so the old or the new file is always there.
    const bool moved = diskio::rename(from, path(target));
    if (QFileInfo::exists(from))
        diskio::remove(from);
    return moved;
}

bool DataFolder::RewriteFile(const QString &relative, const QByteArray &bytes) const
{
    diskio::Replacement file(path(relative));
    if (!file.open() || !file.write(bytes) || !file.commit())
        return false;
    // The stale backup copy goes only once the new content is in place: a failed write
    // keeps both the file and its backup.
    diskio::remove(path(backupOf(relative)));
    return true;
}

bool DataFolder::WriteTextFile(const QString &relative, const QString &text) const
{
    return RewriteFile(relative, linefile::encodeValue(text));
}

QByteArray DataFolder::ReadFile(const QString &relative) const
{
    WholeFile file = ReadWholeFile(relative);
    return file.state == WholeFile::State::Read ? std::move(file.bytes) : QByteArray();
}

int DataFolder::openPresent(const QString &relative, WholeFile::State &state) const
{
    // Opened as written first: one open and one fstat where most readers would stat,
    // open and stat again. Without blocking, so a pipe in its place cannot hang us.
    const QString rel = normalized(relative);
    const auto openAt = [](const QString &absolute) {
        return ::open(QFile::encodeName(absolute).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    };
    state = WholeFile::State::NotAFile;
    int fd = rel.isEmpty() ? -1 : openAt(m_root + u'/' + rel);
    if (fd < 0) {
        if (rel.isEmpty() || (errno != ENOENT && errno != ENOTDIR))
            return -1;
        // Another capitalisation, or the "/Backup" copy.
        const QString present = PresentFilePath(relative);
        if (present.isEmpty()) {
            if (!Exists(relative))
                state = WholeFile::State::Absent;
            return -1;
        }
        fd = openAt(present);
        if (fd < 0)
            return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    state = WholeFile::State::Read;
    return fd;
}

namespace {

// Fills `into` from fd until it is full or the file ends; false when a read fails.
bool readFully(int fd, char *into, qsizetype room, qsizetype &filled)
{
    filled = 0;
    while (filled < room) {
        const ssize_t got = ::read(fd, into + filled, std::size_t(room - filled));
        if (got > 0)
            filled += got;
        else if (got == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

DataFolder::WholeFile DataFolder::ReadWholeFile(const QString &relative) const
{
    WholeFile file;
    const int fd = openPresent(relative, file.state);
    if (fd < 0)
        return file;
    struct stat info;
    ::fstat(fd, &info);
    // The size is where reading starts; a file that grows meanwhile is read to its end.
    qsizetype room = qsizetype(info.st_size) + 1;
    qsizetype total = 0;
    for (;;) {
        file.bytes.resize(total + room);
        qsizetype filled = 0;
        if (!readFully(fd, file.bytes.data() + total, room, filled)) {
            file.state = WholeFile::State::ReadFailed;
            total = 0;
            break;
        }
        total += filled;
        if (filled < room)
            break;
        room = total + 4096;
    }
    file.bytes.truncate(total);
    ::close(fd);
    return file;
}

DataFolder::WholeFile::State DataFolder::ReadRecordBlocks(
    const QString &relative, int recordLength, const std::function<bool(QByteArrayView, qint64)> &take) const
{
    WholeFile::State state;
    const int fd = openPresent(relative, state);
    if (fd < 0 || recordLength <= 0) {
        if (fd >= 0)
            ::close(fd);
        return fd < 0 ? state : WholeFile::State::NotAFile;
    }
    // Small enough to stay in the second-level cache while it is worked on.
    const qsizetype block = std::max<qsizetype>(1, (128 * 1024) / recordLength) * recordLength;
    QByteArray bytes(block, Qt::Uninitialized);
    qint64 first = 1;
    for (;;) {
        qsizetype filled = 0;
        if (!readFully(fd, bytes.data(), block, filled)) {
            state = WholeFile::State::ReadFailed;
            break;
        }
        if (filled == 0 || !take(QByteArrayView(bytes.constData(), filled), first) || filled < block)
            break;
        first += filled / recordLength;
    }
    ::close(fd);
    return state;
}

bool DataFolder::AppendRecord(const QString &relative, const FixedRecord &record) const
{
    FileIsPresent(relative);
    FixedRecordFile file(path(relative), record.length());
    return file.open() && file.append(record);
}

bool DataFolder::SafeReplace(const QString &relative, int recordLength,
                             const std::function<bool(const FixedRecord &)> &keep) const
{
    if (recordLength <= 0)
        return false;
    const QString &temporary = TemporaryFile;
    const QString target = path(relative);
    // A folder or a pipe in the file's place is left alone (reading a pipe would hang).
    if (QFileInfo::exists(target) && !stat(target).isFile)
        return false;
    // Restored first, as every reader does: opening an absent file would create it
    // empty, and the empty result would then be copied over the good backup.
    if (!FileIsPresent(relative))
        return !Exists(relative);
    {
        // A scratch file left over by a crash must not leak its tail into the result.
        diskio::remove(path(temporary));
        const qint64 count = RecordCount(relative, recordLength);
        QFile source(target);
        if (count > 0 && !source.open(QIODevice::ReadOnly))
            return false;
        QFile kept(path(temporary));
        if (!kept.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        // Read and write in blocks of whole records: one system call per record
        // would make a large journal take seconds.
        constexpr qint64 BlockBytes = 1 << 20;
        const qint64 perBlock = std::max<qint64>(1, BlockBytes / recordLength);
        QByteArray out;
        for (qint64 first = 1; first <= count; first += perBlock) {
            const qint64 records = std::min(perBlock, count - first + 1);
            const QByteArray block = source.read(records * recordLength);
            out.clear();
            for (qint64 i = 0; i < records; ++i) {
                // A last record cut short reads padded with zeros, as a record read does.
                const FixedRecord record(recordLength, block.mid(i * recordLength, recordLength));
                if (keep(record))
                    out.append(record.bytes());
            }
            if (!diskio::write(kept, out))
                return false;
        }
        if (!diskio::flush(kept))
            return false;
    }
    if (!ReplaceWithTemporary(temporary, relative))
        return false;
    // The stale backup goes only once the new content is in place; a backup copy
    // that fails then loses nothing.
    diskio::remove(path(backupOf(relative)));
    CopyDataFile(relative, backupOf(relative));
    return true;
}

bool DataFolder::AnyFileMatching(const QString &folder, const QString &pattern) const
{
    QDirIterator it(path(folder), {pattern}, QDir::Files | QDir::Hidden | QDir::System);
    return it.hasNext();
}

void DataFolder::RemoveLeftoverTemporaries() const
{
    static const QRegularExpression saveFileTemporary(
        QStringLiteral("^.+\\.txt\\.[A-Za-z0-9]{6}$"), QRegularExpression::CaseInsensitiveOption);
    // Every folder whose files are rewritten through a temporary.
    for (const QString &folder :
         {QStringLiteral("/"), QStringLiteral("/Backup"), QStringLiteral("/PIActiveAccounts"),
          QStringLiteral("/Backup/PIActiveAccounts"), QStringLiteral("/CompletedInvoices"),
          QStringLiteral("/PelmorInvoicer/IncompleteInvoices"),
          QStringLiteral("/PelmorInvoicer/Narratives"),
          QStringLiteral("/PelmorInvoicer/Templates/Invoices")}) {
        QDirIterator it(path(folder), QDir::Files | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            if ((name.compare(QStringView(customers::DeleteTemporaryFile).mid(1), Qt::CaseInsensitive) == 0 ||
                 saveFileTemporary.match(name).hasMatch()) &&
                it.fileInfo().isFile() && !it.fileInfo().isSymLink())
                diskio::remove(it.filePath());
        }
    }
}

QStringList DataFolder::BackupFileNames()
{
    return {QStringLiteral("PelmorInvoicerSettings"), QStringLiteral("PIInvoiceNo"),
            QStringLiteral("PIInventoriedItems"),     QStringLiteral("CompanyLogo"),
            QStringLiteral("CustomerData"),           QStringLiteral("CustomItems"),
            QStringLiteral("InvoiceMemo"),            QStringLiteral("InvoiceSalesJournal"),
            QStringLiteral("Labor"),                  QStringLiteral("LogoSettings"),
            QStringLiteral("MyBusinessData"),         QStringLiteral("MyWebSite"),
            QStringLiteral("Narrative"),              QStringLiteral("PrintColors"),
            QStringLiteral("Services"),               QStringLiteral("SoldItems"),
            QStringLiteral("StatementTerms"),         QStringLiteral("TaxRecords")};
}

void DataFolder::BackupDataFiles() const
{
    for (const QString &name : BackupFileNames()) {
        const QString relative = u'/' + name + QStringLiteral(".txt");
        const QString source = path(relative);
        if (!QFileInfo(source).isFile())
            continue;
        copyThroughTemporary(source, path(backupOf(relative)));
    }
}
