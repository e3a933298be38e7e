#include "core/KeyFilters.h"

#include "core/NumberReading.h"

namespace zelmora {

const char *const kMessaggioRange = "I valori possibili sono da 1 a 90";
const char *const kTitoloErrore = "Errore";

KeyAction FiltroTastiNumero(int &key)
{
    if ((key > '9' || key < '0') && key != kKeyBackspace) {
        const bool enter = key == kKeyEnter;
        key = 0;
        return enter ? KeyAction::NextField : KeyAction::Refuse;
    }
    return KeyAction::Pass;
}

KeyAction FiltroTastiImporto(int &key)
{
    if (key == ',')
        return KeyAction::Pass;
    return FiltroTastiNumero(key);
}

namespace {
bool everyCharacterPasses(const QString &text, KeyAction (*filter)(int &), bool blanksToo)
{
    for (const QChar ch : text) {
        int key = ch.unicode();
        if (blanksToo && ch == u' ')
            continue;
        if (key == kKeyBackspace || filter(key) != KeyAction::Pass)
            return false;
    }
    return true;
}
} // namespace

bool cellTextAccepted(const QString &text)
{
    return everyCharacterPasses(text, FiltroTastiNumero, true);
}

bool stakeTextAccepted(const QString &text)
{
    return text.count(u',') <= 1 && everyCharacterPasses(text, FiltroTastiImporto, false);
}

ValueCheck ControllaValore(const QString &cellText)
{
    return ValueCheck{wholeValue(cellText) > kMaxNumero};
}

} // namespace zelmora
