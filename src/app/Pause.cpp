#include "app/Pause.h"

#include "app/UiServices.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTime>

namespace zelmora {

float Timer()
{
    return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

std::int64_t SystemClock::milliseconds()
{
    return QDeadlineTimer::current(Qt::PreciseTimer).deadline();
}

void SystemClock::Sleep(int milliseconds)
{
    QThread::msleep(milliseconds);
}

void Pause(float milliseconds, Clock &clock, const std::function<void()> &doEvents)
{
    const std::int64_t end = clock.milliseconds() + std::int64_t(milliseconds);
    while (clock.milliseconds() < end) {
        clock.Sleep(4);
        doEvents();
    }
}

void Pause(float milliseconds, UiServices &ui)
{
    SystemClock clock;
    Pause(milliseconds, clock, [&ui] { ui.DoEvents(); });
}

} // namespace zelmora
