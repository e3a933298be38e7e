#include "core/Stakes.h"
#include "core/Format.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

struct WinningsRow
{
    const char *name;
    const char *stakes[3];
    const char *winnings[3];
    const char *total;
};

class WorkedWinningsTest : public ::testing::TestWithParam<WinningsRow>
{
};

TEST_P(WorkedWinningsTest, ShowsTheWinningsAndTotalAsThePlayerSeesThem)
{
    const WinningsRow &row = GetParam();
    const Importo importo =
        CalcolaImporto({QString::fromUtf8(row.stakes[0]), QString::fromUtf8(row.stakes[1]),
                        QString::fromUtf8(row.stakes[2])});
    const Amounts vincite = CalcolaVincite(importo.puntate);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(formatMask(vincite[i], QString::fromLatin1(kMaskVincita)),
                  QString::fromUtf8(row.winnings[i]))
            << "bet " << i;
    EXPECT_EQ(formatMask(importo.totale, QString::fromLatin1(kMaskImporto)),
              QString::fromUtf8(row.total));
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedWinningsTest,
    ::testing::Values(
        WinningsRow{"TwelveEuroStakes",
                    {"1,15", "0,25", "0,10"},
                    {"47,92", "425,00", "13.412,50"},
                    "12,00"},
        WinningsRow{"AmboOnly", {"1,00", "0,00", "0,00"}, {"41,67", "0,00", "0,00"}, "8,00"},
        WinningsRow{"TernoOnly", {"0,00", "1,00", "0,00"}, {"0,00", "1.125,00", "0,00"}, "8,00"},
        WinningsRow{
            "QuaternaOnly", {"0,00", "0,00", "1,00"}, {"0,00", "0,00", "120.000,00"}, "8,00"},
        WinningsRow{
            "HalfAEuroEach", {"0,50", "0,50", "0,50"}, {"20,83", "625,00", "62.375,00"}, "12,00"},
        WinningsRow{"AmboAndQuaternaWithoutTerno",
                    {"2,00", "0,00", "1,00"},
                    {"83,33", "0,00", "120.499,99"},
                    "24,00"}),
    [](const ::testing::TestParamInfo<WinningsRow> &row) { return std::string(row.param.name); });

TEST(StakesTest, TwelveEuroStakesAreSinglePrecisionValues)
{
    const Amounts p = puntate12Euro();
    EXPECT_EQ(p[0], 1.15f);
    EXPECT_EQ(p[1], 0.25f);
    EXPECT_EQ(p[2], 0.10f);
    // Written into the boxes and read back, they make 12,00.
    const Importo importo = CalcolaImporto({formatMask(p[0], QStringLiteral("#0.00")),
                                            formatMask(p[1], QStringLiteral("#0.00")),
                                            formatMask(p[2], QStringLiteral("#0.00"))});
    EXPECT_EQ(importo.totale, 12.0f);
}

TEST(StakesTest, AnUnreadableBoxCountsAsZero)
{
    const Importo importo =
        CalcolaImporto({QString(), QStringLiteral(","), QStringLiteral("1,,5")});
    EXPECT_EQ(importo.puntate, (Amounts{0, 0, 0}));
    EXPECT_EQ(importo.totale, 0.0f);
    EXPECT_EQ(stakeValue(QStringLiteral("2,5")), 2.5f);
}

TEST(StakesTest, ExtraTermsDependOnlyOnTheSameBetsStake)
{
    // An Ambo stake alone leaves Terno and Quaterna at zero.
    Amounts v = CalcolaVincite({2.0f, 0.0f, 0.0f});
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_EQ(v[2], 0.0f);
    // A Quaterna stake with no Terno stake adds no Terno share.
    v = CalcolaVincite({0.0f, 0.0f, 1.0f});
    EXPECT_EQ(v[2], 120000.0f);
}

} // namespace
