#pragma once

#include "core/Sistema.h"

#include <cstdint>
#include <functional>

namespace zelmora {

// A random square: each row and each column holds four different numbers from 1 to 90, none
// equal to the lead number. `random` gives uniform values in [0, 1).
Square PronosticoCasuale(std::uint8_t capogioco, const std::function<double()> &random);

// Reads the lead number typed by the player: its leading number rounded halves to even, or
// 0 when that is not between 1 and 90.
int leadNumberFromText(const QString &text);

} // namespace zelmora
