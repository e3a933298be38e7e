#include "core/NumberStatistics.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

// Four draws worked by hand: 1 is in the first and the last, 17 only in the last, 3 only in
// the first, 2 in the first and the third, 90 in none.
QList<Draw> fourDraws()
{
    const std::array<std::array<std::uint8_t, 5>, 4> numbers{
        {{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}, {10, 11, 12, 13, 2}, {1, 14, 15, 16, 17}}};
    QList<Draw> draws;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        draws.append(Draw{QDate(2024, 1, 2).addDays(qint64(i) * 2), 7, numbers[i]});
    return draws;
}

struct NumberCase
{
    const char *what;
    int n, frequency, delay, maxDelay;
};

TEST(NumberStatistics, HandWorkedNumbersAndPlays)
{
    const PlayNumbers plays{{{1, 2, 3, 4}, {1, 6, 50, 60}, {80, 81, 82, 83}}};
    const NumberStatistics s = numberStatistics(fourDraws(), plays);
    ASSERT_EQ(s.draws, 4);
    const NumberCase cases[] = {
        {"never drawn", 90, 0, 4, 4},
        {"in the first and the last", 1, 3, 0, 1},
        {"only in the last: the run before it counts", 17, 1, 0, 3},
        {"only in the first: the current run counts", 3, 1, 3, 3},
        {"first and third", 2, 2, 1, 1},
    };
    for (const NumberCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(s.of(c.n).frequency, c.frequency);
        EXPECT_EQ(s.of(c.n).delay, c.delay);
        EXPECT_EQ(s.of(c.n).maxDelay, c.maxDelay);
    }
    // Play 1 made its quaterna in the first draw; play 2 only an ambo, in the second; play 3,
    // and the plays left empty, never won: N.
    EXPECT_EQ(s.plays[0], (PlayDelays{3, 3, 3}));
    EXPECT_EQ(s.plays[1], (PlayDelays{2, 4, 4}));
    EXPECT_EQ(s.plays[2], (PlayDelays{4, 4, 4}));
    EXPECT_EQ(s.plays[7], (PlayDelays{4, 4, 4}));
    EXPECT_EQ(numberStatistics({}).draws, 0);
}

} // namespace
