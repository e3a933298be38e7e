#include "app/Pause.h"

#include "app/UiServices.h"

#include <QThread>
#include <QTime>

namespace zelmora {

float Timer()
{
    return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

float SystemClock::Timer()
{
    return zelmora::Timer();
}

void SystemClock::Sleep(int milliseconds)
{
    QThread::msleep(milliseconds);
}

void Pause(float milliseconds, Clock &clock, const std::function<void()> &doEvents)
{
    constexpr float kSecondsPerDay = 86400.0f;
    const float start = clock.Timer();
    float end = start + milliseconds / 1000.0f;
    if (clock.Timer() >= end)
        return;
    bool pastMidnight = false;
    do {
        clock.Sleep(4);
        doEvents();
        if (!pastMidnight && clock.Timer() < start) {
            end -= kSecondsPerDay;
            pastMidnight = true;
        }
    } while (clock.Timer() < end);
}

void Pause(float milliseconds)
{
    SystemClock clock;
    Pause(milliseconds, clock, [] { ui().DoEvents(); });
}

} // namespace zelmora
