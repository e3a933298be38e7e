#pragma once

namespace zelmora {

// Installs Qt's own Italian texts (qtbase_it.qm from Qt's translations folder), so that the
// standard dialogs and buttons speak Italian whatever the system's locale. False when the
// translations are not installed; the dialogs then stay in Qt's English.
bool installQtItalian();

} // namespace zelmora
