#pragma once

#include <QScrollBar>

namespace zelmora {

// A vertical scroll bar whose top end stands for its maximum: the upper arrow, the groove
// above the handle, the Up, Page Up and Home keys and the wheel turned up raise the value;
// their counterparts lower it. Qt ties the arrows to the value's direction, not to the
// drawing, so a bar that is only drawn upside down would have its arrows the wrong way round.
class UpwardScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit UpwardScrollBar(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_mouseHeld = false;
    int m_wheelDelta = 0;
};

} // namespace zelmora
