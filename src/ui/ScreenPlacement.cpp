#include "ui/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zelmora {

void placeOnScreen(QWidget *window, const QWidget *over, QSize wanted)
{
    const QRect overFrame = over ? over->window()->frameGeometry() : QRect();
    QScreen *screen = over ? QGuiApplication::screenAt(overFrame.center()) : nullptr;
    if (!screen)
        screen = over ? over->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    // The frame the window manager adds; before the first show it is not known yet, and the
    // window it opens from, framed by the same manager, tells it best.
    const QWidget *framed = window->isVisible() || !over ? window : over->window();
    const QSize frame = framed->frameGeometry().size() - framed->geometry().size();
    if (!wanted.isValid())
        wanted = window->size();
    const QSize fits(std::min(wanted.width(), room.width() - frame.width()),
                     std::min(wanted.height(), room.height() - frame.height()));
    window->resize(fits);
    const QSize outer = window->size() + frame;
    const QPoint centre = overFrame.isValid() ? overFrame.center() : room.center();
    const int x = std::clamp(centre.x() - outer.width() / 2, room.left(),
                             std::max(room.left(), room.right() + 1 - outer.width()));
    const int y = std::clamp(centre.y() - outer.height() / 2, room.top(),
                             std::max(room.top(), room.bottom() + 1 - outer.height()));
    window->move(x, y);
}

void CenterForm(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect whole = screen->geometry();
    const QRect room = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize outer = window->size() + frame;
    QRect placed(
        QPoint(whole.center().x() - outer.width() / 2, whole.center().y() - outer.height() / 2),
        outer);
    if (!room.contains(placed))
        placed.moveTo(std::clamp(placed.left(), room.left(),
                                 std::max(room.left(), room.right() + 1 - outer.width())),
                      std::clamp(placed.top(), room.top(),
                                 std::max(room.top(), room.bottom() + 1 - outer.height())));
    window->move(placed.topLeft());
}

} // namespace zelmora
