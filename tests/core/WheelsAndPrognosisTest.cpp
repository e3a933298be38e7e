#include "core/Prognosis.h"
#include "core/WheelsFile.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace zelmora;

namespace {

TEST(WheelsFileTest, ReadsDelimitedNames)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        QStringList expected;
    } cases[] = {
        {"three lines", "Bari\r\nCagliari\r\nFirenze\r\n", {"Bari", "Cagliari", "Firenze"}},
        {"no final line end", "Bari\nRoma", {"Bari", "Roma"}},
        {"commas", "Bari,Cagliari , Firenze\r\nRoma", {"Bari", "Cagliari", "Firenze", "Roma"}},
        {"quotes keep commas",
         "\"Bari, centro\",\"Roma\"\r\n\"Napoli\"",
         {"Bari, centro", "Roma", "Napoli"}},
        {"blank lines skipped", "\r\nBari\r\n\r\n  \r\nRoma\r\n", {"Bari", "Roma"}},
        {"empty file", "", {}},
        {"accents in the Windows code page", "For\xEC\r\n", {QStringLiteral("Forì")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseRuote(c.bytes), c.expected) << c.name;

    // A quoted name keeps its blanks; a system stores its wheel padded: both match trimmed.
    const QStringList quoted = parseRuote("\" Bari\"\r\nRoma\r\n");
    EXPECT_EQ(wheelPosition(quoted, QStringLiteral("Bari      ")), 0);
    EXPECT_EQ(wheelPosition(quoted, QStringLiteral("Napoli")), -1);
}

TEST(WheelsFileTest, KeepsOnlyTheFirstElevenNames)
{
    QByteArray twelve;
    for (int i = 1; i <= 12; ++i)
        twelve += "Ruota" + QByteArray::number(i) + "\r\n";
    const QStringList names = parseRuote(twelve);
    ASSERT_EQ(names.size(), 11);
    EXPECT_EQ(names.last(), QStringLiteral("Ruota11"));
}

TEST(PrognosisTest, RowsAndColumnsAreDistinctAndAvoidTheLeadNumber)
{
    std::mt19937 generator(2026);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (const std::uint8_t lead :
         {std::uint8_t(0), std::uint8_t(45), std::uint8_t(1), std::uint8_t(90)}) {
        SCOPED_TRACE(::testing::Message() << "lead number " << int(lead));
        std::set<int> seen;
        for (int press = 0; press < 2000; ++press) {
            const Square square = PronosticoCasuale(lead, [&] { return uniform(generator); });
            for (int c = 0; c < 4; ++c) {
                const std::set<int> inColumn{square[0][c], square[1][c], square[2][c],
                                             square[3][c]};
                EXPECT_EQ(inColumn.size(), 4u);
            }
            for (const auto &row : square) {
                std::set<int> inRow;
                for (int n : row) {
                    EXPECT_GE(n, 1);
                    EXPECT_LE(n, 90);
                    EXPECT_NE(n, lead);
                    inRow.insert(n);
                    seen.insert(n);
                }
                EXPECT_EQ(inRow.size(), 4u);
            }
        }
        // Every number other than the lead turns up.
        EXPECT_EQ(seen.size(), lead ? 89u : 90u);
    }
}

TEST(PrognosisTest, DrawsAgainUntilTheNumberIsNew)
{
    // The same draw three times, then new ones: the repeats in the row are thrown away. In the
    // second row, 1 is drawn again for the first column, which already holds it, and then
    // for the second column, which does not.
    const double draws[] = {0.0, 0.0, 0.0, 0.5, 0.99, 0.2, 0.0, 0.3, 0.0};
    std::size_t next = 0;
    double more = 0.0;
    const Square square = PronosticoCasuale(0, [&] {
        if (next < std::size(draws))
            return draws[next++];
        more = std::fmod(more + 0.137, 1.0);
        return more;
    });
    EXPECT_EQ(square[0][0], 1);
    EXPECT_EQ(square[0][1], 46);
    EXPECT_EQ(square[0][2], 90);
    EXPECT_EQ(square[0][3], 19);
    EXPECT_EQ(square[1][0], 28);
    EXPECT_EQ(square[1][1], 1);
}

TEST(LeadNumberTest, AcceptsOneToNinetyOnly)
{
    const struct
    {
        const char *name;
        const char *text;
        int value;
    } cases[] = {{"a number", "7", 7},
                 {"ninety", "90", 90},
                 {"one", "1", 1},
                 {"zero", "0", 0},
                 {"above ninety", "91", 0},
                 {"negative", "-3", 0},
                 {"far above ninety", "300", 0},
                 {"letters", "abc", 0},
                 {"digits then letters", "12abc", 12},
                 {"a leading blank", " 12", 12},
                 {"a half rounded down to even", "12.5", 12},
                 {"a half rounded up to even", "7.5", 8},
                 {"a fraction rounded up to ninety", "89.6", 90},
                 {"ninety and a half rounded to ninety", "90.5", 90},
                 {"a fraction rounded above ninety", "90.6", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(leadNumberFromText(QString::fromLatin1(c.text)), c.value) << c.text;
    }
}

} // namespace
