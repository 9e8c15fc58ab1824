// Main menu activation with many completed-invoice images, and the look-up that
// starting an invoice makes in a full proposal folder.
#include "support/benchsupport.h"

#include "core/datafolder.h"
#include "menu/frmstartup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int Files = 20000;

struct MenuFolder : bench::DataFixture
{
    MenuFolder()
    {
        makeFolder(QStringLiteral("CompletedInvoices"));
        makeFolder(QStringLiteral("PelmorProposals"));
        writeNumbered(QStringLiteral("/CompletedInvoices/%1.txt"), 20260001, Files);
        writeNumbered(QStringLiteral("/PelmorProposals/P%1.txt"), 0, Files);
        for (const char *file :
             {"/PIInventoriedItems.txt", "/InvoiceSalesJournal.txt", "/SoldItems.txt"})
            write(QLatin1String(file));
    }
};

MenuFolder &fixture()
{
    static MenuFolder f;
    return f;
}

void BM_MainMenuActivation(benchmark::State &state)
{
    DataFolder data(fixture().path());
    bench::QuietPrompts prompts(false);
    bench::StayingNavigator navigator(3);
    frmStartup menu(data, prompts, navigator);
    for (auto _ : state)
        menu.Form_Activate();
}
BENCHMARK(BM_MainMenuActivation)->Unit(benchmark::kMicrosecond);

void BM_ProposalLookUp(benchmark::State &state)
{
    DataFolder data(fixture().path());
    for (auto _ : state)
        benchmark::DoNotOptimize(data.AnyFileMatching(QStringLiteral("\\PelmorProposals"),
                                                      QStringLiteral("*.txt")));
}
BENCHMARK(BM_ProposalLookUp)->Unit(benchmark::kMicrosecond);

} // namespace

PELMOR_BENCHMARK_MAIN(QApplication)
