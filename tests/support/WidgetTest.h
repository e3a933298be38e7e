#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace zelmora::testing {

// Shows a window and waits until it is the active one, so focus and keystrokes reach it.
inline bool showActive(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, 2000);
}

// Lets posted events (a moved focus, a queued Tab) take effect.
inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace zelmora::testing
