#include "ui/DateBox.h"

#include "app/UiServices.h"
#include "core/DrawDate.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QToolButton>

namespace zelmora {

DateBox::DateBox(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("txtData"));
    // Digits and slashes, as gg/mm/aaaa is written; whether it is a date is told on use.
    m_edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9/ ]{0,12}")), m_edit));
    m_edit->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    m_edit->setToolTip(QStringLiteral("Una data come gg/mm/aaaa; F4 apre il calendario"));
    m_edit->installEventFilter(this);
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                            12);
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("cmdCalendario"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setToolTip(QStringLiteral("Scegli la data dal calendario"));
    m_button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    // The box takes the focus for its text, as a label's key or a click asks it to.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    connect(m_button, &QToolButton::clicked, this, &DateBox::showCalendar);
}

QDate DateBox::date() const
{
    return parseItalianDate(m_edit->text());
}

bool DateBox::inRange(const QDate &date) const
{
    return date.isValid() && date >= m_minimum && date <= m_maximum;
}

void DateBox::setDate(const QDate &date)
{
    m_edit->setText(italianDateText(date));
}

QString DateBox::text() const
{
    return m_edit->text();
}

void DateBox::setDateRange(const QDate &minimum, const QDate &maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void DateBox::showCalendar()
{
    auto *calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setObjectName(QStringLiteral("calendario"));
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setDateRange(m_minimum, m_maximum);
    const QDate typed = parseItalianDate(m_edit->text());
    calendar->setSelectedDate(typed.isValid()
                                  ? std::clamp(typed, m_minimum, m_maximum)
                                  : std::clamp(QDate::currentDate(), m_minimum, m_maximum));
    connect(calendar, &QCalendarWidget::activated, this, [this, calendar](const QDate &chosen) {
        setDate(chosen);
        calendar->close();
        m_edit->setFocus(Qt::PopupFocusReason);
    });
    connect(calendar, &QCalendarWidget::clicked, calendar, &QCalendarWidget::activated);

    // Under the box, or above it when the screen ends first.
    calendar->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen *screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + calendar->height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - calendar->height());
        at.setX(std::clamp(at.x(), room.left(),
                           std::max(room.left(), room.right() - calendar->width())));
        at.setY(std::max(at.y(), room.top()));
    }
    calendar->move(at);
    calendar->show();
    calendar->setFocus(Qt::PopupFocusReason);
}

bool DateBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            showCalendar();
            return true;
        }
    }
    if (watched == m_edit && event->type() == QEvent::FocusOut) {
        // A date typed in a shorter form (1/2/1943) is shown as every other date.
        const QDate typed = parseItalianDate(m_edit->text());
        if (typed.isValid() && italianDateText(typed) != m_edit->text())
            setDate(typed);
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<QDate> DateBox::checkedDate(UiServices &ui, const QString &name, const QString &title)
{
    const QDate date = this->date();
    QString problem;
    if (!date.isValid())
        problem = QStringLiteral("La data \"%1\" (%2) non è una data del calendario: scrivila "
                                 "come gg/mm/aaaa, es. 31/12/1943.")
                      .arg(name, text().trimmed());
    else if (!inRange(date))
        problem = QStringLiteral("La data \"%1\" (%2) è fuori dall'intervallo %3 - %4.")
                      .arg(name, italianDateText(date), italianDateText(minimumDate()),
                           italianDateText(maximumDate()));
    if (problem.isEmpty())
        return date;
    warningMessage(ui, problem, title);
    setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
    return std::nullopt;
}

} // namespace zelmora
