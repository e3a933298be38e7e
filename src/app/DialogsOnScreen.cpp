#include "app/DialogsOnScreen.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace zelmora {

void keepOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    // The frame the window manager adds; before it is known, the owner's tells it best.
    const QWidget *framed = window;
    if (window->frameGeometry().size() == window->geometry().size() && window->parentWidget())
        framed = window->parentWidget()->window();
    const QSize frame = framed->frameGeometry().size() - framed->geometry().size();
    const QSize fits(std::min(window->width(), room.width() - frame.width()),
                     std::min(window->height(), room.height() - frame.height()));
    if (fits != window->size())
        window->resize(fits);
    const QRect outer(window->frameGeometry().topLeft(), window->size() + frame);
    if (room.contains(outer))
        return;
    window->move(std::clamp(outer.left(), room.left(), room.right() + 1 - outer.width()),
                 std::clamp(outer.top(), room.top(), room.bottom() + 1 - outer.height()));
}

bool DialogsOnScreen::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Resize) &&
        watched->isWidgetType()) {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && dialog->isWindow() && dialog->isVisible()) {
            // Once the dialog has its place and size: after the event, when Qt has set them.
            QPointer<QDialog> placed(dialog);
            QTimer::singleShot(0, dialog, [placed] {
                if (placed && placed->isVisible())
                    keepOnScreen(placed);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelmora
