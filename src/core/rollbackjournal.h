#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class DataFolder;
namespace diskio {
class DeferredSyncs;
}

// Makes a write across several data files all or nothing. Before the first change,
// what the write is about to change is recorded in "WriteIntent.dat" in the program
// folder and synced to disk: the length of each file it appends to, the bytes it
// overwrites in place, and a kept copy (a hard link) of each file it replaces or
// removes. commit() syncs the changed files and removes the intent; a write that
// fails is undone by rollback(), and one cut short by a kill or a power cut is undone
// at the next start (RecoverInterruptedWrite).
//
//     RollbackJournal journal(data, RollbackJournal::Kind::Posting, number);
//     journal.noteAppend(SalesJournalFile);    // ... every file, before begin()
//     if (!journal.begin()) return;            // nothing written yet
//     ... the writes; on a failure: journal.rollback() ...
//     journal.commit();
class RollbackJournal final
{
public:
    static inline const QString IntentFile = QStringLiteral("/WriteIntent.dat");

    // What the write is, for the message at the next start. Stored as a number.
    enum class Kind : quint16 {
        Posting = 1,     // subject: the invoice number
        CustomerAdd = 2, // subject: the account number
        CatalogSave = 3,
        Payment = 4, // subject: the account number
    };

    RollbackJournal(const DataFolder &data, Kind kind, QString subject);
    // Undoes what a begun and uncommitted write changed.
    ~RollbackJournal();
    RollbackJournal(const RollbackJournal &) = delete;
    RollbackJournal &operator=(const RollbackJournal &) = delete;

    // Each note comes before the change it covers. Before begin() notes are only
    // gathered; after it each one is on disk before it returns. False when it could
    // not be recorded: the change must not be made.
    // A file that grows at its end only.
    bool noteAppend(const QString &relative);
    // A file replaced whole through a rename, or removed. It must not be written in
    // place: the kept copy shares its bytes.
    bool noteReplace(const QString &relative);
    // Bytes changed in place.
    bool noteOverwrite(const QString &relative, qint64 offset, qint64 length);

    // Records the intent on disk; false when it could not (nothing may be written).
    bool begin();
    // Syncs every changed file and removes the intent. False when that failed; the
    // write is then undone.
    bool commit();
    // Puts every noted file back as it was; false when some could not be (the intent
    // then stays for the next start).
    bool rollback();

    bool active() const { return m_begun && !m_finished; }

    enum class Op : quint8 { Append = 1, Replace = 2, Overwrite = 3 };
    enum class State : quint8 { Absent = 0, File = 1, Other = 2 };
    struct Entry
    {
        Op op = Op::Append;
        State state = State::Absent;
        QString path;         // below the program folder, "/" separated
        qint64 position = 0;  // append: the length before; overwrite: the offset
        QByteArray bytes;     // overwrite: the bytes before
        quint32 kept = 0;     // replace: the number of the kept copy
        bool operator==(const Entry &) const = default;
    };
    struct Intent
    {
        Kind kind = Kind::Posting;
        QString subject;
        QList<Entry> entries;
        bool operator==(const Intent &) const = default;
    };
    // The intent file's bytes: "PWINTENT", version 1, then the intent, all little-endian,
    // closed by the SHA-256 of everything before it.
    static QByteArray encode(const Intent &intent);
    // nullopt when the bytes are short, damaged or of another version.
    static std::optional<Intent> decode(const QByteArray &bytes);

private:
    bool note(Entry entry);
    bool keepCopy(const Entry &entry);
    bool writeIntent();
    bool finish();
    QString absolute(const QString &inside) const;

    const DataFolder &m_data;
    Intent m_intent;
    // From begin() to the end, the syncs of the write wait for commit().
    std::unique_ptr<diskio::DeferredSyncs> m_deferred;
    bool m_begun = false;
    bool m_finished = false;
};

// At start-up, before anything reads the data files: undoes a write that an intent
// left behind says was interrupted.
struct Recovery
{
    enum class Outcome {
        Nothing,  // no intent: nothing was interrupted
        Undone,   // undone and the intent removed
        Damaged,  // the intent cannot be read: kept, nothing touched
        Failed,   // some file could not be put back: the intent stays for the next start
    };
    Outcome outcome = Outcome::Nothing;
    RollbackJournal::Kind kind = RollbackJournal::Kind::Posting;
    QString subject;
    // What the operator is told, empty for Nothing.
    QString message;
    QString title;
};
Recovery RecoverInterruptedWrite(const DataFolder &data);
