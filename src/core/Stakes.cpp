#include "core/Stakes.h"

#include "core/NumberReading.h"

namespace zelmora {

const char *const kMaskPuntata = "#0.00";
const char *const kMaskImporto = "##0.00";
const char *const kMaskVincita = "###,##0.00";

float stakeValue(const QString &text)
{
    return float(readAmount(text).value_or(0.0));
}

Importo CalcolaImporto(const std::array<QString, 3> &stakeTexts)
{
    Importo result;
    float sum = 0.0f;
    for (int i = 0; i < 3; ++i) {
        const float v = stakeValue(stakeTexts[i]);
        sum = float(sum + v);
        result.puntate[i] = v;
    }
    result.totale = float(sum * 8.0f);
    return result;
}

Amounts CalcolaVincite(const Amounts &puntate)
{
    Amounts vincite{};
    const float a = float(double(puntate[0]) * 41.666);
    vincite[0] = a;

    const float b = float(puntate[1] * 1125.0f);
    vincite[1] = b;
    if (puntate[1] != 0.0f) {
        const float threeAmbos = float(a * 3.0f);
        vincite[1] = float(threeAmbos + b);
    }

    const float f = float(puntate[2] * 120000.0f);
    vincite[2] = f;
    if (puntate[2] != 0.0f) {
        const float fourTernos = float(b * 4.0f);
        const float withQuaterna = float(fourTernos + f);
        const float sixAmbos = float(a * 6.0f);
        vincite[2] = float(withQuaterna + sixAmbos);
    }
    return vincite;
}

Amounts puntate12Euro()
{
    return Amounts{1.15f, 0.25f, 0.10f};
}

} // namespace zelmora
