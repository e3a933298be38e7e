#pragma once

#include <QString>
#include <QStringList>

namespace zelmora {

// "Aggiorna archivio" from the command line, for a script or a timer:
//   zelmoravintesca --aggiorna
// Downloads the public archive of every draw from the address the data folder names (see
// ArchiveAddress.h) and merges it into the folder's estrazioni.txt exactly as the window does.
// The summary goes to standard output; lines of the download that are not draws and draws that
// contradict stored ones go to standard error. Needs no display and no event loop. Returns 0
// when the download and the merge succeeded, 2 with an Italian message on standard error for
// every failure (the archive then stays as it was).
int runUpdate(const QStringList &arguments, const QString &dataFolder);

} // namespace zelmora
