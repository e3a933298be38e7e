#pragma once

#include <QObject>

namespace zelmora {

// Makes Enter press the push or tool button that has the focus, in every window, as Space
// does: on the desktop the program comes from, Enter presses the focused button, while Qt
// leaves it to dialogs' default buttons. Every other control keeps its own Enter (the text
// boxes move the focus on). Installed once on the application.
class EnterPressesButtons : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zelmora
