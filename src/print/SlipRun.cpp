#include "print/SlipRun.h"

#include "print/SlipPrinter.h"

#include "core/BuildSettings.h"
#include "core/Format.h"
#include "core/NumberReading.h"
#include "core/RuntimeError.h"
#include "core/Stakes.h"
#include "core/WheelsFile.h"

namespace zelmora::print {

const std::array<float, kDenominations> kDenominationValues = {
    200, 100, 50, 20, 10, 5, 3, 2, 1, 0.50f, 0.20f, 0.10f, 0.05f};

namespace {

constexpr float kMarkSize = 2;

// An amount rounded to two decimals the way the program does it: shown with "##0.00" and
// read back as a 32-bit float.
float roundToCents(float amount)
{
    return stakeValue(formatMask(amount, QStringLiteral("##0.00")));
}

void mark(Printer &printer, const QPointF &at)
{
    printer.Line(at.x(), at.y(), at.x() + kMarkSize, at.y() + kMarkSize, Qt::black);
}

void printPlay(Printer &printer, const Sistema &sistema, const TaraturaAmbetto &t,
               std::optional<int> wheel, int play, float &total, const QString &heading)
{
    std::array<bool, 91> numbers{};
    std::array<bool, kWheelBoxes> wheels{};
    std::array<std::array<bool, kDenominations>, kAmountLines> amounts{};
    if (play >= kMinGiocata && play <= kMaxGiocata) {
        for (std::uint8_t n : giocata(sistema, play))
            if (n >= 1 && n <= 90)
                numbers[n] = true;
        if (wheel)
            wheels[*wheel] = true;
        for (int i = 0; i < 3; ++i)
            amounts[i + 1] = stakeMarks(sistema.Puntate[i]);
        total = playTotal(sistema.Puntate);
    }
    for (int n = 1; n <= 90; ++n)
        if (numbers[n])
            mark(printer, scaled(t, numberBox(t, n)));
    for (int b = 0; b < kWheelBoxes; ++b)
        if (wheels[b])
            mark(printer, scaled(t, wheelBox(t, b)));
    for (int line = 0; line < kAmountLines; ++line)
        for (int c = 0; c < kDenominations; ++c)
            if (amounts[line][c])
                mark(printer, scaled(t, amountBox(t, line, c)));
    printSlipHeading(printer, t, total, play, sistema.NomeSistema.text(), heading);
}

} // namespace

// Stepping as the slip does: across by DXnumeri, back to Left and down by DYnumeri after
// every tenth number.
QPointF numberBox(const TaraturaAmbetto &t, int n)
{
    const int row = (n - 1) / 10;
    const int column = (n - 1) % 10;
    return QPointF(double(t.Left) + column * double(t.DXnumeri),
                   double(t.Top) + row * double(t.DYnumeri));
}

QPointF wheelBox(const TaraturaAmbetto &t, int b)
{
    return QPointF(double(t.Left) + 83.3, double(t.Top) - 0.9 + b * 5.2);
}

QPointF amountBox(const TaraturaAmbetto &t, int line, int column)
{
    return QPointF(double(t.Left) + 14.5 + column * double(t.DXimporti),
                   double(t.Top) + 74 + line * double(t.DYimporti));
}

QPointF scaled(const TaraturaAmbetto &t, const QPointF &at)
{
    return QPointF(at.x() * double(t.ScalaX), at.y() * double(t.ScalaY));
}

std::optional<int> wheelBoxFor(const QString &ruota, const QStringList &ruote)
{
    const int w = wheelPosition(ruote.mid(0, kMaxRuote), ruota);
    if (w < 0)
        return std::nullopt;
    return w == kMaxRuote - 1 ? kWheelBoxes - 1 : w;
}

std::array<bool, kDenominations> stakeMarks(float stake)
{
    std::array<bool, kDenominations> marks{};
    float a = stake;
    for (int i = 0; i < kDenominations; ++i) {
        const float d = kDenominationValues[i];
        if (a >= d) {
            marks[i] = true;
            if (i < kDenominations - 1)
                a = roundToCents(float(a - d));
        }
    }
    return marks;
}

float playTotal(const Amounts &puntate)
{
    float total = 0;
    for (float p : puntate)
        total = roundToCents(float(total + p));
    return total;
}

void printSlipHeading(Printer &printer, const TaraturaAmbetto &t, float total, int play,
                      const QString &nomeSistema, const QString &heading)
{
    // Each line starts at x = Left and at the height the lines above it fill, both multiplied
    // by the scale factors; the line heights are those of the unscaled fonts.
    double y = t.Intestazione;
    const auto printHeadingLine = [&](const QString &text) {
        const QPointF at = scaled(t, QPointF(t.Left, y));
        printer.setCurrentX(at.x());
        printer.setCurrentY(at.y());
        y += printer.TextHeight(QString());
        printer.PrintLine(text);
    };
    printer.FontBold = false;
    printer.FontSize = 12;
    printer.FontName = QStringLiteral("Comic Sans MS");
    printHeadingLine(QStringLiteral("Zelmoravintesca - ") + webHost().toUpper());
    printer.FontSize = 10;
    printer.FontBold = true;
    printHeadingLine(formatMask(total, QStringLiteral(" € ##0.00 -- ")) +
                     QStringLiteral("Scheda N. ") + formatMask(play, QStringLiteral("#0 -- ")) +
                     nomeSistema);
    printer.FontName = QStringLiteral("Comic Sans MS");
    printer.FontSize = 8;
    printHeadingLine(heading);
}

RangeCheck checkRange(const QString &da, const QString &a)
{
    RangeCheck check;
    check.from = int(roundHalfEven(leadingNumber(da)));
    check.to = int(roundHalfEven(leadingNumber(a)));
    const QString title = QStringLiteral("!!! E R R O R E !!!");
    if (check.to < check.from) {
        check.ok = false;
        check.message = QStringLiteral("'DA' è maggiore di 'A'");
        check.title = QStringLiteral(" ") + title + QStringLiteral(" ");
    } else if (!da.trimmed().isEmpty() && check.from < kMinGiocata) {
        check.ok = false;
        check.message = QStringLiteral("'DA' è minore del minimo");
        check.title = title;
    } else if (!a.trimmed().isEmpty() && check.to > kMaxGiocata) {
        check.ok = false;
        check.message = QStringLiteral("'A' è maggiore del massimo");
        check.title = title;
    }
    return check;
}

Result<void> StampaSchedaAmbetto(Printer &printer, Sistema &sistema,
                                 const TaraturaAmbetto &calibration, const SlipRun &run)
{
    printSlips(printer, sistema, calibration, run);
    const Result<void> done = printer.status();
    if (!done)
        printer.KillDoc();
    return done;
}

void printSlips(Printer &printer, Sistema &sistema, const TaraturaAmbetto &calibration,
                const SlipRun &run)
{
    // The windows bring the lengths into range and say so; whatever reaches the run is held
    // there too, so no mark is placed from a length that is not a number or off any page.
    TaraturaAmbetto taratura = calibration;
    bringIntoRange(taratura);
    const std::optional<int> wheel = wheelBoxFor(sistema.Ruota.text(), run.ruote);
    prepareSlipPrinter(printer, taratura, QStringLiteral("schedine"));
    // The marks are filled boxes.
    printer.FillStyle = vbFSSolid;

    if (run.pronostico) {
        StampaPronostico(printer, sistema, taratura, run.heading, run.pictures);
        if (const Result<void> sheet = printer.status(); !sheet) {
            run.sheetFailed(sheet.error().number());
            // The slips go on in a document of their own, starting on a clean page.
            printer.KillDoc();
        }
    }

    float total = 0;
    for (int play = run.from; play <= run.to; ++play) {
        run.doEvents();
        if (run.interrupted()) {
            printer.EndDoc();
            return;
        }
        printPlay(printer, sistema, taratura, wheel, play, total, run.heading);
        // A printer that failed on this slip takes no more: the run ends there.
        if (!printer.status())
            break;
        run.progress(play);
        printer.NewPage();
    }
    printer.EndDoc();
}

} // namespace zelmora::print
