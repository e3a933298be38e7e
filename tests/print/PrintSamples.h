#pragma once

#include "core/Sistema.h"
#include "core/Stakes.h"
#include "print/CalibrationFile.h"

namespace zelmora::testing {

// A system of 12 € on Bari with lead number 7 and every other number different.
inline Sistema samplePrintSystem(const QString &name)
{
    Sistema s;
    const int rows[4][4] = {{7, 11, 12, 13}, {21, 7, 22, 23}, {31, 32, 7, 33}, {41, 42, 43, 7}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            s.Righe[r][c] = std::uint8_t(rows[r][c]);
    Trasponi(s);
    s.Capogioco = 7;
    s.Puntate = puntate12Euro();
    s.ImportoSistema = 12;
    s.Ruota = QStringLiteral("Bari");
    s.NomeSistema = name;
    return s;
}

// A slip calibration with lengths that are not whole millimetres.
inline print::TaraturaAmbetto samplePrintCalibration()
{
    print::TaraturaAmbetto t;
    t.DXnumeri = 5.5f;
    t.DYnumeri = 4.25f;
    t.Top = 40.3f;
    t.Left = 20.7f;
    t.Intestazione = 8;
    t.DXimporti = 5.1f;
    t.DYimporti = 4.2f;
    return t;
}

} // namespace zelmora::testing
