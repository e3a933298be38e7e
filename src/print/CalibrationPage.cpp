#include "print/CalibrationPage.h"

#include "print/SlipPrinter.h"

#include "print/SlipRun.h"

namespace zelmora::print {

namespace {

constexpr double kBoxSize = 2;

// A box of the slip drawn as an outline (FillStyle is transparent on the test page).
void outline(Printer &printer, const QPointF &at)
{
    printer.Line(at.x(), at.y(), at.x() + kBoxSize, at.y() + kBoxSize, Qt::black);
}

} // namespace

void StampaTestTaratura(Printer &printer, TaraturaAmbetto &taratura, const QString &nomeSistema,
                        const QString &heading)
{
    // The window's lengths are in range already; a record from elsewhere is held there too.
    bringIntoRange(taratura);
    // Every box is an outline: the fill stays transparent.
    prepareSlipPrinter(printer, taratura, QStringLiteral("taratura"));

    // The amount block always follows Left and Top; the calibration keeps where it fell.
    taratura.Ximporti = taratura.Left + 14.5f;
    taratura.Yimporti = taratura.Top + 74;

    for (int n = 1; n <= 90; ++n)
        outline(printer, numberBox(taratura, n));
    for (int b = 0; b < kWheelBoxes; ++b)
        outline(printer, wheelBox(taratura, b));
    // Line by line, each from the first column to the last, as the slip run draws them.
    for (int line = 0; line < kTestAmountLines; ++line)
        for (int c = 0; c < kDenominations; ++c)
            outline(printer, amountBox(taratura, line, c));

    printSlipHeading(printer, taratura, 0, 0, nomeSistema, heading);
    printer.EndDoc();
}

} // namespace zelmora::print
