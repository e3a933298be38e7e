#include "core/Prognosis.h"

#include "core/KeyFilters.h"
#include "core/NumberReading.h"

#include <array>

namespace zelmora {

Square PronosticoCasuale(std::uint8_t capogioco, const std::function<double()> &random)
{
    // A number is drawn again while its row or its column already holds it: the square the
    // player gets always passes the square check. At most seven numbers are ever excluded.
    Square square{};
    std::array<std::array<bool, kMaxNumero + 1>, 4> usedInColumn{};
    for (auto &row : square) {
        std::array<bool, kMaxNumero + 1> usedInRow{};
        for (std::size_t c = 0; c < row.size(); ++c) {
            int n = 0;
            do {
                n = int(random() * kMaxNumero + 1);
                n = n < 1 ? 1 : n > kMaxNumero ? kMaxNumero : n;
            } while (usedInRow[n] || usedInColumn[c][n] || n == capogioco);
            usedInRow[n] = usedInColumn[c][n] = true;
            row[c] = std::uint8_t(n);
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
