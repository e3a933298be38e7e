#pragma once

#include "app/Program.h"
#include "print/CalibrationFile.h"

#include <QString>

namespace zelmora {

class UiServices;

// The files several windows read, read for a window: what goes wrong is told to the player in
// the words of the routine and the window that asked.

// Loads impostazioni.cfg into the context (see readSettingsFile). A failure shows
// "Error N (...) in procedure ReadConfiguration of Modulo corpo".
void ReadConfiguration(Program &program);

// Reads printA.cfg of the context's program folder into the record and chooses its printer
// among the program's (see readProgramCalibration). A failed read
// shows "Error N (...) in procedure LeggiTaraturaAmbetto of Form <formName>"; a damaged scale
// record is told in one warning.
void LeggiTaraturaAmbetto(print::TaraturaAmbetto &record, Program &program,
                          const QString &formName);

// Brings the record's lengths into the calibration window's range (0 - 300 mm) before they
// are shown or printed. When any was outside, one message names each value corrected.
void CorreggiTaratura(UiServices &ui, print::TaraturaAmbetto &record);

// Writes the record to printA.cfg of the context's program folder. A failed write shows
// "Error N (...) in procedure cmdSalva_Click of Form <formName>".
void SalvaTaraturaAmbetto(const print::TaraturaAmbetto &record, Program &program,
                          const QString &formName);

} // namespace zelmora
