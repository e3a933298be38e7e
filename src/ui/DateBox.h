#pragma once

#include "core/DrawDate.h"

#include <QDate>
#include <QWidget>
#include <optional>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace zelmora {

class UiServices;

// A date the player types as gg/mm/aaaa, or picks from an Italian calendar (the button beside
// it, F4 or Alt+Down). What is typed stays as typed: the box never changes a digit on its own.
// A date the calendar does not have, or one outside the range, is refused by the box itself
// when the window asks for the date (checkedDate), with a message naming the box.
class DateBox : public QWidget
{
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

    // The date typed, or an invalid date when the text is not a date of the calendar.
    QDate date() const;
    // True for a valid date within the range the box offers.
    bool inRange(const QDate &date) const;
    // The date typed, or nothing after telling the player what is wrong with it (a warning
    // titled `title`, naming the box as `name`, such as "Dal") and giving the box the focus.
    std::optional<QDate> checkedDate(UiServices &ui, const QString &name,
                                     const QString &title = {});
    // Shows the date as gg/mm/aaaa.
    void setDate(const QDate &date);
    QString text() const;

    void setDateRange(const QDate &minimum, const QDate &maximum);
    QDate minimumDate() const { return m_minimum; }
    QDate maximumDate() const { return m_maximum; }

    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *calendarButton() const { return m_button; }

    // Opens the calendar on the date typed, or on the nearest end of the range.
    void showCalendar();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit;
    QToolButton *m_button;
    QDate m_minimum{1, 1, 1};
    QDate m_maximum = latestDrawDate();
};

} // namespace zelmora
