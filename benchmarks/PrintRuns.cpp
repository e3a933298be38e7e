// The slip run and the listing printed on "File PDF", each beside a floor that draws the same
// texts, boxes and pictures straight through QPdfWriter and QPainter. The floor's drawings are
// what the recording device caught from one run of the same routine, turned into device
// pixels once, so the difference is what the program spends around the drawing itself.

#include "BenchSystem.h"
#include "core/FileIO.h"
#include "core/Stakes.h"
#include "core/WheelsFile.h"
#include "print/ListingPage.h"
#include "print/QtPrintDevice.h"
#include "print/RecordingDevice.h"
#include "print/SlipRun.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zelmora;
using namespace zelmora::print;

namespace {

// What both sides print: a 12 € system on Roma with lead number 37, the pictures and wheels
// the program ships, and a calibration as a player's printer would need it.
struct PrintWork
{
    Sistema sistema;
    TaraturaAmbetto taratura;
    SlipRun slips;
    ListingJob listing;
    QString missing; // a shipped file that could not be read
};

QImage shippedPicture(const QString &name, QString &missing)
{
    const QString path = QStringLiteral(ZELMORA_PROGRAM_DIR "images/") + name;
    const QImage picture = QImageReader(path).read();
    if (picture.isNull())
        missing = path;
    return picture;
}

// The system's printers, "File PDF" writing into a folder of the benchmark's own.
PrinterSet &printers()
{
    static PrinterSet set;
    static QTemporaryDir folder;
    if (set.filePdfFolder().isEmpty())
        set.setFilePdfFolder(folder.path() + QStringLiteral("/stampe"));
    return set;
}

const PrintWork &work()
{
    static const PrintWork w = [] {
        PrintWork w;
        w.sistema = bench::benchSystem();

        TaraturaAmbetto &t = w.taratura;
        t.DXnumeri = 5.5f;
        t.DYnumeri = 4.25f;
        t.Top = 40.3f;
        t.Left = 20.7f;
        t.Intestazione = 8;
        t.DXimporti = 5.1f;
        t.DYimporti = 4.2f;
        t.Qualita = TaggedQuality::integer(kQualitaNormale);
        t.Stampante = QString::fromLatin1(kFilePdfName);

        const QString heading = QStringLiteral("RICEVITORIA DEL CORSO - SISTEMI DEL SABATO");
        const QImage sfondo = shippedPicture(QStringLiteral("sfondoColor.bmp"), w.missing);
        const QImage vietato = shippedPicture(QStringLiteral("vietato.jpg"), w.missing);
        try {
            w.slips.ruote = parseRuote(
                *readWholeFile(QStringLiteral(ZELMORA_PROGRAM_DIR "ruote.grc"), kMaxTextFileBytes));
        } catch (const std::exception &) {
            w.missing = QStringLiteral(ZELMORA_PROGRAM_DIR "ruote.grc");
        }
        w.slips.from = kMinGiocata;
        w.slips.to = kMaxGiocata;
        w.slips.pronostico = true;
        w.slips.heading = heading;
        w.slips.pictures = SheetPictures{sfondo, vietato};

        w.listing.sfondo = sfondo;
        w.listing.vietato = vietato;
        w.listing.heading = heading;
        w.listing.printerName = QString::fromLatin1(kFilePdfName);
        return w;
    }();
    return w;
}

// --- The floor -------------------------------------------------------------------------------

// One drawing in device pixels, with everything the painter needs made up front.
struct Drawing
{
    RecordedItem::Kind kind;
    QRectF rect;      // box, picture target, or the white behind an opaque text
    QPointF baseline; // text
    QString text;
    QFont font;
    QColor color;
    bool opaque = false;
    bool filled = false;
    QPen pen;
    QImage picture;
};

struct FloorDocument
{
    int dpi = 0;
    QPageLayout layout;
    QList<QList<Drawing>> pages;
};

FloorDocument floorOf(const RecordedDocument &document)
{
    const PdfFileDevice device(printers().filePdfFolder());
    FloorDocument floor;
    floor.dpi = device.resolutionFor(document.options);
    floor.layout = device.pageLayout();
    const double k = floor.dpi / 25.4;
    QImage surface(1, 1, QImage::Format_RGB32); // fonts measured at the page's resolution
    surface.setDotsPerMeterX(qRound(floor.dpi / 0.0254));
    surface.setDotsPerMeterY(qRound(floor.dpi / 0.0254));
    for (const QList<RecordedItem> &items : document.pages) {
        QList<Drawing> &page = floor.pages.emplace_back();
        for (const RecordedItem &item : items) {
            Drawing d;
            d.kind = item.kind;
            d.rect = QRectF(item.rect.topLeft() * k, item.rect.size() * k);
            switch (item.kind) {
            case RecordedItem::Text:
                d.text = item.text;
                d.font = item.textStyle.font;
                d.color = item.textStyle.color;
                d.opaque = !item.textStyle.transparent;
                d.baseline =
                    d.rect.topLeft() + QPointF(0, QFontMetricsF(d.font, &surface).ascent());
                break;
            case RecordedItem::Box:
                d.filled = item.boxStyle.fillStyle == vbFSSolid;
                d.color = item.boxStyle.fillColor;
                d.pen = QPen(item.boxStyle.lineColor);
                d.pen.setWidthF(std::max(1, item.boxStyle.drawWidth));
                d.pen.setStyle(item.boxStyle.drawStyle == 0 ? Qt::SolidLine : Qt::DashLine);
                d.pen.setJoinStyle(Qt::MiterJoin);
                break;
            case RecordedItem::Picture:
                d.picture = item.picture;
                break;
            }
            page.append(d);
        }
    }
    return floor;
}

void drawFloor(const FloorDocument &floor, const QString &file)
{
    QPdfWriter writer(file);
    writer.setResolution(floor.dpi);
    writer.setPageLayout(floor.layout);
    QPainter painter(&writer);
    for (qsizetype p = 0; p < floor.pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        for (const Drawing &d : floor.pages[p]) {
            switch (d.kind) {
            case RecordedItem::Text:
                painter.setFont(d.font);
                if (d.opaque)
                    painter.fillRect(d.rect, Qt::white);
                painter.setPen(d.color);
                painter.drawText(d.baseline, d.text);
                break;
            case RecordedItem::Box:
                if (d.filled)
                    painter.fillRect(d.rect, d.color);
                painter.setPen(d.pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(d.rect);
                break;
            case RecordedItem::Picture:
                painter.drawImage(d.rect, d.picture);
                break;
            }
        }
    }
}

// The routine's one document, caught on the recording device.
RecordedDocument recorded(const std::function<void(Printer &)> &draw)
{
    Printer printer;
    auto device = std::make_unique<RecordingDevice>(QString::fromLatin1(kFilePdfName));
    const RecordingDevice *recorder = device.get();
    printer.setDevice(std::move(device));
    draw(printer);
    return recorder->documents.size() == 1 ? recorder->documents[0] : RecordedDocument{};
}

void runFloor(benchmark::State &state, const std::function<void(Printer &)> &draw, int pages)
{
    if (!work().missing.isEmpty()) {
        state.SkipWithError(qPrintable(work().missing + QStringLiteral(" cannot be read")));
        return;
    }
    const RecordedDocument document = recorded(draw);
    if (!document.ended || document.pages.size() != pages) {
        state.SkipWithError("the recorded run is not the expected document");
        return;
    }
    const FloorDocument floor = floorOf(document);
    const QString file = printers().filePdfFolder() + QStringLiteral("/floor.pdf");
    for (auto _ : state) {
        drawFloor(floor, file);
        QFile::remove(file);
    }
}

// --- The program's runs ------------------------------------------------------------------------

// The file the current printer ("File PDF") wrote last.
QString lastPdf()
{
    const auto *device = dynamic_cast<const PdfFileDevice *>(&printers().CurrentPrinter().device());
    return device ? device->lastFile() : QString();
}

constexpr int kSlipPages = 1 + kMaxGiocata; // the prognosis sheet and eight slips

void drawSlips(Printer &printer)
{
    Sistema sistema = work().sistema;
    printSlips(printer, sistema, work().taratura, work().slips);
}

void slipRun(benchmark::State &state)
{
    if (!work().missing.isEmpty() || !printers().SelectPrinter(work().taratura.Stampante)) {
        state.SkipWithError("no picture, wheels list or File PDF printer");
        return;
    }
    for (auto _ : state) {
        drawSlips(printers().CurrentPrinter());
        if (!QFile::remove(lastPdf())) {
            state.SkipWithError("the slip run wrote no PDF file");
            return;
        }
    }
}

void slipRunFloor(benchmark::State &state)
{
    runFloor(state, drawSlips, kSlipPages);
}

void listing(benchmark::State &state)
{
    if (!work().missing.isEmpty()) {
        state.SkipWithError("no picture");
        return;
    }
    for (auto _ : state) {
        Sistema sistema = work().sistema;
        if (!StampaTabulato(printers(), sistema, work().listing) || !QFile::remove(lastPdf())) {
            state.SkipWithError("the listing wrote no PDF file");
            return;
        }
    }
}

void listingFloor(benchmark::State &state)
{
    runFloor(
        state,
        [](Printer &printer) {
            Sistema sistema = work().sistema;
            printListingCopies(printer, sistema, work().listing);
        },
        1);
}

} // namespace

BENCHMARK(slipRun)->Name("slips/program")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(slipRunFloor)->Name("slips/floor")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(listing)->Name("listing/program")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(listingFloor)->Name("listing/floor")->Unit(benchmark::kMillisecond)->UseRealTime();
