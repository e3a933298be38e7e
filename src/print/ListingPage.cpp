#include "print/ListingPage.h"

#include "print/Preview.h"

#include "core/BuildSettings.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "print/ListingBlocks.h"
#include "print/Printer.h"

namespace zelmora::print {

namespace {

const QColor kDarkBlue(0, 0, 128);
const QColor kRed(255, 0, 0);

void printPage(Printer &p, Sistema &sistema, const ListingJob &job)
{
    p.DocumentKind = QStringLiteral("tabulato");
    p.PrintQuality = vbPRPQMedium;
    p.ColorMode = vbPRCMColor;
    p.FillStyle = vbFSSolid;
    p.FillColor = Qt::black;
    p.setScaleMode(vbMillimeters);
    p.DrawStyle = 0;

    p.FontName = QStringLiteral("Courier New");
    p.FontSize = 10;
    p.setCurrentX(2);
    p.setCurrentY(2);
    p.FontBold = true;
    p.Print(QStringLiteral("Zelmoravintesca by Vandrel - "));
    p.PrintLine(job.heading);

    p.FontBold = false;
    p.setCurrentX(2);
    p.PrintLine(QStringLiteral("x") + QString(93, QChar(0x2014)) + QStringLiteral("x"));

    p.setCurrentX(2);
    p.Print(QStringLiteral("Nome Sistema ") + sistema.NomeSistema.text());
    p.FontBold = true;
    p.FontSize = 14;
    p.PrintLine(QString(26, u' ') + webHost().toUpper());

    p.FontSize = 48;
    p.setCurrentX(30);
    p.FontName = QStringLiteral("Comic Sans MS");
    p.FontBold = true;
    if (job.colour)
        p.ForeColor = kDarkBlue;
    p.Print(QStringLiteral("Zelmoravintesca"));
    p.ForeColor = Qt::black;
    p.FontBold = false;

    p.FontName = QStringLiteral("Courier New");
    p.FontSize = 10;

    p.setCurrentX(7);
    p.setCurrentY(43);
    if (!job.sfondo.isNull())
        p.PaintPicture(job.sfondo, 7, 43, 180, 180);

    p.setCurrentX(60);
    p.setCurrentY(73);
    StampaGriglia(p, sistema, 60, 73, 7.5f, 21, 36);
    p.setCurrentX(15);
    p.setCurrentY(260);
    StampaPuntate(p, sistema, 15, 260, 10);
    p.setCurrentX(100);
    p.setCurrentY(37);
    StampaVincite(p, sistema, 100, 37, 30, 18);
    p.setCurrentX(15);
    p.setCurrentY(200);
    StampaGiocate(p, sistema);

    p.FontName = QStringLiteral("Arial");
    p.FillColor = Qt::black;
    p.ForeColor = Qt::black;
    p.setCurrentX(120);
    p.setCurrentY(208);
    p.FontSize = 48;
    if (job.colour)
        p.ForeColor = kRed;
    p.PrintLine(sistema.Ruota.text());
    p.setCurrentX(120);
    p.FontSize = 72;
    p.ForeColor = Qt::black;
    const QString amount = formatMask(sistema.ImportoSistema, QStringLiteral("€ #,##0.00"));
    // At 72 points a large total would run off the page: the size comes down until the
    // amount ends 5 mm before the printable area's edge.
    while (p.FontSize > 1 && 120 + p.TextWidth(amount) > p.ScaleWidth() - 5)
        p.FontSize -= 1;
    p.PrintLine(amount);

    p.setCurrentX(80);
    if (!job.vietato.isNull())
        p.PaintPicture(job.vietato, 80, p.CurrentY());
    p.EndDoc();
}

} // namespace

void printListingCopies(Printer &printer, Sistema &sistema, const ListingJob &job)
{
    // A copy the printer failed on was dropped, and none follows it.
    for (int copy = 1; copy <= job.copies && printer.status(); ++copy)
        printPage(printer, sistema, job);
}

Result<Preview> previewListing(PrinterSet &printers, Sistema &sistema, const ListingJob &job)
{
    printers.SelectPrinter(job.printerName);
    return previewRun(printers.CurrentPrinter(),
                      [&](Printer &printer) { printListingCopies(printer, sistema, job); });
}

Result<void> StampaTabulato(PrinterSet &printers, Sistema &sistema, const ListingJob &job)
{
    printers.SelectPrinter(job.printerName);
    return printDocument(printers.CurrentPrinter(),
                         [&](Printer &printer) { printListingCopies(printer, sistema, job); });
}

} // namespace zelmora::print
