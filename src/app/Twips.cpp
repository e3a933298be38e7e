#include "app/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zelmora {

namespace {
double pixelsPerTwip()
{
    double dpi = 96.0;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInch();
    return dpi / 1440.0;
}
} // namespace

int twipsToPixels(int twips)
{
    return int(std::lround(twips * pixelsPerTwip()));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace zelmora
