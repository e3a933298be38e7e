#include "core/NumberReading.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

TEST(LeadingNumberTest, ReadsLeadingDigitsWithDotAsDecimalPoint)
{
    const struct
    {
        const char *name;
        const char *text;
        double value;
    } cases[] = {
        {"nothing", "", 0},
        {"blanks", "  ", 0},
        {"a digit", "7", 7},
        {"a leading zero", "07", 7},
        {"two zeros", "00", 0},
        {"digits then letters", "12abc", 12},
        {"letters", "abc", 0},
        {"a leading blank", " 42", 42},
        {"a minus sign", "-3", -3},
        {"a plus sign", "+5", 5},
        {"a decimal point", "1.5", 1.5},
        {"a decimal then a letter", "2.5x", 2.5},
        {"a comma ends the number", "1,5", 1},
        {"a blank ends the number", "9 5", 9},
        {"a blank after the minus", "- 3", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
    }
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
        const char *name;
        const char *text;
        bool readable;
        double value;
    } cases[] = {
        {"a decimal comma", "1,5", true, 1.5},
        {"zero with cents", "0,00", true, 0},
        {"two decimals", "1,15", true, 1.15},
        {"a whole number", "3", true, 3},
        {"blanks around", " 2,50 ", true, 2.5},
        {"a thousands dot", "1.234,50", true, 1234.5},
        {"no whole part", ",5", true, 0.5},
        {"nothing after the comma", "5,", true, 5},
        {"nothing", "", false, 0},
        {"a comma alone", ",", false, 0},
        {"two commas together", "1,,5", false, 0},
        {"two commas apart", "1,5,0", false, 0},
        {"letters", "abc", false, 0},
        {"a digit then a letter", "1a", false, 0},
        {"blanks only", "   ", false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto value = readAmount(QString::fromUtf8(c.text));
        ASSERT_EQ(value.has_value(), c.readable) << c.text;
        if (c.readable) {
            EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
        }
    }
}

} // namespace
