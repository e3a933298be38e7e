#include "print/SlipPrinter.h"

namespace zelmora::print {

void prepareSlipPrinter(Printer &printer, const TaraturaAmbetto &taratura, const QString &kind)
{
    printer.resetSettings();
    printer.DocumentKind = kind;
    printer.setScaleMode(vbMillimeters);
    printer.PrintQuality = taratura.PrintQuality();
}

} // namespace zelmora::print
