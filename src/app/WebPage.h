#pragma once

#include "core/BuildSettings.h"

#include <QString>

namespace zelmora {

class UiServices;

// The address as the browser gets it: one that begins with "www." gets "http://" in front.
QString webAddress(const QString &address);

// Opens a web page in the default browser. When no browser can open it, the player is told
// the address to open by hand.
void OpenWebPage(UiServices &ui, const QString &address);

} // namespace zelmora
