#include "core/NumberStatistics.h"

#include <algorithm>
#include <bit>

namespace zelmora {

namespace {

// How often the progress callback is asked.
constexpr int kProgressEvery = 8192;

} // namespace

PlayNumbers playsOf(const Sistema &sistema)
{
    Sistema s = sistema;
    Trasponi(s);
    PlayNumbers plays{};
    for (int play = 1; play <= kGiocate; ++play)
        plays[std::size_t(play - 1)] = giocata(s, play);
    return plays;
}

NumberStatistics numberStatistics(const QList<Draw> &draws, const PlayNumbers &plays,
                                  const StatisticsProgress &progress)
{
    NumberStatistics result;
    const int total = int(draws.size());
    result.draws = total;
    if (total == 0)
        return result;
    result.firstDate = draws.first().date;
    result.lastDate = draws.last().date;

    // The index of the last draw holding each number (-1: none yet), and the longest gap
    // between two of them, the one before the first appearance included.
    std::array<int, 91> last;
    last.fill(-1);
    std::array<int, 91> longest{};
    std::array<int, 91> frequency{};
    // For each number, the plays that hold it, as a bit mask.
    std::array<std::uint8_t, 91> playsHolding{};
    for (int p = 0; p < kGiocate; ++p) {
        std::array<bool, 91> seen{};
        for (std::uint8_t n : plays[std::size_t(p)])
            if (n >= 1 && n <= 90 && !seen[n]) {
                seen[n] = true;
                playsHolding[n] |= std::uint8_t(1u << p);
            }
    }
    // For each play, the last draw holding at least 2, 3 and 4 of its numbers.
    std::array<std::array<int, 3>, kGiocate> lastWin;
    for (auto &l : lastWin)
        l.fill(-1);

    for (int i = 0; i < total; ++i) {
        if (progress && i % kProgressEvery == 0 && i > 0 && !progress(i, total)) {
            result.interrupted = true;
            return result;
        }
        std::array<std::uint8_t, kGiocate> hits{};
        for (std::uint8_t n : draws[i].numbers) {
            if (n < 1 || n > 90)
                continue;
            longest[n] = std::max(longest[n], i - last[n] - 1);
            last[n] = i;
            ++frequency[n];
            for (std::uint8_t mask = playsHolding[n]; mask; mask &= std::uint8_t(mask - 1))
                ++hits[std::size_t(std::countr_zero(mask))];
        }
        for (int p = 0; p < kGiocate; ++p)
            for (int k = 2; k <= std::min<int>(hits[std::size_t(p)], 4); ++k)
                lastWin[std::size_t(p)][std::size_t(k - 2)] = i;
    }

    for (int n = 1; n <= 90; ++n) {
        NumberFigures &f = result.numbers[std::size_t(n - 1)];
        f.frequency = frequency[std::size_t(n)];
        f.delay = total - 1 - last[std::size_t(n)];
        f.maxDelay = std::max(longest[std::size_t(n)], f.delay);
    }
    for (int p = 0; p < kGiocate; ++p)
        for (int k = 0; k < 3; ++k)
            result.plays[std::size_t(p)][std::size_t(k)] =
                total - 1 - lastWin[std::size_t(p)][std::size_t(k)];
    if (progress)
        progress(total, total);
    return result;
}

QString delayText(int delay, int draws)
{
    return draws > 0 && delay >= draws ? QStringLiteral("mai") : QString::number(delay);
}

} // namespace zelmora
