#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

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

// The banner across the top of the main window (drawn at any size; the window asks for about
// 460 x 96 px).
QPixmap banner(const QSize &size);

// The icon of one of the main window's command buttons, with pixmaps at 24, 32 and 48 px.
QIcon buttonIcon(ButtonIcon kind);

// The product's emblem for the splash window: the 4 x 4 square of Lotto balls, lead numbers on
// the diagonal, on a light rounded card.
QPixmap emblem(const QSize &size);

// The program's window icon, with pixmaps from 16 to 256 px.
QIcon windowIcon();

// The calibration window's test-print button: a printer with a sheet of empty box outlines,
// with pixmaps at 24, 32 and 48 px.
QIcon testPrintIcon();

// The calibration window's picture: a small Lotto slip with the calibration's marks, `size`
// in device-independent pixels at the screen's pixel density.
QPixmap slipPicture(const QSize &size, qreal devicePixelRatio);

} // namespace zelmora::artwork
