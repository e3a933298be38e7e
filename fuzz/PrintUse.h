#pragma once

// What a harness does with the values a reader decoded: the slip run with its prognosis sheet
// and the calibration test page, drawn on the recording device. Every mark must land at a
// finite position, so a length or an amount that is not a number never reaches a page; the
// sanitizers stop the run on any undefined behaviour on the way.

#include "FuzzFailure.h"
#include "PrintSamples.h"
#include "core/RuntimeError.h"
#include "core/Sistema.h"
#include "core/Stakes.h"
#include "print/CalibrationPage.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "print/SlipRun.h"

#include <QGuiApplication>
#include <cmath>
#include <memory>

namespace zelmora::fuzzing {

// A complete 12 € system on Bari, for runs whose calibration comes from the input, and a
// calibration as the window saves one, for runs whose system comes from the input: the print
// tests' samples.
inline Sistema sampleSystem()
{
    return testing::samplePrintSystem(QStringLiteral("fuzz"));
}

inline print::TaraturaAmbetto sampleCalibration()
{
    return testing::samplePrintCalibration();
}

inline void checkMarks(const print::RecordingDevice &device)
{
    for (const print::RecordedDocument &document : device.documents)
        for (const auto &page : document.pages)
            for (const print::RecordedItem &item : page) {
                const QRectF r = item.rect;
                if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || !std::isfinite(r.width()) ||
                    !std::isfinite(r.height())) {
                    fuzzFailure("a mark was placed at a position that is not a number");
                }
            }
}

// The slip run of every play after the prognosis sheet, then the test page.
inline void printEverything(Sistema sistema, print::TaraturaAmbetto taratura)
{
    print::Printer printer;
    printer.setDevice(std::make_unique<print::RecordingDevice>());
    print::SlipRun run;
    run.heading = QStringLiteral("Intestazione");
    run.ruote = QStringList{
        QStringLiteral("Bari"),    QStringLiteral("Cagliari"), QStringLiteral("Firenze"),
        QStringLiteral("Genova"),  QStringLiteral("Milano"),   QStringLiteral("Napoli"),
        QStringLiteral("Palermo"), QStringLiteral("Roma"),     QStringLiteral("Torino"),
        QStringLiteral("Venezia"), QStringLiteral("Nazionale")};
    try {
        print::printSlips(printer, sistema, taratura, run);
        print::printTestPage(printer, taratura, sistema.NomeSistema.text(), run.heading);
    } catch (const RuntimeError &) {
        // A printer error is reported by the windows; the recording device raises none.
    }
    std::unique_ptr<print::PrintDevice> device = printer.takeDevice();
    checkMarks(static_cast<const print::RecordingDevice &>(*device));
}

// The font machinery needs an application; the offscreen platform needs no screen. One run
// of the prints with sample values loads the fonts before the first input.
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed, as in the other harnesses: what the fonts keep stays reachable to the
    // end, so the leak check at exit finds only real leaks.
    new QGuiApplication(argc, argv);
    printEverything(sampleSystem(), sampleCalibration());
}

} // namespace zelmora::fuzzing
