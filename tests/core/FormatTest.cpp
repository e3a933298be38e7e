#include "core/Format.h"

#include <gtest/gtest.h>

using zelmora::formatMask;
using zelmora::roundHalfEven;

namespace {

struct MaskCase
{
    const char *name;
    double value;
    const char *mask;
    const char *expected;
};

class FormatMaskTest : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(FormatMaskTest, FormatsWithItalianSeparators)
{
    const MaskCase &c = GetParam();
    EXPECT_EQ(formatMask(c.value, QString::fromUtf8(c.mask)), QString::fromUtf8(c.expected))
        << c.value << " with " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    ScreenAndPaperMasks, FormatMaskTest,
    ::testing::Values(
        // stake boxes, total, winnings
        MaskCase{"StakeBoxFloat", double(1.15f), "#0.00", "1,15"},
        MaskCase{"StakeBoxZero", 0.0, "#0.00", "0,00"},
        MaskCase{"StakeBoxOneDecimal", 1.5, "#0.00", "1,50"},
        MaskCase{"StakeBoxNoThousands", 1234.5, "#0.00", "1234,50"},
        MaskCase{"Total", 12.0, "##0.00", "12,00"},
        MaskCase{"WinningsThousands", 13412.5, "###,##0.00", "13.412,50"},
        MaskCase{"WinningsFloatRoundsDown", double(120499.992f), "###,##0.00", "120.499,99"},
        MaskCase{"WinningsFloatRoundsUp", double(47.915897f), "###,##0.00", "47,92"},
        MaskCase{"WinningsBelowAThousand", 999.0, "###,##0.00", "999,00"},
        MaskCase{"WinningsAThousand", 1000.0, "###,##0.00", "1.000,00"},
        MaskCase{"WinningsMillions", 1234567.0, "###,##0.00", "1.234.567,00"},
        // amounts on paper
        MaskCase{"PaperEuroThousands", 120000.0, "€ ###,##0.00", "€ 120.000,00"},
        MaskCase{"PaperEuroShortMask", 1234.5, "€ #,##0.00", "€ 1.234,50"},
        MaskCase{"PaperEuroTens", 12.0, "€ ##0.00", "€ 12,00"},
        MaskCase{"PaperEuroWithLiterals", 3.5, " € ##0.00 -- ", " € 3,50 -- "},
        // whole numbers
        MaskCase{"WholeZeroHashOneDigit", 7, "0#", "07"},
        MaskCase{"WholeZeroHashTwoDigits", 12, "0#", "12"},
        MaskCase{"WholeTwoZeros", 7, "00", "07"}, MaskCase{"WholeFourZeros", 3, "0000", "0003"},
        MaskCase{"WholeWithLiterals", 7, "#0 -- ", "7 -- "},
        MaskCase{"WholeZeroWithLiterals", 0, "#0 -- ", "0 -- "},
        // halves go away from zero on the decimal form
        MaskCase{"HalfCentUp", 0.125, "#0.00", "0,13"},
        MaskCase{"HalfCentStoredBelowUp", 2.675, "#0.00", "2,68"},
        MaskCase{"HalfOfACentUp", 0.005, "#0.00", "0,01"},
        MaskCase{"LessThanHalfACentDown", 0.004, "#0.00", "0,00"},
        MaskCase{"HalfCentCarriesToTens", 9.995, "#0.00", "10,00"},
        MaskCase{"HalfCentCarriesToThousands", 999.995, "###,##0.00", "1.000,00"},
        MaskCase{"Negative", -1.5, "#0.00", "-1,50"},
        MaskCase{"NegativeBelowHalfACentIsZero", -0.001, "#0.00", "0,00"}),
    [](const ::testing::TestParamInfo<MaskCase> &row) { return std::string(row.param.name); });

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.51), 3.0);
    EXPECT_EQ(roundHalfEven(90.4), 90.0);
}

} // namespace
