#pragma once

#include <QString>

namespace zelmora {

// The folder the player last chose archives in, remembered across runs in "cartelle.cfg" in
// the program folder: one line, the folder's path in UTF-8. It is a convenience: a file that is
// missing, unreadable or names no folder any more gives the program folder, and a write that
// fails is not worth a message.

// The remembered folder if it still exists, else `appPath`.
QString archiveFolder(const QString &appPath);
// Remembers `folder` for the next import.
void rememberArchiveFolder(const QString &appPath, const QString &folder);

} // namespace zelmora
