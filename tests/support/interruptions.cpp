#include "interruptions.h"

#include "core/datafolder.h"
#include "core/diskio.h"
#include "core/rollbackjournal.h"
#include "testfiles.h"

#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

namespace interruptions {

namespace {

using Files = QMap<QString, QByteArray>;

Files filesOf(const QString &root)
{
    Files files;
    for (const QString &file : testfiles::filesIn(root))
        files.insert(file, testfiles::readBytes(root + file));
    return files;
}

struct Reference
{
    Files before;
    Files after;
};

// One uninterrupted write, counted.
Reference reference(const Fixture &fixture, const Write &write, Report &report)
{
    Reference ref;
    QTemporaryDir dir;
    fixture(dir.path());
    ref.before = filesOf(dir.path());
    diskio::armFault(0, diskio::Fault::Kill);
    const std::optional<QString> error = write(dir.path());
    report.calls = diskio::callCount();
    report.sites = diskio::callSites();
    diskio::disarmFault();
    if (error)
        report.faults.append(QStringLiteral("the uninterrupted write failed: ") + *error);
    ref.after = filesOf(dir.path());
    if (ref.after == ref.before)
        report.faults.append(QStringLiteral("the write changed nothing"));
    return ref;
}

Recovery restart(const QString &root)
{
    const DataFolder data(root);
    return RecoverInterruptedWrite(data);
}

} // namespace

QString Report::summary() const
{
    return QStringLiteral("%1 file-changing calls from %2 call sites, each interrupted once, %3 "
                          "undone: %4")
        .arg(calls)
        .arg(sites.size())
        .arg(undone)
        .arg(sites.join(QStringLiteral(", ")));
}

Report killAtEveryCall(const Fixture &fixture, const Write &write, const QString &message,
                       const QString &title)
{
    Report report;
    const Reference ref = reference(fixture, write, report);
    for (qint64 n = 1; n <= report.calls; ++n) {
        QTemporaryDir dir;
        fixture(dir.path());
        diskio::armFault(n, diskio::Fault::Kill);
        write(dir.path());
        diskio::disarmFault();
        const bool intentLeft = QFileInfo::exists(dir.path() + RollbackJournal::IntentFile);
        const Recovery recovery = restart(dir.path());
        const Files files = filesOf(dir.path());
        const QString run = QStringLiteral("killed at call %1: ").arg(n);
        report.undone += intentLeft;
        if (intentLeft && (recovery.outcome != Recovery::Outcome::Undone ||
                           recovery.message != message || recovery.title != title))
            report.faults.append(run + QStringLiteral("told \"%1\" (%2)").arg(recovery.message, recovery.title));
        if (!intentLeft && recovery.outcome != Recovery::Outcome::Nothing)
            report.faults.append(run + QStringLiteral("recovered without an intent"));
        if (files != ref.before && (intentLeft || files != ref.after))
            report.faults.append(run + QStringLiteral("neither as before nor as after the write"));
    }
    return report;
}

Report fillDiskAtEveryCall(const Fixture &fixture, const Write &write, const QString &errorEnding)
{
    Report report;
    const Reference ref = reference(fixture, write, report);
    for (qint64 n = 1; n <= report.calls; ++n) {
        QTemporaryDir dir;
        fixture(dir.path());
        diskio::armFault(n, diskio::Fault::DiskFull);
        const std::optional<QString> error = write(dir.path());
        diskio::disarmFault();
        const QString run = QStringLiteral("full at call %1: ").arg(n);
        report.undone += error.has_value();
        if (error && !error->endsWith(errorEnding))
            report.faults.append(run + *error);
        // A write that succeeded may leave litter only the next start clears.
        if (!error && restart(dir.path()).outcome != Recovery::Outcome::Nothing)
            report.faults.append(run + QStringLiteral("an intent left after success"));
        if (filesOf(dir.path()) != (error ? ref.before : ref.after))
            report.faults.append(run + (error ? QStringLiteral("not as before") : QStringLiteral("not as after")));
    }
    return report;
}

} // namespace interruptions
