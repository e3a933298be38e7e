#pragma once

#include "core/Sistema.h"

#include <QString>
#include <array>

namespace zelmora {

// Masks of the amounts on screen.
extern const char *const kMaskPuntata; // "#0.00", each stake box
extern const char *const kMaskImporto; // "##0.00", the total
extern const char *const kMaskVincita; // "###,##0.00", each winnings label

// A stake box's text as an amount; a box that cannot be read (empty, a lone comma, two
// commas) counts as 0.
float stakeValue(const QString &text);

// The stakes read from the three boxes and the total of the system: 8 plays times the sum of
// the stakes. Every sum is kept as a 32-bit float.
struct Importo
{
    Amounts puntate{};
    float totale = 0;
};
Importo CalcolaImporto(const std::array<QString, 3> &stakeTexts);

// The potential winnings of one play for a hit of Ambo, Terno and Quaterna. A Terno hit also
// holds three Ambos and a Quaterna four Ternos and six Ambos, but only when that bet's own
// stake is set. Every intermediate is a 32-bit float, as the amounts shown depend on it.
Amounts CalcolaVincite(const Amounts &puntate);

// The stakes of the ready-made 12-euro system: 1,15 Ambo, 0,25 Terno, 0,10 Quaterna.
Amounts puntate12Euro();

} // namespace zelmora
