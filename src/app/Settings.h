#pragma once

#include "app/Program.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>

namespace zelmora {

// The two user settings, kept in impostazioni.cfg in the program folder: line 1 the print
// heading, line 2 the listing printer's device name, in Windows-1252.

// The settings file's path: the program folder `appPath` and "impostazioni.cfg".
QString impostazioniPath(const QString &appPath);

// Loads the file of the context's program folder into its heading and listing printer. A line ends
// at a carriage return, optionally followed by a line feed, or at a bare line feed. When there is
// no file yet, the heading is blank and the listing printer the program's default one. A failure (a
// file that cannot be read, fewer than two lines) is the error; a line read before it keeps its new
// value.
Result<void> readSettingsFile(Program &program);

// The file's content for a heading and a printer: each line ends with CR LF.
QByteArray configurationBytes(const QString &heading, const QString &printer);
// Replaces the file of the context's program folder with its heading and listing printer,
// whole or not at all.
Result<void> writeSettingsFile(Program &program);

} // namespace zelmora
