#include "ui/PaintedPicture.h"

#include <QPainter>

namespace zelmora {

PaintedPicture::PaintedPicture(Painting painting, QWidget *parent)
    : QWidget(parent), m_painting(std::move(painting))
{
}

void PaintedPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_painting(p, QSizeF(size()));
}

} // namespace zelmora
