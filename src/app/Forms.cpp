#include "app/Forms.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <vector>

namespace zelmora {

namespace {
std::vector<std::function<void()>> &cleanups()
{
    static std::vector<std::function<void()>> list;
    return list;
}
std::function<void()> &endHandler()
{
    static std::function<void()> handler;
    return handler;
}
} // namespace

void UnloadAllFormsExcept(const QString &name)
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (!w->objectName().startsWith(QLatin1String("frm")) || w->objectName() == name)
            continue;
        w->hide();
        w->deleteLater();
    }
}

void CenterForm(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() / 2.0 - size.width() / 2.0),
                 area.y() + (area.height() / 2.0 - size.height() / 2.0));
}

void atEnd(std::function<void()> cleanup)
{
    cleanups().push_back(std::move(cleanup));
}

void setEndHandler(std::function<void()> handler)
{
    endHandler() = std::move(handler);
}

void End()
{
    for (auto &cleanup : cleanups())
        cleanup();
    if (endHandler())
        endHandler()();
    else
        QCoreApplication::exit(0);
    throw EndRequested{};
}

} // namespace zelmora
