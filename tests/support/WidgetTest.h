#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMetaObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

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

// While it lives, runs `callback` on every widget of type T that is shown. The application's
// Show events are filtered, so nothing polls; the call is queued, so it runs once the shown
// window's own event loop runs (a modal dialog's exec()) with the window fully up. A call still
// queued when the catcher goes is dropped, and so is one whose window has gone meanwhile.
template <class T> class CatchShow : public QObject
{
public:
    explicit CatchShow(std::function<void(T *)> onShow, QObject *parent = nullptr)
        : QObject(parent), callback(std::move(onShow))
    {
        qApp->installEventFilter(this);
    }
    ~CatchShow() override { qApp->removeEventFilter(this); }

    // How many times the callback has run.
    int count() const { return fired; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            if (auto *widget = qobject_cast<T *>(watched)) {
                QPointer<T> shown(widget);
                QMetaObject::invokeMethod(
                    this,
                    [this, shown] {
                        if (!shown)
                            return;
                        ++fired;
                        if (callback)
                            callback(shown);
                    },
                    Qt::QueuedConnection);
            }
        return false;
    }

private:
    std::function<void(T *)> callback;
    int fired = 0;
};

namespace detail {

inline const char *const kNextModalWatch = "zelmora::testing::onNextModal";

// The watch onNextModal leaves with the application: it fires once, for the first modal dialog
// shown, and then goes. One whose dialog has not come within ten seconds is not waiting for
// it any longer, and the test runner ends any left at the end of a test.
class NextModalWatch : public QObject
{
public:
    explicit NextModalWatch(std::function<void(QDialog *)> onShow)
        : QObject(qApp), action(std::move(onShow))
    {
        setObjectName(QLatin1String(kNextModalWatch));
        QTimer::singleShot(10000, this, &QObject::deleteLater);
    }

private:
    void fire(QDialog *dialog)
    {
        // A dialog shown without modality (a progress window), or closed before its turn
        // came, is not the one awaited.
        if (done || !dialog->isModal() || !dialog->isVisible())
            return;
        done = true;
        qApp->removeEventFilter(&catcher);
        QPointer<QDialog> open(dialog);
        if (action)
            action(dialog);
        if (open && open->isVisible())
            open->reject();
        deleteLater();
    }

    std::function<void(QDialog *)> action;
    bool done = false;
    CatchShow<QDialog> catcher{[this](QDialog *dialog) { fire(dialog); }};
};

} // namespace detail

// Runs `action` on the next modal dialog as soon as it is shown (then, if it is still open,
// rejects it), so a test can go on past a call that shows a window modally.
inline void onNextModal(std::function<void(QDialog *)> action = {})
{
    new detail::NextModalWatch(std::move(action));
}

// Ends every onNextModal watch still waiting, so none outlives the test that set it.
inline void endModalWatches()
{
    for (QObject *watch : qApp->findChildren<QObject *>(QLatin1String(detail::kNextModalWatch),
                                                        Qt::FindDirectChildrenOnly))
        delete watch;
}

} // namespace zelmora::testing
