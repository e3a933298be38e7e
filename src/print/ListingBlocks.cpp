#include "print/ListingBlocks.h"

#include "core/Format.h"
#include "core/Stakes.h"

namespace zelmora::print {

namespace {

const QString kCourier = QStringLiteral("Courier New");
// How close to the printable area's edge an amount made smaller may come.
constexpr double kEdgeMargin = 5;
// The steps in which an amount's type is made smaller.
constexpr double kSizeStep = 0.5;

// The three headings on one line, then the three amounts one heading line lower, each at its
// column. The amounts are set size - 2 points as long as each fits its room: Ambo and Terno
// end a blank before the next column, Quaterna 5 mm before the printable area's edge. When one
// does not, the three share the largest size at which all of them fit, so they stay alike.
void amountColumns(Printer &printer, float x, float y, float d1, float d2, float size,
                   const Amounts &amounts, const QString &mask)
{
    printer.FontSize = size;
    printer.setCurrentY(double(y) + 8);
    printer.setCurrentX(x);
    printer.Print(QStringLiteral("Ambo"));
    printer.setCurrentX(double(x) + d1);
    printer.Print(QStringLiteral("Terno"));
    printer.setCurrentX(double(x) + d2);
    printer.PrintLine(QStringLiteral("Quaterna"));

    const double offsets[3] = {0, d1, d2};
    QString texts[3];
    for (int i = 0; i < 3; ++i)
        texts[i] = formatMask(amounts[std::size_t(i)], mask);
    const auto allFit = [&] {
        for (int i = 0; i < 3; ++i) {
            const double end =
                i < 2 ? double(x) + offsets[i + 1] - printer.TextWidth(QStringLiteral(" "))
                      : printer.ScaleWidth() - kEdgeMargin;
            if (double(x) + offsets[i] + printer.TextWidth(texts[i]) > end)
                return false;
        }
        return true;
    };
    printer.FontSize = double(size) - 2;
    while (printer.FontSize > kSizeStep && !allFit())
        printer.FontSize = printer.FontSize - kSizeStep;
    for (int i = 0; i < 3; ++i) {
        printer.setCurrentX(double(x) + offsets[i]);
        printer.Print(texts[i]);
    }
}

void boldCourier(Printer &printer)
{
    printer.FontName = kCourier;
    printer.FillStyle = vbFSTransparent;
    printer.FillColor = Qt::black;
    printer.FontBold = true;
}

} // namespace

void StampaGriglia(Printer &printer, const Sistema &sistema, float x, float y, float gap,
                   float rowStep, float size)
{
    const int scaleMode = printer.ScaleMode();
    const int fillStyle = printer.FillStyle;
    printer.setScaleMode(vbMillimeters);
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.FontName = kCourier;
    printer.FillColor = Qt::black;
    printer.ForeColor = Qt::black;
    printer.FontTransparent = false;
    printer.PrintLine(QString());
    printer.FillStyle = vbFSTransparent;
    // The numbers print over a background picture without a box of their own.
    printer.FontTransparent = true;
    printer.FontSize = size;
    printer.FontBold = true;
    printer.setCurrentY(y);
    printer.setCurrentX(x);
    for (const auto &row : sistema.Righe) {
        printer.setCurrentX(x);
        printer.setCurrentY(printer.CurrentY() + rowStep);
        for (std::uint8_t n : row) {
            printer.Print(formatMask(n, QStringLiteral("0#")));
            printer.setCurrentX(printer.CurrentX() + gap);
        }
    }
    printer.FontBold = false;
    printer.setScaleMode(scaleMode);
    printer.FillStyle = fillStyle;
}

void StampaPuntate(Printer &printer, const Sistema &sistema, float x, float y, float size)
{
    boldCourier(printer);
    amountColumns(printer, x, y, 20, 40, size, sistema.Puntate, QStringLiteral("€ #,##0.00"));
}

void StampaVincite(Printer &printer, Sistema &sistema, float x, float y, float step, float size)
{
    const int scaleMode = printer.ScaleMode();
    const int fillStyle = printer.FillStyle;
    sistema.Vincite = CalcolaVincite(sistema.Puntate);
    boldCourier(printer);
    const float d1 = float(roundHalfEven(step));
    const float d2 = float(roundHalfEven(2.0 * step));
    amountColumns(printer, x, y, d1, d2, size, sistema.Vincite, QStringLiteral("€ ###,##0.00"));
    printer.setScaleMode(scaleMode);
    printer.FillStyle = fillStyle;
}

void StampaGiocate(Printer &printer, const Sistema &sistema)
{
    boldCourier(printer);
    printer.FontSize = 16;
    printer.setCurrentY(printer.CurrentY() + 7);
    printer.setCurrentX(15);
    for (int play = 1; play <= kGiocate; ++play) {
        for (std::uint8_t n : giocata(sistema, play)) {
            printer.Print(formatMask(n, QStringLiteral("00")));
            printer.setCurrentX(printer.CurrentX() + 9);
        }
        if (play < kGiocate) {
            printer.setCurrentY(printer.CurrentY() + 7);
            printer.setCurrentX(15);
        }
    }
}

} // namespace zelmora::print
