#include "ui/TextBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace zelmora {

namespace {
bool isWindowSwitch(const QFocusEvent *event)
{
    return event->reason() == Qt::ActiveWindowFocusReason ||
           event->reason() == Qt::PopupFocusReason;
}
// Refuses an edit that would make the text longer than the limit (silently, as a full box
// does) or leave a text the box does not take (with the beep). A text the program set longer
// than the limit can still be shortened: the limit stops growth, never deletion.
class EditRule : public QValidator
{
public:
    EditRule(int limit, std::function<bool(const QString &)> accepts,
             std::function<qsizetype()> lengthBefore, std::function<void()> refused,
             QObject *parent)
        : QValidator(parent), m_limit(limit), m_accepts(std::move(accepts)),
          m_lengthBefore(std::move(lengthBefore)), m_refused(std::move(refused))
    {
    }
    State validate(QString &input, int &) const override
    {
        if (m_limit >= 0 && input.size() > m_limit && input.size() >= m_lengthBefore())
            return Invalid;
        if (m_accepts && !m_accepts(input)) {
            m_refused();
            return Invalid;
        }
        return Acceptable;
    }

private:
    int m_limit;
    std::function<bool(const QString &)> m_accepts;
    std::function<qsizetype()> m_lengthBefore;
    std::function<void()> m_refused;
};

} // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    // The length of the text before an edit, which the rule compares the edited one with.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_lengthBefore = text.size(); });
}

void TextBox::setMaxTyped(int characters)
{
    m_maxTyped = characters;
    updateValidator();
}

void TextBox::setAcceptedText(std::function<bool(const QString &)> accepts)
{
    m_accepts = std::move(accepts);
    updateValidator();
}

void TextBox::updateValidator()
{
    // A validator checks typing and pasting but, unlike maxLength, not setText().
    if (const QValidator *old = validator())
        delete old;
    setValidator(new EditRule(
        m_maxTyped, m_accepts, [this] { return m_lengthBefore; }, [this] { emit EditRefused(); },
        this));
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    int code = -1;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        code = 13;
    else if (event->key() == Qt::Key_Backspace)
        code = 8;
    else if (event->key() == Qt::Key_Delete)
        code = -1; // it carries character 127, but deletes like every desktop text box
    else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
             !event->text().isEmpty() && event->key() != Qt::Key_Tab &&
             event->key() != Qt::Key_Backtab)
        code = event->text().at(0).unicode();

    if (code >= 0) {
        const int typed = code;
        emit KeyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
        if (code != typed) {
            QKeyEvent changed(event->type(), 0, event->modifiers(), QString(QChar(code)));
            QLineEdit::keyPressEvent(&changed);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from another window or a popup is not entering the box again.
    const bool returning = m_focusParked && isWindowSwitch(event);
    m_focusParked = false;
    if (returning)
        return;
    m_keepSelectionOnClick = event->reason() == Qt::MouseFocusReason;
    emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    m_keepSelectionOnClick = false;
    if (isWindowSwitch(event))
        m_focusParked = true;
    else
        emit LostFocus();
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    // The click that brought the focus keeps the selection made on entry, so typing replaces
    // the whole text as it does after Tab.
    if (m_keepSelectionOnClick) {
        m_keepSelectionOnClick = false;
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

} // namespace zelmora
