#pragma once

#include <QString>

namespace zelmora {

// What a key filter decided about a typed character.
enum class KeyAction
{
    Pass,      // the key is typed
    NextField, // Enter: the key is dropped and the focus moves to the next control
    Refuse,    // the key is dropped and the beep sounds
};

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;

// Key filter of the 16 cells: digits and backspace pass, Enter moves on, anything else is
// refused. `key` is the character code and is set to 0 when the key is dropped.
KeyAction FiltroTastiNumero(int &key);
// Key filter of the stake boxes: as for the cells, and the decimal comma passes too.
KeyAction FiltroTastiImporto(int &key);

// Whether a text that an edit (typing, pasting) would leave in a box holds only what the box's
// keys let through: in a cell digits (and the blanks of an empty cell), in a stake box digits
// and at most one decimal comma. Pasted text obeys the same rules as typed keys.
bool cellTextAccepted(const QString &text);
bool stakeTextAccepted(const QString &text);

// The range check of a cell's value after each change.
constexpr int kMaxNumero = 90;
struct ValueCheck
{
    bool refused = false; // above 90: show the message and reset the cell to "00"
};
ValueCheck ControllaValore(const QString &cellText);
extern const char *const kMessaggioRange; // "I valori possibili sono da 1 a 90"
extern const char *const kTitoloErrore;   // "Errore"

} // namespace zelmora
