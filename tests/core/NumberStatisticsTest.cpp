#include "core/NumberStatistics.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

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

// The figures worked out the plain way, one number and one play at a time.
struct PlainFigures
{
    std::array<NumberFigures, 90> numbers{};
    std::array<PlayDelays, kGiocate> plays{};
};

bool holds(const Draw &draw, int n)
{
    return std::find(draw.numbers.begin(), draw.numbers.end(), n) != draw.numbers.end();
}

// A play's numbers are the different numbers from 1 to 90 among its four cells: a number
// written twice is one number, an empty cell (0) none.
PlainFigures plainFigures(const QList<Draw> &draws, const Square &rows)
{
    const int total = int(draws.size());
    PlainFigures plain;
    for (int n = 1; n <= 90; ++n) {
        NumberFigures &f = plain.numbers[std::size_t(n - 1)];
        int run = 0;
        for (const Draw &d : draws) {
            run = holds(d, n) ? 0 : run + 1;
            f.frequency += holds(d, n);
            f.maxDelay = std::max(f.maxDelay, run);
        }
        f.delay = run;
    }
    for (int p = 0; p < kGiocate; ++p) {
        std::set<int> numbers;
        for (int k = 0; k < 4; ++k) {
            const int n = p < 4 ? rows[std::size_t(p)][std::size_t(k)]
                                : rows[std::size_t(k)][std::size_t(p - 4)];
            if (n >= 1 && n <= 90)
                numbers.insert(n);
        }
        for (int wanted = 2; wanted <= 4; ++wanted) {
            int after = 0;
            while (after < total) {
                const Draw &d = draws[total - 1 - after];
                const auto hits = std::count_if(numbers.begin(), numbers.end(),
                                                [&](int n) { return holds(d, n); });
                if (hits >= wanted)
                    break;
                ++after;
            }
            plain.plays[std::size_t(p)][std::size_t(wanted - 2)] = after;
        }
    }
    return plain;
}

struct RandomCase
{
    const char *name;
    unsigned seed;
    int draws;
    int highest; // the draws' numbers are taken from 1 to highest
};

class NumberStatisticsOracle : public ::testing::TestWithParam<RandomCase>
{
};

TEST_P(NumberStatisticsOracle, MatchesThePlainCount)
{
    const RandomCase &c = GetParam();
    std::mt19937 random(c.seed);
    const auto upTo = [&](int highest) { return int(random() % unsigned(highest)) + 1; };
    QList<Draw> draws;
    for (int i = 0; i < c.draws; ++i) {
        Draw d{QDate(1939, 1, 7).addDays(qint64(i) * 3), 0, {}};
        for (std::size_t k = 0; k < 5; ++k)
            do
                d.numbers[k] = std::uint8_t(upTo(c.highest));
            while (std::count(d.numbers.begin(), d.numbers.begin() + qsizetype(k), d.numbers[k]));
        draws.append(d);
    }
    // The cells from the same numbers, some empty; row 1 writes one number twice, and its
    // first two cells then share that number with columns 1 and 2.
    Sistema system;
    for (auto &row : system.Righe)
        for (auto &cell : row)
            cell = std::uint8_t(random() % 5 == 0 ? 0 : upTo(c.highest));
    system.Righe[0] = {3, 3, 5, 7};

    qint64 lastDone = -1;
    bool backwards = false;
    const NumberStatistics s =
        numberStatistics(draws, playsOf(system), [&](qint64 done, qint64 total) {
            backwards |= done < lastDone || total != c.draws;
            lastDone = done;
            return true;
        });
    const PlainFigures plain = plainFigures(draws, system.Righe);
    ASSERT_FALSE(s.interrupted);
    EXPECT_EQ(s.draws, c.draws);
    EXPECT_EQ(s.firstDate, draws.isEmpty() ? QDate() : draws.first().date);
    EXPECT_EQ(s.lastDate, draws.isEmpty() ? QDate() : draws.last().date);
    EXPECT_FALSE(backwards);
    if (c.draws > 0) {
        EXPECT_EQ(lastDone, c.draws) << "the progress does not end on the whole";
    }
    for (int n = 1; n <= 90; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(s.of(n).frequency, plain.numbers[std::size_t(n - 1)].frequency);
        EXPECT_EQ(s.of(n).delay, plain.numbers[std::size_t(n - 1)].delay);
        EXPECT_EQ(s.of(n).maxDelay, plain.numbers[std::size_t(n - 1)].maxDelay);
    }
    for (int p = 0; p < kGiocate; ++p)
        EXPECT_EQ(s.plays[std::size_t(p)], plain.plays[std::size_t(p)]) << "play " << p + 1;
}

INSTANTIATE_TEST_SUITE_P(Random, NumberStatisticsOracle,
                         ::testing::Values(RandomCase{"NoDraw", 1, 0, 90},
                                           RandomCase{"OneDraw", 2, 1, 10},
                                           RandomCase{"AFewOfTen", 3, 6, 10},
                                           RandomCase{"AFewOfNinety", 4, 9, 90},
                                           RandomCase{"ThousandsOfTen", 5, 3000, 10},
                                           RandomCase{"ThousandsOfNinety", 6, 4000, 90},
                                           // Past the draws between two calls of the progress.
                                           RandomCase{"PastTwoProgressSteps", 7, 17000, 90}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
