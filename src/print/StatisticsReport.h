#pragma once

#include "core/NumberStatistics.h"
#include "print/DelayChart.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "print/PrinterSet.h"
#include "print/RecordingDevice.h"

#include <QDate>
#include <QRectF>
#include <QString>
#include <array>

namespace zelmora::print {

// What the figures' page prints.
struct StatisticsReport
{
    QString heading;    // the print heading of the settings
    QString systemName; // the system's name, for the plays' table
    QString wheel;      // the wheel's name
    QDate from, to;     // Dal and Al as chosen
    NumberStatistics figures;
    PlayNumbers plays{};
    QString printerName; // the listing printer of the settings
};

// "1 (riga 1)" ... "8 (colonna 4)": a play as the tables name it.
QString playName(int play);
// A play's numbers as the tables show them, "07 11 23 45"; the cells not yet typed (0) are
// left out, so a half-typed row reads "07 11".
QString playNumbersText(const std::array<std::uint8_t, 4> &numbers);

// The report as one page on the printer given: heading, wheel and dates, the chart, the table
// of the 90 numbers and the plays' delays. A failure stays on the printer (its status()) for
// the caller to ask.
void printStatisticsReport(Printer &printer, const StatisticsReport &report);
// The report on the listing printer (chosen by its exact name; no match keeps the current
// printer). The document a failure interrupts is abandoned; the result is the error that
// stopped it, or whether the run went to its end (`progress` may stop it before the page).
Result<bool> printStatistics(PrinterSet &printers, const StatisticsReport &report,
                             const PrintProgress &progress = {});
// The page printStatistics would print, for the screen; nothing reaches the printer.
Result<Preview> previewStatistics(PrinterSet &printers, const StatisticsReport &report);

} // namespace zelmora::print
