#pragma once

#include "print/CalibrationFile.h"
#include "print/Printer.h"

namespace zelmora::print {

// Sets the printer up for a slip document (the slip run, the calibration test page) from
// nothing an earlier run left: every setting back to a new printer's, then millimetres, the
// calibration's print quality and the document's kind. Each run sets its own fill after it.
void prepareSlipPrinter(Printer &printer, const TaraturaAmbetto &taratura, const QString &kind);

} // namespace zelmora::print
