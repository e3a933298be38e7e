#include "print/DelayChart.h"

#include "print/PageDrawing.h"

#include <algorithm>
#include <cmath>

namespace zelmora::print {

const QColor kBarColour(66, 110, 170);
const QColor kMarkedBarColour(214, 84, 20);

namespace {

const QColor kGridColour(200, 200, 200);
const QColor kAxisColour(90, 90, 90);

// The scale's step: 1, 2 or 5 times a power of ten, with at most five steps to the top.
int scaleStep(int top)
{
    for (int power = 1;; power *= 10)
        for (int unit : {1, 2, 5})
            if (top <= 5 * unit * power)
                return unit * power;
}

} // namespace

int DelayChartLayout::numberAt(const QPointF &point) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].contains(point))
            return int(i) + 1;
    return 0;
}

DelayChartLayout drawDelayChart(Printer &p, const QRectF &area, const DelayChart &chart)
{
    DelayChartLayout layout;
    p.FontName = QStringLiteral("Arial");
    p.FontSize = chart.fontSize;
    p.FontBold = false;
    p.ForeColor = Qt::black;
    p.FontTransparent = true;
    p.DrawStyle = 0;
    p.DrawWidth = 1;
    p.FillStyle = vbFSTransparent;

    const int highest = std::max(1, *std::max_element(chart.delays.begin(), chart.delays.end()));
    const int step = scaleStep(highest);
    const int top = (highest + step - 1) / step * step;
    const double textHeight = p.TextHeight(QStringLiteral("0"));
    const double axisWidth = p.TextWidth(QString::number(top)) + textHeight / 2;
    const double gap = textHeight / 2;
    const int panels = std::clamp(chart.panels, 1, 90);
    const int perPanel = (90 + panels - 1) / panels;
    const double panelHeight = (area.height() - gap * (panels - 1)) / panels;

    for (int panel = 0; panel < panels; ++panel) {
        const double panelTop = area.top() + panel * (panelHeight + gap);
        // Room for the delay over the tallest bar, and for the numbers under the bars.
        const QRectF plot(area.left() + axisWidth, panelTop + textHeight, area.width() - axisWidth,
                          panelHeight - 2 * textHeight - 0.5);
        const auto yOf = [&](int value) { return plot.bottom() - plot.height() * value / top; };
        if (plot.height() < 2 * textHeight)
            layout.crowded = true;
        // The scale's figures one line apart at least: on a short panel, every other one.
        const double stepHeight = plot.height() * step / top;
        const int labelEvery =
            stepHeight > 0 ? std::max(1, int(std::ceil(textHeight / stepHeight))) : 1;
        for (int value = 0, at = 0; value <= top; value += step, ++at) {
            if (value > 0)
                rule(p, plot.left(), plot.right(), yOf(value), kGridColour);
            if (at % labelEvery == 0)
                rightAligned(p, plot.left() - textHeight / 4, yOf(value) - textHeight / 2,
                             QString::number(value));
        }
        const double pitch = plot.width() / perPanel;
        for (int i = 0; i < perPanel && panel * perPanel + i < 90; ++i) {
            const int n = panel * perPanel + i + 1;
            const std::size_t at = std::size_t(n - 1);
            const int delay = chart.delays[at];
            const QColor colour = chart.marked[at] ? kMarkedBarColour : kBarColour;
            const double x = plot.left() + i * pitch;
            layout.columns[at] = QRectF(x, panelTop, pitch, panelHeight);
            if (delay > 0)
                filledBox(
                    p,
                    QRectF(x + pitch * 0.15, yOf(delay), pitch * 0.7, plot.bottom() - yOf(delay)),
                    colour);
            const QString value = delayText(delay, chart.draws);
            if (p.TextWidth(value) <= pitch * 1.1)
                centred(p, x + pitch / 2, yOf(delay) - textHeight, value);
            else
                layout.crowded = true;
            p.FontBold = chart.marked[at];
            p.ForeColor = chart.marked[at] ? kMarkedBarColour : Qt::black;
            centred(p, x + pitch / 2, plot.bottom() + 0.5, QString::number(n));
            p.FontBold = false;
            p.ForeColor = Qt::black;
        }
        rule(p, plot.left(), plot.right(), plot.bottom(), kAxisColour);
    }
    if (chart.highlighted >= 1 && chart.highlighted <= 90) {
        p.DrawWidth = 3;
        const QRectF &column = layout.columns[std::size_t(chart.highlighted - 1)];
        p.Line(column.left(), column.top(), column.right(), column.bottom(), Qt::black);
        p.DrawWidth = 1;
    }
    return layout;
}

QList<RecordedItem> delayChartPage(const QSizeF &size, const DelayChart &chart,
                                   DelayChartLayout *layout)
{
    Printer printer;
    auto device = std::make_unique<RecordingDevice>(QStringLiteral("Grafico"));
    device->pageSize = size;
    RecordingDevice *recorder = device.get();
    printer.setDevice(std::move(device));
    printer.setScaleMode(vbMillimeters);
    const DelayChartLayout drawn = drawDelayChart(printer, QRectF(QPointF(0, 0), size), chart);
    if (layout)
        *layout = drawn;
    printer.EndDoc();
    return recorder->documents.isEmpty() ? QList<RecordedItem>()
                                         : recorder->documents.last().pages.value(0);
}

DelayChart delayChartOf(const NumberStatistics &figures, const PlayNumbers &plays)
{
    DelayChart chart;
    chart.draws = figures.draws;
    for (int n = 1; n <= 90; ++n)
        chart.delays[std::size_t(n - 1)] = figures.of(n).delay;
    for (const auto &play : plays)
        for (std::uint8_t n : play)
            if (n >= 1 && n <= 90)
                chart.marked[std::size_t(n - 1)] = true;
    return chart;
}

} // namespace zelmora::print
