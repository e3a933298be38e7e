// The numbers' figures for one wheel from draws in memory, over 8,000 draws and over the largest
// archive the program accepts, each beside a floor: a plain loop over the same numbers that
// counts, and keeps the last draw of each number and of each play's ambo, terno and quaterna.
// Reading the largest archive's file is timed apart.

#include "BenchArchive.h"
#include "BenchSystem.h"
#include "core/NumberStatistics.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zelmora;

namespace {

const QList<Draw> &eightThousand()
{
    static const QList<Draw> draws = bench::benchDraws(8000, wheelIndex(u"Roma"));
    return draws;
}

const QList<Draw> &largest()
{
    static const QList<Draw> draws = bench::largestArchive().drawsOf(wheelIndex(u"Roma"));
    return draws;
}

using DrawsOf = const QList<Draw> &(*)();

void figures(benchmark::State &state, DrawsOf drawsOf)
{
    const QList<Draw> &draws = drawsOf();
    const PlayNumbers plays = playsOf(bench::benchSystem());
    for (auto _ : state) {
        const NumberStatistics s = numberStatistics(draws, plays);
        if (s.draws != draws.size()) {
            state.SkipWithError("not every draw was counted");
            return;
        }
        benchmark::DoNotOptimize(s.numbers.data());
    }
    state.counters["draws"] = double(draws.size());
}

// The same figures with nothing but arrays: for each draw, each number's count and last index,
// its longest gap, and for each play its hits counted with two loops.
void figuresFloor(benchmark::State &state, DrawsOf drawsOf)
{
    const QList<Draw> &list = drawsOf();
    const PlayNumbers plays = playsOf(bench::benchSystem());
    std::vector<std::array<std::uint8_t, 5>> draws;
    for (const Draw &d : list)
        draws.push_back(d.numbers);
    const int total = int(draws.size());
    for (auto _ : state) {
        int last[91], longest[91] = {}, count[91] = {}, lastWin[8][5];
        std::fill(std::begin(last), std::end(last), -1);
        for (auto &play : lastWin)
            std::fill(std::begin(play), std::end(play), -1);
        for (int i = 0; i < total; ++i) {
            for (std::uint8_t n : draws[std::size_t(i)]) {
                longest[n] = std::max(longest[n], i - last[n] - 1);
                last[n] = i;
                ++count[n];
            }
            for (int p = 0; p < 8; ++p) {
                int hits = 0;
                for (std::uint8_t n : plays[std::size_t(p)])
                    for (std::uint8_t d : draws[std::size_t(i)])
                        hits += n == d;
                for (int k = 2; k <= hits; ++k)
                    lastWin[p][k] = i;
            }
        }
        int delays[91], maxDelays[91];
        for (int n = 1; n <= 90; ++n) {
            delays[n] = total - 1 - last[n];
            maxDelays[n] = std::max(longest[n], delays[n]);
        }
        benchmark::DoNotOptimize(delays);
        benchmark::DoNotOptimize(maxDelays);
        benchmark::DoNotOptimize(count);
        benchmark::DoNotOptimize(lastWin);
    }
}

// Reading the largest archive's file into draws, as the command line reads it: the file, its
// lines and the merged archive.
void readLargest(benchmark::State &state)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bench::largestArchive().toText()) < 0) {
            state.SkipWithError("the archive could not be written");
            return;
        }
    }
    for (auto _ : state) {
        DrawArchive archive;
        archive.merge(readArchiveFile(path)->draws);
        benchmark::DoNotOptimize(archive.size());
    }
}

} // namespace

BENCHMARK_CAPTURE(figures, 8000, &eightThousand)
    ->Name("figures-8000/program")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(figuresFloor, 8000, &eightThousand)
    ->Name("figures-8000/floor")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(figures, largest, &largest)
    ->Name("figures-largest/program")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(figuresFloor, largest, &largest)
    ->Name("figures-largest/floor")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(readLargest)
    ->Name("figures-largest/read")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
