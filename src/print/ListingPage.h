#pragma once

#include "core/Sistema.h"
#include "print/Printer.h"
#include "print/PrinterSet.h"

#include <QImage>
#include <QString>

namespace zelmora::print {

// What a listing run prints with.
struct ListingJob
{
    int copies = 1;      // 1 to 20, each copy a document of its own
    bool colour = true;  // "A colori": the product name in dark blue, the wheel in red
    QImage sfondo;       // background of the square; a null picture is left out
    QImage vietato;      // picture at the foot of the page; likewise
    QString heading;     // the print heading of the settings
    QString printerName; // the listing printer of the settings
};

// The listing print run: chooses the listing printer by its exact name (no match keeps the
// current printer), then prints one page per copy. The first failure stops the run and the
// document it interrupted is abandoned; the result is the error that stopped it.
Result<void> StampaTabulato(PrinterSet &printers, Sistema &sistema, const ListingJob &job);
// The pages StampaTabulato would print, kept for the screen: the listing printer is chosen the
// same way, and nothing reaches it.
struct Preview;
Result<Preview> previewListing(PrinterSet &printers, Sistema &sistema, const ListingJob &job);
// The pages of the run alone, one document per copy, on the printer given; a failure stays
// on the printer (its status()).
void printListingCopies(Printer &printer, Sistema &sistema, const ListingJob &job);

} // namespace zelmora::print
