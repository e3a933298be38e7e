#pragma once

#include "core/Result.h"

#include "core/Draw.h"
#include "core/Sistema.h"
#include "core/Winnings.h"

#include <QList>
#include <functional>

namespace zelmora {

// One play that won on a draw: play 1 to 8 (rows 1 to 4, then columns 1 to 4, the order the
// slips print them), how many of its four numbers were drawn, and its winnings.
struct PlayWin
{
    int play = 0;
    int hits = 0;
    Cents gross = 0;
    Cents net = 0; // the play's gross less the withholding, rounded on its own
};

// A draw on which the system won, kept small: a check of the largest archive can hold
// millions. The plays' winnings follow from their hits (CheckResult::playsOf).
struct DrawWin
{
    Draw draw;
    Cents gross = 0;        // the sum of the plays' gross
    Cents net = 0;          // the draw's gross less the withholding, rounded once per draw
    std::uint32_t hits = 0; // three bits a play, play 1 lowest: how many of its numbers came

    int hitsOf(int play) const { return int((hits >> (3 * (play - 1))) & 7u); }
};

struct CheckTotals
{
    int drawsChecked = 0;
    int winningDraws = 0;
    Cents staked = 0; // the system's total (8 plays x the three stakes) for each draw checked
    Cents gross = 0;
    Cents net = 0; // the sum of the draws' net
    Cents balance() const { return net - staked; }
};

struct CheckResult
{
    QList<DrawWin> wins; // oldest first
    CheckTotals totals;
    bool interrupted = false; // the progress callback asked to stop; totals cover what was done
    // What one play wins, gross and net, with 0 to 4 of its numbers drawn: every play shares
    // the stakes.
    std::array<Cents, 5> playGross{}, playNet{};

    // The plays that won on a draw, in play order.
    QList<PlayWin> playsOf(const DrawWin &win) const;
    // How many of them there are.
    int winningPlays(const DrawWin &win) const;
};

// What the check needs of a system: its eight plays and its stakes in cents, read once.
struct CheckedSystem
{
    std::array<std::array<std::uint8_t, 4>, kGiocate> plays{};
    std::array<Cents, 3> stakes{}; // Ambo, Terno, Quaterna
    Cents stakedPerDraw = 0;       // 8 x (the three stakes)
};

// The plays of the system (from Righe, the columns taken from it) and its stakes in cents.
// Error 6 (Overflow) for a stake no stake box can hold.
Result<CheckedSystem> checkedSystem(const Sistema &sistema);

// Called now and then with the draws done and the draws in all; returning false stops the
// check after the draw in hand.
using CheckProgress = std::function<bool(int done, int total)>;

// Told each win and its winning plays as the check finds them, oldest first, once the totals
// count it; returning false stops the check there.
using WinSink = std::function<bool(const DrawWin &win, const QList<PlayWin> &plays)>;

// Checks the system against each draw given (the caller picks the wheel and the dates, see
// DrawArchive::drawsOf; one draw typed by the player is a list of one). The withholding is in
// hundredths of a percent (800 = 8%). Error 6 (Overflow) when the totals would not fit, which
// takes stakes near the largest over millions of draws. With `onWin`, each win goes to it and
// the result keeps none, so a check of any length holds only its totals.
Result<CheckResult> checkSystem(const CheckedSystem &system, const QList<Draw> &draws,
                                int withholdingBasisPoints = kDefaultWithholdingBasisPoints,
                                const CheckProgress &progress = {}, const WinSink &onWin = {});

// How many of the play's numbers are among the drawn ones.
int hitsOf(const std::array<std::uint8_t, 4> &play, const std::array<std::uint8_t, 5> &drawn);

} // namespace zelmora
