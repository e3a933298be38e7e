#pragma once

#include <QLineEdit>
#include <functional>

namespace zelmora {

// A one-line text box with the events the windows handle: KeyPress gets the character code
// of a typed key and may change it (0 drops the key), GotFocus and LostFocus follow the
// focus. Keys that type no character (arrows, Delete, shortcuts such as Ctrl+V) pass
// straight through, so Delete deletes and pasting still runs the Change handler.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    // The most characters the user can type or paste; text the program sets is never cut.
    void setMaxTyped(int characters);
    int maxTyped() const { return m_maxTyped; }
    // The texts an edit by the user (typing, pasting, dropping) may leave in the box; any other
    // edit is refused and told by EditRefused, for the window to beep as at a refused key.
    // Text the program sets is not checked.
    void setAcceptedText(std::function<bool(const QString &)> accepts);

signals:
    void EditRefused();
    void KeyPress(int &keyAscii);
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void updateValidator();

    int m_maxTyped = -1;
    std::function<bool(const QString &)> m_accepts;
    bool m_keepSelectionOnClick = false;
    bool m_focusParked = false; // the focus left with its window and will come back with it
    qsizetype m_lengthBefore = 0;
};

} // namespace zelmora
