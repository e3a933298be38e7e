// Checking a system against fifty years of draws on its wheel (8,000 draws), beside a floor:
// a plain loop over the same numbers that counts each play's hits and adds up its winnings.

#include "BenchArchive.h"
#include "BenchSystem.h"
#include "core/SystemCheck.h"
#include "core/WheelCodes.h"

#include <QList>
#include <benchmark/benchmark.h>

using namespace zelmora;

namespace {

constexpr int kDraws = 8000;

// Draws of five different numbers on Roma, every other day, the same every run.
const QList<Draw> &draws()
{
    static const QList<Draw> list =
        bench::benchDraws(kDraws, wheelIndex(u"Roma"), QDate(1975, 1, 4), 2);
    return list;
}

void check(benchmark::State &state)
{
    const Sistema s = bench::benchSystem();
    const QList<Draw> &list = draws();
    for (auto _ : state) {
        const CheckResult result = *checkSystem(*checkedSystem(s), list);
        if (result.totals.drawsChecked != kDraws) {
            state.SkipWithError("not every draw was checked");
            return;
        }
        benchmark::DoNotOptimize(result.totals.net);
    }
}

// The same numbers in plain arrays, each play's hits counted with two loops and its winnings
// taken from a table made once.
void checkFloor(benchmark::State &state)
{
    const Sistema s = bench::benchSystem();
    const CheckedSystem system = *checkedSystem(s);
    std::array<Cents, 5> win{};
    for (int k = 0; k <= 4; ++k)
        win[std::size_t(k)] = playGross(k, system.stakes);
    std::vector<std::array<std::uint8_t, 5>> numbers;
    for (const Draw &d : draws())
        numbers.push_back(d.numbers);
    for (auto _ : state) {
        Cents gross = 0;
        int winning = 0;
        for (const auto &drawn : numbers) {
            Cents drawGross = 0;
            for (const auto &play : system.plays) {
                int hits = 0;
                for (std::uint8_t n : play)
                    for (std::uint8_t d : drawn)
                        hits += n == d;
                drawGross += win[std::size_t(hits)];
            }
            gross += drawGross;
            winning += drawGross > 0;
        }
        benchmark::DoNotOptimize(gross);
        benchmark::DoNotOptimize(winning);
    }
}

} // namespace

BENCHMARK(check)->Name("check/program")->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(checkFloor)->Name("check/floor")->Unit(benchmark::kMicrosecond)->UseRealTime();
