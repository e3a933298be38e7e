#pragma once

#include "print/CalibrationFile.h"

#include <QString>

namespace zelmora {

// The slip calibration as the print-slips and calibration windows use it, in printA.cfg in
// the program folder.

// Each routine works on the printA.cfg of the program folder `appPath`.

// Reads the calibration into the window's record and makes its printer the current one. With
// no file yet, the record is all zero on the default printer, without a message. A failed read
// shows "Error N (...) in procedure LeggiTaraturaAmbetto of Form <formName>" and returns normally:
// the fields read before the failure keep their new values, the others stay as they were, and no
// printer is chosen. A printer name that matches no installed printer (exactly, case included)
// leaves the current printer as it is, without a message. A damaged scale record (record 12) is
// told in one message and read as factors 1 and 1; a file without it means 1 and 1, silently.
void LeggiTaraturaAmbetto(print::TaraturaAmbetto &record, const QString &appPath,
                          const QString &formName);

// Brings the record's lengths into the calibration window's range (0 - 300 mm) before they
// are shown or printed. When any was outside, one message names each value corrected.
void CorreggiTaratura(print::TaraturaAmbetto &record);

// Writes the record to the calibration file. A failed write is reported as
// "Error N (...) in procedure cmdSalva_Click of Form <formName>".
void SalvaTaraturaAmbetto(const print::TaraturaAmbetto &record, const QString &appPath,
                          const QString &formName);

// The calibration file's path: the program folder and "printA.cfg".
QString taraturaPath(const QString &appPath);

} // namespace zelmora
