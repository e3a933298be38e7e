#include "app/ButtonKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace zelmora {

bool EnterPressesButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat() ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button || !(qobject_cast<QPushButton *>(button) || qobject_cast<QToolButton *>(button)) ||
        !button->isEnabled())
        return false;
    button->click();
    return true;
}

} // namespace zelmora
