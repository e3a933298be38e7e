#include "print/StatisticsReport.h"

#include "core/DrawDate.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "print/PageDrawing.h"
#include "print/Preview.h"

#include <algorithm>
#include <cmath>

namespace zelmora::print {

namespace {

// The page's left edge, and room kept free at the foot of the page.
constexpr double kLeft = 2;
constexpr double kFootMargin = 6;
constexpr int kTableRows = 18; // five groups of eighteen numbers
constexpr double kChartHeight = 104;
// The rules under the tables' headings.
const QColor kRuleColour(90, 90, 90);

} // namespace

QString playName(int play)
{
    return play <= 4 ? QStringLiteral("%1 (riga %2)").arg(play).arg(play)
                     : QStringLiteral("%1 (colonna %2)").arg(play).arg(play - 4);
}

QString playNumbersText(const std::array<std::uint8_t, 4> &numbers)
{
    QStringList shown;
    for (std::uint8_t n : numbers)
        if (n != 0)
            shown << twoDigits(n);
    return shown.join(u' ');
}

namespace {

class StatisticsWriter
{
public:
    StatisticsWriter(Printer &printer, const StatisticsReport &report)
        : p(printer), r(report), m_chart(delayChartOf(report.figures, report.plays))
    {
    }

    void run()
    {
        p.resetSettings();
        p.DocumentKind = QStringLiteral("statistiche");
        p.setScaleMode(vbMillimeters);
        m_right = p.ScaleWidth() - kLeft;
        printHeading();
        printChart();
        printNumbers();
        printPlays();
        p.EndDoc();
    }

private:
    // A number's row of the table: the number, its frequency, delay and longest delay.
    QStringList cellsOf(int n) const
    {
        const NumberFigures &f = r.figures.of(n);
        return {QString::number(n), QString::number(f.frequency),
                delayText(f.delay, r.figures.draws), QString::number(f.maxDelay)};
    }

    void printHeading()
    {
        p.FontName = QStringLiteral("Arial");
        p.FontSize = 10;
        p.FontBold = true;
        p.setCurrentX(kLeft);
        p.setCurrentY(2);
        p.PrintLine(titleLine(r.heading));
        p.FontSize = 14;
        p.setCurrentX(kLeft);
        p.PrintLine(QStringLiteral("Ritardi e frequenze - Ruota di %1").arg(r.wheel));
        p.FontSize = 10;
        p.FontBold = false;
        p.setCurrentX(kLeft);
        p.PrintLine(QStringLiteral("Dal %1 al %2: %3 (la prima del %4, l'ultima del %5)")
                        .arg(italianDateText(r.from), italianDateText(r.to),
                             countOf(r.figures.draws, "estrazione", "estrazioni"),
                             italianDateText(r.figures.firstDate),
                             italianDateText(r.figures.lastDate)));
        p.setCurrentX(kLeft);
        const double y = p.CurrentY();
        const double box = p.TextHeight(QStringLiteral("Ag")) * 0.6;
        filledBox(p, QRectF(kLeft, y + box * 0.35, box, box), kMarkedBarColour);
        p.setCurrentX(kLeft + box * 1.5);
        p.setCurrentY(y);
        p.PrintLine(QStringLiteral("I numeri del sistema %1 (in grassetto nelle tabelle)")
                        .arg(r.systemName));
        m_y = p.CurrentY() + 1;
    }

    void printChart()
    {
        section(QStringLiteral("Ritardo attuale di ogni numero"), kChartHeight);
        drawDelayChart(p, QRectF(kLeft, m_y, m_right - kLeft, kChartHeight), m_chart);
        m_y += kChartHeight + 2;
    }

    void printNumbers()
    {
        // The five groups side by side, in a size that fits the page's width.
        const QStringList headings{QStringLiteral("Num."), QStringLiteral("Freq."),
                                   QStringLiteral("Rit."), QStringLiteral("Rit. max")};
        std::array<double, 4> widths{};
        double groupWidth = 0;
        p.FontName = QStringLiteral("Arial");
        for (p.FontSize = 9; p.FontSize > 5; p.FontSize -= 0.5) {
            p.FontBold = true;
            for (int c = 0; c < 4; ++c)
                widths[std::size_t(c)] = p.TextWidth(headings[c]);
            for (int n = 1; n <= 90; ++n) {
                const QStringList cells = cellsOf(n);
                for (int c = 0; c < 4; ++c)
                    widths[std::size_t(c)] =
                        std::max(widths[std::size_t(c)], p.TextWidth(cells[c]));
            }
            m_gap = p.TextWidth(QStringLiteral("00"));
            groupWidth = widths[0] + widths[1] + widths[2] + widths[3] + 3 * m_gap;
            if (5 * groupWidth + 4 * m_gap * 1.5 <= m_right - kLeft)
                break;
        }
        p.FontBold = false;
        const double line = p.TextHeight(QStringLiteral("Ag"));
        const double fontSize = p.FontSize;
        section(QStringLiteral("Frequenza, ritardo e ritardo massimo di ogni numero"),
                line * (kTableRows + 3));
        p.FontSize = fontSize;
        const double pitch = (m_right - kLeft - groupWidth) / 4;
        for (int g = 0; g < 5; ++g) {
            std::array<double, 4> rights{};
            double x = kLeft + g * pitch;
            for (int c = 0; c < 4; ++c) {
                x += widths[std::size_t(c)];
                rights[std::size_t(c)] = x;
                x += m_gap;
            }
            p.FontBold = true;
            for (int c = 0; c < 4; ++c)
                rightAligned(p, rights[std::size_t(c)], m_y, headings[c]);
            rule(p, kLeft + g * pitch, rights[3], m_y + line + 0.2, kRuleColour);
            for (int row = 0; row < kTableRows; ++row) {
                const int n = g * kTableRows + row + 1;
                const bool marked = m_chart.marked[std::size_t(n - 1)];
                p.FontBold = marked;
                const QStringList cells = cellsOf(n);
                const double y = m_y + line * (row + 1) + 0.5;
                for (int c = 0; c < 4; ++c) {
                    p.ForeColor = c == 0 && marked ? kMarkedBarColour : Qt::black;
                    rightAligned(p, rights[std::size_t(c)], y, cells[c]);
                }
            }
            p.ForeColor = Qt::black;
        }
        p.FontBold = false;
        m_y += line * (kTableRows + 1) + 1;
        p.FontSize = 8;
        p.setCurrentX(kLeft);
        p.setCurrentY(m_y);
        p.PrintLine(
            QStringLiteral("Ritardo: le estrazioni dopo l'ultima uscita del numero. Ritardo "
                           "massimo: la serie più lunga di estrazioni senza il numero,"));
        p.setCurrentX(kLeft);
        p.PrintLine(QStringLiteral("contando quella prima della prima uscita e quella in corso, "
                                   "senza l'estrazione del ritorno (tabelle che la contano danno "
                                   "1 in più)."));
        m_y = p.CurrentY() + 2;
    }

    void printPlays()
    {
        p.FontName = QStringLiteral("Arial");
        p.FontSize = 9;
        const double line = p.TextHeight(QStringLiteral("Ag"));
        section(QStringLiteral("Ritardo di ambo, terno e quaterna delle giocate del sistema %1")
                    .arg(r.systemName),
                line * 10);
        p.FontSize = 9;
        const double xNumbers = kLeft + p.TextWidth(QStringLiteral("8 (colonna 4)   "));
        const double rights[] = {xNumbers + p.TextWidth(QStringLiteral("00 00 00 00")) + 20, 0, 0};
        const double column = std::max(20.0, p.TextWidth(QStringLiteral("Quaterna   ")));
        const double ambo = rights[0], terno = ambo + column, quaterna = terno + column;
        p.FontBold = true;
        text(kLeft, m_y, QStringLiteral("Giocata"));
        text(xNumbers, m_y, QStringLiteral("Numeri"));
        rightAligned(p, ambo, m_y, QStringLiteral("Ambo"));
        rightAligned(p, terno, m_y, QStringLiteral("Terno"));
        rightAligned(p, quaterna, m_y, QStringLiteral("Quaterna"));
        rule(p, kLeft, quaterna, m_y + line + 0.2, kRuleColour);
        p.FontBold = false;
        for (int play = 1; play <= kGiocate; ++play) {
            const double y = m_y + line * play + 0.5;
            const PlayDelays &d = r.figures.plays[std::size_t(play - 1)];
            text(kLeft, y, playName(play));
            text(xNumbers, y, playNumbersText(r.plays[std::size_t(play - 1)]));
            rightAligned(p, ambo, y, delayText(d[0], r.figures.draws));
            rightAligned(p, terno, y, delayText(d[1], r.figures.draws));
            rightAligned(p, quaterna, y, delayText(d[2], r.figures.draws));
        }
        m_y += line * (kGiocate + 1) + 2;
    }

    // A section's title; the section starts a new page when its `height` does not fit.
    void section(const QString &title, double height)
    {
        p.FontName = QStringLiteral("Arial");
        p.FontSize = 10;
        p.FontBold = true;
        const double line = p.TextHeight(QStringLiteral("Ag"));
        if (m_y + line + height > p.ScaleHeight() - kFootMargin) {
            p.NewPage();
            m_y = 2;
        }
        text(kLeft, m_y, title);
        p.FontBold = false;
        m_y += line + 1;
    }

    void text(double x, double y, const QString &s)
    {
        p.setCurrentX(x);
        p.setCurrentY(y);
        p.Print(s);
    }

    Printer &p;
    const StatisticsReport &r;
    DelayChart m_chart;
    double m_right = 0;
    double m_y = 0;
    double m_gap = 2;
};

} // namespace

void printStatisticsReport(Printer &printer, const StatisticsReport &report)
{
    StatisticsWriter(printer, report).run();
}

Result<bool> printStatistics(PrinterSet &printers, const StatisticsReport &report,
                             const PrintProgress &progress)
{
    printers.SelectPrinter(report.printerName);
    if (progress && !progress(0, 1))
        return false;
    const Result<void> printed = printDocument(printers.CurrentPrinter(), [&](Printer &printer) {
        printStatisticsReport(printer, report);
    });
    if (!printed)
        return printed.error();
    return true;
}

Result<Preview> previewStatistics(PrinterSet &printers, const StatisticsReport &report)
{
    printers.SelectPrinter(report.printerName);
    return previewRun(printers.CurrentPrinter(),
                      [&](Printer &printer) { printStatisticsReport(printer, report); });
}

} // namespace zelmora::print
