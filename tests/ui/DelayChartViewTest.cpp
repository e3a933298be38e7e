#include "ui/DelayChartView.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zelmora;

// With the focus on the chart the keys walk the numbers, stop at 1 and 90, and a new
// calculation names the same number with its new figures. A screen reader hears the number
// pointed at with its figures as the chart's description, and nothing without the focus.
// (That each change is announced is seen on the accessibility bus, by the e2e test.)
TEST(DelayChartView, TheKeysPointAtTheNumbersInTurn)
{
    const QList<Draw> draws{Draw{QDate(2024, 1, 2), 0, {1, 2, 3, 4, 5}},
                            Draw{QDate(2024, 1, 4), 0, {2, 6, 7, 8, 9}}};
    DelayChartView chart;
    chart.resize(900, 300);
    chart.show();
    chart.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chart));
    QSignalSpy pointed(&chart, &DelayChartView::pointed);
    chart.setFocus();
    EXPECT_EQ(chart.accessibleDescription(), QString());
    chart.setStatistics(numberStatistics(draws), {});
    const std::pair<int, int> steps[] = {
        {Qt::Key_Left, 1},   {Qt::Key_Right, 2},   {Qt::Key_PageDown, 12}, {Qt::Key_End, 90},
        {Qt::Key_Right, 90}, {Qt::Key_PageUp, 80}, {Qt::Key_Home, 1},      {Qt::Key_Right, 2}};
    for (const auto &[key, number] : steps) {
        QTest::keyClick(&chart, Qt::Key(key));
        ASSERT_FALSE(pointed.isEmpty());
        EXPECT_EQ(pointed.last().at(0).toInt(), number) << "after key " << key;
    }
    EXPECT_EQ(chart.statisticsText(2),
              QStringLiteral("2: frequenza 2, ritardo 0, ritardo massimo 0"));
    EXPECT_EQ(chart.accessibleDescription(),
              QStringLiteral("Numero 2: frequenza 2, ritardo 0, ritardo massimo 0"));

    const qsizetype before = pointed.size();
    chart.setStatistics(numberStatistics(draws.mid(0, 1)), {});
    ASSERT_EQ(pointed.size(), before + 1);
    EXPECT_EQ(pointed.last().at(0).toInt(), 2);
    EXPECT_EQ(chart.statisticsText(2),
              QStringLiteral("2: frequenza 1, ritardo 0, ritardo massimo 0"));
    EXPECT_EQ(chart.accessibleDescription(),
              QStringLiteral("Numero 2: frequenza 1, ritardo 0, ritardo massimo 0"));

    chart.clearFocus();
    EXPECT_EQ(pointed.last().at(0).toInt(), 0);
    EXPECT_EQ(chart.accessibleDescription(), QString());
}

// However narrow the chart, every bar keeps its figure over it (a number never drawn reads
// "mai"): fewer bars a panel rather than a figure left out, and below that the window scrolls.
TEST(DelayChartView, EveryBarKeepsItsFigureAtEveryWidth)
{
    // 300 draws where 10 and 67 last came long ago, and 90 never: the widest figures.
    QList<Draw> draws;
    QDate date(2000, 1, 1);
    for (int i = 0; i < 300; ++i, date = date.addDays(3)) {
        Draw draw{date, 0, {}};
        for (int k = 0; k < 5; ++k)
            draw.numbers[std::size_t(k)] = std::uint8_t(1 + (i * 5 + k) % 89);
        if (i >= 180)
            for (auto &n : draw.numbers)
                n = n == 10 || n == 67 ? std::uint8_t(n + 1) : n;
        draws.append(draw);
    }
    const NumberStatistics statistics = numberStatistics(draws);
    ASSERT_EQ(statistics.of(90).delay, 300);
    for (int width : {1100, 800, 600, 420}) {
        SCOPED_TRACE(width);
        DelayChartView chart;
        chart.setStatistics(statistics, {});
        chart.resize(std::max(width, chart.minimumSizeHint().width()), 300);
        EXPECT_TRUE(chart.everyFigureShown());
        EXPECT_LE(chart.minimumSizeHint().width(), 620)
            << "the chart no longer fits a small screen";
    }
    DelayChartView chart;
    chart.setStatistics(statistics, {});
    EXPECT_TRUE(chart.statisticsText(90).contains(QStringLiteral("ritardo mai")));
}
