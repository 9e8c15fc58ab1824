#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Interrupts a write across several data files at each of its file-changing calls in
// turn, through the fault point of core/diskio, and checks what the start-up recovery
// leaves.
namespace interruptions {

// Fills a fresh data folder.
using Fixture = std::function<void(const QString &root)>;
// The write, run on the folder: the error it reports, or nullopt when it succeeded.
using Write = std::function<std::optional<QString>(const QString &root)>;

struct Report
{
    // File-changing calls of one uninterrupted write, and where in the code they are.
    qint64 calls = 0;
    QStringList sites;
    // Runs whose files the restart put back.
    int undone = 0;
    // What went wrong, one line a run; empty when all is well.
    QStringList faults;
    QString summary() const;
};

// Kills the write at each call (that call and every later one fail, as in a process
// that is gone), then runs the start-up recovery. Every file must then be byte for
// byte as before the write, or, when no intent was left, as before or as after it;
// an undone write is told with `message` and `title`.
Report killAtEveryCall(const Fixture &fixture, const Write &write, const QString &message,
                       const QString &title);
// Fails each call alone as a full disk does. A write that reports an error ending in
// `errorEnding` must leave every file as before at once; one that succeeds, as after.
Report fillDiskAtEveryCall(const Fixture &fixture, const Write &write, const QString &errorEnding);

} // namespace interruptions
