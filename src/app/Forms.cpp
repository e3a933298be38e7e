#include "app/Forms.h"

#include <QApplication>
#include <QWidget>

namespace zelmora {

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

void Ending::atEnd(std::function<void()> cleanup)
{
    m_cleanups.push_back(std::move(cleanup));
}

void Ending::End()
{
    for (auto &cleanup : m_cleanups)
        cleanup();
    if (m_handler)
        m_handler();
    else
        QCoreApplication::exit(0);
}

} // namespace zelmora
