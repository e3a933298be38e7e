#include "app/Forms.h"

#include <QApplication>
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
}

} // namespace zelmora
