#pragma once

#include "core/Result.h"
#include "print/CalibrationFile.h"
#include "print/PrinterSet.h"

#include <QString>

namespace zelmora {

// The slip calibration as the print-slips and calibration windows use it, in printA.cfg in
// the program folder `appPath`.

// Reads the calibration into the record and makes its printer the current one of `printers`. With
// no file yet, the record is all zero on the default printer. A failed read is the error: the
// fields read before it keep their new values, the others stay as they were, and no printer is
// chosen. A printer name that matches no installed printer (exactly, case included) leaves the
// current printer as it is. The answer tells whether the scale record (record 12) was damaged; it
// is then read as factors 1 and 1, as is a file without it.
Result<print::ScaleRecordRead> readProgramCalibration(print::PrinterSet &printers,
                                                      print::TaraturaAmbetto &record,
                                                      const QString &appPath);

// Writes the record to the calibration file.
Result<void> saveProgramCalibration(const print::TaraturaAmbetto &record, const QString &appPath);

// The calibration file's path: the program folder and "printA.cfg".
QString calibrationPath(const QString &appPath);

} // namespace zelmora
