#include "ui/UpwardScrollBar.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace zelmora {

UpwardScrollBar::UpwardScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
    setInvertedAppearance(true);
    // A step asked for with the mouse (an arrow, the groove, held down or not) goes the way
    // the drawing shows. The value has not followed the action yet, so the position is set
    // from it, the other way.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (!m_mouseHeld)
            return;
        switch (action) {
        case SliderSingleStepAdd:
            setSliderPosition(value() - singleStep());
            break;
        case SliderSingleStepSub:
            setSliderPosition(value() + singleStep());
            break;
        case SliderPageStepAdd:
            setSliderPosition(value() - pageStep());
            break;
        case SliderPageStepSub:
            setSliderPosition(value() + pageStep());
            break;
        default:
            break;
        }
    });
}

void UpwardScrollBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_Down:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepAdd);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMaximum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMinimum);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

void UpwardScrollBar::wheelEvent(QWheelEvent *event)
{
    // One step for every notch (120 eighths of a degree), turned up to raise.
    m_wheelDelta += event->angleDelta().y();
    const int notches = m_wheelDelta / 120;
    m_wheelDelta -= notches * 120;
    if (notches != 0)
        setValue(value() + notches * singleStep());
    event->accept();
}

void UpwardScrollBar::mousePressEvent(QMouseEvent *event)
{
    m_mouseHeld = true;
    QScrollBar::mousePressEvent(event);
}

void UpwardScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    QScrollBar::mouseReleaseEvent(event);
    m_mouseHeld = false;
}

} // namespace zelmora
