#include "core/Sistema.h"

namespace zelmora {

void Trasponi(Sistema &sistema)
{
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < 4; ++i)
            sistema.Colonne[k][i] = sistema.Righe[i][k];
}

std::array<std::uint8_t, 4> giocata(const Sistema &sistema, int play)
{
    if (play >= 1 && play <= 4)
        return sistema.Righe[play - 1];
    if (play >= 5 && play <= 8)
        return sistema.Colonne[play - 5];
    return {};
}

} // namespace zelmora
