#pragma once

#include <QString>

namespace zelmora {

// The program folder with blanks trimmed off both ends and always ending in one "/";
// a folder that already ends in "/" (the root) is returned unchanged.
QString GetAppPath(const QString &folder);
// The same for the folder the running executable lies in.
QString GetAppPath();

} // namespace zelmora
