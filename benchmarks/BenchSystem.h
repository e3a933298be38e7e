#pragma once

#include "core/Sistema.h"
#include "core/Stakes.h"

namespace zelmora::bench {

// The square every benchmark works on: lead number 37 on the diagonal, 12 € on Roma.
inline constexpr int kSquare[4][4] = {
    {37, 4, 58, 81}, {12, 37, 66, 25}, {73, 19, 37, 44}, {9, 88, 51, 37}};

inline Sistema benchSystem()
{
    Sistema s;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            s.Righe[r][c] = std::uint8_t(kSquare[r][c]);
    Trasponi(s);
    s.Capogioco = 37;
    s.Puntate = puntate12Euro();
    s.Vincite = CalcolaVincite(s.Puntate);
    s.ImportoSistema = 12;
    s.Ruota = QStringLiteral("Roma");
    s.NomeSistema = QStringLiteral("quadrato37");
    return s;
}

} // namespace zelmora::bench
