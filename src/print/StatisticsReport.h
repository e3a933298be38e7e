#pragma once

#include "core/NumberStatistics.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "print/PrinterSet.h"
#include "print/RecordingDevice.h"

#include <QDate>
#include <QRectF>
#include <QString>
#include <array>

namespace zelmora::print {

// The bar chart of the 90 current delays: numbers 1 to 45 on an upper panel, 46 to 90 on a
// lower one, on one scale, each bar with its number under it and its delay over it.
struct DelayChart
{
    std::array<int, 90> delays{};  // delays[n - 1]
    std::array<bool, 90> marked{}; // the system's numbers, drawn in another colour
    int highlighted = 0;           // the number drawn outlined (under the pointer), or 0
    double fontSize = 6;           // of the numbers and the scale, in points
};

// Where the chart put each number's bar: the column of the panel it stands in, full height.
struct DelayChartLayout
{
    std::array<QRectF, 90> columns{}; // columns[n - 1], in the chart's unit (millimetres)
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

// What the figures' page prints.
struct StatisticsReport
{
    QString heading;    // the print heading of the settings
    QString systemName; // the system's name, for the plays' table
    QString wheel;      // the wheel's name
    QDate from, to;     // Dal and Al as chosen
    NumberStatistics figures;
    bool withPlays = false; // the plays' table is printed (the system's own wheel or any other)
    PlayNumbers plays{};
    QString printerName; // the listing printer of the settings
};

// The chart of a report's figures, the system's numbers marked.
DelayChart delayChartOf(const NumberStatistics &figures, const PlayNumbers &plays);
// "1 (riga 1)" ... "8 (colonna 4)": a play as the tables name it.
QString playName(int play);

// The report as one page on the printer given: heading, wheel and dates, the chart, the table
// of the 90 numbers and the plays' delays. A failure is thrown.
void printStatisticsReport(Printer &printer, const StatisticsReport &report);
// The report on the listing printer (chosen by its exact name; no match keeps the current
// printer). The document a failure interrupts is abandoned; the result is the error that
// stopped it, or whether the run went to its end (`progress` may stop it before the page).
Result<bool> printStatistics(PrinterSet &printers, const StatisticsReport &report,
                             const PrintProgress &progress = {});
// The page printStatistics would print, for the screen; nothing reaches the printer.
Result<Preview> previewStatistics(PrinterSet &printers, const StatisticsReport &report);

} // namespace zelmora::print
