#pragma once

#include "core/Sistema.h"

#include <QString>
#include <array>

namespace zelmora {

// Whole-number values of the 16 cells as read from the screen, [row][column] 0-based.
using CellValues = std::array<std::array<int, 4>, 4>;

struct GridCheckResult
{
    bool valid = true;
    QString message;   // the fault, shown as a critical message titled "Attenzione!!"
    int focusRow = -1; // the cell that gets the focus, or -1 when the focus stays put
    int focusColumn = -1;
};

// The square check: completeness row by row, duplicates within a row (column pairs (1,2),
// (1,3), (1,4), (2,3), (2,4), (3,4), each across rows 1 to 4), then duplicates within a
// column. Cells are copied into Righe as they are read, so a check that stops at an empty
// cell leaves the cells before it copied and the rest as they were.
GridCheckResult ControllaGriglia(const CellValues &cells, Sistema &sistema);

extern const char *const kTitoloAttenzione; // "Attenzione!!"

} // namespace zelmora
