#pragma once

#include "core/Result.h"
#include "print/Preview.h"
#include "print/PrinterSet.h"

#include <functional>

class QWidget;

namespace zelmora {

struct Program;
class UiServices;
class WindowWork;

// Tells the player, with a notice that goes by itself, which files the documents just printed
// on "File PDF" became; says nothing when none did (a printer queue, a failed run).
void announceDeliveredFiles(UiServices &ui, print::Printer &printer);

// A report window's Stampa, on the window's worker: `print` runs there, told the progress and
// asked whether to go on (Interrompi drops the document), and the window's thread leaves the
// printers alone until it ends. Then the files "File PDF" wrote are announced, and a failure
// told: a printer that cannot write as "Stampante non installata", any other as "Error N
// (...) in procedure cmdStampa_Click of Form <form>".
void printReport(QWidget *form, Program &program, WindowWork &work,
                 std::function<Result<bool>(const print::PrintProgress &)> print);

// A window's Anteprima: shows the pages `makePreview` gives over the window `form`, or its
// error as "Error N (...) in procedure cmdAnteprima_Click of Form <form>". The window takes no
// input while the pages are made.
void showPreview(QWidget *form, UiServices &ui,
                 const std::function<Result<print::Preview>()> &makePreview);
// The same for a report, whose pages are laid out on the window's worker.
void previewReport(QWidget *form, UiServices &ui, WindowWork &work,
                   std::function<Result<print::Preview>()> makePreview);

} // namespace zelmora
