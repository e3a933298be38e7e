#pragma once

#include "print/RecordingDevice.h"

#include <QList>

class QPainter;

namespace zelmora::print {

// Draws a kept page on any painter (a window, an image, a PDF writer) whose coordinates are
// millimetres from the top-left of the printable area: texts in their fonts and point sizes,
// boxes with their outline and fill, pictures in their rectangles. `dpi` is the resolution the
// page was laid out for, which sets the width of thin lines.
void renderPage(QPainter &painter, const QList<RecordedItem> &page, int dpi = 1200);

} // namespace zelmora::print
