#include "app/AutoResizer.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zelmora {

AutoResizer::AutoResizer(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void AutoResizer::captureDesign()
{
    m_designSize = m_window->size();
    m_children.clear();
    const auto widgets = m_window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->isWindow())
            continue;
        Design d;
        d.widget = w;
        d.geometry = w->geometry();
        d.pointSize = w->font().pointSizeF();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            d.iconSize = button->iconSize();
        m_children.append(d);
    }
}

bool AutoResizer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Resize && !m_designSize.isEmpty())
        applyScale();
    return QObject::eventFilter(watched, event);
}

void AutoResizer::applyScale()
{
    const qreal fx = qreal(m_window->width()) / m_designSize.width();
    const qreal fy = qreal(m_window->height()) / m_designSize.height();
    const qreal ff = std::min(fx, fy);
    for (const Design &d : std::as_const(m_children)) {
        if (!d.widget)
            continue;
        const QRect &g = d.geometry;
        d.widget->setGeometry(
            QRect(QPoint(int(std::lround(g.x() * fx)), int(std::lround(g.y() * fy))),
                  QPoint(int(std::lround((g.right() + 1) * fx)) - 1,
                         int(std::lround((g.bottom() + 1) * fy)) - 1)));
        if (d.pointSize > 0) {
            QFont font = d.widget->font();
            font.setPointSizeF(std::max<qreal>(1.0, d.pointSize * ff));
            d.widget->setFont(font);
        }
        if (d.iconSize.isValid())
            if (auto *button = qobject_cast<QAbstractButton *>(d.widget.data()))
                button->setIconSize(d.iconSize * ff);
    }
}

} // namespace zelmora
