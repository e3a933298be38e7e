#include "core/SystemCheck.h"

#include "core/RuntimeError.h"

#include <bit>

namespace zelmora {

namespace {

// A set of numbers 1 to 90 as two 64-bit masks, so a play's hits are one AND and a count.
struct NumberSet
{
    std::uint64_t low = 0, high = 0;

    void add(int n)
    {
        if (n < 1 || n > 90)
            return; // an empty cell, or a number no draw holds
        if (n < 64)
            low |= std::uint64_t(1) << n;
        else
            high |= std::uint64_t(1) << (n - 64);
    }
    int common(const NumberSet &other) const
    {
        return std::popcount(low & other.low) + std::popcount(high & other.high);
    }
};

// Adds b to a; false, with a unchanged, when the sum would not fit.
bool addChecked(Cents &a, Cents b)
{
    Cents sum;
    if (__builtin_add_overflow(a, b, &sum))
        return false;
    a = sum;
    return true;
}

// How often the progress callback is asked.
constexpr int kProgressEvery = 256;

} // namespace

Result<CheckedSystem> checkedSystem(const Sistema &sistema)
{
    Sistema s = sistema;
    Trasponi(s);
    CheckedSystem system;
    for (int play = 1; play <= kGiocate; ++play)
        system.plays[std::size_t(play - 1)] = giocata(s, play);
    for (int i = 0; i < 3; ++i) {
        const Result<Cents> stake = stakeCents(sistema.Puntate[std::size_t(i)]);
        if (!stake)
            return stake.error();
        system.stakes[std::size_t(i)] = *stake;
    }
    system.stakedPerDraw = 8 * (system.stakes[0] + system.stakes[1] + system.stakes[2]);
    return system;
}

QList<PlayWin> CheckResult::playsOf(const DrawWin &win) const
{
    QList<PlayWin> out;
    for (int play = 1; play <= kGiocate; ++play) {
        const int hits = win.hitsOf(play);
        if (playGross[std::size_t(hits)] > 0)
            out.append({play, hits, playGross[std::size_t(hits)], playNet[std::size_t(hits)]});
    }
    return out;
}

int CheckResult::winningPlays(const DrawWin &win) const
{
    int count = 0;
    for (int play = 1; play <= kGiocate; ++play)
        count += playGross[std::size_t(win.hitsOf(play))] > 0 ? 1 : 0;
    return count;
}

int hitsOf(const std::array<std::uint8_t, 4> &play, const std::array<std::uint8_t, 5> &drawn)
{
    int hits = 0;
    for (std::uint8_t n : play)
        for (std::uint8_t d : drawn)
            if (n == d) {
                ++hits;
                break;
            }
    return hits;
}

Result<CheckResult> checkSystem(const CheckedSystem &system, const QList<Draw> &draws,
                                int withholdingBasisPoints, const CheckProgress &progress,
                                const WinSink &onWin)
{
    if (withholdingBasisPoints < 0 || withholdingBasisPoints > 10000)
        return RuntimeError(RuntimeError::InvalidProcedureCall);

    // Every play shares the stakes, so its winnings depend only on its hits: worked out once.
    // A play with a number twice counts it once.
    CheckResult result;
    std::array<Cents, 5> &gross = result.playGross;
    std::array<Cents, 5> &net = result.playNet;
    for (int hits = 0; hits <= 4; ++hits) {
        gross[std::size_t(hits)] = playGross(hits, system.stakes);
        net[std::size_t(hits)] = netOf(gross[std::size_t(hits)], withholdingBasisPoints);
    }
    std::array<NumberSet, kGiocate> plays;
    for (int p = 0; p < kGiocate; ++p)
        for (std::uint8_t n : system.plays[std::size_t(p)])
            plays[std::size_t(p)].add(n);

    const int total = int(draws.size());
    for (int i = 0; i < total; ++i) {
        if (progress && i % kProgressEvery == 0 && i > 0 && !progress(i, total)) {
            result.interrupted = true;
            break;
        }
        const Draw &draw = draws[i];
        NumberSet drawn;
        for (std::uint8_t n : draw.numbers)
            drawn.add(n);

        Cents drawGross = 0;
        for (int p = 0; p < kGiocate; ++p)
            drawGross += gross[std::size_t(plays[std::size_t(p)].common(drawn))];

        CheckTotals &t = result.totals;
        ++t.drawsChecked;
        if (!addChecked(t.staked, system.stakedPerDraw))
            return RuntimeError(RuntimeError::Overflow);
        if (drawGross == 0)
            continue;

        DrawWin win;
        win.draw = draw;
        for (int p = 0; p < kGiocate; ++p)
            win.hits |= std::uint32_t(plays[std::size_t(p)].common(drawn)) << (3 * p);
        win.gross = drawGross;
        win.net = netOf(drawGross, withholdingBasisPoints);
        ++t.winningDraws;
        if (!addChecked(t.gross, win.gross) || !addChecked(t.net, win.net))
            return RuntimeError(RuntimeError::Overflow);
        if (!onWin) {
            result.wins.append(win);
        } else if (!onWin(win, result.playsOf(win))) {
            result.interrupted = true;
            break;
        }
    }
    if (progress && !result.interrupted)
        progress(result.totals.drawsChecked, total);
    return result;
}

} // namespace zelmora
