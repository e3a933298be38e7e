#pragma once

#include <QFont>
#include <QStringList>

namespace zelmora {

// "MS Sans Serif" 8.25 points, or where it is missing the sans serif closest to its widths,
// so captions fit the boxes they were measured for.
QFont msSansSerif(bool bold = false);

} // namespace zelmora
