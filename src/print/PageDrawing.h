#pragma once

#include "print/Printer.h"

#include <QColor>
#include <QRectF>
#include <QString>

namespace zelmora::print {

// Small drawings the report pages share, in the printer's current scale.

// "Zelmoravintesca by Vandrel - " and the print heading: the first line of the program's own
// reports; without a heading, the name alone.
QString titleLine(const QString &heading);

// A text drawn centred on x, its top at y.
void centred(Printer &p, double x, double y, const QString &text);
// A text drawn flush right against x, its top at y.
void rightAligned(Printer &p, double x, double y, const QString &text);
// A box filled with the colour, its outline the same colour.
void filledBox(Printer &p, const QRectF &box, const QColor &colour);
// A horizontal line from x1 to x2 at y.
void rule(Printer &p, double x1, double x2, double y, const QColor &colour);

} // namespace zelmora::print
