#include "print/CheckReport.h"

#include "core/DrawDate.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "print/Preview.h"

namespace zelmora::print {

namespace {

// Column positions in millimetres from the printable area's left edge; amounts are set
// flush right against their column's right edge.
constexpr double kLeft = 2;
constexpr double kDrawnX = 28;
constexpr double kPlayX = 72;
constexpr double kHitsX = 92;
constexpr double kGrossRight = 150;
constexpr double kNetRight = 185;
constexpr double kTotalsValueRight = 110;
// Room kept free at the foot of each page.
constexpr double kFootMargin = 8;

class ReportWriter
{
public:
    ReportWriter(Printer &printer, const CheckReport &report) : p(printer), r(report) {}

    void run()
    {
        // A new printer's settings (medium quality, colour, black, no fill), then the report's.
        p.resetSettings();
        p.DocumentKind = QStringLiteral("verifica");
        p.setScaleMode(vbMillimeters);
        p.FontName = QStringLiteral("Courier New");
        p.FontSize = 10;
        printHeading();
        printTable();
        printTotals();
        p.EndDoc();
    }

private:
    void printHeading()
    {
        p.setCurrentX(kLeft);
        p.setCurrentY(2);
        p.FontBold = true;
        p.Print(QStringLiteral("Zelmoravintesca by Vandrel - "));
        // Measured once the document has begun, on the device it is printed on: before that
        // a printer device measures with the screen's metrics.
        m_lineHeight = p.TextHeight(QStringLiteral("Ag"));
        p.PrintLine(r.heading);
        p.FontSize = 14;
        p.setCurrentX(kLeft);
        p.PrintLine(QStringLiteral("Verifica del sistema"));
        p.FontSize = 10;
        p.FontBold = false;
        p.setCurrentX(kLeft);
        p.PrintLine(QStringLiteral("Sistema: %1    Ruota: %2").arg(r.systemName, r.wheel));
        p.setCurrentX(kLeft);
        p.PrintLine(QStringLiteral("Verificato con: %1").arg(r.against));
        p.PrintLine();
        m_y = p.CurrentY();
        printColumnHeadings();
    }

    void printColumnHeadings()
    {
        p.FontBold = true;
        const double y = m_y;
        text(kLeft, y, QStringLiteral("Data"));
        text(kDrawnX, y, QStringLiteral("Numeri estratti"));
        text(kPlayX, y, QStringLiteral("Giocata"));
        text(kHitsX, y, QStringLiteral("Punti"));
        right(kGrossRight, y, QStringLiteral("Lordo €"));
        right(kNetRight, y, QStringLiteral("Netto €"));
        p.FontBold = false;
        rule(y + m_lineHeight + 0.5);
        m_y = y + m_lineHeight + 1.5;
    }

    void printTable()
    {
        if (r.result->wins.isEmpty()) {
            text(kLeft, lineAt(), QStringLiteral("Nessuna vincita."));
            return;
        }
        for (const DrawWin &win : r.result->wins) {
            // A draw's lines stay together: one that does not fit starts the next page.
            keepTogether(int(win.plays.size()) + (win.plays.size() > 1 ? 1 : 0));
            bool first = true;
            for (const PlayWin &play : win.plays) {
                const double y = lineAt();
                if (first) {
                    text(kLeft, y, drawDateLabel(win.draw.date));
                    text(kDrawnX, y, drawnText(win.draw));
                }
                first = false;
                text(kPlayX, y, QString::number(play.play));
                text(kHitsX, y, QStringLiteral("%1 %2").arg(play.hits).arg(hitsName(play.hits)));
                right(kGrossRight, y, amountText(play.gross));
                right(kNetRight, y, amountText(play.net));
            }
            // The draw's net is rounded once on its whole gross, so it is shown when the
            // draw won on several plays.
            if (win.plays.size() > 1) {
                const double y = lineAt();
                p.FontBold = true;
                text(kPlayX, y, QStringLiteral("Totale estrazione"));
                right(kGrossRight, y, amountText(win.gross));
                right(kNetRight, y, amountText(win.net));
                p.FontBold = false;
            }
        }
    }

    void printTotals()
    {
        const CheckTotals &t = r.result->totals;
        const QList<std::pair<QString, QString>> lines = {
            {QStringLiteral("Estrazioni verificate"), countText(t.drawsChecked)},
            {QStringLiteral("Estrazioni vincenti"), countText(t.winningDraws)},
            {QStringLiteral("Importo giocato €"), amountText(t.staked)},
            {QStringLiteral("Vincita lorda €"), amountText(t.gross)},
            {QStringLiteral("Vincita netta €"), amountText(t.net)},
            {QStringLiteral("Saldo €"), amountText(t.balance())},
        };
        // The totals stay together on one page.
        if (m_y + m_lineHeight * (lines.size() + 3) > p.ScaleHeight() - kFootMargin)
            newPage(false);
        double y = m_y + 1;
        rule(y);
        m_y = y + 1.5;
        if (r.result->interrupted) {
            y = lineAt();
            p.FontBold = true;
            text(kLeft, y,
                 QStringLiteral("Verifica interrotta: i totali contano le estrazioni "
                                "verificate fin lì."));
            p.FontBold = false;
        }
        for (const auto &[label, value] : lines) {
            y = lineAt();
            p.FontBold = label.startsWith(QStringLiteral("Saldo"));
            text(kLeft, y, label);
            right(kTotalsValueRight, y, value);
        }
        p.FontBold = false;
    }

    // Starts a new page unless the next `lines` table lines fit on this one.
    void keepTogether(int lines)
    {
        if (m_y + m_lineHeight * lines > p.ScaleHeight() - kFootMargin)
            newPage(true);
    }

    // The top of the next table line, on a new page when this one is full.
    double lineAt()
    {
        if (m_y + m_lineHeight > p.ScaleHeight() - kFootMargin)
            newPage(true);
        const double y = m_y;
        m_y += m_lineHeight;
        return y;
    }

    void newPage(bool headings)
    {
        p.NewPage();
        ++m_page;
        p.FontBold = false;
        p.setCurrentX(kLeft);
        p.setCurrentY(2);
        p.PrintLine(QStringLiteral("Verifica del sistema %1 - Ruota %2 - pagina %3")
                        .arg(r.systemName, r.wheel)
                        .arg(m_page));
        p.PrintLine();
        m_y = p.CurrentY();
        if (headings)
            printColumnHeadings();
    }

    void text(double x, double y, const QString &s)
    {
        p.setCurrentX(x);
        p.setCurrentY(y);
        p.Print(s);
    }

    void right(double rightEdge, double y, const QString &s)
    {
        text(rightEdge - p.TextWidth(s), y, s);
    }

    void rule(double y) { p.Line(kLeft, y, kNetRight, y, Qt::black); }

    Printer &p;
    const CheckReport &r;
    double m_lineHeight = 5;
    double m_y = 0; // the top of the next line, in millimetres
    int m_page = 1;
};

} // namespace

QString amountText(Cents cents)
{
    return formatMask(double(cents) / 100.0, QStringLiteral("###,##0.00"));
}

QString drawDateLabel(const QDate &date)
{
    return date.isValid() ? italianDateText(date) : QStringLiteral("-");
}

QString hitsName(int hits)
{
    switch (hits) {
    case 2:
        return QStringLiteral("Ambo");
    case 3:
        return QStringLiteral("Terno");
    case 4:
        return QStringLiteral("Quaterna");
    default:
        return QString();
    }
}

QString drawnText(const Draw &draw)
{
    QStringList numbers;
    for (std::uint8_t n : draw.numbers)
        numbers << QStringLiteral("%1").arg(int(n), 2, 10, QLatin1Char('0'));
    return numbers.join(u' ');
}

void printCheckReport(Printer &printer, const CheckReport &report)
{
    ReportWriter(printer, report).run();
}

Result<void> StampaVerifica(PrinterSet &printers, const CheckReport &report)
{
    printers.SelectPrinter(report.printerName);
    return printDocument(printers.CurrentPrinter(),
                         [&](Printer &printer) { printCheckReport(printer, report); });
}

Result<Preview> previewVerifica(PrinterSet &printers, const CheckReport &report)
{
    printers.SelectPrinter(report.printerName);
    return previewRun(printers.CurrentPrinter(),
                      [&](Printer &printer) { printCheckReport(printer, report); });
}

} // namespace zelmora::print
