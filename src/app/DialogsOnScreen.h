#pragma once

#include <QObject>

class QWidget;

namespace zelmora {

// Keeps every dialog wholly on its screen's free area, frame included: Qt's own dialogs (the
// file dialog grows to show its columns, a message box centres on its owner) may otherwise
// stand a few pixels off a small or scaled screen. A dialog larger than the free area is made
// to fit it. Installed once on the application.
class DialogsOnScreen : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Moves the window, shrinking it first when it is larger, so that its frame lies on the free
// area of its screen.
void keepOnScreen(QWidget *window);

} // namespace zelmora
