#include "app/Pause.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

// A clock that only moves when slept on.
class FakeClock : public Clock
{
public:
    explicit FakeClock(std::int64_t start) : now(start) {}
    std::int64_t milliseconds() override { return now; }
    void Sleep(int milliseconds) override
    {
        ++sleeps;
        sleptMs += milliseconds;
        now += milliseconds;
    }
    std::int64_t now;
    int sleeps = 0;
    int sleptMs = 0;
};

TEST(PauseTest, ZeroPauseReturnsWithoutSleeping)
{
    FakeClock clock(43200000);
    int events = 0;
    Pause(0, clock, [&] { ++events; });
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(events, 0);
}

TEST(PauseTest, SleepsFourMillisecondsAndYieldsBetweenChecks)
{
    FakeClock clock(43200000);
    int events = 0;
    Pause(1000, clock, [&] { ++events; });
    EXPECT_GE(clock.sleptMs, 1000);
    EXPECT_LE(clock.sleptMs, 1008);
    EXPECT_EQ(clock.sleptMs, clock.sleeps * 4);
    EXPECT_EQ(events, clock.sleeps);
}

TEST(PauseTest, RealPauseWaitsAboutItsLength)
{
    SystemClock clock;
    const std::int64_t before = clock.milliseconds();
    Pause(50, clock, [] {});
    const std::int64_t elapsed = clock.milliseconds() - before;
    EXPECT_GE(elapsed, 50);
    EXPECT_LT(elapsed, 1000);
}

} // namespace
