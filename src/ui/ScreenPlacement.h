#pragma once

#include <QSize>

class QWidget;

namespace zelmora {

// Places a top-level window wholly on the screen it belongs to: the screen under the middle of
// `over` (the window it opens from), else its own. Its size is `wanted` (its present size when
// empty) made no larger than the screen's free area less the window frame, and it is centred
// over `over`, or on the screen, then moved in where it would stick out.
void placeOnScreen(QWidget *window, const QWidget *over = nullptr, QSize wanted = {});

// Centres a window on the whole of its screen, as CenterForm does, panels and docks included;
// only a window that would then cover part of a panel is moved onto the free area.
void CenterForm(QWidget *window);

} // namespace zelmora
