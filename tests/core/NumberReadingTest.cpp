#include "core/NumberReading.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

TEST(LeadingNumberTest, ReadsLeadingDigitsWithDotAsDecimalPoint)
{
    const struct
    {
        const char *text;
        double value;
    } cases[] = {
        {"", 0},       {"  ", 0},     {"7", 7},    {"07", 7},  {"00", 0},
        {"12abc", 12}, {"abc", 0},    {" 42", 42}, {"-3", -3}, {"+5", 5},
        {"1.5", 1.5},  {"2.5x", 2.5}, {"1,5", 1},  {"9 5", 9}, {"- 3", 0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(LeadingNumberTest, WholeValueRoundsHalvesToEven)
{
    EXPECT_EQ(wholeValue(QStringLiteral("12.5")), 12);
    EXPECT_EQ(wholeValue(QStringLiteral("13.5")), 14);
    EXPECT_EQ(wholeValue(QStringLiteral("90.4")), 90);
    EXPECT_EQ(wholeValue(QStringLiteral("90.6")), 91);
    EXPECT_EQ(wholeValue(QStringLiteral("300")), 300);
    // A huge number stays a huge number rather than wrapping into range.
    EXPECT_GT(wholeValue(QStringLiteral("99999999999999999999")), 90);
    EXPECT_LT(wholeValue(QStringLiteral("-99999999999999999999")), 1);
}

TEST(ReadAmountTest, ReadsItalianAmountsAndRefusesTheRest)
{
    const struct
    {
        const char *text;
        bool readable;
        double value;
    } cases[] = {
        {"1,5", true, 1.5}, {"0,00", true, 0},     {"1,15", true, 1.15},
        {"3", true, 3},     {" 2,50 ", true, 2.5}, {"1.234,50", true, 1234.5},
        {",5", true, 0.5},  {"5,", true, 5},       {"", false, 0},
        {",", false, 0},    {"1,,5", false, 0},    {"1,5,0", false, 0},
        {"abc", false, 0},  {"1a", false, 0},      {"   ", false, 0},
    };
    for (const auto &c : cases) {
        const auto value = readAmount(QString::fromUtf8(c.text));
        ASSERT_EQ(value.has_value(), c.readable) << c.text;
        if (c.readable) {
            EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
        }
    }
}

} // namespace
