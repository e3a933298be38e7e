#pragma once

#include <QString>

namespace zelmora {

// Where the program keeps its files (settings, calibration, systems, printed PDFs). The
// program folder when it can be written; otherwise, as for a copy installed system-wide, the
// user's own folder, which gets a copy of the shipped wheels list and pictures the first time.
// Every folder returned ends in "/". When the user's folder cannot be made, the program folder
// is kept and its files are read as they are.
QString dataFolder(const QString &programFolder, const QString &userFolder, bool programWritable);
// The same for the running program: its folder, tested by writing a file into it, and
// ~/.local/share/Zelmoravintesca/.
QString dataFolder(const QString &programFolder);

// The same folder found without making or filling anything: the program folder when it can be
// written, else the user's, as the commands read their settings.
QString existingDataFolder(const QString &programFolder);

// The user's folder for the program's files, ending in "/".
QString userDataFolder();
// True when a file can be created in the folder.
bool folderWritable(const QString &folder);

} // namespace zelmora
