#include "core/GridCheck.h"

namespace zelmora {

const char *const kTitoloAttenzione = "Attenzione!!";

GridCheckResult ControllaGriglia(const CellValues &cells, Sistema &sistema)
{
    static const char *const incomplete[4] = {
        "La prima quaterna non è completa!!!",
        "La seconda quaterna non è completa!!!",
        "La terza quaterna non è completa!!!",
        "La quarta quaterna non è completa!!!",
    };
    GridCheckResult result;

    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int value = cells[r][c];
            if (value == 0) {
                result.valid = false;
                result.message = QString::fromUtf8(incomplete[r]);
                result.focusRow = r;
                result.focusColumn = c;
                return result;
            }
            // Values above 90 are refused on entry; the clamp only keeps the byte honest.
            sistema.Righe[r][c] = std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
        }
    }

    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            for (int r = 0; r < 4; ++r) {
                if (sistema.Righe[r][i] == sistema.Righe[r][j]) {
                    result.valid = false;
                    result.message =
                        QStringLiteral("Valore duplicato nella %1° quaterna orizzontale!!!")
                            .arg(r + 1);
                    result.focusRow = r;
                    result.focusColumn = j;
                    return result;
                }
            }
        }
    }

    for (int c = 0; c < 4; ++c) {
        for (int a = 0; a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b) {
                if (sistema.Righe[a][c] == sistema.Righe[b][c]) {
                    result.valid = false;
                    result.message = QStringLiteral("Valore duplicato nella ") +
                                     QString::number(c + 1) +
                                     QStringLiteral("° quaterna verticale!!!");
                    return result;
                }
            }
        }
    }
    return result;
}

} // namespace zelmora
