#pragma once

#include "core/Sistema.h"
#include "print/CalibrationFile.h"
#include "print/Printer.h"

#include <QImage>

namespace zelmora::print {

// What the prognosis sheet prints besides the system.
struct SheetPictures
{
    QImage sfondo;  // background of the square, 80 x 80 mm; a null picture is left out
    QImage vietato; // foot picture, 90 x 20 mm; likewise
};

// The sheet's margins: x0 = Left - 5 + 2 and y0 = Intestazione + 2, rounded halves to even.
// x0 is never below 0: with a left length under 3 mm (no calibration yet) the heading, the
// winnings and the notice would start outside the printable area and be cut off.
int marginX0(const TaraturaAmbetto &taratura);
int marginY0(const TaraturaAmbetto &taratura);

// One summary page of the system printed ahead of the slips: the heading at the calibrated
// heading line, the product name, the square over a small background, the winnings, the
// wheel with the total, the web address and the foot picture; it ends with NewPage. Printer
// failures stay on the printer (its status()) for the caller to ask.
void StampaPronostico(Printer &printer, Sistema &sistema, const TaraturaAmbetto &taratura,
                      const QString &heading, const SheetPictures &pictures);

} // namespace zelmora::print
