#pragma once

#include "core/SystemCheck.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "print/PrinterSet.h"

#include <QString>
#include <memory>

namespace zelmora::print {

// What the check report prints: whose system, against what, and the check's result.
struct CheckReport
{
    QString heading;    // the print heading of the settings
    QString systemName; // the system's name as the main window shows it
    QString wheel;      // the wheel's name
    QString against;    // what was checked: "Archivio dal 02/01/2024 al 28/12/2024", ...
    std::shared_ptr<const CheckResult> result; // shared with the window, never copied
    QString printerName;                       // the listing printer of the settings
};

// An amount in cents with the Italian separators: "1.234,50", "-12,00".
QString amountText(Cents cents);
// "07/03/2024": a draw's date as the window and the report show it; "-" for the numbers the
// player typed, which have no date.
QString drawDateLabel(const QDate &date);
// "Ambo", "Terno" or "Quaterna" for 2, 3 or 4 hits.
QString hitsName(int hits);
// The five drawn numbers as the window and the report show them: "07 12 45 80 81".
QString drawnText(const Draw &draw);

// The report's pages on the printer given, as one document: a heading, one line per winning
// play of each winning draw (a draw's total under it when several plays won), and the totals.
// Pages follow one another while the table is long, each with the column headings again; a
// draw's lines stay on one page, and so do the totals. False when `progress` stopped the run
// (the document is then dropped).
bool printCheckReport(Printer &printer, const CheckReport &report,
                      const PrintProgress &progress = {});

// The report on the listing printer (chosen by its exact name; no match keeps the current
// printer). The document a failure interrupts is abandoned; the result is the error that
// stopped it, or whether the run went to its end.
Result<bool> printCheck(PrinterSet &printers, const CheckReport &report,
                        const PrintProgress &progress = {});
// The pages printCheck would print, for the screen, laid out once and each drawn when it is
// shown; nothing reaches the printer.
Result<Preview> previewCheck(PrinterSet &printers, const CheckReport &report);

} // namespace zelmora::print
