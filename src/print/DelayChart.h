#pragma once

#include "core/NumberStatistics.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"

#include <QColor>
#include <QRectF>
#include <array>

namespace zelmora::print {

// The bar chart of the 90 current delays: numbers 1 to 45 on an upper panel, 46 to 90 on a
// lower one (or over more panels on a narrow screen), on one scale, each bar with its number
// under it and its delay over it.
struct DelayChart
{
    std::array<int, 90> delays{};  // delays[n - 1]
    std::array<bool, 90> marked{}; // the system's numbers, drawn in another colour
    int highlighted = 0;           // the number drawn outlined (under the pointer), or 0
    double fontSize = 6;           // of the numbers and the scale, in points
    int draws = 0;                 // the draws counted: a delay of them all is shown as "mai"
    int panels = 2;                // the panels the 90 bars are spread over (a divisor of 90)
};

// Where the chart put each number's bar: the column of the panel it stands in, full height.
struct DelayChartLayout
{
    std::array<QRectF, 90> columns{}; // columns[n - 1], in the chart's unit (millimetres)
    // Some bar's figure did not fit over it and was left out, or the bars had no room to
    // stand: more panels, or more room, are needed.
    bool crowded = false;
    // The number whose column holds the point, or 0.
    int numberAt(const QPointF &point) const;
};

// The colours of the bars: every number, and the system's numbers.
extern const QColor kBarColour;
extern const QColor kMarkedBarColour;

// Draws the chart inside `area` (millimetres) on the printer's current page.
DelayChartLayout drawDelayChart(Printer &printer, const QRectF &area, const DelayChart &chart);
// The chart alone on a page of `size` millimetres, kept for the screen (see renderPage).
QList<RecordedItem> delayChartPage(const QSizeF &size, const DelayChart &chart,
                                   DelayChartLayout *layout = nullptr);

// The chart of a number's statistics, the system's numbers marked.
DelayChart delayChartOf(const NumberStatistics &figures, const PlayNumbers &plays);

} // namespace zelmora::print
