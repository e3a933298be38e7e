// The numbers' figures table as the statistics window shows it: a QTableView sorted by a click
// on a column's title, ties by number, the selected row staying on its number.

#include "ui/NumberStatisticsModel.h"
#include "ui/ReadOnlyTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <gtest/gtest.h>
#include <random>

using namespace zelmora;

namespace {

// Figures of few values each, so every column has long runs of ties.
NumberStatistics tiedFigures(unsigned seed)
{
    std::mt19937 random(seed);
    NumberStatistics s;
    s.draws = 50;
    for (NumberFigures &f : s.numbers) {
        f.frequency = int(random() % 6);
        f.delay = int(random() % 4);
        f.maxDelay = f.delay + int(random() % 3);
    }
    return s;
}

int figureOf(const NumberStatistics &s, int number, int column)
{
    switch (column) {
    case NumberStatisticsModel::Frequency:
        return s.of(number).frequency;
    case NumberStatisticsModel::Delay:
        return s.of(number).delay;
    case NumberStatisticsModel::MaxDelay:
        return s.of(number).maxDelay;
    default:
        return number;
    }
}

// The numbers in the order the table should list them: value by value, the smallest first
// (or the largest, descending), and the numbers of one value from the smallest.
QList<int> expectedOrder(const NumberStatistics &s, int column, Qt::SortOrder order)
{
    QList<int> numbers;
    for (int step = 0; step <= 90; ++step) {
        const int value = order == Qt::AscendingOrder ? step : 90 - step;
        for (int n = 1; n <= 90; ++n)
            if (figureOf(s, n, column) == value)
                numbers << n;
    }
    return numbers;
}

int cell(const QTableView &view, int row, int column)
{
    return view.model()->index(row, column).data().toString().toInt();
}

struct SortCase
{
    const char *name;
    int column;
    Qt::SortOrder order;
};

class FiguresTableSort : public ::testing::TestWithParam<SortCase>
{
};

TEST_P(FiguresTableSort, ListsByTheColumnTiesByNumberAndKeepsTheSelectedNumber)
{
    const SortCase &c = GetParam();
    NumberStatisticsModel model;
    QTableView view;
    view.setModel(&model);
    view.setSortingEnabled(true);
    setUpReadOnlyTable(&view);
    const NumberStatistics figures = tiedFigures(11);
    model.setStatistics(figures, {});
    ASSERT_EQ(model.rowCount(), 90);

    // 17 picked in the table sorted by the same column the other way.
    const Qt::SortOrder other =
        c.order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    view.sortByColumn(c.column, other);
    const int picked = int(expectedOrder(figures, c.column, other).indexOf(17));
    ASSERT_EQ(cell(view, picked, NumberStatisticsModel::Number), 17);
    view.selectRow(picked);
    view.setCurrentIndex(model.index(picked, NumberStatisticsModel::Delay));

    view.sortByColumn(c.column, c.order);
    const QList<int> expected = expectedOrder(figures, c.column, c.order);
    ASSERT_EQ(expected.size(), 90);
    for (int row = 0; row < 90; ++row) {
        const int number = cell(view, row, NumberStatisticsModel::Number);
        ASSERT_EQ(number, expected[row]) << "row " << row;
        for (int column = NumberStatisticsModel::Frequency;
             column < NumberStatisticsModel::ColumnCount; ++column)
            EXPECT_EQ(cell(view, row, column), figureOf(figures, number, column))
                << "number " << number << ", column " << column;
    }
    const QModelIndexList selected = view.selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(cell(view, selected[0].row(), NumberStatisticsModel::Number), 17);
    EXPECT_EQ(cell(view, view.currentIndex().row(), NumberStatisticsModel::Number), 17);
    EXPECT_EQ(view.currentIndex().column(), int(NumberStatisticsModel::Delay));

    // A new calculation is listed in the order chosen.
    const NumberStatistics next = tiedFigures(12);
    model.setStatistics(next, {});
    const QList<int> nextOrder = expectedOrder(next, c.column, c.order);
    for (int row = 0; row < 90; ++row)
        ASSERT_EQ(cell(view, row, NumberStatisticsModel::Number), nextOrder[row]) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, FiguresTableSort,
    ::testing::Values(
        SortCase{"NumberUp", NumberStatisticsModel::Number, Qt::AscendingOrder},
        SortCase{"NumberDown", NumberStatisticsModel::Number, Qt::DescendingOrder},
        SortCase{"FrequencyUp", NumberStatisticsModel::Frequency, Qt::AscendingOrder},
        SortCase{"FrequencyDown", NumberStatisticsModel::Frequency, Qt::DescendingOrder},
        SortCase{"DelayUp", NumberStatisticsModel::Delay, Qt::AscendingOrder},
        SortCase{"DelayDown", NumberStatisticsModel::Delay, Qt::DescendingOrder},
        SortCase{"MaxDelayUp", NumberStatisticsModel::MaxDelay, Qt::AscendingOrder},
        SortCase{"MaxDelayDown", NumberStatisticsModel::MaxDelay, Qt::DescendingOrder}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
