#pragma once

#include <QWidget>
#include <functional>

namespace zelmora {

// A picture painted at the widget's own size each time it is shown: sharp at whatever size the
// window is given, and holding no pixmap between paints.
class PaintedPicture : public QWidget
{
public:
    using Painting = std::function<void(QPainter &, const QSizeF &)>;
    PaintedPicture(Painting painting, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painting m_painting;
};

} // namespace zelmora
