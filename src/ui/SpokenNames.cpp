#include "ui/SpokenNames.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace zelmora {

void setSpokenName(QWidget *control, const QString &name)
{
    control->setAccessibleName(name);
    if (QWidget *field = control->focusProxy())
        field->setAccessibleName(name);
}

QString withoutMnemonic(const QString &caption)
{
    QString words;
    words.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // An "&" is left out and the character after it kept, so "&&" gives one "&".
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        words.append(caption[i]);
    }
    return words;
}

void nameByLabel(QLabel *label, QWidget *control)
{
    label->setBuddy(control);
    setSpokenName(control, withoutMnemonic(label->text()));
}

namespace {

// The list as a screen reader reads it: named by its accessible name (its current entry when it
// has none), the entry as its value, the entries' list as its one child, and the actions that
// open and close that list.
class NamedComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboBoxAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && !widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return 1; }

    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override
    {
        return {showMenuAction(), pressAction(), setFocusAction()};
    }

    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *namedComboBoxAccessible(const QString &className, QObject *object)
{
    if (object && object->isWidgetType() &&
        className == QLatin1String(NamedComboBox::staticMetaObject.className()))
        return new NamedComboBoxAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

NamedComboBox::NamedComboBox(QWidget *parent) : QComboBox(parent)
{
    // Qt asks the factories for the most derived class first, so this list's class finds its own
    // reading before Qt's for every list.
    static const bool installed = [] {
        QAccessible::installFactory(namedComboBoxAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace zelmora
