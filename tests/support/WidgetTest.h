#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

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

// Runs `action` on the next modal dialog as soon as it is shown (then, by default, closes it),
// so a test can go on past a call that shows a window modally.
inline void onNextModal(std::function<void(QDialog *)> action = {})
{
    // Owned by the application, so a timer whose dialog never came goes with it.
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    // A dialog that has not come within ten seconds is not coming: the watch ends.
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, ticks] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*ticks > 1000) {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (action)
            action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}

} // namespace zelmora::testing
