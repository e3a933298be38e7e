#pragma once

#include "core/NumberStatistics.h"
#include "print/DelayChart.h"

#include <QWidget>

namespace zelmora {

// The bar chart of the 90 current delays on screen: the printed chart's own drawing, laid out
// for the widget's size and painted through the page renderer. The number under the pointer
// is outlined, named in the tooltip with its figures, and announced by `pointed`; with the
// focus on the chart the arrow keys (Page Up and Down by ten, Home and End to the ends) point
// at the numbers in turn. A screen reader hears the number pointed at with its figures as the
// chart's description, told again each time it changes.
class DelayChartView : public QWidget
{
    Q_OBJECT
public:
    explicit DelayChartView(QWidget *parent = nullptr);

    // Shows the figures, the system's numbers marked; without figures the chart is empty.
    void setStatistics(const NumberStatistics &figures, const PlayNumbers &plays);
    void clear();

    // The number under a point of the widget, or 0.
    int numberAt(const QPoint &point) const;
    // True when every bar stands with its figure over it at the chart's size.
    bool everyFigureShown() const { return !m_layout.crowded; }
    // "17: frequenza 412, ritardo 3, ritardo massimo 121": a number's figures in words.
    QString statisticsText(int number) const;

    QSize sizeHint() const override { return {900, 300}; }
    QSize minimumSizeHint() const override;

signals:
    // The number under the pointer changed (0: none).
    void pointed(int number);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    void layOut();
    void point(int number);
    void describePointed();
    double mmPerPixelX() const;
    double mmPerPixelY() const;

    bool m_shown = false;
    int m_keyNumber = 1; // where the keys go on from: the number last pointed at
    NumberStatistics m_statistics;
    print::DelayChart m_chart;
    print::DelayChartLayout m_layout;
    QList<print::RecordedItem> m_items;
};

} // namespace zelmora
