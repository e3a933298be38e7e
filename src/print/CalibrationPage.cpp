#include "print/CalibrationPage.h"

#include "print/SlipPrinter.h"

#include "print/SlipRun.h"

#include <algorithm>
#include <cmath>

namespace zelmora::print {

namespace {

constexpr double kBoxSize = 2;

// A box of the slip drawn as an outline (FillStyle is transparent on the test page).
void outline(Printer &printer, const QPointF &at)
{
    printer.Line(at.x(), at.y(), at.x() + kBoxSize, at.y() + kBoxSize, Qt::black);
}

// A solid black box: the rulers' lines and ticks.
void bar(Printer &printer, double x1, double y1, double x2, double y2)
{
    printer.Line(x1, y1, x2, y2, Qt::black);
}

// The two rulers: a line from the origin along each edge of the printable area as long as the
// ruler, a tick every 10 mm centred on its place and the nominal length beside the end.
void printRulers(Printer &printer, const TaraturaAmbetto &t)
{
    const RulerLengths lengths = rulerLengths(QSizeF(printer.ScaleWidth(), printer.ScaleHeight()));
    const int fillStyle = printer.FillStyle;
    const QColor fillColor = printer.FillColor;
    printer.FillStyle = vbFSSolid;
    printer.FillColor = Qt::black;
    printer.FontName = QStringLiteral("Arial");
    printer.FontSize = 8;
    printer.FontBold = false;

    // Each tick is centred on its place, so that a ruler's length runs from the middle of its
    // first tick to the middle of its last, whoever measures it.
    const auto tickStart = [](int nominal, double factor) {
        return nominal * factor - kRulerLine / 2;
    };
    const auto tickLength = [](int nominal, int length) {
        return nominal % 50 == 0 || nominal == length ? kRulerLongTick : kRulerTick;
    };

    if (lengths.horizontal > 0) {
        const double sx = t.ScalaX;
        const int length = lengths.horizontal;
        const double end = length * sx;
        bar(printer, 0, 0, end, kRulerLine);
        for (int mm = 0; mm <= length; mm += 10) {
            const double x = tickStart(mm, sx);
            bar(printer, x, 0, x + kRulerLine, tickLength(mm, length));
        }
        const QString label = QStringLiteral("%1 mm").arg(length);
        printer.setCurrentX(end - printer.TextWidth(label));
        printer.setCurrentY(kRulerLongTick + 0.5);
        printer.Print(label);
    }
    if (lengths.vertical > 0) {
        const double sy = t.ScalaY;
        const int length = lengths.vertical;
        const double end = length * sy;
        bar(printer, 0, 0, kRulerLine, end);
        for (int mm = 0; mm <= length; mm += 10) {
            const double y = tickStart(mm, sy);
            bar(printer, 0, y, tickLength(mm, length), y + kRulerLine);
        }
        const QString label = QStringLiteral("%1 mm").arg(length);
        printer.setCurrentX(kRulerLongTick + 0.5);
        printer.setCurrentY(end - printer.TextHeight(label));
        printer.Print(label);
    }
    printer.FillStyle = fillStyle;
    printer.FillColor = fillColor;
}

} // namespace

RulerLengths rulerLengths(const QSizeF &printableMm)
{
    // The longest multiple of 10 mm, up to `wanted`, whose scaled length fits in `room`.
    const auto fitting = [](int wanted, double room) {
        const int tens = int(std::floor(room / double(kMaxScale) / 10));
        return std::clamp(tens * 10, 0, wanted);
    };
    RulerLengths lengths;
    lengths.horizontal = fitting(lengths.horizontal, printableMm.width());
    lengths.vertical = fitting(lengths.vertical, printableMm.height());
    return lengths;
}

Result<void> printCalibrationTest(Printer &printer, TaraturaAmbetto &taratura,
                                  const QString &nomeSistema, const QString &heading)
{
    return printDocument(
        printer, [&](Printer &) { printTestPage(printer, taratura, nomeSistema, heading); });
}

void printTestPage(Printer &printer, TaraturaAmbetto &taratura, const QString &nomeSistema,
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
        outline(printer, scaled(taratura, numberBox(taratura, n)));
    for (int b = 0; b < kWheelBoxes; ++b)
        outline(printer, scaled(taratura, wheelBox(taratura, b)));
    // Line by line, each from the first column to the last, as the slip run draws them.
    for (int line = 0; line < kTestAmountLines; ++line)
        for (int c = 0; c < kDenominations; ++c)
            outline(printer, scaled(taratura, amountBox(taratura, line, c)));

    printSlipHeading(printer, taratura, 0, 0, nomeSistema, heading);
    printRulers(printer, taratura);
    printer.EndDoc();
}

} // namespace zelmora::print
