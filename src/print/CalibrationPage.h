#pragma once

#include "print/CalibrationFile.h"
#include "print/Printer.h"

#include <QString>

namespace zelmora::print {

// The amount lines of the test page: every line the slip has, not only the three that a
// play's stakes mark.
constexpr int kTestAmountLines = 8;

// Prints the calibration test page on `printer` and ends the document: an outline at every
// box a slip can mark (the 90 numbers, the 12 wheels, 8 lines of 13 amounts), placed exactly
// as the slip run places its marks, and the slip heading with a total of 0 and play 0.
// Stores the amount block's corner, Left + 14.5 and Top + 74, into Ximporti and Yimporti of
// `taratura`, so that a later save writes it. Printer failures are thrown as RuntimeError and
// the document is left to the caller.
void StampaTestTaratura(Printer &printer, TaraturaAmbetto &taratura, const QString &nomeSistema,
                        const QString &heading);

} // namespace zelmora::print
