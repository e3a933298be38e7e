#include "ui/DelayChartView.h"

#include "print/PageRenderer.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zelmora {

DelayChartView::DelayChartView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double DelayChartView::mmPerPixelX() const
{
    return 25.4 / logicalDpiX();
}

double DelayChartView::mmPerPixelY() const
{
    return 25.4 / logicalDpiY();
}

void DelayChartView::setFigures(const NumberStatistics &figures, const PlayNumbers &plays)
{
    m_figures = figures;
    m_chart = print::delayChartOf(figures, plays);
    // The scale and the numbers in the window's type, a little smaller.
    m_chart.fontSize = std::max(6.0, font().pointSizeF() * 0.85);
    m_shown = true;
    layOut();
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
    m_items = print::delayChartPage(size, m_chart, &m_layout);
    update();
}

int DelayChartView::numberAt(const QPoint &point) const
{
    if (!m_shown)
        return 0;
    return m_layout.numberAt(
        QPointF(point.x() * mmPerPixelX() - 2, point.y() * mmPerPixelY() - 1.5));
}

QString DelayChartView::figuresText(int number) const
{
    if (!m_shown || number < 1 || number > 90)
        return QString();
    const NumberFigures &f = m_figures.of(number);
    return QStringLiteral("%1: frequenza %2, ritardo %3, ritardo massimo %4%5")
        .arg(number)
        .arg(f.frequency)
        .arg(f.delay)
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
    emit pointed(number);
}

void DelayChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.scale(1 / mmPerPixelX(), 1 / mmPerPixelY());
    painter.translate(2, 1.5);
    print::renderPage(painter, m_items, logicalDpiX());
}

void DelayChartView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void DelayChartView::mouseMoveEvent(QMouseEvent *event)
{
    point(numberAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void DelayChartView::leaveEvent(QEvent *event)
{
    point(0);
    QWidget::leaveEvent(event);
}

bool DelayChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = figuresText(numberAt(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace zelmora
