#pragma once

#include <QComboBox>

class QLabel;
class QString;
class QWidget;

namespace zelmora {

// What a screen reader says for a control, in the window's own words.

// Names `control` `name`. A control that hands its focus to a field inside it (a date box and
// its text) names that field too, since the field is what takes the focus and is read.
void setSpokenName(QWidget *control, const QString &name);

// `label` names `control`: the control becomes the label's buddy (the label's Alt key, if it has
// one, gives it the focus) and is named with the label's words, without the key's "&".
void nameByLabel(QLabel *label, QWidget *control);

// A caption's words without the "&" that marks its Alt key; "&&" stays as one "&".
QString withoutMnemonic(const QString &caption);

// A drop-down list that a screen reader calls by its accessible name, as it calls every other
// control. Qt's own list is called by its current entry on Linux, so a reader said the entry
// twice and never what the list chooses; here the entry is the list's value.
class NamedComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit NamedComboBox(QWidget *parent = nullptr);
};

} // namespace zelmora
