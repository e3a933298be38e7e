#include "core/Prognosis.h"

#include "core/KeyFilters.h"
#include "core/NumberReading.h"

#include <array>

namespace zelmora {

Square PronosticoCasuale(std::uint8_t capogioco, const std::function<double()> &random)
{
    Square square{};
    for (auto &row : square) {
        std::array<bool, kMaxNumero + 1> used{};
        for (auto &cell : row) {
            int n = 0;
            do {
                n = int(random() * kMaxNumero + 1);
                n = n < 1 ? 1 : n > kMaxNumero ? kMaxNumero : n;
            } while (used[n] || n == capogioco);
            used[n] = true;
            cell = std::uint8_t(n);
        }
    }
    return square;
}

int leadNumberFromText(const QString &text)
{
    const int value = wholeValue(text);
    return value >= 1 && value <= kMaxNumero ? value : 0;
}

} // namespace zelmora
