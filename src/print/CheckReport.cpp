#include "print/CheckReport.h"

#include "core/DrawDate.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "print/PageDrawing.h"
#include "print/Preview.h"

#include <algorithm>

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

// Where one page of the report starts: the first draw on it, and whether the table's column
// headings open it (a page of the totals alone has none).
struct PageStart
{
    int win = 0;
    bool headings = true;
};

// The report's pages, laid out once from the measures of the device it goes to, so that any
// page can then be drawn on its own: a preview of a million draws shows its last page at once.
struct Layout
{
    double lineHeight = 5;
    double tableTop = 0;     // the first table line on page 1
    double continuedTop = 0; // on the pages after it, under the column headings
    double totalsTop = 0;    // on a page of the totals alone
    double bottom = 0;       // no line ends below this
    QList<PageStart> pages;
};

class ReportWriter
{
public:
    ReportWriter(Printer &printer, const CheckReport &report) : p(printer), r(report) {}

    // Starts the document with page 1's heading and lays the pages out with the measures of
    // the device it is printed on.
    Layout begin()
    {
        setUp();
        Layout layout;
        layout.tableTop = heading(&layout.lineHeight) + headingsHeight(layout.lineHeight);
        layout.continuedTop = pageHeader(false) + headingsHeight(layout.lineHeight);
        layout.totalsTop = pageHeader(false);
        layout.bottom = p.ScaleHeight() - kFootMargin;
        paginate(layout);
        return layout;
    }

    // Draws page `index` of the layout: the first after begin(), any other on its own.
    void drawPage(const Layout &layout, int index)
    {
        m_lineHeight = layout.lineHeight;
        const PageStart &start = layout.pages[index];
        const bool last = index + 1 == layout.pages.size();
        const int end = last ? int(r.result->wins.size()) : layout.pages[index + 1].win;
        if (index == 0) {
            m_y = layout.tableTop - headingsHeight(m_lineHeight);
        } else {
            p.NewPage();
            setUp();
            m_y = pageHeader(true, index + 1);
        }
        if (start.headings)
            columnHeadings();
        if (r.result->wins.isEmpty() && index == 0)
            nextLine(QStringLiteral("Nessuna vincita."));
        for (int w = start.win; w < end; ++w)
            drawWin(r.result->wins[w]);
        if (last)
            totals();
    }

private:
    // Lays the pages out: a draw's lines stay together, and the totals too.
    void paginate(Layout &layout) const
    {
        const double lh = layout.lineHeight;
        layout.pages = {PageStart{}};
        double y = layout.tableTop;
        if (r.result->wins.isEmpty())
            y += lh;
        for (int w = 0; w < r.result->wins.size(); ++w) {
            const int plays = r.result->winningPlays(r.result->wins[w]);
            const int lines = plays + (plays > 1 ? 1 : 0);
            if (y + lh * lines > layout.bottom) {
                layout.pages.append(PageStart{w, true});
                y = layout.continuedTop;
            }
            y += lh * lines;
        }
        if (y + lh * (totalsLines() + 3) > layout.bottom)
            layout.pages.append(PageStart{int(r.result->wins.size()), false});
    }

    int totalsLines() const { return 6 + (r.result->interrupted ? 1 : 0); }

    // The top of the line after `y` in the printer's current font.
    double below(double y) { return y + p.TextHeight(QStringLiteral("Ag")); }

    // A new printer's settings (medium quality, colour, black, no fill), then the report's.
    void setUp()
    {
        p.resetSettings();
        p.DocumentKind = QStringLiteral("verifica");
        p.setScaleMode(vbMillimeters);
        p.FontName = QStringLiteral("Courier New");
        p.FontSize = 10;
        m_shift = std::max(0.0, (p.ScaleWidth() - (kNetRight - kLeft)) / 2 - kLeft);
    }

    // Draws the heading of page 1, which begins the document, and tells the table's line
    // height; the top of what follows the heading.
    double heading(double *lineHeight)
    {
        p.FontBold = true;
        text(kLeft, 2, titleLine(r.heading));
        // Measured once the document has begun, on the device it is printed on: before that
        // a printer device measures with the screen's metrics.
        *lineHeight = p.TextHeight(QStringLiteral("Ag"));
        double y = below(2);
        p.FontSize = 14;
        text(kLeft, y, QStringLiteral("Verifica del sistema"));
        y = below(y);
        p.FontSize = 10;
        p.FontBold = false;
        text(kLeft, y, QStringLiteral("Sistema: %1    Ruota: %2").arg(r.systemName, r.wheel));
        y = below(y);
        text(kLeft, y, QStringLiteral("Verificato con: %1").arg(r.against));
        return below(below(y)); // and a blank line
    }

    // The head of a later page, drawn or only measured; the top of what follows it.
    double pageHeader(bool draw, int page = 0)
    {
        p.FontBold = false;
        if (draw)
            text(kLeft, 2,
                 QStringLiteral("Verifica del sistema %1 - Ruota %2 - pagina %3")
                     .arg(r.systemName, r.wheel)
                     .arg(page));
        return below(below(2)); // the line and a blank one
    }

    static double headingsHeight(double lineHeight) { return lineHeight + 1.5; }

    void columnHeadings()
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
        m_y = y + headingsHeight(m_lineHeight);
    }

    void drawWin(const DrawWin &win)
    {
        const QList<PlayWin> plays = r.result->playsOf(win);
        bool first = true;
        for (const PlayWin &play : plays) {
            const double y = nextLine();
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
        // The draw's net is rounded once on its whole gross, so it is shown when the draw won
        // on several plays.
        if (plays.size() > 1) {
            const double y = nextLine();
            p.FontBold = true;
            text(kPlayX, y, QStringLiteral("Totale estrazione"));
            right(kGrossRight, y, amountText(win.gross));
            right(kNetRight, y, amountText(win.net));
            p.FontBold = false;
        }
    }

    void totals()
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
        rule(m_y + 1);
        m_y += 2.5;
        if (r.result->interrupted) {
            p.FontBold = true;
            text(kLeft, nextLine(),
                 QStringLiteral("Verifica interrotta: i totali contano le estrazioni "
                                "verificate fin lì."));
            p.FontBold = false;
        }
        for (const auto &[label, value] : lines) {
            const double y = nextLine();
            p.FontBold = label.startsWith(QStringLiteral("Saldo"));
            text(kLeft, y, label);
            right(kTotalsValueRight, y, value);
        }
        p.FontBold = false;
    }

    // The top of the next line; the layout made room for it on this page.
    double nextLine(const QString &s = {})
    {
        const double y = m_y;
        m_y += m_lineHeight;
        if (!s.isEmpty())
            text(kLeft, y, s);
        return y;
    }

    void text(double x, double y, const QString &s)
    {
        p.setCurrentX(x + m_shift);
        p.setCurrentY(y);
        p.Print(s);
    }

    void right(double rightEdge, double y, const QString &s)
    {
        text(rightEdge - p.TextWidth(s), y, s);
    }

    void rule(double y) { p.Line(kLeft + m_shift, y, kNetRight + m_shift, y, Qt::black); }

    Printer &p;
    const CheckReport &r;
    double m_lineHeight = 5;
    double m_y = 0; // the top of the next line, in millimetres
    // How far the columns move right so the table stands in the middle of the printable area,
    // its margins equal on both sides.
    double m_shift = 0;
};

// The report's pages for the screen, each drawn when it is shown, measured as the printer
// the preview stands for measures.
class CheckReportPages : public PageSource
{
public:
    CheckReportPages(CheckReport report, Layout layout, int dpi, QSizeF printable)
        : m_report(std::move(report)), m_layout(std::move(layout)), m_dpi(dpi),
          m_printable(printable)
    {
    }

    int pageCount() const override { return int(m_layout.pages.size()); }

    QList<RecordedItem> page(int index) const override
    {
        Printer printer;
        auto device = std::make_unique<RecordingDevice>();
        device->measuringDpi = m_dpi;
        device->pageSize = m_printable;
        RecordingDevice *recorder = device.get();
        printer.setDevice(std::move(device));
        ReportWriter writer(printer, m_report);
        // Page 1 begins with the report's heading; any other page is drawn on its own.
        if (index == 0)
            writer.begin();
        writer.drawPage(m_layout, index);
        printer.EndDoc();
        if (recorder->documents.isEmpty())
            return {};
        return recorder->documents.last().pages.last();
    }

private:
    CheckReport m_report;
    Layout m_layout;
    int m_dpi;
    QSizeF m_printable;
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
        numbers << twoDigits(n);
    return numbers.join(u' ');
}

bool printCheckReport(Printer &printer, const CheckReport &report, const PrintProgress &progress)
{
    ReportWriter writer(printer, report);
    const Layout layout = writer.begin();
    const int pages = int(layout.pages.size());
    for (int page = 0; page < pages; ++page) {
        // A printer that failed takes no more pages; a stop drops the document.
        if (!printer.status())
            break;
        if (progress && !progress(page, pages)) {
            printer.KillDoc();
            return false;
        }
        writer.drawPage(layout, page);
    }
    printer.EndDoc();
    return true;
}

Result<bool> printCheck(PrinterSet &printers, const CheckReport &report,
                        const PrintProgress &progress)
{
    printers.SelectPrinter(report.printerName);
    bool whole = true;
    const Result<void> printed = printDocument(printers.CurrentPrinter(), [&](Printer &printer) {
        whole = printCheckReport(printer, report, progress);
    });
    if (!printed)
        return printed.error();
    return whole;
}

Result<Preview> previewCheck(PrinterSet &printers, const CheckReport &report)
{
    printers.SelectPrinter(report.printerName);
    // Laid out once, as the printer measures; each page is drawn when it is shown.
    Layout layout;
    QSizeF printable;
    Result<Preview> preview = previewRun(printers.CurrentPrinter(), [&](Printer &printer) {
        layout = ReportWriter(printer, report).begin();
        printable = printer.device().printableSize();
        printer.KillDoc();
    });
    if (!preview)
        return preview;
    preview.value().source = std::make_shared<const CheckReportPages>(report, std::move(layout),
                                                                      preview->dpi, printable);
    return preview;
}

} // namespace zelmora::print
