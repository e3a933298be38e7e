#pragma once

#include "print/CalibrationFile.h"
#include "print/Printer.h"

#include <QString>

namespace zelmora::print {

// The amount lines of the test page: every line the slip has, not only the three that a
// play's stakes mark.
constexpr int kTestAmountLines = 8;

// The rulers of the test page, in nominal millimetres: 150 across and 200 down, each cut to the
// longest multiple of 10 mm that fits the printable area at the largest scale factor (none,
// 0, on an area shorter than that).
struct RulerLengths
{
    int horizontal = 150;
    int vertical = 200;
};
RulerLengths rulerLengths(const QSizeF &printableMm);

// The width of a ruler's line and ticks, and the length of its ticks (every 10 mm; the longer
// ones every 50 mm and at both ends), in millimetres.
constexpr double kRulerLine = 0.2;
constexpr double kRulerTick = 3;
constexpr double kRulerLongTick = 5;

// Prints the calibration test page on `printer` and ends the document: an outline at every
// box a slip can mark (the 90 numbers, the 12 wheels, 8 lines of 13 amounts), placed exactly
// as the slip run places its marks, and the slip heading with a total of 0 and play 0; then the
// two rulers from the printable area's origin, each with its nominal length beside its end.
// Every position is multiplied by the calibration's scale factors, as on the slips.
// Stores the amount block's corner, Left + 14.5 and Top + 74, into Ximporti and Yimporti of
// `taratura`, so that a later save writes it. A printer failure abandons the page and is the
// result.
Result<void> printCalibrationTest(Printer &printer, TaraturaAmbetto &taratura,
                                  const QString &nomeSistema, const QString &heading);
// The same page for a caller that handles failures itself: they stay on the printer (its
// status()), and the document is left to the caller.
void printTestPage(Printer &printer, TaraturaAmbetto &taratura, const QString &nomeSistema,
                   const QString &heading);

} // namespace zelmora::print
