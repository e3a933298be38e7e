#pragma once

#include <QColor>
#include <QPen>

// The colours every drawn piece of the program's artwork is made of: the light blue of the
// lead-number cells, a deeper blue for edges and a dark ink for outlines, so that all pieces
// read as one family.
namespace zelmora::artwork::palette {

inline const QColor kAccent(128, 128, 255);
inline const QColor kAccentDeep(78, 78, 200);
inline const QColor kInk(44, 48, 90);
inline const QColor kPaper(253, 253, 255);
inline const QColor kSteel(206, 210, 226);

// A pen with round joins and caps, as every outline of the artwork is drawn.
inline QPen roundPen(const QColor &color, qreal width)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace zelmora::artwork::palette
