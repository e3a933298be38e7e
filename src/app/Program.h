#pragma once

#include "app/Forms.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "core/Sistema.h"
#include "print/PrinterSet.h"

#include <QString>

namespace zelmora {

// What one running program shares between its windows and runs: the printers, the desktop
// services, the program folder and the settings read from it. main owns the one the program
// runs with and hands it on; the main window fills the folder's settings and wheels when it
// loads, and the settings window writes them back; a test builds its own.
struct Program
{
    Program() = default;
    // A program with printers of its own (tests).
    explicit Program(print::PrinterSource source) : printers(std::move(source)) {}

    print::PrinterSet printers; // the printer in use, the installed ones, the PDF folder
    corpo::Identity identity;   // the title and edition
    QString versionServer;      // host[:port] of the version query; empty for the maker's
    Ending ending;              // the clean-ups and how the event loop is stopped
    UiServices *ui = nullptr;   // the desktop services: real dialogs, or a test's script

    QString appPath;            // the program folder, always ending in "/"
    QString intestazioneStampa; // the print heading
    QString stampanteTabulato;  // the device name of the listing printer
    RuoteList ruote;            // the wheel names, in the order of the wheels file
};

} // namespace zelmora
