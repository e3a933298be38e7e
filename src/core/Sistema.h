#pragma once

#include "core/FixedText.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace zelmora {

// One square of 4 x 4 numbers as unsigned bytes; [i][j] is run i, position j (0-based).
using Square = std::array<std::array<std::uint8_t, 4>, 4>;
// The three stake kinds share one index: 0 Ambo, 1 Terno, 2 Quaterna.
using Amounts = std::array<float, 3>;

// The one system being edited. Field order and types are the order of the system file.
struct Sistema
{
    FixedText<10> Ruota;        // wheel name
    FixedText<20> NomeSistema;  // "vuoto.zlm" for the empty system, else the file name
    float ImportoSistema = 0;   // total: 8 x the sum of the three stakes
    Square Righe{};             // Righe[r][c]: row r, column c; 0 for an empty cell
    Square Colonne{};           // Colonne[k][i] == Righe[i][k]
    std::uint8_t Capogioco = 0; // lead number 1 to 90, 0 when none is set
    Amounts Puntate{};          // stake of every play
    Amounts Vincite{};          // potential winnings
};

// Brings Colonne up to date with Righe.
void Trasponi(Sistema &sistema);

constexpr int kGiocate = 8;
// Play 1 to 4 is row 1 to 4 of the square, play 5 to 8 is column 1 to 4.
std::array<std::uint8_t, 4> giocata(const Sistema &sistema, int play);

// The wheel names in the order of the wheels file, at most kMaxRuote.
constexpr int kMaxRuote = 11;
using RuoteList = QStringList;

} // namespace zelmora
