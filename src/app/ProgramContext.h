#pragma once

#include "core/Sistema.h"

#include <QString>

namespace zelmora {

// What the windows share besides the system they act on: the program folder, the two settings
// of impostazioni.cfg and the wheels list. The main window owns one, fills it when it loads and
// hands it to the windows it opens; the settings window writes the settings back into it.
struct Program;

struct ProgramContext
{
    Program *program = nullptr; // what the whole program shares: printers, title, ending
    QString appPath;            // the program folder, always ending in "/"
    QString intestazioneStampa; // the print heading
    QString stampanteTabulato;  // the device name of the listing printer
    RuoteList ruote;            // the wheel names, in the order of the wheels file
};

} // namespace zelmora
