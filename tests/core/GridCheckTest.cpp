#include "core/GridCheck.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

// A valid square: every row and column free of repeats, lead number 7 on the diagonal.
CellValues validSquare()
{
    return CellValues{{{7, 11, 12, 13}, {21, 7, 22, 23}, {31, 32, 7, 33}, {41, 42, 43, 7}}};
}

struct IncompleteCase
{
    const char *name;
    int emptyRow, emptyColumn;
    const char *message;
};

class IncompleteSquareTest : public ::testing::TestWithParam<IncompleteCase>
{
};

TEST_P(IncompleteSquareTest, NamesTheRowAndFocusesTheFirstEmptyCell)
{
    const IncompleteCase &c = GetParam();
    CellValues cells = validSquare();
    cells[c.emptyRow][c.emptyColumn] = 0;
    Sistema s;
    const GridCheckResult r = ControllaGriglia(cells, s);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QString::fromUtf8(c.message));
    EXPECT_EQ(r.focusRow, c.emptyRow);
    EXPECT_EQ(r.focusColumn, c.emptyColumn);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IncompleteSquareTest,
    ::testing::Values(IncompleteCase{"row1", 0, 0, "La prima quaterna non è completa!!!"},
                      IncompleteCase{"row2", 1, 2, "La seconda quaterna non è completa!!!"},
                      IncompleteCase{"row3last", 2, 3, "La terza quaterna non è completa!!!"},
                      IncompleteCase{"row4", 3, 1, "La quarta quaterna non è completa!!!"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(GridCheckTest, EmptySquareLeavesTheRowsUntouched)
{
    Sistema s;
    s.Righe[0][0] = 55;
    s.Righe[3][3] = 66;
    const GridCheckResult r = ControllaGriglia(CellValues{}, s);
    EXPECT_EQ(r.message, QStringLiteral("La prima quaterna non è completa!!!"));
    EXPECT_EQ(r.focusRow, 0);
    EXPECT_EQ(r.focusColumn, 0);
    EXPECT_EQ(s.Righe[0][0], 55);
    EXPECT_EQ(s.Righe[3][3], 66);
}

TEST(GridCheckTest, StopAtAnEmptyCellCopiesOnlyTheCellsBeforeIt)
{
    CellValues cells = validSquare();
    cells[2][3] = 0;
    Sistema s;
    s.Righe[2][3] = 99;
    s.Righe[3][0] = 98;
    ControllaGriglia(cells, s);
    EXPECT_EQ(s.Righe[0], (std::array<std::uint8_t, 4>{7, 11, 12, 13}));
    EXPECT_EQ(s.Righe[2][2], 7);
    EXPECT_EQ(s.Righe[2][3], 99);
    EXPECT_EQ(s.Righe[3][0], 98);
}

TEST(GridCheckTest, DuplicatesInARowFocusTheLaterCellOfThePair)
{
    CellValues cells = validSquare();
    cells[0] = {12, 40, 12, 77};
    Sistema s;
    const GridCheckResult r = ControllaGriglia(cells, s);
    EXPECT_EQ(r.message, QStringLiteral("Valore duplicato nella 1° quaterna orizzontale!!!"));
    EXPECT_EQ(r.focusRow, 0);
    EXPECT_EQ(r.focusColumn, 2);
}

TEST(GridCheckTest, ColumnPairsComeBeforeRowsSoRowTwoCanWin)
{
    // Row 1 repeats in columns 3 and 4, row 2 in columns 1 and 2: pair (1,2) is examined
    // across all rows before pair (3,4), so row 2 is reported.
    CellValues cells = validSquare();
    cells[0] = {1, 2, 9, 9};
    cells[1] = {5, 5, 3, 4};
    Sistema s;
    const GridCheckResult r = ControllaGriglia(cells, s);
    EXPECT_EQ(r.message, QStringLiteral("Valore duplicato nella 2° quaterna orizzontale!!!"));
    EXPECT_EQ(r.focusRow, 1);
    EXPECT_EQ(r.focusColumn, 1);
}

TEST(GridCheckTest, ColumnDuplicateNamesTheColumnAndKeepsTheFocus)
{
    CellValues cells = validSquare();
    cells[0][1] = 30;
    cells[3][1] = 30;
    Sistema s;
    const GridCheckResult r = ControllaGriglia(cells, s);
    EXPECT_EQ(r.message, QStringLiteral("Valore duplicato nella 2° quaterna verticale!!!"));
    EXPECT_EQ(r.focusRow, -1);
}

TEST(GridCheckTest, LeadNumberOnTheDiagonalPassesAndEveryCellIsCopied)
{
    Sistema s;
    const GridCheckResult r = ControllaGriglia(validSquare(), s);
    EXPECT_TRUE(r.valid);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(s.Righe[3], (std::array<std::uint8_t, 4>{41, 42, 43, 7}));
}

TEST(GridCheckTest, SameNumberInDifferentRowsAndColumnsIsAllowed)
{
    CellValues cells = validSquare();
    cells[0][1] = 43; // 43 also stands in row 4, column 3
    Sistema s;
    EXPECT_TRUE(ControllaGriglia(cells, s).valid);
}

} // namespace
