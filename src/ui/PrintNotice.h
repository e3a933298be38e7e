#pragma once

namespace zelmora {

namespace print {
class Printer;
}

// Tells the player, with a notice that goes by itself, which files the documents just printed
// on "File PDF" became; says nothing when none did (a printer queue, a failed run).
void announceDeliveredFiles(print::Printer &printer);

} // namespace zelmora
