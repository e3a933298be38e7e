#pragma once

#include "core/Sistema.h"
#include "print/CalibrationFile.h"
#include "print/Printer.h"
#include "print/PrognosisSheet.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace zelmora::print {

// --- The layout of a pre-printed slip, from the calibration -----------------------------------

constexpr int kMinGiocata = 1;
constexpr int kMaxGiocata = 8;
constexpr int kWheelBoxes = 12;
constexpr int kAmountLines = 5;
constexpr int kDenominations = 13;
// The amount columns, left to right: 200, 100, 50, 20, 10, 5, 3, 2, 1, 0.50, 0.20, 0.10, 0.05.
extern const std::array<float, kDenominations> kDenominationValues;

// Top-left corner of the box of number n (1 to 90): rows of ten.
QPointF numberBox(const TaraturaAmbetto &t, int n);
// Top-left corner of wheel box b (0 to 11).
QPointF wheelBox(const TaraturaAmbetto &t, int b);
// Top-left corner of the amount box of line L (0 to 4), column c (0 to 12).
QPointF amountBox(const TaraturaAmbetto &t, int line, int column);

// Where a position of the slip is printed: multiplied by the calibration's scale factors from
// the printable area's origin. Factors 1 and 1 give the position itself.
QPointF scaled(const TaraturaAmbetto &t, const QPointF &at);

// The wheel box that marks `ruota`: its position in the list for the first ten names, the
// twelfth box for the eleventh name; none for a wheel that is not in the list.
std::optional<int> wheelBoxFor(const QString &ruota, const QStringList &ruote);

// The denominations that make up a stake, largest first, each used at most once; the rest is
// rounded to two decimals after every step. What is left below 0.05 is not marked.
std::array<bool, kDenominations> stakeMarks(float stake);

// The total of one play: the three stakes added, rounded to two decimals after each addition.
float playTotal(const Amounts &puntate);

// The three lines printed at (Left, Intestazione) on every slip and on the test page. Each
// line starts at its place multiplied by the scale factors; the fonts keep their sizes.
void printSlipHeading(Printer &printer, const TaraturaAmbetto &t, float total, int play,
                      const QString &nomeSistema, const QString &heading);

// --- The slip run --------------------------------------------------------------------------------

// The range typed in the print-slips window, checked before anything is printed.
struct RangeCheck
{
    bool ok = true;
    int from = 0;
    int to = 0;
    QString message; // shown as a warning after a beep
    QString title;
};
RangeCheck checkRange(const QString &da, const QString &a);

struct SlipRun
{
    int from = kMinGiocata;
    int to = kMaxGiocata;
    bool pronostico = true;
    QString heading;        // the print heading of the settings
    SheetPictures pictures; // for the prognosis sheet
    QStringList ruote;      // the wheels list

    // Lets pending window events run; called before every play.
    std::function<void()> doEvents = [] {};
    // True when the player asked to stop; read right after doEvents.
    std::function<bool()> interrupted = [] { return false; };
    // Play k is on its page.
    std::function<void(int)> progress = [](int) {};
    // The prognosis sheet failed with this error number; the slips follow on a clean page.
    std::function<void(int)> sheetFailed = [](int) {};
};

// Prints the plays from..to, one page each, after the prognosis sheet when asked. A printer
// failure abandons the document and is the result.
Result<void> StampaSchedaAmbetto(Printer &printer, Sistema &sistema,
                                 const TaraturaAmbetto &taratura, const SlipRun &run);
// The same run for a caller that asks the printer's status itself afterwards (a preview): a
// failure leaves the document dropped.
void printSlips(Printer &printer, Sistema &sistema, const TaraturaAmbetto &taratura,
                const SlipRun &run);

} // namespace zelmora::print
