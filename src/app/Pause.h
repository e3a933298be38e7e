#pragma once

#include <cstdint>
#include <functional>

namespace zelmora {

class UiServices;

// The clock a pause reads: milliseconds on a clock that only moves forward (setting the
// system's time or passing midnight does not move it), and a short sleep.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t milliseconds() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

// The monotonic clock of this machine.
class SystemClock : public Clock
{
public:
    std::int64_t milliseconds() override;
    void Sleep(int milliseconds) override;
};

// Seconds since local midnight, as a single-precision value (the random prognosis's seed).
float Timer();

// Waits the given milliseconds while pending window events keep running: checks the clock
// every 4 ms.
void Pause(float milliseconds, Clock &clock, const std::function<void()> &doEvents);
// The same with the system's clock and the DoEvents of the services given.
void Pause(float milliseconds, UiServices &ui);

} // namespace zelmora
