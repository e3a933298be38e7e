// Saving and opening a system file and the square check, each beside a floor: the same 106
// bytes written and read through a plain QFile, and a plain loop over the sixteen numbers.

#include "BenchSystem.h"
#include "core/FileIO.h"
#include "core/GridCheck.h"
#include "core/Stakes.h"
#include "core/SystemFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zelmora;

namespace {

using bench::kSquare;

const QString &systemPath()
{
    static QTemporaryDir folder;
    static const QString path = folder.path() + QStringLiteral("/quadrato37.zlm");
    return path;
}

// --- Saving and opening, as the main window's Salva and Apri do -----------------------------

void save(benchmark::State &state)
{
    const Sistema s = bench::benchSystem();
    for (auto _ : state)
        (void)writeWholeFile(systemPath(), encodeSistema(s));
}

void saveFloor(benchmark::State &state)
{
    const QByteArray bytes = encodeSistema(bench::benchSystem());
    for (auto _ : state) {
        QFile file(systemPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size()) {
            state.SkipWithError("the system file cannot be written");
            return;
        }
    }
}

void open(benchmark::State &state)
{
    (void)writeWholeFile(systemPath(), encodeSistema(bench::benchSystem()));
    for (auto _ : state) {
        const std::optional<Sistema> loaded =
            decodeSistema(*readWholeFile(systemPath(), kSystemFileSize));
        if (!loaded) {
            state.SkipWithError("the saved system does not open");
            return;
        }
        benchmark::DoNotOptimize(loaded->Capogioco);
    }
}

void openFloor(benchmark::State &state)
{
    (void)writeWholeFile(systemPath(), encodeSistema(bench::benchSystem()));
    for (auto _ : state) {
        QFile file(systemPath());
        if (!file.open(QIODevice::ReadOnly) ||
            file.read(kSystemFileSize).size() != kSystemFileSize) {
            state.SkipWithError("the system file cannot be read");
            return;
        }
    }
}

// --- The square check ---------------------------------------------------------------------------

CellValues squareCells()
{
    CellValues cells;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            cells[r][c] = kSquare[r][c];
    return cells;
}

void squareCheck(benchmark::State &state)
{
    CellValues cells = squareCells();
    Sistema s;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cells);
        const GridCheckResult result = ControllaGriglia(cells, s);
        benchmark::DoNotOptimize(result.valid);
    }
}

// Every number from 1 to 90, none twice in a row or in a column.
bool plainSquareCheck(const CellValues &cells)
{
    for (const auto &row : cells)
        for (const int n : row)
            if (n < 1 || n > 90)
                return false;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j)
                if (cells[k][i] == cells[k][j] || cells[i][k] == cells[j][k])
                    return false;
    return true;
}

void squareCheckFloor(benchmark::State &state)
{
    CellValues cells = squareCells();
    for (auto _ : state) {
        benchmark::DoNotOptimize(cells);
        const bool valid = plainSquareCheck(cells);
        benchmark::DoNotOptimize(valid);
    }
}

} // namespace

BENCHMARK(save)->Name("zlm-save/program")->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(saveFloor)->Name("zlm-save/floor")->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(open)->Name("zlm-open/program")->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(openFloor)->Name("zlm-open/floor")->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(squareCheck)->Name("square-check/program");
BENCHMARK(squareCheckFloor)->Name("square-check/floor");
