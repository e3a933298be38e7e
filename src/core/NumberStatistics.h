#pragma once

#include "core/Draw.h"
#include "core/Sistema.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>

namespace zelmora {

// The figures of one number over a run of draws of one wheel.
struct NumberFigures
{
    int frequency = 0; // the draws that hold the number
    int delay = 0;     // the draws after the last one that holds it; all of them when none does
    int maxDelay = 0;  // the longest run of consecutive draws without it, the first and the
                       // current run included; the draw of its return is not counted
};

// The plays followed: rows 1 to 4, then columns 1 to 4, four numbers each.
using PlayNumbers = std::array<std::array<std::uint8_t, 4>, kGiocate>;

// The system's plays, its columns taken from its rows.
PlayNumbers playsOf(const Sistema &sistema);

// The delays of one play: Ambo, Terno, Quaterna.
using PlayDelays = std::array<int, 3>;

struct NumberStatistics
{
    int draws = 0; // N, the draws counted
    QDate firstDate, lastDate;
    std::array<NumberFigures, 90> numbers{}; // numbers[n - 1] for n from 1 to 90
    // For each play, the draws after the last one that holds at least 2, 3 and 4 of its
    // numbers; N when none does.
    std::array<PlayDelays, kGiocate> plays{};
    bool interrupted = false; // stopped on request: the figures are not to be shown

    const NumberFigures &of(int n) const { return numbers[std::size_t(n - 1)]; }
};

// A delay as the window and the page show it: "mai" when it spans every draw counted (the
// number never came, the play never made it), else its figure.
QString delayText(int delay, int draws);

// Called now and then with the draws done and the draws in all; returning false stops.
using StatisticsProgress = std::function<bool(qint64 done, qint64 total)>;

// The figures over `draws`, which are one wheel's, oldest first (DrawArchive::drawsOf), in one
// pass. The plays' delays are worked out for `plays` (zeros when none are followed).
NumberStatistics numberStatistics(const QList<Draw> &draws, const PlayNumbers &plays = {},
                                  const StatisticsProgress &progress = {});

} // namespace zelmora
