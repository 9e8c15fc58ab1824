// The customer selection screen over 20,000 proposal files: its activation (list,
// read each head, fill the grid) beside the floor of opening each file and reading
// its first bytes.
#include "support/benchsupport.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "customers/frmcustomerselection.h"
#include "customers/proposals.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr int ProposalCount = 20000;

// A proposal as the proposal program writes it: the head, then a body of a few
// kilobytes this program never reads.
QByteArray proposalFile(int n)
{
    const QByteArray number = (n % 2 ? "FP" : "P") + QByteArray::number(n);
    QByteArray bytes = '"' + number + "\"," + QByteArray::number(n * 3.25, 'f', 2) +
                       ",\"12/1/2026\",\"AC" + QByteArray::number(n) + "\",\"Customer " +
                       QByteArray::number(n) + "\"\r\n\"" + QByteArray::number(n) +
                       " Main St\",\"\",\"IL\",\"Springfield\",\"62701\",\"217-555-0100\"\r\n";
    if (!number.contains("FP"))
        bytes += "\"Net 30\",\"Job site\",#TRUE#,0,15,\"J. Smith\",\"Phase 1\"\r\n";
    for (int line = 0; line < 60; ++line)
        bytes += "\"Install fixture line " + QByteArray::number(line) + "\",1,125.5,125.5\r\n";
    return bytes;
}

struct ProposalFolder : bench::DataFixture
{
    QStringList paths;
    ProposalFolder()
    {
        makeFolder(QStringLiteral("PelmorProposals"));
        for (int n = 1; n <= ProposalCount; ++n) {
            const QString name =
                QStringLiteral("/PelmorProposals/Proposal%1.txt").arg(n, 5, 10, QChar(u'0'));
            write(name, proposalFile(n));
            paths.append(path() + name);
        }
    }
};

ProposalFolder &fixture()
{
    static ProposalFolder f;
    return f;
}

// The floor: each file opened and its head read (the first 4 KiB, as the reader's
// first step takes).
void BM_OpenEachAndReadHead(benchmark::State &state)
{
    const QStringList &paths = fixture().paths;
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString &path : paths) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes += file.read(4096).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_OpenEachAndReadHead)->Unit(benchmark::kMillisecond);

void BM_ReadProposals(benchmark::State &state)
{
    DataFolder data(fixture().path());
    qsizetype count = 0;
    for (auto _ : state)
        count = customers::ReadProposals(data).size();
    state.counters["proposals"] = double(count);
}
BENCHMARK(BM_ReadProposals)->Unit(benchmark::kMillisecond);

// The screen's activation: the list read and the grid filled.
void BM_SelectionScreenActivation(benchmark::State &state)
{
    DataFolder data(fixture().path());
    ApplicationState appState;
    bench::QuietPrompts prompts;
    bench::StayingNavigator navigator;
    frmCustomerSelection screen(data, appState, prompts, navigator);
    for (auto _ : state) {
        screen.navigateTo();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SelectionScreenActivation)->Unit(benchmark::kMillisecond);

} // namespace

PELMOR_BENCHMARK_MAIN(QApplication)
