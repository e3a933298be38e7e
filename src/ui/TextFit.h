#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace zelmora {

// The largest font, no larger than `font`, in which `text` is at most `width` pixels wide.
QFont fontToFit(const QFont &font, const QString &text, qreal width);

// Keeps the whole text of a label or a line edit in view: whenever the text, the size or the
// font the window gives it changes, a text too wide for the widget is shown in a smaller font
// until it fits. The font never grows past the one the window set, so short texts keep it.
void keepTextWhole(QWidget *widget);

} // namespace zelmora
