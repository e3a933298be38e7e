#include "print/PrognosisSheet.h"

#include "core/BuildSettings.h"
#include "core/Format.h"
#include "print/ListingBlocks.h"

#include <algorithm>

namespace zelmora::print {

namespace {
// A length brought into the calibration window's range, so the margins below are whole
// numbers of a page: a length that is not a number counts as 0.
double inRange(float length)
{
    return length >= 0 ? std::min(double(length), double(kMaxCalibrationLength)) : 0.0;
}
} // namespace

int marginX0(const TaraturaAmbetto &taratura)
{
    return std::max(0, int(roundHalfEven(inRange(taratura.Left) - 5 + 2)));
}

int marginY0(const TaraturaAmbetto &taratura)
{
    return int(roundHalfEven(inRange(taratura.Intestazione) + 2));
}

void StampaPronostico(Printer &p, Sistema &sistema, const TaraturaAmbetto &calibration,
                      const QString &heading, const SheetPictures &pictures)
{
    TaraturaAmbetto taratura = calibration;
    bringIntoRange(taratura);
    p.PrintQuality = vbPRPQMedium;
    p.ColorMode = vbPRCMColor;
    p.FillStyle = vbFSSolid;
    p.FillColor = Qt::black;
    p.DrawStyle = 0;
    p.setScaleMode(vbMillimeters);
    p.FontName = QStringLiteral("Courier New");
    p.FontSize = 5;

    const int x0 = marginX0(taratura);
    const int y0 = marginY0(taratura);
    p.setCurrentX(x0);
    p.setCurrentY(y0);
    p.FontBold = true;
    p.Print(QStringLiteral("Zelmoravintesca by Vandrel - "));
    p.PrintLine(heading);

    p.FontBold = false;
    p.setCurrentX(x0);
    p.PrintLine(QStringLiteral("x") + QString(90, QChar(0x2014)) + QStringLiteral("x"));
    p.setCurrentX(x0);
    p.Print(QStringLiteral("Nome Sistema ") + sistema.NomeSistema.text());
    p.FontBold = true;
    p.FontSize = 7;
    p.PrintLine(QString(26, u' ') + webHost().toUpper());

    p.FontSize = 24;
    p.setCurrentX(double(taratura.Left) + 10);
    p.FontName = QStringLiteral("Comic Sans MS");
    p.FontBold = true;
    p.ForeColor = QColor(0, 0, 128);
    p.Print(QStringLiteral("Zelmoravintesca"));
    p.ForeColor = Qt::black;
    p.FontBold = false;

    p.FontName = QStringLiteral("Courier New");
    p.FontSize = 5.5;
    p.setCurrentX(x0 + 7);
    p.setCurrentY(22);
    if (!pictures.sfondo.isNull())
        p.PaintPicture(pictures.sfondo, x0 + 7, 22, 80, 80);

    p.setCurrentX(x0 + 30);
    p.setCurrentY(35);
    StampaGriglia(p, sistema, float(x0 + 30), 35, 3.75f, 9, 16);
    p.setCurrentX(x0);
    p.setCurrentY(80);
    StampaVincite(p, sistema, float(x0), 80, 12, 8);

    p.FillColor = Qt::black;
    p.ForeColor = Qt::black;
    p.setCurrentX(x0);
    p.setCurrentY(100);
    p.FontSize = 24;
    p.PrintLine(sistema.Ruota.text() +
                formatMask(sistema.ImportoSistema, QStringLiteral("€ ##0.00")));
    p.setCurrentX(x0);
    p.FontBold = false;
    p.PrintLine(webHost().toUpper());
    p.setCurrentX(x0);
    if (!pictures.vietato.isNull())
        p.PaintPicture(pictures.vietato, x0, p.CurrentY(), 90, 20);
    p.NewPage();
}

} // namespace zelmora::print
