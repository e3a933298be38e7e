#include "app/Pause.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

// A clock that only moves when slept on, wrapping at midnight like the real one.
class FakeClock : public Clock
{
public:
    explicit FakeClock(double start) : now(start) {}
    float Timer() override { return float(now); }
    void Sleep(int milliseconds) override
    {
        ++sleeps;
        sleptMs += milliseconds;
        now += milliseconds / 1000.0;
        if (now >= 86400.0)
            now -= 86400.0;
    }
    double now;
    int sleeps = 0;
    int sleptMs = 0;
};

TEST(PauseTest, ZeroPauseReturnsWithoutSleeping)
{
    FakeClock clock(43200.0);
    int events = 0;
    Pause(0, clock, [&] { ++events; });
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(events, 0);
}

TEST(PauseTest, SleepsFourMillisecondsAndYieldsBetweenChecks)
{
    FakeClock clock(43200.0);
    int events = 0;
    Pause(1000, clock, [&] { ++events; });
    EXPECT_GE(clock.sleptMs, 1000);
    EXPECT_LE(clock.sleptMs, 1008);
    EXPECT_EQ(clock.sleptMs, clock.sleeps * 4);
    EXPECT_EQ(events, clock.sleeps);
}

TEST(PauseTest, PauseAcrossMidnightLastsItsFullLength)
{
    FakeClock clock(86399.5);
    Pause(1000, clock, [] {});
    EXPECT_GE(clock.sleptMs, 1000);
    EXPECT_LE(clock.sleptMs, 1012);
    EXPECT_GE(clock.now, 0.5);
    EXPECT_LT(clock.now, 1.0);
}

TEST(PauseTest, RealPauseWaitsAboutItsLength)
{
    SystemClock clock;
    const float before = Timer();
    Pause(50, clock, [] {});
    float elapsed = Timer() - before;
    if (elapsed < 0)
        elapsed += 86400.0f;
    EXPECT_GE(elapsed, 0.04f);
    EXPECT_LT(elapsed, 1.0f);
}

} // namespace
