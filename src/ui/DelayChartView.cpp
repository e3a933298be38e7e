#include "ui/DelayChartView.h"

#include "print/PageRenderer.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QtMath>

#include <algorithm>

namespace zelmora {

DelayChartView::DelayChartView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DelayChartView::minimumSizeHint() const
{
    // Room for five panels of eighteen bars, each with its widest figure over it, three of
    // them high; a window smaller than that scrolls rather than drop a figure.
    QFont chartFont(QStringLiteral("Arial"));
    chartFont.setPointSizeF(m_chart.fontSize);
    const QFontMetricsF metrics(chartFont, this);
    double widest = metrics.horizontalAdvance(QStringLiteral("888"));
    if (m_shown)
        for (int n = 1; n <= 90; ++n)
            widest = std::max(widest, metrics.horizontalAdvance(delayText(
                                          m_chart.delays[std::size_t(n - 1)], m_chart.draws)));
    const double axis = metrics.horizontalAdvance(QStringLiteral("8888")) + metrics.height();
    const double width = axis + 18 * widest * 1.05 + 4 / mmPerPixelX();
    const double height = 3 * 5 * metrics.height() + 3 / mmPerPixelY();
    return QSize(qCeil(width), qCeil(std::max(height, 200.0)));
}

double DelayChartView::mmPerPixelX() const
{
    return 25.4 / logicalDpiX();
}

double DelayChartView::mmPerPixelY() const
{
    return 25.4 / logicalDpiY();
}

void DelayChartView::setStatistics(const NumberStatistics &figures, const PlayNumbers &plays)
{
    m_statistics = figures;
    // The number pointed at stays so, named with its new figures.
    const int current = hasFocus() ? m_keyNumber : m_chart.highlighted;
    m_chart = print::delayChartOf(figures, plays);
    m_chart.highlighted = current;
    // The scale and the numbers in the window's type, a little smaller.
    m_chart.fontSize = std::max(6.0, font().pointSizeF() * 0.85);
    m_shown = true;
    updateGeometry(); // the room every figure needs may have changed
    layOut();
    describePointed();
    emit pointed(current);
}

void DelayChartView::clear()
{
    m_shown = false;
    m_items.clear();
    m_layout = {};
    point(0);
    update();
}

void DelayChartView::layOut()
{
    if (!m_shown)
        return;
    // The page is the widget less a small margin, in millimetres.
    const QSizeF size(width() * mmPerPixelX() - 4, height() * mmPerPixelY() - 3);
    if (size.width() <= 0 || size.height() <= 0)
        return;
    // Two panels while every bar keeps its figure over it; on a narrower chart, more panels of
    // fewer, wider bars, rather than a bar without its figure.
    for (int panels : {2, 3, 5}) {
        m_chart.panels = panels;
        m_items = print::delayChartPage(size, m_chart, &m_layout);
        if (!m_layout.crowded)
            break;
    }
    update();
}

int DelayChartView::numberAt(const QPoint &point) const
{
    if (!m_shown)
        return 0;
    return m_layout.numberAt(
        QPointF(point.x() * mmPerPixelX() - 2, point.y() * mmPerPixelY() - 1.5));
}

QString DelayChartView::statisticsText(int number) const
{
    if (!m_shown || number < 1 || number > 90)
        return QString();
    const NumberFigures &f = m_statistics.of(number);
    return QStringLiteral("%1: frequenza %2, ritardo %3, ritardo massimo %4%5")
        .arg(number)
        .arg(f.frequency)
        .arg(delayText(f.delay, m_statistics.draws))
        .arg(f.maxDelay)
        .arg(m_chart.marked[std::size_t(number - 1)] ? QStringLiteral(" (numero del sistema)")
                                                     : QString());
}

void DelayChartView::point(int number)
{
    if (number == m_chart.highlighted)
        return;
    m_chart.highlighted = number;
    layOut();
    describePointed();
    emit pointed(number);
}

void DelayChartView::describePointed()
{
    const QString figures = statisticsText(m_chart.highlighted);
    const QString description = figures.isEmpty() ? QString() : QStringLiteral("Numero ") + figures;
    // Qt tells a screen reader of each new description; an unchanged one is not told again.
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void DelayChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.scale(1 / mmPerPixelX(), 1 / mmPerPixelY());
    painter.translate(2, 1.5);
    print::renderPage(painter, m_items, logicalDpiX());
    if (hasFocus()) {
        painter.resetTransform();
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void DelayChartView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void DelayChartView::mouseMoveEvent(QMouseEvent *event)
{
    const int number = numberAt(event->position().toPoint());
    if (number != 0)
        m_keyNumber = number;
    point(number);
    QWidget::mouseMoveEvent(event);
}

void DelayChartView::leaveEvent(QEvent *event)
{
    point(hasFocus() && m_shown ? m_keyNumber : 0);
    QWidget::leaveEvent(event);
}

void DelayChartView::keyPressEvent(QKeyEvent *event)
{
    int number = m_keyNumber;
    switch (event->key()) {
    case Qt::Key_Left:
        number -= 1;
        break;
    case Qt::Key_Right:
        number += 1;
        break;
    case Qt::Key_PageUp:
        number -= 10;
        break;
    case Qt::Key_PageDown:
        number += 10;
        break;
    case Qt::Key_Home:
        number = 1;
        break;
    case Qt::Key_End:
        number = 90;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (!m_shown)
        return;
    m_keyNumber = std::clamp(number, 1, 90);
    point(m_keyNumber);
}

void DelayChartView::focusInEvent(QFocusEvent *event)
{
    if (m_shown)
        point(m_keyNumber);
    update();
    QWidget::focusInEvent(event);
}

void DelayChartView::focusOutEvent(QFocusEvent *event)
{
    point(0);
    update();
    QWidget::focusOutEvent(event);
}

bool DelayChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = statisticsText(numberAt(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace zelmora
