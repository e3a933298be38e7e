#pragma once

#include "core/BuildSettings.h"

#include <QString>

namespace zelmora {

// The address as the browser gets it: one that begins with "www." gets "http://" in front.
QString webAddress(const QString &address);

// Opens a web page in the default browser; an address that cannot be opened shows nothing.
void OpenWebPage(const QString &address);

} // namespace zelmora
