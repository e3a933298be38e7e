#pragma once

#include <functional>

namespace zelmora {

// The clock a pause reads: seconds since local midnight and a short sleep.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual float Timer() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

// The wall clock of this machine.
class SystemClock : public Clock
{
public:
    float Timer() override;
    void Sleep(int milliseconds) override;
};

// Seconds since local midnight, as a single-precision value.
float Timer();

// Waits the given milliseconds while pending window events keep running: checks the clock
// every 4 ms, and keeps its full length across midnight (the first reading below the start
// moves the end back by one day, once).
void Pause(float milliseconds, Clock &clock, const std::function<void()> &doEvents);
// The same with the wall clock and the program's DoEvents.
void Pause(float milliseconds);

} // namespace zelmora
