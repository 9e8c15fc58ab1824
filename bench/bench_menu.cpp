// Main menu activation with many completed-invoice images, and the look-up that
// starting an invoice makes in a full proposal folder.
#include "core/datafolder.h"
#include "core/prompts.h"
#include "menu/frmstartup.h"
#include "ui/navigator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Files = 20000;

class SilentPrompts final : public Prompts
{
public:
    void tell(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return false; }
    bool askOkCancel(const QString &, const QString &) override { return false; }
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
    int IncompleteCount() const override { return 3; }
};

void touch(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

struct Fixture
{
    QTemporaryDir dir;
    Fixture()
    {
        for (const char *folder : {"/CompletedInvoices", "/PelmorProposals", "/Backup"})
            QDir().mkpath(dir.path() + folder);
        for (int n = 0; n < Files; ++n) {
            touch(dir.path() + QStringLiteral("/CompletedInvoices/%1.txt").arg(20260001 + n));
            touch(dir.path() + QStringLiteral("/PelmorProposals/P%1.txt").arg(n));
        }
        for (const char *file : {"/PIInventoriedItems.txt", "/InvoiceSalesJournal.txt", "/SoldItems.txt"})
            touch(dir.path() + file);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_MainMenuActivation(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    SilentPrompts prompts;
    StayingNavigator navigator;
    frmStartup menu(data, prompts, navigator);
    for (auto _ : state)
        menu.Form_Activate();
}
BENCHMARK(BM_MainMenuActivation)->Unit(benchmark::kMicrosecond);

void BM_ProposalLookUp(benchmark::State &state)
{
    DataFolder data(fixture().dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(data.AnyFileMatching(QStringLiteral("\\PelmorProposals"),
                                                      QStringLiteral("*.txt")));
}
BENCHMARK(BM_ProposalLookUp)->Unit(benchmark::kMicrosecond);

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
