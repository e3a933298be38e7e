#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

namespace zelmora {

// Keeps a window's layout in proportion when the window is resized: every child's geometry,
// font size and icon size scale with the window from the design the window was built with.
class AutoResizer : public QObject
{
    Q_OBJECT
public:
    explicit AutoResizer(QWidget *window);

    // Takes the current geometry of every child as the design to scale from.
    void captureDesign();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Design
    {
        QPointer<QWidget> widget;
        QRect geometry;
        qreal pointSize = -1;
        QSize iconSize;
    };
    void applyScale();

    QWidget *m_window;
    QSize m_designSize;
    QList<Design> m_children;
};

} // namespace zelmora
