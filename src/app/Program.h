#pragma once

#include "app/Forms.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "print/PrinterSet.h"

#include <QString>

namespace zelmora {

// What one running program shares between its windows and runs. main owns the one the program
// runs with and hands it on; a test builds its own.
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
};

} // namespace zelmora
