#pragma once

#include "core/Result.h"

#include "core/Sistema.h"

#include <array>
#include <cstdint>

namespace zelmora {

// Amounts of money in whole euro cents, so that sums over thousands of draws are exact.
using Cents = std::int64_t;

// A stake of the system (a 32-bit float in euro) in cents: the float widened to double, times
// 100 (exact for every float), rounded half away from zero; so a stake is the amount the stake
// box shows ("1,15" for the float nearest 1.15). Error 6 (Overflow) for a stake
// over kMaxStakeCents, which no stake box can hold, or one that is not a number.
constexpr Cents kMaxStakeCents = 100'000'000; // 1.000.000,00 euro
Result<Cents> stakeCents(float stake);

// The withholding on winnings in hundredths of a percent: 800 is 8%.
constexpr int kDefaultWithholdingBasisPoints = 800;

// Rounds numerator / denominator (both >= 0, denominator > 0) to the nearest whole number,
// halves away from zero.
constexpr Cents roundedQuotient(Cents numerator, Cents denominator)
{
    return (numerator + denominator / 2) / denominator;
}

// The gross winnings of one play of four numbers with 'hits' of them drawn (0 to 4), for the
// stakes in cents (Ambo, Terno, Quaterna), each bet's amount rounded to the cent on its own:
//   Ambo      C(hits, 2) x P0 x 250 / 6
//   Terno     C(hits, 3) x P1 x 4500 / 4
//   Quaterna  P2 x 120000 when hits = 4
Cents playGross(int hits, const std::array<Cents, 3> &stakes);

// The net of a gross amount after the withholding: gross x (10000 - basisPoints) / 10000,
// rounded to the cent, halves away from zero.
Cents netOf(Cents gross, int withholdingBasisPoints);

// "1234.50": cents with a dot and two decimals, as the command line writes amounts.
QString centsText(Cents cents);

} // namespace zelmora
