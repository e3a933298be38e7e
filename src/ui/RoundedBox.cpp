#include "ui/RoundedBox.h"

#include <QLinearGradient>
#include <QPainter>

namespace zelmora {

void paintBox(QWidget &widget, const BoxLook &look)
{
    QPainter p(&widget);
    p.setRenderHint(QPainter::Antialiasing);
    // The border's one-pixel line runs through the middle of the outermost pixels.
    const QRectF box = QRectF(widget.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, look.top);
    fill.setColorAt(1, look.bottom);
    p.setPen(QPen(look.border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(box, look.radius, look.radius);
}

} // namespace zelmora
