#pragma once

#include "core/Result.h"
#include "print/Preview.h"
#include "print/PrinterSet.h"

#include <functional>

class QWidget;

namespace zelmora {

// Tells the player, with a notice that goes by itself, which files the documents just printed
// on "File PDF" became; says nothing when none did (a printer queue, a failed run).
void announceDeliveredFiles(print::Printer &printer);

// A report window's Stampa: runs `print` on the program's printers, announces the files
// "File PDF" wrote, and tells a failure: a printer that cannot write as "Stampante non
// installata", any other as "Error N (...) in procedure cmdStampa_Click of Form <form>".
void printReport(QWidget *form, print::PrinterSet &printers,
                 const std::function<Result<void>()> &print);

// A window's Anteprima: shows the pages `makePreview` gives over the window `form`, or its
// error as "Error N (...) in procedure cmdAnteprima_Click of Form <form>". The window takes no
// input while the pages are made.
void showPreview(QWidget *form, const std::function<Result<print::Preview>()> &makePreview);

} // namespace zelmora
