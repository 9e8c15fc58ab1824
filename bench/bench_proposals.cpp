// The customer selection screen over 20,000 proposal files: its activation (list,
// read each head, fill the grid) beside the floor of opening each file and reading
// its first bytes.
#include "core/appstate.h"
#include "core/datafolder.h"
#include "core/prompts.h"
#include "customers/frmcustomerselection.h"
#include "customers/proposals.h"
#include "ui/navigator.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int ProposalCount = 20000;

class SilentPrompts final : public Prompts
{
public:
    void tell(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return true; }
    bool askOkCancel(const QString &, const QString &) override { return true; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void beep() override {}
};

class StayingNavigator final : public Navigator
{
public:
    bool show(Target, Screen *) override { return true; }
    bool hasScreen(Target) const override { return true; }
    void ExitApplication() override {}
    void OpenWebPage(const QString &) override {}
    bool SettingsFilesPresent() const override { return true; }
    int IncompleteCount() const override { return 0; }
};

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

struct Fixture
{
    QTemporaryDir dir;
    QStringList paths;
    Fixture()
    {
        const QString folder = dir.path() + QStringLiteral("/PelmorProposals/");
        QDir().mkpath(folder);
        for (int n = 1; n <= ProposalCount; ++n) {
            paths.append(folder + QStringLiteral("Proposal%1.txt").arg(n, 5, 10, QChar(u'0')));
            QFile file(paths.last());
            file.open(QIODevice::WriteOnly);
            file.write(proposalFile(n));
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
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
    DataFolder data(fixture().dir.path());
    qsizetype count = 0;
    for (auto _ : state)
        count = customers::ReadProposals(data).size();
    state.counters["proposals"] = double(count);
}
BENCHMARK(BM_ReadProposals)->Unit(benchmark::kMillisecond);

// The screen's activation: the list read and the grid filled.
void BM_SelectionScreenActivation(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    ApplicationState appState;
    SilentPrompts prompts;
    StayingNavigator navigator;
    frmCustomerSelection screen(data, appState, prompts, navigator);
    for (auto _ : state) {
        screen.navigateTo();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SelectionScreenActivation)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
