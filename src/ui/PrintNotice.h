#pragma once

#include "core/Result.h"
#include "print/Preview.h"
#include "print/PrinterSet.h"

#include <functional>

class QWidget;

namespace zelmora {

struct Program;
class UiServices;

// Tells the player, with a notice that goes by itself, which files the documents just printed
// on "File PDF" became; says nothing when none did (a printer queue, a failed run).
void announceDeliveredFiles(UiServices &ui, print::Printer &printer);

// A report window's Stampa: runs `print`, announces the files
// "File PDF" wrote, and tells a failure: a printer that cannot write as "Stampante non
// installata", any other as "Error N (...) in procedure cmdStampa_Click of Form <form>".
void printReport(QWidget *form, Program &program, const std::function<Result<void>()> &print);

// A window's Anteprima: shows the pages `makePreview` gives over the window `form`, or its
// error as "Error N (...) in procedure cmdAnteprima_Click of Form <form>". The window takes no
// input while the pages are made.
void showPreview(QWidget *form, UiServices &ui,
                 const std::function<Result<print::Preview>()> &makePreview);

} // namespace zelmora
