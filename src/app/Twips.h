#pragma once

#include <QRect>

namespace zelmora {

// Window geometry is designed in twips (1440 to the inch): 15 twips make one pixel at the
// standard 96 dots per inch, scaled with the screen's logical DPI.
int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);

} // namespace zelmora
