#include "core/Winnings.h"
#include "core/RuntimeError.h"
#include "core/SystemCheck.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace zelmora;

namespace {

// The square of every case: lead number 7 on the diagonal.
//   rows     7 12 23 34 | 45 7 56 67 | 78 89 7 1 | 2 13 24 7
//   columns  7 45 78 2  | 12 7 89 13 | 23 56 7 24 | 34 67 1 7
Sistema square()
{
    Sistema s;
    s.Righe = {{{7, 12, 23, 34}, {45, 7, 56, 67}, {78, 89, 7, 1}, {2, 13, 24, 7}}};
    s.Ruota = QStringLiteral("Roma");
    return s;
}

struct WinCase
{
    const char *what;
    float stakes[3]; // Ambo, Terno, Quaterna in euro
    int drawn[5];
    int withholding;   // hundredths of a percent
    const char *plays; // "play:hits:gross:net" of each winning play, blank-separated
    const char *gross; // the draw's gross and net
    const char *net;
};

class WinningsTable : public ::testing::TestWithParam<WinCase>
{
};

TEST_P(WinningsTable, PaysEachPlayAndTheDraw)
{
    const WinCase &c = GetParam();
    Sistema s = square();
    s.Puntate = {c.stakes[0], c.stakes[1], c.stakes[2]};
    Draw draw;
    draw.date = QDate(2024, 3, 7);
    draw.wheel = 7;
    for (int i = 0; i < 5; ++i)
        draw.numbers[std::size_t(i)] = std::uint8_t(c.drawn[i]);

    const CheckResult result = *checkSystem(*checkedSystem(s), {draw}, c.withholding);

    QStringList plays;
    Cents gross = 0, net = 0;
    if (!result.wins.isEmpty()) {
        for (const PlayWin &p : result.playsOf(result.wins[0]))
            plays << QStringLiteral("%1:%2:%3:%4")
                         .arg(p.play)
                         .arg(p.hits)
                         .arg(centsText(p.gross), centsText(p.net));
        gross = result.wins[0].gross;
        net = result.wins[0].net;
    }
    EXPECT_EQ(plays.join(u' '), QString::fromLatin1(c.plays));
    EXPECT_EQ(centsText(gross), QString::fromLatin1(c.gross));
    EXPECT_EQ(centsText(net), QString::fromLatin1(c.net));
    EXPECT_EQ(result.totals.winningDraws, result.wins.size());
    EXPECT_EQ(centsText(result.totals.net), QString::fromLatin1(c.net));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WinningsTable,
    ::testing::Values(
        // No number, or one, of any play: nothing, whatever the stakes.
        WinCase{"hits0", {1, 1, 1}, {3, 4, 5, 6, 8}, 800, "", "0.00", "0.00"},
        WinCase{"hits1", {1, 1, 1}, {12, 3, 4, 5, 6}, 800, "", "0.00", "0.00"},
        // Two numbers of row 1 only: an Ambo, 100 x 250 / 6 = 4166.67 cents.
        WinCase{
            "hits2Ambo", {1, 0, 0}, {23, 34, 3, 4, 5}, 800, "1:2:41.67:38.34", "41.67", "38.34"},
        WinCase{"hits2Terno", {0, 1, 0}, {23, 34, 3, 4, 5}, 800, "", "0.00", "0.00"},
        WinCase{"hits2Quaterna", {0, 0, 1}, {23, 34, 3, 4, 5}, 800, "", "0.00", "0.00"},
        // Three numbers of row 1 (12, 23, 34, not 7): three Ambos, rounded once, and one Terno.
        WinCase{"hits3Ambo",
                {1, 0, 0},
                {12, 23, 34, 4, 5},
                800,
                "1:3:125.00:115.00",
                "125.00",
                "115.00"},
        WinCase{"hits3Terno",
                {0, 1, 0},
                {12, 23, 34, 4, 5},
                800,
                "1:3:1125.00:1035.00",
                "1125.00",
                "1035.00"},
        WinCase{"hits3Quaterna", {0, 0, 1}, {12, 23, 34, 4, 5}, 800, "", "0.00", "0.00"},
        // Row 1 whole: six Ambos, four Ternos, the Quaterna; the 7 also makes an Ambo with each
        // of 12, 23 and 34 in columns 2, 3 and 4.
        WinCase{"hits4Ambo",
                {1, 0, 0},
                {7, 12, 23, 34, 3},
                800,
                "1:4:250.00:230.00 6:2:41.67:38.34 7:2:41.67:38.34 8:2:41.67:38.34",
                "375.01",
                "345.01"},
        WinCase{"hits4Terno",
                {0, 1, 0},
                {7, 12, 23, 34, 3},
                800,
                "1:4:4500.00:4140.00",
                "4500.00",
                "4140.00"},
        WinCase{"hits4Quaterna",
                {0, 0, 1},
                {7, 12, 23, 34, 3},
                800,
                "1:4:120000.00:110400.00",
                "120000.00",
                "110400.00"},
        // The 12-euro stakes: the Quaterna of row 1 pays what the main window shows, 13.412,50.
        WinCase{"hits4Twelve",
                {1.15f, 0.25f, 0.10f},
                {7, 12, 23, 34, 3},
                800,
                "1:4:13412.50:12339.50 6:2:47.92:44.09 7:2:47.92:44.09 8:2:47.92:44.09",
                "13556.26",
                "12471.76"},
        // Overlapping plays: 7 and 12 stand in row 1 and column 2, 7 and 89 in row 3 and column
        // 2, so one draw wins a Terno on column 2 and Ambos on rows 1 and 3.
        WinCase{"overlapping",
                {1, 1, 0},
                {7, 12, 89, 50, 60},
                800,
                "1:2:41.67:38.34 3:2:41.67:38.34 6:3:1250.00:1150.00",
                "1333.34",
                "1226.67"},
        // Half cents go away from zero, per play and once per draw: a Terno of 0,01 pays 11.25;
        // at 50% each play nets 5.625 -> 5.63, the draw 22.50 -> 11.25.
        WinCase{"halfCentNet",
                {0, 0.01f, 0},
                {7, 12, 23, 89, 60},
                5000,
                "1:3:11.25:5.63 6:3:11.25:5.63",
                "22.50",
                "11.25"},
        // A stake is the cent the stake box shows: 0.125 is 0,13 (half away from zero), the
        // float nearest 0,145 lies below it and is 0,14.
        WinCase{
            "halfCentStake", {0.125f, 0, 0}, {23, 34, 3, 4, 5}, 0, "1:2:5.42:5.42", "5.42", "5.42"},
        WinCase{"floatBelowHalf",
                {0.145f, 0, 0},
                {23, 34, 3, 4, 5},
                0,
                "1:2:5.83:5.83",
                "5.83",
                "5.83"}),
    [](const ::testing::TestParamInfo<WinCase> &row) { return std::string(row.param.what); });

TEST(WinningsTest, TotalsCountEveryDrawCheckedAndStakeTheSystemEachTime)
{
    Sistema s = square();
    s.Puntate = {1.15f, 0.25f, 0.10f};
    QList<Draw> draws;
    for (int day = 1; day <= 3; ++day) {
        Draw d;
        d.date = QDate(2024, 1, day);
        d.wheel = 7;
        d.numbers = day == 2 ? std::array<std::uint8_t, 5>{7, 12, 3, 4, 5}
                             : std::array<std::uint8_t, 5>{3, 4, 5, 6, 8};
        draws << d;
    }
    const CheckResult r = *checkSystem(*checkedSystem(s), draws);
    EXPECT_EQ(r.totals.drawsChecked, 3);
    EXPECT_EQ(r.totals.winningDraws, 1);
    EXPECT_EQ(centsText(r.totals.staked), QStringLiteral("36.00"));
    // 7 and 12 are row 1 and column 2: two Ambos of 47.92.
    EXPECT_EQ(centsText(r.totals.gross), QStringLiteral("95.84"));
    EXPECT_EQ(centsText(r.totals.net), QStringLiteral("88.17"));
    EXPECT_EQ(centsText(r.totals.balance()), QStringLiteral("52.17"));
    ASSERT_EQ(r.wins.size(), 1);
    EXPECT_EQ(r.wins[0].draw.date, QDate(2024, 1, 2));
}

TEST(WinningsTest, TheProgressCanStopALongCheck)
{
    Sistema s = square();
    s.Puntate = {1, 0, 0};
    QList<Draw> draws(2000);
    for (qsizetype i = 0; i < draws.size(); ++i) {
        draws[i].date = QDate(2000, 1, 1).addDays(i);
        draws[i].wheel = 7;
        draws[i].numbers = {7, 12, 3, 4, 5};
    }
    int calls = 0;
    const CheckResult r = *checkSystem(*checkedSystem(s), draws, 800, [&](int done, int total) {
        EXPECT_EQ(total, 2000);
        EXPECT_GT(done, 0);
        return ++calls < 2;
    });
    EXPECT_TRUE(r.interrupted);
    EXPECT_GT(r.totals.drawsChecked, 0);
    EXPECT_LT(r.totals.drawsChecked, 2000);
    EXPECT_EQ(r.wins.size(), r.totals.drawsChecked);
}

TEST(WinningsTest, AStakeNoBoxCanHoldIsAnOverflow)
{
    Sistema s = square();
    s.Puntate = {1e30f, 0, 0};
    EXPECT_EQ(checkedSystem(s).error().number(), RuntimeError::Overflow);
}

} // namespace
