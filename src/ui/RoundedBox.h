#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>

// Panels, tiles and amount boxes with a rounded border over a vertical gradient, painted by the
// widgets themselves: a window style sheet would dress every widget inside the window and
// hold its rules for each of them.
namespace zelmora {

struct BoxLook
{
    QColor top;    // the fill at the top edge
    QColor bottom; // the fill at the bottom edge; the same as top for a flat fill
    QColor border;
    qreal radius;
};

// Paints `widget`'s whole area as `look`.
void paintBox(QWidget &widget, const BoxLook &look);

// A `Widget` drawn over a box painted as `look`.
template <typename Widget> class Rounded : public Widget
{
public:
    Rounded(const BoxLook &look, QWidget *parent) : Widget(parent), m_look(look) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        paintBox(*this, m_look);
        Widget::paintEvent(event);
    }

private:
    BoxLook m_look;
};

using RoundedFrame = Rounded<QFrame>;
using RoundedLabel = Rounded<QLabel>;

} // namespace zelmora
