#include "core/rollbackjournal.h"

#include "core/datafolder.h"
#include "core/diskio.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace {

constexpr char Magic[] = "PWINTENT";
constexpr int MagicSize = 8;
constexpr quint16 Version = 1;
constexpr int HashSize = 32;
// An intent holds lengths, a few overwritten fields and names: anything larger is damage.
constexpr qint64 IntentReadLimit = 16 * 1024 * 1024;

using Entry = RollbackJournal::Entry;
using Op = RollbackJournal::Op;
using State = RollbackJournal::State;

QString intentPath(const QString &root)
{
    return root + RollbackJournal::IntentFile;
}

QString keptPath(const QString &root, quint32 kept)
{
    return intentPath(root) + u'.' + QString::number(kept);
}

State stateOf(const QString &absolute)
{
    const QFileInfo info(absolute);
    if (!info.exists() && !info.isSymLink())
        return State::Absent;
    return info.isFile() ? State::File : State::Other;
}

void putBytes(QDataStream &out, const QByteArray &bytes)
{
    out << quint32(bytes.size());
    out.writeRawData(bytes.constData(), int(bytes.size()));
}

bool getBytes(QDataStream &in, QByteArray &bytes)
{
    quint32 size = 0;
    in >> size;
    if (in.status() != QDataStream::Ok || size > quint32(in.device()->bytesAvailable()))
        return false;
    bytes.resize(size);
    return in.readRawData(bytes.data(), int(size)) == int(size);
}

// A damaged intent must not send the undo outside the program folder.
bool isInsideName(const QString &path)
{
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(u'\\'))
        return false;
    const QStringList parts = path.split(u'/');
    for (const QString &part : parts) {
        if (part.isEmpty() || part == u'.' || part == QStringLiteral(".."))
            return false;
    }
    return true;
}

bool removeFile(const QString &absolute)
{
    if (!QFileInfo(absolute).isFile())
        return true;
    return diskio::remove(absolute) && diskio::syncFolder(diskio::folderOf(absolute));
}

// Puts one file back as the entry says it was; false when it could not.
bool undo(const QString &root, const Entry &entry)
{
    const QString absolute = root + u'/' + entry.path;
    if (entry.state == State::Other)
        return true;
    if (entry.state == State::Absent)
        return removeFile(absolute);
    const QFileInfo info(absolute);
    switch (entry.op) {
    case Op::Append:
        if (!info.isFile() || info.size() <= entry.position)
            return true;
        return diskio::truncate(absolute, entry.position) && diskio::syncFile(absolute);
    case Op::Replace: {
        const QString kept = keptPath(root, entry.kept);
        if (QFileInfo(kept).isFile())
            return diskio::rename(kept, absolute);
        // Put back by an undo that was itself cut short.
        return info.isFile();
    }
    case Op::Overwrite: {
        if (!info.isFile())
            return true;
        QFile file(absolute);
        return file.open(QIODevice::ReadWrite) && file.seek(entry.position) &&
               diskio::write(file, entry.bytes) && diskio::sync(file);
    }
    }
    return false;
}

// Undoes the entries last first; the path of the first that failed, or nullopt.
std::optional<QString> undoAll(const QString &root, const RollbackJournal::Intent &intent)
{
    for (auto it = intent.entries.crbegin(); it != intent.entries.crend(); ++it) {
        if (!undo(root, *it))
            return it->path;
    }
    return std::nullopt;
}

void removeKeptCopies(const QString &root)
{
    const QString prefix = QFileInfo(intentPath(root)).fileName() + u'.';
    QDirIterator it(root, {prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        bool number = false;
        it.fileName().mid(prefix.size()).toUInt(&number);
        if (number && !it.fileInfo().isSymLink())
            diskio::remove(it.filePath());
    }
}

// The intent goes first: with it gone, a kept copy left behind is only litter.
bool removeIntent(const QString &root)
{
    if (!diskio::remove(intentPath(root)))
        return false;
    // The intent is gone from this run's view; a failed sync cannot be taken back.
    diskio::syncFolder(root);
    removeKeptCopies(root);
    return true;
}

QString kindMessage(RollbackJournal::Kind kind, const QString &subject, QString &title)
{
    switch (kind) {
    case RollbackJournal::Kind::Posting:
        title = QStringLiteral("Posting Interrupted");
        return QStringLiteral("The Posting of Invoice %1 was interrupted and has been undone.\r\n"
                              "Print and Post Invoice %1 again.")
            .arg(subject);
    case RollbackJournal::Kind::CustomerAdd:
        title = QStringLiteral("Customer Not Added");
        return QStringLiteral("Adding the Customer %1 was interrupted and has been undone.\r\n"
                              "Add the Customer again.")
            .arg(subject);
    case RollbackJournal::Kind::CatalogSave:
        title = QStringLiteral("Catalog Not Saved");
        return QStringLiteral("Saving the Catalog was interrupted and has been undone.\r\n"
                              "Make the changes again.");
    case RollbackJournal::Kind::Payment:
        title = QStringLiteral("Payment Not Recorded");
        return QStringLiteral("Recording a Payment on Account %1 was interrupted and has been "
                              "undone.\r\nRecord the Payment again.")
            .arg(subject);
    }
    title = QStringLiteral("Interrupted Write");
    return QStringLiteral("A write to the data files was interrupted and has been undone.");
}

bool validKind(quint16 kind)
{
    return kind >= quint16(RollbackJournal::Kind::Posting) &&
           kind <= quint16(RollbackJournal::Kind::Payment);
}

} // namespace

RollbackJournal::RollbackJournal(const DataFolder &data, Kind kind, QString subject)
    : m_data(data)
{
    m_intent.kind = kind;
    m_intent.subject = std::move(subject);
}

RollbackJournal::~RollbackJournal()
{
    if (active())
        rollback();
}

QString RollbackJournal::absolute(const QString &inside) const
{
    return m_data.root() + u'/' + inside;
}

bool RollbackJournal::noteAppend(const QString &relative)
{
    Entry entry;
    entry.op = Op::Append;
    entry.path = m_data.path(relative);
    entry.state = stateOf(entry.path);
    if (entry.state == State::File)
        entry.position = QFileInfo(entry.path).size();
    return note(std::move(entry));
}

bool RollbackJournal::noteReplace(const QString &relative)
{
    Entry entry;
    entry.op = Op::Replace;
    entry.path = m_data.path(relative);
    entry.state = stateOf(entry.path);
    return note(std::move(entry));
}

bool RollbackJournal::noteOverwrite(const QString &relative, qint64 offset, qint64 length)
{
    Entry entry;
    entry.op = Op::Overwrite;
    entry.path = m_data.path(relative);
    entry.state = stateOf(entry.path);
    entry.position = offset;
    if (entry.state == State::File) {
        QFile file(entry.path);
        if (offset < 0 || length < 0 || !file.open(QIODevice::ReadOnly) || !file.seek(offset))
            return false;
        entry.bytes = file.read(length);
    }
    return note(std::move(entry));
}

bool RollbackJournal::note(Entry entry)
{
    if (m_finished)
        return false;
    const QString prefix = m_data.root() + u'/';
    if (!entry.path.startsWith(prefix))
        return false;
    entry.path = entry.path.mid(prefix.size());
    // The first note of a file holds what it was before the write began.
    for (const Entry &noted : std::as_const(m_intent.entries)) {
        if (noted.op == entry.op && noted.path == entry.path &&
            (entry.op != Op::Overwrite || noted.position == entry.position))
            return true;
    }
    entry.kept = quint32(m_intent.entries.size() + 1);
    if (!m_begun) {
        m_intent.entries.append(std::move(entry));
        return true;
    }
    if (!keepCopy(entry))
        return false;
    m_intent.entries.append(entry);
    if (writeIntent())
        return true;
    m_intent.entries.removeLast();
    return false;
}

bool RollbackJournal::keepCopy(const Entry &entry)
{
    if (entry.op != Op::Replace || entry.state != State::File)
        return true;
    const QString source = absolute(entry.path);
    const QString kept = keptPath(m_data.root(), entry.kept);
    if (QFileInfo::exists(kept) && !diskio::remove(kept))
        return false;
    // A second name for the same bytes costs nothing; the replacement then makes a
    // new file and leaves these bytes alone. Where links are refused, a copy.
    // The intent is written in the same folder after it, and its sync covers the link.
    if (diskio::link(source, kept))
        return true;
    QFile from(source);
    QFile to(kept);
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (;;) {
        const QByteArray block = from.read(1 << 20);
        if (block.isEmpty())
            break;
        if (!diskio::write(to, block))
            return false;
    }
    return from.error() == QFileDevice::NoError && diskio::sync(to);
}

bool RollbackJournal::writeIntent()
{
    QSaveFile file(intentPath(m_data.root()));
    return file.open(QIODevice::WriteOnly) && diskio::write(file, encode(m_intent)) &&
           diskio::commitNow(file);
}

bool RollbackJournal::begin()
{
    if (m_begun)
        return !m_finished;
    // An intent already there is one the last start could not read or undo: it is kept
    // for whoever checks the books, never written over.
    const QFileInfo left(intentPath(m_data.root()));
    if (left.exists() || left.isSymLink())
        return false;
    for (const Entry &entry : std::as_const(m_intent.entries)) {
        if (!keepCopy(entry)) {
            removeKeptCopies(m_data.root());
            return false;
        }
    }
    if (!writeIntent()) {
        // A rename that went through with its sync failing still left an intent.
        diskio::remove(intentPath(m_data.root()));
        removeKeptCopies(m_data.root());
        return false;
    }
    m_begun = true;
    m_deferred = std::make_unique<diskio::DeferredSyncs>();
    return true;
}

bool RollbackJournal::commit()
{
    if (!active())
        return !m_begun;
    // Appends, in-place writes and replacements reach the disk before the intent goes,
    // and so do the folder entries of files made or removed.
    QStringList files;
    QStringList folders;
    for (const Entry &entry : std::as_const(m_intent.entries)) {
        const QString path = absolute(entry.path);
        const bool isFile = QFileInfo(path).isFile();
        if (isFile && !files.contains(path))
            files.append(path);
        if ((entry.state == State::Absent && isFile) || (entry.state == State::File && !isFile))
            folders.append(diskio::folderOf(path));
    }
    const bool synced = m_deferred->syncAll(files, folders);
    m_deferred.reset();
    if (!synced || !removeIntent(m_data.root())) {
        rollback();
        return false;
    }
    m_finished = true;
    return true;
}

bool RollbackJournal::rollback()
{
    if (!active())
        return true;
    // What the undo puts back is synced at once.
    m_deferred.reset();
    m_finished = true;
    return !undoAll(m_data.root(), m_intent) && removeIntent(m_data.root());
}

QByteArray RollbackJournal::encode(const Intent &intent)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData(Magic, MagicSize);
        out << Version << quint16(intent.kind);
        putBytes(out, intent.subject.toUtf8());
        out << quint32(intent.entries.size());
        for (const Entry &entry : intent.entries) {
            out << quint8(entry.op) << quint8(entry.state);
            putBytes(out, entry.path.toUtf8());
            out << entry.position;
            putBytes(out, entry.bytes);
            out << entry.kept;
        }
    }
    return body + QCryptographicHash::hash(body, QCryptographicHash::Sha256);
}

std::optional<RollbackJournal::Intent> RollbackJournal::decode(const QByteArray &bytes)
{
    if (bytes.size() < MagicSize + HashSize)
        return std::nullopt;
    const QByteArray body = bytes.first(bytes.size() - HashSize);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha256) != bytes.last(HashSize) ||
        !body.startsWith(QByteArrayView(Magic, MagicSize)))
        return std::nullopt;
    QDataStream in(body);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(MagicSize);
    quint16 version = 0;
    quint16 kind = 0;
    QByteArray subject;
    quint32 count = 0;
    in >> version >> kind;
    if (version != Version || !validKind(kind) || !getBytes(in, subject))
        return std::nullopt;
    in >> count;
    Intent intent;
    intent.kind = Kind(kind);
    intent.subject = QString::fromUtf8(subject);
    for (quint32 k = 0; k < count && in.status() == QDataStream::Ok; ++k) {
        quint8 op = 0;
        quint8 state = 0;
        QByteArray path;
        Entry entry;
        in >> op >> state;
        if (op < quint8(Op::Append) || op > quint8(Op::Overwrite) || state > quint8(State::Other) ||
            !getBytes(in, path))
            return std::nullopt;
        in >> entry.position;
        if (!getBytes(in, entry.bytes))
            return std::nullopt;
        in >> entry.kept;
        entry.op = Op(op);
        entry.state = State(state);
        entry.path = QString::fromUtf8(path);
        if (!isInsideName(entry.path) || entry.position < 0)
            return std::nullopt;
        intent.entries.append(std::move(entry));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return intent;
}

Recovery RecoverInterruptedWrite(const DataFolder &data)
{
    Recovery recovery;
    const QString root = data.root();
    const QString path = intentPath(root);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        removeKeptCopies(root);
        return recovery;
    }
    const QString name = RollbackJournal::IntentFile.mid(1);
    std::optional<RollbackJournal::Intent> intent;
    if (info.isFile() && info.size() <= IntentReadLimit) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            intent = RollbackJournal::decode(file.readAll());
    }
    if (!intent) {
        recovery.outcome = Recovery::Outcome::Damaged;
        recovery.title = QStringLiteral("Interrupted Write");
        recovery.message =
            QStringLiteral("The file \"%1\" in \"%2\" could not be read.\r\n"
                           "A Posting or another write to the data files may have been "
                           "interrupted; the data files were left as they are.\r\n"
                           "Keep the file and check the last Invoice posted. Until it is moved "
                           "out of the folder, no Invoice can be Posted.")
                .arg(name, QDir::toNativeSeparators(root));
        return recovery;
    }
    recovery.kind = intent->kind;
    recovery.subject = intent->subject;
    const QString message = kindMessage(intent->kind, intent->subject, recovery.title);
    std::optional<QString> failed = undoAll(root, *intent);
    if (!failed && !removeIntent(root))
        failed = name;
    if (failed) {
        recovery.outcome = Recovery::Outcome::Failed;
        recovery.message = message.section(QStringLiteral("\r\n"), 0, 0)
                               .replace(QStringLiteral("and has been undone."),
                                        QStringLiteral("and could not be undone:")) +
                           QStringLiteral("\r\n\"%1\" could not be put back. The program will "
                                          "try again at its next start.")
                               .arg(*failed);
        return recovery;
    }
    recovery.outcome = Recovery::Outcome::Undone;
    recovery.message = message;
    return recovery;
}
