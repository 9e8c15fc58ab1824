#include "support/benchsupport.h"

#include "core/money.h"
#include "core/regional.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Amounts from cents to hundreds of trillions, both signs.
std::vector<Money> sampleAmounts()
{
    std::vector<Money> amounts;
    qint64 units = 7;
    for (int i = 0; i < 1000; ++i) {
        amounts.push_back(Money::fromUnits(i % 2 == 0 ? units : -units));
        units = (units * 31 + 12345) % 9000000000000000000;
    }
    return amounts;
}

void currencyText(benchmark::State &state)
{
    const auto amounts = sampleAmounts();
    for (auto _ : state) {
        for (const Money amount : amounts)
            benchmark::DoNotOptimize(regional::currencyText(amount));
    }
    state.SetItemsProcessed(state.iterations() * qint64(amounts.size()));
}
BENCHMARK(currencyText);

void parseMoney(benchmark::State &state)
{
    QStringList texts;
    for (const Money amount : sampleAmounts())
        texts.append(regional::currencyText(amount));
    for (auto _ : state) {
        for (const QString &text : texts)
            benchmark::DoNotOptimize(regional::parseMoney(text));
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(parseMoney);

void fromDouble(benchmark::State &state)
{
    std::vector<double> values;
    for (const Money amount : sampleAmounts())
        values.push_back(amount.toDouble() * 1.0725);
    for (auto _ : state) {
        for (const double value : values)
            benchmark::DoNotOptimize(Money::fromDouble(value));
    }
    state.SetItemsProcessed(state.iterations() * qint64(values.size()));
}
BENCHMARK(fromDouble);

} // namespace

int main(int argc, char **argv)
{
    return bench::run(argc, argv);
}
