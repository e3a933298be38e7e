#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;

// The program's artwork, drawn at run time with QPainter so that no image files have to ship
// with it and every piece stays sharp at whatever size it is asked for.
namespace zelmora::artwork {

enum class ButtonIcon
{
    Apri,
    Salva,
    Capogioco,
    Casuale,
    Schedine,
    Tabulato,
    Cancella
};

// The banner across the top of the main window, painted at `size` (the window asks for about
// 460 x 96 px), and as a picture.
void paintBanner(QPainter &p, const QSizeF &size);
QPixmap banner(const QSize &size);

// The icon of one of the main window's command buttons, drawn at the size asked for.
QIcon buttonIcon(ButtonIcon kind);

// The product's emblem for the splash window: the 4 x 4 square of Lotto balls, lead numbers on
// the diagonal, on a light rounded card.
QPixmap emblem(const QSize &size);

// The program's window icon, drawn at the size asked for.
QIcon windowIcon();

// The calibration window's test-print button: a printer with a sheet of empty box outlines,
// drawn at the size asked for.
QIcon testPrintIcon();

// The calibration window's picture: a small Lotto slip with the calibration's marks, `size`
// in device-independent pixels at the screen's pixel density.
QPixmap slipPicture(const QSize &size, qreal devicePixelRatio);

} // namespace zelmora::artwork
